// What the desktop manager's tests share: a temporary program folder holding a copy of the
// default one (dv.exe "runs" from it), a registry and a desktop configuration folder of the
// test's own, the test clock on 2006-09-15, message boxes answered by the test and recorded,
// program starts recorded instead of launched, the program-wide fonts, input through the input
// path, and a canvas that tells whether a text was drawn in its place, font and colour.
//
// ManagerAppTest runs the application as the program does, with a list of steps that run inside
// its message loops, each once the loop has handled what the previous step queued.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "manager/ManagerApp.h"
#include "manager/ManagerGdi.h"
#include "manager/ManagerMainDlg.h"
#include "manager/ScheduleList.h"
#include "manager/SortListCtrl.h"
#include "platform/controls/ControlClasses.h"
#include "platform/controls/ListViewTest.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/DC.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/OccManager.h"
#include "platform/framework/ScriptedDialogTest.h"
#include "platform/framework/WinThread.h"
#include "platform/framework/Wnd.h"
#include "platform/process/ProcessApi.h"
#include "platform/registry/Registry.h"
#include "platform/screen/ScreenApi.h"
#include "platform/testing/TempFolder.h"
#include "platform/threads/ThreadApi.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"

namespace manager_testing {

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("PLATFORM_LINK_DIR", (outside.path() / "link").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (outside.path() / "config").c_str(), 1);
        savedRegistry_ = platform::RegistryFile();
        platform::SetRegistryFile(outside.path() / "registry.dat");
        platform::ResetWindowSystemForTesting();
        AfxRegisterFrameworkClasses();
        SYSTEMTIME start = {};
        start.wYear = 2006;
        start.wMonth = 9;
        start.wDay = 15;
        start.wDayOfWeek = 5;
        start.wHour = 10;
        platform::UseTestClock(start);
        platform::SetMessageBoxAnswerer([this](const platform::MessageBoxCall&) { return answer; });
        platform::TakeShownMessageBoxes();
        platform::ClearStartedProcesses();
        platform::SetProcessStartInterceptor([](const platform::ProcessStart&) { return 0; });
        std::filesystem::copy(DESKVANE_PROGRAM_FOLDER, folder.path(),
                              std::filesystem::copy_options::recursive);
        folder.WriteFile("dv.exe", "the desktop manager");
        platform::OverrideModuleFileName(platform::ToWindowsPath(folder.path() / "dv.exe"));
        ::GetCurrentDirectoryA(MAX_PATH, savedDirectory_);
        ::SetCurrentDirectoryA(platform::ToWindowsPath(folder.path()).c_str());
        FreeScheduleRecords();
        Gdi().Create();
    }
    void TearDown() override {
        Gdi().Destroy();
        FreeScheduleRecords();
        platform::SetProcessStartInterceptor({});
        platform::ClearStartedProcesses();
        platform::SetMessageBoxAnswerer({});
        platform::ClearModuleFileNameOverride();
        ::SetCurrentDirectoryA(savedDirectory_);
        platform::ResetWindowSystemForTesting();
        platform::UseRealClock();
        platform::SetRegistryFile(savedRegistry_);
        ::unsetenv("XDG_CONFIG_HOME");
        ::unsetenv("PLATFORM_LINK_DIR");
    }

    // The texts of the message boxes shown since the last call.
    static std::vector<std::string> TakeMessages() {
        std::vector<std::string> texts;
        for (const platform::MessageBoxCall& call : platform::TakeShownMessageBoxes()) {
            texts.push_back(call.text);
        }
        return texts;
    }
    // Clicks a moment apart, so that two in a row never make a double click.
    static void ClickAt(POINT screen) {
        platform::AdvanceTestClock(std::chrono::seconds(1));
        platform::testing::ClickAt(screen);
    }
    static void DoubleClickAt(POINT screen) {
        platform::AdvanceTestClock(std::chrono::seconds(1));
        platform::testing::ClickAt(screen, 2);
    }
    // A click in the middle of a control of the dialog.
    static void Click(HWND dialog, int id) { ClickAt(platform::testing::ItemCenter(dialog, id)); }
    // A click on a column's header, which sorts a sorting list by it.
    static void ClickHeader(const CListCtrl& list, int column) {
        ClickAt(platform::testing::HeaderCenter(list.m_hWnd, column));
    }
    // The rows of a sorting list as their kind draws them, the cells joined by "|".
    static std::vector<std::string> DrawnRows(const CSortListCtrl& list) {
        return platform::testing::ListRows(list.m_hWnd, [&list](int row, int column) {
            CString cell;
            UINT align = 0;
            const auto* record = reinterpret_cast<const void*>(list.GetItemData(row));
            const bool drawn =
                list.RowKind() != nullptr && list.RowKind()->Cell(record, column, cell, align);
            return drawn ? std::string(cell) : std::string();
        });
    }
    static void Press(BYTE key) { platform::testing::Press(key); }
    static std::string ItemText(HWND dialog, int id) {
        return platform::testing::ItemText(dialog, id);
    }
    // Chooses the list's item `index` as the user would, so that the dialog hears of it.
    static void Choose(HWND dialog, int id, int index) {
        HWND list = ::GetDlgItem(dialog, id);
        ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
        platform::PumpUntilIdle();
    }
    static int Selected(HWND dialog, int id) {
        return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
    }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(folder.path() / relative);
    }

    platform::testing::TempFolder outside;
    // The program folder.
    platform::testing::TempFolder folder;
    int answer = IDOK;

private:
    std::filesystem::path savedRegistry_;
    char savedDirectory_[MAX_PATH] = {};
};

// The application with the test's steps. A step runs on a thread timer, which a loop takes only
// when no posted message or input waits: a click that a step injects is handled first, and when
// it opens a modal dialog the following step runs inside that dialog's loop.
class CStepApp : public CManagerApp {
public:
    std::deque<std::function<void()>> steps;

    void Next() {
        if (!steps.empty() && timer_ == 0) {
            // The test clock stands still: the timer's shortest period is passed at once.
            timer_ = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, nullptr);
            platform::AdvanceTestClock(std::chrono::milliseconds(USER_TIMER_MINIMUM));
        }
    }
    CManagerMainDlg* MainDialog() const { return static_cast<CManagerMainDlg*>(m_pMainWnd); }

    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->hwnd == nullptr && pMsg->message == WM_TIMER && timer_ != 0 &&
            pMsg->wParam == timer_) {
            ::KillTimer(nullptr, timer_);
            timer_ = 0;
            // The steps begin once the main window shows, its initialisation done.
            if (MainDialog() == nullptr || !::IsWindowVisible(MainDialog()->m_hWnd)) {
                Next();
                return TRUE;
            }
            if (!steps.empty()) {
                std::function<void()> step = std::move(steps.front());
                steps.pop_front();
                step();
                Next();
            }
            return TRUE;
        }
        return CManagerApp::PreTranslateMessage(pMsg);
    }

private:
    UINT_PTR timer_ = 0;
};

// Dialogs and pages on their own, over an application object of the framework.
class ManagerDialogTest : public ManagerTest {
protected:
    void SetUp() override {
        ManagerTest::SetUp();
        platform::InstallScreen();
        platform::RegisterControlClasses();
        AfxEnableControlContainer();
        app.SetCurrentHandles(nullptr, "", SW_SHOWNORMAL);
        AfxSetThread(&app);
    }
    void TearDown() override {
        AfxSetThread(nullptr);
        ManagerTest::TearDown();
    }

    CWinApp app;
};

class ManagerAppTest : public ManagerTest {
protected:
    // Runs the program with the steps; the last step should close the main window.
    int Run(std::vector<std::function<void()>> steps) {
        app.steps.assign(steps.begin(), steps.end());
        app.Next();
        return AfxWinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    }
    // The main window closed as a user closes it.
    void Close() { app.MainDialog()->PostMessage(WM_CLOSE); }
    CManagerMainDlg& Main() { return *app.MainDialog(); }

    CStepApp app;
};

// A white 700 x 500 picture to draw on.
class Canvas {
public:
    Canvas() {
        HDC screen = ::GetDC(nullptr);
        dc.CreateCompatibleDC(CDC::FromHandle(screen));
        bitmap.CreateCompatibleBitmap(CDC::FromHandle(screen), kWidth, kHeight);
        ::ReleaseDC(nullptr, screen);
        old_ = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(255, 255, 255));
        dc.SetBkMode(TRANSPARENT);
    }
    ~Canvas() { dc.SelectObject(old_); }

    static constexpr int kWidth = 700;
    static constexpr int kHeight = 500;
    CDC dc;
    CBitmap bitmap;

private:
    CBitmap* old_ = nullptr;
};

// Whether `drawn` shows, inside `area`, the pixels of `text` drawn alone on white in `place` with
// the font, colour and format given, and that text has pixels there at all.
inline ::testing::AssertionResult Shows(CDC& drawn, const RECT& area, const char* text,
                                        const RECT& place, HFONT font, COLORREF colour,
                                        UINT format) {
    Canvas expected;
    ::SelectObject(expected.dc.GetSafeHdc(), font);
    expected.dc.SetTextColor(colour);
    RECT rect = place;
    expected.dc.DrawText(text, -1, &rect, format);
    bool inked = false;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF want = expected.dc.GetPixel(x, y);
            inked = inked || want != RGB(255, 255, 255);
            if (drawn.GetPixel(x, y) != want) {
                return ::testing::AssertionFailure() << text << " differs at " << x << "," << y;
            }
        }
    }
    if (!inked) {
        return ::testing::AssertionFailure() << text << " has no pixels in the area";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace manager_testing
