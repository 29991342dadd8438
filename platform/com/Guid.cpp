#include "platform/com/Guid.h"

#include <optional>

#include "platform/com/HResult.h"

namespace {

constexpr int kGuidTextLength = 38;
constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

std::optional<int> HexValue(OLECHAR c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    return std::nullopt;
}

// Reads `digits` hex digits at `text[*at]`, moving `*at` past them.
std::optional<std::uint32_t> ReadHex(LPCOLESTR text, int* at, int digits) {
    std::uint32_t value = 0;
    for (int i = 0; i < digits; ++i) {
        std::optional<int> digit = HexValue(text[*at]);
        if (!digit) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(*digit);
        ++*at;
    }
    return value;
}

bool Expect(LPCOLESTR text, int* at, OLECHAR c) {
    if (text[*at] != c) {
        return false;
    }
    ++*at;
    return true;
}

std::optional<GUID> ParseGuid(LPCOLESTR text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    GUID guid{};
    int at = 0;
    if (!Expect(text, &at, u'{')) {
        return std::nullopt;
    }
    std::optional<std::uint32_t> part = ReadHex(text, &at, 8);
    if (!part || !Expect(text, &at, u'-')) {
        return std::nullopt;
    }
    guid.Data1 = *part;
    if (!(part = ReadHex(text, &at, 4)) || !Expect(text, &at, u'-')) {
        return std::nullopt;
    }
    guid.Data2 = static_cast<WORD>(*part);
    if (!(part = ReadHex(text, &at, 4)) || !Expect(text, &at, u'-')) {
        return std::nullopt;
    }
    guid.Data3 = static_cast<WORD>(*part);
    for (int i = 0; i < 8; ++i) {
        if (i == 2 && !Expect(text, &at, u'-')) {
            return std::nullopt;
        }
        if (!(part = ReadHex(text, &at, 2))) {
            return std::nullopt;
        }
        guid.Data4[i] = static_cast<BYTE>(*part);
    }
    if (!Expect(text, &at, u'}') || text[at] != 0) {
        return std::nullopt;
    }
    return guid;
}

void WriteHex(std::uint32_t value, int digits, LPOLESTR* out) {
    for (int i = digits - 1; i >= 0; --i) {
        *(*out)++ = kHexDigits[(value >> (i * 4)) & 0xF];
    }
}

}  // namespace

int StringFromGUID2(REFGUID guid, LPOLESTR text, int maxChars) {
    if (text == nullptr || maxChars < kGuidTextLength + 1) {
        return 0;
    }
    LPOLESTR out = text;
    *out++ = u'{';
    WriteHex(guid.Data1, 8, &out);
    *out++ = u'-';
    WriteHex(guid.Data2, 4, &out);
    *out++ = u'-';
    WriteHex(guid.Data3, 4, &out);
    *out++ = u'-';
    for (int i = 0; i < 8; ++i) {
        if (i == 2) {
            *out++ = u'-';
        }
        WriteHex(guid.Data4[i], 2, &out);
    }
    *out++ = u'}';
    *out = 0;
    return kGuidTextLength + 1;
}

HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid) {
    if (clsid == nullptr) {
        return E_INVALIDARG;
    }
    std::optional<GUID> guid = ParseGuid(text);
    if (!guid) {
        return CO_E_CLASSSTRING;
    }
    *clsid = *guid;
    return NOERROR;
}

HRESULT IIDFromString(LPCOLESTR text, LPIID iid) {
    if (iid == nullptr) {
        return E_INVALIDARG;
    }
    std::optional<GUID> guid = ParseGuid(text);
    if (!guid) {
        return E_INVALIDARG;
    }
    *iid = *guid;
    return NOERROR;
}
