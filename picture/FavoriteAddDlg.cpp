#include "picture/FavoriteAddDlg.h"

#include "picture/MainFrame.h"

BEGIN_MESSAGE_MAP(CFavoriteAddDlg, CDialog)
ON_BN_CLICKED(CFavoriteAddDlg::kOkButton, OnAdd)
END_MESSAGE_MAP()

CFavoriteAddDlg::CFavoriteAddDlg(glintora::CMainFrame& rFrame, CWnd* pParent)
    : CDialog(IDD, pParent), m_frame(rFrame) {}

BOOL CFavoriteAddDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckRadioButton(kKeywordRadio, kUrlRadio, kKeywordRadio);
    return TRUE;
}

void CFavoriteAddDlg::OnAdd() {
    CString value;
    GetDlgItemText(kValueEdit, value);
    value.Trim();
    if (!value.IsEmpty()) {
        m_frame.AddFavoriteEntry(value, IsDlgButtonChecked(kUrlRadio) == BST_CHECKED ? 1 : 0);
    }
    EndDialog(IDOK);
}
