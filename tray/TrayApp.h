// The tray companion's application object: one copy runs at a time (a second start ends at
// once), and its hidden main window lives until "退出" or the window is closed otherwise. SIGINT
// and SIGTERM close that window as a user would, so a headless run ends cleanly with status 0.
#pragma once

#include "common/SignalCloser.h"
#include "platform/framework/WinApp.h"

class CTrayApp : public CWinApp {
public:
    CTrayApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    SignalCloser signalCloser_;
};

// The program's font, "宋体" 12 pixels high and 6 wide, which every window of the program draws
// its text with.
HFONT TrayFont();
