#include "manager/ShutdownTimerPage.h"

#include <cstdio>

#include "manager/DialogKeyFilter.h"
#include "manager/ScheduleList.h"
#include "manager/ShutdownSchedule.h"
#include "platform/files/FileApi.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CShutdownTimerPage, CDialog)
ON_BN_CLICKED(IDC_ARM_SHUTDOWN, OnArm)
ON_BN_CLICKED(IDC_DISARM_SHUTDOWN, OnDisarm)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

constexpr char kArmed[] = "当前状态: 己启动";
constexpr char kDisarmed[] = "当前状态: 未启动";

void NotifyTray() {
    if (HWND tray = ::FindWindowA(nullptr, kTrayTitle)) {
        ::PostMessageA(tray, WM_SETTINGS_CHANGED, 0, 0);
    }
}

}  // namespace

CShutdownTimerPage::CShutdownTimerPage() : CDialog(IDD_SHUTDOWN) {}

void CShutdownTimerPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ARM_SHUTDOWN, arm_);
    DDX_Control(pDX, IDC_DISARM_SHUTDOWN, disarm_);
}

BOOL CShutdownTimerPage::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckDlgButton(IDC_COUNTDOWN, BST_CHECKED);
    const auto fill = [this](int id, int count) {
        for (int i = 0; i < count; ++i) {
            char item[16];
            std::snprintf(item, sizeof(item), "%02d", i);
            SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SendDlgItemMessage(id, CB_SETCURSEL, 0, 0);
    };
    fill(IDC_SHUTDOWN_HOUR, 24);
    fill(IDC_SHUTDOWN_MINUTE, 60);

    ShutdownSchedule schedule;
    if (schedule.Read()) {
        SendDlgItemMessage(IDC_SHUTDOWN_HOUR, CB_SETCURSEL, static_cast<WPARAM>(schedule.hour));
        SendDlgItemMessage(IDC_SHUTDOWN_MINUTE, CB_SETCURSEL, static_cast<WPARAM>(schedule.minute));
        if (schedule.countdown == 0) {
            CheckDlgButton(IDC_COUNTDOWN, BST_UNCHECKED);
        }
        SetDlgItemText(IDC_SHUTDOWN_STATE, kArmed);
    } else {
        SetDlgItemText(IDC_SHUTDOWN_STATE, kDisarmed);
    }
    return TRUE;
}

BOOL CShutdownTimerPage::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CShutdownTimerPage::OnArm() {
    ShutdownSchedule schedule;
    schedule.hour = static_cast<int>(SendDlgItemMessage(IDC_SHUTDOWN_HOUR, CB_GETCURSEL));
    if (schedule.hour < 0) {
        MessageBox("请选择小时");
        return;
    }
    schedule.minute = static_cast<int>(SendDlgItemMessage(IDC_SHUTDOWN_MINUTE, CB_GETCURSEL));
    if (schedule.minute < 0) {
        MessageBox("请选择分");
        return;
    }
    schedule.countdown = IsDlgButtonChecked(IDC_COUNTDOWN) == BST_CHECKED ? 1 : 0;
    if (schedule.Write()) {
        SetDlgItemText(IDC_SHUTDOWN_STATE, kArmed);
    }
    // Even after a failed write: the tray companion then finds the previous state.
    NotifyTray();
}

void CShutdownTimerPage::OnDisarm() {
    ::DeleteFileA(kShutdownFile);
    SetDlgItemText(IDC_SHUTDOWN_STATE, kDisarmed);
    NotifyTray();
}

HBRUSH CShutdownTimerPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT) {
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_SHUTDOWN_STATE) {
        pDC->SetTextColor(RGB(0, 0, 255));
    }
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
