#include "platform/files/Path.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/files/DriveMap.h"
#include "platform/files/MappedDriveTest.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using PathTest = testing::MappedDriveTest;

TEST_F(PathTest, DrivesMapToLinuxFolders) {
    EXPECT_EQ(ResolvePath("C:\\a\\b.txt"), OnDisk("a/b.txt"));
    EXPECT_EQ(ResolvePath("c:/a//b.txt"), OnDisk("a/b.txt"));
    EXPECT_EQ(ResolvePath("Z:\\"), fs::path("/"));
    EXPECT_EQ(ResolvePath("z:/proc/../proc/self"), fs::path("/proc/self"));
    EXPECT_EQ(ResolvePath("C:\\..\\..\\escape"), OnDisk("escape"));
    EXPECT_EQ(ResolvePath("Q:\\x"), std::nullopt);
    EXPECT_EQ(ResolvePath(""), std::nullopt);
    EXPECT_EQ(ResolvePath("C:\\a|b"), std::nullopt);
    UnmapDrive('c');
    EXPECT_EQ(ResolvePath("C:\\a"), std::nullopt);
}

TEST_F(PathTest, RelativePathsFollowTheCurrentFolder) {
    fs::create_directories(OnDisk("prog"));
    fs::current_path(OnDisk("prog"));
    EXPECT_EQ(ResolvePath("data\\filter.dat"), OnDisk("prog/data/filter.dat"));
    EXPECT_EQ(ResolvePath("..\\x"), OnDisk("x"));
    // One leading separator: the root of the current folder's drive, here C:.
    EXPECT_EQ(ResolvePath("\\y"), OnDisk("y"));
    EXPECT_EQ(ResolvePath("c:z"), OnDisk("prog/z"));
}

TEST_F(PathTest, MissingNamesMatchExistingOnesIgnoringCase) {
    Write("Data/SKIN.INI", "x");
    EXPECT_EQ(ResolvePath("C:\\data\\skin.ini"), OnDisk("Data/SKIN.INI"));
    // Names past the first missing one stay as written, for files about to be created.
    EXPECT_EQ(ResolvePath("C:\\DATA\\New\\File.txt"), OnDisk("Data/New/File.txt"));

    Write("case/a.txt", "lower");
    Write("case/A.txt", "upper");
    EXPECT_EQ(ResolvePath("C:\\case\\A.txt"), OnDisk("case/A.txt"));
    EXPECT_EQ(ResolvePath("C:\\case\\a.txt"), OnDisk("case/a.txt"));
    // Neither is exact: the first in byte order wins, whatever order the folder lists them in.
    EXPECT_EQ(ResolvePath("C:\\CASE\\a.TXT"), OnDisk("case/A.txt"));
}

TEST_F(PathTest, GbkNamesAreUtf8OnDisk) {
    Write(reinterpret_cast<const char*>(u8"图片/乗.txt"), "x");
    // "图片\乗.txt" in GBK; the second byte of 乗 (81 5C) is a backslash.
    EXPECT_EQ(ResolvePath("C:\\\xCD\xBC\xC6\xAC\\\x81\x5C.txt"), OnDisk(u8"图片/乗.txt"));
    EXPECT_EQ(ResolvePath("C:\\\xCD\xBC\xC6\xAC\\\x81\x5C.TXT"), OnDisk(u8"图片/乗.txt"));
    EXPECT_EQ(ToWindowsPath(OnDisk(u8"图片/乗.txt")), "C:\\\xCD\xBC\xC6\xAC\\\x81\x5C.txt");
}

TEST_F(PathTest, WindowsFormUsesTheLongestMappedRoot) {
    EXPECT_EQ(ToWindowsPath(OnDisk("a/b")), "C:\\a\\b");
    EXPECT_EQ(ToWindowsPath(root_), "C:\\");
    EXPECT_EQ(ToWindowsPath("/usr/lib"), "Z:\\usr\\lib");
    EXPECT_EQ(ToWindowsPath("/"), "Z:\\");
    // A sibling whose name only begins like the mapped root is not under it.
    EXPECT_EQ(ToWindowsPath(fs::path(root_.string() + "x")).substr(0, 3), "Z:\\");

    fs::create_directories(OnDisk("sub"));
    MapDrive('d', OnDisk("sub"));
    EXPECT_EQ(ToWindowsPath(OnDisk("sub/x")), "D:\\x");
    EXPECT_EQ(ToWindowsPath(OnDisk("other")), "C:\\other");
    UnmapDrive('D');

    fs::current_path(OnDisk("sub"));
    EXPECT_EQ(ToWindowsPath("rel/../file"), "C:\\sub\\file");
}

TEST_F(PathTest, OnlyLettersOtherThanZCanBeMapped) {
    EXPECT_THROW(MapDrive('Z', "/tmp"), std::invalid_argument);
    EXPECT_THROW(MapDrive('z', "/tmp"), std::invalid_argument);
    EXPECT_THROW(MapDrive('1', "/tmp"), std::invalid_argument);
}

TEST(DriveMapTest, ConfigurationTextSkipsMalformedEntries) {
    std::map<char, fs::path> roots =
        DriveMap::ParseConfiguration("C=/srv/c;d=/mnt/d;;bad;Z=/x;=/y;E=;F=/f/");
    EXPECT_EQ(roots, (std::map<char, fs::path>{{'C', "/srv/c"}, {'D', "/mnt/d"}, {'F', "/f/"}}));
}

}  // namespace
}  // namespace platform
