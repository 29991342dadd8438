// The classic look of the scroll bar's pieces, shared by the bars in window frames and the scroll
// bar control, and by the drop-down button of the combo box.
#pragma once

#include "platform/drawing/Gdi.h"

namespace platform {

enum class ArrowDirection { Up, Down, Left, Right };

// A button face with a raised two-line edge: light and highlight on the top and left, dark shadow
// and shadow on the bottom and right.
void DrawRaisedButton(HDC dc, const RECT& rect);
// A raised button holding a small solid triangle, grey when disabled.
void DrawArrowButton(HDC dc, const RECT& rect, ArrowDirection direction, bool enabled);
// The track: a checker of the highlight and scroll bar colours.
void DrawScrollTrack(HDC dc, const RECT& rect);

}  // namespace platform
