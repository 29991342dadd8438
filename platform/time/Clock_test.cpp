#include "platform/time/Clock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/time/CivilTime.h"
#include "platform/time/SystemTimeTest.h"

namespace {

using platform::testing::MakeSystemTime;
using platform::testing::Text;

using namespace std::chrono_literals;

class ClockTest : public ::testing::Test {
protected:
    void TearDown() override {
        platform::UseRealClock();
        platform::SetTimeZoneOffsetForTesting(std::nullopt);
    }
};

// Sets TZ for the system-zone tests and puts the previous value back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            old_ = old;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (old_) {
            setenv("TZ", old_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::optional<std::string> old_;
};

std::string LocalNow() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return Text(time);
}

std::string UtcNow() {
    SYSTEMTIME time;
    GetSystemTime(&time);
    return Text(time);
}

TEST_F(ClockTest, TestClockStandsAtItsStartInLocalAndUtcTime) {
    platform::SetTimeZoneOffsetForTesting(8 * 60);
    platform::UseTestClock(MakeSystemTime(2006, 9, 6, 10, 30, 0));
    EXPECT_TRUE(platform::IsTestClockInUse());

    EXPECT_EQ(LocalNow(), "2006-09-06 3 10:30:00.000");
    EXPECT_EQ(UtcNow(), "2006-09-06 3 02:30:00.000");
    EXPECT_EQ(platform::CurrentUnixTime(), 1157509800);
}

TEST_F(ClockTest, SleepAndAdvanceMoveWallClockAndTicksTogether) {
    platform::SetTimeZoneOffsetForTesting(0);
    platform::UseTestClock(MakeSystemTime(1999, 12, 31, 23, 59, 58));
    const DWORD start_ticks = GetTickCount();
    const auto start_monotonic = platform::MonotonicNow();

    Sleep(1500);
    EXPECT_EQ(GetTickCount() - start_ticks, 1500u);
    EXPECT_EQ(LocalNow(), "1999-12-31 5 23:59:59.500");

    Sleep(0);
    EXPECT_EQ(GetTickCount() - start_ticks, 1500u);

    platform::AdvanceTestClock(600ms);
    EXPECT_EQ(LocalNow(), "2000-01-01 6 00:00:00.100");
    EXPECT_EQ(platform::MonotonicNow() - start_monotonic, 2100ms);
    EXPECT_EQ(platform::CurrentUnixTime(), 946684800);

    // The largest Sleep is not clamped on the virtual clock and does not block.
    Sleep(0xFFFFFFFF);
    EXPECT_EQ(GetTickCount() - start_ticks, 2100u - 1u);
}

TEST_F(ClockTest, TickCountWrapsAtTwoToThe32) {
    platform::UseTestClock(MakeSystemTime(2024, 1, 1, 0, 0, 0));
    const DWORD start = GetTickCount();
    platform::AdvanceTestClock(std::chrono::milliseconds((1LL << 32) + 7));
    EXPECT_EQ(static_cast<DWORD>(GetTickCount() - start), 7u);
}

TEST_F(ClockTest, MonotonicReadingNeverGoesBackWhenLeavingTestMode) {
    platform::UseTestClock(MakeSystemTime(2024, 1, 1, 0, 0, 0));
    platform::AdvanceTestClock(10h);
    const auto virtual_reading = platform::MonotonicNow();
    platform::UseRealClock();
    EXPECT_FALSE(platform::IsTestClockInUse());
    EXPECT_GE(platform::MonotonicNow(), virtual_reading);
    // Entering test mode again carries on from the real reading.
    platform::UseTestClock(MakeSystemTime(2024, 1, 1, 0, 0, 0));
    EXPECT_GE(platform::MonotonicNow(), virtual_reading);
}

TEST_F(ClockTest, MisuseOfTheTestClockIsRefused) {
    EXPECT_THROW(platform::AdvanceTestClock(1ms), std::logic_error);
    EXPECT_THROW(platform::UseTestClock(MakeSystemTime(2023, 2, 29, 0, 0, 0)),
                 std::invalid_argument);
    EXPECT_THROW(platform::UseTestClock(MakeSystemTime(2023, 1, 1, 24, 0, 0)),
                 std::invalid_argument);
    EXPECT_FALSE(platform::IsTestClockInUse());
    platform::UseTestClock(MakeSystemTime(2023, 1, 1, 0, 0, 0));
    EXPECT_THROW(platform::AdvanceTestClock(-1ms), std::invalid_argument);
}

TEST_F(ClockTest, ConcurrentSleepsOnTheTestClockAllCount) {
    platform::UseTestClock(MakeSystemTime(2024, 1, 1, 0, 0, 0));
    const DWORD start = GetTickCount();
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([] {
            for (int j = 0; j < 1000; ++j) {
                Sleep(3);
                SYSTEMTIME now;
                GetLocalTime(&now);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(GetTickCount() - start, 8u * 1000u * 3u);
}

TEST_F(ClockTest, RealClockFollowsTheSystem) {
    const std::int64_t before = std::time(nullptr);
    const std::int64_t now = platform::CurrentUnixTime();
    const std::int64_t after = std::time(nullptr);
    // time() reads a coarse clock that may still show the previous second.
    EXPECT_GE(now, before);
    EXPECT_LE(now, after + 1);

    const auto start = platform::MonotonicNow();
    Sleep(0);
    Sleep(20);
    EXPECT_GE(platform::MonotonicNow() - start, 20ms);
}

TEST_F(ClockTest, SystemZoneAppliesDaylightSavingOfTheInstant) {
    ScopedTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
    const std::int64_t winter = platform::DaysFromCivil(2024, 1, 15) * 86400 + 12 * 3600;
    const std::int64_t summer = platform::DaysFromCivil(2024, 7, 1) * 86400 + 12 * 3600;
    EXPECT_EQ(platform::LocalOffsetSeconds(winter), -5 * 3600);
    EXPECT_EQ(platform::LocalOffsetSeconds(summer), -4 * 3600);
    EXPECT_EQ(platform::UnixTimeFromLocal(summer), summer + 4 * 3600);
    EXPECT_EQ(platform::UnixTimeFromLocal(winter), winter + 5 * 3600);

    // The test clock starts at a local time read through the system zone too.
    platform::UseTestClock(MakeSystemTime(2024, 7, 1, 12, 0, 0));
    EXPECT_EQ(platform::CurrentUnixTime(), summer + 4 * 3600);
    EXPECT_EQ(UtcNow(), "2024-07-01 1 16:00:00.000");

    // An injected zone overrides the system's until it is cleared.
    platform::SetTimeZoneOffsetForTesting(5 * 60 + 45);
    EXPECT_EQ(platform::LocalOffsetSeconds(summer), 20700);
    EXPECT_EQ(platform::UnixTimeFromLocal(summer), summer - 20700);
    platform::SetTimeZoneOffsetForTesting(std::nullopt);
    EXPECT_EQ(platform::LocalOffsetSeconds(summer), -4 * 3600);
}

}  // namespace
