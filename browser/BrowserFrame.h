// What the browser's dialogs and chrome controls ask of the main frame. The main frame class of
// each program built on the browser code base implements it next to its CFrameWnd base, so that
// they reach it through AfxGetMainWnd.
#pragma once

#include "platform/text/CString.h"

class CBrowserFrame {
public:
    virtual ~CBrowserFrame() = default;

    // Repaints the chrome after a skin change.
    virtual void RedrawSkin() = 0;
    // Opens the address in the current tab (newTab 0) or a new one, making it current when
    // activate is nonzero; 0 done, 1 no page available.
    virtual int OpenUrl(CString url, int newTab, int activate) = 0;
    // Drops down the menu of the addresses blocked in this run under the filter button.
    virtual void ShowBlockedList() = 0;
};

// The main window when it is a browser frame, else null.
CBrowserFrame* GetBrowserFrame();
