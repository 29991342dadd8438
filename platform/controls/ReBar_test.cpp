#include "platform/controls/ReBar.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/controls/StatusBar.h"
#include "platform/controls/Tab.h"
#include "platform/controls/ToolBar.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

class ReBarTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterReBarClass();
        parent_ = TopLevel(WS_POPUP | WS_VISIBLE, RECT{100, 100, 700, 500});
        Log().Answer(WM_NOTIFY, [this](HWND hwnd, WPARAM, LPARAM lParam) -> LRESULT {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (hwnd == parent_) {
                codes_.push_back(header->code);
                if (header->code == RBN_AUTOSIZE) {
                    autoSize_ = *reinterpret_cast<const NMRBAUTOSIZE*>(lParam);
                }
            }
            return 0;
        });
    }

    HWND CreateBar(DWORD style = RBS_BANDBORDERS) {
        return CreateWindowExA(0, REBARCLASSNAMEA, "",
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | style, 0,
                               0, 0, 0, parent_, reinterpret_cast<HMENU>(59396), nullptr, nullptr);
    }
    HWND Insert(HWND bar, UINT id, UINT style, UINT cxMin, UINT cyMin, UINT cx = 0,
                const char* text = nullptr) {
        HWND child = Child(parent_, static_cast<int>(100 + id), RECT{0, 0, 10, 10});
        REBARBANDINFOA band{};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID |
                     RBBIM_LPARAM | (text != nullptr ? RBBIM_TEXT : 0);
        band.fStyle = style;
        band.hwndChild = child;
        band.cxMinChild = cxMin;
        band.cyMinChild = cyMin;
        band.cx = cx;
        band.wID = id;
        band.lParam = static_cast<LPARAM>(id * 10);
        band.lpText = const_cast<char*>(text);
        EXPECT_TRUE(SendMessageA(bar, RB_INSERTBANDA, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(&band)));
        return child;
    }
    static RECT BandRect(HWND bar, int index) {
        RECT rect{};
        SendMessageA(bar, RB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    // A window's rectangle in its parent's client coordinates.
    static RECT Placed(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    static void ExpectRect(const RECT& rect, int left, int top, int right, int bottom) {
        EXPECT_EQ(rect.left, left);
        EXPECT_EQ(rect.top, top);
        EXPECT_EQ(rect.right, right);
        EXPECT_EQ(rect.bottom, bottom);
    }
    // The frame's four bands: three on the first row, the address bar on its own row.
    std::vector<HWND> FrameBands(HWND bar) {
        return {Insert(bar, 0, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP, 100, 30, 300),
                Insert(bar, 1, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP, 50, 24),
                Insert(bar, 2, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP, 30, 28),
                Insert(bar, 3, RBBS_BREAK, 200, 25)};
    }

    HWND parent_ = nullptr;
    std::vector<UINT> codes_;
    NMRBAUTOSIZE autoSize_{};
};

TEST_F(ReBarTest, BandsFillRowsAndBreaksStartNewOnes) {
    HWND bar = CreateBar();
    const std::vector<HWND> children = FrameBands(bar);
    EXPECT_EQ(SendMessageA(bar, RB_GETBANDCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageA(bar, RB_GETROWCOUNT, 0, 0), 2);
    // Headers are 10 pixels (border and gripper); the row's last band takes the rest.
    ExpectRect(BandRect(bar, 0), 0, 0, 300, 30);
    ExpectRect(BandRect(bar, 1), 302, 0, 362, 30);
    ExpectRect(BandRect(bar, 2), 364, 0, 600, 30);
    ExpectRect(BandRect(bar, 3), 0, 32, 600, 62);
    EXPECT_EQ(SendMessageA(bar, RB_GETBARHEIGHT, 0, 0), 62);
    EXPECT_EQ(SendMessageA(bar, RB_GETROWHEIGHT, 3, 0), 30);

    // The children moved into their bands, after the header, centred in the row.
    EXPECT_EQ(GetParent(children[0]), bar);
    ExpectRect(Placed(children[0]), 10, 0, 300, 30);
    ExpectRect(Placed(children[2]), 374, 1, 600, 29);
    ExpectRect(Placed(children[3]), 10, 34, 600, 59);

    // The bar spans the parent's width at its top, as high as its rows.
    ExpectRect(Placed(bar), 0, 0, 600, 62);
    EXPECT_EQ(SendMessageA(bar, RB_IDTOINDEX, 3, 0), 3);
    EXPECT_EQ(SendMessageA(bar, RB_IDTOINDEX, 9, 0), -1);
}

TEST_F(ReBarTest, HiddenBandsTakeNoRoomAndHideTheirChildren) {
    HWND bar = CreateBar();
    const std::vector<HWND> children = FrameBands(bar);
    codes_.clear();
    EXPECT_TRUE(SendMessageA(bar, RB_SHOWBAND, 1, FALSE));
    RECT rect{};
    EXPECT_FALSE(SendMessageA(bar, RB_GETRECT, 1, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_FALSE(IsWindowVisible(children[1]));
    ExpectRect(BandRect(bar, 2), 302, 0, 600, 30);
    REBARBANDINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_STYLE;
    ASSERT_TRUE(SendMessageA(bar, RB_GETBANDINFOA, 1, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(info.fStyle, static_cast<UINT>(RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP | RBBS_HIDDEN));
    EXPECT_TRUE(codes_.empty());

    // Hiding the whole second row changes the bar's height, and the parent hears of it.
    SendMessageA(bar, RB_SHOWBAND, 3, FALSE);
    EXPECT_EQ(SendMessageA(bar, RB_GETROWCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(bar, RB_GETBARHEIGHT, 0, 0), 30);
    EXPECT_EQ(Placed(bar).bottom, 30);
    EXPECT_EQ(codes_, std::vector<UINT>{RBN_HEIGHTCHANGE});

    // With the first row hidden, the band with the break is the first row.
    SendMessageA(bar, RB_SHOWBAND, 3, TRUE);
    for (int i = 0; i < 3; ++i) {
        SendMessageA(bar, RB_SHOWBAND, static_cast<WPARAM>(i), FALSE);
    }
    EXPECT_EQ(SendMessageA(bar, RB_GETROWCOUNT, 0, 0), 1);
    ExpectRect(BandRect(bar, 3), 0, 0, 600, 25);
    EXPECT_TRUE(IsWindowVisible(children[3]));
    SendMessageA(bar, RB_SHOWBAND, 1, TRUE);
    EXPECT_TRUE(IsWindowVisible(children[1]));
    EXPECT_EQ(SendMessageA(bar, RB_GETROWCOUNT, 0, 0), 2);
    EXPECT_FALSE(SendMessageA(bar, RB_SHOWBAND, 9, TRUE));
}

TEST_F(ReBarTest, BandInfoRoundTrips) {
    HWND bar = CreateBar(0);
    HWND child = Insert(bar, 7, RBBS_CHILDEDGE, 40, 20, 150, "地址");
    char text[5] = {};
    REBARBANDINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_TEXT | RBBIM_ID | RBBIM_LPARAM | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE |
                 RBBIM_HEADERSIZE;
    info.lpText = text;
    info.cch = 4;
    ASSERT_TRUE(SendMessageA(bar, RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ(text, "地");
    EXPECT_EQ(info.wID, 7U);
    EXPECT_EQ(info.lParam, 70);
    EXPECT_EQ(info.hwndChild, child);
    EXPECT_EQ(info.cxMinChild, 40U);
    EXPECT_EQ(info.cyMinChild, 20U);
    // The only band stretches over the whole bar; it has no gripper.
    EXPECT_EQ(info.cx, 600U);
    EXPECT_GT(info.cxHeader, 2U);

    REBARBANDINFOA header{};
    header.cbSize = sizeof(header);
    header.fMask = RBBIM_HEADERSIZE;
    header.cxHeader = 30;
    ASSERT_TRUE(SendMessageA(bar, RB_SETBANDINFOA, 0, reinterpret_cast<LPARAM>(&header)));
    // The child edge keeps 2 pixels around the child.
    ExpectRect(Placed(child), 32, 2, 598, 22);
    RECT borders{};
    SendMessageA(bar, RB_GETBANDBORDERS, 0, reinterpret_cast<LPARAM>(&borders));
    ExpectRect(borders, 32, 2, 2, 2);

    REBARBANDINFOA old{};
    old.cbSize = 20;
    old.fMask = RBBIM_ID;
    EXPECT_FALSE(SendMessageA(bar, RB_INSERTBANDA, 0, reinterpret_cast<LPARAM>(&old)));
    EXPECT_FALSE(SendMessageA(bar, RB_SETBANDINFOA, 0, reinterpret_cast<LPARAM>(&old)));
    EXPECT_FALSE(SendMessageA(bar, RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&old)));
    EXPECT_FALSE(SendMessageA(bar, RB_GETBANDINFOA, 3, reinterpret_cast<LPARAM>(&info)));
}

TEST_F(ReBarTest, ANarrowRowSqueezesItsBandsFromTheLastOneBackwards) {
    SetWindowPos(parent_, nullptr, 0, 0, 250, 300, SWP_NOMOVE | SWP_NOZORDER);
    HWND bar = CreateBar(0);
    Insert(bar, 0, 0, 100, 20, 180);
    Insert(bar, 1, 0, 100, 20, 180);
    Insert(bar, 2, 0, 30, 20, 10);
    // Headers are 10 pixels: minimum widths 110, 110 and 40. Bands do not wrap by themselves.
    EXPECT_EQ(SendMessageA(bar, RB_GETROWCOUNT, 0, 0), 1);
    ExpectRect(BandRect(bar, 0), 0, 0, 110, 20);
    ExpectRect(BandRect(bar, 1), 110, 0, 220, 20);
    ExpectRect(BandRect(bar, 2), 220, 0, 260, 20);

    SetWindowPos(parent_, nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(bar, WM_SIZE, 0, 0);
    ExpectRect(BandRect(bar, 0), 0, 0, 150, 20);
    ExpectRect(BandRect(bar, 1), 150, 0, 260, 20);
    ExpectRect(BandRect(bar, 2), 260, 0, 300, 20);
}

TEST_F(ReBarTest, MaximizeAndMinimizeMoveTheRoomBetweenBands) {
    HWND bar = CreateBar(0);
    Insert(bar, 0, 0, 100, 20, 200);
    Insert(bar, 1, 0, 100, 20);
    SendMessageA(bar, RB_MAXIMIZEBAND, 0, FALSE);
    ExpectRect(BandRect(bar, 0), 0, 0, 490, 20);
    ExpectRect(BandRect(bar, 1), 490, 0, 600, 20);
    SendMessageA(bar, RB_MINIMIZEBAND, 0, 0);
    ExpectRect(BandRect(bar, 0), 0, 0, 110, 20);

    // A fixed-size last band keeps its size; the band before it takes the rest.
    HWND fixed = CreateBar(0);
    Insert(fixed, 0, 0, 100, 20);
    Insert(fixed, 1, RBBS_FIXEDSIZE, 50, 20);
    ExpectRect(BandRect(fixed, 0), 0, 0, 548, 20);
    ExpectRect(BandRect(fixed, 1), 548, 0, 600, 20);
}

TEST_F(ReBarTest, VariableHeightRowsAndAutoSizeNotice) {
    HWND bar = CreateBar(RBS_VARHEIGHT | RBS_AUTOSIZE);
    Insert(bar, 0, 0, 100, 30);
    Insert(bar, 1, RBBS_BREAK, 100, 20);
    EXPECT_EQ(SendMessageA(bar, RB_GETROWHEIGHT, 0, 0), 30);
    EXPECT_EQ(SendMessageA(bar, RB_GETROWHEIGHT, 1, 0), 20);
    EXPECT_EQ(SendMessageA(bar, RB_GETBARHEIGHT, 0, 0), 50);
    codes_.clear();
    SetWindowPos(parent_, nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(bar, WM_SIZE, 0, 0);
    EXPECT_EQ(Placed(bar).right, 300);
    ASSERT_EQ(codes_, std::vector<UINT>{RBN_AUTOSIZE});
    EXPECT_FALSE(autoSize_.fChanged);
    ExpectRect(autoSize_.rcTarget, 0, 0, 300, 50);
}

TEST_F(ReBarTest, ChildNotificationsReachTheBarsParent) {
    HWND bar = CreateBar();
    HWND child = Insert(bar, 0, 0, 100, 30);
    codes_.clear();
    NMHDR header{child, 100, 12345};
    SendMessageA(bar, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(codes_, std::vector<UINT>{12345U});
    SendMessageA(bar, WM_COMMAND, MAKEWPARAM(32787, 0), reinterpret_cast<LPARAM>(child));
    const auto commands = Log().Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1U);
    EXPECT_EQ(commands[0].hwnd, parent_);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(32787, 0));
}

TEST_F(ReBarTest, BandsPaintTheirColoursGripperAndBorders) {
    InstallScreen();
    HWND bar = CreateBar();
    EXPECT_EQ(SendMessageA(bar, RB_SETBKCOLOR, 0, RGB(0, 0, 128)), CLR_NONE);
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_SIZE;
    band.fStyle = RBBS_GRIPPERALWAYS;
    band.cyMinChild = 20;
    band.cx = 200;
    SendMessageA(bar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    band.fMask |= RBBIM_COLORS;
    band.clrBack = RGB(0, 160, 0);
    band.clrFore = CLR_DEFAULT;
    SendMessageA(bar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    PumpUntilIdle();
    Surface screen = CaptureScreen();
    // Parent at (100, 100): the first band in the bar's colour, the second in its own.
    EXPECT_EQ(ColorFromPixel(screen.At(150, 110)), RGB(0, 0, 128));
    EXPECT_EQ(ColorFromPixel(screen.At(350, 110)), RGB(0, 160, 0));
    // The gripper's highlight and shadow lines, and the etched border after the first band.
    EXPECT_EQ(ColorFromPixel(screen.At(103, 110)), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ColorFromPixel(screen.At(104, 110)), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ColorFromPixel(screen.At(300, 110)), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ColorFromPixel(screen.At(301, 110)), GetSysColor(COLOR_BTNHIGHLIGHT));
}

// A browser-like frame: a tool bar in a rebar band, an address band on its own row, a tab strip
// and a status bar, left as a picture for a person to look at.
TEST_F(ReBarTest, AFrameWithBarsIsWrittenAsAPicture) {
    InstallScreen();
    RegisterToolBarClass();
    RegisterTabControlClass();
    RegisterStatusBarClass();
    HWND bar = CreateBar();
    HWND tools = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                 WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST |
                                     CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                 0, 0, 0, 0, bar, nullptr, nullptr, nullptr);
    SendMessageA(tools, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(tools, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageA(tools, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("后退\0前进\0主页\0"));
    TBBUTTON buttons[4] = {{-1, 1, TBSTATE_ENABLED, BTNS_DROPDOWN | BTNS_AUTOSIZE, {}, 0, 0},
                           {-1, 2, 0, BTNS_DROPDOWN | BTNS_AUTOSIZE, {}, 0, 1},
                           {0, 0, 0, BTNS_SEP, {}, 0, -1},
                           {-1, 3, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_AUTOSIZE, {}, 0, 2}};
    SendMessageA(tools, TB_ADDBUTTONSA, 4, reinterpret_cast<LPARAM>(buttons));
    SIZE size{};
    SendMessageA(tools, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_TEXT;
    band.fStyle = RBBS_GRIPPERALWAYS;
    band.hwndChild = tools;
    band.cxMinChild = static_cast<UINT>(size.cx);
    band.cyMinChild = static_cast<UINT>(size.cy);
    band.cx = static_cast<UINT>(size.cx) + 40;
    band.lpText = const_cast<char*>("工具");
    SendMessageA(bar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    band.fMask = RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_TEXT;
    band.fStyle = RBBS_BREAK | RBBS_GRIPPERALWAYS;
    band.cyMinChild = 22;
    band.lpText = const_cast<char*>("地址:");
    SendMessageA(bar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));

    HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 80, 600, 200,
                                parent_, nullptr, nullptr, nullptr);
    const char* titles[3] = {"新浪首页", "about:blank", "搜索结果"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(titles[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
    HWND status =
        CreateWindowExA(0, STATUSCLASSNAMEA, "完成", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                        0, 0, parent_, nullptr, nullptr, nullptr);
    const int edges[3] = {380, 500, -1};
    SendMessageA(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("完成"));
    SendMessageA(status, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>("\t(600,400)"));
    PumpUntilIdle();

    const std::filesystem::path folder(PROJECT_TEST_OUTPUT_DIR);
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(WriteWindowPng(parent_, folder / "bars.png"));
}

}  // namespace
}  // namespace platform
