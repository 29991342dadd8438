#include "manager/MonthGrid.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "manager/ManagerGdi.h"
#include "manager/ScheduleList.h"
#include "platform/time/Clock.h"
#include "platform/time/OleDateTime.h"
#include "platform/windows/WindowApi.h"

namespace {

constexpr const char* kWeekdayNames[7] = {"星期日", "星期一", "星期二", "星期三",
                                          "星期四", "星期五", "星期六"};
constexpr const char* kWeekdayLetters[7] = {"日", "一", "二", "三", "四", "五", "六"};
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

// 1 Sunday .. 7 Saturday, for any date of the Gregorian calendar.
int WeekdayOf(int year, int month, int day) {
    static constexpr int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) {
        --year;
    }
    return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7 + 1;
}

void DrawLine(CDC* dc, const char* text, RECT rect, UINT format) {
    dc->DrawText(text, static_cast<int>(std::strlen(text)), &rect, format);
}

void FillWith(CDC* dc, const RECT& rect, HBRUSH brush) {
    if (brush != nullptr) {
        ::FillRect(dc->GetSafeHdc(), &rect, brush);
    }
}

void Frame(CDC* dc, const RECT& rect, COLORREF color) {
    CBrush brush(color);
    dc->FrameRect(&rect, &brush);
}

}  // namespace

int CMonthGrid::Create(HWND owner, const RECT& rect, int mode) {
    outer_ = rect;
    owner_ = owner;
    mode_ = mode;
    const int width = rect.right - rect.left;
    cellWidth_ = std::max(width / kColumns, 0);
    cellHeight_ = std::max((rect.bottom - rect.top - kHeaderHeight) / kRows, 0);
    const int left = rect.left + (width - kColumns * cellWidth_) / 2;
    header_ = RECT{left, rect.top, left + kColumns * cellWidth_, rect.top + kHeaderHeight};
    grid_ = RECT{left, rect.top + 25, left + kColumns * cellWidth_,
                 rect.top + 25 + kRows * cellHeight_};

    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    todayYear_ = now.wYear;
    todayMonth_ = now.wMonth;
    todayDay_ = now.wDay;
    todayWeekday_ = now.wDayOfWeek + 1;
    int term = 0;
    lunar_.ToLunar(todayYear_, todayMonth_, todayDay_, todayLunarYear_, todayLunarMonth_,
                   todayLunarDay_, todayGanZhi_, sizeof(todayGanZhi_), todayZodiac_,
                   sizeof(todayZodiac_), todayText_, sizeof(todayText_), term);
    if (year_ == 0) {
        Fill(0, 0, 0);
    }
    return 0;
}

void CMonthGrid::Fill(int year, int month, int day) {
    for (Cell& cell : cells_) {
        cell = Cell{};
    }
    if (year == 0) {
        year_ = todayYear_;
        month_ = todayMonth_;
        day_ = todayDay_;
    } else if (year != -1) {
        year_ = year;
        month_ = month;
        day_ = day;
    }
    year_ = std::clamp(year_, kFirstYear, kLastYear);
    month_ = std::clamp(month_, 1, 12);

    const int first = WeekdayOf(year_, month_, 1) - 1;
    const int days = GetDaysInMonth(year_, month_);
    for (int d = 1; d <= days; ++d) {
        const int index = first + d - 1;
        Cell& cell = cells_[index];
        cell.day = d;
        cell.inMonth = 1;
        int term = 0;
        lunar_.ToLunar(year_, month_, d, cell.lunarYear, cell.lunarMonth, cell.lunarDay,
                       cell.ganZhi, sizeof(cell.ganZhi), cell.zodiac, sizeof(cell.zodiac),
                       cell.text, sizeof(cell.text), term);
        cell.term = static_cast<std::uint8_t>(term);
        const int column = index % kColumns;
        cell.weekend = column == 0 || column == kColumns - 1 ? 1 : 0;
    }
    if (mode_ == 1) {
        MarkSchedules();
    }
}

void CMonthGrid::StepMonth(int delta) {
    if (delta < 0) {
        if (--month_ < 1) {
            month_ = 12;
            --year_;
        }
    } else if (++month_ > 12) {
        month_ = 1;
        ++year_;
    }
    year_ = std::clamp(year_, kFirstYear, kLastYear);
    Fill(-1, 0, 0);
}

void CMonthGrid::StepYear(int delta) {
    year_ = std::clamp(delta < 0 ? year_ - 1 : year_ + 1, kFirstYear, kLastYear);
    Fill(-1, 0, 0);
}

int CMonthGrid::MarkSchedules() {
    const ScheduleRecordList& list = ScheduleRecords();
    const COleDateTime monthStart(year_, month_, 1, 0, 0, 0);
    std::size_t start = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ScheduleRecord& record = *list[i];
        const COleDateTime when(record.year, record.month, record.day, record.hour, record.minute,
                                record.second);
        if (when.GetStatus() == COleDateTime::valid && when < monthStart) {
            start = i;
        }
    }
    for (Cell& cell : cells_) {
        if (cell.inMonth == 0) {
            continue;
        }
        cell.mark = 0;
        cell.plan = nullptr;
        for (std::size_t i = start; i < list.size(); ++i) {
            const ScheduleRecord& record = *list[i];
            if (record.year == year_ && record.month == month_ && record.day == cell.day) {
                cell.plan = &record;
                cell.mark = 1;
                break;
            }
        }
    }
    return 0;
}

void CMonthGrid::MarkDay(int set, int day, int value) {
    for (Cell& cell : cells_) {
        if (set == 0) {
            cell.mark = 0;
        } else if (cell.inMonth != 0 && cell.day == day) {
            cell.mark = static_cast<std::uint8_t>(value);
        }
    }
}

int CMonthGrid::DaysInMonth(int year, int month) {
    return GetDaysInMonth(year, month);
}

int CMonthGrid::HitCell(int x, int y) const {
    if (cellWidth_ <= 0 || cellHeight_ <= 0 || x > grid_.right || y < grid_.top) {
        return -1;
    }
    // Integer division truncates toward zero: a point less than a cell left of the grid counts
    // as column 0.
    const int column = (x - grid_.left) / cellWidth_;
    const int row = (y - grid_.top) / cellHeight_;
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) {
        return -1;
    }
    return row * kColumns + column;
}

int CMonthGrid::SetFlagAt(int x, int y, std::uint8_t Cell::*flag) {
    const int hit = HitCell(x, y);
    if (hit < 0) {
        return 1;
    }
    const bool inMonth = cells_[hit].inMonth != 0;
    if (inMonth && cells_[hit].*flag != 0) {
        return 0;
    }
    for (int i = 0; i < kCells; ++i) {
        if (cells_[i].inMonth != 0 && i != hit) {
            cells_[i].*flag = 0;
        }
    }
    if (!inMonth) {
        return 0;
    }
    cells_[hit].*flag = 1;
    PostRedraw();
    return 1;
}

int CMonthGrid::Hover(int x, int y) {
    return SetFlagAt(x, y, &Cell::hover);
}

int CMonthGrid::Select(int x, int y) {
    return SetFlagAt(x, y, &Cell::selected);
}

int CMonthGrid::SetSelectedAt(int x, int y) {
    const int hit = HitCell(x, y);
    if (hit < 0 || cells_[hit].inMonth == 0) {
        return 0;
    }
    cells_[hit].selected = 1;
    PostRedraw();
    return 1;
}

int CMonthGrid::GetSelection(DateRecord& date) const {
    for (const Cell& cell : cells_) {
        if (cell.inMonth == 0 || cell.selected == 0) {
            continue;
        }
        date.year = year_;
        date.month = month_;
        date.day = cell.day;
        date.hour = cell.plan != nullptr ? cell.plan->hour : 9;
        date.minute = cell.plan != nullptr ? cell.plan->minute : 0;
        date.second = cell.plan != nullptr ? cell.plan->second : 0;
        return 1;
    }
    return 0;
}

void CMonthGrid::PostRedraw() const {
    if (owner_ != nullptr) {
        ::PostMessageA(owner_, WM_CALENDAR_REDRAW, 0, 0);
    }
}

void CMonthGrid::Draw(CDC* dc) {
    dc->SetBkMode(TRANSPARENT);
    if (mode_ == 2) {
        DrawDiaryMode(dc);
    } else {
        DrawCalendarMode(dc);
    }
}

void CMonthGrid::DrawWeekdayHeader(CDC* dc, bool shortNames) const {
    for (int column = 0; column < kColumns; ++column) {
        const int x = header_.left + column * cellWidth_;
        const RECT rect{x, header_.top, x + cellWidth_ - 1, header_.bottom};
        FillWith(dc, rect, Gdi().greyBrush);
        dc->Draw3dRect(&rect, RGB(255, 255, 255), RGB(110, 110, 110));
        dc->SetTextColor(column == 0 || column == kColumns - 1 ? kRed : kBlack);
        DrawLine(dc, shortNames ? kWeekdayLetters[column] : kWeekdayNames[column], rect,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void CMonthGrid::DrawCellFrame(CDC* dc, const Cell& cell, const RECT& rect) const {
    if (cell.selected != 0) {
        FillWith(dc, rect, Gdi().paleYellowBrush);
        Frame(dc, rect, kRed);
    } else if (cell.hover != 0) {
        FillWith(dc, rect, Gdi().lilacBrush);
    } else {
        dc->Draw3dRect(&rect, RGB(115, 115, 155), RGB(110, 110, 110));
    }
    if (cell.inMonth != 0 && cell.hover != 0) {
        Frame(dc, rect, kBlack);
    }
}

void CMonthGrid::DrawCalendarMode(CDC* dc) const {
    HGDIOBJ oldFont = ::SelectObject(dc->GetSafeHdc(), Gdi().uiFont);
    char text[160];
    std::snprintf(text, sizeof(text), "今天是国历: %04d年%02d月%02d日 %s 农历: %s年%s%s (%s年)",
                  todayYear_, todayMonth_, todayDay_,
                  kWeekdayNames[std::clamp(todayWeekday_, 1, 7) - 1], todayGanZhi_,
                  CLunarCalendar::LunarMonthName(todayLunarMonth_),
                  CLunarCalendar::LunarDayName(todayLunarDay_), todayZodiac_);
    dc->SetTextColor(kBlack);
    DrawLine(dc, text, RECT{grid_.left, 35, grid_.right, 57}, DT_VCENTER | DT_SINGLELINE);
    std::snprintf(text, sizeof(text), "%04d年", year_);
    DrawLine(dc, text, RECT{60, 72, 110, 92}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    std::snprintf(text, sizeof(text), "%02d月", month_);
    DrawLine(dc, text, RECT{180, 72, 220, 92}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    DrawWeekdayHeader(dc, false);

    const Cell* first = nullptr;
    for (int index = 0; index < kCells; ++index) {
        const Cell& cell = cells_[index];
        const int column = index % kColumns;
        const int x = grid_.left + column * cellWidth_;
        const int y = grid_.top + (index / kColumns) * cellHeight_;
        const RECT rect{x, y, x + cellWidth_ - 1, y + cellHeight_ - 1};
        DrawCellFrame(dc, cell, rect);
        if (cell.inMonth == 0) {
            continue;
        }
        if (first == nullptr) {
            first = &cell;
        }
        if (cell.mark != 0) {
            FillWith(dc, RECT{rect.left + 11, rect.bottom - 5, rect.right - 11, rect.bottom - 2},
                     Gdi().darkGreyBrush);
        }
        const COLORREF dayColor = column == 0 || column == kColumns - 1 ? kRed : kBlack;
        std::snprintf(text, sizeof(text), "%d", cell.day);
        ::SelectObject(dc->GetSafeHdc(), Gdi().font24Bold);
        dc->SetTextColor(dayColor);
        DrawLine(dc, text, RECT{rect.left, rect.top, rect.right, rect.top + cellHeight_ / 2},
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(dc->GetSafeHdc(), Gdi().uiFont);
        dc->SetTextColor(cell.term != 0 ? kRed : kBlack);
        const int middle = rect.top + cellHeight_ / 2;
        DrawLine(dc, cell.text, RECT{rect.left, middle + 2, rect.right, middle + 18},
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    if (first != nullptr) {
        std::snprintf(text, sizeof(text), "国历:%04d年%02d月 农历:%s年%s %s年", year_, month_,
                      first->ganZhi, CLunarCalendar::LunarMonthName(first->lunarMonth),
                      first->zodiac);
        dc->SetTextColor(kBlack);
        DrawLine(dc, text, RECT{grid_.left, grid_.bottom + 2, grid_.right, grid_.bottom + 24},
                 DT_VCENTER | DT_SINGLELINE);
    }
    ::SelectObject(dc->GetSafeHdc(), oldFont);
}

void CMonthGrid::DrawDiaryMode(CDC* dc) const {
    HGDIOBJ oldFont = ::SelectObject(dc->GetSafeHdc(), Gdi().uiFont);
    char text[80];
    std::snprintf(text, sizeof(text), "今天是:%04d年%02d月%02d日 星期%s", todayYear_, todayMonth_,
                  todayDay_, kWeekdayLetters[std::clamp(todayWeekday_, 1, 7) - 1]);
    dc->SetTextColor(kBlack);
    dc->TextOut(10, 30, text, static_cast<int>(std::strlen(text)));
    std::snprintf(text, sizeof(text), "%04d年%02d月 日历", year_, month_);
    dc->SetTextColor(RGB(0, 0, 255));
    DrawLine(dc, text, RECT{header_.left, header_.top - kHeaderHeight, header_.right, header_.top},
             DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    DrawWeekdayHeader(dc, true);

    for (int index = 0; index < kCells; ++index) {
        const Cell& cell = cells_[index];
        const int column = index % kColumns;
        const int x = grid_.left + column * cellWidth_;
        const int y = grid_.top + (index / kColumns) * cellHeight_;
        const RECT rect{x, y, x + cellWidth_ - 1, y + cellHeight_ - 1};
        DrawCellFrame(dc, cell, rect);
        if (cell.inMonth == 0) {
            continue;
        }
        if (cell.mark != 0) {
            FillWith(dc, RECT{rect.left + 1, rect.bottom - 4, rect.right - 1, rect.bottom - 2},
                     Gdi().darkGreyBrush);
        }
        std::snprintf(text, sizeof(text), "%d", cell.day);
        dc->SetTextColor(column == 0 || column == kColumns - 1 ? kRed : kBlack);
        DrawLine(dc, text, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    ::SelectObject(dc->GetSafeHdc(), oldFont);
}
