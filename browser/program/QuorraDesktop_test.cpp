// The browser on a desktop: started on a temporary program folder with the desktop presenter on
// the X server the test runs under (xvfb-run gives it one of its own), driven with xdotool as a
// person would, and photographed from the X server with ImageMagick. Places inside the window are
// those of the browser's default layout on its default window size.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/testing/ProgramFolder.h"
#include "platform/testing/ShellCommand.h"
#include "platform/testing/TempFolder.h"
#include "platform/testing/WaitUntil.h"

namespace {

using platform::testing::Shell;
using platform::testing::Xdotool;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The browser on an X server answers slowly: what it shows may take 20 s.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 20s) {
    return platform::testing::WaitUntil(condition, limit);
}

// The count of pixels that differ between two pictures (in `area`, "[WxH+X+Y]", when given); the
// caret may blink between them.
long DifferingPixels(const fs::path& first, const fs::path& second, const std::string& area = "") {
    const std::string count = Shell("compare -metric AE '" + first.string() + area + "' '" +
                                    second.string() + area + "' null: 2>&1");
    return std::stol(count);
}

// The end of the main window's title, in UTF-8 as the desktop has it (plain literals are GBK).
std::string MainWindowTitle() {
    const char8_t title[] = u8"Quorra浏览器";
    return std::string(title, title + sizeof(title) - 1);
}

// The title of the page shown for one that could not be loaded, in UTF-8.
std::string ErrorPageTitle() {
    const char8_t title[] = u8"无法显示网页";
    return std::string(title, title + sizeof(title) - 1);
}

// The share of the pixels of `area` ("WxH+X+Y") in the picture `file` within 10% of `colour`.
double ShareOfColour(const std::string& file, const std::string& area, const std::string& colour) {
    const std::string share =
        Shell("convert '" + file + "' -crop " + area + " +repage -fuzz 10% -fill black -opaque '" +
              colour + "' -fill white +opaque black -negate -format '%[fx:mean]' info:");
    return std::stod(share.empty() ? "0" : share);
}

// The filter file with one rule, blocking every address that holds `pattern`, and the browser's
// first-start settings after it.
std::string FilterBlocking(const std::string& pattern) {
    std::string bytes;
    auto add = [&bytes](int32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF));
        }
    };
    add(0);  // not paused
    add(1);
    add(0);  // every site
    add(static_cast<int32_t>(pattern.size()));
    bytes += pattern;
    add(0);
    for (const int32_t field : {-1, -1, -1, 1, 1, 0, 0, 0, 0, 0, 0}) {
        add(field);
    }
    return bytes;
}

// One browser on its own program folder, with its own link between processes and registry.
class DesktopBrowser {
public:
    DesktopBrowser() {
        EXPECT_FALSE(platform::testing::LayOutProgramFolder(folder_.path(), PROGRAM_FOLDER_SOURCE,
                                                            QUORRA_PATH, "quorra.exe")
                         .empty());
        // Not the first run: no welcome question.
        folder_.WriteFile("data/first.dat", "");
        folder_.WriteFile("site/first.htm",
                          "<html><head><title>Desk Page</title></head><body>Hello</body></html>");
    }
    ~DesktopBrowser() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    // Starts the browser and waits for its main window on the desktop, the one window there is
    // that `others` do not show.
    void Start(const std::vector<std::string>& others = {}) {
        pid_ = fork();
        if (pid_ == 0) {
            chdir(folder_.path().c_str());
            setenv("PLATFORM_DISPLAY", "desktop", 1);
            // The user's profile (history, favourites) stays inside the test's folder too.
            setenv("HOME", folder_.path().c_str(), 1);
            setenv("XDG_CONFIG_HOME", (folder_.path() / "config").c_str(), 1);
            setenv("PLATFORM_LINK_DIR", (folder_.path() / "link").c_str(), 1);
            setenv("PLATFORM_REGISTRY_FILE", (folder_.path() / "registry.dat").c_str(), 1);
            setenv("PLATFORM_PNG_AT_EXIT", (folder_.path() / "pictures").c_str(), 1);
            freopen("/dev/null", "w", stdout);
            execl("./quorra.exe", "quorra.exe", static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(pid_, 0);
        ASSERT_TRUE(WaitFor([&] {
            std::istringstream found(Shell("xdotool search --onlyvisible --name '" +
                                           MainWindowTitle() + "' 2>/dev/null"));
            for (std::string id; std::getline(found, id);) {
                if (std::find(others.begin(), others.end(), id) == others.end()) {
                    window_ = id;
                    return true;
                }
            }
            return false;
        }));
    }
    // Ends the browser as a person closing it would, so that it writes its pictures.
    void Stop() {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = 0;
        EXPECT_TRUE(WIFEXITED(status)) << status;
    }

    const std::string& window() const { return window_; }
    platform::testing::TempFolder& folder() { return folder_; }
    fs::path Pictures() const { return folder_.path() / "pictures"; }
    std::string Title() const { return Shell("xdotool getwindowname " + window_); }
    bool TitleBecomes(const std::string& part) const {
        return WaitFor([&] { return Title().find(part) != std::string::npos; });
    }
    // Clicks at a point of the window.
    void Click(int x, int y) const {
        Xdotool("mousemove --window " + window_ + " " + std::to_string(x) + " " +
                std::to_string(y) + " click 1");
    }
    // The window's size, as "width,height".
    std::string Size() const {
        return Shell("xdotool getwindowgeometry --shell " + window_ +
                     " | sed -n 's/^\\(WIDTH\\|HEIGHT\\)=//p' | paste -sd,");
    }
    // The window's place on the screen, as "x,y".
    std::string Position() const {
        return Shell("xdotool getwindowgeometry --shell " + window_ +
                     " | sed -n 's/^[XY]=//p' | paste -sd,");
    }
    std::string AddressOf(const std::string& relative) const {
        return "file:///Z:" + (folder_.path() / relative).string();
    }
    // Empties the address box, ready for typing.
    void ClearAddress() const {
        Click(310, 67);
        Xdotool("key --delay 20 End shift+Home BackSpace");
    }
    // Types an address into the address box and opens it.
    void OpenAddress(const std::string& address) const {
        ClearAddress();
        Xdotool("type --delay 20 '" + address + "'");
        Xdotool("key Return");
    }

private:
    platform::testing::TempFolder folder_;
    pid_t pid_ = 0;
    std::string window_;
};

class QuorraDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs an X server: the desktop tests run under xvfb-run";
        }
    }
};

TEST_F(QuorraDesktopTest, TypedAddressOpensThePageAndTheDesktopShowsTheProgramsPicture) {
    DesktopBrowser browser;
    browser.Start();
    browser.OpenAddress(browser.AddressOf("site/first.htm"));
    ASSERT_TRUE(browser.TitleBecomes("Desk Page")) << browser.Title();

    const fs::path shot = fs::path(PROJECT_TEST_OUTPUT_DIR) / "quorra-desktop-window.png";
    const fs::path earlier = browser.Pictures().parent_path() / "earlier.png";
    fs::create_directories(shot.parent_path());
    // The title comes before the page has finished (status text, progress, buttons): the window
    // is photographed once two pictures in a row agree.
    ASSERT_TRUE(WaitFor([&] {
        fs::remove(earlier);
        if (fs::exists(shot)) {
            fs::rename(shot, earlier);
        }
        return std::system(("import -window " + browser.window() + " " + shot.string()).c_str()) ==
                   0 &&
               fs::exists(earlier) && DifferingPixels(earlier, shot) <= 40;
    }));
    browser.Stop();
    const fs::path own = browser.Pictures() / "window-1.png";
    ASSERT_TRUE(fs::exists(own));
    // The page area is the desktop engine's, which the program's own picture leaves white: the
    // bars above it are compared.
    EXPECT_LE(DifferingPixels(own, shot, "[768x105+0+0]"), 40);
}

TEST_F(QuorraDesktopTest, ClickedTabShowsItsPage) {
    DesktopBrowser browser;
    browser.Start();
    browser.OpenAddress(browser.AddressOf("site/first.htm"));
    ASSERT_TRUE(browser.TitleBecomes("Desk Page")) << browser.Title();
    // The tool bar's first button opens a new page in a tab of its own.
    browser.Click(30, 36);
    ASSERT_TRUE(WaitFor([&] { return browser.Title().find("Desk Page") == std::string::npos; }))
        << browser.Title();
    browser.Click(40, 95);
    EXPECT_TRUE(browser.TitleBecomes("Desk Page")) << browser.Title();
}

TEST_F(QuorraDesktopTest, AddressCopiedInOneBrowserPastesInAnother) {
    DesktopBrowser first;
    DesktopBrowser second;
    first.Start();
    const std::string address = first.AddressOf("site/first.htm");
    first.ClearAddress();
    Xdotool("type --delay 20 '" + address + "'");
    Xdotool("key --delay 20 shift+Home ctrl+c");
    // The second window opens where the first is, above it.
    second.Start({first.window()});
    second.ClearAddress();
    Xdotool("key --delay 20 ctrl+v Return");
    EXPECT_TRUE(second.TitleBecomes("Desk Page")) << second.Title();
}

TEST_F(QuorraDesktopTest, CaptionDragMovesTheWindow) {
    DesktopBrowser browser;
    browser.Start();
    int x = 0;
    int y = 0;
    ASSERT_EQ(std::sscanf(browser.Position().c_str(), "%d,%d", &x, &y), 2) << browser.Position();
    Xdotool("mousemove --window " + browser.window() + " 150 10 mousedown 1");
    Xdotool("mousemove_relative --sync 40 30");
    Xdotool("mousemove_relative --sync 60 20 mouseup 1");
    const std::string moved = std::to_string(x + 100) + "," + std::to_string(y + 50);
    EXPECT_TRUE(WaitFor([&] { return browser.Position() == moved; })) << browser.Position();
}

TEST_F(QuorraDesktopTest, TheMenuButtonsMenuOpensTheAboutBoxAndTheCornerResizesTheWindow) {
    DesktopBrowser browser;
    browser.Start();
    // A first start: the desktop's default size.
    EXPECT_EQ(browser.Size(), "768,576");
    // The menu button "菜 单" shows the main menu; from the bottom, up past "退出" to "关于".
    browser.Click(575, 37);
    Xdotool("sleep 0.5 key --delay 100 Up Up Return");
    const char8_t about[] = u8"关于 Quorra浏览器";
    const std::string title(about, about + sizeof(about) - 1);
    std::string dialog;
    ASSERT_TRUE(WaitFor([&] {
        return !(dialog = Shell("xdotool search --onlyvisible --name '^" + title + "$'")).empty();
    }));
    Xdotool("key Return");
    EXPECT_TRUE(WaitFor(
        [&] { return Shell("xdotool search --onlyvisible --name '^" + title + "$'").empty(); }));

    // The bottom right corner sizes the window.
    Xdotool("mousemove --window " + browser.window() + " 766 574 mousedown 1");
    Xdotool("mousemove_relative --sync 30 20");
    Xdotool("mousemove_relative --sync 30 20 mouseup 1");
    EXPECT_TRUE(WaitFor([&] { return browser.Size() == "828,616"; })) << browser.Size();
}

// The page area shows the page as the desktop's engine renders it: its CSS colours and its text.
TEST_F(QuorraDesktopTest, OpenedPageIsRenderedInThePageArea) {
    DesktopBrowser browser;
    browser.folder().WriteFile(
        "site/styled.htm",
        "<html><head><title>Styled</title><style>body{background:#1e60c8;margin:0}"
        "h1{color:#ffff00;font-size:64px;margin:40px}</style></head>"
        "<body><h1>Rendered text</h1><h1>Second line</h1><h1>Third line</h1></body></html>");
    browser.Start();
    browser.OpenAddress(browser.AddressOf("site/styled.htm"));
    ASSERT_TRUE(browser.TitleBecomes("Styled")) << browser.Title();

    const fs::path shot = fs::path(PROJECT_TEST_OUTPUT_DIR) / "quorra-rendered-page.png";
    fs::create_directories(shot.parent_path());
    // The engine paints on its own after the title came: the picture is taken once it shows.
    const std::string page = "500x250+130+220";
    EXPECT_TRUE(WaitFor([&] {
        return std::system(("import -window " + browser.window() + " " + shot.string()).c_str()) ==
                   0 &&
               ShareOfColour(shot.string(), page, "#1e60c8") > 0.5;
    }));
    EXPECT_GT(ShareOfColour(shot.string(), page, "#ffff00"), 0.02);
    // The browser's own bars stay the program's pixels, above the page.
    EXPECT_LT(ShareOfColour(shot.string(), "600x12+60+90", "#1e60c8"), 0.05);
}

// The page takes the clicks and keys given to it; a link it offers is a navigation the browser's
// filter is asked about: the blocked one leaves the page as it is, the other is followed. The back
// and forward buttons travel through the pages shown; a missing file shows the browser's error
// page.
TEST_F(QuorraDesktopTest, PageTakesKeysItsLinksAreFilteredAndTravelFollowsThePagesShown) {
    DesktopBrowser browser;
    browser.folder().WriteFile("data/filter.dat", FilterBlocking("blocked"));
    browser.folder().WriteFile("site/next.htm", "<title>Next Page</title>next");
    browser.folder().WriteFile("site/blocked.htm", "<title>Blocked Page</title>blocked");
    browser.folder().WriteFile(
        "site/links.htm",
        "<html><head><title>Links</title><style>body{margin:0}a{display:block;height:120px;"
        "font-size:40px}input{height:60px;width:400px;background:#00ff00}</style></head><body>"
        "<a href='blocked.htm'>blocked</a><a href='next.htm'>next</a>"
        "<input oninput='document.title=this.value'></body></html>");
    browser.Start();
    browser.OpenAddress(browser.AddressOf("site/links.htm"));
    ASSERT_TRUE(browser.TitleBecomes("Links")) << browser.Title();
    // The page area starts below the tabs: the links fill its first 240 pixels, the box follows,
    // clicked once it shows.
    const fs::path shot = browser.Pictures().parent_path() / "links.png";
    ASSERT_TRUE(WaitFor([&] {
        return std::system(("import -window " + browser.window() + " " + shot.string()).c_str()) ==
                   0 &&
               ShareOfColour(shot.string(), "300x40+50+360", "#00ff00") > 0.9;
    }));
    browser.Click(200, 380);
    Xdotool("type --delay 30 'typed here'");
    EXPECT_TRUE(browser.TitleBecomes("typed here")) << browser.Title();

    browser.Click(200, 170);
    EXPECT_FALSE(WaitFor([&] { return browser.Title().find("Blocked") != std::string::npos; }, 3s))
        << browser.Title();
    browser.Click(200, 290);
    ASSERT_TRUE(browser.TitleBecomes("Next Page")) << browser.Title();

    // The tool bar's back and forward buttons.
    browser.Click(63, 37);
    ASSERT_TRUE(WaitFor([&] { return browser.Title().find("Next Page") == std::string::npos; }))
        << browser.Title();
    browser.Click(110, 37);
    ASSERT_TRUE(browser.TitleBecomes("Next Page")) << browser.Title();

    browser.OpenAddress(browser.AddressOf("site/missing.htm"));
    ASSERT_TRUE(browser.TitleBecomes(ErrorPageTitle())) << browser.Title();
    browser.Click(63, 37);
    EXPECT_TRUE(browser.TitleBecomes("Next Page")) << browser.Title();
}

}  // namespace
