// Mouse of the tool bar: hot tracking, pressing, checking and dropping down buttons.
#include "platform/controls/ControlSupport.h"
#include "platform/controls/ToolBarControl.h"
#include "platform/controls/ToolTip.h"
#include "platform/drawing/Rect.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

constexpr UINT kLeavePeriod = 100;

}  // namespace

void ToolBarControl::SetHot(int index, DWORD reason) {
    if (index == hot_) {
        return;
    }
    NMTBHOTITEM note{};
    note.hdr.code = TBN_HOTITEMCHANGE;
    note.idOld = Valid(hot_) ? buttons_[static_cast<size_t>(hot_)].command : 0;
    note.idNew = Valid(index) ? buttons_[static_cast<size_t>(index)].command : 0;
    note.dwFlags = reason | (hot_ < 0 ? HICF_ENTERING : 0) | (index < 0 ? HICF_LEAVING : 0);
    if (Notify(note.hdr) != 0) {
        return;
    }
    hot_ = index;
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (hot_ >= 0) {
        SetTimer(hwnd_, kLeaveTimer, kLeavePeriod, nullptr);
    } else {
        KillTimer(hwnd_, kLeaveTimer);
    }
}

void ToolBarControl::OnMouseMove(POINT point) {
    const int index = HitTest(point);
    if (pressed_ >= 0) {
        Button& button = buttons_[static_cast<size_t>(pressed_)];
        const bool inside = index == pressed_;
        const BYTE state =
            inside ? button.state | TBSTATE_PRESSED : button.state & ~TBSTATE_PRESSED;
        if (state != button.state) {
            button.state = state;
            InvalidateRect(hwnd_, &button.rect, TRUE);
        }
        return;
    }
    if ((Style() & TBSTYLE_FLAT) == 0) {
        return;
    }
    const bool usable = index >= 0 && !buttons_[static_cast<size_t>(index)].Separator() &&
                        buttons_[static_cast<size_t>(index)].Enabled();
    SetHot(usable ? index : -1, HICF_MOUSE);
}

void ToolBarControl::DropDown(int index) {
    Button& button = buttons_[static_cast<size_t>(index)];
    button.state |= TBSTATE_PRESSED;
    InvalidateRect(hwnd_, &button.rect, TRUE);
    NMTOOLBARA note{};
    note.hdr.code = TBN_DROPDOWN;
    note.iItem = button.command;
    ToStruct(button, &note.tbButton);
    note.rcButton = button.rect;
    const LRESULT answer = Notify(note.hdr);
    // The owner may have deleted buttons while its menu was up.
    if (!Valid(index) || buttons_[static_cast<size_t>(index)].command != note.iItem) {
        return;
    }
    if (answer == TBDDRET_TREATPRESSED) {
        pressed_ = index;
        SetCapture(hwnd_);
        return;
    }
    buttons_[static_cast<size_t>(index)].state &= ~TBSTATE_PRESSED;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ToolBarControl::OnButtonDown(POINT point) {
    const int index = HitTest(point);
    if (index < 0) {
        return;
    }
    Button& button = buttons_[static_cast<size_t>(index)];
    if (button.Separator() || !button.Enabled()) {
        return;
    }
    if (OnDropDownPart(button, point)) {
        DropDown(index);
        return;
    }
    pressed_ = index;
    button.state |= TBSTATE_PRESSED;
    InvalidateRect(hwnd_, &button.rect, TRUE);
    SetCapture(hwnd_);
}

void ToolBarControl::OnButtonUp(POINT point) {
    if (pressed_ < 0) {
        return;
    }
    const int index = pressed_;
    pressed_ = -1;
    Button& button = buttons_[static_cast<size_t>(index)];
    const bool wasPressed = (button.state & TBSTATE_PRESSED) != 0;
    button.state &= ~TBSTATE_PRESSED;
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
    if (wasPressed && HitTest(point) == index) {
        Click(index);
    }
}

void ToolBarControl::Click(int index) {
    Button& button = buttons_[static_cast<size_t>(index)];
    if ((button.style & BTNS_CHECK) != 0) {
        if ((button.style & BTNS_GROUP) != 0) {
            Check(index);
        } else {
            button.state ^= TBSTATE_CHECKED;
        }
    }
    SendCommandTo(notify_, static_cast<UINT>(button.command), hwnd_, 0);
}

void ToolBarControl::Relay(UINT message, WPARAM wParam, LPARAM lParam) {
    RelayToToolTip(tooltip_, hwnd_, message, wParam, lParam);
}

// The owner told the bar to let go of a button it held.
void ToolBarControl::CaptureChanged(HWND capture) {
    if (pressed_ >= 0 && capture != hwnd_) {
        buttons_[static_cast<size_t>(pressed_)].state &= ~TBSTATE_PRESSED;
        pressed_ = -1;
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

// The mouse left the bar without a WM_MOUSEMOVE to say so.
void ToolBarControl::LeaveTimer() {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT window{};
    GetWindowRect(hwnd_, &window);
    if (!CRect(window).PtInRect(cursor) || WindowFromPoint(cursor) != hwnd_) {
        SetHot(-1, HICF_MOUSE);
    }
}

LRESULT ToolBarControl::Notify(NMHDR& header) const {
    return SendNotifyTo(notify_, hwnd_, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_)), header,
                        header.code);
}

// Tool tips ask for the texts of buttons; the owner of the bar knows them.
LRESULT ToolBarControl::ChildNotify(const NMHDR* header) const {
    if (header != nullptr && header->hwndFrom == tooltip_) {
        return ForwardNotify(notify_, header);
    }
    return 0;
}

}  // namespace platform
