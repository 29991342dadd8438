// The program's start and end around the application object.
#include "platform/commondialogs/SpecialFolders.h"
#include "platform/controls/ControlClasses.h"
#include "platform/database/DatabaseClasses.h"
#include "platform/display/Display.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "platform/screen/ScreenApi.h"
#include "platform/threads/ThreadApi.h"
#include "platform/windows/ProcessWindows.h"
#include "platform/windows/WindowPlatform.h"

namespace {

void StartPlatform(CWinApp* app) {
    platform::InstallScreen();
    platform::StartDisplay();
    platform::ConnectWindowsToLink();
    platform::RegisterDatabaseClasses();
    // The standard controls exist without any call on the original system; the common ones
    // after InitCommonControls, which programs of this kind make early on.
    platform::RegisterControlClasses();
    platform::SpecialFolders::SeedRegistry();
    AfxSetThread(app);
    app->m_nThreadID = ::GetCurrentThreadId();
    // Every loop of this thread, modal ones included, pre-translates through the application.
    platform::SetThreadMessageFilter([app](MSG& msg) { return app->PreTranslateMessage(&msg); });
}

void StopPlatform(CWinApp* app) {
    platform::WritePngsAtExit();
    if (app->m_pMainWnd != nullptr && app->m_pMainWnd->m_hWnd != nullptr) {
        app->m_pMainWnd->DestroyWindow();
    }
    app->m_pMainWnd = nullptr;
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    platform::SetThreadMessageFilter({});
    platform::DisconnectWindowsFromLink();
    platform::StopDisplay();
    AfxSetThread(nullptr);
}

}  // namespace

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return -1;
    }
    app->SetCurrentHandles(hInstance, lpCmdLine != nullptr ? lpCmdLine : "", nCmdShow);
    StartPlatform(app);
    int exitCode = -1;
    if (app->InitApplication()) {
        if (app->InitInstance()) {
            exitCode = app->Run();
        } else {
            if (app->m_pMainWnd != nullptr && app->m_pMainWnd->m_hWnd != nullptr) {
                app->m_pMainWnd->DestroyWindow();
            }
            exitCode = app->ExitInstance();
        }
    }
    StopPlatform(app);
    return exitCode;
}
