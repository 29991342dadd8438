// Where the programs of one user meet: a private folder (mode 0700, owned by the user) holding
// one socket per process that has top-level windows and one record file per published window.
// It is $PLATFORM_LINK_DIR when set (tests move it there), else $XDG_RUNTIME_DIR/larchway-link,
// else /tmp/larchway-link-<uid>.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>

namespace platform::link {

// Creates the folder when missing. Nullopt when it cannot be created, is not a folder, is a
// symbolic link or belongs to another user; a folder of this user that others could enter is
// made private again.
std::optional<std::filesystem::path> RuntimeFolder();

// The start time of a running process in clock ticks since boot; nullopt when no process with
// that id runs (an ended process that was not reaped yet counts as ended).
std::optional<std::uint64_t> ProcessStartTicks(pid_t pid);

}  // namespace platform::link
