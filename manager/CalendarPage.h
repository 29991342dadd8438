// The calendar page, the manager's first page: a month grid with lunar dates and plan marks under
// its title, buttons for the previous and next month and year, and the plan dialogs (reached
// through the main window's commands 90 to 92, or by double-clicking a day).
#pragma once

#include "manager/HintButton.h"
#include "manager/MonthGrid.h"
#include "manager/SkinnedPage.h"

class CCalendarPage : public CSkinnedPage {
public:
    static constexpr int kGridWidth = 581;
    static constexpr int kGridTop = 100;
    static constexpr int kGridBottom = 392;

    CCalendarPage();

    // Loads the plans and the page's skin; TRUE when the skin loaded. The page works either way.
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // 1 until the buttons exist, else 0.
    int RecalcLayout() override;
    void RefreshLayout();

    void OnPlanEdit();
    void OnPlanQuery();
    void OnCalendarQuery();
    // 0 plan edit, 1 plan query, 2 month chooser; others nothing. Returns 0.
    int OnButton(int index) override;

    CMonthGrid& Grid() { return grid_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The title, then the month grid.
    void DrawContent(CDC* buffer, const CRect& client) override;

    afx_msg void OnPrevMonth();
    afx_msg void OnNextMonth();
    afx_msg void OnPrevYear();
    afx_msg void OnNextYear();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CMonthGrid grid_;
    CHintButton prevYear_;
    CHintButton nextYear_;
    CHintButton prevMonth_;
    CHintButton nextMonth_;
    CHintButton planEdit_;
    CHintButton planQuery_;
    CHintButton calendarQuery_;
};
