#include "manager/SkinnedPage.h"

#include "platform/screen/ClientDC.h"
#include "platform/screen/PaintDC.h"

BEGIN_MESSAGE_MAP(CSkinnedPage, CManagerPage)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
END_MESSAGE_MAP()

void CSkinnedPage::DrawPage() {
    CClientDC dc(this);
    DrawPage(&dc);
}

void CSkinnedPage::DrawPage(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    CDC* buffer = painter_.BeginDraw(dc, client);
    if (buffer == nullptr) {
        return;
    }
    DrawContent(buffer, client);
    painter_.EndDraw(dc, FALSE);
}

int CSkinnedPage::LayOutAround(std::initializer_list<CWnd*> controls) {
    for (CWnd* control : controls) {
        if (control == nullptr || control->m_hWnd == nullptr) {
            return 1;
        }
    }
    CRect client;
    GetClientRect(&client);
    painter_.ResetRects();
    painter_.AddRect(client);
    for (CWnd* control : controls) {
        painter_.AddWindowRect(this, control);
    }
    painter_.SplitRects();
    return 0;
}

void CSkinnedPage::OnPaint() {
    { CPaintDC dc(this); }
    DrawPage();
}

BOOL CSkinnedPage::OnEraseBkgnd(CDC*) {
    DrawPage();
    return TRUE;
}

void CSkinnedPage::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    RecalcLayout();
}

HBRUSH CSkinnedPage::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
