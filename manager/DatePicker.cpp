#include "manager/DatePicker.h"

#include "manager/DateLists.h"
#include "manager/DialogKeyFilter.h"
#include "manager/ScheduleRecord.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CDatePicker, CDialog)
ON_CBN_SELCHANGE(IDC_PICKER_YEAR, OnSelchangeYearOrMonth)
ON_CBN_SELCHANGE(IDC_PICKER_MONTH, OnSelchangeYearOrMonth)
ON_CBN_SELCHANGE(IDC_PICKER_DAY, OnSelchangeDay)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CDatePicker::CDatePicker(DateRecord* date) : date_(date) {}

BOOL CDatePicker::Create(CWnd* parent) {
    return CDialog::Create(IDD_DATE_PICKER, parent);
}

void CDatePicker::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PICKER_YEAR, year_);
    DDX_Control(pDX, IDC_PICKER_MONTH, month_);
    DDX_Control(pDX, IDC_PICKER_DAY, day_);
}

BOOL CDatePicker::OnInitDialog() {
    CDialog::OnInitDialog();
    FillYearList(year_);
    FillNumberList(month_, 1, 12, true);
    LoadDate();
    return TRUE;
}

BOOL CDatePicker::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

int CDatePicker::SaveDate() {
    date_->year = SelectedValue(year_, kFirstListYear);
    date_->month = SelectedValue(month_, 1);
    date_->day = SelectedValue(day_, 1);
    return 0;
}

int CDatePicker::LoadDate() {
    FillNumberList(day_, 1, GetDaysInMonth(date_->year, date_->month), true);
    SelectValue(year_, date_->year, kFirstListYear);
    SelectValue(month_, date_->month, 1);
    SelectValue(day_, date_->day, 1);
    return 0;
}

int CDatePicker::EnableAll(BOOL enable) {
    return EnableFields(enable, enable, enable);
}

int CDatePicker::EnableFields(BOOL year, BOOL month, BOOL day) {
    year_.EnableWindow(year);
    month_.EnableWindow(month);
    day_.EnableWindow(day);
    return 0;
}

int CDatePicker::StepMonth(int delta) {
    int yearIndex = year_.GetCurSel();
    int monthIndex = month_.GetCurSel();
    if (delta < 0) {
        if (--monthIndex < 0) {
            monthIndex = 11;
            --yearIndex;
        }
    } else if (++monthIndex > 11) {
        monthIndex = 0;
        ++yearIndex;
    }
    if (yearIndex < 0 || yearIndex >= year_.GetCount()) {
        yearIndex = 0;
    }
    year_.SetCurSel(yearIndex);
    month_.SetCurSel(monthIndex);
    // The day list follows the new month, so that no day beyond its end can be chosen.
    FillNumberList(day_, 1,
                   GetDaysInMonth(SelectedValue(year_, kFirstListYear), SelectedValue(month_, 1)),
                   true);
    day_.SetCurSel(0);
    SaveDate();
    Notify(WM_DATE_CHANGED);
    return 0;
}

void CDatePicker::RefillDays() {
    FillDayList(day_, SelectedValue(year_, kFirstListYear), SelectedValue(month_, 1));
}

void CDatePicker::OnSelchangeYearOrMonth() {
    RefillDays();
    SaveDate();
    Notify(WM_DATE_CHANGED);
}

void CDatePicker::OnSelchangeDay() {
    SaveDate();
    Notify(WM_DAY_CHANGED);
}

HBRUSH CDatePicker::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}

void CDatePicker::Notify(UINT message) {
    if (CWnd* parent = GetParent()) {
        parent->PostMessage(message);
    }
}
