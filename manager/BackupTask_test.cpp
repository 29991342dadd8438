#include "manager/BackupTask.h"

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

std::string Field(const std::string& text) {
    std::string field = text;
    field.resize(260, '\0');
    return field;
}

std::vector<BackupTask> Parse(const std::string& bytes) {
    std::vector<BackupTask> tasks;
    ParseBackupTasks(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                     tasks);
    return tasks;
}

TEST(BackupTaskTest, FileHoldsCountThenKindDayHourMinuteAndTwoFixedFolders) {
    const std::string file = Word(2) + Word(1) + Word(6) + Word(23) + Word(59) + Field("C:\\DATA") +
                             Field("D:\\BACKUP\\碼") + Word(2) + Word(14) + Word(0) + Word(5) +
                             Field("E:\\A") + Field("F:\\B");
    ASSERT_EQ(file.size(), 4 + 2 * kBackupTaskSize);
    const std::vector<BackupTask> tasks = Parse(file);
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].kind, 1);
    EXPECT_EQ(tasks[0].day, 6);
    EXPECT_EQ(tasks[0].hour, 23);
    EXPECT_EQ(tasks[0].minute, 59);
    EXPECT_STREQ(tasks[0].source, "C:\\DATA");
    EXPECT_STREQ(tasks[0].destination, "D:\\BACKUP\\碼");
    EXPECT_EQ(tasks[1].day, 14);
    EXPECT_EQ(SerializeBackupTasks(tasks), file);
    EXPECT_EQ(SerializeBackupTasks({}), Word(0));
}

TEST(BackupTaskTest, DamagedFilesGiveWholeTasksWithTerminatedFoldersOnly) {
    const std::string task =
        Word(0) + Word(0) + Word(12) + Word(0) + Field("C:\\A") + Field("D:\\B");
    // A count beyond the file stops at the last whole task; a short header gives none.
    EXPECT_EQ(Parse(Word(0xFFFFFFFFu) + task + task + task.substr(0, 100)).size(), 2u);
    EXPECT_TRUE(Parse("\x01\x00").empty());
    // Folders that fill their field are cut to end in a NUL.
    const std::string full = Word(1) + Word(0) + Word(0) + Word(0) + Word(0) +
                             std::string(260, 'X') + std::string(260, 'Y');
    const std::vector<BackupTask> tasks = Parse(full);
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(std::strlen(tasks[0].source), 259u);
    EXPECT_EQ(std::strlen(tasks[0].destination), 259u);
}

TEST(BackupTaskTest, SavingWritesTheWholeFileAndAMissingFileIsNoTasks) {
    platform::testing::TempFolder folder;
    const std::string path = platform::ToWindowsPath(folder.path() / "backup.dat");
    std::vector<BackupTask> tasks(1);
    tasks.push_back(BackupTask{});
    EXPECT_EQ(LoadBackupTasks(tasks, path.c_str()), 1);
    EXPECT_TRUE(tasks.empty());
    BackupTask task;
    task.kind = 2;
    task.day = 14;
    std::strcpy(task.source, "C:\\DATA");
    tasks.push_back(task);
    ASSERT_EQ(SaveBackupTasks(tasks, path.c_str()), 0);
    EXPECT_EQ(folder.ReadFile("backup.dat"), SerializeBackupTasks(tasks));
    std::vector<BackupTask> again;
    EXPECT_EQ(LoadBackupTasks(again, path.c_str()), 0);
    EXPECT_EQ(SerializeBackupTasks(again), SerializeBackupTasks(tasks));
    const std::string missingFolder =
        platform::ToWindowsPath(folder.path() / "none" / "backup.dat");
    EXPECT_EQ(SaveBackupTasks(tasks, missingFolder.c_str()), 1);
}

TEST(BackupTaskTest, FoldersAreTrimmedAndUpperCasedWithoutTouchingTwoByteCharacters) {
    EXPECT_EQ(NormalizeBackupPath(" \tc:\\data\\碼 \r\n"), "C:\\DATA\\碼");
    EXPECT_EQ(NormalizeBackupPath("   "), "");
    EXPECT_EQ(CheckBackupPaths("C:\\DATA", "D:\\DATA"), BackupPathCheck::kGood);
    EXPECT_EQ(CheckBackupPaths("C:\\DATA", "C:\\DATA2"), BackupPathCheck::kNested);
    EXPECT_EQ(CheckBackupPaths("C:\\DATA2", "C:\\DATA"), BackupPathCheck::kNested);
    EXPECT_EQ(CheckBackupPaths("C:\\DATA", "C:\\DATA"), BackupPathCheck::kNested);
    EXPECT_EQ(CheckBackupPaths("请选择源目录", "D:\\B"), BackupPathCheck::kNotAFolder);
    EXPECT_EQ(CheckBackupPaths("C:\\A", "D"), BackupPathCheck::kNotAFolder);
    EXPECT_STREQ(BackupPathMessage(BackupPathCheck::kNested), "源目录与目的目录不能相互包含.");
    EXPECT_STREQ(BackupPathMessage(BackupPathCheck::kNotAFolder), "目录设置不正确,请重新设置.");
}

}  // namespace
