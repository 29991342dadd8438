// Mouse, keyboard and scrolling of the list view.
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ListViewControl.h"
#include "platform/controls/ScrollInfo.h"

namespace platform::views {
namespace {

constexpr int kPixelsPerColumnStep = 10;

UINT KeyFlags() {
    UINT flags = 0;
    if (GetKeyState(VK_MENU) < 0) {
        flags |= LVKF_ALT;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        flags |= LVKF_CONTROL;
    }
    if (GetKeyState(VK_SHIFT) < 0) {
        flags |= LVKF_SHIFT;
    }
    return flags;
}

}  // namespace

void ListViewControl::NotifyActivate(UINT code, POINT point) {
    LVHITTESTINFO hit{};
    hit.pt = point;
    HitTest(&hit, true);
    NMITEMACTIVATE notice{};
    notice.iItem = hit.iItem;
    notice.iSubItem = hit.iSubItem;
    notice.ptAction = point;
    notice.uKeyFlags = KeyFlags();
    if (hit.iItem >= 0) {
        notice.lParam = rows_[static_cast<size_t>(hit.iItem)].data;
    }
    SendNotify(hwnd_, notice.hdr, code);
}

void ListViewControl::MouseDown(POINT point, bool right, bool doubleClick, WPARAM keys) {
    if (GetFocus() != hwnd_) {
        SetFocus(hwnd_);
    }
    LVHITTESTINFO hit{};
    hit.pt = point;
    const int index = HitTest(&hit, false);
    const bool single = (GetWindowLongA(hwnd_, GWL_STYLE) & LVS_SINGLESEL) != 0;
    if (index < 0) {
        // A click beside the rows clears the selection; a right click leaves it.
        if (!right && (keys & (MK_CONTROL | MK_SHIFT)) == 0) {
            SetState(-1, 0, LVIS_SELECTED);
        }
    } else if (right) {
        if ((rows_[static_cast<size_t>(index)].state & LVIS_SELECTED) == 0) {
            SelectOnly(index);
        }
    } else if (!single && (keys & MK_SHIFT)) {
        SelectRange(mark_, index);
    } else if (!single && (keys & MK_CONTROL)) {
        const UINT selected = rows_[static_cast<size_t>(index)].state & LVIS_SELECTED;
        SetState(index, (selected ^ LVIS_SELECTED) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        mark_ = index;
    } else {
        SelectOnly(index);
    }
    if (doubleClick) {
        NotifyActivate(right ? NM_RDBLCLK : NM_DBLCLK, point);
        return;
    }
    (right ? rightPressed_ : leftPressed_) = true;
    SetCapture(hwnd_);
}

void ListViewControl::MouseUp(POINT point, bool right) {
    bool& pressed = right ? rightPressed_ : leftPressed_;
    if (!pressed) {
        return;
    }
    pressed = false;
    if (GetCapture() == hwnd_ && !leftPressed_ && !rightPressed_) {
        ReleaseCapture();
    }
    NotifyActivate(right ? NM_RCLICK : NM_CLICK, point);
}

void ListViewControl::KeyDown(WPARAM key) {
    NMLVKEYDOWN notice{};
    notice.wVKey = static_cast<WORD>(key);
    SendNotify(hwnd_, notice.hdr, LVN_KEYDOWN);
    if (Count() == 0) {
        return;
    }
    const int focused = GetNextItem(-1, LVNI_FOCUSED);
    const int perPage = std::max(1, CountPerPage());
    int target = -1;
    switch (key) {
        case VK_UP:
            target = focused < 0 ? 0 : focused - 1;
            break;
        case VK_DOWN:
            target = focused < 0 ? 0 : focused + 1;
            break;
        case VK_PRIOR:
            target = focused < 0 ? 0 : focused - (perPage - 1);
            break;
        case VK_NEXT:
            target = focused < 0 ? 0 : focused + (perPage - 1);
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = Count() - 1;
            break;
        case VK_SPACE:
            if (focused >= 0) {
                SetState(focused, LVIS_SELECTED, LVIS_SELECTED);
            }
            return;
        default:
            return;
    }
    target = std::clamp(target, 0, Count() - 1);
    const bool single = (GetWindowLongA(hwnd_, GWL_STYLE) & LVS_SINGLESEL) != 0;
    if (!single && GetKeyState(VK_SHIFT) < 0) {
        SelectRange(mark_, target);
    } else if (!single && GetKeyState(VK_CONTROL) < 0) {
        SetState(target, LVIS_FOCUSED, LVIS_FOCUSED);
    } else {
        SelectOnly(target);
    }
    EnsureVisible(std::min(target, Count() - 1));
}

void ListViewControl::Scroll(bool vertical, int code, int position) {
    const int perPage = std::max(1, CountPerPage());
    const int pageWidth = std::max(1, Client().right);
    const int current = vertical ? topIndex_ : scrollX_;
    const int line = vertical ? 1 : kPixelsPerColumnStep;
    const int page = vertical ? perPage : pageWidth;
    int next = current;
    switch (code) {
        case SB_LINEUP:
            next -= line;
            break;
        case SB_LINEDOWN:
            next += line;
            break;
        case SB_PAGEUP:
            next -= page;
            break;
        case SB_PAGEDOWN:
            next += page;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            next = position;
            break;
        case SB_TOP:
            next = 0;
            break;
        case SB_BOTTOM:
            next = vertical ? Count() : TotalWidth();
            break;
        default:
            return;
    }
    if (vertical) {
        ScrollTo(next, scrollX_);
    } else {
        ScrollTo(topIndex_, next);
    }
}

void ListViewControl::Wheel(int lines) {
    ScrollTo(topIndex_ - lines, scrollX_);
}

}  // namespace platform::views
