// The path layer: program code keeps the Windows paths it was written with (GBK bytes, either
// separator, drive letters) and every file function resolves them to Linux paths here.
//
// Rules: '\' and '/' both separate and doubled separators collapse; "." and ".." are resolved
// without climbing above the drive root; a relative path resolves against the process's current
// folder and a path that begins with one separator against the root of the current drive; drive
// Z: is the Linux root and other letters are mapped by MapDrive or by the environment variable
// PLATFORM_DRIVES ("C=/srv/c;D=/mnt/d"); each name that does not exist exactly is matched
// case-insensitively (ASCII letters only) against the existing names; names are GBK in the
// program and UTF-8 on disk. A GBK character's second byte is never a separator.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace platform {

// The Linux path that a Windows path names; nullopt when it names nothing: an empty path, an
// unmapped drive, or a name with a character the original platform forbids (<>:"|?* and control
// characters).
std::optional<std::filesystem::path> ResolvePath(std::string_view windowsPath);

// The Windows form (GBK, backslashes) of a Linux path: under the longest mapped drive root that
// contains it, else under Z:. Relative paths are taken against the current folder.
std::string ToWindowsPath(const std::filesystem::path& linuxPath);

// Maps a drive letter (either case, not Z) to a Linux folder, replacing an earlier mapping.
// Throws std::invalid_argument for Z or a character that is not a letter.
void MapDrive(char letter, std::filesystem::path root);
void UnmapDrive(char letter);

// fopen through the path layer, with the original runtime's modes: "r", "w", "a", each optionally
// with '+', and 'b' (bytes as they are) or 't' (the default: CR LF on disk reads as LF, a Ctrl-Z
// ends the text, and LF is written as CR LF). Null with errno set on failure. The stream shares
// reading and writing with other openers, like the runtime's fopen.
FILE* OpenStdioFile(const char* windowsPath, const char* mode);

// The module handle of the running program, which GetModuleFileNameA treats like null.
HMODULE ProcessModule();

// Makes GetModuleFileNameA report `windowsPath` (GBK), so that tests can run a program from a
// temporary program folder.
void OverrideModuleFileName(std::string windowsPath);
void ClearModuleFileNameOverride();

}  // namespace platform
