// The browser on a desktop: started on a temporary program folder with the desktop presenter on
// the X server the test runs under (xvfb-run gives it one of its own), driven with xdotool as a
// person would, and photographed from the X server with ImageMagick. Places inside the window are
// those of the browser's default layout on its default window size.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "platform/testing/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The output of a shell command, without its last line break.
std::string Run(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof(buffer), pipe) != nullptr) {
            output += buffer;
        }
        pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    return output;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 20s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(50ms);
    }
    return condition();
}

class QuorraDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs an X server: the desktop tests run under xvfb-run";
        }
        fs::copy(PROGRAM_FOLDER_SOURCE, folder_.path(), fs::copy_options::recursive);
        fs::copy_file(QUORRA_PATH, folder_.path() / "quorra.exe");
        folder_.WriteFile("site/first.htm",
                          "<html><head><title>Desk Page</title></head><body>Hello</body></html>");
    }
    void TearDown() override {
        if (browser_ > 0) {
            kill(browser_, SIGKILL);
            waitpid(browser_, nullptr, 0);
        }
    }

    // Starts the browser and waits for its main window on the desktop.
    void Start() {
        browser_ = fork();
        if (browser_ == 0) {
            chdir(folder_.path().c_str());
            setenv("PLATFORM_DISPLAY", "desktop", 1);
            setenv("PLATFORM_LINK_DIR", (folder_.path() / "link").c_str(), 1);
            setenv("PLATFORM_REGISTRY_FILE", (folder_.path() / "registry.dat").c_str(), 1);
            setenv("PLATFORM_PNG_AT_EXIT", (folder_.path() / "pictures").c_str(), 1);
            freopen("/dev/null", "w", stdout);
            execl("./quorra.exe", "quorra.exe", static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(browser_, 0);
        ASSERT_TRUE(WaitFor([&] {
            window_ = Run("xdotool search --onlyvisible --name 'Quorra' 2>/dev/null | head -1");
            return !window_.empty();
        }));
    }
    // Ends the browser as a person closing it would, so that it writes its pictures.
    void Stop() {
        kill(browser_, SIGTERM);
        int status = 0;
        waitpid(browser_, &status, 0);
        browser_ = 0;
        EXPECT_TRUE(WIFEXITED(status)) << status;
    }
    std::string Title() const { return Run("xdotool getwindowname " + window_); }
    bool TitleBecomes(const std::string& part) {
        return WaitFor([&] { return Title().find(part) != std::string::npos; });
    }
    void Xdotool(const std::string& arguments) const {
        ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
    }
    // Clicks at a point of the window.
    void Click(int x, int y) const {
        Xdotool("mousemove --window " + window_ + " " + std::to_string(x) + " " +
                std::to_string(y) + " click 1");
    }
    // The window's place on the screen, as "x,y".
    std::string Position() const {
        return Run("xdotool getwindowgeometry --shell " + window_ +
                   " | sed -n 's/^[XY]=//p' | paste -sd,");
    }
    std::string AddressOf(const std::string& relative) const {
        return "file:///Z:" + (folder_.path() / relative).string();
    }
    // Types an address into the address box and opens it.
    void OpenAddress(const std::string& address) {
        Click(310, 67);
        Xdotool("key --delay 20 End shift+Home BackSpace");
        Xdotool("type --delay 20 '" + address + "'");
        Xdotool("key Return");
    }

    platform::testing::TempFolder folder_;
    pid_t browser_ = 0;
    std::string window_;
};

TEST_F(QuorraDesktopTest, TypedAddressOpensThePageAndTheDesktopShowsTheProgramsPicture) {
    Start();
    OpenAddress(AddressOf("site/first.htm"));
    ASSERT_TRUE(TitleBecomes("Desk Page")) << Title();

    const fs::path shot = fs::path(PROJECT_TEST_OUTPUT_DIR) / "quorra-desktop-window.png";
    fs::create_directories(shot.parent_path());
    ASSERT_EQ(std::system(("import -window " + window_ + " " + shot.string()).c_str()), 0);
    Stop();
    const fs::path own = folder_.path() / "pictures" / "window-1.png";
    ASSERT_TRUE(fs::exists(own));
    // The count of pixels that differ; the caret may blink between the two pictures.
    const std::string differing =
        Run("compare -metric AE '" + own.string() + "' '" + shot.string() + "' null: 2>&1");
    EXPECT_LE(std::stol(differing), 40) << differing;
}

TEST_F(QuorraDesktopTest, ClickedTabShowsItsPage) {
    Start();
    OpenAddress(AddressOf("site/first.htm"));
    ASSERT_TRUE(TitleBecomes("Desk Page")) << Title();
    // The tool bar's first button opens a new page in a tab of its own.
    Click(30, 36);
    ASSERT_TRUE(WaitFor([&] { return Title().find("Desk Page") == std::string::npos; }))
        << Title();
    Click(40, 95);
    EXPECT_TRUE(TitleBecomes("Desk Page")) << Title();
}

TEST_F(QuorraDesktopTest, CaptionDragMovesTheWindow) {
    Start();
    const std::string before = Position();
    Xdotool("mousemove --window " + window_ + " 150 10 mousedown 1");
    Xdotool("mousemove_relative --sync 40 30");
    Xdotool("mousemove_relative --sync 60 20 mouseup 1");
    ASSERT_EQ(before, "0,0");
    EXPECT_TRUE(WaitFor([&] { return Position() == "100,50"; })) << Position();
}

}  // namespace
