// The object model keeps UTF-8; automation strings are UTF-16. These convert at that boundary.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/Variant.h"

namespace platform::webcontrol {

BSTR BstrFromUtf8(std::string_view utf8);
std::string Utf8FromBstr(BSTR text);
// The text of a value that converts to a string (read through VT_BYREF); "" for anything else.
std::string Utf8FromVariant(const VARIANT* value);
// Hands `utf8` out through an out-parameter: E_POINTER without one, E_OUTOFMEMORY when the string
// cannot be made, else S_OK.
HRESULT ReturnText(std::string_view utf8, BSTR* out);

}  // namespace platform::webcontrol
