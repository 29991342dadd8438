// The desktop and the platform keep each window's state in step both ways: what the window
// manager, the task bar or the X focus does to a window reaches the program as the messages of
// the original system, and windows of every kind behave as a person expects there.
#include <atomic>
#include <thread>

#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlClasses.h"
#include "platform/controls/Menu.h"
#include "platform/controls/PopupMenu.h"
#include "platform/display/desktop/DesktopTest.h"
#include "platform/windows/WindowPlatform.h"

namespace platform::testing {
namespace {

struct Heard {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
};

std::vector<Heard>& heard() {
    static std::vector<Heard> messages;
    return messages;
}

LRESULT CALLBACK Listen(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
        case WM_ACTIVATEAPP:
        case WM_KILLFOCUS:
        case WM_SYSCOMMAND:
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
            heard().push_back(Heard{hwnd, message, wParam});
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool WasHeard(HWND hwnd, UINT message, WPARAM wParam) {
    for (const auto& entry : heard()) {
        if (entry.hwnd == hwnd && entry.message == message && entry.wParam == wParam) {
            return true;
        }
    }
    return false;
}

class GtkPresenterWindowsTest : public DesktopTest {
protected:
    static constexpr char kListenerClass[] = "DesktopListenerWindow";

    void SetUp() override {
        DesktopTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Listen;
        windowClass.lpszClassName = kListenerClass;
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClassA(&windowClass);
        heard().clear();
    }
    void TearDown() override {
        for (HWND hwnd : listeners_) {
            DestroyWindow(hwnd);
        }
        DesktopTest::TearDown();
    }

    HWND CreateListener(const char* title, DWORD style, const RECT& rect, DWORD exStyle = 0) {
        HWND hwnd = CreateWindowExA(exStyle, kListenerClass, title, style, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, nullptr,
                                    nullptr, nullptr, nullptr);
        listeners_.push_back(hwnd);
        return hwnd;
    }

    // The X window the desktop shows for the window titled `title`, once mapped.
    static std::string XWindowOf(const std::string& title) {
        std::string id;
        PumpUntil([&] {
            id = Shell("xdotool search --onlyvisible --name '^" + title + "$' | head -1");
            return !id.empty();
        });
        return id;
    }

    static RECT RectOf(HWND hwnd) {
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        return rect;
    }

private:
    std::vector<HWND> listeners_;
};

::testing::AssertionResult Same(const RECT& a, const RECT& b) {
    if (a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << a.left << "," << a.top << "," << a.right << "," << a.bottom << " is not " << b.left
           << "," << b.top << "," << b.right << "," << b.bottom;
}

// Sets the window manager's state of an X window as a window manager does: the given
// _NET_WM_STATE atoms, none to clear it.
void SetWindowManagerState(const std::string& id, const std::vector<const char*>& states) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    std::vector<Atom> atoms;
    for (const char* state : states) {
        atoms.push_back(XInternAtom(display, state, False));
    }
    XChangeProperty(display, std::stoul(id), XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM,
                    32, PropModeReplace, reinterpret_cast<unsigned char*>(atoms.data()),
                    static_cast<int>(atoms.size()));
    XCloseDisplay(display);
}

TEST_F(GtkPresenterWindowsTest, MinimiseMaximiseAndRestoreFromTheDesktopReachTheProgram) {
    const RECT place{100, 100, 500, 400};
    HWND hwnd = CreateListener("Sync state", WS_OVERLAPPEDWINDOW | WS_VISIBLE, place);
    const std::string id = XWindowOf("Sync state");
    ASSERT_FALSE(id.empty());

    // Without a window manager the tests unmap and map the window as one does when the task bar
    // minimises and restores it.
    Xdotool("windowunmap --sync " + id);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(hwnd) != FALSE; }));
    EXPECT_TRUE(WasHeard(hwnd, WM_SYSCOMMAND, SC_MINIMIZE));
    // A new title must not bring the minimised window back.
    SetWindowTextA(hwnd, "Sync state renamed");
    ASSERT_TRUE(
        PumpUntil([&] { return !Shell("xdotool search --name '^Sync state renamed$'").empty(); }));
    EXPECT_EQ(Shell("xdotool search --onlyvisible --name '^Sync state renamed$'"), "");
    EXPECT_TRUE(IsIconic(hwnd));

    Xdotool("windowmap --sync " + id);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(hwnd) == FALSE; }));
    EXPECT_TRUE(WasHeard(hwnd, WM_SYSCOMMAND, SC_RESTORE));
    EXPECT_TRUE(Same(RectOf(hwnd), place));

    // Minimised by its own button, restored from the task bar: back at its place, not parked.
    ShowWindow(hwnd, SW_MINIMIZE);
    platform::PumpUntilIdle();
    Xdotool("windowunmap --sync " + id);
    Xdotool("windowmap --sync " + id);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(hwnd) == FALSE; }));
    EXPECT_TRUE(Same(RectOf(hwnd), place));
    EXPECT_EQ(Shell("xdotool getwindowgeometry " + id + " | grep Position"),
              "  Position: 100,100 (screen: 0)");

    // The window manager's maximise and restore.
    heard().clear();
    SetWindowManagerState(id, {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"});
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(hwnd) != FALSE; }));
    EXPECT_TRUE(WasHeard(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE));
    SetWindowManagerState(id, {});
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(hwnd) == FALSE; }));
    EXPECT_TRUE(WasHeard(hwnd, WM_SYSCOMMAND, SC_RESTORE));
    EXPECT_TRUE(Same(RectOf(hwnd), place));

    // Maximised by the program, which the window manager confirms, then restored by the desktop:
    // the program hears that as well.
    ShowWindow(hwnd, SW_MAXIMIZE);
    const RECT maximised = RectOf(hwnd);
    // The desktop moves the window at once and sizes it a moment later; the platform keeps its
    // place meanwhile.
    const std::string maximisedSize =
        "  Geometry: " + std::to_string(maximised.right - maximised.left) + "x" +
        std::to_string(maximised.bottom - maximised.top);
    EXPECT_TRUE(PumpUntil([&] {
        return Shell("xdotool getwindowgeometry " + id + " | grep Geometry") == maximisedSize;
    }));
    EXPECT_TRUE(Same(RectOf(hwnd), maximised));
    SetWindowManagerState(id, {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"});
    std::this_thread::sleep_for(300ms);
    heard().clear();
    SetWindowManagerState(id, {});
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(hwnd) == FALSE; }));
    EXPECT_TRUE(WasHeard(hwnd, WM_SYSCOMMAND, SC_RESTORE));
    EXPECT_FALSE(WasHeard(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE));
    EXPECT_TRUE(Same(RectOf(hwnd), place));
}

TEST_F(GtkPresenterWindowsTest, MovesAndSizesMadeByTheWindowManagerAreFollowed) {
    HWND hwnd =
        CreateListener("Sync place", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    const std::string id = XWindowOf("Sync place");
    ASSERT_FALSE(id.empty());

    Xdotool("windowmove --sync " + id + " 240 180");
    ASSERT_TRUE(PumpUntil([&] {
        return Same(RectOf(hwnd), RECT{240, 180, 540, 380});
    })) << RectOf(hwnd).left
        << "," << RectOf(hwnd).top;
    Xdotool("windowsize --sync " + id + " 360 260");
    ASSERT_TRUE(PumpUntil([&] {
        return Same(RectOf(hwnd), RECT{240, 180, 600, 440});
    })) << RectOf(hwnd).right
        << "," << RectOf(hwnd).bottom;

    // Picture and clicks are where the window now is: its client area is white at the new
    // place, and a click there reaches it at the matching client point.
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT inside{client.right / 2, client.bottom / 2};
    ClientToScreen(hwnd, &inside);
    EXPECT_TRUE(PumpUntil(
        [&] { return PixelOfWindow("root", inside.x, inside.y) == "srgb(255,255,255)"; }));
    Xdotool("mousemove --sync " + std::to_string(inside.x) + " " + std::to_string(inside.y) +
            " click 1");
    EXPECT_TRUE(PumpUntil([&] { return WasHeard(hwnd, WM_LBUTTONDOWN, MK_LBUTTON); }));

    // The pointer leaving for another program takes the platform's cursor along.
    OtherClientWindow other;
    Xdotool("mousemove --sync 700 450");
    POINT cursor{};
    EXPECT_TRUE(PumpUntil([&] {
        GetCursorPos(&cursor);
        return cursor.x == 700 && cursor.y == 450;
    })) << cursor.x
        << "," << cursor.y;
}

TEST_F(GtkPresenterWindowsTest, TheXFocusActivatesDeactivatesAndTakesTheKeyState) {
    HWND first =
        CreateListener("Focus first", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{60, 60, 360, 260});
    HWND second =
        CreateListener("Focus second", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{400, 60, 700, 260});
    RegisterControlClasses();
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24,
                                second, nullptr, nullptr, nullptr);
    const std::string firstId = XWindowOf("Focus first");
    const std::string secondId = XWindowOf("Focus second");
    ASSERT_FALSE(firstId.empty());
    ASSERT_FALSE(secondId.empty());
    OtherClientWindow other;

    Xdotool("windowfocus --sync " + firstId);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == first; }));
    // Switching between two windows of one program: the keys follow the X focus, and the
    // program stays the active one.
    Xdotool("windowfocus --sync " + secondId);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == second && GetFocus() == second; }));
    EXPECT_TRUE(WasHeard(first, WM_ACTIVATE, WA_INACTIVE));
    EXPECT_FALSE(WasHeard(first, WM_ACTIVATEAPP, FALSE));
    SetFocus(edit);
    Xdotool("key y");
    ASSERT_TRUE(PumpUntil([&] { return GetWindowTextLengthA(edit) == 1; }));
    EXPECT_FALSE(WasHeard(first, WM_KEYDOWN, 'Y'));

    // Control goes down here and up in another program, which deactivates the window; Caps Lock
    // is toggled there.
    Xdotool("keydown ctrl");
    ASSERT_TRUE(PumpUntil([&] { return GetKeyState(VK_CONTROL) < 0; }));
    heard().clear();
    Xdotool("windowfocus --sync " + other.id());
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == nullptr; }));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(WasHeard(second, WM_ACTIVATE, WA_INACTIVE));
    EXPECT_TRUE(WasHeard(first, WM_ACTIVATEAPP, FALSE));
    EXPECT_TRUE(WasHeard(second, WM_ACTIVATEAPP, FALSE));
    // The other program's window is the foreground now (the desktop's window list is read again
    // at most every 200 ms).
    EXPECT_TRUE(
        PumpUntil([] { return GetForegroundWindow() == FindWindowA(nullptr, "Other client"); }));
    Xdotool("keyup ctrl");
    Xdotool("key Caps_Lock");

    // Back: the edit control has the focus again and takes the keys.
    Xdotool("windowfocus --sync " + secondId);
    const bool back = PumpUntil([&] { return GetActiveWindow() == second; });
    const SHORT control = GetKeyState(VK_CONTROL);
    const SHORT capsLock = GetKeyState(VK_CAPITAL);
    Xdotool("key Caps_Lock");
    ASSERT_TRUE(back);
    EXPECT_TRUE(WasHeard(second, WM_ACTIVATEAPP, TRUE));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_GE(control, 0);
    EXPECT_EQ(capsLock & 1, 1);
    Xdotool("key z");
    EXPECT_TRUE(PumpUntil([&] { return GetWindowTextLengthA(edit) == 2; }));
}

TEST_F(GtkPresenterWindowsTest, AClickOnAnotherProgramClosesADropDownListAndAPopupMenu) {
    RegisterControlClasses();
    HWND owner =
        CreateListener("Menu owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{60, 60, 460, 360});
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10,
                                 10, 200, 150, owner, nullptr, nullptr, nullptr);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("First"));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Second"));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    const std::string id = XWindowOf("Menu owner");
    ASSERT_FALSE(id.empty());
    Xdotool("windowfocus --sync " + id);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == owner; }));
    OtherClientWindow other;

    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        list = FindWindowExA(nullptr, nullptr, "ComboLBox", nullptr);
        return list != nullptr && IsWindowVisible(list);
    }));
    // Give the presenter the time to map the list.
    std::this_thread::sleep_for(300ms);
    Xdotool("mousemove --sync 700 450 click 1");
    EXPECT_TRUE(PumpUntil([&] { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; }));
    // The choice stays as it was, and the owner keeps the activation.
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(GetActiveWindow(), owner);

    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 101, "First");
    AppendMenuA(menu, MF_STRING, 102, "Second");

    std::atomic<bool> clicking = false;
    std::atomic<bool> escaped = false;
    std::atomic<bool> returned = false;
    std::thread user([&] {
        PumpUntil([] {
            for (HWND popup = FindWindowExA(nullptr, nullptr, "#32768", nullptr); popup != nullptr;
                 popup = FindWindowExA(nullptr, popup, "#32768", nullptr)) {
                if (IsWindowVisible(popup)) {
                    return true;
                }
            }
            return false;
        });
        // Give the presenter the time to map the menu, then click on the other program.
        std::this_thread::sleep_for(300ms);
        clicking = true;
        std::system("xdotool mousemove --sync 720 470 click 1");
        // If the click did not close it, Esc does, so that the test ends.
        for (int waited = 0; waited < 150 && !returned; ++waited) {
            std::this_thread::sleep_for(20ms);
        }
        if (!returned) {
            escaped = true;
            std::system("xdotool key Escape");
        }
    });
    const BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
    const bool closedAfterTheClick = clicking;
    returned = true;
    user.join();
    DestroyMenu(menu);
    EXPECT_EQ(chosen, 0);
    EXPECT_TRUE(closedAfterTheClick);
    EXPECT_FALSE(escaped) << "only Esc closed the menu";
}

TEST_F(GtkPresenterWindowsTest, TheZOrderIsKeptInStepBothWaysWithoutGhostsInOverlaps) {
    // Windows of one colour each, without a caption, so that any pixel of an overlap tells
    // which window the X server shows there.
    const auto registerColour = [](const char* name, COLORREF colour) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = name;
        windowClass.hbrBackground = CreateSolidBrush(colour);
        RegisterClassA(&windowClass);
    };
    registerColour("DesktopRedWindow", RGB(200, 0, 0));
    registerColour("DesktopBlueWindow", RGB(0, 0, 200));
    struct Windows {
        std::vector<HWND> all;
        ~Windows() {
            for (HWND hwnd : all) {
                DestroyWindow(hwnd);
            }
        }
        HWND Create(const char* className, const char* title, const RECT& rect) {
            all.push_back(CreateWindowExA(0, className, title, WS_POPUP | WS_VISIBLE, rect.left,
                                          rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                          nullptr, nullptr, nullptr, nullptr));
            return all.back();
        }
    } windows;
    const std::string red = "srgb(200,0,0)";
    const std::string blue = "srgb(0,0,200)";
    const std::string green = "srgb(32,192,64)";
    const auto showsAt = [](int x, int y, const std::string& colour) {
        return PumpUntil([&] { return PixelOfWindow("root", x, y) == colour; }, 4s);
    };
    OtherClientWindow other;  // 600,400 200x150, green

    HWND lower = windows.Create("DesktopBlueWindow", "Stack lower", RECT{250, 200, 550, 400});
    HWND upper = windows.Create("DesktopRedWindow", "Stack upper", RECT{100, 100, 400, 300});
    const std::string lowerId = XWindowOf("Stack lower");
    ASSERT_FALSE(lowerId.empty());
    ASSERT_FALSE(XWindowOf("Stack upper").empty());
    ASSERT_TRUE(showsAt(300, 250, red));

    // Another client raises the lower window: the platform follows, and the overlap shows that
    // window's own pixels, not the other window's that the platform's picture had there.
    Xdotool("windowraise " + lowerId);
    EXPECT_TRUE(showsAt(300, 250, blue));
    EXPECT_TRUE(PumpUntil([&] { return WindowFromPoint(POINT{300, 250}) == lower; }));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(PixelOfWindow("root", 300, 250), blue);

    // Sent to the bottom by the platform: below the other program's window too.
    HWND bottom = windows.Create("DesktopRedWindow", "Stack bottom", RECT{650, 420, 750, 520});
    ASSERT_TRUE(showsAt(700, 470, red));
    SetWindowPos(bottom, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(showsAt(700, 470, green));

    // Raised by the platform again, then covered by the other program: a later change of the
    // platform's order raises what the platform raised, and lifts nothing above the other
    // program's window.
    SetWindowPos(bottom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(showsAt(700, 470, red));
    Xdotool("windowraise " + other.id());
    ASSERT_TRUE(showsAt(700, 470, green));
    // The desktop's window list, read again at most every 200 ms, has the other window on top.
    ASSERT_TRUE(PumpUntil([] {
        return GetWindow(GetDesktopWindow(), GW_CHILD) == FindWindowA(nullptr, "Other client");
    }));
    SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(showsAt(300, 250, red));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(PixelOfWindow("root", 700, 470), green);
}

TEST_F(GtkPresenterWindowsTest, ACaptionlessPopupWindowTakesTheKeyboard) {
    HWND popup =
        CreateListener("Captionless", WS_POPUP | WS_BORDER | WS_VISIBLE, RECT{200, 200, 500, 340});
    const std::string id = XWindowOf("Captionless");
    ASSERT_FALSE(id.empty());
    Xdotool("windowfocus --sync " + id);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == popup; }));
    Xdotool("key k");
    EXPECT_TRUE(PumpUntil([&] { return WasHeard(popup, WM_KEYDOWN, 'K'); }));
}

}  // namespace
}  // namespace platform::testing
