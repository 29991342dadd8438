#include "manager/LedgerPage.h"

#include <cstdio>
#include <string>

#include "manager/SkinConfig.h"
#include "platform/time/Clock.h"
#include "resources/deskvane/resource.h"

namespace {

constexpr COLORREF kIncomeColour = RGB(255, 0, 0);
constexpr COLORREF kExpenseColour = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

void DrawLine(CDC* dc, int x1, int y1, int x2, int y2) {
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

void DrawCentred(CDC* dc, const std::string& text, int left, int top, int right, int bottom) {
    RECT rect{left, top, right, bottom};
    dc->DrawText(text.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

std::string MonthText(int year, int month) {
    char text[32];
    std::snprintf(text, sizeof(text), "%04d年%02d月", year, month);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CLedgerPage, CSubPageHost)
ON_MESSAGE(WM_LEDGER_CHANGED, OnLedgerChanged)
END_MESSAGE_MAP()

CLedgerPage::CLedgerPage() : CSubPageHost(IDD_LEDGER, "收支管理", kCalendarSkinKey, kChildren) {}

BOOL CLedgerPage::OnInitDialog() {
    LoadChartData();
    return CSubPageHost::OnInitDialog();
}

std::unique_ptr<CDialog> CLedgerPage::CreateChild(int index, UINT& templateId) {
    switch (index) {
        case kEntry:
            templateId = IDD_LEDGER_ENTRY;
            return std::make_unique<CLedgerEntryDlg>();
        case kDetail:
            templateId = IDD_LEDGER_DETAIL;
            return std::make_unique<CLedgerDetailDlg>();
        default:
            return nullptr;
    }
}

int CLedgerPage::LoadChartData() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    int year = now.wYear;
    int month = now.wMonth;
    largest_ = 0;
    for (LedgerChartMonth& entry : months_) {
        entry = LedgerChartMonth{};
        entry.year = year;
        entry.month = month;
        LedgerRecordList records;
        LoadLedgerMonth(year, month, records);
        for (const auto& record : records) {
            if (record->type == 0) {
                entry.income += record->amount;
                ++entry.incomeCount;
            } else {
                entry.expense += record->amount;
                ++entry.expenseCount;
            }
        }
        largest_ = std::max({largest_, entry.income, entry.expense});
        if (--month == 0) {
            month = 12;
            --year;
        }
    }
    return 0;
}

LRESULT CLedgerPage::OnLedgerChanged(WPARAM, LPARAM) {
    LoadChartData();
    if (CLedgerDetailDlg* detail = DetailPage(); detail != nullptr) {
        detail->PostMessage(WM_LEDGER_CHANGED);
    }
    Invalidate();
    return TRUE;
}

int CLedgerPage::BarTop(int axisY, int height, std::int64_t sum, std::int64_t largest) {
    if (sum <= 0 || largest <= 0) {
        return axisY - 1;
    }
    // 128 bits, so that no sum times the axis height can overflow.
    const auto scaled = static_cast<__int128>(sum) * height / largest;
    return axisY - static_cast<int>(scaled);
}

void CLedgerPage::DrawContent(CDC* buffer, const CRect& client) {
    CSubPageHost::DrawContent(buffer, client);
    if (CurrentChild() == nullptr) {
        DrawChart(buffer);
    }
}

void CLedgerPage::DrawChart(CDC* buffer) {
    const CRect& hole = ChildRect();
    const int left = hole.left;
    const int top = hole.top;
    const int right = hole.right;
    const int bottom = hole.bottom;
    buffer->SetTextColor(kBlack);
    char heading[96];
    std::snprintf(heading, sizeof(heading), "%04d年%02d月至%04d年%02d月的收支情况图",
                  months_[3].year, months_[3].month, months_[0].year, months_[0].month);
    RECT headingRect{left + 30, top + 2, right, top + 32};
    buffer->DrawText(heading, -1, &headingRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);

    const int axisY = bottom - 30;
    DrawLine(buffer, right - 30, axisY, left + 30, axisY);
    DrawLine(buffer, right - 40, bottom - 35, right - 30, axisY);
    DrawLine(buffer, right - 30, axisY, right - 40, bottom - 25);
    DrawLine(buffer, left + 30, axisY, left + 30, top + 100);
    DrawLine(buffer, left + 25, top + 110, left + 30, top + 100);
    DrawLine(buffer, left + 30, top + 100, left + 35, top + 110);
    DrawCentred(buffer, "单位:元", left, top + 80, left + 60, top + 95);

    buffer->FillSolidRect(CRect(left + 30, top + 40, left + 60, top + 55), kIncomeColour);
    buffer->TextOut(left + 65, top + 42, "收入");
    buffer->FillSolidRect(CRect(left + 30, top + 60, left + 60, top + 75), kExpenseColour);
    buffer->TextOut(left + 65, top + 62, "支出");

    const int height = axisY - (top + 100);
    const int slot = ((right - 30) - (left + 30)) / kMonths;
    const int barWidth = (slot - 30) / 2;
    int slotRight = right - 30;
    for (const LedgerChartMonth& entry : months_) {
        const int slotLeft = slotRight - (slot - 10);
        buffer->SetTextColor(kBlack);
        DrawCentred(buffer, MonthText(entry.year, entry.month), slotLeft, bottom - 25, slotRight,
                    bottom - 5);
        int barLeft = slotLeft;
        for (const auto& [sum, colour] :
             {std::pair{entry.income, kIncomeColour}, std::pair{entry.expense, kExpenseColour}}) {
            const int barTop = BarTop(axisY, height, sum, largest_);
            buffer->FillSolidRect(CRect(barLeft, barTop, barLeft + barWidth, axisY), colour);
            buffer->SetTextColor(colour);
            DrawCentred(buffer, FormatYuan(sum), barLeft - 20, barTop - 25, barLeft + barWidth + 20,
                        barTop - 5);
            barLeft += barWidth + 3;
        }
        slotRight = slotLeft - 10;
    }
}
