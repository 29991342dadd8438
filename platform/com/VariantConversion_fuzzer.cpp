// Feeds arbitrary UTF-16 text through every conversion from a string, and through the class-id
// parser, which both read text that comes from pages and databases.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/com/Guid.h"
#include "platform/com/Variant.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<OLECHAR> text(size / 2 + 1, 0);
    std::memcpy(text.data(), data, size / 2 * 2);
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(size / 2));
    static constexpr VARTYPE kTargets[] = {VT_I1,  VT_UI1,  VT_I2,   VT_UI2,    VT_I4, VT_UI4,
                                           VT_INT, VT_UINT, VT_I8,   VT_UI8,    VT_R4, VT_R8,
                                           VT_CY,  VT_DATE, VT_BOOL, VT_DECIMAL};
    for (VARTYPE type : kTargets) {
        VARIANT converted;
        VariantInit(&converted);
        if (SUCCEEDED(VariantChangeType(&converted, &source, 0, type))) {
            VARIANT back;
            VariantInit(&back);
            VariantChangeType(&back, &converted, 0, VT_BSTR);
            VariantClear(&back);
        }
        VariantClear(&converted);
    }
    VariantClear(&source);
    CLSID clsid;
    CLSIDFromString(text.data(), &clsid);
    return 0;
}
