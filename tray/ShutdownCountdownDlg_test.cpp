#include "tray/ShutdownCountdownDlg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/controls/ControlClasses.h"
#include "platform/framework/ScriptedDialogTest.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WinThread.h"
#include "platform/screen/ScreenApi.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/dvtp/resource.h"
#include "tray/TrayTest.h"

namespace {

using Countdown = platform::testing::ScriptedDialog<CShutdownCountdownDlg>;

class ShutdownCountdownDlgTest : public tray_testing::TrayWindowTest {
protected:
    void SetUp() override {
        TrayWindowTest::SetUp();
        tray_testing::StartTestClock(22);
    }
    static std::string Text(HWND dialog) {
        char text[128] = {};
        ::GetDlgItemTextA(dialog, IDC_COUNTDOWN_TEXT, text, sizeof text);
        return text;
    }
    static void Seconds(int count) {
        for (int i = 0; i < count; ++i) {
            platform::AdvanceTestClock(std::chrono::seconds(1));
            platform::PumpUntilIdle();
        }
    }
};

TEST_F(ShutdownCountdownDlgTest, CountsDownAndGoesAheadAfterThirtySecondsWhateverTheCloseBox) {
    Countdown dialog;
    std::vector<std::string> texts;
    dialog.script = [&](Countdown& live) {
        texts.push_back(Text(live.m_hWnd));
        Seconds(1);
        texts.push_back(Text(live.m_hWnd));
        live.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        Seconds(28);
        texts.push_back(Text(live.m_hWnd));
        EXPECT_NE(::GetWindowLongA(live.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        Seconds(1);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(texts, (std::vector<std::string>{"关机时间到,将在30秒后自动关机.",
                                               "系统将在 29 秒后关机", "系统将在 1 秒后关机"}));
}

TEST_F(ShutdownCountdownDlgTest, CancelStopsIt) {
    Countdown dialog;
    dialog.script = [&](Countdown& live) {
        Seconds(3);
        live.SendMessage(WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.remaining(), 27);
}

}  // namespace
