#include "platform/controls/Progress.h"

#include <gtest/gtest.h>

#include "platform/controls/CommonControls.h"
#include "platform/drawing/DrawingSeams.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

class ProgressTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InstallScreen();
        RegisterProgressClass();
        parent_ = TopLevel(WS_POPUP | WS_VISIBLE, RECT{100, 100, 400, 400});
    }
    // Client (0,0)-(102,12) at screen (110,110); the bar's inside is 100 x 10 from (111,111).
    HWND Bar(DWORD style) {
        HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | style, 10, 10,
                                   102, 12, parent_, nullptr, nullptr, nullptr);
        PumpUntilIdle();
        return bar;
    }
    static COLORREF ScreenAt(int x, int y) { return ColorFromPixel(CaptureScreen().At(x, y)); }

    HWND parent_ = nullptr;
};

TEST_F(ProgressTest, PositionStaysInTheRangeAndEachSetterAnswersTheOldValue) {
    HWND bar = Bar(0);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
    EXPECT_EQ(SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(10, 50)), MAKELONG(0, 100));
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 10);
    EXPECT_EQ(SendMessageA(bar, PBM_SETPOS, 70, 0), 10);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(SendMessageA(bar, PBM_DELTAPOS, static_cast<WPARAM>(-15), 0), 50);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 35);
    EXPECT_EQ(SendMessageA(bar, PBM_SETRANGE32, static_cast<WPARAM>(-100), 100000),
              MAKELONG(10, 50));
    PBRANGE range{};
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), -100);
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 100000);
    EXPECT_EQ(range.iLow, -100);
    EXPECT_EQ(range.iHigh, 100000);
    EXPECT_EQ(SendMessageA(bar, PBM_SETBARCOLOR, 0, RGB(1, 2, 3)),
              static_cast<LRESULT>(CLR_DEFAULT));
    EXPECT_EQ(SendMessageA(bar, PBM_SETBARCOLOR, 0, RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(SendMessageA(bar, PBM_SETBKCOLOR, 0, RGB(7, 8, 9)),
              static_cast<LRESULT>(CLR_DEFAULT));
}

TEST_F(ProgressTest, SteppingPastTheEndStartsOver) {
    HWND bar = Bar(0);
    EXPECT_EQ(SendMessageA(bar, PBM_SETSTEP, 30, 0), 10);
    EXPECT_EQ(SendMessageA(bar, PBM_STEPIT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(bar, PBM_STEPIT, 0, 0), 30);
    EXPECT_EQ(SendMessageA(bar, PBM_STEPIT, 0, 0), 60);
    EXPECT_EQ(SendMessageA(bar, PBM_STEPIT, 0, 0), 90);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 20);
    SendMessageA(bar, PBM_SETSTEP, static_cast<WPARAM>(-30), 0);
    SendMessageA(bar, PBM_STEPIT, 0, 0);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 90);
}

TEST_F(ProgressTest, SmoothBarFillsItsShareInTheBarColour) {
    HWND bar = Bar(PBS_SMOOTH);
    SendMessageA(bar, PBM_SETBARCOLOR, 0, RGB(0, 128, 0));
    SendMessageA(bar, PBM_SETBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageA(bar, PBM_SETPOS, 40, 0);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(111, 115), RGB(0, 128, 0));
    EXPECT_EQ(ScreenAt(150, 120), RGB(0, 128, 0));
    EXPECT_EQ(ScreenAt(151, 115), RGB(255, 255, 255));
    EXPECT_EQ(ScreenAt(210, 120), RGB(255, 255, 255));
    // The sunken well: shadow above and to the left, light below and to the right.
    EXPECT_EQ(ScreenAt(110, 115), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenAt(150, 110), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenAt(150, 121), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ScreenAt(211, 115), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(ProgressTest, BlocksLeaveGapsAndAVerticalBarFillsFromTheBottom) {
    HWND bar = Bar(0);
    SendMessageA(bar, PBM_SETPOS, 50, 0);
    PumpUntilIdle();
    // Blocks of 10 * 2 / 3 = 6 pixels with gaps of 2: 111..116 filled, 117..118 not.
    EXPECT_EQ(ScreenAt(116, 115), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ScreenAt(117, 115), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ScreenAt(119, 115), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ScreenAt(200, 115), GetSysColor(COLOR_BTNFACE));
    DestroyWindow(bar);

    HWND vertical =
        CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | PBS_VERTICAL | PBS_SMOOTH,
                        10, 10, 12, 102, parent_, nullptr, nullptr, nullptr);
    SendMessageA(vertical, PBM_SETPOS, 25, 0);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(115, 210), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ScreenAt(115, 186), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ScreenAt(115, 185), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace platform
