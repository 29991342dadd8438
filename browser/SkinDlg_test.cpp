#include "browser/SkinDlg.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "browser/BrowserDialogTest.h"
#include "browser/MakerSite.h"
#include "resources/quorra/resource.h"

namespace {

using browser_testing::BrowserDialogTest;
using browser_testing::SkinFile;
using Dialog = platform::testing::ScriptedDialog<CSkinDlg>;

class SkinDlgTest : public BrowserDialogTest {
protected:
    void SetUp() override {
        BrowserDialogTest::SetUp();
        WriteSkins();
        folder.WriteFile("data/skin/readme.txt", "not a skin");
    }
    void TearDown() override {
        ResetSkin();
        BrowserDialogTest::TearDown();
    }

    static void ClickSkin(HWND dialog, int index) {
        RECT item{};
        HWND list = GetDlgItem(dialog, IDC_SKIN_LIST);
        SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        POINT point{item.left + 5, (item.top + item.bottom) / 2};
        ClientToScreen(list, &point);
        ClickAt(point);
    }
    // Enter away from the push buttons reaches the hidden default button.
    static void PressEnterInList(HWND dialog) {
        SetFocus(GetDlgItem(dialog, IDC_SKIN_LIST));
        Press(VK_RETURN);
    }
    std::string CurrentSkin() const { return folder.ReadFile("data/skin.ini"); }
};

TEST_F(SkinDlgTest, OpeningListsTheSkinsSortedAndBacksUpTheCurrentOne) {
    Dialog dialog;
    std::vector<std::string> listed;
    dialog.script = [&](Dialog& d) {
        listed = ListedSkins(d);
        EXPECT_EQ(folder.ReadFile("data/skin_back.ini"), SkinFile(10));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDOK)));
        Press(VK_RETURN);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(listed, (std::vector<std::string>{"Blue", "绿色"}));
}

TEST_F(SkinDlgTest, PreviewsThenCloseRestoresTheSkinOfTheOpening) {
    Dialog dialog;
    dialog.script = [&](Dialog& d) {
        ClickSkin(d, 0);
        Click(d, IDC_PREVIEW_SKIN);
        EXPECT_EQ(CurrentSkin(), SkinFile(20));
        EXPECT_EQ(Skin().toolBackground, RGB(20, 0, 0));
        ClickSkin(d, 1);
        Click(d, IDC_PREVIEW_SKIN);
        EXPECT_EQ(CurrentSkin(), SkinFile(30));
        EXPECT_TRUE(IsWindow(d));
        Click(d, IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(CurrentSkin(), SkinFile(10));
    EXPECT_EQ(Skin().toolBackground, RGB(10, 0, 0));
    // Each preview and the close reloaded the skin before the chrome was repainted.
    EXPECT_EQ(app.skinLoads, 3);
    EXPECT_EQ(frame.redrawnToolBackgrounds,
              (std::vector<COLORREF>{RGB(20, 0, 0), RGB(30, 0, 0), RGB(10, 0, 0)}));
    EXPECT_EQ(folder.ReadFile("data/skin_back.ini"), SkinFile(10));
}

TEST_F(SkinDlgTest, EscapeUndoesThePreviewLikeClose) {
    Dialog dialog;
    dialog.script = [&](Dialog& d) {
        ClickSkin(d, 1);
        Click(d, IDC_PREVIEW_SKIN);
        Press(VK_ESCAPE);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(CurrentSkin(), SkinFile(10));
    EXPECT_EQ(Skin().toolBackground, RGB(10, 0, 0));
}

TEST_F(SkinDlgTest, SelectKeepsTheChosenSkin) {
    Dialog dialog;
    dialog.script = [&](Dialog& d) {
        ClickSkin(d, 1);
        Click(d, IDC_SELECT_SKIN);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(CurrentSkin(), SkinFile(30));
    EXPECT_EQ(Skin().toolBackground, RGB(30, 0, 0));
    EXPECT_EQ(frame.redrawnToolBackgrounds, std::vector<COLORREF>{RGB(30, 0, 0)});
}

TEST_F(SkinDlgTest, WithoutSelectionPreviewAndSelectDoNothing) {
    Dialog dialog;
    dialog.script = [&](Dialog& d) {
        Click(d, IDC_PREVIEW_SKIN);
        Click(d, IDC_SELECT_SKIN);
        EXPECT_TRUE(IsWindowVisible(d));
        PressEnterInList(d);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(app.skinLoads, 0);
    EXPECT_TRUE(frame.redrawnToolBackgrounds.empty());
    EXPECT_EQ(CurrentSkin(), SkinFile(10));
}

TEST_F(SkinDlgTest, AnEmptySkinFolderGivesAnEmptyList) {
    std::filesystem::remove_all(folder.path() / "data" / "skin");
    std::filesystem::create_directory(folder.path() / "data" / "skin");
    Dialog dialog;
    std::vector<std::string> listed{"not read"};
    dialog.script = [&](Dialog& d) {
        listed = ListedSkins(d);
        Click(d, IDC_PREVIEW_SKIN);
        Click(d, IDC_SELECT_SKIN);
        PressEnterInList(d);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(listed.empty());
    EXPECT_EQ(app.skinLoads, 0);
    EXPECT_EQ(CurrentSkin(), SkinFile(10));
}

TEST_F(SkinDlgTest, MakeSkinOpensTheMakersPageInANewCurrentTabAndUndoesPreviews) {
    Dialog dialog;
    dialog.script = [&](Dialog& d) {
        ClickSkin(d, 0);
        Click(d, IDC_PREVIEW_SKIN);
        Click(d, IDC_MAKE_SKIN);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(frame.opened,
              std::vector<std::string>{std::string(kMakerSite) + "/quorra/skin.asp 1 1"});
    EXPECT_EQ(CurrentSkin(), SkinFile(10));
}

}  // namespace
