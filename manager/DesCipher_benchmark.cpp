#include "manager/DesCipher.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/testing/TempFolder.h"
#include "platform/text/Encoding.h"

namespace {

// A megabyte: far more than a month of diary, enough to measure the cipher's throughput.
constexpr unsigned kLength = 1 << 20;

std::vector<char> Pattern() {
    std::vector<char> bytes(kLength);
    for (unsigned i = 0; i < kLength; ++i) {
        bytes[i] = static_cast<char>(i * 131 + (i >> 9));
    }
    return bytes;
}

void RunBenchmark(benchmark::State& state, bool decipher, bool cbc, const char* key,
                  unsigned char keyLength) {
    std::vector<char> buffer = Pattern();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            CDesCipher::Run(decipher, cbc, buffer.data(), buffer.data(), kLength, key, keyLength));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kLength);
}

// The file cipher's own setting: two-key EDE in ECB mode under the program key.
void BM_RunEncipherTwoKeyEcb(benchmark::State& state) {
    RunBenchmark(state, false, false, CDesCipher::kProgramKey, 16);
}
BENCHMARK(BM_RunEncipherTwoKeyEcb)->Unit(benchmark::kMillisecond);

void BM_RunDecipherTwoKeyEcb(benchmark::State& state) {
    RunBenchmark(state, true, false, CDesCipher::kProgramKey, 16);
}
BENCHMARK(BM_RunDecipherTwoKeyEcb)->Unit(benchmark::kMillisecond);

void BM_RunEncipherThreeKeyCbc(benchmark::State& state) {
    RunBenchmark(state, false, true, "0123456789abcdefFEDCBA98", 24);
}
BENCHMARK(BM_RunEncipherThreeKeyCbc)->Unit(benchmark::kMillisecond);

void BM_RunEncipherSingleDes(benchmark::State& state) {
    RunBenchmark(state, false, false, CDesCipher::kProgramKey, 8);
}
BENCHMARK(BM_RunEncipherSingleDes)->Unit(benchmark::kMillisecond);

std::string WindowsPath(const platform::testing::TempFolder& folder, const char* name) {
    return "Z:" + platform::Utf8ToGbk(folder.path().string()) + "\\" + name;
}

const std::string kCheckText = std::string("user") + "password" + CDesCipher::kTrailerSalt;

void BM_EncipherFile(benchmark::State& state) {
    platform::testing::TempFolder folder;
    const std::vector<char> bytes = Pattern();
    folder.WriteFile("plain", std::string(bytes.begin(), bytes.end()));
    const std::string plain = WindowsPath(folder, "plain");
    const std::string cipher = WindowsPath(folder, "cipher");
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            CDesCipher::EncipherFile(plain.c_str(), kCheckText.c_str(), cipher.c_str()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kLength);
}
BENCHMARK(BM_EncipherFile)->Unit(benchmark::kMillisecond);

void BM_DecipherFile(benchmark::State& state) {
    platform::testing::TempFolder folder;
    const std::vector<char> bytes = Pattern();
    folder.WriteFile("plain", std::string(bytes.begin(), bytes.end()));
    const std::string plain = WindowsPath(folder, "plain");
    const std::string cipher = WindowsPath(folder, "cipher");
    if (CDesCipher::EncipherFile(plain.c_str(), kCheckText.c_str(), cipher.c_str()) != 0) {
        state.SkipWithError("the cipher file could not be written");
        return;
    }
    const std::string result = WindowsPath(folder, "result");
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            CDesCipher::DecipherFile(result.c_str(), kCheckText.c_str(), cipher.c_str()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kLength);
}
BENCHMARK(BM_DecipherFile)->Unit(benchmark::kMillisecond);

// Wall time of one shell command, or a negative value when it fails.
double SecondsToRun(const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    char discard[256];
    while (std::fgets(discard, sizeof discard, pipe) != nullptr) {
    }
    const int status = pclose(pipe);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return status == 0 ? elapsed.count() : -1;
}

// The same two-key EDE ECB work by the openssl tool on the same machine, for comparison. Its
// start-up, measured on an 8-byte file, is taken off each run so that the rate is the cipher's.
void BM_OpenSslDesEdeEcb(benchmark::State& state) {
    platform::testing::TempFolder folder;
    const std::vector<char> bytes = Pattern();
    folder.WriteFile("plain", std::string(bytes.begin(), bytes.end()));
    folder.WriteFile("tiny", std::string(8, 't'));
    const std::string command =
        "openssl enc -des-ede -nopad -K 6b5a7034373330353b723c3d2f5f6878 -out /dev/null -in ";
    const std::string big = command + "'" + (folder.path() / "plain").string() + "' 2>&1";
    const std::string tiny = command + "'" + (folder.path() / "tiny").string() + "' 2>&1";

    double startUp = SecondsToRun(tiny);
    if (startUp < 0) {
        state.SkipWithError("openssl enc -des-ede is not available");
        return;
    }
    for (int i = 0; i < 4; ++i) {
        startUp = std::min(startUp, SecondsToRun(tiny));
    }
    for (auto _ : state) {
        const double seconds = SecondsToRun(big);
        if (seconds < 0) {
            state.SkipWithError("openssl failed");
            return;
        }
        state.SetIterationTime(std::max(seconds - startUp, 1e-6));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kLength);
}
BENCHMARK(BM_OpenSslDesEdeEcb)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
