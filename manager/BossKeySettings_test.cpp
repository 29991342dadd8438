#include "manager/BossKeySettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/CdKeySettings.h"
#include "manager/SnapshotSettings.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

class HotKeySettingsTest : public ::testing::Test {
protected:
    std::string Path(const char* name) { return platform::ToWindowsPath(folder.path() / name); }
    platform::testing::TempFolder folder;
};

TEST_F(HotKeySettingsTest, TheBossKeyFileIs308BytesAndAShortOneGivesTheDefaults) {
    BossKeySettings settings;
    EXPECT_EQ(settings.Load(Path("bosskey.dat").c_str()), 1);
    EXPECT_EQ(settings.Serialize(), std::string("\x0D\x01\x01\x00", 4) + std::string(304, '\0'));

    settings.key = HotKeyRecord{0x42, 0, 1, 1};
    settings.target = 3;
    settings.SetTitle("记事本");
    ASSERT_TRUE(settings.Save(Path("bosskey.dat").c_str()));
    std::string expected = std::string("\x42\x00\x01\x01\x03\x00\x00\x00", 8) + "记事本";
    expected.resize(308, '\0');
    EXPECT_EQ(folder.ReadFile("bosskey.dat"), expected);

    BossKeySettings read;
    EXPECT_EQ(read.Load(Path("bosskey.dat").c_str()), 0);
    EXPECT_EQ(read.Serialize(), expected);

    // A title of 300 bytes or more keeps 299 without splitting a character; a file whose title
    // has no NUL is read with its last byte as the NUL.
    settings.SetTitle(std::string(298, 'a') + "窗口");
    EXPECT_EQ(std::string(settings.title), std::string(298, 'a'));
    std::string unterminated = expected;
    unterminated.replace(8, 300, std::string(300, 'x'));
    ASSERT_TRUE(read.Parse(Bytes(unterminated)));
    EXPECT_EQ(std::string(read.title), std::string(299, 'x'));

    folder.WriteFile("short.dat", expected.substr(0, 307));
    BossKeySettings fromShort;
    fromShort.target = 9;
    EXPECT_EQ(fromShort.Load(Path("short.dat").c_str()), 1);
    EXPECT_EQ(fromShort.target, 0);
    EXPECT_EQ(fromShort.key, (HotKeyRecord{0x0D, 1, 1, 0}));
    EXPECT_FALSE(settings.Save(Path("none/bosskey.dat").c_str()));
}

TEST_F(HotKeySettingsTest, TheCdKeysAreTwoRecordsAndTheSnapshotSettings280Bytes) {
    CdKeySettings keys;
    EXPECT_EQ(keys.Load(Path("cdkey.dat").c_str()), 1);
    keys.close.shift = 1;
    ASSERT_TRUE(keys.Save(Path("cdkey.dat").c_str()));
    EXPECT_EQ(folder.ReadFile("cdkey.dat"), std::string("\x50\x01\x01\x00\x4C\x01\x01\x01", 8));
    folder.WriteFile("short.dat", std::string("\x41\x00\x00\x00", 4));
    EXPECT_EQ(keys.Load(Path("short.dat").c_str()), 1);
    EXPECT_EQ(keys.close, (HotKeyRecord{0x4C, 1, 1, 0}));

    SnapshotSettings shots;
    EXPECT_EQ(shots.Load("C:\\dv\\", Path("snapshot.dat").c_str()), 1);
    EXPECT_STREQ(shots.folder, "C:\\dv\\Snapshot\\");
    shots.toClipboard = 0;
    shots.areaKey = HotKeyRecord{0x31, 1, 1, 0};
    ASSERT_TRUE(shots.Save(Path("snapshot.dat").c_str()));
    std::string expected(
        "\x31\x01\x01\x00\x32\x01\x01\x00\x31\x01\x01\x00"
        "\x00\x00\x00\x00\x01\x00\x00\x00"
        "C:\\dv\\Snapshot\\",
        20 + 15);
    expected.resize(280, '\0');
    EXPECT_EQ(folder.ReadFile("snapshot.dat"), expected);
    SnapshotSettings read;
    EXPECT_EQ(read.Load("C:\\other\\", Path("snapshot.dat").c_str()), 0);
    EXPECT_EQ(read.Serialize(), expected);
}

}  // namespace
