// The framework's message boxes, over MessageBoxA: modal, owned by the active window (the main
// window when none is active), captioned with the application's title (AfxGetApp's
// m_pszAppName; the system's caption when there is no application object).
//
// A box without an icon gets the one the framework gives it: the exclamation mark for MB_OK and
// MB_OKCANCEL, the question mark for MB_YESNO and MB_YESNOCANCEL, none for the others.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/dialogs/MessageBoxApi.h"

// The id of the button chosen (IDOK, IDYES, ...). nIDHelp is accepted for the callers' sake;
// there is no help here.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The prompt is the program's string nIDPrompt (empty when it has none).
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
