#include "platform/text/Encoding.h"

#include <gtest/gtest.h>

namespace {

using platform::GbkToUtf16;
using platform::GbkToUtf8;
using platform::Utf16ToGbk;
using platform::Utf8ToGbk;

TEST(EncodingTest, LiteralsAreGbkBytes) {
    // " - Quorra浏览器": the suffix of every browser caption.
    const std::string caption = " - Quorra浏览器";
    EXPECT_EQ(caption, "\x20\x2d\x20\x51\x75\x6f\x72\x72\x61\xe4\xaf\xc0\xc0\xc6\xf7");
}

TEST(EncodingTest, RoundTripsThroughUtf8AndUtf16) {
    const std::string gbk = "Quorra浏览器 \x80 \xb4\x61\xb4\x41";
    EXPECT_EQ(GbkToUtf8("\xe4\xaf\xc0\xc0\xc6\xf7"), "\xe6\xb5\x8f\xe8\xa7\x88\xe5\x99\xa8");
    EXPECT_EQ(GbkToUtf8("\x80"), "\xe2\x82\xac");
    EXPECT_EQ(Utf8ToGbk(GbkToUtf8(gbk)), gbk);
    EXPECT_EQ(Utf16ToGbk(GbkToUtf16(gbk)), gbk);
    EXPECT_EQ(GbkToUtf16("\xe4\xaf"), u"\u6d4f");
}

TEST(EncodingTest, InvalidAndUnmappableUnitsBecomeQuestionMarks) {
    EXPECT_EQ(GbkToUtf8("a\xff"
                        "b"),
              "a?b");
    EXPECT_EQ(GbkToUtf8("ab\x81"), "ab?");
    EXPECT_EQ(Utf8ToGbk("x\xf0\x9f\x98\x80y"), "x?y");
    EXPECT_EQ(Utf16ToGbk(u"\U0001F600z"), "?z");
    EXPECT_EQ(Utf8ToGbk("\xc3"), "?");
}

TEST(EncodingTest, WideCharFunctionsReportSizesAndShortBuffers) {
    const char* text = "浏览";
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 3);
    WCHAR wide[3];
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 3), 3);
    EXPECT_EQ(std::u16string(wide, 2), u"浏览");
    EXPECT_EQ(wide[2], 0);
    WCHAR small[2];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, small, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    char back[8] = {};
    BOOL used_default = TRUE;
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, -1, back, sizeof back, nullptr, &used_default),
              5);
    EXPECT_STREQ(back, text);
    EXPECT_FALSE(used_default);
    const WCHAR emoji[] = u"\U0001F600";
    EXPECT_EQ(WideCharToMultiByte(936, 0, emoji, 2, back, sizeof back, nullptr, &used_default), 1);
    EXPECT_TRUE(used_default);
    EXPECT_EQ(back[0], '?');

    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xe2\x82\xac", 3, wide, 3), 1);
    EXPECT_EQ(wide[0], u'\u20ac');
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "a", 1, wide, 3), 0);
}

}  // namespace
