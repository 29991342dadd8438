#include "tray/SnapshotFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

SYSTEMTIME Moment() {
    SYSTEMTIME now{};
    now.wYear = 2006;
    now.wMonth = 9;
    now.wDay = 6;
    now.wHour = 10;
    now.wMinute = 30;
    now.wSecond = 5;
    return now;
}

TEST(SnapshotFileTest, LayoutByDepth) {
    // 32 bits: no colour table, pixels right after the headers.
    const BitmapFileLayout wide = LayoutOfBitmapFile(1366, 768, 1, 32);
    EXPECT_EQ(wide.rowBytes, 5464u);
    EXPECT_EQ(wide.colours, 0u);
    EXPECT_EQ(wide.pixelOffset, 54u);
    EXPECT_EQ(wide.fileBytes, 54u + 5464u * 768u);
    // 16 bits: a table of 65536 entries.
    const BitmapFileLayout high = LayoutOfBitmapFile(100, 10, 1, 16);
    EXPECT_EQ(high.colours, 65536u);
    EXPECT_EQ(high.pixelOffset, 262198u);
    EXPECT_EQ(high.rowBytes, 200u);
    EXPECT_EQ(LayoutOfBitmapFile(3, 1, 1, 1).colours, 2u);
    EXPECT_EQ(LayoutOfBitmapFile(3, 1, 1, 1).rowBytes, 4u);
    EXPECT_EQ(LayoutOfBitmapFile(3, 1, 1, 4).colours, 16u);
    EXPECT_EQ(LayoutOfBitmapFile(3, 1, 1, 8).colours, 256u);
}

TEST(SnapshotFileTest, NamesGetASeparatorAndNeverReplaceAnEarlierCapture) {
    platform::testing::TempFolder temp;
    const std::string folder = platform::ToWindowsPath(temp.path());
    const CString first = SnapshotPath(folder.c_str(), Moment());
    EXPECT_EQ(std::string(first), folder + "\\Snapshot20060906103005.bmp");
    temp.WriteFile("Snapshot20060906103005.bmp", "earlier");
    EXPECT_EQ(std::string(SnapshotPath((folder + "\\").c_str(), Moment())),
              folder + "\\Snapshot20060906103005_2.bmp");
    // The last character's second byte is 0x5C, not a separator.
    const std::string gbk = folder + "\\\x81\x5C";
    EXPECT_EQ(std::string(SnapshotPath(gbk.c_str(), Moment())),
              gbk + "\\Snapshot20060906103005.bmp");
}

TEST(SnapshotFileTest, APictureIsWrittenWholeAndAFailureNamesNoFile) {
    platform::testing::TempFolder temp;
    const std::string folder = platform::ToWindowsPath(temp.path() / "shots") + "\\";
    HDC screen = ::CreateCompatibleDC(nullptr);
    HBITMAP picture = ::CreateCompatibleBitmap(screen, 3, 2);
    CString path;
    ASSERT_EQ(SaveBitmapFile(picture, path, folder.c_str(), screen), 1);
    ASSERT_FALSE(path.IsEmpty());
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(temp.path() / "shots")) {
        files.push_back(entry.path());
    }
    ASSERT_EQ(files.size(), 1u);
    const std::string file = temp.ReadFile("shots/" + files[0].filename().string());
    // A bitmap compatible with a fresh memory context is monochrome, as on the original
    // system: two colours in the table, rows of 4 bytes.
    ASSERT_EQ(file.size(), 14u + 40u + 2u * 4u + 2u * 4u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(file[2]), 70);
    EXPECT_EQ(static_cast<unsigned char>(file[10]), 62);
    EXPECT_EQ(static_cast<unsigned char>(file[18]), 3);
    EXPECT_EQ(static_cast<unsigned char>(file[22]), 2);
    EXPECT_EQ(static_cast<unsigned char>(file[28]), 1);

    // No picture: nothing written, no name for the caller to show.
    EXPECT_EQ(SaveBitmapFile(nullptr, path, folder.c_str(), screen), 0);
    EXPECT_TRUE(path.IsEmpty());
    ::DeleteObject(picture);
    ::DeleteDC(screen);
}

}  // namespace
