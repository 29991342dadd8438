#include "platform/display/RawInputSource.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>

#include "platform/display/KeyStroke.h"
#include "platform/display/XDesktopWindows.h"
#include "platform/display/XEventThread.h"
#include "platform/display/XWindowTree.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

constexpr int kWheelStep = 120;

}  // namespace

std::unique_ptr<RawInputSource> RawInputSource::Start(const char* displayName) {
    std::unique_ptr<XEventThread> events = XEventThread::Open(displayName);
    if (!events) {
        return nullptr;
    }
    Display* display = events->display();
    int event = 0;
    int error = 0;
    int extension = 0;
    int major = 2;
    int minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &extension, &event, &error) ||
        XIQueryVersion(display, &major, &minor) != Success) {
        return nullptr;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XISetMask(bits, XI_RawMotion);
    XIEventMask mask{XIAllMasterDevices, sizeof(bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XSync(display, False);

    std::unique_ptr<RawInputSource> source(new RawInputSource);
    source->display_ = display;
    source->extension_ = extension;
    source->platform_property_ =
        XInternAtom(display, XDesktopWindows::kPlatformWindowProperty, False);
    source->events_ = std::move(events);
    // The pointer's moves are reported once for all that came in together.
    source->events_->Start([raw = source.get()](XEvent& event) { raw->Handle(event); },
                           [raw = source.get()] {
                               if (raw->moved_) {
                                   raw->moved_ = false;
                                   raw->HandleMotion();
                               }
                           });
    return source;
}

// The thread stops (in events_) before the state it uses goes.
RawInputSource::~RawInputSource() = default;

void RawInputSource::SetOwnWindows(std::vector<unsigned long> windows) {
    std::lock_guard lock(mutex_);
    own_ = std::move(windows);
}

void RawInputSource::Handle(XEvent& event) {
    XGenericEventCookie* cookie = &event.xcookie;
    if (cookie->type != GenericEvent || cookie->extension != extension_ ||
        !XGetEventData(display_, cookie)) {
        return;
    }
    const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
    switch (cookie->evtype) {
        case XI_RawKeyPress:
        case XI_RawKeyRelease:
            HandleKey(static_cast<unsigned>(raw->detail), cookie->evtype == XI_RawKeyPress);
            break;
        case XI_RawButtonPress:
        case XI_RawButtonRelease:
            HandleButton(static_cast<unsigned>(raw->detail), cookie->evtype == XI_RawButtonPress);
            break;
        case XI_RawMotion:
            moved_ = true;
            break;
        default:
            break;
    }
    XFreeEventData(display_, cookie);
}

void RawInputSource::HandleKey(unsigned keycode, bool down) {
    // The server reports a release of a key that is up (as tools that type send them); no
    // program gets it.
    if (keycode >= keys_down_.size() || (!down && !keys_down_[keycode])) {
        return;
    }
    keys_down_[keycode] = down;
    if (PlatformWindowHasFocus()) {
        return;
    }
    const KeySym keysym = XkbKeycodeToKeysym(display_, static_cast<KeyCode>(keycode), 0, 0);
    const std::optional<KeyStroke> stroke =
        KeyStroke::FromX(static_cast<unsigned>(keysym), keycode);
    if (!stroke) {
        return;
    }
    const LPARAM bits = 1 | (static_cast<LPARAM>(stroke->scanCode) << 16) |
                        (stroke->extended ? LPARAM{1} << 24 : 0);
    ObserveOutsideInput(down ? WM_KEYDOWN : WM_KEYUP, stroke->virtualKey, bits);
}

void RawInputSource::HandleButton(unsigned button, bool down) {
    int x = 0;
    int y = 0;
    if (PlatformWindowUnderPointer(&x, &y)) {
        return;
    }
    UINT message = 0;
    WPARAM wParam = 0;
    switch (button) {
        case 1:
            message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            break;
        case 2:
            message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
            break;
        case 3:
            message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
            break;
        case 4:
        case 5:
            if (!down) {
                return;
            }
            message = WM_MOUSEWHEEL;
            wParam = static_cast<WPARAM>(static_cast<WORD>(button == 4 ? kWheelStep : -kWheelStep))
                     << 16;
            break;
        default:
            return;
    }
    ObserveOutsideInput(message, wParam, MAKELPARAM(x, y));
}

void RawInputSource::HandleMotion() {
    POINT at{};
    if (PlatformWindowUnderPointer(&at.x, &at.y) ||
        (at.x == last_motion_.x && at.y == last_motion_.y)) {
        return;
    }
    last_motion_ = at;
    ObserveOutsideInput(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
}

bool RawInputSource::IsPlatformWindow(unsigned long window) {
    {
        std::lock_guard lock(mutex_);
        if (std::find(own_.begin(), own_.end(), window) != own_.end()) {
            return true;
        }
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool marked =
        XGetWindowProperty(display_, window, platform_property_, 0, 1, False, AnyPropertyType,
                           &type, &format, &count, &after, &data) == Success &&
        type != None;
    if (data != nullptr) {
        XFree(data);
    }
    return marked;
}

bool RawInputSource::PlatformWindowUnderPointer(int* x, int* y) {
    Window root = DefaultRootWindow(display_);
    Window under = root;
    Window child = None;
    int windowX = 0;
    int windowY = 0;
    unsigned buttons = 0;
    // Down the tree from the root: a window manager's frame holds the program's window.
    for (bool first = true; under != None; first = false) {
        Window rootReturn = None;
        int rootX = 0;
        int rootY = 0;
        if (!XQueryPointer(display_, under, &rootReturn, &child, &rootX, &rootY, &windowX, &windowY,
                           &buttons)) {
            return false;
        }
        if (first) {
            *x = rootX;
            *y = rootY;
        }
        if (child != None && IsPlatformWindow(child)) {
            return true;
        }
        under = child;
    }
    return false;
}

bool RawInputSource::PlatformWindowHasFocus() {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    if (focus == PointerRoot) {
        int x = 0;
        int y = 0;
        return PlatformWindowUnderPointer(&x, &y);
    }
    return WindowOrAncestorMatches(display_, focus,
                                   [this](Window window) { return IsPlatformWindow(window); });
}

}  // namespace platform
