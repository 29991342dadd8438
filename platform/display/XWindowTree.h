// Questions about a window's place in the X window tree.
#pragma once

#include <X11/Xlib.h>

#include <functional>

namespace platform {

// True when `window` or one of its ancestors below the root answers `matches`: toolkits give the
// focus to a child of their top-level window. False when the window is gone.
bool WindowOrAncestorMatches(Display* display, Window window,
                             const std::function<bool(Window)>& matches);

}  // namespace platform
