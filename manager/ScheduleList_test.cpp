#include "manager/ScheduleList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

std::string Word(std::uint32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
    return bytes;
}

// One plan as the file holds it.
std::string PlanBytes(std::int32_t flag, std::int32_t year, std::int32_t month, std::int32_t day,
                      std::int32_t hour, std::int32_t minute, std::int32_t second,
                      const std::string& text) {
    std::string bytes;
    for (std::int32_t field : {flag, year, month, day, hour, minute, second}) {
        bytes += Word(static_cast<std::uint32_t>(field));
    }
    return bytes + Word(static_cast<std::uint32_t>(text.size())) + text;
}

ScheduleRecordList Parse(const std::string& bytes) {
    ScheduleRecordList list;
    ParseScheduleRecords(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), list);
    return list;
}

class ScheduleListTest : public ::testing::Test {
protected:
    void SetUp() override { FreeScheduleRecords(); }
    void TearDown() override { FreeScheduleRecords(); }

    std::string PathOf(const std::string& relative) const {
        return platform::ToWindowsPath(folder.path() / relative);
    }

    platform::testing::TempFolder folder;
};

TEST_F(ScheduleListTest, FileHoldsCountThenEachPlansSevenFieldsLengthAndTextByteForByte) {
    const std::string twoLines = "看牙医\r\n带病历";
    const std::string file = Word(2) + PlanBytes(0, 2006, 11, 28, 9, 0, 0, twoLines) +
                             PlanBytes(7, 2006, 11, 28, 9, 0, 30, "");
    ScheduleRecordList list = Parse(file);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->year, 2006);
    EXPECT_EQ(list[0]->month, 11);
    EXPECT_EQ(list[0]->day, 28);
    EXPECT_EQ(std::string(list[0]->text), twoLines);
    EXPECT_STREQ(list[0]->yearText, "2006年");
    EXPECT_STREQ(list[0]->monthText, "11月");
    EXPECT_STREQ(list[0]->dayText, "28日");
    // The tray companion's mark travels through load and save unchanged.
    EXPECT_EQ(list[1]->flag, 7);
    EXPECT_EQ(list[1]->second, 30);
    EXPECT_EQ(SerializeScheduleRecords(list), file);
    EXPECT_EQ(SerializeScheduleRecords(ScheduleRecordList{}), std::string(4, '\0'));
}

TEST_F(ScheduleListTest, HostileCountsAndLengthsNeverReadPastTheBytes) {
    const std::string plan = PlanBytes(0, 2006, 9, 15, 9, 0, 0, "a");
    // A count of 2^31 reads as negative: no plans.
    EXPECT_TRUE(Parse(Word(0x80000000u) + plan).empty());
    // A count beyond the file stops after the last whole plan.
    EXPECT_EQ(Parse(Word(0x7FFFFFFFu) + plan + plan).size(), 2u);
    // A text running past the end drops that plan; a short header gives nothing.
    std::string cut = Word(1) + PlanBytes(0, 2006, 9, 15, 9, 0, 0, "abcdef");
    cut.resize(cut.size() - 2);
    EXPECT_TRUE(Parse(cut).empty());
    EXPECT_TRUE(Parse(Word(1) + Word(0) + Word(2006)).empty());
    EXPECT_TRUE(Parse("\x01").empty());
    std::string huge = Word(1) + PlanBytes(0, 2006, 9, 15, 9, 0, 0, "");
    huge.replace(huge.size() - 4, 4, Word(0xFFFFFFFFu));
    EXPECT_TRUE(Parse(huge).empty());
}

TEST_F(ScheduleListTest, TextsOfAnyLengthAreKeptWhole) {
    std::string longText(5000, 'x');
    longText[1023] = 'y';
    longText[4999] = 'z';
    const std::string file = Word(1) + PlanBytes(0, 2006, 9, 15, 9, 0, 0, longText);
    ScheduleRecordList list = Parse(file);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(std::string(list[0]->text), longText);
    EXPECT_EQ(SerializeScheduleRecords(list), file);
}

TEST_F(ScheduleListTest, LoadAppendsAndSaveReplacesTheFileWhole) {
    folder.WriteFile("data3/record.dat", Word(1) + PlanBytes(0, 2006, 9, 15, 9, 0, 0, "old"));
    ASSERT_EQ(LoadScheduleRecords(PathOf("data3/record.dat").c_str()), 0);
    ASSERT_EQ(LoadScheduleRecords(PathOf("data3/record.dat").c_str()), 0);
    EXPECT_EQ(ScheduleRecords().size(), 2u);
    EXPECT_EQ(LoadScheduleRecords(PathOf("data3/missing.dat").c_str()), 1);
    EXPECT_EQ(ScheduleRecords().size(), 2u);

    ScheduleRecords().pop_back();
    ScheduleRecords()[0]->text = "new";
    ASSERT_EQ(SaveScheduleRecords(PathOf("data3/record.dat").c_str()), 0);
    EXPECT_EQ(folder.ReadFile("data3/record.dat"),
              Word(1) + PlanBytes(0, 2006, 9, 15, 9, 0, 0, "new"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "data3/record.dat.tmp"));
    // A folder that does not exist: nothing is written, and the caller hears of it.
    EXPECT_EQ(SaveScheduleRecords(PathOf("nowhere/record.dat").c_str()), 1);
}

TEST(GetDaysInMonthTest, LeapYearsFollowTheGregorianRule) {
    EXPECT_EQ(GetDaysInMonth(2000, 2), 29);
    EXPECT_EQ(GetDaysInMonth(2004, 2), 29);
    EXPECT_EQ(GetDaysInMonth(1900, 2), 28);
    EXPECT_EQ(GetDaysInMonth(2100, 2), 28);
    EXPECT_EQ(GetDaysInMonth(2006, 4), 30);
    EXPECT_EQ(GetDaysInMonth(2006, 12), 31);
    EXPECT_EQ(GetDaysInMonth(2006, 0), 0);
    EXPECT_EQ(GetDaysInMonth(2006, 13), 0);
}

}  // namespace
