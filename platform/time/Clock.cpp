#include "platform/time/Clock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "platform/time/CivilTime.h"

namespace platform {

namespace {

struct ClockState {
    std::mutex mutex;
    bool virtualClock = false;
    std::int64_t virtualUnixMs = 0;
    std::int64_t virtualMonotonicMs = 0;
    // Added to the steady clock so that leaving test mode after an advance keeps the monotonic
    // reading from going backwards.
    std::int64_t monotonicCarryMs = 0;
    std::optional<int> zoneOffsetSeconds;
};

ClockState& State() {
    static ClockState state;
    return state;
}

std::int64_t SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t RealUnixMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// How far PLATFORM_CLOCK_START ("YYYY-MM-DD HH:MM:SS", local time) moves the real wall clock:
// the process's clock starts there and runs on at the real pace. 0 without it, or when it is not
// a valid time.
std::int64_t ReadClockStart() {
    const char* text = std::getenv("PLATFORM_CLOCK_START");
    SYSTEMTIME start{};
    int fields[6] = {};
    if (text == nullptr || std::sscanf(text, "%d-%d-%d %d:%d:%d", &fields[0], &fields[1],
                                       &fields[2], &fields[3], &fields[4], &fields[5]) != 6) {
        return 0;
    }
    for (int field : fields) {
        if (field < 0 || field > 65535) {
            return 0;
        }
    }
    start.wYear = static_cast<WORD>(fields[0]);
    start.wMonth = static_cast<WORD>(fields[1]);
    start.wDay = static_cast<WORD>(fields[2]);
    start.wHour = static_cast<WORD>(fields[3]);
    start.wMinute = static_cast<WORD>(fields[4]);
    start.wSecond = static_cast<WORD>(fields[5]);
    const std::optional<std::int64_t> local_ms = MillisecondsFromSystemTime(start);
    if (!local_ms) {
        return 0;
    }
    const std::int64_t local_seconds = FloorDivide(*local_ms, 1000);
    const std::int64_t unix_ms =
        (UnixTimeFromLocal(local_seconds) - local_seconds) * 1000 + *local_ms;
    return unix_ms - RealUnixMilliseconds();
}

std::int64_t NowUnixMilliseconds() {
    // Read before the lock: the conversion takes it.
    static const std::int64_t start_offset = ReadClockStart();
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    return state.virtualClock ? state.virtualUnixMs : RealUnixMilliseconds() + start_offset;
}

int SystemOffsetSeconds(std::int64_t unix_time) {
    const std::time_t time = static_cast<std::time_t>(unix_time);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) {
        return 0;
    }
    return static_cast<int>(local.tm_gmtoff);
}

}  // namespace

void UseTestClock(const SYSTEMTIME& localStart) {
    const std::optional<std::int64_t> local_ms = MillisecondsFromSystemTime(localStart);
    if (!local_ms) {
        throw std::invalid_argument("UseTestClock: not a valid local time");
    }
    const std::int64_t local_seconds = FloorDivide(*local_ms, 1000);
    const std::int64_t unix_ms =
        (UnixTimeFromLocal(local_seconds) - local_seconds) * 1000 + *local_ms;
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    if (!state.virtualClock) {
        state.virtualMonotonicMs = SteadyMilliseconds() + state.monotonicCarryMs;
    }
    state.virtualClock = true;
    state.virtualUnixMs = unix_ms;
}

void AdvanceTestClock(std::chrono::milliseconds amount) {
    if (amount.count() < 0) {
        throw std::invalid_argument("AdvanceTestClock: the clock only moves forward");
    }
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    if (!state.virtualClock) {
        throw std::logic_error("AdvanceTestClock: the real clock is in use");
    }
    state.virtualUnixMs += amount.count();
    state.virtualMonotonicMs += amount.count();
}

void UseRealClock() {
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    if (!state.virtualClock) {
        return;
    }
    state.virtualClock = false;
    const std::int64_t behind = state.virtualMonotonicMs - SteadyMilliseconds();
    if (behind > state.monotonicCarryMs) {
        state.monotonicCarryMs = behind;
    }
}

bool IsTestClockInUse() {
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    return state.virtualClock;
}

void SetTimeZoneOffsetForTesting(std::optional<int> minutesEastOfUtc) {
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    state.zoneOffsetSeconds.reset();
    if (minutesEastOfUtc) {
        state.zoneOffsetSeconds = *minutesEastOfUtc * 60;
    }
}

std::int64_t CurrentUnixTime() {
    return FloorDivide(NowUnixMilliseconds(), 1000);
}

std::chrono::milliseconds MonotonicNow() {
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    return std::chrono::milliseconds(state.virtualClock
                                         ? state.virtualMonotonicMs
                                         : SteadyMilliseconds() + state.monotonicCarryMs);
}

int LocalOffsetSeconds(std::int64_t unixTime) {
    {
        ClockState& state = State();
        std::lock_guard lock(state.mutex);
        if (state.zoneOffsetSeconds) {
            return *state.zoneOffsetSeconds;
        }
    }
    return SystemOffsetSeconds(unixTime);
}

std::int64_t LocalFromUnixTime(std::int64_t unixTime) {
    return unixTime + LocalOffsetSeconds(unixTime);
}

std::int64_t UnixTimeFromLocal(std::int64_t localTime) {
    // The offset that applies is the one at the UTC instant being looked for; one correction step
    // from the offset at the naive guess finds it except inside a daylight-saving change.
    const std::int64_t guess = localTime - LocalOffsetSeconds(localTime);
    return localTime - LocalOffsetSeconds(guess);
}

}  // namespace platform

void GetLocalTime(SYSTEMTIME* time) {
    if (time == nullptr) {
        return;
    }
    const std::int64_t unix_ms = platform::NowUnixMilliseconds();
    const int offset = platform::LocalOffsetSeconds(platform::FloorDivide(unix_ms, 1000));
    *time = platform::SystemTimeFromMilliseconds(unix_ms + std::int64_t{offset} * 1000);
}

void GetSystemTime(SYSTEMTIME* time) {
    if (time == nullptr) {
        return;
    }
    *time = platform::SystemTimeFromMilliseconds(platform::NowUnixMilliseconds());
}

DWORD GetTickCount() {
    return static_cast<DWORD>(platform::MonotonicNow().count());
}

void Sleep(DWORD milliseconds) {
    bool virtualClock = false;
    {
        platform::ClockState& state = platform::State();
        std::lock_guard lock(state.mutex);
        virtualClock = state.virtualClock;
        if (virtualClock) {
            state.virtualUnixMs += milliseconds;
            state.virtualMonotonicMs += milliseconds;
        }
    }
    if (virtualClock || milliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::min(milliseconds, platform::kLongestSleepMilliseconds)));
}
