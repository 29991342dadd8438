// Gregorian to Chinese lunar calendar conversion for the lunar years 1900..2049: lunar year, month
// and day, the year's Gan-Zhi name and zodiac animal, and the short text a calendar cell shows
// under the day number (the solar term on its day, the month's name on a lunar first day, else the
// day's name). All texts are GBK.
//
// The year table covers lunar 1900 (from 1900-01-31) to the last day of lunar 2049 (2050-01-22).
// Dates outside that range, and impossible dates, are refused rather than clamped: ToLunar returns
// 0 and reports lunar 0/0/0 with empty texts, so a calendar cell stays blank instead of showing a
// wrong date. The table queries answer 0 for a year outside 1900..2049 or a month or term number
// out of range; no table is ever read outside its bounds.
#pragma once

#include <cstddef>

class CLunarCalendar {
public:
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 2049;

    // Smallest buffers that hold each text with its terminator.
    static constexpr std::size_t kGanZhiSize = 5;
    static constexpr std::size_t kZodiacSize = 3;
    static constexpr std::size_t kCellTextSize = 7;

    virtual ~CLunarCalendar() = default;

    // The month (1..12) that the year's leap month follows and repeats, 0 when it has none.
    int LeapMonth(int year) const;
    // 29 or 30, 0 when the year has no leap month.
    int LeapMonthDays(int year) const;
    // 29 or 30 for the ordinary month 1..12 of the year.
    int MonthDays(int year, int month) const;
    // Length of the lunar year, leap month included.
    int YearDays(int year) const;
    // Day of the Gregorian month on which solar term `term` (0 = 小寒 .. 23 = 冬至) falls in the
    // Gregorian `year`; Gregorian month m holds terms 2m - 2 and 2m - 1.
    int SolarTermDay(int year, int term) const;

    // Writes the stem and branch of the sexagenary `index` (0 = 甲子) into `text`, cut at a whole
    // character to fit `size` bytes with the terminator.
    void GanZhiName(int index, char* text, std::size_t size) const;

    // Converts a Gregorian date. Each text is cut at a whole character to fit its buffer with the
    // terminator; the sizes above hold every text. `termFlag` is 1 when the cell text is a solar
    // term. A day of a leap month reports the number of the month it repeats. Returns 1 when the
    // date was converted, 0 when it was refused (see above).
    int ToLunar(int year, int month, int day, int& lunarYear, int& lunarMonth, int& lunarDay,
                char* ganZhi, std::size_t ganZhiSize, char* zodiac, std::size_t zodiacSize,
                char* cellText, std::size_t cellTextSize, int& termFlag) const;

    // "正月" .. "十二月" for 1..12, "初一" .. "三十" for 1..30, "" out of range: the month grid's
    // header and footer name today's and the shown month's lunar date with them.
    static const char* LunarMonthName(int month);
    static const char* LunarDayName(int day);
};
