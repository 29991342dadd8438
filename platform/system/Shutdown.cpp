#include "platform/system/Shutdown.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>

#include "platform/system/ProcessToken.h"

extern char** environ;

namespace {

constexpr std::size_t kMaxRequests = 100;

std::mutex requestsMutex;
bool recording = false;
std::vector<platform::ShutdownRequest> requests;
std::string sessionCommand;

bool OptedIn() {
    const char* choice = std::getenv("PLATFORM_SESSION_POWER");
    return choice != nullptr && std::strcmp(choice, "logind") == 0;
}

// logind's PowerOff or Reboot, interactive so that polkit may ask the user; true when it took
// the request.
bool AskSession(const char* method) {
    std::string program;
    {
        std::lock_guard lock(requestsMutex);
        program = sessionCommand;
    }
    const bool viaPath = program.empty();
    if (viaPath) {
        program = "busctl";
    }
    const char* argv[] = {program.c_str(),
                          "call",
                          "org.freedesktop.login1",
                          "/org/freedesktop/login1",
                          "org.freedesktop.login1.Manager",
                          method,
                          "b",
                          "true",
                          nullptr};
    pid_t child = -1;
    const int started = viaPath ? posix_spawnp(&child, program.c_str(), nullptr, nullptr,
                                               const_cast<char**>(argv), environ)
                                : posix_spawn(&child, program.c_str(), nullptr, nullptr,
                                              const_cast<char**>(argv), environ);
    if (started != 0) {
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// True when a test records requests; `request` is then kept.
bool Recorded(const platform::ShutdownRequest& request) {
    std::lock_guard lock(requestsMutex);
    if (!recording) {
        return false;
    }
    if (requests.size() >= kMaxRequests) {
        requests.erase(requests.begin());
    }
    requests.push_back(request);
    return true;
}

}  // namespace

BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason) {
    const bool endsMachine = (uFlags & (EWX_SHUTDOWN | EWX_REBOOT | EWX_POWEROFF)) != 0;
    if (endsMachine && !platform::IsPrivilegeEnabled(SE_SHUTDOWN_NAME)) {
        SetLastError(ERROR_PRIVILEGE_NOT_HELD);
        return FALSE;
    }
    if (Recorded(platform::ShutdownRequest{uFlags, dwReason})) {
        return TRUE;
    }
    if (!endsMachine || !OptedIn()) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    if (!AskSession((uFlags & EWX_REBOOT) != 0 ? "Reboot" : "PowerOff")) {
        SetLastError(ERROR_NOT_READY);
        return FALSE;
    }
    return TRUE;
}

namespace platform {

void RecordShutdownsForTesting(bool on) {
    std::lock_guard lock(requestsMutex);
    recording = on;
    requests.clear();
}

std::vector<ShutdownRequest> TakeShutdownRequests() {
    std::lock_guard lock(requestsMutex);
    return std::exchange(requests, {});
}

void SetSessionPowerCommandForTesting(std::string program) {
    std::lock_guard lock(requestsMutex);
    sessionCommand = std::move(program);
}

}  // namespace platform
