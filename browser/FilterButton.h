// The blocked-page button on the frame's tab bar: shows how many addresses were blocked since
// the program started, blinks in the skin's selected button colours when a new one is blocked,
// lights its picture while the mouse is over it, and on a click has the frame drop down the
// menu of blocked addresses. Created owner-drawn (BS_OWNERDRAW) by the frame.
#pragma once

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/ImageList.h"
#include "platform/framework/Button.h"

class CFilterButton : public CButton {
public:
    static constexpr UINT_PTR kBlinkTimer = 1;
    static constexpr UINT kBlinkPeriod = 500;
    static constexpr UINT_PTR kHoverTimer = 101;
    static constexpr UINT kHoverPeriod = 100;
    static constexpr UINT_PTR kToolId = 2;

    CFilterButton();

    // Creates the tool tip with its one tool over the button. The frame passes its own
    // description, but the tool says what a click does.
    void SetTip(LPCSTR lpszText);
    void SetBlockedCount(int count);
    void StartBlink();
    void StopBlink();
    // Takes the normal colours of the current skin and repaints, after a skin change.
    void TakeSkinColors();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int blockedCount = 0;
    int hover = 0;
    UINT_PTR hoverTimer = 0;
    CBitmap bitmap;
    CImageList images;
    int blinkCount = 0;
    UINT_PTR blinkTimer = 0;
    COLORREF backColor = 0;
    COLORREF textColor = 0;
    HWND tooltip = nullptr;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClicked();

    DECLARE_MESSAGE_MAP()

private:
    void OnBlinkTick();
};
