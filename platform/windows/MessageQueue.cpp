// Queues, the message loop functions, posting and sending.
#include <algorithm>

#include "platform/threads/ThreadApi.h"
#include "platform/time/Clock.h"
#include "platform/windows/DesktopSync.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {

namespace {

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

BYTE ButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return VK_LBUTTON;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return VK_RBUTTON;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return VK_MBUTTON;
        default:
            return 0;
    }
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
           message == WM_MBUTTONDBLCLK;
}

// The thread's view of the keyboard follows the input messages it takes from its queue.
void ApplyKeyState(ThreadQueue& queue, const MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_KEYUP ||
        msg.message == WM_SYSKEYUP) {
        const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
        const BYTE key = static_cast<BYTE>(msg.wParam);
        SetKeyWithGeneric(queue.keyState, key, down);
        return;
    }
    const UINT client = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK
                            ? msg.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE
                            : msg.message;
    if (BYTE button = ButtonOf(client)) {
        SetKey(queue.keyState, button, IsButtonDown(client));
    }
}

// Turns a mouse event into its final message: client coordinates when the window says the point
// is in its client area (or holds the capture), the hit-test code and screen point otherwise.
void ResolveMouse(std::unique_lock<std::mutex>& lock, InputEvent& event) {
    WindowSystem& system = WindowSystem::Get();
    HWND hwnd = event.hwnd;
    const std::uint64_t serial = event.serial;
    const POINT pt = event.pt;
    LRESULT hit = HTCLIENT;
    if (!event.captured && event.message != WM_MOUSEWHEEL) {
        // A window that answers HTTRANSPARENT (a group box) hands the event to the window beneath
        // it, as long as that window belongs to the same thread.
        std::vector<HWND> passedOver;
        for (;;) {
            hit = CallProcedure(lock, hwnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
            if (hit != HTTRANSPARENT) {
                break;
            }
            passedOver.push_back(hwnd);
            const HWND beneath = WindowFromPointLocked(system, pt, passedOver);
            const Window* passed = system.Find(hwnd);
            const Window* next = system.Find(beneath);
            if (passed == nullptr || next == nullptr || next->queue != passed->queue) {
                hit = HTNOWHERE;
                break;
            }
            hwnd = beneath;
        }
    }
    ThreadQueue* queue = nullptr;
    if (const Window* window = system.Find(hwnd)) {
        queue = window->queue.get();
    }
    if (queue == nullptr) {
        return;
    }
    auto found = std::find_if(queue->input.begin(), queue->input.end(),
                              [&](const InputEvent& e) { return e.serial == serial; });
    if (found == queue->input.end()) {
        return;
    }
    InputEvent& target = *found;
    target.hwnd = hwnd;
    const Window* window = system.Find(hwnd);
    MSG msg{hwnd, target.message, target.wParam, 0, target.time, target.pt};
    if (target.message == WM_MOUSEWHEEL) {
        msg.lParam = MAKELPARAM(target.pt.x, target.pt.y);
    } else if (hit == HTCLIENT) {
        const POINT origin = system.ClientOriginOnScreen(hwnd);
        msg.lParam = MAKELPARAM(target.pt.x - origin.x, target.pt.y - origin.y);
        if (target.doubleClick && (window->windowClass->style & CS_DBLCLKS)) {
            msg.message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        }
    } else {
        msg.message = target.message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        if (target.doubleClick) {
            msg.message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        }
        msg.wParam = static_cast<WPARAM>(hit);
        msg.lParam = MAKELPARAM(target.pt.x, target.pt.y);
    }
    target.hitTest = static_cast<UINT>(hit);
    target.resolvedMessage = msg;
    target.resolved = true;
}

// `keyHookParam` is the lParam keyboard hooks get for a key.
LRESULT RunInputHook(const InputEvent& event, const MSG& msg, LPARAM keyHookParam,
                     UINT removeFlags) {
    const int code = (removeFlags & PM_REMOVE) ? HC_ACTION : HC_NOREMOVE;
    if (event.kind == InputEvent::Kind::Key) {
        // Characters from an input method never were keys.
        if (msg.message == WM_CHAR) {
            return 0;
        }
        return code == HC_ACTION ? RunHooksEverywhere(WH_KEYBOARD, msg.wParam, keyHookParam)
                                 : RunHooks(WH_KEYBOARD, code, msg.wParam, keyHookParam);
    }
    MOUSEHOOKSTRUCT info{event.pt, msg.hwnd, event.hitTest, 0};
    return code == HC_ACTION
               ? RunHooksEverywhere(WH_MOUSE, msg.message, reinterpret_cast<LPARAM>(&info))
               : RunHooks(WH_MOUSE, code, msg.message, reinterpret_cast<LPARAM>(&info));
}

// The first window of the thread, parents before children, whose update area waits for a paint.
HWND FindPaintable(const WindowSystem& system, const ThreadQueue& queue, HWND hwnd,
                   const std::function<bool(HWND)>& matches) {
    const Window* window = system.Find(hwnd);
    if (window == nullptr || (window->style & WS_VISIBLE) == 0) {
        return nullptr;
    }
    if (window->needsPaint && window->queue.get() == &queue && matches(hwnd)) {
        return hwnd;
    }
    for (HWND child : window->children) {
        if (HWND found = FindPaintable(system, queue, child, matches)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

void RunIncomingSent(std::unique_lock<std::mutex>& lock, ThreadQueue& queue) {
    while (!queue.incoming.empty()) {
        std::shared_ptr<SentMessage> sent = queue.incoming.front();
        queue.incoming.pop_front();
        queue.inSendFromOtherThread++;
        if (sent->task) {
            lock.unlock();
            sent->task();
            lock.lock();
        } else {
            sent->result =
                CallProcedure(lock, sent->hwnd, sent->message, sent->wParam, sent->lParam);
        }
        queue.inSendFromOtherThread--;
        sent->done = true;
        if (sent->sender) {
            sent->sender->Wake();
        }
    }
}

bool TakeMessage(std::unique_lock<std::mutex>& lock, ThreadQueue& queue, HWND filter, UINT first,
                 UINT last, UINT removeFlags, MSG* msg) {
    WindowSystem& system = WindowSystem::Get();
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    auto inRange = [&](UINT message) {
        return (first == 0 && last == 0) || (message >= first && message <= last);
    };
    auto windowMatches = [&](HWND hwnd) {
        if (filter == nullptr) {
            return true;
        }
        if (filter == reinterpret_cast<HWND>(-1)) {
            return hwnd == nullptr;
        }
        return hwnd == filter || system.IsDescendant(filter, hwnd);
    };
    auto deliver = [&](const MSG& found) {
        *msg = found;
        if (remove) {
            queue.lastMessageTime = found.time;
            queue.lastMessagePos = found.pt;
        }
        return true;
    };

    RunIncomingSent(lock, queue);
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
        if (windowMatches(it->hwnd) && inRange(it->message)) {
            const MSG found = *it;
            if (remove) {
                queue.posted.erase(it);
            }
            return deliver(found);
        }
    }

    for (size_t index = 0; index < queue.input.size();) {
        InputEvent& event = queue.input[index];
        const std::uint64_t serial = event.serial;
        if (!event.resolved) {
            if (event.kind == InputEvent::Kind::Mouse) {
                ResolveMouse(lock, event);
                // The hit test ran the window procedure, which may have changed the queue.
                index = 0;
                auto again = std::find_if(queue.input.begin(), queue.input.end(),
                                          [&](const InputEvent& e) { return e.serial == serial; });
                if (again != queue.input.end() && !again->resolved) {
                    queue.input.erase(again);
                }
                continue;
            }
            event.resolvedMessage =
                MSG{event.hwnd, event.message, event.wParam, event.lParam, event.time, event.pt};
            event.resolved = true;
        }
        const MSG found = event.resolvedMessage;
        if (!windowMatches(found.hwnd) || !inRange(found.message)) {
            ++index;
            continue;
        }
        const InputEvent copy = event;
        const LPARAM keyHookParam = KeyboardHookParam(found.lParam, queue.keyState);
        lock.unlock();
        const LRESULT hooked = RunInputHook(copy, found, keyHookParam, removeFlags);
        lock.lock();
        auto current = std::find_if(queue.input.begin(), queue.input.end(),
                                    [&](const InputEvent& e) { return e.serial == serial; });
        if (current == queue.input.end()) {
            index = 0;
            continue;
        }
        if (hooked != 0) {
            queue.input.erase(current);
            index = 0;
            continue;
        }
        if (!remove) {
            return deliver(found);
        }
        queue.input.erase(current);
        ApplyKeyState(queue, found);
        const UINT clientMessage = found.message >= WM_MOUSEFIRST
                                       ? found.message
                                       : found.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE;
        if (IsMouseMessage(found.message) && IsButtonDown(clientMessage)) {
            const HWND root = system.Root(found.hwnd);
            if (root != nullptr && root != queue.active) {
                // The window decides whether the click activates it and whether the click
                // itself is delivered.
                lock.unlock();
                const LRESULT answer =
                    SendMessageA(found.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root),
                                 MAKELPARAM(copy.hitTest, clientMessage));
                if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) {
                    ActivateWindow(root, WA_CLICKACTIVE);
                }
                lock.lock();
                if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT) {
                    index = 0;
                    continue;
                }
            }
        }
        return deliver(found);
    }

    const DWORD now = static_cast<DWORD>(MonotonicNow().count());
    if (queue.quitPosted && inRange(WM_QUIT)) {
        if (remove) {
            queue.quitPosted = false;
        }
        return deliver(
            MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, now, system.cursor});
    }
    if (inRange(WM_PAINT)) {
        if (HWND hwnd = FindPaintable(system, queue, system.desktop, windowMatches)) {
            return deliver(MSG{hwnd, WM_PAINT, 0, 0, now, system.cursor});
        }
    }
    if (inRange(WM_TIMER)) {
        const std::chrono::milliseconds clock = MonotonicNow();
        Timer* due = nullptr;
        for (Timer& timer : queue.timers) {
            if (timer.due <= clock && windowMatches(timer.hwnd) &&
                (due == nullptr || timer.due < due->due ||
                 (timer.due == due->due && timer.order < due->order))) {
                due = &timer;
            }
        }
        if (due != nullptr) {
            const MSG found{due->hwnd, WM_TIMER,
                            due->id,   reinterpret_cast<LPARAM>(due->procedure),
                            now,       system.cursor};
            if (remove) {
                due->due = clock + std::chrono::milliseconds(due->period);
            }
            return deliver(found);
        }
    }
    return false;
}

void WaitForWork(std::unique_lock<std::mutex>& lock, ThreadQueue& queue) {
    // A message sent while the queue was examined without the lock is work already.
    if (!queue.incoming.empty()) {
        return;
    }
    const std::uint64_t seen = queue.wakeups;
    auto news = [&] { return queue.wakeups != seen; };
    if (queue.timers.empty()) {
        queue.wake.wait(lock, news);
        return;
    }
    if (IsTestClockInUse()) {
        // Another thread may advance the virtual clock; look again soon.
        queue.wake.wait_for(lock, std::chrono::milliseconds(2), news);
        return;
    }
    std::chrono::milliseconds next = queue.timers.front().due;
    for (const Timer& timer : queue.timers) {
        next = std::min(next, timer.due);
    }
    const std::chrono::milliseconds remaining = next - MonotonicNow();
    if (remaining.count() > 0) {
        queue.wake.wait_for(lock, remaining, news);
    }
}

}  // namespace platform

using platform::ThreadQueue;
using platform::Window;
using platform::WindowSystem;

BOOL GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (lpMsg == nullptr ||
        (hWnd != nullptr && hWnd != reinterpret_cast<HWND>(-1) && !IsWindow(hWnd))) {
        SetLastError(lpMsg == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::unique_lock lock(system.mutex);
    while (!platform::TakeMessage(lock, *queue, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE,
                                  lpMsg)) {
        platform::WaitForWork(lock, *queue);
    }
    return lpMsg->message != WM_QUIT;
}

BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    if (lpMsg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::unique_lock lock(system.mutex);
    return platform::TakeMessage(lock, *queue, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg,
                                 lpMsg);
}

BOOL WaitMessage() {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::unique_lock lock(system.mutex);
    // Messages sent by other threads count as news: they may have changed what the caller waits
    // for (a dialog ended by another thread's WM_CLOSE).
    if (!queue->incoming.empty()) {
        platform::RunIncomingSent(lock, *queue);
        return TRUE;
    }
    MSG msg{};
    if (!platform::TakeMessage(lock, *queue, nullptr, 0, 0, PM_NOREMOVE, &msg)) {
        platform::WaitForWork(lock, *queue);
        platform::RunIncomingSent(lock, *queue);
    }
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* lpMsg) {
    if (lpMsg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::unique_lock lock(system.mutex);
    if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0) {
        // Only a callback that still belongs to a live timer of this thread is called.
        const auto procedure = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        const bool live = std::any_of(
            queue->timers.begin(), queue->timers.end(), [&](const platform::Timer& timer) {
                return timer.hwnd == lpMsg->hwnd && timer.id == lpMsg->wParam &&
                       timer.procedure == procedure;
            });
        lock.unlock();
        if (live) {
            procedure(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
        }
        return 0;
    }
    if (lpMsg->hwnd == nullptr) {
        return 0;
    }
    const Window* window = system.Find(lpMsg->hwnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (window->queue != queue) {
        SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
        return 0;
    }
    return platform::CallProcedure(lock, lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

namespace platform {
namespace {

BOOL PostToQueue(ThreadQueue* queue, const MSG& msg) {
    if (queue == nullptr || !queue->alive) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    if (queue->posted.size() >= kPostedMessageLimit) {
        SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return FALSE;
    }
    queue->posted.push_back(msg);
    queue->Wake();
    return TRUE;
}

}  // namespace
}  // namespace platform

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd == nullptr) {
        return PostThreadMessageA(GetCurrentThreadId(), Msg, wParam, lParam);
    }
    if (hWnd == HWND_BROADCAST) {
        std::vector<HWND> tops;
        {
            WindowSystem& system = WindowSystem::Get();
            std::lock_guard lock(system.mutex);
            tops = system.Find(system.desktop)->children;
        }
        for (HWND top : tops) {
            PostMessageA(top, Msg, wParam, lParam);
        }
        return TRUE;
    }
    if (auto port = platform::ForeignPortOf(hWnd)) {
        return port->Post(hWnd, Msg, wParam, lParam);
    }
    const DWORD time = GetTickCount();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hWnd);
    if (window == nullptr || !window->queue) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return platform::PostToQueue(window->queue.get(),
                                 MSG{hWnd, Msg, wParam, lParam, time, system.cursor});
}

BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (idThread == GetCurrentThreadId()) {
        platform::CurrentQueuePointer();
    }
    const DWORD time = GetTickCount();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return platform::PostToQueue(system.QueueOf(idThread),
                                 MSG{nullptr, Msg, wParam, lParam, time, system.cursor});
}

void PostQuitMessage(int nExitCode) {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    queue->quitPosted = true;
    queue->quitCode = nExitCode;
    queue->Wake();
}

namespace platform {
namespace {

// Sends to a window of another thread and runs messages sent to this thread while waiting.
// Returns false when the wait timed out or the target thread has ended.
bool SendAcrossThreads(std::unique_lock<std::mutex>& lock, ThreadQueue& target,
                       const std::shared_ptr<ThreadQueue>& self, HWND hwnd, UINT message,
                       WPARAM wParam, LPARAM lParam,
                       const std::chrono::steady_clock::time_point* deadline, LRESULT* result) {
    if (!target.alive) {
        return false;
    }
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    sent->sender = self;
    target.incoming.push_back(sent);
    target.Wake();
    while (!sent->done) {
        RunIncomingSent(lock, *self);
        if (sent->done) {
            break;
        }
        auto ready = [&] { return sent->done || !self->incoming.empty(); };
        if (deadline == nullptr) {
            self->wake.wait(lock, ready);
        } else if (!self->wake.wait_until(lock, *deadline, ready)) {
            std::erase(target.incoming, sent);
            return false;
        }
    }
    *result = sent->result;
    return true;
}

}  // namespace
}  // namespace platform

namespace platform {

bool RunOnWindowThread(HWND hwnd, std::function<void()> task) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hwnd);
    if (window == nullptr || !window->queue || !window->queue->alive) {
        return false;
    }
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->task = std::move(task);
    window->queue->incoming.push_back(std::move(sent));
    window->queue->Wake();
    return true;
}

}  // namespace platform

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::unique_lock lock(system.mutex);
    const Window* window = system.Find(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (window->foreignPort) {
        auto port = window->foreignPort;
        lock.unlock();
        return port->Send(hWnd, Msg, wParam, lParam);
    }
    if (!window->queue || window->queue == queue) {
        return platform::CallProcedure(lock, hWnd, Msg, wParam, lParam);
    }
    const std::shared_ptr<ThreadQueue> target = window->queue;
    LRESULT result = 0;
    platform::SendAcrossThreads(lock, *target, queue, hWnd, Msg, wParam, lParam, nullptr, &result);
    return result;
}

LRESULT SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT, UINT uTimeout,
                            DWORD_PTR* lpdwResult) {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::unique_lock lock(system.mutex);
    const Window* window = system.Find(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    LRESULT result = 0;
    if (window->foreignPort) {
        auto port = window->foreignPort;
        lock.unlock();
        result = port->Send(hWnd, Msg, wParam, lParam);
    } else if (!window->queue || window->queue == queue) {
        result = platform::CallProcedure(lock, hWnd, Msg, wParam, lParam);
    } else {
        const std::shared_ptr<ThreadQueue> target = window->queue;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(uTimeout);
        if (!platform::SendAcrossThreads(lock, *target, queue, hWnd, Msg, wParam, lParam, &deadline,
                                         &result)) {
            SetLastError(ERROR_TIMEOUT);
            return 0;
        }
    }
    if (lpdwResult != nullptr) {
        *lpdwResult = static_cast<DWORD_PTR>(result);
    }
    return 1;
}

BOOL InSendMessage() {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return queue->inSendFromOtherThread > 0;
}

DWORD GetMessagePos() {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return static_cast<DWORD>(MAKELONG(queue->lastMessagePos.x, queue->lastMessagePos.y));
}

LONG GetMessageTime() {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return static_cast<LONG>(queue->lastMessageTime);
}
