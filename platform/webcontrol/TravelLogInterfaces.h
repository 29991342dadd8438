// The browser's travel log as a service: its storage (reached through IServiceProvider with the
// storage's own id as the service id), its entries and their enumerator. Titles and addresses
// come in task memory that the caller frees with CoTaskMemFree.
#pragma once

#include "platform/com/Unknown.h"

DEFINE_GUID(IID_ITravelLogStg, 0x7EBFDD80, 0xAD18, 0x11D3, 0xA4, 0xC5, 0x00, 0xC0, 0x4F, 0x72, 0xD6,
            0xB8);
#define SID_STravelLogCursor IID_ITravelLogStg
DEFINE_GUID(IID_IEnumTravelLogEntry, 0x7EBFDD85, 0xAD18, 0x11D3, 0xA4, 0xC5, 0x00, 0xC0, 0x4F, 0x72,
            0xD6, 0xB8);
DEFINE_GUID(IID_ITravelLogEntry, 0x7EBFDD87, 0xAD18, 0x11D3, 0xA4, 0xC5, 0x00, 0xC0, 0x4F, 0x72,
            0xD6, 0xB8);

enum TLENUMF : DWORD {
    TLEF_RELATIVE_INCLUDE_CURRENT = 0x1,
    TLEF_RELATIVE_BACK = 0x10,
    TLEF_RELATIVE_FORE = 0x20,
    TLEF_INCLUDE_UNINVOKEABLE = 0x40,
    TLEF_ABSOLUTE = 0x31,
};

struct ITravelLogEntry : IUnknown {
    static constexpr const IID& kIid = IID_ITravelLogEntry;
    using Base = IUnknown;

    virtual HRESULT GetTitle(LPOLESTR* title) = 0;
    virtual HRESULT GetURL(LPOLESTR* url) = 0;

protected:
    ~ITravelLogEntry() = default;
};

struct IEnumTravelLogEntry : IUnknown {
    static constexpr const IID& kIid = IID_IEnumTravelLogEntry;
    using Base = IUnknown;

    // S_FALSE when fewer than `count` entries were left.
    virtual HRESULT Next(ULONG count, ITravelLogEntry** entries, ULONG* fetched) = 0;
    virtual HRESULT Skip(ULONG count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumTravelLogEntry** copy) = 0;

protected:
    ~IEnumTravelLogEntry() = default;
};

struct ITravelLogStg : IUnknown {
    static constexpr const IID& kIid = IID_ITravelLogStg;
    using Base = IUnknown;

    virtual HRESULT CreateEntry(LPCOLESTR url, LPCOLESTR title, ITravelLogEntry* relativeTo,
                                BOOL prepend, ITravelLogEntry** entry) = 0;
    virtual HRESULT TravelTo(ITravelLogEntry* entry) = 0;
    // Back or forward entries nearest first (the current one first when included); with both
    // directions, from the oldest to the newest.
    virtual HRESULT EnumEntries(DWORD flags, IEnumTravelLogEntry** entries) = 0;
    virtual HRESULT FindEntries(DWORD flags, LPCOLESTR url, IEnumTravelLogEntry** entries) = 0;
    virtual HRESULT GetCount(DWORD flags, DWORD* count) = 0;
    virtual HRESULT RemoveEntry(ITravelLogEntry* entry) = 0;
    virtual HRESULT GetRelativeEntry(int offset, ITravelLogEntry** entry) = 0;

protected:
    ~ITravelLogStg() = default;
};
