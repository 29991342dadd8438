// What the tests of the browser's dialogs and chrome controls share: a temporary program folder
// that the program runs from, an application and a main frame that record what the windows ask
// of them, message boxes answered with OK and recorded, and clicks and keys on real controls.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "browser/BrowserApp.h"
#include "browser/BrowserFrame.h"
#include "browser/SkinColors.h"
#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/Header.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListView.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/Static.h"
#include "platform/controls/ToolTip.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/drawing/Gdi.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/ScriptedDialogTest.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WinThread.h"
#include "platform/testing/TempFolder.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/quorra/resource.h"

namespace browser_testing {

// A skin whose only distinguishing colour is its tool background.
inline std::string SkinFile(int red) {
    return "[SKIN_CONFIG]\r\n[STYLE]\r\n0\r\n[TOOL_CONFIG]\r\n[BACKGROUND_COLOR]\r\nRGB(" +
           std::to_string(red) + ",0,0)\r\n";
}

class TestBrowserApp : public CWinApp, public CBrowserApp {
public:
    int LoadSkin() override {
        ++skinLoads;
        Skin().Load("data\\skin.ini");
        return 0;
    }
    int skinLoads = 0;
};

class TestBrowserFrame : public CWnd, public CBrowserFrame {
public:
    void RedrawSkin() override { redrawnToolBackgrounds.push_back(Skin().toolBackground); }
    int OpenUrl(CString url, int newTab, int activate) override {
        opened.push_back(std::string(url) + " " + std::to_string(newTab) + " " +
                         std::to_string(activate));
        return 0;
    }
    void ShowBlockedList() override { ++blockedListShows; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (onMessage) {
            onMessage(message, wParam, lParam);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    // Records the menu and accelerator commands; control notifications go on to reflection.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (lParam == 0) {
            commands.push_back(LOWORD(wParam));
        }
        return CWnd::OnCommand(wParam, lParam);
    }

    // The skin's tool background at each repaint, which tells the skins apart.
    std::vector<COLORREF> redrawnToolBackgrounds;
    std::vector<std::string> opened;
    int blockedListShows = 0;
    std::vector<UINT> commands;
    // Sees every message before the frame handles it.
    std::function<void(UINT, WPARAM, LPARAM)> onMessage;
};

class BrowserDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        platform::RegisterButtonClass();
        platform::RegisterEditClass();
        platform::RegisterComboBoxClass();
        platform::RegisterListBoxClass();
        platform::RegisterStaticClass();
        platform::RegisterListViewClass();
        platform::RegisterHeaderClass();
        platform::RegisterToolTipClass();
        platform::RegisterPopupMenuClass();
        AfxRegisterFrameworkClasses();
        platform::SetMessageBoxAnswerer([](const platform::MessageBoxCall&) { return IDOK; });
        platform::TakeShownMessageBoxes();
        platform::OverrideModuleFileName(platform::ToWindowsPath(folder.path() / "quorra.exe"));
        GetCurrentDirectoryA(sizeof(savedDirectory_), savedDirectory_);
        app.SetCurrentHandles(nullptr, "", SW_SHOWNORMAL);
        frame.CreateEx(0, AFX_WND_CLASS, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                       nullptr, nullptr);
        app.m_pMainWnd = &frame;
        AfxSetThread(&app);
    }
    void TearDown() override {
        AfxSetThread(nullptr);
        app.m_pMainWnd = nullptr;
        frame.DestroyWindow();
        platform::SetMessageBoxAnswerer({});
        platform::ClearModuleFileNameOverride();
        SetCurrentDirectoryA(savedDirectory_);
        platform::ResetWindowSystemForTesting();
    }

    // Back to the all-black colour set of a program that has not loaded a skin.
    static void ResetSkin() {
        for (HBRUSH brush : {Skin().toolBrush, Skin().tabBrush, Skin().statusBrush}) {
            if (brush != nullptr) {
                DeleteObject(brush);
            }
        }
        Skin() = SkinColors{};
    }
    // The texts of the message boxes shown since the last call.
    static std::vector<std::string> TakeMessages() {
        std::vector<std::string> texts;
        for (const platform::MessageBoxCall& call : platform::TakeShownMessageBoxes()) {
            EXPECT_EQ(call.type & MB_TYPEMASK, static_cast<UINT>(MB_OK)) << call.text;
            texts.push_back(call.text);
        }
        return texts;
    }

    static void ClickAt(POINT screen) { platform::testing::ClickAt(screen); }
    // A click in the middle of a control of the dialog.
    static void Click(HWND dialog, int id) { ClickAt(platform::testing::ItemCenter(dialog, id)); }
    static void Press(BYTE key) { platform::testing::Press(key); }
    static std::string ItemText(HWND dialog, int id) {
        return platform::testing::ItemText(dialog, id);
    }
    // Writes a file of the program folder under a GBK name, which the file layer keeps on disk in
    // UTF-8.
    void WriteProgramFile(const std::string& folderPath, const std::string& name,
                          const std::string& bytes) const {
        folder.WriteFile("staged", bytes);
        const std::string target =
            platform::ToWindowsPath(folder.path() / folderPath) + "\\" + name;
        ::MoveFileExA(platform::ToWindowsPath(folder.path() / "staged").c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING);
    }
    // The program's skins: data\skin.ini (tool background red 10), and Blue (20) and 绿色 (30) in
    // data\skin; the colour set is that of a program that has loaded none.
    void WriteSkins() const {
        folder.WriteFile("data/skin.ini", SkinFile(10));
        folder.WriteFile("data/skin/Blue.ini", SkinFile(20));
        WriteProgramFile("data/skin", "绿色.ini", SkinFile(30));
        ResetSkin();
    }
    // The names in the dialog's skin list, in its order.
    static std::vector<std::string> ListedSkins(HWND dialog) {
        std::vector<std::string> names;
        const int count =
            static_cast<int>(SendDlgItemMessageA(dialog, IDC_SKIN_LIST, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = {};
            SendDlgItemMessageA(dialog, IDC_SKIN_LIST, LB_GETTEXT, i,
                                reinterpret_cast<LPARAM>(text));
            names.push_back(text);
        }
        return names;
    }
    static void SetText(HWND dialog, int id, const std::string& text) {
        platform::testing::SetItemText(dialog, id, text);
    }

    platform::testing::TempFolder folder;
    TestBrowserApp app;
    TestBrowserFrame frame;

private:
    char savedDirectory_[1024] = {};
};

}  // namespace browser_testing
