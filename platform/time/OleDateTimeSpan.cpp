#include "platform/time/OleDateTimeSpan.h"

#include <cmath>

#include "platform/time/CivilTime.h"

namespace {

constexpr std::int64_t kLongestSpanSeconds =
    COleDateTimeSpan::kLongestSpanDays * platform::kSecondsPerDay;

}  // namespace

COleDateTimeSpan::COleDateTimeSpan(double days) {
    if (!(std::fabs(days) <= static_cast<double>(kLongestSpanDays))) {
        status_ = invalid;
        return;
    }
    seconds_ = std::llround(days * static_cast<double>(platform::kSecondsPerDay));
}

COleDateTimeSpan::COleDateTimeSpan(LONG days, int hours, int minutes, int seconds) {
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG days, int hours, int minutes, int seconds) {
    *this = FromSeconds(std::int64_t{days} * platform::kSecondsPerDay + std::int64_t{hours} * 3600 +
                        std::int64_t{minutes} * 60 + seconds);
}

COleDateTimeSpan COleDateTimeSpan::FromSeconds(std::int64_t seconds) {
    COleDateTimeSpan span;
    if (seconds < -kLongestSpanSeconds || seconds > kLongestSpanSeconds) {
        span.status_ = invalid;
    } else {
        span.seconds_ = seconds;
    }
    return span;
}

double COleDateTimeSpan::GetTotalDays() const {
    return static_cast<double>(seconds_) / static_cast<double>(platform::kSecondsPerDay);
}

double COleDateTimeSpan::GetTotalHours() const {
    return static_cast<double>(seconds_) / 3600.0;
}

double COleDateTimeSpan::GetTotalMinutes() const {
    return static_cast<double>(seconds_) / 60.0;
}

double COleDateTimeSpan::GetTotalSeconds() const {
    return static_cast<double>(seconds_);
}

LONG COleDateTimeSpan::GetDays() const {
    return static_cast<LONG>(seconds_ / platform::kSecondsPerDay);
}

LONG COleDateTimeSpan::GetHours() const {
    return static_cast<LONG>(seconds_ / 3600 % 24);
}

LONG COleDateTimeSpan::GetMinutes() const {
    return static_cast<LONG>(seconds_ / 60 % 60);
}

LONG COleDateTimeSpan::GetSeconds() const {
    return static_cast<LONG>(seconds_ % 60);
}

COleDateTimeSpan COleDateTimeSpan::Combine(const COleDateTimeSpan& other,
                                           std::int64_t seconds) const {
    COleDateTimeSpan result;
    if (status_ == null || other.status_ == null) {
        result.status_ = null;
    } else if (status_ == invalid || other.status_ == invalid) {
        result.status_ = invalid;
    } else {
        result = FromSeconds(seconds);
    }
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const {
    return Combine(other, seconds_ + other.seconds_);
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const {
    return Combine(other, seconds_ - other.seconds_);
}

COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan& other) {
    return *this = *this + other;
}

COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan& other) {
    return *this = *this - other;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const {
    COleDateTimeSpan result = *this;
    result.seconds_ = -seconds_;
    return result;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& other) const {
    return status_ == other.status_ && seconds_ == other.seconds_;
}
