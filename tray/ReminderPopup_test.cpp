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
#include "platform/system/PlaySound.h"
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
    // A sound of no length, which leaves the test clock alone.
    std::string format("\x01\x00\x01\x00\x40\x1F\x00\x00\x40\x1F\x00\x00\x01\x00\x08\x00", 16);
    folder_.WriteFile("data/notify.wav", "RIFF" + std::string("\x24\x00\x00\x00", 4) + "WAVEfmt " +
                                             std::string("\x10\x00\x00\x00", 4) + format + "data" +
                                             std::string(4, '\0'));
    platform::TakePlayedSounds();
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
    // The sound of each showing has played to its end by the time the program ends.
    CReminderPopup::DestroyAll();
    const std::vector<platform::PlayedSound> sounds = platform::TakePlayedSounds();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[1].name, "data\\notify.wav");
    EXPECT_EQ(sounds[1].flags, static_cast<DWORD>(SND_FILENAME | SND_NODEFAULT));
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

TEST_F(ReminderPopupTest, ASkinThatFailsAfterPlacingTheListNeverPaintsOverIt) {
    folder_.WriteFile("data/config.dat",
                      "[DIALOG_PROMPT_LIST_POSITION]\r\n8,150,206,160\r\n"
                      "[BITMAP_BACKGROUND_PROMPT]\r\ndata\\prompt\\missing.bmp\r\n");
    CReminderPopup* popup = Show(nullptr);
    Wait(700ms);
    RECT list{};
    ::GetWindowRect(popup->snoozeList().m_hWnd, &list);
    ::MapWindowPoints(nullptr, popup->m_hWnd, reinterpret_cast<POINT*>(&list), 2);
    ASSERT_EQ(list.left, 8);
    ASSERT_EQ(list.top, 150);

    // Painted onto a marked target: the list's place keeps the mark, the rest is the pop-up.
    HDC screen = ::GetDC(nullptr);
    HDC target = ::CreateCompatibleDC(screen);
    HBITMAP canvas =
        ::CreateCompatibleBitmap(screen, CReminderPopup::kWidth, CReminderPopup::kFullHeight);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(target, canvas);
    const RECT whole{0, 0, CReminderPopup::kWidth, CReminderPopup::kFullHeight};
    HBRUSH mark = ::CreateSolidBrush(RGB(0, 200, 0));
    ::FillRect(target, &whole, mark);
    ::DeleteObject(mark);
    popup->DrawContent(CDC::FromHandle(target));
    EXPECT_EQ(::GetPixel(target, 100, 160), RGB(0, 200, 0));
    EXPECT_EQ(::GetPixel(target, 100, 140), RGB(0xFA, 0xFF, 0xFF));
    EXPECT_EQ(::GetPixel(target, 4, 160), RGB(0xFA, 0xFF, 0xFF));
    ::SelectObject(target, old);
    ::DeleteObject(canvas);
    ::DeleteDC(target);
}

}  // namespace
