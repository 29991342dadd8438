#include "manager/BossKeyPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "manager/CdTrayKeyPage.h"
#include "manager/GMyCaDlg.h"
#include "manager/KeyNameTable.h"
#include "manager/ManagerTest.h"
#include "manager/ScreenShotPage.h"
#include "manager/TrayWindowTest.h"
#include "platform/commondialogs/CommonDialogApi.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

class HotKeyPagesTest : public ManagerAppTest {
protected:
    GMyCaDlg& Tools() { return *static_cast<GMyCaDlg*>(Main().Page(1)); }
    HWND ChildPage(int slot) { return Tools().Child(slot)->m_hWnd; }
    // The pickers of a page in the order they were made.
    static std::vector<HWND> Pickers(HWND page) {
        std::vector<HWND> pickers;
        for (HWND child = ::GetWindow(page, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (::GetDlgItem(child, IDC_KEY) != nullptr) {
                pickers.push_back(child);
            }
        }
        return pickers;
    }
    static std::string KeyName(HWND picker) {
        const int index =
            static_cast<int>(::SendDlgItemMessageA(picker, IDC_KEY, CB_GETCURSEL, 0, 0));
        return index < 0 ? "" : KeyNames().Row(index).name;
    }
    static bool Checked(HWND dialog, int id) {
        return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
    }
    static std::vector<std::string> Entries(HWND page) {
        std::vector<std::string> entries;
        const int count =
            static_cast<int>(::SendDlgItemMessageA(page, IDC_TARGET_WINDOW, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[512] = {};
            ::SendDlgItemMessageA(page, IDC_TARGET_WINDOW, CB_GETLBTEXT, i,
                                  reinterpret_cast<LPARAM>(text));
            entries.emplace_back(text);
        }
        return entries;
    }
    static HWND Window(const char* title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE) {
        return ::CreateWindowExA(0, "TrayStandIn", title, style, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    }

    TrayWindowStandIn tray;
};

TEST_F(HotKeyPagesTest, TheBossKeyListsTheDesktopsWindowsSavesTheChoiceAndTestsIt) {
    std::string key;
    bool ctrl = false;
    bool alt = false;
    bool shift = true;
    std::vector<std::string> entries;
    std::vector<UINT> told;
    bool minimised = false;
    int restored = 0;
    std::string desktopSave;
    Run({[&] {
        tray.Create();
        HWND shell = Window("PROGRAM manager");
        HWND twin1 = Window("同名窗口");
        HWND twin2 = Window("同名窗口");
        Main().ShowPage(12);
        HWND page = ChildPage(GMyCaDlg::kBossKey);
        const std::vector<HWND> pickers = Pickers(page);
        ASSERT_EQ(pickers.size(), 1u);
        key = KeyName(pickers[0]);
        ctrl = Checked(pickers[0], IDC_CTRL);
        alt = Checked(pickers[0], IDC_ALT);
        shift = Checked(pickers[0], IDC_SHIFT);
        entries = Entries(page);

        Click(page, IDOK);
        desktopSave = folder.ReadFile("data3/bosskey.dat");
        told = tray.Take();

        // "测试" on the desktop entry minimises every main window, the manager's too.
        Click(page, IDC_TEST_BOSS_KEY);
        minimised = Main().IsIconic() != FALSE;
        Main().ShowWindow(SW_RESTORE);
        platform::PumpUntilIdle();
        // On a window's entry it brings back the first window of that title.
        ::ShowWindow(twin1, SW_MINIMIZE);
        ::ShowWindow(twin2, SW_MINIMIZE);
        const auto twin = std::find(entries.begin(), entries.end(), "同名窗口");
        Choose(page, IDC_TARGET_WINDOW, static_cast<int>(twin - entries.begin()));
        Click(page, IDC_TEST_BOSS_KEY);
        restored = (::IsIconic(twin1) ? 0 : 1) + (::IsIconic(twin2) ? 0 : 1);
        ::DestroyWindow(shell);
        ::DestroyWindow(twin1);
        ::DestroyWindow(twin2);
        tray.Destroy();
        Close();
    }});
    EXPECT_EQ(key, "VK_RETURN");
    EXPECT_TRUE(ctrl);
    EXPECT_TRUE(alt);
    EXPECT_FALSE(shift);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries[0], "<<===显示桌面===>>");
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "同名窗口"), 2);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), kManagerTitle), 1);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "PROGRAM manager"), 0);
    // The tray companion's window is hidden: not offered.
    EXPECT_EQ(std::count(entries.begin(), entries.end(), kTrayTitle), 0);
    std::string expected =
        std::string("\x0D\x01\x01\x00\x00\x00\x00\x00", 8) + "<<===显示桌面===>>";
    expected.resize(308, '\0');
    EXPECT_EQ(desktopSave, expected);
    EXPECT_EQ(told, (std::vector<UINT>{1030}));
    EXPECT_TRUE(minimised);
    EXPECT_EQ(restored, 1);
}

TEST_F(HotKeyPagesTest, ASavedWindowIsChosenAgainWhileItIsOpenAndTheCdKeysSaveBothPickers) {
    std::string saved = std::string("\x41\x01\x00\x01\x02\x00\x00\x00", 8) + "deskvane - 管理中心";
    saved.resize(308, '\0');
    folder.WriteFile("data3/bosskey.dat", saved);
    std::string chosen;
    std::vector<std::string> cdKeys;
    std::string cdFile;
    Run({[&] {
        Main().ShowPage(12);
        HWND page = ChildPage(GMyCaDlg::kBossKey);
        const int selection =
            static_cast<int>(::SendDlgItemMessageA(page, IDC_TARGET_WINDOW, CB_GETCURSEL, 0, 0));
        chosen =
            Entries(page)[static_cast<std::size_t>(selection)] + "|" + KeyName(Pickers(page)[0]);

        Main().ShowPage(13);
        HWND cd = ChildPage(GMyCaDlg::kCdKeys);
        const std::vector<HWND> pickers = Pickers(cd);
        ASSERT_EQ(pickers.size(), 2u);
        for (HWND picker : pickers) {
            cdKeys.push_back(KeyName(picker));
        }
        Click(pickers[1], IDC_SHIFT);
        Click(cd, IDOK);
        cdFile = folder.ReadFile("data3/cdkey.dat");
        Close();
    }});
    EXPECT_EQ(chosen, std::string(kManagerTitle) + "|A");
    EXPECT_EQ(cdKeys, (std::vector<std::string>{"P", "L"}));
    EXPECT_EQ(cdFile, std::string("\x50\x01\x01\x00\x4C\x01\x01\x01", 8));
}

TEST_F(HotKeyPagesTest, AClosedWindowIsForgottenUntilSavedAndAFailedSaveTellsNoOne) {
    std::string saved = std::string("\x41\x01\x00\x00\x03\x00\x00\x00", 8) + "已关闭的窗口";
    saved.resize(308, '\0');
    folder.WriteFile("data3/bosskey.dat", saved);
    int selectedAtStart = -1;
    std::vector<std::string> refilled;
    bool minimised = true;
    std::vector<UINT> told;
    std::string afterFailure;
    std::string cdAfterFailure = "none";
    bool shot = false;
    Run({[&] {
        tray.Create();
        Main().ShowPage(12);
        HWND page = ChildPage(GMyCaDlg::kBossKey);
        selectedAtStart = Selected(page, IDC_TARGET_WINDOW);
        platform::PumpUntilIdle();
        const std::filesystem::path shots = PROJECT_TEST_OUTPUT_DIR;
        std::filesystem::create_directories(shots);
        shot = platform::WriteWindowPng(Main().m_hWnd, shots / "deskvane-boss-key.png");
        // A window opened later is listed once the user refreshes.
        HWND later = Window("后来的窗口");
        Click(page, IDC_REFRESH_WINDOWS);
        refilled = Entries(page);
        const auto entry = std::find(refilled.begin(), refilled.end(), "后来的窗口");
        ASSERT_NE(entry, refilled.end());
        Choose(page, IDC_TARGET_WINDOW, static_cast<int>(entry - refilled.begin()));
        // Closed since: "测试" does nothing.
        ::DestroyWindow(later);
        Click(page, IDC_TEST_BOSS_KEY);
        minimised = Main().IsIconic() != FALSE;

        // Files that cannot be replaced: nothing is written and the tray hears nothing.
        std::filesystem::create_directories(folder.path() / "data3" / "bosskey.dat.tmp" / "x");
        std::filesystem::create_directories(folder.path() / "data3" / "cdkey.dat.tmp" / "x");
        Click(page, IDOK);
        afterFailure = folder.ReadFile("data3/bosskey.dat");
        Main().ShowPage(13);
        Click(ChildPage(GMyCaDlg::kCdKeys), IDOK);
        if (Exists("data3/cdkey.dat")) {
            cdAfterFailure = "written";
        }
        told = tray.Take();
        tray.Destroy();
        Close();
    }});
    EXPECT_TRUE(shot);
    EXPECT_EQ(selectedAtStart, 0);
    EXPECT_EQ(std::count(refilled.begin(), refilled.end(), "<<===显示桌面===>>"), 1);
    EXPECT_FALSE(minimised);
    EXPECT_EQ(afterFailure, saved);
    EXPECT_EQ(cdAfterFailure, "none");
    EXPECT_TRUE(told.empty());
}

TEST_F(HotKeyPagesTest, TheScreenShotPageChecksItsFolderAndAsksTheTrayToCapture) {
    std::string folderAtStart;
    bool clipboard = false;
    bool toFile = false;
    std::vector<std::string> shown;
    std::vector<std::string> messages;
    std::vector<std::string> files;
    std::vector<UINT> told;
    bool minimisedWithoutTray = true;
    bool minimisedForCapture = false;
    std::vector<CRect> placed;
    std::vector<int> looks;
    std::vector<UINT> captures;
    std::vector<UINT> afterFailure{0};
    Run({[&] {
        Main().ShowPage(15);
        HWND page = ChildPage(GMyCaDlg::kScreenShot);
        // Each capture button labels its picker's row.
        const std::vector<HWND> pickers = Pickers(page);
        ASSERT_EQ(pickers.size(), 3u);
        const int buttons[] = {IDC_CAPTURE_SCREEN, IDC_CAPTURE_WINDOW, IDC_CAPTURE_AREA};
        for (int row = 0; row < 3; ++row) {
            for (HWND control : {::GetDlgItem(page, buttons[row]), pickers[row]}) {
                CRect rect;
                ::GetWindowRect(control, &rect);
                ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
                placed.push_back(rect);
            }
        }
        // The check boxes hover as the buttons do.
        for (int id : {IDC_TO_CLIPBOARD, IDC_TO_FILE}) {
            platform::InjectMouse(0, platform::testing::ItemCenter(page, id));
            platform::PumpUntilIdle();
            auto* box =
                dynamic_cast<CHintButton*>(CWnd::FromHandlePermanent(::GetDlgItem(page, id)));
            looks.push_back(box != nullptr ? box->GetLook() : -1);
        }
        folderAtStart = ItemText(page, IDC_SHOT_FOLDER);
        clipboard = Checked(page, IDC_TO_CLIPBOARD);
        toFile = Checked(page, IDC_TO_FILE);
        // Without the tray companion the capture buttons do nothing.
        Click(page, IDC_CAPTURE_SCREEN);
        minimisedWithoutTray = Main().IsIconic() != FALSE;

        ::SetDlgItemTextA(page, IDC_SHOT_FOLDER, "shots");
        Click(page, IDC_SAVE_SHOT_SETTINGS);
        const std::vector<std::string> refused = TakeMessages();
        messages.insert(messages.end(), refused.begin(), refused.end());
        files.push_back(Exists("data3/snapshot.dat") ? "written" : "none");

        ::SetDlgItemTextA(page, IDC_SHOT_FOLDER, " D: ");
        Click(page, IDC_SAVE_SHOT_SETTINGS);
        shown.push_back(ItemText(page, IDC_SHOT_FOLDER));
        files.push_back(folder.ReadFile("data3/snapshot.dat").substr(20, 4));

        Click(page, IDC_TO_CLIPBOARD);
        Click(page, IDC_TO_FILE);
        ::SetDlgItemTextA(page, IDC_SHOT_FOLDER, "D:\\SHOTS");
        tray.Create();
        Click(page, IDC_SAVE_SHOT_SETTINGS);
        shown.push_back(ItemText(page, IDC_SHOT_FOLDER));
        files.push_back(folder.ReadFile("data3/snapshot.dat").substr(12, 20));
        told = tray.Take();

        Click(page, IDC_CAPTURE_AREA);
        minimisedForCapture = Main().IsIconic() != FALSE;
        const std::vector<UINT> capture = tray.Take();
        told.insert(told.end(), capture.begin(), capture.end());
        for (int id : {IDC_CAPTURE_SCREEN, IDC_CAPTURE_WINDOW}) {
            Main().ShowWindow(SW_RESTORE);
            platform::PumpUntilIdle();
            Click(page, id);
            const std::vector<UINT> asked = tray.Take();
            captures.insert(captures.end(), asked.begin(), asked.end());
        }
        Main().ShowWindow(SW_RESTORE);
        platform::PumpUntilIdle();
        std::filesystem::create_directories(folder.path() / "data3" / "snapshot.dat.tmp" / "x");
        Click(page, IDC_SAVE_SHOT_SETTINGS);
        afterFailure = tray.Take();
        tray.Destroy();
        Close();
    }});
    const std::string programFolder = platform::ToWindowsPath(folder.path()) + "\\";
    EXPECT_EQ(folderAtStart, programFolder + "Snapshot\\");
    EXPECT_TRUE(clipboard);
    EXPECT_TRUE(toFile);
    EXPECT_EQ(messages, (std::vector<std::string>{"保存目录设置不正确"}));
    EXPECT_EQ(shown, (std::vector<std::string>{"D:", "D:\\SHOTS\\"}));
    EXPECT_EQ(files, (std::vector<std::string>{
                         "none", std::string("D:\0\0", 4),
                         std::string(8, '\0') + "D:\\SHOTS\\" + std::string(3, '\0')}));
    EXPECT_EQ(told, (std::vector<UINT>{1030, 1033}));
    EXPECT_FALSE(minimisedWithoutTray);
    EXPECT_TRUE(minimisedForCapture);
    EXPECT_EQ(captures, (std::vector<UINT>{1031, 1032}));
    EXPECT_TRUE(afterFailure.empty());
    EXPECT_EQ(placed, (std::vector<CRect>{{15, 18, 100, 38},
                                          {105, 18, 435, 38},
                                          {15, 46, 100, 66},
                                          {105, 46, 435, 66},
                                          {15, 74, 100, 94},
                                          {105, 74, 435, 94}}));
    EXPECT_EQ(looks, (std::vector<int>{CHintButton::kHover, CHintButton::kHover}));
}

TEST_F(HotKeyPagesTest, TheFolderBrowserReplacesTheFolderAndTheProgramFolderIsCurrentAgain) {
    std::filesystem::create_directories(folder.path() / "shots");
    const std::string programFolder = platform::ToWindowsPath(folder.path());
    const std::string elsewhere = platform::ToWindowsPath(outside.path());
    std::vector<std::string> shown;
    std::vector<std::string> current;
    std::vector<platform::CommonDialogRequest> requests;
    HWND owner = nullptr;
    Run({[&] {
        Main().ShowPage(15);
        HWND page = ChildPage(GMyCaDlg::kScreenShot);
        owner = page;
        for (bool choose : {true, false}) {
            platform::SetCommonDialogAnswerer([&](const platform::CommonDialogRequest&) {
                return choose ? platform::CommonDialogAnswer::Path(programFolder + "\\shots\\")
                              : platform::CommonDialogAnswer::Cancel();
            });
            ::SetCurrentDirectoryA(elsewhere.c_str());
            Click(page, IDC_BROWSE_SHOT_FOLDER);
            shown.push_back(ItemText(page, IDC_SHOT_FOLDER));
            char directory[MAX_PATH] = {};
            ::GetCurrentDirectoryA(MAX_PATH, directory);
            current.emplace_back(directory);
        }
        platform::SetCommonDialogAnswerer({});
        requests = platform::TakeCommonDialogRequests();
        Close();
    }});
    // A chosen folder without its trailing backslash; a cancel keeps it.
    EXPECT_EQ(shown,
              (std::vector<std::string>{programFolder + "\\shots", programFolder + "\\shots"}));
    EXPECT_EQ(current, (std::vector<std::string>{programFolder, programFolder}));
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].kind, platform::CommonDialogKind::Folder);
    EXPECT_EQ(requests[0].title, "请选择目录");
    EXPECT_EQ(requests[0].owner, owner);
}

}  // namespace
}  // namespace manager_testing
