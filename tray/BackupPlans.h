// The scheduled folder backups as the tray runs them: the tasks of data3\backup.dat with both
// folders in the form the copy uses ("\" as separator, one at the end), and which of them are due
// at a minute. A task whose folder is shorter than 2 characters, or leaves no room for its final
// separator, or whose destination is its source, is dropped at load.
#pragma once

#include <vector>

#include "manager/BackupTask.h"
#include "platform/base/WinTypes.h"
#include "platform/text/CString.h"

class CBackupPlans {
public:
    // Replaces the tasks with the file's and makes every destination folder: 1 when the file
    // cannot be read (no tasks), else 0.
    int Load(const char* path = kBackupFile);
    void Clear() { tasks_.clear(); }

    // The tasks due at `now`, in list order: daily at their hour and minute, weekly on their
    // weekday (day 0 Sunday), monthly on day + 1 of the month.
    std::vector<const BackupTask*> Due(const SYSTEMTIME& now) const;
    // The new folder of a run at `now`, e.g. "D:\BAK\2006年09月06日星期三10时30分" (no separator
    // at the end).
    static CString RunFolder(const BackupTask& task, const SYSTEMTIME& now);

    const std::vector<BackupTask>& tasks() const { return tasks_; }

private:
    std::vector<BackupTask> tasks_;
};
