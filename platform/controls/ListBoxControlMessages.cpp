// The messages of the list box, each handed to the member that does the work.
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListBoxControl.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

LRESULT ListBoxControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_CREATE:
            Create(*reinterpret_cast<const CREATESTRUCTA*>(lParam));
            return 0;
        case WM_DESTROY:
            Destroy();
            return 0;
        case kListSetDropped:
            dropped_ = wParam != 0;
            return 0;
        case LB_ADDSTRING:
            return Insert(-1, lParam, (Style() & LBS_SORT) != 0);
        case LB_INSERTSTRING:
            return Insert(index, lParam, false);
        case LB_DELETESTRING:
            return Delete(index);
        case LB_RESETCONTENT:
            Reset();
            return LB_OKAY;
        case LB_GETCOUNT:
            return Count();
        case LB_GETTEXT:
            return GetText(index, reinterpret_cast<char*>(lParam));
        case LB_GETTEXTLEN:
            return GetTextLength(index);
        case LB_SETITEMDATA:
            return SetItemData(index, static_cast<ULONG_PTR>(lParam));
        case LB_GETITEMDATA:
            return Valid(index) ? static_cast<LRESULT>(items_[index].data) : LB_ERR;
        case LB_SETCURSEL:
            return SetCurrent(index);
        case LB_GETCURSEL:
            return Current();
        case LB_SETSEL:
            return SetSelected(static_cast<int>(lParam), wParam != 0);
        case LB_GETSEL:
            return Valid(index) ? (IsSelected(index) ? 1 : 0) : LB_ERR;
        case LB_GETSELCOUNT:
            return MultiSelect() ? SelectionCount() : LB_ERR;
        case LB_GETSELITEMS:
            return GetSelectedItems(index, reinterpret_cast<int*>(lParam));
        case LB_SELITEMRANGE:
            return SelectItems(LOWORD(lParam), HIWORD(lParam), wParam != 0);
        case LB_SELITEMRANGEEX:
            return SelectItems(index, static_cast<int>(lParam), index <= static_cast<int>(lParam));
        case LB_FINDSTRING:
            return Find(index, lParam, false);
        case LB_FINDSTRINGEXACT:
            return Find(index, lParam, true);
        case LB_SELECTSTRING:
            return SelectString(index, lParam);
        case LB_SETTOPINDEX:
            return SetTopIndex(index);
        case LB_GETTOPINDEX:
            return top_;
        case LB_SETCARETINDEX:
            return SetCaretIndex(index);
        case LB_GETCARETINDEX:
            return Valid(caret_) ? caret_ : (Count() > 0 ? 0 : LB_ERR);
        case LB_SETANCHORINDEX:
            return SetAnchorIndex(index);
        case LB_GETANCHORINDEX:
            return Valid(anchor_) ? anchor_ : LB_ERR;
        case LB_GETITEMHEIGHT:
            return GetItemHeight(index);
        case LB_SETITEMHEIGHT:
            return SetItemHeight(index, LOWORD(lParam));
        case LB_GETITEMRECT:
            return GetItemRect(index, reinterpret_cast<RECT*>(lParam));
        case LB_ITEMFROMPOINT:
            return ItemFromPoint(point);
        case LB_SETHORIZONTALEXTENT:
            SetHorizontalExtent(index);
            return 0;
        case LB_GETHORIZONTALEXTENT:
            return horizontalExtent_;
        case LB_INITSTORAGE:
            return InitStorage(wParam);
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_SETREDRAW:
            SetRedraw(wParam != 0);
            return 0;
        case WM_SIZE:
            Resized();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ENABLE:
            Invalidate();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            FocusChanged(GainsFocus(message));
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Press(point, wParam, message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_MOUSEMOVE:
            Drag(point);
            return 0;
        case WM_LBUTTONUP:
            ButtonUp(point);
            return 0;
        case WM_CAPTURECHANGED:
            CaptureLost();
            return 0;
        case WM_KEYDOWN:
            KeyDown(wParam);
            return 0;
        case WM_CHAR:
            Char(wParam);
            return 0;
        case WM_VSCROLL:
            Scroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_HSCROLL:
            ScrollHorizontally(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_MOUSEWHEEL:
            SetTop(top_ - WheelLines(wParam));
            return 0;
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

void ListBoxControl::Create(const CREATESTRUCTA& create) {
    if (Style() & LBS_OWNERDRAWFIXED) {
        MeasureFixed();
    }
    if ((Style() & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE | LBS_COMBOBOX)) == 0 &&
        itemHeight_ > 0) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        const int trim = client.bottom % itemHeight_;
        if (trim > 0 && client.bottom > itemHeight_) {
            SetWindowPos(hwnd_, nullptr, 0, 0, create.cx, create.cy - trim,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    UpdateScrollBars();
}

void ListBoxControl::Destroy() {
    for (int i = 0; i < Count(); ++i) {
        SendDeleteItem(i);
    }
    items_.clear();
}

LRESULT ListBoxControl::GetTextLength(int index) const {
    if (!Valid(index)) {
        return LB_ERR;
    }
    return HasStrings() ? static_cast<LRESULT>(items_[index].text.size())
                        : static_cast<LRESULT>(sizeof(ULONG_PTR));
}

// Index -1 sets the data of every item.
LRESULT ListBoxControl::SetItemData(int index, ULONG_PTR data) {
    if (index == -1) {
        for (Item& item : items_) {
            item.data = data;
        }
        return LB_OKAY;
    }
    if (!Valid(index)) {
        return LB_ERR;
    }
    items_[index].data = data;
    return LB_OKAY;
}

LRESULT ListBoxControl::SetCurrent(int index) {
    if (MultiSelect()) {
        return LB_ERR;
    }
    if (index == -1) {
        SelectSingle(-1);
        return LB_ERR;
    }
    if (!Valid(index)) {
        return LB_ERR;
    }
    SelectSingle(index);
    ScrollIntoView(index);
    return index;
}

LRESULT ListBoxControl::Current() const {
    if (MultiSelect()) {
        return Valid(caret_) ? caret_ : LB_ERR;
    }
    return Valid(selection_) ? selection_ : LB_ERR;
}

// Target -1 selects or clears every item.
LRESULT ListBoxControl::SetSelected(int target, bool select) {
    if (!MultiSelect() || (target != -1 && !Valid(target))) {
        return LB_ERR;
    }
    if (target == -1) {
        SelectRange(0, Count() - 1, select);
    } else {
        SelectRange(target, target, select);
        SetCaret(target);
        if (select) {
            anchor_ = target;
        }
    }
    return LB_OKAY;
}

LRESULT ListBoxControl::GetSelectedItems(int capacity, int* out) const {
    if (!MultiSelect()) {
        return LB_ERR;
    }
    int copied = 0;
    for (int i = 0; i < Count() && copied < capacity && out != nullptr; ++i) {
        if (items_[i].selected) {
            out[copied++] = i;
        }
    }
    return copied;
}

LRESULT ListBoxControl::SelectItems(int first, int last, bool select) {
    if (!MultiSelect()) {
        return LB_ERR;
    }
    SelectRange(first, last, select);
    return LB_OKAY;
}

LRESULT ListBoxControl::SelectString(int after, LPARAM text) {
    const int found = Find(after, text, false);
    if (found == LB_ERR) {
        return LB_ERR;
    }
    if (MultiSelect()) {
        SelectRange(found, found, true);
        SetCaret(found);
    } else {
        SelectSingle(found);
    }
    ScrollIntoView(found);
    return found;
}

LRESULT ListBoxControl::SetTopIndex(int index) {
    if (!Valid(index) && !(index == 0 && Count() == 0)) {
        return LB_ERR;
    }
    SetTop(index);
    return LB_OKAY;
}

LRESULT ListBoxControl::SetCaretIndex(int index) {
    if (!Valid(index)) {
        return LB_ERR;
    }
    if (MultiSelect()) {
        SetCaret(index);
    } else {
        SelectSingle(index);
    }
    ScrollIntoView(index);
    return LB_OKAY;
}

LRESULT ListBoxControl::SetAnchorIndex(int index) {
    if (!Valid(index)) {
        return LB_ERR;
    }
    anchor_ = index;
    return LB_OKAY;
}

LRESULT ListBoxControl::GetItemHeight(int index) const {
    if (Style() & LBS_OWNERDRAWVARIABLE) {
        return Valid(index) ? items_[index].height : LB_ERR;
    }
    return itemHeight_;
}

LRESULT ListBoxControl::SetItemHeight(int index, int height) {
    if (height <= 0 || height > kMaxItemHeight) {
        return LB_ERR;
    }
    if (Style() & LBS_OWNERDRAWVARIABLE) {
        if (!Valid(index)) {
            return LB_ERR;
        }
        items_[index].height = height;
    } else {
        itemHeight_ = height;
    }
    top_ = std::min(top_, MaxTop());
    UpdateScrollBars();
    Invalidate();
    return LB_OKAY;
}

LRESULT ListBoxControl::GetItemRect(int index, RECT* rect) const {
    if (rect == nullptr || (!Valid(index) && !(index == 0 && Count() == 0))) {
        return LB_ERR;
    }
    *rect = ItemRect(index);
    return LB_OKAY;
}

// The nearest item in the low word, 1 in the high word when the point lies outside the items.
LRESULT ListBoxControl::ItemFromPoint(POINT point) const {
    bool outside = false;
    const int found = ItemAt(point, &outside);
    return static_cast<LRESULT>(
        MAKELONG(static_cast<WORD>(std::max(found, 0)), outside || found < 0 ? 1 : 0));
}

void ListBoxControl::SetHorizontalExtent(int extent) {
    horizontalExtent_ = std::max(extent, 0);
    UpdateScrollBars();
    Invalidate();
}

LRESULT ListBoxControl::InitStorage(WPARAM items) {
    items_.reserve(items_.size() + items);
    return Count() + static_cast<LRESULT>(items);
}

void ListBoxControl::SetFont(HFONT font, bool redraw) {
    font_ = FontOrDefault(font);
    if (!OwnerDraw()) {
        itemHeight_ = FontHeight();
    }
    top_ = std::min(top_, MaxTop());
    UpdateScrollBars();
    if (redraw) {
        Invalidate();
    }
}

void ListBoxControl::SetRedraw(bool redraw) {
    redraw_ = redraw;
    Invalidate();
}

void ListBoxControl::Resized() {
    top_ = std::min(top_, MaxTop());
    UpdateScrollBars();
}

}  // namespace platform
