// What of a window the screen shows, in screen coordinates, through the window manager's public
// queries: the area clipped by every ancestor's client area and by the siblings above it and
// above each ancestor in the Z order, where that window clips its siblings (every top-level
// window; a child with WS_CLIPSIBLINGS).
#pragma once

#include <vector>

#include "platform/drawing/Region.h"
#include "platform/windows/WindowApi.h"

namespace platform {

// Layered windows are composed over the screen by someone else (the desktop shows other
// programs' windows that way): they cover no part of the windows below them here.
bool ComposedElsewhere(HWND hwnd);
RECT ScreenBounds();
RECT WindowRectOnScreen(HWND hwnd);
RECT ClientRectOnScreen(HWND hwnd);
// `area` (screen coordinates) less everything that covers the window; empty for a hidden window.
Region VisibleArea(HWND hwnd, const RECT& area);
// The visible client area, less the children when the window has WS_CLIPCHILDREN.
Region VisibleClientArea(HWND hwnd);
// The visible window rectangle, frame included, less the children's when it clips them.
Region VisibleWindowArea(HWND hwnd);
// The visible top-level windows the screen composes, top of the Z order first.
std::vector<HWND> VisibleTopLevelWindows();

}  // namespace platform
