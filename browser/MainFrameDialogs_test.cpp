#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/BrowserDialogTest.h"
#include "browser/FilterDlg.h"
#include "browser/MainFrame.h"
#include "browser/MainFrameTest.h"
#include "browser/PageDlg.h"
#include "browser/SkinColors.h"
#include "browser/SocketClient.h"
#include "platform/controls/ListView.h"
#include "platform/controls/ListViewTest.h"
#include "platform/controls/Tab.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/ScriptedDialogTest.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Encoding.h"
#include "platform/time/Clock.h"
#include "platform/time/TimeConversions.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/quorra/resource.h"

namespace {

using browser_testing::CFrameTestApp;
using browser_testing::MainFrameTest;
using browser_testing::SkinFile;

// The FILETIME of a moment in UTC.
uint64_t FileTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    return (static_cast<uint64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

// The frame over a blank tab, with the skins of the browser's program folder and the test's
// scripts run inside the modal loops of the dialogs its commands open.
class MainFrameDialogsTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        folder.WriteFile("data/skin.ini", SkinFile(10));
        folder.WriteFile("data/skin/Blue.ini", SkinFile(20));
        // As the framework's main loop does.
        platform::SetThreadMessageFilter(
            [this](MSG& msg) { return app.PreTranslateMessage(&msg); });
        app.LoadSkin();
        Start();
        ASSERT_EQ(frame->OpenUrl("about:blank", 1, 1), 0);
        page = frame->GetCurrentPage();
    }

    // Runs `script` on the top-level window titled `caption` once a modal loop that the next
    // command opens takes its messages.
    void InDialog(const std::string& caption, std::function<void(HWND)> script) {
        app.scripts.push_back([caption, script] {
            HWND dialog = ::FindWindowA(nullptr, caption.c_str());
            ASSERT_NE(dialog, nullptr) << caption;
            script(dialog);
        });
        ::PostThreadMessageA(::GetCurrentThreadId(), CFrameTestApp::kRunScript, 0, 0);
    }
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, id); }
    static void ClickAt(POINT screen, bool twice = false) {
        platform::testing::ClickAt(screen, twice ? 2 : 1);
    }
    static void Click(HWND dialog, int id) { ClickAt(platform::testing::ItemCenter(dialog, id)); }
    static void SetText(HWND dialog, int id, const std::string& text) {
        platform::testing::SetItemText(dialog, id, text);
    }
    static std::string ItemText(HWND dialog, int id) {
        return platform::testing::ItemText(dialog, id);
    }
    static int ComboSelection(HWND dialog) {
        return static_cast<int>(
            ::SendDlgItemMessageA(dialog, IDC_REFRESH_UNIT, CB_GETCURSEL, 0, 0));
    }
    static void SelectUnit(HWND dialog, int unit) {
        ::SendDlgItemMessageA(dialog, IDC_REFRESH_UNIT, CB_SETCURSEL, unit, 0);
    }
    std::pair<int, int> Refresh() const {
        int time = 0;
        int unit = 0;
        page->GetRefresh(time, unit);
        return {time, unit};
    }
    // Lets the test clock run, firing the timers that fall due on the way.
    static void Wait(int milliseconds) {
        for (int waited = 0; waited < milliseconds; waited += 100) {
            platform::AdvanceTestClock(std::chrono::milliseconds(100));
            platform::PumpUntilIdle();
        }
    }
    // The store as the frame's save left it in data\filter.dat.
    void LoadSaved(CBrowserDataStore& saved) const {
        saved.path = platform::ToWindowsPath(folder.path() / "data/filter.dat").c_str();
        saved.Load();
    }

    CPageDlg* page = nullptr;
};

TEST_F(MainFrameDialogsTest, OptionsStartFromThePagesRefreshAndOkAppliesAndSavesThem) {
    page->SetRefresh(3, 0);
    InDialog("参数设置", [](HWND d) {
        EXPECT_EQ(ItemText(d, IDC_REFRESH_TIME), "3");
        EXPECT_EQ(ComboSelection(d), 0);
        Click(d, IDC_TABS_BOTTOM);
        Click(d, IDC_START_ADDRESS);
        SetText(d, IDC_START_URL, "http://start/");
        SetText(d, IDC_REFRESH_TIME, "2");
        SelectUnit(d, 1);
        Click(d, IDOK);
    });
    Command(ID_PAGE_OPTIONS);
    EXPECT_EQ(Refresh(), std::make_pair(2, 1));
    EXPECT_NE(page->m_nRefreshTimerId, 0u);
    // The options reached the window at once: the tab bar moved under the pages.
    CRect client;
    frame->GetClientRect(&client);
    CRect bar;
    frame->m_wndTabBar.GetWindowRect(&bar);
    frame->ScreenToClient(&bar);
    EXPECT_GT(bar.top, client.Height() / 2);

    frame->DestroyWindow();
    CBrowserDataStore saved;
    LoadSaved(saved);
    EXPECT_EQ(saved.tabsAtBottom, 1);
    EXPECT_EQ(saved.startPageMode, 2);
    EXPECT_STREQ(saved.startUrl, "http://start/");
    EXPECT_EQ(saved.newsOff, 0);
}

TEST_F(MainFrameDialogsTest, CancelledOptionsLeaveThePageAndTheWindowAlone) {
    InDialog("参数设置", [](HWND d) {
        EXPECT_EQ(ItemText(d, IDC_REFRESH_TIME), "0");
        EXPECT_EQ(ComboSelection(d), 1);
        Click(d, IDC_TABS_BOTTOM);
        SetText(d, IDC_REFRESH_TIME, "4");
        Click(d, IDCANCEL);
    });
    Command(ID_PAGE_OPTIONS);
    EXPECT_EQ(Refresh(), std::make_pair(0, 1));
    EXPECT_EQ(page->m_nRefreshTimerId, 0u);
    EXPECT_EQ(DataStore().tabsAtBottom, 0);
}

TEST_F(MainFrameDialogsTest, TheFilterDialogsButtonOpensTheOptionsOfTheCurrentPage) {
    CFilterDlg filter(frame);
    InDialog("网页过滤设置", [this](HWND d) {
        InDialog("参数设置", [](HWND options) {
            SetText(options, IDC_REFRESH_TIME, "9");
            Click(options, IDOK);
        });
        // Clicked without pumping, so that the options dialog opens before its script runs.
        ::SendDlgItemMessageA(d, IDC_PAGE_OPTIONS, BM_CLICK, 0, 0);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(filter.DoModal(), IDCANCEL);
    EXPECT_EQ(Refresh(), std::make_pair(9, 1));
}

TEST_F(MainFrameDialogsTest, TheRefreshCommandSetsThePagesTimerThatReloadsIt) {
    const std::string path = Page("clock.htm", "<html><head><title>before</title></head></html>");
    frame->OpenUrl(path.c_str(), 0, 1);
    platform::PumpUntilIdle();
    ASSERT_EQ(TabText(0), "before");
    InDialog("参数设置 - 当前页定时刷新", [](HWND d) {
        EXPECT_EQ(ItemText(d, IDC_REFRESH_TIME), "0");
        EXPECT_EQ(ComboSelection(d), 1);
        SetText(d, IDC_REFRESH_TIME, "2");
        SelectUnit(d, 0);
        Click(d, IDOK);
    });
    Command(ID_AUTO_REFRESH);
    EXPECT_EQ(Refresh(), std::make_pair(2, 0));
    folder.WriteFile("clock.htm", "<html><head><title>after</title></head></html>");
    Wait(1900);
    EXPECT_EQ(TabText(0), "before");
    Wait(200);
    EXPECT_EQ(TabText(0), "after");

    // A time of 0 stops the timer; a cancelled dialog changes nothing.
    InDialog("参数设置 - 当前页定时刷新", [](HWND d) {
        EXPECT_EQ(ItemText(d, IDC_REFRESH_TIME), "2");
        SetText(d, IDC_REFRESH_TIME, "0");
        Click(d, IDOK);
    });
    Command(ID_AUTO_REFRESH);
    EXPECT_EQ(page->m_nRefreshTimerId, 0u);
    InDialog("参数设置 - 当前页定时刷新", [](HWND d) {
        SetText(d, IDC_REFRESH_TIME, "7");
        Click(d, IDCANCEL);
    });
    Command(ID_AUTO_REFRESH);
    EXPECT_EQ(Refresh(), std::make_pair(0, 0));
}

TEST_F(MainFrameDialogsTest, ApplyingASkinInTheOptionsRepaintsTheChrome) {
    frame->MoveWindow(0, 0, 800, 600);
    platform::PumpUntilIdle();
    auto toolBarColour = [this] {
        CRect bar;
        frame->m_wndToolBar.GetClientRect(&bar);
        return platform::ColorFromPixel(
            platform::CaptureWindow(frame->m_wndToolBar.m_hWnd).At(bar.right - 2, 1));
    };
    ASSERT_EQ(toolBarColour(), RGB(10, 0, 0));
    InDialog("参数设置", [&](HWND d) {
        // Nothing is applied without a selection.
        Click(d, IDC_APPLY_SKIN);
        EXPECT_EQ(folder.ReadFile("data/skin.ini"), SkinFile(10));
        ::SendDlgItemMessageA(d, IDC_SKIN_LIST, LB_SETCURSEL, 0, 0);
        Click(d, IDC_APPLY_SKIN);
        EXPECT_TRUE(::IsWindowVisible(d));
        Click(d, IDCANCEL);
    });
    Command(ID_PAGE_OPTIONS);
    // Cancelling the options does not take the skin back, and no backup was made.
    platform::PumpUntilIdle();
    EXPECT_EQ(toolBarColour(), RGB(20, 0, 0));
    EXPECT_EQ(folder.ReadFile("data/skin.ini"), SkinFile(20));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "data" / "skin_back.ini"));
}

class MainFrameHistoryTest : public MainFrameDialogsTest {
protected:
    void SetUp() override {
        platform::SetTimeZoneOffsetForTesting(8 * 60);
        MainFrameDialogsTest::SetUp();
    }
    void TearDown() override {
        MainFrameDialogsTest::TearDown();
        platform::SetTimeZoneOffsetForTesting(std::nullopt);
    }

    // Writes the user's URL history, in the service's file format, in the order given.
    void WriteHistory(const std::vector<std::tuple<uint64_t, std::string, std::string>>& visits) {
        std::string text;
        for (const auto& [time, url, title] : visits) {
            text += std::to_string(time) + "\t" + url + "\t" + platform::GbkToUtf8(title) + "\n";
        }
        folder.WriteFile("url-history.dat", text);
    }
    HWND History() const { return frame->m_pHistoryDlg ? frame->m_pHistoryDlg->m_hWnd : nullptr; }
    GMySortListCtrl& List() const { return frame->m_pHistoryDlg->m_list; }
    // The history list's rows: time, title and address.
    std::vector<std::string> Rows() const { return platform::testing::ListRows(List().m_hWnd); }
    void ClickHeader(int column) const {
        ClickAt(platform::testing::HeaderCenter(List().m_hWnd, column));
    }
    void ClickRow(int row, bool twice = false) const {
        RECT rect{LVIR_BOUNDS, 0, 0, 0};
        List().GetItemRect(row, &rect, LVIR_BOUNDS);
        POINT point{rect.left + 20, (rect.top + rect.bottom) / 2};
        ::ClientToScreen(List().m_hWnd, &point);
        ClickAt(point, twice);
    }
};

TEST_F(MainFrameHistoryTest, TheHistoryListsVisitsInLocalTimeAndSortsByColumn) {
    const std::string a = Address("a.htm");
    const std::string b = Address("b.htm");
    const std::string c = Address("c.htm");
    WriteHistory({{FileTimeOf(2025, 12, 31, 16, 30), b, "第二"},
                  {FileTimeOf(2026, 3, 14, 1, 5), a, "First"},
                  {FileTimeOf(2024, 2, 1, 23, 59), c, ""}});
    Command(ID_HISTORY);
    ASSERT_NE(History(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(History()));
    EXPECT_EQ(::GetWindow(History(), GW_OWNER), frame->m_hWnd);
    const std::string rowA = "2026年03月14日 09:05|First|" + a;
    const std::string rowB = "2026年01月01日 00:30|第二|" + b;
    const std::string rowC = "2024年02月02日 07:59||" + c;
    EXPECT_EQ(Rows(), (std::vector<std::string>{rowB, rowA, rowC}));

    ClickHeader(0);
    EXPECT_EQ(Rows(), (std::vector<std::string>{rowC, rowB, rowA}));
    ClickHeader(2);
    EXPECT_EQ(Rows(), (std::vector<std::string>{rowA, rowB, rowC}));
    ClickHeader(2);
    EXPECT_EQ(Rows(), (std::vector<std::string>{rowC, rowB, rowA}));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(List().GetItemData(row), static_cast<DWORD_PTR>(row));
    }

    // The list keeps the margins when the dialog is resized.
    ::SetWindowPos(History(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    CRect client;
    ::GetClientRect(History(), &client);
    CRect list;
    List().GetWindowRect(&list);
    ::ScreenToClient(History(), reinterpret_cast<POINT*>(&list.left));
    ::ScreenToClient(History(), reinterpret_cast<POINT*>(&list.right));
    EXPECT_EQ(list, CRect(8, 32, client.right - 8, client.bottom - 8));
}

TEST_F(MainFrameHistoryTest, OpenPageOpensTheSelectedRowsAddressInANewTab) {
    Page("a.htm", "<html><head><title>Page A</title></head></html>");
    Page("b.htm", "<html><head><title>Page B</title></head></html>");
    WriteHistory({{FileTimeOf(2026, 1, 2, 0, 0), Address("a.htm"), "A"},
                  {FileTimeOf(2026, 1, 1, 0, 0), Address("b.htm"), "B"}});
    Command(ID_HISTORY);
    // Without a selection nothing opens.
    ::SendMessageA(History(), WM_COMMAND, MAKEWPARAM(IDC_OPEN_PAGE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(History(), IDC_OPEN_PAGE)));
    EXPECT_EQ(frame->GetTabCount(), 1);

    ClickHeader(0);
    ASSERT_EQ(Rows(), (std::vector<std::string>{"2026年01月01日 08:00|B|" + Address("b.htm"),
                                                "2026年01月02日 08:00|A|" + Address("a.htm")}));
    ClickRow(0);
    Click(History(), IDC_OPEN_PAGE);
    ASSERT_EQ(frame->GetTabCount(), 2);
    EXPECT_EQ(std::string(frame->GetCurrentPage()->m_strUrl), Address("b.htm"));
    EXPECT_EQ(TabText(1), "Page B");
    EXPECT_TRUE(::IsWindowVisible(History()));

    ClickRow(1, true);
    ASSERT_EQ(frame->GetTabCount(), 3);
    EXPECT_EQ(TabText(2), "Page A");
}

TEST_F(MainFrameHistoryTest, CloseHidesTheDialogAndTheNextUseRefillsTheSameOne) {
    WriteHistory({{FileTimeOf(2026, 1, 1, 0, 0), "http://one/", "one"}});
    Command(ID_HISTORY);
    const HWND first = History();
    Click(first, IDC_CLOSE_HISTORY);
    EXPECT_FALSE(::IsWindowVisible(first));
    WriteHistory({{FileTimeOf(2026, 1, 2, 0, 0), "http://two/", "two"},
                  {FileTimeOf(2026, 1, 1, 0, 0), "http://one/", "one"}});
    Command(ID_HISTORY);
    EXPECT_EQ(History(), first);
    EXPECT_TRUE(::IsWindowVisible(first));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"2026年01月02日 08:00|two|http://two/",
                                                "2026年01月01日 08:00|one|http://one/"}));
    // The dialog goes with the frame.
    frame->DestroyWindow();
    EXPECT_FALSE(::IsWindow(first));
}

class MainFrameExtractTest : public MainFrameDialogsTest {
protected:
    // Opens the page in the current tab and runs the data dialog on it.
    void Extract(const std::string& name, const std::string& html,
                 const std::function<void(HWND)>& script) {
        const std::string path = Page(name, html);
        frame->OpenUrl(path.c_str(), 0, 1);
        platform::PumpUntilIdle();
        InDialog("提取网页数据", [script](HWND d) {
            script(d);
            // The dialog has no button to close it; the caption's close box sends this.
            ::SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
        });
        Command(ID_EXTRACT);
    }
    static std::string Result(HWND dialog) { return ItemText(dialog, IDC_EXTRACT_RESULT); }
    // The hidden buttons cannot be clicked; their command is sent as a click would send it.
    static void Press(HWND dialog, int id) {
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }
};

TEST_F(MainFrameExtractTest, LinksImagesAndAllTagsAreListedInDocumentOrder) {
    const std::string one = Address("one.htm");
    const std::string picture = Address("pic.png");
    std::string links;
    std::string images;
    std::string tags;
    bool hiddenButtons = false;
    Extract("links.htm",
            "<html><head><title>t</title></head><body><a href='one.htm'>1</a>"
            "<p><a href='http://example.invalid/two'>2</a></p><img src='pic.png'></body></html>",
            [&](HWND d) {
                EXPECT_EQ(Result(d), "");
                hiddenButtons = !::IsWindowVisible(::GetDlgItem(d, IDC_EXTRACT_OBJECTS)) &&
                                !::IsWindowVisible(::GetDlgItem(d, IDC_EXTRACT_PICTURES));
                Click(d, IDC_EXTRACT_LINKS);
                links = Result(d);
                Click(d, IDC_EXTRACT_IMAGES);
                images = Result(d);
                Click(d, IDC_EXTRACT_TAGS);
                tags = Result(d);
            });
    EXPECT_TRUE(hiddenButtons);
    EXPECT_EQ(links, "A - " + one + "\r\nA - http://example.invalid/two\r\n");
    EXPECT_EQ(images, "IMG - " + picture + "\r\n");
    EXPECT_EQ(tags, "HTML\r\nHEAD\r\nTITLE\r\nBODY\r\nA - " + one +
                        "\r\nP\r\nA - http://example.invalid/two\r\nIMG - " + picture + "\r\n");
}

TEST_F(MainFrameExtractTest, ObjectsAreMatchedByTheirExactTagAndPicturesAreBracketed) {
    std::string objects;
    std::string pictures;
    Extract("objects.htm",
            "<html><body><object data='m.swf'><param name='q' value='1'></object>"
            "<objectx></objectx><embed src='e.swf'><img src='a.png'></body></html>",
            [&](HWND d) {
                Press(d, IDC_EXTRACT_OBJECTS);
                objects = Result(d);
                Press(d, IDC_EXTRACT_PICTURES);
                pictures = Result(d);
            });
    EXPECT_EQ(objects,
              "OBJECT - <object data=\"m.swf\"><param name=\"q\" value=\"1\"></object>\r\n");
    EXPECT_EQ(pictures, "[picture_begin]" + Address("a.png") + "[picture_end]\r\n");

    std::string withoutImages = "not cleared";
    Extract("plain.htm", "<html><body><p>text</p></body></html>", [&](HWND d) {
        SetText(d, IDC_EXTRACT_RESULT, "earlier");
        Press(d, IDC_EXTRACT_PICTURES);
        withoutImages = Result(d);
    });
    EXPECT_EQ(withoutImages, "");
}

TEST_F(MainFrameExtractTest, TheSourceIsFetchedAgainIntoGetTxt) {
    // Each request is answered with a new text, so the edit shows what the button fetched, not
    // what the tab shows.
    InitWinsock();
    platform::testing::TestHttpServer server;
    std::atomic<int> visits = 0;
    server.Route("/form.asp", [&](int fd, const platform::testing::TestHttpServer::Request&) {
        const std::string body = "<html>visit " + std::to_string(++visits) + "</html>";
        platform::testing::TestHttpServer::SendAll(
            fd, platform::testing::TestHttpServer::StatusLine(200) + "\r\n" + body);
    });
    frame->OpenUrl(server.Url("/form.asp").c_str(), 0, 1);
    std::string shown;
    std::string closedShown;
    InDialog("提取网页数据", [&](HWND d) {
        Click(d, IDC_EXTRACT_SOURCE);
        shown = Result(d);
        // An address that cannot be fetched leaves the edit as it was.
        const std::string closed =
            "http://127.0.0.1:" + std::to_string(platform::testing::TestHttpServer::ClosedPort()) +
            "/x.htm";
        frame->GetCurrentPage()->m_strUrl = closed.c_str();
        SetText(d, IDC_EXTRACT_RESULT, "earlier");
        Click(d, IDC_EXTRACT_SOURCE);
        closedShown = Result(d);
        ::SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    Command(ID_EXTRACT);
    const std::vector<platform::testing::TestHttpServer::Request> requests = server.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().method, "GET");
    EXPECT_EQ(shown, "<html>visit " + std::to_string(visits.load()) + "</html>");
    EXPECT_EQ(folder.ReadFile("get.txt"), shown);
    EXPECT_EQ(closedShown, "earlier");
}

}  // namespace
