#include "tray/TrayApp.h"

#include "common/AppFolder.h"
#include "manager/ScheduleList.h"
#include "platform/drawing/Gdi.h"
#include "platform/framework/OccManager.h"
#include "tray/MainFrame.h"
#include "tray/ReminderPopup.h"
#include "tray/SnapshotFile.h"

HFONT TrayFont() {
    static HFONT font = [] {
        LOGFONTA description{};
        description.lfHeight = 12;
        description.lfWidth = 6;
        description.lfCharSet = DEFAULT_CHARSET;
        std::snprintf(description.lfFaceName, sizeof description.lfFaceName, "%s", "宋体");
        return ::CreateFontIndirectA(&description);
    }();
    return font;
}

// A signal that comes before the main window exists closes it once it does.
CTrayApp::CTrayApp() {
    signalCloser_.Start();
}

BOOL CTrayApp::InitInstance() {
    GetAppFolder();
    AfxEnableControlContainer();
    if (::FindWindowA(nullptr, kTrayTitle) != nullptr) {
        return TRUE;
    }
    TrayFont();
    KeepPictureMemory();
    auto* frame = new CMainFrame;
    if (!frame->Create(nullptr, kTrayTitle)) {
        return FALSE;
    }
    m_pMainWnd = frame;
    frame->SetWindowText(kTrayTitle);
    signalCloser_.Watch(frame->m_hWnd);
    return TRUE;
}

int CTrayApp::ExitInstance() {
    signalCloser_.Stop();
    CReminderPopup::DestroyAll();
    return CWinApp::ExitInstance();
}
