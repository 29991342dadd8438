#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/commondialogs/CommonDialogTest.h"
#include "platform/commondialogs/FontDialogApi.h"
#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/screen/ScreenApi.h"

namespace platform {
namespace {

using testing::CommonDialogTestOwner;

class FontDialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        InstallScreen();
    }
    void TearDown() override {
        TakeCommonDialogRequests();
        ResetWindowSystemForTesting();
    }

    static void Click(HWND hwnd, POINT point) {
        ClientToScreen(hwnd, &point);
        InjectMouse(MOUSEEVENTF_LEFTDOWN, point);
        InjectMouse(MOUSEEVENTF_LEFTUP, point);
        PumpUntilIdle();
    }
    // Clicks the row of a list, scrolled into view first.
    static void ClickRow(HWND dialog, int id, int row) {
        HWND list = GetDlgItem(dialog, id);
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
        RECT rect{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&rect));
        Click(list, POINT{rect.left + 4, (rect.top + rect.bottom) / 2});
    }
    static void ClickCenter(HWND dialog, int id) {
        HWND control = GetDlgItem(dialog, id);
        RECT rect{};
        GetClientRect(control, &rect);
        Click(control, POINT{rect.right / 2, rect.bottom / 2});
    }
    static int Selection(HWND dialog, int id) {
        return static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0));
    }
};

TEST_F(FontDialogWindowTest, ClicksChooseFaceStyleSizeAndEffects) {
    CommonDialogTestOwner owner;
    int startFace = -1;
    int startStyle = -1;
    int startSize = -1;
    int startColor = -1;
    LOGFONTA sample{};
    owner.WhenShown([&](HWND dialog) {
        startFace = Selection(dialog, FONT_DIALOG_FACES);
        startStyle = Selection(dialog, FONT_DIALOG_STYLES);
        startSize = Selection(dialog, FONT_DIALOG_SIZES);
        startColor =
            static_cast<int>(SendDlgItemMessageA(dialog, FONT_DIALOG_COLORS, CB_GETCURSEL, 0, 0));
        ClickRow(dialog, FONT_DIALOG_FACES, 3);   // 黑体
        ClickRow(dialog, FONT_DIALOG_STYLES, 2);  // 粗体
        ClickRow(dialog, FONT_DIALOG_SIZES, 5);   // 14
        ClickCenter(dialog, FONT_DIALOG_UNDERLINE);
        // The sample follows every choice.
        auto font = reinterpret_cast<HFONT>(
            SendDlgItemMessageA(dialog, FONT_DIALOG_SAMPLE, WM_GETFONT, 0, 0));
        GetObjectA(font, sizeof sample, &sample);
        PumpUntilIdle();
        const std::filesystem::path folder(PROJECT_TEST_OUTPUT_DIR);
        std::filesystem::create_directories(folder);
        WriteWindowPng(dialog, folder / "commondialogs-font.png");
        ClickCenter(dialog, IDOK);
    });
    LOGFONTA font{};
    font.lfHeight = -16;
    font.lfItalic = 1;
    std::strcpy(font.lfFaceName, "楷体_GB2312");
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner.hwnd();
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    choose.rgbColors = RGB(255, 0, 0);
    ASSERT_TRUE(ChooseFontA(&choose));
    // The dialog started at the caller's font: 楷体_GB2312, italic, 12 points, red.
    EXPECT_EQ(startFace, 4);
    EXPECT_EQ(startStyle, 1);
    EXPECT_EQ(startSize, 4);
    EXPECT_EQ(startColor, 9);

    EXPECT_STREQ(font.lfFaceName, "黑体");
    EXPECT_EQ(font.lfHeight, -19);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(font.lfStrikeOut, 0);
    EXPECT_EQ(choose.iPointSize, 140);
    EXPECT_EQ(choose.rgbColors, RGB(255, 0, 0));
    EXPECT_EQ(choose.nFontType, SCREEN_FONTTYPE | BOLD_FONTTYPE);
    EXPECT_STREQ(sample.lfFaceName, "黑体");
    EXPECT_EQ(sample.lfHeight, -19);
    EXPECT_EQ(sample.lfUnderline, 1);
}

TEST_F(FontDialogWindowTest, WithoutEffectsThereAreNoEffectControlsAndEscCancels) {
    CommonDialogTestOwner owner;
    bool hasEffects = true;
    int sizes = 0;
    owner.WhenShown([&](HWND dialog) {
        hasEffects = GetDlgItem(dialog, FONT_DIALOG_UNDERLINE) != nullptr ||
                     GetDlgItem(dialog, FONT_DIALOG_COLORS) != nullptr;
        sizes = static_cast<int>(SendDlgItemMessageA(dialog, FONT_DIALOG_SIZES, LB_GETCOUNT, 0, 0));
        CommonDialogTestOwner::Tap(VK_ESCAPE);
    });
    LOGFONTA font{};
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner.hwnd();
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_LIMITSIZE;
    choose.nSizeMin = 9;
    choose.nSizeMax = 12;
    EXPECT_FALSE(ChooseFontA(&choose));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_FALSE(hasEffects);
    EXPECT_EQ(sizes, 4);
    EXPECT_EQ(font.lfFaceName[0], '\0');
}

}  // namespace
}  // namespace platform
