#include "platform/controls/ListView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "platform/controls/ListViewTest.h"
#include "platform/controls/ScrollInfo.h"

namespace platform::testing {
namespace {

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

}  // namespace
}  // namespace platform::testing
