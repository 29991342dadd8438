// The browser's main window. It owns the tabs: one page dialog per item of the tab strip, kept in
// an array in tab order, one of them current and mirrored into the address box, caption, status
// bar and progress bar. It builds the bars around the page area (a rebar with four bands, the
// docked tab bar, the status bar), lays them out on every size change, decides whether a
// navigation is blocked by the URL filter, and runs the update thread while it lives.
//
// The picture collector derives its frame from this class: the caption suffix, the page class,
// the bars, the layout, the page activation, the status text, GO, the update worker and the close
// are virtual.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "browser/AddressCombo.h"
#include "browser/BlockedListMenu.h"
#include "browser/BrowserFrame.h"
#include "browser/BusyButton.h"
#include "browser/ChromeHost.h"
#include "browser/FilterButton.h"
#include "browser/HistoryDlg.h"
#include "browser/HoverButton.h"
#include "browser/MenuEx.h"
#include "browser/PageHost.h"
#include "browser/PageTabCtrl.h"
#include "browser/ReBarEx.h"
#include "browser/StatusBarEx.h"
#include "browser/ToolBarEx.h"
#include "browser/TravelLogHelper.h"
#include "browser/ViewHost.h"
#include "platform/drawing/ImageList.h"
#include "platform/framework/ComboBox.h"
#include "platform/framework/Edit.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Static.h"
#include "platform/framework/WinThread.h"
#include "platform/threads/CriticalSection.h"

class CBrowserDataStore;
class CPageDlg;

class CMainFrame : public CFrameWnd,
                   public CPageHost,
                   public ChromeHost,
                   public CBrowserFrame,
                   public ViewHost {
    DECLARE_DYNCREATE(CMainFrame)

public:
    // One slot more than the tab limit: the last one is never filled.
    static constexpr int kPageSlots = 256;
    static constexpr int kMaxTabs = 255;
    // Tab texts are cut to this many bytes.
    static constexpr int kTabTextWidth = 16;
    // The program's own version, which a newer one in the update page must exceed.
    static constexpr int kVersion = 180;
    // Ids of the rebar's bands, in the order they are added.
    static constexpr UINT kStandardBand = 0;
    static constexpr UINT kMenuButtonBand = 1;
    static constexpr UINT kBusyBand = 2;
    static constexpr UINT kAddressBand = 3;
    // The address box and its GO button need a search-and-address band wider than this.
    static constexpr int kMinAddressBandWidth = 349;
    static constexpr UINT kRebarId = 59396;
    static constexpr UINT kStatusBarId = 59393;
    static constexpr UINT kStandardBarId = 59392;
    // Commands of the favourites menu's items; items past the last are not listed.
    static constexpr UINT kFirstFavorite = 3584;
    static constexpr UINT kLastFavorite = 4095;

    CMainFrame();
    ~CMainFrame() override;

    // Corrects a saved window rectangle against the desktop's: a left or top edge off screen
    // becomes 0, and the window is at least 400 x 300.
    static void CorrectWindowRect(RECT& rect, const RECT& desktop);

    // The tab model. The count and the current index are the tab strip's.
    CPageDlg* GetPage(int newTab) override;
    virtual int OpenUrl(CString url, int newTab, int activate) override;
    // OpenUrl that gives the page it navigated; null when no page could be had.
    CPageDlg* OpenPage(CString url, int newTab, int activate);
    virtual CPageDlg* ActivatePage();
    void UpdatePageTitle(CPageDlg* pPage) override;
    void UpdateStatusText(CPageDlg* pPage) override;
    void UpdateAddressText(CPageDlg* pPage) override;
    void UpdateProgress(CPageDlg* pPage) override;
    int FindPageIndex(const CPageDlg* pPage) const;
    void MoveTab(int from, int to) override;
    int CloseTab(int index) override;
    void CloseAllTabs();
    void StartBusy() override;
    void StopBusy() override;
    int CheckUrlBlocked(CString url) override;
    void RefillAddressList() override;
    void GoToAddress() override;
    int GetTabCount() const;
    int GetCurrentIndex() const;
    CPageDlg* GetPageAt(int index) const;
    CPageDlg* GetCurrentPage() const { return m_pCurrentPage; }
    BOOL HasCurrentPage() override { return m_pCurrentPage != nullptr; }

    // The start page of the options, then the newer version that the update page announces.
    void OpenStartPage() override;
    // The program's own start page in the current tab.
    void OpenMainPage();

    // Creation, bars and layout.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void LayoutBars() override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;
    void ApplyBarOptions();
    void RedrawSkin() override;
    void ShowBlockedList() override;
    BOOL DestroyWindow() override;

    // Commands: keys before translation, the main menu with the favourites, the drop-down menus.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The page at the current tab index, which page commands act on; null with no tab selected.
    CPageDlg* GetSelectedPage() const;
    // Builds the main menu anew from its resource with the favourites of the user's folder.
    virtual void BuildFavoritesMenu();
    // Adds the shortcuts of `folder` sorted by name, after the sub-folders that hold any (sorted
    // too), to pMenu; the first gets the index firstIndex. Returns the next free index.
    int AddFavoritesToMenu(CString folder, int firstIndex, CMenu* pMenu);
    // The shell's favourites folder; when there is none, the user is told and the Windows
    // folder's "favorites" stands in.
    CString GetFavoritesFolder();
    // The addresses of the favourites menu's items, by index.
    std::vector<CString> m_favoriteUrls;

    CBrowserDataStore& m_store;
    CCriticalSection m_tabLock;
    CStatusBarEx m_wndStatusBar;
    CStatic m_wndAddressLabel;
    CAddressCombo m_wndAddress;
    CReBarEx m_wndReBar;
    CMenuEx m_refreshMenu;
    CToolBarEx m_wndToolBar;
    CToolBarEx m_wndMenuBar;
    CToolBarEx m_wndAddressBar;
    CToolBarEx m_wndTabBar;
    CToolBarEx m_wndBusyBar;
    CBusyButton m_wndBusy;
    CHoverButton m_wndFilterSettings;
    CComboBox m_wndEngine;
    CEdit m_wndKeyword;
    CHoverButton m_wndMenuButton;
    CHoverButton m_wndGo;
    CHoverButton m_wndSearch;
    CHoverButton m_wndMusicSearch;
    CHoverButton m_wndCloseTab;
    CHoverButton m_wndPageSettings;
    CFilterButton m_wndFilter;
    CTravelLogHelper m_travelLog;
    CMenu m_travelMenu;
    CBlockedListMenu m_blockedMenu;
    CEdit m_wndMusic;
    CPageDlg* m_pages[kPageSlots] = {};
    CPageDlg* m_pCurrentPage = nullptr;
    std::unique_ptr<CMenuEx> m_pMainMenu;
    CPageTabCtrl m_wndTab;
    CRect m_pageRect;
    // An owner-drawn hover button with a 20 x 20 image from bitmapId and a tool tip, in the
    // normal font.
    static BOOL CreateHoverButton(CHoverButton& button, LPCSTR text, const RECT& rect, CWnd* parent,
                                  UINT id, UINT bitmapId, LPCSTR tip,
                                  DWORD extraStyle = WS_VISIBLE);
    static void UseNormalFont(CWnd& wnd);
    // Made on the first use of the history command and kept, hidden between uses.
    std::unique_ptr<CHistoryDlg> m_pHistoryDlg;

protected:
    // " - " and the program's name, after the current page's title in the caption.
    virtual CString CaptionSuffix() const;
    // A page object not yet created as a window.
    virtual CPageDlg* NewPage();
    // Builds the bars in creation order; FALSE when one cannot be created.
    virtual BOOL CreateBars();
    // The update service's worker; the frame owns it and, before the settings are saved, asks it
    // to stop and joins it for at most two seconds.
    virtual void StartUpdateThread();
    void StopUpdateThread();
    // The procedure of the update worker; it clears the store's updateThread as it ends.
    virtual AFX_THREADPROC UpdateProcedure() const;

    BOOL CreateRebar();
    BOOL CreateStandardBar();
    // The standard bar with these buttons, of which those in dropDowns get an arrow.
    BOOL CreateStandardBar(std::span<const UINT> buttons, std::span<const UINT> dropDowns);
    BOOL CreateMenuButtonBar();
    BOOL CreateBusyBar();
    BOOL CreateAddressBar();
    BOOL CreateTabBar();
    BOOL CreateStatusBar();
    // The status bar with these panes; the progress bar follows pane 1.
    BOOL CreateStatusBar(std::span<const UINT> indicators);
    void AddRebarBands();
    void ShowBand(UINT bandId, BOOL show);
    int BandWidth(UINT bandId) const;
    void LayoutTabBar(int right);
    void LayoutAddressBar(int width);
    // The part of LayoutBars that differs between the programs: the controls inside the bars, with
    // the frame's client area; the pages' rectangle is already known. The browser's lays out the
    // tab and address bars and shows the pages' size in the status bar.
    virtual void LayoutBarControls(const CRect& client);
    // The view that the pages lie on. It becomes the active view only with the first update, but
    // the layout needs it from the frame's creation on.
    CView* PageArea() const;
    // Makes the page current and mirrors its title, address and progress.
    void MakeCurrent(CPageDlg* pPage);
    // Destroys and deletes a page whose closing flag is set first.
    static void DestroyPage(CPageDlg* pPage);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    // Remembers the typed address and opens it with OpenTypedAddress.
    afx_msg void OnGo();
    // The typed address in the current tab; the picture collector wraps a bare word in its
    // address pattern first.
    virtual void OpenTypedAddress(CString text);
    afx_msg void OnCloseTab();
    afx_msg void OnCloseAllTabs();
    afx_msg void OnBlockedPage(UINT nID);
    // The options, refresh, history and page data dialogs.
    afx_msg void OnPageOptions();
    afx_msg void OnAutoRefresh();
    afx_msg void OnHistory();
    afx_msg void OnExtract();

    // Commands (MainFrameCommands.cpp).
    afx_msg void OnSearch();
    afx_msg void OnMusicSearch();
    afx_msg void OnSkin();
    afx_msg void OnFilterSettings();
    afx_msg void OnStop();
    afx_msg void OnRefresh();
    afx_msg void OnFontSize(UINT nID);
    afx_msg void OnGoBack();
    afx_msg void OnGoForward();
    afx_msg void OnGoHome();
    afx_msg void OnGoSearch();
    afx_msg void OnToggleBand(UINT nID);
    afx_msg void OnUpdateBand(CCmdUI* pCmdUI);
    afx_msg void OnDocumentCommand(UINT nID);
    afx_msg void OnMshtmlCommand(UINT nID);
    afx_msg void OnBrowserCommand(UINT nID);
    afx_msg void OnCharset(UINT nID);
    afx_msg void OnAutoSelectCharset();
    afx_msg void OnClearHistory();
    afx_msg void OnRuneloom();
    afx_msg void OnFindlark();
    afx_msg void OnGlintora();
    afx_msg void OnDeskvane();
    afx_msg void OnReportProblem();
    afx_msg void OnMakerPage(UINT nID);
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();
    // Menus (MainFrameMenus.cpp).
    afx_msg void OnMenuButton();
    afx_msg void OnFavoritesButton();
    afx_msg void OnToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnUpdateGoBack(CCmdUI* pCmdUI);
    afx_msg void OnUpdateGoForward(CCmdUI* pCmdUI);
    afx_msg void OnTravelBack(UINT nID);
    afx_msg void OnTravelForward(UINT nID);
    // Favourites (MainFrameFavorites.cpp).
    afx_msg void OnAddFavorite();
    afx_msg void OnOrganizeFavorites();
    afx_msg void OnFavorite(UINT nID);

    // Opens a program, document or address through the shell; the user is told when it fails.
    void ShellOpen(LPCSTR target, int show);
    // Starts a program of the program folder, which becomes current first.
    void StartSibling(LPCSTR path, int show);
    BOOL IsBandVisible(UINT bandId) const;
    // Points the travel-log helper at the selected page's control; FALSE when there is none.
    BOOL AttachSelectedTravelLog();
    void ShowTravelMenu(int direction, CPoint at);
    // A pop-up of the main menu's "菜单" by position; null when the menu is missing.
    CMenuEx* GetMainMenuPopup(int position) const;
    CMenuEx* GetFavoriteItemsMenu() const;
    DECLARE_MESSAGE_MAP()

    CWinThread* m_pUpdateThread = nullptr;
    CImageList m_imagesDisabled;
    CImageList m_imagesNormal;
    CImageList m_imagesHot;
};

// The browser's main window from the start of its creation until it is destroyed; null otherwise.
CMainFrame* GetMainFrame();
