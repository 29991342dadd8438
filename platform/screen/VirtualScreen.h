// The screen's picture and what it remembers between changes: which part of the screen each
// top-level window showed and which part the desktop showed, and which frame was drawn active.
// Comparing that with the window manager's present state tells what a change uncovered.
#pragma once

#include <atomic>
#include <mutex>
#include <vector>

#include "platform/drawing/Region.h"
#include "platform/drawing/Surface.h"
#include "platform/screen/ScreenPresenter.h"
#include "platform/windows/WindowApi.h"

namespace platform {

class VirtualScreen {
public:
    static VirtualScreen& Get();

    // Connects the seams of both layers and brings the picture up to date with every window.
    void Install();
    Surface& surface() { return surface_; }
    // The display that shows the screen (null: headless). It must outlive every later call.
    void SetPresenter(ScreenPresenter* presenter) { presenter_ = presenter; }

    // A top-level window changed (the desktop: the screen size changed).
    void WindowChanged(HWND hwnd);
    // Redraws the frames whose active state changed since they were drawn.
    void RefreshActiveFrames();

    // The device contexts of BeginPaint, GetDC and GetWindowDC.
    HDC PaintDC(HWND hwnd, const RECT& update);
    HDC ClientDC(HWND hwnd);
    HDC WindowDC(HWND hwnd);
    HDC ScreenDC();
    // Frees a DC made by one of the above, telling the presenter what it may have drawn.
    bool ReleaseDC(HDC dc);

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
    void Damaged(const Region& area);
    // A screen DC drew on the surface, which held `before` when the DC was made.
    void ScreenDrawn(const Surface& before);

    std::mutex mutex_;
    Surface surface_;
    Layout layout_;
    HWND activeFrame_ = nullptr;
    std::atomic<ScreenPresenter*> presenter_ = nullptr;
};

}  // namespace platform
