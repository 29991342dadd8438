// Windows of other processes, kept up to date by the link.
#include <algorithm>

#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {

namespace {

void ApplyState(Window& window, const ForeignWindowState& state) {
    if (!window.windowClass || window.windowClass->name != state.className) {
        auto windowClass = std::make_shared<WindowClass>();
        windowClass->name = state.className;
        windowClass->system = true;
        window.windowClass = windowClass;
    }
    window.text = state.title;
    window.style = state.style & ~static_cast<DWORD>(WS_CHILD);
    window.exStyle = state.exStyle;
    window.rect = state.rect;
    window.owner = state.owner;
    window.processId = state.processId;
}

}  // namespace

HWND AddForeignWindow(const ForeignWindowState& state, std::shared_ptr<ForeignWindowPort> port) {
    if (!port) {
        return nullptr;
    }
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    auto window = std::make_shared<Window>();
    window->handle = system.NewHandle();
    window->parent = system.desktop;
    window->foreignPort = std::move(port);
    ApplyState(*window, state);
    window->windowClass->windowCount++;
    system.windows.emplace(window->handle, window);
    system.Restack(*window, HWND_TOP);
    return window->handle;
}

bool UpdateForeignWindow(HWND hwnd, const ForeignWindowState& state, std::optional<HWND> after) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    Window* window = system.Find(hwnd);
    if (window == nullptr || !window->foreignPort) {
        return false;
    }
    const bool topmostBefore = (window->exStyle & WS_EX_TOPMOST) != 0;
    ApplyState(*window, state);
    const bool topmostNow = (window->exStyle & WS_EX_TOPMOST) != 0;
    if (topmostBefore != topmostNow) {
        // Restack moves the window between the bands from its old state.
        window->exStyle ^= WS_EX_TOPMOST;
        system.Restack(*window, topmostNow ? HWND_TOPMOST : HWND_NOTOPMOST);
    }
    if (after.has_value()) {
        system.Restack(*window, *after);
    }
    return true;
}

bool RemoveForeignWindow(HWND hwnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    Window* window = system.Find(hwnd);
    if (window == nullptr || !window->foreignPort) {
        return false;
    }
    system.Unlink(*window);
    if (system.foreground == hwnd) {
        system.foreground = nullptr;
    }
    if (system.capture == hwnd) {
        system.capture = nullptr;
    }
    for (auto& [handle, other] : system.windows) {
        if (other->owner == hwnd) {
            other->owner = nullptr;
        }
    }
    system.windows.erase(hwnd);
    return true;
}

bool SetForeignForeground(HWND hwnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hwnd);
    if (window == nullptr || !window->foreignPort) {
        return false;
    }
    system.foreground = hwnd;
    return true;
}

std::shared_ptr<ForeignWindowPort> ForeignPortOf(HWND hwnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hwnd);
    return window == nullptr ? nullptr : window->foreignPort;
}

}  // namespace platform
