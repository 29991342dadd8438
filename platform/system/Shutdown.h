// Ending the session. The request is checked as the system checks it (the shutdown privilege must
// be enabled for a shutdown, reboot or power-off). A shutdown, power-off or reboot then goes to
// the session manager (logind's PowerOff or Reboot, through busctl) when the user has opted in
// with PLATFORM_SESSION_POWER=logind. Nothing else can be done here: a log-off, or any request
// without the opt-in, fails with ERROR_NOT_SUPPORTED, unless a test records requests instead.
#pragma once

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

#ifndef ERROR_NOT_READY
#define ERROR_NOT_READY 21L
#endif
#ifndef ERROR_NOT_SUPPORTED
#define ERROR_NOT_SUPPORTED 50L
#endif

#define EWX_LOGOFF 0x00000000
#define EWX_SHUTDOWN 0x00000001
#define EWX_REBOOT 0x00000002
#define EWX_FORCE 0x00000004
#define EWX_POWEROFF 0x00000008
#define EWX_FORCEIFHUNG 0x00000010

// FALSE with ERROR_PRIVILEGE_NOT_HELD when a shutdown, reboot or power-off is asked without the
// shutdown privilege enabled, with ERROR_NOT_READY when the session manager refused it, and with
// ERROR_NOT_SUPPORTED when nothing can carry the request out.
BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason);

namespace platform {

struct ShutdownRequest {
    UINT flags = 0;
    DWORD reason = 0;
};

// For tests: while on, requests that pass the privilege check are recorded (the newest 100) and
// succeed, and nothing else happens. Turning it off drops what was recorded.
void RecordShutdownsForTesting(bool on);
// The requests recorded since the last call, oldest first.
std::vector<ShutdownRequest> TakeShutdownRequests();
// The program run in place of busctl, with the same arguments; empty goes back to busctl. Its
// exit status 0 means the session manager took the request. For tests.
void SetSessionPowerCommandForTesting(std::string program);

}  // namespace platform
