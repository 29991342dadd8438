// The picture collector as a user runs it: started on a copy of its default program folder, with
// a small picture search service served on 127.0.0.1, driven through its boxes, keys and the
// clicks on its generated pages.
#include "picture/QuorApp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "browser/BrowserDataStore.h"
#include "browser/SkinColors.h"
#include "browser/SocketClient.h"
#include "browser/StartUpTest.h"
#include "picture/AdoDatabase.h"
#include "picture/ImageSearchResults.h"
#include "picture/MainFrame.h"
#include "picture/PageDlg.h"
#include "platform/com/Bstr.h"
#include "platform/drawing/Surface.h"
#include "platform/files/Path.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/screen/ScreenApi.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/glintora/resource.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

// The picture collector's application object with the test's script.
class CScenarioApp : public browser_testing::ScenarioApp<glintora::CQuorApp, CScenarioApp> {
public:
    glintora::CMainFrame* Frame() const { return static_cast<glintora::CMainFrame*>(m_pMainWnd); }
    glintora::CPageDlg* Current() const {
        return static_cast<glintora::CPageDlg*>(Frame()->GetSelectedPage());
    }
};

class PictureAppTest : public browser_testing::StartUpTest {
protected:
    void SetUp() override {
        StartUpTest::SetUp();
        InitWinsock();
        fs::create_directories(program());
        fs::copy(GLINTORA_PROGRAM_FOLDER, program(), fs::copy_options::recursive);
        folder.WriteFile("exec/gt/glintora.exe", "the picture collector");
        platform::OverrideModuleFileName(platform::ToWindowsPath(program() / "glintora.exe"));
        // The search service of the template is the local one.
        std::string sections = folder.ReadFile("exec/gt/data/ms.dat");
        ReplaceAll(sections, "image.baidu.com", Host());
        ReplaceAll(sections, "www.baidu.com", Host());
        folder.WriteFile("exec/gt/data/ms.dat", sections);
        ServeSite();
    }
    void TearDown() override {
        CImageSearchResults::SetSearchHosts("image.baidu.com", "www.baidu.com");
        StartUpTest::TearDown();
    }

    fs::path program() const { return folder.path() / "exec" / "gt"; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(server.port()); }
    std::string Picture(int n) const {
        return "http://" + Host() + "/i?ct=1&u=http://" + Host() + "/pics/" + std::to_string(n) +
               ".jpg";
    }

    static void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
        for (size_t at = text.find(from); at != std::string::npos;
             at = text.find(from, at + to.size())) {
            text.replace(at, from.size(), to);
        }
    }

    // The search service: a result page for "cats" with three pictures, two page links and the
    // footer, a second result page, a page about each picture, the pictures, and an ordinary page
    // with pictures and links.
    void ServeSite() {
        std::string results = "<html><body>";
        for (int n = 1; n <= 3; ++n) {
            results += "<a href=\"" + Picture(n) + "\"><img src=\"/thumbs/" + std::to_string(n) +
                       ".jpg\" width=60 height=60></a>\n";
            server.Serve("/i?ct=1&u=http://" + Host() + "/pics/" + std::to_string(n) + ".jpg", 200,
                         "Content-Type: text/html\r\n",
                         "<html><head><title>Cat number " + std::to_string(n) +
                             "</title></head><body><img src=\"/pics/" + std::to_string(n) +
                             ".jpg\"></body></html>");
        }
        results += "<a href=\"http://" + Host() + "/i?z=2&word=cats\">[2]</a>";
        results += "<a href=\"http://" + Host() + "/i?z=3&word=cats\">下一页</a>";
        results += "<a href=\"http://" + Host() + "/appcopyright.html\">c</a></body></html>";
        server.Serve("/i?tn=baiduimage&ct=201326592&cl=2&lm=-1&pv=&word=cats", 200,
                     "Content-Type: text/html; charset=gb2312\r\n", results);
        server.Serve("/i?z=2&word=cats", 200, "Content-Type: text/html\r\n",
                     "<html><body><a href=\"" + Picture(4) + "\">four</a><a href=\"http://" +
                         Host() + "/appcopyright.html\">c</a></body></html>");
        server.Serve("/click/search.htm?m=glintora&fw=union&s=2&p=1006&name=cats", 200,
                     "Content-Type: text/html\r\n", "<html><body>companion</body></html>");
        server.Serve("/album.htm", 200, "Content-Type: text/html\r\n",
                     "<html><body><img src=\"/pics/1.jpg\"><img src='pics/2.jpg'>"
                     "<a href=\"/more.htm\">more <b>pictures</b></a></body></html>");
        server.Serve("/remote.htm", 200, "Content-Type: text/html\r\n",
                     "<html><body onload=\"window.status='qrplay:2:from remote';"
                     "window.status='qrplay:6:|||||dogs';\">remote</body></html>");
    }

    int Run(CScenarioApp& app) {
        EXPECT_EQ(AfxGetApp(), &app);
        return AfxWinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    }

    // Runs the program's timers and lets the fetches of its pages arrive, until done says so or
    // ten seconds have passed.
    static bool RunUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            Wait(100, 50);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    static std::string BodyOf(CWebBrowser2& browser) {
        IDispatch* pDispatch = browser.GetDocument();
        if (pDispatch == nullptr) {
            return {};
        }
        std::string html;
        IHTMLDocument2* pDocument = nullptr;
        IHTMLElement* pBody = nullptr;
        if (SUCCEEDED(pDispatch->QueryInterface(IID_IHTMLDocument2,
                                                reinterpret_cast<void**>(&pDocument))) &&
            SUCCEEDED(pDocument->get_body(&pBody)) && pBody != nullptr) {
            BSTR inner = nullptr;
            pBody->get_innerHTML(&inner);
            html = platform::GbkFromBstr(inner);
            SysFreeString(inner);
            pBody->Release();
        }
        if (pDocument != nullptr) {
            pDocument->Release();
        }
        pDispatch->Release();
        return html;
    }

    static void PressEnter(CWnd& wnd) {
        wnd.SetFocus();
        wnd.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
        platform::PumpUntilIdle();
    }

    // The texts of the first `fields` fields of the first record of the query on the program's
    // picture database.
    std::vector<std::string> Query(const std::string& sql, int fields) const {
        CAdoDatabase database;
        std::vector<std::string> texts(static_cast<size_t>(fields));
        const std::string connection =
            "Data Source=" + platform::ToWindowsPath(program() / "data" / "pictures.db");
        if (database.Open(connection.c_str()) != 0 ||
            database.QueryFirstRecord(sql.c_str(), fields, texts) != 0) {
            return {};
        }
        return texts;
    }

    platform::testing::TestHttpServer server;
};

TEST_F(PictureAppTest, APictureSearchListsThePicturesAndAClickRecordsAndShowsOne) {
    CScenarioApp app;
    std::string list;
    CString caption;
    int tabsAfterSearch = 0;
    std::string infoPage;
    app.script = [&](CScenarioApp& self) {
        glintora::CMainFrame& frame = *self.Frame();
        frame.MoveWindow(0, 0, 1000, 700);
        frame.GetWindowText(caption);
        frame.m_wndPictureKeyword.SetWindowText("cats");
        PressEnter(frame.m_wndPictureKeyword);
        glintora::CPageDlg* page = self.Current();
        ASSERT_TRUE(RunUntil(
            [&] { return BodyOf(page->m_wndBrowser).find("qrplay") != std::string::npos; }));
        list = BodyOf(page->m_wndBrowser);
        tabsAfterSearch = frame.GetTabCount();
        EXPECT_EQ(page->m_strTitle, "搜索cats");
        Wait(200);
        fs::create_directories(PROJECT_TEST_OUTPUT_DIR);
        platform::WriteWindowPng(frame.m_hWnd,
                                 fs::path(PROJECT_TEST_OUTPUT_DIR) / "glintora-main-window.png");

        // A user clicks the first picture: a new tab shows what the script found about it.
        CRect area;
        page->m_wndBrowser.GetClientRect(&area);
        for (int y = 4; y < area.Height() && frame.GetTabCount() == tabsAfterSearch; y += 6) {
            POINT point{24, y};
            page->m_wndBrowser.ClientToScreen(&point);
            platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, point);
            platform::InjectMouse(MOUSEEVENTF_LEFTUP, point);
            platform::PumpUntilIdle();
        }
        ASSERT_EQ(frame.GetTabCount(), tabsAfterSearch + 1);
        glintora::CPageDlg* info = self.Current();
        EXPECT_TRUE(RunUntil([&] { return info->m_strTitle == "cats"; })) << info->m_strTitle;
        infoPage = folder.ReadFile("exec/gt/html/info.htm");
    };
    Run(app);
    EXPECT_THAT(caption.str(), HasSubstr(" - Glintora"));
    EXPECT_EQ(tabsAfterSearch, 2);
    // Three pictures in one row, the two page links below.
    std::string first = Picture(1);
    ReplaceAll(first, "&", "&amp;");
    EXPECT_THAT(list, HasSubstr("<tr><td><div style=\"width=1;height=1;border:1px solid black;"
                                "cursor:hand\" onclick=\"play(this)\" url=\"" +
                                first + "|||||cats\"><img src=\"/thumbs/1.jpg\"></div></td>"));
    EXPECT_EQ(std::count(list.begin(), list.end(), '|'), 5 * 5);
    EXPECT_THAT(list, HasSubstr("/i?z=3&amp;word=cats|||||cats\""));
    EXPECT_THAT(list, HasSubstr("下一页"));

    const std::string& info = infoPage;
    const std::string picture = "http://" + Host() + "/pics/1.jpg";
    EXPECT_THAT(info, HasSubstr("<title>cats</title>"));
    EXPECT_THAT(info, HasSubstr("<p class=caption>Cat number 1</p>"));
    EXPECT_THAT(info, HasSubstr("<span class=url>" + picture + "</span>"));
    EXPECT_THAT(info, HasSubstr("<span class=count>1</span>"));
    EXPECT_EQ(Query("select keyword, url, source, caption from pictures", 4),
              (std::vector<std::string>{"cats", picture, picture, "Cat number 1"}));
    // The generated pages go with the program.
    EXPECT_FALSE(fs::exists(program() / "html" / "info.htm"));
}

class PictureCommandTest : public PictureAppTest {
protected:
    // A page of the program folder that sends the commands as soon as it is loaded; the last
    // one stays its status text.
    void WriteCommandPage(const std::string& name, const std::vector<std::string>& commands) {
        std::string script;
        for (const std::string& command : commands) {
            script += script.empty() ? "" : "window.status='';";
            script += "window.status='" + command + "';";
        }
        folder.WriteFile("exec/gt/data/" + name,
                         "<html><body onload=\"" + script + "\">commands</body></html>");
    }
    std::string LocalPage(const std::string& name) const {
        return platform::ToWindowsPath(program() / "data" / name);
    }
    // The page's browser reports the status text, as a link's script sets it.
    static void SendStatus(glintora::CMainFrame& frame, ::CPageDlg* page,
                           const std::string& command) {
        page->m_strStatusText = command.c_str();
        frame.UpdateStatusText(page);
    }
    static std::vector<std::string> Entries(const CListBox& list) {
        std::vector<std::string> entries;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetText(i, text);
            entries.emplace_back(text.view());
        }
        return entries;
    }
};

TEST_F(PictureCommandTest, OnlyLocalPagesSendCommandsAndEachCommandRunsOnce) {
    WriteCommandPage("keep.htm", {"qrplay:2:cats", "qrplay:2:cats", "qrplay:2:CATS",
                                  "QRPLAY:2:upper", "qrplay:4:four", "qrplay:6:|||||cats",
                                  "qrplay:1:" + Picture(2) + "|||||cats"});
    CScenarioApp app;
    std::vector<std::string> entries;
    int tabs = 0;
    int tabsAfterClose = 0;
    std::string searchTitle;
    app.script = [&](CScenarioApp& self) {
        glintora::CMainFrame& frame = *self.Frame();
        frame.OpenUrl(CString(server.Url("/remote.htm").c_str()), 0, 1);
        RunUntil([&] { return self.Current()->m_strTitle != "about:blank"; });
        Wait(500);
        EXPECT_EQ(frame.GetTabCount(), 1);
        frame.OpenUrl(CString(LocalPage("keep.htm").c_str()), 1, 1);
        ASSERT_TRUE(RunUntil([&] { return frame.GetTabCount() == 3; }));
        tabs = frame.GetTabCount();
        searchTitle = frame.GetPageAt(1)->m_strTitle.str();
        // Moving and closing tabs passes the stored status texts on again: nothing is left there.
        frame.MoveTab(1, 0);
        frame.CloseTab(2);
        frame.CloseTab(0);
        tabsAfterClose = frame.GetTabCount();
        entries = Entries(frame.m_wndFavoriteList);
    };
    Run(app);
    EXPECT_EQ(tabs, 3);
    EXPECT_EQ(searchTitle, "搜索cats");
    EXPECT_EQ(tabsAfterClose, 1);
    EXPECT_EQ(entries, (std::vector<std::string>{"[K]cats", "[K]风景", "[K]猫"}));
    EXPECT_EQ(folder.ReadFile("exec/gt/data/ml2.dat"), "[K]cats\r\n[K]风景\r\n[K]猫\r\n");
    EXPECT_EQ(Query("select count(*) from pictures", 1), (std::vector<std::string>{"1"}));
}

// A page may carry a keyword of any length: the search and the list take it whole, as one line,
// and its markup stays text in the tab's title.
TEST_F(PictureCommandTest, AHundredKilobyteKeywordIsSearchedAndRememberedAsOneLine) {
    std::string keyword = "<i>";
    while (keyword.size() < 100 * 1024) {
        keyword += "cat&dog ";
    }
    WriteCommandPage("long.htm", {"qrplay:2:" + keyword, "qrplay:6:|||||" + keyword});
    CScenarioApp app;
    std::string title;
    CString caption;
    std::vector<std::string> entries;
    app.script = [&](CScenarioApp& self) {
        glintora::CMainFrame& frame = *self.Frame();
        frame.OpenUrl(CString(LocalPage("long.htm").c_str()), 0, 1);
        ASSERT_TRUE(RunUntil([&] { return self.Current()->m_strTitle.GetLength() > 100 * 1024; }));
        title = self.Current()->m_strTitle.str();
        frame.GetWindowText(caption);
        entries = Entries(frame.m_wndFavoriteList);
        // The poll of the long result page keeps running until the page closes with the program.
        Wait(300);
    };
    Run(app);
    EXPECT_EQ(title, "搜索" + keyword);
    EXPECT_EQ(caption, CString(title.c_str()) + " - Glintora");
    EXPECT_EQ(entries.size(), 3u);
    EXPECT_THAT(entries, ::testing::Contains("[K]" + keyword));
    const std::string saved = folder.ReadFile("exec/gt/data/ml2.dat");
    EXPECT_THAT(saved, HasSubstr("[K]" + keyword + "\r\n"));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 3);
}

TEST_F(PictureCommandTest, AnAddressCollectsItsPicturesAndLinksOnAWorker) {
    CScenarioApp app;
    std::string list;
    app.script = [&](CScenarioApp& self) {
        glintora::CMainFrame& frame = *self.Frame();
        frame.m_wndPictureUrl.SetWindowText(CString(server.Url("/album.htm").c_str()));
        PressEnter(frame.m_wndPictureUrl);
        EXPECT_EQ(frame.GetTabCount(), 2);
        glintora::CPageDlg* page = self.Current();
        ASSERT_TRUE(RunUntil([&] {
            return BodyOf(page->m_wndBrowser).find("class=\"count\"") != std::string::npos;
        }));
        list = BodyOf(page->m_wndBrowser);
    };
    Run(app);
    EXPECT_THAT(list, HasSubstr("<span class=\"count\">2</span>"));
    EXPECT_THAT(list, HasSubstr("url=\"http://" + Host() + "/pics/2.jpg|||||\""));
    EXPECT_THAT(list, HasSubstr("url=\"http://" + Host() + "/more.htm|||||\">more pictures</div>"));
    EXPECT_EQ(Query("select count(*), min(picture) from pages", 2),
              (std::vector<std::string>{"2", "http://" + Host() + "/pics/1.jpg"}));
}

TEST_F(PictureCommandTest, TheListsFeedTheBoxesAndKeepTheirFileWhole) {
    std::string classFile = "[NAME]\r\n动物\r\n[LIST]\r\n[K]cats\r\n[U]" +
                            server.Url("/album.htm") + "\r\nx\r\n[NAME]\r\n风景\r\n";
    const std::string key = "583107zxbbw921446";
    for (size_t k = 0; k < classFile.size(); ++k) {
        classFile[k] ^= key[k % key.size()];
    }
    folder.WriteFile("exec/gt/data/list/class.dat", classFile);
    const std::string longLine(100 * 1024, 'k');
    // The third line reaches the reader's cut with the first byte of a two-byte character.
    const std::string cutLine = "[K]" + std::string(251, 'm');
    folder.WriteFile("exec/gt/data/ml2.dat",
                     "[K]dogs\r\n[K]" + longLine + "\r\n" + cutLine + "猫猫\r\n");
    CScenarioApp app;
    std::vector<std::string> classes;
    std::vector<std::string> entries;
    CString keyword;
    CString address;
    app.script = [&](CScenarioApp& self) {
        glintora::CMainFrame& frame = *self.Frame();
        classes = Entries(frame.m_wndClassList);
        entries = Entries(frame.m_wndFavoriteList);
        frame.TakeFavoriteEntry("[K]cats", FALSE);
        frame.m_wndPictureKeyword.GetWindowText(keyword);
        frame.TakeFavoriteEntry("[U]" + CString(server.Url("/album.htm").c_str()), TRUE);
        frame.m_wndPictureUrl.GetWindowText(address);
        EXPECT_EQ(frame.GetTabCount(), 2);
        // A keyword of 100 KB is kept in the list; the file's reader cuts it on the next start.
        frame.AddFavoriteEntry(CString(longLine.c_str()) + "\r\nnext", 0);
        frame.m_wndFavoriteList.SetCurSel(-1);
        frame.SendMessage(WM_COMMAND, ID_MENU_BUTTON_DEL);
        frame.SendMessage(WM_COMMAND, ID_MENU_BUTTON_JM);
        EXPECT_EQ(frame.m_nFavoriteBarShown, 0);
        CString toggle;
        frame.m_wndFavoriteToggle.GetWindowText(toggle);
        EXPECT_EQ(toggle, "显示收藏");
    };
    Run(app);
    EXPECT_EQ(classes, (std::vector<std::string>{"[动物]", "  [K]cats",
                                                 "  [U]" + server.Url("/album.htm"), "[风景]"}));
    EXPECT_EQ(entries,
              (std::vector<std::string>{"[K]dogs", "[K]" + longLine.substr(0, 252), cutLine}));
    EXPECT_EQ(keyword, "cats");
    EXPECT_EQ(address, server.Url("/album.htm").c_str());
    const std::string saved = folder.ReadFile("exec/gt/data/ml2.dat");
    EXPECT_THAT(saved, HasSubstr("[K]" + longLine + "next\r\n"));
    EXPECT_THAT(saved, HasSubstr("\r\n" + cutLine + "\r\n"));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 4);
}

TEST_F(PictureCommandTest, GoWrapsABareWordInTheStartPagesPattern) {
    std::string start = folder.ReadFile("exec/gt/data/main.htm");
    ReplaceAll(start, "http://www.baidu.com/s?word=%s", server.Url("/find?w=%s"));
    folder.WriteFile("exec/gt/data/main.htm", start);
    server.Serve("/find?w=cats", 200, "Content-Type: text/html\r\n",
                 "<html><title>found</title></html>");
    CScenarioApp app;
    std::string wrapped;
    std::string asTyped;
    app.script = [&](CScenarioApp& self) {
        glintora::CMainFrame& frame = *self.Frame();
        frame.m_wndAddress.SetWindowText("cats");
        frame.SendMessage(WM_COMMAND, IDC_GO);
        wrapped = self.Current()->m_strUrl.str();
        frame.m_wndAddress.SetWindowText("BLANK");
        frame.SendMessage(WM_COMMAND, IDC_GO);
        asTyped = self.Current()->m_strUrl.str();
    };
    Run(app);
    EXPECT_EQ(wrapped, server.Url("/find?w=cats"));
    EXPECT_EQ(asTyped, "BLANK");
}

TEST_F(PictureCommandTest, ATerminateSignalClosesTheMainWindowSoTheSettingsAreSaved) {
    CScenarioApp app;
    app.closeAtEnd = false;
    app.script = [](CScenarioApp& self) {
        self.Frame()->MoveWindow(20, 10, 640, 480);
        platform::PumpUntilIdle();
        std::raise(SIGTERM);
    };
    EXPECT_EQ(Run(app), 0);
    CBrowserDataStore saved;
    saved.path = platform::ToWindowsPath(program() / "data" / "filter.dat").c_str();
    saved.Load();
    EXPECT_EQ(CRect(saved.windowRect), CRect(20, 10, 660, 490));
}

// A search from a page ends the page's automatic refresh, which would otherwise reload the list
// away; a result-page link keeps the title of the first search and heads the list with the
// keyword it carries.
TEST_F(PictureCommandTest, ResultPageLinksKeepTheTitleAndASearchEndsTheAutoRefresh) {
    CScenarioApp app;
    std::string title;
    std::string listAfterRefreshTime;
    std::string nextList;
    app.script = [&](CScenarioApp& self) {
        glintora::CMainFrame& frame = *self.Frame();
        glintora::CPageDlg* page = self.Current();
        page->SetRefresh(1, 0);
        SendStatus(frame, page, "qrplay:6:x|||||cats");
        ASSERT_TRUE(RunUntil(
            [&] { return BodyOf(page->m_wndBrowser).find("qrplay") != std::string::npos; }));
        Wait(1500);
        listAfterRefreshTime = BodyOf(page->m_wndBrowser);
        SendStatus(frame, page, "qrplay:3:http://" + Host() + "/i?z=2&word=cats|||||kittens");
        ASSERT_TRUE(RunUntil(
            [&] { return BodyOf(page->m_wndBrowser).find("kittens") != std::string::npos; }));
        nextList = BodyOf(page->m_wndBrowser);
        title = page->m_strTitle.str();
    };
    Run(app);
    EXPECT_THAT(listAfterRefreshTime, HasSubstr("|||||cats"));
    EXPECT_EQ(title, "搜索cats");
    EXPECT_THAT(nextList, HasSubstr("<b>kittens</b><hr>"));
    EXPECT_THAT(nextList, HasSubstr(">four</div>"));
    EXPECT_THAT(nextList, Not(HasSubstr("|||||cats")));
}

TEST_F(PictureCommandTest, EachUrlListCommandStartsItsOwnWorkerOnItsOwnTab) {
    CScenarioApp app;
    int tabsBefore = 0;
    int tabsAfter = 0;
    std::vector<std::string> lists;
    app.script = [&](CScenarioApp& self) {
        glintora::CMainFrame& frame = *self.Frame();
        tabsBefore = frame.GetTabCount();
        const auto showsLocalPage = [](glintora::CPageDlg* page) {
            return glintora::CMainFrame::IsLocalPage(page->m_wndBrowser.GetLocationURL());
        };
        const auto showsList = [](glintora::CPageDlg* page) {
            return BodyOf(page->m_wndBrowser).find("class=\"count\"") != std::string::npos;
        };
        // A tab takes commands once it shows its local page.
        glintora::CPageDlg* start = self.Current();
        ASSERT_TRUE(RunUntil([&] { return showsLocalPage(start); }));
        const std::string command = "qrplay:5:" + server.Url("/album.htm") + "|||||";
        SendStatus(frame, start, command + "first");
        glintora::CPageDlg* first = self.Current();
        ASSERT_NE(first, start);
        // Every worker writes the same list page: the second starts once the first tab has read
        // it, and that tab keeps what it read.
        ASSERT_TRUE(RunUntil([&] { return showsList(first); }));
        SendStatus(frame, first, command + "second");
        glintora::CPageDlg* second = self.Current();
        tabsAfter = frame.GetTabCount();
        ASSERT_NE(first, second);
        ASSERT_TRUE(RunUntil([&] { return showsList(second); }));
        lists = {BodyOf(first->m_wndBrowser), BodyOf(second->m_wndBrowser)};
    };
    Run(app);
    EXPECT_EQ(tabsAfter, tabsBefore + 2);
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_THAT(lists[0], HasSubstr("/pics/2.jpg|||||first\""));
    EXPECT_THAT(lists[1], HasSubstr("/pics/2.jpg|||||second\""));
}

// The tab bar's strip, close button and left pane follow the frame's client area; every hover
// button draws its caption in the skin's colours, grey when disabled.
TEST_F(PictureCommandTest, TheTabBarFollowsTheFrameAndTheButtonsWearTheSkin) {
    CScenarioApp app;
    CRect client;
    std::vector<CRect> placed;
    std::vector<int> textPixels;
    int greyPixels = 0;
    int textPixelsDisabled = -1;
    app.script = [&](CScenarioApp& self) {
        glintora::CMainFrame& frame = *self.Frame();
        frame.MoveWindow(0, 0, 1000, 700);
        platform::PumpUntilIdle();
        frame.GetClientRect(&client);
        for (CWnd* pWnd :
             {static_cast<CWnd*>(&frame.m_wndCloseTab), static_cast<CWnd*>(&frame.m_wndTab),
              static_cast<CWnd*>(&frame.m_leftPane), static_cast<CWnd*>(&frame.m_wndHome),
              static_cast<CWnd*>(&frame.m_wndPictureKeyword),
              static_cast<CWnd*>(&frame.m_wndPictureSearch),
              static_cast<CWnd*>(&frame.m_wndPictureUrl),
              static_cast<CWnd*>(&frame.m_wndPictureUrlGo)}) {
            CRect rect;
            pWnd->GetWindowRect(&rect);
            frame.m_wndTabBar.ScreenToClient(&rect);
            placed.push_back(rect);
        }

        const platform::Pixel text = platform::PixelFromColor(Skin().buttonText);
        const platform::Pixel grey = platform::PixelFromColor(RGB(200, 200, 200));
        auto count = [](CWnd& wnd, platform::Pixel colour) {
            wnd.Invalidate(TRUE);
            wnd.UpdateWindow();
            const platform::Surface shot = platform::CaptureWindow(wnd.m_hWnd);
            int n = 0;
            for (int y = 0; y < shot.height(); ++y) {
                for (int x = 0; x < shot.width(); ++x) {
                    n += shot.At(x, y) == colour ? 1 : 0;
                }
            }
            return n;
        };
        textPixels = {count(frame.m_wndSearch, text), count(frame.m_wndGo, text),
                      count(frame.m_wndHome, text)};
        frame.m_wndGo.EnableWindow(FALSE);
        greyPixels = count(frame.m_wndGo, grey);
        textPixelsDisabled = count(frame.m_wndGo, text);
        frame.m_wndGo.EnableWindow(TRUE);
    };
    Run(app);
    EXPECT_EQ(placed, (std::vector<CRect>{CRect(client.right - 23, 34, client.right - 3, 54),
                                          CRect(client.left, 32, client.right - 26, 57),
                                          CRect(client.left, 57, client.right, client.bottom),
                                          CRect(3, 0, 83, 30), CRect(335, 3, 485, 28),
                                          CRect(488, 5, 508, 25), CRect(511, 3, 711, 28),
                                          CRect(714, 5, 734, 25)}));
    EXPECT_THAT(textPixels, ::testing::Each(::testing::Gt(0)));
    EXPECT_GT(greyPixels, 0);
    EXPECT_EQ(textPixelsDisabled, 0);
}

}  // namespace
