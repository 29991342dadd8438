// The frame window of the document/view design: the program's main window around the view.
// LoadFrame takes its caption (the first line of the string resource), icon, menu bar and
// accelerator table from one resource id; the caption is only ever changed by SetWindowText, never
// decorated with the document's name. Commands go to the frame, then the active view (and its
// document), then the application. Accelerators are translated in the frame's PreTranslateMessage.
#pragma once

#include <vector>

#include "platform/framework/CreateContext.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/Wnd.h"

class CControlBar;
class CDocument;
class CDockBar;
class CView;

// The frame's status-line messages: show a command's prompt (wParam the id, or 0 and lParam the
// text), and the framework's way back to the previous one.
#define WM_SETMESSAGESTRING 0x0362
#define WM_POPMESSAGESTRING 0x0375

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)

public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    static const RECT rectDefault;

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                LPCSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(LPCSTR lpszResourceName);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    CDocument* GetActiveDocument();
    // Creates the context's view as the child nID.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // Sends WM_INITIALUPDATE to the views and shows the frame (the application's show command the
    // first time) when bMakeVisible.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // Places the control bars (through RepositionBars and WM_SIZEPARENT) and gives the view the
    // rest of the client area.
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    // Control bars. EnableDocking makes a dock bar for each side of dwDockStyle (CBRS_ALIGN_*);
    // DockControlBar moves a bar into the dock bar nDockBarID (AFX_IDW_DOCKBAR_*), or with 0 into
    // the first one, in the order top, bottom, left, right, that both allow.
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Shows or hides the bar and lays the frame out, at once or (bDelay) at the next idle time.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    // The status line: pane 0 of the status bar (AFX_IDW_STATUS_BAR) shows a text, or the prompt
    // of a command id: the part of its string before "\n". AFX_IDS_IDLEMESSAGE is the idle text.
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    virtual CWnd* GetMessageBar();
    // The id whose prompt the status line should show; the frame brings it back at idle time.
    UINT m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    UINT m_nIDLastMessage = 0;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    HACCEL m_hAccelTable = nullptr;
    // The menu loaded with the frame (null when its resource has none).
    HMENU m_hMenuDefault = nullptr;
    CString m_strTitle;
    UINT m_nIDHelp = 0;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnNcDestroy();
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    // ID_VIEW_STATUS_BAR, ID_VIEW_TOOLBAR and ID_VIEW_REBAR show or hide the bar of that id, which
    // is ticked while it is visible.
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // Tool tips of the bars' buttons: the part of the command's string after "\n".
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CView* m_pViewActive = nullptr;
    std::vector<CControlBar*> m_listControlBars;
    BOOL m_bDelayedLayout = FALSE;
};
