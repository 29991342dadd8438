// Children of windows that clip them (WS_CLIPCHILDREN, WS_CLIPSIBLINGS, nested pages and bars):
// whatever shows, moves or uncovers them, the screen and the window's picture show the children's
// own paint, never what lay on the screen before.
#include <gtest/gtest.h>

#include "platform/screen/PaintDC.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr COLORREF kYellow = RGB(250, 230, 0);

// A control-like child: a one-pixel black frame around a fill in the colour of its user data.
LRESULT CALLBACK BoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        CPaintDC dc(hwnd);
        RECT client{};
        GetClientRect(hwnd, &client);
        dc.FillSolidRect(&client, kBlack);
        dc.FillSolidRect(1, 1, client.right - 2, client.bottom - 2,
                         static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

COLORREF Face() {
    return GetSysColor(COLOR_BTNFACE);
}

COLORREF ScreenAt(int x, int y) {
    return ColorFromPixel(CaptureScreen().At(x, y));
}

class VirtualScreenClippingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        InstallScreen();
        WNDCLASSA face{};
        face.lpfnWndProc = DefWindowProcA;
        face.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        face.lpszClassName = "Face";
        RegisterClassA(&face);
        WNDCLASSA box{};
        box.lpfnWndProc = BoxProcedure;
        box.lpszClassName = "Box";
        RegisterClassA(&box);
    }
    void TearDown() override { ResetWindowSystemForTesting(); }

    // A hidden pop-up in the dialog colour whose client area is `rect` on the screen.
    static HWND Dialog(RECT rect, DWORD style = WS_POPUP | WS_CLIPCHILDREN) {
        return CreateWindowExA(0, "Face", "dialog", style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                               nullptr, nullptr);
    }
    static HWND Box(HWND parent, RECT rect, COLORREF color, DWORD style = WS_VISIBLE) {
        HWND hwnd = CreateWindowExA(0, "Box", "", WS_CHILD | style, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                    nullptr, nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
        return hwnd;
    }
    static HWND Page(HWND parent, RECT rect, DWORD style) {
        return CreateWindowExA(0, "Face", "", WS_CHILD | style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                               nullptr, nullptr);
    }
};

// The pixels of a box drawn with its client area at screen (left, top), `width` wide.
void ExpectBoxOnScreen(int left, int top, int width, int height, COLORREF fill) {
    EXPECT_EQ(ScreenAt(left, top), kBlack) << left << "," << top;
    EXPECT_EQ(ScreenAt(left + width - 1, top + height - 1), kBlack) << left << "," << top;
    EXPECT_EQ(ScreenAt(left + 1, top + 1), fill) << left << "," << top;
    EXPECT_EQ(ScreenAt(left + width - 2, top + height - 2), fill) << left << "," << top;
    EXPECT_EQ(ScreenAt(left + width / 2, top + height / 2), fill) << left << "," << top;
}

TEST_F(VirtualScreenClippingTest, ClippedChildrenShowOnTheScreenAndInTheWindowPicture) {
    HWND dialog = Dialog(RECT{100, 100, 300, 200});
    Box(dialog, RECT{10, 10, 70, 30}, kRed);
    Box(dialog, RECT{80, 10, 140, 30}, kGreen);
    Box(dialog, RECT{10, 50, 190, 90}, kYellow);
    ShowWindow(dialog, SW_SHOW);
    PumpUntilIdle();

    ExpectBoxOnScreen(110, 110, 60, 20, kRed);
    ExpectBoxOnScreen(180, 110, 60, 20, kGreen);
    ExpectBoxOnScreen(110, 150, 180, 40, kYellow);
    EXPECT_EQ(ScreenAt(109, 110), Face());
    EXPECT_EQ(ScreenAt(170, 120), Face());
    EXPECT_EQ(ScreenAt(299, 199), Face());

    const Surface picture = CaptureWindow(dialog);
    ASSERT_EQ(picture.width(), 200);
    ASSERT_EQ(picture.height(), 100);
    EXPECT_EQ(ColorFromPixel(picture.At(0, 0)), Face());
    EXPECT_EQ(ColorFromPixel(picture.At(10, 10)), kBlack);
    EXPECT_EQ(ColorFromPixel(picture.At(11, 11)), kRed);
    EXPECT_EQ(ColorFromPixel(picture.At(68, 28)), kRed);
    EXPECT_EQ(ColorFromPixel(picture.At(69, 29)), kBlack);
    EXPECT_EQ(ColorFromPixel(picture.At(70, 29)), Face());
    EXPECT_EQ(ColorFromPixel(picture.At(100, 20)), kGreen);
    EXPECT_EQ(ColorFromPixel(picture.At(100, 70)), kYellow);
    EXPECT_EQ(ColorFromPixel(picture.At(189, 89)), kBlack);
}

TEST_F(VirtualScreenClippingTest, ClippedChildrenFollowTheirWindowWhenItMoves) {
    HWND dialog = Dialog(RECT{100, 100, 200, 150});
    Box(dialog, RECT{10, 10, 50, 30}, kRed);
    ShowWindow(dialog, SW_SHOW);
    PumpUntilIdle();

    MoveWindow(dialog, 400, 300, 100, 50, TRUE);
    PumpUntilIdle();
    ExpectBoxOnScreen(410, 310, 40, 20, kRed);
    EXPECT_EQ(ScreenAt(120, 120), GetSysColor(COLOR_DESKTOP));

    // A move that keeps the size asks for no repaint of the window itself.
    SetWindowPos(dialog, nullptr, 420, 320, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpUntilIdle();
    ExpectBoxOnScreen(430, 330, 40, 20, kRed);
    EXPECT_EQ(ColorFromPixel(CaptureWindow(dialog).At(20, 20)), kRed);
}

TEST_F(VirtualScreenClippingTest, ClippedChildrenRepaintWhenAWindowAboveUncoversThem) {
    HWND dialog = Dialog(RECT{100, 100, 300, 200});
    Box(dialog, RECT{10, 10, 70, 30}, kRed);
    ShowWindow(dialog, SW_SHOW);
    HWND cover = Dialog(RECT{0, 0, 400, 400}, WS_POPUP);
    ShowWindow(cover, SW_SHOW);
    PumpUntilIdle();
    ASSERT_EQ(ScreenAt(120, 120), Face());

    ShowWindow(cover, SW_HIDE);
    PumpUntilIdle();
    ExpectBoxOnScreen(110, 110, 60, 20, kRed);

    // Uncovering only a part repaints that part of the child too.
    MoveWindow(cover, 0, 0, 140, 400, TRUE);
    ShowWindow(cover, SW_SHOW);
    PumpUntilIdle();
    ASSERT_EQ(ScreenAt(130, 120), Face());
    MoveWindow(cover, 0, 0, 130, 400, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(130, 120), kRed);
    EXPECT_EQ(ScreenAt(135, 129), kBlack);
}

TEST_F(VirtualScreenClippingTest, ChildrenShownOrResizedLaterInAClippingWindowPaint) {
    HWND dialog = Dialog(RECT{100, 100, 300, 200});
    ShowWindow(dialog, SW_SHOW);
    PumpUntilIdle();
    HWND late = Box(dialog, RECT{10, 10, 50, 30}, kRed, 0);
    ShowWindow(late, SW_SHOW);
    PumpUntilIdle();
    ExpectBoxOnScreen(110, 110, 40, 20, kRed);

    MoveWindow(late, 20, 40, 60, 30, TRUE);
    PumpUntilIdle();
    ExpectBoxOnScreen(120, 140, 60, 30, kRed);
    EXPECT_EQ(ScreenAt(110, 110), Face());

    ShowWindow(late, SW_HIDE);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(130, 150), Face());
}

TEST_F(VirtualScreenClippingTest, SiblingsUncoveredInsideAClippingWindowRepaint) {
    HWND dialog = Dialog(RECT{100, 100, 300, 200});
    HWND upper = Box(dialog, RECT{10, 10, 60, 60}, kRed, WS_VISIBLE | WS_CLIPSIBLINGS);
    HWND lower = Box(dialog, RECT{40, 40, 100, 90}, kGreen, WS_VISIBLE | WS_CLIPSIBLINGS);
    ShowWindow(dialog, SW_SHOW);
    PumpUntilIdle();
    // The first created is on top and keeps its corner.
    EXPECT_EQ(ScreenAt(150, 150), kRed);
    EXPECT_EQ(ScreenAt(159, 159), kBlack);
    EXPECT_EQ(ScreenAt(165, 165), kGreen);

    ShowWindow(upper, SW_HIDE);
    PumpUntilIdle();
    ExpectBoxOnScreen(140, 140, 60, 50, kGreen);
    EXPECT_EQ(ScreenAt(120, 120), Face());

    ShowWindow(upper, SW_SHOW);
    PumpUntilIdle();
    SetWindowPos(upper, nullptr, 120, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpUntilIdle();
    ExpectBoxOnScreen(140, 140, 60, 50, kGreen);
    ExpectBoxOnScreen(220, 110, 50, 50, kRed);
    EXPECT_EQ(ScreenAt(115, 115), Face());

    // Back over the other, then the other raised above it: the raised one shows whole.
    SetWindowPos(upper, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpUntilIdle();
    ASSERT_EQ(ScreenAt(150, 150), kRed);
    SetWindowPos(lower, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpUntilIdle();
    ExpectBoxOnScreen(140, 140, 60, 50, kGreen);
    EXPECT_EQ(ScreenAt(139, 139), kRed);
    EXPECT_EQ(ScreenAt(110, 110), kBlack);
}

TEST_F(VirtualScreenClippingTest, ControlsOfAPageShownInsideADialogPaint) {
    HWND dialog = Dialog(RECT{100, 100, 400, 300});
    HWND tabs = Box(dialog, RECT{5, 5, 295, 195}, kYellow, WS_VISIBLE | WS_CLIPSIBLINGS);
    HWND first = Page(dialog, RECT{10, 30, 290, 190}, WS_CLIPCHILDREN);
    Box(first, RECT{10, 10, 60, 30}, kRed);
    HWND second = Page(dialog, RECT{10, 30, 290, 190}, WS_CLIPCHILDREN);
    Box(second, RECT{100, 50, 150, 70}, kGreen);
    SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(first, SW_SHOW);
    ShowWindow(dialog, SW_SHOW);
    PumpUntilIdle();
    ExpectBoxOnScreen(120, 140, 50, 20, kRed);
    EXPECT_EQ(ScreenAt(115, 135), Face());
    EXPECT_EQ(ScreenAt(107, 107), kYellow);

    ShowWindow(first, SW_HIDE);
    ShowWindow(second, SW_SHOW);
    PumpUntilIdle();
    ExpectBoxOnScreen(210, 180, 50, 20, kGreen);
    EXPECT_EQ(ScreenAt(125, 145), Face());
    const Surface picture = CaptureWindow(dialog);
    EXPECT_EQ(ColorFromPixel(picture.At(111, 81)), kGreen);
    EXPECT_EQ(ColorFromPixel(picture.At(25, 45)), Face());
}

TEST_F(VirtualScreenClippingTest, ControlOnABarInsideABandFollowsTheBandsMoves) {
    HWND frame = Dialog(RECT{0, 0, 400, 300});
    HWND band = Page(frame, RECT{0, 0, 400, 40}, WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    HWND bar = Page(band, RECT{10, 2, 390, 38}, WS_VISIBLE | WS_CLIPCHILDREN);
    Box(bar, RECT{100, 4, 200, 30}, kRed);
    ShowWindow(frame, SW_SHOW);
    PumpUntilIdle();
    ExpectBoxOnScreen(110, 6, 100, 26, kRed);

    // The frame lays its bars out again below a new top bar: the band moves down, same size.
    SetWindowPos(band, nullptr, 0, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpUntilIdle();
    ExpectBoxOnScreen(110, 36, 100, 26, kRed);
    EXPECT_EQ(ScreenAt(120, 10), Face());

    // Widening the band leaves the bar where it was; it must still show.
    MoveWindow(band, 0, 30, 400, 60, TRUE);
    PumpUntilIdle();
    ExpectBoxOnScreen(110, 36, 100, 26, kRed);
    EXPECT_EQ(ColorFromPixel(CaptureWindow(frame).At(111, 37)), kRed);
}

TEST_F(VirtualScreenClippingTest, ABarHandedToABandShowsInItsNewPlace) {
    HWND frame = Dialog(RECT{0, 0, 400, 300});
    HWND band = Page(frame, RECT{0, 100, 400, 140}, WS_VISIBLE | WS_CLIPCHILDREN);
    HWND bar = Page(frame, RECT{10, 2, 390, 38}, WS_VISIBLE | WS_CLIPCHILDREN);
    Box(bar, RECT{100, 4, 200, 30}, kRed);
    ShowWindow(frame, SW_SHOW);
    PumpUntilIdle();
    ASSERT_EQ(ScreenAt(120, 10), kRed);

    // The bar keeps its position, now counted from the band.
    ASSERT_EQ(SetParent(bar, band), frame);
    PumpUntilIdle();
    ExpectBoxOnScreen(110, 106, 100, 26, kRed);
    EXPECT_EQ(ScreenAt(120, 10), Face());
    EXPECT_EQ(ScreenAt(5, 105), Face());
}

}  // namespace
}  // namespace platform
