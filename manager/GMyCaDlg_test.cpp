#include "manager/GMyCaDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "manager/ManagerTest.h"
#include "manager/ShutdownTimerPage.h"
#include "manager/TrayWindowTest.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

class SystemToolsPageTest : public ManagerAppTest {
protected:
    GMyCaDlg& Tools() { return *static_cast<GMyCaDlg*>(Main().Page(1)); }
    HWND Shutdown() { return Tools().Child(GMyCaDlg::kShutdown)->m_hWnd; }
    std::string State() { return ItemText(Shutdown(), IDC_SHUTDOWN_STATE); }
    bool CountdownChecked() {
        return ::IsDlgButtonChecked(Shutdown(), IDC_COUNTDOWN) == BST_CHECKED;
    }
    std::string ShutdownFile() {
        return Exists("data3/sdc.dat") ? folder.ReadFile("data3/sdc.dat") : "none";
    }

    TrayWindowStandIn tray;
};

TEST_F(SystemToolsPageTest, ArmingWritesTheTimeAndDisarmingDeletesItTellingTheTrayEachTime) {
    std::vector<std::string> states;
    std::vector<std::string> files;
    std::vector<std::vector<UINT>> told;
    bool countdownAtStart = false;
    int hours = 0;
    int minutes = 0;
    bool childPlaced = false;
    Run({[&] {
        tray.Create();
        Main().ShowPage(10);
        ASSERT_NE(Tools().CurrentChild(), nullptr);
        CRect child;
        Tools().CurrentChild()->GetWindowRect(&child);
        Tools().ScreenToClient(&child);
        childPlaced = child == Tools().ChildRect() && child.top == GMyCaDlg::kChildTop + 1;
        hours = static_cast<int>(
            ::SendDlgItemMessageA(Shutdown(), IDC_SHUTDOWN_HOUR, CB_GETCOUNT, 0, 0));
        minutes = static_cast<int>(
            ::SendDlgItemMessageA(Shutdown(), IDC_SHUTDOWN_MINUTE, CB_GETCOUNT, 0, 0));
        countdownAtStart = CountdownChecked();
        states.push_back(State());
        Click(Shutdown(), IDC_ARM_SHUTDOWN);
        states.push_back(State());
        files.push_back(ShutdownFile());
        told.push_back(tray.Take());

        Choose(Shutdown(), IDC_SHUTDOWN_HOUR, 22);
        Choose(Shutdown(), IDC_SHUTDOWN_MINUTE, 30);
        Click(Shutdown(), IDC_COUNTDOWN);
        // Enter and Esc neither arm nor close the page.
        Press(VK_RETURN);
        Press(VK_ESCAPE);
        files.push_back(ShutdownFile());
        Click(Shutdown(), IDC_ARM_SHUTDOWN);
        files.push_back(ShutdownFile());
        told.push_back(tray.Take());

        Click(Shutdown(), IDC_DISARM_SHUTDOWN);
        states.push_back(State());
        files.push_back(ShutdownFile());
        // Disarming with no file still tells the tray.
        Click(Shutdown(), IDC_DISARM_SHUTDOWN);
        told.push_back(tray.Take());
        tray.Destroy();
        Close();
    }});
    EXPECT_TRUE(childPlaced);
    EXPECT_EQ(hours, 24);
    EXPECT_EQ(minutes, 60);
    EXPECT_TRUE(countdownAtStart);
    EXPECT_EQ(states, (std::vector<std::string>{"当前状态: 未启动", "当前状态: 己启动",
                                                "当前状态: 未启动"}));
    EXPECT_EQ(files, (std::vector<std::string>{"0,0,1", "0,0,1", "22,30,0", "none"}));
    EXPECT_EQ(told, (std::vector<std::vector<UINT>>{{1030}, {1030}, {1030, 1030}}));
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(SystemToolsPageTest, AnArmedFileShowsAtCreationAndAFailedWriteStillTellsTheTray) {
    folder.WriteFile("data3/sdc.dat", "7");
    int hour = -1;
    int minute = -1;
    bool countdown = true;
    std::string state;
    std::string afterFailure;
    std::vector<UINT> told;
    CDialog* first = nullptr;
    bool same = false;
    bool ignored = false;
    bool backupShown = false;
    Run({[&] {
        tray.Create();
        Main().ShowPage(10);
        hour = static_cast<int>(
            ::SendDlgItemMessageA(Shutdown(), IDC_SHUTDOWN_HOUR, CB_GETCURSEL, 0, 0));
        minute = static_cast<int>(
            ::SendDlgItemMessageA(Shutdown(), IDC_SHUTDOWN_MINUTE, CB_GETCURSEL, 0, 0));
        countdown = CountdownChecked();
        state = State();

        // Indices beyond the six pages change nothing; asking again shows the same page.
        first = Tools().CurrentChild();
        Tools().OnButton(6);
        Tools().OnButton(-1);
        ignored = Tools().CurrentChild() == first;
        Tools().OnButton(0);
        same = Tools().CurrentChild() == first && Tools().Child(0) == first;
        // The backup settings page takes its slot like the others.
        Main().ShowPage(11);
        backupShown = Tools().Child(GMyCaDlg::kBackup) != nullptr &&
                      Tools().CurrentChild() == Tools().Child(GMyCaDlg::kBackup) &&
                      !first->IsWindowVisible();
        Main().ShowPage(10);

        Click(Shutdown(), IDC_DISARM_SHUTDOWN);
        tray.Take();
        // A temporary file that cannot be replaced makes the write fail.
        std::filesystem::create_directories(folder.path() / "data3" / "sdc.dat.tmp" / "x");
        Click(Shutdown(), IDC_ARM_SHUTDOWN);
        afterFailure = State();
        told = tray.Take();
        tray.Destroy();
        Close();
    }});
    EXPECT_EQ(hour, 7);
    EXPECT_EQ(minute, 0);
    EXPECT_FALSE(countdown);
    EXPECT_EQ(state, "当前状态: 己启动");
    EXPECT_TRUE(ignored);
    EXPECT_TRUE(same);
    EXPECT_TRUE(backupShown);
    EXPECT_EQ(afterFailure, "当前状态: 未启动");
    EXPECT_FALSE(Exists("data3/sdc.dat"));
    EXPECT_EQ(told, (std::vector<UINT>{1030}));
}

// The colours above the child area of a host page: its title band and the margin below it.
std::set<COLORREF> TopColours(CWnd& page) {
    const platform::Surface picture = platform::CaptureWindow(page.m_hWnd);
    CRect client;
    page.GetClientRect(&client);
    std::set<COLORREF> colours;
    for (int y = 0; y < GMyCaDlg::kChildTop; ++y) {
        for (int x = 0; x < client.Width(); ++x) {
            colours.insert(platform::ColorFromPixel(picture.At(x, y)));
        }
    }
    return colours;
}

TEST_F(SystemToolsPageTest, EachHostPageLoadsTheSkinOfItsOwnKeyAndTitlesInRedOnWhite) {
    // The system tools page's skin is gone; the lookup page keeps its own.
    std::string config = folder.ReadFile("data/config.dat");
    const std::string systemSkin = "[BITMAP_BACKGROUND_SYSTEM]\r\ndata\\skin\\system.bmp\r\n";
    ASSERT_NE(config.find(systemSkin), std::string::npos);
    config.erase(config.find(systemSkin), systemSkin.size());
    folder.WriteFile("data/config.dat", config);
    std::set<COLORREF> system;
    std::set<COLORREF> lookups;
    bool systemSkinned = true;
    bool lookupsSkinned = false;
    Run({[&] {
        Main().ShowPage(10);
        system = TopColours(Tools());
        systemSkinned = Tools().Painter().Background().GetBitmap() != nullptr;
        Main().ShowPage(50);
        auto& lookupPage = *static_cast<CSubPageHost*>(Main().Page(5));
        lookups = TopColours(lookupPage);
        lookupsSkinned = lookupPage.Painter().Background().GetBitmap() != nullptr;
        Close();
    }});
    EXPECT_FALSE(systemSkinned);
    EXPECT_TRUE(lookupsSkinned);
    // Above the child area only the title's red shows on white (and the text's smoothing).
    for (const std::set<COLORREF>& colours : {system, lookups}) {
        EXPECT_TRUE(colours.contains(RGB(255, 0, 0)));
        EXPECT_TRUE(colours.contains(RGB(255, 255, 255)));
        EXPECT_TRUE(std::all_of(colours.begin(), colours.end(), [](COLORREF c) {
            return GetRValue(c) == 255 && GetGValue(c) == GetBValue(c);
        }));
    }
}

TEST_F(SystemToolsPageTest, ATimeOutsideTheListsIsShownUnchosenAndArmingAsksForIt) {
    folder.WriteFile("data3/sdc.dat", "24,60,1");
    std::vector<int> chosen;
    std::vector<std::string> messages;
    std::string file;
    std::vector<UINT> told;
    bool written = false;
    Run({[&] {
        tray.Create();
        Main().ShowPage(10);
        chosen = {Selected(Shutdown(), IDC_SHUTDOWN_HOUR),
                  Selected(Shutdown(), IDC_SHUTDOWN_MINUTE)};
        Click(Shutdown(), IDC_ARM_SHUTDOWN);
        Choose(Shutdown(), IDC_SHUTDOWN_HOUR, 5);
        Click(Shutdown(), IDC_ARM_SHUTDOWN);
        messages = TakeMessages();
        file = ShutdownFile();
        told = tray.Take();
        const std::filesystem::path shots = PROJECT_TEST_OUTPUT_DIR;
        std::filesystem::create_directories(shots);
        written = platform::WriteWindowPng(Main().m_hWnd, shots / "deskvane-system-tools.png");
        tray.Destroy();
        Close();
    }});
    EXPECT_EQ(chosen, (std::vector<int>{-1, -1}));
    EXPECT_EQ(messages, (std::vector<std::string>{"请选择小时", "请选择分"}));
    EXPECT_EQ(file, "24,60,1");
    EXPECT_TRUE(told.empty());
    EXPECT_TRUE(written);
}

}  // namespace
}  // namespace manager_testing
