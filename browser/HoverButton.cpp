#include "browser/HoverButton.h"

#include "browser/SkinColors.h"

IMPLEMENT_DYNAMIC(CHoverButton, CButton)

BEGIN_MESSAGE_MAP(CHoverButton, CButton)
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CHoverButton::SetBitmap(int cx, int cy, UINT bitmapId, LPCSTR tip) {
    if (bitmapId != 0) {
        textMode = 0;
        bitmap.DeleteObject();
        bitmap.LoadBitmap(bitmapId);
        images.DeleteImageList();
        images.Create(cx, cy, ILC_COLOR24 | ILC_MASK, 2, 0);
        images.Add(&bitmap, RGB(255, 0, 255));
        // A button already on the screen shows its new picture at once.
        if (m_hWnd != nullptr) {
            Invalidate();
        }
    }
    if (tooltip.m_hWnd != nullptr) {
        tooltip.UpdateTipText(tip, this);
        return;
    }
    if (tooltip.Create(this)) {
        tooltip.AddTool(this, tip);
        tooltip.Activate(TRUE);
    }
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    dc->FillSolidRect(&rect, Skin().buttonBackground);
    if (captionOverImage) {
        if (textMode != 1) {
            images.Draw(dc, state == kHot ? 1 : 0, CPoint(0, 0), ILD_TRANSPARENT);
        }
        COLORREF color = state != kNormal ? Skin().selectedButtonText : Skin().buttonText;
        if ((lpDrawItemStruct->itemState & ODS_DISABLED) != 0) {
            color = RGB(200, 200, 200);
        }
        DrawCaption(dc, rect, color);
        return;
    }
    if (textMode == 1) {
        DrawCaption(dc, rect, RGB(0, 0, 0));
        return;
    }
    images.Draw(dc, state == kHot ? 1 : 0, CPoint(0, 0), ILD_TRANSPARENT);
}

void CHoverButton::DrawCaption(CDC* dc, const CRect& rect, COLORREF color) {
    CString text;
    GetWindowText(text);
    HGDIOBJ oldFont = nullptr;
    if (Skin().headingFont != nullptr) {
        oldFont = ::SelectObject(dc->GetSafeHdc(), Skin().headingFont);
    }
    dc->SetTextColor(color);
    dc->SetBkMode(TRANSPARENT);
    CRect textRect = rect;
    dc->DrawText(text, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (oldFont != nullptr) {
        ::SelectObject(dc->GetSafeHdc(), oldFont);
    }
}

BOOL CHoverButton::PreTranslateMessage(MSG* pMsg) {
    if (tooltip.m_hWnd != nullptr) {
        tooltip.RelayEvent(pMsg);
    }
    return CButton::PreTranslateMessage(pMsg);
}

void CHoverButton::OnMouseMove(UINT nFlags, CPoint point) {
    CButton::OnMouseMove(nFlags, point);
    CRect client;
    GetClientRect(&client);
    int newState = client.PtInRect(point) ? kHot : kNormal;
    if (newState != state) {
        SetState(newState);
        // The mouse can leave between two moves without another one reaching the button; the
        // timer notices that.
        leaveTimer = SetTimer(kLeaveTimer, 100);
    }
}

void CHoverButton::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kLeaveTimer) {
        CButton::OnTimer(nIDEvent);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    if (!window.PtInRect(cursor)) {
        KillTimer(kLeaveTimer);
        leaveTimer = 0;
        SetState(kNormal);
    }
}

void CHoverButton::OnLButtonDown(UINT nFlags, CPoint point) {
    CButton::OnLButtonDown(nFlags, point);
    SetState(kHot);
}

void CHoverButton::OnLButtonUp(UINT nFlags, CPoint point) {
    CButton::OnLButtonUp(nFlags, point);
    SetState(kNormal);
}

void CHoverButton::SetState(int newState) {
    state = newState;
    Invalidate();
}
