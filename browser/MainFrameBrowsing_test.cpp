#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/FilterRule.h"
#include "browser/MainFrame.h"
#include "browser/MainFrameTest.h"
#include "browser/PageDlg.h"
#include "platform/files/Path.h"
#include "platform/windows/WindowPlatform.h"

namespace {

using browser_testing::MainFrameTest;

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
