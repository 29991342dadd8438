#include "manager/LoginDlg.h"

#include "common/AppFolder.h"
#include "manager/AccountFile.h"
#include "platform/framework/DataExchangeFunctions.h"
#include "resources/deskvane/resource.h"

namespace {

constexpr char kRefused[] = "用户名或密码不正确.";
constexpr char kDamaged[] = "系统文件被破坏,不能打开该用户数据.";

}  // namespace

BEGIN_MESSAGE_MAP(CLoginDlg, CManagerModalDlg)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CLoginDlg::CLoginDlg(CWnd* pParentWnd) : CManagerModalDlg(IDD_LOGIN, pParentWnd) {}

void CLoginDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, ok_);
    DDX_Control(pDX, IDCANCEL, cancel_);
    DDX_Text(pDX, IDC_PASSWORD, m_password);
    DDV_MaxChars(pDX, m_password, static_cast<int>(CAccountFile::kMaxNameLength));
    DDX_Text(pDX, IDC_USER_NAME, m_userName);
    DDV_MaxChars(pDX, m_userName, static_cast<int>(CAccountFile::kMaxNameLength));
}

void CLoginDlg::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    switch (CAccountFile::CheckLogin(std::string(GetAppFolder()), std::string(m_userName),
                                     std::string(m_password))) {
        case CAccountFile::Login::kAccepted:
            EndDialog(IDOK);
            break;
        case CAccountFile::Login::kDamaged:
            MessageBox(kDamaged);
            break;
        case CAccountFile::Login::kRefused:
            MessageBox(kRefused);
            break;
    }
}

HBRUSH CLoginDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}
