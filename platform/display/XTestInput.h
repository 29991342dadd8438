// mouse_event, keybd_event and SetCursorPos on the desktop: the XTest extension presses keys and
// buttons and moves the pointer as a person would, so the input reaches whichever program's
// window the X server gives it to (this process's own windows through the presenter). A
// connection of its own, used under a lock by whichever thread calls.
#pragma once

#include <memory>
#include <mutex>

#include "platform/windows/WindowPlatform.h"

typedef struct _XDisplay Display;

namespace platform {

class XTestInput final : public DesktopInput {
public:
    // Null when the display cannot be opened or has no XTest.
    static std::unique_ptr<XTestInput> Open(const char* displayName);
    ~XTestInput() override;

    void Mouse(DWORD flags, LONG dx, LONG dy, DWORD data) override;
    // A key the keyboard has no place for is not pressed.
    void Key(BYTE virtualKey, BYTE scanCode, DWORD flags) override;
    void MoveCursor(POINT to) override;

private:
    explicit XTestInput(Display* display) : display_(display) {}

    std::mutex mutex_;
    Display* display_;
};

}  // namespace platform
