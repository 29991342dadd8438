#include "browser/RefreshDlg.h"

#include "resources/quorra/resource.h"

CRefreshDlg::CRefreshDlg(CWnd* pParent) : CDialog(IDD_REFRESH, pParent) {}

void CRefreshDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_REFRESH_UNIT, m_nRefreshUnit);
    DDX_Text(pDX, IDC_REFRESH_TIME, m_nRefreshTime);
}
