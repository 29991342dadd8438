// Window classes, creation and destruction.
#include <algorithm>
#include <cstring>
#include <functional>
#include <mutex>

#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

std::shared_ptr<WindowClass> FindClassLocked(WindowSystem& system, LPCSTR name) {
    if (name == nullptr) {
        return nullptr;
    }
    for (const auto& windowClass : system.classes) {
        if (IS_INTRESOURCE(name) ? windowClass->atom == LOWORD(name)
                                 : CompareNoCase(windowClass->name, name) == 0) {
            return windowClass;
        }
    }
    return nullptr;
}

ATOM RegisterLocked(const WNDCLASSEXA& info, bool system) {
    WindowSystem& windows = WindowSystem::Get();
    std::lock_guard lock(windows.mutex);
    if (info.lpszClassName == nullptr || IS_INTRESOURCE(info.lpszClassName) ||
        info.lpszClassName[0] == '\0' || info.cbWndExtra < 0 || info.cbClsExtra < 0 ||
        info.cbWndExtra > 40000) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (FindClassLocked(windows, info.lpszClassName) != nullptr) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto windowClass = std::make_shared<WindowClass>();
    windowClass->name = info.lpszClassName;
    windowClass->atom = windows.AddAtom(windowClass->name);
    if (windowClass->atom == 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    windowClass->style = info.style;
    windowClass->procedure = info.lpfnWndProc;
    windowClass->classExtraBytes = info.cbClsExtra;
    windowClass->windowExtraBytes = info.cbWndExtra;
    windowClass->instance = info.hInstance;
    windowClass->icon = info.hIcon;
    windowClass->smallIcon = info.hIconSm;
    windowClass->cursor = info.hCursor;
    windowClass->background = info.hbrBackground;
    windowClass->menuName = info.lpszMenuName;
    windowClass->system = system;
    windows.classes.push_back(windowClass);
    return windowClass->atom;
}

void FillClassInfo(const WindowClass& windowClass, WNDCLASSEXA* info) {
    info->style = windowClass.style;
    info->lpfnWndProc = windowClass.procedure;
    info->cbClsExtra = windowClass.classExtraBytes;
    info->cbWndExtra = windowClass.windowExtraBytes;
    info->hInstance = windowClass.instance;
    info->hIcon = windowClass.icon;
    info->hCursor = windowClass.cursor;
    info->hbrBackground = windowClass.background;
    info->lpszMenuName = windowClass.menuName;
    // The class keeps its name for as long as the process runs, so the pointer stays good.
    info->lpszClassName = windowClass.name.c_str();
    info->hIconSm = windowClass.smallIcon;
}

// Sends WM_PARENTNOTIFY up the chain of parents of a child window, stopping at a window that
// asked not to notify.
void NotifyParents(HWND hwnd, UINT event) {
    WindowSystem& system = WindowSystem::Get();
    std::unique_lock lock(system.mutex);
    HWND current = hwnd;
    for (;;) {
        const Window* window = system.Find(current);
        if (window == nullptr || (window->style & WS_CHILD) == 0 ||
            (window->exStyle & WS_EX_NOPARENTNOTIFY) || window->parent == system.desktop) {
            return;
        }
        const HWND parent = window->parent;
        const WPARAM wParam = MAKEWPARAM(event, LOWORD(system.Find(hwnd)->id));
        CallProcedure(lock, parent, WM_PARENTNOTIFY, wParam, reinterpret_cast<LPARAM>(hwnd));
        if (system.Find(hwnd) == nullptr) {
            return;
        }
        current = parent;
    }
}

}  // namespace

void RemoveWindowLocked(WindowSystem& system, HWND hwnd) {
    Window* window = system.Find(hwnd);
    if (window == nullptr) {
        return;
    }
    KillWindowTimersLocked(*window);
    ForgetHotKeysOf(hwnd);
    system.Unlink(*window);
    for (auto& [handle, other] : system.windows) {
        if (other->owner == hwnd) {
            other->owner = nullptr;
        }
    }
    if (system.capture == hwnd) {
        system.capture = nullptr;
    }
    if (system.foreground == hwnd) {
        system.foreground = nullptr;
    }
    if (window->queue) {
        ThreadQueue& queue = *window->queue;
        if (queue.focus == hwnd) {
            queue.focus = nullptr;
        }
        if (queue.active == hwnd) {
            queue.active = nullptr;
        }
        if (queue.mainWindow == hwnd) {
            queue.mainWindow = nullptr;
        }
    }
    window->windowClass->windowCount--;
    system.windows.erase(hwnd);
}

namespace {

void SendDestroy(std::unique_lock<std::mutex>& lock, HWND hwnd) {
    WindowSystem& system = WindowSystem::Get();
    CallProcedure(lock, hwnd, WM_DESTROY, 0, 0);
    const Window* window = system.Find(hwnd);
    if (window == nullptr) {
        return;
    }
    const std::vector<HWND> children = window->children;
    for (HWND child : children) {
        if (Window* childWindow = system.Find(child)) {
            childWindow->destroying = true;
            SendDestroy(lock, child);
        }
    }
}

std::mutex menu_destroyer_mutex;
std::function<void(HMENU)> menu_destroyer;

void DestroyMenuOf(std::unique_lock<std::mutex>& lock, HMENU menu) {
    std::function<void(HMENU)> destroyer;
    {
        std::lock_guard guard(menu_destroyer_mutex);
        destroyer = menu_destroyer;
    }
    if (!destroyer) {
        return;
    }
    // The menu layer has its own lock and may call back into the window manager.
    lock.unlock();
    destroyer(menu);
    lock.lock();
}

void SendNcDestroy(std::unique_lock<std::mutex>& lock, HWND hwnd) {
    WindowSystem& system = WindowSystem::Get();
    const Window* window = system.Find(hwnd);
    if (window == nullptr) {
        return;
    }
    const std::vector<HWND> children = window->children;
    for (HWND child : children) {
        SendNcDestroy(lock, child);
    }
    CallProcedure(lock, hwnd, WM_NCDESTROY, 0, 0);
    window = system.Find(hwnd);
    if (window == nullptr) {
        return;
    }
    // The window's menu ends with it; a child has none, as GetMenu says.
    const HMENU menu = (window->style & WS_CHILD) ? nullptr : window->menu;
    RemoveWindowLocked(system, hwnd);
    if (menu != nullptr) {
        DestroyMenuOf(lock, menu);
    }
}

void DefaultPlacement(WindowSystem& system, int& x, int& y, int& cx, int& cy) {
    const int step = kCaptionHeight + kSizingFrameWidth;
    if (x == CW_USEDEFAULT) {
        // Cascaded from one step inside the work area, so that even the first window's frame
        // stands clear of the screen's corner and of a panel along its edge.
        const int slot = system.defaultPlacements++ % 8 + 1;
        const RECT work = system.WorkAreaLocked();
        x = work.left + step * slot;
        y = work.top + step * slot;
    }
    if (cx == CW_USEDEFAULT) {
        cx = system.screen.cx * 3 / 4;
        cy = system.screen.cy * 3 / 4;
    }
}

}  // namespace

void SetMenuDestroyer(std::function<void(HMENU)> destroyer) {
    std::lock_guard lock(menu_destroyer_mutex);
    menu_destroyer = std::move(destroyer);
}

ATOM RegisterSystemClass(const WNDCLASSEXA& windowClass) {
    return RegisterLocked(windowClass, true);
}

void KillWindowTimersLocked(Window& window) {
    if (!window.queue) {
        return;
    }
    auto& timers = window.queue->timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const Timer& timer) { return timer.hwnd == window.handle; }),
                 timers.end());
}

}  // namespace platform

using platform::WindowSystem;

ATOM RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (lpWndClass == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXA info{};
    info.cbSize = sizeof(info);
    info.style = lpWndClass->style;
    info.lpfnWndProc = lpWndClass->lpfnWndProc;
    info.cbClsExtra = lpWndClass->cbClsExtra;
    info.cbWndExtra = lpWndClass->cbWndExtra;
    info.hInstance = lpWndClass->hInstance;
    info.hIcon = lpWndClass->hIcon;
    info.hCursor = lpWndClass->hCursor;
    info.hbrBackground = lpWndClass->hbrBackground;
    info.lpszMenuName = lpWndClass->lpszMenuName;
    info.lpszClassName = lpWndClass->lpszClassName;
    return platform::RegisterLocked(info, false);
}

ATOM RegisterClassExA(const WNDCLASSEXA* lpWndClass) {
    if (lpWndClass == nullptr || lpWndClass->cbSize != sizeof(WNDCLASSEXA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return platform::RegisterLocked(*lpWndClass, false);
}

BOOL UnregisterClassA(LPCSTR lpClassName, HINSTANCE) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    auto windowClass = platform::FindClassLocked(system, lpClassName);
    if (windowClass == nullptr || windowClass->system) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (windowClass->windowCount > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    system.ReleaseAtom(windowClass->atom);
    std::erase(system.classes, windowClass);
    return TRUE;
}

BOOL GetClassInfoExA(HINSTANCE, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    auto windowClass = platform::FindClassLocked(system, lpszClass);
    if (windowClass == nullptr || lpwcx == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    platform::FillClassInfo(*windowClass, lpwcx);
    return windowClass->atom;
}

BOOL GetClassInfoA(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
    WNDCLASSEXA info{};
    info.cbSize = sizeof(info);
    const BOOL found = GetClassInfoExA(hInstance, lpClassName, &info);
    if (found && lpWndClass != nullptr) {
        lpWndClass->style = info.style;
        lpWndClass->lpfnWndProc = info.lpfnWndProc;
        lpWndClass->cbClsExtra = info.cbClsExtra;
        lpWndClass->cbWndExtra = info.cbWndExtra;
        lpWndClass->hInstance = info.hInstance;
        lpWndClass->hIcon = info.hIcon;
        lpWndClass->hCursor = info.hCursor;
        lpWndClass->hbrBackground = info.hbrBackground;
        lpWndClass->lpszMenuName = info.lpszMenuName;
        lpWndClass->lpszClassName = info.lpszClassName;
    }
    return found;
}

int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const platform::Window* window = system.Find(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (lpClassName == nullptr || nMaxCount <= 0) {
        return 0;
    }
    const std::string& name = window->windowClass->name;
    const size_t length = platform::CutAtCharBoundary(name, static_cast<size_t>(nMaxCount - 1));
    std::memcpy(lpClassName, name.data(), length);
    lpClassName[length] = '\0';
    return static_cast<int>(length);
}

UINT RegisterWindowMessageA(LPCSTR lpString) {
    if (lpString == nullptr || lpString[0] == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    // A message name keeps its atom for the life of the process.
    const ATOM atom = system.AddAtom(lpString);
    if (atom == 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return atom;
}

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam) {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::unique_lock lock(system.mutex);
    auto windowClass = platform::FindClassLocked(system, lpClassName);
    if (windowClass == nullptr) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    const bool child = (dwStyle & WS_CHILD) != 0;
    HWND parent = system.desktop;
    HWND owner = nullptr;
    if (hWndParent != nullptr && hWndParent != HWND_MESSAGE && system.Find(hWndParent) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (child) {
        if (hWndParent == nullptr || hWndParent == HWND_MESSAGE) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        parent = hWndParent;
    } else {
        if (hWndParent != nullptr && hWndParent != HWND_MESSAGE) {
            // Owners are always top-level windows.
            owner = hWndParent == system.desktop ? nullptr : system.Root(hWndParent);
        }
        if ((dwStyle & WS_POPUP) == 0) {
            dwStyle |= WS_CLIPSIBLINGS | WS_CAPTION;
        }
    }
    if (!child && (dwStyle & WS_POPUP) == 0) {
        platform::DefaultPlacement(system, X, Y, nWidth, nHeight);
    }
    if (X == CW_USEDEFAULT) {
        X = Y = 0;
    }
    if (nWidth == CW_USEDEFAULT) {
        nWidth = nHeight = 0;
    }
    nWidth = std::max(nWidth, 0);
    nHeight = std::max(nHeight, 0);

    auto window = std::make_shared<platform::Window>();
    window->handle = system.NewHandle();
    window->windowClass = windowClass;
    window->procedure = windowClass->procedure;
    window->style = dwStyle & ~static_cast<DWORD>(WS_VISIBLE);
    window->exStyle = child ? dwExStyle & ~static_cast<DWORD>(WS_EX_TOPMOST) : dwExStyle;
    window->instance = hInstance;
    window->parent = parent;
    window->owner = owner;
    if (child) {
        window->id = reinterpret_cast<UINT_PTR>(hMenu);
    } else {
        window->menu = hMenu;
    }
    window->rect = RECT{X, Y, X + nWidth, Y + nHeight};
    window->normalRect = window->rect;
    window->extraBytes.assign(static_cast<size_t>(windowClass->windowExtraBytes), 0);
    window->threadId = queue->threadId;
    window->queue = queue;
    window->reportedClient = system.ClientInParent(*window);
    const HWND hwnd = window->handle;
    windowClass->windowCount++;
    system.windows.emplace(hwnd, window);
    // Children join at the bottom, so that enumeration follows creation order; top-level windows
    // at the top of their band.
    system.Restack(*window, child ? HWND_BOTTOM : HWND_TOP);

    CREATESTRUCTA create{};
    create.lpCreateParams = lpParam;
    create.hInstance = hInstance;
    create.hMenu = hMenu;
    create.hwndParent = child ? parent : owner;
    create.cy = nHeight;
    create.cx = nWidth;
    create.y = Y;
    create.x = X;
    create.style = static_cast<LONG>(dwStyle);
    create.lpszName = lpWindowName;
    create.lpszClass = lpClassName;
    create.dwExStyle = window->exStyle;
    lock.unlock();

    CBT_CREATEWNDA cbt{&create, child ? HWND_BOTTOM : HWND_TOP};
    auto fail = [&](bool sendNcDestroy) -> HWND {
        std::unique_lock relock(system.mutex);
        if (sendNcDestroy) {
            platform::SendNcDestroy(relock, hwnd);
        } else {
            platform::RemoveWindowLocked(system, hwnd);
        }
        return nullptr;
    };
    if (platform::RunHooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd),
                           reinterpret_cast<LPARAM>(&cbt)) != 0) {
        return fail(false);
    }
    if (SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == 0) {
        return fail(true);
    }
    if (!IsWindow(hwnd)) {
        return nullptr;
    }
    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    RECT client{};
    {
        std::lock_guard relock(system.mutex);
        platform::Window* created = system.Find(hwnd);
        if (created == nullptr) {
            return nullptr;
        }
        created->reportedClient = system.ClientInParent(*created);
        client = created->reportedClient;
    }
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(client.right - client.left, client.bottom - client.top));
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
    if (child) {
        platform::NotifyParents(hwnd, WM_CREATE);
    }
    if (!IsWindow(hwnd)) {
        return nullptr;
    }
    if (dwStyle & WS_VISIBLE) {
        ShowWindow(hwnd, SW_SHOW);
    }
    platform::NotifyTopLevel(hwnd);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

HWND CreateWindowA(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y, int nWidth,
                   int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam) {
    return CreateWindowExA(0, lpClassName, lpWindowName, dwStyle, X, Y, nWidth, nHeight, hWndParent,
                           hMenu, hInstance, lpParam);
}

BOOL DestroyWindow(HWND hWnd) {
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    bool topLevel = false;
    bool child = false;
    {
        std::lock_guard lock(system.mutex);
        platform::Window* window = system.Find(hWnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (hWnd == system.desktop || window->threadId != queue->threadId) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (window->destroying) {
            return FALSE;
        }
        topLevel = system.IsTopLevel(*window);
        child = (window->style & WS_CHILD) != 0;
    }
    if (platform::RunHooks(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hWnd), 0) != 0) {
        return FALSE;
    }
    {
        std::lock_guard lock(system.mutex);
        platform::Window* window = system.Find(hWnd);
        if (window == nullptr || window->destroying) {
            return FALSE;
        }
        window->destroying = true;
    }
    if (child) {
        platform::NotifyParents(hWnd, WM_DESTROY);
    }
    if (GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) {
        platform::PositionWindow(
            hWnd, nullptr, 0, 0, 0, 0,
            SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (topLevel) {
        // Owned windows go before their owner.
        std::vector<HWND> owned;
        {
            std::lock_guard lock(system.mutex);
            for (const auto& [handle, other] : system.windows) {
                if (other->owner == hWnd) {
                    owned.push_back(handle);
                }
            }
        }
        for (HWND ownedWindow : owned) {
            DestroyWindow(ownedWindow);
        }
        if (GetActiveWindow() == hWnd) {
            platform::ActivateNext(hWnd);
        }
    }
    {
        std::unique_lock lock(system.mutex);
        if (queue->focus == hWnd || system.IsDescendant(hWnd, queue->focus)) {
            lock.unlock();
            platform::ChangeFocus(nullptr);
            lock.lock();
        }
        if (system.capture == hWnd || system.IsDescendant(hWnd, system.capture)) {
            system.capture = nullptr;
        }
        platform::SendDestroy(lock, hWnd);
        platform::SendNcDestroy(lock, hWnd);
    }
    if (topLevel) {
        platform::NotifyTopLevel(hWnd);
    }
    return TRUE;
}
