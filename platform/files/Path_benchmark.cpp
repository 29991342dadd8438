#include <benchmark/benchmark.h>

#include <filesystem>

#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

// Every file call resolves its path first: exact names, names that differ in case (a folder
// listing per name) and relative names (the current folder each time).
class ResolveFixture : public benchmark::Fixture {
public:
    void SetUp(benchmark::State&) override {
        folder_ = std::make_unique<platform::testing::TempFolder>();
        for (int i = 0; i < 200; ++i) {
            folder_->WriteFile("data/file" + std::to_string(i) + ".dat", "");
        }
        platform::MapDrive('C', folder_->path());
    }
    void TearDown(benchmark::State&) override {
        platform::UnmapDrive('C');
        folder_.reset();
    }

private:
    std::unique_ptr<platform::testing::TempFolder> folder_;
};

BENCHMARK_F(ResolveFixture, ExactName)(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::ResolvePath("C:\\data\\file150.dat"));
    }
}

BENCHMARK_F(ResolveFixture, NameInAnotherCase)(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::ResolvePath("C:\\DATA\\FILE150.DAT"));
    }
}

BENCHMARK_F(ResolveFixture, RelativeName)(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::ResolvePath("data\\filter.dat"));
    }
}

BENCHMARK_F(ResolveFixture, FileAttributes)(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetFileAttributesA("C:\\data\\file150.dat"));
    }
}

}  // namespace
