#include "tray/BackupRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "common/WholeFile.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

std::vector<std::string> FilesBelow(const std::filesystem::path& root) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        files.push_back(std::filesystem::relative(entry.path(), root).generic_string() +
                        (entry.is_directory() ? "/" : ""));
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(BackupRunnerTest, CopiesFilesWithTheirLayoutButNoLinksNoEmptyFoldersAndNoRuns) {
    platform::testing::TempFolder temp;
    temp.WriteFile("src/a.txt", "a");
    temp.WriteFile("src/sub/deeper/b.txt", "bb");
    // A GBK name, as the programs write it.
    const std::string source = platform::ToWindowsPath(temp.path() / "src") + "\\";
    ASSERT_TRUE(::CreateDirectoryA((source + "计划").c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile((source + "计划\\c.txt").c_str(), "c"));
    std::filesystem::create_directories(temp.path() / "src/empty");
    // A link back to its parent would copy for ever.
    std::filesystem::create_directory_symlink(temp.path() / "src", temp.path() / "src/loop");
    // The destination inside the source holds an earlier run.
    temp.WriteFile("src/bak/earlier/old.txt", "old");

    const std::string target = source + "bak\\run\\";
    CBackupRunner runner;
    runner.Start(source, target);
    runner.WaitAll();

    EXPECT_EQ(FilesBelow(temp.path() / "src/bak/run"),
              (std::vector<std::string>{"a.txt", "sub/", "sub/deeper/", "sub/deeper/b.txt",
                                        Utf8(u8"计划/"), Utf8(u8"计划/c.txt")}));
    EXPECT_EQ(temp.ReadFile("src/bak/run/sub/deeper/b.txt"), "bb");
}

TEST(BackupRunnerTest, RunsTwoLevelsInsideTheSourceNeverHoldEarlierRuns) {
    platform::testing::TempFolder temp;
    temp.WriteFile("src/a.txt", "a");
    temp.WriteFile("src/keep/b.txt", "b");
    const std::string source = platform::ToWindowsPath(temp.path() / "src") + "\\";
    const std::string destination = source + "keep\\bak\\";
    CBackupRunner runner;
    for (const char* run : {"1", "2"}) {
        runner.Start(source, destination + run + "\\");
        runner.WaitAll();
    }
    EXPECT_EQ(FilesBelow(temp.path() / "src/keep/bak/2"),
              (std::vector<std::string>{"a.txt", "keep/", "keep/b.txt"}));
}

TEST(BackupRunnerTest, WorkersThatEndedAreJoinedAtTheNextStart) {
    platform::testing::TempFolder temp;
    temp.WriteFile("src/a.txt", "a");
    const std::string source = platform::ToWindowsPath(temp.path() / "src") + "\\";
    CBackupRunner runner;
    for (int run = 0; run < 5; ++run) {
        const std::string target =
            platform::ToWindowsPath(temp.path() / "out" / std::to_string(run)) + "\\";
        runner.Start(source, target);
        EXPECT_LE(runner.workerCount(), 2u);
        const auto copied = temp.path() / "out" / std::to_string(run) / "a.txt";
        for (int wait = 0; wait < 500 && !std::filesystem::exists(copied); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    runner.Start(source, platform::ToWindowsPath(temp.path() / "out" / "last") + "\\");
    EXPECT_EQ(runner.workerCount(), 1u);
    runner.WaitAll();
    EXPECT_EQ(runner.workerCount(), 0u);
}

TEST(BackupRunnerTest, AStoppedRunnerHasNoWorkerLeft) {
    platform::testing::TempFolder temp;
    for (int i = 0; i < 200; ++i) {
        temp.WriteFile("src/f" + std::to_string(i), "x");
    }
    const std::string source = platform::ToWindowsPath(temp.path() / "src") + "\\";
    const std::string target = platform::ToWindowsPath(temp.path() / "out") + "\\";
    {
        CBackupRunner runner;
        runner.Start(source, target);
        runner.StopAll();
    }
    // The worker has ended with the runner: what it copied no longer changes.
    const auto copied = std::filesystem::exists(temp.path() / "out")
                            ? FilesBelow(temp.path() / "out")
                            : std::vector<std::string>{};
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(std::filesystem::exists(temp.path() / "out") ? FilesBelow(temp.path() / "out")
                                                           : std::vector<std::string>{},
              copied);
}

}  // namespace
