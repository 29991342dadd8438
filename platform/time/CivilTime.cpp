#include "platform/time/CivilTime.h"

namespace platform {

namespace {

// Counting in 400-year eras whose years start on March 1 puts the leap day at the end of a year,
// which makes the day count of a date a closed formula.
constexpr std::int64_t kDaysPerEra = 146097;
constexpr std::int64_t kDaysFromEraZeroTo1970 = 719468;

}  // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return day >= 1 && day <= DaysInMonth(year, month);
}

std::int64_t DaysFromCivil(int year, int month, int day) {
    const std::int64_t shifted_year = month <= 2 ? std::int64_t{year} - 1 : year;
    const std::int64_t era = FloorDivide(shifted_year, 400);
    const std::int64_t year_of_era = shifted_year - era * 400;
    const std::int64_t day_of_shifted_year =
        (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_shifted_year;
    return era * kDaysPerEra + day_of_era - kDaysFromEraZeroTo1970;
}

CivilDate CivilFromDays(std::int64_t days) {
    const std::int64_t shifted = days + kDaysFromEraZeroTo1970;
    const std::int64_t era = FloorDivide(shifted, kDaysPerEra);
    const std::int64_t day_of_era = shifted - era * kDaysPerEra;
    const std::int64_t year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const std::int64_t day_of_shifted_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const std::int64_t shifted_month = (5 * day_of_shifted_year + 2) / 153;
    const int day = static_cast<int>(day_of_shifted_year - (153 * shifted_month + 2) / 5 + 1);
    const int month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
    const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), month, day};
}

int DayOfWeekFromDays(std::int64_t days) {
    // 1970-01-01 was a Thursday.
    return static_cast<int>(FloorModulo(days + 4, 7));
}

int DayOfYear(int year, int month, int day) {
    return static_cast<int>(DaysFromCivil(year, month, day) - DaysFromCivil(year, 1, 1)) + 1;
}

std::optional<std::int64_t> MillisecondsFromSystemTime(const SYSTEMTIME& time) {
    if (!IsValidDate(time.wYear, time.wMonth, time.wDay) || time.wHour > 23 || time.wMinute > 59 ||
        time.wSecond > 59 || time.wMilliseconds > 999) {
        return std::nullopt;
    }
    const std::int64_t seconds_of_day = time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
    return DaysFromCivil(time.wYear, time.wMonth, time.wDay) * kMillisecondsPerDay +
           seconds_of_day * 1000 + time.wMilliseconds;
}

SYSTEMTIME SystemTimeFromMilliseconds(std::int64_t milliseconds) {
    const std::int64_t days = FloorDivide(milliseconds, kMillisecondsPerDay);
    const std::int64_t of_day = milliseconds - days * kMillisecondsPerDay;
    const CivilDate date = CivilFromDays(days);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDayOfWeek = static_cast<WORD>(DayOfWeekFromDays(days));
    time.wDay = static_cast<WORD>(date.day);
    time.wHour = static_cast<WORD>(of_day / 3600000);
    time.wMinute = static_cast<WORD>(of_day / 60000 % 60);
    time.wSecond = static_cast<WORD>(of_day / 1000 % 60);
    time.wMilliseconds = static_cast<WORD>(of_day % 1000);
    return time;
}

}  // namespace platform
