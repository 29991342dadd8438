#include "platform/display/XDesktopWindows.h"

#include "platform/display/desktop/DesktopTest.h"

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

}  // namespace
}  // namespace platform::testing
