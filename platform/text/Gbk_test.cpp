#include "platform/text/Gbk.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

using namespace platform;

constexpr size_t kNotFound = std::string_view::npos;

TEST(GbkTest, LeadBytesAreExactly0x81To0xFE) {
    EXPECT_FALSE(IsLeadByte(0x80));
    EXPECT_TRUE(IsLeadByte(0x81));
    EXPECT_TRUE(IsLeadByte(0xFE));
    EXPECT_FALSE(IsLeadByte(0xFF));
    EXPECT_EQ(CharLengthAt("\xB0\xA1", 0), 2u);
    EXPECT_EQ(CharLengthAt("a\xB0", 1), 1u);  // a lead byte without its second byte
}

TEST(GbkTest, CompareNoCaseFoldsOnlySingleByteLetters) {
    EXPECT_EQ(CompareNoCase("Quorra.EXE", "quorra.exe"), 0);
    EXPECT_NE(CompareNoCase("\x81\x41", "\x81\x61"), 0);
    EXPECT_GT(CompareNoCase("\xB4\x61", "\xB4\x41"), 0);
    EXPECT_EQ(CompareNoCase("\x81\x40"
                            "A\xB4\x61",
                            "\x81\x40"
                            "a\xB4\x61"),
              0);
    // Letters fold to lower case, so '_' (0x5F) sorts before 'A'.
    EXPECT_LT(CompareNoCase("_", "A"), 0);
    EXPECT_GT(CompareNoCase("\xB0\xA1", "ZZ"), 0);
    EXPECT_LT(CompareNoCase("ab", "ABC"), 0);
    EXPECT_GT(CompareNoCase("abd", "ABC"), 0);
    EXPECT_EQ(CompareNoCase("", ""), 0);
}

TEST(GbkTest, CompareBytesUsesUnsignedOrder) {
    EXPECT_GT(CompareBytes("\xB0\xA1", "zz"), 0);
    EXPECT_GT(CompareBytes("\x80", "\x7F"), 0);
    EXPECT_LT(CompareBytes("ab", "abc"), 0);
    EXPECT_LT(CompareBytes("B", "a"), 0);
    EXPECT_EQ(CompareBytes("\xB0\xA1", "\xB0\xA1"), 0);
}

TEST(GbkTest, PrefixComparisonsAreByteWise) {
    EXPECT_TRUE(StartsWithNoCase("[STYLE] rest", "[style]"));
    EXPECT_TRUE(StartsWithNoCase("anything", ""));
    EXPECT_FALSE(StartsWithNoCase("[STY", "[style]"));
    EXPECT_TRUE(StartsWithNoCase("\xB4\x61", "\xB4\x41"));

    EXPECT_EQ(CompareNoCaseN("abcX", "ABCY", 3), 0);
    EXPECT_LT(CompareNoCaseN("abcX", "ABCY", 4), 0);
    EXPECT_LT(CompareNoCaseN("ab", "abc", 3), 0);
    EXPECT_EQ(CompareNoCaseN("ab\0x", "AB\0y", 5), 0);
    EXPECT_EQ(CompareNoCaseN("a", "b", 0), 0);
    EXPECT_EQ(CompareNoCaseN(nullptr, "", 4), 0);
    EXPECT_LT(CompareNoCaseN(nullptr, "a", 4), 0);
}

TEST(GbkTest, FindTextNeverMatchesInsideATwoByteCharacter) {
    EXPECT_EQ(FindText("\x81\x40x", "@x"), kNotFound);
    EXPECT_EQ(FindText("\x81\x40@x", "@x"), 2u);
    // The first byte match starts on a second byte; the real one follows.
    EXPECT_EQ(FindText("\x81\x81\x40\x81\x40", "\x81\x40"), 3u);
    EXPECT_EQ(FindText("\x95\x5C\\x", "\\"), 2u);
    EXPECT_EQ(FindText("aXa", "a", 1), 2u);
    EXPECT_EQ(FindText("abc", "", 1), 1u);
    EXPECT_EQ(FindText("abc", "", 3), 3u);
    EXPECT_EQ(FindText("abc", "", 4), kNotFound);
    EXPECT_EQ(FindText("abc", "abcd"), kNotFound);
}

TEST(GbkTest, FindCharSkipsSecondBytes) {
    EXPECT_EQ(FindChar("\x95\x5C"
                       "a\\",
                       '\\'),
              3u);
    EXPECT_EQ(FindChar("\xB4\x61"
                       "a",
                       'a'),
              2u);
    EXPECT_EQ(FindChar("a.b.c", '.', 2), 3u);
    EXPECT_EQ(FindChar("\xB4\x61", 'a'), kNotFound);
    EXPECT_EQ(FindLastChar("c:\\a\\\x95\x5C", '\\'), 4u);
    EXPECT_EQ(FindLastChar("\x95\x5C", '\\'), kNotFound);
}

TEST(GbkTest, CaseMappingLeavesSecondBytesAlone) {
    std::string text =
        "ABC\x81\x41"
        "D";
    ToLowerAscii(text);
    EXPECT_EQ(text,
              "abc\x81\x41"
              "d");
    ToUpperAscii(text);
    EXPECT_EQ(text,
              "ABC\x81\x41"
              "D");
    char buffer[] = "x\x81\x61y\x81";
    ToUpperAscii(buffer);
    EXPECT_STREQ(buffer, "X\x81\x61Y\x81");
    ToLowerAscii(static_cast<char*>(nullptr));
}

TEST(GbkTest, CutAtCharBoundaryKeepsCharactersWhole) {
    const std::string_view text =
        "ab\xB0\xA1"
        "cd";
    EXPECT_EQ(CutAtCharBoundary(text, 0), 0u);
    EXPECT_EQ(CutAtCharBoundary(text, 3), 2u);
    EXPECT_EQ(CutAtCharBoundary(text, 4), 4u);
    EXPECT_EQ(CutAtCharBoundary(text, 100), 6u);
    // Pairs are counted from the start, not guessed from the bytes around the cut.
    EXPECT_EQ(CutAtCharBoundary("\xB0\xB0\xB0\xB0\xB0", 3), 2u);
    EXPECT_EQ(CutAtCharBoundary("a\xB0\xB0\xB0\xB0", 4), 3u);
    EXPECT_EQ(CutAtCharBoundary("ab\x81", 10), 2u);
}

TEST(GbkTest, FillPatternTakesTextsOnlyForPercentS) {
    EXPECT_EQ(FillPattern("http://s/?q=%s&p=%s", {"a b", "2"}), "http://s/?q=a b&p=2");
    EXPECT_EQ(FillPattern("%s-%s-%s", {"x"}), "x--");
    EXPECT_EQ(FillPattern("%s", {"x", "unused"}), "x");
    EXPECT_EQ(FillPattern("100%% %d %x %", {"never"}), "100% %d %x %");
    EXPECT_EQ(FillPattern("%%s", {"never"}), "%s");
    EXPECT_EQ(FillPattern("搜索%s", {"%s%d"}), "搜索%s%d");
    EXPECT_EQ(FillPattern("", {"x"}), "");
}

TEST(GbkTest, ParseIntFollowsAtoiAndClamps) {
    EXPECT_EQ(ParseInt("42"), 42);
    EXPECT_EQ(ParseInt(" \t\n\v\f\r-17x"), -17);
    EXPECT_EQ(ParseInt("+8"), 8);
    EXPECT_EQ(ParseInt("12 34"), 12);
    EXPECT_EQ(ParseInt("0x1A"), 0);
    EXPECT_EQ(ParseInt(""), 0);
    EXPECT_EQ(ParseInt("abc"), 0);
    EXPECT_EQ(ParseInt("- 5"), 0);
    EXPECT_EQ(ParseInt("-"), 0);
    EXPECT_EQ(ParseInt("2147483647"), INT_MAX);
    EXPECT_EQ(ParseInt("2147483648"), INT_MAX);
    EXPECT_EQ(ParseInt("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseInt("-2147483649"), INT_MIN);
    EXPECT_EQ(ParseInt("999999999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseInt(std::string_view("7\0"
                                        "8",
                                        3)),
              7);
}

TEST(GbkTest, EqualIgnoringWidthFoldsWidthButNotCase) {
    EXPECT_TRUE(EqualIgnoringWidth(u"ｘｘｙｙｚｚ", u"xxyyzz"));
    EXPECT_FALSE(EqualIgnoringWidth(u"ｘｘｙｙｚｚ", u"XXYYZZ"));
    EXPECT_TRUE(EqualIgnoringWidth(u"！～\u3000", u"!~ "));
    EXPECT_FALSE(EqualIgnoringWidth(u"\uFF00", u" "));
    EXPECT_FALSE(EqualIgnoringWidth(u"\uFF5F", u"\u007F"));
    EXPECT_FALSE(EqualIgnoringWidth(u"ｘ", u"xx"));
    EXPECT_TRUE(EqualIgnoringWidth(u"", u""));
}

}  // namespace
