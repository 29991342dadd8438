// RegisterHotKey on the desktop: each hot key is a passive grab of its key on the root window
// (with and without Caps Lock and Num Lock, which a person does not think of as part of the
// combination), so the X server gives the key to this process whichever window has the focus,
// and no other program sees it. A grab another client holds already makes the registration fail.
// A connection of its own, with a thread that turns the grabbed presses into WM_HOTKEY. The X
// server ends the grabs with the connection, so they end with the process at the latest.
#pragma once

#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "platform/windows/WindowPlatform.h"

typedef union _XEvent XEvent;

namespace platform {

class XEventThread;

class XHotKeys final : public DesktopHotKeys {
public:
    // Null when the display cannot be opened.
    static std::unique_ptr<XHotKeys> Start(const char* displayName);
    ~XHotKeys() override;
    XHotKeys(const XHotKeys&) = delete;
    XHotKeys& operator=(const XHotKeys&) = delete;

    bool Grab(UINT modifiers, UINT virtualKey) override;
    void Release(UINT modifiers, UINT virtualKey) override;
    // Gives every grab back, as the display stops.
    void ReleaseAll();

private:
    struct Grabbed {
        UINT modifiers = 0;
        UINT virtualKey = 0;
        unsigned keycode = 0;
    };

    XHotKeys() = default;
    void Handle(const XEvent& event);
    void PostPressed();
    // Grabs (or ungrabs) the key in every lock state; false when any grab failed.
    bool GrabLocked(unsigned keycode, unsigned mask, bool grab);

    std::unique_ptr<XEventThread> events_;
    // Guarded by the connection's lock.
    std::vector<Grabbed> grabbed_;
    // Only the thread touches these: the grabbed keys down now, by keycode, and the presses
    // (with whether each repeats) not yet posted.
    std::set<unsigned> down_;
    std::vector<std::pair<Grabbed, bool>> pressed_;
};

}  // namespace platform
