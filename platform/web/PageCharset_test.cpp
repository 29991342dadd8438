#include "platform/web/PageCharset.h"

#include <gtest/gtest.h>

namespace platform::web {
namespace {

TEST(PageCharsetTest, DeclarationsAreFoundInMetaTagsNearTheStart) {
    EXPECT_EQ(SniffCharset("<meta http-equiv=Content-Type content=\"text/html; charset=GB2312\">"),
              "gb2312");
    EXPECT_EQ(SniffCharset("<META charset='UTF-8'>"), "utf-8");
    EXPECT_EQ(SniffCharset("<meta name=x content=y><meta charset=big5>"), "big5");
    EXPECT_EQ(SniffCharset("\xEF\xBB\xBF<meta charset=gbk>"), "utf-8");
    EXPECT_EQ(SniffCharset("<p>no declaration</p>"), "");
    EXPECT_EQ(SniffCharset(std::string(1100, ' ') + "<meta charset=utf-8>"), "");
    EXPECT_EQ(SniffCharset("<meta charset="), "");
}

TEST(PageCharsetTest, PagesDecodeToUtf8ByTheirCharset) {
    // "中文" in GBK and in UTF-8.
    EXPECT_EQ(DecodePage("\xD6\xD0\xCE\xC4", "gb2312"), "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(DecodePage("\xD6\xD0\xCE\xC4", "iso-ir-58"), "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(DecodePage("\xE4\xB8\xAD", "utf-8"), "\xE4\xB8\xAD");
    EXPECT_EQ(DecodePage("\xEF\xBB\xBF"
                         "a",
                         "gb2312"),
              "a");
    EXPECT_EQ(DecodePage("caf\xE9", "iso-8859-1"), "caf\xC3\xA9");
    EXPECT_EQ(DecodePage("\xD6\xD0", "no-such-charset"), "\xE4\xB8\xAD");
    EXPECT_EQ(DecodePage("\xE4\xB8\xAD", "_autodetect"), "\xE4\xB8\xAD");
    EXPECT_EQ(DecodePage("\xD6\xD0", "_autodetect"), "\xE4\xB8\xAD");
    // ASCII stands for itself in the common charsets, but not in every charset.
    const std::string ascii("<p>\x01\0~{\x7F</p>", 12);
    for (const char* charset : {"gb2312", "utf-8", "iso-8859-1", "_autodetect"}) {
        EXPECT_EQ(DecodePage(ascii, charset), ascii) << charset;
    }
    EXPECT_EQ(DecodePage(std::string("a\0b\0", 4), "utf-16le"), "ab");
}

TEST(PageCharsetTest, BytesThatDoNotDecodeBecomeQuestionMarks) {
    EXPECT_EQ(DecodePage("a\xFF"
                         "b",
                         "utf-8"),
              "a?b");
    EXPECT_EQ(DecodePage("a\xD6", "gb2312"), "a?");
    EXPECT_EQ(DecodePage("", "gb2312"), "");
}

}  // namespace
}  // namespace platform::web
