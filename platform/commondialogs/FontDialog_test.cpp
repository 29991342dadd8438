#include <gtest/gtest.h>

#include <cstring>

#include "platform/commondialogs/FontChoice.h"
#include "platform/commondialogs/FontDialogApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {
namespace {

class FontDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        TakeCommonDialogRequests();
    }
    void TearDown() override {
        SetCommonDialogAnswerer({});
        TakeCommonDialogRequests();
        ResetWindowSystemForTesting();
    }

    CHOOSEFONTA Request(DWORD flags) {
        CHOOSEFONTA choose{};
        choose.lStructSize = sizeof choose;
        choose.lpLogFont = &font_;
        choose.Flags = flags;
        return choose;
    }

    static void Answer(CommonDialogAnswer answer) {
        SetCommonDialogAnswerer([answer](const CommonDialogRequest&) { return answer; });
    }

    LOGFONTA font_{};
};

TEST(FontChoice, OffersTheMappedFacesStylesSizesAndColours) {
    EXPECT_EQ(FontChoice::Faces(),
              (std::vector<std::string>{"Courier", "MS Sans Serif", "仿宋_GB2312", "黑体",
                                        "楷体_GB2312", "宋体", "微软雅黑", "新宋体"}));
    EXPECT_EQ(FontChoice::Styles(), (std::vector<std::string>{"常规", "倾斜", "粗体", "粗偏斜"}));
    EXPECT_EQ(FontChoice::Sizes(10, 20), (std::vector<int>{10, 11, 12, 14, 16, 18, 20}));
    EXPECT_EQ(FontChoice::Sizes(0, 0x7FFF).size(), 16u);
    EXPECT_TRUE(FontChoice::Sizes(13, 13).empty());
    ASSERT_EQ(FontChoice::Colors().size(), 16u);
    EXPECT_STREQ(FontChoice::Colors()[12].name, "蓝色");
    EXPECT_EQ(FontChoice::Colors()[12].color, RGB(0, 0, 255));
}

TEST(FontChoice, ConvertsBetweenSelectionsAndLogicalFonts) {
    FontSelection selection{"黑体", 12, true, false, true, false, RGB(1, 2, 3)};
    const LOGFONTA font = FontChoice::ToLogFont(selection, 96);
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(font.lfStrikeOut, 0);
    EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(font.lfOutPrecision, 3);
    EXPECT_EQ(font.lfClipPrecision, 2);
    EXPECT_EQ(font.lfQuality, 1);
    EXPECT_EQ(font.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
    EXPECT_STREQ(font.lfFaceName, "黑体");
    EXPECT_EQ(FontChoice::FromLogFont(font, RGB(1, 2, 3), 96), selection);

    // 9 points are 12 pixels at 96 dots per inch; 8 points at 120 are 13.3, rounded to 13.
    EXPECT_EQ(FontChoice::ToLogFont({"宋体", 9}, 96).lfHeight, -12);
    LOGFONTA western = FontChoice::ToLogFont({"MS Sans Serif", 8}, 120);
    EXPECT_EQ(western.lfHeight, -13);
    EXPECT_EQ(western.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(western.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);

    LOGFONTA unknown{};
    std::strcpy(unknown.lfFaceName, "Nonesuch");
    const FontSelection fallback = FontChoice::FromLogFont(unknown, 0, 96);
    EXPECT_EQ(fallback.face, "宋体");
    EXPECT_EQ(fallback.pointSize, 9);
    // Faces are found ignoring case and keep the dialog's spelling; positive heights count too.
    LOGFONTA courier{};
    std::strcpy(courier.lfFaceName, "COURIER");
    courier.lfHeight = 19;
    courier.lfWeight = 600;
    const FontSelection found = FontChoice::FromLogFont(courier, 0, 96);
    EXPECT_EQ(found.face, "Courier");
    EXPECT_EQ(found.pointSize, 14);
    EXPECT_TRUE(found.bold);
}

TEST_F(FontDialogTest, AnAnsweredChoiceFillsTheLogicalFontAndTheTypeBits) {
    Answer(CommonDialogAnswer::Font("楷体_GB2312", 12, 700, true, RGB(0, 0, 255)));
    CHOOSEFONTA choose = Request(CF_SCREENFONTS | CF_EFFECTS);
    choose.rgbColors = RGB(9, 9, 9);
    ASSERT_TRUE(ChooseFontA(&choose));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_STREQ(font_.lfFaceName, "楷体_GB2312");
    EXPECT_EQ(font_.lfHeight, -16);
    EXPECT_EQ(font_.lfWeight, 700);
    EXPECT_EQ(font_.lfItalic, 1);
    EXPECT_EQ(font_.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(choose.iPointSize, 120);
    EXPECT_EQ(choose.rgbColors, RGB(0, 0, 255));
    EXPECT_EQ(choose.nFontType, SCREEN_FONTTYPE | BOLD_FONTTYPE | ITALIC_FONTTYPE);

    const auto requests = TakeCommonDialogRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, CommonDialogKind::Font);
    EXPECT_EQ(requests[0].flags, static_cast<DWORD>(CF_SCREENFONTS | CF_EFFECTS));
    // Without CF_INITTOLOGFONTSTRUCT the dialog starts at 宋体 9 pt and the caller's colour.
    EXPECT_STREQ(requests[0].font.lfFaceName, "宋体");
    EXPECT_EQ(requests[0].font.lfHeight, -12);
    EXPECT_EQ(requests[0].color, RGB(9, 9, 9));
}

TEST_F(FontDialogTest, EffectsNeedTheirFlag) {
    CommonDialogAnswer answer = CommonDialogAnswer::Font("宋体", 10, 400, false, RGB(255, 0, 0));
    answer.font.lfUnderline = 1;
    answer.font.lfStrikeOut = 1;
    Answer(answer);
    CHOOSEFONTA choose = Request(CF_SCREENFONTS);
    choose.rgbColors = RGB(7, 7, 7);
    ASSERT_TRUE(ChooseFontA(&choose));
    EXPECT_EQ(font_.lfUnderline, 0);
    EXPECT_EQ(font_.lfStrikeOut, 0);
    EXPECT_EQ(choose.rgbColors, RGB(7, 7, 7));
    EXPECT_EQ(choose.nFontType, SCREEN_FONTTYPE | REGULAR_FONTTYPE);

    choose = Request(CF_SCREENFONTS | CF_EFFECTS | CF_USESTYLE);
    char style[32] = {};
    choose.lpszStyle = style;
    ASSERT_TRUE(ChooseFontA(&choose));
    EXPECT_EQ(font_.lfUnderline, 1);
    EXPECT_EQ(font_.lfStrikeOut, 1);
    EXPECT_EQ(choose.rgbColors, RGB(255, 0, 0));
    EXPECT_STREQ(style, "常规");
}

TEST_F(FontDialogTest, TheDialogStartsFromTheCallersFont) {
    Answer(CommonDialogAnswer::Cancel());
    font_.lfHeight = -19;
    font_.lfWeight = 700;
    font_.lfUnderline = 1;
    std::strcpy(font_.lfFaceName, "仿宋_GB2312");
    const LOGFONTA before = font_;
    CHOOSEFONTA choose = Request(CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT);
    choose.rgbColors = RGB(0, 128, 0);
    EXPECT_FALSE(ChooseFontA(&choose));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(std::memcmp(&font_, &before, sizeof font_), 0);

    const auto requests = TakeCommonDialogRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_STREQ(requests[0].font.lfFaceName, "仿宋_GB2312");
    EXPECT_EQ(requests[0].font.lfHeight, -19);  // 14 points
    EXPECT_EQ(requests[0].font.lfWeight, 700);
    EXPECT_EQ(requests[0].font.lfUnderline, 1);
    EXPECT_EQ(requests[0].color, RGB(0, 128, 0));
}

TEST_F(FontDialogTest, BadRequestsFail) {
    Answer(CommonDialogAnswer::Font("宋体", 9));
    CHOOSEFONTA choose = Request(CF_SCREENFONTS);
    choose.lStructSize = 20;
    EXPECT_FALSE(ChooseFontA(&choose));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
    choose = Request(CF_SCREENFONTS);
    choose.lpLogFont = nullptr;
    EXPECT_FALSE(ChooseFontA(&choose));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
    choose = Request(CF_EFFECTS);
    EXPECT_FALSE(ChooseFontA(&choose));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CFERR_NOFONTS));
    choose = Request(CF_SCREENFONTS | CF_LIMITSIZE);
    choose.nSizeMin = 12;
    choose.nSizeMax = 10;
    EXPECT_FALSE(ChooseFontA(&choose));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CFERR_MAXLESSTHANMIN));
    EXPECT_TRUE(TakeCommonDialogRequests().empty());

    // A size the dialog would not offer chooses nothing.
    choose.nSizeMax = 20;
    EXPECT_FALSE(ChooseFontA(&choose));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    Answer(CommonDialogAnswer::Font("宋体", 16));
    EXPECT_TRUE(ChooseFontA(&choose));
    EXPECT_EQ(choose.iPointSize, 160);
}

}  // namespace
}  // namespace platform
