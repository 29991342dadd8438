// SetTimer and KillTimer; the queue turns due timers into WM_TIMER when it has nothing else.
#include <algorithm>

#include "platform/time/Clock.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

using platform::ThreadQueue;
using platform::Timer;
using platform::WindowSystem;

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    if (hWnd != nullptr) {
        const platform::Window* window = system.Find(hWnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        if (window->queue != queue) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    }
    const UINT period = std::clamp<UINT>(uElapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    auto existing = std::find_if(queue->timers.begin(), queue->timers.end(), [&](const Timer& t) {
        return t.hwnd == hWnd && t.id == nIDEvent;
    });
    UINT_PTR id = nIDEvent;
    if (existing == queue->timers.end() && hWnd == nullptr) {
        // A thread timer gets a fresh id that no other thread timer has.
        do {
            id = queue->nextThreadTimerId++;
        } while (id == 0 ||
                 std::any_of(queue->timers.begin(), queue->timers.end(),
                             [&](const Timer& t) { return t.hwnd == nullptr && t.id == id; }));
    }
    Timer timer{hWnd,
                id,
                period,
                lpTimerFunc,
                platform::MonotonicNow() + std::chrono::milliseconds(period),
                queue->nextTimerOrder++};
    if (existing != queue->timers.end()) {
        *existing = timer;
    } else {
        queue->timers.push_back(timer);
    }
    queue->Wake();
    if (hWnd == nullptr) {
        return id;
    }
    return id == 0 ? 1 : id;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    auto existing = std::find_if(queue->timers.begin(), queue->timers.end(), [&](const Timer& t) {
        return t.hwnd == hWnd && t.id == uIDEvent;
    });
    if (existing == queue->timers.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    queue->timers.erase(existing);
    return TRUE;
}
