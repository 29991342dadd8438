#include "platform/controls/Tab.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/ToolTip.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

class TabControlTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterTabControlClass();
        parent_ = TopLevel(WS_POPUP | WS_VISIBLE, RECT{100, 100, 500, 300});
        // The notification structures live on the sender's stack: read them while they exist.
        Log().Answer(WM_NOTIFY, [this](HWND hwnd, WPARAM, LPARAM lParam) -> LRESULT {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (hwnd == parent_) {
                codes_.push_back(header->code);
                idFrom_ = header->idFrom;
            }
            return refuse_ && header->code == TCN_SELCHANGING ? TRUE : 0;
        });
    }

    HWND CreateTabs(DWORD style, RECT rect = {10, 10, 310, 110}) {
        return CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | style, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, parent_,
                               reinterpret_cast<HMENU>(1002), nullptr, nullptr);
    }
    static LRESULT Insert(HWND tabs, int index, const char* text, LPARAM param = 0) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<char*>(text);
        item.lParam = param;
        return SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(&item));
    }
    static RECT ItemRect(HWND tabs, int index) {
        RECT rect{};
        EXPECT_TRUE(SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(&rect)));
        return rect;
    }
    void Click(HWND tabs, POINT client) {
        ClientToScreen(tabs, &client);
        InjectMouse(MOUSEEVENTF_LEFTDOWN, client);
        InjectMouse(MOUSEEVENTF_LEFTUP, client);
        PumpUntilIdle();
    }

    HWND parent_ = nullptr;
    std::vector<UINT> codes_;
    UINT_PTR idFrom_ = 0;
    bool refuse_ = false;
};

TEST_F(TabControlTest, FixedWidthTabsLieSideBySideTwoPixelsIn) {
    HWND tabs = CreateTabs(TCS_FIXEDWIDTH);
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
    Insert(tabs, 0, "one");
    Insert(tabs, 1, "two");
    const RECT first = ItemRect(tabs, 0);
    const RECT second = ItemRect(tabs, 1);
    EXPECT_EQ(first.left, 2);
    EXPECT_EQ(first.top, 2);
    EXPECT_EQ(first.right, 62);
    EXPECT_EQ(first.bottom, 22);
    EXPECT_EQ(second.left, 62);
    EXPECT_EQ(second.right, 122);
    RECT none{};
    EXPECT_FALSE(SendMessageA(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&none)));
}

TEST_F(TabControlTest, TextTabsAreAsWideAsTheirTextPlusPadding) {
    HWND tabs = CreateTabs(TCS_OWNERDRAWFIXED);
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(20, 20));
    Insert(tabs, 0, "i");
    Insert(tabs, 1, "a much longer title");
    const RECT narrow = ItemRect(tabs, 0);
    const RECT wide = ItemRect(tabs, 1);
    EXPECT_EQ(narrow.bottom - narrow.top, 20);
    EXPECT_GT(wide.right - wide.left, narrow.right - narrow.left + 40);

    SendMessageA(tabs, TCM_SETPADDING, 0, MAKELPARAM(10, 3));
    EXPECT_EQ(ItemRect(tabs, 0).right - ItemRect(tabs, 0).left, narrow.right - narrow.left + 8);
    SendMessageA(tabs, TCM_SETMINTABWIDTH, 0, 100);
    EXPECT_EQ(ItemRect(tabs, 0).right - ItemRect(tabs, 0).left, 100);
    EXPECT_EQ(SendMessageA(tabs, TCM_SETMINTABWIDTH, 0, -1), 100);
}

TEST_F(TabControlTest, ARowTooLongScrollsByItsArrowsAndShowsTheSelectedTab) {
    InstallScreen();
    // Eight 50-pixel tabs in a 200-pixel control: three fit beside the arrow buttons.
    HWND tabs = CreateTabs(TCS_FIXEDWIDTH, RECT{10, 10, 210, 60});
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(50, 20));
    for (int i = 0; i < 8; ++i) {
        Insert(tabs, i, "tab");
    }
    const int arrow = GetSystemMetrics(SM_CXVSCROLL);
    auto firstShown = [&] {
        for (int i = 0; i < 8; ++i) {
            if (ItemRect(tabs, i).left == 2) {
                return i;
            }
        }
        return -1;
    };
    auto glyph = [&](int left) {
        PumpUntilIdle();
        const Surface screen = CaptureScreen();
        return ColorFromPixel(screen.At(110 + left + arrow / 2, 112 + 10));
    };
    EXPECT_EQ(firstShown(), 0);
    EXPECT_EQ(glyph(200 - 2 * arrow), GetSysColor(COLOR_GRAYTEXT));

    SendMessageA(tabs, TCM_SETCURSEL, 7, 0);
    EXPECT_EQ(firstShown(), 5);
    EXPECT_EQ(ItemRect(tabs, 7).right, 152);
    EXPECT_EQ(glyph(200 - 2 * arrow), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(glyph(200 - arrow), GetSysColor(COLOR_GRAYTEXT));

    // The arrows move the row one tab at a time and change no selection.
    codes_.clear();
    Click(tabs, POINT{200 - 2 * arrow + 2, 12});
    EXPECT_EQ(firstShown(), 4);
    Click(tabs, POINT{200 - 2, 12});
    Click(tabs, POINT{200 - 2, 12});
    EXPECT_EQ(firstShown(), 5);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 7);
    EXPECT_TRUE(codes_.empty());
    TCHITTESTINFO hit{{200 - arrow, 12}, 0};
    EXPECT_EQ(SendMessageA(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_NOWHERE));

    // A click on a shown tab selects it; a wide enough control shows the row from its start.
    Click(tabs, POINT{30, 12});
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 5);
    MoveWindow(tabs, 10, 10, 420, 50, TRUE);
    EXPECT_EQ(firstShown(), 0);
}

TEST_F(TabControlTest, InsertClampsThePositionAndKeepsTheSelectedItem) {
    HWND tabs = CreateTabs(0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), -1);
    EXPECT_EQ(Insert(tabs, 5, "first", 10), 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Insert(tabs, 9, "second", 20), 1);
    EXPECT_EQ(Insert(tabs, 0, "zero", 30), 0);
    EXPECT_EQ(Insert(tabs, -1, "bad"), -1);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);

    char text[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "second");
    EXPECT_EQ(item.lParam, 20);

    EXPECT_TRUE(SendMessageA(tabs, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(SendMessageA(tabs, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), -1);
    EXPECT_FALSE(SendMessageA(tabs, TCM_DELETEITEM, 4, 0));
    EXPECT_TRUE(SendMessageA(tabs, TCM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(TabControlTest, GetItemCutsTextAtACharacterBoundary) {
    HWND tabs = CreateTabs(0);
    Insert(tabs, 0, "ab关闭");
    char text[5] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "ab关");

    item.pszText = const_cast<char*>("renamed");
    EXPECT_TRUE(SendMessageA(tabs, TCM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_FALSE(SendMessageA(tabs, TCM_SETITEMA, 1, reinterpret_cast<LPARAM>(&item)));
    char again[16] = {};
    item.pszText = again;
    item.cchTextMax = sizeof(again);
    SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(again, "renamed");
}

TEST_F(TabControlTest, SetCurSelSendsNoNotification) {
    HWND tabs = CreateTabs(0);
    Insert(tabs, 0, "a");
    Insert(tabs, 1, "b");
    codes_.clear();
    EXPECT_EQ(SendMessageA(tabs, TCM_SETCURSEL, 1, 0), 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(tabs, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
    PumpUntilIdle();
    EXPECT_TRUE(codes_.empty());
}

TEST_F(TabControlTest, AClickNotifiesSelChangingThenSelChangeThenClick) {
    HWND tabs = CreateTabs(TCS_FIXEDWIDTH);
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(50, 20));
    Insert(tabs, 0, "a");
    Insert(tabs, 1, "b");
    PumpUntilIdle();
    codes_.clear();
    Click(tabs, POINT{70, 10});
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(codes_, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE, NM_CLICK}));
    EXPECT_EQ(idFrom_, 1002U);
    EXPECT_EQ(GetFocus(), tabs);
}

TEST_F(TabControlTest, TheParentCanRefuseTheChange) {
    HWND tabs = CreateTabs(TCS_FIXEDWIDTH | TCS_FOCUSNEVER);
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(50, 20));
    Insert(tabs, 0, "a");
    Insert(tabs, 1, "b");
    PumpUntilIdle();
    refuse_ = true;
    codes_.clear();
    Click(tabs, POINT{70, 10});
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(codes_, (std::vector<UINT>{TCN_SELCHANGING, NM_CLICK}));
    EXPECT_NE(GetFocus(), tabs);
}

TEST_F(TabControlTest, ArrowKeysMoveTheSelectionWithNotifications) {
    HWND tabs = CreateTabs(0);
    Insert(tabs, 0, "a");
    Insert(tabs, 1, "b");
    Insert(tabs, 2, "c");
    EXPECT_EQ(SendMessageA(tabs, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
    codes_.clear();
    SendMessageA(tabs, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 2);
    SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 2);
    SendMessageA(tabs, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(codes_, (std::vector<UINT>{TCN_KEYDOWN, TCN_SELCHANGING, TCN_SELCHANGE, TCN_KEYDOWN,
                                         TCN_KEYDOWN, TCN_SELCHANGING, TCN_SELCHANGE}));
}

TEST_F(TabControlTest, HitTestReportsTheItemOrNowhere) {
    HWND tabs = CreateTabs(TCS_FIXEDWIDTH);
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(40, 20));
    Insert(tabs, 0, "a");
    Insert(tabs, 1, "b");
    TCHITTESTINFO info{{42, 21}, 0};
    EXPECT_EQ(SendMessageA(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), 1);
    EXPECT_EQ(info.flags, static_cast<UINT>(TCHT_ONITEMLABEL));
    info = TCHITTESTINFO{{41, 5}, 0};
    EXPECT_EQ(SendMessageA(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), 0);
    info = TCHITTESTINFO{{82, 5}, 0};
    EXPECT_EQ(SendMessageA(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), -1);
    EXPECT_EQ(info.flags, static_cast<UINT>(TCHT_NOWHERE));
    info = TCHITTESTINFO{{10, 22}, 0};
    EXPECT_EQ(SendMessageA(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), -1);
}

TEST_F(TabControlTest, MultilineTabsWrapIntoRowsAndBottomTabsStartFromTheBottom) {
    HWND tabs = CreateTabs(TCS_FIXEDWIDTH | TCS_MULTILINE, RECT{0, 0, 130, 100});
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
    for (int i = 0; i < 5; ++i) {
        Insert(tabs, i, "x");
    }
    EXPECT_EQ(SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemRect(tabs, 2).left, 2);
    EXPECT_EQ(ItemRect(tabs, 2).top, 22);
    EXPECT_EQ(ItemRect(tabs, 4).top, 42);

    RECT page{0, 0, 130, 100};
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    EXPECT_EQ(page.top, 64);
    EXPECT_EQ(page.left, 4);
    EXPECT_EQ(page.right, 126);
    EXPECT_EQ(page.bottom, 96);
    SendMessageA(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&page));
    EXPECT_EQ(page.top, 0);
    EXPECT_EQ(page.bottom, 100);

    HWND bottom = CreateTabs(TCS_FIXEDWIDTH | TCS_BOTTOM, RECT{0, 0, 200, 100});
    SendMessageA(bottom, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
    Insert(bottom, 0, "x");
    EXPECT_EQ(ItemRect(bottom, 0).bottom, 98);
    EXPECT_EQ(ItemRect(bottom, 0).top, 78);
}

TEST_F(TabControlTest, ButtonsStartAtTheEdgeWithGaps) {
    HWND tabs = CreateTabs(TCS_BUTTONS | TCS_FIXEDWIDTH);
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(30, 20));
    Insert(tabs, 0, "a");
    Insert(tabs, 1, "b");
    EXPECT_EQ(ItemRect(tabs, 0).left, 0);
    EXPECT_EQ(ItemRect(tabs, 0).top, 0);
    EXPECT_EQ(ItemRect(tabs, 1).left, 33);
    // Focus and selection part ways in button mode.
    SendMessageA(tabs, TCM_SETCURFOCUS, 1, 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURFOCUS, 0, 0), 1);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
}

TEST_F(TabControlTest, HighlightStateIsKeptPerItem) {
    HWND tabs = CreateTabs(0);
    Insert(tabs, 0, "a");
    EXPECT_TRUE(SendMessageA(tabs, TCM_HIGHLIGHTITEM, 0, MAKELPARAM(TRUE, 0)));
    EXPECT_FALSE(SendMessageA(tabs, TCM_HIGHLIGHTITEM, 3, MAKELPARAM(TRUE, 0)));
    TCITEMA item{};
    item.mask = TCIF_STATE;
    item.dwStateMask = TCIS_HIGHLIGHTED | TCIS_BUTTONPRESSED;
    SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.dwState, static_cast<DWORD>(TCIS_HIGHLIGHTED));
}

TEST_F(TabControlTest, OwnerDrawnTabsAskTheParentWithTheItemData) {
    InstallScreen();
    std::vector<DRAWITEMSTRUCT> draws;
    Log().Answer(WM_DRAWITEM, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        draws.push_back(*draw);
        HBRUSH brush =
            CreateSolidBrush(draw->itemState & ODS_SELECTED ? RGB(255, 0, 0) : RGB(0, 0, 255));
        FillRect(draw->hDC, &draw->rcItem, brush);
        DeleteObject(brush);
        return TRUE;
    });
    HWND tabs = CreateTabs(TCS_OWNERDRAWFIXED | TCS_FIXEDWIDTH);
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(40, 20));
    Insert(tabs, 0, "a", 0x1111);
    Insert(tabs, 1, "b", 0x2222);
    PumpUntilIdle();
    ASSERT_EQ(draws.size(), 2U);
    // The unselected tabs go first, the selected one last.
    EXPECT_EQ(draws[0].itemID, 1U);
    EXPECT_EQ(draws[0].itemData, 0x2222U);
    EXPECT_EQ(draws[0].itemState, 0U);
    EXPECT_EQ(draws[1].itemID, 0U);
    EXPECT_EQ(draws[1].CtlType, static_cast<UINT>(ODT_TAB));
    EXPECT_EQ(draws[1].CtlID, 1002U);
    EXPECT_EQ(draws[1].itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(draws[1].itemState, static_cast<UINT>(ODS_SELECTED));
    EXPECT_EQ(draws[1].itemData, 0x1111U);
    EXPECT_EQ(draws[1].hwndItem, tabs);
    EXPECT_EQ(draws[1].rcItem.left, 2);
    EXPECT_EQ(draws[1].rcItem.right, 42);

    Surface screen = CaptureScreen();
    // Parent at (100, 100), control at (10, 10) in it, tabs 2 pixels in.
    EXPECT_EQ(ColorFromPixel(screen.At(112, 112)), RGB(255, 0, 0));
    EXPECT_EQ(ColorFromPixel(screen.At(152, 112)), RGB(0, 0, 255));
    EXPECT_EQ(ColorFromPixel(screen.At(200, 112)), GetSysColor(COLOR_BTNFACE));
}

TEST_F(TabControlTest, PlainTabsPaintTheSelectedTabRaisedOverTheFrame) {
    InstallScreen();
    HWND tabs = CreateTabs(TCS_FIXEDWIDTH);
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(40, 20));
    Insert(tabs, 0, "a");
    Insert(tabs, 1, "b");
    PumpUntilIdle();
    Surface screen = CaptureScreen();
    // The selected tab grows by 2 pixels: its highlight edge is at the control's top row.
    EXPECT_EQ(ColorFromPixel(screen.At(120, 110)), GetSysColor(COLOR_BTNHIGHLIGHT));
    // The unselected tab's top edge stays 2 pixels down.
    EXPECT_EQ(ColorFromPixel(screen.At(160, 110)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorFromPixel(screen.At(160, 112)), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(TabControlTest, TabToolTipsAskTheParentForText) {
    RegisterToolTipClass();
    HWND tabs = CreateTabs(TCS_TOOLTIPS | TCS_FIXEDWIDTH);
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(40, 20));
    Insert(tabs, 0, "a");
    Insert(tabs, 1, "b");
    HWND tip = reinterpret_cast<HWND>(SendMessageA(tabs, TCM_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    Log().Answer(WM_NOTIFY, [](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
        if (info->hdr.code == TTN_GETDISPINFOA) {
            info->lpszText = const_cast<char*>(info->hdr.idFrom == 1 ? "second" : "first");
        }
        return 0;
    });
    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = tabs;
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "second");
    SendMessageA(tabs, TCM_DELETEITEM, 0, 0);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    DestroyWindow(tabs);
    EXPECT_FALSE(IsWindow(tip));
}

}  // namespace
}  // namespace platform
