#include "manager/LunarCalendar.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "platform/time/OleDateTime.h"
#include "platform/time/OleDateTimeSpan.h"

namespace {

struct Date {
    int year;
    int month;
    int day;
};

struct Lunar {
    int converted = 0;
    int year = -1;
    int month = -1;
    int day = -1;
    std::string ganZhi;
    std::string zodiac;
    std::string cell;
    int term = -1;
};

Lunar Convert(int year, int month, int day) {
    const CLunarCalendar calendar;
    Lunar result;
    char ganZhi[CLunarCalendar::kGanZhiSize];
    char zodiac[CLunarCalendar::kZodiacSize];
    char cell[CLunarCalendar::kCellTextSize];
    result.converted =
        calendar.ToLunar(year, month, day, result.year, result.month, result.day, ganZhi,
                         sizeof ganZhi, zodiac, sizeof zodiac, cell, sizeof cell, result.term);
    result.ganZhi = ganZhi;
    result.zodiac = zodiac;
    result.cell = cell;
    return result;
}

Date DateOf(const COleDateTime& value) {
    return {value.GetYear(), value.GetMonth(), value.GetDay()};
}

std::string Text(const Date& date) {
    return std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
           std::to_string(date.day);
}

// Lunar new year of 1901..2049 as the official calendar has it, worked out from the moon and the
// sun rather than from the year table (before 1929 on Beijing's local mean time, as then used).
constexpr std::array<Date, 149> kNewYears = {{
    {1901, 2, 19}, {1902, 2, 8},  {1903, 1, 29}, {1904, 2, 16}, {1905, 2, 4},  {1906, 1, 25},
    {1907, 2, 13}, {1908, 2, 2},  {1909, 1, 22}, {1910, 2, 10}, {1911, 1, 30}, {1912, 2, 18},
    {1913, 2, 6},  {1914, 1, 26}, {1915, 2, 14}, {1916, 2, 3},  {1917, 1, 23}, {1918, 2, 11},
    {1919, 2, 1},  {1920, 2, 20}, {1921, 2, 8},  {1922, 1, 28}, {1923, 2, 16}, {1924, 2, 5},
    {1925, 1, 24}, {1926, 2, 13}, {1927, 2, 2},  {1928, 1, 23}, {1929, 2, 10}, {1930, 1, 30},
    {1931, 2, 17}, {1932, 2, 6},  {1933, 1, 26}, {1934, 2, 14}, {1935, 2, 4},  {1936, 1, 24},
    {1937, 2, 11}, {1938, 1, 31}, {1939, 2, 19}, {1940, 2, 8},  {1941, 1, 27}, {1942, 2, 15},
    {1943, 2, 5},  {1944, 1, 25}, {1945, 2, 13}, {1946, 2, 2},  {1947, 1, 22}, {1948, 2, 10},
    {1949, 1, 29}, {1950, 2, 17}, {1951, 2, 6},  {1952, 1, 27}, {1953, 2, 14}, {1954, 2, 3},
    {1955, 1, 24}, {1956, 2, 12}, {1957, 1, 31}, {1958, 2, 18}, {1959, 2, 8},  {1960, 1, 28},
    {1961, 2, 15}, {1962, 2, 5},  {1963, 1, 25}, {1964, 2, 13}, {1965, 2, 2},  {1966, 1, 21},
    {1967, 2, 9},  {1968, 1, 30}, {1969, 2, 17}, {1970, 2, 6},  {1971, 1, 27}, {1972, 2, 15},
    {1973, 2, 3},  {1974, 1, 23}, {1975, 2, 11}, {1976, 1, 31}, {1977, 2, 18}, {1978, 2, 7},
    {1979, 1, 28}, {1980, 2, 16}, {1981, 2, 5},  {1982, 1, 25}, {1983, 2, 13}, {1984, 2, 2},
    {1985, 2, 20}, {1986, 2, 9},  {1987, 1, 29}, {1988, 2, 17}, {1989, 2, 6},  {1990, 1, 27},
    {1991, 2, 15}, {1992, 2, 4},  {1993, 1, 23}, {1994, 2, 10}, {1995, 1, 31}, {1996, 2, 19},
    {1997, 2, 7},  {1998, 1, 28}, {1999, 2, 16}, {2000, 2, 5},  {2001, 1, 24}, {2002, 2, 12},
    {2003, 2, 1},  {2004, 1, 22}, {2005, 2, 9},  {2006, 1, 29}, {2007, 2, 18}, {2008, 2, 7},
    {2009, 1, 26}, {2010, 2, 14}, {2011, 2, 3},  {2012, 1, 23}, {2013, 2, 10}, {2014, 1, 31},
    {2015, 2, 19}, {2016, 2, 8},  {2017, 1, 28}, {2018, 2, 16}, {2019, 2, 5},  {2020, 1, 25},
    {2021, 2, 12}, {2022, 2, 1},  {2023, 1, 22}, {2024, 2, 10}, {2025, 1, 29}, {2026, 2, 17},
    {2027, 2, 6},  {2028, 1, 26}, {2029, 2, 13}, {2030, 2, 3},  {2031, 1, 23}, {2032, 2, 11},
    {2033, 1, 31}, {2034, 2, 19}, {2035, 2, 8},  {2036, 1, 28}, {2037, 2, 15}, {2038, 2, 4},
    {2039, 1, 24}, {2040, 2, 12}, {2041, 2, 1},  {2042, 1, 22}, {2043, 2, 10}, {2044, 1, 30},
    {2045, 2, 17}, {2046, 2, 6},  {2047, 1, 26}, {2048, 2, 14}, {2049, 2, 2},
}};

// Lunar year and the month its leap month repeats, from the same independent reckoning.
const std::map<int, int> kLeapMonths = {
    {1900, 8}, {1903, 5},  {1906, 4}, {1909, 2}, {1911, 6}, {1914, 5}, {1917, 2}, {1919, 7},
    {1922, 5}, {1925, 4},  {1928, 2}, {1930, 6}, {1933, 5}, {1936, 3}, {1938, 7}, {1941, 6},
    {1944, 4}, {1947, 2},  {1949, 7}, {1952, 5}, {1955, 3}, {1957, 8}, {1960, 6}, {1963, 4},
    {1966, 3}, {1968, 7},  {1971, 5}, {1974, 4}, {1976, 8}, {1979, 6}, {1982, 4}, {1984, 10},
    {1987, 6}, {1990, 5},  {1993, 3}, {1995, 8}, {1998, 5}, {2001, 4}, {2004, 2}, {2006, 7},
    {2009, 5}, {2012, 4},  {2014, 9}, {2017, 6}, {2020, 4}, {2023, 2}, {2025, 6}, {2028, 5},
    {2031, 3}, {2033, 11}, {2036, 6}, {2039, 5}, {2042, 2}, {2044, 7}, {2047, 5},
};

TEST(LunarCalendarTest, DecodesTheQuotedYearWords) {
    const CLunarCalendar calendar;
    // 1900 is 0x04BD8: leap month 8 of 29 days; months 2, 5, 7, 8, 9, 10, 12 have 30 days.
    EXPECT_EQ(calendar.LeapMonth(1900), 8);
    EXPECT_EQ(calendar.LeapMonthDays(1900), 29);
    const std::array<int, 12> months1900 = {29, 30, 29, 29, 30, 29, 30, 30, 30, 30, 29, 30};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(calendar.MonthDays(1900, m), months1900[m - 1]) << m;
    }
    EXPECT_EQ(calendar.YearDays(1900), 384);
    // 2047 is 0x1B255: leap month 5 of 30 days.
    EXPECT_EQ(calendar.LeapMonth(2047), 5);
    EXPECT_EQ(calendar.LeapMonthDays(2047), 30);
    EXPECT_EQ(calendar.YearDays(2047), 348 + 6 + 30);
    // 2049 is 0x0ADA0: no leap month.
    EXPECT_EQ(calendar.LeapMonth(2049), 0);
    EXPECT_EQ(calendar.LeapMonthDays(2049), 0);
    EXPECT_EQ(calendar.YearDays(2049), 355);
    EXPECT_EQ(calendar.MonthDays(2049, 1), 30);
    EXPECT_EQ(calendar.MonthDays(2049, 12), 29);
}

TEST(LunarCalendarTest, TableQueriesOutsideTheirRangeAnswerZero) {
    const CLunarCalendar calendar;
    for (const int year : {-5, 0, 1899, 2050, 9999}) {
        EXPECT_EQ(calendar.LeapMonth(year), 0) << year;
        EXPECT_EQ(calendar.LeapMonthDays(year), 0) << year;
        EXPECT_EQ(calendar.YearDays(year), 0) << year;
        EXPECT_EQ(calendar.MonthDays(year, 1), 0) << year;
    }
    EXPECT_EQ(calendar.MonthDays(2006, 0), 0);
    EXPECT_EQ(calendar.MonthDays(2006, 13), 0);
    EXPECT_EQ(calendar.MonthDays(2006, -3), 0);
    EXPECT_EQ(calendar.SolarTermDay(2006, -1), 0);
    EXPECT_EQ(calendar.SolarTermDay(2006, 24), 0);
}

TEST(LunarCalendarTest, YearLengthsPlaceEveryNewYearOnItsOfficialDate) {
    const CLunarCalendar calendar;
    const std::set<int> lunarYearLengths = {353, 354, 355, 383, 384, 385};
    COleDateTime newYear(1900, 1, 31, 0, 0, 0);
    for (int year = 1900; year <= 2049; ++year) {
        if (year > 1900) {
            const Date expected = kNewYears[static_cast<std::size_t>(year - 1901)];
            ASSERT_EQ(expected.year, year);
            EXPECT_EQ(Text(DateOf(newYear)), Text(expected));
        }
        EXPECT_EQ(lunarYearLengths.count(calendar.YearDays(year)), 1u) << year;
        newYear += COleDateTimeSpan(calendar.YearDays(year), 0, 0, 0);
    }
    EXPECT_EQ(Text(DateOf(newYear)), "2050-1-23");

    // The reference list itself must be a run of whole lunar years.
    for (std::size_t i = 1; i < kNewYears.size(); ++i) {
        const Date& a = kNewYears[i - 1];
        const Date& b = kNewYears[i];
        const long days = (COleDateTime(b.year, b.month, b.day, 0, 0, 0) -
                           COleDateTime(a.year, a.month, a.day, 0, 0, 0))
                              .GetDays();
        EXPECT_EQ(lunarYearLengths.count(static_cast<int>(days)), 1u) << Text(a);
    }
}

TEST(LunarCalendarTest, LeapMonthsMatchTheOfficialCalendar) {
    const CLunarCalendar calendar;
    for (int year = 1900; year <= 2049; ++year) {
        const auto leap = kLeapMonths.find(year);
        EXPECT_EQ(calendar.LeapMonth(year), leap == kLeapMonths.end() ? 0 : leap->second) << year;
    }
}

TEST(LunarCalendarTest, NewYearsDaysNameTheYear) {
    Lunar day = Convert(1900, 1, 31);
    EXPECT_EQ(day.converted, 1);
    EXPECT_EQ(day.year, 1900);
    EXPECT_EQ(day.month, 1);
    EXPECT_EQ(day.day, 1);
    EXPECT_EQ(day.ganZhi, "庚子");
    EXPECT_EQ(day.zodiac, "鼠");
    EXPECT_EQ(day.cell, "正月");
    EXPECT_EQ(day.term, 0);

    day = Convert(2006, 1, 29);
    EXPECT_EQ(day.year, 2006);
    EXPECT_EQ(day.month, 1);
    EXPECT_EQ(day.day, 1);
    EXPECT_EQ(day.ganZhi, "丙戌");
    EXPECT_EQ(day.zodiac, "狗");
    EXPECT_EQ(day.cell, "正月");

    day = Convert(1984, 2, 2);
    EXPECT_EQ(day.year, 1984);
    EXPECT_EQ(day.month, 1);
    EXPECT_EQ(day.day, 1);
    EXPECT_EQ(day.ganZhi, "甲子");
    EXPECT_EQ(day.zodiac, "鼠");

    // The eve belongs to the year before, whose twelfth month has 30 days.
    day = Convert(1984, 2, 1);
    EXPECT_EQ(day.year, 1983);
    EXPECT_EQ(day.month, 12);
    EXPECT_EQ(day.day, 30);
    EXPECT_EQ(day.ganZhi, "癸亥");
    EXPECT_EQ(day.zodiac, "猪");
    EXPECT_EQ(day.cell, "三十");
}

TEST(LunarCalendarTest, TextsAreGbkBytes) {
    const Lunar day = Convert(2006, 1, 29);
    EXPECT_EQ(day.cell, "\xD5\xFD\xD4\xC2");                                       // 正月
    EXPECT_EQ(day.ganZhi, "\xB1\xFB\xD0\xE7");                                     // 丙戌
    EXPECT_EQ(day.zodiac, "\xB9\xB7");                                             // 狗
    EXPECT_STREQ(CLunarCalendar::LunarMonthName(11), "\xCA\xAE\xD2\xBB\xD4\xC2");  // 十一月
    EXPECT_STREQ(CLunarCalendar::LunarDayName(21), "\xD8\xA5\xD2\xBB");            // 廿一
}

TEST(LunarCalendarTest, NameTables) {
    EXPECT_STREQ(CLunarCalendar::LunarMonthName(1), "正月");
    EXPECT_STREQ(CLunarCalendar::LunarMonthName(12), "十二月");
    EXPECT_STREQ(CLunarCalendar::LunarMonthName(0), "");
    EXPECT_STREQ(CLunarCalendar::LunarMonthName(13), "");
    EXPECT_STREQ(CLunarCalendar::LunarDayName(10), "初十");
    EXPECT_STREQ(CLunarCalendar::LunarDayName(20), "二十");
    EXPECT_STREQ(CLunarCalendar::LunarDayName(30), "三十");
    EXPECT_STREQ(CLunarCalendar::LunarDayName(0), "");
    EXPECT_STREQ(CLunarCalendar::LunarDayName(31), "");

    const CLunarCalendar calendar;
    char text[CLunarCalendar::kGanZhiSize];
    calendar.GanZhiName(0, text, sizeof text);
    EXPECT_STREQ(text, "甲子");
    calendar.GanZhiName(59, text, sizeof text);
    EXPECT_STREQ(text, "癸亥");
    calendar.GanZhiName(-1, text, sizeof text);
    EXPECT_STREQ(text, "癸亥");
}

TEST(LunarCalendarTest, SolarTermsShowOnTheirDays) {
    const CLunarCalendar calendar;
    EXPECT_EQ(calendar.SolarTermDay(2006, 2), 4);
    EXPECT_EQ(calendar.SolarTermDay(2006, 23), 22);
    EXPECT_EQ(calendar.SolarTermDay(2006, 0), 5);

    Lunar day = Convert(2006, 2, 4);
    EXPECT_EQ(day.cell, "立春");
    EXPECT_EQ(day.term, 1);
    EXPECT_EQ(day.month, 1);
    EXPECT_EQ(day.day, 7);

    day = Convert(2006, 12, 22);
    EXPECT_EQ(day.cell, "冬至");
    EXPECT_EQ(day.term, 1);

    day = Convert(2006, 12, 23);
    EXPECT_EQ(day.term, 0);
    EXPECT_EQ(day.cell, CLunarCalendar::LunarDayName(day.day));

    // A term outranks the month's name on a lunar first day.
    day = Convert(1901, 2, 19);
    EXPECT_EQ(day.month, 1);
    EXPECT_EQ(day.day, 1);
    EXPECT_EQ(day.cell, "雨水");
    EXPECT_EQ(day.term, 1);
}

TEST(LunarCalendarTest, EveryGregorianYearShowsEachTermOnce) {
    for (int year = 1901; year <= 2049; ++year) {
        std::map<std::string, int> seen;
        const COleDateTime end(year + 1, 1, 1, 0, 0, 0);
        for (COleDateTime date(year, 1, 1, 0, 0, 0); date < end;
             date += COleDateTimeSpan(1, 0, 0, 0)) {
            const Lunar day = Convert(date.GetYear(), date.GetMonth(), date.GetDay());
            if (day.term == 1) {
                ++seen[day.cell];
            }
        }
        ASSERT_EQ(seen.size(), 24u) << year;
        for (const auto& [name, count] : seen) {
            EXPECT_EQ(count, 1) << year;
        }
    }
}

TEST(LunarCalendarTest, LeapSeventhMonthOf2006RepeatsMonthSeven) {
    Lunar day = Convert(2006, 8, 23);
    EXPECT_EQ(day.month, 7);
    EXPECT_EQ(day.day, 30);

    day = Convert(2006, 8, 24);
    EXPECT_EQ(day.month, 7);
    EXPECT_EQ(day.day, 1);
    EXPECT_EQ(day.cell, "七月");

    day = Convert(2006, 9, 21);
    EXPECT_EQ(day.year, 2006);
    EXPECT_EQ(day.month, 7);
    EXPECT_EQ(day.day, 29);
    EXPECT_EQ(day.cell, "廿九");

    day = Convert(2006, 9, 22);
    EXPECT_EQ(day.month, 8);
    EXPECT_EQ(day.day, 1);
    EXPECT_EQ(day.cell, "八月");
}

TEST(LunarCalendarTest, Year2033RepeatsMonthEleven) {
    // First days of the lunar months from 2033's new year to 2034's, the repeated month 11 last
    // but one.
    const std::array<std::pair<Date, int>, 14> firstDays = {{
        {{2033, 1, 31}, 1},
        {{2033, 3, 1}, 2},
        {{2033, 3, 31}, 3},
        {{2033, 4, 29}, 4},
        {{2033, 5, 28}, 5},
        {{2033, 6, 27}, 6},
        {{2033, 7, 26}, 7},
        {{2033, 8, 25}, 8},
        {{2033, 9, 23}, 9},
        {{2033, 10, 23}, 10},
        {{2033, 11, 22}, 11},
        {{2033, 12, 22}, 11},
        {{2034, 1, 20}, 12},
        {{2034, 2, 19}, 1},
    }};
    for (const auto& [date, month] : firstDays) {
        const Lunar day = Convert(date.year, date.month, date.day);
        EXPECT_EQ(day.month, month) << Text(date);
        EXPECT_EQ(day.day, 1) << Text(date);
        EXPECT_EQ(day.year, date.year == 2034 && month == 1 ? 2034 : 2033) << Text(date);
    }
    const Lunar eve = Convert(2033, 12, 21);
    EXPECT_EQ(eve.month, 11);
    EXPECT_EQ(eve.day, 30);
}

TEST(LunarCalendarTest, EveryDayOfTheTableFollowsTheDayBefore) {
    const CLunarCalendar calendar;
    Lunar previous = Convert(1900, 1, 31);
    bool leapSeen = false;
    const COleDateTime end(2050, 1, 23, 0, 0, 0);
    for (COleDateTime date(1900, 2, 1, 0, 0, 0); date < end; date += COleDateTimeSpan(1, 0, 0, 0)) {
        const Lunar day = Convert(date.GetYear(), date.GetMonth(), date.GetDay());
        ASSERT_EQ(day.converted, 1) << Text(DateOf(date));
        if (day.day != 1) {
            ASSERT_EQ(day.year, previous.year);
            ASSERT_EQ(day.month, previous.month);
            ASSERT_EQ(day.day, previous.day + 1) << Text(DateOf(date));
        } else {
            // The month that ended had its table length; a repeated number is the leap month.
            const bool leap = day.month == previous.month;
            const int length = leapSeen ? calendar.LeapMonthDays(previous.year)
                                        : calendar.MonthDays(previous.year, previous.month);
            ASSERT_EQ(previous.day, length) << Text(DateOf(date));
            if (leap) {
                ASSERT_EQ(calendar.LeapMonth(day.year), day.month) << Text(DateOf(date));
            } else if (day.month == 1) {
                ASSERT_EQ(previous.month, 12);
                ASSERT_EQ(day.year, previous.year + 1);
            } else {
                ASSERT_EQ(day.month, previous.month + 1) << Text(DateOf(date));
            }
            leapSeen = leap;
        }
        previous = day;
    }
    EXPECT_EQ(previous.year, 2049);
    EXPECT_EQ(previous.month, 12);
    EXPECT_EQ(previous.day, 29);
}

TEST(LunarCalendarTest, RefusesDatesOutsideTheTableAndImpossibleDates) {
    for (const Date date : std::array<Date, 8>{{{1900, 1, 30},
                                                {1899, 12, 31},
                                                {2050, 1, 23},
                                                {2100, 6, 1},
                                                {2006, 2, 29},
                                                {2006, 13, 1},
                                                {2006, 0, 10},
                                                {2006, 4, 31}}}) {
        const Lunar day = Convert(date.year, date.month, date.day);
        EXPECT_EQ(day.converted, 0) << Text(date);
        EXPECT_EQ(day.year, 0);
        EXPECT_EQ(day.month, 0);
        EXPECT_EQ(day.day, 0);
        EXPECT_EQ(day.ganZhi, "");
        EXPECT_EQ(day.zodiac, "");
        EXPECT_EQ(day.cell, "");
        EXPECT_EQ(day.term, 0);
    }
    const Lunar last = Convert(2050, 1, 22);
    EXPECT_EQ(last.converted, 1);
    EXPECT_EQ(last.year, 2049);
    EXPECT_EQ(last.ganZhi, "己巳");
    EXPECT_EQ(last.zodiac, "蛇");
}

TEST(LunarCalendarTest, ShortBuffersAreCutAtWholeCharactersAndNeverOverrun) {
    const CLunarCalendar calendar;
    int year = 0;
    int month = 0;
    int day = 0;
    int term = 0;
    // 2006-12-20 is the first day of month 11, whose name takes all six bytes of a cell text.
    std::array<char, 12> ganZhi;
    std::array<char, 12> zodiac;
    std::array<char, 12> cell;
    const auto run = [&](std::size_t ganZhiSize, std::size_t zodiacSize, std::size_t cellSize) {
        ganZhi.fill('#');
        zodiac.fill('#');
        cell.fill('#');
        return calendar.ToLunar(2006, 12, 20, year, month, day, ganZhi.data(), ganZhiSize,
                                zodiac.data(), zodiacSize, cell.data(), cellSize, term);
    };

    EXPECT_EQ(run(5, 3, 7), 1);
    EXPECT_EQ(std::string(cell.data()), "十一月");
    EXPECT_EQ(std::string(ganZhi.data()), "丙戌");
    EXPECT_EQ(std::string(zodiac.data()), "狗");
    EXPECT_EQ(cell[7], '#');
    EXPECT_EQ(ganZhi[5], '#');
    EXPECT_EQ(zodiac[3], '#');

    EXPECT_EQ(run(4, 2, 6), 1);
    EXPECT_EQ(std::string(cell.data()), "十一");
    EXPECT_EQ(std::string(ganZhi.data()), "丙");
    EXPECT_EQ(std::string(zodiac.data()), "");
    EXPECT_EQ(cell[5], '#');
    EXPECT_EQ(ganZhi[3], '#');
    EXPECT_EQ(zodiac[1], '#');

    EXPECT_EQ(run(0, 0, 0), 1);
    EXPECT_EQ(ganZhi[0], '#');
    EXPECT_EQ(zodiac[0], '#');
    EXPECT_EQ(cell[0], '#');
    EXPECT_EQ(month, 11);
    EXPECT_EQ(day, 1);

    char name[3];
    std::memset(name, '#', sizeof name);
    calendar.GanZhiName(0, name, sizeof name);
    EXPECT_STREQ(name, "甲");
}

}  // namespace
