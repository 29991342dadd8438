#include "manager/LedgerPage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "manager/ManagerTest.h"
#include "manager/RecordBytes.h"
#include "platform/screen/ScreenApi.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

LedgerRecord Entry(int type, int year, int month, int day, int amount, const char* note) {
    LedgerRecord record;
    record.type = type;
    record.date.year = year;
    record.date.month = month;
    record.date.day = day;
    record.amount = amount;
    RecordBytes::Store(record.note, note);
    return record;
}

std::string MonthBytes(std::initializer_list<LedgerRecord> records) {
    LedgerRecordList list;
    for (const LedgerRecord& record : records) {
        list.push_back(std::make_unique<LedgerRecord>(record));
    }
    return SerializeLedgerRecords(list);
}

class LedgerPageTest : public ManagerAppTest {
protected:
    CLedgerPage& Page() { return *static_cast<CLedgerPage*>(Main().Page(4)); }
    std::string Month(const char* name) const {
        return folder.ReadFile("data3/syssr/" + std::string(name));
    }
    // Adds a record through the entry sub-page's form.
    void Add(HWND entry, int type, const char* amount, const char* note) {
        if (type >= 0) {
            Choose(entry, IDC_ENTRY_TYPE, type);
        }
        ::SetDlgItemTextA(entry, IDC_AMOUNT, amount);
        ::SetDlgItemTextA(entry, IDC_ENTRY_NOTE, note);
        Click(entry, IDC_ADD_ENTRY);
    }
    static std::vector<std::string> Notes(const CListCtrl& list) {
        std::vector<std::string> notes;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            notes.push_back(reinterpret_cast<const LedgerRecord*>(list.GetItemData(row))->note);
        }
        return notes;
    }
    // The date picker inside a sub-page.
    static HWND PickerOf(HWND subPage) {
        for (HWND child = ::GetWindow(subPage, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (::GetDlgItem(child, IDC_PICKER_DAY) != nullptr) {
                return child;
            }
        }
        return nullptr;
    }
    static void ClickRow(const CListCtrl& list, int row) {
        RECT rect{LVIR_BOUNDS, 0, 0, 0};
        list.GetItemRect(row, &rect, LVIR_BOUNDS);
        POINT point{rect.left + 20, (rect.top + rect.bottom) / 2};
        ::ClientToScreen(list.m_hWnd, &point);
        ClickAt(point);
    }
};

TEST_F(LedgerPageTest, RecordsAddedAndDeletedInTheEntryPageReachTheMonthFileAndTheDetail) {
    std::vector<std::string> messages;
    std::vector<std::string> afterAdding;
    std::vector<std::string> detailNotes;
    std::string summary;
    std::string summaryAfterDelete;
    std::vector<std::string> sorted;
    Run({[&] {
        Main().ShowPage(40);
        CLedgerEntryDlg* entry = Page().EntryPage();
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(Page().CurrentSubPage(), entry);
        // No type chosen, then amounts out of range: nothing is added.
        Add(*entry, -1, "12.5", "x");
        Add(*entry, 0, "123456789", "x");
        Add(*entry, 0, "-5", "x");
        messages = TakeMessages();
        EXPECT_FALSE(Exists("data3/syssr/sr200609.dat"));

        Add(*entry, 0, "12.5", "  工资  ");
        Add(*entry, 1, "0.29", std::string(250, 'n').c_str());
        // An earlier day goes before both; the same day after what it already has.
        Choose(PickerOf(*entry), IDC_PICKER_DAY, 0);
        Add(*entry, 1, "abc", "早饭");
        CListCtrl* list = static_cast<CListCtrl*>(entry->GetDlgItem(IDC_LEDGER_LIST));
        afterAdding = Notes(*list);

        Main().ShowPage(41);
        CLedgerDetailDlg* detail = Page().DetailPage();
        detailNotes = Notes(*static_cast<CListCtrl*>(detail->GetDlgItem(IDC_LEDGER_LIST)));
        summary = ItemText(*detail, IDC_SUMMARY);

        // Deleting in the entry page refreshes the detail page's list and summary.
        Main().ShowPage(40);
        ClickRow(*list, 0);
        Click(*entry, IDC_DELETE_ENTRY);
        platform::PumpUntilIdle();
        summaryAfterDelete = ItemText(*detail, IDC_SUMMARY);
        // Sorting by amount, ascending on the first click.
        static_cast<CSortListCtrl*>(list)->SortByColumn(2);
        sorted = Notes(*list);
        Close();
    }});
    EXPECT_EQ(messages,
              (std::vector<std::string>{"请输入类型", "输入金额超出范围", "输入金额超出范围"}));
    const std::string cut(199, 'n');
    EXPECT_EQ(afterAdding, (std::vector<std::string>{"早饭", "工资", cut}));
    EXPECT_EQ(detailNotes, afterAdding);
    EXPECT_EQ(
        summary,
        "  2006年09月\r\n     收入共 1 次, 支出共 2 次, 总共 3 次\r\n     收入总金额 12.50 元, "
        "支出总金额 0.29 元, 合计总收入 12.21 元");
    EXPECT_EQ(
        summaryAfterDelete,
        "  2006年09月\r\n     收入共 1 次, 支出共 1 次, 总共 2 次\r\n     收入总金额 12.50 元, "
        "支出总金额 0.29 元, 合计总收入 12.21 元");
    EXPECT_EQ(sorted, (std::vector<std::string>{cut, "工资"}));
    // The month file holds what is left, byte for byte: 0.29 as 29 fen, the note cut.
    EXPECT_EQ(Month("sr200609.dat"), MonthBytes({Entry(0, 2006, 9, 15, 1250, "工资"),
                                                 Entry(1, 2006, 9, 15, 29, cut.c_str())}));
}

TEST_F(LedgerPageTest, AMonthThatCannotBeWrittenKeepsItsRecordsInTheListOnly) {
    std::filesystem::remove_all(folder.path() / "data3" / "syssr");
    std::vector<std::string> notes;
    Run({[&] {
        Main().ShowPage(40);
        CLedgerEntryDlg* entry = Page().EntryPage();
        Add(*entry, 0, "1", "a");
        notes = Notes(*static_cast<CListCtrl*>(entry->GetDlgItem(IDC_LEDGER_LIST)));
        // Enter and Esc leave the sub-page where it is.
        ::SetFocus(entry->GetDlgItem(IDC_AMOUNT)->m_hWnd);
        Press(VK_RETURN);
        Press(VK_ESCAPE);
        EXPECT_TRUE(entry->IsWindowVisible());
        Close();
    }});
    EXPECT_EQ(notes, (std::vector<std::string>{"a"}));
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_FALSE(Exists("data3/syssr"));
}

TEST_F(LedgerPageTest, TheChartShowsFourMonthsOfSumsAsBarsScaledToTheLargest) {
    folder.WriteFile("data3/syssr/sr200609.dat",
                     MonthBytes({Entry(0, 2006, 9, 1, 30000, "a"), Entry(1, 2006, 9, 2, 5000, "b"),
                                 Entry(1, 2006, 9, 3, 5000, "c")}));
    folder.WriteFile("data3/syssr/sr200607.dat", MonthBytes({Entry(0, 2006, 7, 1, 10000, "d")}));
    // Outside the four months: not counted.
    folder.WriteFile("data3/syssr/sr200605.dat", MonthBytes({Entry(0, 2006, 5, 1, 90000, "e")}));
    std::vector<int> incomeTops;
    std::vector<int> expectedTops;
    bool written = false;
    Run({[&] {
        Main().ShowPage(4);
        platform::PumpUntilIdle();
        CLedgerPage& page = Page();
        EXPECT_EQ(page.CurrentSubPage(), nullptr);
        EXPECT_EQ(page.LargestSum(), 30000);
        EXPECT_EQ(page.Months()[0].expense, 10000);
        EXPECT_EQ(page.Months()[0].expenseCount, 2);
        EXPECT_EQ(page.Months()[3].year * 100 + page.Months()[3].month, 200606);
        const CRect hole = page.Hole();
        const int axis = hole.bottom - 30;
        const int height = axis - (hole.top + 100);
        const int slot = (hole.Width() - 60) / 4;
        const platform::Surface picture = platform::CaptureWindow(page.m_hWnd);
        int slotRight = hole.right - 30;
        for (int month = 0; month < 4; ++month) {
            const int slotLeft = slotRight - (slot - 10);
            const int x = slotLeft + 2;
            int top = axis;
            while (top > hole.top &&
                   platform::ColorFromPixel(picture.At(x, top - 1)) == RGB(255, 0, 0)) {
                --top;
            }
            incomeTops.push_back(top);
            expectedTops.push_back(
                CLedgerPage::BarTop(axis, height, page.Months()[month].income, 30000));
            slotRight = slotLeft - 10;
        }
        // A page with a sub-page current shows that sub-page, and the main window's page
        // command opens the chart again.
        Main().ShowPage(41);
        EXPECT_NE(page.CurrentSubPage(), nullptr);
        Main().ShowPage(4);
        EXPECT_EQ(page.CurrentSubPage(), nullptr);
        platform::PumpUntilIdle();
        const std::filesystem::path shots = PROJECT_TEST_OUTPUT_DIR;
        std::filesystem::create_directories(shots);
        written = platform::WriteWindowPng(Main().m_hWnd, shots / "deskvane-ledger-chart.png");
        Close();
    }});
    EXPECT_TRUE(written);
    EXPECT_EQ(incomeTops, expectedTops);
    // The empty months stand one pixel high, the smaller sum lower than the largest.
    EXPECT_LT(incomeTops[0], incomeTops[2]);
    EXPECT_LT(incomeTops[2], incomeTops[1]);
    EXPECT_EQ(incomeTops[1], incomeTops[3]);
}

TEST(LedgerChartTest, BarHeightsTruncateTheScaledQuotient) {
    // 1 of 3 on a 200-pixel axis is 66.67 pixels: the bar is 66 high, its top at 234 (truncating
    // the top instead would give 233).
    EXPECT_EQ(CLedgerPage::BarTop(300, 200, 1, 3), 234);
    EXPECT_EQ(CLedgerPage::BarTop(300, 200, 3, 3), 100);
    EXPECT_EQ(CLedgerPage::BarTop(300, 200, 0, 3), 299);
    EXPECT_EQ(CLedgerPage::BarTop(300, 200, 5, 0), 299);
    // Sums far beyond 32 bits scale without overflowing: just under half is 99 pixels.
    EXPECT_EQ(CLedgerPage::BarTop(300, 200, INT64_MAX / 2, INT64_MAX), 201);
}

}  // namespace
}  // namespace manager_testing
