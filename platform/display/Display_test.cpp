#include "platform/display/Display.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/testing/ChildProcess.h"
#include "platform/testing/TempFolder.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using platform::testing::ChildProcess;
using platform::testing::TempFolder;

TEST(DisplayTest, EnvironmentChoosesTheDisplay) {
    EXPECT_EQ(ChooseDisplay(nullptr, nullptr), DisplayKind::kHeadless);
    EXPECT_EQ(ChooseDisplay(nullptr, ""), DisplayKind::kHeadless);
    EXPECT_EQ(ChooseDisplay(nullptr, ":0"), DisplayKind::kDesktop);
    EXPECT_EQ(ChooseDisplay("headless", ":0"), DisplayKind::kHeadless);
    EXPECT_EQ(ChooseDisplay("desktop", nullptr), DisplayKind::kDesktop);
    EXPECT_EQ(ChooseDisplay("bogus", ":1"), DisplayKind::kDesktop);
}

// Starts `program` on a desktop that does not exist, with its files in `folder`, and returns the
// line in which it says that it runs headless (its output and errors, up to that line, when it
// never does); then closes it as SIGTERM does and returns its exit status in `status`.
std::string StartWithoutDesktop(const std::string& program, const TempFolder& folder, int& status) {
    const std::string root = folder.path().string();
    ChildProcess child(
        {"/bin/sh", "-c",
         "cd '" + root + "' && exec env PLATFORM_DISPLAY=desktop DISPLAY=:4711 HOME='" + root +
             "' XDG_CONFIG_HOME='" + root + "/config' PLATFORM_LINK_DIR='" + root +
             "/link' PLATFORM_REGISTRY_FILE='" + root + "/registry.dat' '" + program + "' 2>&1"});
    std::string seen;
    while (std::optional<std::string> line = child.ReadLine(20s)) {
        if (line->ends_with("running headless.")) {
            seen = *line;
            break;
        }
        seen += *line + '\n';
    }
    child.Signal(SIGTERM);
    status = child.Wait();
    return seen;
}

// Each program loads the desktop module when a desktop is chosen: every function the module calls
// is in the program, or the load would fail and say so.
TEST(DisplayTest, EveryProgramLoadsTheDesktopModule) {
    for (const char* program : {QUORRA_PATH, GLINTORA_PATH, DESKVANE_PATH, DVTP_PATH}) {
        TempFolder folder;
        int status = -1;
        EXPECT_EQ(StartWithoutDesktop(program, folder, status),
                  "No desktop display could be opened; running headless.")
            << program;
    }
}

TEST(DisplayTest, AProgramWithoutTheModuleRunsHeadless) {
    TempFolder folder;
    const std::filesystem::path copy = folder.path() / "dv.exe";
    std::filesystem::copy_file(DESKVANE_PATH, copy);
    int status = -1;
    EXPECT_EQ(StartWithoutDesktop(copy.string(), folder, status),
              "The desktop module " + (folder.path() / "desktopdisplay.so").string() +
                  " could not be loaded (" + (folder.path() / "desktopdisplay.so").string() +
                  ": cannot open shared object file: No such file or directory); running "
                  "headless.");
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace platform
