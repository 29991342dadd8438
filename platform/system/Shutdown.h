// Ending the session. A program here never shuts the machine down: the request is checked as the
// system checks it (the shutdown privilege must be enabled for a shutdown, reboot or power-off)
// and then kept, so that tests and a future display can see and act on it.
#pragma once

#include <vector>

#include "platform/base/WinTypes.h"

#define EWX_LOGOFF 0x00000000
#define EWX_SHUTDOWN 0x00000001
#define EWX_REBOOT 0x00000002
#define EWX_FORCE 0x00000004
#define EWX_POWEROFF 0x00000008
#define EWX_FORCEIFHUNG 0x00000010

// FALSE with ERROR_PRIVILEGE_NOT_HELD when a shutdown, reboot or power-off is asked without the
// shutdown privilege enabled.
BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason);

namespace platform {

struct ShutdownRequest {
    UINT flags = 0;
    DWORD reason = 0;
};

// The requests accepted since the last call, oldest first.
std::vector<ShutdownRequest> TakeShutdownRequests();

}  // namespace platform
