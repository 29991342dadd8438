#include "tray/ShutdownCountdownDlg.h"

#include <cstdio>

#include "platform/framework/DataExchangeFunctions.h"
#include "resources/dvtp/resource.h"

namespace {
constexpr UINT_PTR kSecondTimer = 0;
}

BEGIN_MESSAGE_MAP(CShutdownCountdownDlg, CDialog)
ON_WM_TIMER()
ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CShutdownCountdownDlg::CShutdownCountdownDlg() : CDialog(IDD_SHUTDOWN_COUNTDOWN) {}

void CShutdownCountdownDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COUNTDOWN_TEXT, text_);
}

BOOL CShutdownCountdownDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
    remaining_ = kSeconds;
    SetTimer(kSecondTimer, 1000, nullptr);
    return TRUE;
}

void CShutdownCountdownDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kSecondTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    --remaining_;
    if (remaining_ <= 0) {
        KillTimer(kSecondTimer);
        EndDialog(IDOK);
        return;
    }
    char text[64];
    std::snprintf(text, sizeof text, "系统将在 %d 秒后关机", remaining_);
    text_.SetWindowText(text);
}

void CShutdownCountdownDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == SC_CLOSE) {
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
}
