// The messages of the header, each handed to the member that does the work.
#include "platform/controls/HeaderControl.h"
#include "platform/windows/WindowApi.h"

namespace platform::views {

LRESULT HeaderControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case HDM_GETITEMCOUNT:
            return Count();
        case HDM_INSERTITEMA:
            return Insert(static_cast<int>(wParam), reinterpret_cast<const HDITEMA*>(lParam));
        case HDM_DELETEITEM:
            return Remove(static_cast<int>(wParam));
        case HDM_GETITEMA:
            return Get(static_cast<int>(wParam), reinterpret_cast<HDITEMA*>(lParam));
        case HDM_SETITEMA:
            return Set(static_cast<int>(wParam), reinterpret_cast<const HDITEMA*>(lParam));
        case HDM_LAYOUT:
            Layout(reinterpret_cast<HDLAYOUT*>(lParam));
            return TRUE;
        case HDM_HITTEST:
            return HitTest(reinterpret_cast<HDHITTESTINFO*>(lParam));
        case HDM_GETITEMRECT:
            return GetItemRect(static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MouseDown(point, message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_MOUSEMOVE:
            MouseMove(point);
            return 0;
        case WM_LBUTTONUP:
            MouseUp(point);
            return 0;
        case WM_CAPTURECHANGED:
            CaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

LRESULT HeaderControl::HitTest(HDHITTESTINFO* info) const {
    if (info == nullptr) {
        return -1;
    }
    info->iItem = HitTest(info->pt, &info->flags);
    return info->iItem;
}

LRESULT HeaderControl::GetItemRect(int index, RECT* rect) const {
    if (rect == nullptr || index < 0 || index >= Count()) {
        return FALSE;
    }
    *rect = ItemRect(index);
    return TRUE;
}

void HeaderControl::SetFont(HFONT font, bool redraw) {
    font_ = font;
    if (redraw) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

}  // namespace platform::views
