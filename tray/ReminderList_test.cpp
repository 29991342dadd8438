#include "tray/ReminderList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct Plan {
    int flag, year, month, day, hour, minute, second;
    std::string text;
};

void PutInt(std::string& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::string FileOf(const std::vector<Plan>& plans, std::uint32_t count) {
    std::string bytes;
    PutInt(bytes, count);
    for (const Plan& plan : plans) {
        for (int value :
             {plan.flag, plan.year, plan.month, plan.day, plan.hour, plan.minute, plan.second}) {
            PutInt(bytes, static_cast<std::uint32_t>(value));
        }
        PutInt(bytes, static_cast<std::uint32_t>(plan.text.size()));
        bytes += plan.text;
    }
    return bytes;
}

std::string FileOf(const std::vector<Plan>& plans) {
    return FileOf(plans, static_cast<std::uint32_t>(plans.size()));
}

SYSTEMTIME At(int hour, int minute, int second, int day = 6) {
    SYSTEMTIME now{};
    now.wYear = 2006;
    now.wMonth = 9;
    now.wDay = static_cast<WORD>(day);
    now.wHour = static_cast<WORD>(hour);
    now.wMinute = static_cast<WORD>(minute);
    now.wSecond = static_cast<WORD>(second);
    return now;
}

void Load(CReminderList& list, const std::string& bytes, const SYSTEMTIME& now) {
    list.Load({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, now);
}

TEST(ReminderListTest, PlansOfOneMinutePopUpOneAtATimeAndOnlyOnce) {
    CReminderList list;
    Load(list, FileOf({{0, 2006, 9, 6, 8, 0, 0, "first"}, {0, 2006, 9, 6, 8, 0, 0, "second"}}),
         At(7, 59, 0));
    EXPECT_EQ(list.TakeDue(At(7, 59, 55)), nullptr);
    const CScheduleRecord* first = list.TakeDue(At(8, 0, 0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text, "first");
    const CScheduleRecord* second = list.TakeDue(At(8, 0, 5));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->text, "second");
    EXPECT_EQ(list.TakeDue(At(8, 0, 10)), nullptr);
    // A plan of another day at the same time is not due.
    EXPECT_EQ(list.TakeDue(At(8, 0, 15, 7)), nullptr);
}

TEST(ReminderListTest, TheStartIsTheLastPlanEarlierThanTheLoad) {
    CReminderList list;
    Load(list, FileOf({{0, 2006, 9, 6, 8, 0, 10, "early"}, {0, 2006, 9, 6, 8, 0, 30, "late"}}),
         At(8, 0, 45));
    EXPECT_EQ(list.start(), 1u);
    const CScheduleRecord* due = list.TakeDue(At(8, 0, 50));
    ASSERT_NE(due, nullptr);
    EXPECT_EQ(due->text, "late");
    EXPECT_EQ(list.TakeDue(At(8, 0, 55)), nullptr);

    // Nothing earlier: the start is the first plan.
    Load(list, FileOf({{0, 2006, 9, 6, 9, 0, 0, "a"}}), At(8, 0, 0));
    EXPECT_EQ(list.start(), 0u);
}

TEST(ReminderListTest, AReloadKeepsTheMarksOfRemindersAlreadyShown) {
    CReminderList list;
    const std::string file =
        FileOf({{0, 2006, 9, 6, 8, 0, 0, "shown"}, {0, 2006, 9, 6, 8, 0, 0, "waiting"}});
    Load(list, file, At(7, 0, 0));
    ASSERT_NE(list.TakeDue(At(8, 0, 0)), nullptr);
    // The manager saved something within the minute: the shown plan does not pop up again.
    Load(list, file, At(8, 0, 3));
    const CScheduleRecord* due = list.TakeDue(At(8, 0, 5));
    ASSERT_NE(due, nullptr);
    EXPECT_EQ(due->text, "waiting");
    EXPECT_EQ(list.TakeDue(At(8, 0, 10)), nullptr);
    // A changed text is a new reminder.
    Load(list, FileOf({{0, 2006, 9, 6, 8, 0, 0, "shown, changed"}}), At(8, 0, 12));
    EXPECT_NE(list.TakeDue(At(8, 0, 15)), nullptr);
}

TEST(ReminderListTest, NextPlanIgnoresSecondsAndMarks) {
    CReminderList list;
    Load(list, FileOf({{1, 2006, 9, 6, 8, 0, 30, "this minute"}, {1, 2006, 9, 6, 8, 1, 0, "next"}}),
         At(7, 0, 0));
    const CScheduleRecord* next = list.NextAfter(At(8, 0, 10));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->text, "next");
    EXPECT_EQ(list.NextAfter(At(8, 1, 0)), nullptr);
    // The file's flag counts as shown.
    EXPECT_EQ(list.TakeDue(At(8, 1, 0)), nullptr);
}

TEST(ReminderListTest, BadFilesEndAtTheirBytesAndLongTextsAreCut) {
    CReminderList list;
    // A huge count stops at the end of the bytes.
    Load(list, FileOf({{0, 2006, 9, 6, 8, 0, 0, "only"}}, 0x7FFFFFFF), At(7, 0, 0));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].text, "only");
    // A text length of 0xFFFFFFFF takes nothing.
    std::string bytes = FileOf({{0, 2006, 9, 6, 8, 0, 0, ""}});
    std::memset(bytes.data() + 4 + 28, 0xFF, 4);
    Load(list, bytes, At(7, 0, 0));
    EXPECT_EQ(list.size(), 0u);
    // A text of 1024 bytes or more keeps 1023, never half a character.
    std::string text(1022, 'a');
    text += "计划";
    Load(list, FileOf({{0, 2006, 9, 6, 8, 0, 0, text}}), At(7, 0, 0));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].text.GetLength(), 1022);
    EXPECT_EQ(list.LoadFile("no\\such\\record.dat", At(7, 0, 0)), 1);
    EXPECT_EQ(list.size(), 0u);
}

}  // namespace
