#include "tray/ReminderPopup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/controls/ControlClasses.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WinThread.h"
#include "platform/screen/ScreenApi.h"
#include "platform/testing/TempFolder.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/dvtp/resource.h"
#include "tray/TrayTest.h"

namespace {

using namespace std::chrono_literals;

// Pop-ups as the schedule runner makes them, on a copy of the default program folder.
class ReminderPopupTest : public tray_testing::TrayWindowTest {
protected:
    void SetUp() override {
        TrayWindowTest::SetUp();
        tray_testing::StartTestClock(8);
        std::filesystem::copy(DVTP_PROGRAM_FOLDER, folder_.path(),
                              std::filesystem::copy_options::recursive);
        ::GetCurrentDirectoryA(MAX_PATH, savedDirectory_);
        ::SetCurrentDirectoryA(platform::ToWindowsPath(folder_.path()).c_str());
    }
    void TearDown() override {
        CReminderPopup::DestroyAll();
        ::SetCurrentDirectoryA(savedDirectory_);
        TrayWindowTest::TearDown();
    }

    static CReminderPopup* Show(const CScheduleRecord* record) {
        auto* popup = new CReminderPopup;
        EXPECT_TRUE(popup->Create(IDD_REMINDER_POPUP, nullptr));
        popup->ShowWindow(SW_HIDE);
        popup->ShowRecord(record);
        return popup;
    }
    static void Wait(std::chrono::milliseconds amount) {
        for (auto step = 100ms; amount.count() > 0; amount -= step) {
            platform::AdvanceTestClock(std::min(step, amount));
            platform::PumpUntilIdle();
        }
    }
    static void ClickAt(POINT at) {
        platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, at);
        platform::InjectMouse(MOUSEEVENTF_LEFTUP, at);
        platform::PumpUntilIdle();
    }
    static RECT WindowRect(HWND window) {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return rect;
    }

    platform::testing::TempFolder folder_;
    char savedDirectory_[MAX_PATH] = {};
};

TEST_F(ReminderPopupTest, SlidesUpAndASnoozeBringsItBackWithoutThePlan) {
    CScheduleRecord plan;
    plan.year = 2006;
    plan.month = 9;
    plan.day = 15;
    plan.hour = 8;
    plan.text = "开会";
    CReminderPopup* popup = Show(&plan);
    HWND window = popup->m_hWnd;
    Wait(300ms);
    EXPECT_EQ(popup->currentHeight(), 90);
    Wait(300ms);
    const RECT full = WindowRect(window);
    EXPECT_EQ(full.left, 700);
    EXPECT_EQ(full.top, 556);
    EXPECT_EQ(full.right, 1000);
    EXPECT_EQ(full.bottom, 736);
    EXPECT_NE(::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(popup->record().text, "开会");
    ASSERT_EQ(popup->buttons().count(), 1);

    // "30分钟后再次提示", then the skin's button at (222, 150) in the pop-up.
    popup->snoozeList().SetCurSel(3);
    ClickAt({full.left + 230, full.top + 160});
    EXPECT_FALSE(::IsWindowVisible(window));
    Wait(29min);
    EXPECT_FALSE(::IsWindowVisible(window));
    Wait(1min + 700ms);
    ASSERT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(popup->record().year, 0);
    EXPECT_EQ(popup->record().text, "暂无下一个计划");

    // "我知道了" closes it for good.
    popup->snoozeList().SetCurSel(0);
    ClickAt({full.left + 230, full.top + 160});
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(ReminderPopupTest, WithoutItsSkinItStillShowsAndAClickDismissesIt) {
    ::DeleteFileA("data\\config.dat");
    CReminderPopup* popup = Show(nullptr);
    HWND window = popup->m_hWnd;
    Wait(700ms);
    ASSERT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(popup->buttons().count(), 0);
    const RECT full = WindowRect(window);
    ClickAt({full.left + 250, full.top + 120});
    EXPECT_FALSE(::IsWindow(window));
}

}  // namespace
