#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/MainFrame.h"
#include "browser/MainFrameCommandsTest.h"
#include "platform/com/ComRuntime.h"
#include "platform/commondialogs/FileDialogApi.h"
#include "platform/webcontrol/UrlHistoryInterfaces.h"
#include "resources/quorra/resource.h"

namespace {

using namespace browser_testing;

TEST_F(MainFrameCommandsTest, EachCommandOpensItsPageInTheTabItNames) {
    Start();
    ASSERT_EQ(frame->GetTabCount(), 1);
    ClickToolButton(ID_FILE_NEW);
    ClickToolButton(ID_GO_HOME);
    ClickToolButton(ID_GO_SEARCH);
    Command(ID_SITE_DIRECTORY);
    Command(ID_START_PAGE);
    Command(ID_OFFICIAL_SITE);
    ClickToolButton(ID_NET_FAVORITES);
    Command(ID_VISIT_SITE);
    const std::string main = programFolder + "data\\main.htm";
    const std::string search = programFolder + "data\\search.htm";
    EXPECT_EQ(frame->opened,
              (std::vector<std::string>{"about:blank 1 1", main + " 0 1", search + " 0 1",
                                        search + " 0 1", main + " 0 1", Maker("/") + " 1 1",
                                        Maker("/mynet/") + " 1 1", Maker("/quorra.asp") + " 0 1"}));
    EXPECT_EQ(frame->GetTabCount(), 4);
    EXPECT_EQ(frame->GetCurrentIndex(), 3);
}

TEST_F(MainFrameCommandsTest, PageCommandsActOnTheSelectedTabOnly) {
    Start();
    OpenThreePages();
    TakeRecordedWebCommands();
    const UINT commands[] = {ID_SAVE_AS,         ID_SAVE_HTML,       ID_EDIT_COPY, ID_EDIT_CUT,
                             ID_EDIT_PASTE,      ID_EDIT_SELECT_ALL, ID_PRINT,     ID_PRINT_PREVIEW,
                             ID_PAGE_PROPERTIES, ID_PAGE_SETUP,      ID_EDIT_FIND, ID_VIEW_SOURCE,
                             ID_INTERNET_OPTIONS};
    for (UINT id : commands) {
        Command(id);
    }
    EXPECT_EQ(
        TakeWebCommands(),
        (std::vector<std::string>{
            "B 4 0 one.htm", "B 4 2 one.htm", "B 12 2 one.htm", "B 11 2 one.htm", "B 13 2 one.htm",
            "B 17 2 one.htm", "D 6 0 one.htm", "D 7 0 one.htm", "D 10 0 one.htm", "D 8 0 one.htm",
            "M 1 0 one.htm", "M 2 0 one.htm", "M 3 0 one.htm"}));
    // With no tab selected, as between closing the selected tab and selecting the next, nothing
    // reaches any page and nothing fails.
    frame->m_wndTab.DeleteItem(0);
    frame->m_wndTab.InsertItem(0, "one");
    ASSERT_EQ(frame->GetCurrentIndex(), -1);
    for (UINT id : commands) {
        Command(id);
    }
    for (UINT id : {UINT{ID_STOP}, UINT{ID_REFRESH}, UINT{ID_GO_BACK}, UINT{ID_GO_FORWARD},
                    UINT{ID_CHARSET_WESTERN}, UINT{ID_CHARSET_AUTO_SELECT}, UINT{ID_ADD_FAVORITE},
                    CMainFrame::kFirstFavorite}) {
        Command(id);
    }
    EXPECT_EQ(TakeWebCommands(), std::vector<std::string>{});
    EXPECT_EQ(frame->GetTabCount(), 3);
    SelectTab(0);
}

TEST_F(MainFrameCommandsTest, KeysInPagesAndInTheFrameRunTheirCommands) {
    Start();
    Load("r.htm", "one");
    // In a page the page runs its own keys; every other key stays with the control.
    ::SetFocus(Current()->m_wndBrowser.m_hWnd);
    TakeRecordedWebCommands();
    WithKey(VK_CONTROL, {'A', 'S', VK_HOME, 'N'});
    EXPECT_EQ(TakeWebCommands(), (std::vector<std::string>{"B 17 2 r.htm", "B 4 2 r.htm"}));
    EXPECT_EQ(frame->opened,
              (std::vector<std::string>{programFolder + "data\\main.htm 0 1", "about:blank 1 1"}));

    // In the frame's own controls the same keys, then the accelerators.
    SelectTab(0);
    Load("r.htm", "one");
    Page("r.htm", "<title>two</title>");
    frame->m_wndKeyword.SetFocus();
    Keys({VK_F5});
    platform::PumpUntilIdle();
    EXPECT_EQ(Title(), "two");
    TakeRecordedWebCommands();
    WithKey(VK_CONTROL, {'C', 'X', 'V', 'A'});
    WithKey(VK_SHIFT, {VK_INSERT});
    EXPECT_EQ(TakeWebCommands(),
              (std::vector<std::string>{"B 12 2 r.htm", "B 11 2 r.htm", "B 13 2 r.htm",
                                        "B 17 2 r.htm", "B 13 2 r.htm"}));
    WithKey(VK_CONTROL, {'N'});
    EXPECT_EQ(frame->GetTabCount(), 3);

    const std::string chosen = Page("chosen.htm", "<title>chosen</title>");
    std::filesystem::create_directories(folder.path() / "elsewhere");
    platform::CommonDialogRequest request;
    platform::SetCommonDialogAnswerer([&](const platform::CommonDialogRequest& asked) {
        request = asked;
        // Choosing a file in another folder makes that folder current.
        ::SetCurrentDirectoryA((programFolder + "elsewhere").c_str());
        return platform::CommonDialogAnswer::Path(chosen);
    });
    frame->opened.clear();
    WithKey(VK_CONTROL, {'O'});
    EXPECT_EQ(request.kind, platform::CommonDialogKind::Open);
    EXPECT_NE(request.flags & OFN_HIDEREADONLY, 0u);
    std::string filter;
    for (const auto& [description, patterns] : request.filter) {
        filter += description + "|" + patterns + "|";
    }
    EXPECT_EQ(filter + "|",
              "HTML Files|*.htm;*.html|Text Files|*.txt|GIF Files|*.gif|JPEG Files|*.jpg;*.jpeg|"
              "AU Files|*.au|AIFF Files|*.aif;*.aiff|XBM Files|*.xbm|All Files|*.*||");
    EXPECT_EQ(frame->opened, std::vector<std::string>{chosen + " 0 1"});
    EXPECT_EQ(Title(), "chosen");
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(std::string(current) + "\\", programFolder);
}

TEST_F(MainFrameCommandsTest, SearchesFillTheirPatternsAsPlainText) {
    DataStore().engineNames.push_back("empty");
    DataStore().engineUrls.push_back("");
    Start();
    frame->m_wndKeyword.SetWindowText("%d%n中 %s");
    ClickWindow(frame->m_wndSearch);
    EXPECT_EQ(frame->GetTabCount(), 2);
    EXPECT_EQ(frame->GetCurrentIndex(), 1);
    frame->m_wndEngine.SetCurSel(1);
    frame->m_wndKeyword.SetFocus();
    Keys({VK_RETURN});
    platform::PumpUntilIdle();
    // An engine without a pattern, and no engine at all, search nothing.
    frame->m_wndEngine.SetCurSel(2);
    ClickWindow(frame->m_wndSearch);
    frame->m_wndEngine.SetCurSel(-1);
    ClickWindow(frame->m_wndSearch);
    frame->m_wndMusic.SetWindowText("  歌 %n  ");
    frame->m_wndMusic.SetFocus();
    Keys({VK_RETURN});
    platform::PumpUntilIdle();
    // The music button, which the layout gives no room for a click, takes the space key.
    frame->m_wndMusic.SetWindowText("曲\t");
    frame->m_wndMusicSearch.SetFocus();
    Keys({VK_SPACE});
    platform::PumpUntilIdle();
    EXPECT_EQ(frame->opened, (std::vector<std::string>{
                                 "about:blank?q=%d%n中 %s&n=%d 1 1", "about:blank?g=%d%n中 %s 1 1",
                                 "about:blank?m=歌 %n%d 1 1", "about:blank?m=曲%d 1 1"}));
    EXPECT_EQ(frame->GetTabCount(), 5);
    EXPECT_EQ(frame->GetCurrentIndex(), 4);
    // Without a music pattern there is nothing to open.
    DataStore().musicSearchUrl = "";
    frame->m_wndMusicSearch.SetFocus();
    Keys({VK_SPACE});
    frame->m_wndMusic.SetFocus();
    Keys({VK_RETURN});
    platform::PumpUntilIdle();
    EXPECT_EQ(frame->opened.size(), 4u);
    EXPECT_EQ(frame->GetTabCount(), 5);
}

TEST_F(MainFrameCommandsTest, SiblingProgramsStartFromTheProgramFolder) {
    for (const char* program : {"exec/rk.exe", "exec/gt/glintora.exe", "dv/dv.exe"}) {
        WriteProgram(program);
    }
    std::filesystem::create_directories(folder.path() / "elsewhere");
    Start();
    ::SetCurrentDirectoryA((programFolder + "elsewhere").c_str());
    Command(ID_RUNELOOM);
    ::SetCurrentDirectoryA((programFolder + "elsewhere").c_str());
    Command(ID_GLINTORA);
    ClickToolButton(ID_DESKVANE);
    Command(ID_REPORT_PROBLEM);
    const std::vector<platform::ProcessStart> starts = platform::StartedProcesses();
    ASSERT_EQ(starts.size(), 4u);
    const char* programs[] = {"exec/rk.exe", "exec/gt/glintora.exe", "dv/dv.exe"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(starts[i].kind, platform::ProcessStart::Kind::kProgram);
        EXPECT_TRUE(std::filesystem::equivalent(starts[i].program, folder.path() / programs[i]));
        EXPECT_TRUE(starts[i].arguments.empty());
        EXPECT_TRUE(std::filesystem::equivalent(starts[i].folder, folder.path()));
    }
    EXPECT_EQ(starts[3].kind, platform::ProcessStart::Kind::kOpener);
    EXPECT_EQ(starts[3].arguments,
              std::vector<std::string>{std::string("mailto:") + kSupportAddress});
    EXPECT_TRUE(boxes.empty());

    // A program that is not there is reported instead of being skipped in silence.
    std::filesystem::remove(folder.path() / "dv/dv.exe");
    platform::ClearStartedProcesses();
    ClickToolButton(ID_DESKVANE);
    EXPECT_TRUE(platform::StartedProcesses().empty());
    EXPECT_EQ(boxes,
              std::vector<std::string>{"找不到“dv\\dv.exe”。请确定文件名是否正确后，再试一次。"});
}

TEST_F(MainFrameCommandsTest, FindlarkStartsFromItsRegisteredFolderOrPointsToTheMakersSite) {
    const std::string missing = "本机还未安装 Findlark,你可以到官网去下载此软件.";
    Start();
    Command(ID_FINDLARK);
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "software\\larchway5\\fk", 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    auto setPath = [&](const std::string& path) {
        ::RegSetValueExA(key, "path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                         static_cast<DWORD>(path.size() + 1));
    };
    setPath(programFolder + "fk\\");
    Command(ID_FINDLARK);
    EXPECT_EQ(boxes, (std::vector<std::string>{missing, missing}));
    EXPECT_EQ(frame->opened, (std::vector<std::string>{Maker("/findlark.asp") + " 1 1",
                                                       Maker("/ss.asp") + " 1 1"}));
    EXPECT_TRUE(platform::StartedProcesses().empty());

    WriteProgram("fk/findlark.exe");
    Command(ID_FINDLARK);
    // A folder written without its backslash is found too.
    setPath(programFolder + "fk");
    Command(ID_FINDLARK);
    ::RegCloseKey(key);
    const std::vector<platform::ProcessStart> starts = platform::StartedProcesses();
    ASSERT_EQ(starts.size(), 2u);
    for (const platform::ProcessStart& start : starts) {
        EXPECT_TRUE(std::filesystem::equivalent(start.program, folder.path() / "fk/findlark.exe"));
    }
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(MainFrameCommandsTest, ClearingTheHistoryKeepsTheTypedAddress) {
    IUrlHistoryStg2* history = nullptr;
    ASSERT_EQ(::CoCreateInstance(CLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IUrlHistoryStg2, reinterpret_cast<void**>(&history)),
              S_OK);
    history->AddUrl(u"http://visited/", u"visited", 0);
    folder.WriteFile("data/visited.dat", "http://a/\r\nhttp://b/\r\n");
    DataStore().visitedUrls = {"http://a/", "http://b/"};
    Start();
    frame->RefillAddressList();
    EXPECT_GE(frame->m_wndAddress.GetCount(), 2);
    frame->m_wndAddress.SetWindowText("typed");
    Command(ID_CLEAR_HISTORY);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "data/visited.dat"));
    EXPECT_TRUE(DataStore().visitedUrls.empty());
    EXPECT_EQ(frame->m_wndAddress.GetCount(), 0);
    CString text;
    frame->m_wndAddress.GetWindowText(text);
    EXPECT_EQ(std::string(text), "typed");
    STATURL entry{};
    EXPECT_EQ(history->QueryUrl(u"http://visited/", 0, &entry), E_FAIL);
    history->Release();
}

TEST_F(MainFrameCommandsTest, AutoSelectTogglesTheRegistryValueAndReloads) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER,
                                "Software\\Microsoft\\Internet Explorer\\International", 0, nullptr,
                                0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD type = REG_NONE;
    auto value = [&] {
        DWORD data = 0;
        DWORD size = sizeof(data);
        type = REG_NONE;
        ::RegQueryValueExA(key, "AutoDetect", nullptr, &type, reinterpret_cast<LPBYTE>(&data),
                           &size);
        return data;
    };
    // Four bytes of any type are read and written back as a number.
    const BYTE stored[4] = {0, 0, 0, 0};
    ::RegSetValueExA(key, "AutoDetect", 0, REG_BINARY, stored, 4);
    Start();
    Load("r.htm", "one");
    Page("r.htm", "<title>two</title>");
    Command(ID_CHARSET_AUTO_SELECT);
    EXPECT_EQ(value(), 1u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(Title(), "two");
    Command(ID_CHARSET_AUTO_SELECT);
    EXPECT_EQ(value(), 0u);
    // Without the value nothing is written.
    ::RegDeleteValueA(key, "AutoDetect");
    Command(ID_CHARSET_AUTO_SELECT);
    value();
    EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
    ::RegCloseKey(key);
}

}  // namespace
