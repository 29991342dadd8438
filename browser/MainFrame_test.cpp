#include "browser/MainFrame.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/FilterRule.h"
#include "browser/MainFrameTest.h"
#include "browser/PageDlg.h"
#include "browser/SocketClient.h"
#include "platform/controls/Tab.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/threads/ThreadApi.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/quorra/resource.h"

namespace {

using browser_testing::closingAtDestroy;
using browser_testing::MainFrameTest;

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

TEST_F(MainFrameTest, AFirstStartTakesTheDesktopsDefaultPlaceAndSavesIt) {
    // A panel along the top: the default place starts below it, never in the screen's corner.
    platform::SetWorkArea(RECT{0, 40, 1024, 768});
    DataStore().windowRect = {-1, -1, 1, 1};
    Start();
    CRect window;
    frame->GetWindowRect(&window);
    HWND plain =
        ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    CRect next;
    ::GetWindowRect(plain, &next);
    ::DestroyWindow(plain);
    EXPECT_GT(window.left, 0);
    EXPECT_GT(window.top, 40);
    EXPECT_EQ(window.Size(), CSize(768, 576));
    // The next default window cascades from the frame's place, as after any first window.
    EXPECT_EQ(next.TopLeft() - window.TopLeft(), CSize(window.left, window.top - 40));
    EXPECT_EQ(CRect(DataStore().windowRect), window);
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

}  // namespace
