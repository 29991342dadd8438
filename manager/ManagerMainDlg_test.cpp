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

#include "manager/AboutPage.h"
#include "manager/CalendarPage.h"
#include "manager/ManagerTest.h"
#include "manager/MonthGrid.h"
#include "manager/ScheduleList.h"
#include "manager/SubPageHost.h"
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
    // the page whose links go to "#<number>" instead is laid out alike, and clicking across the
    // pane tells each link's place from the address it reaches.
    void FindMenuRows() {
        std::string page = folder.ReadFile("data2/menu.htm");
        page = std::regex_replace(
            page, std::regex("href=\"#\" onclick=\"return show\\((\\d+)\\)\""), "href=\"#$1\"");
        folder.WriteFile("data2/probe.htm", page);
        CWebBrowser2& menu = Main().m_wndMenu;
        const std::string probe =
            "file://" + platform::ToWindowsPath(folder.path()) + "\\data2/probe.htm";
        menu.Navigate(probe.c_str(), nullptr, nullptr, nullptr, nullptr);
        platform::PumpUntilIdle();
        CRect pane;
        menu.GetWindowRect(&pane);
        for (int y = pane.top + 2; y < pane.bottom; y += 5) {
            for (int x = pane.left + 4; x < pane.right; x += 8) {
                ClickAt({x, y});
                const std::string url(menu.GetLocationURL());
                const std::size_t hash = url.rfind('#');
                if (hash != std::string::npos && hash + 1 < url.size()) {
                    rows_.try_emplace(std::stoi(url.substr(hash + 1)), POINT{x, y});
                }
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
    // What the page area shows: the page's number, and its child page, sub-page or group.
    std::string Showing() {
        CManagerMainDlg& main = Main();
        static constexpr int kNumbers[CManagerMainDlg::kSlots] = {0, 1, 2, 3, 4, 5, 6, 8};
        for (int slot = 0; slot < CManagerMainDlg::kSlots; ++slot) {
            CManagerPage* page = main.Page(slot);
            if (page == nullptr || page != main.CurrentPage() || !page->IsWindowVisible()) {
                continue;
            }
            std::string text = "page " + std::to_string(kNumbers[slot]);
            if (auto* host = dynamic_cast<CSubPageHost*>(page)) {
                for (int i = 0; i < 8; ++i) {
                    if (host->Child(i) != nullptr && host->Child(i)->IsWindowVisible()) {
                        text += " child " + std::to_string(i);
                    }
                }
            } else if (kNumbers[slot] == 8) {
                text += " group " + std::to_string(Selected(page->m_hWnd, IDC_GROUP));
            }
            return text;
        }
        return "none";
    }
    // The screen's pixels over a client rectangle of the window.
    static std::vector<COLORREF> Picture(const CWnd& window, const RECT& area) {
        const platform::Surface shot = platform::CaptureScreen();
        std::vector<COLORREF> pixels;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                POINT point{x, y};
                window.ClientToScreen(&point);
                pixels.push_back(platform::ColorFromPixel(shot.At(point.x, point.y)));
            }
        }
        return pixels;
    }
    // The screen point in the middle of the calendar's cell.
    POINT CellPoint(int index) {
        auto* calendar = static_cast<CCalendarPage*>(Main().Page(0));
        const RECT& area = calendar->Grid().GridRect();
        POINT point{area.left + (index % 7) * calendar->Grid().CellWidth() + 40,
                    area.top + (index / 7) * calendar->Grid().CellHeight() + 20};
        calendar->ClientToScreen(&point);
        return point;
    }
    // The screen point of the close box of a window's caption.
    static POINT CloseBoxOf(HWND window) {
        RECT frame{};
        ::GetWindowRect(window, &frame);
        for (int y = frame.top; y < frame.top + 30; ++y) {
            for (int x = frame.right - 1; x > frame.right - 40; --x) {
                if (::DefWindowProcA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                    return {x, y};
                }
            }
        }
        ADD_FAILURE() << "no close box";
        return {};
    }

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
    std::vector<std::string> days;
    bool written = false;
    Run({[&] {
        platform::PumpUntilIdle();
        char text[64] = {};
        Main().GetWindowText(text, sizeof(text));
        caption = text;
        Main().GetWindowRect(&window);
        menu = std::string(Main().m_wndMenu.GetLocationURL());
        calendarFirst = Main().CurrentPage() == Main().Page(0) && Main().Page(0) != nullptr &&
                        Main().Page(0)->IsWindowVisible();
        const CMonthGrid& grid = static_cast<CCalendarPage*>(Main().Page(0))->Grid();
        for (int i = 0; i < CMonthGrid::kCells; ++i) {
            const CMonthGrid::Cell& cell = grid.CellAt(i);
            if (cell.day == 1 || cell.day == 8 || cell.day == 22 || cell.day == 23) {
                days.push_back(std::to_string(cell.day) + " " + cell.text +
                               (cell.term != 0 ? " term" : ""));
            }
        }
        // Enter and Esc never close the window.
        Press(VK_RETURN);
        Press(VK_ESCAPE);
        EXPECT_TRUE(::IsWindow(Main().m_hWnd));
        Main().MoveWindow(12, 34, CManagerMainDlg::kWidth, CManagerMainDlg::kHeight);
        platform::PumpUntilIdle();
        const std::filesystem::path shots = PROJECT_TEST_OUTPUT_DIR;
        std::filesystem::create_directories(shots);
        written = platform::WriteWindowPng(Main().m_hWnd, shots / "deskvane-calendar-2006-09.png");
        Close();
    }});
    EXPECT_EQ(caption, "Deskvane - 管理中心");
    // 2006 has a leap seventh month: the eighth begins on the 22nd.
    EXPECT_EQ(days, (std::vector<std::string>{"1 初九", "8 白露 term", "22 八月", "23 秋分 term"}));
    EXPECT_TRUE(written);
    EXPECT_TRUE(window.EqualRect(CRect(-5, 0, -5 + 770, 520))) << window.left << "," << window.top;
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

TEST_F(ManagerMainDlgTest, AShortStateFileIsIgnoredAndARunningTrayCompanionIsNotStartedAgain) {
    folder.WriteFile("data/config2.dat", Bytes({300, 200, 0, 0, 1}));
    folder.WriteFile("dvtp.exe", "#!/bin/sh\n");
    CWnd tray;
    tray.CreateEx(0, AFX_WND_CLASS, kTrayTitle, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    Run({[&] { Close(); }});
    tray.DestroyWindow();
    // Only the whole file counts: the window started at (0, 0).
    EXPECT_EQ(folder.ReadFile("data/config2.dat"), Bytes({0, 0, 770, 520, 0, 0, 0}));
    EXPECT_TRUE(platform::StartedProcesses().empty());
}

TEST_F(ManagerMainDlgTest, ASkinFileWithoutTheMainValueStopsTheStart) {
    folder.WriteFile("data/config.dat", "[BITMAP_BACKGROUND_MAIN]\r\n");
    bool bare = false;
    Run({[&] {
        // Untitled too: a second start does not take it for the running manager.
        bare = Main().m_wndMenu.m_hWnd == nullptr && Main().CurrentPage() == nullptr &&
               ::FindWindowA(nullptr, kManagerTitle) == nullptr;
        Close();
    }});
    EXPECT_TRUE(bare);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"读配置文件出错."});
}

TEST_F(ManagerMainDlgTest, EveryPageAndCommandOfTheMenuIsALinkThatShowsIt) {
    // The pages still start without their skin bitmaps.
    std::filesystem::remove_all(folder.path() / "data/skin");
    const std::string plansBefore = folder.ReadFile("data3/record.dat");
    std::vector<int> links;
    std::vector<std::string> shown;
    int month = 0;
    int markedDay = 0;
    std::string chosenMonth;
    // Each link in turn; the commands that open a dialog leave it to the next step.
    const auto click = [&](int number) {
        ClickMenu(number);
        shown.push_back(std::to_string(number) + ": " + Showing());
    };
    // The dialog of the link: it is open, Esc leaves it open, and its close box (when it has one)
    // or a close message ends it.
    const auto endDialog = [&](const char* caption, bool closeBox) {
        HWND dialog = Window(caption);
        ASSERT_NE(dialog, nullptr) << caption;
        Press(VK_ESCAPE);
        ASSERT_TRUE(::IsWindow(dialog)) << caption;
        if (closeBox) {
            ClickAt(CloseBoxOf(dialog));
        }
        // An ended dialog hides at once. Sent: the dialog's loop ends before the next click.
        if (::IsWindowVisible(dialog)) {
            ::SendMessageA(dialog, WM_CLOSE, 0, 0);
            shown.push_back(std::string(caption) + " closed");
        } else {
            shown.push_back(std::string(caption) + " closed by its box");
        }
    };
    Run({[&] {
             FindMenuRows();
             for (const auto& row : rows_) {
                 links.push_back(row.first);
             }
             click(1);
             for (int number = 10; number <= 15; ++number) {
                 click(number);
             }
             // Shown again, a page with child pages opens on its own front.
             click(1);
             click(5);
             for (int number = 50; number <= 53; ++number) {
                 click(number);
             }
             click(5);
             click(4);
             click(40);
             click(41);
             click(4);
             click(8);
             for (int number = 80; number <= 83; ++number) {
                 click(number);
             }
             click(2);
             click(3);
             click(6);
             click(62);
             PressMenu(60);
         },
         [&] {
             endDialog("登录", false);
             PressMenu(61);
         },
         [&] {
             endDialog("新建用户", false);
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
             endDialog("计划编辑", false);
             PressMenu(91);
         },
         [&] {
             endDialog("计划查寻", true);
             PressMenu(92);
         },
         [&] {
             endDialog("日历查寻", true);
             click(0);
             const CMonthGrid& grid = static_cast<CCalendarPage*>(Main().Page(0))->Grid();
             month = grid.ShownMonth();
             for (int i = 0; i < CMonthGrid::kCells; ++i) {
                 if (grid.CellAt(i).mark != 0) {
                     markedDay = grid.CellAt(i).day;
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
             const CMonthGrid& grid = static_cast<CCalendarPage*>(Main().Page(0))->Grid();
             chosenMonth =
                 std::to_string(grid.ShownYear()) + "-" + std::to_string(grid.ShownMonth());
             Close();
         }});
    EXPECT_EQ(links,
              (std::vector<int>{0,  1,  2,  3,  4,  5,  6,  8,  10, 11, 12, 13, 14, 15, 40,
                                41, 50, 51, 52, 53, 60, 61, 62, 80, 81, 82, 83, 90, 91, 92}));
    EXPECT_EQ(shown, (std::vector<std::string>{"1: page 1",
                                               "10: page 1 child 0",
                                               "11: page 1 child 1",
                                               "12: page 1 child 2",
                                               "13: page 1 child 3",
                                               "14: page 1 child 4",
                                               "15: page 1 child 5",
                                               "1: page 1",
                                               "5: page 5",
                                               "50: page 5 child 0",
                                               "51: page 5 child 1",
                                               "52: page 5 child 2",
                                               "53: page 5 child 3",
                                               "5: page 5",
                                               "4: page 4",
                                               "40: page 4 child 0",
                                               "41: page 4 child 1",
                                               "4: page 4",
                                               "8: page 8 group 0",
                                               "80: page 8 group 1",
                                               "81: page 8 group 2",
                                               "82: page 8 group 3",
                                               "83: page 8 group 4",
                                               "2: page 2",
                                               "3: page 3",
                                               "6: page 6",
                                               "62: page 6",
                                               "登录 closed",
                                               "新建用户 closed",
                                               "计划编辑 closed",
                                               "计划查寻 closed by its box",
                                               "日历查寻 closed by its box",
                                               "0: page 0"}));
    // The month chooser closed by its box moved nothing; its OK shows the month chosen.
    EXPECT_EQ(month, 9);
    EXPECT_EQ(chosenMonth, "2009-2");
    // The saved plan marks its day and is the plan file's only record.
    EXPECT_EQ(markedDay, 20);
    EXPECT_EQ(plansBefore, std::string(4, '\0'));
    const std::string text = "看牙医\r\n带病历";
    EXPECT_EQ(folder.ReadFile("data3/record.dat"),
              Bytes({1, 0, 2006, 9, 20, 14, 0, 0, static_cast<std::int32_t>(text.size())}) + text);
}

TEST_F(ManagerMainDlgTest, TheCalendarsButtonsStepAndRepaintAndADoubleClickEditsThatDaysPlan) {
    // One plan, on the 20th at 14:30:15.
    folder.WriteFile("data3/record.dat", Bytes({1, 0, 2006, 9, 20, 14, 30, 15, 2}) + "ab");
    std::vector<std::string> months;
    std::vector<bool> repainted;
    bool emptyCellOpensNothing = false;
    std::vector<std::string> editorTimes;
    // A double click left to the loop, so that the editor it opens runs the next step.
    const auto doubleClick = [&](POINT point) {
        platform::AdvanceTestClock(std::chrono::seconds(1));
        for (int i = 0; i < 2; ++i) {
            platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, point);
            platform::InjectMouse(MOUSEEVENTF_LEFTUP, point);
        }
    };
    const auto editorTime = [&] {
        HWND editor = Window("计划编辑");
        ASSERT_NE(editor, nullptr);
        editorTimes.push_back(std::to_string(Selected(editor, IDC_DAY) + 1) + " " +
                              std::to_string(Selected(editor, IDC_HOUR)) + ":" +
                              std::to_string(Selected(editor, IDC_MINUTE)));
        Click(editor, IDC_CLOSE_PLAN);
    };
    Run({[&] {
             platform::PumpUntilIdle();
             auto* calendar = static_cast<CCalendarPage*>(Main().Page(0));
             const RECT labels{60, 72, 220, 92};
             for (int id : {IDC_NEXT_MONTH, IDC_PREV_MONTH, IDC_PREV_MONTH, IDC_NEXT_YEAR,
                            IDC_PREV_YEAR, IDC_NEXT_MONTH}) {
                 const std::vector<COLORREF> before = Picture(*calendar, labels);
                 Click(calendar->m_hWnd, id);
                 repainted.push_back(Picture(*calendar, labels) != before);
                 months.push_back(std::to_string(calendar->Grid().ShownYear()) + "-" +
                                  std::to_string(calendar->Grid().ShownMonth()));
             }
             // The first cell of September 2006 lies in August.
             DoubleClickAt(CellPoint(0));
             emptyCellOpensNothing = Window("计划编辑") == nullptr;
             doubleClick(CellPoint(20 + 4));
         },
         [&] {
             editorTime();
             doubleClick(CellPoint(21 + 4));
         },
         [&] {
             editorTime();
             Close();
         }});
    EXPECT_EQ(months, (std::vector<std::string>{"2006-10", "2006-9", "2006-8", "2007-8", "2006-8",
                                                "2006-9"}));
    EXPECT_EQ(repainted, std::vector<bool>(6, true));
    EXPECT_TRUE(emptyCellOpensNothing);
    // The day with a plan opens at the plan's time, a day without at 09:00.
    EXPECT_EQ(editorTimes, (std::vector<std::string>{"20 14:30", "21 9:0"}));
}

TEST_F(ManagerMainDlgTest, TheAboutPageShowsItsVersionLineAndItsButtonOpensTheHomePage) {
    ::testing::AssertionResult title = ::testing::AssertionFailure();
    ::testing::AssertionResult version = ::testing::AssertionFailure();
    Run({[&] {
        Main().ShowPage(3);
        auto* about = static_cast<CAboutPage*>(Main().Page(3));
        Canvas drawn;
        about->DrawPage(&drawn.dc);
        CRect client;
        about->GetClientRect(&client);
        const RECT band{client.left, 0, client.right, 30};
        title = Shows(drawn.dc, band, "  ::关于软件::", band, Gdi().uiFont, RGB(255, 0, 0),
                      DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        const RECT line{client.left + 20, 45, client.right, 75};
        version = Shows(drawn.dc, line, "Deskvane V1.71 (Quorra浏览器精减版)", line, Gdi().uiFont,
                        RGB(0, 0, 255), DT_LEFT | DT_TOP);
        platform::ClearStartedProcesses();
        platform::SetDesktopOpener("/usr/bin/desktop-opener");
        Click(about->m_hWnd, IDCANCEL);
        platform::UseDefaultDesktopOpener();
        Close();
    }});
    EXPECT_TRUE(title);
    EXPECT_TRUE(version);
    ASSERT_EQ(platform::StartedProcesses().size(), 1u);
    EXPECT_EQ(platform::StartedProcesses()[0].kind, platform::ProcessStart::Kind::kOpener);
    EXPECT_EQ(platform::StartedProcesses()[0].arguments, std::vector<std::string>{kHomePage});
}

TEST_F(ManagerMainDlgTest, ASecondStartBringsTheRunningWindowForwardAndMakesNoWindow) {
    platform::InstallScreen();
    CWnd running;
    CWnd other;
    running.CreateEx(0, AFX_WND_CLASS, kManagerTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                     200, nullptr, nullptr);
    other.CreateEx(0, AFX_WND_CLASS, "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                   nullptr, nullptr);
    running.ShowWindow(SW_MINIMIZE);
    ::SetForegroundWindow(other.m_hWnd);
    // TRUE: this copy ends at once.
    EXPECT_EQ(app.InitInstance(), TRUE);
    EXPECT_FALSE(running.IsIconic());
    EXPECT_EQ(::GetForegroundWindow(), running.m_hWnd);
    EXPECT_EQ(app.MainDialog(), nullptr);
    other.DestroyWindow();
    running.DestroyWindow();
}

TEST_F(ManagerMainDlgTest, PageNumbersFollowTheRepeatRuleAndOnlyFunAndANumberShowAPage) {
    std::vector<int> results;
    bool hidden = false;
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
    EXPECT_EQ(shown, (std::vector<bool>{false, false, false, false, true, true}));
    EXPECT_EQ(results, (std::vector<int>{0, 1, 0, 0, 0, 0, 1, 0}));
    EXPECT_TRUE(hidden);
}

}  // namespace
}  // namespace manager_testing
