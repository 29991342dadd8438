#include "common/WholeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

class WholeFileTest : public ::testing::Test {
protected:
    void SetUp() override { platform::MapDrive('C', folder.path()); }
    void TearDown() override { platform::UnmapDrive('C'); }

    platform::testing::TempFolder folder;
};

TEST_F(WholeFileTest, WritesThroughATemporaryFileAndReadsBackByteForByte) {
    folder.WriteFile("data.dat", "old");
    // A temporary file left by an interrupted write does not stand in the way.
    folder.WriteFile("data.dat.tmp", "half");
    const std::string bytes("a\0b\r\n\xff", 6);
    ASSERT_TRUE(WriteWholeFile("C:\\data.dat", bytes));
    EXPECT_EQ(folder.ReadFile("data.dat"), bytes);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "data.dat.tmp"));

    std::vector<std::uint8_t> read;
    ASSERT_TRUE(ReadWholeFile("C:\\data.dat", read));
    EXPECT_EQ(std::string(read.begin(), read.end()), bytes);

    ASSERT_TRUE(WriteWholeFile("C:\\empty.dat", ""));
    ASSERT_TRUE(ReadWholeFile("C:\\empty.dat", read));
    EXPECT_TRUE(read.empty());
}

TEST_F(WholeFileTest, FailuresLeaveThePreviousFileAndReportFalse) {
    EXPECT_FALSE(WriteWholeFile("C:\\missing\\data.dat", "x"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "missing"));

    std::vector<std::uint8_t> read{1, 2, 3};
    EXPECT_FALSE(ReadWholeFile("C:\\missing.dat", read));

    // A file beyond the limit is refused without sizing a buffer after it.
    folder.WriteFile("huge.dat", "");
    std::filesystem::resize_file(folder.path() / "huge.dat", kMaxWholeFileSize + 1);
    EXPECT_FALSE(ReadWholeFile("C:\\huge.dat", read));
    EXPECT_TRUE(read.empty());
}

}  // namespace
