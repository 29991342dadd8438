// What the display uses to keep this process's windows in step with the desktop: work handed to a
// window's own thread, and the keyboard function that lets the display follow the desktop's key
// state.
#pragma once

#include <functional>

#include "platform/windows/WindowStructs.h"

// The calling thread's key state, as GetKeyState and TranslateMessage see it from now on.
BOOL SetKeyboardState(BYTE* lpKeyState);

namespace platform {

// Runs `task` on the thread of `hwnd` the way a message sent from another thread runs there (in
// whatever message loop the thread waits, a nested one too) without waiting for it: for the
// display, whose thread must never wait for a program thread, when the desktop changed a window
// and its own thread has to follow with the messages that go with the change. False when the
// window is gone or has no thread here.
bool RunOnWindowThread(HWND hwnd, std::function<void()> task);

}  // namespace platform
