#include "common/AppFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"
#include "platform/text/Encoding.h"

namespace {

class AppFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char current[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, current);
        savedCurrent_ = current;
    }
    void TearDown() override {
        platform::ClearModuleFileNameOverride();
        SetCurrentDirectoryA(savedCurrent_.c_str());
    }

    static std::string CurrentDirectory() {
        char current[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, current);
        return current;
    }

    // The temporary folder as the programs name it (GBK, drive Z:), with a trailing backslash.
    std::string Root() const { return platform::ToWindowsPath(folder_.path()) + "\\"; }

    platform::testing::TempFolder folder_;

private:
    std::string savedCurrent_;
};

TEST_F(AppFolderTest, KeepsTheFolderOfTheProgramFileWithItsBackslash) {
    platform::OverrideModuleFileName(Root() + "prog\\quorra.exe");
    const std::string before = CurrentDirectory();
    EXPECT_EQ(GetAppFolderNoChdir(), (Root() + "prog\\").c_str());
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST_F(AppFolderTest, GetAppFolderMakesRelativeDataPathsResolveInThatFolder) {
    folder_.WriteFile("prog/data/first.dat", "here");
    platform::OverrideModuleFileName(Root() + "prog\\quorra.exe");

    EXPECT_EQ(GetAppFolder(), (Root() + "prog\\").c_str());
    FILE* file = platform::OpenStdioFile("data\\first.dat", "rb");
    ASSERT_NE(file, nullptr);
    char text[8] = "";
    EXPECT_EQ(std::fread(text, 1, 4, file), 4u);
    std::fclose(file);
    EXPECT_STREQ(text, "here");
}

TEST_F(AppFolderTest, ABackslashAsTheSecondByteOfACharacterIsNoSeparator) {
    // 0x81 0x5C is one character whose second byte is the backslash's.
    platform::OverrideModuleFileName(Root() + "prog\\quorra\x81\\.exe");
    EXPECT_EQ(GetAppFolderNoChdir(), (Root() + "prog\\").c_str());
    platform::OverrideModuleFileName(Root() + "程序\x81\\\\quorra.exe");
    EXPECT_EQ(GetAppFolderNoChdir(), (Root() + "程序\x81\\\\").c_str());
}

TEST_F(AppFolderTest, WithoutAnOverrideItIsTheFolderOfTheRunningTestProgram) {
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(GetAppFolderNoChdir(),
              (platform::ToWindowsPath(program.parent_path()) + "\\").c_str());
}

}  // namespace
