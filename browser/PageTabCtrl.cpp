#include "browser/PageTabCtrl.h"

#include <cstdlib>

#include "browser/ChromeHost.h"
#include "browser/MenuEx.h"
#include "browser/SkinColors.h"
#include "platform/framework/FrameWnd.h"

IMPLEMENT_DYNAMIC(CPageTabCtrl, CTabCtrl)

BEGIN_MESSAGE_MAP(CPageTabCtrl, CTabCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

int CPageTabCtrl::HitTestTab(int x, int y) const {
    int count = GetItemCount();
    for (int index = 0; index < count; ++index) {
        CRect rect;
        if (GetItemRect(index, &rect) && rect.PtInRect(CPoint(x, y))) {
            return index;
        }
    }
    return -1;
}

void CPageTabCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
    CTabCtrl::OnLButtonDown(nFlags, point);
    dragSource = GetCurSel();
    lastX = point.x;
    lastY = point.y;
}

void CPageTabCtrl::OnMouseMove(UINT nFlags, CPoint point) {
    CTabCtrl::OnMouseMove(nFlags, point);
    if (nFlags != MK_LBUTTON || dragSource < 0) {
        return;
    }
    if (std::abs(point.x - lastX) <= kDragDistance) {
        return;
    }
    lastX = point.x;
    lastY = point.y;
    int target = HitTestTab(point.x, point.y);
    if (target < 0 || target == dragSource) {
        return;
    }
    if (ChromeHost* host = ChromeHost::Of(this)) {
        host->MoveTab(dragSource, target);
    }
    dragSource = GetCurSel();
}

void CPageTabCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
    CTabCtrl::OnLButtonDblClk(nFlags, point);
    if (ChromeHost* host = ChromeHost::Of(this)) {
        host->CloseTab(GetCurSel());
    }
}

void CPageTabCtrl::OnRButtonDown(UINT nFlags, CPoint point) {
    CMenuEx menu;
    if (tabMenu && menu.LoadMenu(kTabMenuId)) {
        if (CMenuEx* popup = menu.GetSubMenu(0)) {
            CPoint cursor;
            ::GetCursorPos(&cursor);
            popup->TrackPopupMenu(TPM_CENTERALIGN, cursor.x, cursor.y, GetParentFrame());
        }
    }
    CTabCtrl::OnRButtonDown(nFlags, point);
}

BOOL CPageTabCtrl::OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    ::FillRect(pDC->GetSafeHdc(), &client, Skin().toolBrush);
    return TRUE;
}

void CPageTabCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    char text[256] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 255;
    GetItem(static_cast<int>(lpDrawItemStruct->itemID), &item);

    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    const SkinColors& skin = Skin();
    dc->SetBkMode(TRANSPARENT);
    constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    UINT action = lpDrawItemStruct->itemAction;
    if (action & ODA_DRAWENTIRE) {
        ::FillRect(dc->GetSafeHdc(), &rect, skin.tabBrush);
        dc->SetTextColor(skin.tabText);
        dc->DrawText(text, -1, &rect, kCentred);
    }
    if ((lpDrawItemStruct->itemState & ODS_SELECTED) && (action & (ODA_DRAWENTIRE | ODA_SELECT))) {
        DrawSelectedGradient(dc, rect);
        dc->SetTextColor(skin.tabSelectedText);
        dc->DrawText(text, -1, &rect, kCentred);
    }
}

void CPageTabCtrl::DrawSelectedGradient(CDC* dc, const CRect& rect) const {
    int height = rect.Height();
    if (height <= 0) {
        return;
    }
    COLORREF begin = Skin().tabSelectedBegin;
    COLORREF end = Skin().tabSelectedEnd;
    int red = GetRValue(begin);
    int green = GetGValue(begin);
    int blue = GetBValue(begin);
    // Integer steps: the last rows fall short of the end colour by the remainders.
    int redStep = (GetRValue(end) - red) / height;
    int greenStep = (GetGValue(end) - green) / height;
    int blueStep = (GetBValue(end) - blue) / height;
    for (int y = rect.top; y < rect.bottom; ++y) {
        CPen pen(PS_SOLID, 1, RGB(red, green, blue));
        CPen* oldPen = dc->SelectObject(&pen);
        dc->MoveTo(rect.left, y);
        dc->LineTo(rect.right, y);
        dc->SelectObject(oldPen);
        red += redStep;
        green += greenStep;
        blue += blueStep;
    }
}
