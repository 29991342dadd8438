// The base of the framework's common dialogs: a dialog whose window the system's common dialog
// function makes and runs, so DoModal is each class's own.
#pragma once

#include "platform/framework/Dialog.h"

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)

public:
    explicit CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }

protected:
    // The window that owns the dialog: the parent given, else the active window, else the main
    // window.
    HWND OwnerWindow() const;
};
