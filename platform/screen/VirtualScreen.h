// The screen's picture and what it remembers between changes: which part of the screen each
// top-level window showed and which part the desktop showed, and which frame was drawn active.
// Comparing that with the window manager's present state tells what a change uncovered.
#pragma once

#include <mutex>
#include <vector>

#include "platform/drawing/Region.h"
#include "platform/drawing/Surface.h"
#include "platform/windows/WindowApi.h"

namespace platform {

class VirtualScreen {
public:
    static VirtualScreen& Get();

    // Connects the seams of both layers and brings the picture up to date with every window.
    void Install();
    Surface& surface() { return surface_; }

    // A top-level window changed (the desktop: the screen size changed).
    void WindowChanged(HWND hwnd);
    // Redraws the frames whose active state changed since they were drawn.
    void RefreshActiveFrames();

    // The device contexts of BeginPaint, GetDC and GetWindowDC.
    HDC PaintDC(HWND hwnd, const RECT& update);
    HDC ClientDC(HWND hwnd);
    HDC WindowDC(HWND hwnd);
    HDC ScreenDC();

private:
    struct Shown {
        HWND hwnd = nullptr;
        Region area;
    };
    // What each visible top-level window shows now, and the desktop's share.
    struct Layout {
        std::vector<Shown> windows;
        Region desktop;
    };

    VirtualScreen() = default;
    Layout MeasureLayout() const;
    void Recompose(HWND changed, bool everything);
    void FillDesktop(const Region& area);
    static HWND ActiveTopLevel();

    std::mutex mutex_;
    Surface surface_;
    Layout layout_;
    HWND activeFrame_ = nullptr;
};

}  // namespace platform
