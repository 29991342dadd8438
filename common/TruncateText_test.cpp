#include "common/TruncateText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Cut {
    int result;
    std::string text;
};

// Runs the cut on a copy that has no spare room after its terminating zero, so that a result
// longer than the original shows up under the address sanitizer.
Cut CutTo(const std::string& text, int width) {
    std::string copy = text;
    const int result = TruncateText(copy.data(), width);
    return {result, std::string(copy.c_str())};
}

TEST(TruncateTextTest, LeavesTextsOfTheWidthOrShorterAlone) {
    const Cut cut = CutTo("abcdefgh", 8);
    EXPECT_EQ(cut.result, 1);
    EXPECT_EQ(cut.text, "abcdefgh");
    EXPECT_EQ(CutTo("", 0).result, 1);
    EXPECT_EQ(CutTo("中文中文", 8).text, "中文中文");
}

TEST(TruncateTextTest, KeepsWholeCharactersUpToWidthLessFourAndAppendsDots) {
    Cut cut = CutTo("abcdefghij", 8);
    EXPECT_EQ(cut.result, 0);
    EXPECT_EQ(cut.text, "abcd...");

    EXPECT_EQ(CutTo("abcdefghi", 8).text, "abcd...");

    // The fourth byte opens a two-byte character, which is kept whole: width bytes in all.
    cut = CutTo("abc中defgh", 8);
    EXPECT_EQ(cut.result, 0);
    EXPECT_EQ(cut.text, "abc中...");
    EXPECT_EQ(cut.text.size(), 8u);

    EXPECT_EQ(CutTo("中文中文中文", 8).text, "中文...");
    EXPECT_EQ(CutTo("a中文中文中文", 8).text, "a中文...");
}

TEST(TruncateTextTest, TakesEveryByteFrom0x80AsALeadWhateverTheSecondByteIs) {
    // 0x81 0x5C and 0x80 'X': the second bytes are a backslash and a letter.
    EXPECT_EQ(CutTo("abc\x81\\defgh", 8).text, "abc\x81\\...");
    EXPECT_EQ(CutTo("abc\x80Xdefgh", 8).text, "abc\x80X...");
}

TEST(TruncateTextTest, NarrowWidthsKeepOneCharacterWithinTheTextsOwnBytes) {
    EXPECT_EQ(CutTo("abcde", 4).text, "a...");
    EXPECT_EQ(CutTo("中abc", 4).text, "中...");
    EXPECT_EQ(CutTo("abcdef", 2).text, "a...");
    EXPECT_EQ(CutTo("abcdef", -5).text, "a...");

    Cut cut = CutTo("ab", 0);
    EXPECT_EQ(cut.result, 1);
    EXPECT_EQ(cut.text, "ab");

    // A lead byte that ends the text has no second byte to take along.
    cut = CutTo("\xB0", 0);
    EXPECT_EQ(cut.result, 1);
    EXPECT_EQ(cut.text, "\xB0");
    EXPECT_EQ(CutTo("\xB0xyzw", 0).text, "\xB0x...");
}

TEST(TruncateTextTest, CutsAFrameworkStringTheSameWay) {
    CString text("abc中defgh");
    EXPECT_EQ(TruncateText(text, 8), 0);
    EXPECT_EQ(text, "abc中...");

    CString shortText("abcdefgh");
    EXPECT_EQ(TruncateText(shortText, 8), 1);
    EXPECT_EQ(shortText, "abcdefgh");
}

}  // namespace
