#include "platform/display/XTestInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdint>
#include <cstdlib>

#include "platform/display/KeyStroke.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

constexpr int kWheelStep = 120;

}  // namespace

std::unique_ptr<XTestInput> XTestInput::Open(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr) {
        return nullptr;
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::unique_ptr<XTestInput>(new XTestInput(display));
}

XTestInput::~XTestInput() {
    XCloseDisplay(display_);
}

void XTestInput::Mouse(DWORD flags, LONG dx, LONG dy, DWORD data) {
    std::lock_guard lock(mutex_);
    if (flags & MOUSEEVENTF_MOVE) {
        if (flags & MOUSEEVENTF_ABSOLUTE) {
            // Absolute positions are normalised to 0..65535 across the screen.
            const int screen = DefaultScreen(display_);
            const auto x = static_cast<int>(
                (std::int64_t{dx & 0xFFFF} * DisplayWidth(display_, screen)) >> 16);
            const auto y = static_cast<int>(
                (std::int64_t{dy & 0xFFFF} * DisplayHeight(display_, screen)) >> 16);
            XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
        } else {
            XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime);
        }
    }
    struct Button {
        DWORD flag;
        unsigned button;
        bool down;
    };
    static constexpr Button kButtons[] = {
        {MOUSEEVENTF_LEFTDOWN, 1, true},   {MOUSEEVENTF_LEFTUP, 1, false},
        {MOUSEEVENTF_RIGHTDOWN, 3, true},  {MOUSEEVENTF_RIGHTUP, 3, false},
        {MOUSEEVENTF_MIDDLEDOWN, 2, true}, {MOUSEEVENTF_MIDDLEUP, 2, false},
    };
    for (const Button& button : kButtons) {
        if (flags & button.flag) {
            XTestFakeButtonEvent(display_, button.button, button.down ? True : False, CurrentTime);
        }
    }
    if (flags & MOUSEEVENTF_WHEEL) {
        // X turns the wheel in whole notches: buttons 4 (away from the user) and 5.
        const int delta = static_cast<int>(static_cast<LONG>(data));
        const unsigned button = delta > 0 ? 4 : 5;
        const int notches = std::max(1, std::abs(delta) / kWheelStep);
        for (int i = 0; delta != 0 && i < notches; ++i) {
            XTestFakeButtonEvent(display_, button, True, CurrentTime);
            XTestFakeButtonEvent(display_, button, False, CurrentTime);
        }
    }
    XFlush(display_);
}

void XTestInput::Key(BYTE virtualKey, BYTE scanCode, DWORD flags) {
    const std::optional<unsigned> keycode =
        KeyStroke::KeycodeFor(virtualKey, scanCode, (flags & KEYEVENTF_EXTENDEDKEY) != 0);
    if (!keycode) {
        return;
    }
    std::lock_guard lock(mutex_);
    XTestFakeKeyEvent(display_, *keycode, (flags & KEYEVENTF_KEYUP) ? False : True, CurrentTime);
    XFlush(display_);
}

void XTestInput::MoveCursor(POINT to) {
    std::lock_guard lock(mutex_);
    XTestFakeMotionEvent(display_, -1, to.x, to.y, CurrentTime);
    XFlush(display_);
}

}  // namespace platform
