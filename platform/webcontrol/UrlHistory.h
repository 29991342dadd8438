// The URL history service object (CLSID_CUrlHistory) over the per-user UrlHistoryStore.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/webcontrol/UrlHistoryInterfaces.h"
#include "platform/webcontrol/UrlHistoryStore.h"

namespace platform::webcontrol {

class UrlHistory final : public ComObject<IUrlHistoryStg2> {
public:
    HRESULT AddUrl(LPCOLESTR url, LPCOLESTR title, DWORD flags) override;
    HRESULT DeleteUrl(LPCOLESTR url, DWORD flags) override;
    HRESULT QueryUrl(LPCOLESTR url, DWORD flags, LPSTATURL entry) override;
    HRESULT BindToObject(LPCOLESTR url, REFIID iid, void** object) override;
    HRESULT EnumUrls(IEnumSTATURL** entries) override;
    HRESULT AddUrlAndNotify(LPCOLESTR url, LPCOLESTR title, DWORD flags, BOOL writeHistory,
                            IOleCommandTarget* notify, IUnknown* folder) override;
    HRESULT ClearHistory() override;

    // Fills `entry` from `visit`: the strings in task memory (left null when `flags` ask for no
    // address or no title), the visit time in all three times.
    static HRESULT Fill(const UrlVisit& visit, DWORD flags, STATURL& entry);

private:
    UrlHistoryStore store_;
};

}  // namespace platform::webcontrol
