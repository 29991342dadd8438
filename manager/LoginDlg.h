// The diary's login dialog: a user name and a password, checked against the account file. It
// ends with IDOK only for a matching account; the caller then reads m_userName and m_password.
#pragma once

#include "manager/HintButton.h"
#include "manager/ManagerModalDlg.h"

class CLoginDlg : public CManagerModalDlg {
public:
    explicit CLoginDlg(CWnd* pParentWnd = nullptr);

    CString m_password;
    CString m_userName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    // The default colours: unlike the other manager dialogs, the account dialogs are not white.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CHintButton ok_;
    CHintButton cancel_;
};
