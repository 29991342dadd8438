#include "platform/files/FileApi.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <memory>

#include "platform/files/FileInfo.h"
#include "platform/files/FileObject.h"
#include "platform/files/PathResolution.h"
#include "platform/files/ShareTable.h"

namespace {

using platform::FileObject;

unsigned AccessBits(DWORD desiredAccess) {
    unsigned access = 0;
    if (desiredAccess & (GENERIC_READ | GENERIC_ALL)) {
        access |= platform::ShareTable::kRead;
    }
    if (desiredAccess & (GENERIC_WRITE | GENERIC_ALL)) {
        access |= platform::ShareTable::kWrite;
    }
    return access;
}

int OpenFlags(unsigned access) {
    bool read = access & platform::ShareTable::kRead;
    bool write = access & platform::ShareTable::kWrite;
    return (write ? (read ? O_RDWR : O_WRONLY) : O_RDONLY) | O_CLOEXEC;
}

template <typename T>
T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

std::shared_ptr<FileObject> FileOf(HANDLE handle) {
    std::shared_ptr<FileObject> file = platform::KernelObject::LookupAs<FileObject>(handle);
    if (!file) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return file;
}

// A positioned transfer when an OVERLAPPED gives the offset; afterwards the file pointer stands
// behind the bytes moved, as it does for a synchronous handle.
std::int64_t OffsetOf(const OVERLAPPED* overlapped) {
    return (static_cast<std::int64_t>(overlapped->OffsetHigh) << 32) | overlapped->Offset;
}

}  // namespace

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                   HANDLE) {
    if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING) {
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    unsigned access = AccessBits(dwDesiredAccess);
    bool truncates =
        dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING;
    if (dwCreationDisposition == TRUNCATE_EXISTING && !(access & platform::ShareTable::kWrite)) {
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    platform::ResolvedPath resolved = platform::ResolveWindowsPath(lpFileName ? lpFileName : "");
    if (!resolved.ok()) {
        return Fail(resolved.error, INVALID_HANDLE_VALUE);
    }

    // A dangling link counts as missing: opening creates its target.
    std::optional<platform::FileInfo> existing =
        platform::QueryFileInfo(resolved.path, platform::LinkMode::kFollow);
    if (existing) {
        if (existing->isDirectory) {
            return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
        }
        if (dwCreationDisposition == CREATE_NEW) {
            return Fail(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
        }
        if (existing->isReadOnly && ((access & platform::ShareTable::kWrite) || truncates)) {
            return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
        }
    } else if (dwCreationDisposition == OPEN_EXISTING ||
               dwCreationDisposition == TRUNCATE_EXISTING) {
        return Fail(platform::MissingFileError(resolved.path), INVALID_HANDLE_VALUE);
    }

    int flags = OpenFlags(access);
    if (!existing) {
        flags |= dwCreationDisposition == CREATE_NEW ? O_CREAT | O_EXCL : O_CREAT;
    }
    mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    int fd = open(resolved.path.c_str(), flags, mode);
    if (fd < 0) {
        DWORD error = errno == ENOENT   ? platform::MissingFileError(resolved.path)
                      : errno == EEXIST ? ERROR_FILE_EXISTS
                                        : platform::ErrorFromErrno(errno);
        return Fail(error, INVALID_HANDLE_VALUE);
    }
    std::optional<platform::FileInfo> opened = platform::QueryOpenFileInfo(fd);
    std::uint64_t entry =
        opened ? platform::ShareTable::Instance().Open(opened->identity, access, dwShareMode) : 0;
    if (entry == 0) {
        close(fd);
        return Fail(opened ? ERROR_SHARING_VIOLATION : ERROR_GEN_FAILURE, INVALID_HANDLE_VALUE);
    }
    auto file = std::make_shared<FileObject>(fd, access, entry);
    if (existing && truncates && ftruncate(fd, 0) != 0) {
        return Fail(platform::ErrorFromErrno(errno), INVALID_HANDLE_VALUE);
    }
    HANDLE handle = platform::KernelObject::Insert(std::move(file));
    bool opened_existing = existing && (dwCreationDisposition == CREATE_ALWAYS ||
                                        dwCreationDisposition == OPEN_ALWAYS);
    SetLastError(opened_existing ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesRead != nullptr) {
        *lpNumberOfBytesRead = 0;
    }
    std::shared_ptr<FileObject> file = FileOf(hFile);
    if (!file) {
        return FALSE;
    }
    if (!file->canRead()) {
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if ((lpNumberOfBytesRead == nullptr && lpOverlapped == nullptr) ||
        (lpBuffer == nullptr && nNumberOfBytesToRead > 0)) {
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    auto* bytes = static_cast<char*>(lpBuffer);
    std::int64_t offset = lpOverlapped ? OffsetOf(lpOverlapped) : -1;
    DWORD total = 0;
    while (total < nNumberOfBytesToRead) {
        ssize_t count = offset >= 0 ? pread(file->fd(), bytes + total, nNumberOfBytesToRead - total,
                                            offset + total)
                                    : read(file->fd(), bytes + total, nNumberOfBytesToRead - total);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return Fail(platform::ErrorFromErrno(errno), FALSE);
        }
        if (count == 0) {
            break;
        }
        total += static_cast<DWORD>(count);
    }
    if (offset >= 0) {
        lseek(file->fd(), offset + total, SEEK_SET);
    }
    if (lpNumberOfBytesRead != nullptr) {
        *lpNumberOfBytesRead = total;
    }
    if (lpOverlapped != nullptr) {
        lpOverlapped->InternalHigh = total;
        if (total == 0 && nNumberOfBytesToRead > 0) {
            return Fail(ERROR_HANDLE_EOF, FALSE);
        }
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesWritten != nullptr) {
        *lpNumberOfBytesWritten = 0;
    }
    std::shared_ptr<FileObject> file = FileOf(hFile);
    if (!file) {
        return FALSE;
    }
    if (!file->canWrite()) {
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if ((lpNumberOfBytesWritten == nullptr && lpOverlapped == nullptr) ||
        (lpBuffer == nullptr && nNumberOfBytesToWrite > 0)) {
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    const auto* bytes = static_cast<const char*>(lpBuffer);
    std::int64_t offset = lpOverlapped ? OffsetOf(lpOverlapped) : -1;
    DWORD total = 0;
    while (total < nNumberOfBytesToWrite) {
        ssize_t count =
            offset >= 0
                ? pwrite(file->fd(), bytes + total, nNumberOfBytesToWrite - total, offset + total)
                : write(file->fd(), bytes + total, nNumberOfBytesToWrite - total);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            if (lpNumberOfBytesWritten != nullptr) {
                *lpNumberOfBytesWritten = total;
            }
            return Fail(count < 0 ? platform::ErrorFromErrno(errno) : ERROR_DISK_FULL, FALSE);
        }
        total += static_cast<DWORD>(count);
    }
    if (offset >= 0) {
        lseek(file->fd(), offset + total, SEEK_SET);
        lpOverlapped->InternalHigh = total;
    }
    if (lpNumberOfBytesWritten != nullptr) {
        *lpNumberOfBytesWritten = total;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    std::shared_ptr<FileObject> file = FileOf(hFile);
    if (!file) {
        return INVALID_FILE_SIZE;
    }
    struct stat status {};
    if (fstat(file->fd(), &status) != 0) {
        return Fail(platform::ErrorFromErrno(errno), INVALID_FILE_SIZE);
    }
    auto size = static_cast<std::uint64_t>(status.st_size);
    if (lpFileSizeHigh != nullptr) {
        *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
    }
    // A size whose low half is 0xFFFFFFFF is told from a failure by the last error.
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                     DWORD dwMoveMethod) {
    std::shared_ptr<FileObject> file = FileOf(hFile);
    if (!file) {
        return INVALID_SET_FILE_POINTER;
    }
    std::int64_t distance =
        lpDistanceToMoveHigh != nullptr
            ? static_cast<std::int64_t>(
                  (static_cast<std::uint64_t>(static_cast<std::uint32_t>(*lpDistanceToMoveHigh))
                   << 32) |
                  static_cast<std::uint32_t>(lDistanceToMove))
            : static_cast<std::int64_t>(lDistanceToMove);
    std::int64_t base = 0;
    switch (dwMoveMethod) {
        case FILE_BEGIN:
            break;
        case FILE_CURRENT:
            base = lseek(file->fd(), 0, SEEK_CUR);
            break;
        case FILE_END: {
            struct stat status {};
            base = fstat(file->fd(), &status) == 0 ? status.st_size : -1;
            break;
        }
        default:
            return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
    }
    if (base < 0) {
        return Fail(platform::ErrorFromErrno(errno), INVALID_SET_FILE_POINTER);
    }
    if (distance > 0 && base > INT64_MAX - distance) {
        return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
    }
    std::int64_t position = base + distance;
    if (position < 0) {
        return Fail(ERROR_NEGATIVE_SEEK, INVALID_SET_FILE_POINTER);
    }
    // Without a high half the caller cannot receive a position past 32 bits.
    if (lpDistanceToMoveHigh == nullptr && position > 0xFFFFFFFFll) {
        return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
    }
    if (lseek(file->fd(), position, SEEK_SET) < 0) {
        return Fail(platform::ErrorFromErrno(errno), INVALID_SET_FILE_POINTER);
    }
    if (lpDistanceToMoveHigh != nullptr) {
        *lpDistanceToMoveHigh = static_cast<LONG>(position >> 32);
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}

BOOL SetEndOfFile(HANDLE hFile) {
    std::shared_ptr<FileObject> file = FileOf(hFile);
    if (!file) {
        return FALSE;
    }
    if (!file->canWrite()) {
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    off_t position = lseek(file->fd(), 0, SEEK_CUR);
    if (position < 0 || ftruncate(file->fd(), position) != 0) {
        return Fail(platform::ErrorFromErrno(errno), FALSE);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE hFile) {
    std::shared_ptr<FileObject> file = FileOf(hFile);
    if (!file) {
        return FALSE;
    }
    if (!file->canWrite()) {
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if (fsync(file->fd()) != 0) {
        return Fail(platform::ErrorFromErrno(errno), FALSE);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                 LPFILETIME lpLastWriteTime) {
    std::shared_ptr<FileObject> file = FileOf(hFile);
    if (!file) {
        return FALSE;
    }
    std::optional<platform::FileInfo> info = platform::QueryOpenFileInfo(file->fd());
    if (!info) {
        return Fail(platform::ErrorFromErrno(errno), FALSE);
    }
    if (lpCreationTime != nullptr) {
        *lpCreationTime = info->creationTime;
    }
    if (lpLastAccessTime != nullptr) {
        *lpLastAccessTime = info->lastAccessTime;
    }
    if (lpLastWriteTime != nullptr) {
        *lpLastWriteTime = info->lastWriteTime;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL SetFileTime(HANDLE hFile, const FILETIME*, const FILETIME* lpLastAccessTime,
                 const FILETIME* lpLastWriteTime) {
    std::shared_ptr<FileObject> file = FileOf(hFile);
    if (!file) {
        return FALSE;
    }
    if (!file->canWrite()) {
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1] = times[0];
    if (lpLastAccessTime != nullptr) {
        times[0] = platform::ToTimespec(*lpLastAccessTime);
    }
    if (lpLastWriteTime != nullptr) {
        times[1] = platform::ToTimespec(*lpLastWriteTime);
    }
    if (futimens(file->fd(), times) != 0) {
        return Fail(platform::ErrorFromErrno(errno), FALSE);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
