// The backup task reader on arbitrary bytes: it must never read past them, and what it reads must
// be written back as the same tasks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "manager/BackupTask.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<BackupTask> tasks;
    ParseBackupTasks(std::span(data, size), tasks);
    const std::string bytes = SerializeBackupTasks(tasks);
    std::vector<BackupTask> again;
    ParseBackupTasks(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                     again);
    if (SerializeBackupTasks(again) != bytes) {
        std::abort();
    }
    for (const BackupTask& task : tasks) {
        const std::string source = NormalizeBackupPath(task.source);
        const std::string destination = NormalizeBackupPath(task.destination);
        CheckBackupPaths(source, destination);
        if (NormalizeBackupPath(source) != source) {
            std::abort();
        }
    }
    return 0;
}
