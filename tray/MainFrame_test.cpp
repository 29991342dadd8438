#include "tray/MainFrame.h"

#include "manager/ShutdownSchedule.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/controls/ControlClasses.h"
#include "platform/controls/Menu.h"
#include "platform/controls/NotifyIcon.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/OccManager.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WinThread.h"
#include "platform/screen/ScreenApi.h"
#include "platform/system/DriveTypes.h"
#include "platform/system/Mci.h"
#include "platform/system/ProcessToken.h"
#include "platform/system/Shutdown.h"
#include "platform/testing/TempFolder.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"
#include "tray/TrayTest.h"

namespace {

// The frame as the program makes it, on a temporary program folder.
class MainFrameTest : public tray_testing::TrayWindowTest {
protected:
    void SetUp() override {
        TrayWindowTest::SetUp();
        std::filesystem::copy(DVTP_PROGRAM_FOLDER, folder_.path(),
                              std::filesystem::copy_options::recursive);
        platform::OverrideModuleFileName(platform::ToWindowsPath(folder_.path() / "dvtp.exe"));
        ::GetCurrentDirectoryA(MAX_PATH, savedDirectory_);
        platform::ResetMciForTesting();
        platform::TakeMciCommands();
    }
    void TearDown() override {
        if (::IsWindow(frameWindow_)) {
            ::DestroyWindow(frameWindow_);
        }
        platform::ClearCdromDrives();
        ::SetCurrentDirectoryA(savedDirectory_);
        platform::ClearModuleFileNameOverride();
        TrayWindowTest::TearDown();
    }

    CMainFrame& MakeFrame() {
        auto* frame = new CMainFrame;
        EXPECT_TRUE(frame->Create(nullptr, "DeskvaneTP"));
        frameWindow_ = frame->m_hWnd;
        return *frame;
    }

    static std::string TextAt(CMenu* menu, int position) {
        char text[256] = {};
        menu->GetMenuString(static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
        return text;
    }

    platform::testing::TempFolder folder_;
    char savedDirectory_[MAX_PATH] = {};
    HWND frameWindow_ = nullptr;
};

TEST_F(MainFrameTest, TwoCdDrivesGetMenusWhoseItemsMoveTheirDoors) {
    platform::SetCdromDrive('D', "/nonexistent/sr0");
    platform::SetCdromDrive('F', "/nonexistent/sr1");
    CMainFrame& frame = MakeFrame();
    ASSERT_EQ(frame.cdDriveCount(), 2);

    CMenu* menu = frame.trayMenu().GetSubMenu(0);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(FindMenuItemByText(menu, "屏捕"), 2);
    EXPECT_EQ(TextAt(menu, 3), "打开光驱");
    EXPECT_EQ(TextAt(menu, 4), "关闭光驱");
    CMenu* open = menu->GetSubMenu(3);
    CMenu* close = menu->GetSubMenu(4);
    ASSERT_EQ(open->GetMenuItemCount(), 2u);
    EXPECT_EQ(open->GetMenuItemID(0), 1224u);
    EXPECT_EQ(TextAt(open, 0), "D:\\");
    EXPECT_EQ(open->GetMenuItemID(1), 1225u);
    EXPECT_EQ(TextAt(open, 1), "F:\\");
    EXPECT_EQ(close->GetMenuItemID(0), 1254u);
    EXPECT_EQ(close->GetMenuItemID(1), 1255u);
    EXPECT_EQ(::GetMenuDefaultItem(menu->m_hMenu, FALSE, 0), 32778u);

    ::PostMessageA(frame.m_hWnd, WM_COMMAND, 1225, 0);
    ::PostMessageA(frame.m_hWnd, WM_COMMAND, 1254, 0);
    // No third drive: nothing happens.
    ::PostMessageA(frame.m_hWnd, WM_COMMAND, 1256, 0);
    platform::PumpUntilIdle();
    EXPECT_EQ(platform::TakeMciCommands(),
              (std::vector<std::string>{"open F:\\ type cdaudio alias mycd wait",
                                        "set mycd door open wait", "close mycd wait",
                                        "open D:\\ type cdaudio alias mycd wait",
                                        "set mycd door closed wait", "close mycd wait"}));
}

TEST_F(MainFrameTest, WithoutCdDrivesTheMenuIsAsLoadedAndTheIconComesAndGoes) {
    platform::ClearCdromDrives();
    CMainFrame& frame = MakeFrame();
    EXPECT_EQ(frame.cdDriveCount(), 0);
    CMenu* menu = frame.trayMenu().GetSubMenu(0);
    EXPECT_EQ(FindMenuItemByText(menu, "打开光驱"), -1);
    EXPECT_EQ(FindMenuItemByText(menu, "打开管理中心"), 5);
    EXPECT_EQ(::GetMenuDefaultItem(menu->m_hMenu, FALSE, 0), static_cast<UINT>(-1));
    EXPECT_FALSE(::IsWindowVisible(frame.m_hWnd));
    EXPECT_NE(::GetWindowLongA(frame.m_hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);

    const std::vector<platform::NotifyIconState> icons = platform::NotifyIcons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].hwnd, frame.m_hWnd);
    EXPECT_EQ(icons[0].id, 128u);
    EXPECT_EQ(icons[0].callbackMessage, 1029u);
    EXPECT_EQ(icons[0].tip, "Deskvane");
    ::DestroyWindow(frame.m_hWnd);
    EXPECT_TRUE(platform::NotifyIcons().empty());
}

TEST_F(MainFrameTest, HotKeysMatchTheirModifiersExactly) {
    platform::SetCdromDrive('D', "/nonexistent/sr0");
    platform::SetCdromDrive('F', "/nonexistent/sr1");
    CMainFrame& frame = MakeFrame();
    constexpr LPARAM kCtrlAlt = 8 | 4 | 2;
    // Bit 3 clear: not a key that may fire.
    EXPECT_EQ(frame.DispatchHotKey('P', 4 | 2), 0);
    EXPECT_EQ(frame.DispatchHotKey('P', kCtrlAlt | 1), 0);
    EXPECT_EQ(frame.DispatchHotKey(0, kCtrlAlt), 0);
    EXPECT_TRUE(platform::TakeMciCommands().empty());
    // The open key opens both doors, one after the other.
    EXPECT_EQ(frame.DispatchHotKey('P', kCtrlAlt), 1);
    EXPECT_EQ(platform::TakeMciCommands(),
              (std::vector<std::string>{"open D:\\ type cdaudio alias mycd wait",
                                        "set mycd door open wait", "close mycd wait",
                                        "open F:\\ type cdaudio alias mycd wait",
                                        "set mycd door open wait", "close mycd wait"}));
    EXPECT_EQ(frame.DispatchHotKey('L', kCtrlAlt), 1);
    EXPECT_EQ(platform::TakeMciCommands().size(), 6u);
}

TEST_F(MainFrameTest, ATimedShutdownFiresOnceAtItsMinuteAndRemovesItsFile) {
    SYSTEMTIME start{};
    start.wYear = 2006;
    start.wMonth = 9;
    start.wDay = 15;
    start.wHour = 21;
    start.wMinute = 59;
    start.wSecond = 57;
    platform::UseTestClock(start);
    platform::ResetPrivilegesForTesting();
    platform::TakeShutdownRequests();
    ASSERT_TRUE((ShutdownSchedule{22, 0, 0}.Write(
        (platform::ToWindowsPath(folder_.path()) + "\\data3\\sdc.dat").c_str())));
    MakeFrame();
    for (int tick = 0; tick < 4; ++tick) {
        platform::AdvanceTestClock(std::chrono::seconds(5));
        platform::PumpUntilIdle();
    }
    const auto requests = platform::TakeShutdownRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].flags, static_cast<UINT>(EWX_SHUTDOWN | EWX_POWEROFF));
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "data3" / "sdc.dat"));
    platform::ResetPrivilegesForTesting();
    platform::UseRealClock();
}

}  // namespace
