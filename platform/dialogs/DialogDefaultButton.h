// The default-button look of a dialog follows the focus: the push button that has the focus
// shows it, and while the focus is on any other control the dialog's default button (DM_GETDEFID)
// shows it. Enter clicks the same button, so the look always tells which one it is. The look is
// given and taken with BM_SETSTYLE, which owner-drawn buttons turn into their ODS_DEFAULT state.
#pragma once

#include "platform/base/WinTypes.h"

namespace platform {

class DialogDefaultButton {
public:
    // Restyles the dialog's push buttons after the focus or the default has changed, so that only
    // the one that should show the default look has it.
    static void Update(HWND dialog);
};

}  // namespace platform
