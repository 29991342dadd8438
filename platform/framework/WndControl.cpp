// The members of CWnd that host ActiveX controls and receive their events.
#include "platform/framework/ControlContainer.h"
#include "platform/framework/OleControlSite.h"
#include "platform/framework/Wnd.h"

const AFX_EVENTSINKMAP* CWnd::GetThisEventSinkMap() {
    static const AFX_EVENTSINKMAP_ENTRY entries[] = {{0, 0, nullptr}};
    static const AFX_EVENTSINKMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_EVENTSINKMAP* CWnd::GetEventSinkMap() const {
    return GetThisEventSinkMap();
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCSTR pszWindowName, DWORD dwStyle, const RECT& rect,
                         CWnd* pParentWnd, UINT nID, CFile* pPersist, BOOL bStorage,
                         BSTR bstrLicKey) {
    if (pParentWnd == nullptr || pParentWnd->m_hWnd == nullptr || m_hWnd != nullptr ||
        pPersist != nullptr || bStorage || bstrLicKey != nullptr) {
        return FALSE;
    }
    COleControlContainer* container = COleControlContainer::FromHandle(pParentWnd->m_hWnd, TRUE);
    return container->CreateControl(this, clsid, pszWindowName, dwStyle, rect, nID) != nullptr;
}

LPUNKNOWN CWnd::GetControlUnknown() const {
    COleControlSite* site = COleControlSite::FromHandle(m_hWnd);
    return site != nullptr ? site->GetControlUnknown() : nullptr;
}

void CWnd::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const {
    ControlDispatch().GetProperty(dwDispID, vtProp, pvProp);
}

COleDispatchDriver& CWnd::ControlDispatch() const {
    if (COleControlSite* site = COleControlSite::FromHandle(m_hWnd)) {
        return site->m_dispDriver;
    }
    // Holds no object, so every call on it does nothing.
    thread_local COleDispatchDriver none;
    return none;
}

BOOL CWnd::OnEvent(UINT idCtrl, AFX_EVENT* pEvent) {
    for (const AFX_EVENTSINKMAP* map = GetEventSinkMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_EVENTSINKMAP_ENTRY* entry = map->lpEntries; entry->pfnHandler != nullptr;
             ++entry) {
            if (entry->nCtrlID == idCtrl && entry->dispid == pEvent->m_dispid) {
                // The handler may delete this object; nothing of it is used afterwards.
                pEvent->m_hResult = entry->pfnHandler(this, pEvent->m_pDispParams);
                return TRUE;
            }
        }
    }
    return FALSE;
}
