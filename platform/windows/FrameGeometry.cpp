#include "platform/windows/FrameGeometry.h"

#include <algorithm>

#include "platform/windows/WindowConstants.h"

namespace platform {

RECT CloseBoxRect(const RECT& captionBar) {
    const int height = captionBar.bottom - captionBar.top - 4;
    const int right = captionBar.right - 2;
    return RECT{right - height - 2, captionBar.top + 2, right, captionBar.top + 2 + height};
}

bool HasSizeBoxes(DWORD style, DWORD exStyle) {
    return (style & WS_SYSMENU) && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) &&
           (exStyle & WS_EX_TOOLWINDOW) == 0;
}

RECT MaximizeBoxRect(const RECT& captionBar) {
    const RECT close = CloseBoxRect(captionBar);
    return OffsetRectBy(close, -(close.right - close.left) - 2, 0);
}

RECT MinimizeBoxRect(const RECT& captionBar) {
    const RECT maximize = MaximizeBoxRect(captionBar);
    return OffsetRectBy(maximize, -(maximize.right - maximize.left), 0);
}

RECT FrameInsets(DWORD style, DWORD exStyle, bool menuBar) {
    int frame = 0;
    if (style & WS_THICKFRAME) {
        frame = kSizingFrameWidth;
    } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
        frame = kDialogFrameWidth;
    } else if (style & WS_BORDER) {
        frame = kBorderWidth;
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        frame += kEdgeWidth;
    }
    if (exStyle & WS_EX_STATICEDGE) {
        frame += kBorderWidth;
    }
    RECT insets{frame, frame, frame, frame};
    if ((style & WS_CAPTION) == WS_CAPTION) {
        insets.top += (exStyle & WS_EX_TOOLWINDOW) ? kSmallCaptionHeight : kCaptionHeight;
    }
    if (menuBar) {
        insets.top += kMenuBarHeight;
    }
    if (style & WS_VSCROLL) {
        insets.right += kScrollBarWidth;
    }
    if (style & WS_HSCROLL) {
        insets.bottom += kScrollBarWidth;
    }
    return insets;
}

bool RectIsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

bool RectContains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

RECT IntersectRects(const RECT& a, const RECT& b) {
    RECT result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
    return RectIsEmpty(result) ? RECT{} : result;
}

RECT UnionRects(const RECT& a, const RECT& b) {
    if (RectIsEmpty(a)) {
        return b;
    }
    if (RectIsEmpty(b)) {
        return a;
    }
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

RECT OffsetRectBy(const RECT& rect, int dx, int dy) {
    return RECT{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

}  // namespace platform
