#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/CustomOccManager.h"
#include "browser/ExternalDispatch.h"
#include "browser/FilterRule.h"
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
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Surface.h"
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
// steps while one of its pop-up menus waits for input (with no step left the menu is dismissed)
// and once a modal dialog has disabled it.
class CCommandTestFrame : public CMainFrame {
    DECLARE_DYNCREATE(CCommandTestFrame)

public:
    static constexpr UINT kRunModalStep = WM_APP + 79;

    // "address newTab activate" for each OpenUrl.
    std::vector<std::string> opened;
    std::deque<std::function<void(HWND menuWindow)>> menuSteps;
    std::deque<std::function<void()>> modalSteps;
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
        // A dialog's modal loop disables its owner once the dialog is there; the step runs
        // inside that loop.
        if (message == WM_ENABLE && wParam == FALSE && !modalSteps.empty()) {
            PostMessage(kRunModalStep);
        }
        if (message == kRunModalStep && !modalSteps.empty()) {
            auto step = std::move(modalSteps.front());
            modalSteps.pop_front();
            step();
            *pResult = 0;
            return TRUE;
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
    // Presses and releases the button at the point. A second press on the spot of the one before
    // would make a double click, so it lands a few pixels aside.
    static void Click(POINT screen, DWORD down = MOUSEEVENTF_LEFTDOWN,
                      DWORD up = MOUSEEVENTF_LEFTUP) {
        static POINT last{-1, -1};
        if (screen.x == last.x && screen.y == last.y) {
            screen.x += 3;
        }
        last = screen;
        platform::InjectMouse(down, screen);
        platform::InjectMouse(up, screen);
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
    // Walks the next menu that opens with the arrow keys: one position per level, the last one
    // chosen.
    void ChooseInMenu(std::vector<int> positions) {
        for (size_t level = 0; level < positions.size(); ++level) {
            const bool last = level + 1 == positions.size();
            frame->menuSteps.push_back([this, level, last, position = positions[level]](HWND) {
                // A pop-up opened from the keyboard starts on its first item; the top one on none.
                int downs = level == 0 ? 1 : 0;
                for (int i = 0; i < position; ++i) {
                    const UINT state =
                        ::GetMenuState(frame->lastPopup, static_cast<UINT>(i), MF_BYPOSITION);
                    // A pop-up's state holds its item count in the high byte.
                    downs += (state & (MF_POPUP | MF_SEPARATOR)) != MF_SEPARATOR ? 1 : 0;
                }
                for (int i = 0; i < downs; ++i) {
                    Keys({VK_DOWN});
                }
                Keys({static_cast<BYTE>(last ? VK_RETURN : VK_RIGHT)});
            });
        }
    }
    // The same in the main menu, opened with a click on its button.
    void ChooseFromMainMenu(std::vector<int> positions) {
        ChooseInMenu(std::move(positions));
        ClickWindow(frame->m_wndMenuButton);
    }
    // Runs `script` on the dialog titled `caption` once the modal loop of the next dialog runs.
    void InDialog(const std::string& caption, std::function<void(HWND)> script) {
        frame->modalSteps.push_back([caption, script] {
            const HWND dialog = ::FindWindowA(nullptr, caption.c_str());
            if (dialog == nullptr) {
                ADD_FAILURE() << "no dialog " << caption;
                ::PostMessageA(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
                return;
            }
            script(dialog);
        });
    }
    static void ClickItem(HWND dialog, int id) {
        CRect rect;
        ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
        Click(rect.CenterPoint());
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
    // The text size of each tab's page, as its control reports it.
    std::vector<long> TextSizes() const {
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
    // The share of the opaque pixels of the bitmap's first `size` picture that the screen shows
    // at the window's top-left corner.
    static double PictureShown(const CWnd& wnd, UINT bitmapId, SIZE size = {20, 20}) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        // The cursor leaves the window, so that it shows its normal picture without a tip.
        platform::InjectMouse(0, CPoint(rect.left - 200, rect.bottom + 200));
        platform::PumpUntilIdle();
        CBitmap picture;
        EXPECT_TRUE(picture.LoadBitmap(bitmapId));
        const HDC dc = ::CreateCompatibleDC(nullptr);
        const HGDIOBJ old = ::SelectObject(dc, static_cast<HBITMAP>(picture));
        const platform::Surface shot = platform::CaptureScreen();
        int opaque = 0;
        int shown = 0;
        for (int y = 0; y < size.cy; ++y) {
            for (int x = 0; x < size.cx; ++x) {
                const COLORREF color = ::GetPixel(dc, x, y);
                if (color != RGB(255, 0, 255)) {
                    ++opaque;
                    shown +=
                        platform::ColorFromPixel(shot.At(rect.left + x, rect.top + y)) == color;
                }
            }
        }
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        return opaque > 0 ? static_cast<double>(shown) / opaque : 0.0;
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

    // "后退" of the main menu twice, then the second entry of the forward list.
    ChooseFromMainMenu({5, 0});
    platform::PumpUntilIdle();
    EXPECT_EQ(Title(), "First");
    ChooseFromMainMenu({5, 0});
    platform::PumpUntilIdle();
    EXPECT_FALSE(enabled(ID_GO_BACK));
    frame->menuSteps.push_back([&](HWND menu) {
        ::GetWindowRect(menu, &shown);
        items = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    });
    ClickArrow(ID_GO_FORWARD);
    platform::PumpUntilIdle();
    EXPECT_EQ(items, (std::vector<MenuItem>{{"First", 1145}, {"Second", 1146}}));
    EXPECT_EQ(shown.TopLeft(),
              CPoint(ToolButton(ID_GO_FORWARD).left, ToolButton(ID_GO_FORWARD).bottom + 1));
    EXPECT_EQ(Title(), "Second");
    EXPECT_FALSE(enabled(ID_GO_FORWARD));

    // A page whose control is gone keeps its tab; it has no history to offer.
    Current()->m_wndBrowser.DestroyWindow();
    EXPECT_FALSE(enabled(ID_GO_BACK));
    EXPECT_FALSE(enabled(ID_GO_FORWARD));
    const int menus = frame->menusShown;
    ClickArrow(ID_GO_BACK);
    EXPECT_EQ(frame->menusShown, menus);
    EXPECT_EQ(frame->GetTabCount(), 1);
}

TEST_F(MainFrameCommandsTest, TheBarButtonsAndTheTabMenuOpenAndCloseTabs) {
    Start();
    // GO opens the typed address in the current tab and remembers it.
    const std::string typed = Page("typed.htm", "<title>Typed</title>");
    frame->m_wndAddress.SetWindowText(typed.c_str());
    ClickWindow(frame->m_wndGo);
    EXPECT_EQ(frame->opened, std::vector<std::string>{typed + " 0 1"});
    EXPECT_EQ(frame->GetTabCount(), 1);
    EXPECT_EQ(Title(), "Typed");
    const std::vector<CString>& visited = DataStore().visitedUrls;
    EXPECT_EQ(std::count(visited.begin(), visited.end(), CString(typed.c_str())), 1);
    EXPECT_EQ(frame->m_wndAddress.GetCount(), static_cast<int>(visited.size()));

    // Esc closes the address list and nothing else happens; in the page it leaves the page.
    frame->m_wndAddress.SetFocus();
    Keys({'F'});
    platform::PumpUntilIdle();
    ASSERT_TRUE(frame->m_wndAddress.GetDroppedState());
    TakeRecordedWebCommands();
    Keys({VK_ESCAPE});
    platform::PumpUntilIdle();
    EXPECT_FALSE(frame->m_wndAddress.GetDroppedState());
    ::SetFocus(Current()->m_wndBrowser.m_hWnd);
    Keys({VK_ESCAPE});
    platform::PumpUntilIdle();
    EXPECT_TRUE(Current()->IsWindowVisible());
    EXPECT_EQ(TakeWebCommands(), std::vector<std::string>{});
    EXPECT_EQ(frame->opened.size(), 1u);

    // The close button closes the picked tab; the one before it becomes current.
    WithKey(VK_CONTROL, {'N', 'N'});
    ASSERT_EQ(frame->GetTabCount(), 3);
    auto clickTab = [&](int index, DWORD down, DWORD up) {
        CRect rect;
        frame->m_wndTab.GetItemRect(index, &rect);
        frame->m_wndTab.ClientToScreen(&rect);
        Click(rect.CenterPoint(), down, up);
    };
    clickTab(1, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_EQ(frame->GetCurrentIndex(), 1);
    const CPageDlg* last = frame->GetPageAt(2);
    ClickWindow(frame->m_wndCloseTab);
    EXPECT_EQ(frame->GetTabCount(), 2);
    EXPECT_EQ(frame->GetCurrentIndex(), 0);
    EXPECT_EQ(Title(), "Typed");
    EXPECT_EQ(frame->GetPageAt(1), last);

    // The tab strip's menu closes the current tab, then, once the user agrees, all of them.
    std::vector<MenuItem> items;
    frame->menuSteps.push_back([&](HWND) {
        items = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_RETURN});
    });
    clickTab(1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(items, (std::vector<MenuItem>{{"关闭当前网页", ID_CLOSE_PAGE},
                                            {"关闭所有网页", ID_CLOSE_ALL_PAGES}}));
    ASSERT_EQ(frame->GetTabCount(), 1);
    EXPECT_EQ(frame->GetPageAt(0), last);
    Load("kept.htm", "Kept");
    int answer = IDNO;
    platform::SetMessageBoxAnswerer([&](const platform::MessageBoxCall& call) {
        boxes.push_back(call.text);
        return answer;
    });
    for (int reply : {IDNO, IDYES}) {
        answer = reply;
        ChooseInMenu({1});
        clickTab(0, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        ASSERT_EQ(frame->GetTabCount(), 1);
        EXPECT_EQ(Title(), reply == IDNO ? "Kept" : "about:blank");
    }
    EXPECT_EQ(boxes, std::vector<std::string>(2, "你确定要关闭所有网页吗?"));
    EXPECT_EQ(std::string(Current()->m_strUrl), "about:blank");
    EXPECT_EQ(frame->opened.back(), "about:blank 1 1");
}

TEST_F(MainFrameCommandsTest, TheSkinAndFilterDialogsOpenOverTheFrame) {
    folder.WriteFile("data/skin.ini", "old");
    folder.WriteFile("data/skin/Blue.ini", "blue");
    folder.WriteFile("data/skin/Red.ini", "red");
    Start();
    // "浏览器界面设置" lists the skins while the frame waits; choosing one takes its file.
    std::vector<std::string> skins;
    bool frameEnabled = true;
    InDialog("皮肤选择", [&](HWND dialog) {
        frameEnabled = frame->IsWindowEnabled() != FALSE;
        const HWND list = ::GetDlgItem(dialog, IDC_SKIN_LIST);
        for (int i = 0; i < ::SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
            char name[64] = {};
            ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(name));
            skins.push_back(name);
        }
        ::SendMessageA(list, LB_SETCURSEL, 1, 0);
        ClickItem(dialog, IDC_SELECT_SKIN);
    });
    ChooseFromMainMenu({0, 1});
    EXPECT_FALSE(frameEnabled);
    EXPECT_EQ(skins, (std::vector<std::string>{"Blue", "Red"}));
    EXPECT_EQ(folder.ReadFile("data/skin.ini"), "red");
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_EQ(::FindWindowA(nullptr, "皮肤选择"), nullptr);

    // The filter-settings button shows whether the filter is paused once the dialog saves, and
    // keeps its picture when the dialog is cancelled.
    auto filterDialog = [&](int choice, int close) {
        InDialog("网页过滤设置", [choice, close](HWND dialog) {
            ClickItem(dialog, choice);
            ClickItem(dialog, close);
        });
    };
    filterDialog(IDC_FILTER_PAUSED, IDC_SAVE_RULES);
    ChooseFromMainMenu({0, 2});
    EXPECT_EQ(DataStore().filterPaused, 1);
    EXPECT_EQ(PictureShown(frame->m_wndFilterSettings, IDB_FILTER_PAUSED), 1.0);
    filterDialog(IDC_FILTER_ON, IDC_SAVE_RULES);
    ClickWindow(frame->m_wndFilterSettings);
    EXPECT_EQ(DataStore().filterPaused, 0);
    EXPECT_EQ(PictureShown(frame->m_wndFilterSettings, IDB_FILTER_ON), 1.0);
    filterDialog(IDC_FILTER_PAUSED, IDCANCEL);
    ChooseFromMainMenu({0, 2});
    EXPECT_EQ(DataStore().filterPaused, 0);
    EXPECT_EQ(PictureShown(frame->m_wndFilterSettings, IDB_FILTER_ON), 1.0);
    EXPECT_TRUE(frame->modalSteps.empty());
}

TEST_F(MainFrameCommandsTest, AChosenBlockedPageIsAllowedAndOpensInANewCurrentTab) {
    auto rule = std::make_unique<FilterRule>();
    rule->pattern = "blocked";
    DataStore().rules.push_back(std::move(rule));
    Start();
    frame->OpenUrl(Page("blocked1.htm", "<title>One</title>").c_str(), 0, 1);
    platform::PumpUntilIdle();
    frame->OpenUrl(Page("blocked2.htm", "<title>Two</title>").c_str(), 0, 1);
    platform::PumpUntilIdle();
    const std::vector<CString> blocked = DataStore().blockedUrls;
    ASSERT_EQ(blocked.size(), 2u);
    frame->opened.clear();

    // The filter button's list of the newest blocked pages; its second entry, the older page,
    // is chosen.
    std::vector<MenuItem> newest;
    frame->menuSteps.push_back([&](HWND) { Keys({VK_DOWN, VK_RIGHT}); });
    frame->menuSteps.push_back([&](HWND) {
        newest = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_RETURN});
    });
    ClickWindow(frame->m_wndFilter);
    platform::PumpUntilIdle();
    EXPECT_EQ(newest, (std::vector<MenuItem>{{std::string(blocked[0]), 1174},
                                             {std::string(blocked[1]), 1175}}));
    EXPECT_EQ(DataStore().allowedUrls, std::vector<CString>{blocked[1]});
    EXPECT_EQ(frame->opened, std::vector<std::string>{std::string(blocked[1]) + " 1 1"});
    EXPECT_EQ(frame->GetTabCount(), 2);
    EXPECT_EQ(frame->GetCurrentIndex(), 1);
    EXPECT_EQ(Title(), "One");
}

TEST_F(MainFrameCommandsTest, DropDownArrowsShowTheirMenusUnderTheirButtons) {
    Start();
    Load("page.htm", "Page");
    const HMENU mainMenu = ::GetSubMenu(frame->m_pMainMenu->GetSafeHmenu(), 0);
    struct Shown {
        CPoint at;
        std::vector<MenuItem> items;
    };
    // Opens the arrow's menu and chooses the item at `position`.
    auto arrow = [&](UINT id, int position) {
        Shown shown;
        frame->menuSteps.push_back([&](HWND menu) {
            CRect rect;
            ::GetWindowRect(menu, &rect);
            shown = {rect.TopLeft(), ItemsOf(frame->lastPopup)};
        });
        ChooseInMenu({position});
        ClickArrow(id);
        platform::PumpUntilIdle();
        EXPECT_EQ(shown.at, CPoint(ToolButton(id).left, ToolButton(id).bottom + 1)) << id;
        return shown.items;
    };

    // The page-settings arrow drops the tools of the main menu: "Internet 选项" is the last.
    TakeRecordedWebCommands();
    const std::vector<MenuItem> tools = arrow(ID_PAGE_OPTIONS, 13);
    EXPECT_EQ(tools, ItemsOf(::GetSubMenu(mainMenu, 0)));
    ASSERT_EQ(tools.size(), 14u);
    EXPECT_EQ(tools[13], (MenuItem{"Internet 选项\t(&I)", ID_INTERNET_OPTIONS}));
    EXPECT_EQ(TakeWebCommands(), std::vector<std::string>{"M 3 0 page.htm"});

    // The refresh arrow offers the page's automatic refresh.
    InDialog("参数设置 - 当前页定时刷新", [](HWND dialog) {
        ::SetDlgItemTextA(dialog, IDC_REFRESH_TIME, "5");
        ClickItem(dialog, IDOK);
    });
    EXPECT_EQ(arrow(ID_REFRESH, 0),
              (std::vector<MenuItem>{{"当前页自动刷新设置", ID_AUTO_REFRESH}}));
    int time = 0;
    int unit = 0;
    Current()->GetRefresh(time, unit);
    EXPECT_EQ(time, 5);

    // The favourites arrow drops "收藏(&A)" with the favourites below it.
    const std::vector<MenuItem> favorites = arrow(ID_FAVORITES, 5);
    EXPECT_EQ(favorites, ItemsOf(::GetSubMenu(mainMenu, 3)));
    ASSERT_EQ(favorites.size(), 8u);
    EXPECT_EQ(favorites[5], (MenuItem{"官方网站", ID_OFFICIAL_SITE}));
    EXPECT_EQ(frame->opened, std::vector<std::string>{Maker("/") + " 1 1"});
}

TEST_F(MainFrameCommandsTest, TheViewMenuSizesTheTextOfEveryTabAndTogglesTheStatusBar) {
    Start();
    Load("one.htm", "One");
    for (const char* name : {"two.htm", "three.htm"}) {
        frame->OpenUrl(Page(name, "<title>page</title>").c_str(), 1, 1);
    }
    platform::PumpUntilIdle();
    SelectTab(0);
    // "查看(&V)" ▸ "字体大小" ▸ "最大(&G)", then "较小(&S)".
    ChooseFromMainMenu({1, 5, 0});
    EXPECT_EQ(TextSizes(), (std::vector<long>{4, 4, 4}));
    ChooseFromMainMenu({1, 5, 3});
    EXPECT_EQ(TextSizes(), (std::vector<long>{1, 1, 1}));

    // "状态条" hides the status bar, gives the pages its room and loses its tick.
    const CRect pageBefore = frame->m_pageRect;
    ChooseFromMainMenu({1, 3});
    EXPECT_FALSE(frame->m_wndStatusBar.IsWindowVisible());
    EXPECT_GT(frame->m_pageRect.Height(), pageBefore.Height());
    std::vector<MenuItem> view;
    frame->menuSteps.push_back([&](HWND) { Keys({VK_DOWN, VK_DOWN, VK_RIGHT}); });
    frame->menuSteps.push_back([&](HWND) {
        view = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    });
    ClickWindow(frame->m_wndMenuButton);
    ASSERT_GE(view.size(), 4u);
    EXPECT_EQ(view[3], (MenuItem{"状态条", ID_VIEW_STATUS_BAR, false}));
    EXPECT_TRUE(frame->m_wndStatusBar.IsWindowVisible());
    EXPECT_EQ(frame->m_pageRect, pageBefore);

    // "退出(&X)" closes the window, which saves the settings, and ends the message loop.
    std::filesystem::remove(folder.path() / "data/filter.dat");
    const HWND window = frame->m_hWnd;
    ChooseFromMainMenu({8});
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "data/filter.dat"));
    MSG quit{};
    EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
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
