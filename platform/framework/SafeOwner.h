// The window that owns a modal dialog or a message box the framework shows. Popups cannot be
// owned by child windows, so the owner is the first window that is not a child, starting from the
// given parent; without one, from the active window of the calling thread, and without that from
// the main window.
#pragma once

#include "platform/windows/WindowStructs.h"

namespace platform {

HWND SafeOwnerWindow(HWND parent);

}  // namespace platform
