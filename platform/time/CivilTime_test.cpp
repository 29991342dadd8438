#include "platform/time/CivilTime.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

TEST(CivilTimeTest, KnownDayCountsWeekdaysAndLeapYears) {
    EXPECT_EQ(DaysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(DaysFromCivil(1899, 12, 30), -25569);
    EXPECT_EQ(DaysFromCivil(1601, 1, 1), -134774);
    EXPECT_EQ(DayOfWeekFromDays(0), 4);                            // Thursday
    EXPECT_EQ(DayOfWeekFromDays(DaysFromCivil(1601, 1, 1)), 1);    // Monday
    EXPECT_EQ(DayOfWeekFromDays(DaysFromCivil(1899, 12, 30)), 6);  // Saturday
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2006, 13), 0);
}

TEST(CivilTimeTest, EveryDayFrom1600To2400RoundTripsAndFollowsThePrevious) {
    std::int64_t expected = DaysFromCivil(1600, 1, 1);
    for (int year = 1600; year <= 2400; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                ASSERT_EQ(DaysFromCivil(year, month, day), expected) << year << '-' << month;
                const CivilDate date = CivilFromDays(expected);
                ASSERT_EQ(date.year, year);
                ASSERT_EQ(date.month, month);
                ASSERT_EQ(date.day, day);
                ++expected;
            }
        }
    }
}

TEST(CivilTimeTest, InstantsBefore1970SplitIntoDayAndTimeOfDay) {
    // One millisecond before 1970: the last instant of 1969-12-31, a Wednesday.
    const SYSTEMTIME time = SystemTimeFromMilliseconds(-1);
    EXPECT_EQ(time.wYear, 1969);
    EXPECT_EQ(time.wDay, 31);
    EXPECT_EQ(time.wDayOfWeek, 3);
    EXPECT_EQ(time.wHour, 23);
    EXPECT_EQ(time.wSecond, 59);
    EXPECT_EQ(time.wMilliseconds, 999);
    EXPECT_EQ(MillisecondsFromSystemTime(time), -1);
}

}  // namespace
