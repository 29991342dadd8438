// One edge of a frame where control bars dock. The frame makes one for each side that
// EnableDocking allows; a docked bar becomes the dock bar's child. The dock bar is as high (or,
// on the left and right, as wide) as its visible bars, which lie in rows (columns) one bar each,
// in the order they were docked, and it is empty space of no size when none is visible.
#pragma once

#include <vector>

#include "platform/framework/ControlBar.h"

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)

public:
    CDockBar();

    // dwStyle holds the side (CBRS_ALIGN_*) and the window style.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Takes the bar in as the last row and turns it to the dock bar's side.
    void DockControlBar(CControlBar* pBar);
    // Forgets the bar; FALSE when it was not docked here.
    BOOL RemoveControlBar(CControlBar* pBar);
    const std::vector<CControlBar*>& GetDockedBars() const { return bars_; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    bool Horizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    // The thickness a bar takes across the dock bar.
    int Thickness(CControlBar* pBar) const;
    void LayoutBars();

    std::vector<CControlBar*> bars_;
};
