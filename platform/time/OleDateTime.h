// A calendar date and time of day with the framework's status (valid, invalid, null). The value
// counts whole seconds from 1899-12-30 00:00:00, the zero of the OLE DATE, and spans the years
// 100..9999; the DATE double is offered for reading and construction. An impossible date or time
// makes the value invalid: nothing is ever carried into the next day or month.
#pragma once

#include <cstdint>
#include <ctime>

#include "platform/base/WinTypes.h"
#include "platform/text/CString.h"
#include "platform/time/OleDateTimeSpan.h"

// Days since 1899-12-30; the fraction is the time of day, counted away from zero for negative
// days (-1.25 is 1899-12-29 06:00).
using DATE = double;

// What the getters of a value that is not valid return.
inline constexpr int AFX_OLE_DATETIME_ERROR = -1;

class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    // Valid, 1899-12-30 00:00:00.
    COleDateTime() = default;
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    // Milliseconds and the weekday are ignored.
    COleDateTime(const SYSTEMTIME& time);
    // The local time of a Unix time; a negative one is invalid.
    COleDateTime(std::time_t time);
    // Rounded to the nearest second; NaN or a value outside the years 100..9999 is invalid.
    COleDateTime(DATE date);

    // The local time now, from the platform clock.
    static COleDateTime GetCurrentTime();

    // 0 when the value is now valid, 1 when it is invalid (its value then reads as 0).
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day);
    // The time of day on 1899-12-30.
    int SetTime(int hour, int minute, int second);

    DateTimeStatus GetStatus() const { return status_; }
    void SetStatus(DateTimeStatus status) { status_ = status; }

    // Each returns AFX_OLE_DATETIME_ERROR unless the value is valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    // 1 = Sunday .. 7 = Saturday.
    int GetDayOfWeek() const;
    // 1 = January 1.
    int GetDayOfYear() const;

    // false, leaving the fields alone, unless the value is valid; wDayOfWeek 0 = Sunday.
    bool GetAsSystemTime(SYSTEMTIME& time) const;

    // strftime codes %Y %m %d %H %M %S %I %p %A %a %B %b %y %j %w %% with the C locale's English
    // names; any other text, GBK included, is copied. A null value gives "", an invalid one
    // "Invalid DateTime".
    CString Format(const char* format) const;

    operator DATE() const;

    // Whole seconds; a null operand gives a null result, an invalid one or a result outside the
    // years 100..9999 an invalid one.
    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span);
    COleDateTime& operator-=(const COleDateTimeSpan& span);
    COleDateTimeSpan operator-(const COleDateTime& other) const;

    // Equal means the same status and the same value; the orderings compare the values.
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const { return seconds_ < other.seconds_; }
    bool operator>(const COleDateTime& other) const { return seconds_ > other.seconds_; }
    bool operator<=(const COleDateTime& other) const { return *this < other || *this == other; }
    bool operator>=(const COleDateTime& other) const { return *this > other || *this == other; }

private:
    static COleDateTime FromSeconds(std::int64_t seconds);
    void SetInvalid();

    std::int64_t seconds_ = 0;
    DateTimeStatus status_ = valid;
};
