#include "platform/controls/TreeView.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/ViewTest.h"
#include "platform/drawing/Surface.h"

namespace platform::testing {
namespace {

constexpr int kTreeId = 1050;
constexpr int kItemHeight = 20;

struct TreeNotice {
    UINT code = 0;
    UINT action = 0;
    HTREEITEM oldItem = nullptr;
    HTREEITEM newItem = nullptr;
    LPARAM oldData = 0;
    LPARAM newData = 0;
    UINT newState = 0;
};

class TreeViewTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        RegisterTreeViewClass();
        extra_ = [this](Notice& notice, LPARAM lParam) {
            if (notice.code <= TVN_FIRST && notice.code > TVN_FIRST - 100 &&
                notice.code != TVN_KEYDOWN) {
                const auto& tree = *reinterpret_cast<const NMTREEVIEWA*>(lParam);
                trees_.push_back(TreeNotice{notice.code, tree.action, tree.itemOld.hItem,
                                            tree.itemNew.hItem, tree.itemOld.lParam,
                                            tree.itemNew.lParam, tree.itemNew.state});
            }
            if (notice.code == TVN_KEYDOWN) {
                notice.key = reinterpret_cast<const NMTVKEYDOWN*>(lParam)->wVKey;
            }
        };
    }

    HWND MakeTree(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                TVS_SHOWSELALWAYS) {
        HWND tree = CreateWindowExA(
            0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | style, 10, 10, 300, 200, parent_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId)), nullptr, nullptr);
        SendMessageA(tree, TVM_SETITEMHEIGHT, kItemHeight, 0);
        return tree;
    }

    static HTREEITEM Add(HWND tree, HTREEITEM parent, const char* text, LPARAM data = 0,
                         HTREEITEM after = TVI_LAST) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(text);
        insert.item.lParam = data;
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }

    static HTREEITEM Next(HWND tree, HTREEITEM item, UINT code) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }

    static std::string Text(HWND tree, HTREEITEM item, int capacity = 64) {
        std::string buffer(static_cast<size_t>(capacity), '\0');
        TVITEMA query{};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = buffer.data();
        query.cchTextMax = capacity;
        if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) {
            return "<none>";
        }
        return buffer.c_str();
    }

    static UINT State(HWND tree, HTREEITEM item) {
        TVITEMA query{};
        query.mask = TVIF_STATE;
        query.hItem = item;
        query.stateMask = 0xFFFF;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        return query.state;
    }

    static BOOL Select(HWND tree, HTREEITEM item) {
        return static_cast<BOOL>(
            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
    }

    static BOOL Expand(HWND tree, HTREEITEM item, UINT code) {
        return static_cast<BOOL>(
            SendMessageA(tree, TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)));
    }

    std::vector<TreeNotice> Trees(std::initializer_list<UINT> codes) const {
        std::vector<TreeNotice> picked;
        for (const TreeNotice& notice : trees_) {
            for (UINT code : codes) {
                if (notice.code == code) {
                    picked.push_back(notice);
                }
            }
        }
        return picked;
    }

    std::vector<TreeNotice> trees_;
};

TEST_F(TreeViewTest, InsertPlacesItemsAndNavigationCodesWalkThem) {
    HWND tree = MakeTree();
    HTREEITEM y2024 = Add(tree, TVI_ROOT, "2024年", 0);
    HTREEITEM y2023 = Add(tree, TVI_ROOT, "2023年", 0, TVI_FIRST);
    HTREEITEM march = Add(tree, y2024, "03月");
    HTREEITEM january = Add(tree, y2024, "01月", 0, TVI_FIRST);
    HTREEITEM february = Add(tree, y2024, "02月", 0, january);
    HTREEITEM leaf = Add(tree, march, "15日  09:00 plan", 77);
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 6);

    EXPECT_EQ(Next(tree, nullptr, TVGN_ROOT), y2023);
    EXPECT_EQ(Next(tree, y2023, TVGN_NEXT), y2024);
    EXPECT_EQ(Next(tree, y2024, TVGN_NEXT), nullptr);
    EXPECT_EQ(Next(tree, y2024, TVGN_PREVIOUS), y2023);
    EXPECT_EQ(Next(tree, y2024, TVGN_CHILD), january);
    EXPECT_EQ(Next(tree, january, TVGN_NEXT), february);
    EXPECT_EQ(Next(tree, february, TVGN_NEXT), march);
    EXPECT_EQ(Next(tree, leaf, TVGN_PARENT), march);
    EXPECT_EQ(Next(tree, y2023, TVGN_PARENT), nullptr);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CHILD), y2023);
    EXPECT_EQ(Next(tree, TVI_ROOT, TVGN_CHILD), y2023);
    EXPECT_EQ(Next(tree, y2023, TVGN_CHILD), nullptr);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), nullptr);

    EXPECT_EQ(Text(tree, leaf), "15日  09:00 plan");
    EXPECT_EQ(Text(tree, y2024, 6), "2024");
    EXPECT_EQ(Text(tree, y2024, 7), "2024年");
    TVITEMA query{};
    query.mask = TVIF_PARAM | TVIF_CHILDREN;
    query.hItem = leaf;
    ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)));
    EXPECT_EQ(query.lParam, 77);
    EXPECT_EQ(query.cChildren, 0);
    query.hItem = march;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    EXPECT_EQ(query.cChildren, 1);

    // Unknown handles fail instead of being followed.
    int bogus = 0;
    EXPECT_EQ(Add(tree, reinterpret_cast<HTREEITEM>(&bogus), "x"), nullptr);
    EXPECT_EQ(Text(tree, reinterpret_cast<HTREEITEM>(&bogus)), "<none>");
    EXPECT_EQ(Next(tree, reinterpret_cast<HTREEITEM>(&bogus), TVGN_NEXT), nullptr);
    EXPECT_FALSE(SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(&bogus)));
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 6);
}

TEST_F(TreeViewTest, SortedInsertAndSortChildrenIgnoreCaseAndKeepTies) {
    HWND tree = MakeTree();
    for (const char* text : {"pear", "Apple", "fig", "apple", "Banana"}) {
        Add(tree, TVI_ROOT, text, 0, TVI_SORT);
    }
    std::vector<std::string> order;
    for (HTREEITEM item = Next(tree, nullptr, TVGN_ROOT); item != nullptr;
         item = Next(tree, item, TVGN_NEXT)) {
        order.push_back(Text(tree, item));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Apple", "apple", "Banana", "fig", "pear"}));

    HTREEITEM parent = Add(tree, TVI_ROOT, "p");
    for (const char* text : {"c", "B", "a", "b"}) {
        Add(tree, parent, text);
    }
    ASSERT_TRUE(SendMessageA(tree, TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(parent)));
    order.clear();
    for (HTREEITEM item = Next(tree, parent, TVGN_CHILD); item != nullptr;
         item = Next(tree, item, TVGN_NEXT)) {
        order.push_back(Text(tree, item));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"a", "B", "b", "c"}));
}

TEST_F(TreeViewTest, SelectingNotifiesWithOldAndNewItems) {
    HWND tree = MakeTree();
    HTREEITEM first = Add(tree, TVI_ROOT, "first", 11);
    HTREEITEM second = Add(tree, TVI_ROOT, "second", 22);
    ASSERT_TRUE(Select(tree, first));
    trees_.clear();
    ASSERT_TRUE(Select(tree, second));
    ASSERT_EQ(trees_.size(), 2U);
    EXPECT_EQ(trees_[0].code, static_cast<UINT>(TVN_SELCHANGINGA));
    EXPECT_EQ(trees_[1].code, static_cast<UINT>(TVN_SELCHANGEDA));
    EXPECT_EQ(static_cast<int>(TVN_SELCHANGEDA), -402);
    for (const TreeNotice& notice : trees_) {
        EXPECT_EQ(notice.action, static_cast<UINT>(TVC_UNKNOWN));
        EXPECT_EQ(notice.oldItem, first);
        EXPECT_EQ(notice.oldData, 11);
        EXPECT_EQ(notice.newItem, second);
        EXPECT_EQ(notice.newData, 22);
    }
    EXPECT_EQ(trees_[1].newState & TVIS_SELECTED, static_cast<UINT>(TVIS_SELECTED));
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), second);
    EXPECT_EQ(State(tree, first) & TVIS_SELECTED, 0U);

    // Selecting the caret again says nothing; selecting nothing clears it.
    trees_.clear();
    Select(tree, second);
    EXPECT_TRUE(trees_.empty());
    ASSERT_TRUE(Select(tree, nullptr));
    ASSERT_EQ(trees_.size(), 2U);
    EXPECT_EQ(trees_[1].oldItem, second);
    EXPECT_EQ(trees_[1].newItem, nullptr);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), nullptr);
}

TEST_F(TreeViewTest, TheParentCanRefuseASelection) {
    HWND tree = MakeTree();
    HTREEITEM first = Add(tree, TVI_ROOT, "first");
    HTREEITEM second = Add(tree, TVI_ROOT, "second");
    Select(tree, first);
    answer_ = [](const Notice& notice) -> LRESULT { return notice.code == TVN_SELCHANGINGA; };
    trees_.clear();
    EXPECT_FALSE(Select(tree, second));
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), first);
    EXPECT_EQ(Trees({TVN_SELCHANGEDA}).size(), 0U);
}

TEST_F(TreeViewTest, ProgramExpansionNotifiesOnlyUntilExpandedOnce) {
    HWND tree = MakeTree();
    HTREEITEM year = Add(tree, TVI_ROOT, "year", 5);
    HTREEITEM month = Add(tree, year, "month");
    EXPECT_FALSE(Expand(tree, month, TVE_EXPAND));
    ASSERT_TRUE(Expand(tree, year, TVE_EXPAND));
    const auto first = Trees({TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA});
    ASSERT_EQ(first.size(), 2U);
    EXPECT_EQ(first[0].code, static_cast<UINT>(TVN_ITEMEXPANDINGA));
    EXPECT_EQ(first[0].action, static_cast<UINT>(TVE_EXPAND));
    EXPECT_EQ(first[0].newItem, year);
    EXPECT_EQ(first[0].newData, 5);
    EXPECT_EQ(State(tree, year) & (TVIS_EXPANDED | TVIS_EXPANDEDONCE),
              static_cast<UINT>(TVIS_EXPANDED | TVIS_EXPANDEDONCE));
    trees_.clear();
    ASSERT_TRUE(Expand(tree, year, TVE_COLLAPSE));
    ASSERT_TRUE(Expand(tree, year, TVE_TOGGLE));
    EXPECT_TRUE(trees_.empty());
    EXPECT_EQ(State(tree, year) & TVIS_EXPANDED, static_cast<UINT>(TVIS_EXPANDED));

    // Collapse-reset drops the children and forgets the first expansion.
    ASSERT_TRUE(Expand(tree, year, TVE_COLLAPSE | TVE_COLLAPSERESET));
    EXPECT_EQ(Next(tree, year, TVGN_CHILD), nullptr);
    EXPECT_EQ(State(tree, year) & TVIS_EXPANDEDONCE, 0U);
    EXPECT_EQ(Trees({TVN_DELETEITEMA}).size(), 1U);
}

TEST_F(TreeViewTest, TheParentCanRefuseAnExpansion) {
    HWND tree = MakeTree();
    HTREEITEM year = Add(tree, TVI_ROOT, "year");
    Add(tree, year, "month");
    answer_ = [](const Notice& notice) -> LRESULT { return notice.code == TVN_ITEMEXPANDINGA; };
    EXPECT_FALSE(Expand(tree, year, TVE_EXPAND));
    EXPECT_EQ(State(tree, year) & TVIS_EXPANDED, 0U);
    EXPECT_EQ(Trees({TVN_ITEMEXPANDEDA}).size(), 0U);
}

TEST_F(TreeViewTest, SelectingAHiddenItemExpandsItsAncestorsFirst) {
    HWND tree = MakeTree();
    HTREEITEM year = Add(tree, TVI_ROOT, "year");
    HTREEITEM month = Add(tree, year, "month");
    HTREEITEM day = Add(tree, month, "day", 9);
    EXPECT_EQ(Next(tree, year, TVGN_NEXTVISIBLE), nullptr);
    ASSERT_TRUE(Select(tree, day));
    std::vector<std::pair<UINT, HTREEITEM>> seen;
    for (const TreeNotice& notice : trees_) {
        seen.emplace_back(notice.code, notice.newItem);
    }
    const std::vector<std::pair<UINT, HTREEITEM>> expected = {
        {TVN_SELCHANGINGA, day},     {TVN_ITEMEXPANDINGA, year}, {TVN_ITEMEXPANDEDA, year},
        {TVN_ITEMEXPANDINGA, month}, {TVN_ITEMEXPANDEDA, month}, {TVN_SELCHANGEDA, day}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(Next(tree, year, TVGN_NEXTVISIBLE), month);
    EXPECT_EQ(Next(tree, month, TVGN_NEXTVISIBLE), day);
    EXPECT_EQ(Next(tree, day, TVGN_PREVIOUSVISIBLE), month);
    EXPECT_EQ(Next(tree, nullptr, TVGN_LASTVISIBLE), day);
    EXPECT_EQ(Next(tree, nullptr, TVGN_FIRSTVISIBLE), year);
}

TEST_F(TreeViewTest, DeletingNotifiesChildrenFirstAndMovesTheCaret) {
    HWND tree = MakeTree();
    HTREEITEM a = Add(tree, TVI_ROOT, "a", 1);
    HTREEITEM a1 = Add(tree, a, "a1", 11);
    HTREEITEM a2 = Add(tree, a, "a2", 12);
    HTREEITEM b = Add(tree, TVI_ROOT, "b", 2);
    Select(tree, a2);
    trees_.clear();
    ASSERT_TRUE(SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a)));
    std::vector<std::pair<UINT, LPARAM>> seen;
    for (const TreeNotice& notice : trees_) {
        seen.emplace_back(notice.code,
                          notice.code == TVN_DELETEITEMA ? notice.oldData : notice.newData);
    }
    const std::vector<std::pair<UINT, LPARAM>> expected = {{TVN_SELCHANGINGA, 2},
                                                           {TVN_SELCHANGEDA, 2},
                                                           {TVN_DELETEITEMA, 12},
                                                           {TVN_DELETEITEMA, 11},
                                                           {TVN_DELETEITEMA, 1}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), b);
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(Text(tree, a1), "<none>");

    trees_.clear();
    ASSERT_TRUE(SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
    EXPECT_EQ(Trees({TVN_SELCHANGEDA}).size(), 0U);
    EXPECT_EQ(Trees({TVN_DELETEITEMA}).size(), 1U);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), nullptr);
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeViewTest, DestroyingTheTreeDeletesEveryItemWithANotification) {
    HWND tree = MakeTree();
    HTREEITEM a = Add(tree, TVI_ROOT, "a", 1);
    Add(tree, a, "a1", 2);
    Add(tree, TVI_ROOT, "b", 3);
    trees_.clear();
    DestroyWindow(tree);
    const auto deleted = Trees({TVN_DELETEITEMA});
    ASSERT_EQ(deleted.size(), 3U);
    EXPECT_EQ(deleted[0].oldData, 3);
    EXPECT_EQ(deleted[1].oldData, 2);
    EXPECT_EQ(deleted[2].oldData, 1);
}

TEST_F(TreeViewTest, HitTestsAndRectanglesFollowTheLayout) {
    HWND tree = MakeTree();
    const int indent = static_cast<int>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
    HTREEITEM a = Add(tree, TVI_ROOT, "a");
    HTREEITEM child = Add(tree, a, "child");
    Add(tree, TVI_ROOT, "b");
    TVHITTESTINFO hit{};
    hit.pt = POINT{indent / 2, kItemHeight / 2};
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(
                  SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))),
              a);
    EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_ONITEMBUTTON));
    hit.pt = POINT{indent + 3, kItemHeight + 3};
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_ONITEMLABEL));
    hit.pt = POINT{indent / 2, kItemHeight + 3};
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_ONITEMINDENT));
    hit.pt = POINT{290, 5};
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_ONITEMRIGHT));
    EXPECT_EQ(hit.hItem, a);
    hit.pt = POINT{5, 5 * kItemHeight};
    EXPECT_EQ(SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_NOWHERE));

    RECT rect{};
    std::memcpy(&rect, &child, sizeof(child));
    EXPECT_FALSE(SendMessageA(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&rect)));
    Expand(tree, a, TVE_EXPAND);
    std::memcpy(&rect, &child, sizeof(child));
    ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(rect.left, 2 * indent);
    EXPECT_EQ(rect.top, kItemHeight);
    EXPECT_EQ(rect.bottom, 2 * kItemHeight);
    EXPECT_GT(rect.right, rect.left);
    std::memcpy(&rect, &child, sizeof(child));
    ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 300);
}

TEST_F(TreeViewTest, MouseOnTheButtonExpandsAndOnTheLabelSelects) {
    HWND tree = MakeTree();
    HTREEITEM a = Add(tree, TVI_ROOT, "a", 1);
    HTREEITEM child = Add(tree, a, "child", 2);
    Expand(tree, a, TVE_EXPAND);
    Expand(tree, a, TVE_COLLAPSE);
    trees_.clear();
    notices_.clear();
    Click(tree, POINT{9, kItemHeight / 2});
    // The user's click notifies even though the item was expanded before.
    const auto expanded = Trees({TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA, TVN_SELCHANGEDA});
    ASSERT_EQ(expanded.size(), 2U);
    EXPECT_EQ(expanded[0].action, static_cast<UINT>(TVE_EXPAND));
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), nullptr);
    EXPECT_EQ(GetFocus(), tree);

    notices_.clear();
    trees_.clear();
    const int indent = static_cast<int>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
    Click(tree, POINT{2 * indent + 4, kItemHeight + 4});
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), child);
    const auto selected = Trees({TVN_SELCHANGEDA});
    ASSERT_EQ(selected.size(), 1U);
    EXPECT_EQ(selected[0].action, static_cast<UINT>(TVC_BYMOUSE));
    EXPECT_EQ(selected[0].newData, 2);
    const auto codes = Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), static_cast<UINT>(NM_CLICK));

    // A double click on a label toggles its item after NM_DBLCLK.
    notices_.clear();
    Click(tree, POINT{indent + 4, 4});
    Click(tree, POINT{indent + 4, 4});
    EXPECT_EQ(Only({NM_DBLCLK}).size(), 1U);
    EXPECT_EQ(State(tree, a) & TVIS_EXPANDED, 0U);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), a);
}

TEST_F(TreeViewTest, KeysWalkExpandAndCollapse) {
    HWND tree = MakeTree();
    HTREEITEM a = Add(tree, TVI_ROOT, "a");
    HTREEITEM child = Add(tree, a, "child");
    HTREEITEM b = Add(tree, TVI_ROOT, "b");
    SetFocus(tree);
    Select(tree, a);
    trees_.clear();
    notices_.clear();
    Key(VK_DOWN);
    ASSERT_FALSE(notices_.empty());
    EXPECT_EQ(notices_[0].code, static_cast<UINT>(TVN_KEYDOWN));
    EXPECT_EQ(notices_[0].key, VK_DOWN);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), b);
    ASSERT_FALSE(Trees({TVN_SELCHANGEDA}).empty());
    EXPECT_EQ(Trees({TVN_SELCHANGEDA})[0].action, static_cast<UINT>(TVC_BYKEYBOARD));
    Key(VK_UP);
    Key(VK_RIGHT);
    EXPECT_EQ(State(tree, a) & TVIS_EXPANDED, static_cast<UINT>(TVIS_EXPANDED));
    Key(VK_RIGHT);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), child);
    Key(VK_LEFT);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), a);
    Key(VK_LEFT);
    EXPECT_EQ(State(tree, a) & TVIS_EXPANDED, 0U);
    Key(VK_END);
    EXPECT_EQ(Next(tree, nullptr, TVGN_CARET), b);
}

TEST_F(TreeViewTest, TheCaretIsDrawnInTheHighlightColour) {
    InstallScreen();
    HWND tree = MakeTree();
    HTREEITEM a = Add(tree, TVI_ROOT, "abc");
    Add(tree, TVI_ROOT, "def");
    SetFocus(tree);
    Select(tree, a);
    PumpUntilIdle();
    const int indent = static_cast<int>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
    Surface picture = CaptureWindow(tree);
    EXPECT_EQ(ColorFromPixel(picture.At(indent + 1, 1)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorFromPixel(picture.At(indent + 1, kItemHeight + 1)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ColorFromPixel(picture.At(200, 150)), GetSysColor(COLOR_WINDOW));

    // Without the focus, TVS_SHOWSELALWAYS keeps a quieter caret.
    SetFocus(parent_);
    SendMessageA(tree, TVM_SETBKCOLOR, 0, RGB(10, 20, 30));
    EXPECT_EQ(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0), RGB(10, 20, 30));
    PumpUntilIdle();
    picture = CaptureWindow(tree);
    EXPECT_EQ(ColorFromPixel(picture.At(indent + 1, 1)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorFromPixel(picture.At(200, 150)), RGB(10, 20, 30));
}

}  // namespace
}  // namespace platform::testing
