// What the chrome controls ask of the main frame: the tab and address operations that the tab
// strip and the address box trigger belong to the frame, which implements this interface.
#pragma once

class CWnd;

class ChromeHost {
public:
    virtual ~ChromeHost() = default;

    virtual int CloseTab(int index) = 0;
    // Swaps the two tabs and selects `to`.
    virtual void MoveTab(int from, int to) = 0;
    // Opens the address box's text in the current tab.
    virtual void GoToAddress() = 0;

    // The frame that holds the control, when it is a host; null otherwise.
    static ChromeHost* Of(const CWnd* control);
};
