// The manager on a desktop (an X server of its own, from xvfb-run): started on a temporary program
// folder, its menu pane (a web control showing data2/menu.htm) is rendered by the desktop's page
// engine and its links switch the manager's page, as a person clicking them sees.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "platform/testing/ChildProcess.h"
#include "platform/testing/ProgramFolder.h"
#include "platform/testing/ShellCommand.h"
#include "platform/testing/TempFolder.h"
#include "platform/testing/WaitUntil.h"

namespace {

using platform::testing::Shell;
using platform::testing::Xdotool;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 20s) {
    return platform::testing::WaitUntil(condition, limit);
}

// The share of the pixels of `area` ("WxH+X+Y") in the picture `file` within `fuzz` of `colour`:
// the area is compared with a plain picture of that colour.
double ShareOfColour(const fs::path& file, const std::string& area, const std::string& colour,
                     const std::string& fuzz) {
    int width = 0;
    int height = 0;
    if (std::sscanf(area.c_str(), "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0) {
        return 0;
    }
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const std::string differing =
        Shell("convert '" + file.string() + "[" + area + "]' +repage png:- | compare -metric AE " +
              "-fuzz " + fuzz + " - -size " + size + " 'xc:" + colour + "' null: 2>&1");
    char* end = nullptr;
    const double count = std::strtod(differing.c_str(), &end);
    return end == differing.c_str() ? 0 : 1 - count / (static_cast<double>(width) * height);
}

// The count of pixels of `area` ("[WxH+X+Y]") that differ between two pictures; -1 when they
// cannot be compared (a picture still being written).
long DifferingPixels(const fs::path& first, const fs::path& second, const std::string& area) {
    const std::string count = Shell("compare -metric AE '" + first.string() + area + "' '" +
                                    second.string() + area + "' null: 2>&1");
    char* end = nullptr;
    const long differing = std::strtol(count.c_str(), &end, 10);
    return end == count.c_str() ? -1 : differing;
}

class DeskvaneDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs an X server: the desktop tests run under xvfb-run";
        }
        // The manager alone: without dvtp.exe in the folder it starts no tray companion.
        ASSERT_FALSE(platform::testing::LayOutProgramFolder(folder_.path(), DV_PROGRAM_FOLDER,
                                                            DESKVANE_PATH, "dv.exe")
                         .empty());
    }
    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    void Start() {
        pid_ = fork();
        if (pid_ == 0) {
            chdir(folder_.path().c_str());
            setenv("PLATFORM_DISPLAY", "desktop", 1);
            setenv("HOME", (outside_.path() / "home").c_str(), 1);
            setenv("PLATFORM_LINK_DIR", (outside_.path() / "link").c_str(), 1);
            setenv("PLATFORM_REGISTRY_FILE", (outside_.path() / "registry.dat").c_str(), 1);
            freopen("/dev/null", "w", stdout);
            freopen((outside_.path() / "stderr.txt").c_str(), "w", stderr);
            execl("./dv.exe", "dv.exe", static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(pid_, 0);
        const char8_t title[] = u8"Deskvane - 管理中心";
        ASSERT_TRUE(WaitFor([&] {
            window_ = Shell("xdotool search --onlyvisible --name '^" +
                            std::string(title, title + sizeof(title) - 1) + "$' 2>/dev/null");
            return !window_.empty();
        }));
    }
    bool Photograph(const fs::path& file) const {
        return std::system(("import -window " + window_ + " '" + file.string() + "'").c_str()) == 0;
    }
    void Click(int x, int y) const {
        Xdotool("mousemove --window " + window_ + " " + std::to_string(x) + " " +
                std::to_string(y) + " click 1");
    }

    platform::testing::TempFolder outside_;
    platform::testing::TempFolder folder_;
    pid_t pid_ = -1;
    std::string window_;
};

TEST_F(DeskvaneDesktopTest, MenuPaneShowsTheMenuPageAndItsLinkShowsItsPage) {
    Start();
    const fs::path shot = fs::path(PROJECT_TEST_OUTPUT_DIR) / "deskvane-desktop-menu.png";
    fs::create_directories(shot.parent_path());
    // The pane's background and its headings' colour, as the page's style sets them; the engine
    // paints the text after the background, and under load seconds later.
    const std::string menu = "130x400+4+40";
    ASSERT_TRUE(WaitFor(
        [&] {
            return Photograph(shot) && ShareOfColour(shot, menu, "#F4F7FC", "1%") > 0.5 &&
                   ShareOfColour(shot, menu, "#3A5A8C", "5%") > 0.002;
        },
        40s))
        << ShareOfColour(shot, menu, "#F4F7FC", "1%") << " "
        << ShareOfColour(shot, menu, "#3A5A8C", "5%");
    // The page engine came with the manager's first web control.
    EXPECT_TRUE(platform::testing::ProcessMaps(pid_, "/webkitview.so"));
    EXPECT_TRUE(platform::testing::ProcessMaps(pid_, "libwebkit2gtk"));

    // "关于软件", the menu's last link, reports "fun 3" through the status text: the about page
    // takes the calendar's place on the right.
    const fs::path before = folder_.path() / "before.png";
    fs::copy_file(shot, before);
    const std::string pages = "[600x440+160+30]";
    Click(30, 461);
    const fs::path after = folder_.path() / "after.png";
    EXPECT_TRUE(WaitFor(
        [&] { return Photograph(after) && DifferingPixels(before, after, pages) > 20000; }, 40s))
        << DifferingPixels(before, after, pages);
}

// Without the page engine's module the manager still starts on the desktop, says why its pages
// show nothing, and runs its web controls on their own engine.
TEST_F(DeskvaneDesktopTest, WithoutThePageEnginesModuleTheManagerRunsAndSaysSo) {
    fs::remove(folder_.path() / "webkitview.so");
    Start();
    EXPECT_TRUE(WaitFor([&] {
        return outside_.ReadFile("stderr.txt").find("webkitview.so could not be loaded") !=
               std::string::npos;
    })) << outside_.ReadFile("stderr.txt");
    EXPECT_TRUE(platform::testing::ProcessMaps(pid_, "/desktopdisplay.so"));
    EXPECT_FALSE(platform::testing::ProcessMaps(pid_, "libwebkit2gtk"));
}

}  // namespace
