#include "platform/controls/NotifyIcon.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <utility>

#include "platform/text/Gbk.h"
#include "platform/threads/ThreadApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

struct NotifyArea {
    std::mutex mutex;
    std::vector<NotifyIconState> icons;
    std::function<void()> observer;
};

NotifyArea& Area() {
    static NotifyArea* area = new NotifyArea;
    return *area;
}

// Drops the icons of windows that are gone. The area's lock is held; IsWindow takes only the
// window manager's.
void Prune(NotifyArea& area) {
    std::erase_if(area.icons, [](const NotifyIconState& icon) { return !IsWindow(icon.hwnd); });
}

std::vector<NotifyIconState>::iterator FindIcon(NotifyArea& area, HWND hwnd, UINT id) {
    return std::find_if(area.icons.begin(), area.icons.end(), [&](const NotifyIconState& icon) {
        return icon.hwnd == hwnd && icon.id == id;
    });
}

std::string TipOf(const NOTIFYICONDATAA& data) {
    constexpr DWORD kFullTip = offsetof(NOTIFYICONDATAA, szTip) + sizeof(data.szTip);
    const size_t limit = data.cbSize >= kFullTip ? sizeof(data.szTip) : 64;
    const size_t length = strnlen(data.szTip, limit - 1);
    return std::string(data.szTip, CutAtCharBoundary(std::string_view(data.szTip, length), length));
}

void Apply(const NOTIFYICONDATAA& data, NotifyIconState& icon) {
    if (data.uFlags & NIF_MESSAGE) {
        icon.callbackMessage = data.uCallbackMessage;
    }
    if (data.uFlags & NIF_ICON) {
        icon.icon = data.hIcon;
    }
    if (data.uFlags & NIF_TIP) {
        icon.tip = TipOf(data);
    }
    if ((data.uFlags & NIF_STATE) && (data.dwStateMask & NIS_HIDDEN)) {
        icon.hidden = (data.dwState & NIS_HIDDEN) != 0;
    }
}

void Changed(NotifyArea& area) {
    std::function<void()> observer;
    {
        std::lock_guard lock(area.mutex);
        observer = area.observer;
    }
    if (observer) {
        observer();
    }
}

BOOL CALLBACK PostTaskbarCreated(HWND hwnd, LPARAM message) {
    PostMessageA(hwnd, static_cast<UINT>(message), 0, 0);
    return TRUE;
}

// Shell_NotifyIconA under the area's lock: whether it succeeded and whether the icons changed.
std::pair<bool, bool> ChangeIcons(NotifyArea& area, DWORD command, const NOTIFYICONDATAA& data) {
    std::lock_guard lock(area.mutex);
    Prune(area);
    auto icon = FindIcon(area, data.hWnd, data.uID);
    switch (command) {
        case NIM_ADD: {
            if (icon != area.icons.end() || !IsWindow(data.hWnd)) {
                return {false, false};
            }
            NotifyIconState added;
            added.hwnd = data.hWnd;
            added.id = data.uID;
            Apply(data, added);
            area.icons.push_back(std::move(added));
            return {true, true};
        }
        case NIM_MODIFY:
            if (icon == area.icons.end()) {
                return {false, false};
            }
            Apply(data, *icon);
            return {true, true};
        case NIM_DELETE:
            if (icon == area.icons.end()) {
                return {false, false};
            }
            area.icons.erase(icon);
            return {true, true};
        case NIM_SETFOCUS:
        case NIM_SETVERSION:
            return {icon != area.icons.end(), false};
        default:
            return {false, false};
    }
}

}  // namespace

std::vector<NotifyIconState> NotifyIcons() {
    NotifyArea& area = Area();
    std::lock_guard lock(area.mutex);
    Prune(area);
    return area.icons;
}

bool ClickNotifyIcon(HWND hwnd, UINT id, UINT mouseMessage) {
    UINT message = 0;
    {
        NotifyArea& area = Area();
        std::lock_guard lock(area.mutex);
        Prune(area);
        auto icon = FindIcon(area, hwnd, id);
        if (icon == area.icons.end() || icon->callbackMessage == 0) {
            return false;
        }
        message = icon->callbackMessage;
    }
    if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) {
        SendMessageA(hwnd, message, id, static_cast<LPARAM>(mouseMessage));
        return true;
    }
    return PostMessageA(hwnd, message, id, static_cast<LPARAM>(mouseMessage)) != FALSE;
}

void RecreateTaskbar() {
    NotifyArea& area = Area();
    {
        std::lock_guard lock(area.mutex);
        area.icons.clear();
    }
    Changed(area);
    const UINT message = RegisterWindowMessageA("TaskbarCreated");
    EnumWindows(PostTaskbarCreated, static_cast<LPARAM>(message));
}

void SetNotifyAreaObserver(std::function<void()> observer) {
    NotifyArea& area = Area();
    std::lock_guard lock(area.mutex);
    area.observer = std::move(observer);
}

}  // namespace platform

BOOL Shell_NotifyIconA(DWORD dwMessage, PNOTIFYICONDATAA lpData) {
    if (lpData == nullptr || lpData->cbSize == 0) {
        return FALSE;
    }
    platform::NotifyArea& area = platform::Area();
    const auto [succeeded, changed] = platform::ChangeIcons(area, dwMessage, *lpData);
    if (changed) {
        platform::Changed(area);
    }
    return succeeded ? TRUE : FALSE;
}
