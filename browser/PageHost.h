// What a page asks of the window that holds the tabs (the main frame): a new tab for a new
// window, the filter decision for a navigation, the busy animation, and the chrome that mirrors
// the page's address, title, status text and progress. The main frame implements it; the page
// reaches it through the reference it was given at construction.
#pragma once

#include "platform/text/CString.h"

class CPageDlg;

class CPageHost {
public:
    // The page to navigate in: the current one for newTab 0, a new tab for 1; null when no tab
    // can be opened (the host has told the user why).
    virtual CPageDlg* GetPage(int newTab) = 0;
    // Nonzero cancels the navigation to url.
    virtual int CheckUrlBlocked(CString url) = 0;
    virtual void StartBusy() = 0;
    virtual void StopBusy() = 0;
    // Refills the address box's list from the visited list.
    virtual void RefillAddressList() = 0;
    // Each mirrors one field of pPage into the chrome when pPage is on show.
    virtual void UpdatePageTitle(CPageDlg* pPage) = 0;
    virtual void UpdateStatusText(CPageDlg* pPage) = 0;
    virtual void UpdateAddressText(CPageDlg* pPage) = 0;
    virtual void UpdateProgress(CPageDlg* pPage) = 0;

protected:
    ~CPageHost() = default;
};
