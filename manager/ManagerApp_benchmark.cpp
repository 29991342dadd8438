// Start of the desktop manager, headless, to its first shown main window, beside the browser's
// start to its own main window measured the same way in the same run. Each program runs from a
// temporary copy of its program folder and is ended with SIGTERM after each start.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "manager/ManagerMainDlg.h"
#include "platform/testing/TempFolder.h"
#include "platform/windows/ProcessWindows.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

BOOL CALLBACK CountVisible(HWND hwnd, LPARAM count) {
    if (::IsWindowVisible(hwnd)) {
        ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

// A visible top-level window of another process (this one has none).
bool AnyWindowShows() {
    int count = 0;
    ::EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&count));
    return count > 0;
}

class ProgramStart {
public:
    ProgramStart(const char* folder, const char* program, const char* name) {
        std::filesystem::copy(folder, programFolder_.path(),
                              std::filesystem::copy_options::recursive);
        executable_ = programFolder_.path() / name;
        std::filesystem::copy_file(program, executable_,
                                   std::filesystem::copy_options::overwrite_existing);
        ::setenv("PLATFORM_REGISTRY_FILE", (outside_.path() / "registry.dat").c_str(), 1);
        ::setenv("PLATFORM_LINK_DIR", (outside_.path() / "link").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (outside_.path() / "config").c_str(), 1);
        ::setenv("HOME", outside_.path().c_str(), 1);
        // Headless even where a desktop is at hand: the start measured is the program's own.
        ::setenv("PLATFORM_DISPLAY", "headless", 1);
        platform::ConnectWindowsToLink();
    }
    ~ProgramStart() { platform::DisconnectWindowsFromLink(); }

    // Starts the program and waits for its window; false when none showed within 10 s.
    bool Start() {
        std::string path = executable_.string();
        char* argv[] = {path.data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addchdir_np(&actions, programFolder_.path().c_str());
        const bool spawned =
            posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (spawned && std::chrono::steady_clock::now() < deadline) {
            if (AnyWindowShows()) {
                return true;
            }
            std::this_thread::sleep_for(200us);
        }
        return false;
    }
    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
        // The closed window leaves the link before the next start.
        while (AnyWindowShows()) {
            std::this_thread::sleep_for(1ms);
        }
    }

private:
    platform::testing::TempFolder outside_;
    platform::testing::TempFolder programFolder_;
    std::filesystem::path executable_;
    pid_t pid_ = -1;
};

void RunStarts(benchmark::State& state, const char* folder, const char* program, const char* name) {
    ProgramStart start(folder, program, name);
    for (auto _ : state) {
        if (!start.Start()) {
            state.SkipWithError("no window showed");
            break;
        }
        state.PauseTiming();
        start.Stop();
        state.ResumeTiming();
    }
}

void BM_DeskvaneStartToMainWindow(benchmark::State& state) {
    RunStarts(state, DESKVANE_PROGRAM_FOLDER, DESKVANE_PATH, "dv.exe");
}
BENCHMARK(BM_DeskvaneStartToMainWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_QuorraStartToMainWindow(benchmark::State& state) {
    RunStarts(state, QUORRA_PROGRAM_FOLDER, QUORRA_PATH, "quorra.exe");
}
BENCHMARK(BM_QuorraStartToMainWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
