// The messages of the status bar, each handed to the member that does the work.
#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/StatusBarControl.h"
#include "platform/windows/WindowApi.h"

namespace platform {

LRESULT StatusBarControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    switch (message) {
        case WM_CREATE:
            Create(reinterpret_cast<const CREATESTRUCTA*>(lParam));
            return 0;
        case WM_SIZE:
            Reposition();
            InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_SETTEXT:
            return SetText(0, lParam);
        case WM_GETTEXT:
            return CopyTextOut(parts_[0].text, reinterpret_cast<char*>(lParam),
                               static_cast<int>(std::min<WPARAM>(wParam, INT_MAX)));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(parts_[0].text.size());
        case WM_NCHITTEST:
            if (const LRESULT hit = HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
                return hit;
            }
            return DefWindowProcA(hwnd_, message, wParam, lParam);
        case SB_SETTEXTA:
            return SetText(wParam, lParam);
        case SB_GETTEXTA:
            return GetPartText(static_cast<int>(wParam & 0xFF), reinterpret_cast<char*>(lParam));
        case SB_GETTEXTLENGTHA:
            return GetPartTextLength(static_cast<int>(wParam & 0xFF));
        case SB_SETPARTS:
            return SetParts(index, reinterpret_cast<const int*>(lParam));
        case SB_GETPARTS:
            return GetParts(wParam, reinterpret_cast<int*>(lParam));
        case SB_GETBORDERS:
            return GetBorders(reinterpret_cast<int*>(lParam));
        case SB_SETMINHEIGHT:
            // Takes effect when the bar is next sized, as its owner sends it WM_SIZE.
            minHeight_ = index;
            return 0;
        case SB_SIMPLE:
            SetSimple(wParam != 0);
            return 0;
        case SB_ISSIMPLE:
            return simple_;
        case SB_GETRECT:
            return PartRect(index, reinterpret_cast<RECT*>(lParam));
        case SB_SETICON:
            return SetIcon(index, reinterpret_cast<HICON>(lParam));
        case SB_GETICON:
            return GetIcon(index);
        case SB_SETTIPTEXTA:
            SetTipText(index, reinterpret_cast<const char*>(lParam));
            return 0;
        case SB_GETTIPTEXTA:
            GetTipText(LOWORD(wParam), reinterpret_cast<char*>(lParam), HIWORD(wParam));
            return 0;
        case SB_SETBKCOLOR:
            return SetBackground(static_cast<COLORREF>(lParam));
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

// The window's text is the first part's.
void StatusBarControl::Create(const CREATESTRUCTA* create) {
    if (create != nullptr && create->lpszName != nullptr) {
        parts_[0].text = create->lpszName;
    }
    Reposition();
}

void StatusBarControl::SetFont(HFONT font, bool redraw) {
    font_ = font;
    if (redraw) {
        Reposition();
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

// The caller's buffer must hold the text and its terminating zero.
LRESULT StatusBarControl::GetPartText(int index, char* buffer) {
    const Part* part = PartAt(index);
    if (part == nullptr) {
        return 0;
    }
    if ((part->type & SBT_OWNERDRAW) == 0 && buffer != nullptr) {
        std::memcpy(buffer, part->text.c_str(), part->text.size() + 1);
    }
    return TextResult(*part);
}

LRESULT StatusBarControl::GetPartTextLength(int index) {
    const Part* part = PartAt(index);
    if (part == nullptr) {
        return 0;
    }
    return MAKELONG(static_cast<WORD>(part->text.size()), static_cast<WORD>(part->type));
}

LRESULT StatusBarControl::GetParts(size_t capacity, int* edges) const {
    if (edges != nullptr) {
        std::copy_n(edges_.begin(), std::min(capacity, edges_.size()), edges);
    }
    return Count();
}

LRESULT StatusBarControl::GetBorders(int* borders) const {
    if (borders == nullptr) {
        return FALSE;
    }
    borders[0] = kBorderX;
    borders[1] = kBorderY;
    borders[2] = kBetween;
    return TRUE;
}

LRESULT StatusBarControl::SetIcon(int index, HICON icon) {
    Part* part = PartAt(index);
    if (part == nullptr) {
        return FALSE;
    }
    part->icon = icon;
    Invalidate(index);
    return TRUE;
}

LRESULT StatusBarControl::GetIcon(int index) {
    Part* part = PartAt(index);
    return part != nullptr ? reinterpret_cast<LRESULT>(part->icon) : 0;
}

void StatusBarControl::SetTipText(int index, const char* text) {
    if (Part* part = PartAt(index)) {
        part->tip = TextIn(text);
    }
}

void StatusBarControl::GetTipText(int index, char* buffer, int capacity) {
    if (const Part* part = PartAt(index)) {
        CopyTextOut(part->tip, buffer, capacity);
    }
}

LRESULT StatusBarControl::SetBackground(COLORREF color) {
    const COLORREF previous = background_;
    background_ = color;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return previous;
}

}  // namespace platform
