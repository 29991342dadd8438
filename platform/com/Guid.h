// Globally unique identifiers of classes and interfaces, laid out as the original platform lays
// them out, so that a value written as {8856F961-340A-11D0-A96B-00C04FD705A2} is the same 16 bytes.
#pragma once

#include "platform/base/WinTypes.h"

using OLECHAR = char16_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using LPGUID = GUID*;
using LPIID = IID*;
using LPCLSID = CLSID*;

// Defines a named identifier from the numbers of its text form:
// DEFINE_GUID(CLSID_X, 0x8856F961, 0x340A, 0x11D0, 0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2);
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
    inline constexpr GUID name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}

constexpr bool IsEqualGUID(REFGUID a, REFGUID b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) {
        return false;
    }
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i]) {
            return false;
        }
    }
    return true;
}
constexpr bool IsEqualIID(REFIID a, REFIID b) {
    return IsEqualGUID(a, b);
}
constexpr bool IsEqualCLSID(REFCLSID a, REFCLSID b) {
    return IsEqualGUID(a, b);
}
constexpr bool operator==(REFGUID a, REFGUID b) {
    return IsEqualGUID(a, b);
}

DEFINE_GUID(GUID_NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
#define IID_NULL GUID_NULL
#define CLSID_NULL GUID_NULL

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case. Returns the characters written
// including the NUL (39), or 0 when `maxChars` cannot hold them.
int StringFromGUID2(REFGUID guid, LPOLESTR text, int maxChars);
// Only the braced form is understood (class names are not looked up): NOERROR, or
// CO_E_CLASSSTRING for any other text.
HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid);
// As CLSIDFromString, but E_INVALIDARG for a malformed text.
HRESULT IIDFromString(LPCOLESTR text, LPIID iid);
