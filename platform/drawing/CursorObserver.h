// Where a display learns of the cursor the program shows.
#pragma once

#include <functional>

#include "platform/base/WinTypes.h"

namespace platform {

// Called on the calling thread when SetCursor changes the cursor, so that a display can show it;
// empty to stop.
void SetCursorObserver(std::function<void(HCURSOR)> observer);

}  // namespace platform
