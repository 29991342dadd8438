#include "manager/ShutdownSchedule.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

TEST(ShutdownScheduleTest, WritesTheThreeNumbersWithoutALineEndAndReadsThemBack) {
    platform::testing::TempFolder folder;
    const std::string path = platform::ToWindowsPath(folder.path() / "sdc.dat");
    ShutdownSchedule schedule;
    EXPECT_FALSE(schedule.Read(path.c_str()));
    ASSERT_TRUE(schedule.Write(path.c_str()));
    EXPECT_EQ(folder.ReadFile("sdc.dat"), "0,0,0");

    schedule.hour = 22;
    schedule.minute = 30;
    schedule.countdown = 1;
    ASSERT_TRUE(schedule.Write(path.c_str()));
    EXPECT_EQ(folder.ReadFile("sdc.dat"), "22,30,1");
    ShutdownSchedule read;
    ASSERT_TRUE(read.Read(path.c_str()));
    EXPECT_EQ(read.hour, 22);
    EXPECT_EQ(read.minute, 30);
    EXPECT_EQ(read.countdown, 1);

    const std::string noFolder = platform::ToWindowsPath(folder.path() / "none" / "sdc.dat");
    EXPECT_FALSE(schedule.Write(noFolder.c_str()));
}

TEST(ShutdownScheduleTest, ReadsAsTheScanFormatDoes) {
    const auto parse = [](std::string_view text) {
        const ShutdownSchedule s = ShutdownSchedule::Parse(text);
        return std::to_string(s.hour) + "/" + std::to_string(s.minute) + "/" +
               std::to_string(s.countdown);
    };
    EXPECT_EQ(parse("7"), "7/0/0");
    EXPECT_EQ(parse(""), "0/0/0");
    EXPECT_EQ(parse("  8,\t 5,+1\r\n"), "8/5/1");
    // A comma must follow the number at once; what follows a mismatch is not read.
    EXPECT_EQ(parse("8 ,5,1"), "8/0/0");
    EXPECT_EQ(parse("8,x,1"), "8/0/0");
    EXPECT_EQ(parse("-1,75,2junk"), "-1/75/2");
    EXPECT_EQ(parse("99999999999,-99999999999,1"),
              std::to_string(INT_MAX) + "/" + std::to_string(INT_MIN) + "/1");
    EXPECT_EQ(parse(std::string_view("1,\0,1", 5)), "1/0/0");
}

}  // namespace
