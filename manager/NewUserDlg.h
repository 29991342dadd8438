// The diary's new-user dialog: a user name, a password and its confirmation. It ends with IDOK
// once the account's folder and account file exist; it does not log the user in.
#pragma once

#include "manager/HintButton.h"
#include "manager/ManagerModalDlg.h"

class CNewUserDlg : public CManagerModalDlg {
public:
    explicit CNewUserDlg(CWnd* pParentWnd = nullptr);

    CString m_password;
    CString m_confirmation;
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
