// A scheduled folder backup and the task file, data3\backup.dat: a 32-bit count, then 536-byte
// tasks in list order, all integers little-endian. The backup settings page writes the file
// whole; the tray companion reads it and runs the copies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct BackupTask {
    // 0 daily, 1 weekly, 2 monthly.
    std::int32_t kind = 0;
    // Weekly: weekday, 0 Sunday to 6 Saturday. Monthly: day of the month - 1 (0..27). Daily:
    // unused, left as an earlier kind set it.
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    // Folders, upper case, at most 259 bytes and a NUL.
    char source[260] = {};
    char destination[260] = {};
};

inline constexpr std::size_t kBackupTaskSize = 536;
inline constexpr char kBackupFile[] = "data3\\backup.dat";

// Appends the tasks of the file's bytes to `tasks`: a count beyond the bytes stops at the last
// whole task, and both folders end in a NUL.
void ParseBackupTasks(std::span<const std::uint8_t> bytes, std::vector<BackupTask>& tasks);
std::string SerializeBackupTasks(std::span<const BackupTask> tasks);

// Replaces `tasks` with the file's: 0 read, 1 no file (no tasks), 2 the file could not be read
// whole (`tasks` holds those that could be read, and the file must not be saved over).
int LoadBackupTasks(std::vector<BackupTask>& tasks, const char* path = kBackupFile);
// Writes the file whole through a temporary file and then tells the tray companion, when it runs,
// to read its settings again: 0 written, 1 not (nothing is posted).
int SaveBackupTasks(std::span<const BackupTask> tasks, const char* path = kBackupFile);

// A folder as the page stores it: white space trimmed at both ends, ASCII letters upper case
// (the second byte of a two-byte GBK character is left as it is).
std::string NormalizeBackupPath(std::string_view text);

enum class BackupPathCheck {
    kGood,
    // Either folder lacks ":" as its second character: "目录设置不正确,请重新设置."
    kNotAFolder,
    // One folder's text holds the other's (identical ones too): "源目录与目的目录不能相互包含."
    kNested,
};
// Checks two normalised folders.
BackupPathCheck CheckBackupPaths(std::string_view source, std::string_view destination);
// The message the page shows for a failed check; "" for kGood.
const char* BackupPathMessage(BackupPathCheck check);
