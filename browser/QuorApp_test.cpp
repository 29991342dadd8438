#include "browser/QuorApp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/ExternalDispatch.h"
#include "browser/MainFrame.h"
#include "browser/PageDlg.h"
#include "browser/QuorView.h"
#include "browser/SkinColors.h"
#include "browser/StartUpTest.h"
#include "platform/drawing/Gdi.h"
#include "platform/framework/OccManager.h"
#include "platform/process/ProcessApi.h"
#include "platform/threads/ThreadApi.h"

namespace {

// The browser's application object with the test's script; it notes what its about box showed and
// whether the control container's external object lived until the end.
class CScenarioApp : public browser_testing::ScenarioApp<CQuorApp, CScenarioApp> {
public:
    int ExitInstance() override {
        externalAtExit = m_pExternal != nullptr;
        const int result = CQuorApp::ExitInstance();
        externalAfterExit = m_pExternal != nullptr;
        return result;
    }

    // A thread message that the modal loop of the about box sees first: it notes what the box
    // shows and closes it with OK.
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->hwnd == nullptr && pMsg->message == kCloseAbout) {
            if (HWND about = ::FindWindowA(nullptr, "关于 Quorra浏览器")) {
                char text[64] = {};
                ::GetWindowTextA(::GetDlgItem(about, 1019), text, sizeof(text));
                aboutText = text;
                ::PostMessageA(about, WM_COMMAND, IDOK, 0);
            }
            return TRUE;
        }
        return CQuorApp::PreTranslateMessage(pMsg);
    }

    CMainFrame* Frame() const { return static_cast<CMainFrame*>(m_pMainWnd); }

    static constexpr UINT kCloseAbout = WM_APP + 40;
    std::string aboutText;

    bool externalAtExit = false;
    bool externalAfterExit = true;
};

class QuorAppTest : public browser_testing::StartUpTest {
protected:
    void SetUp() override {
        StartUpTest::SetUp();
        ::setenv("PLATFORM_URL_HISTORY_FILE", (linkFolder.path() / "history.dat").c_str(), 1);
        folder.WriteFile("quorra.exe", "the browser program");
        folder.WriteFile("data/first.dat", "");
        folder.WriteFile("data/main.htm", "<html><title>start</title><body>start</body></html>");
        platform::ClearStartedProcesses();
    }
    void TearDown() override {
        platform::SetProcessStartInterceptor({});
        platform::ClearStartedProcesses();
        ::unsetenv("PLATFORM_URL_HISTORY_FILE");
        StartUpTest::TearDown();
    }

    // Writes data\filter.dat with every setting, so that nothing of an earlier run is left in
    // the program's settings store after it loads.
    void WriteSettings(int startPageMode, const char* startUrl = "", int announce = 0,
                       RECT windowRect = {-1, -1, 1, 1}) {
        CBrowserDataStore settings;
        settings.startPageMode = startPageMode;
        settings.announceUpdates = announce;
        std::strncpy(settings.startUrl, startUrl, sizeof(settings.startUrl) - 1);
        settings.windowRect = windowRect;
        settings.path = platform::ToWindowsPath(folder.path() / "data/filter.dat").c_str();
        settings.Save();
    }
    // The address the control reports for a file in the program folder.
    std::string FileAddress(const std::string& relative) const {
        std::string path = platform::ToWindowsPath(folder.path() / relative);
        for (char& c : path) {
            if (c == '\\') {
                c = '/';
            }
        }
        return "file:///" + path;
    }
    void WriteUpdater() {
        folder.WriteFile("ux.exe", "#!/bin/sh\nexit 0\n");
        std::filesystem::permissions(folder.path() / "ux.exe", std::filesystem::perms::owner_all);
    }

    int Run(CScenarioApp& app) {
        EXPECT_EQ(AfxGetApp(), &app);
        return AfxWinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    }
};

TEST_F(QuorAppTest, TheFirstTabShowsTheProgramsStartPage) {
    WriteSettings(0);
    CScenarioApp app;
    int tabs = 0;
    std::string current;
    std::string title;
    app.script = [&](CScenarioApp& self) {
        tabs = self.Frame()->GetTabCount();
        CPageDlg* page = self.Frame()->GetCurrentPage();
        current = std::string(page->m_wndBrowser.GetLocationURL());
        title = std::string(page->m_strTitle);
    };
    EXPECT_EQ(Run(app), 0);
    EXPECT_TRUE(app.initResult);
    // The start page took the blank first tab's place.
    EXPECT_EQ(tabs, 1);
    EXPECT_EQ(current, FileAddress("data/main.htm"));
    EXPECT_EQ(title, "start");
}

TEST_F(QuorAppTest, TheUsersStartAddressAndTheAnnouncedVersionEachGetATab) {
    folder.WriteFile("home.htm", "<html><title>home</title></html>");
    folder.WriteFile("new.htm", "<html><title>new</title></html>");
    folder.WriteFile(
        "data/main2.htm",
        "VERSION_INFO\r\n181 " + platform::ToWindowsPath(folder.path() / "new.htm") + "\r\n");
    WriteSettings(2, platform::ToWindowsPath(folder.path() / "home.htm").c_str(), 1);
    CScenarioApp app;
    std::vector<std::string> urls;
    std::string caption;
    app.script = [&](CScenarioApp& self) {
        for (int i = 0; i < self.Frame()->GetTabCount(); ++i) {
            urls.push_back(std::string(self.Frame()->GetPageAt(i)->m_strUrl));
        }
        CString text;
        self.Frame()->GetWindowText(text);
        caption = std::string(text);
    };
    Run(app);
    EXPECT_EQ(urls, (std::vector<std::string>{FileAddress("home.htm"), FileAddress("new.htm")}));
    EXPECT_EQ(caption, "new - Quorra浏览器");
}

TEST_F(QuorAppTest, APendingUpdateStartsTheUpdaterAndShowsNoWindow) {
    WriteSettings(1);
    WriteUpdater();
    folder.WriteFile("data/quorra.np", "the next browser program");
    platform::SetProcessStartInterceptor([](const platform::ProcessStart&) { return 0; });
    CScenarioApp app;
    EXPECT_EQ(Run(app), 0);
    EXPECT_TRUE(app.initResult);
    EXPECT_FALSE(app.hadMainWindow);
    const std::vector<platform::ProcessStart> starts = platform::StartedProcesses();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].program.filename(), "ux.exe");
    EXPECT_EQ(starts[0].arguments, std::vector<std::string>{"update"});
    // Nothing of the normal start ran: no settings were written back.
    EXPECT_FALSE(Exists("data/visited.dat"));
}

TEST_F(QuorAppTest, AnUpdaterThatCannotStartLetsTheBrowserStartAsUsual) {
    WriteSettings(1);
    folder.WriteFile("data/quorra.np", "the next browser program");
    CScenarioApp app;
    int tabs = 0;
    app.script = [&](CScenarioApp& self) { tabs = self.Frame()->GetTabCount(); };
    Run(app);
    EXPECT_TRUE(app.initResult);
    EXPECT_TRUE(app.hadMainWindow);
    EXPECT_EQ(tabs, 1);
    EXPECT_TRUE(platform::StartedProcesses().empty());
}

TEST_F(QuorAppTest, AnUpdateInstalledAlreadyIsNotHandedOver) {
    WriteSettings(1);
    WriteUpdater();
    folder.WriteFile("data/quorra.np", "the browser program");
    platform::SetProcessStartInterceptor([](const platform::ProcessStart&) { return 0; });
    CScenarioApp app;
    Run(app);
    EXPECT_TRUE(app.hadMainWindow);
    EXPECT_TRUE(platform::StartedProcesses().empty());
}

TEST_F(QuorAppTest, SettingsAndTheWindowRectangleSurviveARestart) {
    WriteSettings(1);
    {
        CScenarioApp app;
        app.script = [](CScenarioApp& self) {
            self.Frame()->MoveWindow(40, 30, 700, 500);
            DataStore().tabsAtBottom = 1;
            platform::PumpUntilIdle();
        };
        Run(app);
    }
    CBrowserDataStore saved;
    saved.path = platform::ToWindowsPath(folder.path() / "data/filter.dat").c_str();
    saved.Load();
    EXPECT_EQ(saved.windowRect.left, 40);
    EXPECT_EQ(saved.windowRect.top, 30);
    EXPECT_EQ(saved.windowRect.right, 740);
    EXPECT_EQ(saved.windowRect.bottom, 530);
    EXPECT_EQ(saved.tabsAtBottom, 1);
    EXPECT_EQ(saved.startPageMode, 1);

    DataStore().windowRect = {-1, -1, 1, 1};
    DataStore().tabsAtBottom = 0;
    CScenarioApp again;
    RECT shown = {};
    again.script = [&](CScenarioApp& self) { self.Frame()->GetWindowRect(&shown); };
    Run(again);
    EXPECT_EQ(shown.left, 40);
    EXPECT_EQ(shown.top, 30);
    EXPECT_EQ(shown.right, 740);
    EXPECT_EQ(shown.bottom, 530);
    EXPECT_EQ(DataStore().tabsAtBottom, 1);
}

TEST_F(QuorAppTest, ATerminateSignalClosesTheMainWindowSoTheSettingsAreSaved) {
    WriteSettings(1);
    CScenarioApp app;
    app.closeAtEnd = false;
    app.script = [](CScenarioApp& self) {
        self.Frame()->MoveWindow(20, 10, 640, 480);
        platform::PumpUntilIdle();
        std::raise(SIGTERM);
    };
    EXPECT_EQ(Run(app), 0);
    CBrowserDataStore saved;
    saved.path = platform::ToWindowsPath(folder.path() / "data/filter.dat").c_str();
    saved.Load();
    EXPECT_EQ(saved.windowRect.left, 20);
    EXPECT_EQ(saved.windowRect.top, 10);
    EXPECT_EQ(saved.windowRect.right, 660);
    EXPECT_EQ(saved.windowRect.bottom, 490);
    EXPECT_TRUE(Exists("data/visited.dat"));
}

// The earliest moment a signal can come is while the application object exists and nothing else
// does yet; loading the skin is the first step of start-up that takes time.
class CEarlySignalApp : public CScenarioApp {
public:
    int LoadSkin() override {
        std::raise(SIGTERM);
        return CScenarioApp::LoadSkin();
    }
};

TEST_F(QuorAppTest, ATerminateSignalBeforeTheMainWindowExistsClosesItAsSoonAsItDoes) {
    WriteSettings(1, "http://kept/");
    folder.WriteFile("data/visited.dat", "http://visited/\r\n");
    CEarlySignalApp app;
    app.closeAtEnd = false;
    EXPECT_EQ(Run(app), 0);
    EXPECT_TRUE(app.hadMainWindow);
    CBrowserDataStore saved;
    saved.path = platform::ToWindowsPath(folder.path() / "data/filter.dat").c_str();
    saved.Load();
    EXPECT_STREQ(saved.startUrl, "http://kept/");
    EXPECT_THAT(folder.ReadFile("data/visited.dat"), testing::HasSubstr("http://visited/\r\n"));
}

// A settings file that cannot be written at exit is reported over the main window as well as
// on the standard error, and the previous file stays.
TEST_F(QuorAppTest, SettingsThatCannotBeSavedAtExitAreReported) {
    WriteSettings(1);
    const std::string before = folder.ReadFile("data/filter.dat");
    std::filesystem::create_directories(folder.path() / "data/filter.dat.tmp/in the way");
    answer = IDOK;
    CScenarioApp app;
    app.script = [](CScenarioApp& self) { self.Frame()->MoveWindow(20, 10, 640, 480); };
    testing::internal::CaptureStderr();
    Run(app);
    EXPECT_THAT(testing::internal::GetCapturedStderr(),
                testing::HasSubstr("data\\filter.dat could not be saved"));
    const std::vector<std::string> boxes = TakeQuestions();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("data\\filter.dat"), std::string::npos);
    EXPECT_EQ(folder.ReadFile("data/filter.dat"), before);
    EXPECT_TRUE(Exists("data/visited.dat"));
}

TEST_F(QuorAppTest, StartUpPreparesHostingFontsAndSkinAndExitReleasesTheExternalObject) {
    WriteSettings(1);
    folder.WriteFile("data/skin.ini",
                     "[SKIN_CONFIG]\r\n[STYLE]\r\n0\r\n[TOOL_CONFIG]\r\n[BACKGROUND_COLOR]\r\n"
                     "RGB(1,2,3)\r\n");
    CScenarioApp app;
    bool hosting = false;
    LOGFONTA normal = {};
    LOGFONTA heading = {};
    COLORREF toolBackground = 0;
    app.script = [&](CScenarioApp& self) {
        hosting = AfxGetOccManager() != nullptr && self.m_pExternal != nullptr;
        ::GetObjectA(Skin().normalFont, sizeof(normal), &normal);
        ::GetObjectA(Skin().headingFont, sizeof(heading), &heading);
        toolBackground = Skin().toolBackground;
    };
    Run(app);
    EXPECT_TRUE(hosting);
    EXPECT_EQ(toolBackground, RGB(1, 2, 3));
    EXPECT_EQ(normal.lfHeight, 12);
    EXPECT_EQ(normal.lfWeight, 400);
    EXPECT_EQ(normal.lfPitchAndFamily, 0x20);
    EXPECT_STREQ(normal.lfFaceName, "宋体");
    EXPECT_EQ(heading.lfHeight, 16);
    EXPECT_EQ(heading.lfWeight, 700);
    EXPECT_STREQ(heading.lfFaceName, "黑体");
    EXPECT_TRUE(app.externalAtExit);
    EXPECT_FALSE(app.externalAfterExit);
    EXPECT_STREQ(app.m_pszRegistryKey, "Local AppWizard-Generated Applications");
}

TEST_F(QuorAppTest, TheAboutCommandShowsTheAboutBoxModally) {
    WriteSettings(1);
    CScenarioApp app;
    bool visibleAfter = true;
    app.script = [&](CScenarioApp& self) {
        ::PostThreadMessageA(::GetCurrentThreadId(), CScenarioApp::kCloseAbout, 0, 0);
        self.Frame()->SendMessage(WM_COMMAND, ID_APP_ABOUT);
        visibleAfter = ::FindWindowA(nullptr, "关于 Quorra浏览器") != nullptr;
    };
    Run(app);
    EXPECT_EQ(app.aboutText, "Quorra浏览器 V1.80");
    EXPECT_FALSE(visibleAfter);
}

TEST_F(QuorAppTest, AFileNamedOnTheCommandLineOpensNothing) {
    WriteSettings(1);
    folder.WriteFile("other.htm", "<html><title>other</title></html>");
    CScenarioApp app;
    std::string current;
    app.script = [&](CScenarioApp& self) {
        current = std::string(self.Frame()->GetCurrentPage()->m_strUrl);
    };
    const std::string commandLine = platform::ToWindowsPath(folder.path() / "other.htm");
    AfxWinMain(nullptr, nullptr, const_cast<LPSTR>(commandLine.c_str()), SW_SHOWNORMAL);
    EXPECT_EQ(current, "about:blank");
}

TEST_F(QuorAppTest, DataFilesAreFoundFromAnotherCurrentFolder) {
    WriteSettings(0);
    SetCurrentDirectoryA(platform::ToWindowsPath(linkFolder.path()).c_str());
    CScenarioApp app;
    std::string current;
    app.script = [&](CScenarioApp& self) {
        current = std::string(self.Frame()->GetCurrentPage()->m_strUrl);
    };
    Run(app);
    EXPECT_EQ(current, FileAddress("data/main.htm"));
}

TEST_F(QuorAppTest, AFirstRunAsksTheWelcomeQuestionAfterTheFirstPageOpened) {
    WriteSettings(1);
    std::filesystem::remove(folder.path() / "data/first.dat");
    answer = IDNO;
    CScenarioApp app;
    std::vector<std::string> before;
    std::vector<std::string> after;
    app.script = [&](CScenarioApp&) {
        before = TakeQuestions();
        Wait(200);
        after = TakeQuestions();
    };
    Run(app);
    EXPECT_TRUE(before.empty());
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].rfind("欢迎使用Quorra浏览器\r\n", 0), 0u);
    EXPECT_TRUE(Exists("data/first.dat"));
}

}  // namespace
