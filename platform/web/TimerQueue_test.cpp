#include "platform/web/TimerQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform::web {
namespace {

std::vector<std::pair<int, int64_t>> RunUntil(TimerQueue& timers, int64_t until) {
    std::vector<std::pair<int, int64_t>> fired;
    while (auto id = timers.PopDue(until)) {
        fired.emplace_back(*id, timers.now());
    }
    timers.AdvanceTo(until);
    return fired;
}

TEST(TimerQueueTest, TimersFireInDueOrderThenSettingOrder) {
    TimerQueue timers;
    int late = timers.Add(50, false);
    int first = timers.Add(20, false);
    int tie = timers.Add(20, false);
    int immediate = timers.Add(-5, false);
    EXPECT_EQ(timers.NextDelay(), 0);
    EXPECT_EQ(RunUntil(timers, 49),
              (std::vector<std::pair<int, int64_t>>{{immediate, 0}, {first, 20}, {tie, 20}}));
    EXPECT_EQ(timers.now(), 49);
    EXPECT_EQ(timers.NextDelay(), 1);
    EXPECT_EQ(RunUntil(timers, 50), (std::vector<std::pair<int, int64_t>>{{late, 50}}));
    EXPECT_TRUE(timers.empty());
    EXPECT_EQ(timers.NextDelay(), std::nullopt);
}

TEST(TimerQueueTest, IntervalsRepeatWithAFloorAndStopWhenRemoved) {
    TimerQueue timers;
    int every = timers.Add(0, true);
    int once = timers.Add(15, false);
    timers.Remove(once);
    EXPECT_EQ(RunUntil(timers, 35),
              (std::vector<std::pair<int, int64_t>>{{every, 10}, {every, 20}, {every, 30}}));
    timers.Remove(every);
    timers.Remove(12345);
    EXPECT_TRUE(RunUntil(timers, 1000).empty());
    EXPECT_EQ(timers.now(), 1000);
    timers.AdvanceTo(10);
    EXPECT_EQ(timers.now(), 1000);
}

}  // namespace
}  // namespace platform::web
