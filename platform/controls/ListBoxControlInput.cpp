// Mouse, keyboard, focus and scrolling of the list box.
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListBoxControl.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

void ListBoxControl::Press(POINT point, WPARAM keys, bool doubleClick) {
    bool outside = false;
    const int index = ItemAt(point, &outside);
    if (dropped_) {
        POINT screen = point;
        ClientToScreen(hwnd_, &screen);
        const LRESULT hit = SendMessageA(hwnd_, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        if (hit == HTVSCROLL || hit == HTHSCROLL) {
            // The open list's own bar scrolls it; the list keeps the mouse afterwards.
            DefWindowProcA(hwnd_, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit),
                           MAKELPARAM(screen.x, screen.y));
            if (dropped_) {
                SetCapture(hwnd_);
            }
        } else if (outside) {
            Notify(kComboListCancelled);
        } else {
            SelectSingle(index);
        }
        return;
    }
    if (GetFocus() != hwnd_ && (Style() & LBS_COMBOBOX) == 0) {
        SetFocus(hwnd_);
    }
    const bool onItem = Valid(index) && !outside;
    bool changed = false;
    if (onItem && (Style() & LBS_NOSEL) == 0) {
        if (!MultiSelect()) {
            changed = SelectSingle(index);
        } else if (!Extended()) {
            items_[index].selected = !items_[index].selected;
            DrawItemNow(index, ODA_SELECT);
            changed = true;
            SetCaret(index);
        } else if (keys & MK_SHIFT) {
            if (!Valid(anchor_)) {
                anchor_ = index;
            }
            if ((keys & MK_CONTROL) == 0) {
                changed = SelectOnly(-1);
            }
            changed = SelectRange(anchor_, index, true) || changed;
            SetCaret(index);
        } else if (keys & MK_CONTROL) {
            items_[index].selected = !items_[index].selected;
            DrawItemNow(index, ODA_SELECT);
            changed = true;
            anchor_ = index;
            SetCaret(index);
        } else {
            changed = SelectOnly(index);
            anchor_ = index;
            SetCaret(index);
        }
    }
    tracking_ = true;
    changedWhileTracking_ = changed;
    SetCapture(hwnd_);
    if (doubleClick && onItem) {
        Notify(LBN_DBLCLK);
    }
}

void ListBoxControl::Drag(POINT point) {
    bool outside = false;
    const int index = ItemAt(point, &outside);
    if (dropped_) {
        if (!outside) {
            SelectSingle(index);
        }
        return;
    }
    if (!tracking_ || !Valid(index) || (MultiSelect() && !Extended())) {
        return;
    }
    if (!MultiSelect()) {
        changedWhileTracking_ = SelectSingle(index) || changedWhileTracking_;
    } else {
        const int from = Valid(anchor_) ? anchor_ : index;
        bool changed = SelectOnly(-1);
        changed = SelectRange(from, index, true) || changed;
        changedWhileTracking_ = changedWhileTracking_ || changed;
        SetCaret(index);
    }
    ScrollIntoView(index);
}

void ListBoxControl::Release() {
    if (!tracking_) {
        return;
    }
    tracking_ = false;
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
    if (changedWhileTracking_) {
        changedWhileTracking_ = false;
        Notify(LBN_SELCHANGE);
    }
}

void ListBoxControl::KeyDown(WPARAM key) {
    if (Count() == 0) {
        return;
    }
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const int current = Valid(caret_) ? caret_ : -1;
    const int page = std::max(FullRowsFromTop() - 1, 1);
    int next = current;
    switch (key) {
        case VK_UP:
        case VK_LEFT:
            next = current < 0 ? 0 : current - 1;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            next = current + 1;
            break;
        case VK_HOME:
            next = 0;
            break;
        case VK_END:
            next = Count() - 1;
            break;
        case VK_PRIOR:
            next = current - page;
            break;
        case VK_NEXT:
            next = current < 0 ? page : current + page;
            break;
        case VK_SPACE:
            if (MultiSelect() && Valid(current) && (!Extended() || control)) {
                items_[current].selected = !items_[current].selected;
                DrawItemNow(current, ODA_SELECT);
                anchor_ = current;
                Notify(LBN_SELCHANGE);
            }
            return;
        default:
            return;
    }
    next = std::clamp(next, 0, Count() - 1);
    bool changed = false;
    if (!MultiSelect()) {
        changed = SelectSingle(next);
    } else if (!Extended() || control) {
        SetCaret(next);
    } else if (shift) {
        if (!Valid(anchor_)) {
            anchor_ = Valid(current) ? current : next;
        }
        changed = SelectOnly(-1);
        changed = SelectRange(anchor_, next, true) || changed;
        SetCaret(next);
    } else {
        changed = SelectOnly(next);
        anchor_ = next;
        SetCaret(next);
    }
    ScrollIntoView(next);
    if (changed) {
        Notify(LBN_SELCHANGE);
    }
}

void ListBoxControl::Char(WPARAM character) {
    const auto typed = static_cast<unsigned char>(character);
    if (typed <= ' ' || typed >= 0x80 || !HasStrings() || Count() == 0) {
        return;
    }
    // Type-ahead by the first character: the next item after the caret that starts with it.
    const int start = Valid(caret_) ? caret_ + 1 : 0;
    for (int step = 0; step < Count(); ++step) {
        const int index = (start + step) % Count();
        const std::string& text = items_[index].text;
        if (!text.empty() && FoldAscii(static_cast<unsigned char>(text[0])) == FoldAscii(typed)) {
            bool changed = false;
            if (!MultiSelect()) {
                changed = SelectSingle(index);
            } else if (Extended()) {
                changed = SelectOnly(index);
                anchor_ = index;
                SetCaret(index);
            } else {
                SetCaret(index);
            }
            ScrollIntoView(index);
            if (changed) {
                Notify(LBN_SELCHANGE);
            }
            return;
        }
    }
}

void ListBoxControl::Scroll(WORD code, int thumb) {
    const int page = std::max(FullRowsFromTop(), 1);
    switch (code) {
        case SB_LINEUP:
            SetTop(top_ - 1);
            break;
        case SB_LINEDOWN:
            SetTop(top_ + 1);
            break;
        case SB_PAGEUP:
            SetTop(top_ - page);
            break;
        case SB_PAGEDOWN:
            SetTop(top_ + page);
            break;
        case SB_TOP:
            SetTop(0);
            break;
        case SB_BOTTOM:
            SetTop(MaxTop());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            SetTop(thumb);
            break;
        default:
            break;
    }
}

void ListBoxControl::ScrollHorizontally(WORD code, int thumb) {
    const int limit = std::max(0, horizontalExtent_ - ClientWidth());
    const int line = std::max(itemHeight_ / 2, 1);
    int offset = horizontalOffset_;
    switch (code) {
        case SB_LINELEFT:
            offset -= line;
            break;
        case SB_LINERIGHT:
            offset += line;
            break;
        case SB_PAGELEFT:
            offset -= ClientWidth();
            break;
        case SB_PAGERIGHT:
            offset += ClientWidth();
            break;
        case SB_LEFT:
            offset = 0;
            break;
        case SB_RIGHT:
            offset = limit;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            offset = thumb;
            break;
        default:
            return;
    }
    offset = std::clamp(offset, 0, limit);
    if (offset != horizontalOffset_) {
        horizontalOffset_ = offset;
        UpdateScrollBars();
        Invalidate();
    }
}

void ListBoxControl::FocusChanged(bool focused) {
    focused_ = focused;
    if (Valid(caret_)) {
        DrawItemNow(caret_, ODA_FOCUS);
    } else if (Count() == 0) {
        Invalidate();
    }
    Notify(focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

// An open combo box's list picks the item under the mouse as the button comes up.
void ListBoxControl::ButtonUp(POINT point) {
    if (!dropped_) {
        Release();
        return;
    }
    bool outside = false;
    const int chosen = ItemAt(point, &outside);
    if (!outside && Valid(chosen)) {
        SelectSingle(chosen);
        Notify(kComboListChosen);
    }
}

void ListBoxControl::CaptureLost() {
    if (!tracking_) {
        return;
    }
    tracking_ = false;
    if (changedWhileTracking_) {
        changedWhileTracking_ = false;
        Notify(LBN_SELCHANGE);
    }
}

}  // namespace platform
