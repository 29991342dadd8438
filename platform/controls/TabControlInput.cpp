// Mouse and keyboard of the tab control: choosing a tab, which the parent may refuse.
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/TabControl.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void TabControl::UserSelect(int index) {
    if (!Valid(index)) {
        return;
    }
    focused_ = index;
    if (index == selected_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        return;
    }
    if (Notify(TCN_SELCHANGING) != 0) {
        return;
    }
    selected_ = index;
    EnsureVisible(index);
    Notify(TCN_SELCHANGE);
}
// Every mouse message goes to the tool tip too; a left press picks a tab, releases tell the
// parent of clicks.
void TabControl::Mouse(UINT message, WPARAM wParam, LPARAM lParam) {
    RelayToToolTip(tooltip_, hwnd_, message, wParam, lParam);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        const int hit = HitTest(point, nullptr);
        if (hit >= 0) {
            if ((Style() & TCS_FOCUSNEVER) == 0) {
                SetFocus(hwnd_);
            }
            UserSelect(hit);
        }
    } else if (message == WM_LBUTTONUP) {
        Notify(NM_CLICK);
    } else if (message == WM_RBUTTONUP) {
        Notify(NM_RCLICK);
    }
}

// The parent hears of every key first (TCN_KEYDOWN); the arrows, Home and End move the choice.
void TabControl::KeyDown(WPARAM key, LPARAM lParam) {
    NMTCKEYDOWN notice{};
    notice.wVKey = static_cast<WORD>(key);
    notice.flags = static_cast<UINT>(HIWORD(lParam));
    SendNotify(hwnd_, notice.hdr, TCN_KEYDOWN);
    const int from = focused_ >= 0 ? focused_ : selected_;
    switch (key) {
        case VK_LEFT:
            UserSelect(std::max(from - 1, 0));
            break;
        case VK_RIGHT:
            UserSelect(std::min(from + 1, Count() - 1));
            break;
        case VK_HOME:
            UserSelect(0);
            break;
        case VK_END:
            UserSelect(Count() - 1);
            break;
        default:
            break;
    }
}

}  // namespace platform
