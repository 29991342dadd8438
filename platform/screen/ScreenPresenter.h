// The one seam between the screen and a display. Headless, no presenter is set and the screen's
// surface is all there is. A presenter shows the top-level windows elsewhere (on a desktop) and
// learns from the screen what changed; it feeds input back through the window manager's input
// functions (InjectMouse, InjectKey, InjectCharacter), as tests do.
#pragma once

#include <vector>

#include "platform/drawing/Surface.h"
#include "platform/windows/WindowApi.h"

namespace platform {

class ScreenPresenter {
public:
    virtual ~ScreenPresenter() = default;

    // A top-level window was created, destroyed, retitled, shown, hidden, moved, raised,
    // activated, minimised or restored; the desktop window: the screen size changed. Called on
    // the thread that made the change, without the window manager's lock.
    virtual void WindowChanged(HWND hwnd) = 0;
    // The pixels of `screen` inside `rect` (screen coordinates, within the surface) were drawn.
    // Called on the drawing thread as its DC is released or a frame is drawn, so `screen` may be
    // read for the duration of the call.
    virtual void ScreenDamaged(const Surface& screen, const RECT& rect) = 0;
    // The pixels of `screen` inside `drawn` were drawn through a screen DC (GetDC(nullptr),
    // CreateDCA("DISPLAY")): they show on the whole desktop, over other programs' windows too,
    // as they would on a desktop the program drew on directly. Called as ScreenDamaged is.
    virtual void ScreenDrawn(const Surface& screen, const std::vector<RECT>& drawn) = 0;
};

}  // namespace platform
