#include "platform/controls/ScrollInfo.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/drawing/DrawingSeams.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

class ScrollInfoTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InstallScreen();
    }
    // A pop-up without a frame whose window rectangle is (100,100)-(300,300).
    HWND Pane(DWORD style = WS_VSCROLL) {
        HWND pane = TopLevel(WS_POPUP | WS_VISIBLE | style, RECT{100, 100, 300, 300});
        PumpUntilIdle();
        Log().Clear();
        return pane;
    }
    std::vector<std::pair<int, int>> Scrolls(UINT message) {
        std::vector<std::pair<int, int>> codes;
        for (const testing::LoggedMessage& entry : Log().Of(message)) {
            EXPECT_EQ(entry.lParam, 0);
            codes.emplace_back(LOWORD(entry.wParam), static_cast<short>(HIWORD(entry.wParam)));
        }
        return codes;
    }
    static COLORREF ScreenAt(int x, int y) { return ColorFromPixel(CaptureScreen().At(x, y)); }
};

TEST_F(ScrollInfoTest, AnEmptyRangeHidesTheBarAndTheWindowGetsItsClientAreaBack) {
    HWND pane = Pane();
    RECT client{};
    GetClientRect(pane, &client);
    EXPECT_EQ(client.right, 184);
    int min = -1;
    int max = -1;
    GetScrollRange(pane, SB_VERT, &min, &max);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 100);

    EXPECT_TRUE(SetScrollRange(pane, SB_VERT, 0, 0, TRUE));
    EXPECT_EQ(GetWindowLongA(pane, GWL_STYLE) & WS_VSCROLL, 0);
    GetClientRect(pane, &client);
    EXPECT_EQ(client.right, 200);
    ASSERT_EQ(Log().Of(WM_SIZE).size(), 1u);
    EXPECT_EQ(Log().Of(WM_SIZE)[0].lParam, MAKELPARAM(200, 200));

    Log().Clear();
    SetScrollRange(pane, SB_VERT, 0, 300, TRUE);
    EXPECT_NE(GetWindowLongA(pane, GWL_STYLE) & WS_VSCROLL, 0);
    ASSERT_EQ(Log().Of(WM_SIZE).size(), 1u);
    EXPECT_EQ(Log().Of(WM_SIZE)[0].lParam, MAKELPARAM(184, 200));
    // A window that never had a bar has none to report.
    HWND plain = Pane(0);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    EXPECT_FALSE(GetScrollInfo(plain, SB_HORZ, &info));
    GetScrollRange(plain, SB_HORZ, &min, &max);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 0);
}

TEST_F(ScrollInfoTest, PositionsAreClampedSoThatTheLastPageEndsAtTheMaximum) {
    HWND pane = Pane();
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 95, 0};
    EXPECT_EQ(SetScrollInfo(pane, SB_VERT, &info, TRUE), 80);
    EXPECT_EQ(SetScrollPos(pane, SB_VERT, -5, TRUE), 80);
    EXPECT_EQ(GetScrollPos(pane, SB_VERT), 0);
    SCROLLINFO read{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(pane, SB_VERT, &read));
    EXPECT_EQ(read.nMin, 0);
    EXPECT_EQ(read.nMax, 99);
    EXPECT_EQ(read.nPage, 20u);
    // A page larger than the range shrinks to it, and the bar goes.
    SCROLLINFO page{sizeof(SCROLLINFO), SIF_PAGE, 0, 0, 500, 0, 0};
    SetScrollInfo(pane, SB_VERT, &page, TRUE);
    GetScrollInfo(pane, SB_VERT, &read);
    EXPECT_EQ(read.nPage, 100u);
    EXPECT_EQ(GetWindowLongA(pane, GWL_STYLE) & WS_VSCROLL, 0);
    // Unless the caller wants it kept, disabled.
    SCROLLINFO keep{sizeof(SCROLLINFO), SIF_RANGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    SetScrollInfo(pane, SB_HORZ, &keep, TRUE);
    EXPECT_NE(GetWindowLongA(pane, GWL_STYLE) & WS_HSCROLL, 0);
    EXPECT_EQ(WindowScrollState(pane, SB_HORZ).disabledArrows, static_cast<UINT>(ESB_DISABLE_BOTH));
    EXPECT_FALSE(SetScrollRange(pane, SB_VERT, -2147483647, 2147483647, TRUE));
}

TEST_F(ScrollInfoTest, EnableScrollBarReportsWhetherAnythingChanged) {
    HWND pane = Pane(WS_VSCROLL | WS_HSCROLL);
    EXPECT_FALSE(EnableScrollBar(pane, SB_VERT, ESB_ENABLE_BOTH));
    EXPECT_TRUE(EnableScrollBar(pane, SB_VERT, ESB_DISABLE_UP));
    EXPECT_FALSE(EnableScrollBar(pane, SB_VERT, ESB_DISABLE_UP));
    EXPECT_TRUE(EnableScrollBar(pane, SB_BOTH, ESB_DISABLE_BOTH));
    EXPECT_EQ(WindowScrollState(pane, SB_HORZ).disabledArrows, static_cast<UINT>(ESB_DISABLE_BOTH));
    EXPECT_TRUE(ShowScrollBar(pane, SB_BOTH, FALSE));
    EXPECT_EQ(GetWindowLongA(pane, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    EXPECT_FALSE(ShowScrollBar(pane, 7, TRUE));
}

TEST_F(ScrollInfoTest, PressesOnArrowsAndTrackSendTheirCodesThenEndScroll) {
    HWND pane = Pane();
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 50, 0, 0};
    SetScrollInfo(pane, SB_VERT, &info, TRUE);
    // The bar runs from (284,100) to (300,300): arrows of 16, track 116..284, thumb 116..200.
    auto click = [](int x, int y) {
        InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{x, y});
        InjectMouse(MOUSEEVENTF_LEFTUP, POINT{x, y});
        PumpUntilIdle();
        AdvanceTestClock(std::chrono::seconds(1));
    };
    click(290, 295);
    click(290, 105);
    click(290, 250);
    EXPECT_EQ(Scrolls(WM_VSCROLL), (std::vector<std::pair<int, int>>{{SB_LINEDOWN, 0},
                                                                     {SB_ENDSCROLL, 0},
                                                                     {SB_LINEUP, 0},
                                                                     {SB_ENDSCROLL, 0},
                                                                     {SB_PAGEDOWN, 0},
                                                                     {SB_ENDSCROLL, 0}}));
    // The window moves the position itself.
    EXPECT_EQ(GetScrollPos(pane, SB_VERT), 0);
}

TEST_F(ScrollInfoTest, DraggingTheThumbTracksPositionsAndEndsWithThePositionReached) {
    HWND pane = Pane();
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 50, 0, 0};
    SetScrollInfo(pane, SB_VERT, &info, TRUE);
    // Thumb 116..200 travels 84 pixels over positions 0..50; it is held 14 pixels down.
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{290, 130});
    InjectMouse(0, POINT{290, 130 + 42});
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{290, 130 + 42});
    PumpUntilIdle();
    EXPECT_EQ(Scrolls(WM_VSCROLL),
              (std::vector<std::pair<int, int>>{
                  {SB_THUMBTRACK, 25}, {SB_THUMBPOSITION, 25}, {SB_ENDSCROLL, 0}}));
    // Past the end of the track the position stops at the last page.
    Log().Clear();
    AdvanceTestClock(std::chrono::seconds(1));
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{290, 130});
    InjectMouse(0, POINT{290, 290});
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{290, 290});
    PumpUntilIdle();
    EXPECT_EQ(Scrolls(WM_VSCROLL),
              (std::vector<std::pair<int, int>>{
                  {SB_THUMBTRACK, 50}, {SB_THUMBPOSITION, 50}, {SB_ENDSCROLL, 0}}));
    SCROLLINFO read{sizeof(SCROLLINFO), SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(pane, SB_VERT, &read);
    EXPECT_EQ(read.nTrackPos, 50);
    EXPECT_EQ(read.nPos, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollInfoTest, ABarWithoutRoomToScrollIgnoresPresses) {
    HWND pane = Pane(WS_HSCROLL);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 9, 10, 0, 0};
    SetScrollInfo(pane, SB_HORZ, &info, TRUE);
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{105, 295});
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{105, 295});
    PumpUntilIdle();
    EXPECT_TRUE(Scrolls(WM_HSCROLL).empty());
}

TEST_F(ScrollInfoTest, TheFrameShowsArrowsTrackAndThumbInTheClassicColours) {
    HWND pane = Pane(WS_VSCROLL | WS_HSCROLL);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 50, 0, 0};
    SetScrollInfo(pane, SB_VERT, &info, TRUE);
    PumpUntilIdle();
    // Up arrow 284..300 x 100..116: light outer edge, face inside, a black tip in the middle.
    EXPECT_EQ(ScreenAt(284, 100), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(ScreenAt(299, 110), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ScreenAt(287, 104), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ScreenAt(292, 106), GetSysColor(COLOR_BTNTEXT));
    // Thumb 116..200 raised, track below it a checker of highlight and scroll bar colour.
    EXPECT_EQ(ScreenAt(290, 150), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ScreenAt(290, 220), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ScreenAt(291, 220), GetSysColor(COLOR_SCROLLBAR));
    // The corner between the two bars.
    EXPECT_EQ(ScreenAt(292, 292), GetSysColor(COLOR_BTNFACE));
    // A disabled bar greys its arrows and has no thumb.
    EnableScrollBar(pane, SB_VERT, ESB_DISABLE_BOTH);
    EXPECT_EQ(ScreenAt(292, 106), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(ScreenAt(290, 150), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ScreenAt(291, 150), GetSysColor(COLOR_SCROLLBAR));
}

TEST_F(ScrollInfoTest, ScrollWindowExMovesChildrenAndReportsTheUncoveredBand) {
    HWND pane = Pane(0);
    HWND child = Child(pane, 5, RECT{10, 50, 30, 70});
    PumpUntilIdle();
    RECT update{};
    EXPECT_EQ(ScrollWindowEx(pane, 0, -20, nullptr, nullptr, nullptr, &update, SW_INVALIDATE),
              SIMPLEREGION);
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.top, 180);
    EXPECT_EQ(update.right, 200);
    EXPECT_EQ(update.bottom, 200);
    RECT pending{};
    EXPECT_TRUE(GetUpdateRect(pane, &pending, FALSE));
    EXPECT_EQ(pending.top, 180);
    EXPECT_EQ(pending.bottom, 200);
    RECT moved{};
    GetWindowRect(child, &moved);
    EXPECT_EQ(moved.top, 100 + 50);
    ScrollWindowEx(pane, 0, -20, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN);
    GetWindowRect(child, &moved);
    EXPECT_EQ(moved.top, 100 + 30);
    EXPECT_EQ(moved.left, 100 + 10);
    EXPECT_EQ(ScrollWindowEx(pane, 5, 5, nullptr, nullptr, nullptr, &update, 0), COMPLEXREGION);
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.bottom, 200);
    EXPECT_EQ(ScrollWindowEx(pane, 0, 0, nullptr, nullptr, nullptr, &update, 0), NULLREGION);
}

}  // namespace
}  // namespace platform
