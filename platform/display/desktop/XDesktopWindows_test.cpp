#include "platform/display/XDesktopWindows.h"

#include "platform/display/desktop/DesktopTest.h"

// After GoogleTest, whose own None the macro of Xlib would spoil.
#include <X11/Xutil.h>

namespace platform::testing {
namespace {

class XDesktopWindowsTest : public DesktopTest {};

BOOL CALLBACK CountOwnTitle(HWND hwnd, LPARAM count) {
    char title[64] = {};
    GetWindowTextA(hwnd, title, sizeof(title));
    if (std::string(title) == "Own listed") {
        ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

std::string MapState(const std::string& window) {
    return Shell("xwininfo -id " + window + " | sed -n 's/.*Map State: //p'");
}

TEST_F(XDesktopWindowsTest, OtherProgramsWindowsAreFoundShownHiddenActivatedAndClosed) {
    HWND own =
        CreateTestWindow("Own listed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    ASSERT_TRUE(PumpUntil(
        [&] { return !Shell("xdotool search --onlyvisible --name '^Own listed$'").empty(); }));
    OtherClientWindow other;
    HWND hwnd = nullptr;
    ASSERT_TRUE(
        PumpUntil([&] { return (hwnd = FindWindowA(nullptr, "Other client")) != nullptr; }));
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.left, 600);
    EXPECT_EQ(rect.top, 400);
    EXPECT_EQ(rect.right, 800);
    EXPECT_EQ(rect.bottom, 550);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(WindowFromPoint(POINT{650, 450}), hwnd);
    EXPECT_EQ(WindowFromPoint(POINT{200, 200}), own);
    // This process's own window is listed once, as itself.
    EXPECT_EQ(FindWindowA(nullptr, "Own listed"), own);
    int count = 0;
    EnumWindows(CountOwnTitle, reinterpret_cast<LPARAM>(&count));
    EXPECT_EQ(count, 1);

    ShowWindow(hwnd, SW_HIDE);
    EXPECT_TRUE(PumpUntil([&] { return MapState(other.id()) == "IsUnMapped"; }));
    EXPECT_TRUE(PumpUntil(
        [&] { return FindWindowA(nullptr, "Other client") == hwnd && !IsWindowVisible(hwnd); }));
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_TRUE(PumpUntil([&] { return MapState(other.id()) == "IsViewable"; }));
    EXPECT_TRUE(PumpUntil(
        [&] { return FindWindowA(nullptr, "Other client") == hwnd && IsWindowVisible(hwnd); }));

    SetForegroundWindow(hwnd);
    EXPECT_TRUE(PumpUntil([&] { return Shell("xdotool getwindowfocus") == other.id(); }));
    // The foreground follows the desktop's focus, to the other program's window and back.
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }));
    Xdotool("windowfocus --sync " +
            Shell("xdotool search --onlyvisible --name '^Own listed$' | head -1"));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == own; }));
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return other.AskedToClose(); }));
}

// A window of another X client with the properties a test gives it, beside OtherClientWindow.
class PropertyWindow {
public:
    explicit PropertyWindow(const RECT& rect) {
        display_ = XOpenDisplay(nullptr);
        window_ =
            XCreateSimpleWindow(display_, DefaultRootWindow(display_), rect.left, rect.top,
                                static_cast<unsigned>(rect.right - rect.left),
                                static_cast<unsigned>(rect.bottom - rect.top), 0, 0, 0x804020);
    }
    ~PropertyWindow() {
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    // WM_NAME from UTF-8, in the encoding X picks (Latin-1 STRING where it can, else
    // COMPOUND_TEXT).
    void Name(const char* utf8) {
        char* list[] = {const_cast<char*>(utf8)};
        XTextProperty name{};
        Xutf8TextListToTextProperty(display_, list, 1, XStdICCTextStyle, &name);
        XSetWMName(display_, window_, &name);
        XFree(name.value);
    }
    void Atoms(const char* property, const char* value) {
        Atom atom = XInternAtom(display_, value, False);
        XChangeProperty(display_, window_, XInternAtom(display_, property, False), XA_ATOM, 32,
                        PropModeReplace, reinterpret_cast<unsigned char*>(&atom), 1);
    }
    void Map() {
        XMapWindow(display_, window_);
        XSync(display_, False);
    }
    std::string EncodingOfName() {
        XTextProperty name{};
        XGetWMName(display_, window_, &name);
        char* encoding = XGetAtomName(display_, name.encoding);
        std::string found = encoding;
        XFree(encoding);
        XFree(name.value);
        return found;
    }

private:
    Display* display_ = nullptr;
    Window window_ = 0;
};

// The window manager's supported hints on the root window, as a test sets them for a while.
void Announce(const std::vector<const char*>& hints) {
    Display* display = XOpenDisplay(nullptr);
    std::vector<Atom> atoms;
    for (const char* hint : hints) {
        atoms.push_back(XInternAtom(display, hint, False));
    }
    XChangeProperty(display, DefaultRootWindow(display),
                    XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
    XCloseDisplay(display);
}

// "X,Y WxH" of an X window.
std::string Geometry(const std::string& window) {
    return Shell("xwininfo -id " + window +
                 " | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} "
                 "/Width:/ {w=$2} /Height:/ {h=$2} END {print x \",\" y \" \" w \"x\" h}'");
}

// Sets a property of 32-bit numbers on any client's window, as a window manager would.
void SetCardinals(const std::string& window, const char* property, std::vector<long> values) {
    Display* display = XOpenDisplay(nullptr);
    XChangeProperty(display, std::stoul(window), XInternAtom(display, property, False), XA_CARDINAL,
                    32, PropModeReplace, reinterpret_cast<unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
    XCloseDisplay(display);
}

TEST_F(XDesktopWindowsTest, TitlesInAnyEncodingPanelsUntitledFramesCountedMaximisingStacking) {
    // Latin-1 and COMPOUND_TEXT titles are found by their GBK text.
    PropertyWindow latin(RECT{20, 600, 120, 650});
    latin.Name("Caf\xC3\xA9");
    latin.Map();
    PropertyWindow chinese(RECT{140, 600, 240, 650});
    chinese.Name("\xE4\xB8\xAD\xE6\x96\x87\xE7\xAA\x97");
    chinese.Map();
    EXPECT_EQ(latin.EncodingOfName(), "STRING");
    EXPECT_EQ(chinese.EncodingOfName(), "COMPOUND_TEXT");
    HWND latinWindow = nullptr;
    EXPECT_TRUE(
        PumpUntil([&] { return (latinWindow = FindWindowA(nullptr, "Caf\xA8\xA6")) != nullptr; }));
    EXPECT_TRUE(PumpUntil([] { return FindWindowA(nullptr, "\xD6\xD0\xCE\xC4\xB4\xB0"); }));

    // A panel is a tool window without a title: nothing offers it to be minimised.
    PropertyWindow panel(RECT{0, 0, 1024, 32});
    panel.Name("Panel");
    panel.Atoms("_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK");
    panel.Map();
    HWND panelWindow = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        panelWindow = WindowFromPoint(POINT{500, 10});
        return panelWindow != nullptr && panelWindow != GetDesktopWindow();
    }));
    EXPECT_EQ(GetWindowTextLengthA(panelWindow), 0);
    EXPECT_NE(GetWindowLongA(panelWindow, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(FindWindowA(nullptr, "Panel"), nullptr);

    // The window manager's frame is part of the window's rectangle.
    OtherClientWindow other;
    HWND hwnd = nullptr;
    ASSERT_TRUE(
        PumpUntil([&] { return (hwnd = FindWindowA(nullptr, "Other client")) != nullptr; }));
    Announce({"_NET_WORKAREA", "_NET_FRAME_EXTENTS"});
    SetCardinals(other.id(), "_NET_FRAME_EXTENTS", {2, 3, 20, 4});
    RECT rect{};
    EXPECT_TRUE(PumpUntil([&] {
        // A walk of the top-level windows brings the list up to date.
        FindWindowA(nullptr, "Other client");
        GetWindowRect(hwnd, &rect);
        return rect.left == 598 && rect.top == 380 && rect.right == 803 && rect.bottom == 554;
    })) << rect.left
        << "," << rect.top << "," << rect.right << "," << rect.bottom;
    Announce({"_NET_WORKAREA"});

    // Maximised over the work area and back; shown without raising, then raised.
    PostMessageA(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(PumpUntil([&] { return Geometry(other.id()) == "0,32 1024x736"; }))
        << Geometry(other.id());
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return Geometry(other.id()) == "600,400 200x150"; }))
        << Geometry(other.id());
    HWND own =
        CreateTestWindow("Own above", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{560, 360, 700, 500});
    ASSERT_TRUE(PumpUntil([] { return PixelOfWindow("root", 650, 450) != "srgb(32,192,64)"; }));
    ShowWindow(hwnd, SW_HIDE);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(PumpUntil([&] { return MapState(other.id()) == "IsViewable"; }));
    EXPECT_NE(PixelOfWindow("root", 650, 450), "srgb(32,192,64)");
    EXPECT_TRUE(PumpUntil([&] {
        FindWindowA(nullptr, "Other client");
        return WindowFromPoint(POINT{650, 450}) == own;
    }));
    // Raised above ours, the other program's window is the one under the point.
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_TRUE(PumpUntil([] { return PixelOfWindow("root", 650, 450) == "srgb(32,192,64)"; }));
    EXPECT_TRUE(PumpUntil([&] {
        FindWindowA(nullptr, "Other client");
        return WindowFromPoint(POINT{650, 450}) == hwnd;
    }));
    EXPECT_EQ(WindowFromPoint(POINT{580, 450}), own);
}

}  // namespace
}  // namespace platform::testing
