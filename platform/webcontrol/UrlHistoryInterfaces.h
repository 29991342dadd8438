// The URL history service: the addresses the user visited, with titles and visit times. Strings
// in STATURL come in task memory that the caller frees with CoTaskMemFree.
#pragma once

#include "platform/com/Unknown.h"

DEFINE_GUID(CLSID_CUrlHistory, 0x3C374A40, 0xBAE4, 0x11CF, 0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46,
            0xEE);
DEFINE_GUID(IID_IUrlHistoryStg, 0x3C374A41, 0xBAE4, 0x11CF, 0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69,
            0x46, 0xEE);
DEFINE_GUID(IID_IEnumSTATURL, 0x3C374A42, 0xBAE4, 0x11CF, 0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46,
            0xEE);
DEFINE_GUID(IID_IUrlHistoryStg2, 0xAFA0DC11, 0xC313, 0x11D0, 0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5,
            0xAE, 0x38);

#define STATURL_QUERYFLAG_ISCACHED 0x00010000
#define STATURL_QUERYFLAG_NOURL 0x00020000
#define STATURL_QUERYFLAG_NOTITLE 0x00040000
#define STATURL_QUERYFLAG_TOPLEVEL 0x00080000
#define STATURLFLAG_ISCACHED 0x00000001
#define STATURLFLAG_ISTOPLEVEL 0x00000002

enum ADDURL_FLAG {
    ADDURL_FIRST = 0,
    ADDURL_ADDTOHISTORYANDCACHE = 0,
    ADDURL_ADDTOCACHE = 1,
};

struct STATURL {
    DWORD cbSize;
    LPOLESTR pwcsUrl;
    LPOLESTR pwcsTitle;
    FILETIME ftLastVisited;
    FILETIME ftLastUpdated;
    FILETIME ftExpires;
    DWORD dwFlags;
};
using LPSTATURL = STATURL*;

struct IOleCommandTarget;

struct IEnumSTATURL : IUnknown {
    static constexpr const IID& kIid = IID_IEnumSTATURL;
    using Base = IUnknown;

    // S_FALSE when fewer than `count` entries were left.
    virtual HRESULT Next(ULONG count, LPSTATURL entries, ULONG* fetched) = 0;
    virtual HRESULT Skip(ULONG count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumSTATURL** copy) = 0;
    // Only addresses that start with `filter` (null or "" for all) from the next Reset on.
    virtual HRESULT SetFilter(LPCOLESTR filter, DWORD flags) = 0;

protected:
    ~IEnumSTATURL() = default;
};

struct IUrlHistoryStg : IUnknown {
    static constexpr const IID& kIid = IID_IUrlHistoryStg;
    using Base = IUnknown;

    virtual HRESULT AddUrl(LPCOLESTR url, LPCOLESTR title, DWORD flags) = 0;
    virtual HRESULT DeleteUrl(LPCOLESTR url, DWORD flags) = 0;
    // S_OK and the entry when the address is in the history; E_FAIL otherwise.
    virtual HRESULT QueryUrl(LPCOLESTR url, DWORD flags, LPSTATURL entry) = 0;
    virtual HRESULT BindToObject(LPCOLESTR url, REFIID iid, void** object) = 0;
    // The entries, most recently visited first.
    virtual HRESULT EnumUrls(IEnumSTATURL** entries) = 0;

protected:
    ~IUrlHistoryStg() = default;
};

struct IUrlHistoryStg2 : IUrlHistoryStg {
    static constexpr const IID& kIid = IID_IUrlHistoryStg2;
    using Base = IUrlHistoryStg;

    virtual HRESULT AddUrlAndNotify(LPCOLESTR url, LPCOLESTR title, DWORD flags, BOOL writeHistory,
                                    IOleCommandTarget* notify, IUnknown* folder) = 0;
    virtual HRESULT ClearHistory() = 0;

protected:
    ~IUrlHistoryStg2() = default;
};
