#include "browser/MainFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/ChromeTestFixture.h"
#include "browser/CustomOccManager.h"
#include "browser/ExternalDispatch.h"
#include "browser/PageDlg.h"
#include "browser/SocketClient.h"
#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/ReBar.h"
#include "platform/controls/Static.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/Tab.h"
#include "platform/controls/ToolBar.h"
#include "platform/controls/ToolTip.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/CommandLineInfo.h"
#include "platform/framework/Document.h"
#include "platform/framework/SingleDocTemplate.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/threads/ThreadApi.h"
#include "platform/webcontrol/BrowserTest.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/quorra/resource.h"

namespace {

// What each page's closing flag was when its window was destroyed, in order of destruction.
std::vector<int> closingAtDestroy;

class CFrameTestPage : public CPageDlg {
public:
    using CPageDlg::CPageDlg;

    BOOL DestroyWindow() override {
        if (m_hWnd != nullptr) {
            closingAtDestroy.push_back(m_bClosing);
        }
        return CPageDlg::DestroyWindow();
    }
};

class CFrameTestMainFrame : public CMainFrame {
    DECLARE_DYNCREATE(CFrameTestMainFrame)

protected:
    CPageDlg* NewPage() override { return new CFrameTestPage(*this, m_store); }
};

IMPLEMENT_DYNCREATE(CFrameTestMainFrame, CMainFrame)

class CFrameTestDoc : public CDocument {
    DECLARE_DYNCREATE(CFrameTestDoc)
};

IMPLEMENT_DYNCREATE(CFrameTestDoc, CDocument)

// The page area, laying the frame out on every size change as the browser's view does.
class CFrameTestView : public CView {
    DECLARE_DYNCREATE(CFrameTestView)

public:
    void OnDraw(CDC*) override {}

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy) {
        CView::OnSize(nType, cx, cy);
        if (CMainFrame* pFrame = GetMainFrame()) {
            pFrame->LayoutBars();
        }
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CFrameTestView, CView)

BEGIN_MESSAGE_MAP(CFrameTestView, CView)
ON_WM_SIZE()
END_MESSAGE_MAP()

class CFrameTestApp : public CWinApp {
public:
    BOOL InitInstance() override {
        AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CFrameTestDoc),
                                              RUNTIME_CLASS(CFrameTestMainFrame),
                                              RUNTIME_CLASS(CFrameTestView)));
        CCommandLineInfo info;
        return ProcessShellCommand(info);
    }
};

class MainFrameTest : public platform::testing::BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        platform::InstallScreen();
        for (auto registerClass : {platform::RegisterButtonClass, platform::RegisterEditClass,
                                   platform::RegisterComboBoxClass, platform::RegisterListBoxClass,
                                   platform::RegisterStaticClass, platform::RegisterTabControlClass,
                                   platform::RegisterToolBarClass, platform::RegisterReBarClass,
                                   platform::RegisterStatusBarClass, platform::RegisterToolTipClass,
                                   platform::RegisterPopupMenuClass}) {
            registerClass();
        }
        folder.WriteFile("data/readme.txt", "");
        platform::OverrideModuleFileName(platform::ToWindowsPath(folder.path() / "quorra.exe"));
        ::SetCurrentDirectoryA(platform::ToWindowsPath(folder.path()).c_str());
        platform::SetMessageBoxAnswerer([this](const platform::MessageBoxCall& call) {
            boxes.push_back(call.text);
            return answer;
        });
        closingAtDestroy.clear();
        ResetStore();
        AfxEnableControlContainer(&manager);
        app.SetCurrentHandles(nullptr, "", SW_SHOWNORMAL);
        AfxSetThread(&app);
    }
    void TearDown() override {
        if (app.m_pMainWnd != nullptr) {
            app.m_pMainWnd->DestroyWindow();
        }
        AfxSetThread(nullptr);
        AfxEnableControlContainer();
        platform::SetMessageBoxAnswerer({});
        BrowserTest::TearDown();
    }

    static void ResetStore() {
        CBrowserDataStore& store = DataStore();
        store.ClearFilterRules();
        store.filterPaused = 0;
        store.blockedUrls.clear();
        store.allowedUrls.clear();
        store.visitedUrls.clear();
        store.engineNames = {"百度", "Google"};
        store.engineUrls = {"http://b/?q=%s", "http://g/?q=%s"};
        store.windowRect = {10, 10, 810, 610};
        store.activateNewPage = 1;
        store.tabMaximized = 0;
        store.tabsAtBottom = 0;
    }

    void Start() {
        ASSERT_TRUE(app.InitInstance());
        frame = GetMainFrame();
        ASSERT_NE(frame, nullptr);
        ASSERT_EQ(frame, app.m_pMainWnd);
    }
    // Opens n blank tabs, each new one current.
    void OpenTabs(int n) {
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(frame->OpenUrl("about:blank", 1, 1), 0);
        }
    }
    std::vector<CPageDlg*> Pages() const {
        std::vector<CPageDlg*> pages;
        for (int i = 0; i < frame->GetTabCount(); ++i) {
            pages.push_back(frame->GetPageAt(i));
        }
        return pages;
    }
    std::string TabText(int index) const {
        char text[256] = {};
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        frame->m_wndTab.GetItem(index, &item);
        return text;
    }
    std::string Caption() const {
        CString caption;
        frame->GetWindowText(caption);
        return std::string(caption);
    }
    std::string WindowText(const CWnd& wnd) const {
        CString text;
        wnd.GetWindowText(text);
        return std::string(text);
    }
    bool BandHidden(UINT id) const {
        const LRESULT index = frame->m_wndReBar.SendMessage(RB_IDTOINDEX, id);
        REBARBANDINFOA band{};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_STYLE;
        frame->m_wndReBar.SendMessage(RB_GETBANDINFO, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(&band));
        return (band.fStyle & RBBS_HIDDEN) != 0;
    }

    CExternalDispatch external;
    CCustomOccManager manager{&external};
    CFrameTestApp app;
    CMainFrame* frame = nullptr;
    int answer = IDOK;
    std::vector<std::string> boxes;
};

TEST_F(MainFrameTest, NewTabsGoAfterTheCurrentOneAndBecomeCurrent) {
    Start();
    OpenTabs(2);
    const std::vector<CPageDlg*> first = Pages();
    frame->m_wndTab.SetCurSel(0);
    OpenTabs(1);
    const std::vector<CPageDlg*> pages = Pages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], first[0]);
    EXPECT_EQ(pages[2], first[1]);
    EXPECT_EQ(frame->GetCurrentIndex(), 1);
    EXPECT_EQ(frame->GetCurrentPage(), pages[1]);
    EXPECT_TRUE(pages[1]->IsWindowVisible());
    EXPECT_FALSE(pages[0]->IsWindowVisible());
    EXPECT_FALSE(pages[2]->IsWindowVisible());
    EXPECT_EQ(pages[1]->GetParent(), frame->GetActiveView());
    EXPECT_EQ(frame->FindPageIndex(pages[2]), 2);
    EXPECT_EQ(frame->FindPageIndex(nullptr), -1);
}

TEST_F(MainFrameTest, WithoutActivationANewWindowOpensInTheBackground) {
    Start();
    OpenTabs(1);
    CPageDlg* shown = frame->GetCurrentPage();
    shown->m_strTitle = "Shown";
    frame->UpdatePageTitle(shown);
    DataStore().activateNewPage = 0;
    CPageDlg* background = frame->GetPage(1);
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(frame->GetTabCount(), 2);
    EXPECT_EQ(frame->FindPageIndex(background), 1);
    EXPECT_EQ(frame->GetCurrentIndex(), 0);
    EXPECT_EQ(frame->GetCurrentPage(), shown);
    EXPECT_EQ(Caption(), "Shown - Quorra浏览器");
    EXPECT_EQ(TabText(1), "about:blank");
    // The current tab is reused when no new one is asked for.
    EXPECT_EQ(frame->GetPage(0), shown);
}

TEST_F(MainFrameTest, The256thTabIsRefusedWithTheLimitMessage) {
    Start();
    OpenTabs(CMainFrame::kMaxTabs);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(frame->OpenUrl("about:blank", 1, 1), 1);
    EXPECT_EQ(frame->GetPage(1), nullptr);
    EXPECT_EQ(frame->GetTabCount(), CMainFrame::kMaxTabs);
    EXPECT_EQ(boxes,
              (std::vector<std::string>{"网页个数己超过最大限制", "网页个数己超过最大限制"}));
    // The current tab is still there to navigate in.
    EXPECT_EQ(frame->OpenUrl("about:blank", 0, 1), 0);
}

TEST_F(MainFrameTest, ClosingTheFirstTabSelectsTheNewFirst) {
    Start();
    OpenTabs(3);
    const std::vector<CPageDlg*> before = Pages();
    frame->m_wndTab.SetCurSel(0);
    EXPECT_EQ(frame->CloseTab(0), 0);
    EXPECT_EQ(Pages(), (std::vector<CPageDlg*>{before[1], before[2]}));
    EXPECT_EQ(frame->GetCurrentIndex(), 0);
    EXPECT_EQ(frame->GetCurrentPage(), before[1]);
    EXPECT_TRUE(before[1]->IsWindowVisible());
    EXPECT_EQ(closingAtDestroy, std::vector<int>{1});
}

TEST_F(MainFrameTest, ClosingAMiddleTabSelectsTheOneBeforeIt) {
    Start();
    OpenTabs(3);
    const std::vector<CPageDlg*> before = Pages();
    before[0]->m_strStatusText = "first status";
    frame->CloseTab(1);
    EXPECT_EQ(Pages(), (std::vector<CPageDlg*>{before[0], before[2]}));
    EXPECT_EQ(frame->GetCurrentIndex(), 0);
    EXPECT_EQ(frame->GetCurrentPage(), before[0]);
    EXPECT_EQ(std::string(frame->m_wndStatusBar.GetPaneText(0)), "first status");
}

TEST_F(MainFrameTest, ClosingTheOnlyTabLeavesOneNewBlankTab) {
    Start();
    OpenTabs(1);
    frame->CloseTab(0);
    ASSERT_EQ(frame->GetTabCount(), 1);
    EXPECT_EQ(frame->GetCurrentIndex(), 0);
    ASSERT_NE(frame->GetCurrentPage(), nullptr);
    EXPECT_EQ(frame->GetCurrentPage(), frame->GetPageAt(0));
    EXPECT_EQ(std::string(frame->GetCurrentPage()->m_strUrl), "about:blank");
    EXPECT_EQ(closingAtDestroy, std::vector<int>{1});
}

TEST_F(MainFrameTest, ClosingAnIndexOutsideTheTabsDoesNothing) {
    Start();
    OpenTabs(2);
    const std::vector<CPageDlg*> before = Pages();
    EXPECT_EQ(frame->CloseTab(2), 0);
    EXPECT_EQ(frame->CloseTab(255), 0);
    EXPECT_EQ(frame->CloseTab(-1), 0);
    EXPECT_EQ(Pages(), before);
    EXPECT_EQ(frame->GetCurrentIndex(), 1);
    EXPECT_TRUE(closingAtDestroy.empty());
}

TEST_F(MainFrameTest, CloseAllTabsAsksFirstAndKeepsOneBlankTab) {
    Start();
    OpenTabs(3);
    const std::vector<CPageDlg*> before = Pages();
    answer = IDNO;
    frame->CloseAllTabs();
    EXPECT_EQ(Pages(), before);
    answer = IDYES;
    frame->CloseAllTabs();
    EXPECT_EQ(boxes,
              (std::vector<std::string>{"你确定要关闭所有网页吗?", "你确定要关闭所有网页吗?"}));
    EXPECT_EQ(frame->GetTabCount(), 1);
    EXPECT_EQ(frame->GetCurrentIndex(), 0);
    EXPECT_EQ(closingAtDestroy, (std::vector<int>{1, 1, 1}));
}

TEST_F(MainFrameTest, MovingATabSwapsExactlyTheTwoAndKeepsTheDraggedOneCurrent) {
    Start();
    OpenTabs(4);
    std::vector<CPageDlg*> before = Pages();
    const char* titles[] = {"A", "B", "C", "D"};
    for (int i = 0; i < 4; ++i) {
        before[i]->m_strTitle = titles[i];
        frame->UpdatePageTitle(before[i]);
    }
    frame->m_wndTab.SetCurSel(0);
    frame->MoveTab(0, 3);
    EXPECT_EQ(Pages(), (std::vector<CPageDlg*>{before[3], before[1], before[2], before[0]}));
    EXPECT_EQ(frame->GetCurrentIndex(), 3);
    EXPECT_EQ(frame->GetCurrentPage(), before[0]);
    EXPECT_EQ(TabText(0), "D");
    EXPECT_EQ(TabText(3), "A");
    EXPECT_EQ(TabText(1), "B");
    EXPECT_EQ(Caption(), "A - Quorra浏览器");
    EXPECT_TRUE(before[0]->IsWindowVisible());
    EXPECT_FALSE(before[3]->IsWindowVisible());
}

TEST_F(MainFrameTest, TheTitleIsCutForTheTabButWholeInTheCaption) {
    Start();
    OpenTabs(2);
    CPageDlg* current = frame->GetCurrentPage();
    CPageDlg* other = frame->GetPageAt(0);
    // Eleven ASCII bytes put the double-byte characters across the 12-byte cut.
    current->m_strTitle = "Hello World中文标题";
    frame->UpdatePageTitle(current);
    EXPECT_EQ(TabText(1), "Hello World中...");
    EXPECT_EQ(Caption(), "Hello World中文标题 - Quorra浏览器");
    current->m_strTitle = "16 bytes exactly";
    frame->UpdatePageTitle(current);
    EXPECT_EQ(TabText(1), "16 bytes exactly");
    // A page in the background changes its tab only.
    other->m_strTitle = "Other";
    frame->UpdatePageTitle(other);
    EXPECT_EQ(TabText(0), "Other");
    EXPECT_EQ(Caption(), "16 bytes exactly - Quorra浏览器");
}

TEST_F(MainFrameTest, StatusAddressAndProgressOfTheCurrentPageReachTheChrome) {
    Start();
    OpenTabs(2);
    CPageDlg* current = frame->GetCurrentPage();
    CPageDlg* other = frame->GetPageAt(0);
    current->m_strStatusText = "完成";
    current->m_strUrl = "http://a/";
    current->m_nProgress = 40;
    frame->UpdateStatusText(current);
    frame->UpdateAddressText(current);
    frame->UpdateProgress(current);
    EXPECT_EQ(std::string(frame->m_wndStatusBar.GetPaneText(0)), "完成");
    EXPECT_EQ(WindowText(frame->m_wndAddress), "http://a/");
    EXPECT_EQ(frame->m_wndStatusBar.progress.position, 40);

    other->m_strStatusText = "hidden";
    other->m_strUrl = "http://b/";
    other->m_nProgress = 90;
    frame->UpdateStatusText(other);
    frame->UpdateAddressText(other);
    frame->UpdateProgress(other);
    EXPECT_EQ(std::string(frame->m_wndStatusBar.GetPaneText(0)), "完成");
    EXPECT_EQ(WindowText(frame->m_wndAddress), "http://a/");
    EXPECT_EQ(frame->m_wndStatusBar.progress.position, 40);

    current->m_nProgress = 101;
    frame->UpdateProgress(current);
    EXPECT_EQ(frame->m_wndStatusBar.progress.position, 0);
}

TEST_F(MainFrameTest, PickingATabShowsItsPageAndMirrorsIt) {
    Start();
    OpenTabs(2);
    CPageDlg* first = frame->GetPageAt(0);
    first->m_strTitle = "First";
    first->m_strUrl = "http://first/";
    first->m_nProgress = 70;
    frame->m_wndTab.SetCurSel(0);
    NMHDR header{frame->m_wndTab.m_hWnd, IDC_PAGE_TAB, static_cast<UINT>(TCN_SELCHANGE)};
    frame->SendMessage(WM_NOTIFY, IDC_PAGE_TAB, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(frame->GetCurrentPage(), first);
    EXPECT_TRUE(first->IsWindowVisible());
    EXPECT_FALSE(frame->GetPageAt(1)->IsWindowVisible());
    EXPECT_EQ(Caption(), "First - Quorra浏览器");
    EXPECT_EQ(WindowText(frame->m_wndAddress), "http://first/");
    EXPECT_EQ(frame->m_wndStatusBar.progress.position, 70);
}

TEST_F(MainFrameTest, ABlockedAddressIsCancelledAndCountedOnlyTheFirstTime) {
    auto rule = std::make_unique<FilterRule>();
    rule->pattern = "ads";
    DataStore().rules.push_back(std::move(rule));
    Start();
    EXPECT_EQ(frame->CheckUrlBlocked("http://x/ads/1.htm"), 1);
    EXPECT_EQ(frame->m_wndFilter.blockedCount, 1);
    EXPECT_NE(frame->m_wndFilter.blinkTimer, 0u);
    EXPECT_EQ(frame->CheckUrlBlocked("http://x/ads/1.htm"), 0);
    EXPECT_EQ(frame->m_wndFilter.blockedCount, 1);
    EXPECT_EQ(frame->CheckUrlBlocked("http://x/page.htm"), 0);
    EXPECT_EQ(frame->CheckUrlBlocked("http://y/ads"), 1);
    EXPECT_EQ(frame->m_wndFilter.blockedCount, 2);
    EXPECT_EQ(DataStore().blockedUrls,
              (std::vector<CString>{"http://y/ads", "http://x/ads/1.htm"}));
    // A paused filter blocks nothing.
    DataStore().filterPaused = 1;
    EXPECT_EQ(frame->CheckUrlBlocked("http://z/ads"), 0);
}

TEST_F(MainFrameTest, GoOpensTheTypedTextInTheCurrentTabAndRemembersIt) {
    Start();
    OpenTabs(2);
    CPageDlg* current = frame->GetCurrentPage();
    frame->m_wndAddress.SetWindowText("about:blank");
    frame->GoToAddress();
    EXPECT_EQ(frame->GetTabCount(), 2);
    EXPECT_EQ(frame->GetCurrentPage(), current);
    EXPECT_EQ(DataStore().visitedUrls, std::vector<CString>{"about:blank"});
    EXPECT_EQ(frame->m_wndAddress.GetCount(), 1);
    // An empty box opens nothing.
    frame->m_wndAddress.SetWindowText("");
    frame->GoToAddress();
    EXPECT_EQ(DataStore().visitedUrls.size(), 1u);
}

TEST(MainFrameRectTest, SavedRectanglesOffScreenOrTooSmallAreCorrected) {
    const RECT desktop{0, 0, 1024, 768};
    RECT rect{-10, 20, 790, 620};
    CMainFrame::CorrectWindowRect(rect, desktop);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 790);

    rect = {100, 100, 350, 500};
    CMainFrame::CorrectWindowRect(rect, desktop);
    EXPECT_EQ(rect.right, 500);
    EXPECT_EQ(rect.bottom, 500);

    rect = {925, 669, 1500, 1200};
    CMainFrame::CorrectWindowRect(rect, desktop);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);

    // The edges of the allowed range stay.
    rect = {-5, 668, 495, 968};
    CMainFrame::CorrectWindowRect(rect, desktop);
    EXPECT_EQ(rect.left, -5);
    EXPECT_EQ(rect.top, 668);

    rect = {10, 10, 20, 20};
    CMainFrame::CorrectWindowRect(rect, desktop);
    EXPECT_EQ(rect.right, 410);
    EXPECT_EQ(rect.bottom, 310);
}

TEST_F(MainFrameTest, TheWindowStartsOnTheCorrectedSavedRectangle) {
    DataStore().windowRect = {-10, 20, 240, 220};
    Start();
    CRect window;
    frame->GetWindowRect(&window);
    EXPECT_EQ(window, CRect(0, 20, 400, 320));
    EXPECT_EQ(CRect(DataStore().windowRect), CRect(0, 20, 400, 320));
}

TEST_F(MainFrameTest, TheAddressBoxHidesWhenItsBandIsNarrow) {
    Start();
    frame->MoveWindow(0, 0, 800, 600);
    EXPECT_TRUE(frame->m_wndAddress.IsWindowVisible());
    EXPECT_TRUE(frame->m_wndGo.IsWindowVisible());
    frame->MoveWindow(0, 0, 300, 600);
    EXPECT_FALSE(frame->m_wndAddress.IsWindowVisible());
    EXPECT_FALSE(frame->m_wndGo.IsWindowVisible());
    frame->MoveWindow(0, 0, 800, 600);
    EXPECT_TRUE(frame->m_wndAddress.IsWindowVisible());
}

TEST_F(MainFrameTest, TabBarControlsAreMeasuredFromTheRightEdge) {
    Start();
    frame->MoveWindow(0, 0, 800, 600);
    CRect client;
    frame->GetClientRect(&client);
    CRect filter;
    frame->m_wndFilter.GetWindowRect(&filter);
    frame->m_wndTabBar.ScreenToClient(&filter);
    EXPECT_EQ(filter, CRect(client.right - 103, 2, client.right - 3, 22));
    CRect close;
    frame->m_wndCloseTab.GetWindowRect(&close);
    frame->m_wndTabBar.ScreenToClient(&close);
    EXPECT_EQ(close, CRect(client.right - 149, 2, client.right - 129, 22));
    CRect tabs;
    frame->m_wndTab.GetWindowRect(&tabs);
    EXPECT_EQ(tabs.Width(), client.right - 152);
    EXPECT_FALSE(frame->m_wndPageSettings.IsWindowVisible());
}

TEST_F(MainFrameTest, PagesCoverTheViewGrownByTwoAndTheSizeIsShown) {
    Start();
    OpenTabs(2);
    frame->MoveWindow(0, 0, 800, 600);
    CRect view;
    frame->GetActiveView()->GetClientRect(&view);
    const CRect expected(-2, -2, view.right + 2, view.bottom + 2);
    EXPECT_EQ(frame->m_pageRect, expected);
    for (CPageDlg* page : Pages()) {
        CRect rect;
        page->GetWindowRect(&rect);
        frame->GetActiveView()->ScreenToClient(&rect);
        EXPECT_EQ(rect, expected);
    }
    CString size;
    size.Format(" (%d,%d) ", expected.Width(), expected.Height());
    EXPECT_EQ(std::string(frame->m_wndStatusBar.GetPaneText(2)), std::string(size));
}

TEST_F(MainFrameTest, MaximalPageAreaKeepsOnlyTheAddressBand) {
    DataStore().tabMaximized = 1;
    Start();
    EXPECT_TRUE(BandHidden(CMainFrame::kStandardBand));
    EXPECT_TRUE(BandHidden(CMainFrame::kMenuButtonBand));
    EXPECT_TRUE(BandHidden(CMainFrame::kBusyBand));
    EXPECT_FALSE(BandHidden(CMainFrame::kAddressBand));
    DataStore().tabMaximized = 0;
    frame->ApplyBarOptions();
    for (UINT band : {0u, 1u, 2u, 3u}) {
        EXPECT_FALSE(BandHidden(band)) << band;
    }
}

TEST_F(MainFrameTest, TheTabBarDocksAtTheBottomWhenAsked) {
    DataStore().tabsAtBottom = 1;
    Start();
    CRect client;
    frame->GetClientRect(&client);
    CRect bar;
    frame->m_wndTabBar.GetWindowRect(&bar);
    frame->ScreenToClient(&bar);
    CRect status;
    frame->m_wndStatusBar.GetWindowRect(&status);
    frame->ScreenToClient(&status);
    EXPECT_GT(bar.top, client.Height() / 2);
    EXPECT_LE(bar.bottom, status.top);
}

TEST_F(MainFrameTest, TheBarsAreBuiltWithTheirTextsAndEngines) {
    Start();
    EXPECT_EQ(frame->GetMenu(), nullptr);
    EXPECT_EQ(WindowText(frame->m_wndKeyword), "关健词");
    EXPECT_EQ(WindowText(frame->m_wndAddressLabel), "地址:");
    EXPECT_EQ(WindowText(frame->m_wndMenuButton), "菜 单");
    EXPECT_EQ(WindowText(frame->m_wndFilter), "弹出菜单管理");
    EXPECT_EQ(frame->m_wndEngine.GetCount(), 2);
    EXPECT_EQ(frame->m_wndEngine.GetCurSel(), 0);
    EXPECT_EQ(frame->m_wndToolBar.GetCount(), 16);
    EXPECT_EQ(frame->m_wndToolBar.GetItemID(1), static_cast<UINT>(ID_GO_BACK));
    EXPECT_NE(frame->m_wndToolBar.GetButtonStyle(1) & TBSTYLE_DROPDOWN, 0u);
    EXPECT_EQ(frame->m_wndToolBar.GetButtonStyle(3) & TBSTYLE_DROPDOWN, 0u);
    EXPECT_EQ(frame->m_wndStatusBar.GetCount(), 3);
    EXPECT_EQ(frame->m_wndFilter.blockedCount, 0);
    EXPECT_EQ(frame->m_wndTab.GetDlgCtrlID(), IDC_PAGE_TAB);
}

TEST_F(MainFrameTest, ClosingStopsTheUpdateThreadThenSavesTheSettings) {
    // An update server that never answers keeps the thread waiting until the frame stops it.
    platform::testing::TestHttpServer server;
    server.Route("/quorra/main.asp?V=%31%38%30",
                 [&server](int, const auto&) { server.Stall(std::chrono::seconds(60)); });
    folder.WriteFile("data/update.dat", "[UPDATE_SERVER]\r\n" + server.Url("") + "\r\n");
    InitWinsock();
    Start();
    CWinThread* thread = DataStore().updateThread;
    ASSERT_NE(thread, nullptr);
    for (int i = 0; i < 1000 && server.Requests().empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    OpenTabs(2);
    DataStore().visitedUrls = {"http://v/"};
    frame->MoveWindow(30, 40, 700, 500);
    frame->DestroyWindow();
    frame = nullptr;
    EXPECT_EQ(DataStore().updateThread, nullptr);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "data/main2.htm"));
    EXPECT_EQ(closingAtDestroy, (std::vector<int>{1, 1}));
    EXPECT_EQ(CRect(DataStore().windowRect), CRect(30, 40, 730, 540));
    EXPECT_FALSE(folder.ReadFile("data/filter.dat").empty());
    EXPECT_EQ(folder.ReadFile("data/visited.dat"), "http://v/\r\n");
}

// The frame as a user sees it: the program's skin colours and shared font, a window large enough
// for every bar, and pictures of the screen.
class MainFrameLookTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        folder.WriteFile("look/skin.ini", chrome_test::SkinFile());
        Skin().Load(platform::ToWindowsPath(folder.path() / "look" / "skin.ini").c_str());
        Skin().normalFont =
            ::CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0x20, "宋体");
        DataStore().windowRect = {0, 0, 1000, 700};
    }
    void TearDown() override {
        MainFrameTest::TearDown();
        ::DeleteObject(Skin().normalFont);
        Skin().normalFont = nullptr;
    }
    void Show() {
        Start();
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        platform::PumpUntilIdle();
    }
    static CRect ScreenRect(const CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return rect;
    }
    CRect BandRect(UINT id) const {
        const LRESULT index = frame->m_wndReBar.SendMessage(RB_IDTOINDEX, id);
        CRect rect;
        frame->m_wndReBar.SendMessage(RB_GETRECT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(&rect));
        frame->m_wndReBar.ClientToScreen(&rect);
        return rect;
    }
    static COLORREF At(const platform::Surface& shot, int x, int y) {
        return platform::ColorFromPixel(shot.At(x, y));
    }
    // The share of the opaque pixels of the bitmap's top-left `size` that the screen shows at
    // `origin`.
    static double PictureShown(POINT origin, UINT bitmapId, SIZE size) {
        CBitmap picture;
        EXPECT_TRUE(picture.LoadBitmap(bitmapId));
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, static_cast<HBITMAP>(picture));
        const platform::Surface shot = platform::CaptureScreen();
        int opaque = 0;
        int shown = 0;
        for (int y = 0; y < size.cy; ++y) {
            for (int x = 0; x < size.cx; ++x) {
                const COLORREF color = ::GetPixel(dc, x, y);
                if (color != RGB(255, 0, 255)) {
                    ++opaque;
                    shown += At(shot, origin.x + x, origin.y + y) == color;
                }
            }
        }
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        EXPECT_GT(opaque, size.cx * size.cy / 10);
        return opaque > 0 ? static_cast<double>(shown) / opaque : 0.0;
    }
    static SIZE TextExtent(const std::string& text) {
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, Skin().normalFont);
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        return size;
    }
};

TEST_F(MainFrameLookTest, EachTabIsAsWideAsItsTitleAndShowsItWhole) {
    Show();
    OpenTabs(2);
    // The blank pages finish loading first, so that their own titles come before ours.
    platform::PumpUntilIdle();
    const std::vector<std::string> titles = {"新浪首页 News", "about:blank"};
    for (int i = 0; i < 2; ++i) {
        frame->GetPageAt(i)->m_strTitle = titles[static_cast<size_t>(i)].c_str();
        frame->UpdatePageTitle(frame->GetPageAt(i));
    }
    frame->m_wndTab.SetCurSel(1);
    platform::PumpUntilIdle();

    CRect first;
    CRect second;
    ASSERT_TRUE(frame->m_wndTab.GetItemRect(0, &first));
    ASSERT_TRUE(frame->m_wndTab.GetItemRect(1, &second));
    EXPECT_EQ(first.Height(), 20);
    EXPECT_GT(first.Width(), TextExtent(titles[0]).cx);
    EXPECT_GT(second.Width(), TextExtent(titles[1]).cx);
    EXPECT_EQ(second.left, first.right);

    // The unselected first tab's text, in the tab text colour, runs as wide as the title.
    const platform::Surface shot = platform::CaptureScreen();
    frame->m_wndTab.ClientToScreen(&first);
    int left = first.right;
    int right = first.left - 1;
    for (int y = first.top; y < first.bottom; ++y) {
        for (int x = first.left; x < first.right; ++x) {
            if (At(shot, x, y) == chrome_test::kTabText) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_GE(right - left + 1, TextExtent(titles[0]).cx - 4);
}

TEST_F(MainFrameLookTest, WithManyTabsTheCurrentTabStaysInSight) {
    Show();
    OpenTabs(20);
    platform::PumpUntilIdle();
    for (int i = 0; i < 20; ++i) {
        frame->GetPageAt(i)->m_strTitle.Format("第%d个网页", i + 1);
        frame->UpdatePageTitle(frame->GetPageAt(i));
    }
    frame->m_wndTab.SetCurSel(19);
    platform::PumpUntilIdle();
    CRect strip;
    frame->m_wndTab.GetClientRect(&strip);
    CRect current;
    ASSERT_TRUE(frame->m_wndTab.GetItemRect(19, &current));
    EXPECT_GE(current.left, 0);
    EXPECT_LE(current.right, strip.right - 2 * ::GetSystemMetrics(SM_CXVSCROLL));
    frame->m_wndTab.ClientToScreen(&current);
    const platform::Surface shot = platform::CaptureScreen();
    int text = 0;
    for (int y = current.top; y < current.bottom; ++y) {
        for (int x = current.left; x < current.right; ++x) {
            text += At(shot, x, y) == chrome_test::kTabSelectedText;
        }
    }
    EXPECT_GT(text, 20);

    // A quick double click on the left arrow moves the row back by two and closes no tab.
    CRect before;
    frame->m_wndTab.GetItemRect(17, &before);
    POINT arrow{strip.right - 2 * ::GetSystemMetrics(SM_CXVSCROLL) + 3, 10};
    frame->m_wndTab.ClientToScreen(&arrow);
    for (int i = 0; i < 2; ++i) {
        platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, arrow);
        platform::InjectMouse(MOUSEEVENTF_LEFTUP, arrow);
    }
    platform::PumpUntilIdle();
    EXPECT_EQ(frame->GetTabCount(), 20);
    EXPECT_EQ(frame->GetCurrentIndex(), 19);
    CRect after;
    frame->m_wndTab.GetItemRect(17, &after);
    EXPECT_GT(after.left, before.left);
}

TEST_F(MainFrameLookTest, TheMenuAndBusyButtonsShowTheirWholePictures) {
    Show();
    const CRect band = BandRect(CMainFrame::kMenuButtonBand);
    const CRect bar = ScreenRect(frame->m_wndMenuBar);
    const CRect button = ScreenRect(frame->m_wndMenuButton);
    EXPECT_GE(band.Width(), 60);
    EXPECT_EQ(bar.Width(), 60);
    EXPECT_EQ(bar.Height(), 24);
    EXPECT_EQ(button, CRect(bar.left, bar.top, bar.left + 60, bar.top + 24));
    EXPECT_EQ(PictureShown(button.TopLeft(), IDB_MENU_BUTTON, CSize(60, 24)), 1.0);

    const CRect busy = ScreenRect(frame->m_wndBusy);
    EXPECT_TRUE(ScreenRect(frame->m_wndBusyBar).PtInRect(busy.BottomRight() - CSize(1, 1)));
    EXPECT_EQ(PictureShown(busy.TopLeft(), IDB_BUSY, CSize(24, 24)), 1.0);
}

TEST_F(MainFrameLookTest, OnlyTheFirstRowOfBandsHasGrippers) {
    Show();
    const CRect band = BandRect(CMainFrame::kAddressBand);
    const CRect bar = ScreenRect(frame->m_wndAddressBar);
    const CRect standardBand = BandRect(CMainFrame::kStandardBand);
    const CRect standardBar = ScreenRect(frame->m_wndToolBar);
    EXPECT_LT(bar.left - band.left, standardBar.left - standardBand.left);
    const platform::Surface shot = platform::CaptureScreen();
    auto etched = [&](int left, int right, int top, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const COLORREF color = At(shot, x, y);
                count += color == ::GetSysColor(COLOR_BTNSHADOW) ||
                         color == ::GetSysColor(COLOR_BTNHIGHLIGHT);
            }
        }
        return count;
    };
    EXPECT_EQ(etched(band.left, bar.left, band.top, band.bottom), 0);
    EXPECT_GT(etched(standardBand.left, standardBar.left, standardBand.top, standardBand.bottom),
              0);
}

TEST_F(MainFrameLookTest, TheAddressEditSpansTheAddressBoxAtEveryWidth) {
    Show();
    CWnd* edit = frame->m_wndAddress.GetDlgItem(1001);
    ASSERT_NE(edit, nullptr);
    for (int width : {1000, 700, 1000}) {
        frame->MoveWindow(0, 0, width, 700);
        platform::PumpUntilIdle();
        const CRect box = ScreenRect(frame->m_wndAddress);
        const CRect text = ScreenRect(*edit);
        EXPECT_EQ(box.Width(), BandRect(CMainFrame::kAddressBand).Width() - 35 - 270) << width;
        EXPECT_LE(text.left - box.left, 4) << width;
        const int arrow = ::GetSystemMetrics(SM_CXVSCROLL);
        EXPECT_LE(box.right - text.right, arrow + 4) << width;
        EXPECT_GE(box.right - text.right, arrow) << width;
    }
}

class MainFrameBrowsingTest : public MainFrameTest {
protected:
    std::string Blocked() {
        return Page("blocked.htm", "<html><head><title>Loaded</title></head></html>");
    }
};

TEST_F(MainFrameBrowsingTest, ALocalPageNamesItsTabCutAndTheCaptionWhole) {
    Start();
    OpenTabs(1);
    const std::string path =
        Page("titled.htm", "<html><head><title>一个很长的网页标题ABCDEFG</title></head></html>");
    ASSERT_EQ(frame->OpenUrl(path.c_str(), 0, 1), 0);
    platform::PumpUntilIdle();
    EXPECT_EQ(TabText(0), "一个很长的网...");
    EXPECT_EQ(Caption(), "一个很长的网页标题ABCDEFG - Quorra浏览器");
    EXPECT_EQ(WindowText(frame->m_wndAddress), Address("titled.htm"));
    EXPECT_EQ(frame->m_wndStatusBar.progress.position, 0);
}

TEST_F(MainFrameBrowsingTest, APageThatOpensAWindowGetsANewTab) {
    Start();
    OpenTabs(1);
    const std::string child = Page("child.htm", "<html><head><title>Child</title></head></html>");
    const std::string opener =
        Page("opener.htm", "<html><body><script>window.open('child.htm')</script></body></html>");
    frame->OpenUrl(opener.c_str(), 0, 1);
    platform::PumpUntilIdle();
    ASSERT_EQ(frame->GetTabCount(), 2);
    EXPECT_EQ(frame->GetCurrentIndex(), 1);
    EXPECT_EQ(TabText(1), "Child");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainFrameBrowsingTest, ALinkWithABlankTargetOpensItsPageInANewTab) {
    Start();
    OpenTabs(1);
    Page("child.htm", "<html><head><title>Child</title></head></html>");
    const std::string opener = Page("opener.htm",
                                    "<html><head><title>Opener</title></head><body>"
                                    "<a href='child.htm' target=_blank>open</a></body></html>");
    frame->OpenUrl(opener.c_str(), 0, 1);
    platform::PumpUntilIdle();
    CPageDlg* openerPage = frame->GetCurrentPage();
    ASSERT_NE(openerPage, nullptr);
    ASSERT_EQ(frame->GetTabCount(), 1);

    POINT link{4, 4};
    ::ClientToScreen(openerPage->m_wndBrowser.m_hWnd, &link);
    platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, link);
    platform::InjectMouse(MOUSEEVENTF_LEFTUP, link);
    platform::PumpUntilIdle();

    ASSERT_EQ(frame->GetTabCount(), 2);
    EXPECT_EQ(frame->GetPageAt(0), openerPage);
    EXPECT_EQ(TabText(0), "Opener");
    EXPECT_EQ(std::string(openerPage->m_strUrl), Address("opener.htm"));
    EXPECT_EQ(frame->GetCurrentIndex(), 1);
    EXPECT_EQ(TabText(1), "Child");
    EXPECT_EQ(std::string(frame->GetPageAt(1)->m_strUrl), Address("child.htm"));
    EXPECT_EQ(Caption(), "Child - Quorra浏览器");
    EXPECT_EQ(WindowText(frame->m_wndAddress), Address("child.htm"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainFrameBrowsingTest, WithoutActivationAPopUpLoadsBehindTheCurrentPage) {
    DataStore().activateNewPage = 0;
    Start();
    OpenTabs(1);
    Page("child.htm", "<html><head><title>Child</title></head></html>");
    const std::string opener =
        Page("opener.htm",
             "<html><head><title>Opener</title></head>"
             "<body><script>window.open('child.htm')</script></body></html>");
    frame->OpenUrl(opener.c_str(), 0, 1);
    platform::PumpUntilIdle();
    ASSERT_EQ(frame->GetTabCount(), 2);
    EXPECT_EQ(frame->GetCurrentIndex(), 0);
    EXPECT_EQ(frame->GetCurrentPage(), frame->GetPageAt(0));
    EXPECT_EQ(TabText(1), "Child");
    EXPECT_FALSE(frame->GetPageAt(1)->IsWindowVisible());
    EXPECT_EQ(Caption(), "Opener - Quorra浏览器");
    EXPECT_EQ(WindowText(frame->m_wndAddress), Address("opener.htm"));
}

TEST_F(MainFrameBrowsingTest, AtTheTabLimitANewWindowIsRefusedAndCancelled) {
    Start();
    OpenTabs(CMainFrame::kMaxTabs);
    Page("child.htm", "<html><head><title>Child</title></head></html>");
    const std::string opener =
        Page("opener.htm", "<html><body><script>window.open('child.htm')</script></body></html>");
    CPageDlg* current = frame->GetCurrentPage();
    frame->OpenUrl(opener.c_str(), 0, 1);
    platform::PumpUntilIdle();
    EXPECT_EQ(frame->GetTabCount(), CMainFrame::kMaxTabs);
    EXPECT_EQ(boxes, std::vector<std::string>{"网页个数己超过最大限制"});
    EXPECT_EQ(frame->GetCurrentPage(), current);
    for (int i = 0; i < frame->GetTabCount(); ++i) {
        ASSERT_NE(TabText(i), "Child") << i;
    }
}

TEST_F(MainFrameBrowsingTest, ABlockedPageIsCancelledOnceAndLoadsTheNextTime) {
    auto rule = std::make_unique<FilterRule>();
    rule->pattern = "blocked";
    DataStore().rules.push_back(std::move(rule));
    Start();
    OpenTabs(1);
    const std::string path = Blocked();
    frame->OpenUrl(path.c_str(), 0, 1);
    platform::PumpUntilIdle();
    EXPECT_EQ(frame->m_wndFilter.blockedCount, 1);
    EXPECT_NE(TabText(0), "Loaded");
    frame->OpenUrl(path.c_str(), 0, 1);
    platform::PumpUntilIdle();
    EXPECT_EQ(TabText(0), "Loaded");
    EXPECT_EQ(frame->m_wndFilter.blockedCount, 1);
    EXPECT_EQ(DataStore().blockedUrls.size(), 1u);
}

class MainFrameStartPageTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        DataStore().announceUpdates = 1;
        DataStore().startPageMode = 1;
        std::strcpy(DataStore().startUrl, "http://start/");
    }
    void Announce(const std::string& valueLine) {
        folder.WriteFile("data/main2.htm", "<html>\r\nVERSION_INFO\r\n// comment\r\n" + valueLine +
                                               "\r\n</html>\r\n");
    }
    // The addresses of the tabs after the first blank tab and the start page.
    std::vector<std::string> Start() {
        MainFrameTest::Start();
        OpenTabs(1);
        frame->OpenStartPage();
        std::vector<std::string> urls;
        for (CPageDlg* page : Pages()) {
            urls.push_back(std::string(page->m_strUrl));
        }
        return urls;
    }
};

TEST_F(MainFrameStartPageTest, ANewerVersionReplacesABlankStartPage) {
    Announce("181 http://new/");
    EXPECT_EQ(Start(), std::vector<std::string>{"http://new/"});
}

TEST_F(MainFrameStartPageTest, TheVersionMarkerIsFoundInAnyCase) {
    folder.WriteFile("data/main2.htm", "<html>\r\nversion_Info\r\n182 http://new/\r\n</html>\r\n");
    EXPECT_EQ(Start(), std::vector<std::string>{"http://new/"});
}

TEST_F(MainFrameStartPageTest, TheProgramsOwnVersionIsNotAnnounced) {
    Announce("180 http://new/");
    EXPECT_EQ(Start(), std::vector<std::string>{"about:blank"});
}

TEST_F(MainFrameStartPageTest, TheUsersAddressKeepsItsTabAndTheAnnouncementGetsANewOne) {
    DataStore().startPageMode = 2;
    Announce("200 http://new/");
    EXPECT_EQ(Start(), (std::vector<std::string>{"http://start/", "http://new/"}));
    EXPECT_EQ(frame->GetCurrentIndex(), 1);
}

TEST_F(MainFrameStartPageTest, NothingIsAnnouncedWithoutAnOptionOrAReadableLine) {
    for (const char* value : {"", " 181 http://new/", "181", "x181 http://new/"}) {
        Announce(value);
        EXPECT_EQ(Start(), std::vector<std::string>{"about:blank"}) << value;
        app.m_pMainWnd->DestroyWindow();
    }
    DataStore().announceUpdates = 0;
    Announce("181 http://new/");
    EXPECT_EQ(Start(), std::vector<std::string>{"about:blank"});
}

TEST_F(MainFrameStartPageTest, TheProgramsOwnPageComesFromItsFolder) {
    DataStore().startPageMode = 0;
    const std::vector<std::string> urls = Start();
    EXPECT_EQ(urls, std::vector<std::string>{platform::ToWindowsPath(folder.path()) +
                                             "\\data\\main.htm"});
}

}  // namespace
