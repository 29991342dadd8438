// The tray companion on a desktop (an X server of its own, from xvfb-run): its boss key pressed
// while another X client, which knows nothing of the platform, has the focus. The program runs in
// a process of its own on a temporary program folder; the test is another desktop client that
// reads the X server's state back with the X tools.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/link/Link.h"
#include "platform/testing/ChildProcess.h"
#include "platform/testing/ProgramFolder.h"
#include "platform/testing/PumpUntil.h"
#include "platform/testing/ShellCommand.h"
#include "platform/testing/TempFolder.h"
#include "platform/windows/ProcessWindows.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

// After GoogleTest, whose own None the macro of Xlib would spoil.
#include <X11/Xlib.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;
using platform::testing::Shell;
using platform::testing::Xdotool;

// Programs on an X server take longer than the tray's window tests allow.
template <typename Condition>
bool Eventually(Condition ready) {
    return platform::testing::PumpUntil(ready, 15s);
}

// A window of an X client with no part in the platform.
class UnrelatedWindow {
public:
    UnrelatedWindow() {
        display_ = XOpenDisplay(nullptr);
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 500, 300, 240, 160, 0,
                                      0, 0x3060C0);
        XStoreName(display_, window_, "Boss target");
        XSelectInput(display_, window_, KeyPressMask);
        XMapWindow(display_, window_);
        XSync(display_, False);
    }
    ~UnrelatedWindow() {
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    std::string id() const { return std::to_string(window_); }
    bool GotKeyPress() {
        XSync(display_, False);
        XEvent event;
        return XCheckTypedWindowEvent(display_, window_, KeyPress, &event);
    }
    std::string MapState() const {
        return Shell("xwininfo -id " + id() + " | sed -n 's/.*Map State: //p'");
    }

private:
    Display* display_ = nullptr;
    Window window_ = 0;
};

class TrayDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr || std::getenv("PLATFORM_DESKTOP_TESTS") == nullptr) {
            GTEST_SKIP() << "needs an X server of its own: the desktop tests run under xvfb-run";
        }
        ::setenv("PLATFORM_LINK_DIR", (outside_.path() / "link").c_str(), 1);
        ::setenv("PLATFORM_REGISTRY_FILE", (outside_.path() / "registry.dat").c_str(), 1);
        ASSERT_TRUE(platform::ConnectWindowsToLink());
        ASSERT_FALSE(platform::testing::LayOutProgramFolder(folder_.path(), DVTP_PROGRAM_FOLDER,
                                                            DVTP_PATH, "dvtp.exe", {HOOKPAD_PATH})
                         .empty());
    }
    void TearDown() override {
        // Started by the manager, the tray is not this test's child.
        if (tray_ > 0 && tray_ != pid_) {
            kill(tray_, SIGTERM);
        }
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        platform::DisconnectWindowsFromLink();
    }

    // Starts `program` of the folder on the desktop (the tray, or the manager that starts it) and
    // waits until the tray's keyboard hook is in place.
    void Start(const char* program = "dvtp.exe") {
        std::vector<std::string> variables = {"PLATFORM_DISPLAY=desktop",
                                              "HOME=" + folder_.path().string()};
        for (char** entry = environ; *entry != nullptr; ++entry) {
            variables.emplace_back(*entry);
        }
        std::vector<char*> envp;
        for (std::string& variable : variables) {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);
        std::string path = (folder_.path() / program).string();
        char* argv[] = {path.data(), nullptr};
        ASSERT_EQ(posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv, envp.data()), 0);
        ASSERT_TRUE(Eventually([&] {
            const auto holders = platform::link::HookHolders(WH_KEYBOARD);
            tray_ = holders.size() == 1 ? static_cast<pid_t>(holders[0]) : -1;
            return tray_ > 0;
        }));
    }

    platform::testing::TempFolder outside_;
    platform::testing::TempFolder folder_;
    pid_t pid_ = -1;
    pid_t tray_ = -1;
};

TEST_F(TrayDesktopTest, TheBossKeyTypedInTheManagersWindowReachesTheTray) {
    ASSERT_FALSE(platform::testing::LayOutProgramFolder(folder_.path(), {}, DESKVANE_PATH, "dv.exe")
                     .empty());
    UnrelatedWindow other;
    Start("dv.exe");
    ASSERT_NE(tray_, pid_);
    const char8_t title[] = u8"Deskvane - 管理中心";
    std::string manager;
    ASSERT_TRUE(Eventually([&] {
        manager = Shell("xdotool search --onlyvisible --name '" +
                        std::string(title, title + sizeof(title) - 1) + "' | head -1");
        return !manager.empty();
    }));
    // The manager's web controls loaded the page engine; the tray, which has none, runs on the
    // desktop without it.
    EXPECT_TRUE(platform::testing::ProcessMaps(pid_, "libwebkit2gtk"));
    EXPECT_TRUE(platform::testing::ProcessMaps(tray_, "/desktopdisplay.so"));
    EXPECT_FALSE(platform::testing::ProcessMaps(tray_, "libwebkit2gtk"));
    Xdotool("windowfocus --sync " + manager);
    Xdotool("key ctrl+alt+Return");
    EXPECT_TRUE(Eventually([&] { return other.MapState() == "IsUnMapped"; })) << other.MapState();
    EXPECT_FALSE(other.GotKeyPress());
    // The manager minimises its own window as the tray asks it to (an X server without a window
    // manager keeps it mapped).
    EXPECT_TRUE(Eventually([] {
        HWND window = ::FindWindowA(nullptr, "Deskvane - 管理中心");
        return window != nullptr && ::IsIconic(window);
    }));
}

TEST_F(TrayDesktopTest, TheBossKeyPressedInAnUnrelatedWindowMinimisesIt) {
    UnrelatedWindow other;
    Start();
    Xdotool("windowfocus --sync " + other.id());
    // The default boss key, Ctrl+Alt+Enter, shows the desktop: every main window is minimised,
    // the one with the focus too. The hook cannot eat the key: the window gets it as well.
    Xdotool("key ctrl+alt+Return");
    EXPECT_TRUE(Eventually([&] { return other.MapState() == "IsUnMapped"; })) << other.MapState();
    EXPECT_TRUE(other.GotKeyPress());

    // Set to bring that window back (Ctrl+Alt+Enter, target 1, its title), the key restores it.
    std::string record(
        "\x0D\x01\x01\x00\x01\x00\x00\x00"
        "Boss target",
        19);
    record.resize(308, '\0');
    std::filesystem::create_directories(folder_.path() / "data3");
    std::ofstream(folder_.path() / "data3" / "bosskey.dat", std::ios::binary) << record;
    ::PostMessageA(::FindWindowA(nullptr, "DeskvaneTP"), 1030, 0, 0);
    Xdotool("key ctrl+alt+Return");
    EXPECT_TRUE(Eventually([&] { return other.MapState() == "IsViewable"; })) << other.MapState();
}

}  // namespace
