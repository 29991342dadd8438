#include "browser/TravelLogHelper.h"

#include <algorithm>
#include <string>

#include "common/TruncateText.h"
#include "platform/com/ComRuntime.h"
#include "platform/com/ServiceProvider.h"
#include "platform/framework/Menu.h"
#include "platform/text/Encoding.h"

namespace {

template <typename Interface>
void ReleaseInterface(Interface*& pointer) {
    if (pointer != nullptr) {
        pointer->Release();
        pointer = nullptr;
    }
}

DWORD EnumFlagsOf(int nDirection) {
    return nDirection == CTravelLogHelper::kForward ? TLEF_RELATIVE_FORE : TLEF_RELATIVE_BACK;
}

// The entry's title as GBK, cut for a menu; empty when the entry has none.
CString MenuTextOf(ITravelLogEntry* pEntry) {
    LPOLESTR title = nullptr;
    if (FAILED(pEntry->GetTitle(&title)) || title == nullptr) {
        return CString();
    }
    CString text(platform::Utf16ToGbk(title).c_str());
    CoTaskMemFree(title);
    TruncateText(text, CTravelLogHelper::kTitleWidth);
    return text;
}

}  // namespace

CTravelLogHelper::~CTravelLogHelper() {
    ReleaseAll();
}

void CTravelLogHelper::AttachTravelLog(IDispatch* pApplication) {
    ReleaseAll();
    if (pApplication == nullptr) {
        return;
    }
    IServiceProvider* pProvider = nullptr;
    if (FAILED(pApplication->QueryInterface(IID_IServiceProvider,
                                            reinterpret_cast<void**>(&pProvider))) ||
        pProvider == nullptr) {
        return;
    }
    void* pStorage = nullptr;
    if (SUCCEEDED(pProvider->QueryService(SID_STravelLogCursor, IID_ITravelLogStg, &pStorage))) {
        m_pTravelLogStg = static_cast<ITravelLogStg*>(pStorage);
    }
    pProvider->Release();
}

void CTravelLogHelper::FillTravelMenu(CMenu* pMenu, int nCount, int nDirection) {
    if (pMenu == nullptr || !EnumerateEntries(nDirection)) {
        return;
    }
    const int limit = std::min(nCount, kMaxMenuItems);
    const UINT baseId = nDirection == kForward ? kForwardBaseId : kBackBaseId;
    int added = 0;
    while (added < limit) {
        ULONG fetched = 0;
        ReleaseInterface(m_pEntry);
        if (m_pEnumEntries->Next(1, &m_pEntry, &fetched) != S_OK || fetched != 1 ||
            m_pEntry == nullptr) {
            m_pEntry = nullptr;
            break;
        }
        ++added;
        const CString text = MenuTextOf(m_pEntry);
        pMenu->InsertMenu(static_cast<UINT>(added - 1), MF_BYPOSITION | MF_STRING,
                          baseId + static_cast<UINT>(added), text);
        ReleaseInterface(m_pEntry);
    }
}

void CTravelLogHelper::TravelTo(int nOffset) {
    if (m_pTravelLogStg == nullptr) {
        return;
    }
    ReleaseInterface(m_pEntry);
    if (SUCCEEDED(m_pTravelLogStg->GetRelativeEntry(nOffset, &m_pEntry)) && m_pEntry != nullptr) {
        m_pTravelLogStg->TravelTo(m_pEntry);
    }
    ReleaseInterface(m_pEntry);
}

int CTravelLogHelper::CanTravel(int nDirection) {
    if (!EnumerateEntries(nDirection)) {
        return 0;
    }
    ULONG fetched = 0;
    ITravelLogEntry* pEntry = nullptr;
    if (m_pEnumEntries->Next(1, &pEntry, &fetched) != S_OK || fetched != 1 || pEntry == nullptr) {
        return 0;
    }
    pEntry->Release();
    return 1;
}

bool CTravelLogHelper::EnumerateEntries(int nDirection) {
    ReleaseEnumeration();
    if (m_pTravelLogStg == nullptr) {
        return false;
    }
    if (FAILED(m_pTravelLogStg->EnumEntries(EnumFlagsOf(nDirection), &m_pEnumEntries))) {
        m_pEnumEntries = nullptr;
        return false;
    }
    return m_pEnumEntries != nullptr;
}

void CTravelLogHelper::ReleaseEnumeration() {
    ReleaseInterface(m_pEntry);
    ReleaseInterface(m_pEnumEntries);
}

void CTravelLogHelper::ReleaseAll() {
    ReleaseEnumeration();
    ReleaseInterface(m_pTravelLogStg);
}
