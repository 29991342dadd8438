// The key filter that the manager's main window, pages and most dialogs share in their
// PreTranslateMessage: Enter and Esc never close them.
#pragma once

#include "platform/windows/WindowApi.h"

// TRUE (consumed) for a WM_KEYDOWN of VK_RETURN or VK_ESCAPE.
BOOL FilterDialogKeys(const MSG* pMsg);
// TRUE for a WM_KEYDOWN of VK_ESCAPE alone, for dialogs where Enter types a line break.
BOOL FilterEscapeKey(const MSG* pMsg);
