#include "tray/BackupPlans.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

BackupTask Task(int kind, int day, const std::string& source, const std::string& destination) {
    BackupTask task;
    task.kind = kind;
    task.day = day;
    task.hour = 10;
    task.minute = 30;
    std::memcpy(task.source, source.c_str(), std::min<std::size_t>(source.size(), 259));
    std::memcpy(task.destination, destination.c_str(),
                std::min<std::size_t>(destination.size(), 259));
    return task;
}

SYSTEMTIME At(int day, int weekday, int hour = 10, int minute = 30) {
    SYSTEMTIME now{};
    now.wYear = 2006;
    now.wMonth = 9;
    now.wDay = static_cast<WORD>(day);
    now.wDayOfWeek = static_cast<WORD>(weekday);
    now.wHour = static_cast<WORD>(hour);
    now.wMinute = static_cast<WORD>(minute);
    return now;
}

TEST(BackupPlansTest, FoldersAreNormalisedAndTasksWithoutRoomAreDropped) {
    platform::testing::TempFolder temp;
    const std::string root = platform::ToWindowsPath(temp.path());
    const std::string longFolder = root + "\\" + std::string(259 - root.size() - 1, 'x');
    ASSERT_EQ(longFolder.size(), 259u);
    const BackupTask tasks[] = {
        Task(0, 0, "d:/work", root + "/out"),
        Task(0, 0, "e:", root + "\\two\\"),
        Task(0, 0, "f", root + "\\three"),
        Task(0, 0, "g:\\src", "h"),
        Task(0, 0, longFolder, root + "\\four"),
        // Its runs would go into the folder it copies.
        Task(0, 0, root + "\\same", root + "/Same/"),
    };
    temp.WriteFile("backup.dat", SerializeBackupTasks(tasks));
    CBackupPlans plans;
    ASSERT_EQ(plans.Load((root + "\\backup.dat").c_str()), 0);
    ASSERT_EQ(plans.tasks().size(), 2u);
    EXPECT_STREQ(plans.tasks()[0].source, "d:\\work\\");
    EXPECT_EQ(std::string(plans.tasks()[0].destination), root + "\\out\\");
    EXPECT_STREQ(plans.tasks()[1].source, "e:\\");
    // Destination folders are made at load.
    EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "out"));
    EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "two"));
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "Same"));
    EXPECT_EQ(plans.Load((root + "\\missing.dat").c_str()), 1);
    EXPECT_TRUE(plans.tasks().empty());
}

TEST(BackupPlansTest, DailyWeeklyAndMonthlyTasksFallDueAtTheirMinute) {
    platform::testing::TempFolder temp;
    const std::string root = platform::ToWindowsPath(temp.path());
    const BackupTask tasks[] = {
        Task(0, 5, "c:\\a", root + "\\daily"),
        Task(1, 0, "c:\\a", root + "\\sunday"),
        Task(2, 0, "c:\\a", root + "\\first"),
        Task(2, 27, "c:\\a", root + "\\twentyeighth"),
        Task(7, 0, "c:\\a", root + "\\never"),
        // A damaged file: no day of a month comes after this one.
        Task(2, 0x7FFFFFFF, "c:\\a", root + "\\overflow"),
    };
    temp.WriteFile("backup.dat", SerializeBackupTasks(tasks));
    CBackupPlans plans;
    ASSERT_EQ(plans.Load((root + "\\backup.dat").c_str()), 0);
    auto names = [&](const SYSTEMTIME& now) {
        std::string list;
        for (const BackupTask* task : plans.Due(now)) {
            std::string folder = task->destination;
            folder.pop_back();
            list += folder.substr(folder.rfind('\\') + 1) + " ";
        }
        return list;
    };
    // Friday 2006-09-01 and Sunday 2006-09-03, Thursday 2006-09-28.
    EXPECT_EQ(names(At(1, 5)), "daily first ");
    EXPECT_EQ(names(At(3, 0)), "daily sunday ");
    EXPECT_EQ(names(At(28, 4)), "daily twentyeighth ");
    EXPECT_EQ(names(At(28, 4, 10, 31)), "");
    EXPECT_EQ(std::string(CBackupPlans::RunFolder(plans.tasks()[0], At(6, 3))),
              root + "\\daily\\2006年09月06日星期三10时30分");
}

}  // namespace
