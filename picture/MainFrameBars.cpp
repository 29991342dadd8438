#include <iterator>

#include "browser/BrowserDataStore.h"
#include "browser/PageDlg.h"
#include "common/AppFolder.h"
#include "picture/ExtractTemplate.h"
#include "picture/ImageSearchResults.h"
#include "picture/MainFrame.h"
#include "platform/framework/View.h"
#include "platform/threads/SingleLock.h"
#include "resources/glintora/resource.h"

namespace glintora {

namespace {

constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;

// A text button of the picture collector's bars: 80 x 30.
BOOL CreateTextButton(CHoverButton& button, LPCSTR text, const RECT& rect, CWnd* parent, UINT id,
                      LPCSTR tip) {
    return ::CMainFrame::CreateHoverButton(button, text, rect, parent, id, 0, tip);
}

BOOL CreateImageButton(CHoverButton& button, CWnd* parent, UINT id, UINT bitmapId, LPCSTR tip) {
    return ::CMainFrame::CreateHoverButton(button, "", CRect(0, 0, 20, 20), parent, id, bitmapId,
                                           tip);
}

}  // namespace

BOOL CMainFrame::CreateBars() {
    m_pRelay = std::make_shared<CScriptRelay>(*this);
    if (!CreateRebar() || !CreatePictureStandardBar() || !CreateMenuButtonBar() ||
        !CreateBusyBar() || !CreateAddressBar()) {
        return FALSE;
    }
    AddRebarBands();
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_PROGRESS};
    if (!CreateFavoriteBar() || !CreatePictureTabBar() || !CreateStatusBar(indicators) ||
        !CreatePanes()) {
        return FALSE;
    }
    // Every hover button of this window, the browser's included, draws its caption over its
    // image in the skin's button colours.
    for (CHoverButton* pButton :
         {&m_wndMenuButton, &m_wndSearch, &m_wndGo, &m_wndCloseTab, &m_wndFilterSettings,
          &m_wndPageSettings, &m_wndPictureSearch, &m_wndPictureUrlGo, &m_wndHome, &m_wndRecommend,
          &m_wndFavoriteToggle, &m_wndAbout, &m_wndFavoriteAdd, &m_wndFavoriteDelete}) {
        pButton->captionOverImage = TRUE;
    }
    m_wndTabBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    m_wndFavoriteBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndTabBar);
    DockControlBar(&m_wndFavoriteBar, AFX_IDW_DOCKBAR_LEFT);
    ApplyBarOptions();

    // The picture collector's main menu has no favourites.
    SetMenu(nullptr);
    m_refreshMenu.LoadMenu(IDR_REFRESH_MENU);
    m_pMainMenu = std::make_unique<CMenuEx>();
    m_pMainMenu->LoadMenu(IDR_MAINFRAME);
    m_travelMenu.CreatePopupMenu();
    m_blockedMenu.LoadMenu();
    RefillAddressList();
    m_wndFilter.SetBlockedCount(0);

    ExtractTemplate().Load();
    // The search service's hosts may be named in the template; the built-in ones stand otherwise.
    const CSectionedFile& sections = ExtractTemplate().GetFile();
    const CDataEntry* pImageHost = sections.FindBlock(".image_search_host");
    const CDataEntry* pWebHost = sections.FindBlock(".web_search_host");
    CImageSearchResults::SetSearchHosts(
        pImageHost != nullptr ? pImageHost->m_strValue : CImageSearchResults::ImageHost(),
        pWebHost != nullptr ? pWebHost->m_strValue : CImageSearchResults::WebHost());
    m_leftPane.m_wndBrowser.Navigate(GetAppFolderNoChdir() + "data\\left.htm", nullptr, nullptr,
                                     nullptr, nullptr);
    return TRUE;
}

BOOL CMainFrame::CreatePictureStandardBar() {
    static const UINT buttons[] = {ID_GO_BACK,     ID_GO_FORWARD, ID_STOP,          ID_REFRESH,
                                   ID_SEPARATOR,   ID_GO_HOME,    ID_GO_SEARCH,     ID_FAVORITES,
                                   ID_HISTORY,     ID_SEPARATOR,  ID_PRINT_PREVIEW, ID_SEPARATOR,
                                   ID_PAGE_OPTIONS};
    static const UINT dropDowns[] = {ID_GO_BACK, ID_GO_FORWARD, ID_FAVORITES, ID_PAGE_OPTIONS};
    if (!CreateStandardBar(buttons, dropDowns)) {
        return FALSE;
    }
    // The tool pictures are the browser's, whose first one (a new window) this bar does not
    // show: every button takes the picture one further on.
    for (int index = 0; index < static_cast<int>(std::size(buttons)); ++index) {
        UINT id = 0;
        UINT style = 0;
        int image = 0;
        m_wndToolBar.GetButtonInfo(index, id, style, image);
        if (id != ID_SEPARATOR) {
            m_wndToolBar.SetButtonInfo(index, id, style, image + 1);
        }
    }
    return TRUE;
}

BOOL CMainFrame::CreateFavoriteBar() {
    if (!m_wndFavoriteBar.CreateEx(
            this, TBSTYLE_FLAT,
            WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_TOOLTIPS | CBRS_FLYBY, CRect(0, 0, 0, 0),
            kFavoriteBarId)) {
        return FALSE;
    }
    m_wndFavoriteBar.SetWindowText("tree");
    static const UINT placeholder[] = {ID_SEPARATOR};
    m_wndFavoriteBar.SetButtons(placeholder, 1);
    // One button as tall as any screen keeps the docked bar spanning the window's height.
    m_wndFavoriteBar.SetSizes(CSize(kFavoriteBarWidth, 5008), CSize(kFavoriteBarWidth - 8, 5000));
    m_nFavoriteBarShown = 1;
    if (!CreateTextButton(m_wndFavoriteAdd, "收藏", CRect(3, 3, 83, 33), &m_wndFavoriteBar,
                          ID_MENU_BUTTON_ADD, "收藏") ||
        !CreateTextButton(m_wndFavoriteDelete, "删除", CRect(86, 3, 166, 33), &m_wndFavoriteBar,
                          ID_MENU_BUTTON_DEL, "删除")) {
        return FALSE;
    }
    constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_BORDER |
                                 LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (!m_wndFavoriteList.Create(kListStyle | LBS_SORT, CRect(0, 0, 1, 1), &m_wndFavoriteBar,
                                  IDC_FAVORITE_LIST) ||
        !m_wndClassList.Create(kListStyle, CRect(0, 0, 1, 1), &m_wndFavoriteBar, IDC_CLASS_LIST)) {
        return FALSE;
    }
    for (CFavoriteListBox* pList : {&m_wndFavoriteList, &m_wndClassList}) {
        pList->ModifyStyleEx(0, WS_EX_CLIENTEDGE);
        UseNormalFont(*pList);
    }
    LoadFavoriteEntries();
    LoadClassList();
    return TRUE;
}

BOOL CMainFrame::CreatePictureTabBar() {
    if (!m_wndTabBar.CreateEx(this, TBSTYLE_FLAT, kBarStyle)) {
        return FALSE;
    }
    m_wndTabBar.SetWindowText("tab");
    static const UINT placeholder[] = {IDC_PAGE_TAB};
    m_wndTabBar.SetButtons(placeholder, 1);
    m_wndTabBar.SetButtonText(0, "tab");
    m_wndTabBar.SetSizes(CSize(5008, kTabBarHeight), CSize(5000, kTabBarHeight - 7));

    if (!m_wndTab.Create(WS_CHILD | WS_VISIBLE | TCS_OWNERDRAWFIXED, CRect(0, 32, 100, 57),
                         &m_wndTabBar, IDC_PAGE_TAB)) {
        return FALSE;
    }
    m_wndTab.tabMenu = FALSE;
    m_wndTab.SetItemSize(CSize(20, 20));
    UseNormalFont(m_wndTab);
    if (!CreateHoverButton(m_wndCloseTab, "", CRect(0, 34, 20, 54), &m_wndTabBar, IDC_CLOSE_TAB,
                           IDB_CLOSE_TAB, "关闭当前网页") ||
        !CreateHoverButton(m_wndFilterSettings, "GO", CRect(0, 0, 20, 20), &m_wndTabBar,
                           ID_FILTER_SETTINGS, IDB_FILTER_ON, "设置网页搜索功能", 0) ||
        !m_wndFilter.Create("弹出菜单管理", WS_CHILD | BS_OWNERDRAW, CRect(0, 0, 100, 20),
                            &m_wndTabBar, IDC_FILTER_BUTTON)) {
        return FALSE;
    }
    if (!m_wndPictureKeyword.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "图片关键字",
                                      WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                      CRect(335, 3, 485, 28), &m_wndTabBar, IDC_PICTURE_KEYWORD) ||
        !CreateImageButton(m_wndPictureSearch, &m_wndTabBar, IDC_BUTTON_MUSIC_SEARCH,
                           IDB_PICTURE_SEARCH, "搜索满足关键字条件的图片") ||
        !m_wndPictureUrl.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "网页地址",
                                  WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(511, 3, 711, 28),
                                  &m_wndTabBar, IDC_PICTURE_URL) ||
        !CreateImageButton(m_wndPictureUrlGo, &m_wndTabBar, IDC_BUTTON_PICTURE_URL_GO,
                           IDB_PICTURE_URL_GO, "显示指定网页的图片与链接信息")) {
        return FALSE;
    }
    UseNormalFont(m_wndPictureKeyword);
    UseNormalFont(m_wndPictureUrl);
    if (!CreateTextButton(m_wndHome, "首页", CRect(3, 0, 83, 30), &m_wndTabBar, ID_START_PAGE,
                          "打开首页") ||
        !CreateTextButton(m_wndRecommend, "推荐", CRect(86, 0, 166, 30), &m_wndTabBar,
                          ID_SITE_DIRECTORY, "打开推荐列表") ||
        !CreateTextButton(m_wndFavoriteToggle, "关闭收藏", CRect(169, 0, 249, 30), &m_wndTabBar,
                          ID_MENU_BUTTON_JM, "打开或关闭收藏栏") ||
        !CreateTextButton(m_wndAbout, "关于", CRect(252, 0, 332, 30), &m_wndTabBar, ID_APP_ABOUT,
                          "关于")) {
        return FALSE;
    }
    return CreateHoverButton(m_wndPageSettings, "...", CRect(0, 0, 0, 0), &m_wndTabBar,
                             IDC_PAGE_SETTINGS, IDB_PAGE_SETTINGS, "设置当前网页属性", 0);
}

BOOL CMainFrame::CreatePanes() {
    if (!m_searchPane.Create(::CPageDlg::IDD, this) ||
        !m_leftPane.Create(::CPageDlg::IDD, &m_wndTabBar)) {
        return FALSE;
    }
    m_searchPane.MoveWindow(0, 0, 0, 0);
    m_searchPane.ShowWindow(SW_SHOW);
    m_leftPane.ShowWindow(SW_SHOW);
    return TRUE;
}

void CMainFrame::LayoutBarControls(const CRect& client) {
    LayoutAddressBar(BandWidth(kAddressBand));

    // The tab bar, docked on top, spans the frame: its strip follows the frame's client area.
    m_wndCloseTab.MoveWindow(client.right - 23, 34, 20, 20);
    m_wndTab.MoveWindow(client.left, 32, client.right - 23 - 3 - client.left, 25);
    m_leftPane.MoveWindow(client.left, 57, client.Width(), client.bottom - 57);
    m_wndHome.MoveWindow(3, 0, 80, 30);
    m_wndRecommend.MoveWindow(86, 0, 80, 30);
    m_wndFavoriteToggle.MoveWindow(169, 0, 80, 30);
    m_wndAbout.MoveWindow(252, 0, 80, 30);
    m_wndPictureKeyword.MoveWindow(335, 3, 150, 25);
    m_wndPictureSearch.MoveWindow(488, 5, 20, 20);
    m_wndPictureUrl.MoveWindow(511, 3, 200, 25);
    m_wndPictureUrlGo.MoveWindow(714, 5, 20, 20);

    if (m_nFavoriteBarShown != 0 && m_wndFavoriteBar.GetSafeHwnd() != nullptr) {
        CRect bar;
        m_wndFavoriteBar.GetClientRect(&bar);
        m_wndFavoriteAdd.MoveWindow(bar.left + 3, bar.top + 3, 80, 30);
        m_wndFavoriteDelete.MoveWindow(bar.right - 83, bar.top + 3, 80, 30);
        m_wndFavoriteList.MoveWindow(bar.left, bar.top + 36, bar.right - bar.left,
                                     bar.bottom - bar.top - 36);
    }
    m_searchPane.MoveWindow(0, 0, 0, 0);
}

}  // namespace glintora
