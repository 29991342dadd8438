#include "platform/controls/Static.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/controls/ControlTest.h"
#include "platform/drawing/IconApi.h"
#include "platform/resources/ResourceApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

class StaticTest : public testing::ControlTest {
protected:
    StaticTest() : ControlTest(RegisterStaticClass) {}

    HWND Static(int id, DWORD style, const char* text = "label", RECT rect = {10, 10, 110, 40}) {
        return Child("Static", id, style, text, rect);
    }

    static int CountPixels(HWND hwnd, COLORREF color) {
        RECT client{};
        GetClientRect(hwnd, &client);
        const POINT origin = OnScreen(hwnd, 0, 0);
        const Surface screen = CaptureScreen();
        int count = 0;
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x) {
                count += ColorFromPixel(screen.At(origin.x + x, origin.y + y)) == color ? 1 : 0;
            }
        }
        return count;
    }

    static SIZE SizeOf(HWND hwnd) {
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    }

    static HICON SolidIcon(int size) {
        HBITMAP color = CreateBitmap(size, size, 1, 32, nullptr);
        HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
        ICONINFO info{TRUE, 0, 0, mask, color};
        HICON icon = CreateIconIndirect(&info);
        DeleteObject(color);
        DeleteObject(mask);
        return icon;
    }
};

using CommandList = std::vector<std::pair<int, WORD>>;

TEST_F(StaticTest, TextUsesTheColoursAndBrushTheParentAnswers) {
    HWND label = Static(1032, SS_LEFT, "\xD6\xD0\xCE\xC4 text");
    EXPECT_EQ(PixelAt(label, 95, 25), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(CountPixels(label, RGB(255, 0, 0)), 0);

    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    Log().Answer(WM_CTLCOLORSTATIC, [white](HWND, WPARAM wParam, LPARAM) -> LRESULT {
        auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(255, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(white);
    });
    InvalidateRect(label, nullptr, TRUE);
    PumpUntilIdle();
    const auto asked = Log().Of(WM_CTLCOLORSTATIC);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back().hwnd, parent_);
    EXPECT_EQ(reinterpret_cast<HWND>(asked.back().lParam), label);
    EXPECT_EQ(PixelAt(label, 95, 25), RGB(255, 255, 255));
    EXPECT_GT(CountPixels(label, RGB(255, 0, 0)), 10);
}

TEST_F(StaticTest, HiddenStaticStillHoldsItsText) {
    HWND label = Static(1019, SS_CENTER, "before");
    ShowWindow(label, SW_HIDE);
    SetWindowTextA(label,
                   "\xD6\xD0"
                   "after");
    char text[32] = {};
    EXPECT_EQ(GetWindowTextA(label, text, sizeof(text)), 7);
    EXPECT_STREQ(text,
                 "\xD6\xD0"
                 "after");
    EXPECT_EQ(SendMessageA(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(StaticTest, NotifyStyleTurnsClicksIntoNotifications) {
    HWND quiet = Static(1, SS_LEFT, "quiet", {0, 0, 50, 20});
    HWND loud = Static(2, SS_LEFT | SS_NOTIFY, "loud", {0, 30, 50, 50});
    EXPECT_EQ(SendMessageA(quiet, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    for (HWND control : {quiet, loud}) {
        for (int i = 0; i < 2; ++i) {
            InjectMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, OnScreen(control, 5, 5));
        }
        PumpUntilIdle();
    }
    EnableWindow(loud, FALSE);
    EnableWindow(loud, TRUE);
    EXPECT_EQ(Commands(),
              (CommandList{{2, STN_CLICKED}, {2, STN_DBLCLK}, {2, STN_DISABLE}, {2, STN_ENABLE}}));
    EXPECT_EQ(reinterpret_cast<HWND>(Log().Of(WM_COMMAND).front().lParam), loud);
}

TEST_F(StaticTest, IconStaticSizesItselfToItsIconUnlessCentred) {
    HICON first = SolidIcon(32);
    HICON second = SolidIcon(16);
    HWND icon = Static(1, SS_ICON, "", {0, 0, 100, 100});
    EXPECT_EQ(SendMessageA(icon, STM_GETICON, 0, 0), 0);
    EXPECT_EQ(SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(first), 0), 0);
    EXPECT_EQ(SizeOf(icon).cx, 32);
    EXPECT_EQ(SizeOf(icon).cy, 32);
    EXPECT_EQ(SendMessageA(icon, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(second)),
              reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(SizeOf(icon).cx, 16);
    EXPECT_EQ(SendMessageA(icon, STM_GETIMAGE, IMAGE_ICON, 0), reinterpret_cast<LRESULT>(second));
    EXPECT_EQ(SendMessageA(icon, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);

    HWND centred = Static(2, SS_ICON | SS_CENTERIMAGE, "", {0, 0, 100, 100});
    SendMessageA(centred, STM_SETICON, reinterpret_cast<WPARAM>(first), 0);
    EXPECT_EQ(SizeOf(centred).cx, 100);
    DestroyWindow(icon);
    DestroyWindow(centred);
    DestroyIcon(first);
    DestroyIcon(second);
}

TEST_F(StaticTest, BitmapStaticShowsItsBitmapAtItsSize) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 10);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
    const RECT all{0, 0, 20, 10};
    FillRect(memory, &all, green);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    HWND picture = Static(1, SS_BITMAP, "", {0, 0, 100, 100});
    EXPECT_EQ(SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)),
              0);
    PumpUntilIdle();
    EXPECT_EQ(SizeOf(picture).cx, 20);
    EXPECT_EQ(SizeOf(picture).cy, 10);
    EXPECT_EQ(PixelAt(picture, 19, 9), RGB(0, 200, 0));
    DestroyWindow(picture);
    DeleteObject(bitmap);
    DeleteObject(green);
}

TEST_F(StaticTest, PictureNamesThatFindNoResourceLeaveAnEmptyControl) {
    HWND byNumber = Static(1, SS_ICON, MAKEINTRESOURCEA(4321), {0, 0, 40, 40});
    HWND byDialogForm = Static(2, SS_BITMAP, "\xFF\x21\x10", {0, 0, 40, 40});
    HWND byName = Static(3, SS_ICON, "#4321", {0, 0, 40, 40});
    for (HWND control : {byNumber, byDialogForm, byName}) {
        EXPECT_EQ(GetWindowTextLengthA(control), 0);
        EXPECT_EQ(SendMessageA(control, STM_GETIMAGE, IMAGE_ICON, 0), 0);
        EXPECT_EQ(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        EXPECT_EQ(SizeOf(control).cx, 40);
    }
}

TEST_F(StaticTest, RectanglesFramesAndEtchedLinesUseTheThreeDColours) {
    HWND black = Static(1, SS_BLACKRECT, "", {0, 0, 20, 20});
    HWND gray = Static(2, SS_GRAYFRAME, "", {30, 0, 50, 20});
    HWND etched = Static(3, SS_ETCHEDHORZ, "", {60, 0, 100, 2});
    HWND sunken = Static(4, SS_LEFT | SS_SUNKEN, "", {0, 30, 40, 50});
    EXPECT_EQ(PixelAt(black, 10, 10), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(PixelAt(gray, 0, 10), GetSysColor(COLOR_3DSHADOW));
    // A frame leaves its inside to whatever lies beneath.
    EXPECT_NE(PixelAt(gray, 10, 10), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelAt(etched, 5, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelAt(etched, 5, 1), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(PixelAt(sunken, 0, 5), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelAt(sunken, 39, 5), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_TRUE(Log().Of(WM_CTLCOLORSTATIC).size() == 1u);
}

TEST_F(StaticTest, OwnerDrawnStaticIsDrawnByItsParent) {
    std::vector<DRAWITEMSTRUCT> drawn;
    Log().Answer(WM_DRAWITEM, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        drawn.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    });
    HWND owner = Static(1013, SS_OWNERDRAW, "", {0, 0, 30, 12});
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].CtlType, static_cast<UINT>(ODT_STATIC));
    EXPECT_EQ(drawn[0].CtlID, 1013u);
    EXPECT_EQ(drawn[0].itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(drawn[0].hwndItem, owner);
    EXPECT_EQ(drawn[0].rcItem.right, 30);
    EXPECT_EQ(drawn[0].rcItem.bottom, 12);
    EnableWindow(owner, FALSE);
    PumpUntilIdle();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].itemState, static_cast<UINT>(ODS_DISABLED));
}

}  // namespace
}  // namespace platform
