#include "platform/controls/ListView.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/controls/ListViewTest.h"

namespace platform::testing {
namespace {

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

}  // namespace
}  // namespace platform::testing
