#include "browser/StatusBarEx.h"

#include "browser/SkinColors.h"
#include "platform/screen/PaintDC.h"

IMPLEMENT_DYNAMIC(CStatusBarEx, CStatusBar)

BEGIN_MESSAGE_MAP(CStatusBarEx, CStatusBar)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CStatusBarEx::CreateProgress() {
    return progress.Create("progress", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 100, 20),
                           this, 0);
}

void CStatusBarEx::OnSize(UINT nType, int cx, int cy) {
    CStatusBar::OnSize(nType, cx, cy);
    if (progress.m_hWnd != nullptr) {
        CRect pane;
        GetItemRect(kProgressPane, &pane);
        progress.MoveWindow(&pane);
    }
}

BOOL CStatusBarEx::OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    ::FillRect(pDC->GetSafeHdc(), &client, Skin().statusBrush);
    return TRUE;
}

void CStatusBarEx::OnPaint() {
    CPaintDC dc(this);
    const SkinColors& skin = Skin();
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(skin.statusText);
    if (skin.normalFont != nullptr) {
        ::SelectObject(dc.GetSafeHdc(), skin.normalFont);
    }
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc.GetSafeHdc(), &client, skin.statusBrush);
    CBrush border(skin.statusItemBorder);
    // Pane 1 lies under the progress bar.
    for (int pane : {0, 2}) {
        if (pane >= GetCount()) {
            continue;
        }
        CRect rect;
        GetItemRect(pane, &rect);
        dc.FillSolidRect(&rect, skin.statusItemBackground);
        dc.FrameRect(&rect, &border);
        dc.DrawText(GetPaneText(pane), &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}
