// Values crossing between page scripts and the host's external object: script values (UTF-8) to
// automation values (UTF-16 strings) and back.
#pragma once

#include "platform/com/Variant.h"
#include "platform/web/PageHost.h"

namespace platform::webcontrol {

// A new VARIANT the caller clears. Undefined and methods become VT_EMPTY.
VARIANT VariantFromScriptValue(const web::ScriptValue& value);
// Values without a script form (objects, arrays) become undefined.
web::ScriptValue ScriptValueFromVariant(const VARIANT& value);

}  // namespace platform::webcontrol
