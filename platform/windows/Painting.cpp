// Update areas, WM_PAINT and WM_ERASEBKGND, BeginPaint and EndPaint.
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {

void InvalidateLocked(Window& window, const RECT* rect, bool erase, bool allChildren) {
    WindowSystem& system = WindowSystem::Get();
    if (!system.IsVisible(window.handle) || window.handle == system.desktop) {
        return;
    }
    const RECT client = system.ClientSize(window);
    const RECT area = rect == nullptr ? client : IntersectRects(*rect, client);
    if (RectIsEmpty(area)) {
        return;
    }
    window.updateRect = window.needsPaint ? UnionRects(window.updateRect, area) : area;
    window.needsPaint = true;
    window.needsErase = window.needsErase || erase;
    if (window.queue) {
        window.queue->Wake();
    }
    if ((window.style & WS_CLIPCHILDREN) && !allChildren) {
        return;
    }
    for (HWND child : window.children) {
        Window* childWindow = system.Find(child);
        if (childWindow == nullptr || (childWindow->style & WS_VISIBLE) == 0) {
            continue;
        }
        const RECT overlap = IntersectRects(area, childWindow->rect);
        if (RectIsEmpty(overlap)) {
            continue;
        }
        const RECT childClient = system.ClientInParent(*childWindow);
        const RECT local = OffsetRectBy(overlap, -childClient.left, -childClient.top);
        InvalidateLocked(*childWindow, &local, erase, allChildren);
    }
}

namespace {

// Sends WM_ERASEBKGND when an erase is pending; true when the background still needs erasing.
bool ErasePending(HWND hwnd, HDC dc) {
    WindowSystem& system = WindowSystem::Get();
    {
        std::lock_guard lock(system.mutex);
        Window* window = system.Find(hwnd);
        if (window == nullptr || !window->needsErase) {
            return false;
        }
        window->needsErase = false;
    }
    return SendMessageA(hwnd, IsIconic(hwnd) ? WM_ICONERASEBKGND : WM_ERASEBKGND,
                        reinterpret_cast<WPARAM>(dc), 0) == 0;
}

void UpdateTree(HWND hwnd) {
    WindowSystem& system = WindowSystem::Get();
    bool paint = false;
    std::vector<HWND> children;
    {
        std::lock_guard lock(system.mutex);
        const Window* window = system.Find(hwnd);
        if (window == nullptr || !system.IsVisible(hwnd)) {
            return;
        }
        paint = window->needsPaint;
        children = window->children;
    }
    if (paint) {
        SendMessageA(hwnd, WM_PAINT, 0, 0);
    }
    for (HWND child : children) {
        UpdateTree(child);
    }
}

}  // namespace

}  // namespace platform

using platform::Window;
using platform::WindowSystem;

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    if (hWnd == nullptr) {
        for (HWND top : system.Find(system.desktop)->children) {
            platform::InvalidateLocked(*system.Find(top), nullptr, bErase != FALSE);
        }
        return TRUE;
    }
    Window* window = system.Find(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    platform::InvalidateLocked(*window, lpRect, bErase != FALSE);
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    Window* window = system.Find(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // With one rectangle per window, a part can only be validated when it covers the whole area.
    const RECT& update = window->updateRect;
    if (lpRect == nullptr || (lpRect->left <= update.left && lpRect->top <= update.top &&
                              lpRect->right >= update.right && lpRect->bottom >= update.bottom)) {
        window->needsPaint = false;
        window->needsErase = false;
        window->updateRect = RECT{};
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
    bool pending = false;
    {
        WindowSystem& system = WindowSystem::Get();
        std::lock_guard lock(system.mutex);
        const Window* window = system.Find(hWnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        pending = window->needsPaint;
        if (lpRect != nullptr) {
            *lpRect = pending ? window->updateRect : RECT{};
        }
    }
    if (pending && bErase) {
        platform::ErasePending(hWnd, nullptr);
    }
    return pending;
}

BOOL UpdateWindow(HWND hWnd) {
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    platform::UpdateTree(hWnd);
    return TRUE;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    WindowSystem& system = WindowSystem::Get();
    std::function<HDC(HWND, const RECT&)> provider;
    PAINTSTRUCT paint{};
    {
        std::lock_guard lock(system.mutex);
        Window* window = system.Find(hWnd);
        if (window == nullptr || lpPaint == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        paint.rcPaint = window->needsPaint ? window->updateRect : RECT{};
        window->needsPaint = false;
        window->updateRect = RECT{};
        provider = system.beginPaintDc;
    }
    paint.hdc = provider ? provider(hWnd, paint.rcPaint) : nullptr;
    paint.fErase = platform::ErasePending(hWnd, paint.hdc) ? TRUE : FALSE;
    *lpPaint = paint;
    return paint.hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
    WindowSystem& system = WindowSystem::Get();
    std::function<void(HWND, HDC)> release;
    {
        std::lock_guard lock(system.mutex);
        release = system.endPaintDc;
    }
    if (release && lpPaint != nullptr && lpPaint->hdc != nullptr) {
        release(hWnd, lpPaint->hdc);
    }
    return TRUE;
}

namespace platform {

void SetPaintDeviceProvider(std::function<HDC(HWND, const RECT&)> begin,
                            std::function<void(HWND, HDC)> end) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    system.beginPaintDc = std::move(begin);
    system.endPaintDc = std::move(end);
}

void SetBackgroundPainter(std::function<void(HWND, HDC, HBRUSH)> painter) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    system.backgroundPainter = std::move(painter);
}

void InvalidateTree(HWND hwnd, const RECT* rect) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    if (Window* window = system.Find(hwnd)) {
        InvalidateLocked(*window, rect, true, true);
    }
}

void SetScreenObserver(std::function<void(HWND)> observer) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    system.screenObserver = std::move(observer);
}

}  // namespace platform
