// Building and printing SYSTEMTIME values in the clock and conversion tests.
#pragma once

#include <cstdio>
#include <string>

#include "platform/base/WinTypes.h"

namespace platform::testing {

inline SYSTEMTIME MakeSystemTime(int year, int month, int day, int hour, int minute, int second,
                                 int milliseconds = 0) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    time.wMilliseconds = static_cast<WORD>(milliseconds);
    return time;
}

// "year-month-day weekday hour:minute:second.milliseconds"
inline std::string Text(const SYSTEMTIME& time) {
    char text[48];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %u %02u:%02u:%02u.%03u", time.wYear,
                  time.wMonth, time.wDay, time.wDayOfWeek, time.wHour, time.wMinute, time.wSecond,
                  time.wMilliseconds);
    return text;
}

}  // namespace platform::testing
