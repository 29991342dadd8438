#include "tray/BackupPlans.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "manager/ManagerDirectoryChain.h"
#include "platform/text/Gbk.h"

namespace {

constexpr const char* kWeekdays[] = {"星期日", "星期一", "星期二", "星期三",
                                     "星期四", "星期五", "星期六"};

// "/" becomes "\" (never the second byte of a two-byte character) and a final "\" is added;
// false when the folder is shorter than 2 characters or has no room left for the separator.
bool NormalizeFolder(char (&folder)[260]) {
    std::string text(folder, strnlen(folder, sizeof folder));
    for (std::size_t at = 0; at < text.size(); at += platform::CharLengthAt(text, at)) {
        if (text[at] == '/') {
            text[at] = '\\';
        }
    }
    if (text.size() < 2) {
        return false;
    }
    if (text.back() != '\\' || platform::FindLastChar(text, '\\') != text.size() - 1) {
        text += '\\';
    }
    if (text.size() >= sizeof folder) {
        return false;
    }
    std::memcpy(folder, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

int CBackupPlans::Load(const char* path) {
    std::vector<BackupTask> read;
    const int result = LoadBackupTasks(read, path);
    tasks_.clear();
    for (BackupTask& task : read) {
        if (!NormalizeFolder(task.source) || !NormalizeFolder(task.destination)) {
            continue;
        }
        // Its runs would lie in the folder it copies, each new one holding all the earlier ones.
        if (platform::CompareNoCase(task.source, task.destination) == 0) {
            continue;
        }
        manager::CreateDirectoryChain(task.destination);
        tasks_.push_back(task);
    }
    return result;
}

std::vector<const BackupTask*> CBackupPlans::Due(const SYSTEMTIME& now) const {
    std::vector<const BackupTask*> due;
    for (const BackupTask& task : tasks_) {
        if (task.hour != now.wHour || task.minute != now.wMinute) {
            continue;
        }
        const bool fires = task.kind == 0 || (task.kind == 1 && task.day == now.wDayOfWeek) ||
                           (task.kind == 2 && task.day == now.wDay - 1);
        if (fires) {
            due.push_back(&task);
        }
    }
    return due;
}

CString CBackupPlans::RunFolder(const BackupTask& task, const SYSTEMTIME& now) {
    char name[400];
    std::snprintf(name, sizeof name, "%s%04d年%02d月%02d日%s%02d时%02d分", task.destination,
                  now.wYear, now.wMonth, now.wDay, kWeekdays[now.wDayOfWeek % 7], now.wHour,
                  now.wMinute);
    return name;
}
