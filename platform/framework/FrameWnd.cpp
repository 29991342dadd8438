#include "platform/framework/FrameWnd.h"

#include "platform/controls/ToolTip.h"
#include "platform/drawing/ResourceImages.h"
#include "platform/framework/AcceleratorApi.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/Document.h"
#include "platform/framework/MenuItemAccess.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/resources/ResourceApi.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

namespace {

CMenu* MenuOf(WPARAM wParam) {
    platform::MenuItemAccess* menus = platform::GetMenuItemAccess();
    return menus != nullptr ? menus->FromHandle(reinterpret_cast<HMENU>(wParam)) : nullptr;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_SETFOCUS()
ON_WM_NCDESTROY()
AFX_WM_ENTRY_(WM_INITMENUPOPUP,
              self_->OnInitMenuPopup(MenuOf(call_.wParam), static_cast<UINT>(LOWORD(call_.lParam)),
                                     static_cast<BOOL>(HIWORD(call_.lParam))))
ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_REBAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, OnUpdateControlBarMenu)
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

CFrameWnd::~CFrameWnd() {
    if (m_hAccelTable != nullptr) {
        ::DestroyAcceleratorTable(m_hAccelTable);
    }
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext) {
    m_strTitle = lpszWindowName;
    // A frame whose resource id names no menu simply has no menu bar.
    HMENU menu = nullptr;
    if (lpszMenuName != nullptr) {
        menu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
    }
    // rectDefault asks for the default place and size; its width is not a number to compute.
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int cx = CW_USEDEFAULT;
    int cy = CW_USEDEFAULT;
    if (rect.left != CW_USEDEFAULT) {
        x = rect.left;
        y = rect.top;
        cx = rect.right - rect.left;
        cy = rect.bottom - rect.top;
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  AfxHwndOf(pParentWnd), menu, pContext)) {
        // A window that got as far as being made has taken its menu along.
        if (menu != nullptr && ::IsMenu(menu)) {
            ::DestroyMenu(menu);
        }
        return FALSE;
    }
    m_hMenuDefault = menu;
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    CString title;
    if (title.LoadString(nIDResource)) {
        const int end = title.Find('\n');
        m_strTitle = end >= 0 ? title.Left(end) : title;
    }
    AfxRegisterFrameworkClasses();
    LPCSTR className = AFX_WNDFRAMEORVIEW_CLASS;
    if (HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource))) {
        className = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                        ::LoadCursorA(nullptr, IDC_ARROW),
                                        reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    }
    const CString caption = m_strTitle;
    if (!Create(className, caption, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCE(nIDResource), 0, pContext)) {
        return FALSE;
    }
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (pContext == nullptr) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    }
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName) {
    if (m_hAccelTable != nullptr) {
        return FALSE;
    }
    m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) {
        AfxRegisterFrameworkClasses();
        cs.lpszClass = AFX_WNDFRAMEORVIEW_CLASS;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (!OnCreateClient(lpCreateStruct, context)) {
        return -1;
    }
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr) {
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    if (object == nullptr) {
        return nullptr;
    }
    auto* view = static_cast<CWnd*>(object);
    // A view that fails to be created has deleted itself (PostNcDestroy).
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID,
                      pContext)) {
        return nullptr;
    }
    return view;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL) {
    m_pViewActive = pViewNew;
}

CDocument* CFrameWnd::GetActiveDocument() {
    return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible) {
    if (m_pViewActive == nullptr) {
        CWnd* pane = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
        if (pane != nullptr && pane->IsKindOf(RUNTIME_CLASS(CView))) {
            SetActiveView(static_cast<CView*>(pane), FALSE);
        }
    }
    if (!bMakeVisible) {
        return;
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    int nCmdShow = -1;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        nCmdShow = app->m_nCmdShow;
        app->m_nCmdShow = -1;
    }
    ActivateFrame(nCmdShow);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        if (!IsWindowVisible()) {
            nCmdShow = SW_SHOWNORMAL;
        } else if (IsIconic()) {
            nCmdShow = SW_RESTORE;
        }
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
    }
    BringWindowToTop();
}

void CFrameWnd::RecalcLayout(BOOL) {
    m_bDelayedLayout = FALSE;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) {
        RecalcLayout();
    }
}

void CFrameWnd::OnClose() {
    DestroyWindow();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr) {
        m_pViewActive->SetFocus();
        return;
    }
    CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
    platform::MenuItemAccess* menus = platform::GetMenuItemAccess();
    if (bSysMenu || pPopupMenu == nullptr || menus == nullptr) {
        return;
    }
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = menus->ItemCount(pPopupMenu);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = menus->ItemId(pPopupMenu, state.m_nIndex);
        // Separators and pop-ups carry no command.
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) {
            continue;
        }
        state.DoUpdate(this, FALSE);
    }
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr) {
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg) != 0;
    }
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnNcDestroy() {
    // The window manager destroys the menu the window holds; the frame's own menu is left to the
    // frame when the program has put it aside.
    if (m_hMenuDefault != nullptr && m_hMenuDefault != ::GetMenu(m_hWnd)) {
        ::DestroyMenu(m_hMenuDefault);
    }
    m_hMenuDefault = nullptr;
    CWnd::OnNcDestroy();
}

void CFrameWnd::PostNcDestroy() {
    delete this;
}
