#include "platform/controls/ScrollBar.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/drawing/DrawingSeams.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

class ScrollBarTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InstallScreen();
        RegisterScrollBarClass();
        parent_ = TopLevel(WS_POPUP | WS_VISIBLE, RECT{100, 100, 400, 400});
    }
    // A horizontal bar at (10,10)-(210,26) of the parent, screen (110,110)-(310,126).
    HWND Bar(DWORD style = SBS_HORZ) {
        HWND bar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | style, 10, 10, 200,
                                   16, parent_, reinterpret_cast<HMENU>(44), nullptr, nullptr);
        PumpUntilIdle();
        Log().Clear();
        return bar;
    }

    HWND parent_ = nullptr;
};

TEST_F(ScrollBarTest, KeepsItsOwnRangeAndPositionThroughTheScrollFunctions) {
    HWND bar = Bar();
    int min = -1;
    int max = -1;
    GetScrollRange(bar, SB_CTL, &min, &max);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 100);
    EXPECT_TRUE(SetScrollRange(bar, SB_CTL, 10, 60, TRUE));
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 80, TRUE), 10);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 60);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_PAGE | SIF_POS, 0, 0, 11, 60, 0};
    EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, TRUE), 50);
    SCROLLINFO read{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &read));
    EXPECT_EQ(read.nMin, 10);
    EXPECT_EQ(read.nMax, 60);
    EXPECT_EQ(read.nPage, 11u);
    EXPECT_EQ(read.nPos, 50);
    EXPECT_TRUE(EnableScrollBar(bar, SB_CTL, ESB_DISABLE_LEFT));
    EXPECT_FALSE(EnableScrollBar(bar, SB_CTL, ESB_DISABLE_LEFT));
    // The parent's own bars are not the control's.
    EXPECT_EQ(GetWindowLongA(parent_, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
}

TEST_F(ScrollBarTest, PressesAndKeysReachTheParentWithTheControlsHandle) {
    HWND bar = Bar();
    SetScrollRange(bar, SB_CTL, 0, 10, TRUE);
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{305, 118});
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{305, 118});
    PumpUntilIdle();
    // The left arrow is disabled: a press there does nothing.
    EnableScrollBar(bar, SB_CTL, ESB_DISABLE_LEFT);
    AdvanceTestClock(std::chrono::seconds(1));
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{112, 118});
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{112, 118});
    PumpUntilIdle();
    SendMessageA(bar, WM_KEYDOWN, VK_HOME, 0);
    const std::vector<testing::LoggedMessage> scrolls = Log().Of(WM_HSCROLL);
    ASSERT_EQ(scrolls.size(), 4u);
    EXPECT_EQ(LOWORD(scrolls[0].wParam), SB_LINERIGHT);
    EXPECT_EQ(LOWORD(scrolls[1].wParam), SB_ENDSCROLL);
    EXPECT_EQ(LOWORD(scrolls[2].wParam), SB_LEFT);
    EXPECT_EQ(LOWORD(scrolls[3].wParam), SB_ENDSCROLL);
    for (const testing::LoggedMessage& scroll : scrolls) {
        EXPECT_EQ(scroll.hwnd, parent_);
        EXPECT_EQ(scroll.lParam, reinterpret_cast<LPARAM>(bar));
    }
    EXPECT_TRUE(Log().Of(WM_VSCROLL).empty());
}

TEST_F(ScrollBarTest, AVerticalBarSendsVerticalCodesAndAsksForItsColour) {
    HWND bar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 10, 10, 16,
                               200, parent_, nullptr, nullptr, nullptr);
    PumpUntilIdle();
    EXPECT_FALSE(Log().Of(WM_CTLCOLORSCROLLBAR).empty());
    Log().Clear();
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{118, 305});
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{118, 305});
    PumpUntilIdle();
    ASSERT_EQ(Log().Of(WM_VSCROLL).size(), 2u);
    EXPECT_EQ(LOWORD(Log().Of(WM_VSCROLL)[0].wParam), SB_LINEDOWN);
    // The down arrow's tip, drawn in the button text colour.
    EXPECT_EQ(ColorFromPixel(CaptureScreen().At(118, 303)), GetSysColor(COLOR_BTNTEXT));
    DestroyWindow(bar);
}

}  // namespace
}  // namespace platform
