// The media control interface's command strings, for the one device the programs drive: a CD
// drive's door. "open <root> type cdaudio alias <name>", "set <name> door open|closed" and
// "close <name>|all", each optionally with "wait" or "notify". The door moves through the drive's
// Linux block device (DriveTypes.h). Every command string is recorded as it arrives; the newest
// 100 are kept.
#pragma once

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

using MCIERROR = DWORD;

#define MCIERR_BASE 256
#define MCIERR_INVALID_DEVICE_ID (MCIERR_BASE + 1)
#define MCIERR_UNRECOGNIZED_KEYWORD (MCIERR_BASE + 3)
#define MCIERR_UNRECOGNIZED_COMMAND (MCIERR_BASE + 5)
#define MCIERR_HARDWARE (MCIERR_BASE + 6)
#define MCIERR_INVALID_DEVICE_NAME (MCIERR_BASE + 7)
#define MCIERR_MISSING_COMMAND_STRING (MCIERR_BASE + 11)
#define MCIERR_MISSING_PARAMETER (MCIERR_BASE + 17)
#define MCIERR_DUPLICATE_ALIAS (MCIERR_BASE + 33)

// `lpszReturnString` (when given) receives the device id for "open" and "" otherwise, cut to
// cchReturn bytes.
MCIERROR mciSendStringA(LPCSTR lpstrCommand, LPSTR lpstrReturnString, UINT uReturnLength,
                        HWND hwndCallback);

namespace platform {

// The command strings received since the last call (the newest 100), oldest first.
std::vector<std::string> TakeMciCommands();
// Closes every open device. For tests.
void ResetMciForTesting();

}  // namespace platform
