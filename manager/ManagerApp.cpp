#include "manager/ManagerApp.h"

#include "common/AppFolder.h"
#include "manager/ManagerGdi.h"
#include "manager/ManagerMainDlg.h"
#include "manager/ScheduleList.h"
#include "platform/framework/OccManager.h"
#include "platform/framework/RichEditCtrl.h"
#include "platform/screen/ScreenApi.h"

// A signal to end must never kill the manager before it could save its window state: the signals
// are taken over first, and one that comes before the main window exists closes it once it does.
CManagerApp::CManagerApp() {
    signalCloser_.Start();
}

BOOL CManagerApp::InitInstance() {
    AfxInitRichEdit();
    AfxEnableControlContainer();
    if (HWND running = ::FindWindowA(nullptr, kManagerTitle)) {
        ::SetForegroundWindow(running);
        ::ShowWindow(running, SW_SHOWNORMAL);
        return TRUE;
    }
    Gdi().Create();
    Enable3dControls();
    GetAppFolder();

    CManagerMainDlg dialog;
    dialog.WatchSignals(&signalCloser_);
    m_pMainWnd = &dialog;
    RunMainWindow(dialog);
    m_pMainWnd = nullptr;
    FreeScheduleRecords();
    return FALSE;
}

void CManagerApp::RunMainWindow(CManagerMainDlg& dialog) {
    dialog.DoModal();
}

int CManagerApp::ExitInstance() {
    signalCloser_.Stop();
    Gdi().Destroy();
    return CWinApp::ExitInstance();
}

BOOL CManagerApp::PreTranslateMessage(MSG* pMsg) {
    // A headless run ends by a close posted to the main window; the pictures of the run's end
    // (when asked for) are taken while the window still shows.
    if (pMsg->message == WM_CLOSE && m_pMainWnd != nullptr && pMsg->hwnd == m_pMainWnd->m_hWnd) {
        platform::WritePngsAtExit();
    }
    return CWinApp::PreTranslateMessage(pMsg);
}
