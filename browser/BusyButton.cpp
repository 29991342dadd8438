#include "browser/BusyButton.h"

#include "browser/SkinColors.h"

IMPLEMENT_DYNAMIC(CBusyButton, CButton)

BEGIN_MESSAGE_MAP(CBusyButton, CButton)
ON_WM_CREATE()
ON_WM_TIMER()
END_MESSAGE_MAP()

int CBusyButton::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CButton::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    bitmap.LoadBitmap(kBitmapId);
    images.Create(24, 24, ILC_COLOR24 | ILC_MASK, kFrameCount, 0);
    images.Add(&bitmap, RGB(255, 0, 255));
    frame = 0;
    return 0;
}

int CBusyButton::StartBusy() {
    if (timer != 0) {
        KillTimer(timer);
    }
    timer = SetTimer(kTimerId, kFrameMilliseconds);
    return 1;
}

int CBusyButton::StopBusy() {
    KillTimer(kTimerId);
    timer = 0;
    frame = 0;
    Invalidate();
    return 0;
}

void CBusyButton::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTimerId) {
        CButton::OnTimer(nIDEvent);
        return;
    }
    if (timer == kTimerId) {
        frame = frame + 1 < kFrameCount ? frame + 1 : 0;
        Invalidate();
    }
}

void CBusyButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    dc->FillSolidRect(&lpDrawItemStruct->rcItem, Skin().tabBackground);
    images.Draw(dc, frame, CPoint(0, 0), ILD_TRANSPARENT);
}
