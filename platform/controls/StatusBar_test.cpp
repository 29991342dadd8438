#include "platform/controls/StatusBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/drawing/DrawingTest.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/IconApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

class StatusBarTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterStatusBarClass();
        parent_ = TopLevel(WS_POPUP | WS_VISIBLE, RECT{100, 100, 500, 400});
    }

    HWND CreateBar(DWORD style = 0, const char* text = "") {
        return CreateWindowExA(0, STATUSCLASSNAMEA, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                               parent_, reinterpret_cast<HMENU>(59393), nullptr, nullptr);
    }
    static RECT PartRect(HWND bar, int part) {
        RECT rect{};
        EXPECT_TRUE(SendMessageA(bar, SB_GETRECT, static_cast<WPARAM>(part),
                                 reinterpret_cast<LPARAM>(&rect)));
        return rect;
    }
    static void ExpectRect(const RECT& rect, int left, int top, int right, int bottom) {
        EXPECT_EQ(rect.left, left);
        EXPECT_EQ(rect.top, top);
        EXPECT_EQ(rect.right, right);
        EXPECT_EQ(rect.bottom, bottom);
    }
    static int Height(HWND bar) {
        RECT rect{};
        GetWindowRect(bar, &rect);
        return rect.bottom - rect.top;
    }

    HWND parent_ = nullptr;
};

TEST_F(StatusBarTest, TheBarLiesAlongTheBottomOfItsParent) {
    HWND bar = CreateBar();
    const int height = Height(bar);
    EXPECT_GT(height, 10);
    RECT rect{};
    GetWindowRect(bar, &rect);
    ExpectRect(rect, 100, 400 - height, 500, 400);

    SetWindowPos(parent_, nullptr, 0, 0, 600, 200, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(bar, WM_SIZE, 0, 0);
    GetWindowRect(bar, &rect);
    ExpectRect(rect, 100, 300 - height, 700, 300);

    SendMessageA(bar, SB_SETMINHEIGHT, 40, 0);
    EXPECT_EQ(Height(bar), height);
    SendMessageA(bar, WM_SIZE, 0, 0);
    EXPECT_EQ(Height(bar), 44);

    HWND top = CreateBar(CCS_TOP);
    GetWindowRect(top, &rect);
    EXPECT_EQ(rect.top, 100);
    HWND fixed = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | CCS_NOPARENTALIGN, 5, 6, 70,
                                 20, parent_, nullptr, nullptr, nullptr);
    GetWindowRect(fixed, &rect);
    ExpectRect(rect, 105, 106, 175, 126);
}

TEST_F(StatusBarTest, PartsEndAtTheirRightEdgesAndTheLastMayStretch) {
    HWND bar = CreateBar();
    const int height = Height(bar);
    ExpectRect(PartRect(bar, 0), 0, 2, 400, height);
    const int edges[3] = {100, 200, -1};
    EXPECT_TRUE(SendMessageA(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
    ExpectRect(PartRect(bar, 0), 0, 2, 100, height);
    ExpectRect(PartRect(bar, 1), 102, 2, 200, height);
    ExpectRect(PartRect(bar, 2), 202, 2, 400, height);
    RECT rect{};
    EXPECT_FALSE(SendMessageA(bar, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&rect)));

    int read[4] = {0, 0, 0, 0};
    EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(read)), 3);
    EXPECT_EQ(read[0], 100);
    EXPECT_EQ(read[1], 200);
    EXPECT_EQ(read[2], 0);
    EXPECT_FALSE(SendMessageA(bar, SB_SETPARTS, 0, reinterpret_cast<LPARAM>(edges)));
    EXPECT_FALSE(SendMessageA(bar, SB_SETPARTS, 257, reinterpret_cast<LPARAM>(edges)));

    int borders[3] = {};
    EXPECT_TRUE(SendMessageA(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders)));
    EXPECT_EQ(borders[0], 0);
    EXPECT_EQ(borders[1], 2);
    EXPECT_EQ(borders[2], 2);
}

TEST_F(StatusBarTest, TextsArePerPartWithTheirDrawingType) {
    HWND bar = CreateBar(0, "ready");
    char text[64] = {};
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text)), MAKELONG(5, 0));
    EXPECT_STREQ(text, "ready");
    const int edges[2] = {100, -1};
    SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_TRUE(
        SendMessageA(bar, SB_SETTEXTA, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>(" (1234,5678) ")));
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTLENGTHA, 1, 0), MAKELONG(13, SBT_POPOUT));
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text)),
              MAKELONG(13, SBT_POPOUT));
    EXPECT_STREQ(text, " (1234,5678) ");
    EXPECT_FALSE(SendMessageA(bar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>("nowhere")));
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTLENGTHA, 2, 0), 0);

    SetWindowTextA(bar, "完成");
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTLENGTHA, 0, 0), MAKELONG(4, 0));
    char window[3] = {};
    EXPECT_EQ(GetWindowTextA(bar, window, sizeof(window)), 2);
    EXPECT_STREQ(window, "完");

    // Parts dropped by SB_SETPARTS lose their texts; kept parts keep them.
    const int one[1] = {-1};
    SendMessageA(bar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(one));
    SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTLENGTHA, 1, 0), 0);
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTLENGTHA, 0, 0), MAKELONG(4, 0));

    SendMessageA(bar, SB_SETTIPTEXTA, 0, reinterpret_cast<LPARAM>("a tip text"));
    char tip[6] = {};
    SendMessageA(bar, SB_GETTIPTEXTA, MAKEWPARAM(0, sizeof(tip)), reinterpret_cast<LPARAM>(tip));
    EXPECT_STREQ(tip, "a tip");
}

TEST_F(StatusBarTest, SimpleModeHasItsOwnTextAndNotifies) {
    HWND bar = CreateBar(0, "parts");
    std::vector<UINT> codes;
    Log().Answer(WM_NOTIFY, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        codes.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
        return 0;
    });
    SendMessageA(bar, SB_SIMPLE, TRUE, 0);
    SendMessageA(bar, SB_SIMPLE, TRUE, 0);
    EXPECT_TRUE(SendMessageA(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(codes, std::vector<UINT>{SBN_SIMPLEMODECHANGE});
    SendMessageA(bar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>("menu help"));
    char text[32] = {};
    SendMessageA(bar, SB_GETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "menu help");
    SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "parts");
    SendMessageA(bar, SB_SIMPLE, FALSE, 0);
    EXPECT_FALSE(SendMessageA(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(codes.size(), 2U);
}

TEST_F(StatusBarTest, OwnerDrawnPartsAskTheParentWithTheirValue) {
    InstallScreen();
    std::vector<DRAWITEMSTRUCT> draws;
    Log().Answer(WM_DRAWITEM, [&](HWND, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        EXPECT_EQ(wParam, 59393U);
        draws.push_back(*draw);
        HBRUSH brush = CreateSolidBrush(RGB(0, 200, 0));
        FillRect(draw->hDC, &draw->rcItem, brush);
        DeleteObject(brush);
        return TRUE;
    });
    HWND bar = CreateBar();
    const int edges[2] = {100, -1};
    SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_TRUE(SendMessageA(bar, SB_SETTEXTA, 1 | SBT_OWNERDRAW, 0x12345678));
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTA, 1, 0), 0x12345678);
    PumpUntilIdle();
    ASSERT_EQ(draws.size(), 1U);
    EXPECT_EQ(draws[0].CtlID, 59393U);
    EXPECT_EQ(draws[0].itemID, 1U);
    EXPECT_EQ(draws[0].itemData, 0x12345678U);
    EXPECT_EQ(draws[0].itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(draws[0].hwndItem, bar);
    ExpectRect(draws[0].rcItem, 102, 2, 400, Height(bar));

    RECT window{};
    GetWindowRect(bar, &window);
    Surface screen = CaptureScreen();
    EXPECT_EQ(ColorFromPixel(screen.At(250, window.top + 10)), RGB(0, 200, 0));
    // Part 0 has the sunken border: shadow on top, highlight at the bottom.
    EXPECT_EQ(ColorFromPixel(screen.At(150, window.top + 2)), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ColorFromPixel(screen.At(150, window.bottom - 1)), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ColorFromPixel(screen.At(150, window.top)), GetSysColor(COLOR_BTNFACE));
}

TEST_F(StatusBarTest, BackgroundColourAndTabAlignedText) {
    InstallScreen();
    HWND bar = CreateBar();
    EXPECT_EQ(SendMessageA(bar, SB_SETBKCOLOR, 0, RGB(255, 255, 0)), CLR_DEFAULT);
    SendMessageA(bar, SB_SETTEXTA, SBT_NOBORDERS, reinterpret_cast<LPARAM>("\t\tRIGHT"));
    PumpUntilIdle();
    RECT window{};
    GetWindowRect(bar, &window);
    Surface screen = CaptureScreen();
    EXPECT_EQ(ColorFromPixel(screen.At(110, window.top + 1)), RGB(255, 255, 0));
    // All ink is in the right half of the bar.
    int left = 1000;
    int right = 0;
    for (int x = window.left; x < window.right; ++x) {
        for (int y = window.top; y < window.bottom; ++y) {
            if (ColorFromPixel(screen.At(x, y)) == GetSysColor(COLOR_BTNTEXT)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_GT(left, 400);
    EXPECT_GE(right, 480);
    EXPECT_LT(right, 500);
}

TEST_F(StatusBarTest, APartIconIsDrawnBeforeItsText) {
    InstallScreen();
    testing::MemoryCanvas color(16, 16, RGB(200, 0, 0));
    const BYTE zeros[32] = {};
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, zeros);
    ICONINFO info{TRUE, 0, 0, mask, color.bitmap()};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    HWND bar = CreateBar();
    SendMessageA(bar, SB_SETMINHEIGHT, 20, 0);
    SendMessageA(bar, WM_SIZE, 0, 0);
    EXPECT_TRUE(SendMessageA(bar, SB_SETICON, 0, reinterpret_cast<LPARAM>(icon)));
    EXPECT_FALSE(SendMessageA(bar, SB_SETICON, 4, reinterpret_cast<LPARAM>(icon)));
    EXPECT_EQ(SendMessageA(bar, SB_GETICON, 0, 0), reinterpret_cast<LRESULT>(icon));
    PumpUntilIdle();
    RECT window{};
    GetWindowRect(bar, &window);
    Surface screen = CaptureScreen();
    // Part 0 starts at x 0 and its contents 3 pixels in; the part spans y 2..24 of the bar.
    EXPECT_EQ(ColorFromPixel(screen.At(window.left + 3, window.top + 13)), RGB(200, 0, 0));
    EXPECT_EQ(ColorFromPixel(screen.At(window.left + 18, window.top + 13)), RGB(200, 0, 0));
    EXPECT_EQ(ColorFromPixel(screen.At(window.left + 19, window.top + 13)),
              GetSysColor(COLOR_BTNFACE));
    DestroyWindow(bar);
    DestroyIcon(icon);
    DeleteObject(mask);
}

TEST_F(StatusBarTest, TheSizeGripResizesAResizableFrame) {
    HWND frame = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{50, 50, 450, 350});
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                               0, 0, 0, frame, nullptr, nullptr, nullptr);
    RECT window{};
    GetWindowRect(bar, &window);
    EXPECT_EQ(SendMessageA(bar, WM_NCHITTEST, 0, MAKELPARAM(window.right - 2, window.bottom - 2)),
              HTBOTTOMRIGHT);
    EXPECT_EQ(SendMessageA(bar, WM_NCHITTEST, 0, MAKELPARAM(window.left + 2, window.bottom - 2)),
              HTCLIENT);
}

}  // namespace
}  // namespace platform
