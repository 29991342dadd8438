#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/drawing/FontFaces.h"
#include "platform/drawing/Gdi.h"

namespace {

struct Seen {
    std::vector<std::string> fonts;
    int stopAfter = 1000;
};

// Records "face weight italic charset type" and stops after `stopAfter` fonts.
int Record(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD type, LPARAM lParam) {
    auto* seen = reinterpret_cast<Seen*>(lParam);
    EXPECT_GT(metrics->tmHeight, 0);
    seen->fonts.push_back(std::string(font->lfFaceName) + " " + std::to_string(font->lfWeight) +
                          " " + std::to_string(font->lfItalic) + " " +
                          std::to_string(font->lfCharSet) + " " + std::to_string(type));
    return static_cast<int>(seen->fonts.size()) < seen->stopAfter ? 7 : 0;
}

TEST(FontEnumApiTest, EveryFaceOnceInTheFontDialogsOrderThenOneFacesFourStyles) {
    Seen all;
    EXPECT_EQ(EnumFontFamiliesA(nullptr, nullptr, Record, reinterpret_cast<LPARAM>(&all)), 7);
    std::vector<std::string> expected;
    for (const std::string& face : platform::FontFaces::Names()) {
        expected.push_back(face + " 400 0 " + (platform::FontFaces::IsChinese(face) ? "134" : "0") +
                           " 4");
    }
    EXPECT_EQ(all.fonts, expected);
    EXPECT_EQ(all.fonts.size(), 8u);

    Seen styles;
    EXPECT_EQ(EnumFontsA(nullptr, "courier", Record, reinterpret_cast<LPARAM>(&styles)), 7);
    EXPECT_EQ(styles.fonts, (std::vector<std::string>{"Courier 400 0 0 4", "Courier 400 1 0 4",
                                                      "Courier 700 0 0 4", "Courier 700 1 0 4"}));
    Seen chinese;
    EnumFontFamiliesA(nullptr, "黑体", Record, reinterpret_cast<LPARAM>(&chinese));
    ASSERT_EQ(chinese.fonts.size(), 4u);
    EXPECT_EQ(chinese.fonts[3], "黑体 700 1 134 4");
}

TEST(FontEnumApiTest, ACallbackOfZeroStopsAndUnknownFacesReportNothing) {
    Seen stopped;
    stopped.stopAfter = 3;
    EXPECT_EQ(EnumFontsA(nullptr, nullptr, Record, reinterpret_cast<LPARAM>(&stopped)), 0);
    EXPECT_EQ(stopped.fonts.size(), 3u);

    Seen none;
    EXPECT_EQ(EnumFontFamiliesA(nullptr, "Arial", Record, reinterpret_cast<LPARAM>(&none)), 1);
    EXPECT_TRUE(none.fonts.empty());
    EXPECT_EQ(EnumFontFamiliesA(nullptr, nullptr, nullptr, 0), 0);
}

TEST(FontEnumApiTest, ALongFaceNameIsCutAtAWholeCharacter) {
    // Two bytes and 16 two-byte characters: byte 31 would split the 15th character.
    std::string name = "ab";
    for (int i = 0; i < 16; ++i) {
        name += "宋";
    }
    const LOGFONTA font = platform::FontFaces::LogFontOf(name, 12, FW_NORMAL, false);
    EXPECT_EQ(std::string(font.lfFaceName), name.substr(0, 30));
}

}  // namespace
