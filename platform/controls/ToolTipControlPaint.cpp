// Showing the tip (its size, its place on the screen) and painting it.
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ToolTipControl.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

// How far below the cursor the tip appears: the height of the standard arrow cursor.
constexpr int kCursorHeight = 20;

}  // namespace

void ToolTipControl::Show(int index) {
    Hide();
    const std::string text = TextOf(index);
    if (text.empty() || index < 0) {
        return;
    }
    text_ = text;
    const Tool& tool = tools_[static_cast<size_t>(index)];
    RECT measure{0, 0, maxWidth_ >= 0 ? maxWidth_ : 0, 0};
    const UINT format = DT_CALCRECT | DT_NOPREFIX | (maxWidth_ >= 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextA(MeasuringDc(font_).get(), text_.c_str(), static_cast<int>(text_.size()), &measure,
              format);
    const int width = measure.right - measure.left + 2 * (kMargin + 1);
    const int height = measure.bottom - measure.top + 2 * (kMargin + 1);

    POINT at{};
    if (index == tracking_) {
        at = trackPosition_;
    } else if ((tool.flags & TTF_CENTERTIP) != 0) {
        RECT area = tool.rect;
        if ((tool.flags & TTF_IDISHWND) != 0) {
            GetClientRect(tool.Window(), &area);
        }
        POINT corners[2] = {{area.left, area.top}, {area.right, area.bottom}};
        MapWindowPoints(tool.Window(), nullptr, corners, 2);
        at = POINT{(corners[0].x + corners[1].x - width) / 2, corners[1].y + 2};
    } else {
        GetCursorPos(&at);
        at.y += kCursorHeight;
    }
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    at.x = std::max(0, std::min<int>(at.x, screenWidth - width));
    at.y = std::max(0, std::min<int>(at.y, screenHeight - height));

    shown_ = index;
    NMHDR header{};
    const bool placed = SendNotifyTo(tool.hwnd, hwnd_, tool.id, header, TTN_SHOW) != 0;
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (placed) {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(hwnd_, HWND_TOPMOST, at.x, at.y, width, height, flags);
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (index != tracking_) {
        SetTimer(hwnd_, kPopTimer, static_cast<UINT>(autopop_), nullptr);
    }
}

void ToolTipControl::Hide() {
    KillTimer(hwnd_, kPopTimer);
    if (shown_ < 0) {
        return;
    }
    const Tool tool = tools_[static_cast<size_t>(shown_)];
    shown_ = -1;
    ShowWindow(hwnd_, SW_HIDE);
    NMHDR header{};
    SendNotifyTo(tool.hwnd, hwnd_, tool.id, header, TTN_POP);
}

void ToolTipControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillSolid(dc, client, background_);
        FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
        HGDIOBJ oldFont = SelectObject(dc, FontOrDefault(font_));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, foreground_);
        RECT text{client.left + kMargin + 1, client.top + kMargin + 1, client.right - kMargin - 1,
                  client.bottom - kMargin - 1};
        DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &text,
                  DT_NOPREFIX | (maxWidth_ >= 0 ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd_, &paint);
}

}  // namespace platform
