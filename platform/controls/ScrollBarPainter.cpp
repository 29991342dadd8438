#include "platform/controls/ScrollBarPainter.h"

#include <algorithm>

#include "platform/screen/ScreenApi.h"

namespace platform {

namespace {

void Fill(HDC dc, int left, int top, int right, int bottom, int colorIndex) {
    const RECT rect{left, top, right, bottom};
    FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

}  // namespace

void DrawRaisedButton(HDC dc, const RECT& r) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (r.right - r.left < 4 || r.bottom - r.top < 4) {
        return;
    }
    Fill(dc, r.left, r.top, r.right, r.top + 1, COLOR_3DLIGHT);
    Fill(dc, r.left, r.top, r.left + 1, r.bottom, COLOR_3DLIGHT);
    Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, COLOR_3DDKSHADOW);
    Fill(dc, r.right - 1, r.top, r.right, r.bottom, COLOR_3DDKSHADOW);
    Fill(dc, r.left + 1, r.top + 1, r.right - 1, r.top + 2, COLOR_BTNHIGHLIGHT);
    Fill(dc, r.left + 1, r.top + 1, r.left + 2, r.bottom - 1, COLOR_BTNHIGHLIGHT);
    Fill(dc, r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1, COLOR_BTNSHADOW);
    Fill(dc, r.right - 2, r.top + 1, r.right - 1, r.bottom - 1, COLOR_BTNSHADOW);
}

void DrawArrowButton(HDC dc, const RECT& r, ArrowDirection direction, bool enabled) {
    DrawRaisedButton(dc, r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    // Four rows for a full-size button, fewer for a squeezed one.
    const int rows = std::max(1, std::min({4, (width - 4) / 2, (height - 4) / 2}));
    const int cx = r.left + width / 2;
    const int cy = r.top + height / 2;
    const int colorIndex = enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
    for (int i = 0; i < rows; ++i) {
        // Row i has 2i+1 pixels; the tip points in the arrow's direction.
        switch (direction) {
            case ArrowDirection::Up:
                Fill(dc, cx - i, cy - rows / 2 + i, cx + i + 1, cy - rows / 2 + i + 1, colorIndex);
                break;
            case ArrowDirection::Down:
                Fill(dc, cx - i, cy + rows / 2 - i, cx + i + 1, cy + rows / 2 - i + 1, colorIndex);
                break;
            case ArrowDirection::Left:
                Fill(dc, cx - rows / 2 + i, cy - i, cx - rows / 2 + i + 1, cy + i + 1, colorIndex);
                break;
            case ArrowDirection::Right:
                Fill(dc, cx + rows / 2 - i, cy - i, cx + rows / 2 - i + 1, cy + i + 1, colorIndex);
                break;
        }
    }
}

void DrawScrollTrack(HDC dc, const RECT& r) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_SCROLLBAR));
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left + ((y + r.left) & 1); x < r.right; x += 2) {
            SetPixelV(dc, x, y, light);
        }
    }
}

}  // namespace platform
