#include "browser/MainFrame.h"

#include <utility>

#include "browser/BrowserDataStore.h"
#include "browser/PageDlg.h"
#include "common/TruncateText.h"
#include "platform/com/Exception.h"
#include "platform/framework/AfxMessageBox.h"
#include "platform/framework/View.h"
#include "platform/threads/SingleLock.h"
#include "resources/quorra/resource.h"

namespace {

CMainFrame* mainFrame = nullptr;

}  // namespace

CMainFrame* GetMainFrame() {
    return mainFrame;
}

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_INITMENUPOPUP()
ON_WM_MEASUREITEM()
ON_NOTIFY(TCN_SELCHANGE, IDC_PAGE_TAB, OnTabSelChange)
ON_COMMAND(IDC_GO, OnGo)
ON_COMMAND(IDC_CLOSE_TAB, OnCloseTab)
ON_COMMAND(ID_CLOSE_PAGE, OnCloseTab)
ON_COMMAND(ID_CLOSE_ALL_PAGES, OnCloseAllTabs)
ON_COMMAND_RANGE(CBlockedListMenu::kFirstCommand, CBlockedListMenu::kLastCommand, OnBlockedPage)
// Commands of the menus, tool bars, buttons and keys.
ON_COMMAND(IDC_SEARCH, OnSearch)
ON_COMMAND(IDC_MUSIC_SEARCH, OnMusicSearch)
ON_COMMAND(IDC_MENU_BUTTON, OnMenuButton)
ON_COMMAND(ID_SKIN, OnSkin)
ON_COMMAND(ID_FILTER_SETTINGS, OnFilterSettings)
ON_COMMAND(ID_STOP, OnStop)
ON_COMMAND(ID_REFRESH, OnRefresh)
ON_COMMAND(ID_ADD_FAVORITE, OnAddFavorite)
ON_COMMAND(ID_ORGANIZE_FAVORITES, OnOrganizeFavorites)
ON_COMMAND_RANGE(ID_FONT_LARGEST, ID_FONT_SMALLEST, OnFontSize)
ON_COMMAND(ID_GO_BACK, OnGoBack)
ON_COMMAND(ID_GO_FORWARD, OnGoForward)
ON_UPDATE_COMMAND_UI(ID_GO_BACK, OnUpdateGoBack)
ON_UPDATE_COMMAND_UI(ID_GO_FORWARD, OnUpdateGoForward)
ON_COMMAND(ID_GO_HOME, OnGoHome)
ON_COMMAND(ID_START_PAGE, OnGoHome)
ON_COMMAND(ID_GO_SEARCH, OnGoSearch)
ON_COMMAND(ID_SITE_DIRECTORY, OnGoSearch)
ON_COMMAND(ID_FAVORITES, OnFavoritesButton)
ON_COMMAND_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_TOOLBAR, OnToggleBand)
ON_COMMAND_RANGE(ID_VIEW_ADDRESS_BAR, ID_VIEW_ADDRESS_BAR, OnToggleBand)
ON_COMMAND_RANGE(ID_VIEW_BUSY_BAR, ID_VIEW_BUSY_BAR, OnToggleBand)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateBand)
ON_UPDATE_COMMAND_UI(ID_VIEW_ADDRESS_BAR, OnUpdateBand)
ON_UPDATE_COMMAND_UI(ID_VIEW_BUSY_BAR, OnUpdateBand)
ON_COMMAND_RANGE(ID_PRINT, ID_PAGE_SETUP, OnDocumentCommand)
ON_COMMAND_RANGE(ID_SAVE_AS, ID_SAVE_HTML, OnBrowserCommand)
ON_COMMAND_RANGE(ID_EDIT_COPY, ID_EDIT_CUT, OnBrowserCommand)
ON_COMMAND_RANGE(ID_EDIT_PASTE, ID_EDIT_PASTE, OnBrowserCommand)
ON_COMMAND_RANGE(ID_EDIT_SELECT_ALL, ID_EDIT_SELECT_ALL, OnBrowserCommand)
ON_COMMAND_RANGE(ID_INTERNET_OPTIONS, ID_INTERNET_OPTIONS, OnMshtmlCommand)
ON_COMMAND_RANGE(ID_VIEW_SOURCE, ID_VIEW_SOURCE, OnMshtmlCommand)
ON_COMMAND_RANGE(ID_EDIT_FIND, ID_EDIT_FIND, OnMshtmlCommand)
ON_COMMAND_RANGE(ID_CHARSET_WESTERN, ID_CHARSET_SHIFT_JIS, OnCharset)
ON_COMMAND_RANGE(ID_CHARSET_EUC_JP, ID_CHARSET_JAPANESE_AUTO, OnCharset)
ON_COMMAND(ID_CHARSET_AUTO_SELECT, OnAutoSelectCharset)
ON_COMMAND(ID_CLEAR_HISTORY, OnClearHistory)
ON_COMMAND(ID_RUNELOOM, OnRuneloom)
ON_COMMAND(ID_FINDLARK, OnFindlark)
ON_COMMAND(ID_GLINTORA, OnGlintora)
ON_COMMAND(ID_DESKVANE, OnDeskvane)
ON_COMMAND(ID_REPORT_PROBLEM, OnReportProblem)
ON_COMMAND_RANGE(ID_OFFICIAL_SITE, ID_OFFICIAL_SITE, OnMakerPage)
ON_COMMAND_RANGE(ID_NET_FAVORITES, ID_NET_FAVORITES, OnMakerPage)
ON_COMMAND_RANGE(ID_VISIT_SITE, ID_VISIT_SITE, OnMakerPage)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_NOTIFY(TBN_DROPDOWN, CMainFrame::kStandardBarId, OnToolBarDropDown)
ON_COMMAND_RANGE(CTravelLogHelper::kBackBaseId, CTravelLogHelper::kBackBaseId + 10, OnTravelBack)
ON_COMMAND_RANGE(CTravelLogHelper::kForwardBaseId, CTravelLogHelper::kForwardBaseId + 10,
                 OnTravelForward)
ON_COMMAND_RANGE(CMainFrame::kFirstFavorite, CMainFrame::kLastFavorite, OnFavorite)
ON_COMMAND(ID_PAGE_OPTIONS, OnPageOptions)
ON_COMMAND(ID_AUTO_REFRESH, OnAutoRefresh)
ON_COMMAND(ID_HISTORY, OnHistory)
ON_COMMAND(ID_EXTRACT, OnExtract)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_store(DataStore()) {}

CMainFrame::~CMainFrame() {
    StopUpdateThread();
    if (mainFrame == this) {
        mainFrame = nullptr;
    }
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    mainFrame = this;
    if (!CreateBars()) {
        return -1;
    }
    StartUpdateThread();
    return 0;
}

CString CMainFrame::CaptionSuffix() const {
    return " - Quorra浏览器";
}

CPageDlg* CMainFrame::NewPage() {
    return new CPageDlg(*this, m_store);
}

CView* CMainFrame::PageArea() const {
    if (CView* pView = GetActiveView()) {
        return pView;
    }
    CWnd* pPane = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
    return pPane != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pPane)
                                                                     : nullptr;
}

int CMainFrame::GetTabCount() const {
    return m_wndTab.GetSafeHwnd() != nullptr ? m_wndTab.GetItemCount() : 0;
}

int CMainFrame::GetCurrentIndex() const {
    return m_wndTab.GetSafeHwnd() != nullptr ? m_wndTab.GetCurSel() : -1;
}

CPageDlg* CMainFrame::GetPageAt(int index) const {
    return index >= 0 && index < GetTabCount() ? m_pages[index] : nullptr;
}

int CMainFrame::FindPageIndex(const CPageDlg* pPage) const {
    const int count = GetTabCount();
    for (int i = 0; i < count; ++i) {
        if (m_pages[i] == pPage) {
            return i;
        }
    }
    return -1;
}

CPageDlg* CMainFrame::GetPage(int newTab) {
    const int current = GetCurrentIndex();
    if (newTab == 0 && current >= 0) {
        return m_pages[current];
    }
    const int count = GetTabCount();
    if (count >= kMaxTabs) {
        AfxMessageBox("网页个数己超过最大限制", MB_OK);
        return nullptr;
    }
    CPageDlg* pPage = nullptr;
    try {
        pPage = NewPage();
        if (!pPage->Create(CPageDlg::IDD, PageArea())) {
            delete pPage;
            return nullptr;
        }
        pPage->MoveWindow(0, 0, 1, 1);
    } catch (CException* e) {
        e->Delete();
        delete pPage;
        return nullptr;
    }
    const int position = static_cast<int>(m_wndTab.InsertItem(current + 1, "about:blank"));
    for (int i = count; i > position; --i) {
        m_pages[i] = m_pages[i - 1];
    }
    m_pages[position] = pPage;
    if (m_store.activateNewPage == 1) {
        m_wndTab.SetCurSel(position);
        if (CPageDlg* pShown = ActivatePage()) {
            MakeCurrent(pShown);
        }
    }
    return pPage;
}

int CMainFrame::OpenUrl(CString url, int newTab, int activate) {
    return OpenPage(url, newTab, activate) != nullptr ? 0 : 1;
}

CPageDlg* CMainFrame::OpenPage(CString url, int newTab, int activate) {
    CPageDlg* pPage = GetPage(newTab);
    if (pPage == nullptr) {
        return nullptr;
    }
    pPage->m_strUrl = url;
    m_wndAddress.SetWindowText(url);
    pPage->m_wndBrowser.Navigate(url, nullptr, nullptr, nullptr, nullptr);
    if (activate != 0) {
        m_wndTab.SetCurSel(FindPageIndex(pPage));
        m_pCurrentPage = pPage;
        ActivatePage();
    }
    return pPage;
}

CPageDlg* CMainFrame::ActivatePage() {
    CSingleLock lock(&m_tabLock, TRUE);
    const int current = GetCurrentIndex();
    const int count = GetTabCount();
    if (current < 0 || count <= 0) {
        return nullptr;
    }
    for (int i = 0; i < count; ++i) {
        CPageDlg* pPage = m_pages[i];
        if (i == current) {
            if (pPage->m_wndBrowser.GetSafeHwnd() != nullptr) {
                CRect client;
                pPage->GetClientRect(&client);
                pPage->m_wndBrowser.MoveWindow(&client);
            }
            pPage->ShowWindow(SW_SHOW);
            SetWindowText(pPage->m_strTitle);
            pPage->MoveWindow(&m_pageRect);
        } else {
            pPage->m_wndBrowser.MoveWindow(0, 0, 0, 0);
            pPage->ShowWindow(SW_HIDE);
        }
    }
    return m_pages[current];
}

void CMainFrame::MakeCurrent(CPageDlg* pPage) {
    m_pCurrentPage = pPage;
    UpdatePageTitle(pPage);
    UpdateAddressText(pPage);
    UpdateProgress(pPage);
}

void CMainFrame::OnTabSelChange(NMHDR*, LRESULT* pResult) {
    if (CPageDlg* pPage = ActivatePage()) {
        MakeCurrent(pPage);
    }
    *pResult = 0;
}

void CMainFrame::UpdatePageTitle(CPageDlg* pPage) {
    CSingleLock lock(&m_tabLock, TRUE);
    if (m_wndTab.GetSafeHwnd() == nullptr || pPage == nullptr) {
        return;
    }
    CString text = " ";
    if (pPage->m_wndBrowser.GetSafeHwnd() != nullptr) {
        text = pPage->m_strTitle;
    }
    if (pPage == m_pCurrentPage) {
        const CString caption = text + CaptionSuffix();
        CString present;
        GetWindowText(present);
        if (present != caption) {
            SetWindowText(caption);
        }
    }
    const int index = FindPageIndex(pPage);
    if (index >= 0) {
        TruncateText(text, kTabTextWidth);
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(text));
        m_wndTab.SetItem(index, &item);
    }
}

void CMainFrame::UpdateStatusText(CPageDlg* pPage) {
    CSingleLock lock(&m_tabLock, TRUE);
    const int current = GetCurrentIndex();
    if (current < 0 || pPage == nullptr || m_pages[current] != pPage) {
        return;
    }
    m_wndStatusBar.SetPaneText(0, pPage->m_strStatusText);
}

void CMainFrame::UpdateAddressText(CPageDlg* pPage) {
    CSingleLock lock(&m_tabLock, TRUE);
    const int current = GetCurrentIndex();
    if (current < 0 || pPage == nullptr || m_pages[current] != pPage) {
        return;
    }
    m_wndAddress.SetWindowText(pPage->m_strUrl);
}

void CMainFrame::UpdateProgress(CPageDlg* pPage) {
    CSingleLock lock(&m_tabLock, TRUE);
    const int current = GetCurrentIndex();
    if (current < 0 || pPage == nullptr || m_pages[current] != pPage) {
        return;
    }
    m_wndStatusBar.progress.SetProgress(pPage->m_nProgress);
}

void CMainFrame::MoveTab(int from, int to) {
    const int count = GetTabCount();
    if (from < 0 || to < 0 || from >= count || to >= count) {
        return;
    }
    {
        CSingleLock lock(&m_tabLock, TRUE);
        std::swap(m_pages[from], m_pages[to]);
        m_wndTab.SetCurSel(to);
    }
    try {
        ActivatePage();
        m_pCurrentPage = m_pages[to];
        UpdatePageTitle(m_pages[from]);
        UpdatePageTitle(m_pages[to]);
        UpdateStatusText(m_pCurrentPage);
        UpdateAddressText(m_pCurrentPage);
        UpdateProgress(m_pCurrentPage);
    } catch (CException* e) {
        e->Delete();
    }
}

void CMainFrame::DestroyPage(CPageDlg* pPage) {
    pPage->m_bClosing = 1;
    pPage->DestroyWindow();
    delete pPage;
}

int CMainFrame::CloseTab(int index) {
    const int count = GetTabCount();
    // An index past the last tab names no page; the array beyond the count holds stale pointers.
    if (index < 0 || index >= count) {
        return 0;
    }
    CSingleLock lock(&m_tabLock, TRUE);
    try {
        CPageDlg* pClosed = m_pages[index];
        if (pClosed == m_pCurrentPage) {
            m_pCurrentPage = nullptr;
        }
        DestroyPage(pClosed);
        for (int i = index; i < count - 1; ++i) {
            m_pages[i] = m_pages[i + 1];
        }
        m_pages[count - 1] = nullptr;
        m_wndTab.DeleteItem(index);
        const int select = index - 1 < 0 ? 0 : index - 1;
        if (select < count - 1) {
            m_wndTab.SetCurSel(select);
            ActivatePage();
            MakeCurrent(m_pages[select]);
            UpdateStatusText(m_pages[select]);
        } else {
            m_pCurrentPage = nullptr;
            OpenUrl("about:blank", 1, 1);
        }
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}

void CMainFrame::CloseAllTabs() {
    if (AfxMessageBox("你确定要关闭所有网页吗?", MB_YESNO) != IDYES) {
        return;
    }
    CSingleLock lock(&m_tabLock, TRUE);
    const int count = GetTabCount();
    for (int i = 0; i < count; ++i) {
        DestroyPage(m_pages[i]);
        m_pages[i] = nullptr;
        m_wndTab.DeleteItem(0);
    }
    m_pCurrentPage = nullptr;
    OpenUrl("about:blank", 1, 1);
}

void CMainFrame::OnCloseTab() {
    CloseTab(GetCurrentIndex());
}

void CMainFrame::OnCloseAllTabs() {
    CloseAllTabs();
}

void CMainFrame::OnBlockedPage(UINT nID) {
    m_blockedMenu.OpenBlockedPage(nID, m_store, *this);
}

void CMainFrame::StartBusy() {
    CSingleLock lock(&m_tabLock, TRUE);
    m_wndBusy.StartBusy();
}

void CMainFrame::StopBusy() {
    CSingleLock lock(&m_tabLock, TRUE);
    m_wndBusy.StopBusy();
}

int CMainFrame::CheckUrlBlocked(CString url) {
    if (!m_store.IsUrlBlocked(url)) {
        return 0;
    }
    const int added = m_store.AddBlockedUrl(url);
    if (added != 0) {
        m_wndFilter.SetBlockedCount(static_cast<int>(m_store.blockedUrls.size()));
        m_wndFilter.StartBlink();
    }
    return added;
}

void CMainFrame::RefillAddressList() {
    m_wndAddress.RefillFromVisited(m_store);
}

void CMainFrame::GoToAddress() {
    OnGo();
}

void CMainFrame::OnGo() {
    CString text;
    m_wndAddress.GetWindowText(text);
    if (text.IsEmpty()) {
        return;
    }
    if (m_store.AddVisitedUrl(text) != 0) {
        RefillAddressList();
    }
    OpenTypedAddress(text);
}

void CMainFrame::OpenTypedAddress(CString text) {
    OpenUrl(text, 0, 1);
}
