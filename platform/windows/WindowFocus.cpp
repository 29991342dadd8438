// Enable state, focus, activation, foreground and mouse capture.
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {

void ActivateWindow(HWND hwnd, WPARAM how, bool raise) {
    auto queue = CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    HWND old = nullptr;
    HWND root = nullptr;
    bool unchanged = false;
    {
        std::lock_guard lock(system.mutex);
        if (hwnd != nullptr) {
            root = system.Root(hwnd);
            if (root == nullptr) {
                return;
            }
        }
        old = queue->active;
        if (root != nullptr) {
            system.foreground = root;
            if (raise) {
                system.Restack(*system.Find(root), HWND_TOP);
            }
        } else if (system.foreground == old) {
            system.foreground = nullptr;
        }
        unchanged = old == root;
        queue->active = root;
    }
    if (root != nullptr && raise) {
        // The Z order changed without SetWindowPos; other processes see it too.
        NotifyTopLevel(root);
    }
    if (unchanged) {
        return;
    }
    if (old != nullptr && IsWindow(old)) {
        SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
        SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0),
                     reinterpret_cast<LPARAM>(root));
    }
    if (root != nullptr && IsWindow(root)) {
        SendMessageA(root, WM_NCACTIVATE, TRUE, 0);
        SendMessageA(root, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(root) ? 1 : 0),
                     reinterpret_cast<LPARAM>(old));
    }
    // The focus never stays in a window that is no longer active.
    const HWND focus = GetFocus();
    if (focus != nullptr && focus != root && (root == nullptr || !IsChild(root, focus))) {
        ChangeFocus(nullptr);
    }
}

void ActivateNext(HWND leaving) {
    auto queue = CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    HWND next = nullptr;
    {
        std::lock_guard lock(system.mutex);
        auto usable = [&](HWND candidate) {
            const Window* window = system.Find(candidate);
            return window != nullptr && candidate != leaving && window->queue == queue &&
                   (window->style & WS_VISIBLE) && (window->style & WS_DISABLED) == 0 &&
                   (window->style & WS_MINIMIZE) == 0;
        };
        const Window* window = system.Find(leaving);
        if (window != nullptr && usable(window->owner)) {
            next = window->owner;
        } else {
            for (HWND top : system.Find(system.desktop)->children) {
                if (usable(top)) {
                    next = top;
                    break;
                }
            }
        }
    }
    ActivateWindow(next, WA_ACTIVE);
}

HWND ChangeFocus(HWND hwnd) {
    auto queue = CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    HWND old = nullptr;
    {
        std::lock_guard lock(system.mutex);
        old = queue->focus;
        if (old == hwnd) {
            return old;
        }
        queue->focus = hwnd;
    }
    if (old != nullptr && IsWindow(old)) {
        SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (hwnd != nullptr && IsWindow(hwnd)) {
        SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    }
    return old;
}

}  // namespace platform

using platform::Window;
using platform::WindowSystem;

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    WindowSystem& system = WindowSystem::Get();
    bool wasDisabled = false;
    {
        std::lock_guard lock(system.mutex);
        Window* window = system.Find(hWnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        wasDisabled = (window->style & WS_DISABLED) != 0;
        if (wasDisabled == !bEnable) {
            return wasDisabled;
        }
        if (bEnable) {
            window->style &= ~static_cast<DWORD>(WS_DISABLED);
        } else {
            window->style |= WS_DISABLED;
        }
    }
    if (!bEnable) {
        const HWND focus = GetFocus();
        if (focus == hWnd || IsChild(hWnd, focus)) {
            platform::ChangeFocus(nullptr);
        }
        const HWND capture = GetCapture();
        if (capture == hWnd || IsChild(hWnd, capture)) {
            ReleaseCapture();
        }
    }
    SendMessageA(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hWnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hWnd);
    return window != nullptr && (window->style & WS_DISABLED) == 0;
}

HWND SetFocus(HWND hWnd) {
    if (hWnd == nullptr) {
        return platform::ChangeFocus(nullptr);
    }
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    HWND root = nullptr;
    HWND previous = nullptr;
    {
        std::lock_guard lock(system.mutex);
        const Window* window = system.Find(hWnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        if (window->queue != queue) {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        for (const Window* up = window; up != nullptr && up->handle != system.desktop;
             up = system.Find(up->parent)) {
            if (up->style & (WS_DISABLED | WS_MINIMIZE)) {
                return nullptr;
            }
        }
        root = system.Root(hWnd);
        previous = queue->focus;
    }
    if (GetActiveWindow() != root) {
        platform::ActivateWindow(root, WA_ACTIVE);
    }
    if (!IsWindow(hWnd)) {
        return nullptr;
    }
    platform::ChangeFocus(hWnd);
    return previous;
}

HWND GetFocus() {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return system.Find(queue->focus) != nullptr ? queue->focus : nullptr;
}

HWND SetActiveWindow(HWND hWnd) {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    HWND previous = nullptr;
    {
        std::lock_guard lock(system.mutex);
        const Window* window = system.Find(hWnd);
        if (hWnd != nullptr && (window == nullptr || window->queue != queue)) {
            SetLastError(window == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_ACCESS_DENIED);
            return nullptr;
        }
        previous = queue->active;
    }
    platform::ActivateWindow(hWnd, WA_ACTIVE);
    return previous;
}

HWND GetActiveWindow() {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return system.Find(queue->active) != nullptr ? queue->active : nullptr;
}

BOOL SetForegroundWindow(HWND hWnd) {
    if (auto port = platform::ForeignPortOf(hWnd)) {
        port->SetForeground(hWnd);
        return TRUE;
    }
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    HWND root = nullptr;
    bool crossThread = false;
    {
        std::lock_guard lock(system.mutex);
        const Window* window = system.Find(hWnd);
        if (window == nullptr || hWnd == system.desktop) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        root = system.Root(hWnd);
        Window* top = system.Find(root);
        if (top->queue != queue) {
            // Another thread's window becomes its thread's active window; that thread sees the
            // change through GetActiveWindow without activation messages.
            system.foreground = root;
            system.Restack(*top, HWND_TOP);
            if (top->queue) {
                top->queue->active = root;
            }
            crossThread = true;
        }
    }
    if (crossThread) {
        platform::NotifyTopLevel(root);
        return TRUE;
    }
    platform::ActivateWindow(root, WA_ACTIVE);
    return TRUE;
}

HWND GetForegroundWindow() {
    platform::RefreshDesktopWindows();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return system.Find(system.foreground) != nullptr ? system.foreground : nullptr;
}

HWND SetCapture(HWND hWnd) {
    WindowSystem& system = WindowSystem::Get();
    HWND old = nullptr;
    {
        std::lock_guard lock(system.mutex);
        if (system.Find(hWnd) == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        old = system.capture;
        system.capture = hWnd;
    }
    if (old != nullptr && old != hWnd && IsWindow(old)) {
        SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    }
    return old;
}

BOOL ReleaseCapture() {
    WindowSystem& system = WindowSystem::Get();
    HWND old = nullptr;
    {
        std::lock_guard lock(system.mutex);
        old = system.capture;
        system.capture = nullptr;
    }
    if (old != nullptr && IsWindow(old)) {
        SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture() {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(system.capture);
    return window != nullptr && window->queue == queue ? system.capture : nullptr;
}
