#include "platform/controls/NotifyIcon.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <mutex>

#include "platform/text/Gbk.h"
#include "platform/threads/ThreadApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

struct NotifyArea {
    std::mutex mutex;
    std::vector<NotifyIconState> icons;
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

BOOL CALLBACK PostTaskbarCreated(HWND hwnd, LPARAM message) {
    PostMessageA(hwnd, static_cast<UINT>(message), 0, 0);
    return TRUE;
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
    {
        NotifyArea& area = Area();
        std::lock_guard lock(area.mutex);
        area.icons.clear();
    }
    const UINT message = RegisterWindowMessageA("TaskbarCreated");
    EnumWindows(PostTaskbarCreated, static_cast<LPARAM>(message));
}

}  // namespace platform

BOOL Shell_NotifyIconA(DWORD dwMessage, PNOTIFYICONDATAA lpData) {
    if (lpData == nullptr || lpData->cbSize == 0) {
        return FALSE;
    }
    platform::NotifyArea& area = platform::Area();
    std::lock_guard lock(area.mutex);
    platform::Prune(area);
    auto icon = platform::FindIcon(area, lpData->hWnd, lpData->uID);
    switch (dwMessage) {
        case NIM_ADD: {
            if (icon != area.icons.end() || !IsWindow(lpData->hWnd)) {
                return FALSE;
            }
            platform::NotifyIconState added;
            added.hwnd = lpData->hWnd;
            added.id = lpData->uID;
            platform::Apply(*lpData, added);
            area.icons.push_back(std::move(added));
            return TRUE;
        }
        case NIM_MODIFY:
            if (icon == area.icons.end()) {
                return FALSE;
            }
            platform::Apply(*lpData, *icon);
            return TRUE;
        case NIM_DELETE:
            if (icon == area.icons.end()) {
                return FALSE;
            }
            area.icons.erase(icon);
            return TRUE;
        case NIM_SETFOCUS:
        case NIM_SETVERSION:
            return icon != area.icons.end();
        default:
            return FALSE;
    }
}
