// The picture collector's main window: the browser's frame with its own tab bar (picture keyword
// and address boxes, text buttons, the left pane), a favourites bar with the keyword and address
// list and the class list, a hidden search pane, and no music search. Pages do not show their
// status text: it is the "qrplay:" command channel of the program's local pages, and this frame
// dispatches the commands (show a picture's information, collect from an address list, remember
// a keyword, search pictures).
//
// Commands are taken only from a page that is the current tab and shows a local page (about:blank
// or a file of the program folder), and a command, once taken, is cleared from the page's stored
// status text, so that moving or closing a tab never runs it again.
//
// The picture collector's variants of the browser's classes keep the browser's names inside the
// namespace glintora and derive from them, changing what differs through their virtual members.
#pragma once

#include <memory>
#include <vector>

#include "browser/MainFrame.h"
#include "picture/FavoriteListBox.h"
#include "picture/PictureListPane.h"
#include "picture/ScriptHost.h"
#include "picture/ScriptRelay.h"

namespace glintora {

class CPageDlg;

class CMainFrame : public ::CMainFrame, public CScriptHost {
    DECLARE_DYNCREATE(CMainFrame)

public:
    static constexpr UINT kFavoriteBarId = 59420;
    static constexpr UINT kPictureKeywordId = 1019;
    static constexpr UINT kPictureUrlId = 1019;
    static constexpr UINT kPictureSearchId = 1028;
    static constexpr UINT kPictureUrlGoId = 1052;
    static constexpr UINT kFavoriteListId = 1044;
    static constexpr UINT kClassListId = 1051;
    static constexpr UINT kFavoriteAddId = 1045;
    static constexpr UINT kFavoriteDeleteId = 1046;
    static constexpr UINT kFavoriteToggleId = 1047;
    static constexpr UINT kHomeId = 32821;
    static constexpr UINT kRecommendId = 32820;
    static constexpr UINT kAboutId = 57664;
    // The tab bar holds the text buttons (30 pixels), the tab strip below them (25) and a strip of
    // the left pane.
    static constexpr int kTabBarHeight = 79;
    static constexpr int kFavoriteBarWidth = 172;

    CMainFrame();
    ~CMainFrame() override;

    // The command dispatcher (the page's status text never reaches the status bar).
    void UpdateStatusText(::CPageDlg* pPage) override;
    ::CPageDlg* ActivatePage() override;
    void RedrawSkin() override;
    // The picture collector's main menu has no favourites: its builder leaves the menu as it is.
    void BuildFavoritesMenu() override {}
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // What scripts ask of the frame (on the user-interface thread, through the relay).
    BOOL IsPageOpen(::CPageDlg* pPage) override;
    void NavigatePage(::CPageDlg* pPage, const CString& url) override;
    ::CPageDlg* OpenUrl(const CString& url, int newTab, int activate) override;
    int NavigatePane(const CString& url) override;
    // Shared with the URL-list workers, which may outlive the frame.
    const std::shared_ptr<CScriptRelay>& Relay() const { return m_pRelay; }
    // Keeps a URL-list worker, which is asked to stop and joined when the frame closes.
    void AddWorker(CWinThread* pThread);

    // The keyword and address list (data\ml2.dat) and the class list (data\list\class.dat).
    // Adds "[U]" + text (isUrl) or "[K]" + text unless the list holds it in any letter case,
    // then rewrites data\ml2.dat. Always 0.
    int AddFavoriteEntry(CString text, int isUrl);
    // 0 loaded; 1 the file cannot be opened.
    int LoadFavoriteEntries();
    int LoadClassList();
    // A list entry clicked ("[K]keyword" into the keyword box, anything else into the address
    // box, without its first three bytes); run starts the search or the collection.
    void TakeFavoriteEntry(const CString& entry, BOOL run);
    // Rewrites data\ml2.dat with the list's entries in list order; false when it cannot.
    bool SaveFavoriteEntries();

    // Dispatches a command text as coming from pPage. Exposed for the tests of the channel.
    void DispatchCommand(CPageDlg* pPage, const CString& command);
    // Whether the address is a local page that may send commands.
    static bool IsLocalPage(const CString& url);

    CEdit m_wndPictureKeyword;
    CEdit m_wndPictureUrl;
    CHoverButton m_wndPictureSearch;
    CHoverButton m_wndPictureUrlGo;
    CHoverButton m_wndHome;
    CHoverButton m_wndRecommend;
    CHoverButton m_wndFavoriteToggle;
    CHoverButton m_wndAbout;
    CToolBarEx m_wndFavoriteBar;
    CHoverButton m_wndFavoriteAdd;
    CHoverButton m_wndFavoriteDelete;
    CFavoriteListBox m_wndFavoriteList;
    CFavoriteListBox m_wndClassList;
    int m_nFavoriteBarShown = 0;
    CPictureListPane m_searchPane;
    CPictureListPane m_leftPane;

protected:
    CString CaptionSuffix() const override;
    ::CPageDlg* NewPage() override;
    BOOL CreateBars() override;
    AFX_THREADPROC UpdateProcedure() const override;
    // The address bar, the tab bar's buttons, boxes and strip, the left pane, the favourites bar.
    void LayoutBarControls(const CRect& client) override;

    BOOL CreatePictureStandardBar();
    BOOL CreatePictureTabBar();
    BOOL CreateFavoriteBar();
    BOOL CreatePanes();
    CPageDlg* NewCurrentPage();

    void OpenTypedAddress(CString text) override;
    afx_msg void OnButtonMusicSearch();
    afx_msg void OnButtonPictureUrlGo();
    afx_msg void OnOpenHome();
    afx_msg void OnOpenRecommended();
    afx_msg void OnAddFavoriteEntry();
    afx_msg void OnDeleteFavoriteEntry();
    afx_msg void OnToggleFavoriteBar();
    afx_msg void OnTabRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPictureToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnIgnoredCommand(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    void StopWorkers();

    std::shared_ptr<CScriptRelay> m_pRelay;
    std::vector<CWinThread*> m_workers;
};

}  // namespace glintora
