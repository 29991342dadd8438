// Reads the desktop's pixels from the X server for the screen DC, so that a capture shows what a
// person sees, other programs' windows included. A connection of its own, used under a lock by
// whichever thread captures. The pixels are those the X server holds; the display lets the
// presenter apply this process's pending window changes first (GtkPresenter::Settle), so a window
// just hidden or closed is not in them, while drawing the presenter has not yet painted may be
// missing.
#pragma once

#include <memory>
#include <mutex>

#include "platform/drawing/Surface.h"
#include "platform/windows/WindowStructs.h"

typedef struct _XDisplay Display;

namespace platform {

class XScreenReader {
public:
    // Null when the display cannot be opened.
    static std::unique_ptr<XScreenReader> Open(const char* displayName);
    ~XScreenReader();
    XScreenReader(const XScreenReader&) = delete;
    XScreenReader& operator=(const XScreenReader&) = delete;

    // The root window's pixels of `area` into `into` (the size of `area`); the part of `area` off
    // the screen is left alone. False when the server gives no picture.
    bool Read(const RECT& area, Surface& into);

private:
    explicit XScreenReader(Display* display) : display_(display) {}

    std::mutex mutex_;
    Display* display_;
};

}  // namespace platform
