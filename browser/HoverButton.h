// A bitmap button of the chrome that shows its second image while the mouse is over it or it is
// pressed, and carries a tool tip. Until it is given a bitmap it shows its caption instead.
#pragma once

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/ImageList.h"
#include "platform/framework/Button.h"
#include "platform/framework/ToolTipCtrl.h"

class CHoverButton : public CButton {
    DECLARE_DYNAMIC(CHoverButton)

public:
    static constexpr int kNormal = 0;
    static constexpr int kHot = 2;
    static constexpr UINT_PTR kLeaveTimer = 1;

    CHoverButton() = default;

    // With a bitmap id, the button shows images of cx x cy cut from that bitmap (normal, then
    // hot; magenta is transparent) from now on; id 0 keeps the look. The tool tip shows `tip`.
    void SetBitmap(int cx, int cy, UINT bitmapId, LPCSTR tip);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int textMode = 1;
    // The picture collector's look: the caption is always drawn, over the image when there is
    // one, in the skin's button text colours (grey when disabled, the selected colour while the
    // mouse is over it). The browser draws the caption in black only while there is no image.
    BOOL captionOverImage = FALSE;
    CBitmap bitmap;
    CImageList images;
    int state = kNormal;
    UINT_PTR leaveTimer = 0;
    CToolTipCtrl tooltip;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void SetState(int newState);
    // The caption centred on one line in the heading font.
    void DrawCaption(CDC* dc, const CRect& rect, COLORREF color);
};
