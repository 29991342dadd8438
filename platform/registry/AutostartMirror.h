// The desktop's side of the Run keys. A program that should start at log-in writes a command
// line under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER
// "Software\Microsoft\Windows\CurrentVersion\Run"; here no one reads that key at log-in, so each of
// its string values is mirrored as an XDG autostart entry ($XDG_CONFIG_HOME/autostart, else
// ~/.config/autostart) that starts the program from its own folder, as scripts/run.sh starts the
// programs. Deleting the value, or the key, removes the entry.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// True for the path of a Run key: a root name, then the Run key's names (any case).
bool IsRunKeyPath(const std::vector<std::string>& path);

// The autostart entry file of the value `name` of the Run key under `root` ("HKEY_LOCAL_MACHINE"
// or "HKEY_CURRENT_USER"); nothing when no autostart folder can be named.
std::optional<std::filesystem::path> AutostartEntryPath(std::string_view root,
                                                        std::string_view name);

// The entry's text for a Run command line: the first word (quoted or up to the first blank) is
// the Windows path of the program, the rest its arguments. Nothing when the program's path names
// no Linux file.
std::optional<std::string> AutostartEntryText(std::string_view name, std::string_view commandLine);

// Writes (through a temporary file and a rename) or removes the entry of one value. Failures are
// silent: the registry value stands either way.
void MirrorRunValue(std::string_view root, std::string_view name, std::string_view commandLine);
void RemoveRunMirror(std::string_view root, std::string_view name);

}  // namespace platform
