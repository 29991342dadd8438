#include "platform/framework/WinApp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/framework/OccManager.h"
#include "platform/testing/TempFolder.h"
#include "platform/windows/WindowPlatform.h"

namespace {

std::vector<std::string> steps;

class WinAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("PLATFORM_LINK_DIR", (linkFolder.path() / "link").c_str(), 1);
        platform::ResetWindowSystemForTesting();
        steps.clear();
    }
    void TearDown() override {
        platform::ResetWindowSystemForTesting();
        ::unsetenv("PLATFORM_LINK_DIR");
    }

    platform::testing::TempFolder linkFolder;
};

class CScriptedApp : public CWinApp {
public:
    explicit CScriptedApp(BOOL initResult, bool withWindow = false, LPCSTR name = nullptr)
        : CWinApp(name), initResult_(initResult), withWindow_(withWindow) {}

    BOOL InitInstance() override {
        steps.push_back("init");
        if (withWindow_) {
            auto* window = new CWnd;
            window->CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
            m_pMainWnd = window;
            mainHandle = window->m_hWnd;
            ownedWindow.reset(window);
        }
        return initResult_;
    }
    int Run() override {
        steps.push_back("run");
        return CWinApp::Run();
    }
    int ExitInstance() override {
        steps.push_back("exit");
        return CWinApp::ExitInstance() + 40;
    }

    HWND mainHandle = nullptr;
    std::unique_ptr<CWnd> ownedWindow;

private:
    BOOL initResult_;
    bool withWindow_;
};

TEST_F(WinAppTest, TrueWithoutAMainWindowEndsAtOnceThroughTheLoop) {
    CScriptedApp app(TRUE);
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxWinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL), 40);
    EXPECT_EQ(steps, (std::vector<std::string>{"init", "run", "exit"}));
}

TEST_F(WinAppTest, FalseEndsStartUpWithoutTheLoopAndDestroysTheMainWindow) {
    CScriptedApp app(FALSE, true);
    EXPECT_EQ(AfxWinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL), 40);
    EXPECT_EQ(steps, (std::vector<std::string>{"init", "exit"}));
    EXPECT_FALSE(::IsWindow(app.mainHandle));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(WinAppTest, TheMainWindowsEndPostsTheQuitWhoseCodeExitInstanceReturns) {
    class CClosingApp : public CScriptedApp {
    public:
        CClosingApp() : CScriptedApp(TRUE, true) {}
        BOOL InitInstance() override {
            CScriptedApp::InitInstance();
            m_pMainWnd->PostMessage(WM_CLOSE);
            return TRUE;
        }
    };
    CClosingApp app;
    EXPECT_EQ(AfxWinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL), 40);
    EXPECT_EQ(steps, (std::vector<std::string>{"init", "run", "exit"}));
    EXPECT_FALSE(::IsWindow(app.mainHandle));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(WinAppTest, TheApplicationTitleComesFromTheStringTableUnlessGiven) {
    CScriptedApp fromTable(TRUE);
    fromTable.SetCurrentHandles(nullptr, "", SW_SHOW);
    EXPECT_STREQ(fromTable.m_pszAppName, "Quorra浏览器");
    EXPECT_STREQ(AfxGetAppName(), "Quorra浏览器");
    EXPECT_STREQ(fromTable.m_pszExeName, "platform_framework_tests");
    fromTable.SetRegistryKey("Larchway");
    EXPECT_STREQ(fromTable.m_pszRegistryKey, "Larchway");
    EXPECT_STREQ(fromTable.m_pszProfileName, "Quorra浏览器");
}

TEST_F(WinAppTest, AGivenNameWins) {
    CScriptedApp named(TRUE, false, "Deskvane");
    named.SetCurrentHandles(nullptr, "", SW_SHOW);
    EXPECT_STREQ(named.m_pszAppName, "Deskvane");
}

class CRecordingInfo : public CCommandLineInfo {
public:
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override {
        seen.push_back(std::string(bFlag ? "flag " : "") + pszParam + (bLast ? " last" : ""));
        CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    }
    std::vector<std::string> seen;
};

TEST_F(WinAppTest, ParseCommandLineSplitsFlagsAndFiles) {
    CScriptedApp app(TRUE);
    app.SetCurrentHandles(nullptr, "/Embedding \"C:\\my files\\a.htm\" -p update", SW_SHOW);
    CRecordingInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(info.seen, (std::vector<std::string>{"flag Embedding", "C:\\my files\\a.htm",
                                                   "flag p", "update last"}));
    EXPECT_TRUE(info.m_bRunEmbedded);
    EXPECT_FALSE(info.m_bShowSplash);
    EXPECT_EQ(info.m_strFileName, "C:\\my files\\a.htm");
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FilePrint);
}

TEST_F(WinAppTest, ShellCommandsWithoutTemplatesFail) {
    CScriptedApp app(TRUE);
    CCommandLineInfo fileNew;
    EXPECT_FALSE(app.ProcessShellCommand(fileNew));
    CCommandLineInfo nothing;
    nothing.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(app.ProcessShellCommand(nothing));
}

TEST_F(WinAppTest, IdleRunsTheUpdatePassThenFreesTemporariesThenStops) {
    CScriptedApp app(TRUE);
    AfxRegisterFrameworkClasses();
    HWND plain = ::CreateWindowExA(0, "AfxWnd", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                   nullptr);
    CWnd* temporary = CWnd::FromHandle(plain);
    EXPECT_EQ(CWnd::FromHandle(plain), temporary);
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_FALSE(app.OnIdle(1));
    EXPECT_FALSE(app.OnIdle(2));
    EXPECT_TRUE(::IsWindow(plain));
    ::DestroyWindow(plain);
}

TEST(ControlContainerTest, EnablingRecordsTheManagerOrTheDefaultOne) {
    class CCustomManager : public COccManager {};
    CCustomManager custom;
    AfxEnableControlContainer(&custom);
    EXPECT_EQ(AfxGetOccManager(), &custom);
    AfxEnableControlContainer();
    COccManager* standard = AfxGetOccManager();
    ASSERT_NE(standard, nullptr);
    EXPECT_NE(standard, &custom);
    AfxEnableControlContainer();
    EXPECT_EQ(AfxGetOccManager(), standard);
}

}  // namespace
