#include "manager/HintButton.h"

#include "manager/ManagerGdi.h"
#include "platform/drawing/IconApi.h"

IMPLEMENT_DYNAMIC(CHintButton, CButton)

BEGIN_MESSAGE_MAP(CHintButton, CButton)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
END_MESSAGE_MAP()

void CHintButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CRect rect(lpDrawItemStruct->rcItem);
    CDC& dc = *CDC::FromHandle(lpDrawItemStruct->hDC);
    if (icon_ != nullptr) {
        if (checked_ != 0) {
            dc.Draw3dRect(&rect, RGB(0, 0, 0), RGB(220, 220, 220));
        } else if (look_ == kHover) {
            dc.Draw3dRect(&rect, RGB(123, 123, 123), RGB(123, 123, 123));
        } else if (look_ == kPressed) {
            dc.Draw3dRect(&rect, RGB(0, 0, 0), RGB(255, 255, 255));
        }
        ::DrawIconEx(dc.GetSafeHdc(), 1, 1, icon_, 16, 16, 0, nullptr, DI_NORMAL);
        return;
    }
    dc.SetBkMode(TRANSPARENT);
    HGDIOBJ oldFont = ::SelectObject(dc.GetSafeHdc(), Gdi().uiFont);
    COLORREF fill = RGB(196, 209, 255);
    CRect textRect = rect;
    if ((lpDrawItemStruct->itemState & ODS_DISABLED) != 0) {
        fill = RGB(180, 180, 180);
    } else if (look_ == kHover) {
        fill = RGB(222, 222, 255);
    } else if (look_ == kPressed) {
        textRect.left += 2;
        textRect.top += 2;
    }
    CBrush brush(fill);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.RoundRect(&rect, CPoint(5, 5));
    dc.SelectObject(oldBrush);
    CString text;
    GetWindowText(text);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.DrawText(text, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc.GetSafeHdc(), oldFont);
}

int CHintButton::Init(CHintSink* sink, const char* hint, HICON icon, int cx, int cy) {
    sink_ = sink;
    hint_ = hint;
    icon_ = icon;
    // Without SWP_NOZORDER the null insert-after raises the button over its siblings, so that a
    // tool button is never hidden behind the control it sits on.
    SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_FRAMECHANGED);
    return 0;
}

void CHintButton::OnMouseMove(UINT nFlags, CPoint point) {
    CButton::OnMouseMove(nFlags, point);
    CRect client;
    GetClientRect(&client);
    int look = kNormal;
    if (client.PtInRect(point)) {
        look = nFlags == MK_LBUTTON ? kPressed : kHover;
        if (sink_ != nullptr) {
            sink_->SetHint(hint_);
        }
    }
    if (look == look_) {
        return;
    }
    look_ = look;
    Invalidate();
    if (leaveTimer_ != 0) {
        KillTimer(leaveTimer_);
    }
    leaveTimer_ = SetTimer(kLeaveTimer, 100);
}

void CHintButton::OnLButtonDown(UINT nFlags, CPoint point) {
    CButton::OnLButtonDown(nFlags, point);
    look_ = kPressed;
    Invalidate();
}

void CHintButton::OnLButtonUp(UINT nFlags, CPoint point) {
    CButton::OnLButtonUp(nFlags, point);
    look_ = kNormal;
    Invalidate();
}

void CHintButton::OnTimer(UINT_PTR nIDEvent) {
    CButton::OnTimer(nIDEvent);
    if (nIDEvent != kLeaveTimer) {
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    if (window.PtInRect(cursor)) {
        return;
    }
    KillTimer(kLeaveTimer);
    leaveTimer_ = 0;
    look_ = kNormal;
    if (sink_ != nullptr) {
        sink_->SetHint("");
    }
    Invalidate();
}
