// Icons in the notification area. The display holds them, keyed by (window, id), in the order
// they were added; a presenter (or a test) lists them and clicks them, which delivers the icon's
// callback message to its window with wParam the id and lParam the mouse message, as
// SendNotifyMessage does: sent on the window's own thread, posted from any other. Icons of a
// destroyed window disappear.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/windows/WindowStructs.h"

#define NIM_ADD 0x00000000
#define NIM_MODIFY 0x00000001
#define NIM_DELETE 0x00000002
#define NIM_SETFOCUS 0x00000003
#define NIM_SETVERSION 0x00000004

#define NIF_MESSAGE 0x00000001
#define NIF_ICON 0x00000002
#define NIF_TIP 0x00000004
#define NIF_STATE 0x00000008
#define NIF_INFO 0x00000010

#define NIS_HIDDEN 0x00000001
#define NIS_SHAREDICON 0x00000002

// The layout up to the version-2 fields; a cbSize short of the 128-byte tip (as the first
// version's 88) limits the tip to 64 bytes.
struct NOTIFYICONDATAA {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
    DWORD dwState;
    DWORD dwStateMask;
    CHAR szInfo[256];
    union {
        UINT uTimeout;
        UINT uVersion;
    };
    CHAR szInfoTitle[64];
    DWORD dwInfoFlags;
};
using PNOTIFYICONDATAA = NOTIFYICONDATAA*;

// NIM_ADD fails for an icon that exists or a window that does not; NIM_MODIFY, NIM_DELETE,
// NIM_SETFOCUS and NIM_SETVERSION fail for an icon that does not exist.
BOOL Shell_NotifyIconA(DWORD dwMessage, PNOTIFYICONDATAA lpData);

namespace platform {

struct NotifyIconState {
    HWND hwnd = nullptr;
    UINT id = 0;
    // 0 until NIF_MESSAGE gives one.
    UINT callbackMessage = 0;
    HICON icon = nullptr;
    std::string tip;
    bool hidden = false;
};

// The icons now shown, in the order they were added.
std::vector<NotifyIconState> NotifyIcons();
// Delivers `mouseMessage` (WM_LBUTTONDOWN, WM_RBUTTONUP, WM_LBUTTONDBLCLK...) from the icon; false
// when there is no such icon or it has no callback message.
bool ClickNotifyIcon(HWND hwnd, UINT id, UINT mouseMessage);
// As when the taskbar starts again: every icon is gone and every top-level window is posted the
// "TaskbarCreated" message.
void RecreateTaskbar();
// Called (without the area's lock, on the thread that made the change) after every change to the
// icons, so that a display can show them; empty to stop.
void SetNotifyAreaObserver(std::function<void()> observer);

}  // namespace platform
