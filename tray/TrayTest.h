// What the tray's window tests share: a fresh window system with the screen and the controls, and
// a framework application of the test's own on this thread. A fixture derives from it and calls
// its SetUp and TearDown first and last.
#pragma once

#include <gtest/gtest.h>

#include "platform/controls/ControlClasses.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WinThread.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace tray_testing {

class TrayWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        AfxRegisterFrameworkClasses();
        platform::InstallScreen();
        platform::RegisterControlClasses();
        app_.SetCurrentHandles(nullptr, "", SW_SHOWNORMAL);
        AfxSetThread(&app_);
    }
    void TearDown() override {
        AfxSetThread(nullptr);
        platform::ResetWindowSystemForTesting();
    }

    CWinApp app_;
};

}  // namespace tray_testing
