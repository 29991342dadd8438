#include "browser/AboutDlg.h"

#include "platform/framework/DataExchangeFunctions.h"

CAboutDlg::CAboutDlg() : CDialog(IDD) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kVersionStatic, m_version);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_version.SetWindowText("Quorra浏览器 V1.80");
    return TRUE;
}
