// "关机提示框": thirty seconds before a timed shutdown, topmost in the middle of the screen.
// "我知道了" (OK), or the end of the count, goes ahead; "取消关机" or Esc (Cancel) cancels. The
// close box and Alt+F4 do nothing.
#pragma once

#include "platform/framework/Dialog.h"
#include "platform/framework/Static.h"

class CShutdownCountdownDlg : public CDialog {
public:
    static constexpr int kSeconds = 30;

    CShutdownCountdownDlg();

    int remaining() const { return remaining_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CStatic text_;
    int remaining_ = kSeconds;
};
