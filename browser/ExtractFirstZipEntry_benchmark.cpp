// Unpacking an update archive, measured beside Info-ZIP's unzip on the same archive in the same
// run: ExtractFirstZipEntry is expected to reach at least 80 % of unzip's bytes per second.
#include "browser/ExtractFirstZipEntry.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/files/FileApi.h"
#include "platform/testing/TempFolder.h"

namespace {

constexpr std::size_t kEntrySize = 50u << 20;

struct SampleArchive {
    platform::testing::TempFolder folder;
    std::string archive;
    std::string windowsArchive;
};

// Text-like content that deflate shrinks to about a third, made once and shared, so both
// measurements unpack the same archive, warm in the page cache.
const SampleArchive& Sample() {
    static const std::unique_ptr<SampleArchive> sample = [] {
        auto made = std::make_unique<SampleArchive>();
        const std::string entry = (made->folder.path() / "entry.txt").string();
        static const char* const kWords[] = {"quorra ", "update ", "page\r\n", "data ",
                                             "skin ",   "zip ",    "list ",    "0123456789 "};
        std::string text;
        text.reserve(kEntrySize + 16);
        std::uint32_t seed = 0x2468ace1;
        while (text.size() < kEntrySize) {
            seed = seed * 1664525u + 1013904223u;
            text += kWords[seed >> 29];
            text += static_cast<char>('a' + (seed >> 8) % 26);
        }
        text.resize(kEntrySize);
        FILE* file = std::fopen(entry.c_str(), "wb");
        if (file != nullptr) {
            std::fwrite(text.data(), 1, text.size(), file);
            std::fclose(file);
        }
        made->archive = (made->folder.path() / "archive.zip").string();
        const std::string command = "cd '" + made->folder.path().string() +
                                    "' && zip -q -X archive.zip entry.txt && rm entry.txt";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "zip failed\n");
        }
        made->windowsArchive = "Z:" + made->archive;
        return made;
    }();
    return *sample;
}

void BM_ExtractFirstZipEntry(benchmark::State& state) {
    const SampleArchive& sample = Sample();
    for (auto _ : state) {
        CString unpacked;
        if (ExtractFirstZipEntry(sample.windowsArchive.c_str(), unpacked) != 0) {
            state.SkipWithError("unpacking failed");
            break;
        }
        state.PauseTiming();
        DeleteFileA(unpacked);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kEntrySize));
}
BENCHMARK(BM_ExtractFirstZipEntry)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_InfoZipUnzip(benchmark::State& state) {
    const SampleArchive& sample = Sample();
    const std::filesystem::path out = sample.folder.path() / "unzip-out";
    const std::string command = "unzip -o -qq '" + sample.archive + "' -d '" + out.string() + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("unzip failed");
            break;
        }
        state.PauseTiming();
        std::filesystem::remove_all(out);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kEntrySize));
}
BENCHMARK(BM_InfoZipUnzip)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
