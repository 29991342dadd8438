#include "manager/ManagerDirectoryChain.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

TEST(ManagerDirectoryChainTest, MakesTheFolderUpToEachBackslashInTurn) {
    platform::testing::TempFolder folder;
    platform::MapDrive('M', folder.path());
    EXPECT_EQ(manager::CreateDirectoryChain("M:\\notebook\\张三\\"), 0);
    // GBK names are UTF-8 on disk.
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "notebook" /
                                              std::filesystem::path(u8"张三")));
    // "\x95\x5C" is one GBK character whose second byte is a backslash: no folder ends there.
    manager::CreateDirectoryChain("M:\\a\x95\\b\\");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              2);
    // A slash separates nothing here: "x" is never made, so "x/y" cannot be either.
    manager::CreateDirectoryChain("M:\\x/y\\");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "x"));
    EXPECT_EQ(manager::CreateDirectoryChain(nullptr), 0);
    platform::UnmapDrive('M');
}

}  // namespace
