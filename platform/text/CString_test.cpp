#include "platform/text/CString.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

TEST(CStringTest, ConstructsFromTextLengthsAndRepeats) {
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)).GetLength(), 0);
    EXPECT_EQ(CString("a\0b", 3).view(), std::string_view("a\0b", 3));
    EXPECT_EQ(CString("abc", -1).GetLength(), 0);
    EXPECT_EQ(CString(nullptr, 4).GetLength(), 0);
    EXPECT_EQ(CString('x', 3), "xxx");
    EXPECT_EQ(CString('x', 0), "");
    EXPECT_EQ(CString('x', -2), "");
    EXPECT_EQ(CString(std::string_view("abcd").substr(1, 2)), "bc");
    CString text = "浏览";
    EXPECT_EQ(text.GetLength(), 4);
    EXPECT_EQ(std::strlen(text), 4u);
    text = 'z';
    EXPECT_EQ(text.str(), "z");
}

TEST(CStringTest, ConcatenatesEveryCombination) {
    CString a = "ab";
    EXPECT_EQ(a + CString("cd"), "abcd");
    EXPECT_EQ(a + "cd", "abcd");
    EXPECT_EQ("cd" + a, "cdab");
    EXPECT_EQ(a + 'c', "abc");
    EXPECT_EQ('c' + a, "cab");
    a += a;
    a += static_cast<const char*>(a);
    EXPECT_EQ(a, "abababab");
    a += 'x';
    a += static_cast<const char*>(nullptr);
    EXPECT_EQ(a, "ababababx");
    a = static_cast<const char*>(a) + 7;
    EXPECT_EQ(a, "bx");
}

TEST(CStringTest, ComparesAsUnsignedBytes) {
    CString gbk = "\xB0\xA1";
    EXPECT_TRUE(gbk > "zz");
    EXPECT_TRUE("zz" < gbk);
    EXPECT_TRUE(CString("a") < CString("ab"));
    EXPECT_TRUE(CString("B") < "a");
    EXPECT_TRUE(CString("abc") == "abc");
    EXPECT_TRUE("abc" == CString("abc"));
    EXPECT_TRUE(CString("abc") != "abd");
    EXPECT_TRUE(CString("b") >= "b" && CString("b") <= "b");
    EXPECT_GT(gbk.Compare("zz"), 0);
    EXPECT_GT(gbk.Collate("zz"), 0);
    // Comparisons stop at a NUL, like the C functions behind them.
    EXPECT_TRUE(CString("a\0b", 3) == "a");
    EXPECT_EQ(CString("").Compare(nullptr), 0);

    EXPECT_EQ(CString("Quorra").CompareNoCase("QUORRA"), 0);
    EXPECT_NE(CString("\x81\x41").CompareNoCase("\x81\x61"), 0);
    EXPECT_LT(CString("_").CollateNoCase("a"), 0);
}

TEST(CStringTest, CharacterAccessIgnoresIndicesOutsideTheText) {
    CString text = "abc";
    EXPECT_EQ(text.GetAt(1), 'b');
    EXPECT_EQ(text[2], 'c');
    EXPECT_EQ(text.GetAt(3), '\0');
    EXPECT_EQ(text.GetAt(-1), '\0');
    text.SetAt(0, 'X');
    text.SetAt(3, 'Y');
    text.SetAt(-1, 'Y');
    EXPECT_EQ(text, "Xbc");
}

TEST(CStringTest, MidLeftRightClampTheirRanges) {
    const CString text = "0123456";
    EXPECT_EQ(text.Mid(2), "23456");
    EXPECT_EQ(text.Mid(-3), "0123456");
    EXPECT_EQ(text.Mid(7), "");
    EXPECT_EQ(text.Mid(100), "");
    EXPECT_EQ(text.Mid(2, 3), "234");
    EXPECT_EQ(text.Mid(-1, 2), "01");
    EXPECT_EQ(text.Mid(5, 100), "56");
    EXPECT_EQ(text.Mid(1, -5), "");
    EXPECT_EQ(text.Mid(INT_MAX, INT_MAX), "");
    EXPECT_EQ(text.Mid(0, INT_MAX), "0123456");
    EXPECT_EQ(text.Left(3), "012");
    EXPECT_EQ(text.Left(-1), "");
    EXPECT_EQ(text.Left(100), "0123456");
    EXPECT_EQ(text.Right(2), "56");
    EXPECT_EQ(text.Right(-1), "");
    EXPECT_EQ(text.Right(100), "0123456");
}

TEST(CStringTest, FindRespectsTwoByteCharacters) {
    const CString text = "\x81\x40x";
    EXPECT_EQ(text.Find("@x"), -1);
    EXPECT_EQ(text.Find('@'), -1);
    EXPECT_EQ(text.Find('x'), 2);
    EXPECT_EQ(text.Find("x", 3), -1);
    EXPECT_EQ(text.Find("", 3), 3);
    EXPECT_EQ(text.Find("", 4), -1);
    EXPECT_EQ(text.Find('x', -1), -1);
    EXPECT_EQ(CString("a.b.c").Find('.', 2), 3);
    EXPECT_EQ(CString("a.b.c").Find(".c", 1), 3);

    const CString path = "c:\\dir\\\x95\x5C";
    EXPECT_EQ(path.ReverseFind('\\'), 6);
    EXPECT_EQ(CString("\x95\x5C").ReverseFind('\\'), -1);
    EXPECT_EQ(CString("\x95\x5Cz/").FindOneOf("\\/"), 3);
    EXPECT_EQ(CString("ab\xB0\xA1").FindOneOf("x\xB0\xA1"), 2);
    EXPECT_EQ(CString("\xB0\xA1").FindOneOf("\xA1\xB0"), -1);
    EXPECT_EQ(CString("abc").FindOneOf(nullptr), -1);
}

TEST(CStringTest, ReplaceCountsAndSkipsSecondBytes) {
    CString text = "\x95\x5C\\a\\";
    EXPECT_EQ(text.Replace('\\', '/'), 2);
    EXPECT_EQ(text, "\x95\x5C/a/");
    EXPECT_EQ(text.Replace('a', 'a'), 0);

    CString words = "aaa";
    EXPECT_EQ(words.Replace("aa", "b"), 1);
    EXPECT_EQ(words, "ba");
    CString growing = "aXa";
    EXPECT_EQ(growing.Replace("a", "aa"), 2);
    EXPECT_EQ(growing, "aaXaa");
    EXPECT_EQ(growing.Replace("", "x"), 0);
    EXPECT_EQ(growing.Replace(nullptr, "x"), 0);
    EXPECT_EQ(growing.Replace("a", nullptr), 4);
    EXPECT_EQ(growing, "X");
    EXPECT_EQ(growing.Replace("q", "r"), 0);
    CString gbk = "\x81\x40@";
    EXPECT_EQ(gbk.Replace("@", "#"), 1);
    EXPECT_EQ(gbk, "\x81\x40#");

    CString removing =
        "a\x81\x61"
        "ba";
    EXPECT_EQ(removing.Remove('a'), 2);
    EXPECT_EQ(removing,
              "\x81\x61"
              "b");
}

TEST(CStringTest, InsertAndDeleteClampIndices) {
    CString text = "bc";
    EXPECT_EQ(text.Insert(-5, 'a'), 3);
    EXPECT_EQ(text.Insert(100, "de"), 5);
    EXPECT_EQ(text.Insert(1, static_cast<const char*>(text)), 10);
    EXPECT_EQ(text, "aabcdebcde");
    EXPECT_EQ(text.Insert(0, static_cast<const char*>(nullptr)), 10);

    CString letters = "abcdef";
    EXPECT_EQ(letters.Delete(1), 5);
    EXPECT_EQ(letters, "acdef");
    EXPECT_EQ(letters.Delete(-1, 2), 3);
    EXPECT_EQ(letters, "def");
    EXPECT_EQ(letters.Delete(1, 100), 1);
    EXPECT_EQ(letters.Delete(5), 1);
    EXPECT_EQ(letters.Delete(0, -1), 1);
    EXPECT_EQ(letters, "d");
}

TEST(CStringTest, CaseAndReversalKeepTwoByteCharactersWhole) {
    CString text =
        "ab\x81\x61"
        "c";
    EXPECT_EQ(text.MakeUpper(),
              "AB\x81\x61"
              "C");
    CString lower = "X\x81\x41";
    EXPECT_EQ(lower.MakeLower(), "x\x81\x41");
    CString reversed =
        "ab\xB0\xA1"
        "c\x81";
    EXPECT_EQ(reversed.MakeReverse(),
              "\x81"
              "c\xB0\xA1"
              "ba");
}

TEST(CStringTest, TrimLeavesSecondBytesInPlace) {
    CString text = " \t\r\n\v\fx y\x81\x20 \n";
    EXPECT_EQ(text.TrimRight(), " \t\r\n\v\fx y\x81\x20");
    EXPECT_EQ(text.TrimLeft(), "x y\x81\x20");
    EXPECT_EQ(CString("\x81\x20").Trim(), "\x81\x20");
    EXPECT_EQ(CString("  ").Trim(), "");

    EXPECT_EQ(CString("--a-b--").Trim('-'), "a-b");
    EXPECT_EQ(CString("xxa").TrimLeft('x'), "a");
    EXPECT_EQ(CString("\x95\x5C").TrimRight('\\'), "\x95\x5C");
    EXPECT_EQ(CString("\xB0\xA1xx\xB0\xA1").Trim("\xB0\xA1"), "xx");
    EXPECT_EQ(CString("x\xB0\xA1").TrimRight("\xA1"), "x\xB0\xA1");
    EXPECT_EQ(CString(";,a,;").TrimRight(",;"), ";,a");
    EXPECT_EQ(CString("ab").Trim(static_cast<const char*>(nullptr)), "ab");
}

TEST(CStringTest, SpansStopAtTheFirstCharacterOutsideTheSet) {
    EXPECT_EQ(CString("123abc").SpanIncluding("0123456789"), "123");
    EXPECT_EQ(CString("abc").SpanIncluding("xyz"), "");
    EXPECT_EQ(CString("key,value").SpanExcluding(",;"), "key");
    EXPECT_EQ(CString("key").SpanExcluding(","), "key");
    EXPECT_EQ(CString("\x95\x5C\\x").SpanExcluding("\\"), "\x95\x5C");
}

TEST(CStringTest, FormatsWithPrintfRules) {
    CString text;
    text.Format("%d-%s-%05.1f", -3, "浏览", 2.5);
    EXPECT_EQ(text, "-3-浏览-002.5");
    text.Format("[%s]", static_cast<const char*>(text));
    EXPECT_EQ(text, "[-3-浏览-002.5]");
    text.AppendFormat("%c%s", '!', static_cast<const char*>(text));
    EXPECT_EQ(text, "[-3-浏览-002.5]![-3-浏览-002.5]");
    text.Format("%s", "");
    EXPECT_TRUE(text.IsEmpty());
    const std::string long_text(5000, 'w');
    text.Format("%s|", long_text.c_str());
    EXPECT_EQ(text.str(), long_text + "|");
}

TEST(CStringTest, BufferAccessFollowsTheFramework) {
    CString text = "abc";
    char* buffer = text.GetBuffer(10);
    EXPECT_STREQ(buffer, "abc");
    std::strcpy(buffer, "0123456789");
    text.ReleaseBuffer();
    EXPECT_EQ(text, "0123456789");
    EXPECT_EQ(text.GetLength(), 10);

    buffer = text.GetBuffer(0);
    buffer[4] = '\0';
    text.ReleaseBuffer();
    EXPECT_EQ(text.view(), "0123");

    text.GetBuffer(20);
    text.ReleaseBuffer(2);
    EXPECT_EQ(text.view(), "01");
    text.ReleaseBuffer(100);
    EXPECT_EQ(text.view(), "01");

    buffer = text.GetBufferSetLength(4);
    EXPECT_EQ(text.GetLength(), 4);
    std::memcpy(buffer, "wxyz", 4);
    text.ReleaseBuffer(4);
    EXPECT_EQ(text, "wxyz");
    text.GetBufferSetLength(-1);
    EXPECT_TRUE(text.IsEmpty());
}

}  // namespace
