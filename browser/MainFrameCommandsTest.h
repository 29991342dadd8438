// What the tests of the main frame's commands share: the browser's own document and view over the
// test frame, so that the first tab and the start page open as they do when the program starts, a
// registry and user folders of the test's own, addresses on the web refused at once, dialogs that
// ask for a file cancelled, program starts recorded instead of run, and input through the input
// path: clicks, keys, menus walked with the arrow keys and scripts run inside modal dialogs.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/MainFrameTest.h"
#include "browser/MakerSite.h"
#include "browser/MenuEx.h"
#include "browser/QuorDoc.h"
#include "browser/QuorView.h"
#include "platform/commondialogs/CommonDialogApi.h"
#include "platform/controls/Tab.h"
#include "platform/controls/ToolBar.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Surface.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/process/ProcessApi.h"
#include "platform/registry/Registry.h"
#include "platform/screen/ScreenApi.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "platform/webcontrol/WebCommandLog.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/quorra/resource.h"

namespace browser_testing {

using platform::webcontrol::RecordedWebCommand;
using platform::webcontrol::TakeRecordedWebCommands;

struct MenuItem {
    std::string text;
    UINT id;  // -1 for a pop-up
    bool checked = false;
    bool operator==(const MenuItem&) const = default;
};

// The items of a menu; an owner-drawn item's text is the one its skinned menu keeps.
inline std::vector<MenuItem> ItemsOf(HMENU menu) {
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
inline std::string Describe(const RecordedWebCommand& command) {
    std::string text = command.source == RecordedWebCommand::Source::Browser ? "B"
                       : IsEqualGUID(command.group, CGID_MSHTML)             ? "M"
                                                                             : "D";
    text += " " + std::to_string(command.command) + " " + std::to_string(command.option);
    if (!command.argument.empty()) {
        text += " " + command.argument;
    }
    return text + " " + command.address.substr(command.address.rfind('/') + 1);
}

inline std::vector<std::string> TakeWebCommands() {
    std::vector<std::string> texts;
    for (const RecordedWebCommand& command : TakeRecordedWebCommands()) {
        texts.push_back(Describe(command));
    }
    return texts;
}

class MainFrameCommandsTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        app.documentClass = RUNTIME_CLASS(CQuorDoc);
        app.viewClass = RUNTIME_CLASS(CQuorView);
        platform::SetRegistryFile(folder.path() / "registry.dat");
        // Addresses on the web go to a proxy that refuses at once, so no test waits for a host.
        SetEnvironment("http_proxy", "http://127.0.0.1:9");
        SetEnvironment("no_proxy", nullptr);
        // What the platform keeps for the user (the Windows folder, viewed page sources) stays in
        // the test's folder.
        SetEnvironment("XDG_CONFIG_HOME", (folder.path() / "config").c_str());
        SetEnvironment("TMPDIR", folder.path().c_str());
        // Commands that would ask for a file (save as, print) are answered with a cancel.
        platform::SetCommonDialogAnswerer([](const platform::CommonDialogRequest&) {
            return platform::CommonDialogAnswer::Cancel();
        });
        platform::ClearStartedProcesses();
        platform::SetProcessStartInterceptor([](const platform::ProcessStart&) { return 0; });
        platform::SetDesktopOpener(folder.path() / "opener");
        CBrowserDataStore& store = DataStore();
        store.engineUrls = {"about:blank?q=%s&n=%d", "about:blank?g=%s"};
        store.musicSearchUrl = "about:blank?m=%s%d";
    }
    void TearDown() override {
        MainFrameTest::TearDown();
        platform::SetCommonDialogAnswerer({});
        platform::SetProcessStartInterceptor({});
        platform::UseDefaultDesktopOpener();
        platform::SetRegistryFile({});
        for (auto it = savedEnvironment.rbegin(); it != savedEnvironment.rend(); ++it) {
            if (it->second) {
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                ::unsetenv(it->first.c_str());
            }
        }
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

    // The frame as the program starts it, with what it opened on the way forgotten.
    void Start() {
        MainFrameTest::Start();
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
    // Three tabs, the first one current: "One" and two pages titled "page".
    void OpenThreePages() {
        Load("one.htm", "One");
        for (const char* name : {"two.htm", "three.htm"}) {
            frame->OpenUrl(Page(name, "<title>page</title>").c_str(), 1, 1);
        }
        platform::PumpUntilIdle();
        SelectTab(0);
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
    // The share of the opaque pixels of the bitmap's first `size` picture that the screen shows
    // at the window's top-left corner.
    static double PictureShown(const CWnd& wnd, UINT bitmapId, SIZE size = {20, 20}) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        // The cursor leaves the window, so that it shows its normal picture without a tip.
        platform::InjectMouse(0, CPoint(rect.left - 200, rect.bottom + 200));
        platform::PumpUntilIdle();
        return MainFrameTest::PictureShown(rect.TopLeft(), bitmapId, size);
    }
    void WriteProgram(const std::string& relative) {
        folder.WriteFile(relative, "#!/bin/sh\nexit 0\n");
        std::filesystem::permissions(folder.path() / relative, std::filesystem::perms::owner_all);
    }
    std::string Maker(const std::string& path) const { return std::string(kMakerSite) + path; }

    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment;
};

}  // namespace browser_testing
