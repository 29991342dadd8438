#include "platform/display/XHotKeys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>

#include "platform/display/KeyStroke.h"
#include "platform/display/XErrors.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

constexpr unsigned kLockStates[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

unsigned MaskOf(UINT modifiers) {
    return ((modifiers & MOD_ALT) ? Mod1Mask : 0) | ((modifiers & MOD_CONTROL) ? ControlMask : 0) |
           ((modifiers & MOD_SHIFT) ? ShiftMask : 0) | ((modifiers & MOD_WIN) ? Mod4Mask : 0);
}

UINT ModifiersOf(unsigned mask) {
    return ((mask & Mod1Mask) ? MOD_ALT : 0) | ((mask & ControlMask) ? MOD_CONTROL : 0) |
           ((mask & ShiftMask) ? MOD_SHIFT : 0) | ((mask & Mod4Mask) ? MOD_WIN : 0);
}

}  // namespace

std::unique_ptr<XHotKeys> XHotKeys::Start(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr) {
        return nullptr;
    }
    std::unique_ptr<XHotKeys> hotKeys(new XHotKeys);
    hotKeys->display_ = display;
    if (pipe(hotKeys->wake_) != 0) {
        return nullptr;
    }
    // A held key repeats as presses alone, so a repeat is told from a new press.
    XkbSetDetectableAutoRepeat(display, True, nullptr);
    IgnoreXErrorsOn(display);
    hotKeys->thread_ = std::thread([self = hotKeys.get()] { self->Run(); });
    return hotKeys;
}

XHotKeys::~XHotKeys() {
    if (thread_.joinable()) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t written = write(wake_[1], &stop, 1);
        thread_.join();
    }
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
    for (int end : wake_) {
        if (end >= 0) {
            close(end);
        }
    }
}

bool XHotKeys::GrabLocked(unsigned keycode, unsigned mask, bool grab) {
    const Window root = DefaultRootWindow(display_);
    TakeXError(display_);
    for (unsigned locks : kLockStates) {
        if (grab) {
            XGrabKey(display_, static_cast<int>(keycode), mask | locks, root, False, GrabModeAsync,
                     GrabModeAsync);
        } else {
            XUngrabKey(display_, static_cast<int>(keycode), mask | locks, root);
        }
    }
    XSync(display_, False);
    return TakeXError(display_) == 0;
}

bool XHotKeys::Grab(UINT modifiers, UINT virtualKey) {
    const std::optional<unsigned> keycode =
        KeyStroke::KeycodeFor(static_cast<BYTE>(virtualKey), 0, false);
    if (!keycode) {
        return false;
    }
    std::lock_guard lock(mutex_);
    if (!GrabLocked(*keycode, MaskOf(modifiers), true)) {
        // Another client holds one of the lock states: none of ours stays.
        GrabLocked(*keycode, MaskOf(modifiers), false);
        return false;
    }
    grabbed_.push_back(Grabbed{modifiers, virtualKey, *keycode});
    return true;
}

void XHotKeys::Release(UINT modifiers, UINT virtualKey) {
    std::lock_guard lock(mutex_);
    auto found = std::find_if(grabbed_.begin(), grabbed_.end(), [&](const Grabbed& grabbed) {
        return grabbed.modifiers == modifiers && grabbed.virtualKey == virtualKey;
    });
    if (found != grabbed_.end()) {
        GrabLocked(found->keycode, MaskOf(modifiers), false);
        grabbed_.erase(found);
    }
}

void XHotKeys::ReleaseAll() {
    std::lock_guard lock(mutex_);
    for (const Grabbed& grabbed : grabbed_) {
        GrabLocked(grabbed.keycode, MaskOf(grabbed.modifiers), false);
    }
    grabbed_.clear();
}

void XHotKeys::Run() {
    for (;;) {
        std::vector<std::pair<Grabbed, bool>> pressed;
        {
            std::lock_guard lock(mutex_);
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type != KeyPress && event.type != KeyRelease) {
                    continue;
                }
                const unsigned keycode = event.xkey.keycode;
                if (event.type == KeyRelease) {
                    down_.erase(keycode);
                    continue;
                }
                const UINT modifiers = ModifiersOf(event.xkey.state);
                auto found = std::find_if(grabbed_.begin(), grabbed_.end(), [&](const Grabbed& g) {
                    return g.keycode == keycode && g.modifiers == modifiers;
                });
                if (found != grabbed_.end()) {
                    pressed.emplace_back(*found, !down_.insert(keycode).second);
                }
            }
        }
        // Posted without the lock: a program thread may be registering a key meanwhile.
        for (const auto& [grabbed, repeated] : pressed) {
            PressHotKey(grabbed.modifiers, grabbed.virtualKey, repeated);
        }
        pollfd waits[2] = {{ConnectionNumber(display_), POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (poll(waits, 2, -1) < 0 || (waits[1].revents & POLLIN) != 0) {
            return;
        }
    }
}

}  // namespace platform
