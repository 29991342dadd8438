#include "platform/framework/ControlContainer.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/framework/OccManager.h"
#include "platform/framework/OleControlSite.h"
#include "platform/framework/Wnd.h"

namespace {

struct ContainerTable {
    std::mutex mutex;
    std::map<HWND, COleControlContainer*> containers;
};

ContainerTable& Containers() {
    static ContainerTable table;
    return table;
}

}  // namespace

COleControlContainer::COleControlContainer(HWND hWnd) : m_hWnd(hWnd) {
    ContainerTable& table = Containers();
    std::lock_guard lock(table.mutex);
    table.containers[hWnd] = this;
}

COleControlContainer::~COleControlContainer() {
    ContainerTable& table = Containers();
    std::lock_guard lock(table.mutex);
    auto found = table.containers.find(m_hWnd);
    if (found != table.containers.end() && found->second == this) {
        table.containers.erase(found);
    }
}

COleControlContainer* COleControlContainer::FromHandle(HWND hWnd, BOOL bCreate) {
    if (hWnd == nullptr) {
        return nullptr;
    }
    {
        ContainerTable& table = Containers();
        std::lock_guard lock(table.mutex);
        auto found = table.containers.find(hWnd);
        if (found != table.containers.end()) {
            return found->second;
        }
    }
    return bCreate ? new COleControlContainer(hWnd) : nullptr;
}

COleControlSite* COleControlContainer::CreateControl(CWnd* pWndCtrl, REFCLSID clsid,
                                                     LPCSTR lpszWindowName, DWORD dwStyle,
                                                     const RECT& rect, UINT nID) {
    COccManager* manager = AfxGetOccManager();
    COleControlSite* site = manager != nullptr ? manager->CreateSite(this) : nullptr;
    if (site != nullptr &&
        SUCCEEDED(site->CreateControl(pWndCtrl, clsid, lpszWindowName, dwStyle, rect, nID))) {
        sites_.push_back(site);
        return site;
    }
    if (site != nullptr) {
        site->ExternalRelease();
    }
    if (sites_.empty()) {
        delete this;
    }
    return nullptr;
}

COleControlSite* COleControlContainer::FindItem(UINT nID) const {
    auto found = std::find_if(sites_.begin(), sites_.end(),
                              [nID](const COleControlSite* site) { return site->m_nID == nID; });
    return found != sites_.end() ? *found : nullptr;
}

void COleControlContainer::OnEvent(COleControlSite* pSite, AFX_EVENT* pEvent) {
    CWnd* window = CWnd::FromHandlePermanent(m_hWnd);
    if (window == nullptr) {
        return;
    }
    const UINT id =
        pSite->m_hWnd != nullptr ? static_cast<UINT>(::GetDlgCtrlID(pSite->m_hWnd)) : pSite->m_nID;
    // The handler may end this container; nothing of it is used afterwards.
    window->OnEvent(id, pEvent);
}

void COleControlContainer::RemoveSite(COleControlSite* pSite) {
    auto found = std::find(sites_.begin(), sites_.end(), pSite);
    if (found == sites_.end()) {
        return;
    }
    sites_.erase(found);
    pSite->ExternalRelease();
    if (sites_.empty()) {
        delete this;
    }
}
