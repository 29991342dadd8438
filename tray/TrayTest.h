// What the tray's window tests share: a fresh window system with the screen and the controls, a
// framework application of the test's own on this thread, and the test clock on a Friday of 2006.
// A fixture derives from it and calls its SetUp and TearDown first and last.
#pragma once

#include <gtest/gtest.h>

#include "platform/controls/ControlClasses.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WinThread.h"
#include "platform/screen/ScreenApi.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"

namespace tray_testing {

// 15 September 2006, a Friday, at the given time.
inline SYSTEMTIME Friday(int hour, int minute = 0, int second = 0) {
    SYSTEMTIME moment{};
    moment.wYear = 2006;
    moment.wMonth = 9;
    moment.wDay = 15;
    moment.wDayOfWeek = 5;
    moment.wHour = static_cast<WORD>(hour);
    moment.wMinute = static_cast<WORD>(minute);
    moment.wSecond = static_cast<WORD>(second);
    return moment;
}

// The test clock stands at that Friday's time until the test advances it; TrayWindowTest's
// TearDown gives back the real clock.
inline void StartTestClock(int hour, int minute = 0, int second = 0) {
    platform::UseTestClock(Friday(hour, minute, second));
}

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
        platform::UseRealClock();
        AfxSetThread(nullptr);
        platform::ResetWindowSystemForTesting();
    }

    CWinApp app_;
};

}  // namespace tray_testing
