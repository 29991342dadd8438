#include "manager/LookupDlg.h"

#include "manager/DialogKeyFilter.h"

BEGIN_MESSAGE_MAP(CLookupDlg, CDialog)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

BOOL CLookupDlg::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

CString CLookupDlg::TrimmedText(int id) const {
    CString text;
    GetDlgItemText(id, text);
    text.Trim();
    return text;
}

HBRUSH CLookupDlg::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
