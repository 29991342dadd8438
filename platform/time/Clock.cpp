#include "platform/time/Clock.h"

#include <algorithm>
#include <ctime>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "platform/time/CivilTime.h"

namespace platform {

namespace {

struct ClockState {
    std::mutex mutex;
    bool virtual_clock = false;
    std::int64_t virtual_unix_ms = 0;
    std::int64_t virtual_monotonic_ms = 0;
    // Added to the steady clock so that leaving test mode after an advance keeps the monotonic
    // reading from going backwards.
    std::int64_t monotonic_carry_ms = 0;
    std::optional<int> zone_offset_seconds;
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

std::int64_t NowUnixMilliseconds() {
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    return state.virtual_clock ? state.virtual_unix_ms : RealUnixMilliseconds();
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
    if (!state.virtual_clock) {
        state.virtual_monotonic_ms = SteadyMilliseconds() + state.monotonic_carry_ms;
    }
    state.virtual_clock = true;
    state.virtual_unix_ms = unix_ms;
}

void AdvanceTestClock(std::chrono::milliseconds amount) {
    if (amount.count() < 0) {
        throw std::invalid_argument("AdvanceTestClock: the clock only moves forward");
    }
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    if (!state.virtual_clock) {
        throw std::logic_error("AdvanceTestClock: the real clock is in use");
    }
    state.virtual_unix_ms += amount.count();
    state.virtual_monotonic_ms += amount.count();
}

void UseRealClock() {
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    if (!state.virtual_clock) {
        return;
    }
    state.virtual_clock = false;
    const std::int64_t behind = state.virtual_monotonic_ms - SteadyMilliseconds();
    if (behind > state.monotonic_carry_ms) {
        state.monotonic_carry_ms = behind;
    }
}

bool IsTestClockInUse() {
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    return state.virtual_clock;
}

void SetTimeZoneOffsetForTesting(std::optional<int> minutesEastOfUtc) {
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    state.zone_offset_seconds.reset();
    if (minutesEastOfUtc) {
        state.zone_offset_seconds = *minutesEastOfUtc * 60;
    }
}

std::int64_t CurrentUnixTime() {
    return FloorDivide(NowUnixMilliseconds(), 1000);
}

std::chrono::milliseconds MonotonicNow() {
    ClockState& state = State();
    std::lock_guard lock(state.mutex);
    return std::chrono::milliseconds(state.virtual_clock
                                         ? state.virtual_monotonic_ms
                                         : SteadyMilliseconds() + state.monotonic_carry_ms);
}

int LocalOffsetSeconds(std::int64_t unixTime) {
    {
        ClockState& state = State();
        std::lock_guard lock(state.mutex);
        if (state.zone_offset_seconds) {
            return *state.zone_offset_seconds;
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
    bool virtual_clock = false;
    {
        platform::ClockState& state = platform::State();
        std::lock_guard lock(state.mutex);
        virtual_clock = state.virtual_clock;
        if (virtual_clock) {
            state.virtual_unix_ms += milliseconds;
            state.virtual_monotonic_ms += milliseconds;
        }
    }
    if (virtual_clock || milliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::min(milliseconds, platform::kLongestSleepMilliseconds)));
}
