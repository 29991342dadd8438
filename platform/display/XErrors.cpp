#include "platform/display/XErrors.h"

#include <X11/Xlib.h>

#include <array>
#include <atomic>

namespace platform {

namespace {

std::array<std::atomic<Display*>, 8> quiet_displays{};
std::array<std::atomic<int>, 8> last_errors{};
std::atomic<XErrorHandler> previous_handler = nullptr;

int HandleError(Display* display, XErrorEvent* error) {
    for (size_t i = 0; i < quiet_displays.size(); ++i) {
        if (quiet_displays[i] == display) {
            last_errors[i] = error->error_code;
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

int TakeXError(Display* display) {
    for (size_t i = 0; i < quiet_displays.size(); ++i) {
        if (quiet_displays[i] == display) {
            return last_errors[i].exchange(0);
        }
    }
    return 0;
}

}  // namespace platform
