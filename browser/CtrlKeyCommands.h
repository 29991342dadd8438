// The frame commands that keys pressed with Ctrl run, in the frame as in every page.
#pragma once

#include "platform/base/WinTypes.h"

// 0 for a key that runs no command.
UINT CommandOfCtrlKey(WPARAM key);
