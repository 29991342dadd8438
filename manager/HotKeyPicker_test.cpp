#include "manager/HotKeyPicker.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "manager/KeyNameTable.h"
#include "manager/ManagerTest.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

TEST(KeyNameTableTest, TheTableHoldsTheKeysInOrderWithDistinctCodes) {
    const CKeyNameTable& table = KeyNames();
    ASSERT_EQ(table.Count(), 119);
    EXPECT_STREQ(table.Row(0).name, "无");
    EXPECT_EQ(table.Row(0).code, 0);
    EXPECT_STREQ(table.Row(0).description, "BACKSPACE key");
    EXPECT_STREQ(table.Row(1).name, "VK_BACK");
    EXPECT_STREQ(table.Row(1).description, "BACKSPACE key");
    EXPECT_STREQ(table.Row(4).name, "VK_RETURN");
    EXPECT_EQ(table.Row(4).code, 0x0D);
    EXPECT_STREQ(table.Row(34).name, "A");
    EXPECT_EQ(table.Row(34).code, 0x41);
    // F17 to F24 write "80H" and so on: only the two digits count.
    const int f17 = table.IndexOfKey(0x80);
    EXPECT_STREQ(table.Row(f17).name, "VK_F17");
    EXPECT_STREQ(table.Row(f17).description, " F17 key");
    EXPECT_STREQ(table.Row(table.Count() - 1).name, "VK_OEM_7(')");
    std::set<int> codes;
    for (int index = 0; index < table.Count(); ++index) {
        const KeyNameRow& row = table.Row(index);
        EXPECT_TRUE(codes.insert(row.code).second) << row.name;
        int found = -1;
        EXPECT_EQ(&table.FindKey(row.code, found), &row);
        EXPECT_EQ(found, index);
        EXPECT_EQ(table.KeyAt(index), row.code);
        // Descriptions longer than their field are cut and still end in a NUL.
        EXPECT_LT(::strnlen(row.description, sizeof(row.description)), sizeof(row.description));
    }
    EXPECT_EQ(std::strlen(table.Row(table.IndexOfKey(0xDE)).description), 49u);
    // Keys that are not in the table are "无"; only the key's low byte counts.
    int found = -1;
    EXPECT_STREQ(table.FindKey(0x5B, found).name, "无");
    EXPECT_EQ(found, 0);
    EXPECT_STREQ(table.FindKey(0x10D, found).name, "VK_RETURN");
    EXPECT_EQ(table.KeyAt(-1), 0);
    EXPECT_EQ(table.KeyAt(table.Count()), 0);
    EXPECT_EQ(CKeyNameTable::ParseHexByte("a5"), 0xA5);
    EXPECT_EQ(CKeyNameTable::ParseHexByte("DE"), 0xDE);
}

class HotKeyPickerTest : public ManagerDialogTest {
protected:
    void SetUp() override {
        ManagerDialogTest::SetUp();
        ASSERT_TRUE(owner.CreateEx(0, AFX_WND_CLASS, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                   0, 600, 300, nullptr, nullptr));
    }
    void TearDown() override {
        owner.DestroyWindow();
        ManagerDialogTest::TearDown();
    }
    std::string KeyName(HWND picker) const {
        const int index =
            static_cast<int>(::SendDlgItemMessageA(picker, IDC_KEY, CB_GETCURSEL, 0, 0));
        return index < 0 ? "" : KeyNames().Row(index).name;
    }
    // A key pressed while the key list's edit part has the focus.
    static void PressInKeyList(HWND picker, BYTE key) {
        HWND combo = ::GetDlgItem(picker, IDC_KEY);
        HWND edit = ::GetWindow(combo, GW_CHILD);
        ::SetFocus(edit != nullptr ? edit : combo);
        Press(key);
    }

    CWnd owner;
};

TEST_F(HotKeyPickerTest, KeysPressedInTheListAreChosenAndStoredWithTheBoxes) {
    HotKeyRecord record{0x41, 1, 0, 1};
    CHotKeyPicker picker(&record);
    ASSERT_TRUE(picker.Create(&owner));
    picker.MoveWindow(10, 10, 320, 30);
    picker.ShowWindow(SW_SHOW);
    platform::PumpUntilIdle();
    EXPECT_EQ(KeyName(picker), "A");
    EXPECT_EQ(picker.IsDlgButtonChecked(IDC_CTRL), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(picker.IsDlgButtonChecked(IDC_ALT), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(picker.IsDlgButtonChecked(IDC_SHIFT), static_cast<UINT>(BST_CHECKED));
    // The boxes sit right of the 120-pixel list, 3 pixels apart.
    CRect box;
    picker.GetDlgItem(IDC_ALT)->GetWindowRect(&box);
    picker.ScreenToClient(&box);
    EXPECT_EQ(box, CRect(249, 4, 309, 16));

    // Enter and Esc are chosen, not acted on; a key outside the table is "无".
    PressInKeyList(picker, VK_RETURN);
    EXPECT_EQ(KeyName(picker), "VK_RETURN");
    PressInKeyList(picker, VK_ESCAPE);
    EXPECT_EQ(KeyName(picker), "VK_ESCAPE");
    EXPECT_TRUE(::IsWindow(picker.m_hWnd));
    PressInKeyList(picker, VK_LWIN);
    EXPECT_EQ(KeyName(picker), "无");
    // A letter is its upper-case row whatever the Shift state; Shift comes from its box only.
    platform::InjectKey(VK_SHIFT, true);
    PressInKeyList(picker, 'B');
    platform::InjectKey(VK_SHIFT, false);
    platform::PumpUntilIdle();
    EXPECT_EQ(KeyName(picker), "B");
    Click(picker, IDC_SHIFT);
    Click(picker, IDC_ALT);
    picker.SaveKey();
    EXPECT_EQ(record, (HotKeyRecord{0x42, 1, 1, 0}));
    picker.DestroyWindow();
}

TEST_F(HotKeyPickerTest, WithoutARecordThePickerShowsNoKeyAndSavingDoesNothing) {
    HotKeyRecord unknown{0x5B, 1, 1, 1};
    CHotKeyPicker picker(&unknown);
    ASSERT_TRUE(picker.Create(&owner));
    // A code not in the table shows "无" and is stored as 0 when saved untouched.
    EXPECT_EQ(KeyName(picker), "无");
    picker.SaveKey();
    EXPECT_EQ(unknown, (HotKeyRecord{0, 1, 1, 1}));
    picker.DestroyWindow();

    CHotKeyPicker bare;
    ASSERT_TRUE(bare.Create(&owner));
    EXPECT_EQ(KeyName(bare), "无");
    EXPECT_EQ(bare.IsDlgButtonChecked(IDC_CTRL), static_cast<UINT>(BST_UNCHECKED));
    Click(bare, IDC_CTRL);
    EXPECT_EQ(bare.SaveKey(), 0);
    bare.DestroyWindow();
}

}  // namespace
}  // namespace manager_testing
