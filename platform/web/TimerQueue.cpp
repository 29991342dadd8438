#include "platform/web/TimerQueue.h"

#include <algorithm>

namespace platform::web {

void TimerQueue::Schedule(int id, int64_t due) {
    std::pair<int64_t, uint64_t> key{due, nextSequence_++};
    schedule_[key] = id;
    scheduled_[id] = key;
}

int TimerQueue::Add(int64_t delay, bool repeat) {
    delay = std::max<int64_t>(delay, 0);
    if (repeat) {
        delay = std::max(delay, kMinimumInterval);
    }
    int id = nextId_++;
    timers_[id] = {delay, repeat};
    Schedule(id, now_ + delay);
    return id;
}

void TimerQueue::Remove(int id) {
    auto found = scheduled_.find(id);
    if (found != scheduled_.end()) {
        schedule_.erase(found->second);
        scheduled_.erase(found);
    }
    timers_.erase(id);
}

std::optional<int64_t> TimerQueue::NextDelay() const {
    if (schedule_.empty()) {
        return std::nullopt;
    }
    return std::max<int64_t>(schedule_.begin()->first.first - now_, 0);
}

std::optional<int> TimerQueue::PopDue(int64_t until) {
    if (schedule_.empty() || schedule_.begin()->first.first > until) {
        return std::nullopt;
    }
    auto first = schedule_.begin();
    int id = first->second;
    now_ = std::max(now_, first->first.first);
    schedule_.erase(first);
    scheduled_.erase(id);
    const Timer& timer = timers_[id];
    if (timer.repeat) {
        Schedule(id, now_ + timer.interval);
    } else {
        timers_.erase(id);
    }
    return id;
}

void TimerQueue::AdvanceTo(int64_t time) {
    now_ = std::max(now_, time);
}

}  // namespace platform::web
