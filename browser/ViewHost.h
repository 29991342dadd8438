// What the view asks of the main frame: the first pages, the layout pass after a resize and
// whether a page covers the client area. The main frame implements this interface next to its
// CFrameWnd base.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/text/CString.h"

class CWnd;

class ViewHost {
public:
    virtual ~ViewHost() = default;

    // Opens the address in the current tab (newTab 0) or a new one, making it current when
    // activate is nonzero; 0 done, 1 no page available.
    virtual int OpenUrl(CString url, int newTab, int activate) = 0;
    // The start page chosen in the options, then the newer version the update page announces.
    virtual void OpenStartPage() = 0;
    // Places the bars, the tab strip and every page after the frame's size changed.
    virtual void LayoutBars() = 0;
    // Whether a current page covers the view, so that erasing the view would only flicker.
    virtual BOOL HasCurrentPage() = 0;

    // The frame of the window when it is a host; null otherwise.
    static ViewHost* Of(const CWnd* window);
};
