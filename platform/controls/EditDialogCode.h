// What an edit control (plain or rich) answers to WM_GETDLGCODE, so that both behave alike in a
// dialog.
#pragma once

#include "platform/windows/WindowStructs.h"

namespace platform {

// `style` is the control's window style, `lParam` the MSG the dialog asks about (or 0). Every edit
// wants characters and arrows and has a selection to set on focus; a multi-line one also wants
// the other keys, except Esc and Tab, which stay the dialog's, and Enter unless it has
// ES_WANTRETURN.
LRESULT EditDialogCode(DWORD style, LPARAM lParam);

}  // namespace platform
