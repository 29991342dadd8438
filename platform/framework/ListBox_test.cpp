#include "platform/framework/ListBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/WrapperTest.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace {

// An owner-drawn list box of a program: rows 20 high, ordered by their item data.
class CTaskList : public CListBox {
public:
    std::vector<std::string> calls;
    std::vector<RECT> rects;

    void MeasureItem(LPMEASUREITEMSTRUCT item) override {
        EXPECT_EQ(item->CtlType, static_cast<UINT>(ODT_LISTBOX));
        calls.push_back("measure " + std::to_string(item->itemID));
        item->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        EXPECT_EQ(item->hwndItem, m_hWnd);
        if (item->itemID == static_cast<UINT>(-1)) {
            return;
        }
        calls.push_back("draw " + std::to_string(item->itemID) + " data " +
                        std::to_string(item->itemData) +
                        ((item->itemState & ODS_SELECTED) != 0 ? " selected" : ""));
        rects.push_back(item->rcItem);
    }
    int CompareItem(LPCOMPAREITEMSTRUCT item) override {
        return item->itemData1 < item->itemData2 ? -1 : (item->itemData1 > item->itemData2 ? 1 : 0);
    }
    void DeleteItem(LPDELETEITEMSTRUCT item) override {
        calls.push_back("delete " + std::to_string(item->itemID) + " data " +
                        std::to_string(item->itemData));
    }
};

class ListBoxWrapperTest : public platform::testing::WrapperTest {
protected:
    static std::string Text(const CListBox& list, int index) {
        CString text;
        list.GetText(index, text);
        return static_cast<LPCSTR>(text);
    }
};

TEST_F(ListBoxWrapperTest, ASortedListPlacesItsItemsAndFindsThemWithoutCase) {
    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_SORT | LBS_NOTIFY | WS_VSCROLL, CRect(0, 0, 150, 200),
                            &host, 1007));
    // Without case, and "[" before letters.
    EXPECT_EQ(list.AddString("[U]网址"), 0);
    EXPECT_EQ(list.AddString("banana"), 1);
    EXPECT_EQ(list.AddString("Apple"), 1);
    EXPECT_EQ(list.AddString("[k]关键"), 0);
    // Inserting never sorts.
    EXPECT_EQ(list.InsertString(-1, "0"), 4);
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(Text(list, 0), "[k]关键");
    EXPECT_EQ(Text(list, 1), "[U]网址");
    EXPECT_EQ(Text(list, 2), "Apple");
    EXPECT_EQ(Text(list, 4), "0");
    EXPECT_EQ(list.GetTextLen(1), 7);
    EXPECT_EQ(list.GetTextLen(9), LB_ERR);
    EXPECT_EQ(Text(list, 9), "");

    EXPECT_EQ(list.FindString(-1, "BAN"), 3);
    EXPECT_EQ(list.FindStringExact(-1, "APPLE"), 2);
    EXPECT_EQ(list.FindStringExact(-1, "App"), LB_ERR);
    // The search wraps around past the end.
    EXPECT_EQ(list.FindStringExact(3, "apple"), 2);

    EXPECT_EQ(list.SetItemData(1, 0x1234), LB_OKAY);
    EXPECT_EQ(list.GetItemData(1), 0x1234u);
    int record = 7;
    list.SetItemDataPtr(2, &record);
    EXPECT_EQ(list.GetItemDataPtr(2), &record);

    // Selections by program tell the parent nothing.
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.SelectString(-1, "b"), 3);
    EXPECT_EQ(list.GetCurSel(), 3);
    EXPECT_EQ(list.SetCurSel(4), 4);
    EXPECT_EQ(list.GetCurSel(), 4);
    list.SetCurSel(-1);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_TRUE(host.commands.empty());

    EXPECT_EQ(list.DeleteString(0), 4);
    EXPECT_EQ(list.DeleteString(10), LB_ERR);
    EXPECT_EQ(list.GetItemData(0), 0x1234u);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(ListBoxWrapperTest, MultipleSelectionIsReadAsAList) {
    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_MULTIPLESEL, CRect(0, 0, 150, 200), &host, 1051));
    for (const char* text : {"a", "b", "c", "d", "e"}) {
        list.AddString(text);
    }
    EXPECT_EQ(list.SetSel(0), LB_OKAY);
    EXPECT_EQ(list.SetSel(3), LB_OKAY);
    EXPECT_EQ(list.SetSel(9), LB_ERR);
    EXPECT_EQ(list.GetSelCount(), 2);
    EXPECT_GT(list.GetSel(3), 0);
    EXPECT_EQ(list.GetSel(1), 0);
    int items[5] = {-1, -1, -1, -1, -1};
    EXPECT_EQ(list.GetSelItems(5, items), 2);
    EXPECT_EQ(items[0], 0);
    EXPECT_EQ(items[1], 3);

    list.SetSel(-1, FALSE);
    EXPECT_EQ(list.GetSelCount(), 0);
    list.SelItemRange(TRUE, 1, 3);
    EXPECT_EQ(list.GetSelItems(2, items), 2);
    EXPECT_EQ(items[0], 1);
    EXPECT_EQ(items[1], 2);
    EXPECT_EQ(list.GetSelCount(), 3);
}

TEST_F(ListBoxWrapperTest, GeometryFollowsTheItemHeight) {
    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 150, 200), &host, 1044));
    list.AddString("one");
    list.AddString("two");
    EXPECT_EQ(list.SetItemHeight(0, 18), LB_OKAY);
    EXPECT_EQ(list.GetItemHeight(0), 18);
    CRect second;
    EXPECT_NE(list.GetItemRect(1, &second), LB_ERR);
    EXPECT_EQ(second.top, 18);
    EXPECT_EQ(second.bottom, 36);
    BOOL outside = TRUE;
    EXPECT_EQ(list.ItemFromPoint(CPoint(5, 20), outside), 1u);
    EXPECT_FALSE(outside);
    list.ItemFromPoint(CPoint(5, 150), outside);
    EXPECT_TRUE(outside);
}

TEST_F(ListBoxWrapperTest, AnOwnerDrawnListIsMeasuredDrawnSortedAndToldOfDeletions) {
    CTaskList list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_SORT | LBS_NOTIFY,
                            CRect(0, 0, 150, 200), &host, 1012));
    EXPECT_EQ(list.AddString(reinterpret_cast<LPCSTR>(30)), 0);
    EXPECT_EQ(list.AddString(reinterpret_cast<LPCSTR>(10)), 0);
    EXPECT_EQ(list.AddString(reinterpret_cast<LPCSTR>(20)), 1);
    EXPECT_EQ(list.GetItemData(0), 10u);
    EXPECT_EQ(list.GetItemData(2), 30u);
    EXPECT_EQ(list.calls, (std::vector<std::string>{"measure 0", "measure 0", "measure 1"}));

    list.calls.clear();
    list.SetCurSel(1);
    platform::PumpUntilIdle();
    EXPECT_NE(std::find(list.calls.begin(), list.calls.end(), "draw 1 data 20 selected"),
              list.calls.end());
    EXPECT_NE(std::find(list.calls.begin(), list.calls.end(), "draw 2 data 30"), list.calls.end());
    for (size_t i = 0; i < list.rects.size(); ++i) {
        EXPECT_EQ(list.rects[i].bottom - list.rects[i].top, 20);
    }

    list.calls.clear();
    list.DeleteString(0);
    EXPECT_EQ(list.calls.front(), "delete 0 data 10");
}

}  // namespace
