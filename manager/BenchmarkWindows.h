// What a benchmark of one of the manager's dialogs stands on: a fresh window system with the
// screen, the framework and control classes, an application object for the thread, the program's
// shared drawing objects and a top-level owner window for the dialog. All of it goes again, in
// reverse, when the object goes; the benchmark destroys its dialog first.
#pragma once

#include "manager/ManagerGdi.h"
#include "platform/controls/ControlClasses.h"
#include "platform/framework/OccManager.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WinThread.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

class BenchmarkWindows {
public:
    BenchmarkWindows() {
        platform::ResetWindowSystemForTesting();
        AfxRegisterFrameworkClasses();
        platform::InstallScreen();
        platform::RegisterControlClasses();
        AfxEnableControlContainer();
        app_.SetCurrentHandles(nullptr, "", SW_SHOWNORMAL);
        AfxSetThread(&app_);
        Gdi().Create();
        owner_.CreateEx(0, AFX_WND_CLASS, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                        nullptr);
    }
    ~BenchmarkWindows() {
        owner_.DestroyWindow();
        Gdi().Destroy();
        AfxSetThread(nullptr);
        platform::ResetWindowSystemForTesting();
    }
    BenchmarkWindows(const BenchmarkWindows&) = delete;
    BenchmarkWindows& operator=(const BenchmarkWindows&) = delete;

    CWnd* Owner() { return &owner_; }

private:
    CWinApp app_;
    CWnd owner_;
};
