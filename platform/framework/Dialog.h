// The framework's dialog: a window object over a dialog the dialog manager builds from a resource
// template of the program.
//
// DoModal builds the dialog and runs it in the dialog manager's modal loop, with its owner
// disabled, destroys it through its (virtual) DestroyWindow, and returns the value given to
// EndDialog (IDOK 1, IDCANCEL 2 or the program's own), or -1 when the template is missing or the
// dialog cannot be built. Create builds a modeless dialog, a child or a pop-up as its template
// says; the program keeps the object, destroys the window with DestroyWindow and deletes the object
// itself.
//
// The object is attached from the window's birth, so its message map sees every message;
// WM_INITDIALOG reaches OnInitDialog, whose default fills the controls from the members.
//
// Keys: PreTranslateMessage gives the key and mouse input of the dialog and its controls to
// IsDialogMessageA, so Tab, the arrows, Enter (the default button, IDOK without one) and Esc
// (IDCANCEL) work in modeless dialogs as in modal ones.
//
// Child pages (a dialog whose template has WS_CHILD) belong to the window that holds them, and
// only that window may end or hide them: their default OnOK and OnCancel do nothing, and Esc
// never becomes a command 2 there, since some pages give id 2 to an ordinary button. Enter still
// sends the default button's command, which a page may handle.
#pragma once

#include "platform/framework/DataExchange.h"
#include "platform/framework/DataExchangeFunctions.h"
#include "platform/framework/Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    CDialog() = default;
    // The name is kept as given (a MAKEINTRESOURCE number or a string the caller keeps alive).
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // A null parent is the parent given to the constructor, or else: for DoModal the active
    // window, then the main window; for Create the main window.
    virtual INT_PTR DoModal();
    using CWnd::Create;
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Loads the members into the controls. When that fails the dialog ends with -1. TRUE lets
    // the dialog manager focus the first control.
    virtual BOOL OnInitDialog();
    // Saves the controls into the members and ends with IDOK; a refused value keeps the dialog
    // open. Nothing on a child page.
    virtual void OnOK();
    // Ends with IDCANCEL. Nothing on a child page.
    virtual void OnCancel();
    // A modeless dialog is only hidden.
    void EndDialog(int nResult);

    // Runs DoDataExchange in the given direction; FALSE when a value was refused. Notifications
    // that the controls send while their values are set do not reach the dialog's handlers.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Focus moves as Tab and Shift+Tab would, or to a given control; the default button follows.
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    // MAKELONG(id, DC_HASDEFID).
    DWORD GetDefID() const;
    // Dialog units of this dialog's font to pixels.
    void MapDialogRect(LPRECT lpRect) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    LPCSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(LPCSTR lpszTemplateName, HWND parent);
    bool IsChildPage() const;
    // Esc on a child page, unless the focused control takes it itself (an open combo list).
    bool IsEscapeToDrop(const MSG& msg) const;

    bool exchanging_ = false;
};
