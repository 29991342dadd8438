// A reminder as the tray companion holds it: a plan of the manager's data3\record.dat and whether
// it has popped up.
#pragma once

#include <cstdint>

#include "platform/text/CString.h"

struct CScheduleRecord {
    // Taken from the file's flag; 1 once the reminder has popped up.
    std::int32_t shown = 0;
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    CString text;
};
