#include "platform/framework/ComboBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/WrapperTest.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace {

class CFontCombo : public CComboBox {
public:
    std::vector<std::string> calls;

    void MeasureItem(LPMEASUREITEMSTRUCT item) override {
        calls.push_back("measure " + std::to_string(static_cast<int>(item->itemID)));
        item->itemHeight = 22;
    }
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        EXPECT_EQ(item->CtlType, static_cast<UINT>(ODT_COMBOBOX));
        calls.push_back("draw " + std::to_string(static_cast<int>(item->itemID)));
    }
};

class ComboBoxWrapperTest : public platform::testing::WrapperTest {
protected:
    static std::string Item(const CComboBox& combo, int index) {
        CString text;
        combo.GetLBText(index, text);
        return static_cast<LPCSTR>(text);
    }
};

TEST_F(ComboBoxWrapperTest, ASortedDropListHoldsItemsDataAndSelection) {
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL,
                             CRect(0, 0, 150, 200), &host, 1081));
    CRect closed;
    combo.GetWindowRect(&closed);
    EXPECT_LT(closed.Height(), 200);

    EXPECT_EQ(combo.AddString("宋体"), 0);
    EXPECT_EQ(combo.AddString("Arial"), 0);
    EXPECT_EQ(combo.AddString("courier"), 1);
    EXPECT_EQ(combo.InsertString(0, "Zapf"), 0);
    EXPECT_EQ(combo.GetCount(), 4);
    EXPECT_EQ(Item(combo, 0), "Zapf");
    EXPECT_EQ(Item(combo, 3), "宋体");
    EXPECT_EQ(combo.GetLBTextLen(3), 4);
    EXPECT_EQ(combo.GetLBTextLen(4), CB_ERR);
    EXPECT_EQ(Item(combo, 4), "");

    EXPECT_EQ(combo.FindStringExact(-1, "ARIAL"), 1);
    EXPECT_EQ(combo.FindStringExact(-1, "宋体"), 3);
    EXPECT_EQ(combo.FindStringExact(-1, "Ari"), CB_ERR);
    EXPECT_EQ(combo.FindString(-1, "cou"), 2);

    EXPECT_EQ(combo.SetItemData(2, 99), CB_OKAY);
    EXPECT_EQ(combo.GetItemData(2), 99u);

    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(2), 2);
    EXPECT_EQ(combo.GetCurSel(), 2);
    CString shown;
    combo.GetWindowText(shown);
    EXPECT_STREQ(shown, "courier");
    EXPECT_EQ(combo.SelectString(-1, "ar"), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);
    combo.SetCurSel(-1);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    for (WPARAM command : host.commands) {
        EXPECT_NE(HIWORD(command), CBN_SELCHANGE);
    }

    // Deleting from the last entry to the first, as programs do.
    for (int index = combo.GetCount() - 1; index >= 0; --index) {
        EXPECT_EQ(combo.DeleteString(static_cast<UINT>(index)), index);
    }
    EXPECT_EQ(combo.GetCount(), 0);
}

TEST_F(ComboBoxWrapperTest, TheDropDownAndTheEditPart) {
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL, CRect(0, 0, 200, 200),
                             &host, 1016));
    combo.AddString("http://a/");
    combo.AddString("http://b/");
    EXPECT_FALSE(combo.GetDroppedState());
    combo.ShowDropDown();
    EXPECT_TRUE(combo.GetDroppedState());
    CRect dropped;
    combo.GetDroppedControlRect(&dropped);
    EXPECT_EQ(dropped.Height(), 200);
    combo.ShowDropDown(FALSE);
    EXPECT_FALSE(combo.GetDroppedState());

    combo.SetWindowText("hello");
    EXPECT_EQ(combo.SetEditSel(0, -1), TRUE);
    EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELONG(0, 5)));
    EXPECT_EQ(combo.SetEditSel(1, 3), TRUE);
    EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELONG(1, 3)));
    EXPECT_TRUE(combo.LimitText(8));

    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

TEST_F(ComboBoxWrapperTest, AnOwnerDrawnComboIsMeasuredAndDrawnThroughReflection) {
    CFontCombo combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(0, 0, 150, 200), &host, 1082));
    // The selection field and the list's items are measured as the combo is made.
    ASSERT_FALSE(combo.calls.empty());
    EXPECT_EQ(combo.calls.front(), "measure -1");
    EXPECT_EQ(combo.GetItemHeight(0), 22);
    combo.AddString("十二");
    combo.SetCurSel(0);
    combo.calls.clear();
    combo.Invalidate();
    platform::PumpUntilIdle();
    EXPECT_NE(std::find(combo.calls.begin(), combo.calls.end(), "draw 0"), combo.calls.end());
}

}  // namespace
