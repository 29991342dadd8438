// A page painted through the page painter: its content is drawn into the off-screen buffer on
// WM_PAINT and on WM_ERASEBKGND (which then returns 1, so the background is never erased
// separately), and its layout is renewed after each WM_SIZE. Pages whose controls sit on white
// add ON_WM_CTLCOLOR() to their own map.
#pragma once

#include <initializer_list>

#include "manager/ManagerPage.h"
#include "manager/PagePainter.h"
#include "platform/drawing/Brush.h"

class CSkinnedPage : public CManagerPage {
public:
    using CManagerPage::CManagerPage;

    // Draws the page over its client area through a client DC, or through `dc`; nothing before
    // the first layout.
    void DrawPage();
    void DrawPage(CDC* dc);
    const CPagePainter& Painter() const { return painter_; }

protected:
    // The page's content, drawn into `buffer` (white, transparent text, the UI font).
    virtual void DrawContent(CDC* buffer, const CRect& client) = 0;
    // The painter's rectangles for the client area with `controls` as holes: 1 while one of the
    // controls does not exist yet, else 0.
    int LayOutAround(std::initializer_list<CWnd*> controls);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // A transparent text background and the white brush, for every control and the page.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CPagePainter painter_;
    CBrush whiteBrush_{RGB(255, 255, 255)};
};
