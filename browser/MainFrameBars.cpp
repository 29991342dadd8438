#include <initializer_list>
#include <iterator>

#include "browser/BrowserDataStore.h"
#include "browser/MainFrame.h"
#include "browser/PageDlg.h"
#include "browser/SkinColors.h"
#include "browser/UpdateThread.h"
#include "platform/framework/View.h"
#include "platform/threads/SingleLock.h"
#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"
#include "resources/quorra/resource.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;

BOOL LoadImageList(CImageList& images, UINT bitmapId) {
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(bitmapId) || !images.Create(32, 32, ILC_COLOR24 | ILC_MASK, 13, 0)) {
        return FALSE;
    }
    images.Add(&bitmap, kMagenta);
    return TRUE;
}

void SetBandChildSize(CReBar& rebar, UINT bandId, CSize size) {
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILDSIZE;
    band.cxMinChild = static_cast<UINT>(size.cx);
    band.cyMinChild = static_cast<UINT>(size.cy);
    const LRESULT index = rebar.SendMessage(RB_IDTOINDEX, bandId);
    rebar.SendMessage(RB_SETBANDINFO, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band));
}

}  // namespace

void CMainFrame::UseNormalFont(CWnd& wnd) {
    wnd.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(Skin().normalFont));
}

BOOL CMainFrame::CreateHoverButton(CHoverButton& button, LPCSTR text, const RECT& rect,
                                   CWnd* parent, UINT id, UINT bitmapId, LPCSTR tip,
                                   DWORD extraStyle) {
    if (!button.Create(text, WS_CHILD | BS_OWNERDRAW | extraStyle, rect, parent, id)) {
        return FALSE;
    }
    button.SetBitmap(20, 20, bitmapId, tip);
    UseNormalFont(button);
    return TRUE;
}

void CMainFrame::CorrectWindowRect(RECT& rect, const RECT& desktop) {
    if (rect.left < -5 || rect.left > desktop.right - 100) {
        rect.left = 0;
    }
    if (rect.top < -5 || rect.top > desktop.bottom - 100) {
        rect.top = 0;
    }
    if (rect.right - rect.left < 400) {
        rect.right = rect.left + 400;
    }
    if (rect.bottom - rect.top < 300) {
        rect.bottom = rect.top + 300;
    }
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    RECT desktop{};
    ::GetClientRect(::GetDesktopWindow(), &desktop);
    RECT rect = m_store.windowRect;
    // The store's initial rectangle means no window was ever saved: the first start goes where
    // the desktop puts a program's first window, and the first layout pass saves that place.
    const RECT neverSaved{-1, -1, 1, 1};
    if (CRect(rect).EqualRect(&neverSaved)) {
        cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
        return CFrameWnd::PreCreateWindow(cs);
    }
    CorrectWindowRect(rect, desktop);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    m_store.windowRect = rect;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMainFrame::CreateBars() {
    if (!CreateRebar() || !CreateStandardBar() || !CreateMenuButtonBar() || !CreateBusyBar() ||
        !CreateAddressBar()) {
        return FALSE;
    }
    AddRebarBands();
    if (!CreateTabBar() || !CreateStatusBar()) {
        return FALSE;
    }
    m_wndTabBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndTabBar);
    ApplyBarOptions();

    SetMenu(nullptr);
    m_refreshMenu.LoadMenu(IDR_REFRESH_MENU);
    BuildFavoritesMenu();
    m_travelMenu.CreatePopupMenu();
    m_blockedMenu.LoadMenu();

    RefillAddressList();
    m_wndFilter.SetBlockedCount(0);
    return TRUE;
}

BOOL CMainFrame::CreateRebar() {
    return m_wndReBar.Create(this, RBS_BANDBORDERS,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                             kRebarId);
}

BOOL CMainFrame::CreateStandardBar() {
    static const UINT buttons[] = {ID_FILE_NEW,  ID_GO_BACK,      ID_GO_FORWARD, ID_STOP,
                                   ID_REFRESH,   ID_SEPARATOR,    ID_GO_HOME,    ID_GO_SEARCH,
                                   ID_FAVORITES, ID_HISTORY,      ID_SEPARATOR,  ID_PRINT_PREVIEW,
                                   ID_SEPARATOR, ID_PAGE_OPTIONS, ID_DESKVANE,   ID_NET_FAVORITES};
    static const UINT dropDowns[] = {ID_GO_BACK, ID_GO_FORWARD, ID_REFRESH, ID_FAVORITES,
                                     ID_PAGE_OPTIONS};
    return CreateStandardBar(buttons, dropDowns);
}

BOOL CMainFrame::CreateStandardBar(std::span<const UINT> buttons, std::span<const UINT> dropDowns) {
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, kBarStyle, CRect(0, 0, 0, 0), kStandardBarId)) {
        return FALSE;
    }
    m_wndToolBar.ModifyStyle(0, TBSTYLE_LIST | TBSTYLE_TRANSPARENT | TBSTYLE_FLAT);
    m_wndToolBar.SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    if (!LoadImageList(m_imagesDisabled, IDB_TOOLBAR_DISABLED) ||
        !LoadImageList(m_imagesNormal, IDB_TOOLBAR) ||
        !LoadImageList(m_imagesHot, IDB_TOOLBAR_HOT)) {
        return FALSE;
    }
    m_wndToolBar.SendMessage(TB_SETDISABLEDIMAGELIST, 0,
                             reinterpret_cast<LPARAM>(m_imagesDisabled.GetSafeHandle()));
    m_wndToolBar.SendMessage(TB_SETIMAGELIST, 0,
                             reinterpret_cast<LPARAM>(m_imagesNormal.GetSafeHandle()));
    m_wndToolBar.SendMessage(TB_SETHOTIMAGELIST, 0,
                             reinterpret_cast<LPARAM>(m_imagesHot.GetSafeHandle()));
    if (!m_wndToolBar.SetButtons(buttons.data(), static_cast<int>(buttons.size()))) {
        return FALSE;
    }
    for (UINT id : dropDowns) {
        const int index = m_wndToolBar.CommandToIndex(id);
        m_wndToolBar.SetButtonStyle(index, m_wndToolBar.GetButtonStyle(index) | TBSTYLE_DROPDOWN);
    }
    m_wndToolBar.SetSizes(CSize(33, 30), CSize(25, 23));
    return TRUE;
}

BOOL CMainFrame::CreateMenuButtonBar() {
    if (!m_wndMenuBar.CreateEx(this, TBSTYLE_FLAT, kBarStyle)) {
        return FALSE;
    }
    if (!m_wndMenuButton.Create("菜 单", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 60, 24),
                                &m_wndMenuBar, IDC_MENU_BUTTON)) {
        return FALSE;
    }
    m_wndMenuButton.SetBitmap(60, 24, IDB_MENU_BUTTON, "显示菜单");
    UseNormalFont(m_wndMenuButton);
    return TRUE;
}

BOOL CMainFrame::CreateBusyBar() {
    if (!m_wndBusyBar.CreateEx(this, TBSTYLE_FLAT, kBarStyle)) {
        return FALSE;
    }
    return m_wndBusy.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(1, 4, 25, 28),
                            &m_wndBusyBar, 0);
}

BOOL CMainFrame::CreateAddressBar() {
    if (!m_wndAddressBar.CreateEx(this, TBSTYLE_FLAT, kBarStyle)) {
        return FALSE;
    }
    static const UINT placeholder[] = {ID_SEPARATOR};
    m_wndAddressBar.SetButtons(placeholder, 1);
    m_wndAddressBar.SetSizes(CSize(26, 25), CSize(18, 18));

    if (!m_wndEngine.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                            CRect(0, 3, 100, 303), &m_wndAddressBar, IDC_ENGINE)) {
        return FALSE;
    }
    UseNormalFont(m_wndEngine);
    for (const CString& name : m_store.engineNames) {
        m_wndEngine.AddString(name);
    }
    m_wndEngine.SetCurSel(0);

    if (!m_wndKeyword.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "关健词",
                               WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(103, 3, 203, 23),
                               &m_wndAddressBar, IDC_KEYWORD)) {
        return FALSE;
    }
    UseNormalFont(m_wndKeyword);
    if (!CreateHoverButton(m_wndSearch, "GO", CRect(206, 2, 226, 22), &m_wndAddressBar, IDC_SEARCH,
                           IDB_GO, "打开搜索结果")) {
        return FALSE;
    }
    if (!m_wndAddressLabel.Create("地址:", WS_CHILD | WS_VISIBLE, CRect(230, 6, 270, 22),
                                  &m_wndAddressBar, IDC_ADDRESS_LABEL)) {
        return FALSE;
    }
    UseNormalFont(m_wndAddressLabel);
    if (!m_wndAddress.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                             CRect(270, 2, 500, 202), &m_wndAddressBar, IDC_ADDRESS)) {
        return FALSE;
    }
    UseNormalFont(m_wndAddress);
    return CreateHoverButton(m_wndGo, "打开", CRect(500, 1, 520, 21), &m_wndAddressBar, IDC_GO,
                             IDB_GO, "在新窗口中打开网页");
}

void CMainFrame::AddRebarBands() {
    m_wndReBar.AddBar(&m_wndToolBar, nullptr, nullptr, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    m_wndReBar.AddBar(&m_wndMenuBar, nullptr, nullptr, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    // These two bars have no tool buttons to measure: each band is sized to hold its one button.
    SetBandChildSize(m_wndReBar, kMenuButtonBand, CSize(60, 24));
    m_wndReBar.AddBar(&m_wndBusyBar, nullptr, nullptr, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    SetBandChildSize(m_wndReBar, kBusyBand, CSize(26, 28));
    m_wndReBar.AddBar(&m_wndAddressBar, nullptr, nullptr, RBBS_BREAK | RBBS_NOGRIPPER);
}

BOOL CMainFrame::CreateTabBar() {
    if (!m_wndTabBar.CreateEx(this, TBSTYLE_FLAT, kBarStyle)) {
        return FALSE;
    }
    m_wndTabBar.SetWindowText("tab");
    static const UINT placeholder[] = {IDC_PAGE_TAB};
    m_wndTabBar.SetButtons(placeholder, 1);
    m_wndTabBar.SetButtonText(0, "tab");
    // One button as wide as any screen keeps the docked bar spanning the whole window.
    m_wndTabBar.SetSizes(CSize(5008, 22), CSize(5000, 15));

    if (!m_wndTab.Create(WS_CHILD | WS_VISIBLE | TCS_OWNERDRAWFIXED, CRect(0, 0, 100, 22),
                         &m_wndTabBar, IDC_PAGE_TAB)) {
        return FALSE;
    }
    // The tabs are 20 pixels high; each is as wide as its title.
    m_wndTab.SetItemSize(CSize(20, 20));
    UseNormalFont(m_wndTab);

    if (!CreateHoverButton(m_wndCloseTab, "X", CRect(0, 2, 20, 22), &m_wndTabBar, IDC_CLOSE_TAB,
                           IDB_CLOSE_TAB, "关闭当前网页")) {
        return FALSE;
    }
    if (!CreateHoverButton(
            m_wndFilterSettings, "", CRect(0, 2, 20, 22), &m_wndTabBar, ID_FILTER_SETTINGS,
            m_store.filterPaused != 0 ? IDB_FILTER_PAUSED : IDB_FILTER_ON, "设置网页搜索功能")) {
        return FALSE;
    }
    if (!m_wndFilter.Create("弹出菜单管理", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                            CRect(0, 2, 100, 22), &m_wndTabBar, IDC_FILTER_BUTTON)) {
        return FALSE;
    }
    m_wndFilter.SetTip("网页过滤工具条,点击查看详细过滤设置");
    UseNormalFont(m_wndFilter);
    if (!m_wndMusic.CreateEx(WS_EX_CLIENTEDGE, "EDIT", m_store.musicBoxText,
                             WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 0, 0),
                             &m_wndTabBar, IDC_MUSIC)) {
        return FALSE;
    }
    UseNormalFont(m_wndMusic);
    if (!CreateHoverButton(m_wndMusicSearch, "GO", CRect(0, 0, 0, 0), &m_wndTabBar,
                           IDC_MUSIC_SEARCH, IDB_GO, "打开歌曲")) {
        return FALSE;
    }
    return CreateHoverButton(m_wndPageSettings, "...", CRect(0, 0, 0, 0), &m_wndTabBar,
                             IDC_PAGE_SETTINGS, IDB_PAGE_SETTINGS, "设置当前网页属性", 0);
}

BOOL CMainFrame::CreateStatusBar() {
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_PROGRESS, ID_INDICATOR_SIZE};
    return CreateStatusBar(indicators);
}

BOOL CMainFrame::CreateStatusBar(std::span<const UINT> indicators) {
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, kStatusBarId) ||
        !m_wndStatusBar.SetIndicators(indicators.data(), static_cast<int>(indicators.size()))) {
        return FALSE;
    }
    return m_wndStatusBar.CreateProgress();
}

void CMainFrame::ShowBand(UINT bandId, BOOL show) {
    const LRESULT index = m_wndReBar.SendMessage(RB_IDTOINDEX, bandId);
    if (index >= 0) {
        m_wndReBar.SendMessage(RB_SHOWBAND, static_cast<WPARAM>(index), show);
    }
}

int CMainFrame::BandWidth(UINT bandId) const {
    const LRESULT index = m_wndReBar.SendMessage(RB_IDTOINDEX, bandId);
    RECT band{};
    if (index < 0 || !m_wndReBar.SendMessage(RB_GETRECT, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(&band))) {
        return 0;
    }
    return band.right - band.left;
}

void CMainFrame::ApplyBarOptions() {
    const BOOL maximal = m_store.tabMaximized != 0;
    ShowBand(kAddressBand, TRUE);
    ShowBand(kBusyBand, !maximal);
    ShowBand(kMenuButtonBand, !maximal);
    ShowBand(kStandardBand, !maximal);
    if (!maximal) {
        ShowControlBar(&m_wndStatusBar, TRUE, FALSE);
    }
    DockControlBar(&m_wndTabBar,
                   m_store.tabsAtBottom == 1 ? AFX_IDW_DOCKBAR_BOTTOM : AFX_IDW_DOCKBAR_TOP);
}

void CMainFrame::RecalcLayout(BOOL bNotify) {
    LayoutBars();
    CFrameWnd::RecalcLayout(bNotify);
}

void CMainFrame::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
    LayoutBars();
    CFrameWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

void CMainFrame::OnSize(UINT nType, int cx, int cy) {
    CFrameWnd::OnSize(nType, cx, cy);
    LayoutBars();
}

void CMainFrame::LayoutBars() {
    CSingleLock lock(&m_tabLock, TRUE);
    if (m_hWnd != nullptr) {
        GetWindowRect(&m_store.windowRect);
    }
    CView* pView = PageArea();
    if (m_wndTab.GetSafeHwnd() == nullptr || pView == nullptr || pView->GetSafeHwnd() == nullptr) {
        return;
    }
    CRect menuBar;
    m_wndMenuBar.GetClientRect(&menuBar);
    m_wndMenuButton.MoveWindow(menuBar.left, (menuBar.Height() - 24) / 2, 60, 24);

    pView->GetClientRect(&m_pageRect);
    m_pageRect.InflateRect(2, 2);
    CRect client;
    GetClientRect(&client);
    LayoutBarControls(client);
    const int count = GetTabCount();
    for (int i = 0; i < count; ++i) {
        m_pages[i]->MoveWindow(&m_pageRect);
    }
}

void CMainFrame::LayoutBarControls(const CRect& client) {
    LayoutTabBar(client.right);
    LayoutAddressBar(BandWidth(kAddressBand));
    CString size;
    size.Format(" (%d,%d) ", m_pageRect.Width(), m_pageRect.Height());
    m_wndStatusBar.SetPaneText(2, size);
}

void CMainFrame::LayoutTabBar(int right) {
    m_wndFilter.MoveWindow(right - 103, 2, 100, 20);
    m_wndFilterSettings.MoveWindow(right - 126, 2, 20, 20);
    m_wndCloseTab.MoveWindow(right - 149, 2, 20, 20);
    m_wndTab.MoveWindow(0, 0, right - 152, 22);
    m_wndMusic.MoveWindow(0, 0, 0, 0);
    m_wndMusicSearch.MoveWindow(0, 0, 0, 0);
    m_wndPageSettings.MoveWindow(0, 0, 0, 0);
}

void CMainFrame::LayoutAddressBar(int width) {
    const int show = width > kMinAddressBandWidth ? SW_SHOW : SW_HIDE;
    m_wndAddress.ShowWindow(show);
    m_wndGo.ShowWindow(show);
    m_wndEngine.MoveWindow(0, 3, 100, 300);
    m_wndKeyword.MoveWindow(103, 3, 100, 20);
    m_wndSearch.MoveWindow(206, 2, 20, 20);
    m_wndGo.MoveWindow(width - 33, 1, 20, 20);
    m_wndAddress.MoveWindow(270, 2, (width - 35) - 270, 230);
    m_wndAddressLabel.MoveWindow(230, 6, 40, 20);
}

void CMainFrame::RedrawSkin() {
    Invalidate(TRUE);
    for (CWnd* pBar : std::initializer_list<CWnd*>{&m_wndStatusBar, &m_wndToolBar, &m_wndTabBar,
                                                   &m_wndAddressBar, &m_wndMenuBar}) {
        if (pBar->GetSafeHwnd() != nullptr) {
            pBar->Invalidate(TRUE);
        }
    }
    if (m_wndFilter.GetSafeHwnd() != nullptr) {
        m_wndFilter.TakeSkinColors();
    }
}

void CMainFrame::ShowBlockedList() {
    m_blockedMenu.Show(m_wndFilter, m_store.blockedUrls, this);
}

void CMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    CMenuEx::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

void CMainFrame::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    CFrameWnd::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
    CMenuEx::OnMeasureItem(lpMeasureItemStruct);
}

AFX_THREADPROC CMainFrame::UpdateProcedure() const {
    return UpdateThread;
}

void CMainFrame::StartUpdateThread() {
    auto* pThread = new CWinThread(UpdateProcedure(), this);
    // The frame joins the thread at close and deletes the object itself.
    pThread->m_bAutoDelete = FALSE;
    // Registered before it runs: the thread clears the store's pointer when it ends.
    if (!pThread->CreateThread(CREATE_SUSPENDED)) {
        delete pThread;
        return;
    }
    m_pUpdateThread = pThread;
    m_store.updateThread = pThread;
    pThread->ResumeThread();
}

void CMainFrame::StopUpdateThread() {
    if (m_pUpdateThread == nullptr) {
        return;
    }
    // The thread's downloads give up within a fraction of a second once it is asked to stop; only
    // a name lookup can keep it longer.
    constexpr DWORD kJoinMilliseconds = 2000;
    m_store.updateThread = nullptr;
    platform::RequestStop(m_pUpdateThread->m_hThread);
    if (::WaitForSingleObject(m_pUpdateThread->m_hThread, kJoinMilliseconds) == WAIT_OBJECT_0) {
        delete m_pUpdateThread;
    }
    // A thread still running keeps its object, which it uses until it returns: it is left to
    // the process's exit, which waits for the thread once more.
    m_pUpdateThread = nullptr;
}

BOOL CMainFrame::DestroyWindow() {
    StopUpdateThread();
    {
        CSingleLock lock(&m_tabLock, TRUE);
        const int count = GetTabCount();
        for (int i = 0; i < count; ++i) {
            DestroyPage(m_pages[i]);
            m_pages[i] = nullptr;
        }
        if (m_wndTab.GetSafeHwnd() != nullptr) {
            m_wndTab.DeleteAllItems();
        }
        m_pCurrentPage = nullptr;
    }
    if (m_hWnd != nullptr) {
        GetWindowRect(&m_store.windowRect);
    }
    m_store.SaveAll();
    return CFrameWnd::DestroyWindow();
}
