// Keys and clicks that the X server gives other programs, for the low-level hooks of this one
// (the tray's boss and capture keys work whatever window has the focus). A thread of its own, on
// a connection of its own, listens to the XInput 2 raw events of the root window; a key goes to
// the hooks when the X focus is outside the platform programs' windows, a button or wheel turn
// when the pointer is. Input for this process's windows comes through GTK, and the other
// platform programs relay their windows' input over the link themselves (their X windows carry
// _PLATFORM_WINDOW), so it is left alone here and the hooks see it once. The other programs'
// input cannot be held back: X gives it to them whatever a hook answers. The pointer moving over
// other programs is reported as WM_MOUSEMOVE at its new place, once for the moves that arrive
// together.
#pragma once

#include <bitset>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/windows/WindowStructs.h"

typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

namespace platform {

class XEventThread;

class RawInputSource {
public:
    // Null when the display cannot be opened or has no XInput 2.
    static std::unique_ptr<RawInputSource> Start(const char* displayName);
    ~RawInputSource();
    RawInputSource(const RawInputSource&) = delete;
    RawInputSource& operator=(const RawInputSource&) = delete;

    // The X windows of this process's top-level windows, whose input comes through GTK (known
    // here without asking the server).
    void SetOwnWindows(std::vector<unsigned long> windows);

private:
    RawInputSource() = default;
    void Handle(XEvent& event);
    void HandleKey(unsigned keycode, bool down);
    void HandleButton(unsigned button, bool down);
    void HandleMotion();
    // Whether the X window is one of the platform programs' (this process's among them).
    bool IsPlatformWindow(unsigned long window);
    bool PlatformWindowUnderPointer(int* x, int* y);
    bool PlatformWindowHasFocus();

    std::unique_ptr<XEventThread> events_;
    // The thread's connection.
    Display* display_ = nullptr;
    int extension_ = 0;
    unsigned long platform_property_ = 0;
    // Only the thread touches these: the keys down now, by X keycode; whether the pointer moved
    // in the events read so far; where the last reported move went.
    std::bitset<256> keys_down_;
    bool moved_ = false;
    POINT last_motion_{-1, -1};

    std::mutex mutex_;
    std::vector<unsigned long> own_;
};

}  // namespace platform
