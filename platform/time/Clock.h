// The one clock of the programs. Programs read the real clock (moved to start at the local time
// that PLATFORM_CLOCK_START gives as "YYYY-MM-DD HH:MM:SS", when set: tests start programs at an
// exact moment that way); a test switches the process to a virtual clock that stands still until
// the test (or a Sleep) advances it, so that everything that depends on "now" (reminders, backups
// at a minute, file names with a time stamp, timers) can be driven to an exact moment. All
// functions are safe to call from any thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "platform/base/WinTypes.h"

namespace platform {

// The longest pause that Sleep makes on the real clock: a day.
inline constexpr DWORD kLongestSleepMilliseconds = 24 * 60 * 60 * 1000;

// Switches this process to the virtual clock, starting at the given local time (read through the
// current time zone; wDayOfWeek is ignored and an impossible date throws std::invalid_argument).
// The monotonic reading carries on from where it was, so it never runs backwards.
void UseTestClock(const SYSTEMTIME& localStart);
// Moves the virtual wall clock and the monotonic reading forward together; throws
// std::logic_error while the real clock is in use and std::invalid_argument for a negative amount.
void AdvanceTestClock(std::chrono::milliseconds amount);
void UseRealClock();
bool IsTestClockInUse();

// Fixes the local time zone to a constant offset east of UTC; nullopt returns to the system's
// zone (the TZ rules as localtime_r reads them, daylight saving included).
void SetTimeZoneOffsetForTesting(std::optional<int> minutesEastOfUtc);

// Seconds since 1970-01-01 00:00:00 UTC: the time(NULL) of the programs.
std::int64_t CurrentUnixTime();
// A reading that only moves forward: the steady clock, or the virtual one in test mode. Timers
// measure their periods against it.
std::chrono::milliseconds MonotonicNow();

// Local time minus UTC at the given instant, in seconds.
int LocalOffsetSeconds(std::int64_t unixTime);
// Seconds since 1970-01-01 00:00:00 of the local wall clock, and back. A local time that a
// daylight-saving change skips or repeats resolves to one of its candidates.
std::int64_t LocalFromUnixTime(std::int64_t unixTime);
std::int64_t UnixTimeFromLocal(std::int64_t localTime);

}  // namespace platform

// The current local and UTC time, milliseconds included.
void GetLocalTime(SYSTEMTIME* time);
void GetSystemTime(SYSTEMTIME* time);
// Milliseconds of the monotonic reading, wrapping at 2^32 like the system's (about 49.7 days).
DWORD GetTickCount();
// Real clock: 0 yields the processor, any other value blocks the calling thread, at most
// platform::kLongestSleepMilliseconds (INFINITE included). Virtual clock: advances the virtual
// clock by the whole amount and yields, without blocking, so that a test never waits for a
// program's pause.
void Sleep(DWORD milliseconds);
