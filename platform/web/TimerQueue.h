// The page's setTimeout / setInterval timers on a virtual clock that the host advances. Nothing
// runs by itself: the host asks for the next due timer and runs it, so tests control time
// exactly and no thread is involved.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>

namespace platform::web {

class TimerQueue {
public:
    // Intervals shorter than this would let a page stall the host's pump.
    static constexpr int64_t kMinimumInterval = 10;

    int64_t now() const { return now_; }

    // A timer due `delay` ms from now (negative delays count as 0). Ids start at 1.
    int Add(int64_t delay, bool repeat);
    void Remove(int id);
    bool empty() const { return timers_.empty(); }

    // Milliseconds until the earliest timer is due (0 when one is due already).
    std::optional<int64_t> NextDelay() const;

    // Takes the earliest timer due at or before `until`, moves the clock to its due time and
    // reschedules it when it repeats. Timers due at the same time run in the order they were set.
    std::optional<int> PopDue(int64_t until);
    // Moves the clock forward to `time` (never back).
    void AdvanceTo(int64_t time);

private:
    struct Timer {
        int64_t interval;
        bool repeat;
    };
    int64_t now_ = 0;
    int nextId_ = 1;
    uint64_t nextSequence_ = 0;
    std::map<int, Timer> timers_;
    // (due time, sequence) -> id: the order in which timers fire.
    std::map<std::pair<int64_t, uint64_t>, int> schedule_;
    std::map<int, std::pair<int64_t, uint64_t>> scheduled_;

    void Schedule(int id, int64_t due);
};

}  // namespace platform::web
