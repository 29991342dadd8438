#include "platform/threads/ThreadApi.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {
namespace {

struct ThreadSetup {
    std::function<void()> init;
    std::function<void()> exit;
};

struct ThreadRegistry {
    std::mutex mutex;
    std::vector<ThreadSetup> setups;
    std::vector<std::shared_ptr<Thread>> running;
};

// Never destroyed: workers read it until the very end of the process.
ThreadRegistry& Registry() {
    static auto* registry = new ThreadRegistry;
    return *registry;
}

// Multiples of four, as on the original platform.
std::atomic<DWORD> last_thread_id{0x1000};
thread_local DWORD current_thread_id = 0;
thread_local Thread* current_thread = nullptr;

DWORD NewThreadId() {
    return last_thread_id.fetch_add(4) + 4;
}

void Forget(const std::shared_ptr<Thread>& thread) {
    ThreadRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    std::erase(registry.running, thread);
}

void RunThread(std::shared_ptr<Thread> thread, std::vector<ThreadSetup> setups,
               LPTHREAD_START_ROUTINE start, LPVOID parameter) {
    current_thread_id = thread->id();
    current_thread = thread.get();
    for (const ThreadSetup& setup : setups) {
        if (setup.init) {
            setup.init();
        }
    }
    const DWORD code = start(parameter);
    for (auto setup = setups.rbegin(); setup != setups.rend(); ++setup) {
        if (setup->exit) {
            setup->exit();
        }
    }
    Forget(thread);
    thread->End(code);
    current_thread = nullptr;
}

bool WaitForEnd(Thread& thread, DWORD milliseconds) {
    Waitable* objects[] = {&thread};
    return Waitable::Wait(objects, false, std::chrono::milliseconds(milliseconds)).has_value();
}

void StopWorkersAtExit(int status, void*) {
    std::vector<std::shared_ptr<Thread>> running;
    {
        ThreadRegistry& registry = Registry();
        std::lock_guard lock(registry.mutex);
        running = registry.running;
    }
    std::erase_if(running, [](const auto& thread) { return thread.get() == current_thread; });
    if (running.empty()) {
        return;
    }
    std::vector<Waitable*> objects;
    for (const auto& thread : running) {
        thread->RequestStop();
        objects.push_back(thread.get());
    }
    if (!Waitable::Wait(objects, true, std::chrono::milliseconds(kExitJoinMilliseconds))) {
        std::fflush(nullptr);
        _exit(status);
    }
}

}  // namespace

void AddThreadSetup(std::function<void()> init, std::function<void()> exit) {
    ThreadRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    registry.setups.push_back({std::move(init), std::move(exit)});
}

bool StopRequested() {
    return current_thread != nullptr && current_thread->StopRequested();
}

bool RequestStop(HANDLE handle) {
    auto thread = KernelObject::LookupAs<Thread>(handle);
    if (!thread) {
        return false;
    }
    thread->RequestStop();
    return true;
}

}  // namespace platform

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE lpStartAddress,
                    LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId) {
    using namespace platform;
    if (lpStartAddress == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if ((dwCreationFlags & CREATE_SUSPENDED) != 0) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    auto thread = std::make_shared<Thread>(NewThreadId());
    std::vector<ThreadSetup> setups;
    {
        ThreadRegistry& registry = Registry();
        std::lock_guard lock(registry.mutex);
        setups = registry.setups;
        registry.running.push_back(thread);
    }
    // Registered again for every thread, so that the stop runs before the destruction of any
    // global that existed when the newest worker started.
    on_exit(StopWorkersAtExit, nullptr);
    try {
        std::thread(RunThread, thread, std::move(setups), lpStartAddress, lpParameter).detach();
    } catch (const std::system_error&) {
        Forget(thread);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (lpThreadId != nullptr) {
        *lpThreadId = thread->id();
    }
    SetLastError(ERROR_SUCCESS);
    return KernelObject::Insert(thread);
}

DWORD GetCurrentThreadId() {
    if (platform::current_thread_id == 0) {
        platform::current_thread_id = platform::NewThreadId();
    }
    return platform::current_thread_id;
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
    auto thread = platform::KernelObject::LookupAs<platform::Thread>(hThread);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (lpExitCode == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpExitCode = thread->ExitCode();
    return TRUE;
}

BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode) {
    auto thread = platform::KernelObject::LookupAs<platform::Thread>(hThread);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    thread->OverrideExitCode(dwExitCode);
    thread->RequestStop();
    if (thread.get() != platform::current_thread) {
        platform::WaitForEnd(*thread, platform::kTerminateJoinMilliseconds);
    }
    return TRUE;
}
