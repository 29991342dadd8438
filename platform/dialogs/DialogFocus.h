// How the dialog manager gives a control the focus: the control is remembered as the one to
// return to when the dialog is activated again, the default-button look follows it, and an edit
// (a control that answers DLGC_HASSETSEL) gets its whole text selected.
#pragma once

#include "platform/base/WinTypes.h"

namespace platform {

class DialogFocus {
public:
    static void MoveTo(HWND dialog, HWND control);
    // The control to give the focus when the dialog gets it: the remembered one while it is still
    // a reachable item of the dialog, else the first tab stop.
    static HWND ControlToRestore(HWND dialog);
};

}  // namespace platform
