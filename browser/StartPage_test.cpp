#include "browser/StartPage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "browser/AppFolder.h"
#include "browser/BrowserDataStore.h"
#include "browser/StartUpTest.h"
#include "browser/ViewHost.h"

namespace {

class RecordingHost : public ViewHost {
public:
    int OpenUrl(CString url, int newTab, int activate) override {
        opened.push_back(std::string(url) + " " + std::to_string(newTab) + " " +
                         std::to_string(activate));
        return 0;
    }
    void OpenStartPage() override {}
    void LayoutBars() override {}
    BOOL HasCurrentPage() override { return FALSE; }

    std::vector<std::string> opened;
};

class StartPageTest : public browser_testing::StartUpTest {
protected:
    void SetUp() override {
        StartUpTest::SetUp();
        mainPage = std::string(GetAppFolderNoChdir()) + "data\\main.htm 0 1";
        // The folder is made current as the program does at start-up.
        GetAppFolder();
    }

    std::vector<std::string> OpenWith(int mode, int announce) {
        settings.startPageMode = mode;
        settings.announceUpdates = announce;
        CStartPage::Open(host, settings);
        return host.opened;
    }
    void WriteUpdatePage(const std::string& valueLines) {
        folder.WriteFile("data/main2.htm", "<html>\r\nVERSION_INFO\r\n" + valueLines + "\r\n");
    }

    CBrowserDataStore settings;
    RecordingHost host;
    std::string mainPage;
};

TEST_F(StartPageTest, EachModeOpensItsPageInTheCurrentTab) {
    EXPECT_EQ(OpenWith(0, 0), std::vector<std::string>{mainPage});
    host.opened.clear();
    EXPECT_EQ(OpenWith(1, 0), std::vector<std::string>{"about:blank 0 1"});
    host.opened.clear();
    std::strcpy(settings.startUrl, "http://home.example/");
    EXPECT_EQ(OpenWith(2, 0), std::vector<std::string>{"http://home.example/ 0 1"});
    host.opened.clear();
    // Any other mode is the user's address too.
    EXPECT_EQ(OpenWith(7, 0), std::vector<std::string>{"http://home.example/ 0 1"});
}

TEST_F(StartPageTest, MainPageIsTheProgramFoldersPageWhateverTheCurrentFolder) {
    SetCurrentDirectoryA(platform::ToWindowsPath(linkFolder.path()).c_str());
    CStartPage::OpenMain(host);
    EXPECT_EQ(host.opened, std::vector<std::string>{mainPage});
    EXPECT_EQ(mainPage.find(platform::ToWindowsPath(folder.path())), 0u);
}

TEST_F(StartPageTest, ANewerVersionReplacesTheBlankStartPage) {
    WriteUpdatePage("181 http://update.example/new.htm");
    EXPECT_EQ(OpenWith(1, 1),
              (std::vector<std::string>{"about:blank 0 1", "http://update.example/new.htm 0 1"}));
}

TEST_F(StartPageTest, TheUsersOwnStartAddressKeepsItsTabAndTheAnnouncementGetsANewOne) {
    WriteUpdatePage("200 http://update.example/");
    std::strcpy(settings.startUrl, "http://home.example/");
    EXPECT_EQ(OpenWith(2, 1),
              (std::vector<std::string>{"http://home.example/ 0 1", "http://update.example/ 1 1"}));
}

TEST_F(StartPageTest, TheProgramsOwnVersionOrAnOlderOneIsNotAnnounced) {
    WriteUpdatePage("180 http://update.example/");
    EXPECT_EQ(OpenWith(1, 1), std::vector<std::string>{"about:blank 0 1"});
    WriteUpdatePage("99 http://update.example/");
    host.opened.clear();
    EXPECT_EQ(OpenWith(1, 1), std::vector<std::string>{"about:blank 0 1"});
}

TEST_F(StartPageTest, NoAnnouncementWhenTheOptionIsOff) {
    WriteUpdatePage("181 http://update.example/");
    EXPECT_EQ(OpenWith(0, 0), std::vector<std::string>{mainPage});
}

TEST_F(StartPageTest, TheAddressIsEverythingAfterTheFirstBlank) {
    WriteUpdatePage("181 http://update.example/a b.htm");
    EXPECT_EQ(CStartPage::AnnouncedAddress("data\\main2.htm"), "http://update.example/a b.htm");
    WriteUpdatePage("181  two");
    EXPECT_EQ(CStartPage::AnnouncedAddress("data\\main2.htm"), " two");
}

TEST_F(StartPageTest, CommentLinesBeforeTheValueAreSkippedAndTheMarkerIgnoresCase) {
    folder.WriteFile(
        "data/main2.htm",
        "version_info\r\n//181 http://comment.example/\r\n190 http://real.example/\r\n");
    EXPECT_EQ(CStartPage::AnnouncedAddress("data\\main2.htm"), "http://real.example/");
}

TEST_F(StartPageTest, DamagedUpdatePagesAnnounceNothing) {
    EXPECT_EQ(CStartPage::AnnouncedAddress("data\\main2.htm"), "");
    const char* pages[] = {
        "<html></html>\r\n",                                // no marker
        "VERSION_INFO\r\n",                                 // no value line
        "VERSION_INFO\r\n//only a comment\r\n",             // no value line either
        "VERSION_INFO\r\nnew http://update.example/\r\n",   // no number
        "VERSION_INFO\r\n181\r\n",                          // no blank
        "VERSION_INFO\r\n 181 http://update.example/\r\n",  // a blank first
    };
    for (const char* page : pages) {
        folder.WriteFile("data/main2.htm", page);
        EXPECT_EQ(CStartPage::AnnouncedAddress("data\\main2.htm"), "") << page;
        host.opened.clear();
        EXPECT_EQ(OpenWith(1, 1), std::vector<std::string>{"about:blank 0 1"}) << page;
    }
}

}  // namespace
