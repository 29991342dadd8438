#include "browser/PendingUpdate.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "browser/StartUpTest.h"
#include "common/AppFolder.h"
#include "platform/process/ProcessApi.h"

namespace {

class PendingUpdateTest : public browser_testing::StartUpTest {
protected:
    void SetUp() override {
        StartUpTest::SetUp();
        folder.WriteFile("quorra.exe", "program version 1");
        GetAppFolder();
        platform::ClearStartedProcesses();
    }
    void TearDown() override {
        platform::SetProcessStartInterceptor({});
        platform::ClearStartedProcesses();
        StartUpTest::TearDown();
    }

    void WriteUpdater() {
        folder.WriteFile("ux.exe", "#!/bin/sh\nexit 0\n");
        std::filesystem::permissions(folder.path() / "ux.exe", std::filesystem::perms::owner_all);
    }
};

TEST_F(PendingUpdateTest, NoPendingFileMeansNoUpdate) {
    EXPECT_FALSE(CPendingUpdate::Check());
}

TEST_F(PendingUpdateTest, APendingFileLikeTheProgramIsInstalledAlready) {
    folder.WriteFile("data/quorra.np", "program version 1");
    EXPECT_FALSE(CPendingUpdate::Check());
}

TEST_F(PendingUpdateTest, APendingFileThatDiffersWaitsForTheUpdater) {
    folder.WriteFile("data/quorra.np", "program version 2");
    EXPECT_TRUE(CPendingUpdate::Check());
}

TEST_F(PendingUpdateTest, TheNamesAreFoundWhateverTheirCaseOnDisk) {
    std::filesystem::remove_all(folder.path() / "data");
    folder.WriteFile("Data/Quorra.NP", "program version 2");
    EXPECT_TRUE(CPendingUpdate::Check());
}

TEST_F(PendingUpdateTest, AnUnreadableFileHasAnEmptyDigest) {
    // A folder of that name is found but cannot be read as a file.
    std::filesystem::create_directories(folder.path() / "data/quorra.np");
    EXPECT_TRUE(CPendingUpdate::Check());
    // With the program file missing too, both digests are empty and equal.
    std::filesystem::remove(folder.path() / "quorra.exe");
    EXPECT_FALSE(CPendingUpdate::Check());
}

TEST_F(PendingUpdateTest, AMissingProgramFileDiffersFromAnyPendingFile) {
    folder.WriteFile("data/quorra.np", "program version 1");
    std::filesystem::remove(folder.path() / "quorra.exe");
    EXPECT_TRUE(CPendingUpdate::Check());
}

TEST_F(PendingUpdateTest, TheUpdaterStartsFromTheProgramFolderWithTheSingleArgumentUpdate) {
    WriteUpdater();
    platform::SetProcessStartInterceptor([](const platform::ProcessStart&) { return 0; });
    EXPECT_TRUE(CPendingUpdate::StartUpdater());
    const std::vector<platform::ProcessStart> starts = platform::StartedProcesses();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].kind, platform::ProcessStart::Kind::kProgram);
    EXPECT_EQ(std::filesystem::canonical(starts[0].program),
              std::filesystem::canonical(folder.path() / "ux.exe"));
    EXPECT_EQ(starts[0].arguments, std::vector<std::string>{"update"});
}

TEST_F(PendingUpdateTest, AnUpdaterThatDoesNotStartIsReported) {
    EXPECT_FALSE(CPendingUpdate::StartUpdater());
    WriteUpdater();
    platform::SetProcessStartInterceptor([](const platform::ProcessStart&) { return EACCES; });
    EXPECT_FALSE(CPendingUpdate::StartUpdater());
}

}  // namespace
