// A backup of a folder tree of 10 000 files and 1 GiB in all, beside "cp -r" of the same tree in
// the same run. Each copy goes to a fresh folder, removed afterwards.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"
#include "tray/BackupRunner.h"

extern char** environ;

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr std::size_t kFileBytes = (std::size_t{1} << 30) / (kFolders * kFilesPerFolder);

// The tree, made once for both benchmarks.
const platform::testing::TempFolder& Tree() {
    static platform::testing::TempFolder* tree = [] {
        auto* folder = new platform::testing::TempFolder;
        const std::string bytes(kFileBytes, 'x');
        for (int f = 0; f < kFolders; ++f) {
            const auto sub = folder->path() / "src" / ("folder" + std::to_string(f));
            std::filesystem::create_directories(sub);
            for (int i = 0; i < kFilesPerFolder; ++i) {
                std::ofstream(sub / ("file" + std::to_string(i) + ".dat"), std::ios::binary)
                    << bytes;
            }
        }
        return folder;
    }();
    return *tree;
}

void BM_BackupRunner(benchmark::State& state) {
    const auto& tree = Tree();
    const std::string source = platform::ToWindowsPath(tree.path() / "src") + "\\";
    for (auto _ : state) {
        const auto out = tree.path() / "out";
        const std::string target = platform::ToWindowsPath(out) + "\\";
        CBackupRunner runner;
        runner.Start(source, target);
        runner.WaitAll();
        state.PauseTiming();
        std::filesystem::remove_all(out);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kFileBytes) * kFolders *
                            kFilesPerFolder);
}
BENCHMARK(BM_BackupRunner)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_CpRecursive(benchmark::State& state) {
    const auto& tree = Tree();
    for (auto _ : state) {
        const auto out = tree.path() / "out";
        std::string source = (tree.path() / "src").string();
        std::string target = out.string();
        char program[] = "cp";
        char recursive[] = "-r";
        char* argv[] = {program, recursive, source.data(), target.data(), nullptr};
        pid_t child = -1;
        if (posix_spawnp(&child, "cp", nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cp does not start");
            return;
        }
        waitpid(child, nullptr, 0);
        state.PauseTiming();
        std::filesystem::remove_all(out);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kFileBytes) * kFolders *
                            kFilesPerFolder);
}
BENCHMARK(BM_CpRecursive)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
