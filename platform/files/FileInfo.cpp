#include "platform/files/FileInfo.h"

#include "platform/files/FileApi.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>

namespace platform {
namespace {

// 100 ns units between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kUnixEpochInFileTime = 116444736000000000;
constexpr std::int64_t kTicksPerSecond = 10000000;

timespec FromStatx(const statx_timestamp& time) {
    timespec result{};
    result.tv_sec = time.tv_sec;
    result.tv_nsec = time.tv_nsec;
    return result;
}

std::optional<FileInfo> FromStatx(const struct statx& status, bool isSymlink) {
    FileInfo info{};
    info.identity = {static_cast<dev_t>(makedev(status.stx_dev_major, status.stx_dev_minor)),
                     static_cast<ino_t>(status.stx_ino)};
    info.isDirectory = S_ISDIR(status.stx_mode);
    info.isSymlink = isSymlink;
    info.isReadOnly = !info.isDirectory && (status.stx_mode & S_IWUSR) == 0;
    info.size = info.isDirectory ? 0 : status.stx_size;
    info.lastAccessTime = ToFileTime(FromStatx(status.stx_atime));
    info.lastWriteTime = ToFileTime(FromStatx(status.stx_mtime));
    info.creationTime = (status.stx_mask & STATX_BTIME) ? ToFileTime(FromStatx(status.stx_btime))
                                                        : info.lastWriteTime;
    return info;
}

constexpr unsigned kStatxFields = STATX_BASIC_STATS | STATX_BTIME;

}  // namespace

std::optional<FileInfo> QueryFileInfo(const std::filesystem::path& path, LinkMode mode) {
    struct statx link {};
    if (statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, kStatxFields, &link) != 0) {
        return std::nullopt;
    }
    if (!S_ISLNK(link.stx_mode)) {
        return FromStatx(link, false);
    }
    struct statx target {};
    if (statx(AT_FDCWD, path.c_str(), 0, kStatxFields, &target) != 0) {
        if (mode == LinkMode::kFollow) {
            return std::nullopt;
        }
        std::optional<FileInfo> dangling = FromStatx(link, true);
        dangling->size = 0;
        return dangling;
    }
    return FromStatx(target, true);
}

std::optional<FileInfo> QueryOpenFileInfo(int fd) {
    struct statx status {};
    if (statx(fd, "", AT_EMPTY_PATH, kStatxFields, &status) != 0) {
        return std::nullopt;
    }
    return FromStatx(status, false);
}

DWORD FileAttributesOf(const FileInfo& info, std::string_view name) {
    DWORD attributes = info.isDirectory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (info.isReadOnly) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    if (name.size() > 1 && name[0] == '.' && name != "..") {
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    }
    if (info.isSymlink) {
        attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    }
    return attributes;
}

FILETIME ToFileTime(const timespec& time) {
    std::int64_t ticks = static_cast<std::int64_t>(time.tv_sec) * kTicksPerSecond +
                         time.tv_nsec / 100 + kUnixEpochInFileTime;
    if (ticks < 0) {
        ticks = 0;
    }
    auto value = static_cast<std::uint64_t>(ticks);
    return {static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

timespec ToTimespec(const FILETIME& time) {
    std::uint64_t value =
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    // Values beyond any real date are clamped so that the arithmetic cannot overflow.
    std::int64_t ticks =
        static_cast<std::int64_t>(value & 0x7FFFFFFFFFFFFFFFull) - kUnixEpochInFileTime;
    std::int64_t seconds = ticks / kTicksPerSecond;
    std::int64_t remainder = ticks % kTicksPerSecond;
    if (remainder < 0) {
        remainder += kTicksPerSecond;
        --seconds;
    }
    timespec result{};
    result.tv_sec = static_cast<time_t>(seconds);
    result.tv_nsec = static_cast<long>(remainder * 100);
    return result;
}

DWORD ErrorFromErrno(int error) {
    switch (error) {
        case 0:
            return ERROR_SUCCESS;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return ERROR_ACCESS_DENIED;
        case EEXIST:
            return ERROR_ALREADY_EXISTS;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return ERROR_DISK_FULL;
        case EXDEV:
            return ERROR_NOT_SAME_DEVICE;
        case EBADF:
            return ERROR_INVALID_HANDLE;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case ELOOP:
            return ERROR_INVALID_NAME;
        default:
            return ERROR_GEN_FAILURE;
    }
}

DWORD MissingFileError(const std::filesystem::path& path) {
    std::optional<FileInfo> folder = QueryFileInfo(path.parent_path());
    return folder && folder->isDirectory ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

}  // namespace platform
