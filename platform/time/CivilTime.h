// Proleptic Gregorian calendar arithmetic on plain counts. Every date and time layer of the
// platform (the clock, FILETIME, the OLE date-time values) shares it, so they agree on leap years
// and weekdays for every year any of them can hold.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/base/WinTypes.h"

namespace platform {

inline constexpr std::int64_t kSecondsPerDay = 86400;
inline constexpr std::int64_t kMillisecondsPerDay = kSecondsPerDay * 1000;

struct CivilDate {
    int year;
    int month;
    int day;
};

// Rounds toward negative infinity, so that instants before 1970 split into a day and a
// non-negative time of day.
constexpr std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

constexpr std::int64_t FloorModulo(std::int64_t value, std::int64_t divisor) {
    return value - FloorDivide(value, divisor) * divisor;
}

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);

// Days since 1970-01-01; any year, valid dates only.
std::int64_t DaysFromCivil(int year, int month, int day);
CivilDate CivilFromDays(std::int64_t days);
// 0 = Sunday .. 6 = Saturday.
int DayOfWeekFromDays(std::int64_t days);
// 1-based.
int DayOfYear(int year, int month, int day);

// Milliseconds since 1970-01-01 00:00:00 of the clock that the fields are read on. The year is
// not range-checked here (each caller has its own range); wDayOfWeek is ignored on input.
std::optional<std::int64_t> MillisecondsFromSystemTime(const SYSTEMTIME& time);
// The fields of an instant whose year fits a WORD (1601..30828 for FILETIME, 100..9999 for dates).
SYSTEMTIME SystemTimeFromMilliseconds(std::int64_t milliseconds);

}  // namespace platform
