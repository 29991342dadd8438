// The program itself in processes of its own, on a temporary program folder: one copy at a time,
// a clean end on SIGTERM, and the tray companion's window told of every change of the plans.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "manager/ManagerTest.h"
#include "manager/ScheduleList.h"
#include "platform/windows/ProcessWindows.h"

extern char** environ;

namespace manager_testing {
namespace {

using namespace std::chrono_literals;

// A program started with its output on a pipe; a program still running at the end is killed.
class Child {
public:
    explicit Child(std::vector<std::string> words) {
        int output[2];
        if (pipe(output) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclosefrom_np(&actions, 3);
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(output[1]);
        output_ = output[0];
    }
    ~Child() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            Wait();
        }
        close(output_);
    }
    void Signal(int signal) const { kill(pid_, signal); }
    // The next line of output, keeping this thread's messages moving; empty after 10 s.
    std::string ReadLine() {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (std::chrono::steady_clock::now() < deadline) {
            if (const std::size_t newline = pending_.find('\n'); newline != std::string::npos) {
                std::string line = pending_.substr(0, newline);
                pending_.erase(0, newline + 1);
                return line;
            }
            platform::PumpUntilIdle();
            pollfd ready{output_, POLLIN, 0};
            char buffer[256];
            if (poll(&ready, 1, 10) > 0) {
                const ssize_t got = read(output_, buffer, sizeof(buffer));
                if (got <= 0) {
                    break;
                }
                pending_.append(buffer, static_cast<std::size_t>(got));
            }
        }
        return {};
    }
    // The exit status, -1 when the program did not exit by itself within 10 s.
    int Wait() {
        const pid_t pid = pid_;
        pid_ = -1;
        for (int i = 0; i < 1000 && pid > 0; ++i) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(10ms);
        }
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        return -1;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
};

class DeskvaneProgramTest : public ManagerTest {
protected:
    void SetUp() override {
        ManagerTest::SetUp();
        ::setenv("PLATFORM_REGISTRY_FILE", (outside.path() / "registry.dat").c_str(), 1);
        ASSERT_TRUE(platform::ConnectWindowsToLink());
        std::filesystem::copy_file(DESKVANE_PATH, folder.path() / "dv.exe",
                                   std::filesystem::copy_options::overwrite_existing);
    }
    void TearDown() override {
        platform::DisconnectWindowsFromLink();
        ::unsetenv("PLATFORM_REGISTRY_FILE");
        ManagerTest::TearDown();
    }
    // Waits (10 s at most) until a window with the title exists in some process.
    static bool AppearsInTime(const char* title) {
        for (int i = 0; i < 1000; ++i) {
            platform::PumpUntilIdle();
            if (::FindWindowA(nullptr, title) != nullptr) {
                return true;
            }
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }
    std::string Program() const { return (folder.path() / "dv.exe").string(); }
};

TEST_F(DeskvaneProgramTest, ASecondStartLeavesTheFirstAndSigtermEndsItCleanly) {
    Child first({Program()});
    ASSERT_TRUE(AppearsInTime(kManagerTitle));
    const HWND running = ::FindWindowA(nullptr, kManagerTitle);

    Child second({Program()});
    EXPECT_EQ(second.Wait(), 0);
    EXPECT_EQ(::FindWindowA(nullptr, kManagerTitle), running);

    first.Signal(SIGTERM);
    EXPECT_EQ(first.Wait(), 0);
    // The window closed as a user closes it: its state was saved.
    EXPECT_EQ(folder.ReadFile("data/config2.dat").size(), 28u);
}

TEST_F(DeskvaneProgramTest, EverySaveOfThePlansReachesTheTrayCompanionsWindow) {
    Child tray({WINDOW_PEER_PATH, "serve", kTrayTitle});
    ASSERT_EQ(tray.ReadLine(), "ready");
    ScheduleRecords().push_back(std::make_unique<ScheduleRecord>());
    ASSERT_EQ(SaveScheduleRecords(), 0);
    EXPECT_EQ(tray.ReadLine(), "got 1030 0 0");
    // A file that cannot be written tells no one.
    std::filesystem::create_directory(folder.path() / "data3" / "record.dat.tmp");
    std::filesystem::create_directory(folder.path() / "data3" / "record.dat.tmp" / "x");
    EXPECT_EQ(SaveScheduleRecords(), 1);
    ::PostMessageA(::FindWindowA(nullptr, kTrayTitle), WM_USER + 5, 0, 0);
    EXPECT_EQ(tray.ReadLine(), "got 1029 0 0");
}

}  // namespace
}  // namespace manager_testing
