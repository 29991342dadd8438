#include "platform/com/Bstr.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

DWORD PrefixOf(BSTR text) {
    DWORD prefix;
    std::memcpy(&prefix, reinterpret_cast<const BYTE*>(text) - sizeof prefix, sizeof prefix);
    return prefix;
}

TEST(BstrTest, ByteCountPrecedesTheTextAndANulFollows) {
    BSTR text = SysAllocString(u"abc");
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(6u, PrefixOf(text));
    EXPECT_EQ(3u, SysStringLen(text));
    EXPECT_EQ(6u, SysStringByteLen(text));
    EXPECT_EQ(u'\0', text[3]);
    SysFreeString(text);
}

TEST(BstrTest, LengthCountsEmbeddedNuls) {
    const OLECHAR source[] = {u'a', 0, u'b', 0};
    BSTR text = SysAllocStringLen(source, 3);
    EXPECT_EQ(3u, SysStringLen(text));
    EXPECT_EQ(u'b', text[2]);
    EXPECT_EQ(0, text[3]);
    SysFreeString(text);

    BSTR zeroed = SysAllocStringLen(nullptr, 4);
    ASSERT_NE(nullptr, zeroed);
    EXPECT_EQ(4u, SysStringLen(zeroed));
    EXPECT_EQ(0, std::memcmp(zeroed, u"\0\0\0\0", 10));
    SysFreeString(zeroed);
}

TEST(BstrTest, ByteLengthMayBeOdd) {
    BSTR bytes = SysAllocStringByteLen("abc", 3);
    EXPECT_EQ(3u, SysStringByteLen(bytes));
    EXPECT_EQ(1u, SysStringLen(bytes));
    EXPECT_EQ(0, std::memcmp(bytes, "abc\0\0", 5));
    SysFreeString(bytes);
}

TEST(BstrTest, NullMeansEmpty) {
    EXPECT_EQ(nullptr, SysAllocString(nullptr));
    EXPECT_EQ(0u, SysStringLen(nullptr));
    EXPECT_EQ(0u, SysStringByteLen(nullptr));
    SysFreeString(nullptr);
    EXPECT_EQ(std::string(), platform::GbkFromBstr(nullptr));
    BSTR empty = SysAllocString(u"");
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(0u, SysStringLen(empty));
    SysFreeString(empty);
}

TEST(BstrTest, ReallocationMayCopyFromItself) {
    BSTR text = SysAllocString(u"hello world");
    ASSERT_TRUE(SysReAllocString(&text, text + 6));
    EXPECT_EQ(std::u16string(u"world"), platform::ViewOfBstr(text));
    ASSERT_TRUE(SysReAllocStringLen(&text, text, 2));
    EXPECT_EQ(std::u16string(u"wo"), platform::ViewOfBstr(text));
    ASSERT_TRUE(SysReAllocString(&text, nullptr));
    EXPECT_EQ(nullptr, text);
    EXPECT_FALSE(SysReAllocString(nullptr, u"x"));
}

TEST(BstrTest, GbkTextCrossesTheBoundaryBothWays) {
    BSTR text = platform::BstrFromGbk("中文 abc");
    EXPECT_EQ(std::u16string(u"中文 abc"), platform::ViewOfBstr(text));
    EXPECT_EQ(std::string("中文 abc"), platform::GbkFromBstr(text));
    SysFreeString(text);
}

}  // namespace
