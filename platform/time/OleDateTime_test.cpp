#include "platform/time/OleDateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "platform/time/Clock.h"

namespace {

class OleDateTimeTest : public ::testing::Test {
protected:
    void TearDown() override {
        platform::UseRealClock();
        platform::SetTimeZoneOffsetForTesting(std::nullopt);
    }
};

// The getters' view: "status year-month-day hour:minute:second weekday day-of-year".
std::string Parts(const COleDateTime& value) {
    char text[96];
    std::snprintf(text, sizeof text, "%d %d-%d-%d %d:%d:%d %d %d", value.GetStatus(),
                  value.GetYear(), value.GetMonth(), value.GetDay(), value.GetHour(),
                  value.GetMinute(), value.GetSecond(), value.GetDayOfWeek(), value.GetDayOfYear());
    return text;
}

constexpr const char* kInvalidParts = "1 -1--1--1 -1:-1:-1 -1 -1";

TEST_F(OleDateTimeTest, DefaultIsTheValidZeroDate) {
    const COleDateTime zero;
    EXPECT_EQ(Parts(zero), "0 1899-12-30 0:0:0 7 364");
    EXPECT_EQ(static_cast<DATE>(zero), 0.0);
}

TEST_F(OleDateTimeTest, WeekdaysAndDaysOfYearOfKnownDates) {
    EXPECT_EQ(Parts(COleDateTime(1900, 1, 1, 0, 0, 0)), "0 1900-1-1 0:0:0 2 1");  // Monday
    EXPECT_EQ(Parts(COleDateTime(2006, 9, 21, 0, 0, 0)), "0 2006-9-21 0:0:0 5 264");
    EXPECT_EQ(Parts(COleDateTime(2024, 2, 29, 0, 0, 0)), "0 2024-2-29 0:0:0 5 60");
    EXPECT_EQ(Parts(COleDateTime(2000, 12, 31, 0, 0, 0)), "0 2000-12-31 0:0:0 1 366");
    EXPECT_EQ(Parts(COleDateTime(1900, 12, 31, 0, 0, 0)), "0 1900-12-31 0:0:0 2 365");
    EXPECT_EQ(Parts(COleDateTime(2050, 12, 31, 23, 59, 59)), "0 2050-12-31 23:59:59 7 365");
    EXPECT_EQ(Parts(COleDateTime(100, 1, 1, 0, 0, 0)), "0 100-1-1 0:0:0 6 1");
    EXPECT_EQ(Parts(COleDateTime(9999, 12, 31, 23, 59, 59)), "0 9999-12-31 23:59:59 6 365");
}

TEST_F(OleDateTimeTest, ImpossibleDatesAreInvalidNotNormalised) {
    EXPECT_EQ(COleDateTime(1900, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2000, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::valid);
    EXPECT_EQ(COleDateTime(2023, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Parts(COleDateTime(2006, 2, 31, 0, 0, 0)), kInvalidParts);

    for (const auto& [year, month, day, hour, minute, second] :
         {std::tuple{2006, 13, 1, 0, 0, 0}, std::tuple{2006, 0, 1, 0, 0, 0},
          std::tuple{2006, 4, 31, 0, 0, 0}, std::tuple{2006, 1, 0, 0, 0, 0},
          std::tuple{2006, 1, 1, 24, 0, 0}, std::tuple{2006, 1, 1, 0, 60, 0},
          std::tuple{2006, 1, 1, 0, 0, 60}, std::tuple{2006, 1, 1, -1, 0, 0},
          std::tuple{99, 12, 31, 0, 0, 0}, std::tuple{10000, 1, 1, 0, 0, 0}}) {
        EXPECT_EQ(Parts(COleDateTime(year, month, day, hour, minute, second)), kInvalidParts)
            << year << '-' << month << '-' << day << ' ' << hour << ':' << minute << ':' << second;
    }
}

TEST_F(OleDateTimeTest, SettersReportFailureAndRecover) {
    COleDateTime value(2006, 9, 21, 10, 0, 0);
    EXPECT_EQ(value.SetDate(2006, 2, 30), 1);
    EXPECT_EQ(Parts(value), kInvalidParts);
    EXPECT_EQ(static_cast<DATE>(value), 0.0);
    EXPECT_EQ(value.SetDate(2006, 2, 28), 0);
    EXPECT_EQ(Parts(value), "0 2006-2-28 0:0:0 3 59");
    EXPECT_EQ(value.SetTime(13, 45, 30), 0);
    EXPECT_EQ(Parts(value), "0 1899-12-30 13:45:30 7 364");
    EXPECT_EQ(value.SetTime(13, 61, 0), 1);

    value.SetDateTime(2049, 12, 31, 23, 59, 59);
    value.SetStatus(COleDateTime::null);
    EXPECT_EQ(Parts(value), "2 -1--1--1 -1:-1:-1 -1 -1");
    SYSTEMTIME time{};
    time.wYear = 77;
    EXPECT_FALSE(value.GetAsSystemTime(time));
    EXPECT_EQ(time.wYear, 77);
}

TEST_F(OleDateTimeTest, DateValuesAsDoubles) {
    EXPECT_EQ(static_cast<DATE>(COleDateTime(1900, 1, 1, 0, 0, 0)), 2.0);
    EXPECT_EQ(static_cast<DATE>(COleDateTime(2006, 9, 21, 18, 0, 0)), 38981.75);
    EXPECT_EQ(static_cast<DATE>(COleDateTime(1899, 12, 29, 6, 0, 0)), -1.25);
    EXPECT_EQ(static_cast<DATE>(COleDateTime(1899, 12, 28, 0, 0, 0)), -2.0);

    EXPECT_EQ(Parts(COleDateTime(38981.75)), "0 2006-9-21 18:0:0 5 264");
    EXPECT_EQ(Parts(COleDateTime(-1.25)), "0 1899-12-29 6:0:0 6 363");
    // Between -1 and 0 the fraction is still the time of 1899-12-30.
    EXPECT_EQ(Parts(COleDateTime(-0.25)), "0 1899-12-30 6:0:0 7 364");
    // Rounded to the nearest second, carrying into the next day.
    EXPECT_EQ(Parts(COleDateTime(1.9999999)), "0 1900-1-1 0:0:0 2 1");
    EXPECT_EQ(Parts(COleDateTime(2.0 + 1.4 / 86400)), "0 1900-1-1 0:0:1 2 1");
    EXPECT_EQ(Parts(COleDateTime(-657434.0)), "0 100-1-1 0:0:0 6 1");

    for (const double outside :
         {2958466.0, -657435.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(COleDateTime(outside).GetStatus(), COleDateTime::invalid) << outside;
    }
}

TEST_F(OleDateTimeTest, FromSystemTimeUnixTimeAndTheClock) {
    SYSTEMTIME time{2006, 9, 0, 21, 10, 30, 58, 999};
    const COleDateTime from_fields(time);
    EXPECT_EQ(Parts(from_fields), "0 2006-9-21 10:30:58 5 264");
    SYSTEMTIME back{};
    ASSERT_TRUE(from_fields.GetAsSystemTime(back));
    EXPECT_EQ(back.wDayOfWeek, 4);
    EXPECT_EQ(back.wMilliseconds, 0);
    time.wMonth = 2;
    time.wDay = 29;
    EXPECT_EQ(COleDateTime(time).GetStatus(), COleDateTime::invalid);

    platform::SetTimeZoneOffsetForTesting(8 * 60);
    EXPECT_EQ(Parts(COleDateTime(std::time_t{0})), "0 1970-1-1 8:0:0 5 1");
    EXPECT_EQ(Parts(COleDateTime(std::time_t{1157509800})), "0 2006-9-6 10:30:0 4 249");
    EXPECT_EQ(COleDateTime(std::time_t{-1}).GetStatus(), COleDateTime::invalid);

    platform::UseTestClock({2006, 9, 0, 6, 10, 29, 59, 900});
    EXPECT_EQ(Parts(COleDateTime::GetCurrentTime()), "0 2006-9-6 10:29:59 4 249");
    Sleep(100);
    EXPECT_EQ(Parts(COleDateTime::GetCurrentTime()), "0 2006-9-6 10:30:0 4 249");
}

TEST_F(OleDateTimeTest, AddingSpans) {
    const COleDateTime base(1900, 1, 6, 2, 5, 0);
    EXPECT_EQ(Parts(base + COleDateTimeSpan(1, 2, 5, 0)), "0 1900-1-7 4:10:0 1 7");
    EXPECT_EQ(Parts(base - COleDateTimeSpan(6, 2, 5, 1)), "0 1899-12-30 23:59:59 7 364");
    // Across the day 1900 does not have.
    EXPECT_EQ(Parts(COleDateTime(1900, 2, 28, 12, 0, 0) + COleDateTimeSpan(1, 0, 0, 0)),
              "0 1900-3-1 12:0:0 5 60");
    EXPECT_EQ(Parts(COleDateTime(2000, 2, 28, 12, 0, 0) + COleDateTimeSpan(1, 0, 0, 0)),
              "0 2000-2-29 12:0:0 3 60");

    COleDateTime value = base;
    value += COleDateTimeSpan(0, 21, 55, 0);
    EXPECT_EQ(Parts(value), "0 1900-1-7 0:0:0 1 7");
    value -= COleDateTimeSpan(0, 0, 0, 1);
    EXPECT_EQ(Parts(value), "0 1900-1-6 23:59:59 7 6");
}

TEST_F(OleDateTimeTest, SolarTermsFromLargeSpans) {
    // A solar term is its minute offset plus whole tropical years after 1900-01-06 02:05:00.
    const auto term_day = [](int year, int minutes) {
        const long double seconds = minutes * 60.0L + (year - 1900) * 31556925.9747L;
        const auto days = static_cast<LONG>(seconds / 86400);
        long double rest = seconds - days * 86400.0L;
        const auto hours = static_cast<int>(rest / 3600);
        rest -= hours * 3600.0L;
        const auto minutes_left = static_cast<int>(rest / 60);
        rest -= minutes_left * 60.0L;
        const COleDateTime moment =
            COleDateTime(1900, 1, 6, 2, 5, 0) +
            COleDateTimeSpan(days, hours, minutes_left, static_cast<int>(rest));
        return moment.GetMonth() * 100 + moment.GetDay();
    };
    EXPECT_EQ(term_day(2006, 42467), 204);    // start of spring
    EXPECT_EQ(term_day(2006, 504758), 1222);  // winter solstice
    EXPECT_EQ(term_day(1900, 0), 106);
}

TEST_F(OleDateTimeTest, DifferencesOfDates) {
    const COleDateTimeSpan lunar_offset =
        COleDateTime(2006, 1, 29, 0, 0, 0) - COleDateTime(1900, 1, 31, 0, 0, 0);
    EXPECT_EQ(lunar_offset.GetStatus(), COleDateTimeSpan::valid);
    EXPECT_EQ(lunar_offset.GetDays(), 38714);
    EXPECT_EQ(static_cast<int>(lunar_offset.GetTotalDays()), 38714);
    EXPECT_EQ((COleDateTime(2000, 3, 1, 0, 0, 0) - COleDateTime(2000, 2, 28, 0, 0, 0)).GetDays(),
              2);
    EXPECT_EQ((COleDateTime(1900, 3, 1, 0, 0, 0) - COleDateTime(1900, 2, 28, 0, 0, 0)).GetDays(),
              1);

    const COleDateTimeSpan backwards =
        COleDateTime(2006, 9, 20, 12, 0, 0) - COleDateTime(2006, 9, 21, 13, 30, 15);
    EXPECT_EQ(backwards.GetDays(), -1);
    EXPECT_EQ(backwards.GetHours(), -1);
    EXPECT_EQ(backwards.GetMinutes(), -30);
    EXPECT_EQ(backwards.GetSeconds(), -15);
}

TEST_F(OleDateTimeTest, StatusPropagatesThroughArithmetic) {
    const COleDateTime good(2006, 9, 21, 0, 0, 0);
    const COleDateTime bad(2006, 2, 30, 0, 0, 0);
    COleDateTime empty;
    empty.SetStatus(COleDateTime::null);
    COleDateTimeSpan bad_span;
    bad_span.SetStatus(COleDateTimeSpan::invalid);
    COleDateTimeSpan null_span;
    null_span.SetStatus(COleDateTimeSpan::null);

    EXPECT_EQ((bad + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((good + bad_span).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((empty + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::null);
    EXPECT_EQ((bad + null_span).GetStatus(), COleDateTime::null);
    EXPECT_EQ((good - bad).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ((empty - bad).GetStatus(), COleDateTimeSpan::null);

    // Leaving the years 100..9999 makes the result invalid.
    const COleDateTime last(9999, 12, 31, 23, 59, 59);
    EXPECT_EQ(Parts(last + COleDateTimeSpan(0, 0, 0, 1)), kInvalidParts);
    EXPECT_EQ(Parts(COleDateTime(100, 1, 1, 0, 0, 0) - COleDateTimeSpan(0, 0, 0, 1)),
              kInvalidParts);
    // The longest span is a few days shorter than the whole range of dates.
    EXPECT_EQ((last - COleDateTime(100, 1, 5, 0, 0, 0)).GetStatus(), COleDateTimeSpan::valid);
    EXPECT_EQ((last - COleDateTime(100, 1, 1, 0, 0, 0)).GetStatus(), COleDateTimeSpan::invalid);
}

TEST_F(OleDateTimeTest, ComparisonsNeedTheSameStatusForEquality) {
    const COleDateTime early(2006, 11, 28, 9, 0, 0);
    const COleDateTime late(2006, 11, 28, 9, 0, 30);
    EXPECT_TRUE(early < late);
    EXPECT_TRUE(late > early);
    EXPECT_TRUE(early <= late);
    EXPECT_FALSE(early >= late);
    EXPECT_TRUE(early == COleDateTime(2006, 11, 28, 9, 0, 0));
    EXPECT_TRUE(early != late);

    // An invalid value reads as 0, the value of the zero date, yet is not equal to it.
    const COleDateTime zero;
    const COleDateTime bad(2006, 2, 30, 0, 0, 0);
    EXPECT_FALSE(zero == bad);
    EXPECT_FALSE(zero < bad);
    EXPECT_FALSE(zero <= bad);
    EXPECT_TRUE(bad == COleDateTime(2007, 2, 29, 0, 0, 0));
}

TEST_F(OleDateTimeTest, FormatCodes) {
    const COleDateTime value(2006, 9, 21, 14, 5, 9);
    EXPECT_STREQ(value.Format("%Y-%m-%d %H:%M:%S"), "2006-09-21 14:05:09");
    EXPECT_STREQ(value.Format("%A %a %B %b %y %j %w %p %I %%"),
                 "Thursday Thu September Sep 06 264 4 PM 02 %");
    EXPECT_STREQ(COleDateTime(2000, 1, 2, 0, 7, 0).Format("%a %b %d %I:%M %p %j %w"),
                 "Sun Jan 02 12:07 AM 002 0");
    EXPECT_STREQ(COleDateTime(909, 5, 1, 12, 0, 0).Format("%Y %y %I %p"), "0909 09 12 PM");
    // GBK text passes through; an unknown code and a trailing '%' are kept.
    EXPECT_EQ(std::string(value.Format("%Y年%m月%d日 %q%")),
              "2006\xc4\xea"
              "09\xd4\xc2"
              "21\xc8\xd5 %q%");
    EXPECT_STREQ(value.Format(""), "");

    EXPECT_STREQ(COleDateTime(2006, 2, 30, 0, 0, 0).Format("%Y"), "Invalid DateTime");
    COleDateTime empty;
    empty.SetStatus(COleDateTime::null);
    EXPECT_STREQ(empty.Format("%Y"), "");
}

}  // namespace
