// Support for the tests of the desktop itself: they run under an X server of their own
// (xvfb-run), start the presenter in the test process, drive the desktop with xdotool and read
// its windows and pixels back with the X tools, as a person would see them.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/display/Display.h"
#include "platform/screen/ScreenApi.h"
#include "platform/testing/PumpUntil.h"
#include "platform/testing/ShellCommand.h"
#include "platform/windows/WindowApi.h"

// After GoogleTest, whose own None the macro of Xlib would spoil.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace platform::testing {

using namespace std::chrono_literals;

// The colour of a pixel of an X window (or of the root window for "root"), as ImageMagick names
// it: "srgb(255,0,0)".
inline std::string PixelOfWindow(const std::string& window, int x, int y) {
    return Shell("import -silent -window " + window + " -crop 1x1+" + std::to_string(x) + "+" +
                 std::to_string(y) + " -format '%[pixel:p{0,0}]' info:- 2>/dev/null");
}

// Photographs an X window ("root -crop WxH+X+Y" for part of the screen) into the test output
// folder, for a person to look at.
inline void SaveScreenshot(const std::string& window, const std::string& name) {
    const std::filesystem::path folder = PROJECT_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(folder);
    const std::string command =
        "import -silent -window " + window + " '" + (folder / name).string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// A window of another X client: a connection of the test's own, not the presenter's.
// Its picture is one colour.
class OtherClientWindow {
public:
    OtherClientWindow() {
        display_ = XOpenDisplay(nullptr);
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 600, 400, 200, 150, 0,
                                      0, 0x20C040);
        XStoreName(display_, window_, "Other client");
        XMapWindow(display_, window_);
        XSync(display_, False);
    }
    ~OtherClientWindow() {
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    std::string id() const { return std::to_string(window_); }
    // Marks the window as one of another platform program, which relays its own input.
    void MarkAsPlatformWindow() {
        const long process = 1;
        XChangeProperty(display_, window_, XInternAtom(display_, "_PLATFORM_WINDOW", False),
                        XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&process), 1);
        XSync(display_, False);
    }
    // Whether the window has been asked to close (WM_DELETE_WINDOW) since the last call.
    bool AskedToClose() {
        XSync(display_, False);
        XEvent event;
        bool asked = false;
        while (XCheckTypedWindowEvent(display_, window_, ClientMessage, &event)) {
            asked = asked || static_cast<Atom>(event.xclient.data.l[0]) ==
                                 XInternAtom(display_, "WM_DELETE_WINDOW", False);
        }
        return asked;
    }

private:
    Display* display_ = nullptr;
    Window window_ = 0;
};

// Records the messages its windows get.
struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class DesktopTest : public ::testing::Test {
protected:
    static constexpr char kClassName[] = "DesktopTestWindow";

    // The test's desktop has a panel along the top, 32 pixels high, as a window manager that
    // supports nothing else announces it.
    static constexpr RECT kWorkArea{0, 32, 1024, 768};

    static void SetUpTestSuite() {
        if (std::getenv("PLATFORM_DESKTOP_TESTS") == nullptr) {
            return;
        }
        static const bool started = [] {
            AnnounceWorkArea();
            setenv("PLATFORM_DISPLAY", "desktop", 1);
            InstallScreen();
            StartDisplay();
            return true;
        }();
        (void)started;
    }

    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr || std::getenv("PLATFORM_DESKTOP_TESTS") == nullptr) {
            GTEST_SKIP() << "needs an X server of its own: the desktop tests run under xvfb-run";
        }
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Record;
        windowClass.lpszClassName = kClassName;
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClassA(&windowClass);
        received().clear();
    }
    void TearDown() override {
        for (HWND hwnd : windows_) {
            DestroyWindow(hwnd);
        }
    }

    HWND CreateTestWindow(const char* title, DWORD style, const RECT& rect) {
        HWND hwnd = CreateWindowExA(0, kClassName, title, style, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, nullptr,
                                    nullptr, nullptr, nullptr);
        windows_.push_back(hwnd);
        return hwnd;
    }

    static std::vector<ReceivedMessage>& received() {
        static std::vector<ReceivedMessage> messages;
        return messages;
    }
    // The messages of number `message` received so far, as their lParam values (their wParam
    // values with `wParams`).
    static std::vector<LPARAM> ParametersOf(UINT message, bool wParams = false) {
        std::vector<LPARAM> found;
        for (const ReceivedMessage& entry : received()) {
            if (entry.message == message) {
                found.push_back(wParams ? static_cast<LPARAM>(entry.wParam) : entry.lParam);
            }
        }
        return found;
    }

private:
    // Sets the window manager's properties of the work area on the root window; the connection
    // stays open, since the supporting window lives only as long as it.
    static void AnnounceWorkArea() {
        Display* display = XOpenDisplay(nullptr);
        if (display == nullptr) {
            return;
        }
        const Window root = DefaultRootWindow(display);
        Window check = XCreateSimpleWindow(display, root, -10, -10, 1, 1, 0, 0, 0);
        auto atom = [display](const char* name) { return XInternAtom(display, name, False); };
        auto setWindow = [&](Window on, const char* name, Window value) {
            XChangeProperty(display, on, atom(name), XA_WINDOW, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(&value), 1);
        };
        setWindow(check, "_NET_SUPPORTING_WM_CHECK", check);
        setWindow(root, "_NET_SUPPORTING_WM_CHECK", check);
        Atom supported[] = {atom("_NET_WORKAREA")};
        XChangeProperty(display, root, atom("_NET_SUPPORTED"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(supported), 1);
        long area[] = {kWorkArea.left, kWorkArea.top, kWorkArea.right - kWorkArea.left,
                       kWorkArea.bottom - kWorkArea.top};
        XChangeProperty(display, root, atom("_NET_WORKAREA"), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(area), 4);
        long desktop = 0;
        XChangeProperty(display, root, atom("_NET_CURRENT_DESKTOP"), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<unsigned char*>(&desktop), 1);
        XSync(display, False);
    }

    static LRESULT CALLBACK Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message >= WM_APP || message == WM_HOTKEY || message == WM_KEYDOWN ||
            message == WM_KEYUP || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
            received().push_back(ReceivedMessage{message, wParam, lParam});
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    std::vector<HWND> windows_;
};

}  // namespace platform::testing
