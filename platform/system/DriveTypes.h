// What kind of drive each letter is. Z: (the Linux root) and every mapped drive are fixed disks.
// CD drives are letters given a Linux block device: by SetCdromDrive, by the environment variable
// PLATFORM_CDROMS ("D=/dev/sr0;E=/dev/sr1"), or else found at first use, one letter for each
// /dev/srN from D: on, skipping mapped letters.
#pragma once

#include <optional>
#include <string>

#include "platform/base/WinTypes.h"

#define DRIVE_UNKNOWN 0
#define DRIVE_NO_ROOT_DIR 1
#define DRIVE_REMOVABLE 2
#define DRIVE_FIXED 3
#define DRIVE_REMOTE 4
#define DRIVE_CDROM 5
#define DRIVE_RAMDISK 6

// A root such as "D:\", "d:" or "D:/"; null asks about the current drive. Any other path is
// DRIVE_NO_ROOT_DIR.
UINT GetDriveTypeA(LPCSTR lpRootPathName);

namespace platform {

// Replaces whatever the environment or the search found; `letter` in either case.
void SetCdromDrive(char letter, std::string device);
// No CD drive at all until the next SetCdromDrive (no search either). For tests.
void ClearCdromDrives();
// The block device behind a CD drive letter.
std::optional<std::string> CdromDevice(char letter);

}  // namespace platform
