// A month as a grid of 6 x 7 day cells, drawn into a page's off-screen buffer. In mode 1 (the
// calendar page) every cell shows its day number over the lunar day, the lunar month's name or
// the solar term, and a bar marks the days that have plans; in mode 2 (the diary) cells show the
// day number alone and the owner sets the marks. Hovering and selecting cells post
// WM_CALENDAR_REDRAW to the owner window, which repaints.
#pragma once

#include <cstdint>

#include "manager/DateRecord.h"
#include "manager/LunarCalendar.h"
#include "manager/ScheduleRecord.h"
#include "platform/drawing/DC.h"

inline constexpr UINT WM_CALENDAR_REDRAW = 1125;

class CMonthGrid {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 7;
    static constexpr int kCells = kRows * kColumns;
    static constexpr int kHeaderHeight = 22;
    // The years the grid shows: those the lunar tables cover whole.
    static constexpr int kFirstYear = 1901;
    static constexpr int kLastYear = 2049;

    struct Cell {
        std::int32_t day = -1;  // -1 outside the month
        std::int32_t lunarYear = 0;
        std::int32_t lunarMonth = 0;
        std::int32_t lunarDay = 0;
        char ganZhi[CLunarCalendar::kGanZhiSize] = {};
        char zodiac[CLunarCalendar::kZodiacSize] = {};
        // The solar term, the lunar month's name on a lunar first day, else the lunar day's name.
        char text[CLunarCalendar::kCellTextSize] = {};
        std::uint8_t inMonth = 0;
        std::uint8_t weekend = 0;
        std::uint8_t term = 0;
        std::uint8_t hover = 0;
        std::uint8_t selected = 0;
        std::uint8_t mark = 0;
        const ScheduleRecord* plan = nullptr;
    };

    virtual ~CMonthGrid() = default;

    // Lays the grid out in `rect`. The first call shows today's month; later calls (a page's
    // layout on every resize) keep the shown month, its selection and its marks. Returns 0.
    int Create(HWND owner, const RECT& rect, int mode);
    // Year -1 keeps the shown month, year 0 shows today's, else the given month (the year held to
    // 1901..2049, the month to 1..12). Clears hover and selection; mode 1 marks the plans again.
    void Fill(int year, int month, int day);
    void StepMonth(int delta);
    void StepYear(int delta);
    void Draw(CDC* dc);
    // 1 when the point is outside the grid or a change was posted; 0 when nothing changed.
    int Hover(int x, int y);
    int Select(int x, int y);
    // Selects the in-month cell at the point without clearing others: 1 when one was hit.
    int SetSelectedAt(int x, int y);
    // The first selected day with its earliest plan's time, or 09:00:00; 0 when none is selected.
    int GetSelection(DateRecord& date) const;
    // Links each day of the shown month to its earliest plan in the program's list. Returns 0.
    int MarkSchedules();
    // With `set`, the cell of the day gets `value` as its mark; without, every mark is cleared.
    void MarkDay(int set, int day, int value);
    static int DaysInMonth(int year, int month);

    int ShownYear() const { return year_; }
    int ShownMonth() const { return month_; }
    const Cell& CellAt(int index) const { return cells_[index]; }
    const RECT& GridRect() const { return grid_; }
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }

private:
    // The cell under the point, -1 outside the grid.
    int HitCell(int x, int y) const;
    // The hover or selected flag: cleared on the other cells, set on the hit one.
    int SetFlagAt(int x, int y, std::uint8_t Cell::*flag);
    void PostRedraw() const;
    void DrawWeekdayHeader(CDC* dc, bool shortNames) const;
    void DrawCellFrame(CDC* dc, const Cell& cell, const RECT& rect) const;
    void DrawCalendarMode(CDC* dc) const;
    void DrawDiaryMode(CDC* dc) const;

    RECT outer_ = {};
    int todayYear_ = 0;
    int todayMonth_ = 0;
    int todayDay_ = 0;
    int todayWeekday_ = 1;  // 1 Sunday .. 7 Saturday
    int todayLunarYear_ = 0;
    int todayLunarMonth_ = 0;
    int todayLunarDay_ = 0;
    char todayGanZhi_[CLunarCalendar::kGanZhiSize] = {};
    char todayZodiac_[CLunarCalendar::kZodiacSize] = {};
    char todayText_[CLunarCalendar::kCellTextSize] = {};
    int year_ = 0;
    int month_ = 0;
    int day_ = 0;
    RECT grid_ = {};
    RECT header_ = {};
    int cellWidth_ = 0;
    int cellHeight_ = 0;
    int mode_ = 1;
    Cell cells_[kCells];
    HWND owner_ = nullptr;
    CLunarCalendar lunar_;
};
