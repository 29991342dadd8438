#include "browser/ProgressButton.h"

#include "browser/SkinColors.h"

IMPLEMENT_DYNAMIC(CProgressButton, CButton)

int CProgressButton::SetProgress(int percent) {
    position = percent < 0 || percent > 100 ? 0 : percent;
    Invalidate(TRUE);
    return position;
}

void CProgressButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    int filled = static_cast<int>(position * rect.Width() * 0.01);
    if (filled > 0) {
        dc->FillSolidRect(CRect(rect.left, rect.top, rect.left + filled, rect.bottom),
                          Skin().progressColor1);
    }
    if (rect.left + filled + 1 < rect.right) {
        dc->FillSolidRect(CRect(rect.left + filled + 1, rect.top, rect.right, rect.bottom),
                          Skin().progressColor2);
    }
    CBrush border(Skin().statusItemBorder);
    dc->FrameRect(&rect, &border);
}
