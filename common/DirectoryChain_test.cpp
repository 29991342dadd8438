#include "common/DirectoryChain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"
#include "platform/text/Encoding.h"

namespace {

namespace fs = std::filesystem;

class DirectoryChainTest : public ::testing::Test {
protected:
    void TearDown() override { platform::UnmapDrive('C'); }

    // Every entry under the temporary folder, relative and in UTF-8, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(folder_.path())) {
            entries.push_back(fs::relative(entry.path(), folder_.path()).generic_string());
        }
        std::sort(entries.begin(), entries.end());
        return entries;
    }

    std::string Root() const { return platform::ToWindowsPath(folder_.path()); }

    platform::testing::TempFolder folder_;
};

TEST_F(DirectoryChainTest, CreatesEveryFolderButNotTheFileName) {
    platform::MapDrive('C', folder_.path());
    EXPECT_EQ(CreateDirectoryChain("C:/a//b/c.txt"), 0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"a", "a/b"}));

    // Existing folders are passed over and keep what they hold.
    folder_.WriteFile("a/b/keep.txt", "x");
    EXPECT_EQ(CreateDirectoryChain("C:\\a\\b\\d\\"), 0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"a", "a/b", "a/b/d", "a/b/keep.txt"}));
    EXPECT_EQ(folder_.ReadFile("a/b/keep.txt"), "x");

    EXPECT_EQ(CreateDirectoryChain((Root() + "\\z\\y.txt").c_str()), 0);
    EXPECT_TRUE(fs::is_directory(folder_.path() / "z"));
}

TEST_F(DirectoryChainTest, NeedsADrivePartAfterTheFirstCharacter) {
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    ASSERT_TRUE(SetCurrentDirectoryA(Root().c_str()));

    EXPECT_EQ(CreateDirectoryChain("a\\b\\c.txt"), 1);
    EXPECT_EQ(CreateDirectoryChain(":\\a\\b\\c.txt"), 1);
    EXPECT_EQ(CreateDirectoryChain(""), 1);
    SetCurrentDirectoryA(current);
    EXPECT_TRUE(Entries().empty());
}

TEST_F(DirectoryChainTest, SecondBytesOfCharactersAreNeitherSeparatorsNorCollapsed) {
    // 0x81 0x5C is one character whose second byte is the backslash's.
    EXPECT_EQ(CreateDirectoryChain((Root() + "\\\x81\\x\\f.txt").c_str()), 0);
    const std::string character = platform::GbkToUtf8("\x81\\");
    EXPECT_EQ(Entries(), (std::vector<std::string>{character + "x"}));

    // The character followed by a real separator: the pair of 0x5C bytes must not become one.
    EXPECT_EQ(CreateDirectoryChain((Root() + "\\\x81\\\\b\\f.txt").c_str()), 0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{character, character + "/b", character + "x"}));
}

}  // namespace
