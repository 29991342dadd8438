// The messages of the tab control, each handed to the member that does the work.
#include "platform/controls/ControlSupport.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/controls/TabControl.h"
#include "platform/controls/TabScrollerControl.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

LRESULT TabControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    switch (message) {
        case WM_CREATE:
            Create();
            return 0;
        case WM_HSCROLL:
            ScrollTo(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_DESTROY:
            Destroy();
            return 0;
        case WM_SIZE:
        case WM_STYLECHANGED:
            Changed();
            return 0;
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_PAINT:
            Paint();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Mouse(message, wParam, lParam);
            return 0;
        case WM_KEYDOWN:
            KeyDown(wParam, lParam);
            return 0;
        case WM_NOTIFY:
            return ChildNotify(reinterpret_cast<const NMHDR*>(lParam));
        case TCM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(images_);
        case TCM_SETIMAGELIST:
            return SetImageList(reinterpret_cast<HIMAGELIST>(lParam));
        case TCM_GETITEMCOUNT:
            return Count();
        case TCM_GETITEMA:
            return GetItem(index, reinterpret_cast<TCITEMA*>(lParam));
        case TCM_SETITEMA:
            return SetItem(index, reinterpret_cast<const TCITEMA*>(lParam));
        case TCM_INSERTITEMA:
            return Insert(index, reinterpret_cast<const TCITEMA*>(lParam));
        case TCM_DELETEITEM:
            return Delete(index);
        case TCM_DELETEALLITEMS:
            return DeleteAll();
        case TCM_GETITEMRECT:
            return GetItemRect(index, reinterpret_cast<RECT*>(lParam));
        case TCM_GETCURSEL:
            return selected_;
        case TCM_SETCURSEL:
            return SetCurSel(index);
        case TCM_GETCURFOCUS:
            return focused_;
        case TCM_SETCURFOCUS:
            SetCurFocus(index);
            return 0;
        case TCM_HITTEST:
            return HitTest(reinterpret_cast<TCHITTESTINFO*>(lParam));
        case TCM_ADJUSTRECT:
            return AdjustRect(wParam != 0, reinterpret_cast<RECT*>(lParam));
        case TCM_SETITEMSIZE:
            return SetItemSize(lParam);
        case TCM_SETPADDING:
            SetPadding(lParam);
            return 0;
        case TCM_GETROWCOUNT:
            return RowCount();
        case TCM_GETTOOLTIPS:
            return reinterpret_cast<LRESULT>(tooltip_);
        case TCM_SETTOOLTIPS:
            SetToolTips(reinterpret_cast<HWND>(wParam));
            return 0;
        case TCM_SETMINTABWIDTH:
            return SetMinTabWidth(static_cast<int>(lParam));
        case TCM_HIGHLIGHTITEM:
            return Highlight(index, LOWORD(lParam) != 0);
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

void TabControl::Create() {
    if ((Style() & TCS_TOOLTIPS) != 0) {
        tooltip_ = CreateOwnToolTip(hwnd_);
        ownsTooltip_ = tooltip_ != nullptr;
    }
    scroller_ = CreateWindowExA(0, kTabScrollerClass, "", WS_CHILD, 0, 0, 0, 0, hwnd_, nullptr,
                                nullptr, nullptr);
    Changed();
}

void TabControl::Destroy() {
    if (ownsTooltip_ && IsWindow(tooltip_)) {
        DestroyWindow(tooltip_);
    }
    tooltip_ = nullptr;
}

// The arrow buttons report the first tab to show.
void TabControl::ScrollTo(WORD code, int position) {
    if (code == SB_THUMBPOSITION) {
        firstVisible_ = position;
        Changed();
    }
}

void TabControl::SetFont(HFONT font, bool redraw) {
    font_ = font;
    layoutValid_ = false;
    if (redraw) {
        Changed();
    }
}

// The tool tip asks for a tab's text; the parent knows it.
LRESULT TabControl::ChildNotify(const NMHDR* header) const {
    if (header != nullptr && header->hwndFrom == tooltip_) {
        return ForwardNotify(GetParent(hwnd_), header);
    }
    return 0;
}

LRESULT TabControl::HitTest(TCHITTESTINFO* info) {
    return info != nullptr ? HitTest(info->pt, &info->flags) : -1;
}

LRESULT TabControl::SetImageList(HIMAGELIST images) {
    HIMAGELIST previous = images_;
    images_ = images;
    Changed();
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT TabControl::DeleteAll() {
    items_.clear();
    selected_ = -1;
    focused_ = -1;
    Changed();
    return TRUE;
}

LRESULT TabControl::GetItemRect(int index, RECT* rect) {
    Layout();
    if (rect == nullptr || !Valid(index)) {
        return FALSE;
    }
    *rect = rects_[static_cast<size_t>(index)];
    return TRUE;
}

// Buttons can hold the focus apart from the selection; tabs move both.
void TabControl::SetCurFocus(int index) {
    if (!Buttons()) {
        UserSelect(index);
        return;
    }
    if (Valid(index)) {
        focused_ = index;
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

LRESULT TabControl::SetItemSize(LPARAM size) {
    const LRESULT previous = MAKELONG(itemSize_.cx, itemSize_.cy);
    itemSize_ = SIZE{LOWORD(size), HIWORD(size)};
    Changed();
    return previous;
}

void TabControl::SetPadding(LPARAM padding) {
    padding_ = SIZE{LOWORD(padding), HIWORD(padding)};
    Changed();
}

LRESULT TabControl::RowCount() {
    Layout();
    return rows_;
}

void TabControl::SetToolTips(HWND tooltip) {
    if (ownsTooltip_ && tooltip_ != nullptr) {
        DestroyWindow(tooltip_);
    }
    tooltip_ = tooltip;
    ownsTooltip_ = false;
    toolCount_ = 0;
    layoutValid_ = false;
    Layout();
}

LRESULT TabControl::SetMinTabWidth(int width) {
    const int previous = minTabWidth_;
    minTabWidth_ = width < 0 ? 0 : width;
    Changed();
    return previous;
}

LRESULT TabControl::Highlight(int index, bool on) {
    if (!Valid(index)) {
        return FALSE;
    }
    DWORD& state = items_[static_cast<size_t>(index)].state;
    state = on ? state | TCIS_HIGHLIGHTED : state & ~TCIS_HIGHLIGHTED;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

}  // namespace platform
