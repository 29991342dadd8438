// The mouse over the status bar: its size grip sizes the top window it sits in.
#include "platform/controls/StatusBarControl.h"
#include "platform/windows/WindowApi.h"

namespace platform {

// HTBOTTOMRIGHT over the grip of a bar in a resizable window; 0 lets the default answer stand.
LRESULT StatusBarControl::HitTest(POINT screen) {
    POINT point = screen;
    ScreenToClient(hwnd_, &point);
    RECT client{};
    GetClientRect(hwnd_, &client);
    const bool resizable =
        (GetWindowLongA(GetAncestor(hwnd_, GA_ROOT), GWL_STYLE) & WS_THICKFRAME) != 0;
    if ((Style() & SBARS_SIZEGRIP) != 0 && resizable && point.x >= client.right - kGripSize &&
        point.y >= client.bottom - kGripSize) {
        return HTBOTTOMRIGHT;
    }
    return 0;
}

}  // namespace platform
