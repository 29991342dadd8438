// The mobile-number lookup over the shipped table: loading it once, and the search that runs at
// each keystroke once eleven digits are typed, which must answer while typing. Beside them, as
// the peer, a plain byte scan of the deciphered table for the same seven digits, the least any
// search of this file can cost.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/WholeFile.h"
#include "manager/LookupDataFile.h"
#include "manager/MobileRangeRecord.h"
#include "platform/files/Path.h"

namespace {

const std::string kShippedTable = platform::ToWindowsPath(
    std::filesystem::path(DESKVANE_PROGRAM_FOLDER) / "data3" / "mobile.dat");

std::vector<MobileRangeRecord> LoadTable() {
    std::vector<MobileRangeRecord> records;
    ReadDataFileLines(kShippedTable.c_str(), 500,
                      [&](const char* line) { records.push_back(MobileRangeRecord::Parse(line)); });
    return records;
}

void BM_LoadMobileTable(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadTable());
    }
}
BENCHMARK(BM_LoadMobileTable)->Unit(benchmark::kMillisecond);

void BM_MobileKeystroke(benchmark::State& state) {
    const std::vector<MobileRangeRecord> records = LoadTable();
    if (records.empty()) {
        state.SkipWithError("the shipped table is missing");
        return;
    }
    const char* number = "1391234";
    for (auto _ : state) {
        int rows = 0;
        for (const MobileRangeRecord& record : records) {
            rows += record.Covers(number, 7) ? 1 : 0;
        }
        benchmark::DoNotOptimize(rows);
    }
    state.counters["records"] = static_cast<double>(records.size());
}
BENCHMARK(BM_MobileKeystroke)->Unit(benchmark::kMicrosecond);

void BM_PeerByteScan(benchmark::State& state) {
    std::vector<std::uint8_t> bytes;
    ReadWholeFile(kShippedTable.c_str(), bytes);
    std::string text(bytes.begin(), bytes.end());
    XorDataFile(text);
    const std::string number = "1391234";
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            std::search(text.begin(), text.end(), number.begin(), number.end()));
    }
}
BENCHMARK(BM_PeerByteScan)->Unit(benchmark::kMicrosecond);

}  // namespace
