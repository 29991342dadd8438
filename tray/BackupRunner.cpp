#include "tray/BackupRunner.h"

#include <cstring>

#include "manager/ManagerDirectoryChain.h"
#include "platform/files/FileApi.h"
#include "platform/text/Gbk.h"

namespace {

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

}  // namespace

CBackupRunner::~CBackupRunner() {
    StopAll();
}

void CBackupRunner::Start(std::string source, std::string target) {
    std::lock_guard lock(mutex_);
    std::erase_if(workers_, [](const std::jthread& worker) { return !worker.joinable(); });
    workers_.emplace_back(
        [source = std::move(source), target = std::move(target)](std::stop_token stop) {
            CopyFolderTree(source, source.size(), target, stop);
        });
}

void CBackupRunner::StopAll() {
    std::vector<std::jthread> workers;
    {
        std::lock_guard lock(mutex_);
        workers.swap(workers_);
    }
    for (std::jthread& worker : workers) {
        worker.request_stop();
    }
    // The jthreads join as they go.
}

void CBackupRunner::WaitAll() {
    std::vector<std::jthread> workers;
    {
        std::lock_guard lock(mutex_);
        workers.swap(workers_);
    }
    for (std::jthread& worker : workers) {
        if (worker.joinable()) {
            worker.join();
        }
    }
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
            // A link to a folder could lead back up the tree; the copy's own folder must not be
            // copied into itself.
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
                platform::CompareNoCase(path + "\\", target) == 0) {
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
