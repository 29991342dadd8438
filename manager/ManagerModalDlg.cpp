#include "manager/ManagerModalDlg.h"

#include "manager/DialogKeyFilter.h"
#include "platform/screen/PaintDC.h"

BEGIN_MESSAGE_MAP(CManagerModalDlg, CDialog)
ON_WM_CTLCOLOR()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CManagerModalDlg::CManagerModalDlg(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd) {}

BOOL CManagerModalDlg::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

HBRUSH CManagerModalDlg::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(m_whiteBrush.GetSafeHandle());
}

BOOL CManagerModalDlg::OnEraseBkgnd(CDC* pDC) {
    CDialog::OnEraseBkgnd(pDC);
    return TRUE;
}

void CManagerModalDlg::OnPaint() {
    CPaintDC dc(this);
}

LRESULT CManagerModalDlg::OnNcHitTest(CPoint point) {
    // The body drags the dialog; the frame keeps its own parts, so the close box still closes.
    const LRESULT hit = CDialog::OnNcHitTest(point);
    return hit == HTCLIENT ? HTCAPTION : hit;
}
