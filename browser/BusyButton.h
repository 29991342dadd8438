// The busy indicator of the chrome: an owner-drawn button that cycles through six 24 x 24 frames
// while a page loads and rests on the first frame otherwise.
#pragma once

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/ImageList.h"
#include "platform/framework/Button.h"

class CBusyButton : public CButton {
    DECLARE_DYNAMIC(CBusyButton)

public:
    static constexpr UINT kBitmapId = 163;
    static constexpr int kFrameCount = 6;
    static constexpr UINT_PTR kTimerId = 100;
    static constexpr UINT kFrameMilliseconds = 200;

    CBusyButton() = default;

    // A second start restarts the timer and keeps the frame. 1.
    int StartBusy();
    // Back to the first frame. 0.
    int StopBusy();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    CBitmap bitmap;
    CImageList images;
    int frame = 0;
    UINT_PTR timer = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
