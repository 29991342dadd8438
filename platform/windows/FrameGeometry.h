// The geometry the window manager derives every window's rectangles from: the frame metrics, the
// insets a style's frame takes from the window, and rectangle arithmetic.
#pragma once

#include "platform/windows/WindowStructs.h"

namespace platform {

// The frame metrics every rectangle is derived from.
inline constexpr int kCaptionHeight = 19;
inline constexpr int kSmallCaptionHeight = 15;
inline constexpr int kBorderWidth = 1;
inline constexpr int kDialogFrameWidth = 3;
inline constexpr int kSizingFrameWidth = 4;
inline constexpr int kEdgeWidth = 2;
inline constexpr int kMenuBarHeight = 20;
inline constexpr int kScrollBarWidth = 16;

// Insets of the frame for a style, shared by windows and AdjustWindowRectEx.
RECT FrameInsets(DWORD style, DWORD exStyle, bool menuBar);
// The close box of a caption bar (windows with WS_SYSMENU): at the bar's right end, 2 pixels in
// from its top and right edges and 2 pixels wider than tall; in the coordinates of `captionBar`.
RECT CloseBoxRect(const RECT& captionBar);
// Whether a caption shows the minimise and maximise boxes: windows with WS_SYSMENU and either
// box style, tool windows never. Both show when either style is set; the other is disabled.
bool HasSizeBoxes(DWORD style, DWORD exStyle);
// The maximise box lies 2 pixels left of the close box, the minimise box right beside it; both
// are as large as the close box.
RECT MaximizeBoxRect(const RECT& captionBar);
RECT MinimizeBoxRect(const RECT& captionBar);

// Rectangles hold their left and top edges, not their right and bottom ones; an empty one has no
// area, and intersecting or joining treats it as nothing.
bool RectIsEmpty(const RECT& rect);
bool RectContains(const RECT& rect, POINT point);
RECT IntersectRects(const RECT& a, const RECT& b);
RECT UnionRects(const RECT& a, const RECT& b);
RECT OffsetRectBy(const RECT& rect, int dx, int dy);

}  // namespace platform
