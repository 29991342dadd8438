// File digest throughput, measured beside the system's md5sum on the same file in the same run:
// Md5File is expected to reach at least 90 % of md5sum's bytes per second.
#include "common/Md5Digest.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/testing/TempFolder.h"

namespace {

constexpr std::size_t kFileSize = 256u << 20;

struct SampleFile {
    platform::testing::TempFolder folder;
    std::string linuxPath;
    std::string windowsPath;
};

// Made once and shared, so both measurements read the same file, warm in the page cache.
const SampleFile& Sample() {
    static const std::unique_ptr<SampleFile> sample = [] {
        auto made = std::make_unique<SampleFile>();
        made->linuxPath = (made->folder.path() / "sample.bin").string();
        made->windowsPath = "Z:" + made->linuxPath;
        std::vector<unsigned char> chunk(1 << 20);
        std::uint32_t seed = 0x12345678;
        FILE* file = std::fopen(made->linuxPath.c_str(), "wb");
        for (std::size_t written = 0; file != nullptr && written < kFileSize;
             written += chunk.size()) {
            for (unsigned char& byte : chunk) {
                seed = seed * 1664525u + 1013904223u;
                byte = static_cast<unsigned char>(seed >> 24);
            }
            std::fwrite(chunk.data(), 1, chunk.size(), file);
        }
        if (file != nullptr) {
            std::fclose(file);
        }
        return made;
    }();
    return *sample;
}

std::string Md5FileDigest(const std::string& path) {
    CMd5Digest md5;
    char text[33] = "";
    if (md5.Md5File(path.c_str(), text) != 0) {
        return std::string();
    }
    return text;
}

std::string Md5sumDigest(const std::string& path) {
    const std::string command = "md5sum '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return std::string();
    }
    char line[128] = "";
    const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    pclose(pipe);
    return read ? std::string(line, 32) : std::string();
}

void BM_Md5File(benchmark::State& state) {
    const SampleFile& sample = Sample();
    const std::string expected = Md5sumDigest(sample.linuxPath);
    for (auto _ : state) {
        const std::string digest = Md5FileDigest(sample.windowsPath);
        if (digest != expected) {
            state.SkipWithError("the digest differs from md5sum's");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}
BENCHMARK(BM_Md5File)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_Md5sum(benchmark::State& state) {
    const SampleFile& sample = Sample();
    for (auto _ : state) {
        if (Md5sumDigest(sample.linuxPath).empty()) {
            state.SkipWithError("md5sum could not be run");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}
BENCHMARK(BM_Md5sum)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
