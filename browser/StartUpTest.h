// What the start-up tests share: a temporary program folder that the program runs from, a fresh
// window system with the framework's classes, the test clock, message boxes answered by the test
// and recorded, and the application object of a program built on the browser code base with the
// test's script.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls/Button.h"
#include "platform/controls/Static.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/Wnd.h"
#include "platform/testing/TempFolder.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"

namespace browser_testing {

// The program's application object `App`, with a script that runs once the main window shows,
// before the main window is closed as a user would close it. `Scenario` is the test's class
// derived from this one, which the script gets.
template <class App, class Scenario>
class ScenarioApp : public App {
public:
    BOOL InitInstance() override {
        initResult = App::InitInstance();
        hadMainWindow = this->m_pMainWnd != nullptr;
        if (initResult && this->m_pMainWnd != nullptr) {
            platform::PumpUntilIdle();
            if (script) {
                script(static_cast<Scenario&>(*this));
            }
            if (closeAtEnd) {
                this->m_pMainWnd->PostMessage(WM_CLOSE);
            }
        }
        return initResult;
    }

    std::function<void(Scenario&)> script;
    bool closeAtEnd = true;
    BOOL initResult = FALSE;
    bool hadMainWindow = false;
};

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("PLATFORM_LINK_DIR", (linkFolder.path() / "link").c_str(), 1);
        platform::ResetWindowSystemForTesting();
        platform::RegisterButtonClass();
        platform::RegisterStaticClass();
        AfxRegisterFrameworkClasses();
        SYSTEMTIME start = {};
        start.wYear = 2026;
        start.wMonth = 3;
        start.wDay = 14;
        start.wHour = 9;
        platform::UseTestClock(start);
        platform::SetMessageBoxAnswerer([this](const platform::MessageBoxCall&) { return answer; });
        platform::TakeShownMessageBoxes();
        GetCurrentDirectoryA(MAX_PATH, savedDirectory_);
        folder.WriteFile("data/.keep", "");
        platform::OverrideModuleFileName(platform::ToWindowsPath(folder.path() / "quorra.exe"));
    }
    void TearDown() override {
        platform::SetMessageBoxAnswerer({});
        platform::ClearModuleFileNameOverride();
        SetCurrentDirectoryA(savedDirectory_);
        platform::ResetWindowSystemForTesting();
        platform::UseRealClock();
        ::unsetenv("PLATFORM_LINK_DIR");
    }

    // The texts of the message boxes asked for since the last call.
    static std::vector<std::string> TakeQuestions() {
        std::vector<std::string> texts;
        for (const platform::MessageBoxCall& call : platform::TakeShownMessageBoxes()) {
            texts.push_back(call.text);
        }
        return texts;
    }

    // Advances the clock in steps of `step` milliseconds, letting the timers that fall due run.
    static void Wait(int milliseconds, int step = 10) {
        for (int waited = 0; waited < milliseconds; waited += step) {
            platform::AdvanceTestClock(std::chrono::milliseconds(step));
            platform::PumpUntilIdle();
        }
    }

    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(folder.path() / relative);
    }

    platform::testing::TempFolder linkFolder;
    platform::testing::TempFolder folder;
    int answer = IDNO;

private:
    char savedDirectory_[MAX_PATH] = {};
};

}  // namespace browser_testing
