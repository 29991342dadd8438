// The base of the frame's bars (tool bar, status bar, rebar, dock bar). A bar keeps its CBRS_
// styles apart from the window style, takes its share of the frame's client area when the frame
// lays itself out (WM_SIZEPARENT), passes the commands and notifications of the windows on it to
// its owner (the frame), and runs its items' update handlers at idle time.
//
// With CBRS_FLYBY, resting the mouse on an item shows the item's prompt (the part of its string
// before "\n") in the frame's status bar, and the idle text again once the mouse has left the bar.
#pragma once

#include "platform/framework/CmdUI.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/Wnd.h"

#ifndef CBRS_ALIGN_LEFT
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#endif

#ifndef AFX_IDW_DOCKBAR_TOP
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#endif

#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif

class CDockBar;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)

public:
    CControlBar() = default;
    ~CControlBar() override;

    // Only the CBRS_ bits are kept.
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    // The sides (CBRS_ALIGN_*) this bar may be docked at; 0 keeps it where it is.
    void EnableDocking(DWORD dwDockStyle);
    BOOL IsDockBar() const { return m_bDockBar; }
    BOOL IsVisible() const;
    // Shows or hides the bar at the frame's next layout.
    void DelayShow(BOOL bShow);
    // Applies a pending DelayShow; the window style the layout goes by.
    DWORD RecalcDelayShow();
    CFrameWnd* GetDockingFrame() const;

    // The size the bar wants: with bStretch it takes the whole width (bHorz) or height offered.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Runs the update handlers of the bar's items against pTarget.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // The command of the item under the point (client coordinates), -1 when none.
    virtual INT_PTR HitTestCommand(CPoint point) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;

protected:
    // Shared part of the bars' Create: splits the CBRS_ styles from the window style.
    BOOL CreateBar(LPCSTR lpszClassName, DWORD dwWindowStyle, DWORD dwBarStyle, const RECT& rect,
                   CWnd* pParentWnd, UINT nID);
    // The window style a bar's window is created with: without the CBRS_ bits, which the
    // controls read as styles of their own.
    static DWORD WindowStyleOf(DWORD dwStyle) { return dwStyle & ~static_cast<DWORD>(CBRS_ALL); }
    // The bar's window seen through the wrapper class of its control. The wrapper shares the
    // handle without being attached to it, so messages still reach the bar and only the bar
    // destroys the window.
    template <typename Control>
    Control& ControlView(Control& control) const {
        control.m_hWnd = m_hWnd;
        return control;
    }
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bAutoDelete = FALSE;
    BOOL m_bDockBar = FALSE;

private:
    void ShowPrompt(INT_PTR command);

    enum class PendingShow { None, Show, Hide };
    PendingShow pendingShow_ = PendingShow::None;
    INT_PTR flyby_ = -1;
};
