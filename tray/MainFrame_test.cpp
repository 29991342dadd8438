#include "tray/MainFrame.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "manager/BossKeySettings.h"
#include "manager/CdKeySettings.h"
#include "manager/ScheduleList.h"
#include "manager/ShutdownSchedule.h"
#include "manager/SnapshotSettings.h"
#include "platform/base/GlobalMemory.h"
#include "platform/controls/Clipboard.h"
#include "platform/controls/ControlClasses.h"
#include "platform/controls/Menu.h"
#include "platform/controls/NotifyIcon.h"
#include "platform/controls/PopupMenu.h"
#include "platform/drawing/DrawingSeams.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/OccManager.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WinThread.h"
#include "platform/process/ProcessApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/system/DriveTypes.h"
#include "platform/system/Mci.h"
#include "platform/system/ProcessToken.h"
#include "platform/system/Shutdown.h"
#include "platform/testing/TempFolder.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/dvtp/resource.h"
#include "tray/CaptureOverlayDlg.h"
#include "tray/CaptureResultDlg.h"
#include "tray/HookLibrary.h"
#include "tray/ReminderPopup.h"
#include "tray/ShutdownCountdownDlg.h"
#include "tray/TrayTest.h"

namespace {

// The frame with a script for its menu loops: each time a loop runs out of messages the next step
// runs; with no step left the menu is ended, so that a test never hangs.
class ScriptedFrame : public CMainFrame {
public:
    std::deque<std::function<void()>> steps;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_ENTERIDLE || wParam != MSGF_MENU) {
            return CMainFrame::WindowProc(message, wParam, lParam);
        }
        if (steps.empty()) {
            ::EndMenu();
        } else {
            const std::function<void()> step = std::move(steps.front());
            steps.pop_front();
            step();
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
        }
        return 0;
    }
};

// A user who answers the program's modal dialogs as they come up: each step waits for a shown
// window of its dialog class, runs once and gives way to the next. Steps post their input, as it
// would come from outside.
class DialogScript {
public:
    DialogScript() {
        platform::SetTopLevelObserver([this](HWND window) { Observe(window); });
    }
    ~DialogScript() { platform::SetTopLevelObserver({}); }

    template <typename Dialog>
    void When(std::function<void(HWND)> step) {
        steps_.push_back(Step{[](HWND window) {
                                  return dynamic_cast<Dialog*>(CWnd::FromHandlePermanent(window)) !=
                                         nullptr;
                              },
                              std::move(step)});
    }
    bool done() const { return steps_.empty(); }

private:
    struct Step {
        std::function<bool(HWND)> matches;
        std::function<void(HWND)> run;
    };
    void Observe(HWND window) {
        if (steps_.empty() || !::IsWindowVisible(window) || !steps_.front().matches(window)) {
            return;
        }
        const std::function<void(HWND)> run = std::move(steps_.front().run);
        steps_.pop_front();
        run(window);
    }

    std::deque<Step> steps_;
};

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
        CReminderPopup::DestroyAll();
        FreeScheduleRecords();
        if (::IsWindow(frameWindow_)) {
            ::DestroyWindow(frameWindow_);
        }
        platform::ClearCdromDrives();
        ::SetCurrentDirectoryA(savedDirectory_);
        platform::ClearModuleFileNameOverride();
        TrayWindowTest::TearDown();
    }

    ScriptedFrame& MakeFrame() {
        auto* frame = new ScriptedFrame;
        EXPECT_TRUE(frame->Create(nullptr, "DeskvaneTP"));
        frameWindow_ = frame->m_hWnd;
        return *frame;
    }
    std::string DataFile(const char* name) const {
        return platform::ToWindowsPath(folder_.path() / "data3" / name);
    }
    // The captures saved into the default snapshot folder.
    std::size_t SnapshotCount() const {
        const auto folder = folder_.path() / "Snapshot";
        if (!std::filesystem::exists(folder)) {
            return 0;
        }
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                      std::filesystem::directory_iterator()));
    }
    static HWND TopLevel(const char* title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "TrayTestWindow";
        ::RegisterClassA(&windowClass);
        return ::CreateWindowExA(0, "TrayTestWindow", title, style, 100, 100, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    }
    // The reminder pop-ups that are open.
    static std::vector<CReminderPopup*> Popups() {
        std::vector<CReminderPopup*> popups;
        for (HWND top = ::GetTopWindow(nullptr); top != nullptr;
             top = ::GetWindow(top, GW_HWNDNEXT)) {
            if (auto* popup = dynamic_cast<CReminderPopup*>(CWnd::FromHandlePermanent(top))) {
                popups.push_back(popup);
            }
        }
        return popups;
    }
    // The centre of item `position` of `menu` while it is shown.
    POINT CenterOf(CMenu* menu, int position) const {
        RECT rect{};
        EXPECT_TRUE(
            ::GetMenuItemRect(frameWindow_, menu->m_hMenu, static_cast<UINT>(position), &rect));
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
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

TEST_F(MainFrameTest, TwoCdDrivesGetMenusAndHotKeysThatMoveTheirDoors) {
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

    // The default keys match their modifiers exactly.
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
    tray_testing::StartTestClock(21, 59, 57);
    platform::ResetPrivilegesForTesting();
    platform::RecordShutdownsForTesting(true);
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
    platform::RecordShutdownsForTesting(false);
    platform::ResetPrivilegesForTesting();
}

TEST_F(MainFrameTest, TheIconWithoutCdDrivesOpensTheLoadedMenuAtThePointerAndItsItemsAct) {
    platform::ClearCdromDrives();
    tray_testing::StartTestClock(8, 0, 30);
    // Plans at 08:00 and 09:30: at 08:00:30 the next one is at 09:30.
    ::SetCurrentDirectoryA(platform::ToWindowsPath(folder_.path()).c_str());
    for (const auto& [hour, minute, text] : {std::tuple{8, 0, "早会"}, {9, 30, "开会"}}) {
        auto plan = std::make_unique<ScheduleRecord>();
        plan->year = 2006;
        plan->month = 9;
        plan->day = 15;
        plan->hour = hour;
        plan->minute = minute;
        plan->text = text;
        ScheduleRecords().push_back(std::move(plan));
    }
    ASSERT_EQ(SaveScheduleRecords(), 0);
    ScriptedFrame& frame = MakeFrame();
    EXPECT_EQ(frame.cdDriveCount(), 0);
    EXPECT_FALSE(::IsWindowVisible(frame.m_hWnd));
    EXPECT_NE(::GetWindowLongA(frame.m_hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    const std::vector<platform::NotifyIconState> icons = platform::NotifyIcons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].hwnd, frame.m_hWnd);
    EXPECT_EQ(icons[0].id, 128u);
    EXPECT_EQ(icons[0].callbackMessage, 1029u);
    EXPECT_EQ(icons[0].tip, "Deskvane");

    // Without drives the menu is as loaded, with no default item.
    CMenu* menu = frame.trayMenu().GetSubMenu(0);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(::GetMenuDefaultItem(menu->m_hMenu, FALSE, 0), static_cast<UINT>(-1));
    const std::vector<std::pair<UINT, std::string>> items = {{32783, "显示下一个计划"},
                                                             {0, ""},
                                                             {static_cast<UINT>(-1), "屏捕"},
                                                             {32791, "老板键"},
                                                             {0, ""},
                                                             {32778, "打开管理中心"},
                                                             {32796, "退出"}};
    ASSERT_EQ(menu->GetMenuItemCount(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(menu->GetMenuItemID(static_cast<int>(i)), items[i].first) << i;
        EXPECT_EQ(TextAt(menu, static_cast<int>(i)), items[i].second) << i;
    }
    CMenu* capture = menu->GetSubMenu(2);
    ASSERT_EQ(capture->GetMenuItemCount(), 3u);
    EXPECT_EQ(capture->GetMenuItemID(0), 32787u);
    EXPECT_EQ(TextAt(capture, 0), "捕捉整 个屏幕");
    EXPECT_EQ(capture->GetMenuItemID(1), 32786u);
    EXPECT_EQ(TextAt(capture, 1), "捕捉指定窗口");
    EXPECT_EQ(capture->GetMenuItemID(2), 32788u);
    EXPECT_EQ(TextAt(capture, 2), "捕捉指定区域");

    // A right click opens the menu at the pointer; releasing the button on an item chooses it.
    ::SetCursorPos(600, 400);
    RECT placed{};
    frame.steps.push_back([&] {
        ::GetWindowRect(::FindWindowA("#32768", nullptr), &placed);
        const POINT next = CenterOf(menu, 0);
        platform::InjectMouse(MOUSEEVENTF_RIGHTDOWN, next);
        platform::InjectMouse(MOUSEEVENTF_RIGHTUP, next);
    });
    ::SendMessageA(frame.m_hWnd, WM_TRAY_NOTIFY, 128, WM_RBUTTONDOWN);
    platform::PumpUntilIdle();
    EXPECT_EQ(placed.left, 600);
    EXPECT_EQ(placed.top, 400);
    std::vector<CReminderPopup*> popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(std::string(popups[0]->record().text), "开会");
    EXPECT_EQ(popups[0]->record().hour, 9);
    // Showing it marks nothing: the plan still pops up at its minute.
    EXPECT_EQ(frame.reminders()[1].shown, 0);
    CReminderPopup::DestroyAll();

    // Past the last plan the pop-up says there is none.
    platform::AdvanceTestClock(std::chrono::hours(2));
    ::PostMessageA(frame.m_hWnd, WM_COMMAND, 32783, 0);
    platform::PumpUntilIdle();
    popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(std::string(popups[0]->record().text), "暂无下一个计划");
    CReminderPopup::DestroyAll();

    // A left click opens it too; "老板键" in the default mode minimises the titled windows.
    HWND work = TopLevel("工作");
    ASSERT_NE(work, nullptr);
    frame.steps.push_back([&] {
        const POINT boss = CenterOf(menu, 3);
        platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, boss);
        platform::InjectMouse(MOUSEEVENTF_LEFTUP, boss);
    });
    ::SendMessageA(frame.m_hWnd, WM_TRAY_NOTIFY, 128, WM_LBUTTONDOWN);
    platform::PumpUntilIdle();
    EXPECT_TRUE(::IsIconic(work));

    // Other mouse messages open nothing.
    bool opened = false;
    frame.steps.push_back([&] { opened = true; });
    EXPECT_EQ(::SendMessageA(frame.m_hWnd, WM_TRAY_NOTIFY, 128, WM_MOUSEMOVE), 1);
    EXPECT_FALSE(opened);

    // "打开管理中心" without a manager starts dv.exe beside the program.
    folder_.WriteFile("dv.exe", "#!/bin/sh\n");
    std::filesystem::permissions(folder_.path() / "dv.exe", std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    std::vector<std::filesystem::path> starts;
    platform::SetProcessStartInterceptor([&](const platform::ProcessStart& start) {
        starts.push_back(start.program);
        return 0;
    });
    frame.steps.push_back([&] {
        const POINT open = CenterOf(menu, 5);
        platform::InjectMouse(MOUSEEVENTF_RIGHTDOWN, open);
        platform::InjectMouse(MOUSEEVENTF_RIGHTUP, open);
    });
    ::SendMessageA(frame.m_hWnd, WM_TRAY_NOTIFY, 128, WM_RBUTTONDOWN);
    platform::PumpUntilIdle();
    platform::SetProcessStartInterceptor({});
    EXPECT_EQ(starts, std::vector<std::filesystem::path>{folder_.path() / "dv.exe"});
    ::DestroyWindow(work);
    // The icon goes with the frame.
    ::DestroyWindow(frame.m_hWnd);
    EXPECT_TRUE(platform::NotifyIcons().empty());
}

TEST_F(MainFrameTest, KeysAndTheBossWindowFollowTheSettingsFilesAfterEachSave) {
    platform::SetCdromDrive('D', "/nonexistent/sr0");
    CMainFrame& frame = MakeFrame();
    constexpr LPARAM kCtrlAlt = 8 | 4 | 2;
    constexpr LPARAM kCtrl = 8 | 2;

    // The manager's save writes the file and tells the frame, which reads every file anew.
    CdKeySettings cd;
    cd.open = HotKeyRecord{'O', 1, 0, 0};
    cd.close = HotKeyRecord{'C', 1, 0, 1};
    ASSERT_TRUE(cd.Save(DataFile("cdkey.dat").c_str()));
    platform::PumpUntilIdle();
    EXPECT_EQ(frame.DispatchHotKey('P', kCtrlAlt), 0);
    EXPECT_EQ(frame.DispatchHotKey('O', kCtrl), 1);
    EXPECT_EQ(platform::TakeMciCommands(),
              (std::vector<std::string>{"open D:\\ type cdaudio alias mycd wait",
                                        "set mycd door open wait", "close mycd wait"}));
    EXPECT_EQ(frame.DispatchHotKey('C', kCtrl | 1), 1);
    EXPECT_EQ(platform::TakeMciCommands()[1], "set mycd door closed wait");

    // The boss key brings the chosen window forward by its title, restoring it when minimised.
    HWND work = TopLevel("工作");
    HWND other = TopLevel("其他");
    ASSERT_NE(work, nullptr);
    ASSERT_NE(other, nullptr);
    BossKeySettings boss;
    boss.key = HotKeyRecord{VK_F12, 0, 0, 1};
    boss.target = 1;
    boss.SetTitle("工作");
    ASSERT_TRUE(boss.Save(DataFile("bosskey.dat").c_str()));
    platform::PumpUntilIdle();
    EXPECT_EQ(frame.DispatchHotKey(VK_RETURN, kCtrlAlt), 0);
    ::ShowWindow(work, SW_MINIMIZE);
    ::SetForegroundWindow(other);
    EXPECT_EQ(frame.DispatchHotKey(VK_F12, 8 | 1), 1);
    platform::PumpUntilIdle();
    EXPECT_FALSE(::IsIconic(work));
    EXPECT_FALSE(::IsIconic(other));
    ::SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(other);
    EXPECT_EQ(frame.DispatchHotKey(VK_F12, 8 | 1), 1);
    platform::PumpUntilIdle();
    EXPECT_EQ(::GetForegroundWindow(), work);
    EXPECT_EQ(::GetTopWindow(nullptr), work);
    EXPECT_EQ(::GetWindowLongA(work, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_FALSE(::IsIconic(other));

    // A title that no window bears falls back to minimising every titled window.
    boss.SetTitle("没有这个窗口");
    ASSERT_TRUE(boss.Save(DataFile("bosskey.dat").c_str()));
    platform::PumpUntilIdle();
    frame.DispatchHotKey(VK_F12, 8 | 1);
    platform::PumpUntilIdle();
    EXPECT_TRUE(::IsIconic(work));
    EXPECT_TRUE(::IsIconic(other));

    // Deleted files give the defaults back at the next reload.
    std::filesystem::remove(folder_.path() / "data3" / "cdkey.dat");
    std::filesystem::remove(folder_.path() / "data3" / "bosskey.dat");
    ::PostMessageA(frame.m_hWnd, 1030, 0, 0);
    platform::PumpUntilIdle();
    EXPECT_EQ(frame.DispatchHotKey('O', kCtrl), 0);
    EXPECT_EQ(frame.DispatchHotKey('P', kCtrlAlt), 1);
    ::DestroyWindow(work);
    ::DestroyWindow(other);
}

TEST_F(MainFrameTest, AnEndDuringNestedModalLoopsEndsThemAllBeforeTheFrame) {
    platform::ResetPrivilegesForTesting();
    platform::TakeShutdownRequests();
    DialogScript script;

    // The countdown waits; a capture from the tray runs in its loop and is closed; then the
    // program is told to end, as a signal does.
    tray_testing::StartTestClock(21, 59, 58);
    ASSERT_TRUE((ShutdownSchedule{22, 0, 1}.Write(DataFile("sdc.dat").c_str())));
    HWND first = MakeFrame().m_hWnd;
    script.When<CShutdownCountdownDlg>(
        [&](HWND) { ::PostMessageA(first, WM_COMMAND, ID_CAPTURE_FULL_SCREEN, 0); });
    script.When<CCaptureResultDlg>([&](HWND result) {
        ::PostMessageA(result, WM_SYSCOMMAND, SC_CLOSE, 0);
        ::PostMessageA(first, WM_CLOSE, 0, 0);
    });
    platform::AdvanceTestClock(std::chrono::seconds(5));
    platform::PumpUntilIdle();
    EXPECT_TRUE(script.done());
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_TRUE(platform::TakeShutdownRequests().empty());
    EXPECT_EQ(SnapshotCount(), 1u);

    // The other way round: the countdown comes up in an area capture's loop, and the end comes
    // while both wait for the user.
    tray_testing::StartTestClock(22, 0, 58);
    ASSERT_TRUE((ShutdownSchedule{22, 1, 1}.Write(DataFile("sdc.dat").c_str())));
    HWND second = MakeFrame().m_hWnd;
    script.When<CCaptureOverlayDlg>(
        [&](HWND) { platform::AdvanceTestClock(std::chrono::seconds(5)); });
    script.When<CShutdownCountdownDlg>([&](HWND) { ::PostMessageA(second, WM_CLOSE, 0, 0); });
    ::PostMessageA(second, WM_CAPTURE_AREA, 0, 0);
    platform::PumpUntilIdle();
    EXPECT_TRUE(script.done());
    EXPECT_FALSE(::IsWindow(second));
    EXPECT_TRUE(platform::TakeShutdownRequests().empty());
    EXPECT_EQ(SnapshotCount(), 1u);
    platform::ResetPrivilegesForTesting();
}

TEST_F(MainFrameTest, TheClipboardKeepsItsOwnCopyOfACaptureAndIsLeftAloneWhenNotAsked) {
    platform::ResetClipboardForTesting();
    HWND frame = MakeFrame().m_hWnd;
    // A mark on the screen, to be found in the picture.
    HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const RECT mark{50, 60, 58, 68};
    HBRUSH green = ::CreateSolidBrush(RGB(0, 200, 0));
    ::FillRect(display, &mark, green);
    ::DeleteObject(green);
    ::DeleteDC(display);

    DialogScript script;
    const auto closeResult = [](HWND result) {
        ::PostMessageA(result, WM_COMMAND, IDC_CLOSE_RESULT, 0);
    };
    script.When<CCaptureResultDlg>(closeResult);
    ::PostMessageA(frame, WM_CAPTURE_FULL, 0, 0);
    platform::PumpUntilIdle();
    ASSERT_TRUE(script.done());
    // The dialog has freed its picture; the clipboard's is still whole.
    ASSERT_TRUE(::OpenClipboard(nullptr));
    auto copy = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    ASSERT_NE(copy, nullptr);
    BITMAP size{};
    ASSERT_NE(::GetObjectA(copy, sizeof size, &size), 0);
    EXPECT_EQ(size.bmWidth, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(size.bmHeight, ::GetSystemMetrics(SM_CYSCREEN));
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(memory, copy);
    EXPECT_EQ(::GetPixel(memory, 54, 64), RGB(0, 200, 0));
    EXPECT_NE(::GetPixel(memory, 60, 64), RGB(0, 200, 0));
    ::SelectObject(memory, old);
    ::DeleteDC(memory);

    // Without the clipboard flag, what the user had there stays.
    ::EmptyClipboard();
    HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, 5);
    std::memcpy(::GlobalLock(text), "keep", 5);
    ::GlobalUnlock(text);
    ::SetClipboardData(CF_TEXT, text);
    ::CloseClipboard();
    SnapshotSettings settings =
        SnapshotSettings::Defaults(platform::ToWindowsPath(folder_.path()) + "\\");
    settings.toClipboard = 0;
    ASSERT_TRUE(settings.Save(DataFile("snapshot.dat").c_str()));
    script.When<CCaptureResultDlg>(closeResult);
    ::PostMessageA(frame, WM_CAPTURE_FULL, 0, 0);
    platform::PumpUntilIdle();
    ASSERT_TRUE(script.done());
    ASSERT_TRUE(::OpenClipboard(nullptr));
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_BITMAP));
    auto kept = static_cast<HGLOBAL>(::GetClipboardData(CF_TEXT));
    ASSERT_NE(kept, nullptr);
    EXPECT_STREQ(static_cast<const char*>(::GlobalLock(kept)), "keep");
    ::GlobalUnlock(kept);
    ::CloseClipboard();
    platform::ResetClipboardForTesting();
}

TEST_F(MainFrameTest, AnAreaCaptureWithoutAPictureOfTheScreenStillShowsItsResult) {
    HWND frame = MakeFrame().m_hWnd;
    platform::Surface* screen = platform::GetScreenSurface();
    platform::SetScreenSurface(nullptr);
    DialogScript script;
    script.When<CCaptureOverlayDlg>([](HWND overlay) {
        // What the capture hooks report: a click at each corner, then one to accept.
        ::PostMessageA(overlay, WM_HOOK_MOUSE, 1, MAKELPARAM(10, 10));
        ::PostMessageA(overlay, WM_HOOK_MOUSE, 0, MAKELPARAM(110, 60));
        ::PostMessageA(overlay, WM_HOOK_MOUSE, 1, MAKELPARAM(110, 60));
        ::PostMessageA(overlay, WM_HOOK_MOUSE, 1, MAKELPARAM(110, 60));
    });
    std::string description;
    bool pictured = true;
    script.When<CCaptureResultDlg>([&](HWND result) {
        char text[256] = {};
        ::GetDlgItemTextA(result, IDC_CAPTURE_DESCRIPTION, text, sizeof text);
        description = text;
        pictured = dynamic_cast<CCaptureResultDlg*>(CWnd::FromHandlePermanent(result))
                       ->preview()
                       .HasBitmap();
        ::PostMessageA(result, WM_COMMAND, IDC_CLOSE_RESULT, 0);
    });
    ::PostMessageA(frame, WM_CAPTURE_AREA, 0, 0);
    platform::PumpUntilIdle();
    platform::SetScreenSurface(screen);
    EXPECT_TRUE(script.done());
    // Nothing to save, so no folder is named.
    EXPECT_EQ(description, "屏捕信息 [宽=100, 高=50]");
    EXPECT_FALSE(pictured);
    EXPECT_EQ(SnapshotCount(), 0u);
}

}  // namespace
