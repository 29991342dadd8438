#include "browser/ToolBarEx.h"

#include "browser/SkinColors.h"

IMPLEMENT_DYNAMIC(CToolBarEx, CToolBar)

BEGIN_MESSAGE_MAP(CToolBarEx, CToolBar)
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

BOOL CToolBarEx::OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    ::FillRect(pDC->GetSafeHdc(), &client, Skin().toolBrush);
    return TRUE;
}

HBRUSH CToolBarEx::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == kAddressLabelId) {
        pDC->SetTextColor(Skin().toolText);
        pDC->SetBkMode(TRANSPARENT);
        return Skin().toolBrush;
    }
    return CToolBar::OnCtlColor(pDC, pWnd, nCtlColor);
}
