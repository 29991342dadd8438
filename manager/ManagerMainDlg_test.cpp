#include "manager/ManagerMainDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "manager/CalendarPage.h"
#include "manager/ManagerTest.h"
#include "manager/MonthGrid.h"
#include "manager/ScheduleList.h"
#include "platform/screen/ScreenApi.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

std::string Bytes(std::initializer_list<std::int32_t> words) {
    std::string bytes;
    for (std::int32_t word : words) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<char>((static_cast<std::uint32_t>(word) >> shift) & 0xFF));
        }
    }
    return bytes;
}

class ManagerMainDlgTest : public ManagerAppTest {
protected:
    // Where each link of the shipped menu page lies, by the number its script reports: a copy of
    // the page whose links go to "#<number>" instead is laid out alike, and clicking down its
    // column tells each link's row from the address it reaches.
    void FindMenuRows() {
        std::string page = folder.ReadFile("data2/menu.htm");
        page = std::regex_replace(
            page, std::regex("href=\"#\" onclick=\"return show\\((\\d+)\\)\""), "href=\"#$1\"");
        folder.WriteFile("data2/probe.htm", page);
        CWebBrowser2& menu = Main().m_wndMenu;
        const std::string probe =
            "file://" + platform::ToWindowsPath(folder.path()) + "\\data2/probe.htm";
        CRect pane;
        menu.GetWindowRect(&pane);
        for (int y = pane.top + 2; y < pane.bottom; y += 2) {
            menu.Navigate(probe.c_str(), nullptr, nullptr, nullptr, nullptr);
            platform::PumpUntilIdle();
            ClickAt({pane.left + 30, y});
            const std::string url(menu.GetLocationURL());
            const std::size_t hash = url.rfind('#');
            if (hash != std::string::npos && hash + 1 < url.size()) {
                rows_.try_emplace(std::stoi(url.substr(hash + 1)), POINT{pane.left + 30, y});
            }
        }
        const std::string shipped =
            "file://" + platform::ToWindowsPath(folder.path()) + "\\data2/menu.htm";
        menu.Navigate(shipped.c_str(), nullptr, nullptr, nullptr, nullptr);
        platform::PumpUntilIdle();
    }
    // Clicks the menu's link whose script reports `number`.
    void ClickMenu(int number) {
        ASSERT_TRUE(rows_.contains(number)) << "no menu link for " << number;
        ClickAt(rows_[number]);
    }
    // Clicks the link and leaves the click to the loop, for links that open a modal dialog: the
    // next step runs inside its loop.
    void PressMenu(int number) {
        ASSERT_TRUE(rows_.contains(number)) << "no menu link for " << number;
        platform::AdvanceTestClock(std::chrono::seconds(1));
        platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, rows_[number]);
        platform::InjectMouse(MOUSEEVENTF_LEFTUP, rows_[number]);
    }
    HWND Window(const char* caption) { return ::FindWindowA(nullptr, caption); }

    std::map<int, POINT> rows_;
};

TEST_F(ManagerMainDlgTest, StartsOnTheCalendarPlacesTheWindowAndKeepsItsStateAtClose) {
    // The left edge is kept at -5, the top at the screen's bottom less 99 is out of range.
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    folder.WriteFile("data/config2.dat", Bytes({-5, screenHeight - 99, 0, 0, 7, 8, 9}));
    folder.WriteFile("dvtp.exe", "#!/bin/sh\n");
    std::filesystem::permissions(folder.path() / "dvtp.exe", std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    std::string caption;
    std::string menu;
    CRect window;
    bool calendarFirst = false;
    Run({[&] {
        platform::PumpUntilIdle();
        char text[64] = {};
        Main().GetWindowText(text, sizeof(text));
        caption = text;
        Main().GetWindowRect(&window);
        menu = std::string(Main().m_wndMenu.GetLocationURL());
        calendarFirst = Main().CurrentPage() == Main().Page(0) && Main().Page(0) != nullptr &&
                        Main().Page(0)->IsWindowVisible();
        // Enter and Esc never close the window.
        Press(VK_RETURN);
        Press(VK_ESCAPE);
        EXPECT_TRUE(::IsWindow(Main().m_hWnd));
        Main().MoveWindow(12, 34, CManagerMainDlg::kWidth, CManagerMainDlg::kHeight);
        Close();
    }});
    EXPECT_EQ(caption, "Deskvane - 管理中心");
    EXPECT_TRUE(window == CRect(-5, 0, -5 + 770, 520)) << window.left << "," << window.top;
    EXPECT_TRUE(calendarFirst);
    // The control reports the address with forward slashes.
    std::string folderAddress = platform::ToWindowsPath(folder.path());
    std::replace(folderAddress.begin(), folderAddress.end(), '\\', '/');
    EXPECT_EQ(menu, "file:///" + folderAddress + "/data2/menu.htm");
    // The tray companion was started from the program folder, once.
    ASSERT_EQ(platform::StartedProcesses().size(), 1u);
    EXPECT_EQ(platform::StartedProcesses()[0].program, folder.path() / "dvtp.exe");
    EXPECT_EQ(folder.ReadFile("data/config2.dat"), Bytes({12, 34, 12 + 770, 34 + 520, 7, 8, 9}));
}

TEST_F(ManagerMainDlgTest, AShortStateFileIsIgnored) {
    folder.WriteFile("data/config2.dat", Bytes({300, 200, 0, 0, 1}));
    Run({[&] { Close(); }});
    // Only the whole file counts: the window started at (0, 0).
    EXPECT_EQ(folder.ReadFile("data/config2.dat"), Bytes({0, 0, 770, 520, 0, 0, 0}));
}

TEST_F(ManagerMainDlgTest, ASkinFileWithoutTheMainValueStopsTheStart) {
    folder.WriteFile("data/config.dat", "[BITMAP_BACKGROUND_MAIN]\r\n");
    bool bare = false;
    Run({[&] {
        bare = Main().m_wndMenu.m_hWnd == nullptr && Main().CurrentPage() == nullptr;
        Close();
    }});
    EXPECT_TRUE(bare);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"读配置文件出错."});
}

TEST_F(ManagerMainDlgTest, MenuLinksShowPagesAndRunTheCalendarsDialogs) {
    // The pages still start without their skin bitmaps.
    std::filesystem::remove_all(folder.path() / "data/skin");
    const std::string before = folder.ReadFile("data3/record.dat");
    bool options = false;
    bool about = false;
    bool calendarAgain = false;
    int markedDay = 0;
    std::string shownMonth;
    Run({[&] {
             FindMenuRows();
             ClickMenu(2);
             options = Main().CurrentPage() == Main().Page(2) &&
                       Main().Page(2)->IsWindowVisible() && !Main().Page(0)->IsWindowVisible();
             ClickMenu(3);
             about = Main().CurrentPage() == Main().Page(3) && !Main().Page(2)->IsWindowVisible();
             ClickMenu(0);
             calendarAgain = Main().CurrentPage() == Main().Page(0);
             // The plan editor opens on today (the 15th) at 09:00.
             PressMenu(90);
         },
         [&] {
             HWND editor = Window("计划编辑");
             ASSERT_NE(editor, nullptr);
             Choose(editor, IDC_DAY, 19);
             Choose(editor, IDC_HOUR, 14);
             ::SetDlgItemTextA(editor, IDC_PLAN_TEXT, "看牙医\r\n带病历");
             Click(editor, IDC_SAVE_PLAN);
             Click(editor, IDC_CLOSE_PLAN);
         },
         [&] {
             auto* calendar = static_cast<CCalendarPage*>(Main().Page(0));
             for (int i = 0; i < CMonthGrid::kCells; ++i) {
                 if (calendar->Grid().CellAt(i).mark != 0) {
                     markedDay = calendar->Grid().CellAt(i).day;
                 }
             }
             PressMenu(92);
         },
         [&] {
             HWND picker = Window("日历查寻");
             ASSERT_NE(picker, nullptr);
             Choose(picker, IDC_YEAR, 2009 - 1901);
             Choose(picker, IDC_MONTH, 1);
             Click(picker, IDOK);
         },
         [&] {
             auto* calendar = static_cast<CCalendarPage*>(Main().Page(0));
             shownMonth = std::to_string(calendar->Grid().ShownYear()) + "-" +
                          std::to_string(calendar->Grid().ShownMonth());
             Close();
         }});
    EXPECT_TRUE(options);
    EXPECT_TRUE(about);
    EXPECT_TRUE(calendarAgain);
    EXPECT_EQ(markedDay, 20);
    EXPECT_EQ(shownMonth, "2009-2");
    EXPECT_EQ(before, std::string(4, '\0'));
    const std::string text = "看牙医\r\n带病历";
    EXPECT_EQ(folder.ReadFile("data3/record.dat"),
              Bytes({1, 0, 2006, 9, 20, 14, 0, 0, static_cast<std::int32_t>(text.size())}) + text);
}

TEST_F(ManagerMainDlgTest, PageNumbersFollowTheRepeatRuleLiterally) {
    std::vector<int> results;
    bool hidden = false;
    Run({[&] {
        CManagerMainDlg& main = Main();
        results.push_back(main.ShowPage(20));
        results.push_back(main.ShowPage(20));  // filtered
        results.push_back(main.ShowPage(2));
        results.push_back(main.ShowPage(2));  // 0..9 are never filtered
        // A page command first shows its page through a nested call, which becomes the previous
        // number: the same command straight again is not filtered.
        results.push_back(main.ShowPage(50));
        results.push_back(main.ShowPage(50));
        main.ShowPage(9);
        hidden = main.CurrentPage() == nullptr && !main.Page(2)->IsWindowVisible();
        // Minimised, the window lays nothing out.
        main.ShowWindow(SW_MINIMIZE);
        results.push_back(main.LayoutPages());
        main.ShowWindow(SW_RESTORE);
        results.push_back(main.LayoutPages());
        Close();
    }});
    EXPECT_EQ(results, (std::vector<int>{0, 1, 0, 0, 0, 0, 1, 0}));
    EXPECT_TRUE(hidden);
}

TEST_F(ManagerMainDlgTest, StatusTextsOtherThanFunAndANumberChangeNothing) {
    std::vector<bool> shown;
    Run({[&] {
        CManagerMainDlg& main = Main();
        for (const char* text : {"Fun 2", "fun2", " fun 2", "file:///x#"}) {
            main.OnStatusTextChange(text);
            shown.push_back(main.Page(2) != nullptr);
        }
        main.OnStatusTextChange("fun 3x");
        shown.push_back(main.CurrentPage() == main.Page(3) && main.Page(3) != nullptr);
        main.OnStatusTextChange("fun 99999999999999999999");
        shown.push_back(main.CurrentPage() == main.Page(3));
        Close();
    }});
    EXPECT_EQ(shown, (std::vector<bool>{false, false, false, false, true, true}));
}

TEST_F(ManagerMainDlgTest, TheCalendarPageOfSeptember2006ShowsLunarDaysAndTerms) {
    bool written = false;
    std::vector<std::string> texts;
    Run({[&] {
        platform::PumpUntilIdle();
        auto* calendar = static_cast<CCalendarPage*>(Main().Page(0));
        for (int i = 0; i < CMonthGrid::kCells; ++i) {
            const CMonthGrid::Cell& cell = calendar->Grid().CellAt(i);
            if (cell.day == 1 || cell.day == 8 || cell.day == 22 || cell.day == 23) {
                texts.push_back(std::to_string(cell.day) + " " + cell.text +
                                (cell.term != 0 ? " term" : ""));
            }
        }
        const std::filesystem::path shots = PROJECT_TEST_OUTPUT_DIR;
        std::filesystem::create_directories(shots);
        written = platform::WriteWindowPng(Main().m_hWnd, shots / "deskvane-calendar-2006-09.png");
        Close();
    }});
    EXPECT_TRUE(written);
    // 2006 has a leap seventh month: the eighth begins on the 22nd.
    EXPECT_EQ(texts,
              (std::vector<std::string>{"1 初九", "8 白露 term", "22 八月", "23 秋分 term"}));
}

}  // namespace
}  // namespace manager_testing
