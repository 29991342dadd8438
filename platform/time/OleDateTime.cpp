#include "platform/time/OleDateTime.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/time/CivilTime.h"
#include "platform/time/Clock.h"

namespace {

constexpr std::int64_t kSecondsPerDay = platform::kSecondsPerDay;
// 1899-12-30 is 25569 days before 1970-01-01.
constexpr std::int64_t kDaysFrom1970ToZero = -25569;
// 100-01-01 and 9999-12-31, in days from 1899-12-30.
constexpr std::int64_t kFirstDay = -657434;
constexpr std::int64_t kLastDay = 2958465;
constexpr std::int64_t kFirstSecond = kFirstDay * kSecondsPerDay;
constexpr std::int64_t kLastSecond = kLastDay * kSecondsPerDay + kSecondsPerDay - 1;

constexpr const char* kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};

void AppendNumber(std::string& text, int value, int width) {
    char digits[16];
    const int length = std::snprintf(digits, sizeof digits, "%0*d", width, value);
    text.append(digits, static_cast<std::size_t>(length));
}

}  // namespace

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const SYSTEMTIME& time) {
    SetDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

COleDateTime::COleDateTime(std::time_t time) {
    if (time < 0) {
        SetInvalid();
        return;
    }
    *this = FromSeconds(platform::LocalFromUnixTime(time) - kDaysFrom1970ToZero * kSecondsPerDay);
}

COleDateTime::COleDateTime(DATE date) {
    // Checked before rounding so that the integer conversions cannot overflow.
    if (!(std::fabs(date) < static_cast<double>(kLastDay + 2))) {
        SetInvalid();
        return;
    }
    const double whole_days = std::trunc(date);
    const std::int64_t time_of_day =
        std::llround(std::fabs(date - whole_days) * static_cast<double>(kSecondsPerDay));
    *this = FromSeconds(static_cast<std::int64_t>(whole_days) * kSecondsPerDay + time_of_day);
}

COleDateTime COleDateTime::GetCurrentTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return COleDateTime(now);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || !platform::IsValidDate(year, month, day) || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        SetInvalid();
        return 1;
    }
    const std::int64_t days = platform::DaysFromCivil(year, month, day) - kDaysFrom1970ToZero;
    seconds_ = days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    status_ = valid;
    return 0;
}

int COleDateTime::SetDate(int year, int month, int day) {
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetTime(int hour, int minute, int second) {
    return SetDateTime(1899, 12, 30, hour, minute, second);
}

void COleDateTime::SetInvalid() {
    seconds_ = 0;
    status_ = invalid;
}

COleDateTime COleDateTime::FromSeconds(std::int64_t seconds) {
    COleDateTime result;
    if (seconds < kFirstSecond || seconds > kLastSecond) {
        result.SetInvalid();
    } else {
        result.seconds_ = seconds;
    }
    return result;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& time) const {
    if (status_ != valid) {
        return false;
    }
    time = platform::SystemTimeFromMilliseconds((seconds_ + kDaysFrom1970ToZero * kSecondsPerDay) *
                                                1000);
    return true;
}

int COleDateTime::GetYear() const {
    SYSTEMTIME time;
    return GetAsSystemTime(time) ? time.wYear : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetMonth() const {
    SYSTEMTIME time;
    return GetAsSystemTime(time) ? time.wMonth : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetDay() const {
    SYSTEMTIME time;
    return GetAsSystemTime(time) ? time.wDay : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetHour() const {
    SYSTEMTIME time;
    return GetAsSystemTime(time) ? time.wHour : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetMinute() const {
    SYSTEMTIME time;
    return GetAsSystemTime(time) ? time.wMinute : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetSecond() const {
    SYSTEMTIME time;
    return GetAsSystemTime(time) ? time.wSecond : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetDayOfWeek() const {
    SYSTEMTIME time;
    return GetAsSystemTime(time) ? time.wDayOfWeek + 1 : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetDayOfYear() const {
    SYSTEMTIME time;
    return GetAsSystemTime(time) ? platform::DayOfYear(time.wYear, time.wMonth, time.wDay)
                                 : AFX_OLE_DATETIME_ERROR;
}

CString COleDateTime::Format(const char* format) const {
    if (status_ == null || format == nullptr) {
        return CString();
    }
    SYSTEMTIME time;
    if (!GetAsSystemTime(time)) {
        return CString("Invalid DateTime");
    }
    const int hour12 = time.wHour % 12 == 0 ? 12 : time.wHour % 12;
    std::string text;
    for (const char* cursor = format; *cursor != '\0'; ++cursor) {
        // A GBK trail byte is never '%', so a byte-wise scan cannot split a character.
        if (*cursor != '%' || cursor[1] == '\0') {
            text += *cursor;
            continue;
        }
        ++cursor;
        switch (*cursor) {
            case 'Y':
                AppendNumber(text, time.wYear, 4);
                break;
            case 'y':
                AppendNumber(text, time.wYear % 100, 2);
                break;
            case 'm':
                AppendNumber(text, time.wMonth, 2);
                break;
            case 'd':
                AppendNumber(text, time.wDay, 2);
                break;
            case 'H':
                AppendNumber(text, time.wHour, 2);
                break;
            case 'I':
                AppendNumber(text, hour12, 2);
                break;
            case 'M':
                AppendNumber(text, time.wMinute, 2);
                break;
            case 'S':
                AppendNumber(text, time.wSecond, 2);
                break;
            case 'j':
                AppendNumber(text, GetDayOfYear(), 3);
                break;
            case 'w':
                AppendNumber(text, time.wDayOfWeek, 1);
                break;
            case 'p':
                text += time.wHour < 12 ? "AM" : "PM";
                break;
            case 'A':
                text += kDayNames[time.wDayOfWeek];
                break;
            case 'a':
                text.append(kDayNames[time.wDayOfWeek], 3);
                break;
            case 'B':
                text += kMonthNames[time.wMonth - 1];
                break;
            case 'b':
                text.append(kMonthNames[time.wMonth - 1], 3);
                break;
            case '%':
                text += '%';
                break;
            default:
                text += '%';
                text += *cursor;
                break;
        }
    }
    return CString(std::string_view(text));
}

COleDateTime::operator DATE() const {
    const std::int64_t days = platform::FloorDivide(seconds_, kSecondsPerDay);
    const double fraction =
        static_cast<double>(seconds_ - days * kSecondsPerDay) / static_cast<double>(kSecondsPerDay);
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const {
    COleDateTime result;
    if (status_ == null || span.status_ == COleDateTimeSpan::null) {
        result.status_ = null;
    } else if (status_ == invalid || span.status_ == COleDateTimeSpan::invalid) {
        result.status_ = invalid;
    } else {
        result = FromSeconds(seconds_ + span.seconds_);
    }
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const {
    return *this + -span;
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& span) {
    return *this = *this + span;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& span) {
    return *this = *this - span;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const {
    COleDateTimeSpan result;
    if (status_ == null || other.status_ == null) {
        result.status_ = COleDateTimeSpan::null;
    } else if (status_ == invalid || other.status_ == invalid) {
        result.status_ = COleDateTimeSpan::invalid;
    } else {
        result = COleDateTimeSpan::FromSeconds(seconds_ - other.seconds_);
    }
    return result;
}

bool COleDateTime::operator==(const COleDateTime& other) const {
    return status_ == other.status_ && seconds_ == other.seconds_;
}
