#include "platform/time/TimeConversions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/time/Clock.h"
#include "platform/time/SystemTimeTest.h"

namespace {

using platform::testing::MakeSystemTime;
using platform::testing::Text;

constexpr std::uint64_t k20240305At0107Utc = 133540744200000000ULL;
constexpr std::uint64_t kEightHours = 8ULL * 3600 * 10000000;

FILETIME FileTimeOf(std::uint64_t ticks) {
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

std::uint64_t TicksOf(const FILETIME& time) {
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

std::string TextOfFileTime(std::uint64_t ticks) {
    const FILETIME file_time = FileTimeOf(ticks);
    SYSTEMTIME time{};
    return FileTimeToSystemTime(&file_time, &time) ? Text(time) : "failed";
}

class TimeConversionsTest : public ::testing::Test {
protected:
    void TearDown() override { platform::SetTimeZoneOffsetForTesting(std::nullopt); }
};

TEST_F(TimeConversionsTest, FileTimeToSystemTimeAtKnownInstants) {
    EXPECT_EQ(TextOfFileTime(0), "1601-01-01 1 00:00:00.000");
    // The sub-millisecond part is cut off.
    EXPECT_EQ(TextOfFileTime(k20240305At0107Utc + 1234567), "2024-03-05 2 01:07:00.123");
    EXPECT_EQ(TextOfFileTime(0x7FFFFFFFFFFFFFFFULL), "30828-09-14 4 02:48:05.477");
    EXPECT_EQ(TextOfFileTime(0x8000000000000000ULL), "failed");

    SYSTEMTIME time = MakeSystemTime(1234, 5, 6, 7, 8, 9);
    const FILETIME top_bit = FileTimeOf(0x8000000000000000ULL);
    SetLastError(0);
    EXPECT_FALSE(FileTimeToSystemTime(&top_bit, &time));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(time.wYear, 1234);
    EXPECT_FALSE(FileTimeToSystemTime(nullptr, &time));
}

TEST_F(TimeConversionsTest, SystemTimeToFileTimeIsExactAndChecksFields) {
    SYSTEMTIME time = MakeSystemTime(2024, 3, 5, 1, 7, 0, 999);
    time.wDayOfWeek = 6;  // wrong on purpose: ignored
    FILETIME file_time{};
    ASSERT_TRUE(SystemTimeToFileTime(&time, &file_time));
    EXPECT_EQ(file_time.dwLowDateTime, 0x6dad8170u);
    EXPECT_EQ(file_time.dwHighDateTime, 0x01da6e99u);

    time = MakeSystemTime(1601, 1, 1, 0, 0, 0);
    ASSERT_TRUE(SystemTimeToFileTime(&time, &file_time));
    EXPECT_EQ(TicksOf(file_time), 0u);
    time = MakeSystemTime(30827, 12, 31, 23, 59, 59, 999);
    ASSERT_TRUE(SystemTimeToFileTime(&time, &file_time));
    EXPECT_EQ(TextOfFileTime(TicksOf(file_time)), "30827-12-31 5 23:59:59.999");

    for (const SYSTEMTIME& bad :
         {MakeSystemTime(1600, 12, 31, 23, 59, 59), MakeSystemTime(30828, 1, 1, 0, 0, 0),
          MakeSystemTime(1900, 2, 29, 0, 0, 0), MakeSystemTime(2023, 13, 1, 0, 0, 0),
          MakeSystemTime(2023, 1, 0, 0, 0, 0), MakeSystemTime(2023, 1, 1, 24, 0, 0),
          MakeSystemTime(2023, 1, 1, 0, 60, 0), MakeSystemTime(2023, 1, 1, 0, 0, 60),
          MakeSystemTime(2023, 1, 1, 0, 0, 0, 1000)}) {
        file_time = FileTimeOf(42);
        EXPECT_FALSE(SystemTimeToFileTime(&bad, &file_time)) << Text(bad);
        EXPECT_EQ(TicksOf(file_time), 42u);
    }
}

TEST_F(TimeConversionsTest, UtcToTzSpecificLocalTimeUsesTheZone) {
    const auto local_of = [](const SYSTEMTIME& utc) {
        SYSTEMTIME local{};
        return SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ? Text(local) : "failed";
    };
    platform::SetTimeZoneOffsetForTesting(8 * 60);
    EXPECT_EQ(local_of(MakeSystemTime(2024, 3, 5, 1, 7, 0, 250)), "2024-03-05 2 09:07:00.250");
    EXPECT_EQ(local_of(MakeSystemTime(2024, 2, 28, 20, 0, 0)), "2024-02-29 4 04:00:00.000");
    platform::SetTimeZoneOffsetForTesting(-5 * 60);
    EXPECT_EQ(local_of(MakeSystemTime(2024, 3, 1, 2, 0, 0)), "2024-02-29 4 21:00:00.000");
    EXPECT_EQ(local_of(MakeSystemTime(2023, 2, 29, 0, 0, 0)), "failed");

    // The history list's path from a last-visit FILETIME to the local minute.
    platform::SetTimeZoneOffsetForTesting(8 * 60);
    const FILETIME visited = FileTimeOf(k20240305At0107Utc);
    SYSTEMTIME utc{};
    ASSERT_TRUE(FileTimeToSystemTime(&visited, &utc));
    EXPECT_EQ(local_of(utc), "2024-03-05 2 09:07:00.000");
}

TEST_F(TimeConversionsTest, LocalFileTimeShiftsByThePresentOffset) {
    platform::SetTimeZoneOffsetForTesting(8 * 60);
    const FILETIME utc = FileTimeOf(k20240305At0107Utc);
    FILETIME local{};
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
    EXPECT_EQ(TicksOf(local), k20240305At0107Utc + kEightHours);
    FILETIME back{};
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
    EXPECT_EQ(TicksOf(back), TicksOf(utc));

    // Shifting before 1601 or past the last FILETIME fails.
    const FILETIME early = FileTimeOf(kEightHours - 1);
    EXPECT_FALSE(LocalFileTimeToFileTime(&early, &back));
    const FILETIME late = FileTimeOf(0x7FFFFFFFFFFFFFFFULL - kEightHours + 1);
    EXPECT_FALSE(FileTimeToLocalFileTime(&late, &back));
    EXPECT_EQ(TicksOf(back), TicksOf(utc));
}

TEST_F(TimeConversionsTest, DosDateAndTimeOfAZipEntry) {
    // 2006-09-21 10:30:58: years since 1980 = 26, two-second units = 29.
    const WORD date = 0x3535;
    const WORD time = 0x53dd;
    FILETIME file_time{};
    ASSERT_TRUE(DosDateTimeToFileTime(date, time, &file_time));
    EXPECT_EQ(TicksOf(file_time), 128033082580000000ULL);
    EXPECT_EQ(TextOfFileTime(TicksOf(file_time)), "2006-09-21 4 10:30:58.000");

    WORD date_back = 0;
    WORD time_back = 0;
    ASSERT_TRUE(FileTimeToDosDateTime(&file_time, &date_back, &time_back));
    EXPECT_EQ(date_back, date);
    EXPECT_EQ(time_back, time);
    // Odd seconds round down to the two-second unit.
    const FILETIME one_more = FileTimeOf(TicksOf(file_time) + 10000000);
    ASSERT_TRUE(FileTimeToDosDateTime(&one_more, &date_back, &time_back));
    EXPECT_EQ(time_back, time);

    // The extremes: 1980-01-01 00:00:00 and 2107-12-31 23:59:58.
    ASSERT_TRUE(DosDateTimeToFileTime(0x0021, 0, &file_time));
    EXPECT_EQ(TextOfFileTime(TicksOf(file_time)), "1980-01-01 2 00:00:00.000");
    ASSERT_TRUE(DosDateTimeToFileTime(0xFF9F, 0xBF7D, &file_time));
    EXPECT_EQ(TextOfFileTime(TicksOf(file_time)), "2107-12-31 6 23:59:58.000");
}

TEST_F(TimeConversionsTest, ImpossibleDosFieldsAndYearsOutOfRangeAreRefused) {
    FILETIME file_time = FileTimeOf(7);
    const WORD noon = 12 << 11;
    const WORD january_1 = (26 << 9) | (1 << 5) | 1;
    EXPECT_FALSE(DosDateTimeToFileTime(0, noon, &file_time));                          // month 0
    EXPECT_FALSE(DosDateTimeToFileTime((26 << 9) | (13 << 5) | 1, noon, &file_time));  // month 13
    EXPECT_FALSE(DosDateTimeToFileTime((26 << 9) | (2 << 5) | 29, noon, &file_time));  // 02-29
    EXPECT_FALSE(DosDateTimeToFileTime((26 << 9) | (1 << 5), noon, &file_time));       // day 0
    EXPECT_FALSE(DosDateTimeToFileTime(january_1, 24 << 11, &file_time));              // hour 24
    EXPECT_FALSE(DosDateTimeToFileTime(january_1, 60 << 5, &file_time));               // minute 60
    EXPECT_FALSE(DosDateTimeToFileTime(january_1, 30, &file_time));                    // second 60
    EXPECT_EQ(TicksOf(file_time), 7u);
    EXPECT_FALSE(DosDateTimeToFileTime(january_1, noon, nullptr));

    WORD date = 1;
    WORD time = 2;
    for (const SYSTEMTIME& outside :
         {MakeSystemTime(1979, 12, 31, 23, 59, 59), MakeSystemTime(2108, 1, 1, 0, 0, 0)}) {
        ASSERT_TRUE(SystemTimeToFileTime(&outside, &file_time));
        EXPECT_FALSE(FileTimeToDosDateTime(&file_time, &date, &time));
    }
    EXPECT_EQ(date, 1);
    EXPECT_EQ(time, 2);
}

}  // namespace
