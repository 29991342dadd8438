// The plain non-client frame the screen draws for windows with a border or a caption: a 3-D
// frame in the button face colours (a black line for a thin border), and a caption bar shading
// from the caption colour to its gradient colour with the window text in the caption font.
#pragma once

#include <functional>

#include "platform/drawing/Region.h"
#include "platform/drawing/Surface.h"
#include "platform/windows/WindowApi.h"

namespace platform {

// Draws the frame of `hwnd` on `screen`, limited to `clip` (screen coordinates); the client
// area is never touched. Windows without a border, caption, client edge or scroll bars draw
// nothing.
void DrawWindowFrame(Surface& screen, HWND hwnd, const Region& clip, bool active);

// Draws a window's own scroll bars on a DC of the whole window, after the frame; the controls
// install it.
void SetScrollBarPainter(std::function<void(HWND, HDC)> painter);

// Draws a window's menu bar into the frame's DC (origin at the window's top-left corner); the
// menus install it. Windows with a menu get it called after their frame is drawn.
void SetMenuBarPainter(std::function<void(HDC, HWND)> painter);

// The caption bar in screen coordinates; empty when the window has none.
RECT CaptionRectOnScreen(HWND hwnd);

}  // namespace platform
