// The window of a message box: a dialog that paints its icon and text itself and holds one push
// button per answer, the default one with the focus.
#pragma once

#include <vector>

#include "platform/dialogs/MessageBoxApi.h"
#include "platform/dialogs/MessageBoxButtons.h"

namespace platform {

class MessageBoxWindow {
public:
    // Shows the box modally over `call.owner` and returns the chosen button's id (0 when the box
    // could not be made).
    static int Run(const MessageBoxCall& call, const std::vector<MessageBoxButton>& buttons);
};

}  // namespace platform
