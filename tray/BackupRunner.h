// Folder backups: each copies one folder tree below a new target folder in a worker thread of
// its own, which owns its paths and touches nothing shared. Files keep their relative layout;
// folders without files are not made; a file that cannot be copied is passed over. Directory
// links are never followed, and the target's parent folder (the task's destination, which holds
// every earlier run) is passed over when it lies inside the source, at any depth, so that no run
// copies the ones before it. A destination that is the source itself cannot be kept apart this
// way; the plans refuse it.
//
// The runner is the one place that knows the workers: a worker that has ended is joined at the
// next start (the tray runs for weeks), and the program asks the others to stop (after the file
// they copy) and waits for them before it ends, so that no worker outlives what it uses.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

class CBackupRunner {
public:
    CBackupRunner() = default;
    ~CBackupRunner();
    CBackupRunner(const CBackupRunner&) = delete;
    CBackupRunner& operator=(const CBackupRunner&) = delete;

    // Copies the tree below `source` into `target`, both ending in "\".
    void Start(std::string source, std::string target);
    // Asks every copy to stop after its current file and waits for all of them.
    void StopAll();
    // Waits until every copy has ended.
    void WaitAll();
    // The workers kept: those that run, and those that ended since the last start.
    std::size_t workerCount();

private:
    struct Worker {
        std::shared_ptr<std::atomic<bool>> done;
        std::jthread thread;
    };

    std::mutex mutex_;
    std::vector<Worker> workers_;
};

// Copies every file below `folder` to `target` followed by the file's path after its first
// `baseLength` characters, making the folders along the way and passing over `target` and its
// parent folder; stops early once `stop` is asked.
void CopyFolderTree(const std::string& folder, std::size_t baseLength, const std::string& target,
                    std::stop_token stop);
