// The desktop's page engine as the web control sees it: real WebKit views, loading pages from a
// test folder and a local server, and what they report, in order, to the control's side.
#include "platform/display/WebKitView.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/desktop/DesktopTest.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/internet/UrlDownload.h"
#include "platform/testing/TempFolder.h"

namespace platform::webcontrol {

// This test program has no web control: the engine the display offers to it comes here, as the
// page engine module asks for it.
WebEngineFactory offeredEngine = nullptr;

void SetWebEngineFactory(WebEngineFactory factory) {
    offeredEngine = factory;
}

WebEngineFactory CurrentWebEngineFactory() {
    return offeredEngine;
}

}  // namespace platform::webcontrol

namespace platform::testing {
namespace {

using webcontrol::EngineHistoryEntry;

using Reports = std::vector<std::string>;

// The reports that start with `start` and end with `end`.
long Count(const Reports& reports, const std::string& start, const std::string& end) {
    return std::count_if(reports.begin(), reports.end(), [&](const std::string& report) {
        return report.starts_with(start) && report.ends_with(end);
    });
}

std::string Print(const Reports& reports) {
    return ::testing::PrintToString(reports);
}

// Writes what the engine reports as lines, addresses of the test folder by their file names.
class RecordingHost final : public webcontrol::WebEngineHost {
public:
    explicit RecordingHost(std::string folder) : folder_("file://" + std::move(folder) + "/") {}

    std::vector<std::string> reports;
    // Frame documents by the order they came in, for names that stay the same between runs.
    std::vector<std::string> frames;

    bool OnBeforeNavigate(const std::string& address) override {
        Add("BeforeNavigate " + Short(address));
        return false;
    }
    void OnLoadStarted(const std::string& address, bool reload) override {
        Add(std::string(reload ? "Reload " : "Started ") + Short(address));
    }
    void OnLoadCommitted(const std::string& address) override {
        Add("Committed " + Short(address));
    }
    void OnProgress(double) override {}
    void OnTitle(const std::string& title) override {
        if (!title.empty()) {
            Add("Title " + title);
        }
    }
    void OnLoadFinished() override { Add("Finished"); }
    void OnLoadFailed(const std::string& address, LONG status) override {
        Add("Failed " + Short(address) + " " + std::to_string(status));
    }
    void OnLoadStopped() override { Add("Stopped"); }
    void OnHoveredLink(const std::string&) override {}
    void OnPageStatus(const std::string& text) override { Add("Status " + text); }
    void OnHistory(const std::vector<EngineHistoryEntry>& entries, size_t current) override {
        std::string line = "History";
        for (size_t i = 0; i < entries.size(); ++i) {
            line +=
                (i == current ? " [" : " ") + Short(entries[i].address) + (i == current ? "]" : "");
        }
        // WebKit reports its list at each commit and end of a load; only changes count here.
        if (line != lastHistory_) {
            lastHistory_ = line;
            Add(line);
        }
    }
    void OnFrameCommitted(const std::string& frame, const std::string& address) override {
        frames.push_back(frame);
        Add("FrameCommitted " + FrameName(frame) + " " + Short(address));
    }
    void OnOpenWindow(const std::string& address) override { Add("OpenWindow " + Short(address)); }
    void OnCloseRequested() override { Add("CloseRequested"); }
    void OnFrameFinished(const std::string& frame) override {
        Add("FrameFinished " + FrameName(frame));
    }

    bool Saw(const std::string& report) const {
        return std::find(reports.begin(), reports.end(), report) != reports.end();
    }

private:
    void Add(std::string report) { reports.push_back(std::move(report)); }
    std::string Short(const std::string& address) const {
        return address.starts_with(folder_) ? address.substr(folder_.size()) : address;
    }
    std::string FrameName(const std::string& frame) const {
        const auto found = std::find(frames.begin(), frames.end(), frame);
        return "#" + std::to_string(found - frames.begin());
    }

    std::string folder_;
    std::string lastHistory_ = "History";
};

class WebKitViewTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        ASSERT_NE(webcontrol::offeredEngine, nullptr);
        window = CreateTestWindow("WebKit host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  RECT{100, 100, 600, 500});
        host = std::make_unique<RecordingHost>(folder.path().string());
        engine = webcontrol::offeredEngine(window, *host);
        engine->Place(window, RECT{10, 40, 490, 390}, true);
    }
    void TearDown() override {
        engine.reset();
        DesktopTest::TearDown();
    }
    std::string FileAddress(const std::string& name) const {
        return "file://" + (folder.path() / name).string();
    }
    // Waits for `report`, and takes the reports up to it.
    std::vector<std::string> ReportsUntil(const std::string& report) {
        const bool seen = PumpUntil([&] { return host->Saw(report); }, 20s);
        EXPECT_TRUE(seen) << "no " << report << " after " << Print(host->reports);
        std::vector<std::string> taken = std::move(host->reports);
        host->reports.clear();
        return taken;
    }

    TempFolder folder;
    HWND window = nullptr;
    std::unique_ptr<RecordingHost> host;
    std::unique_ptr<webcontrol::WebEngine> engine;
};

TEST_F(WebKitViewTest, LoadsFramesRefreshAndTravelAreReportedAsTheControlRaisesThem) {
    folder.WriteFile("a.htm",
                     "<title>A</title><iframe src='one.htm'></iframe><iframe src='two.htm'>"
                     "</iframe>");
    folder.WriteFile("one.htm", "<title>One</title>one");
    folder.WriteFile("two.htm", "<title>Two</title>two");
    folder.WriteFile("b.htm", "<title>B</title>b");
    engine->Load(FileAddress("a.htm"));
    Reports loaded = ReportsUntil("Finished");
    ASSERT_GE(loaded.size(), 8u) << Print(loaded);
    EXPECT_EQ(Reports(loaded.begin(), loaded.begin() + 2),
              Reports({"Started a.htm", "Committed a.htm"}));
    // The frames' documents start after the top one commits and finish before it does, in the
    // order WebKit loads them.
    const Reports between(loaded.begin() + 2, loaded.end() - 1);
    EXPECT_EQ(Count(between, "FrameCommitted #", " one.htm"), 1) << Print(loaded);
    EXPECT_EQ(Count(between, "FrameCommitted #", " two.htm"), 1) << Print(loaded);
    EXPECT_EQ(Count(between, "FrameFinished #", ""), 2) << Print(loaded);
    EXPECT_EQ(Count(between, "History [a.htm]", ""), 1) << Print(loaded);
    EXPECT_EQ(loaded.back(), "Finished");

    // A refresh is no navigation of the page's and adds no page to the history. Its frames load
    // again; WebKit asks their navigations as it asks the top document's.
    engine->Reload();
    Reports reloaded = ReportsUntil("Finished");
    ASSERT_FALSE(reloaded.empty());
    EXPECT_EQ(reloaded.front(), "Reload a.htm");
    EXPECT_EQ(Count(reloaded, "BeforeNavigate a.htm", "") + Count(reloaded, "History", ""), 0)
        << Print(reloaded);
    EXPECT_EQ(Count(reloaded, "FrameCommitted #", " one.htm"), 1) << Print(reloaded);

    // The title may come before or after the end of the load.
    engine->Load(FileAddress("b.htm"));
    Reports next = ReportsUntil("Finished");
    EXPECT_TRUE(std::erase(next, "Title B") == 1 ||
                PumpUntil([&] { return host->Saw("Title B"); }));
    host->reports.clear();
    EXPECT_EQ(next,
              Reports({"Started b.htm", "Committed b.htm", "History a.htm [b.htm]", "Finished"}));
    // Travel back is the page's navigation, asked first; the history keeps the page ahead.
    engine->Travel(-1);
    Reports back = ReportsUntil("History [a.htm] b.htm");
    ASSERT_FALSE(back.empty());
    EXPECT_EQ(back.front(), "BeforeNavigate a.htm");
}

TEST_F(WebKitViewTest, ServersErrorStatusAndMissingFileFailTheLoad) {
    TestHttpServer server;
    server.Serve("/gone.htm", 404, "Content-Type: text/html\r\n", "<title>Server Page</title>x");
    engine->Load(server.Url("/gone.htm"));
    EXPECT_EQ(ReportsUntil("Failed " + server.Url("/gone.htm") + " 404"),
              Reports({"Started " + server.Url("/gone.htm"),
                       "Failed " + server.Url("/gone.htm") + " 404"}));
    // The refused response's own end is not reported as a stop before the next load starts.
    engine->Load(FileAddress("missing.htm"));
    const std::string missing = "Failed missing.htm " + std::to_string(INET_E_RESOURCE_NOT_FOUND);
    EXPECT_EQ(ReportsUntil(missing), Reports({"Started missing.htm", missing}));
}

// WebKit lets a script close only a window whose history holds one page, or that a script opened.
TEST_F(WebKitViewTest, WindowsThePageOpensAndClosesAreLeftToTheControl) {
    folder.WriteFile("closer.htm", "<title>Closer</title><script>window.close()</script>");
    folder.WriteFile("opener.htm", "<title>Opener</title><script>window.open('b.htm')</script>");
    engine->Load(FileAddress("closer.htm"));
    ReportsUntil("CloseRequested");
    engine->Load(FileAddress("opener.htm"));
    ReportsUntil("OpenWindow b.htm");
}

// A control larger than its parent shows only the part the parent's client area holds, as the
// platform clips a child window.
TEST_F(WebKitViewTest, APageShowsOnlyWithinItsControlsParents) {
    engine.reset();
    HWND panel = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, 10, 40, 200, 150, window,
                                 nullptr, nullptr, nullptr);
    HWND control = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, 10, 20, 400, 300,
                                   panel, nullptr, nullptr, nullptr);
    RECT top{};
    RECT place{};
    GetWindowRect(window, &top);
    GetWindowRect(control, &place);
    RecordingHost pageHost(folder.path().string());
    auto page = webcontrol::offeredEngine(control, pageHost);
    page->Place(window,
                RECT{place.left - top.left, place.top - top.top, place.right - top.left,
                     place.bottom - top.top},
                true);
    folder.WriteFile("red.htm", "<body style='margin:0;background:#ff0000'></body>");
    page->Load(FileAddress("red.htm"));

    auto onScreen = [&](int x, int y) {
        POINT point{x, y};
        ClientToScreen(panel, &point);
        return point;
    };
    const POINT inside = onScreen(100, 100);
    const POINT beyond = onScreen(300, 100);
    EXPECT_TRUE(PumpUntil(
        [&] { return PixelOfWindow("root", inside.x, inside.y) == "srgb(255,0,0)"; }, 20s));
    EXPECT_EQ(PixelOfWindow("root", beyond.x, beyond.y), "srgb(255,255,255)");
}

}  // namespace
}  // namespace platform::testing
