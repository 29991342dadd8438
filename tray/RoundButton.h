// The capture result dialog's owner-drawn buttons: a rounded yellow face whose text turns blue
// under the pointer and moves 2 pixels while pressed.
#pragma once

#include "platform/framework/Button.h"

class CRoundButton : public CButton {
public:
    enum Look { kNormal = 0, kHover = 1, kPressed = 2 };

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    int look() const { return look_; }

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    int look_ = kNormal;
    UINT_PTR hoverTimer_ = 0;
};
