#include "platform/controls/TabScrollerControl.h"

#include <algorithm>

#include "platform/controls/ScrollBarPainter.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void TabScrollerControl::SetRange(int position, int maximum) {
    if (position != position_ || maximum != maximum_) {
        position_ = position;
        maximum_ = maximum;
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

LRESULT TabScrollerControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Click(GET_X_LPARAM(lParam));
            return 0;
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

// The left half moves the row back by one tab, the right half on by one.
void TabScrollerControl::Click(int x) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const bool back = x < client.right / 2;
    const int position = std::clamp(position_ + (back ? -1 : 1), 0, maximum_);
    if (position != position_) {
        SendMessageA(GetParent(hwnd_), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position),
                     reinterpret_cast<LPARAM>(hwnd_));
    }
}

void TabScrollerControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        const int middle = client.right / 2;
        DrawArrowButton(dc, RECT{0, 0, middle, client.bottom}, ArrowDirection::Left, position_ > 0);
        DrawArrowButton(dc, RECT{middle, 0, client.right, client.bottom}, ArrowDirection::Right,
                        position_ < maximum_);
    }
    EndPaint(hwnd_, &paint);
}

}  // namespace platform
