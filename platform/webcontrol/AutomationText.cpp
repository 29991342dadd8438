#include "platform/webcontrol/AutomationText.h"

#include "platform/text/Encoding.h"

namespace platform::webcontrol {

BSTR BstrFromUtf8(std::string_view utf8) {
    return BstrFromUtf16(Utf8ToUtf16(utf8));
}

std::string Utf8FromBstr(BSTR text) {
    return Utf16ToUtf8(ViewOfBstr(text));
}

std::string Utf8FromVariant(const VARIANT* value) {
    if (value == nullptr) {
        return {};
    }
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeType(&text, value, 0, VT_BSTR))) {
        return {};
    }
    std::string result = Utf8FromBstr(text.bstrVal);
    VariantClear(&text);
    return result;
}

HRESULT ReturnText(std::string_view utf8, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = BstrFromUtf8(utf8);
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

}  // namespace platform::webcontrol
