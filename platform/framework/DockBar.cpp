#include "platform/framework/DockBar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar() {
    m_bAutoDelete = TRUE;
    m_bDockBar = TRUE;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    AfxRegisterFrameworkClasses();
    return CreateBar(AFX_WND_CLASS, dwStyle, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void CDockBar::DockControlBar(CControlBar* pBar) {
    if (pBar == nullptr || pBar == this) {
        return;
    }
    if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar != this) {
        pBar->m_pDockBar->RemoveControlBar(pBar);
    }
    if (std::find(bars_.begin(), bars_.end(), pBar) == bars_.end()) {
        bars_.push_back(pBar);
    }
    pBar->m_pDockBar = this;
    pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY));
    if (::GetParent(pBar->m_hWnd) != m_hWnd) {
        pBar->SetParent(this);
    }
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar) {
    const auto found = std::find(bars_.begin(), bars_.end(), pBar);
    if (found == bars_.end()) {
        return FALSE;
    }
    bars_.erase(found);
    if (pBar->m_pDockBar == this) {
        pBar->m_pDockBar = nullptr;
    }
    return TRUE;
}

int CDockBar::Thickness(CControlBar* pBar) const {
    const CSize size = pBar->CalcFixedLayout(TRUE, Horizontal());
    return Horizontal() ? size.cy : size.cx;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    int total = 0;
    for (CControlBar* bar : bars_) {
        if (bar->IsVisible()) {
            total += Thickness(bar);
        }
    }
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    (Horizontal() ? size.cy : size.cx) = total;
    return size;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {
    // The docked bars are the dock bar's children and update themselves.
}

void CDockBar::LayoutBars() {
    CRect client;
    GetClientRect(&client);
    int offset = 0;
    for (CControlBar* bar : bars_) {
        if ((bar->RecalcDelayShow() & WS_VISIBLE) == 0) {
            continue;
        }
        const int thickness = Thickness(bar);
        if (Horizontal()) {
            bar->MoveWindow(0, offset, client.Width(), thickness);
        } else {
            bar->MoveWindow(offset, 0, thickness, client.Height());
        }
        offset += thickness;
    }
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
    CControlBar::OnSizeParent(wParam, lParam);
    LayoutBars();
    return 0;
}
