#include "browser/ExtractFirstZipEntry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/files/MappedDriveTest.h"

namespace {

class ExtractFirstZipEntryTest : public platform::testing::MappedDriveTest {
protected:
    // Packs the staged paths (relative to "stage", in this order) into `archive` with Info-ZIP.
    void Pack(const std::string& archive, const std::string& names) {
        const std::string command = "cd '" + OnDisk("stage").string() + "' && zip -q -X '" +
                                    OnDisk(archive).string() + "' " + names;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    int Extract(const char* archive) {
        outPath = "untouched";
        return ExtractFirstZipEntry(archive, outPath);
    }
    CString outPath;
};

TEST_F(ExtractFirstZipEntryTest, TheFirstEntryIsUnpackedBesideTheArchiveWithoutReplacingAFile) {
    Write("stage/main.htm", "unpacked page");
    Write("stage/second.txt", "second");
    Write("stage/skin/x.ini", "in a folder");
    Write("data/main.htm", "the live start page");
    Write("data/skin/keep", "");
    Pack("data/a.zip", "main.htm second.txt");
    Pack("data/b.zip", "skin/x.ini");

    EXPECT_EQ(Extract("C:\\data\\a.zip"), 0);
    EXPECT_EQ(std::string(outPath), "C:\\data\\main.htm.unz");
    EXPECT_EQ(Read("data/main.htm.unz"), "unpacked page");
    EXPECT_EQ(Read("data/main.htm"), "the live start page");
    EXPECT_EQ(Extract("C:\\data\\b.zip"), 0);
    EXPECT_EQ(Read("data/skin/x.ini.unz"), "in a folder");
}

TEST_F(ExtractFirstZipEntryTest, WhatCannotBeUnpackedWholeLeavesNothing) {
    Write("stage/skin/x.ini", "in a folder");
    Write("stage/big.txt", std::string(100000, 'b') + "end");
    Write("data/keep.txt", "");
    Pack("data/folder.zip", "skin skin/x.ini");
    Pack("data/sub.zip", "skin/x.ini");
    Pack("data/big.zip", "big.txt");
    std::string big = Read("data/big.zip");
    Write("data/cut.zip", big.substr(0, big.size() / 2));
    // A damaged byte inside the compressed data, found by inflating or by the checksum.
    big[big.find("big.txt") + 20] ^= 0x21;
    Write("data/damaged.zip", big);

    for (const char* archive :
         {"C:\\data\\folder.zip", "C:\\data\\sub.zip", "C:\\data\\cut.zip", "C:\\data\\damaged.zip",
          "C:\\data\\missing.zip", "C:\\data\\keep.txt"}) {
        EXPECT_EQ(Extract(archive), 1) << archive;
        EXPECT_EQ(std::string(outPath), "untouched") << archive;
    }
    EXPECT_FALSE(std::filesystem::exists(OnDisk("data/big.txt.unz")));
    EXPECT_FALSE(std::filesystem::exists(OnDisk("data/skin")));
}

}  // namespace
