#include "platform/display/XTestInput.h"

#include <cstdio>

#include "platform/display/desktop/DesktopTest.h"

namespace platform::testing {
namespace {

class XTestInputTest : public DesktopTest {};

// Where the X server has the pointer, as "x,y".
std::string PointerOnTheDesktop() {
    int x = -1;
    int y = -1;
    std::sscanf(Shell("xdotool getmouselocation").c_str(), "x:%d y:%d", &x, &y);
    return std::to_string(x) + "," + std::to_string(y);
}

TEST_F(XTestInputTest, ProgramsInputActsOnTheDesktopAndComesBackToTheirWindows) {
    CreateTestWindow("Input owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    std::string own;
    ASSERT_TRUE(PumpUntil([&] {
        return !(own = Shell("xdotool search --onlyvisible --name '^Input owner$'")).empty();
    }));
    Xdotool("windowfocus --sync " + own);

    ASSERT_TRUE(SetCursorPos(200, 180));
    EXPECT_TRUE(PumpUntil([] { return PointerOnTheDesktop() == "200,180"; }))
        << PointerOnTheDesktop();
    mouse_event(MOUSEEVENTF_MOVE, 10, 5, 0, 0);
    EXPECT_TRUE(PumpUntil([] { return PointerOnTheDesktop() == "210,185"; }))
        << PointerOnTheDesktop();
    mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    keybd_event('Q', 0, 0, 0);
    keybd_event('Q', 0, KEYEVENTF_KEYUP, 0);
    ASSERT_TRUE(PumpUntil([] { return !ParametersOf(WM_KEYUP).empty(); }));
    // The click came back through the desktop at the pointer's place, in client coordinates.
    ASSERT_EQ(ParametersOf(WM_LBUTTONDOWN).size(), 1u);
    POINT client{210, 185};
    ScreenToClient(FindWindowA(kClassName, "Input owner"), &client);
    EXPECT_EQ(ParametersOf(WM_LBUTTONDOWN)[0], MAKELPARAM(client.x, client.y));
    ASSERT_EQ(ParametersOf(WM_KEYDOWN, true), std::vector<LPARAM>{'Q'});
    EXPECT_EQ((ParametersOf(WM_KEYDOWN)[0] >> 16) & 0xFF, 0x10);
    EXPECT_TRUE(PumpUntil([] { return ParametersOf(WM_LBUTTONUP).size() == 1; }));

    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 32768, 16384, 0, 0);
    EXPECT_TRUE(PumpUntil([] { return PointerOnTheDesktop() == "512,192"; }))
        << PointerOnTheDesktop();
}

}  // namespace
}  // namespace platform::testing
