#include "manager/BackupTask.h"

#include "common/WholeFile.h"
#include "manager/RecordBytes.h"
#include "manager/ScheduleList.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"

void ParseBackupTasks(std::span<const std::uint8_t> bytes, std::vector<BackupTask>& tasks) {
    RecordBytes in(bytes);
    if (!in.Has(4)) {
        return;
    }
    const std::uint32_t count = in.Word();
    for (std::uint32_t i = 0; i < count && in.Has(kBackupTaskSize); ++i) {
        BackupTask task;
        task.kind = in.Int();
        task.day = in.Int();
        task.hour = in.Int();
        task.minute = in.Int();
        in.Text(task.source);
        in.Text(task.destination);
        tasks.push_back(task);
    }
}

std::string SerializeBackupTasks(std::span<const BackupTask> tasks) {
    std::string bytes;
    bytes.reserve(4 + tasks.size() * kBackupTaskSize);
    RecordBytes::AppendWord(bytes, static_cast<std::uint32_t>(tasks.size()));
    for (const BackupTask& task : tasks) {
        for (std::int32_t field : {task.kind, task.day, task.hour, task.minute}) {
            RecordBytes::AppendInt(bytes, field);
        }
        RecordBytes::AppendText(bytes, task.source);
        RecordBytes::AppendText(bytes, task.destination);
    }
    return bytes;
}

int LoadBackupTasks(std::vector<BackupTask>& tasks, const char* path) {
    tasks.clear();
    std::vector<std::uint8_t> bytes;
    const RecordBytes::FileRead read = RecordBytes::ReadFile(path, bytes);
    ParseBackupTasks(bytes, tasks);
    return static_cast<int>(read);
}

int SaveBackupTasks(std::span<const BackupTask> tasks, const char* path) {
    if (!WriteWholeFile(path, SerializeBackupTasks(tasks))) {
        return 1;
    }
    if (HWND tray = ::FindWindowA(nullptr, kTrayTitle)) {
        ::PostMessageA(tray, WM_SETTINGS_CHANGED, 0, 0);
    }
    return 0;
}

std::string NormalizeBackupPath(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    std::string path(text);
    platform::ToUpperAscii(path);
    return path;
}

BackupPathCheck CheckBackupPaths(std::string_view source, std::string_view destination) {
    if (source.size() < 2 || source[1] != ':' || destination.size() < 2 || destination[1] != ':') {
        return BackupPathCheck::kNotAFolder;
    }
    if (platform::FindText(source, destination) != std::string_view::npos ||
        platform::FindText(destination, source) != std::string_view::npos) {
        return BackupPathCheck::kNested;
    }
    return BackupPathCheck::kGood;
}

const char* BackupPathMessage(BackupPathCheck check) {
    switch (check) {
        case BackupPathCheck::kNotAFolder:
            return "目录设置不正确,请重新设置.";
        case BackupPathCheck::kNested:
            return "源目录与目的目录不能相互包含.";
        default:
            return "";
    }
}
