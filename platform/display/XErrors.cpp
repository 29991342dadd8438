#include "platform/display/XErrors.h"

#include <X11/Xlib.h>

#include <array>
#include <atomic>

namespace platform {

namespace {

std::array<std::atomic<Display*>, 8> quiet_displays{};
std::atomic<XErrorHandler> previous_handler = nullptr;

int HandleError(Display* display, XErrorEvent* error) {
    for (const std::atomic<Display*>& quiet : quiet_displays) {
        if (quiet == display) {
            return 0;
        }
    }
    const XErrorHandler previous = previous_handler;
    return previous != nullptr ? previous(display, error) : 0;
}

}  // namespace

void IgnoreXErrorsOn(Display* display) {
    for (std::atomic<Display*>& quiet : quiet_displays) {
        Display* empty = nullptr;
        if (quiet.compare_exchange_strong(empty, display)) {
            break;
        }
    }
    const XErrorHandler before = XSetErrorHandler(HandleError);
    if (before != HandleError) {
        previous_handler = before;
    }
}

}  // namespace platform
