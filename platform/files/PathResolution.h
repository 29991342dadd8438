// The path layer's working parts, shared by the file functions: Windows paths parsed against the
// current folder and resolved to Linux paths with the last error each failure means.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/base/WinTypes.h"
#include "platform/files/WindowsPath.h"

namespace platform {

struct ResolvedPath {
    DWORD error = ERROR_SUCCESS;
    std::filesystem::path path;

    bool ok() const { return error == ERROR_SUCCESS; }
};

// The Windows form of an absolute Linux path (taken against the current folder when relative).
WindowsPath WindowsPathOf(const std::filesystem::path& linuxPath);
WindowsPath CurrentWindowsFolder();

// `text` against the current folder, which is asked for only when the text needs it; nullopt
// for an empty text.
std::optional<WindowsPath> ParseWindowsPath(std::string_view text);

// ERROR_INVALID_NAME when a name holds a forbidden character; the last name may hold wildcards
// when `patternInLastName`.
DWORD CheckNames(const WindowsPath& path, bool patternInLastName);

// Maps the drive and walks the names from its root, taking each name as it is when it exists and
// otherwise the existing name that equals it ignoring case. Names past the first missing one are
// kept as written, so the result also names files about to be created.
ResolvedPath ResolveParsed(const WindowsPath& path);

// Parse, check and resolve; an empty text gives ERROR_PATH_NOT_FOUND.
ResolvedPath ResolveWindowsPath(std::string_view text);

}  // namespace platform
