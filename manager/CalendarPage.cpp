#include "manager/CalendarPage.h"

#include "manager/DialogKeyFilter.h"
#include "manager/MonthPicker.h"
#include "manager/ScheduleEditDlg.h"
#include "manager/ScheduleList.h"
#include "manager/ScheduleQueryDlg.h"
#include "manager/SkinConfig.h"
#include "platform/time/Clock.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CCalendarPage, CSkinnedPage)
ON_BN_CLICKED(IDC_PREV_MONTH, OnPrevMonth)
ON_BN_CLICKED(IDC_NEXT_MONTH, OnNextMonth)
ON_BN_CLICKED(IDC_PREV_YEAR, OnPrevYear)
ON_BN_CLICKED(IDC_NEXT_YEAR, OnNextYear)
ON_BN_CLICKED(IDC_PLAN_EDIT, OnPlanEdit)
ON_BN_CLICKED(IDC_PLAN_QUERY, OnPlanQuery)
ON_BN_CLICKED(IDC_CALENDAR_QUERY, OnCalendarQuery)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDBLCLK()
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

constexpr int kNavigationButtonSize = 20;

}  // namespace

CCalendarPage::CCalendarPage() : CSkinnedPage(IDD_CALENDAR) {}

void CCalendarPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREV_YEAR, prevYear_);
    DDX_Control(pDX, IDC_NEXT_YEAR, nextYear_);
    DDX_Control(pDX, IDC_PREV_MONTH, prevMonth_);
    DDX_Control(pDX, IDC_NEXT_MONTH, nextMonth_);
    DDX_Control(pDX, IDC_PLAN_EDIT, planEdit_);
    DDX_Control(pDX, IDC_PLAN_QUERY, planQuery_);
    DDX_Control(pDX, IDC_CALENDAR_QUERY, calendarQuery_);
}

BOOL CCalendarPage::OnInitDialog() {
    CDialog::OnInitDialog();
    LoadScheduleRecords();
    return painter_.LoadSkin(kCalendarSkinKey) == 0;
}

BOOL CCalendarPage::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    if (pMsg->message == WM_CALENDAR_REDRAW && pMsg->hwnd == m_hWnd) {
        DrawPage();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

int CCalendarPage::RecalcLayout() {
    if (nextMonth_.m_hWnd == nullptr) {
        return 1;
    }
    CRect client;
    GetClientRect(&client);
    painter_.ResetRects();
    painter_.AddRect(client);
    const int left = (client.Width() - kGridWidth) / 2;
    grid_.Create(m_hWnd, RECT{left, kGridTop, left + kGridWidth, kGridBottom}, 1);
    const struct {
        CHintButton& button;
        int x;
        int y;
    } places[] = {
        {prevYear_, 40, 70}, {nextYear_, 110, 70}, {prevMonth_, 160, 70}, {nextMonth_, 220, 70}};
    for (const auto& place : places) {
        place.button.MoveWindow(place.x, place.y, kNavigationButtonSize, kNavigationButtonSize);
        painter_.AddRect(RECT{place.x, place.y, place.x + kNavigationButtonSize,
                              place.y + kNavigationButtonSize});
    }
    painter_.SplitRects();
    return 0;
}

void CCalendarPage::RefreshLayout() {
    RecalcLayout();
    Invalidate();
}

void CCalendarPage::DrawContent(CDC* buffer, const CRect& client) {
    CPagePainter::DrawTitle(buffer, client, "计划管理");
    grid_.Draw(buffer);
}

void CCalendarPage::OnPlanEdit() {
    DateRecord date;
    if (grid_.GetSelection(date) == 0) {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        date.year = now.wYear;
        date.month = now.wMonth;
        date.day = now.wDay;
        date.hour = 9;
        date.minute = 0;
        date.second = 0;
    }
    CScheduleEditDlg dialog(date, this);
    dialog.DoModal();
    grid_.MarkSchedules();
    Invalidate();
}

void CCalendarPage::OnPlanQuery() {
    CScheduleQueryDlg dialog(this);
    dialog.DoModal();
}

void CCalendarPage::OnCalendarQuery() {
    CMonthPicker picker(this);
    picker.DoModal();
    if (picker.m_year > 1900) {
        grid_.Fill(picker.m_year, picker.m_month, 0);
        Invalidate();
    }
}

int CCalendarPage::OnButton(int index) {
    switch (index) {
        case 0:
            OnPlanEdit();
            break;
        case 1:
            OnPlanQuery();
            break;
        case 2:
            OnCalendarQuery();
            break;
        default:
            break;
    }
    return 0;
}

void CCalendarPage::OnPrevMonth() {
    grid_.StepMonth(-1);
    Invalidate();
}

void CCalendarPage::OnNextMonth() {
    grid_.StepMonth(1);
    Invalidate();
}

void CCalendarPage::OnPrevYear() {
    grid_.StepYear(-1);
    Invalidate();
}

void CCalendarPage::OnNextYear() {
    grid_.StepYear(1);
    Invalidate();
}

void CCalendarPage::OnLButtonDown(UINT nFlags, CPoint point) {
    CDialog::OnLButtonDown(nFlags, point);
    grid_.Select(point.x, point.y);
}

void CCalendarPage::OnMouseMove(UINT nFlags, CPoint point) {
    CDialog::OnMouseMove(nFlags, point);
    grid_.Hover(point.x, point.y);
}

void CCalendarPage::OnLButtonDblClk(UINT nFlags, CPoint point) {
    CDialog::OnLButtonDblClk(nFlags, point);
    if (grid_.SetSelectedAt(point.x, point.y) != 0) {
        OnPlanEdit();
    }
}

void CCalendarPage::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    RefreshLayout();
}
