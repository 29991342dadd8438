// What a script asks of the window that holds the pages (the picture collector's frame): to load
// an address into the page a script works for, into a tab, or into the frame's own pane. The
// frame implements it; its operations run on the frame's user-interface thread only, where
// CScriptRelay brings them from scripts that run on worker threads.
#pragma once

#include "platform/text/CString.h"

class CPageDlg;

class CScriptHost {
public:
    // Whether pPage is still one of the frame's pages: a tab can close while a script that works
    // for it runs on a worker thread.
    virtual BOOL IsPageOpen(CPageDlg* pPage) = 0;
    // The page's browser control navigates to url.
    virtual void NavigatePage(CPageDlg* pPage, const CString& url) = 0;
    // The frame opens url in a new tab (newTab 1) or the current one, making that tab the current
    // one when activate is 1; the page it navigated, or null when no tab could be opened.
    virtual CPageDlg* OpenUrl(const CString& url, int newTab, int activate) = 0;
    // The frame's own browser pane navigates to url. Always 0.
    virtual int NavigatePane(const CString& url) = 0;

protected:
    ~CScriptHost() = default;
};
