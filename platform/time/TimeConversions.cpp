#include "platform/time/TimeConversions.h"

#include <cstdint>
#include <optional>

#include "platform/time/CivilTime.h"
#include "platform/time/Clock.h"

namespace {

constexpr std::int64_t kTicksPerMillisecond = 10000;
constexpr std::int64_t kTicksPerSecond = 10000000;
// Milliseconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kFileTimeEpochMilliseconds = 11644473600000;
constexpr int kLastFileTimeYear = 30827;

BOOL Fail() {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

std::optional<std::int64_t> TicksOf(const FILETIME& fileTime) {
    const std::uint64_t ticks =
        (std::uint64_t{fileTime.dwHighDateTime} << 32) | fileTime.dwLowDateTime;
    if (ticks > static_cast<std::uint64_t>(INT64_MAX)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(ticks);
}

FILETIME FileTimeOf(std::int64_t ticks) {
    const auto bits = static_cast<std::uint64_t>(ticks);
    return {static_cast<DWORD>(bits & 0xFFFFFFFFu), static_cast<DWORD>(bits >> 32)};
}

std::optional<std::int64_t> UnixMillisecondsOf(const SYSTEMTIME& time) {
    if (time.wYear < 1601 || time.wYear > kLastFileTimeYear) {
        return std::nullopt;
    }
    return platform::MillisecondsFromSystemTime(time);
}

// The present offset in FILETIME ticks; ShiftTicks refuses results below 1601 or past the range.
std::int64_t PresentOffsetTicks() {
    return std::int64_t{platform::LocalOffsetSeconds(platform::CurrentUnixTime())} *
           kTicksPerSecond;
}

BOOL ShiftTicks(const FILETIME* from, FILETIME* to, std::int64_t offsetTicks) {
    if (from == nullptr || to == nullptr) {
        return Fail();
    }
    const std::optional<std::int64_t> ticks = TicksOf(*from);
    if (!ticks || (offsetTicks < 0 && *ticks < -offsetTicks) ||
        (offsetTicks > 0 && *ticks > INT64_MAX - offsetTicks)) {
        return Fail();
    }
    *to = FileTimeOf(*ticks + offsetTicks);
    return TRUE;
}

}  // namespace

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
    if (fileTime == nullptr || systemTime == nullptr) {
        return Fail();
    }
    const std::optional<std::int64_t> ticks = TicksOf(*fileTime);
    if (!ticks) {
        return Fail();
    }
    *systemTime = platform::SystemTimeFromMilliseconds(*ticks / kTicksPerMillisecond -
                                                       kFileTimeEpochMilliseconds);
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime) {
    if (systemTime == nullptr || fileTime == nullptr) {
        return Fail();
    }
    const std::optional<std::int64_t> unix_ms = UnixMillisecondsOf(*systemTime);
    if (!unix_ms) {
        return Fail();
    }
    *fileTime = FileTimeOf((*unix_ms + kFileTimeEpochMilliseconds) * kTicksPerMillisecond);
    return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime) {
    return ShiftTicks(fileTime, localFileTime, PresentOffsetTicks());
}

BOOL LocalFileTimeToFileTime(const FILETIME* localFileTime, FILETIME* fileTime) {
    return ShiftTicks(localFileTime, fileTime, -PresentOffsetTicks());
}

BOOL SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* timeZone, const SYSTEMTIME* utc,
                                     SYSTEMTIME* local) {
    if (timeZone != nullptr || utc == nullptr || local == nullptr) {
        return Fail();
    }
    const std::optional<std::int64_t> unix_ms = UnixMillisecondsOf(*utc);
    if (!unix_ms) {
        return Fail();
    }
    const int offset = platform::LocalOffsetSeconds(platform::FloorDivide(*unix_ms, 1000));
    *local = platform::SystemTimeFromMilliseconds(*unix_ms + std::int64_t{offset} * 1000);
    return TRUE;
}

BOOL DosDateTimeToFileTime(WORD fatDate, WORD fatTime, FILETIME* fileTime) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(1980 + (fatDate >> 9));
    time.wMonth = (fatDate >> 5) & 0x0F;
    time.wDay = fatDate & 0x1F;
    time.wHour = fatTime >> 11;
    time.wMinute = (fatTime >> 5) & 0x3F;
    time.wSecond = static_cast<WORD>((fatTime & 0x1F) * 2);
    return SystemTimeToFileTime(&time, fileTime);
}

BOOL FileTimeToDosDateTime(const FILETIME* fileTime, WORD* fatDate, WORD* fatTime) {
    SYSTEMTIME time{};
    if (fatDate == nullptr || fatTime == nullptr || !FileTimeToSystemTime(fileTime, &time) ||
        time.wYear < 1980 || time.wYear > 2107) {
        return Fail();
    }
    *fatDate = static_cast<WORD>(((time.wYear - 1980) << 9) | (time.wMonth << 5) | time.wDay);
    *fatTime = static_cast<WORD>((time.wHour << 11) | (time.wMinute << 5) | (time.wSecond / 2));
    return TRUE;
}
