#include "manager/SortListCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "manager/AddressBookRecord.h"
#include "manager/ContactRowKind.h"
#include "manager/LedgerRecord.h"
#include "manager/LedgerRowKind.h"
#include "manager/ManagerTest.h"
#include "manager/RecordBytes.h"
#include "manager/RecordsTest.h"
#include "platform/screen/ScreenApi.h"

namespace manager_testing {
namespace {

constexpr int kListId = 1012;

class SortListCtrlTest : public ManagerDialogTest {
protected:
    void SetUp() override {
        ManagerDialogTest::SetUp();
        ASSERT_TRUE(owner.CreateEx(0, AFX_WND_CLASS, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                   0, 900, 400, nullptr, nullptr));
        ASSERT_TRUE(
            list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS,
                        CRect(0, 0, 880, 300), &owner, kListId));
    }
    void TearDown() override {
        list.DestroyWindow();
        owner.DestroyWindow();
        ManagerDialogTest::TearDown();
    }

    void Columns(std::initializer_list<int> widths) {
        int column = 0;
        for (int width : widths) {
            list.InsertColumn(column, "c", LVCFMT_LEFT, width);
            ++column;
        }
    }
    void AddRow(const void* record) {
        const int row = list.InsertItem(list.GetItemCount(), "not shown");
        list.SetItemData(row, reinterpret_cast<DWORD_PTR>(record));
    }
    // The rows' records in list order, by the records' position in `records`.
    template <typename Record>
    std::vector<int> Order(const std::vector<Record>& records) const {
        std::vector<int> order;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            const auto* record = reinterpret_cast<const Record*>(list.GetItemData(row));
            order.push_back(static_cast<int>(record - records.data()));
        }
        return order;
    }

    CWnd owner;
    CSortListCtrl list;
};

TEST_F(SortListCtrlTest, HeaderClicksSortLedgerRowsByEachColumnOneWayThenTheOther) {
    Columns({100, 80, 100, 300});
    list.SetKind(3);
    const std::vector<LedgerRecord> records = {
        Entry(1, 2006, 9, 15, 1250, "b"), Entry(0, 2006, 9, 1, 29, "B"),
        Entry(0, 2005, 12, 31, 100000, "中"), Entry(1, 2006, 9, 15, 1250, "a")};
    for (const LedgerRecord& record : records) {
        AddRow(&record);
    }
    ClickHeader(list, 0);
    EXPECT_EQ(Order(records), (std::vector<int>{2, 1, 0, 3}));
    ClickHeader(list, 0);
    EXPECT_EQ(Order(records), (std::vector<int>{0, 3, 1, 2}));
    // Another column starts ascending; the amount compares as a number, not as text.
    ClickHeader(list, 2);
    EXPECT_EQ(Order(records), (std::vector<int>{1, 0, 3, 2}));
    // The note as bytes: upper case first, GBK after ASCII.
    ClickHeader(list, 3);
    EXPECT_EQ(Order(records), (std::vector<int>{1, 3, 0, 2}));
    // The flags survive a refill: the next click on the note reverses.
    list.DeleteAllItems();
    for (const LedgerRecord& record : records) {
        AddRow(&record);
    }
    ClickHeader(list, 3);
    EXPECT_EQ(Order(records), (std::vector<int>{2, 0, 3, 1}));
}

TEST_F(SortListCtrlTest, ContactsSortByEachColumnGroupAsNumberBirthdayIgnoringTheCalendar) {
    Columns({50, 100, 80, 80, 80, 100, 100, 80, 200});
    list.SetKind(5);
    const std::vector<AddressBookRecord> records = {
        WithTexts(Contact(4, "li", "4", 0, 20, 1), "3", "2", "d", "1", "a"),
        WithTexts(Contact(2, "Li", "3", 11, 0, 0), "1", "4", "b", "3", "c"),
        WithTexts(Contact(1, "zhang", "2", 0, 3, 0), "4", "3", "c", "2", "d"),
        WithTexts(Contact(3, "wang", "1", 1, 0, 1), "2", "1", "a", "4", "b")};
    for (const AddressBookRecord& record : records) {
        AddRow(&record);
    }
    // Each text column in an order no other column gives, so that a column sorted by another's
    // field shows.
    const std::pair<int, std::vector<int>> textColumns[] = {{2, {3, 2, 1, 0}}, {3, {1, 3, 0, 2}},
                                                            {4, {3, 0, 2, 1}}, {6, {3, 1, 2, 0}},
                                                            {7, {0, 2, 1, 3}}, {8, {0, 3, 1, 2}}};
    for (const auto& [column, order] : textColumns) {
        ClickHeader(list, column);
        EXPECT_EQ(Order(records), order) << "column " << column;
    }
    ClickHeader(list, 0);
    EXPECT_EQ(Order(records), (std::vector<int>{2, 1, 3, 0}));
    ClickHeader(list, 5);
    EXPECT_EQ(Order(records), (std::vector<int>{2, 0, 3, 1}));
    // Names compare with case: "Li" before "li".
    ClickHeader(list, 1);
    EXPECT_EQ(Order(records), (std::vector<int>{1, 0, 3, 2}));
    // A column past the ninth compares every pair as -1 and an unknown kind likewise: nothing
    // is lost or duplicated, whatever the order.
    list.SetKind(9);
    ClickHeader(list, 2);
    std::vector<int> order = Order(records);
    std::sort(order.begin(), order.end());
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(SortListCtrlTest, IncomeRowsStayRedAndExpenseRowsBlueAlsoWhenSelected) {
    Columns({100, 80, 100, 300});
    list.SetKind(3);
    const LedgerRecord income = Entry(0, 2006, 9, 15, 1250, "MMMM");
    const LedgerRecord expense = Entry(1, 2006, 9, 15, 1250, "MMMM");
    AddRow(&income);
    AddRow(&expense);
    AddRow(&income);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    platform::PumpUntilIdle();
    const platform::Surface picture = platform::CaptureWindow(list.m_hWnd);
    const auto colours = [&](int row) {
        RECT rect{LVIR_BOUNDS, 0, 0, 0};
        list.GetItemRect(row, &rect, LVIR_BOUNDS);
        std::set<COLORREF> seen;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = 0; x < 580; ++x) {
                seen.insert(platform::ColorFromPixel(picture.At(x, y)));
            }
        }
        return seen;
    };
    const std::set<COLORREF> selectedIncome = colours(0);
    EXPECT_TRUE(selectedIncome.contains(CSortListCtrl::kSelectedBackground));
    EXPECT_TRUE(selectedIncome.contains(RGB(255, 0, 0)));
    EXPECT_FALSE(selectedIncome.contains(RGB(255, 255, 255)));
    const std::set<COLORREF> expenseRow = colours(1);
    EXPECT_TRUE(expenseRow.contains(RGB(0, 0, 255)));
    EXPECT_FALSE(expenseRow.contains(RGB(255, 0, 0)));
    EXPECT_FALSE(expenseRow.contains(RGB(0, 0, 0)));
    const std::set<COLORREF> incomeRow = colours(2);
    EXPECT_TRUE(incomeRow.contains(RGB(255, 0, 0)));
    EXPECT_TRUE(incomeRow.contains(RGB(255, 255, 255)));
    EXPECT_FALSE(incomeRow.contains(CSortListCtrl::kSelectedBackground));
}

TEST_F(SortListCtrlTest, CellsShowTheRecordsFieldsFormattedAndAligned) {
    CString text;
    UINT align = 0;
    const LedgerRecord entry = Entry(1, 2006, 9, 5, 1250, "午饭");
    LedgerRowKind ledger;
    ASSERT_TRUE(ledger.Cell(&entry, 0, text, align));
    EXPECT_EQ(std::string(text), "2006年09月05日");
    EXPECT_EQ(align, static_cast<UINT>(DT_CENTER));
    ASSERT_TRUE(ledger.Cell(&entry, 1, text, align));
    EXPECT_EQ(std::string(text), "支出");
    ASSERT_TRUE(ledger.Cell(&entry, 2, text, align));
    EXPECT_EQ(std::string(text), "12.50 ");
    EXPECT_EQ(align, static_cast<UINT>(DT_RIGHT));
    ASSERT_TRUE(ledger.Cell(&entry, 3, text, align));
    EXPECT_EQ(std::string(text), " 午饭");
    EXPECT_FALSE(ledger.Cell(&entry, 4, text, align));

    AddressBookRecord contact =
        WithTexts(Contact(2, "li", "", 11, 30, 1), "010", "020", "li@x", "12345", "同学");
    // A name that fills its field without a NUL is read only to the field's end.
    std::memset(contact.mobile, '1', sizeof(contact.mobile));
    ContactRowKind contacts;
    ASSERT_TRUE(contacts.Cell(&contact, 0, text, align));
    EXPECT_EQ(std::string(text), " 好友");
    ASSERT_TRUE(contacts.Cell(&contact, 2, text, align));
    EXPECT_EQ(std::string(text), " " + std::string(21, '1'));
    ASSERT_TRUE(contacts.Cell(&contact, 5, text, align));
    EXPECT_EQ(std::string(text), "12月31日[农历]");
    std::vector<std::string> texts;
    for (int column : {3, 4, 6, 7, 8}) {
        ASSERT_TRUE(contacts.Cell(&contact, column, text, align));
        texts.push_back(std::string(text));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{" 010", " 020", " li@x", " 12345", " 同学"}));
    EXPECT_FALSE(contacts.Cell(&contact, 9, text, align));
    contact.group = 7;
    contact.calendar = 0;
    contact.birthMonth = 0x7FFFFFFF;
    ASSERT_TRUE(contacts.Cell(&contact, 0, text, align));
    EXPECT_EQ(std::string(text), " ");
    ASSERT_TRUE(contacts.Cell(&contact, 5, text, align));
    EXPECT_EQ(std::string(text), "2147483648月31日[国历]");
}

}  // namespace
}  // namespace manager_testing
