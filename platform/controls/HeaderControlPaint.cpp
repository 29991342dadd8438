// Painting of the header: the items' faces, edges and texts.
#include "platform/controls/ControlSupport.h"
#include "platform/controls/HeaderControl.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform::views {

namespace {

constexpr int kTextPadding = 6;

}  // namespace

void HeaderControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillSolid(dc, client, GetSysColor(COLOR_BTNFACE));
        HGDIOBJ oldFont = SelectObject(dc, FontOrDefault(font_));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        for (int i = 0; i < Count(); ++i) {
            const Item& item = items_[static_cast<size_t>(i)];
            RECT rect = ItemRect(i);
            if (i == pressed_) {
                FillSolid(dc, rect, GetSysColor(COLOR_BTNSHADOW));
            }
            FillSolid(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom},
                      GetSysColor(COLOR_BTNHIGHLIGHT));
            FillSolid(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom},
                      GetSysColor(COLOR_BTNSHADOW));
            RECT text{rect.left + kTextPadding, rect.top, rect.right - kTextPadding, rect.bottom};
            UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
            if ((item.format & HDF_JUSTIFYMASK) == HDF_RIGHT) {
                format |= DT_RIGHT;
            } else if ((item.format & HDF_JUSTIFYMASK) == HDF_CENTER) {
                format |= DT_CENTER;
            }
            DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text, format);
        }
        FillSolid(dc, RECT{client.left, client.bottom - 1, client.right, client.bottom},
                  GetSysColor(COLOR_BTNSHADOW));
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd_, &paint);
}

}  // namespace platform::views
