#include "manager/MonthGrid.h"

#include <gtest/gtest.h>

#include <string>

#include "manager/ManagerTest.h"
#include "manager/ScheduleList.h"

namespace manager_testing {
namespace {

class MonthGridTest : public ManagerDialogTest {
protected:
    void SetUp() override {
        ManagerDialogTest::SetUp();
        owner.CreateEx(0, AFX_WND_CLASS, "owner", WS_POPUP, 0, 0, 700, 500, nullptr, nullptr);
        // The calendar page's rectangle: 83 x 45 cells.
        grid.Create(owner.m_hWnd, RECT{24, 100, 605, 392}, 1);
    }
    void TearDown() override {
        owner.DestroyWindow();
        ManagerDialogTest::TearDown();
    }

    // The redraws posted to the owner since the last call.
    int TakeRedraws() {
        int count = 0;
        MSG msg;
        while (
            ::PeekMessageA(&msg, owner.m_hWnd, WM_CALENDAR_REDRAW, WM_CALENDAR_REDRAW, PM_REMOVE)) {
            ++count;
        }
        return count;
    }
    // The middle of the cell.
    POINT At(int index) const {
        const RECT& area = grid.GridRect();
        return {area.left + (index % 7) * grid.CellWidth() + 40,
                area.top + (index / 7) * grid.CellHeight() + 20};
    }
    static void AddPlan(int year, int month, int day, int hour) {
        auto plan = std::make_unique<ScheduleRecord>();
        plan->year = year;
        plan->month = month;
        plan->day = day;
        plan->hour = hour;
        plan->minute = 30;
        plan->second = 15;
        ScheduleRecords().push_back(std::move(plan));
    }

    CWnd owner;
    CMonthGrid grid;
};

TEST_F(MonthGridTest, TodaysMonthWithLunarDaysTermsAndTheLeapMonth) {
    EXPECT_EQ(grid.CellWidth(), 83);
    EXPECT_EQ(grid.CellHeight(), 45);
    EXPECT_EQ(grid.GridRect().top, 125);
    EXPECT_EQ(grid.GridRect().bottom, 125 + 6 * 45);
    EXPECT_EQ(grid.ShownYear(), 2006);
    EXPECT_EQ(grid.ShownMonth(), 9);
    // 2006-09-01 is a Friday.
    EXPECT_EQ(grid.CellAt(4).inMonth, 0);
    EXPECT_EQ(grid.CellAt(5).day, 1);
    EXPECT_STREQ(grid.CellAt(5).text, "初九");
    const CMonthGrid::Cell& whiteDew = grid.CellAt(5 + 7);
    EXPECT_STREQ(whiteDew.text, "白露");
    EXPECT_EQ(whiteDew.term, 1);
    // The 21st is the last day of the leap seventh month, the 22nd opens the eighth.
    EXPECT_EQ(grid.CellAt(5 + 20).lunarMonth, 7);
    EXPECT_STREQ(grid.CellAt(5 + 20).text, "廿九");
    EXPECT_STREQ(grid.CellAt(5 + 21).text, "八月");
    EXPECT_STREQ(grid.CellAt(5 + 22).text, "秋分");
    EXPECT_EQ(grid.CellAt(5 + 22).weekend, 1);
    EXPECT_STREQ(grid.CellAt(5).ganZhi, "丙戌");
    EXPECT_STREQ(grid.CellAt(5).zodiac, "狗");
}

TEST_F(MonthGridTest, DrawsTodaysLineTheMonthAndEachDaysLunarTextOrTermInItsColour) {
    Canvas drawn;
    grid.Draw(&drawn.dc);
    const RECT& area = grid.GridRect();
    constexpr UINT kLine = DT_VCENTER | DT_SINGLELINE;
    const HFONT ui = Gdi().uiFont;
    const RECT today{area.left, 35, area.right, 57};
    EXPECT_TRUE(Shows(drawn.dc, today,
                      "今天是国历: 2006年09月15日 星期五 农历: 丙戌年七月廿三 (狗年)", today, ui,
                      RGB(0, 0, 0), kLine));
    const RECT footer{area.left, area.bottom + 2, area.right, area.bottom + 24};
    EXPECT_TRUE(Shows(drawn.dc, footer, "国历:2006年09月 农历:丙戌年七月 狗年", footer, ui,
                      RGB(0, 0, 0), kLine));
    const RECT year{60, 72, 110, 92};
    EXPECT_TRUE(Shows(drawn.dc, year, "2006年", year, ui, RGB(0, 0, 0), kLine | DT_CENTER));
    const RECT month{180, 72, 220, 92};
    EXPECT_TRUE(Shows(drawn.dc, month, "09月", month, ui, RGB(0, 0, 0), kLine | DT_CENTER));
    // Under each day number its lunar day, or its solar term in red; weekend numbers are red.
    const struct {
        int day;
        const char* text;
        COLORREF colour;
    } days[] = {{1, "初九", RGB(0, 0, 0)},
                {8, "白露", RGB(255, 0, 0)},
                {22, "八月", RGB(0, 0, 0)},
                {23, "秋分", RGB(255, 0, 0)}};
    for (const auto& day : days) {
        const int index = day.day + 4;
        const int left = area.left + (index % 7) * grid.CellWidth();
        const int top = area.top + (index / 7) * grid.CellHeight();
        const int middle = top + grid.CellHeight() / 2;
        const RECT place{left, middle + 2, left + grid.CellWidth() - 1, middle + 18};
        // Inside the cell's frame.
        const RECT inner{place.left + 2, place.top, place.right - 2, place.bottom};
        EXPECT_TRUE(Shows(drawn.dc, inner, day.text, place, ui, day.colour, kLine | DT_CENTER));
        const RECT upper{left, top, left + grid.CellWidth() - 1, middle};
        const RECT number{upper.left + 2, upper.top + 2, upper.right - 2, upper.bottom};
        EXPECT_TRUE(Shows(drawn.dc, number, std::to_string(day.day).c_str(), upper,
                          Gdi().font24Bold, day.day == 23 ? RGB(255, 0, 0) : RGB(0, 0, 0),
                          kLine | DT_CENTER));
    }
}

TEST_F(MonthGridTest, MonthsFillFourToSixRowsAndStepsStayWithinTheTables) {
    grid.Fill(2009, 2, 0);
    EXPECT_EQ(grid.CellAt(0).day, 1);
    EXPECT_EQ(grid.CellAt(27).day, 28);
    EXPECT_EQ(grid.CellAt(28).inMonth, 0);
    grid.Fill(2006, 7, 0);
    EXPECT_EQ(grid.CellAt(6).day, 1);
    EXPECT_EQ(grid.CellAt(36).day, 31);

    grid.Fill(1901, 1, 0);
    grid.StepMonth(-1);
    EXPECT_EQ(grid.ShownYear(), 1901);
    EXPECT_EQ(grid.ShownMonth(), 12);
    grid.Fill(2049, 12, 0);
    grid.StepMonth(1);
    EXPECT_EQ(grid.ShownYear(), 2049);
    EXPECT_EQ(grid.ShownMonth(), 1);
    grid.StepYear(1);
    EXPECT_EQ(grid.ShownYear(), 2049);
    grid.Fill(3000, 13, 0);
    EXPECT_EQ(grid.ShownYear(), 2049);
    EXPECT_EQ(grid.ShownMonth(), 12);
}

TEST_F(MonthGridTest, HoverAndSelectionPostRedrawsOnlyWhenAnInMonthCellChanges) {
    POINT day3 = At(7);
    EXPECT_EQ(grid.Hover(day3.x, day3.y), 1);
    EXPECT_EQ(TakeRedraws(), 1);
    EXPECT_EQ(grid.Hover(day3.x, day3.y), 0);
    // Off the grid: nothing changes, the cell stays highlighted.
    EXPECT_EQ(grid.Hover(grid.GridRect().right + 1, day3.y), 1);
    EXPECT_EQ(grid.CellAt(7).hover, 1);
    // Less than a cell left of the grid counts as its first column.
    EXPECT_EQ(grid.Hover(grid.GridRect().left - 10, At(14).y), 1);
    EXPECT_EQ(grid.CellAt(14).hover, 1);
    EXPECT_EQ(grid.CellAt(7).hover, 0);
    // A cell outside the month takes the highlight away without a redraw.
    POINT before = At(0);
    EXPECT_EQ(grid.Hover(before.x, before.y), 0);
    EXPECT_EQ(grid.CellAt(14).hover, 0);
    EXPECT_EQ(TakeRedraws(), 1);

    DateRecord date;
    EXPECT_EQ(grid.GetSelection(date), 0);
    POINT day20 = At(5 + 19);
    EXPECT_EQ(grid.Select(day20.x, day20.y), 1);
    EXPECT_EQ(grid.SetSelectedAt(day3.x, day3.y), 1);
    EXPECT_EQ(grid.SetSelectedAt(before.x, before.y), 0);
    EXPECT_EQ(TakeRedraws(), 2);
    // Both stay selected; the first in the grid counts.
    ASSERT_EQ(grid.GetSelection(date), 1);
    EXPECT_EQ(date.day, 3);
    EXPECT_EQ(date.hour, 9);
    EXPECT_EQ(date.minute, 0);
    EXPECT_EQ(grid.Select(day20.x, day20.y), 0);
}

TEST_F(MonthGridTest, EachDayLinksItsEarliestPlanAndALayoutKeepsMonthSelectionAndMarks) {
    AddPlan(2006, 8, 31, 9);
    AddPlan(2006, 10, 20, 7);
    AddPlan(2006, 10, 20, 8);
    AddPlan(2006, 10, 20, 10);
    AddPlan(2006, 11, 1, 9);
    grid.StepMonth(1);
    // 2006-10-01 is a Sunday.
    const CMonthGrid::Cell& day20 = grid.CellAt(19);
    EXPECT_EQ(day20.mark, 1);
    ASSERT_NE(day20.plan, nullptr);
    EXPECT_EQ(day20.plan->hour, 7);
    EXPECT_EQ(grid.CellAt(18).mark, 0);
    EXPECT_EQ(grid.CellAt(0).mark, 0);

    POINT at = At(19);
    grid.Select(at.x, at.y);
    grid.Create(owner.m_hWnd, RECT{0, 100, 640, 420}, 1);
    EXPECT_EQ(grid.ShownMonth(), 10);
    EXPECT_EQ(grid.CellAt(19).mark, 1);
    DateRecord date;
    ASSERT_EQ(grid.GetSelection(date), 1);
    EXPECT_EQ(date.month, 10);
    EXPECT_EQ(date.day, 20);
    EXPECT_EQ(date.hour, 7);
    EXPECT_EQ(date.minute, 30);
    EXPECT_EQ(date.second, 15);

    grid.MarkDay(1, 3, 1);
    EXPECT_EQ(grid.CellAt(2).mark, 1);
    grid.MarkDay(0, 0, 0);
    EXPECT_EQ(grid.CellAt(19).mark, 0);
}

}  // namespace
}  // namespace manager_testing
