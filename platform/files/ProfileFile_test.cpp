#include "platform/files/ProfileFile.h"

#include <gtest/gtest.h>

#include "platform/files/FileApi.h"
#include "platform/files/MappedDriveTest.h"

namespace platform {
namespace {

const char kShortcut[] =
    "; saved by hand\r\n"
    "[DEFAULT]\r\n"
    "BASEURL=http://base/\r\n"
    "  [ InternetShortcut ]  \r\n"
    "  URL =  http://www.example.com/a b  \r\n"
    "Quoted=\"  spaced  \"\n"
    "Single='x'\r"
    "Mismatched=\"x'\r\n"
    "Empty=\r\n"
    "no equals sign\r\n"
    "URL=second wins nothing\r\n"
    "[internetshortcut]\r\n"
    "Extra=in the repeated section\r\n";

TEST(ProfileFileTest, ValuesByNameIgnoringCase) {
    ProfileFile profile(kShortcut);
    EXPECT_EQ(profile.Value("InternetShortcut", "URL"), "http://www.example.com/a b");
    EXPECT_EQ(profile.Value("INTERNETSHORTCUT", "url"), "http://www.example.com/a b");
    EXPECT_EQ(profile.Value("InternetShortcut", "Quoted"), "  spaced  ");
    EXPECT_EQ(profile.Value("InternetShortcut", "Single"), "x");
    EXPECT_EQ(profile.Value("InternetShortcut", "Mismatched"), "\"x'");
    EXPECT_EQ(profile.Value("InternetShortcut", "Empty"), "");
    EXPECT_EQ(profile.Value("InternetShortcut", "Extra"), std::nullopt);
    EXPECT_EQ(profile.Value("default", "baseurl"), "http://base/");
    EXPECT_EQ(profile.Value("Missing", "URL"), std::nullopt);
    EXPECT_EQ(profile.KeyNames("internetshortcut"),
              (std::vector<std::string>{"URL", "Quoted", "Single", "Mismatched", "Empty", "URL"}));
}

TEST(ProfileFileTest, GbkSectionNamesAndBrokenLines) {
    // 0x81 0x5D has ']' as its second byte; the section name runs on to the real ']'.
    ProfileFile profile("[\x81\x5D]\nKey=1\n[unclosed\nKey=2\nKey\n=3\n");
    EXPECT_EQ(profile.SectionNames(), (std::vector<std::string>{"\x81\x5D", "unclosed"}));
    EXPECT_EQ(profile.Value("\x81\x5D", "key"), "1");
    EXPECT_EQ(profile.Value("unclosed", "Key"), "2");
    EXPECT_EQ(profile.Value("unclosed", ""), "3");
    EXPECT_TRUE(ProfileFile("").SectionNames().empty());
    EXPECT_TRUE(ProfileFile(std::string_view("\0\0[\0", 4)).KeyNames("").empty());
}

using ProfileApiTest = testing::MappedDriveTest;

TEST_F(ProfileApiTest, ReadsOneValueWithTheOriginalLimits) {
    Write("fav/Site.url", kShortcut);
    char buffer[2048];
    EXPECT_EQ(GetPrivateProfileStringA("InternetShortcut", "URL", "", buffer, sizeof buffer,
                                       "C:\\fav\\site.URL"),
              26u);
    EXPECT_STREQ(buffer, "http://www.example.com/a b");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));

    EXPECT_EQ(
        GetPrivateProfileStringA("InternetShortcut", "URL", "", buffer, 8, "C:\\fav\\site.url"),
        7u);
    EXPECT_STREQ(buffer, "http://");

    EXPECT_EQ(GetPrivateProfileStringA("InternetShortcut", "Nope", "fallback  ", buffer,
                                       sizeof buffer, "C:\\fav\\site.url"),
              8u);
    EXPECT_STREQ(buffer, "fallback");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetPrivateProfileStringA("InternetShortcut", "URL", nullptr, buffer, sizeof buffer,
                                       "C:\\fav\\missing.url"),
              0u);
    EXPECT_STREQ(buffer, "");
}

TEST_F(ProfileApiTest, ListsSectionAndKeyNames) {
    Write("list.ini", "[one]\na=1\nbb=2\n[two]\n");
    char buffer[64];
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, "C:\\list.ini"),
              8u);
    EXPECT_EQ(std::string(buffer, 9), std::string("one\0two\0\0", 9));
    EXPECT_EQ(GetPrivateProfileStringA("ONE", nullptr, "", buffer, sizeof buffer, "C:\\list.ini"),
              5u);
    EXPECT_EQ(std::string(buffer, 6), std::string("a\0bb\0\0", 6));
    // Cut short: still two NULs at the end, and the size less two.
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 6, "C:\\list.ini"), 4u);
    EXPECT_EQ(std::string(buffer, 6), std::string("one\0\0\0", 6));
}

}  // namespace
}  // namespace platform
