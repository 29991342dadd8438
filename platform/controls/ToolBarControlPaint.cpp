// Painting of the tool bar: its background, the buttons' edges, images, texts and arrows.
#include "platform/controls/ControlSupport.h"
#include "platform/controls/ToolBarControl.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void ToolBarControl::PaintBackground(HDC dc) {
    if ((Style() & TBSTYLE_TRANSPARENT) == 0) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    // A transparent bar shows its parent's background: the parent erases under it.
    HWND parent = GetParent(hwnd_);
    POINT origin{0, 0};
    MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT previous{};
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void ToolBarControl::PaintButton(HDC dc, const Button& button, int index) const {
    const RECT& rect = button.rect;
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    const bool flat = (Style() & TBSTYLE_FLAT) != 0;
    if (button.Separator()) {
        if (flat && button.width == 0) {
            const int middle = (rect.left + rect.right) / 2;
            RECT line{middle - 1, rect.top + 2, middle, rect.bottom - 2};
            FillRect(dc, &line, shadow);
            line = RECT{middle, rect.top + 2, middle + 1, rect.bottom - 2};
            FillRect(dc, &line, light);
        }
        return;
    }
    const bool pressed = (button.state & (TBSTATE_PRESSED | TBSTATE_CHECKED)) != 0;
    const bool hot = index == hot_;
    const bool enabled = button.Enabled();
    const bool arrow = HasArrow(button) && (button.style & BTNS_WHOLEDROPDOWN) == 0;
    RECT face = rect;
    if (arrow) {
        face.right -= kArrowWidth;
    }
    if (pressed || !flat || hot) {
        DrawEdgeLines(dc, face, pressed);
        if (arrow) {
            DrawEdgeLines(dc, RECT{face.right, rect.top, rect.right, rect.bottom}, false);
        }
    }
    const int shift = pressed ? 1 : 0;
    const bool list = (Style() & TBSTYLE_LIST) != 0;
    const bool text = ShowsText(button) && !button.text.empty();
    HIMAGELIST images = images_;
    if (!enabled && disabledImages_ != nullptr) {
        images = disabledImages_;
    } else if (hot && hotImages_ != nullptr) {
        images = hotImages_;
    }
    const int wholeArrow = (button.style & BTNS_WHOLEDROPDOWN) != 0 ? kArrowWidth : 0;
    int imageLeft = list ? face.left + kButtonPadding.cx / 2
                         : face.left + (face.right - face.left - wholeArrow - bitmapSize_.cx) / 2;
    int imageTop = list || !text ? face.top + (face.bottom - face.top - bitmapSize_.cy) / 2
                                 : face.top + kButtonPadding.cy / 2;
    if (images != nullptr && button.image >= 0) {
        ImageList_Draw(images, button.image, dc, imageLeft + shift, imageTop + shift,
                       ILD_TRANSPARENT);
    }
    if (text) {
        RECT area =
            list ? RECT{imageLeft + bitmapSize_.cx + kTextGap, face.top, face.right, face.bottom}
                 : RECT{face.left, imageTop + bitmapSize_.cy, face.right - wholeArrow, face.bottom};
        area.left += shift;
        area.right += shift;
        area.top += shift;
        area.bottom += shift;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        DrawTextA(dc, button.text.c_str(), static_cast<int>(button.text.size()), &area,
                  (list ? DT_LEFT : DT_CENTER) | DT_VCENTER | DT_SINGLELINE |
                      ((button.style & BTNS_NOPREFIX) != 0 ? DT_NOPREFIX : 0));
    }
    if (HasArrow(button)) {
        HBRUSH ink = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
        const int centre = rect.right - kArrowWidth / 2;
        const int top = (rect.top + rect.bottom) / 2 - 1;
        for (int row = 0; row < 3; ++row) {
            RECT line{centre - 3 + row, top + row, centre + 2 - row, top + row + 1};
            FillRect(dc, &line, ink);
        }
    }
}

void ToolBarControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        if (paint.fErase) {
            PaintBackground(dc);
        }
        HGDIOBJ oldFont = SelectObject(dc, FontOrDefault(font_));
        for (int i = 0; i < Count(); ++i) {
            if (buttons_[static_cast<size_t>(i)].Visible()) {
                PaintButton(dc, buttons_[static_cast<size_t>(i)], i);
            }
        }
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd_, &paint);
}

LRESULT ToolBarControl::EraseBackground(HDC dc) {
    if (dc != nullptr) {
        PaintBackground(dc);
    }
    return TRUE;
}

}  // namespace platform
