// The timed shutdown page, child 0 of the system tools page: an hour and a minute, whether the
// tray companion shows its 30-second countdown first, and the buttons that arm the shutdown
// (writing data3\sdc.dat) and disarm it (deleting the file). Either tells the tray companion.
#pragma once

#include "manager/HintButton.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/Dialog.h"

class CShutdownTimerPage : public CDialog {
public:
    CShutdownTimerPage();

    // Fills the lists and shows the armed shutdown of data3\sdc.dat, if any.
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnArm();
    afx_msg void OnDisarm();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CHintButton arm_;
    CHintButton disarm_;
    CBrush whiteBrush_{RGB(255, 255, 255)};
};
