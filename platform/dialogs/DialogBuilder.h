// Builds a dialog window and its controls from a template, in the order the dialog manager
// follows (see DialogApi.h).
#pragma once

#include <vector>

#include "platform/dialogs/DialogApi.h"

namespace platform {

class DialogBuilder {
public:
    // `modal` attaches the keyboard interface to the dialog's pre-translation before anything
    // else can attach a handler of its own.
    static HWND Create(HINSTANCE instance, const DialogTemplate& dialog,
                       const std::vector<DialogInitEntry>& initialItems, HWND parent,
                       DLGPROC procedure, LPARAM param, bool modal);
    static void SetControlFactory(DialogControlFactory factory);
};

}  // namespace platform
