// The ActiveX controls of one window: their sites, made by the enabled control-container manager,
// and the way their events reach the window's event sink map. A window has a container while it
// has at least one control; the container ends with the last of them. The window may be any
// window: events reach an event sink map only when a framework window object is attached to it.
#pragma once

#include <vector>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/EventSinkMap.h"
#include "platform/windows/WindowStructs.h"

class CWnd;
class COleControlSite;

class COleControlContainer : public CCmdTarget {
public:
    explicit COleControlContainer(HWND hWnd);
    ~COleControlContainer() override;
    COleControlContainer(const COleControlContainer&) = delete;
    COleControlContainer& operator=(const COleControlContainer&) = delete;

    // The container of the window's controls; without one, a new one when bCreate is set,
    // otherwise null.
    static COleControlContainer* FromHandle(HWND hWnd, BOOL bCreate);

    // Creates a control through a new site from the manager (see COleControlSite::CreateControl).
    // The site, or null when hosting is not enabled or the control could not be made; the
    // container ends at once when that leaves it without controls.
    COleControlSite* CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCSTR lpszWindowName,
                                   DWORD dwStyle, const RECT& rect, UINT nID);
    // The first control created with the id that is still there; null when there is none.
    COleControlSite* FindItem(UINT nID) const;
    // The sites in the order their controls were made.
    const std::vector<COleControlSite*>& GetSites() const { return sites_; }

    // Hands an event of pSite's control to the event sink map of the window object attached to
    // the container's window, keyed by the control window's id at that moment.
    void OnEvent(COleControlSite* pSite, AFX_EVENT* pEvent);
    // For a site whose control has ended: drops it and its reference, and ends the container
    // with its last site.
    void RemoveSite(COleControlSite* pSite);

    HWND m_hWnd;

private:
    std::vector<COleControlSite*> sites_;
};
