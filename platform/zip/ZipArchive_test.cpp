#include "platform/zip/ZipArchive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/files/MappedDriveTest.h"

namespace platform {
namespace {

using ZipArchiveTest = testing::MappedDriveTest;

// Packs the files of the mapped folder named in `names` with Info-ZIP's zip into `archive`
// (paths relative to the folder, UTF-8 as on disk).
void Pack(const std::filesystem::path& folder, const std::string& archive,
          const std::string& names) {
    const std::string command =
        "cd '" + folder.string() + "' && zip -q -X '" + archive + "' " + names;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

std::string ReadFirstEntry(unzFile archive) {
    std::string content;
    if (unzGoToFirstFile(archive) != UNZ_OK || unzOpenCurrentFile(archive) != UNZ_OK) {
        return "(no entry)";
    }
    char buffer[7];
    int count = 0;
    while ((count = unzReadCurrentFile(archive, buffer, sizeof buffer)) > 0) {
        content.append(buffer, static_cast<size_t>(count));
    }
    EXPECT_EQ(count, 0);
    EXPECT_EQ(unzCloseCurrentFile(archive), UNZ_OK);
    return content;
}

TEST_F(ZipArchiveTest, OpensAnArchiveByItsWindowsPathWithAGbkNameInAnyCase) {
    const std::string content =
        std::string("first line\r\n\0binary\xff", 21) + std::string(5000, 'z');
    Write("pack/payload.bin", content);
    // On disk the names are UTF-8; the program names them in GBK.
    std::filesystem::create_directories(OnDisk(u8"更新"));
    Pack(OnDisk("pack"), (OnDisk(u8"更新") / u8"档案.zip").string(), "payload.bin");

    unzFile archive = OpenZipArchive("c:/更新\\档案.ZIP");
    ASSERT_NE(archive, nullptr);
    unz_global_info64 info{};
    EXPECT_EQ(unzGetGlobalInfo64(archive, &info), UNZ_OK);
    EXPECT_EQ(info.number_entry, 1u);
    EXPECT_EQ(ReadFirstEntry(archive), content);
    EXPECT_EQ(unzClose(archive), UNZ_OK);
}

TEST_F(ZipArchiveTest, MissingFilesAndOtherContentAreRefused) {
    Write("plain.zip", "PK\x03\x04 but nothing more");
    EXPECT_EQ(OpenZipArchive("C:\\missing.zip"), nullptr);
    EXPECT_EQ(OpenZipArchive("C:\\plain.zip"), nullptr);
    EXPECT_EQ(OpenZipArchive("C:\\bad|name.zip"), nullptr);

    // A damaged entry is found out while reading, by the entry's checksum at the latest.
    Write("pack/text.txt", std::string(20000, 'a') + "tail");
    Pack(OnDisk("pack"), OnDisk("whole.zip").string(), "text.txt");
    std::string bytes = Read("whole.zip");
    bytes[bytes.find("text.txt") + 20] ^= 0x55;
    Write("damaged.zip", bytes);
    unzFile archive = OpenZipArchive("C:\\damaged.zip");
    ASSERT_NE(archive, nullptr);
    ASSERT_EQ(unzGoToFirstFile(archive), UNZ_OK);
    ASSERT_EQ(unzOpenCurrentFile(archive), UNZ_OK);
    char buffer[4096];
    int count = 0;
    while ((count = unzReadCurrentFile(archive, buffer, sizeof buffer)) > 0) {
    }
    const int closed = unzCloseCurrentFile(archive);
    EXPECT_TRUE(count < 0 || closed == UNZ_CRCERROR) << count << " " << closed;
    unzClose(archive);
}

}  // namespace
}  // namespace platform
