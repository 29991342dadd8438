// Loading the process list page's list with 500 more processes running than usual: the process
// snapshot from /proc, one row per process with its copied record, and clearing the rows again.
// Beside it, as the peer, the system's own process lister `ps` over the same processes in the
// same run.
#include "manager/ProcessListPage.h"

#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <vector>

#include "manager/BenchmarkWindows.h"
#include "resources/deskvane/resource.h"

extern char** environ;

namespace {

constexpr int kExtraProcesses = 500;

// Sleeping children that make the process table 500 entries longer while they live.
class Sleepers {
public:
    Sleepers() {
        char sleep[] = "sleep";
        char seconds[] = "600";
        char* argv[] = {sleep, seconds, nullptr};
        for (int i = 0; i < kExtraProcesses; ++i) {
            pid_t pid = 0;
            if (::posix_spawnp(&pid, "sleep", nullptr, nullptr, argv, environ) == 0) {
                pids_.push_back(pid);
            }
        }
    }
    ~Sleepers() {
        for (pid_t pid : pids_) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    int Count() const { return static_cast<int>(pids_.size()); }

private:
    std::vector<pid_t> pids_;
};

void BM_LoadProcessList(benchmark::State& state) {
    Sleepers sleepers;
    BenchmarkWindows windows;
    CProcessListPage page;
    page.Create(IDD_PROCESSES, windows.Owner());
    CListCtrl& list = *static_cast<CListCtrl*>(page.GetDlgItem(IDC_PROCESS_LIST));
    for (auto _ : state) {
        page.RefreshList();
    }
    state.counters["rows"] = list.GetItemCount();
    state.counters["extra"] = sleepers.Count();
    page.DestroyWindow();
}
BENCHMARK(BM_LoadProcessList)->Unit(benchmark::kMillisecond);

void BM_PeerPs(benchmark::State& state) {
    Sleepers sleepers;
    for (auto _ : state) {
        FILE* ps = ::popen("ps -e -o pid=,comm=,pri=", "r");
        char line[512];
        int rows = 0;
        while (ps != nullptr && std::fgets(line, sizeof(line), ps) != nullptr) {
            ++rows;
        }
        if (ps != nullptr) {
            ::pclose(ps);
        }
        state.counters["rows"] = rows;
    }
}
BENCHMARK(BM_PeerPs)->Unit(benchmark::kMillisecond);

}  // namespace
