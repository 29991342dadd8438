// The order in which the dialog keyboard interface visits a dialog's controls, and the walks of
// GetNextDlgTabItem and GetNextDlgGroupItem over it.
#pragma once

#include <vector>

#include "platform/base/WinTypes.h"

namespace platform {

class DialogNavigation {
public:
    // The dialog's descendants in creation order; a visible, enabled child with
    // WS_EX_CONTROLPARENT is not an item itself, its own controls are.
    static std::vector<HWND> Items(HWND dialog);
    // The item that is `hwnd` or holds it (the combo box of its edit, for example); null when
    // `hwnd` is not inside the dialog.
    static HWND ItemOf(HWND dialog, HWND hwnd);
    static HWND NextTabItem(HWND dialog, HWND from, bool previous);
    static HWND NextGroupItem(HWND dialog, HWND from, bool previous);
};

}  // namespace platform
