#include "manager/MonthPicker.h"

#include "manager/DateLists.h"
#include "platform/time/Clock.h"
#include "resources/deskvane/resource.h"

CMonthPicker::CMonthPicker(CWnd* pParentWnd) : CManagerModalDlg(IDD_MONTH_PICKER, pParentWnd) {}

void CMonthPicker::DoDataExchange(CDataExchange* pDX) {
    CManagerModalDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_YEAR, year_);
    DDX_Control(pDX, IDC_MONTH, month_);
}

BOOL CMonthPicker::OnInitDialog() {
    CManagerModalDlg::OnInitDialog();
    FillYearList(year_);
    FillNumberList(month_, 1, 12, true);
    m_year = -1;
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    SelectValue(year_, now.wYear, kFirstListYear);
    SelectValue(month_, now.wMonth, 1);
    return TRUE;
}

void CMonthPicker::OnOK() {
    m_year = SelectedValue(year_, kFirstListYear);
    m_month = SelectedValue(month_, 1);
    EndDialog(IDOK);
}
