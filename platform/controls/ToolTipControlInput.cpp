// The mouse over the tools: when a tip shows, moves to the next tool or goes.
#include "platform/controls/ToolTipControl.h"
#include "platform/controls/ToolTipSubclasses.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void ToolTipControl::Relay(const MSG& msg) {
    if (!active_ || tracking_ >= 0) {
        return;
    }
    if (msg.message == WM_MOUSEMOVE) {
        const POINT point{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        const int tool = ToolAt(msg.hwnd, point);
        if (tool == current_) {
            return;
        }
        const bool wasShown = shown_ >= 0;
        Hide();
        current_ = tool;
        dismissed_ = false;
        if (tool < 0) {
            KillTimer(hwnd_, kShowTimer);
            KillTimer(hwnd_, kLeaveTimer);
            return;
        }
        // Moving from one tip to the next tool shows the next tip after the shorter delay.
        SetTimer(hwnd_, kShowTimer, static_cast<UINT>(wasShown ? reshow_ : initial_), nullptr);
        SetTimer(hwnd_, kLeaveTimer, kLeavePeriod, nullptr);
    } else if (IsMouseMessage(msg.message)) {
        // A click dismisses the tip until the mouse goes to another tool.
        Hide();
        KillTimer(hwnd_, kShowTimer);
        dismissed_ = true;
    }
}

void ToolTipControl::OnTimer(UINT_PTR id) {
    if (id == kShowTimer) {
        KillTimer(hwnd_, kShowTimer);
        if (active_ && current_ >= 0 && !dismissed_ && ToolUnderCursor() == current_) {
            Show(current_);
        }
    } else if (id == kPopTimer) {
        Hide();
        dismissed_ = true;
    } else if (id == kLeaveTimer) {
        if (current_ >= 0 && ToolUnderCursor() != current_) {
            Forget();
        }
    }
}

void ToolTipControl::Forget() {
    Hide();
    KillTimer(hwnd_, kShowTimer);
    KillTimer(hwnd_, kLeaveTimer);
    current_ = -1;
    dismissed_ = false;
}

}  // namespace platform
