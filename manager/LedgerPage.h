// The income and expense book (page 4 of the main window): under its title a bar chart of the
// income and expense sums of the last four months; command 0 opens the entry sub-page and
// command 1 the monthly detail sub-page, both on the area below the page's 40-pixel band, where
// the chart is drawn while neither is shown.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "manager/LedgerDetailDlg.h"
#include "manager/LedgerEntryDlg.h"
#include "manager/SubPageHost.h"

// One month of the chart.
struct LedgerChartMonth {
    int year = 0;
    int month = 0;
    std::int64_t income = 0;
    std::int64_t expense = 0;
    long long incomeCount = 0;
    long long expenseCount = 0;
};

class CLedgerPage : public CSubPageHost {
public:
    static constexpr int kMonths = 4;
    // The page commands: the entry sub-page and the detail sub-page.
    enum Slot { kEntry, kDetail, kChildren };

    CLedgerPage();

    // Reads the chart's months, then loads the skin; TRUE when the skin loaded.
    BOOL OnInitDialog() override;

    // The sums of the current month (entry 0) and the three before it (entries 1 to 3), from
    // their files. Returns 0.
    int LoadChartData();

    const std::array<LedgerChartMonth, kMonths>& Months() const { return months_; }
    std::int64_t LargestSum() const { return largest_; }
    CLedgerEntryDlg* EntryPage() const { return static_cast<CLedgerEntryDlg*>(Child(kEntry)); }
    CLedgerDetailDlg* DetailPage() const { return static_cast<CLedgerDetailDlg*>(Child(kDetail)); }

    // The top of a bar for `sum` over an axis at `axisY` of `height` pixels scaled to `largest`:
    // the scaled height is truncated; one pixel above the axis when either sum is 0.
    static int BarTop(int axisY, int height, std::int64_t sum, std::int64_t largest);

protected:
    std::unique_ptr<CDialog> CreateChild(int index, UINT& templateId) override;
    void DrawContent(CDC* buffer, const CRect& client) override;

    afx_msg LRESULT OnLedgerChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void DrawChart(CDC* buffer);

    std::array<LedgerChartMonth, kMonths> months_{};
    std::int64_t largest_ = 0;
};
