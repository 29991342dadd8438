#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "platform/files/FileApi.h"
#include "platform/files/FileInfo.h"
#include "platform/files/FindSearch.h"
#include "platform/files/GbkNames.h"
#include "platform/files/PathResolution.h"
#include "platform/files/ShareTable.h"
#include "platform/text/Encoding.h"
#include "platform/text/Gbk.h"

namespace {

using platform::FileInfo;
using platform::ResolvedPath;
using platform::ShareTable;
using platform::WindowsPath;

template <typename T>
T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

BOOL Succeed() {
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

struct ExistingEntry {
    ResolvedPath target;
    FileInfo info;
};

// Resolves a path argument and reads what stands there; on failure sets the last error and gives
// nullopt.
std::optional<ExistingEntry> FindExisting(LPCSTR name) {
    ResolvedPath target = platform::ResolveWindowsPath(name ? name : "");
    if (!target.ok()) {
        return Fail(target.error, std::optional<ExistingEntry>());
    }
    std::optional<FileInfo> info = platform::QueryFileInfo(target.path);
    if (!info) {
        return Fail(platform::MissingFileError(target.path), std::optional<ExistingEntry>());
    }
    return ExistingEntry{std::move(target), std::move(*info)};
}

// Parses and checks an argument; on failure sets the last error and gives nullopt.
std::optional<WindowsPath> ParseArgument(LPCSTR text, bool patternInLastName) {
    std::optional<WindowsPath> parsed = platform::ParseWindowsPath(text ? text : "");
    if (!parsed) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    if (DWORD error = platform::CheckNames(*parsed, patternInLastName); error != ERROR_SUCCESS) {
        SetLastError(error);
        return std::nullopt;
    }
    return parsed;
}

// Parses, checks and resolves a name that may not be a drive's root folder (nothing can be made,
// removed or moved there); on failure sets the last error and gives nullopt.
std::optional<ResolvedPath> ResolveBelowRoot(LPCSTR text, std::optional<WindowsPath>& parsed) {
    parsed = ParseArgument(text, false);
    if (!parsed) {
        return std::nullopt;
    }
    if (parsed->IsRoot()) {
        return Fail(ERROR_ACCESS_DENIED, std::optional<ResolvedPath>());
    }
    ResolvedPath resolved = platform::ResolveParsed(*parsed);
    if (!resolved.ok()) {
        return Fail(resolved.error, std::optional<ResolvedPath>());
    }
    return resolved;
}

WIN32_FIND_DATAA FindDataOf(const FileInfo& info, std::string_view name) {
    WIN32_FIND_DATAA data{};
    data.dwFileAttributes = platform::FileAttributesOf(info, name);
    data.ftCreationTime = info.creationTime;
    data.ftLastAccessTime = info.lastAccessTime;
    data.ftLastWriteTime = info.lastWriteTime;
    data.nFileSizeHigh = static_cast<DWORD>(info.size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(info.size);
    data.dwReserved0 = info.isSymlink ? IO_REPARSE_TAG_SYMLINK : 0;
    std::size_t length =
        name.size() < MAX_PATH ? name.size() : platform::CutAtCharBoundary(name, MAX_PATH - 1);
    name.copy(data.cFileName, length);
    return data;
}

// "." and ".." first, then names ignoring case, so that a listing does not depend on the order
// in which the file system keeps them.
bool ListedBefore(const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
    auto rank = [](const char* name) {
        return std::strcmp(name, ".") == 0 ? 0 : std::strcmp(name, "..") == 0 ? 1 : 2;
    };
    int rank_a = rank(a.cFileName);
    int rank_b = rank(b.cFileName);
    if (rank_a != rank_b) {
        return rank_a < rank_b;
    }
    int order = platform::CompareNoCase(a.cFileName, b.cFileName);
    return order != 0 ? order < 0 : std::strcmp(a.cFileName, b.cFileName) < 0;
}

std::vector<WIN32_FIND_DATAA> MatchingEntries(const std::filesystem::path& folder,
                                              std::string_view pattern) {
    std::vector<WIN32_FIND_DATAA> entries;
    if (folder != "/") {
        const std::pair<const char*, std::filesystem::path> dots[] = {{".", folder},
                                                                      {"..", folder.parent_path()}};
        for (const auto& [name, path] : dots) {
            if (platform::MatchesWildcard(pattern, name)) {
                if (std::optional<FileInfo> info = platform::QueryFileInfo(path)) {
                    entries.push_back(FindDataOf(*info, name));
                }
            }
        }
    }
    std::error_code error;
    for (std::filesystem::directory_iterator listing(folder, error), end; !error && listing != end;
         listing.increment(error)) {
        std::string name = platform::Utf8ToGbk(listing->path().filename().native());
        if (!platform::MatchesWildcard(pattern, name)) {
            continue;
        }
        // An entry removed since the listing was read is left out.
        if (std::optional<FileInfo> info = platform::QueryFileInfo(listing->path())) {
            entries.push_back(FindDataOf(*info, name));
        }
    }
    std::sort(entries.begin(), entries.end(), ListedBefore);
    return entries;
}

// Copies the file's bytes, permissions and times to a temporary file beside `destination` and
// puts it in place, so that a failed copy never leaves a half-written destination.
DWORD CopyContents(const std::filesystem::path& source, const std::filesystem::path& destination,
                   bool replace) {
    int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return platform::ErrorFromErrno(errno);
    }
    struct stat status {};
    if (fstat(in, &status) != 0) {
        int error = errno;
        close(in);
        return platform::ErrorFromErrno(error);
    }
    std::string temporary = (destination.parent_path() / ".copy-XXXXXX").native();
    int out = mkostemp(temporary.data(), O_CLOEXEC);
    if (out < 0) {
        int error = errno;
        close(in);
        return error == ENOENT || error == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                   : platform::ErrorFromErrno(error);
    }
    int error = 0;
    char buffer[65536];
    while (error == 0) {
        ssize_t count = read(in, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            error = count < 0 ? errno : 0;
            break;
        }
        for (ssize_t written = 0; written < count && error == 0;) {
            ssize_t step = write(out, buffer + written, static_cast<size_t>(count - written));
            if (step < 0 && errno != EINTR) {
                error = errno;
            } else if (step > 0) {
                written += step;
            }
        }
    }
    close(in);
    const timespec times[2] = {status.st_atim, status.st_mtim};
    if (error == 0 && (fchmod(out, status.st_mode & 07777) != 0 || futimens(out, times) != 0)) {
        error = errno;
    }
    if (close(out) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0) {
        int placed = replace ? rename(temporary.c_str(), destination.c_str())
                             : renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, destination.c_str(),
                                         RENAME_NOREPLACE);
        if (placed != 0) {
            error = errno;
        }
    }
    if (error != 0) {
        unlink(temporary.c_str());
        return error == EEXIST ? ERROR_FILE_EXISTS : platform::ErrorFromErrno(error);
    }
    return ERROR_SUCCESS;
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    if (lpFindFileData == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    std::optional<WindowsPath> pattern = ParseArgument(lpFileName, true);
    if (!pattern) {
        return INVALID_HANDLE_VALUE;
    }
    if (pattern->IsRoot() || pattern->endsWithSeparator()) {
        return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    }
    ResolvedPath folder = platform::ResolveParsed(pattern->Parent());
    if (!folder.ok()) {
        return Fail(folder.error, INVALID_HANDLE_VALUE);
    }
    std::optional<FileInfo> folder_info = platform::QueryFileInfo(folder.path);
    if (!folder_info || !folder_info->isDirectory) {
        return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    }
    std::vector<WIN32_FIND_DATAA> entries = MatchingEntries(folder.path, pattern->names().back());
    if (entries.empty()) {
        return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    }
    auto search = std::make_shared<platform::FindSearch>(std::move(entries));
    search->Next(*lpFindFileData);
    HANDLE handle = platform::KernelObject::Insert(std::move(search));
    SetLastError(ERROR_SUCCESS);
    return handle;
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    auto search = platform::KernelObject::LookupAs<platform::FindSearch>(hFindFile);
    if (!search) {
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    }
    if (lpFindFileData == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    if (!search->Next(*lpFindFileData)) {
        return Fail(ERROR_NO_MORE_FILES, FALSE);
    }
    return Succeed();
}

BOOL FindClose(HANDLE hFindFile) {
    if (!platform::KernelObject::LookupAs<platform::FindSearch>(hFindFile) ||
        !platform::KernelObject::Remove(hFindFile)) {
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    }
    return Succeed();
}

BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
    ResolvedPath source =
        platform::ResolveWindowsPath(lpExistingFileName ? lpExistingFileName : "");
    if (!source.ok()) {
        return Fail(source.error, FALSE);
    }
    std::optional<FileInfo> source_info =
        platform::QueryFileInfo(source.path, platform::LinkMode::kFollow);
    if (!source_info) {
        return Fail(platform::MissingFileError(source.path), FALSE);
    }
    if (source_info->isDirectory) {
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if (!ShareTable::Instance().Allows(source_info->identity, ShareTable::kRead)) {
        return Fail(ERROR_SHARING_VIOLATION, FALSE);
    }
    ResolvedPath destination = platform::ResolveWindowsPath(lpNewFileName ? lpNewFileName : "");
    if (!destination.ok()) {
        return Fail(destination.error, FALSE);
    }
    if (std::optional<FileInfo> existing =
            platform::QueryFileInfo(destination.path, platform::LinkMode::kFollow)) {
        if (bFailIfExists) {
            return Fail(ERROR_FILE_EXISTS, FALSE);
        }
        if (existing->isDirectory || existing->isReadOnly) {
            return Fail(ERROR_ACCESS_DENIED, FALSE);
        }
        // Copying a file onto itself, or over one held without shared writing, is refused.
        if (existing->identity == source_info->identity ||
            !ShareTable::Instance().Allows(existing->identity, ShareTable::kWrite)) {
            return Fail(ERROR_SHARING_VIOLATION, FALSE);
        }
    }
    DWORD error = CopyContents(source.path, destination.path, !bFailIfExists);
    if (error != ERROR_SUCCESS) {
        return Fail(error, FALSE);
    }
    return Succeed();
}

BOOL DeleteFileA(LPCSTR lpFileName) {
    std::optional<ExistingEntry> entry = FindExisting(lpFileName);
    if (!entry) {
        return FALSE;
    }
    const ResolvedPath& target = entry->target;
    const FileInfo& info = entry->info;
    if (info.isDirectory) {
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if (!info.isSymlink) {
        if (info.isReadOnly) {
            return Fail(ERROR_ACCESS_DENIED, FALSE);
        }
        if (!ShareTable::Instance().Allows(info.identity, ShareTable::kDelete)) {
            return Fail(ERROR_SHARING_VIOLATION, FALSE);
        }
    }
    if (unlink(target.path.c_str()) != 0) {
        return Fail(platform::ErrorFromErrno(errno), FALSE);
    }
    return Succeed();
}

BOOL MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName) {
    return MoveFileExA(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED);
}

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
    if (lpNewFileName == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    ResolvedPath source =
        platform::ResolveWindowsPath(lpExistingFileName ? lpExistingFileName : "");
    if (!source.ok()) {
        return Fail(source.error, FALSE);
    }
    std::optional<FileInfo> source_info = platform::QueryFileInfo(source.path);
    if (!source_info) {
        return Fail(platform::MissingFileError(source.path), FALSE);
    }
    if (!source_info->isSymlink && !source_info->isDirectory &&
        !ShareTable::Instance().Allows(source_info->identity, ShareTable::kDelete)) {
        return Fail(ERROR_SHARING_VIOLATION, FALSE);
    }
    std::optional<WindowsPath> destination_name;
    std::optional<ResolvedPath> resolved = ResolveBelowRoot(lpNewFileName, destination_name);
    if (!resolved) {
        return FALSE;
    }
    ResolvedPath& destination = *resolved;
    if (std::optional<FileInfo> existing = platform::QueryFileInfo(destination.path)) {
        bool same_file = existing->identity == source_info->identity &&
                         existing->isSymlink == source_info->isSymlink;
        if (same_file && destination.path.parent_path() == source.path.parent_path()) {
            // The name matched the source ignoring case: this renames to the case as written.
            destination.path = destination.path.parent_path() /
                               platform::GbkToUtf8(destination_name->names().back());
        } else if (!(dwFlags & MOVEFILE_REPLACE_EXISTING)) {
            return Fail(ERROR_ALREADY_EXISTS, FALSE);
        } else if (existing->isDirectory || source_info->isDirectory ||
                   (existing->isReadOnly && !existing->isSymlink)) {
            return Fail(ERROR_ACCESS_DENIED, FALSE);
        } else if (!existing->isSymlink &&
                   !ShareTable::Instance().Allows(existing->identity, ShareTable::kDelete)) {
            return Fail(ERROR_SHARING_VIOLATION, FALSE);
        }
    }
    if (rename(source.path.c_str(), destination.path.c_str()) == 0) {
        return Succeed();
    }
    int error = errno;
    if (error != EXDEV) {
        return Fail(error == ENOENT ? ERROR_PATH_NOT_FOUND : platform::ErrorFromErrno(error),
                    FALSE);
    }
    if (!(dwFlags & MOVEFILE_COPY_ALLOWED) || source_info->isDirectory) {
        return Fail(ERROR_NOT_SAME_DEVICE, FALSE);
    }
    DWORD copied = CopyContents(source.path, destination.path, true);
    if (copied != ERROR_SUCCESS) {
        return Fail(copied, FALSE);
    }
    if (unlink(source.path.c_str()) != 0) {
        return Fail(platform::ErrorFromErrno(errno), FALSE);
    }
    return Succeed();
}

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    std::optional<WindowsPath> parsed;
    std::optional<ResolvedPath> target = ResolveBelowRoot(lpPathName, parsed);
    if (!target) {
        return FALSE;
    }
    if (mkdir(target->path.c_str(), 0777) != 0) {
        int error = errno;
        if (error == EEXIST) {
            return Fail(ERROR_ALREADY_EXISTS, FALSE);
        }
        return Fail(error == ENOENT ? ERROR_PATH_NOT_FOUND : platform::ErrorFromErrno(error),
                    FALSE);
    }
    return Succeed();
}

BOOL RemoveDirectoryA(LPCSTR lpPathName) {
    std::optional<WindowsPath> parsed;
    std::optional<ResolvedPath> target = ResolveBelowRoot(lpPathName, parsed);
    if (!target) {
        return FALSE;
    }
    std::optional<FileInfo> info = platform::QueryFileInfo(target->path);
    if (!info) {
        return Fail(platform::MissingFileError(target->path), FALSE);
    }
    if (!info->isDirectory) {
        return Fail(ERROR_DIRECTORY, FALSE);
    }
    // A link to a folder goes away as a link; the folder it points to stays.
    int removed = info->isSymlink ? unlink(target->path.c_str()) : rmdir(target->path.c_str());
    if (removed != 0) {
        int error = errno;
        return Fail(error == EEXIST ? ERROR_DIR_NOT_EMPTY : platform::ErrorFromErrno(error), FALSE);
    }
    return Succeed();
}

DWORD GetFileAttributesA(LPCSTR lpFileName) {
    std::optional<ExistingEntry> entry = FindExisting(lpFileName);
    if (!entry) {
        return INVALID_FILE_ATTRIBUTES;
    }
    SetLastError(ERROR_SUCCESS);
    return platform::FileAttributesOf(entry->info, entry->target.path.filename().native());
}

BOOL SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) {
    ResolvedPath target = platform::ResolveWindowsPath(lpFileName ? lpFileName : "");
    if (!target.ok()) {
        return Fail(target.error, FALSE);
    }
    struct stat status {};
    if (stat(target.path.c_str(), &status) != 0) {
        return Fail(platform::MissingFileError(target.path), FALSE);
    }
    // A folder's read-only flag means nothing to its contents on the original platform, so
    // folders keep their permissions.
    if (!S_ISDIR(status.st_mode)) {
        mode_t mode = status.st_mode & 07777;
        mode = (dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~mode_t{0222})
                                                            : (mode | S_IWUSR);
        if (chmod(target.path.c_str(), mode) != 0) {
            return Fail(platform::ErrorFromErrno(errno), FALSE);
        }
    }
    return Succeed();
}
