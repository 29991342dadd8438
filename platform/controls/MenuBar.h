// The menu bar of a top-level window (SetMenu): one row of items drawn under the caption by the
// screen's frame drawing, opened by a click, by Alt or F10 and by Alt with a mnemonic through the
// default window procedure's SC_MOUSEMENU and SC_KEYMENU.
#pragma once

#include "platform/controls/Menu.h"

// Redraws the bar after its items changed.
BOOL DrawMenuBar(HWND hWnd);

namespace platform {

// The bar in the window's own coordinates (its top-left corner is 0, 0); empty without a bar.
RECT MenuBarRect(HWND frame);
// Paints the bar into a DC whose origin is the window's top-left corner.
void PaintMenuBar(HDC windowDC, HWND frame);
// Where the bar's items are on the screen now, published for GetMenuItemRect.
void PublishMenuBarRects(HWND frame);
// What SC_MOUSEMENU and SC_KEYMENU do.
void TrackMenuBar(HWND hwnd, WPARAM command, LPARAM lParam);

}  // namespace platform
