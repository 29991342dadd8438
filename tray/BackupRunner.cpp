#include "tray/BackupRunner.h"

#include <cstring>

#include "manager/ManagerDirectoryChain.h"
#include "platform/files/FileApi.h"
#include "platform/text/Gbk.h"

namespace {

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// The folder that holds `folder`: for a run folder, its task's destination.
std::string ParentFolder(const std::string& folder) {
    const std::string trimmed =
        EndsWithSeparator(folder) ? folder.substr(0, folder.size() - 1) : folder;
    const std::size_t separator = platform::FindLastChar(trimmed, '\\');
    return separator == std::string::npos ? std::string() : trimmed.substr(0, separator + 1);
}

}  // namespace

CBackupRunner::~CBackupRunner() {
    StopAll();
}

void CBackupRunner::Start(std::string source, std::string target) {
    std::lock_guard lock(mutex_);
    // Their threads have returned or are about to: joining them as they go takes no time.
    std::erase_if(workers_, [](const Worker& worker) { return worker.done->load(); });
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::jthread thread(
        [source = std::move(source), target = std::move(target), done](std::stop_token stop) {
            CopyFolderTree(source, source.size(), target, stop);
            done->store(true);
        });
    workers_.push_back(Worker{std::move(done), std::move(thread)});
}

void CBackupRunner::StopAll() {
    std::vector<Worker> workers;
    {
        std::lock_guard lock(mutex_);
        workers.swap(workers_);
    }
    for (Worker& worker : workers) {
        worker.thread.request_stop();
    }
    // The jthreads join as they go.
}

void CBackupRunner::WaitAll() {
    std::vector<Worker> workers;
    {
        std::lock_guard lock(mutex_);
        workers.swap(workers_);
    }
    for (Worker& worker : workers) {
        worker.thread.join();
    }
}

std::size_t CBackupRunner::workerCount() {
    std::lock_guard lock(mutex_);
    return workers_.size();
}

void CopyFolderTree(const std::string& folder, std::size_t baseLength, const std::string& target,
                    std::stop_token stop) {
    const std::string prefix = EndsWithSeparator(folder) ? folder : folder + "\\";
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((prefix + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    std::string madeFolder;
    do {
        if (stop.stop_requested()) {
            break;
        }
        const char* name = found.cFileName;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
            continue;
        }
        const std::string path = prefix + name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            // A link to a folder could lead back up the tree; neither the copy's own folder nor the
            // earlier runs beside it are copied into it.
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
                platform::CompareNoCase(path + "\\", target) == 0 ||
                platform::CompareNoCase(path + "\\", ParentFolder(target)) == 0) {
                continue;
            }
            CopyFolderTree(path, baseLength, target, stop);
            continue;
        }
        if (path.size() < baseLength) {
            continue;
        }
        const std::string destination = target + path.substr(baseLength);
        const std::string destinationFolder =
            destination.substr(0, platform::FindLastChar(destination, '\\') + 1);
        if (destinationFolder != madeFolder) {
            manager::CreateDirectoryChain(destinationFolder.c_str());
            madeFolder = destinationFolder;
        }
        ::CopyFileA(path.c_str(), destination.c_str(), FALSE);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}
