#include "platform/display/XWindowTree.h"

namespace platform {

bool WindowOrAncestorMatches(Display* display, Window window,
                             const std::function<bool(Window)>& matches) {
    const Window root = DefaultRootWindow(display);
    while (window != None && window != root) {
        if (matches(window)) {
            return true;
        }
        Window rootReturn = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &rootReturn, &parent, &children, &count)) {
            return false;
        }
        if (children != nullptr) {
            XFree(children);
        }
        window = parent;
    }
    return false;
}

}  // namespace platform
