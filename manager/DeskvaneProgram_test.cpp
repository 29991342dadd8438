// The program itself in processes of its own, on a temporary program folder: one copy at a time,
// a clean end on SIGTERM, and the tray companion's window told of every change of the plans.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "manager/ManagerTest.h"
#include "manager/ScheduleList.h"
#include "platform/testing/ChildProcess.h"
#include "platform/windows/ProcessWindows.h"

namespace manager_testing {
namespace {

using namespace std::chrono_literals;

// A program started with its output on a pipe; a program still running at the end is killed.
class Child : public platform::testing::ChildProcess {
public:
    using ChildProcess::ChildProcess;

    // The next line of output, keeping this thread's messages moving; empty after 10 s.
    std::string ReadLine() {
        return ChildProcess::ReadLine(10s, [] { platform::PumpUntilIdle(); }).value_or("");
    }
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
