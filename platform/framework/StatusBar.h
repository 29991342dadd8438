// The framework's status bar: a msctls_statusbar32 as a control bar along the bottom of the
// frame. Its panes come from a list of indicator ids: each pane is as wide as its id's string in
// the bar's font (plus a 3-pixel margin on each side) and first shows that string; a pane of
// ID_SEPARATOR is a quarter of the screen wide, and when it comes first it stretches and has no
// border. A stretching pane (SBPS_STRETCH) takes whatever width the others leave. The window
// text of the bar is the text of its first ID_SEPARATOR pane (or of pane 0), which is where the
// frame writes prompts and the idle text.
#pragma once

#include <vector>

#include "platform/controls/StatusBar.h"
#include "platform/framework/ControlBar.h"
#include "platform/framework/StatusBarCtrl.h"

#ifndef SBPS_NORMAL
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000
#endif

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)

public:
    CStatusBar() = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);

    // FALSE when an indicator has no string (its pane is then empty and 0 wide).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    int GetCount() const { return static_cast<int>(panes_.size()); }
    // cxWidth is the width of the pane's text area, without its margins.
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    // A disabled pane keeps its text but shows none.
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);

    CStatusBarCtrl& GetStatusBarCtrl() const { return ControlView(statusBarCtrl_); }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT nID = 0;
        UINT nStyle = 0;
        int cxText = 0;
        CString strText;
    };

    bool Valid(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
    HFONT Font() const;
    int TextWidth(const CString& text) const;
    // The pane the bar's window text stands for.
    int MessagePane() const;
    void ShowPaneText(int nIndex);
    void UpdateAllPanes(bool rects, bool texts);

    std::vector<Pane> panes_;
    mutable CStatusBarCtrl statusBarCtrl_;
};
