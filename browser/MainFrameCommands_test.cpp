#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/CustomOccManager.h"
#include "browser/ExternalDispatch.h"
#include "browser/MainFrame.h"
#include "browser/MakerSite.h"
#include "browser/PageDlg.h"
#include "browser/QuorDoc.h"
#include "browser/QuorView.h"
#include "platform/com/ComRuntime.h"
#include "platform/commondialogs/CommonDialogApi.h"
#include "platform/commondialogs/FileDialogApi.h"
#include "platform/controls/ControlClasses.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/ReBar.h"
#include "platform/controls/Tab.h"
#include "platform/controls/ToolBar.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/CommandLineInfo.h"
#include "platform/framework/SingleDocTemplate.h"
#include "platform/framework/WinApp.h"
#include "platform/process/ProcessApi.h"
#include "platform/registry/Registry.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Encoding.h"
#include "platform/webcontrol/BrowserTest.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "platform/webcontrol/UrlHistoryInterfaces.h"
#include "platform/webcontrol/WebCommandLog.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/quorra/resource.h"

namespace {

using platform::webcontrol::RecordedWebCommand;
using platform::webcontrol::TakeRecordedWebCommands;

// The program's main frame, telling the test which addresses it opens and running the test's
// steps while one of its pop-up menus waits for input; with no step left the menu is dismissed.
class CCommandTestFrame : public CMainFrame {
    DECLARE_DYNCREATE(CCommandTestFrame)

public:
    // "address newTab activate" for each OpenUrl.
    std::vector<std::string> opened;
    std::deque<std::function<void(HWND menuWindow)>> menuSteps;
    // The pop-up that opened last.
    HMENU lastPopup = nullptr;
    int menusShown = 0;

    int OpenUrl(CString url, int newTab, int activate) override {
        opened.push_back(std::string(url) + " " + std::to_string(newTab) + " " +
                         std::to_string(activate));
        return CMainFrame::OpenUrl(url, newTab, activate);
    }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (message == WM_ENTERMENULOOP) {
            ++menusShown;
        }
        if (message == WM_INITMENUPOPUP) {
            lastPopup = reinterpret_cast<HMENU>(wParam);
        }
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
            if (menuSteps.empty()) {
                ::EndMenu();
            } else {
                auto step = std::move(menuSteps.front());
                menuSteps.pop_front();
                step(reinterpret_cast<HWND>(lParam));
                PostMessage(WM_NULL);
            }
        }
        return CMainFrame::OnWndMsg(message, wParam, lParam, pResult);
    }
};

IMPLEMENT_DYNCREATE(CCommandTestFrame, CMainFrame)

// The browser's document template over the test frame; the view is the program's own, so the
// first tab and the start page open as they do when the program starts.
class CCommandTestApp : public CWinApp {
public:
    BOOL InitInstance() override {
        AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CQuorDoc),
                                              RUNTIME_CLASS(CCommandTestFrame),
                                              RUNTIME_CLASS(CQuorView)));
        CCommandLineInfo info;
        return ProcessShellCommand(info);
    }
};

struct MenuItem {
    std::string text;
    UINT id;  // -1 for a pop-up
    bool checked = false;
    bool operator==(const MenuItem&) const = default;
};

// The items of a menu; an owner-drawn item's text is the one its skinned menu keeps.
std::vector<MenuItem> ItemsOf(HMENU menu) {
    const auto* skinned = dynamic_cast<const CMenuEx*>(CMenu::FromHandlePermanent(menu));
    std::vector<MenuItem> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        if (skinned != nullptr && skinned->GetItem(i) != nullptr && text[0] == '\0') {
            std::strncpy(text, skinned->GetItem(i)->text, sizeof(text) - 1);
        }
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        items.push_back({text, ::GetMenuItemID(menu, i), (state & MF_CHECKED) != 0});
    }
    return items;
}

// "B" for the browser's ExecWB, "D" for the document's standard group, "M" for its MSHTML group;
// then the command, the option, the argument when there is one and the page's file name.
std::string Describe(const RecordedWebCommand& command) {
    std::string text = command.source == RecordedWebCommand::Source::Browser ? "B"
                       : IsEqualGUID(command.group, CGID_MSHTML)             ? "M"
                                                                             : "D";
    text += " " + std::to_string(command.command) + " " + std::to_string(command.option);
    if (!command.argument.empty()) {
        text += " " + command.argument;
    }
    return text + " " + command.address.substr(command.address.rfind('/') + 1);
}

std::vector<std::string> TakeWebCommands() {
    std::vector<std::string> texts;
    for (const RecordedWebCommand& command : TakeRecordedWebCommands()) {
        texts.push_back(Describe(command));
    }
    return texts;
}

class MainFrameCommandsTest : public platform::testing::BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        platform::InstallScreen();
        platform::RegisterControlClasses();
        platform::SetRegistryFile(folder.path() / "registry.dat");
        // Addresses on the web go to a proxy that refuses at once, so no test waits for a host.
        SetEnvironment("http_proxy", "http://127.0.0.1:9");
        SetEnvironment("no_proxy", nullptr);
        // What the platform keeps for the user (the Windows folder, viewed page sources) stays in
        // the test's folder.
        SetEnvironment("XDG_CONFIG_HOME", (folder.path() / "config").c_str());
        SetEnvironment("TMPDIR", folder.path().c_str());
        folder.WriteFile("data/first.dat", "");
        programFolder = platform::ToWindowsPath(folder.path()) + "\\";
        platform::OverrideModuleFileName(programFolder + "quorra.exe");
        ::SetCurrentDirectoryA(programFolder.c_str());
        platform::SetMessageBoxAnswerer([this](const platform::MessageBoxCall& call) {
            boxes.push_back(call.text);
            return IDOK;
        });
        // Commands that would ask for a file (save as, print) are answered with a cancel.
        platform::SetCommonDialogAnswerer([](const platform::CommonDialogRequest&) {
            return platform::CommonDialogAnswer::Cancel();
        });
        platform::ClearStartedProcesses();
        platform::SetProcessStartInterceptor([](const platform::ProcessStart&) { return 0; });
        platform::SetDesktopOpener(folder.path() / "opener");
        ResetStore();
        AfxEnableControlContainer(&manager);
        app.SetCurrentHandles(nullptr, "", SW_SHOWNORMAL);
        AfxSetThread(&app);
    }
    void TearDown() override {
        if (app.m_pMainWnd != nullptr) {
            app.m_pMainWnd->DestroyWindow();
        }
        AfxSetThread(nullptr);
        AfxEnableControlContainer();
        platform::SetThreadMessageFilter({});
        platform::SetCommonDialogAnswerer({});
        platform::SetMessageBoxAnswerer({});
        platform::SetProcessStartInterceptor({});
        platform::UseDefaultDesktopOpener();
        platform::ClearModuleFileNameOverride();
        platform::SetRegistryFile({});
        for (auto it = savedEnvironment.rbegin(); it != savedEnvironment.rend(); ++it) {
            if (it->second) {
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                ::unsetenv(it->first.c_str());
            }
        }
        BrowserTest::TearDown();
    }

    // Sets (or, with null, removes) an environment variable until the test ends.
    void SetEnvironment(const char* name, const char* value) {
        const char* old = std::getenv(name);
        savedEnvironment.emplace_back(
            name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }

    static void ResetStore() {
        CBrowserDataStore& store = DataStore();
        store.ClearFilterRules();
        store.filterPaused = 0;
        store.blockedUrls.clear();
        store.allowedUrls.clear();
        store.visitedUrls.clear();
        store.engineNames = {"百度", "Google"};
        store.engineUrls = {"about:blank?q=%s&n=%d", "about:blank?g=%s"};
        store.musicSearchUrl = "about:blank?m=%s%d";
        store.windowRect = {10, 10, 810, 610};
        store.activateNewPage = 1;
        store.tabMaximized = 0;
        store.tabsAtBottom = 0;
        store.startPageMode = 1;
        store.announceUpdates = 0;
    }

    void Start() {
        ASSERT_TRUE(app.InitInstance());
        frame = static_cast<CCommandTestFrame*>(app.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        platform::PumpUntilIdle();
        frame->opened.clear();
        TakeRecordedWebCommands();
    }

    void Command(UINT id) {
        frame->SendMessage(WM_COMMAND, id);
        platform::PumpUntilIdle();
    }
    static void Click(POINT screen) {
        platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, screen);
        platform::InjectMouse(MOUSEEVENTF_LEFTUP, screen);
        platform::PumpUntilIdle();
    }
    static void ClickWindow(const CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        Click(rect.CenterPoint());
    }
    // The tool-bar button's rectangle on the screen.
    CRect ToolButton(UINT id) const {
        CRect rect;
        frame->m_wndToolBar.GetItemRect(frame->m_wndToolBar.CommandToIndex(id), &rect);
        frame->m_wndToolBar.ClientToScreen(&rect);
        return rect;
    }
    void ClickToolButton(UINT id) {
        Click(CPoint(ToolButton(id).left + 8, ToolButton(id).top + 8));
    }
    void ClickArrow(UINT id) { Click(CPoint(ToolButton(id).right - 4, ToolButton(id).top + 8)); }
    static void Keys(std::initializer_list<BYTE> keys) {
        for (BYTE key : keys) {
            platform::InjectKey(key, true);
            platform::InjectKey(key, false);
        }
    }
    static void WithKey(BYTE modifier, std::initializer_list<BYTE> keys) {
        for (BYTE key : keys) {
            platform::InjectKey(modifier, true);
            Keys({key});
            platform::InjectKey(modifier, false);
            platform::PumpUntilIdle();
        }
    }
    // Loads a page with the title into the current tab.
    std::string Load(const std::string& name, const std::string& title) {
        const std::string path =
            Page(name, "<html><head><title>" + title + "</title></head></html>");
        frame->OpenUrl(path.c_str(), 0, 1);
        platform::PumpUntilIdle();
        frame->opened.clear();
        return path;
    }
    CPageDlg* Current() const { return frame->GetSelectedPage(); }
    std::string Title() const { return std::string(Current()->m_strTitle); }
    void SelectTab(int index) {
        frame->m_wndTab.SetCurSel(index);
        NMHDR header{frame->m_wndTab.m_hWnd, IDC_PAGE_TAB, static_cast<UINT>(TCN_SELCHANGE)};
        frame->SendMessage(WM_NOTIFY, IDC_PAGE_TAB, reinterpret_cast<LPARAM>(&header));
    }
    bool BandVisible(UINT id) const {
        const LRESULT index = frame->m_wndReBar.SendMessage(RB_IDTOINDEX, id);
        REBARBANDINFOA band{};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_STYLE;
        frame->m_wndReBar.SendMessage(RB_GETBANDINFO, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(&band));
        return (band.fStyle & RBBS_HIDDEN) == 0;
    }
    void WriteProgram(const std::string& relative) {
        folder.WriteFile(relative, "#!/bin/sh\nexit 0\n");
        std::filesystem::permissions(folder.path() / relative, std::filesystem::perms::owner_all);
    }
    std::string Maker(const std::string& path) const { return std::string(kMakerSite) + path; }

    CExternalDispatch external;
    CCustomOccManager manager{&external};
    CCommandTestApp app;
    CCommandTestFrame* frame = nullptr;
    std::string programFolder;
    std::vector<std::string> boxes;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment;
};

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
    Load("one.htm", "One");
    for (const char* name : {"two.htm", "three.htm"}) {
        frame->OpenUrl(Page(name, "<title>page</title>").c_str(), 1, 1);
    }
    platform::PumpUntilIdle();
    SelectTab(0);
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
    // The font sizes zoom every tab, not only the selected one.
    auto textSizes = [&] {
        std::vector<long> sizes;
        for (int i = 0; i < frame->GetTabCount(); ++i) {
            VARIANT size;
            ::VariantInit(&size);
            frame->GetPageAt(i)->m_wndBrowser.ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER,
                                                     nullptr, &size);
            sizes.push_back(size.lVal);
        }
        TakeRecordedWebCommands();
        return sizes;
    };
    Command(ID_FONT_LARGER);
    EXPECT_EQ(textSizes(), (std::vector<long>{3, 3, 3}));
    Command(ID_FONT_SMALLEST);
    EXPECT_EQ(textSizes(), (std::vector<long>{0, 0, 0}));

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
    EXPECT_EQ(frame->opened, (std::vector<std::string>{"about:blank?q=%d%n中 %s&n=%d 1 1",
                                                       "about:blank?g=%d%n中 %s 1 1",
                                                       "about:blank?m=歌 %n%d 1 1"}));
    EXPECT_EQ(frame->GetTabCount(), 4);
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

TEST_F(MainFrameCommandsTest, TheMenuButtonShowsTheMenuAndTheBandsToggleWithTheirTicks) {
    Start();
    CRect shown;
    std::vector<MenuItem> top;
    std::vector<MenuItem> view;
    frame->menuSteps.push_back([&](HWND menu) {
        ::GetWindowRect(menu, &shown);
        top = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_DOWN, VK_RIGHT});
    });
    frame->menuSteps.push_back([&](HWND) {
        view = ItemsOf(frame->lastPopup);
        Keys({VK_RETURN});
    });
    const CRect pageBefore = frame->m_pageRect;
    CRect button;
    frame->m_wndMenuButton.GetWindowRect(&button);
    // The button's click as it reports it to the bar it lies on.
    frame->m_wndMenuBar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MENU_BUTTON, BN_CLICKED),
                                    reinterpret_cast<LPARAM>(frame->m_wndMenuButton.m_hWnd));
    platform::PumpUntilIdle();
    EXPECT_EQ(shown.TopLeft(), CPoint(button.left + 1, button.bottom + 1));
    const UINT popup = static_cast<UINT>(-1);
    EXPECT_EQ(top, (std::vector<MenuItem>{{"工具(&T)", popup},
                                          {"查看(&V)", popup},
                                          {"文件(&F)", popup},
                                          {"收藏(&A)", popup},
                                          {"编辑(&E)", popup},
                                          {"跳转(&G)", popup},
                                          {"帮助(&H)", popup},
                                          {"关于(&A)", ID_APP_ABOUT},
                                          {"退出(&X)", ID_APP_EXIT}}));
    ASSERT_GE(view.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(view[i].checked) << view[i].text;
    }
    // "标准按钮栏" was chosen.
    EXPECT_FALSE(BandVisible(CMainFrame::kStandardBand));
    Command(ID_VIEW_ADDRESS_BAR);
    Command(ID_VIEW_BUSY_BAR);
    EXPECT_FALSE(BandVisible(CMainFrame::kAddressBand));
    EXPECT_FALSE(BandVisible(CMainFrame::kBusyBand));
    // The layout pass gave the pages the room of the hidden row.
    EXPECT_GT(frame->m_pageRect.Height(), pageBefore.Height());
    const HMENU viewMenu = ::GetSubMenu(::GetSubMenu(frame->m_pMainMenu->GetSafeHmenu(), 0), 1);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(viewMenu), 1);
    view = ItemsOf(viewMenu);
    EXPECT_EQ(
        (std::vector<bool>{view[0].checked, view[1].checked, view[2].checked, view[3].checked}),
        (std::vector<bool>{false, false, false, true}));

    for (UINT id : {ID_VIEW_TOOLBAR, ID_VIEW_ADDRESS_BAR, ID_VIEW_BUSY_BAR}) {
        Command(id);
    }
    EXPECT_EQ(frame->m_pageRect, pageBefore);
}

TEST_F(MainFrameCommandsTest, BackAndForwardFollowTheTravelLog) {
    Start();
    Load("first.htm", "First");
    Load("second.htm", "Second");
    auto enabled = [&](UINT id) {
        frame->m_wndToolBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        return frame->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, id) != 0;
    };
    EXPECT_TRUE(enabled(ID_GO_BACK));
    EXPECT_FALSE(enabled(ID_GO_FORWARD));

    std::vector<MenuItem> items;
    CRect shown;
    frame->menuSteps.push_back([&](HWND menu) {
        ::GetWindowRect(menu, &shown);
        items = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_RETURN});
    });
    ClickArrow(ID_GO_BACK);
    platform::PumpUntilIdle();
    EXPECT_EQ(items, (std::vector<MenuItem>{{"First", 1125}, {"about:blank", 1126}}));
    EXPECT_EQ(shown.TopLeft(),
              CPoint(ToolButton(ID_GO_BACK).left, ToolButton(ID_GO_BACK).bottom + 1));
    EXPECT_EQ(Title(), "First");
    EXPECT_TRUE(enabled(ID_GO_FORWARD));
    ClickToolButton(ID_GO_FORWARD);
    platform::PumpUntilIdle();
    EXPECT_EQ(Title(), "Second");

    // A page whose control is gone keeps its tab; it has no history to offer.
    Current()->m_wndBrowser.DestroyWindow();
    EXPECT_FALSE(enabled(ID_GO_BACK));
    EXPECT_FALSE(enabled(ID_GO_FORWARD));
    const int menus = frame->menusShown;
    ClickArrow(ID_GO_BACK);
    EXPECT_EQ(frame->menusShown, menus);
    EXPECT_EQ(frame->GetTabCount(), 1);
}

class MainFrameFavoritesTest : public MainFrameCommandsTest {
protected:
    void SetUp() override {
        MainFrameCommandsTest::SetUp();
        SetEnvironment("QUORRA_TEST_FOLDER", platform::ToWindowsPath(folder.path()).c_str());
        SetFavorites(REG_EXPAND_SZ, "%QUORRA_TEST_FOLDER%\\fav");
        std::filesystem::create_directories(folder.path() / "fav");
    }
    static void SetFavorites(DWORD type, const std::string& value) {
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell "
                          "Folders",
                          0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        ::RegSetValueExA(key, "Favorites", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
        ::RegCloseKey(key);
    }
    // A shortcut (GBK name) in the favourites folder to a page titled with that name.
    std::string Shortcut(const std::string& relative) {
        const std::string page =
            Page("page" + std::to_string(++pages) + ".htm", "<title>" + relative + "</title>");
        folder.WriteFile("fav/" + platform::GbkToUtf8(relative) + ".url",
                         "[InternetShortcut]\r\nURL=" + page + "\r\n");
        return page;
    }
    HMENU Favorites() const {
        return ::GetSubMenu(::GetSubMenu(::GetSubMenu(frame->m_pMainMenu->GetSafeHmenu(), 0), 3),
                            7);
    }
    // The texts of the menu's items, "name >" for a folder.
    static std::vector<std::string> Names(HMENU menu) {
        std::vector<std::string> names;
        for (const MenuItem& item : ItemsOf(menu)) {
            names.push_back(item.text + (item.id == static_cast<UINT>(-1) ? " >" : ""));
        }
        return names;
    }
    std::string UrlOf(HMENU menu, int position) const {
        const UINT id = ::GetMenuItemID(menu, position);
        return std::string(frame->m_favoriteUrls.at(id - CMainFrame::kFirstFavorite));
    }

    int pages = 0;
};

TEST_F(MainFrameFavoritesTest, FoldersComeFirstThenShortcutsEachSortedIgnoringCase) {
    const std::string z = Shortcut("z");
    const std::string y = Shortcut("Y");
    const std::string one = Shortcut("b/one");
    const std::string two = Shortcut("A/two");
    Shortcut("c/deeper/three");
    Shortcut("一二三四五六七八九十一二三四五六七八九十一");
    std::filesystem::create_directories(folder.path() / "fav/empty/inner");
    folder.WriteFile("fav/notes.txt", "");
    folder.WriteFile("fav/UPPER.URL", "[InternetShortcut]\r\nURL=http://upper/\r\n");
    folder.WriteFile("fav/.hidden.url", "[InternetShortcut]\r\nURL=http://hidden/\r\n");
    Start();
    const HMENU favorites = Favorites();
    EXPECT_EQ(Names(favorites),
              (std::vector<std::string>{"A >", "b >", "c >", "Y", "z",
                                        "一二三四五六七八九十一二三四五六七八..."}));
    EXPECT_EQ(::GetMenuItemID(favorites, 3), CMainFrame::kFirstFavorite);
    EXPECT_EQ(UrlOf(favorites, 3), y);
    EXPECT_EQ(UrlOf(favorites, 4), z);
    EXPECT_EQ(UrlOf(::GetSubMenu(favorites, 0), 0), two);
    EXPECT_EQ(UrlOf(::GetSubMenu(favorites, 1), 0), one);
    EXPECT_EQ(Names(::GetSubMenu(favorites, 2)), std::vector<std::string>{"deeper >"});

    // The favourites button drops the list below itself; a choice opens in the current tab.
    CRect shown;
    frame->menuSteps.push_back([&](HWND menu) {
        ::GetWindowRect(menu, &shown);
        Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    });
    ClickToolButton(ID_FAVORITES);
    platform::PumpUntilIdle();
    EXPECT_EQ(shown.TopLeft(),
              CPoint(ToolButton(ID_FAVORITES).left, ToolButton(ID_FAVORITES).bottom + 1));
    EXPECT_EQ(Title(), "Y");
    frame->menuSteps.push_back([&](HWND) { Keys({VK_DOWN, VK_RIGHT}); });
    frame->menuSteps.push_back([&](HWND) { Keys({VK_RETURN}); });
    ClickToolButton(ID_FAVORITES);
    platform::PumpUntilIdle();
    EXPECT_EQ(Title(), "A/two");
    EXPECT_EQ(frame->GetTabCount(), 1);
}

TEST_F(MainFrameFavoritesTest, AddingAndOrganizingReadTheFolderAgain) {
    Shortcut("z");
    Start();
    Load("added.htm", "Added");
    Command(ID_ADD_FAVORITE);
    EXPECT_EQ(folder.ReadFile("fav/Added.url"),
              "[InternetShortcut]\r\nURL=" + Address("added.htm") + "\r\n");
    EXPECT_EQ(Names(Favorites()), (std::vector<std::string>{"Added", "z"}));

    // Without the shell's organiser the folder is only read again.
    Shortcut("m");
    for (int i = 0; i < 520; ++i) {
        folder.WriteFile("fav/many/" + std::to_string(1000 + i) + ".url",
                         "[InternetShortcut]\r\nURL=http://many/\r\n");
    }
    Command(ID_ORGANIZE_FAVORITES);
    EXPECT_TRUE(boxes.empty());
    const HMENU favorites = Favorites();
    ASSERT_EQ(::GetMenuItemCount(favorites), 4);
    EXPECT_EQ(Names(favorites)[1], "Added");
    // No more items than favourite commands.
    const HMENU many = ::GetSubMenu(favorites, 0);
    EXPECT_EQ(::GetMenuItemCount(many), 512 - 3);
    EXPECT_EQ(::GetMenuItemID(many, 512 - 4), CMainFrame::kLastFavorite);

    // An empty value names no folder: nothing is listed, not the root of the drive.
    SetFavorites(REG_SZ, "");
    Command(ID_ORGANIZE_FAVORITES);
    EXPECT_EQ(::GetMenuItemCount(Favorites()), 0);

    // The organiser's folder: the shell's, else the Windows folder's after a message.
    SetFavorites(REG_SZ, programFolder + "fav");
    EXPECT_EQ(std::string(frame->GetFavoritesFolder()), programFolder + "fav");
    SetFavorites(REG_SZ, programFolder + "missing");
    char windows[MAX_PATH] = {};
    ASSERT_GT(::GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    EXPECT_EQ(std::string(frame->GetFavoritesFolder()), std::string(windows) + "\\favorites");
    EXPECT_EQ(boxes, std::vector<std::string>{"Can't get path of favorite."});
}

}  // namespace
