// Rectangles, positions, Z order, show state and hit testing by point.
#include <algorithm>

#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {

namespace {

enum class Placement { Minimized, Maximized, Normal };

// Moves a window into a new placement; the WM_SIZE that follows carries the matching SIZE_ kind.
void Place(HWND hwnd, Placement placement, bool show) {
    WindowSystem& system = WindowSystem::Get();
    RECT target{};
    {
        std::lock_guard lock(system.mutex);
        Window* window = system.Find(hwnd);
        if (window == nullptr) {
            return;
        }
        const bool minimized = (window->style & WS_MINIMIZE) != 0;
        const bool maximized = (window->style & WS_MAXIMIZE) != 0;
        if (!minimized && !maximized) {
            window->normalRect = window->rect;
        }
        switch (placement) {
            case Placement::Minimized: {
                window->restoreToMaximized = maximized;
                window->style = (window->style | WS_MINIMIZE) & ~static_cast<DWORD>(WS_MAXIMIZE);
                const POINT corner = system.IsTopLevel(*window)
                                         ? POINT{kMinimizedPosition, kMinimizedPosition}
                                         : POINT{window->rect.left, window->rect.top};
                target = RECT{corner.x, corner.y, corner.x + kMinimizedWidth,
                              corner.y + kMinimizedHeight};
                break;
            }
            case Placement::Maximized: {
                window->style = (window->style | WS_MAXIMIZE) & ~static_cast<DWORD>(WS_MINIMIZE);
                const Window* parent = system.Find(window->parent);
                const RECT area = parent == nullptr                  ? RECT{}
                                  : window->parent == system.desktop ? system.WorkAreaLocked()
                                                                     : system.ClientSize(*parent);
                // The frame lies beyond the screen edges, so the client area fills the screen
                // below the caption.
                const RECT frame = FrameInsets(window->style & ~static_cast<DWORD>(WS_CAPTION),
                                               window->exStyle, false);
                target = RECT{area.left - frame.left, area.top - frame.top,
                              area.right + frame.right, area.bottom + frame.bottom};
                break;
            }
            case Placement::Normal:
                window->style &= ~static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE);
                window->restoreToMaximized = false;
                target = window->normalRect;
                break;
        }
    }
    PositionWindow(hwnd, nullptr, target.left, target.top, target.right - target.left,
                   target.bottom - target.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | (show ? SWP_SHOWWINDOW : 0));
}

bool IsPassedOver(std::span<const HWND> passedOver, HWND hwnd) {
    return std::find(passedOver.begin(), passedOver.end(), hwnd) != passedOver.end();
}

HWND Descend(const WindowSystem& system, HWND hwnd, POINT screen,
             std::span<const HWND> passedOver) {
    for (;;) {
        const Window* window = system.Find(hwnd);
        const POINT origin = system.ClientOriginOnScreen(hwnd);
        if (!RectContains(OffsetRectBy(system.ClientSize(*window), origin.x, origin.y), screen)) {
            return hwnd;
        }
        HWND next = nullptr;
        for (HWND child : window->children) {
            const Window* childWindow = system.Find(child);
            if ((childWindow->style & WS_VISIBLE) && !IsPassedOver(passedOver, child) &&
                RectContains(OffsetRectBy(childWindow->rect, origin.x, origin.y), screen)) {
                next = child;
                break;
            }
        }
        if (next == nullptr || (system.Find(next)->style & WS_DISABLED)) {
            return hwnd;
        }
        hwnd = next;
    }
}

}  // namespace

HWND WindowFromPointLocked(const WindowSystem& system, POINT screen,
                           std::span<const HWND> passedOver) {
    for (HWND top : system.Find(system.desktop)->children) {
        const Window* window = system.Find(top);
        if ((window->style & WS_VISIBLE) && !IsPassedOver(passedOver, top) &&
            RectContains(window->rect, screen)) {
            return Descend(system, top, screen, passedOver);
        }
    }
    return nullptr;
}

BOOL PositionWindow(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
    if (auto port = ForeignPortOf(hwnd)) {
        port->Position(hwnd, after, x, y, cx, cy, flags);
        return TRUE;
    }
    auto queue = CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    WINDOWPOS position{};
    {
        std::lock_guard lock(system.mutex);
        const Window* window = system.Find(hwnd);
        if (window == nullptr || hwnd == system.desktop) {
            SetLastError(window == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_ACCESS_DENIED);
            return FALSE;
        }
        const RECT& rect = window->rect;
        if (flags & SWP_NOMOVE) {
            x = rect.left;
            y = rect.top;
        }
        if (flags & SWP_NOSIZE) {
            cx = rect.right - rect.left;
            cy = rect.bottom - rect.top;
        }
        position = WINDOWPOS{hwnd, after, x, y, std::max(cx, 0), std::max(cy, 0), flags};
    }
    const UINT requestedFlags = flags;
    if ((flags & SWP_NOSENDCHANGING) == 0) {
        SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    }
    bool topLevel = false;
    bool visibleNow = false;
    bool sameThread = false;
    bool changed = false;
    {
        std::lock_guard lock(system.mutex);
        Window* window = system.Find(hwnd);
        if (window == nullptr) {
            return FALSE;
        }
        flags = position.flags;
        const RECT old = window->rect;
        const RECT updated{position.x, position.y, position.x + std::max(position.cx, 0),
                           position.y + std::max(position.cy, 0)};
        if (updated.left == old.left && updated.top == old.top) {
            flags |= SWP_NOMOVE;
        }
        if (updated.right - updated.left == old.right - old.left &&
            updated.bottom - updated.top == old.bottom - old.top) {
            flags |= SWP_NOSIZE;
        }
        if ((flags & SWP_NOZORDER) == 0) {
            const Window* parent = system.Find(window->parent);
            const std::vector<HWND> before = parent->children;
            const DWORD exStyleBefore = window->exStyle;
            system.Restack(*window, position.hwndInsertAfter);
            if (before == parent->children && exStyleBefore == window->exStyle) {
                flags |= SWP_NOZORDER;
            }
        }
        const bool wasVisible = (window->style & WS_VISIBLE) != 0;
        if ((flags & SWP_SHOWWINDOW) && wasVisible) {
            flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
        }
        if ((flags & SWP_HIDEWINDOW) && !wasVisible) {
            flags &= ~static_cast<UINT>(SWP_HIDEWINDOW);
        }
        window->rect = RECT{(flags & SWP_NOMOVE) ? old.left : updated.left,
                            (flags & SWP_NOMOVE) ? old.top : updated.top, 0, 0};
        window->rect.right =
            window->rect.left +
            ((flags & SWP_NOSIZE) ? old.right - old.left : updated.right - updated.left);
        window->rect.bottom =
            window->rect.top +
            ((flags & SWP_NOSIZE) ? old.bottom - old.top : updated.bottom - updated.top);
        if (flags & SWP_SHOWWINDOW) {
            window->style |= WS_VISIBLE;
        }
        if (flags & SWP_HIDEWINDOW) {
            window->style &= ~static_cast<DWORD>(WS_VISIBLE);
        }
        if ((window->style & (WS_MINIMIZE | WS_MAXIMIZE)) == 0) {
            window->normalRect = window->rect;
        }
        const RECT client = system.ClientInParent(*window);
        const RECT& reported = window->reportedClient;
        if (client.left == reported.left && client.top == reported.top) {
            flags |= SWP_NOCLIENTMOVE;
        }
        if (client.right - client.left == reported.right - reported.left &&
            client.bottom - client.top == reported.bottom - reported.top) {
            flags |= SWP_NOCLIENTSIZE;
        }
        window->reportedClient = client;
        position.flags = flags;
        position.x = window->rect.left;
        position.y = window->rect.top;
        position.cx = window->rect.right - window->rect.left;
        position.cy = window->rect.bottom - window->rect.top;

        // The screen keeps no pixels to carry along with a window, and a child that was clipped
        // by siblings now above or below it shows a different part of itself: so a window that
        // is shown, moved, resized or restacked repaints with all its descendants, and so does
        // whatever lay under its old place, siblings and their children included.
        const bool redraw = (flags & SWP_NOREDRAW) == 0;
        const bool restackedChild = (flags & SWP_NOZORDER) == 0 && (window->style & WS_CHILD);
        const bool placed = (flags & SWP_NOSIZE) == 0 || (flags & SWP_NOCLIENTMOVE) == 0 ||
                            (flags & SWP_NOMOVE) == 0 || restackedChild;
        if (system.IsVisible(hwnd) &&
            ((flags & SWP_SHOWWINDOW) || (placed && redraw) || (flags & SWP_FRAMECHANGED))) {
            InvalidateLocked(*window, nullptr, true, true);
        }
        Window* parent = system.Find(window->parent);
        if (parent != nullptr && parent->handle != system.desktop && redraw &&
            (wasVisible || (flags & SWP_SHOWWINDOW)) && (placed || (flags & SWP_HIDEWINDOW))) {
            InvalidateLocked(*parent, &old, true, true);
        }
        const UINT unchanged = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
        changed = (flags & unchanged) != unchanged ||
                  (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED)) != 0;
        topLevel = system.IsTopLevel(*window);
        visibleNow = (window->style & WS_VISIBLE) != 0;
        sameThread = window->queue == queue;
    }
    if (changed) {
        SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    }
    if (topLevel && sameThread) {
        if ((flags & SWP_NOACTIVATE) == 0 && visibleNow && GetActiveWindow() != hwnd) {
            ActivateWindow(hwnd, WA_ACTIVE, (requestedFlags & SWP_NOZORDER) != 0);
        } else if (!visibleNow && GetActiveWindow() == hwnd) {
            ActivateNext(hwnd);
        }
    }
    if (topLevel && changed) {
        NotifyTopLevel(hwnd);
    }
    return TRUE;
}

void SetScreenSize(int cx, int cy) {
    WindowSystem& system = WindowSystem::Get();
    std::function<void(HWND)> observer;
    HWND desktopHandle = nullptr;
    {
        std::lock_guard lock(system.mutex);
        system.screen = SIZE{std::max(cx, 1), std::max(cy, 1)};
        system.workArea = RECT{};
        Window* desktop = system.Find(system.desktop);
        desktop->rect = RECT{0, 0, system.screen.cx, system.screen.cy};
        desktop->reportedClient = desktop->rect;
        observer = system.screenObserver;
        desktopHandle = system.desktop;
    }
    if (observer) {
        observer(desktopHandle);
    }
}

void SetWorkArea(const RECT& area) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    system.workArea = area;
}

RECT WindowSystem::WorkAreaLocked() const {
    const RECT all{0, 0, screen.cx, screen.cy};
    const RECT part{std::max(workArea.left, all.left), std::max(workArea.top, all.top),
                    std::min(workArea.right, all.right), std::min(workArea.bottom, all.bottom)};
    return part.right > part.left && part.bottom > part.top ? part : all;
}

}  // namespace platform

using platform::Window;
using platform::WindowSystem;

BOOL SystemParametersInfoA(UINT uiAction, UINT, void* pvParam, UINT) {
    if (uiAction != SPI_GETWORKAREA || pvParam == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    *static_cast<RECT*>(pvParam) = system.WorkAreaLocked();
    return TRUE;
}

int GetSystemMetrics(int nIndex) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    switch (nIndex) {
        case SM_CXSCREEN:
        case SM_CXVIRTUALSCREEN:
            return system.screen.cx;
        case SM_CYSCREEN:
        case SM_CYVIRTUALSCREEN:
            return system.screen.cy;
        case SM_CXFULLSCREEN:
        case SM_CXMAXIMIZED: {
            const RECT work = system.WorkAreaLocked();
            return work.right - work.left;
        }
        case SM_CYMAXIMIZED: {
            const RECT work = system.WorkAreaLocked();
            return work.bottom - work.top;
        }
        case SM_CYFULLSCREEN: {
            const RECT work = system.WorkAreaLocked();
            return work.bottom - work.top - platform::kCaptionHeight;
        }
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
            return platform::kScrollBarWidth;
        case SM_CYCAPTION:
            return platform::kCaptionHeight;
        case SM_CYSMCAPTION:
            return platform::kSmallCaptionHeight;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return platform::kBorderWidth;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return platform::kDialogFrameWidth;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return platform::kSizingFrameWidth;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return platform::kEdgeWidth;
        case SM_CYMENU:
            return platform::kMenuBarHeight;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CXSIZE:
        case SM_CYSIZE:
            return platform::kCaptionHeight - 1;
        case SM_CXMINIMIZED:
            return platform::kMinimizedWidth;
        case SM_CYMINIMIZED:
            return platform::kMinimizedHeight;
        case SM_CXDOUBLECLK:
            return platform::kDoubleClickWidth;
        case SM_CYDOUBLECLK:
            return platform::kDoubleClickHeight;
        case SM_CXMIN:
        case SM_CXMINTRACK:
            return 112;
        case SM_CYMIN:
        case SM_CYMINTRACK:
            return platform::kCaptionHeight + 2 * platform::kSizingFrameWidth;
        case SM_CMONITORS:
            return 1;
        default:
            return 0;
    }
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    if (system.Find(hWnd) == nullptr || lpRect == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *lpRect = system.ScreenRect(hWnd);
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hWnd);
    if (window == nullptr || lpRect == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *lpRect = system.ClientSize(*window);
    return TRUE;
}

namespace {

// Moves a point by the window's client origin on the screen: +1 from client to screen, -1 back.
BOOL MoveByClientOrigin(HWND hWnd, LPPOINT lpPoint, int direction) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    if (system.Find(hWnd) == nullptr || lpPoint == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const POINT origin = system.ClientOriginOnScreen(hWnd);
    lpPoint->x += direction * origin.x;
    lpPoint->y += direction * origin.y;
    return TRUE;
}

}  // namespace

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    return MoveByClientOrigin(hWnd, lpPoint, -1);
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    return MoveByClientOrigin(hWnd, lpPoint, 1);
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    if ((hWndFrom != nullptr && system.Find(hWndFrom) == nullptr) ||
        (hWndTo != nullptr && system.Find(hWndTo) == nullptr)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const POINT from = system.ClientOriginOnScreen(hWndFrom);
    const POINT to = system.ClientOriginOnScreen(hWndTo);
    const int dx = from.x - to.x;
    const int dy = from.y - to.y;
    for (UINT i = 0; lpPoints != nullptr && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG(dx, dy);
}

BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
    if (lpRect == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const RECT insets = platform::FrameInsets(
        dwStyle & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL), dwExStyle, bMenu != FALSE);
    lpRect->left -= insets.left;
    lpRect->top -= insets.top;
    lpRect->right += insets.right;
    lpRect->bottom += insets.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu) {
    return AdjustWindowRectEx(lpRect, dwStyle, bMenu, 0);
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    return platform::PositionWindow(hWnd, nullptr, X, Y, nWidth, nHeight,
                                    SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
    return platform::PositionWindow(hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags);
}

BOOL BringWindowToTop(HWND hWnd) {
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    if (auto port = platform::ForeignPortOf(hWnd)) {
        const BOOL wasVisible = (GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
        port->Show(hWnd, nCmdShow);
        return wasVisible;
    }
    WindowSystem& system = WindowSystem::Get();
    bool wasVisible = false;
    bool minimized = false;
    bool maximized = false;
    bool topLevel = false;
    bool child = false;
    {
        std::lock_guard lock(system.mutex);
        const Window* window = system.Find(hWnd);
        if (window == nullptr || hWnd == system.desktop) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        wasVisible = (window->style & WS_VISIBLE) != 0;
        minimized = (window->style & WS_MINIMIZE) != 0;
        maximized = (window->style & WS_MAXIMIZE) != 0;
        topLevel = system.IsTopLevel(*window);
        child = (window->style & WS_CHILD) != 0;
    }
    auto announceShow = [&] {
        if (!wasVisible) {
            SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
        }
    };
    auto activate = [&] {
        if (topLevel && IsWindow(hWnd)) {
            platform::ActivateWindow(hWnd, WA_ACTIVE);
        }
    };
    using platform::Placement;
    switch (nCmdShow) {
        case SW_HIDE: {
            if (!wasVisible) {
                return FALSE;
            }
            SendMessageA(hWnd, WM_SHOWWINDOW, FALSE, 0);
            const HWND focus = GetFocus();
            platform::PositionWindow(
                hWnd, nullptr, 0, 0, 0, 0,
                SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (child && focus != nullptr && (focus == hWnd || IsChild(hWnd, focus))) {
                SetFocus(GetParent(hWnd));
            }
            return TRUE;
        }
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE:
            announceShow();
            if (!minimized) {
                platform::Place(hWnd, Placement::Minimized, true);
            } else {
                platform::PositionWindow(
                    hWnd, nullptr, 0, 0, 0, 0,
                    SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            if (nCmdShow == SW_SHOWMINIMIZED) {
                activate();
            } else if (topLevel && GetActiveWindow() == hWnd) {
                platform::ActivateNext(hWnd);
            }
            break;
        case SW_SHOWMAXIMIZED:
            announceShow();
            platform::Place(hWnd, Placement::Maximized, true);
            activate();
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
        case SW_SHOWDEFAULT:
        case SW_SHOWNOACTIVATE:
            announceShow();
            if (minimized && nCmdShow == SW_RESTORE) {
                bool toMaximized = false;
                {
                    std::lock_guard lock(system.mutex);
                    const Window* window = system.Find(hWnd);
                    toMaximized = window != nullptr && window->restoreToMaximized;
                }
                platform::Place(hWnd, toMaximized ? Placement::Maximized : Placement::Normal, true);
            } else if (minimized || maximized) {
                platform::Place(hWnd, Placement::Normal, true);
            } else {
                platform::PositionWindow(
                    hWnd, nullptr, 0, 0, 0, 0,
                    SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            if (nCmdShow != SW_SHOWNOACTIVATE) {
                activate();
            }
            break;
        case SW_SHOW:
        case SW_SHOWNA:
            announceShow();
            platform::PositionWindow(
                hWnd, nullptr, 0, 0, 0, 0,
                SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (nCmdShow == SW_SHOW) {
                activate();
            }
            break;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
    }
    return wasVisible;
}

BOOL IsWindowVisible(HWND hWnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return system.IsVisible(hWnd);
}

BOOL IsIconic(HWND hWnd) {
    return (GetWindowLongA(hWnd, GWL_STYLE) & WS_MINIMIZE) != 0;
}

BOOL IsZoomed(HWND hWnd) {
    return (GetWindowLongA(hWnd, GWL_STYLE) & WS_MAXIMIZE) != 0;
}

HWND WindowFromPoint(POINT Point) {
    platform::RefreshForeignWindows();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return platform::WindowFromPointLocked(system, Point);
}

HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* parent = system.Find(hwnd);
    if (parent == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!platform::RectContains(system.ClientSize(*parent), pt)) {
        return nullptr;
    }
    for (HWND child : parent->children) {
        const Window* window = system.Find(child);
        if (((flags & CWP_SKIPINVISIBLE) && (window->style & WS_VISIBLE) == 0) ||
            ((flags & CWP_SKIPDISABLED) && (window->style & WS_DISABLED)) ||
            ((flags & CWP_SKIPTRANSPARENT) && (window->exStyle & WS_EX_TRANSPARENT))) {
            continue;
        }
        if (platform::RectContains(window->rect, pt)) {
            return child;
        }
    }
    return hwnd;
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT Point) {
    return ChildWindowFromPointEx(hWndParent, Point, CWP_ALL);
}
