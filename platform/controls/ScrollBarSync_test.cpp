#include "platform/controls/ScrollBarSync.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/controls/Edit.h"
#include "platform/controls/RichEdit.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/ViewTest.h"

namespace platform::testing {
namespace {

constexpr int kId = 1050;

bool HasStyle(HWND hwnd, DWORD bits) {
    return (static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & bits) == bits;
}

SCROLLINFO Info(HWND hwnd, int bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, -1, -1, 0, -1, -1};
    EXPECT_TRUE(GetScrollInfo(hwnd, bar, &info));
    return info;
}

void Scroll(HWND hwnd, UINT message, int code, int thumb = 0) {
    SendMessageA(hwnd, message, MAKEWPARAM(code, thumb), 0);
}

std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += (i == 0 ? "line " : "\r\nline ") + std::to_string(i);
    }
    return text;
}

class ScrollBarSyncTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        InstallScreen();
        RegisterTreeViewClass();
        RegisterEditClass();
        RegisterRichEditClass();
    }

    HWND Make(const char* className, DWORD style, const char* text = "") {
        HWND hwnd = CreateWindowExA(
            0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 10, 300, 200, parent_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)), nullptr, nullptr);
        PumpUntilIdle();
        return hwnd;
    }

    static void AddColumn(HWND list, int width) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>("name");
        column.cx = width;
        SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    }

    static void AddRows(HWND list, int count) {
        for (int i = 0; i < count; ++i) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<char*>("row");
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
    }

    static HTREEITEM AddItem(HWND tree, HTREEITEM parent) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<char*>("item");
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
};

TEST_F(ScrollBarSyncTest, ListViewShowsItsRowsAndColumnsOnBarsThatComeAndGo) {
    HWND list = Make(WC_LISTVIEWA, LVS_REPORT);
    AddColumn(list, 200);
    AddRows(list, 3);
    EXPECT_FALSE(HasStyle(list, WS_VSCROLL));
    EXPECT_FALSE(HasStyle(list, WS_HSCROLL));

    AddRows(list, 37);
    ASSERT_TRUE(HasStyle(list, WS_VSCROLL));
    const int perPage = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(perPage, 2);
    SCROLLINFO info = Info(list, SB_VERT);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 39);
    EXPECT_EQ(info.nPage, static_cast<UINT>(perPage));
    EXPECT_EQ(info.nPos, 0);

    Scroll(list, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 1);
    Scroll(list, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 1 + perPage);
    Scroll(list, WM_VSCROLL, SB_THUMBTRACK, 5);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 5);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 5);
    Scroll(list, WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 40 - perPage);
    Scroll(list, WM_VSCROLL, SB_TOP);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 0);

    // A second column runs past the right edge, which the vertical bar has already narrowed.
    AddColumn(list, 250);
    ASSERT_TRUE(HasStyle(list, WS_HSCROLL));
    RECT client{};
    GetClientRect(list, &client);
    info = Info(list, SB_HORZ);
    EXPECT_EQ(info.nMax, 449);
    EXPECT_EQ(info.nPage, static_cast<UINT>(client.right));
    Scroll(list, WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(GetScrollPos(list, SB_HORZ), 10);
    Scroll(list, WM_HSCROLL, SB_RIGHT);
    EXPECT_EQ(GetScrollPos(list, SB_HORZ), 450 - client.right);

    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_FALSE(HasStyle(list, WS_VSCROLL));
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 0);
}

TEST_F(ScrollBarSyncTest, ListViewWithoutScrollingKeepsNoBars) {
    HWND list = Make(WC_LISTVIEWA, LVS_REPORT | LVS_NOSCROLL);
    AddColumn(list, 500);
    AddRows(list, 40);
    EXPECT_FALSE(HasStyle(list, WS_VSCROLL));
    EXPECT_FALSE(HasStyle(list, WS_HSCROLL));
}

TEST_F(ScrollBarSyncTest, PressOnTheListViewsDownArrowScrollsOneRow) {
    HWND list = Make(WC_LISTVIEWA, LVS_REPORT);
    AddColumn(list, 100);
    AddRows(list, 40);
    RECT client{};
    GetClientRect(list, &client);
    const int thickness = GetSystemMetrics(SM_CXVSCROLL);
    POINT arrow{client.right + thickness / 2, client.bottom - thickness / 2};
    ClientToScreen(list, &arrow);
    InjectMouse(MOUSEEVENTF_LEFTDOWN, arrow);
    InjectMouse(MOUSEEVENTF_LEFTUP, arrow);
    PumpUntilIdle();
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 1);
}

TEST_F(ScrollBarSyncTest, TreeViewShowsItsVisibleRows) {
    HWND tree = Make(WC_TREEVIEWA, TVS_HASBUTTONS | WS_HSCROLL);
    EXPECT_FALSE(HasStyle(tree, WS_HSCROLL));
    SendMessageA(tree, TVM_SETITEMHEIGHT, 20, 0);
    HTREEITEM parent = AddItem(tree, TVI_ROOT);
    for (int i = 0; i < 29; ++i) {
        AddItem(tree, parent);
    }
    EXPECT_FALSE(HasStyle(tree, WS_VSCROLL));

    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    ASSERT_TRUE(HasStyle(tree, WS_VSCROLL));
    SCROLLINFO info = Info(tree, SB_VERT);
    EXPECT_EQ(info.nMax, 29);
    EXPECT_EQ(info.nPage, 10U);
    EXPECT_EQ(SendMessageA(tree, TVM_GETVISIBLECOUNT, 0, 0), 10);

    Scroll(tree, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(GetScrollPos(tree, SB_VERT), 10);
    Scroll(tree, WM_VSCROLL, SB_THUMBPOSITION, 25);
    EXPECT_EQ(GetScrollPos(tree, SB_VERT), 20);
    Scroll(tree, WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(GetScrollPos(tree, SB_VERT), 19);

    SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(parent));
    EXPECT_FALSE(HasStyle(tree, WS_VSCROLL));
    EXPECT_EQ(GetScrollPos(tree, SB_VERT), 0);
}

TEST_F(ScrollBarSyncTest, MultiLineEditKeepsItsBarGreyedUntilTheTextOverflows) {
    HWND edit = Make("Edit", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, "one\r\ntwo");
    ASSERT_TRUE(HasStyle(edit, WS_VSCROLL));
    EXPECT_EQ(WindowScrollState(edit, SB_VERT).disabledArrows, static_cast<UINT>(ESB_DISABLE_BOTH));

    SetWindowTextA(edit, Lines(30).c_str());
    const SCROLLINFO info = Info(edit, SB_VERT);
    const int page = static_cast<int>(info.nPage);
    ASSERT_GT(page, 2);
    ASSERT_LT(page, 30);
    EXPECT_EQ(info.nMax, 29);
    EXPECT_EQ(info.nPos, 0);
    EXPECT_EQ(WindowScrollState(edit, SB_VERT).disabledArrows, 0U);

    Scroll(edit, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 1);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
    Scroll(edit, WM_VSCROLL, SB_THUMBTRACK, 7);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 7);
    Scroll(edit, WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 30 - page);

    // The caret scrolls the text, and the bar follows.
    SendMessageA(edit, EM_SETSEL, 0, 0);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 0);
    SendMessageA(edit, EM_LINESCROLL, 0, 4);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 4);

    SetWindowTextA(edit, "short");
    EXPECT_TRUE(HasStyle(edit, WS_VSCROLL));
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 0);
    EXPECT_EQ(WindowScrollState(edit, SB_VERT).disabledArrows, static_cast<UINT>(ESB_DISABLE_BOTH));
}

TEST_F(ScrollBarSyncTest, EditScrollsSidewaysByCharactersAndOnlyWithItsOwnBars) {
    const std::string wide(120, 'W');
    HWND edit = Make("Edit", ES_MULTILINE | ES_AUTOHSCROLL | WS_HSCROLL, wide.c_str());
    ASSERT_TRUE(HasStyle(edit, WS_HSCROLL));
    const SCROLLINFO info = Info(edit, SB_HORZ);
    EXPECT_GT(info.nMax, 300);
    EXPECT_EQ(info.nPage, static_cast<UINT>(300 - 2));
    Scroll(edit, WM_HSCROLL, SB_LINERIGHT);
    const int step = GetScrollPos(edit, SB_HORZ);
    EXPECT_GT(step, 0);
    Scroll(edit, WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(GetScrollPos(edit, SB_HORZ), 2 * step);
    Scroll(edit, WM_HSCROLL, SB_LEFT);
    EXPECT_EQ(GetScrollPos(edit, SB_HORZ), 0);

    HWND plain = Make("Edit", ES_MULTILINE, Lines(40).c_str());
    EXPECT_FALSE(HasStyle(plain, WS_VSCROLL));
    EXPECT_FALSE(HasStyle(plain, WS_HSCROLL));
}

TEST_F(ScrollBarSyncTest, RichEditBarAppearsWhenNeededAndFollowsScrolling) {
    HWND edit = Make(RICHEDIT_CLASS10A, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, "short");
    EXPECT_FALSE(HasStyle(edit, WS_VSCROLL));

    SetWindowTextA(edit, Lines(40).c_str());
    ASSERT_TRUE(HasStyle(edit, WS_VSCROLL));
    const SCROLLINFO info = Info(edit, SB_VERT);
    const int page = static_cast<int>(info.nPage);
    ASSERT_GT(page, 2);
    ASSERT_LT(page, 40);
    EXPECT_EQ(info.nMax, 39);

    Scroll(edit, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), page);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), page);
    Scroll(edit, WM_VSCROLL, SB_THUMBPOSITION, 3);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 3);
    Scroll(edit, WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 0);

    // Typing at the end brings the last line into view.
    SendMessageA(edit, EM_SETSEL, 100000, 100000);
    SendMessageA(edit, WM_CHAR, 'x', 0);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 40 - page);

    SetWindowTextA(edit, "short again");
    EXPECT_FALSE(HasStyle(edit, WS_VSCROLL));
}

TEST_F(ScrollBarSyncTest, RichEditThatDisablesNoScrollKeepsAGreyedBar) {
    HWND edit = Make(RICHEDIT_CLASS10A, ES_MULTILINE | ES_DISABLENOSCROLL | WS_VSCROLL, "short");
    EXPECT_TRUE(HasStyle(edit, WS_VSCROLL));
    EXPECT_EQ(WindowScrollState(edit, SB_VERT).disabledArrows, static_cast<UINT>(ESB_DISABLE_BOTH));
    SetWindowTextA(edit, Lines(40).c_str());
    EXPECT_EQ(WindowScrollState(edit, SB_VERT).disabledArrows, 0U);
    EXPECT_EQ(Info(edit, SB_VERT).nMax, 39);
}

}  // namespace
}  // namespace platform::testing
