// Shows a control's own scroll positions on its window's bars (WS_HSCROLL, WS_VSCROLL), so that
// the bars are drawn where the contents overflow and GetScrollPos answers what the control shows.
//
// Showing or hiding a bar changes the client size, so the control lays out again (WM_SIZE) and
// its values change with it: the update asks the control again until the bars stay as they are.
// An update asked for while one runs, from that WM_SIZE, is left to the running one.
#pragma once

#include <functional>
#include <optional>

#include "platform/windows/WindowStructs.h"

namespace platform {

// What one bar shows: the range 0..max, the page and the position.
struct ScrollBarValues {
    int max = 0;
    int page = 0;
    int pos = 0;
};

class ScrollBarSync {
public:
    // SB_HORZ or SB_VERT; nothing leaves that bar as it is.
    using Values = std::function<std::optional<ScrollBarValues>(int bar)>;

    // `flags` SIF_DISABLENOSCROLL keeps a bar, greyed, when everything fits; without it the bar
    // goes away.
    void Update(HWND hwnd, const Values& values, UINT flags = 0);

private:
    bool running_ = false;
};

}  // namespace platform
