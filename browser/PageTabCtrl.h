// The tab strip: one owner-drawn tab per page, the selected one painted with the skin's
// gradient. Dragging a tab more than 10 pixels over another swaps the two, a double click closes
// the selected tab, and the right button offers the tab menu; the frame does the work.
#pragma once

#include "platform/framework/TabCtrl.h"

class CPageTabCtrl : public CTabCtrl {
    DECLARE_DYNAMIC(CPageTabCtrl)

public:
    static constexpr UINT kTabMenuId = 154;
    // A drag acts only once the mouse has gone further than this sideways.
    static constexpr int kDragDistance = 10;

    CPageTabCtrl() = default;

    // The first tab whose rectangle holds the point (client coordinates), -1 when none does.
    int HitTestTab(int x, int y) const;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // Whether the right button offers the tab menu (the picture collector's strip has none).
    BOOL tabMenu = TRUE;
    int dragSource = -1;
    int lastX = 0;
    int lastY = 0;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void DrawSelectedGradient(CDC* dc, const CRect& rect) const;
};
