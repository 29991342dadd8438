#include "manager/LedgerPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "common/WholeFile.h"
#include "manager/ManagerTest.h"
#include "manager/RecordBytes.h"
#include "manager/RecordsTest.h"
#include "platform/drawing/DrawingTest.h"
#include "platform/screen/ScreenApi.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

// A month's two bars as the chart draws them: the first row of each, and whether the month's
// label and both values show.
struct ChartBars {
    int incomeTop = 0;
    int expenseTop = 0;
    bool textsShown = false;
    bool operator==(const ChartBars&) const = default;
};

// Whether `text`, drawn in the program's font and `colour` into `rect` with `format`, shows in
// the picture: within the text's box, exactly the pixels the text inks on white paper have its
// colour (a neighbouring bar may show under the rest).
bool ShowsText(const platform::Surface& picture, const std::string& text, RECT rect, UINT format,
               COLORREF colour) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    platform::testing::MemoryCanvas canvas(width, height);
    ::SelectObject(canvas.dc(), Gdi().uiFont);
    ::SetBkMode(canvas.dc(), TRANSPARENT);
    ::SetTextColor(canvas.dc(), colour);
    RECT local{0, 0, width, height};
    ::DrawTextA(canvas.dc(), text.c_str(), -1, &local, format);
    const RECT ink = canvas.InkBox(RGB(255, 255, 255));
    if (ink.right <= ink.left) {
        return false;
    }
    for (int y = ink.top; y < ink.bottom; ++y) {
        for (int x = ink.left; x < ink.right; ++x) {
            const COLORREF shown =
                platform::ColorFromPixel(picture.At(rect.left + x, rect.top + y));
            if ((canvas.At(x, y) == colour) != (shown == colour)) {
                return false;
            }
        }
    }
    return true;
}

// The chart's bars and texts, the latest month first; `values` are the texts expected above
// each month's income and expense bars, `labels` those under each month. Each bar is found by its
// colour at its left edge, the expense bar 3 pixels right of the income bar with white between.
std::vector<ChartBars> Bars(const platform::Surface& picture, const CRect& hole,
                            const std::vector<std::string>& labels,
                            const std::vector<std::string>& values) {
    const int axis = hole.bottom - 30;
    const int slot = (hole.Width() - 60) / 4;
    const int barWidth = (slot - 30) / 2;
    const auto topOf = [&](int x, COLORREF colour) {
        if (platform::ColorFromPixel(picture.At(x - 1, axis - 1)) == colour) {
            return -1;
        }
        int top = axis;
        while (top > hole.top && platform::ColorFromPixel(picture.At(x, top - 1)) == colour) {
            --top;
        }
        return top;
    };
    std::vector<ChartBars> bars;
    int slotRight = hole.right - 30;
    for (std::size_t month = 0; month < 4; ++month) {
        const int slotLeft = slotRight - (slot - 10);
        const int expenseLeft = slotLeft + barWidth + 3;
        ChartBars bar{topOf(slotLeft, RGB(255, 0, 0)), topOf(expenseLeft, RGB(0, 0, 255)),
                      ShowsText(picture, labels[month],
                                {slotLeft, hole.bottom - 25, slotRight, hole.bottom - 5},
                                DT_CENTER | DT_VCENTER | DT_SINGLELINE, RGB(0, 0, 0))};
        for (const auto& [left, top, colour, value] :
             {std::tuple{slotLeft, bar.incomeTop, RGB(255, 0, 0), values[month * 2]},
              std::tuple{expenseLeft, bar.expenseTop, RGB(0, 0, 255), values[month * 2 + 1]}}) {
            bar.textsShown =
                bar.textsShown &&
                ShowsText(picture, value, {left - 20, top - 25, left + barWidth + 20, top - 5},
                          DT_CENTER | DT_VCENTER | DT_SINGLELINE, colour);
        }
        bars.push_back(bar);
        slotRight = slotLeft - 10;
    }
    return bars;
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
    // The main window as a picture under the test output folder.
    bool WriteShot(const char* name) {
        const std::filesystem::path shots = PROJECT_TEST_OUTPUT_DIR;
        std::filesystem::create_directories(shots);
        return platform::WriteWindowPng(Main().m_hWnd, shots / name);
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
};

TEST_F(LedgerPageTest, RecordsAddedAndDeletedInTheEntryPageReachTheMonthFileAndTheDetail) {
    std::vector<std::string> messages;
    std::vector<std::string> afterAdding;
    std::vector<std::string> detailNotes;
    std::string summary;
    std::string summaryAfterDelete;
    std::vector<std::string> sorted;
    std::string monthFile;
    std::vector<std::string> unwritable;
    std::vector<std::string> unwritableMessages;
    bool written = false;
    Run({[&] {
        Main().ShowPage(40);
        CLedgerEntryDlg* entry = Page().EntryPage();
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(Page().CurrentChild(), entry);
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
        platform::PumpUntilIdle();
        written = WriteShot("deskvane-ledger-entry.png");

        Main().ShowPage(41);
        CLedgerDetailDlg* detail = Page().DetailPage();
        detailNotes = Notes(*static_cast<CListCtrl*>(detail->GetDlgItem(IDC_LEDGER_LIST)));
        summary = ItemText(*detail, IDC_SUMMARY);
        platform::PumpUntilIdle();
        written = WriteShot("deskvane-ledger-detail.png") && written;

        // Deleting in the entry page refreshes the detail page's list and summary.
        Main().ShowPage(40);
        ClickAt(RowPoint(*list, 0));
        Click(*entry, IDC_DELETE_ENTRY);
        platform::PumpUntilIdle();
        summaryAfterDelete = ItemText(*detail, IDC_SUMMARY);
        // Sorting by amount, ascending on the first click.
        static_cast<CSortListCtrl*>(list)->SortByColumn(2);
        sorted = Notes(*list);
        monthFile = Month("sr200609.dat");

        // A month that cannot be written keeps its new record in the list only, silently.
        std::filesystem::remove_all(folder.path() / "data3" / "syssr");
        Add(*entry, 0, "1", "a");
        unwritable = Notes(*list);
        unwritableMessages = TakeMessages();
        // Enter and Esc leave the sub-page where it is.
        ::SetFocus(entry->GetDlgItem(IDC_AMOUNT)->m_hWnd);
        Press(VK_RETURN);
        Press(VK_ESCAPE);
        EXPECT_TRUE(entry->IsWindowVisible());
        Close();
    }});
    EXPECT_TRUE(written);
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
    EXPECT_EQ(monthFile, MonthBytes({Entry(0, 2006, 9, 15, 1250, "工资"),
                                     Entry(1, 2006, 9, 15, 29, cut.c_str())}));
    EXPECT_EQ(std::count(unwritable.begin(), unwritable.end(), "a"), 1);
    EXPECT_EQ(unwritable.size(), 3u);
    EXPECT_TRUE(unwritableMessages.empty());
    EXPECT_FALSE(Exists("data3/syssr"));
}

TEST_F(LedgerPageTest, TheChartShowsFourMonthsOfSumsAsBarsScaledToTheLargest) {
    folder.WriteFile("data3/syssr/sr200609.dat",
                     MonthBytes({Entry(0, 2006, 9, 1, 30000, "a"), Entry(1, 2006, 9, 2, 5000, "b"),
                                 Entry(1, 2006, 9, 3, 5000, "c")}));
    folder.WriteFile("data3/syssr/sr200607.dat", MonthBytes({Entry(0, 2006, 7, 1, 10000, "d")}));
    // Outside the four months: not counted.
    folder.WriteFile("data3/syssr/sr200605.dat", MonthBytes({Entry(0, 2006, 5, 1, 90000, "e")}));
    std::vector<ChartBars> bars;
    std::vector<ChartBars> largeBars;
    std::vector<ChartBars> emptyBars;
    std::string largeSummary;
    int height = 0;
    int axis = 0;
    bool written = false;
    Run({[&] {
        Main().ShowPage(4);
        platform::PumpUntilIdle();
        CLedgerPage& page = Page();
        EXPECT_EQ(page.CurrentChild(), nullptr);
        EXPECT_EQ(page.Months()[0].expenseCount, 2);
        const CRect hole = page.ChildRect();
        axis = hole.bottom - 30;
        height = axis - (hole.top + 100);
        const platform::Surface picture = platform::CaptureWindow(page.m_hWnd);
        EXPECT_TRUE(ShowsText(picture, "2006年06月至2006年09月的收支情况图",
                              {hole.left + 30, hole.top + 2, hole.right, hole.top + 32},
                              DT_LEFT | DT_VCENTER | DT_SINGLELINE, RGB(0, 0, 0)));
        const std::vector<std::string> labels = {"2006年09月", "2006年08月", "2006年07月",
                                                 "2006年06月"};
        bars = Bars(picture, hole, labels,
                    {"300.00", "100.00", "0.00", "0.00", "100.00", "0.00", "0.00", "0.00"});
        // Enter and Esc leave the chart as it is.
        ::SetFocus(page.m_hWnd);
        Press(VK_RETURN);
        Press(VK_ESCAPE);
        EXPECT_TRUE(page.IsWindowVisible());
        // A page with a sub-page current shows that sub-page, and the main window's page
        // command opens the chart again.
        Main().ShowPage(41);
        EXPECT_NE(page.CurrentChild(), nullptr);
        Main().ShowPage(4);
        EXPECT_EQ(page.CurrentChild(), nullptr);
        platform::PumpUntilIdle();
        written = WriteShot("deskvane-ledger-chart.png");

        // Sums beyond 32 bits reach the chart and the open detail page whole once a save
        // reports the change.
        folder.WriteFile("data3/syssr/sr200609.dat",
                         MonthBytes({Entry(0, 2006, 9, 1, 2147483600, "a"),
                                     Entry(0, 2006, 9, 2, 2147483600, "b"),
                                     Entry(1, 2006, 9, 3, 2147483600, "c")}));
        page.SendMessage(WM_LEDGER_CHANGED);
        platform::PumpUntilIdle();
        largeBars =
            Bars(platform::CaptureWindow(page.m_hWnd), hole, labels,
                 {"42949672.00", "21474836.00", "0.00", "0.00", "100.00", "0.00", "0.00", "0.00"});
        Main().ShowPage(41);
        largeSummary = ItemText(*page.DetailPage(), IDC_SUMMARY);
        Main().ShowPage(4);

        // With every month empty, every bar stands one pixel high at "0.00".
        std::filesystem::remove_all(folder.path() / "data3" / "syssr");
        page.SendMessage(WM_LEDGER_CHANGED);
        platform::PumpUntilIdle();
        emptyBars = Bars(platform::CaptureWindow(page.m_hWnd), hole, labels,
                         std::vector<std::string>(8, "0.00"));
        Close();
    }});
    EXPECT_TRUE(written);
    // Income and expense, September first; tops truncate the scaled height.
    const int third = height * 10000 / 30000;
    EXPECT_EQ(bars, (std::vector<ChartBars>{{axis - height, axis - third, true},
                                            {axis - 1, axis - 1, true},
                                            {axis - third, axis - 1, true},
                                            {axis - 1, axis - 1, true}}));
    EXPECT_EQ(largeBars[0], (ChartBars{axis - height, axis - height / 2, true}));
    EXPECT_EQ(largeSummary,
              "  2006年09月\r\n     收入共 2 次, 支出共 1 次, 总共 3 次\r\n     收入总金额 "
              "42949672.00 元, 支出总金额 21474836.00 元, 合计总收入 21474836.00 元");
    EXPECT_EQ(emptyBars, std::vector<ChartBars>(4, ChartBars{axis - 1, axis - 1, true}));
}

TEST_F(LedgerPageTest, AMonthNotReadWholeShowsItsRecordsAndIsNeverWrittenOver) {
    // Larger than a file is read: its first record is shown, the rest is not known.
    folder.WriteFile("data3/syssr/sr200609.dat", MonthBytes({Entry(0, 2006, 9, 1, 100, "a")}));
    const std::filesystem::path file = folder.path() / "data3" / "syssr" / "sr200609.dat";
    std::filesystem::resize_file(file, kMaxWholeFileSize + 1);
    folder.WriteFile("data3/syssr/sr200608.dat", MonthBytes({Entry(0, 2006, 8, 1, 100, "z")}));
    std::vector<std::string> entryNotes;
    std::vector<std::string> detailNotes;
    std::vector<std::string> detailNotesAfter;
    std::vector<std::string> messages;
    std::int64_t chartIncome = 0;
    Run({[&] {
        Main().ShowPage(4);
        platform::PumpUntilIdle();
        chartIncome = Page().Months()[0].income;
        Main().ShowPage(41);
        CLedgerDetailDlg* detail = Page().DetailPage();
        const auto* detailList = static_cast<CListCtrl*>(detail->GetDlgItem(IDC_LEDGER_LIST));
        detailNotes = Notes(*detailList);
        // Picking August lists it only once "查看" is pressed, or once the entry page saves.
        Choose(PickerOf(*detail), IDC_PICKER_MONTH, 7);
        // Enter and Esc leave the sub-page where it is.
        ::SetFocus(detailList->m_hWnd);
        Press(VK_RETURN);
        Press(VK_ESCAPE);
        EXPECT_TRUE(detail->IsWindowVisible());
        Main().ShowPage(40);
        CLedgerEntryDlg* entry = Page().EntryPage();
        CListCtrl* list = static_cast<CListCtrl*>(entry->GetDlgItem(IDC_LEDGER_LIST));
        // Neither adding nor deleting reaches the file, nor the chart and the detail.
        Add(*entry, 0, "1", "b");
        ClickAt(RowPoint(*list, 0));
        Click(*entry, IDC_DELETE_ENTRY);
        platform::PumpUntilIdle();
        entryNotes = Notes(*list);
        messages = TakeMessages();
        detailNotesAfter = Notes(*detailList);
        Close();
    }});
    EXPECT_EQ(chartIncome, 100);
    EXPECT_EQ(detailNotes, (std::vector<std::string>{"a"}));
    EXPECT_EQ(entryNotes, (std::vector<std::string>{"b"}));
    EXPECT_EQ(messages, std::vector<std::string>(2, RecordBytes::kPartialFileMessage));
    EXPECT_EQ(detailNotesAfter, detailNotes);
    EXPECT_EQ(std::filesystem::file_size(file), kMaxWholeFileSize + 1);
    EXPECT_EQ(Month("sr200609.dat").substr(0, 4 + kLedgerRecordSize),
              MonthBytes({Entry(0, 2006, 9, 1, 100, "a")}));
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
