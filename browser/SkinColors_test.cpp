#include "browser/SkinColors.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/drawing/Gdi.h"
#include "platform/files/Path.h"
#include "platform/screen/ScreenApi.h"
#include "platform/testing/TempFolder.h"

namespace {

// Every key in order with a distinct colour: member n gets RGB(n, 2n, 3n).
std::string FullSkin(int style) {
    const char* sections[][14] = {
        {"[TOOL_CONFIG]", "[BACKGROUND_COLOR]", "[TEXT_COLOR]"},
        {"[PAGELABLE_CONFIG]", "[BACKGROUND_COLOR]", "[TEXT_COLOR]",
         "[BEGIN_SELECTED_BACKGROUND_COLOR]", "[END_SELECTED_BACKGROUND_COLOR]",
         "[SELECTED_TEXT_COLOR]", "[BUTTON_BORDER_COLOR]", "[BUTTON_BACKGROUND_COLOR]",
         "[BUTTON_TEXT_COLOR]", "[SELECTED_BUTTON_BORDER_COLOR]",
         "[SELECTED_BUTTON_BACKGROUND_COLOR]", "[SELECTED_BUTTON_TEXT_COLOR]",
         "[NEWS_BACKGROUND_COLOR]", "[NEWS_TEXT_COLOR]"},
        {"[STATUS_CONFIG]", "[BACKGROUND_COLOR]", "[ITEM_BACKGROUND_COLOR]", "[ITEM_BORDER_COLOR]",
         "[TEXT_COLOR]", "[PROGRESS_COLOR_1]", "[PROGRESS_COLOR_2]"},
        {"[MENU_CONFIG]", "[BACKGROUND_LEFT]", "[BACKGROUND_RIGHT]", "[TEXT_COLOR]",
         "[SELECTED_BORDER]", "[SELECTED_BACKGROUND]", "[SELECTED_TEXT_COLOR]"},
    };
    std::string text =
        "// a comment\r\n[SKIN_CONFIG]\r\n[STYLE]\r\n" + std::to_string(style) + "\r\n";
    int n = 1;
    for (const auto& section : sections) {
        text += std::string(section[0]) + "\r\n";
        for (int i = 1; i < 14 && section[i] != nullptr; ++i, ++n) {
            text += std::string(section[i]) + "\r\n// value follows\r\nRGB(" + std::to_string(n) +
                    "," + std::to_string(2 * n) + "," + std::to_string(3 * n) + ")\r\n";
        }
    }
    return text;
}

COLORREF Member(int n) {
    return RGB(n, 2 * n, 3 * n);
}

class SkinColorsTest : public ::testing::Test {
protected:
    std::string Write(const std::string& content) {
        folder_.WriteFile("skin.ini", content);
        return platform::ToWindowsPath(folder_.path() / "skin.ini");
    }

    static COLORREF BrushColor(HBRUSH brush) {
        LOGBRUSH info{};
        GetObjectA(brush, sizeof(info), &info);
        return info.lbColor;
    }

    platform::testing::TempFolder folder_;
    SkinColors skin_;
};

TEST_F(SkinColorsTest, EveryKeyInOrderAndTheBrushes) {
    skin_.Load(Write(FullSkin(0)).c_str());
    EXPECT_EQ(skin_.style, 0);
    EXPECT_EQ(skin_.toolBackground, Member(1));
    EXPECT_EQ(skin_.toolText, Member(2));
    EXPECT_EQ(skin_.tabBackground, Member(3));
    EXPECT_EQ(skin_.newsText, Member(15));
    EXPECT_EQ(skin_.statusBackground, Member(16));
    EXPECT_EQ(skin_.progressColor2, Member(21));
    EXPECT_EQ(skin_.menuBackgroundLeft, Member(22));
    EXPECT_EQ(skin_.menuSelectedText, Member(27));
    EXPECT_EQ(BrushColor(skin_.toolBrush), Member(1));
    EXPECT_EQ(BrushColor(skin_.tabBrush), Member(3));
    EXPECT_EQ(BrushColor(skin_.statusBrush), Member(16));
}

TEST_F(SkinColorsTest, SystemStyleReplacesTheNineBackgroundsOnly) {
    skin_.Load(Write(FullSkin(1)).c_str());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(skin_.toolBackground, face);
    EXPECT_EQ(skin_.tabBackground, face);
    EXPECT_EQ(skin_.tabSelectedEnd, face);
    EXPECT_EQ(skin_.buttonBackground, face);
    EXPECT_EQ(skin_.newsBackground, face);
    EXPECT_EQ(skin_.statusBackground, face);
    EXPECT_EQ(skin_.statusItemBackground, face);
    EXPECT_EQ(skin_.progressColor2, face);
    EXPECT_EQ(skin_.menuBackgroundRight, face);
    EXPECT_EQ(skin_.tabSelectedBegin, Member(5));
    EXPECT_EQ(skin_.menuBackgroundLeft, Member(22));
    EXPECT_EQ(BrushColor(skin_.statusBrush), face);
}

TEST_F(SkinColorsTest, AMissingSectionRunsTheSearchToTheEnd) {
    std::string text = FullSkin(0);
    text.erase(text.find("[TOOL_CONFIG]"), std::string("[TOOL_CONFIG]\r\n").size());
    skin_.Load(Write(text).c_str());
    // The marker search ran to the end, so every later key takes its default.
    EXPECT_EQ(skin_.toolBackground, 0xFFFFFFu);
    EXPECT_EQ(skin_.toolText, 0u);
    EXPECT_EQ(skin_.tabBackground, 0xFFFFFFu);
    EXPECT_EQ(skin_.statusBackground, 0xFFFFFFu);
    EXPECT_EQ(skin_.menuBackgroundLeft, 0xFFFFFFu);
    EXPECT_EQ(skin_.menuText, 0u);
}

TEST_F(SkinColorsTest, AKeyOutOfOrderTakesALaterSectionsValue) {
    std::string text =
        "[SKIN_CONFIG]\r\n[STYLE]\r\n0\r\n[TOOL_CONFIG]\r\n[TEXT_COLOR]\r\nRGB(9,9,9)\r\n"
        "[BACKGROUND_COLOR]\r\nRGB(1,2,3)\r\n[PAGELABLE_CONFIG]\r\n[BACKGROUND_COLOR]\r\n"
        "RGB(4,5,6)\r\n[TEXT_COLOR]\r\nRGB(7,8,9)\r\n";
    skin_.Load(Write(text).c_str());
    EXPECT_EQ(skin_.toolBackground, RGB(1, 2, 3));
    EXPECT_EQ(skin_.toolText, RGB(7, 8, 9));
    EXPECT_EQ(skin_.tabBackground, 0xFFFFFFu);
    EXPECT_EQ(skin_.tabText, 0u);
}

TEST_F(SkinColorsTest, UnreadableFilesKeepTheColoursButRebuildTheBrushes) {
    skin_.Load(Write(FullSkin(0)).c_str());
    skin_.Load(Write("[STYLE]\r\n1\r\n").c_str());
    EXPECT_EQ(skin_.toolBackground, Member(1));
    EXPECT_EQ(BrushColor(skin_.toolBrush), Member(1));
    skin_.Load("Z:\\no\\such\\skin.ini");
    EXPECT_EQ(skin_.style, 0);
    EXPECT_EQ(skin_.menuSelectedText, Member(27));
}

TEST_F(SkinColorsTest, ValueLinesParseOnlyTheLowBitsAndStopAtTheFirstBadPart) {
    std::string text =
        "[SKIN_CONFIG]\r\n[STYLE]\r\n0\r\n[TOOL_CONFIG]\r\n[BACKGROUND_COLOR]\r\n"
        "RGB(257,-1,512)\r\n[TEXT_COLOR]\r\nRGB(10,x,30)\r\n";
    skin_.Load(Write(text).c_str());
    EXPECT_EQ(skin_.toolBackground, RGB(1, 255, 0));
    EXPECT_EQ(skin_.toolText, RGB(10, 0, 0));
}

}  // namespace
