#include "platform/controls/PopupMenu.h"

#include <mutex>

#include "platform/controls/MenuBar.h"
#include "platform/controls/MenuTracker.h"
#include "platform/screen/WindowFrame.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

LRESULT CALLBACK PopupMenuProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(hwnd, &paint);
            if (MenuTracker* tracker = MenuTracker::Current();
                tracker != nullptr && dc != nullptr) {
                tracker->PaintPopup(hwnd, dc);
            }
            EndPaint(hwnd, &paint);
            return 0;
        }
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void RegisterPopupMenuClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_SAVEBITS;
        windowClass.lpfnWndProc = PopupMenuProcedure;
        windowClass.lpszClassName = "#32768";
        RegisterSystemClass(windowClass);
        SetMenuBarPainter(PaintMenuBar);
        SetMenuBarTracker(TrackMenuBar);
        SetMenuDestroyer([](HMENU menu) { DestroyMenu(menu); });
    });
}

}  // namespace platform

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
    return TrackPopupMenuEx(hMenu, uFlags, x, y, hWnd, nullptr);
}

BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, LPTPMPARAMS lptpm) {
    if (!IsMenu(hMenu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (platform::MenuTracker::Current() != nullptr) {
        return FALSE;
    }
    platform::RegisterPopupMenuClass();
    UINT chosen = 0;
    {
        platform::MenuTracker tracker(hwnd, uFlags);
        chosen = tracker.TrackPopup(hMenu, x, y, lptpm != nullptr ? &lptpm->rcExclude : nullptr);
    }
    if (uFlags & TPM_RETURNCMD) {
        return static_cast<BOOL>(chosen);
    }
    if (chosen != 0 && (uFlags & TPM_NONOTIFY) == 0 && IsWindow(hwnd)) {
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    }
    return TRUE;
}

BOOL EndMenu() {
    platform::MenuTracker* tracker = platform::MenuTracker::Current();
    if (tracker == nullptr) {
        return FALSE;
    }
    tracker->End();
    return TRUE;
}
