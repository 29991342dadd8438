#include "tray/RoundButton.h"

#include "platform/drawing/Brush.h"
#include "platform/screen/ClientDC.h"
#include "tray/TrayApp.h"

namespace {
constexpr UINT_PTR kHoverTimer = 1;
}

BEGIN_MESSAGE_MAP(CRoundButton, CButton)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
END_MESSAGE_MAP()

void CRoundButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CClientDC dc(this);
    CRect rect(lpDrawItemStruct->rcItem);
    dc.SetBkMode(TRANSPARENT);
    HGDIOBJ oldFont = ::SelectObject(dc.GetSafeHdc(), TrayFont());
    CBrush face(RGB(0xFF, 0xFF, 0x9B));
    CBrush* oldBrush = dc.SelectObject(&face);
    dc.RoundRect(&rect, CPoint(5, 5));
    dc.SelectObject(oldBrush);
    CString text;
    GetWindowText(text);
    dc.SetTextColor(look_ == kHover ? RGB(0, 0, 255) : RGB(0, 0, 0));
    if (look_ == kPressed) {
        rect.OffsetRect(2, 2);
    }
    dc.DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc.GetSafeHdc(), oldFont);
}

void CRoundButton::OnMouseMove(UINT nFlags, CPoint point) {
    CButton::OnMouseMove(nFlags, point);
    CRect client;
    GetClientRect(&client);
    const int look = !client.PtInRect(point) ? kNormal : nFlags == MK_LBUTTON ? kPressed : kHover;
    if (look == look_) {
        return;
    }
    look_ = look;
    Invalidate();
    hoverTimer_ = SetTimer(kHoverTimer, 100, nullptr);
}

void CRoundButton::OnLButtonDown(UINT nFlags, CPoint point) {
    CButton::OnLButtonDown(nFlags, point);
    look_ = kPressed;
    Invalidate();
}

void CRoundButton::OnLButtonUp(UINT nFlags, CPoint point) {
    CButton::OnLButtonUp(nFlags, point);
    look_ = kNormal;
    Invalidate();
}

void CRoundButton::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kHoverTimer) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        CRect window;
        GetWindowRect(&window);
        if (!window.PtInRect(cursor)) {
            KillTimer(kHoverTimer);
            hoverTimer_ = 0;
            look_ = kNormal;
            Invalidate();
        }
    }
    CButton::OnTimer(nIDEvent);
}
