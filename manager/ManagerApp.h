// The desktop manager's application object: one copy runs at a time (a second start brings the
// first copy's window to the front and ends), the program-wide fonts and brushes are made, and
// the main window runs as a modal dialog from the program folder. The program ends with it.
#pragma once

#include "common/SignalCloser.h"
#include "platform/framework/WinApp.h"

class CManagerMainDlg;

class CManagerApp : public CWinApp {
public:
    CManagerApp();

    // FALSE once the main window has closed; TRUE when another copy runs (this one then ends
    // without a window of its own).
    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Runs the main window; the test builds wrap it.
    virtual void RunMainWindow(CManagerMainDlg& dialog);

private:
    SignalCloser signalCloser_;
};
