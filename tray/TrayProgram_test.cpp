// The tray companion itself in processes of its own, on a temporary program folder: one copy at a
// time, a clean end on SIGTERM, its hook reaching keys of other programs, captures, backups, and
// settings and plans that the manager saves taking effect at once.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "manager/BackupTask.h"
#include "manager/BossKeySettings.h"
#include "manager/ScheduleList.h"
#include "manager/SnapshotSettings.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/link/Link.h"
#include "platform/testing/EntryNames.h"
#include "platform/testing/ProgramFolder.h"
#include "platform/testing/PumpUntil.h"
#include "platform/testing/ShellCommand.h"
#include "platform/testing/TempFolder.h"
#include "platform/windows/ProcessWindows.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"
#include "tray/TrayTest.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
using platform::testing::EntryNames;
using platform::testing::PumpUntil;
using platform::testing::Shell;

// Set by the manager's stand-in when it is told to close.
bool manager_closed = false;

// The tray program started with extra environment variables; still running at the end, it is
// killed.
class Tray {
public:
    Tray(const std::filesystem::path& program, std::vector<std::string> extra) {
        std::vector<std::string> variables = std::move(extra);
        for (char** entry = environ; *entry != nullptr; ++entry) {
            variables.emplace_back(*entry);
        }
        std::vector<char*> envp;
        for (std::string& variable : variables) {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);
        std::string path = program.string();
        char* argv[] = {path.data(), nullptr};
        if (posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
            pid_ = -1;
        }
    }
    ~Tray() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    pid_t pid() const { return pid_; }
    void Signal(int signal) const { kill(pid_, signal); }
    // The exit status; -1 when it did not end by itself within 10 s.
    int Wait() {
        const pid_t pid = pid_;
        pid_ = -1;
        for (int i = 0; i < 1000 && pid > 0; ++i) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(10ms);
        }
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        return -1;
    }

private:
    pid_t pid_ = -1;
};

class TrayProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("PLATFORM_LINK_DIR", (outside_.path() / "link").c_str(), 1);
        ::setenv("PLATFORM_REGISTRY_FILE", (outside_.path() / "registry.dat").c_str(), 1);
        platform::ResetWindowSystemForTesting();
        ASSERT_TRUE(platform::ConnectWindowsToLink());
        ASSERT_FALSE(platform::testing::LayOutProgramFolder(folder_.path(), DVTP_PROGRAM_FOLDER,
                                                            DVTP_PATH, "dvtp.exe", {HOOKPAD_PATH})
                         .empty());
    }
    void TearDown() override {
        if (orphan_ > 0 && ::FindWindowA(nullptr, kTrayTitle) != nullptr) {
            kill(orphan_, SIGKILL);
        }
        platform::DisconnectWindowsFromLink();
        platform::ResetWindowSystemForTesting();
        ::unsetenv("PLATFORM_REGISTRY_FILE");
        ::unsetenv("PLATFORM_LINK_DIR");
    }

    std::filesystem::path Program() const { return folder_.path() / "dvtp.exe"; }

    // Starts the program (with extra environment variables) and waits for its frame.
    void StartTray(std::vector<std::string> extra = {}) {
        tray_ = std::make_unique<Tray>(Program(), std::move(extra));
        ASSERT_TRUE(PumpUntil([&] {
            frame_ = ::FindWindowA(nullptr, kTrayTitle);
            return frame_ != nullptr;
        }));
    }
    std::uint32_t TrayId() const { return static_cast<std::uint32_t>(tray_->pid()); }
    // Waits until the tray alone holds hooks of `kind`.
    bool TrayHolds(int kind) const {
        return PumpUntil([&] {
            return platform::link::HookHolders(kind) == std::vector<std::uint32_t>{TrayId()};
        });
    }
    // Ends the program as the desktop session (SIGTERM) or a terminal (SIGINT) would; its exit
    // status.
    int StopTray(int signal = SIGTERM) {
        tray_->Signal(signal);
        return tray_->Wait();
    }
    // Posts a capture request (1031 to 1033); true once its mouse hooks are in (window and area),
    // or once the result dialog shows (full screen).
    bool RequestCapture(UINT message) {
        return ::PostMessageA(frame_, message, 0, 0) &&
               (message == 1031 ? PumpUntil(ResultShown) : TrayHolds(WH_MOUSE));
    }
    static bool ResultShown() { return ::FindWindowA(nullptr, "截屏管理") != nullptr; }
    // Closes the capture's result dialog as its close box does; true once it is gone.
    bool CloseResult() const {
        return ::PostMessageA(::FindWindowA(nullptr, "截屏管理"), WM_CLOSE, 0, 0) &&
               PumpUntil([] { return !ResultShown(); });
    }
    // Types the boss key, Ctrl+Alt+Enter, in this program.
    static void TypeBossKey() {
        for (BYTE key : {VK_CONTROL, VK_MENU, VK_RETURN}) {
            platform::InjectKey(key, true);
        }
        for (BYTE key : {VK_RETURN, VK_MENU, VK_CONTROL}) {
            platform::InjectKey(key, false);
        }
    }
    // ImageMagick's identify on `file` with its -format `format`.
    static std::string Identify(const std::filesystem::path& file, const char* format) {
        return Shell(std::string("identify -format '") + format + "' '" + file.string() + "'");
    }
    static HWND TopLevel(const char* className, const char* title, DWORD style, RECT at,
                         UINT classStyle = 0) {
        WNDCLASSA windowClass{};
        windowClass.style = classStyle;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = className;
        ::RegisterClassA(&windowClass);
        return ::CreateWindowExA(0, className, title, style, at.left, at.top, at.right - at.left,
                                 at.bottom - at.top, nullptr, nullptr, nullptr, nullptr);
    }

    // The windows of the process, as the link shows them.
    static std::vector<platform::link::WindowRecord> WindowsOf(pid_t pid) {
        std::vector<platform::link::WindowRecord> windows;
        for (auto& record : platform::link::ListWindows()) {
            if (record.processId == static_cast<std::uint32_t>(pid)) {
                windows.push_back(std::move(record));
            }
        }
        return windows;
    }

    platform::testing::TempFolder outside_;
    platform::testing::TempFolder folder_;
    std::unique_ptr<Tray> tray_;
    HWND frame_ = nullptr;
    pid_t orphan_ = -1;
};

TEST_F(TrayProgramTest, OneCopyRunsHiddenWithItsHookAndSigtermEndsItCleanly) {
    ASSERT_NO_FATAL_FAILURE(StartTray());
    ASSERT_TRUE(TrayHolds(WH_KEYBOARD));
    EXPECT_FALSE(::IsWindowVisible(frame_));

    Tray second(Program(), {});
    EXPECT_EQ(second.Wait(), 0);
    std::size_t frames = 0;
    for (const auto& record : platform::link::ListWindows()) {
        frames += record.title == kTrayTitle ? 1 : 0;
    }
    EXPECT_EQ(frames, 1u);

    EXPECT_EQ(StopTray(), 0);
    EXPECT_EQ(::FindWindowA(nullptr, kTrayTitle), nullptr);
    EXPECT_TRUE(platform::link::HookHolders(WH_KEYBOARD).empty());
}

TEST_F(TrayProgramTest, PlansSavedByTheManagerPopUpAtTheirMinute) {
    ASSERT_NO_FATAL_FAILURE(StartTray({"PLATFORM_CLOCK_START=2006-09-15 07:59:57"}));

    // The manager's own save writes data3\record.dat and tells the tray.
    FreeScheduleRecords();
    auto plan = std::make_unique<ScheduleRecord>();
    plan->year = 2006;
    plan->month = 9;
    plan->day = 15;
    plan->hour = 8;
    plan->text = "开会";
    ScheduleRecords().push_back(std::move(plan));
    const std::string records = platform::ToWindowsPath(folder_.path() / "data3" / "record.dat");
    ASSERT_EQ(SaveScheduleRecords(records.c_str()), 0);
    FreeScheduleRecords();

    // The pop-up slides up to its full size at the bottom right of the tray's 1024 x 768 screen.
    EXPECT_TRUE(PumpUntil(
        [&] {
            for (const auto& window : WindowsOf(tray_->pid())) {
                if (window.visible && window.rect.left == 700 && window.rect.top == 556 &&
                    window.rect.right == 1000 && window.rect.bottom == 736) {
                    return true;
                }
            }
            return false;
        },
        15s));
    EXPECT_EQ(StopTray(SIGINT), 0);
}

TEST_F(TrayProgramTest, FullScreenCapturesFollowTheScreenShotSettingsAndHoldHotKeysBack) {
    ASSERT_NO_FATAL_FAILURE(StartTray());
    ASSERT_TRUE(TrayHolds(WH_KEYBOARD));
    HWND work =
        TopLevel("BossWindow", "工作", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 500, 400});
    ASSERT_NE(work, nullptr);

    // The manager's request, with the settings the program comes with: a bitmap of the screen in
    // its Snapshot folder.
    ASSERT_TRUE(RequestCapture(1031));
    const std::vector<std::string> first = EntryNames(folder_.path() / "Snapshot");
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE(first[0].starts_with("Snapshot2"));
    EXPECT_EQ(Identify(folder_.path() / "Snapshot" / first[0], "%w %h %m"), "1024 768 BMP3");

    // Hot keys do nothing while the capture's dialog is open, and work again once it is closed.
    ::SetForegroundWindow(work);
    ::SetFocus(work);
    TypeBossKey();
    std::this_thread::sleep_for(500ms);
    platform::PumpUntilIdle();
    EXPECT_FALSE(::IsIconic(work));
    ASSERT_TRUE(CloseResult());
    TypeBossKey();
    EXPECT_TRUE(PumpUntil([&] { return ::IsIconic(work) != FALSE; }));

    // Not saved: the result dialog shows the picture and no file is written.
    const std::string settingsFile =
        platform::ToWindowsPath(folder_.path() / "data3" / "snapshot.dat");
    SnapshotSettings settings =
        SnapshotSettings::Defaults(platform::ToWindowsPath(folder_.path()) + "\\");
    settings.toFile = 0;
    ASSERT_TRUE(settings.Save(settingsFile.c_str()));
    ASSERT_TRUE(RequestCapture(1031));
    EXPECT_EQ(EntryNames(folder_.path() / "Snapshot").size(), 1u);
    ASSERT_TRUE(CloseResult());

    // Saved into a folder of the user's, named without a trailing separator, with a key of its
    // own pressed in this program.
    settings.toFile = 1;
    settings.SetFolder(platform::ToWindowsPath(outside_.path() / std::filesystem::path(u8"抓图")));
    settings.fullScreenKey = HotKeyRecord{VK_F9, 0, 0, 0};
    ASSERT_TRUE(settings.Save(settingsFile.c_str()));
    ASSERT_TRUE(TrayHolds(WH_KEYBOARD));
    HWND focus =
        TopLevel("KeyTarget", "按键", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 300, 200});
    ::SetForegroundWindow(focus);
    ::SetFocus(focus);
    // The key may overtake the settings' 1030; a key pressed again
    // while the capture runs or its dialog is open is held back.
    ASSERT_TRUE(PumpUntil([&] {
        platform::InjectKey(VK_F9, true);
        platform::InjectKey(VK_F9, false);
        return PumpUntil(ResultShown, 500ms);
    }));
    const std::filesystem::path chosen = outside_.path() / std::filesystem::path(u8"抓图");
    const std::vector<std::string> files = EntryNames(chosen);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(Identify(chosen / files[0], "%w %h"), "1024 768");
    EXPECT_EQ(EntryNames(folder_.path() / "Snapshot").size(), 1u);

    // Closed while the result dialog is open: the dialog ends first, then the program.
    EXPECT_EQ(StopTray(), 0);
    ::DestroyWindow(focus);
    ::DestroyWindow(work);
}

TEST_F(TrayProgramTest, AnAreaPickedWithTheMouseInAnotherProgramIsCaptured) {
    ASSERT_NO_FATAL_FAILURE(StartTray());
    // The mouse is in this program: a window over the whole screen takes it, and makes double
    // clicks of two quick clicks at one place.
    HWND target = TopLevel("CaptureTarget", "target", WS_POPUP | WS_VISIBLE, RECT{0, 0, 1024, 768},
                           CS_DBLCLKS);
    ASSERT_NE(target, nullptr);

    ASSERT_TRUE(RequestCapture(1033));
    auto click = [&](POINT at) {
        platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, at);
        platform::InjectMouse(MOUSEEVENTF_LEFTUP, at);
        platform::PumpUntilIdle();
    };
    // A right click after the first corner starts over.
    click({300, 300});
    platform::InjectMouse(MOUSEEVENTF_RIGHTDOWN, POINT{300, 300});
    platform::InjectMouse(MOUSEEVENTF_RIGHTUP, POINT{300, 300});
    click({10, 10});
    platform::InjectMouse(0, POINT{110, 60});
    click({110, 60});
    click({110, 60});
    ASSERT_TRUE(PumpUntil(ResultShown));

    const std::vector<std::string> files = EntryNames(folder_.path() / "Snapshot");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(Identify(folder_.path() / "Snapshot" / files[0], "%w %h"), "100 50");
    // The main hook is back.
    EXPECT_TRUE(PumpUntil([&] {
        return platform::link::HookHolders(WH_MOUSE).empty() &&
               platform::link::HookHolders(WH_KEYBOARD) == std::vector<std::uint32_t>{TrayId()};
    }));

    EXPECT_EQ(StopTray(), 0);
    ::DestroyWindow(target);
}

TEST_F(TrayProgramTest, EscLeavesAWindowCaptureAndAClickCapturesTheWindowInsideItsEdge) {
    ASSERT_NO_FATAL_FAILURE(StartTray());
    HWND target = TopLevel("CaptureWindow", "captured", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           RECT{100, 100, 500, 400});
    ASSERT_NE(target, nullptr);
    ::SetForegroundWindow(target);
    ::SetFocus(target);

    ASSERT_TRUE(RequestCapture(1032));
    platform::InjectKey(VK_ESCAPE, true);
    platform::InjectKey(VK_ESCAPE, false);
    ASSERT_TRUE(PumpUntil([&] { return platform::link::HookHolders(WH_MOUSE).empty(); }));
    // The tray's own keyboard hook stays once the capture's hooks are gone.
    EXPECT_TRUE(TrayHolds(WH_KEYBOARD));
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "Snapshot"));

    // A click on the window's caption takes it.
    ASSERT_TRUE(RequestCapture(1032));
    platform::InjectMouse(0, POINT{300, 300});
    platform::PumpUntilIdle();
    platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{300, 110});
    platform::InjectMouse(MOUSEEVENTF_LEFTUP, POINT{300, 110});
    ASSERT_TRUE(PumpUntil(ResultShown));
    const std::vector<std::string> files = EntryNames(folder_.path() / "Snapshot");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(Identify(folder_.path() / "Snapshot" / files[0], "%w %h"), "398 298");

    EXPECT_EQ(StopTray(), 0);
    ::DestroyWindow(target);
}

TEST_F(TrayProgramTest, ABackupTaskCopiesItsTreeOnceInItsMinute) {
    folder_.WriteFile("work/a.txt", "a");
    folder_.WriteFile("work/sub/b.txt", "bb");
    BackupTask task;
    task.kind = 0;
    task.hour = 8;
    const std::string source = platform::ToWindowsPath(folder_.path() / "work");
    const std::string destination = platform::ToWindowsPath(outside_.path() / "bak");
    std::snprintf(task.source, sizeof task.source, "%s", source.c_str());
    std::snprintf(task.destination, sizeof task.destination, "%s", destination.c_str());
    folder_.WriteFile("data3/backup.dat", SerializeBackupTasks({&task, 1}));

    ASSERT_NO_FATAL_FAILURE(StartTray({"PLATFORM_CLOCK_START=2006-09-15 07:59:58"}));
    const auto run =
        outside_.path() / "bak" / std::filesystem::path(u8"2006年09月15日星期五08时00分");
    ASSERT_TRUE(PumpUntil([&] { return std::filesystem::exists(run / "sub" / "b.txt"); }, 15s));
    EXPECT_TRUE(std::filesystem::exists(run / "a.txt"));
    // The next tick of the same minute finds the folder made and copies nothing again.
    std::filesystem::remove(run / "a.txt");
    std::this_thread::sleep_for(6s);
    EXPECT_FALSE(std::filesystem::exists(run / "a.txt"));
    EXPECT_EQ(EntryNames(outside_.path() / "bak").size(), 1u);

    EXPECT_EQ(StopTray(), 0);
}

TEST_F(TrayProgramTest, TheBossKeyTypedInAnotherProgramHidesItsWindowsAndBringsTheChosenOneBack) {
    ASSERT_NO_FATAL_FAILURE(StartTray());
    ASSERT_TRUE(TrayHolds(WH_KEYBOARD));
    HWND work =
        TopLevel("BossWindow", "工作", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 500, 400});
    ASSERT_NE(work, nullptr);
    ::SetForegroundWindow(work);
    ::SetFocus(work);
    platform::PumpUntilIdle();

    // Ctrl+Alt+Shift+Enter is not the boss key; Ctrl+Alt+Enter is, also once Shift was let go
    // while this program was off the link, where the tray's hook did not see it.
    for (BYTE key : {VK_CONTROL, VK_MENU, VK_SHIFT, VK_RETURN}) {
        platform::InjectKey(key, true);
    }
    platform::InjectKey(VK_RETURN, false);
    platform::PumpUntilIdle();
    std::this_thread::sleep_for(500ms);
    platform::PumpUntilIdle();
    EXPECT_FALSE(::IsIconic(work));
    platform::DisconnectWindowsFromLink();
    platform::InjectKey(VK_SHIFT, false);
    platform::PumpUntilIdle();
    ASSERT_TRUE(platform::ConnectWindowsToLink());
    ASSERT_TRUE(TrayHolds(WH_KEYBOARD));
    platform::InjectKey(VK_RETURN, true);
    platform::InjectKey(VK_RETURN, false);
    platform::InjectKey(VK_MENU, false);
    platform::InjectKey(VK_CONTROL, false);
    EXPECT_TRUE(PumpUntil([&] { return ::IsIconic(work) != FALSE; }));

    // Chosen by its title in the manager, the window comes back with the same key, typed in
    // another window.
    HWND other =
        TopLevel("BossWindow", "其他", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{200, 200, 500, 400});
    ::SetForegroundWindow(other);
    ::SetFocus(other);
    BossKeySettings boss;
    boss.target = 1;
    boss.SetTitle("工作");
    ASSERT_TRUE(
        boss.Save(platform::ToWindowsPath(folder_.path() / "data3" / "bosskey.dat").c_str()));
    // Saving posts 1030 to the tray, and the typed key may overtake that post: the key is typed
    // again until the chosen window is back (the old settings minimise every window instead, so
    // they never bring it back).
    EXPECT_TRUE(PumpUntil([&] {
        TypeBossKey();
        return PumpUntil([&] { return ::IsIconic(work) == FALSE; }, 500ms);
    }));

    EXPECT_EQ(StopTray(), 0);
    ::DestroyWindow(other);
    ::DestroyWindow(work);
}

TEST_F(TrayProgramTest, TheMenuRaisesTheManagerAndItsExitClosesBothPrograms) {
    ASSERT_NO_FATAL_FAILURE(StartTray());
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CLOSE) {
            manager_closed = true;
            return LRESULT{0};
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    };
    windowClass.lpszClassName = "ManagerStandIn";
    ::RegisterClassA(&windowClass);
    HWND manager = ::CreateWindowExA(0, "ManagerStandIn", "Deskvane - 管理中心",
                                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                     nullptr, nullptr, nullptr);
    ASSERT_NE(manager, nullptr);
    ::ShowWindow(manager, SW_MINIMIZE);

    // "打开管理中心" restores the running manager; none is started.
    ASSERT_TRUE(::PostMessageA(frame_, WM_COMMAND, 32778, 0));
    EXPECT_TRUE(PumpUntil([&] { return !::IsIconic(manager); }));
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "dv.exe"));

    // "退出" closes the manager too.
    ASSERT_TRUE(::PostMessageA(frame_, WM_COMMAND, 32796, 0));
    EXPECT_TRUE(PumpUntil([&] { return manager_closed; }));
    EXPECT_EQ(tray_->Wait(), 0);
    ::DestroyWindow(manager);
}

TEST_F(TrayProgramTest, TheManagerStartsTheTrayWhoseExitEndsBoth) {
    const auto managerProgram =
        platform::testing::LayOutProgramFolder(folder_.path(), {}, DESKVANE_PATH, "dv.exe");
    ASSERT_FALSE(managerProgram.empty());
    Tray manager(managerProgram, {});
    ASSERT_TRUE(PumpUntil([&] {
        frame_ = ::FindWindowA(nullptr, kTrayTitle);
        return frame_ != nullptr && ::FindWindowA(nullptr, "Deskvane - 管理中心") != nullptr;
    }));
    DWORD trayId = 0;
    ::GetWindowThreadProcessId(frame_, &trayId);
    ASSERT_NE(trayId, static_cast<DWORD>(manager.pid()));
    // Not this test's child: should it outlive the test, it is ended all the same.
    orphan_ = static_cast<pid_t>(trayId);
    EXPECT_TRUE(PumpUntil([&] {
        return platform::link::HookHolders(WH_KEYBOARD) ==
               std::vector<std::uint32_t>{static_cast<std::uint32_t>(trayId)};
    }));

    // "退出" ends the manager too.
    ASSERT_TRUE(::PostMessageA(frame_, WM_COMMAND, 32796, 0));
    EXPECT_EQ(manager.Wait(), 0);
    EXPECT_TRUE(PumpUntil([] { return ::FindWindowA(nullptr, kTrayTitle) == nullptr; }));
}

}  // namespace
