// Window data, text and the window tree.
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <functional>
#include <string>

#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {

namespace {

bool ExtraBytesFit(const Window& window, int index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) + size <= window.extraBytes.size();
}

LONG_PTR ReadLong(HWND hwnd, int index, size_t size) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hwnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(window->procedure);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(window->instance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(system.ParentOrOwner(*window));
        case GWLP_ID:
            return static_cast<LONG_PTR>(window->id);
        case GWL_STYLE:
            return static_cast<LONG_PTR>(static_cast<LONG>(window->style));
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(static_cast<LONG>(window->exStyle));
        case GWLP_USERDATA:
            return window->userData;
        default:
            break;
    }
    if (!ExtraBytesFit(*window, index, size)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (size == sizeof(LONG)) {
        LONG value = 0;
        std::memcpy(&value, window->extraBytes.data() + index, sizeof(value));
        return value;
    }
    LONG_PTR value = 0;
    std::memcpy(&value, window->extraBytes.data() + index, sizeof(value));
    return value;
}

LONG_PTR WriteStyle(HWND hwnd, int index, DWORD value) {
    WindowSystem& system = WindowSystem::Get();
    STYLESTRUCT change{};
    {
        std::lock_guard lock(system.mutex);
        const Window* window = system.Find(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        change.styleOld = index == GWL_STYLE ? window->style : window->exStyle;
        change.styleNew = value;
    }
    SendMessageA(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&change));
    {
        std::lock_guard lock(system.mutex);
        Window* window = system.Find(hwnd);
        if (window == nullptr) {
            return 0;
        }
        if (index == GWL_STYLE) {
            window->style = change.styleNew;
        } else {
            // The topmost band is changed with SetWindowPos only.
            const DWORD topmost = window->exStyle & WS_EX_TOPMOST;
            window->exStyle = (change.styleNew & ~static_cast<DWORD>(WS_EX_TOPMOST)) | topmost;
        }
    }
    SendMessageA(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&change));
    return static_cast<LONG_PTR>(static_cast<LONG>(change.styleOld));
}

LONG_PTR WriteLong(HWND hwnd, int index, LONG_PTR value, size_t size) {
    if (index == GWL_STYLE || index == GWL_EXSTYLE) {
        return WriteStyle(hwnd, index, static_cast<DWORD>(value));
    }
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    Window* window = system.Find(hwnd);
    if (window == nullptr || hwnd == system.desktop) {
        SetLastError(window == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_ACCESS_DENIED);
        return 0;
    }
    LONG_PTR old = 0;
    switch (index) {
        case GWLP_WNDPROC:
            old = reinterpret_cast<LONG_PTR>(window->procedure);
            window->procedure = reinterpret_cast<WNDPROC>(value);
            return old;
        case GWLP_HINSTANCE:
            old = reinterpret_cast<LONG_PTR>(window->instance);
            window->instance = reinterpret_cast<HINSTANCE>(value);
            return old;
        case GWLP_HWNDPARENT:
            old = reinterpret_cast<LONG_PTR>(system.ParentOrOwner(*window));
            if ((window->style & WS_CHILD) == 0) {
                window->owner = system.Root(reinterpret_cast<HWND>(value));
            }
            return old;
        case GWLP_ID:
            old = static_cast<LONG_PTR>(window->id);
            window->id = static_cast<UINT_PTR>(value);
            return old;
        case GWLP_USERDATA:
            old = window->userData;
            window->userData = value;
            return old;
        default:
            break;
    }
    if (!ExtraBytesFit(*window, index, size)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (size == sizeof(LONG)) {
        LONG previous = 0;
        const LONG narrow = static_cast<LONG>(value);
        std::memcpy(&previous, window->extraBytes.data() + index, sizeof(previous));
        std::memcpy(window->extraBytes.data() + index, &narrow, sizeof(narrow));
        return previous;
    }
    std::memcpy(&old, window->extraBytes.data() + index, sizeof(old));
    std::memcpy(window->extraBytes.data() + index, &value, sizeof(value));
    return old;
}

bool EnumerateList(const std::vector<HWND>& handles, WNDENUMPROC procedure, LPARAM lParam) {
    for (HWND hwnd : handles) {
        if (IsWindow(hwnd) && !procedure(hwnd, lParam)) {
            return false;
        }
    }
    return true;
}

void CollectDescendants(const WindowSystem& system, HWND hwnd, std::vector<HWND>& out) {
    const Window* window = system.Find(hwnd);
    if (window == nullptr) {
        return;
    }
    for (HWND child : window->children) {
        out.push_back(child);
        CollectDescendants(system, child, out);
    }
}

bool TitleMatches(const Window& window, LPCSTR className, LPCSTR title) {
    if (className != nullptr) {
        const bool classMatches = IS_INTRESOURCE(className)
                                      ? window.windowClass->atom == LOWORD(className)
                                      : CompareNoCase(window.windowClass->name, className) == 0;
        if (!classMatches) {
            return false;
        }
    }
    return title == nullptr || CompareNoCase(window.text, title) == 0;
}

}  // namespace

}  // namespace platform

using platform::Window;
using platform::WindowSystem;

LONG_PTR GetWindowLongPtrA(HWND hWnd, int nIndex) {
    return platform::ReadLong(hWnd, nIndex, sizeof(LONG_PTR));
}

LONG_PTR SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return platform::WriteLong(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR));
}

LONG GetWindowLongA(HWND hWnd, int nIndex) {
    return static_cast<LONG>(platform::ReadLong(hWnd, nIndex, sizeof(LONG)));
}

LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    return static_cast<LONG>(platform::WriteLong(hWnd, nIndex, dwNewLong, sizeof(LONG)));
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (lpdwProcessId != nullptr) {
        *lpdwProcessId = window->foreignPort ? window->processId : static_cast<DWORD>(getpid());
    }
    return window->threadId;
}

HMENU GetMenu(HWND hWnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hWnd);
    return window == nullptr || (window->style & WS_CHILD) ? nullptr : window->menu;
}

BOOL SetMenu(HWND hWnd, HMENU hMenu) {
    {
        WindowSystem& system = WindowSystem::Get();
        std::lock_guard lock(system.mutex);
        Window* window = system.Find(hWnd);
        if (window == nullptr || (window->style & WS_CHILD)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        window->menu = hMenu;
    }
    // The menu bar takes its height from the client area.
    return platform::PositionWindow(
        hWnd, nullptr, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (platform::ForeignPortOf(hWnd)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) != 0;
}

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (lpString == nullptr || nMaxCount <= 0) {
        return 0;
    }
    lpString[0] = '\0';
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (platform::ForeignPortOf(hWnd)) {
        // A pointer cannot cross to another process; the title the link reported is read here.
        return static_cast<int>(DefWindowProcA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                               reinterpret_cast<LPARAM>(lpString)));
    }
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                         reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLengthA(HWND hWnd) {
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (platform::ForeignPortOf(hWnd)) {
        return static_cast<int>(DefWindowProcA(hWnd, WM_GETTEXTLENGTH, 0, 0));
    }
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL IsWindow(HWND hWnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return system.Find(hWnd) != nullptr;
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    for (const Window* window = system.Find(hWnd); window != nullptr && (window->style & WS_CHILD);
         window = system.Find(window->parent)) {
        if (window->parent == hWndParent) {
            return TRUE;
        }
    }
    return FALSE;
}

HWND GetParent(HWND hWnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return system.ParentOrOwner(*window);
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    Window* window = system.Find(hWndChild);
    const HWND newParent = hWndNewParent == nullptr ? system.desktop : hWndNewParent;
    if (window == nullptr || system.Find(newParent) == nullptr || hWndChild == system.desktop ||
        newParent == hWndChild || system.IsDescendant(hWndChild, newParent)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const HWND oldParent = window->parent;
    const bool wasVisible = system.IsVisible(hWndChild);
    system.Unlink(*window);
    window->parent = newParent;
    system.Find(newParent)->children.insert(system.Find(newParent)->children.begin(), hWndChild);
    // The window now shows at its place in the new parent; nothing paints either place unless
    // both, and every window beneath or inside them, repaint.
    if (Window* before = system.Find(oldParent);
        wasVisible && before != nullptr && oldParent != system.desktop) {
        platform::InvalidateLocked(*before, &window->rect, true, true);
    }
    platform::InvalidateLocked(*window, nullptr, true, true);
    return oldParent;
}

HWND GetAncestor(HWND hwnd, UINT gaFlags) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hwnd);
    if (window == nullptr || hwnd == system.desktop) {
        return nullptr;
    }
    switch (gaFlags) {
        case GA_PARENT:
            return window->parent;
        case GA_ROOT:
            return system.Root(hwnd);
        case GA_ROOTOWNER: {
            HWND root = system.Root(hwnd);
            for (const Window* top = system.Find(root); top != nullptr && top->owner != nullptr;
                 top = system.Find(top->owner)) {
                root = top->owner;
            }
            return root;
        }
        default:
            return nullptr;
    }
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
    WindowSystem& system = WindowSystem::Get();
    if (uCmd == GW_CHILD || uCmd == GW_HWNDFIRST || uCmd == GW_HWNDLAST) {
        bool startsTopLevelWalk = false;
        {
            std::lock_guard lock(system.mutex);
            const Window* window = system.Find(hWnd);
            startsTopLevelWalk =
                window != nullptr &&
                (uCmd == GW_CHILD ? hWnd == system.desktop : system.IsTopLevel(*window));
        }
        if (startsTopLevelWalk) {
            platform::RefreshForeignWindows();
        }
    }
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (uCmd == GW_CHILD) {
        return window->children.empty() ? nullptr : window->children.front();
    }
    if (uCmd == GW_OWNER) {
        return window->owner;
    }
    if (uCmd == GW_ENABLEDPOPUP) {
        for (HWND top : system.Find(system.desktop)->children) {
            const Window* popup = system.Find(top);
            if (popup->owner == hWnd && (popup->style & WS_POPUP) && (popup->style & WS_VISIBLE) &&
                (popup->style & WS_DISABLED) == 0) {
                return top;
            }
        }
        return nullptr;
    }
    const Window* parent = system.Find(window->parent);
    if (parent == nullptr) {
        return nullptr;
    }
    const auto& siblings = parent->children;
    auto position = std::find(siblings.begin(), siblings.end(), hWnd);
    switch (uCmd) {
        case GW_HWNDFIRST:
            return siblings.front();
        case GW_HWNDLAST:
            return siblings.back();
        case GW_HWNDNEXT:
            return position + 1 == siblings.end() ? nullptr : *(position + 1);
        case GW_HWNDPREV:
            return position == siblings.begin() ? nullptr : *(position - 1);
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

HWND GetTopWindow(HWND hWnd) {
    return GetWindow(hWnd == nullptr ? GetDesktopWindow() : hWnd, GW_CHILD);
}

HWND GetDesktopWindow() {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return system.desktop;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hDlg);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    for (HWND child : window->children) {
        if (static_cast<int>(system.Find(child)->id) == nIDDlgItem) {
            return child;
        }
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return (window->style & WS_CHILD) ? static_cast<int>(window->id) : 0;
}

BOOL SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item != nullptr && SetWindowTextA(item, lpString);
}

UINT GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    if (item == nullptr) {
        if (lpString != nullptr && cchMax > 0) {
            lpString[0] = '\0';
        }
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(item, lpString, cchMax));
}

BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned) {
    const std::string text =
        bSigned ? std::to_string(static_cast<int>(uValue)) : std::to_string(uValue);
    return SetDlgItemTextA(hDlg, nIDDlgItem, text.c_str());
}

UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned) {
    if (lpTranslated != nullptr) {
        *lpTranslated = FALSE;
    }
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    if (item == nullptr) {
        return 0;
    }
    char buffer[64];
    const int length = GetWindowTextA(item, buffer, sizeof(buffer));
    std::string_view text(buffer, static_cast<size_t>(length));
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    long long value = 0;
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        if (!bSigned) {
            return 0;
        }
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return 0;
    }
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return 0;
    }
    if (negative) {
        value = -value;
    }
    if (bSigned ? (value < INT_MIN || value > INT_MAX) : value > static_cast<long long>(UINT_MAX)) {
        return 0;
    }
    if (lpTranslated != nullptr) {
        *lpTranslated = TRUE;
    }
    return static_cast<UINT>(value);
}

LRESULT SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item == nullptr ? 0 : SendMessageA(item, Msg, wParam, lParam);
}

namespace {

// Collects the handles under the window system's lock, then calls the function for each with the
// lock released, so that it may use any window function.
BOOL EnumerateCollected(WNDENUMPROC function, LPARAM lParam,
                        const std::function<void(WindowSystem&, std::vector<HWND>&)>& collect) {
    if (function == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<HWND> handles;
    {
        WindowSystem& system = WindowSystem::Get();
        std::lock_guard lock(system.mutex);
        collect(system, handles);
    }
    return platform::EnumerateList(handles, function, lParam);
}

}  // namespace

BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    if (lpEnumFunc != nullptr) {
        platform::RefreshForeignWindows();
    }
    return EnumerateCollected(lpEnumFunc, lParam, [](WindowSystem& system, auto& handles) {
        handles = system.Find(system.desktop)->children;
    });
}

BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    return EnumerateCollected(
        lpEnumFunc, lParam, [hWndParent](WindowSystem& system, auto& handles) {
            platform::CollectDescendants(
                system, hWndParent == nullptr ? system.desktop : hWndParent, handles);
        });
}

BOOL EnumThreadWindows(DWORD dwThreadId, WNDENUMPROC lpfn, LPARAM lParam) {
    return EnumerateCollected(lpfn, lParam, [dwThreadId](WindowSystem& system, auto& handles) {
        for (HWND top : system.Find(system.desktop)->children) {
            if (system.Find(top)->threadId == dwThreadId) {
                handles.push_back(top);
            }
        }
    });
}

HWND FindWindowExA(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow) {
    WindowSystem& system = WindowSystem::Get();
    if (hWndParent == nullptr && hWndChildAfter == nullptr) {
        platform::RefreshForeignWindows();
    }
    std::lock_guard lock(system.mutex);
    const Window* parent = system.Find(hWndParent == nullptr ? system.desktop : hWndParent);
    if (parent == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const auto& children = parent->children;
    auto start = children.begin();
    if (hWndChildAfter != nullptr) {
        start = std::find(children.begin(), children.end(), hWndChildAfter);
        if (start == children.end()) {
            return nullptr;
        }
        ++start;
    }
    for (auto it = start; it != children.end(); ++it) {
        if (platform::TitleMatches(*system.Find(*it), lpszClass, lpszWindow)) {
            return *it;
        }
    }
    return nullptr;
}

HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
    return FindWindowExA(nullptr, nullptr, lpClassName, lpWindowName);
}
