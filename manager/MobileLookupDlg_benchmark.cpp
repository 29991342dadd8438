// One keystroke of the mobile-number lookup over the shipped table, as the user meets it: the
// dialog's search with its list rows emptied and refilled through the list view. The peer in the
// same run is LookupDataFile_benchmark's plain scan of the records (BM_MobileKeystroke).
#include "manager/MobileLookupDlg.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "manager/BenchmarkWindows.h"
#include "platform/files/Path.h"
#include "resources/deskvane/resource.h"

namespace {

void BM_MobileKeystrokeInTheDialog(benchmark::State& state) {
    BenchmarkWindows windows;
    CMobileLookupDlg dialog;
    dialog.Create(IDD_MOBILE, windows.Owner());
    const std::string table = platform::ToWindowsPath(
        std::filesystem::path(DESKVANE_PROGRAM_FOLDER) / "data3" / "mobile.dat");
    if (dialog.LoadData(table.c_str()) != 0 || dialog.Records().empty()) {
        state.SkipWithError("the shipped table is missing");
    } else {
        int rows = 0;
        for (auto _ : state) {
            rows = dialog.ListRanges("13912345678");
        }
        state.counters["rows"] = rows;
        state.counters["records"] = static_cast<double>(dialog.Records().size());
    }
    dialog.DestroyWindow();
}
BENCHMARK(BM_MobileKeystrokeInTheDialog)->Unit(benchmark::kMicrosecond);

}  // namespace
