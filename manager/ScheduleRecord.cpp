#include "manager/ScheduleRecord.h"

#include <cstdio>

void ScheduleRecord::MakeTexts() {
    std::snprintf(yearText, sizeof(yearText), "%04d年", year);
    std::snprintf(monthText, sizeof(monthText), "%02d月", month);
    std::snprintf(dayText, sizeof(dayText), "%02d日", day);
}

int GetDaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) {
        return 29;
    }
    return kDays[month - 1];
}
