// The windows whose procedure a tool tip replaced (TTF_SUBCLASS) so that it sees their mouse
// messages without the owner relaying them.
#pragma once

#include "platform/windows/WindowStructs.h"

namespace platform {

bool IsMouseMessage(UINT message);

// Relays the mouse messages of `target` to `tip` from now on.
void RelayMouseOf(HWND target, HWND tip);

// Stops relaying to `tip`; the window gets its own procedure back when no tip listens any more.
void StopRelayingMouseOf(HWND target, HWND tip);

}  // namespace platform
