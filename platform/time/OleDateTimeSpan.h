// A signed length of time between two date-time values, with the framework's status. The value is
// held as whole seconds, so sums and differences of date-time values are exact; the framework's
// day count as a double is offered for reading and construction.
#pragma once

#include <cstdint>

#include "platform/base/WinTypes.h"

class COleDateTime;

class COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    // A span longer than this many days either way is invalid.
    static constexpr std::int64_t kLongestSpanDays = 3615897;

    COleDateTimeSpan() = default;
    // Days as a fraction, rounded to the nearest second; NaN or a span out of range is invalid.
    COleDateTimeSpan(double days);
    // The parts are added up, so they may be negative or exceed their natural range.
    COleDateTimeSpan(LONG days, int hours, int minutes, int seconds);

    void SetDateTimeSpan(LONG days, int hours, int minutes, int seconds);

    DateTimeSpanStatus GetStatus() const { return status_; }
    void SetStatus(DateTimeSpanStatus status) { status_ = status; }

    double GetTotalDays() const;
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;
    // The parts of the span, each truncated toward zero and carrying the span's sign: a span of
    // -1.5 days is -1 day and -12 hours.
    LONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    operator double() const { return GetTotalDays(); }

    // A null operand makes the result null; otherwise an invalid operand or a result out of range
    // makes it invalid.
    COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& other);
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& other);
    COleDateTimeSpan operator-() const;

    // Equal means the same status and the same length; the orderings compare the lengths.
    bool operator==(const COleDateTimeSpan& other) const;
    bool operator!=(const COleDateTimeSpan& other) const { return !(*this == other); }
    bool operator<(const COleDateTimeSpan& other) const { return seconds_ < other.seconds_; }
    bool operator>(const COleDateTimeSpan& other) const { return seconds_ > other.seconds_; }
    bool operator<=(const COleDateTimeSpan& other) const { return *this < other || *this == other; }
    bool operator>=(const COleDateTimeSpan& other) const { return *this > other || *this == other; }

private:
    friend class COleDateTime;

    static COleDateTimeSpan FromSeconds(std::int64_t seconds);
    COleDateTimeSpan Combine(const COleDateTimeSpan& other, std::int64_t seconds) const;

    std::int64_t seconds_ = 0;
    DateTimeSpanStatus status_ = valid;
};
