// A plan of the planner: a date, a time of day and a text, and the small date helpers that the
// planner's pages share.
#pragma once

#include <cstdint>

#include "platform/text/CString.h"

struct ScheduleRecord {
    // 0 for every plan the manager makes; carried through load and save unchanged (the tray
    // companion marks reminders it has shown with it).
    std::int32_t flag = 0;
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    // "%04d年", "%02d月" and "%02d日" of the date, which the plan tree shows.
    char yearText[20] = {};
    char monthText[20] = {};
    char dayText[20] = {};
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    // GBK, may hold line breaks.
    CString text;

    // Remakes the three date texts from the date.
    void MakeTexts();
};

// 28 or 29 for February by the Gregorian leap rule, otherwise the month's fixed length; 0 for a
// month outside 1..12.
int GetDaysInMonth(int year, int month);
