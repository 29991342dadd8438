#include "platform/display/XHotKeys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>

#include "platform/display/KeyStroke.h"
#include "platform/display/XErrors.h"
#include "platform/display/XEventThread.h"
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
    std::unique_ptr<XEventThread> events = XEventThread::Open(displayName);
    if (!events) {
        return nullptr;
    }
    // A held key repeats as presses alone, so a repeat is told from a new press.
    XkbSetDetectableAutoRepeat(events->display(), True, nullptr);
    std::unique_ptr<XHotKeys> hotKeys(new XHotKeys);
    hotKeys->events_ = std::move(events);
    hotKeys->events_->Start([self = hotKeys.get()](XEvent& event) { self->Handle(event); },
                            [self = hotKeys.get()] { self->PostPressed(); });
    return hotKeys;
}

// The thread stops (in events_) before the lists it uses go.
XHotKeys::~XHotKeys() = default;

bool XHotKeys::GrabLocked(unsigned keycode, unsigned mask, bool grab) {
    Display* display = events_->display();
    const Window root = DefaultRootWindow(display);
    TakeXError(display);
    for (unsigned locks : kLockStates) {
        if (grab) {
            XGrabKey(display, static_cast<int>(keycode), mask | locks, root, False, GrabModeAsync,
                     GrabModeAsync);
        } else {
            XUngrabKey(display, static_cast<int>(keycode), mask | locks, root);
        }
    }
    XSync(display, False);
    return TakeXError(display) == 0;
}

bool XHotKeys::Grab(UINT modifiers, UINT virtualKey) {
    const std::optional<unsigned> keycode =
        KeyStroke::KeycodeFor(static_cast<BYTE>(virtualKey), 0, false);
    if (!keycode) {
        return false;
    }
    std::lock_guard lock(events_->mutex());
    if (!GrabLocked(*keycode, MaskOf(modifiers), true)) {
        // Another client holds one of the lock states: none of ours stays.
        GrabLocked(*keycode, MaskOf(modifiers), false);
        return false;
    }
    grabbed_.push_back(Grabbed{modifiers, virtualKey, *keycode});
    return true;
}

void XHotKeys::Release(UINT modifiers, UINT virtualKey) {
    std::lock_guard lock(events_->mutex());
    auto found = std::find_if(grabbed_.begin(), grabbed_.end(), [&](const Grabbed& grabbed) {
        return grabbed.modifiers == modifiers && grabbed.virtualKey == virtualKey;
    });
    if (found != grabbed_.end()) {
        GrabLocked(found->keycode, MaskOf(modifiers), false);
        grabbed_.erase(found);
    }
}

void XHotKeys::ReleaseAll() {
    std::lock_guard lock(events_->mutex());
    for (const Grabbed& grabbed : grabbed_) {
        GrabLocked(grabbed.keycode, MaskOf(grabbed.modifiers), false);
    }
    grabbed_.clear();
}

void XHotKeys::Handle(const XEvent& event) {
    if (event.type != KeyPress && event.type != KeyRelease) {
        return;
    }
    const unsigned keycode = event.xkey.keycode;
    if (event.type == KeyRelease) {
        down_.erase(keycode);
        return;
    }
    const UINT modifiers = ModifiersOf(event.xkey.state);
    auto found = std::find_if(grabbed_.begin(), grabbed_.end(), [&](const Grabbed& grabbed) {
        return grabbed.keycode == keycode && grabbed.modifiers == modifiers;
    });
    if (found != grabbed_.end()) {
        pressed_.emplace_back(*found, !down_.insert(keycode).second);
    }
}

// Posted without the connection's lock: a program thread may be registering a key meanwhile.
void XHotKeys::PostPressed() {
    for (const auto& [grabbed, repeated] : pressed_) {
        PressHotKey(grabbed.modifiers, grabbed.virtualKey, repeated);
    }
    pressed_.clear();
}

}  // namespace platform
