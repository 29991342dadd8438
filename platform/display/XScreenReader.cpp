#include "platform/display/XScreenReader.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>

namespace platform {

std::unique_ptr<XScreenReader> XScreenReader::Open(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<XScreenReader>(new XScreenReader(display));
}

XScreenReader::~XScreenReader() {
    XCloseDisplay(display_);
}

bool XScreenReader::Read(const RECT& area, Surface& into) {
    if (into.width() != area.right - area.left || into.height() != area.bottom - area.top) {
        return false;
    }
    std::lock_guard lock(mutex_);
    const int screen = DefaultScreen(display_);
    const RECT part{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0),
                    std::min<LONG>(area.right, DisplayWidth(display_, screen)),
                    std::min<LONG>(area.bottom, DisplayHeight(display_, screen))};
    if (part.right <= part.left || part.bottom <= part.top) {
        return true;
    }
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    XImage* image =
        XGetImage(display_, RootWindow(display_, screen), part.left, part.top,
                  static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    const int intoX = part.left - area.left;
    const int intoY = part.top - area.top;
    // The usual 24-bit visual stores its pixels as the screen surface does; others go through
    // the masks one pixel at a time.
    const bool sameLayout = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                            image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
                            image->blue_mask == 0xFF;
    for (int y = 0; y < height; ++y) {
        Pixel* row = into.Row(intoY + y) + intoX;
        if (sameLayout) {
            const auto* source = reinterpret_cast<const Pixel*>(
                image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line);
            for (int x = 0; x < width; ++x) {
                row[x] = source[x] & 0x00FFFFFFu;
            }
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            auto channel = [pixel](unsigned long mask) -> Pixel {
                if (mask == 0) {
                    return 0;
                }
                const int shift = __builtin_ctzl(mask);
                const unsigned long maximum = mask >> shift;
                return static_cast<Pixel>(((pixel & mask) >> shift) * 255 / maximum);
            };
            row[x] = (channel(image->red_mask) << 16) | (channel(image->green_mask) << 8) |
                     channel(image->blue_mask);
        }
    }
    XDestroyImage(image);
    return true;
}

}  // namespace platform
