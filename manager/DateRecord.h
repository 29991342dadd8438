// The desktop manager's date record: seven 32-bit integers, a flag, then year, month, day, hour,
// minute and second. The calendar page hands the plan edit dialog its date in one, and the date
// picker edits the year, month and day of its owner's.
#pragma once

#include <cstdint>

struct DateRecord {
    std::int32_t flag = 0;
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
};
