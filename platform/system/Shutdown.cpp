#include "platform/system/Shutdown.h"

#include <mutex>
#include <utility>

#include "platform/system/ProcessToken.h"

namespace {

std::mutex requestsMutex;
std::vector<platform::ShutdownRequest> requests;

}  // namespace

BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason) {
    bool endsMachine = (uFlags & (EWX_SHUTDOWN | EWX_REBOOT | EWX_POWEROFF)) != 0;
    if (endsMachine && !platform::IsPrivilegeEnabled(SE_SHUTDOWN_NAME)) {
        SetLastError(ERROR_PRIVILEGE_NOT_HELD);
        return FALSE;
    }
    std::lock_guard lock(requestsMutex);
    requests.push_back({uFlags, dwReason});
    return TRUE;
}

namespace platform {

std::vector<ShutdownRequest> TakeShutdownRequests() {
    std::lock_guard lock(requestsMutex);
    return std::exchange(requests, {});
}

}  // namespace platform
