#include "platform/controls/ListView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "platform/controls/ScrollInfo.h"
#include "platform/controls/ViewTest.h"
#include "platform/drawing/Surface.h"

namespace platform::testing {
namespace {

constexpr int kListId = 1007;
constexpr int kRowHeight = 20;

class ListViewTest : public ViewTest {
protected:
    HWND MakeList(DWORD style, RECT rect = {10, 10, 310, 210}) {
        return CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | style, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, parent_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), nullptr,
                               nullptr);
    }

    static int AddColumn(HWND list, int index, const char* text, int width) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(text);
        column.cx = width;
        return static_cast<int>(SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(&column)));
    }

    static int AddRow(HWND list, const char* text, LPARAM data, int at = 0x7FFFFFFF) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = at;
        item.pszText = const_cast<char*>(text);
        item.lParam = data;
        return static_cast<int>(
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }

    static void SetText(HWND list, int row, int column, const char* text) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text);
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }

    static std::string Text(HWND list, int row, int column, int capacity = 256) {
        std::string buffer(static_cast<size_t>(capacity), '\0');
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = capacity;
        const auto length = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                         reinterpret_cast<LPARAM>(&item));
        return buffer.substr(0, static_cast<size_t>(length));
    }

    static BOOL SetState(HWND list, int row, UINT state, UINT mask) {
        LVITEMA item{};
        item.state = state;
        item.stateMask = mask;
        return static_cast<BOOL>(SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                                              reinterpret_cast<LPARAM>(&item)));
    }

    static UINT State(HWND list, int row) {
        return static_cast<UINT>(
            SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), 0xFFFF));
    }

    static LPARAM Data(HWND list, int row) {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.lParam;
    }

    static int HeaderHeight(HWND list) {
        HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
        RECT rect{};
        GetClientRect(header, &rect);
        return rect.bottom;
    }

    // An owner-drawn report list with three columns (60, 80, 100) and rows of 20 pixels.
    HWND OwnerDrawnList(int rows, DWORD style = LVS_SHOWSELALWAYS) {
        rowHeight_ = kRowHeight;
        HWND list = MakeList(LVS_REPORT | LVS_OWNERDRAWFIXED | style);
        AddColumn(list, 0, "a", 60);
        AddColumn(list, 1, "b", 80);
        AddColumn(list, 2, "c", 100);
        for (int i = 0; i < rows; ++i) {
            AddRow(list, ("row" + std::to_string(i)).c_str(), 100 + i);
        }
        notices_.clear();
        return list;
    }
};

TEST_F(ListViewTest, ColumnsInsertAtClampedIndexAndKeepTexts) {
    HWND list = MakeList(LVS_REPORT);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(AddColumn(list, 5, "访问时间", 150), 0);
    EXPECT_EQ(AddColumn(list, 1, "网址", 200), 1);
    EXPECT_EQ(AddColumn(list, 1, "网页标题", 120), 1);
    EXPECT_EQ(AddColumn(list, -1, "x", 10), -1);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 150);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 120);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 2, 0), 200);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 3, 0), 0);

    char buffer[5] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = buffer;
    column.cchTextMax = sizeof(buffer);
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
    // Four bytes of room: two whole characters, never half of the third.
    EXPECT_STREQ(buffer, "网页");
    EXPECT_EQ(column.cx, 120);
    EXPECT_EQ(column.iSubItem, 1);
    EXPECT_FALSE(SendMessageA(list, LVM_GETCOLUMNA, 3, reinterpret_cast<LPARAM>(&column)));

    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 3);
    char headText[16] = {};
    HDITEMA head{};
    head.mask = HDI_TEXT | HDI_WIDTH;
    head.pszText = headText;
    head.cchTextMax = sizeof(headText);
    ASSERT_TRUE(SendMessageA(header, HDM_GETITEMA, 2, reinterpret_cast<LPARAM>(&head)));
    EXPECT_STREQ(headText, "网址");
    EXPECT_EQ(head.cxy, 200);
    ASSERT_TRUE(SendMessageA(list, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(77, 0)));
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    SendMessageA(header, HDM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.cxy, 77);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 2, 0), 77);
}

TEST_F(ListViewTest, DeletingAColumnShiftsTheSubItemTexts) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    AddColumn(list, 1, "b", 50);
    AddColumn(list, 2, "c", 50);
    AddRow(list, "zero", 0);
    SetText(list, 0, 1, "one");
    SetText(list, 0, 2, "two");
    ASSERT_TRUE(SendMessageA(list, LVM_DELETECOLUMN, 1, 0));
    EXPECT_EQ(Text(list, 0, 0), "zero");
    EXPECT_EQ(Text(list, 0, 1), "two");
    AddColumn(list, 1, "new", 50);
    EXPECT_EQ(Text(list, 0, 1), "");
    EXPECT_EQ(Text(list, 0, 2), "two");
    EXPECT_FALSE(SendMessageA(list, LVM_DELETECOLUMN, 3, 0));
}

TEST_F(ListViewTest, ItemsInsertNotifyAndKeepTextAndData) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    AddColumn(list, 1, "b", 50);
    EXPECT_EQ(AddRow(list, "first", 11), 0);
    EXPECT_EQ(AddRow(list, "second", 22), 1);
    EXPECT_EQ(AddRow(list, "zeroth", 33, 0), 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
    const auto inserted = Only({LVN_INSERTITEM});
    ASSERT_EQ(inserted.size(), 3U);
    EXPECT_EQ(inserted[1].item, 1);
    EXPECT_EQ(inserted[2].item, 0);
    EXPECT_EQ(inserted[2].from, list);
    EXPECT_EQ(inserted[2].id, static_cast<UINT_PTR>(kListId));

    EXPECT_EQ(Text(list, 0, 0), "zeroth");
    EXPECT_EQ(Data(list, 0), 33);
    EXPECT_EQ(Data(list, 2), 22);
    SetText(list, 2, 1, "中文字");
    EXPECT_EQ(Text(list, 2, 1), "中文字");
    EXPECT_EQ(Text(list, 2, 1, 6), "中文");
    EXPECT_EQ(Text(list, 2, 1, 5), "中文");
    EXPECT_EQ(Text(list, 2, 1, 4), "中");

    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = 1;
    item.lParam = 99;
    notices_.clear();
    ASSERT_TRUE(SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(Data(list, 1), 99);
    const auto changed = Only({LVN_ITEMCHANGING, LVN_ITEMCHANGED});
    ASSERT_EQ(changed.size(), 2U);
    EXPECT_EQ(changed[0].changed, static_cast<UINT>(LVIF_PARAM));
    EXPECT_EQ(changed[1].data, 99);
}

TEST_F(ListViewTest, BadArgumentsFailWithoutChangingAnything) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    AddRow(list, "only", 1);
    EXPECT_EQ(SendMessageA(list, LVM_INSERTITEMA, 0, 0), -1);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = 0;
    item.iSubItem = 1;
    item.pszText = const_cast<char*>("x");
    EXPECT_EQ(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)), -1);
    EXPECT_FALSE(SendMessageA(list, LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item)));
    item.iItem = 5;
    item.iSubItem = 0;
    EXPECT_FALSE(SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_FALSE(SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_FALSE(SendMessageA(list, LVM_DELETEITEM, 1, 0));
    EXPECT_FALSE(SetState(list, 3, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(Text(list, 7, 0), "");
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
}

TEST_F(ListViewTest, SelectingByProgramNotifiesChangingThenChanged) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    AddRow(list, "a", 10);
    AddRow(list, "b", 20);
    notices_.clear();
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0), -1);
    ASSERT_TRUE(SetState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    ASSERT_EQ(notices_.size(), 2U);
    EXPECT_EQ(notices_[0].code, static_cast<UINT>(LVN_ITEMCHANGING));
    EXPECT_EQ(notices_[1].code, static_cast<UINT>(LVN_ITEMCHANGED));
    for (const Notice& notice : notices_) {
        EXPECT_EQ(notice.item, 1);
        EXPECT_EQ(notice.newState, static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
        EXPECT_EQ(notice.oldState, 0U);
        EXPECT_EQ(notice.changed, static_cast<UINT>(LVIF_STATE));
        EXPECT_EQ(notice.data, 20);
    }
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, 1, LVNI_SELECTED), -1);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0), 1);

    // The same state again changes nothing and says nothing.
    notices_.clear();
    SetState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(notices_.empty());
}

TEST_F(ListViewTest, SingleSelectionAndFocusMoveWithNotificationsForTheOldRow) {
    HWND list = MakeList(LVS_REPORT | LVS_SINGLESEL);
    AddColumn(list, 0, "a", 50);
    for (int i = 0; i < 3; ++i) {
        AddRow(list, "r", i);
    }
    SetState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    notices_.clear();
    SetState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const std::vector<std::tuple<UINT, int, UINT, UINT>> expected = {
        {LVN_ITEMCHANGING, 0, LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED},
        {LVN_ITEMCHANGED, 0, LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED},
        {LVN_ITEMCHANGING, 0, 0, LVIS_FOCUSED},
        {LVN_ITEMCHANGED, 0, 0, LVIS_FOCUSED},
        {LVN_ITEMCHANGING, 2, LVIS_SELECTED | LVIS_FOCUSED, 0},
        {LVN_ITEMCHANGED, 2, LVIS_SELECTED | LVIS_FOCUSED, 0},
    };
    ASSERT_EQ(notices_.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(notices_[i].code, std::get<0>(expected[i])) << i;
        EXPECT_EQ(notices_[i].item, std::get<1>(expected[i])) << i;
        EXPECT_EQ(notices_[i].newState, std::get<2>(expected[i])) << i;
        EXPECT_EQ(notices_[i].oldState, std::get<3>(expected[i])) << i;
    }
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 2);
}

TEST_F(ListViewTest, MultipleSelectionKeepsOthersAndMinusOneSelectsAll) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    for (int i = 0; i < 4; ++i) {
        AddRow(list, "r", i);
    }
    SetState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    SetState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, 0, LVNI_SELECTED), 2);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, 3, LVNI_SELECTED | LVNI_ABOVE), 2);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, 1, LVNI_ALL), 2);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, 0, LVNI_TORIGHT), -1);
    notices_.clear();
    SetState(list, -1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 4);
    // No row takes the focus from "all rows", and only the two rows that changed notify.
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);
    const auto changed = Only({LVN_ITEMCHANGED});
    ASSERT_EQ(changed.size(), 2U);
    EXPECT_EQ(changed[0].item, 1);
    EXPECT_EQ(changed[1].item, 3);
}

TEST_F(ListViewTest, TheParentCanRefuseAStateChange) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    AddRow(list, "r", 0);
    answer_ = [](const Notice& notice) -> LRESULT { return notice.code == LVN_ITEMCHANGING; };
    notices_.clear();
    SetState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(State(list, 0), 0U);
    EXPECT_EQ(Codes(), std::vector<UINT>{LVN_ITEMCHANGING});
}

TEST_F(ListViewTest, DeletingRowsNotifiesWithTheirData) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    for (int i = 0; i < 3; ++i) {
        AddRow(list, "r", 10 + i);
    }
    SetState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
    notices_.clear();
    ASSERT_TRUE(SendMessageA(list, LVM_DELETEITEM, 0, 0));
    ASSERT_EQ(notices_.size(), 1U);
    EXPECT_EQ(notices_[0].code, static_cast<UINT>(LVN_DELETEITEM));
    EXPECT_EQ(notices_[0].item, 0);
    EXPECT_EQ(notices_[0].data, 10);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);

    notices_.clear();
    ASSERT_TRUE(SendMessageA(list, LVM_DELETEALLITEMS, 0, 0));
    ASSERT_EQ(notices_.size(), 3U);
    EXPECT_EQ(notices_[0].code, static_cast<UINT>(LVN_DELETEALLITEMS));
    EXPECT_EQ(notices_[0].item, -1);
    EXPECT_EQ(notices_[1].code, static_cast<UINT>(LVN_DELETEITEM));
    EXPECT_EQ(notices_[1].item, 1);
    EXPECT_EQ(notices_[1].data, 12);
    EXPECT_EQ(notices_[2].item, 0);
    EXPECT_EQ(notices_[2].data, 11);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0), -1);
}

TEST_F(ListViewTest, AParentAnsweringDeleteAllGetsNoPerRowNotifications) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    AddRow(list, "r", 1);
    AddRow(list, "r", 2);
    answer_ = [](const Notice& notice) -> LRESULT { return notice.code == LVN_DELETEALLITEMS; };
    notices_.clear();
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(Codes(), std::vector<UINT>{LVN_DELETEALLITEMS});
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListViewTest, FindItemByDataTextPrefixAndWrap) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    AddRow(list, "Apple", 5);
    AddRow(list, "banana", 6);
    AddRow(list, "APPLE pie", 7);
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = 6;
    EXPECT_EQ(
        SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)),
        1);
    // The start row itself is not searched.
    EXPECT_EQ(SendMessageA(list, LVM_FINDITEMA, 1, reinterpret_cast<LPARAM>(&find)), -1);
    find.flags = LVFI_STRING;
    find.psz = "apple";
    EXPECT_EQ(
        SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)),
        0);
    EXPECT_EQ(SendMessageA(list, LVM_FINDITEMA, 0, reinterpret_cast<LPARAM>(&find)), -1);
    find.flags = LVFI_PARTIAL | LVFI_STRING;
    EXPECT_EQ(SendMessageA(list, LVM_FINDITEMA, 0, reinterpret_cast<LPARAM>(&find)), 2);
    EXPECT_EQ(SendMessageA(list, LVM_FINDITEMA, 2, reinterpret_cast<LPARAM>(&find)), -1);
    find.flags |= LVFI_WRAP;
    EXPECT_EQ(SendMessageA(list, LVM_FINDITEMA, 2, reinterpret_cast<LPARAM>(&find)), 0);
}

int CALLBACK CompareAscending(LPARAM a, LPARAM b, LPARAM) {
    return static_cast<int>(a / 10) - static_cast<int>(b / 10);
}
int CALLBACK AlwaysMinusOne(LPARAM, LPARAM, LPARAM) {
    return -1;
}
int CALLBACK AlwaysOne(LPARAM, LPARAM, LPARAM) {
    return 1;
}
int gCalls = 0;
int CALLBACK CountingRandom(LPARAM, LPARAM, LPARAM context) {
    ++gCalls;
    auto* random = reinterpret_cast<std::mt19937*>(context);
    return static_cast<int>((*random)() % 3) - 1;
}

TEST_F(ListViewTest, SortIsStableAndMovesStatesWithTheirRows) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    // Keys (data / 10): 3, 1, 3, 1, 2; ties must keep their order.
    for (LPARAM data : {30, 10, 31, 11, 20}) {
        AddRow(list, std::to_string(data).c_str(), data);
    }
    SetState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_TRUE(SendMessageA(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareAscending)));
    std::vector<LPARAM> order;
    for (int i = 0; i < 5; ++i) {
        order.push_back(Data(list, i));
    }
    EXPECT_EQ(order, (std::vector<LPARAM>{10, 11, 20, 30, 31}));
    EXPECT_EQ(Text(list, 4, 0), "31");
    EXPECT_EQ(State(list, 4), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0), 4);
    EXPECT_FALSE(SendMessageA(list, LVM_SORTITEMS, 0, 0));
}

TEST_F(ListViewTest, InconsistentComparisonsEndAndKeepEveryRow) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    constexpr int kRows = 3000;
    for (int i = 0; i < kRows; ++i) {
        AddRow(list, "", i);
    }
    auto rows = [&] {
        std::vector<LPARAM> data;
        for (int i = 0; i < kRows; ++i) {
            data.push_back(Data(list, i));
        }
        return data;
    };
    std::vector<LPARAM> identity(kRows);
    std::iota(identity.begin(), identity.end(), 0);

    ASSERT_TRUE(SendMessageA(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&AlwaysMinusOne)));
    EXPECT_EQ(rows(), identity);

    // "The right one always goes first" turns the list around exactly.
    ASSERT_TRUE(SendMessageA(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&AlwaysOne)));
    std::vector<LPARAM> reversed(identity.rbegin(), identity.rend());
    EXPECT_EQ(rows(), reversed);

    std::mt19937 random(7);
    gCalls = 0;
    ASSERT_TRUE(SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&random),
                             reinterpret_cast<LPARAM>(&CountingRandom)));
    std::vector<LPARAM> shuffled = rows();
    std::sort(shuffled.begin(), shuffled.end());
    EXPECT_EQ(shuffled, identity);
    // A merge sort: at most n * ceil(log2 n) comparisons.
    EXPECT_LE(gCalls, kRows * 12);
}

struct ReadingContext {
    HWND list;
    std::vector<std::string> seen;
};
int CALLBACK CompareByTextOfIndex(LPARAM a, LPARAM b, LPARAM context) {
    auto* reading = reinterpret_cast<ReadingContext*>(context);
    char left[32] = {};
    char right[32] = {};
    LVITEMA item{};
    item.cchTextMax = sizeof(left);
    item.pszText = left;
    SendMessageA(reading->list, LVM_GETITEMTEXTA, static_cast<WPARAM>(a),
                 reinterpret_cast<LPARAM>(&item));
    item.pszText = right;
    SendMessageA(reading->list, LVM_GETITEMTEXTA, static_cast<WPARAM>(b),
                 reinterpret_cast<LPARAM>(&item));
    reading->seen.emplace_back(left);
    return std::string(left).compare(right);
}

TEST_F(ListViewTest, AComparisonReadingRowsByIndexSeesTheUnsortedList) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    const std::vector<std::string> texts = {"d", "b", "e", "a", "c", "f", "b"};
    for (size_t i = 0; i < texts.size(); ++i) {
        AddRow(list, texts[i].c_str(), static_cast<LPARAM>(i));
    }
    ReadingContext context{list, {}};
    ASSERT_TRUE(SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context),
                             reinterpret_cast<LPARAM>(&CompareByTextOfIndex)));
    std::string sorted;
    for (size_t i = 0; i < texts.size(); ++i) {
        sorted += Text(list, static_cast<int>(i), 0);
    }
    EXPECT_EQ(sorted, "abbcdef");
    // Item data 1 and 6 are the two "b" rows: the stable sort keeps 1 first.
    EXPECT_EQ(Data(list, 1), 1);
    EXPECT_EQ(Data(list, 2), 6);
}

int CALLBACK DeletingComparison(LPARAM, LPARAM, LPARAM context) {
    SendMessageA(reinterpret_cast<HWND>(context), LVM_DELETEITEM, 0, 0);
    return 1;
}

TEST_F(ListViewTest, AComparisonThatDeletesRowsAbandonsTheSort) {
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 50);
    for (int i = 0; i < 6; ++i) {
        AddRow(list, "r", i);
    }
    EXPECT_FALSE(SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(list),
                              reinterpret_cast<LPARAM>(&DeletingComparison)));
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListViewTest, RectanglesAndHitTestsFollowColumnsRowsAndScrolling) {
    HWND list = OwnerDrawnList(30);
    ASSERT_FALSE(measured_.empty());
    EXPECT_EQ(measured_.back().CtlType, static_cast<UINT>(ODT_LISTVIEW));
    EXPECT_EQ(measured_.back().CtlID, static_cast<UINT>(kListId));
    const int top = HeaderHeight(list);
    ASSERT_GT(top, 0);

    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, top + 2 * kRowHeight);
    EXPECT_EQ(rect.right, 240);
    EXPECT_EQ(rect.bottom, top + 3 * kRowHeight);
    rect = RECT{LVIR_LABEL, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.right, 60);
    rect = RECT{LVIR_BOUNDS, 2, 0, 0};
    ASSERT_TRUE(SendMessageA(list, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(rect.left, 140);
    EXPECT_EQ(rect.right, 240);
    EXPECT_EQ(rect.top, top + kRowHeight);
    rect = RECT{LVIR_BOUNDS, 0, 0, 0};
    EXPECT_FALSE(SendMessageA(list, LVM_GETITEMRECT, 30, reinterpret_cast<LPARAM>(&rect)));

    LVHITTESTINFO hit{};
    hit.pt = POINT{150, top + 3 * kRowHeight + 5};
    EXPECT_EQ(SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 3);
    EXPECT_EQ(hit.iItem, 3);
    EXPECT_EQ(hit.iSubItem, 2);
    EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
    hit.pt = POINT{250, top + 5};
    EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_NOWHERE));
    hit.pt = POINT{5, 500};
    EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_BELOW));
    hit.pt = POINT{-3, -3};
    SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ABOVE | LVHT_TOLEFT));

    RECT client{};
    GetClientRect(list, &client);
    const int perPage = (client.bottom - top) / kRowHeight;
    EXPECT_EQ(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0), perPage);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0);
    ASSERT_TRUE(SendMessageA(list, LVM_ENSUREVISIBLE, 20, FALSE));
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 20 - perPage + 1);
    hit.pt = POINT{5, top + 1};
    EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 20 - perPage + 1);
    SendMessageA(list, LVM_ENSUREVISIBLE, 2, FALSE);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 2);
    // Scrolling stops where the last page is full.
    SendMessageA(list, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 30 - perPage);
    SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 30 - perPage - 3);
}

TEST_F(ListViewTest, AClickSelectsTheRowThenSendsNmClick) {
    HWND list = OwnerDrawnList(5);
    const int top = HeaderHeight(list);
    const POINT at{70, top + kRowHeight + 4};
    Click(list, at);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(State(list, 1), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    const auto picked = Only({LVN_ITEMCHANGED, NM_CLICK});
    ASSERT_EQ(picked.size(), 2U);
    EXPECT_EQ(picked[0].code, static_cast<UINT>(LVN_ITEMCHANGED));
    EXPECT_EQ(picked[1].code, static_cast<UINT>(NM_CLICK));
    EXPECT_EQ(picked[1].item, 1);
    EXPECT_EQ(picked[1].subItem, 1);
    EXPECT_EQ(picked[1].point.x, at.x);
    EXPECT_EQ(picked[1].point.y, at.y);
    EXPECT_EQ(picked[1].id, static_cast<UINT_PTR>(kListId));

    // A second row replaces the first; a click below the rows clears the selection.
    Click(list, POINT{10, top + 3 * kRowHeight + 1});
    EXPECT_EQ(State(list, 1), 0U);
    EXPECT_EQ(State(list, 3), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    notices_.clear();
    Click(list, POINT{10, top + 7 * kRowHeight});
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    const auto clicks = Only({NM_CLICK});
    ASSERT_EQ(clicks.size(), 1U);
    EXPECT_EQ(clicks[0].item, -1);
}

TEST_F(ListViewTest, ControlAndShiftClicksExtendAMultipleSelection) {
    HWND list = OwnerDrawnList(6, 0);
    const int top = HeaderHeight(list);
    Click(list, POINT{5, top + 1 * kRowHeight + 2});
    InjectKey(VK_CONTROL, true);
    Click(list, POINT{5, top + 3 * kRowHeight + 2});
    InjectKey(VK_CONTROL, false);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 3);
    InjectKey(VK_SHIFT, true);
    Click(list, POINT{5, top + 5 * kRowHeight + 2});
    InjectKey(VK_SHIFT, false);
    PumpUntilIdle();
    std::vector<UINT> states;
    for (int i = 0; i < 6; ++i) {
        states.push_back(State(list, i));
    }
    EXPECT_EQ(states, (std::vector<UINT>{0, 0, 0, LVIS_SELECTED, LVIS_SELECTED,
                                         LVIS_SELECTED | LVIS_FOCUSED}));
}

TEST_F(ListViewTest, DoubleAndRightClicksNotifyTheParent) {
    HWND list = OwnerDrawnList(3);
    const int top = HeaderHeight(list);
    const POINT at{10, top + 2 * kRowHeight + 3};
    Click(list, at);
    Click(list, at);
    auto activations = Only({NM_CLICK, NM_DBLCLK});
    ASSERT_EQ(activations.size(), 2U);
    EXPECT_EQ(activations[1].code, static_cast<UINT>(NM_DBLCLK));
    EXPECT_EQ(activations[1].item, 2);
    EXPECT_EQ(activations[1].subItem, 0);

    notices_.clear();
    Click(list, POINT{10, top + 5}, true);
    EXPECT_EQ(State(list, 0), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    const auto right = Only({NM_RCLICK});
    ASSERT_EQ(right.size(), 1U);
    EXPECT_EQ(right[0].item, 0);
}

TEST_F(ListViewTest, KeysMoveTheSelectionAfterLvnKeydown) {
    HWND list = OwnerDrawnList(30);
    SetFocus(list);
    SetState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    notices_.clear();
    Key(VK_DOWN);
    ASSERT_FALSE(notices_.empty());
    EXPECT_EQ(notices_[0].code, static_cast<UINT>(LVN_KEYDOWN));
    EXPECT_EQ(notices_[0].key, VK_DOWN);
    EXPECT_EQ(State(list, 0), 0U);
    EXPECT_EQ(State(list, 1), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    Key(VK_END);
    EXPECT_EQ(State(list, 29), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    const int perPage = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 30 - perPage);
    Key(VK_HOME);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0);
    Key(VK_UP);
    EXPECT_EQ(State(list, 0), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(SendMessageA(list, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(ListViewTest, AHeaderClickBecomesAColumnClick) {
    HWND list = OwnerDrawnList(2);
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    Click(header, POINT{100, 5});
    const auto picked = Only({HDN_ITEMCLICKA, LVN_COLUMNCLICK});
    ASSERT_EQ(picked.size(), 2U);
    EXPECT_EQ(picked[0].code, static_cast<UINT>(HDN_ITEMCLICKA));
    EXPECT_EQ(picked[0].from, header);
    EXPECT_EQ(picked[0].item, 1);
    EXPECT_EQ(picked[1].code, static_cast<UINT>(LVN_COLUMNCLICK));
    EXPECT_EQ(picked[1].from, list);
    EXPECT_EQ(picked[1].item, -1);
    EXPECT_EQ(picked[1].subItem, 1);
}

TEST_F(ListViewTest, DraggingADividerResizesTheColumn) {
    HWND list = OwnerDrawnList(2);
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    InjectMouse(MOUSEEVENTF_LEFTDOWN, ScreenPoint(header, POINT{60, 5}));
    InjectMouse(MOUSEEVENTF_MOVE, ScreenPoint(header, POINT{85, 5}));
    InjectMouse(MOUSEEVENTF_LEFTUP, ScreenPoint(header, POINT{85, 5}));
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 85);
    const auto codes = Only({HDN_BEGINTRACKA, HDN_TRACKA, HDN_ITEMCHANGINGA, HDN_ITEMCHANGEDA,
                             HDN_ENDTRACKA, LVN_COLUMNCLICK});
    ASSERT_EQ(codes.size(), 5U);
    EXPECT_EQ(codes[0].code, static_cast<UINT>(HDN_BEGINTRACKA));
    EXPECT_EQ(codes[1].code, static_cast<UINT>(HDN_TRACKA));
    EXPECT_EQ(codes[1].newState, 85U);
    EXPECT_EQ(codes[3].code, static_cast<UINT>(HDN_ITEMCHANGEDA));
    EXPECT_EQ(codes[4].code, static_cast<UINT>(HDN_ENDTRACKA));
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.right, 265);
}

TEST_F(ListViewTest, OwnerDrawnRowsAreDrawnByTheParentWithTheirState) {
    InstallScreen();
    HWND list = OwnerDrawnList(3);
    SetState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    onDraw_ = [](const DRAWITEMSTRUCT& draw) {
        const COLORREF color =
            (draw.itemState & ODS_SELECTED) ? RGB(59, 73, 119) : RGB(255, 255, 255);
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(draw.hDC, &draw.rcItem, brush);
        DeleteObject(brush);
    };
    draws_.clear();
    InvalidateRect(list, nullptr, TRUE);
    PumpUntilIdle();
    ASSERT_EQ(draws_.size(), 3U);
    const int top = HeaderHeight(list);
    for (UINT i = 0; i < 3; ++i) {
        const DRAWITEMSTRUCT& draw = draws_[i];
        EXPECT_EQ(draw.CtlType, static_cast<UINT>(ODT_LISTVIEW));
        EXPECT_EQ(draw.CtlID, static_cast<UINT>(kListId));
        EXPECT_EQ(draw.itemID, i);
        EXPECT_EQ(draw.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
        EXPECT_EQ(draw.hwndItem, list);
        EXPECT_NE(draw.hDC, nullptr);
        EXPECT_EQ(draw.itemData, 100U + i);
        EXPECT_EQ(draw.rcItem.left, 0);
        EXPECT_EQ(draw.rcItem.right, 240);
        EXPECT_EQ(draw.rcItem.top, top + static_cast<int>(i) * kRowHeight);
        EXPECT_EQ(draw.rcItem.bottom, top + static_cast<int>(i + 1) * kRowHeight);
    }
    // Not focused, but LVS_SHOWSELALWAYS shows the selection.
    EXPECT_EQ(draws_[0].itemState, 0U);
    EXPECT_EQ(draws_[1].itemState, static_cast<UINT>(ODS_SELECTED));

    SetFocus(list);
    draws_.clear();
    PumpUntilIdle();
    ASSERT_FALSE(draws_.empty());
    auto focusedRow = std::find_if(draws_.begin(), draws_.end(),
                                   [](const DRAWITEMSTRUCT& d) { return d.itemID == 1; });
    ASSERT_NE(focusedRow, draws_.end());
    EXPECT_EQ(focusedRow->itemState, static_cast<UINT>(ODS_SELECTED | ODS_FOCUS));

    const Surface picture = CaptureWindow(list);
    EXPECT_EQ(ColorFromPixel(picture.At(30, top + kRowHeight + 10)), RGB(59, 73, 119));
    EXPECT_EQ(ColorFromPixel(picture.At(30, top + 10)), RGB(255, 255, 255));
    // Below the rows: the list's own background.
    EXPECT_EQ(ColorFromPixel(picture.At(30, top + 5 * kRowHeight)), GetSysColor(COLOR_WINDOW));
}

TEST_F(ListViewTest, WithoutShowSelAlwaysAnUnfocusedSelectionIsNotDrawn) {
    InstallScreen();
    HWND list = OwnerDrawnList(2, 0);
    SetState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    draws_.clear();
    InvalidateRect(list, nullptr, TRUE);
    PumpUntilIdle();
    ASSERT_EQ(draws_.size(), 2U);
    EXPECT_EQ(draws_[0].itemState, 0U);
}

TEST_F(ListViewTest, ASmallImageListMakesRoomForIconsAndGridlinesAreDrawn) {
    InstallScreen();
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 100);
    AddColumn(list, 1, "b", 100);
    AddRow(list, "", 0);
    HIMAGELIST images = ImageList_Create(16, 24, ILC_COLOR32, 1, 1);
    EXPECT_EQ(SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)),
              0);
    EXPECT_EQ(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0),
              reinterpret_cast<LRESULT>(images));
    RECT icon{LVIR_ICON, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&icon));
    EXPECT_EQ(icon.left, 0);
    EXPECT_EQ(icon.right, 16);
    EXPECT_GE(icon.bottom - icon.top, 25);
    RECT label{LVIR_LABEL, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
    EXPECT_EQ(label.left, 16);
    EXPECT_EQ(label.right, 100);
    LVHITTESTINFO hit{};
    hit.pt = POINT{5, icon.top + 2};
    EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ONITEMICON));
    // Without LVS_EX_FULLROWSELECT a plain row is hit only in its first column.
    hit.pt = POINT{150, icon.top + 2};
    EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.iSubItem, 1);

    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
    PumpUntilIdle();
    const Surface picture = CaptureWindow(list);
    EXPECT_EQ(ColorFromPixel(picture.At(99, icon.bottom + 5)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorFromPixel(picture.At(50, icon.bottom - 1)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorFromPixel(picture.At(50, icon.bottom + 5)), GetSysColor(COLOR_WINDOW));
    DestroyWindow(list);
    ImageList_Destroy(images);
}

TEST_F(ListViewTest, PlainRowsDrawTheSelectionInTheHighlightColour) {
    InstallScreen();
    HWND list = MakeList(LVS_REPORT | LVS_SHOWSELALWAYS);
    AddColumn(list, 0, "a", 100);
    AddColumn(list, 1, "b", 100);
    AddRow(list, "", 0);
    AddRow(list, "", 1);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_FULLROWSELECT);
    SendMessageA(list, LVM_SETBKCOLOR, 0, RGB(1, 2, 3));
    EXPECT_EQ(SendMessageA(list, LVM_GETBKCOLOR, 0, 0), RGB(1, 2, 3));
    SetState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    SetFocus(list);
    PumpUntilIdle();
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const Surface picture = CaptureWindow(list);
    EXPECT_EQ(ColorFromPixel(picture.At(150, row.top + 1)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorFromPixel(picture.At(150, row.top - 2)), RGB(1, 2, 3));
    EXPECT_EQ(ColorFromPixel(picture.At(250, row.bottom + 30)), RGB(1, 2, 3));
}

}  // namespace
}  // namespace platform::testing
