// What the file functions need to know about a file on disk, in the original platform's terms, and
// the translation of system errors into its error codes.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace platform {

struct FileIdentity {
    dev_t device;
    ino_t inode;
    bool operator==(const FileIdentity&) const = default;
};

struct FileInfo {
    FileIdentity identity;
    bool isDirectory;  // of the link's target for a symbolic link
    bool isSymlink;
    bool isReadOnly;  // a file without write permission for its owner; folders never are
    std::uint64_t size;
    FILETIME creationTime;  // the birth time where the file system keeps one, else the write time
    FILETIME lastAccessTime;
    FILETIME lastWriteTime;
};

enum class LinkMode {
    kReport,  // a symbolic link reports its target's facts with isSymlink set, or its own when
              // the target is missing
    kFollow,  // a dangling link counts as nothing there
};

// Nullopt (with errno set) when nothing is there.
std::optional<FileInfo> QueryFileInfo(const std::filesystem::path& path,
                                      LinkMode mode = LinkMode::kReport);
std::optional<FileInfo> QueryOpenFileInfo(int fd);

// The FILE_ATTRIBUTE_* bits for a file called `name` (GBK or UTF-8): hidden when it begins with
// '.'.
DWORD FileAttributesOf(const FileInfo& info, std::string_view name);

FILETIME ToFileTime(const timespec& time);
timespec ToTimespec(const FILETIME& time);

DWORD ErrorFromErrno(int error);
// ERROR_FILE_NOT_FOUND when the folder of `path` exists, else ERROR_PATH_NOT_FOUND.
DWORD MissingFileError(const std::filesystem::path& path);

}  // namespace platform
