#include "manager/ScheduleQueryDlg.h"

#include "manager/DateLists.h"
#include "manager/ManagerGdi.h"
#include "manager/ScheduleList.h"
#include "platform/time/Clock.h"
#include "platform/time/OleDateTime.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CScheduleQueryDlg, CManagerModalDlg)
ON_CBN_SELCHANGE(IDC_YEAR, FillDayCombo)
ON_CBN_SELCHANGE(IDC_MONTH, FillDayCombo)
ON_BN_CLICKED(IDC_QUERY_BY_DATE, OnQueryByDate)
ON_BN_CLICKED(IDC_QUERY_BY_TEXT, OnQueryByText)
ON_LBN_SELCHANGE(IDC_RESULT_LIST, ShowSelectedText)
END_MESSAGE_MAP()

namespace {

constexpr int kShownTextBytes = 12;

}  // namespace

CScheduleQueryDlg::CScheduleQueryDlg(CWnd* pParentWnd)
    : CManagerModalDlg(IDD_PLAN_QUERY, pParentWnd) {}

CString CScheduleQueryDlg::RowText(const ScheduleRecord& record) {
    CString text = record.text;
    if (text.GetLength() > kShownTextBytes) {
        text = text.Left(kShownTextBytes) + "...";
    }
    CString row;
    row.Format("%04d-%02d-%02d %02d:%02d %s", record.year, record.month, record.day, record.hour,
               record.minute, static_cast<const char*>(text));
    return row;
}

void CScheduleQueryDlg::DoDataExchange(CDataExchange* pDX) {
    CManagerModalDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_YEAR, year_);
    DDX_Control(pDX, IDC_MONTH, month_);
    DDX_Control(pDX, IDC_DAY, day_);
    DDX_Control(pDX, IDC_SEARCH_TEXT, search_);
    DDX_Control(pDX, IDC_RESULT_LIST, results_);
    DDX_Control(pDX, IDC_PLAN_TEXT, text_);
}

BOOL CScheduleQueryDlg::OnInitDialog() {
    CManagerModalDlg::OnInitDialog();
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    FillYearList(year_);
    FillNumberList(month_, 1, 12, true);
    FillNumberList(day_, 1, GetDaysInMonth(now.wYear, now.wMonth), true);
    SelectValue(year_, now.wYear, kFirstListYear);
    SelectValue(month_, now.wMonth, 1);
    SelectValue(day_, now.wDay, 1);
    ::SendMessageA(text_.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(Gdi().headingFont), TRUE);
    return TRUE;
}

void CScheduleQueryDlg::FillDayCombo() {
    FillDayList(day_, SelectedValue(year_, kFirstListYear), SelectedValue(month_, 1));
}

void CScheduleQueryDlg::AddRow(const ScheduleRecord& record) {
    const int row = results_.AddString(RowText(record));
    results_.SetItemDataPtr(row, const_cast<ScheduleRecord*>(&record));
}

void CScheduleQueryDlg::ShowFirstRow() {
    if (results_.GetCount() > 0) {
        results_.SetCurSel(0);
        ShowSelectedText();
    }
}

void CScheduleQueryDlg::OnQueryByDate() {
    results_.ResetContent();
    text_.SetWindowText("");
    const int year = SelectedValue(year_, kFirstListYear);
    const int month = SelectedValue(month_, 1);
    const int day = SelectedValue(day_, 1);
    const COleDateTime end(year, month, day, 23, 59, 59);
    for (const auto& record : ScheduleRecords()) {
        if (record->year == year && record->month == month && record->day == day) {
            AddRow(*record);
            continue;
        }
        const COleDateTime when(record->year, record->month, record->day, record->hour,
                                record->minute, record->second);
        if (when.GetStatus() == COleDateTime::valid && end.GetStatus() == COleDateTime::valid &&
            when > end) {
            break;
        }
    }
    ShowFirstRow();
}

void CScheduleQueryDlg::OnQueryByText() {
    results_.ResetContent();
    text_.SetWindowText("");
    CString wanted;
    search_.GetWindowText(wanted);
    wanted.TrimLeft();
    wanted.TrimRight();
    if (wanted.IsEmpty()) {
        return;
    }
    for (const auto& record : ScheduleRecords()) {
        if (record->text.Find(wanted) >= 0) {
            AddRow(*record);
        }
    }
    ShowFirstRow();
}

void CScheduleQueryDlg::ShowSelectedText() {
    const int row = results_.GetCurSel();
    if (row < 0) {
        return;
    }
    if (auto* record = static_cast<const ScheduleRecord*>(results_.GetItemDataPtr(row))) {
        text_.SetWindowText(record->text);
    }
}
