#include "manager/SkinConfig.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

TEST(SkinConfigTest, TheValueIsTheFirstLineAfterTheKeyThatIsNoComment) {
    platform::testing::TempFolder folder;
    folder.WriteFile("config.dat",
                     "// pages\r\n[bitmap_background_main]\r\n// the main window\r\n"
                     "data\\skin\\main.bmp\r\n[BITMAP_BACKGROUND_ABOUT]\r\n");
    const std::string path = platform::ToWindowsPath(folder.path() / "config.dat");
    char value[1024];
    // Keys match without regard to case, as every key of the manager's files does.
    ASSERT_EQ(ReadSkinValue(path.c_str(), kMainSkinKey, value, sizeof(value)), 0);
    EXPECT_STREQ(value, "data\\skin\\main.bmp");
    char small[6];
    ASSERT_EQ(ReadSkinValue(path.c_str(), kMainSkinKey, small, sizeof(small)), 0);
    EXPECT_STREQ(small, "data\\");
    // A key without a value line, a missing key and a missing file.
    EXPECT_EQ(ReadSkinValue(path.c_str(), kAboutSkinKey, value, sizeof(value)), 1);
    EXPECT_STREQ(value, "");
    EXPECT_EQ(ReadSkinValue(path.c_str(), kOptionSkinKey, value, sizeof(value)), 1);
    EXPECT_EQ(ReadSkinValue("Z:\\no\\such\\config.dat", kMainSkinKey, value, sizeof(value)), 1);
}

}  // namespace
