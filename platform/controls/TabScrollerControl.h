// The two arrow buttons that a row of tabs too long for its control shows at its right end. As the
// system's up-down control does, a click reports the new position to the tab control with
// WM_HSCROLL (SB_THUMBPOSITION, the position in the high word).
#pragma once

#include "platform/windows/WindowStructs.h"

namespace platform {

inline constexpr char kTabScrollerClass[] = "TabScrollArrows";

class TabScrollerControl {
public:
    explicit TabScrollerControl(HWND hwnd) : hwnd_(hwnd) {}
    TabScrollerControl(const TabScrollerControl&) = delete;
    TabScrollerControl& operator=(const TabScrollerControl&) = delete;

    // The first tab in sight and the furthest the row can scroll.
    void SetRange(int position, int maximum);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Click(int x);
    void Paint();

    HWND hwnd_;
    int position_ = 0;
    int maximum_ = 0;
};

}  // namespace platform
