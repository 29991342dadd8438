// RegisterHotKey on the desktop: each hot key is a passive grab of its key on the root window
// (with and without Caps Lock and Num Lock, which a person does not think of as part of the
// combination), so the X server gives the key to this process whichever window has the focus,
// and no other program sees it. A grab another client holds already makes the registration fail.
// A connection of its own, with a thread that turns the grabbed presses into WM_HOTKEY. The X
// server ends the grabs with the connection, so they end with the process at the latest.
#pragma once

#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/windows/WindowPlatform.h"

typedef struct _XDisplay Display;

namespace platform {

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
    void Run();
    // Grabs (or ungrabs) the key in every lock state; false when any grab failed.
    bool GrabLocked(unsigned keycode, unsigned mask, bool grab);

    Display* display_ = nullptr;
    int wake_[2] = {-1, -1};
    std::thread thread_;
    // Guards the connection and the list.
    std::mutex mutex_;
    std::vector<Grabbed> grabbed_;
    // Only the thread touches this: the grabbed keys down now, by keycode.
    std::set<unsigned> down_;
};

}  // namespace platform
