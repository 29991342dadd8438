// One run of a window's data exchange (see DataExchangeFunctions.h): its direction, and the
// control the last DDX_ call worked on, which the DDV_ calls after it refer to and which gets the
// focus when the exchange fails.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/windows/WindowStructs.h"

class CWnd;

class CDataExchange {
public:
    // TRUE: from the controls into the members, validating; FALSE: from the members into the
    // controls.
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control nIDC of the window, which becomes the last control. A missing control fails the
    // exchange, as nothing could be exchanged with it.
    HWND PrepareCtrl(int nIDC);
    // The same for an edit, which a failure selects as a whole.
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange as failed by throwing a CUserException. When saving, the last control
    // gets the focus first, so the user lands on the value that was refused.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};
