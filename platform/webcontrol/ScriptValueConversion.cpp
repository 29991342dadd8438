#include "platform/webcontrol/ScriptValueConversion.h"

#include "platform/webcontrol/AutomationText.h"

namespace platform::webcontrol {

VARIANT VariantFromScriptValue(const web::ScriptValue& value) {
    VARIANT result;
    VariantInit(&result);
    switch (value.kind) {
        case web::ScriptValue::Kind::Null:
            result.vt = VT_NULL;
            break;
        case web::ScriptValue::Kind::Boolean:
            result.vt = VT_BOOL;
            result.boolVal = value.boolean ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case web::ScriptValue::Kind::Number:
            result.vt = VT_R8;
            result.dblVal = value.number;
            break;
        case web::ScriptValue::Kind::String:
            result.vt = VT_BSTR;
            result.bstrVal = BstrFromUtf8(value.text);
            break;
        case web::ScriptValue::Kind::Undefined:
        case web::ScriptValue::Kind::Method:
            break;
    }
    return result;
}

web::ScriptValue ScriptValueFromVariant(const VARIANT& value) {
    const VARIANT* plain = &value;
    if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal != nullptr) {
        plain = value.pvarVal;
    }
    switch (plain->vt) {
        case VT_EMPTY:
            return {};
        case VT_NULL:
            return {web::ScriptValue::Kind::Null, false, 0, {}};
        case VT_BOOL:
            return web::ScriptValue::Boolean(plain->boolVal != VARIANT_FALSE);
        case VT_BSTR:
            return web::ScriptValue::String(Utf8FromBstr(plain->bstrVal));
        case VT_DISPATCH:
        case VT_UNKNOWN:
            return {};
        default:
            break;
    }
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, plain, 0, VT_R8))) {
        return {};
    }
    return web::ScriptValue::Number(number.dblVal);
}

}  // namespace platform::webcontrol
