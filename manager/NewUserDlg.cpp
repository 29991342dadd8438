#include "manager/NewUserDlg.h"

#include "common/AppFolder.h"
#include "manager/AccountFile.h"
#include "platform/framework/DataExchangeFunctions.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CNewUserDlg, CManagerModalDlg)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CNewUserDlg::CNewUserDlg(CWnd* pParentWnd) : CManagerModalDlg(IDD_NEW_USER, pParentWnd) {}

void CNewUserDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    constexpr int kMaxChars = static_cast<int>(CAccountFile::kMaxNameLength);
    DDX_Control(pDX, IDOK, ok_);
    DDX_Control(pDX, IDCANCEL, cancel_);
    DDX_Text(pDX, IDC_PASSWORD, m_password);
    DDV_MaxChars(pDX, m_password, kMaxChars);
    DDX_Text(pDX, IDC_CONFIRM_PASSWORD, m_confirmation);
    DDV_MaxChars(pDX, m_confirmation, kMaxChars);
    DDX_Text(pDX, IDC_USER_NAME, m_userName);
    DDV_MaxChars(pDX, m_userName, kMaxChars);
}

void CNewUserDlg::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    const char* message = nullptr;
    switch (CAccountFile::Create(std::string(GetAppFolder()), std::string(m_userName),
                                 std::string(m_password), std::string(m_confirmation))) {
        case CAccountFile::Creation::kCreated:
            EndDialog(IDOK);
            return;
        case CAccountFile::Creation::kBadLength:
            message = "账号长度不足不正确(4-40字符)";
            break;
        case CAccountFile::Creation::kBadCharacter:
            message = "账号中有非法字符";
            break;
        case CAccountFile::Creation::kBadPassword:
            message = "密码不一致,或密码长度不足(4-40字符)";
            break;
        case CAccountFile::Creation::kExists:
            message = "该用户己经存在";
            break;
        case CAccountFile::Creation::kNotWritten:
            message = "账号中有非法字符,请检查.";
            break;
    }
    MessageBox(message);
}

HBRUSH CNewUserDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}
