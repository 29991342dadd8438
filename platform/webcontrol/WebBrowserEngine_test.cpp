// The control over an engine of the desktop's kind: the engine here is scripted, standing for
// WebKit, and reports what WebKit reports; the control's events must come out as its own engine
// raises them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/text/Encoding.h"
#include "platform/webcontrol/BrowserTest.h"
#include "platform/webcontrol/EngineAddress.h"
#include "platform/webcontrol/TravelLogInterfaces.h"
#include "platform/webcontrol/WebEngine.h"

namespace platform::webcontrol {
namespace {

using ::testing::ElementsAre;
using testing::TravelTitles;

// UTF-8 text written in the source (plain literals are GBK).
std::string Utf8(std::u8string_view text) {
    return std::string(text.begin(), text.end());
}

// What the control asked of its engine, one line each.
struct EngineCalls {
    std::vector<std::string> calls;
    WebEngineHost* host = nullptr;
    HWND topLevel = nullptr;
    RECT rect{};
    bool visible = false;
};

EngineCalls* recorded = nullptr;

class ScriptedEngine final : public WebEngine {
public:
    void Load(const std::string& address) override { Record("Load " + address); }
    void ShowErrorPage(const std::string& address, const std::string& html) override {
        Record("ShowErrorPage " + address + " " + html);
    }
    void Travel(int steps) override { Record("Travel " + std::to_string(steps)); }
    void Reload() override { Record("Reload"); }
    void Stop() override { Record("Stop"); }
    void Place(HWND topLevel, const RECT& rect, bool visible) override {
        recorded->topLevel = topLevel;
        recorded->rect = rect;
        recorded->visible = visible;
    }

private:
    static void Record(std::string call) { recorded->calls.push_back(std::move(call)); }
};

std::unique_ptr<WebEngine> MakeScripted(HWND, WebEngineHost& host) {
    recorded->host = &host;
    return std::make_unique<ScriptedEngine>();
}

class WebBrowserEngineTest : public testing::BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        recorded = &engine;
        SetWebEngineFactory(&MakeScripted);
    }
    void TearDown() override {
        SetWebEngineFactory(nullptr);
        recorded = nullptr;
        BrowserTest::TearDown();
    }
    // The engine's address of a file in the test folder.
    std::string EngineAddress(const std::string& name) {
        return "file://" + (folder.path() / name).string();
    }
    // The engine loads the page at `address` whose document names itself `title`.
    void LoadInEngine(const std::string& address, const std::string& title) {
        engine.host->OnLoadStarted(address, false);
        engine.host->OnLoadCommitted(address);
        engine.host->OnProgress(0.5);
        engine.host->OnTitle("");
        engine.host->OnTitle(title);
        engine.host->OnLoadFinished();
    }

    EngineCalls engine;
};

TEST_F(WebBrowserEngineTest, NavigationGoesToTheEngineAndItsReportsRaiseTheControlsEvents) {
    auto host = Host();
    ASSERT_NE(engine.host, nullptr);
    const std::string path = Page("one.htm", "<title>One</title>");
    host->Navigate(path);
    PumpUntilIdle();
    ASSERT_THAT(engine.calls, ElementsAre("Load " + EngineAddress("one.htm")));
    VARIANT busy = host->Get(DISPID_BUSY);
    EXPECT_EQ(busy.boolVal, VARIANT_TRUE);
    VARIANT state = host->Get(DISPID_READYSTATE);
    EXPECT_EQ(state.lVal, READYSTATE_LOADING);

    LoadInEngine(EngineAddress("one.htm"), "One");
    const std::string address = Address("one.htm");
    EXPECT_THAT(
        host->sink->events,
        ElementsAre("BeforeNavigate2 top " + path, "DownloadBegin", "StatusTextChange " + address,
                    "ProgressChange 0/10000", "NavigateComplete2 top " + address,
                    "ProgressChange 5000/10000", "TitleChange One", "ProgressChange 10000/10000",
                    "ProgressChange -1/10000", "StatusTextChange ", "DownloadComplete",
                    "DocumentComplete top " + address));
    EXPECT_EQ(host->LocationUrl(), address);
    VARIANT name = host->Get(DISPID_LOCATIONNAME);
    EXPECT_EQ(Utf8FromVariant(&name), "One");
    VariantClear(&name);
    busy = host->Get(DISPID_BUSY);
    EXPECT_EQ(busy.boolVal, VARIANT_FALSE);
    state = host->Get(DISPID_READYSTATE);
    EXPECT_EQ(state.lVal, READYSTATE_COMPLETE);

    // A page without a title is named by its address; a hovered link shows in the status.
    host->sink->events.clear();
    engine.host->OnHoveredLink(EngineAddress("two.htm"));
    engine.host->OnHoveredLink("");
    LoadInEngine(EngineAddress("two.htm"), "");
    EXPECT_THAT(host->sink->Of("TitleChange"), ElementsAre("TitleChange " + Address("two.htm")));
    EXPECT_THAT(host->sink->Of("StatusTextChange"),
                ElementsAre("StatusTextChange " + Address("two.htm"), "StatusTextChange ",
                            "StatusTextChange " + Address("two.htm"), "StatusTextChange "));
}

TEST_F(WebBrowserEngineTest, PageNavigationsAskTheSinksAndACancelStopsThem) {
    auto host = Host();
    host->sink->answer = [](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_BEFORENAVIGATE2) {
            *parameters->rgvarg[0].pboolVal = VARIANT_TRUE;
        }
    };
    EXPECT_TRUE(engine.host->OnBeforeNavigate("http://example.com/next"));
    VARIANT busy = host->Get(DISPID_BUSY);
    EXPECT_EQ(busy.boolVal, VARIANT_FALSE);
    // A navigation the control refused before it reached the engine never reaches it.
    host->Navigate(Page("refused.htm", "x"));
    PumpUntilIdle();
    EXPECT_TRUE(engine.calls.empty());

    host->sink->answer = nullptr;
    EXPECT_FALSE(engine.host->OnBeforeNavigate(EngineAddress("page.htm")));
    EXPECT_THAT(host->sink->Of("BeforeNavigate2"),
                ElementsAre("BeforeNavigate2 top http://example.com/next",
                            "BeforeNavigate2 top " + Page("refused.htm", "x"),
                            "BeforeNavigate2 top " + Address("page.htm")));
    busy = host->Get(DISPID_BUSY);
    EXPECT_EQ(busy.boolVal, VARIANT_TRUE);
}

TEST_F(WebBrowserEngineTest, FailedLoadShowsTheControlsErrorPageUnlessCancelled) {
    auto host = Host();
    const std::string missing = EngineAddress("none.htm");
    engine.host->OnLoadStarted(missing, false);
    engine.host->OnLoadFailed(missing, static_cast<LONG>(0x800C0005));
    ASSERT_EQ(engine.calls.size(), 1u);
    EXPECT_TRUE(engine.calls[0].starts_with("ShowErrorPage " + missing + " <html>"));
    EXPECT_NE(engine.calls[0].find(Utf8(u8"无法显示网页")), std::string::npos) << engine.calls[0];
    // The error page's own load adds no second start.
    LoadInEngine(missing, "");
    EXPECT_THAT(
        host->sink->events,
        ElementsAre("DownloadBegin", "StatusTextChange " + Address("none.htm"),
                    "ProgressChange 0/10000",
                    "NavigateError top " + Address("none.htm") + " " +
                        std::to_string(static_cast<LONG>(0x800C0005)),
                    "NavigateComplete2 top " + Address("none.htm"), "ProgressChange 5000/10000",
                    "TitleChange " + Address("none.htm"), "ProgressChange 10000/10000",
                    "ProgressChange -1/10000", "StatusTextChange ", "DownloadComplete",
                    "DocumentComplete top " + Address("none.htm")));

    host->sink->events.clear();
    engine.calls.clear();
    host->sink->answer = [](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_NAVIGATEERROR) {
            *parameters->rgvarg[0].pboolVal = VARIANT_TRUE;
        }
    };
    engine.host->OnLoadStarted("http://127.0.0.1:9/", false);
    engine.host->OnLoadFailed("http://127.0.0.1:9/", static_cast<LONG>(0x800C0004));
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_THAT(host->sink->events,
                ElementsAre("DownloadBegin", "StatusTextChange http://127.0.0.1:9/",
                            "ProgressChange 0/10000",
                            "NavigateError top http://127.0.0.1:9/ " +
                                std::to_string(static_cast<LONG>(0x800C0004)),
                            "ProgressChange -1/10000", "DownloadComplete"));
    EXPECT_EQ(host->LocationUrl(), Address("none.htm"));
    VARIANT busy = host->Get(DISPID_BUSY);
    EXPECT_EQ(busy.boolVal, VARIANT_FALSE);
}

TEST_F(WebBrowserEngineTest, RefreshRaisesOnlyTheDownloadEventsAndTheTitle) {
    auto host = Host();
    const std::string page = EngineAddress("one.htm");
    host->Navigate(Page("one.htm", "<title>One</title>"));
    PumpUntilIdle();
    LoadInEngine(page, "One");
    engine.host->OnHistory({{page, "One"}}, 0);
    host->sink->events.clear();
    engine.calls.clear();

    EXPECT_EQ(host->browser->Refresh(), S_OK);
    PumpUntilIdle();
    EXPECT_THAT(engine.calls, ElementsAre("Reload"));
    // WebKit forgets the title as the document comes again and names it anew.
    engine.host->OnLoadStarted(page, true);
    engine.host->OnLoadCommitted(page);
    engine.host->OnProgress(0.5);
    engine.host->OnTitle("");
    engine.host->OnTitle("One");
    engine.host->OnLoadFinished();
    const std::vector<std::string> refreshed{"DownloadBegin", "TitleChange One",
                                             "ProgressChange -1/10000", "DownloadComplete"};
    EXPECT_EQ(host->sink->events, refreshed);
    // An unchanged title is not reported again by WebKit; a refresh that fails leaves the page
    // shown, without an error.
    host->sink->events.clear();
    engine.host->OnLoadStarted(page, true);
    engine.host->OnLoadCommitted(page);
    engine.host->OnLoadFinished();
    engine.host->OnLoadStarted(page, true);
    engine.host->OnLoadFailed(page, static_cast<LONG>(0x800C0005));
    std::vector<std::string> twice = refreshed;
    twice.insert(twice.end(), refreshed.begin(), refreshed.end());
    EXPECT_EQ(host->sink->events, twice);
    EXPECT_THAT(engine.calls, ElementsAre("Reload"));
    EXPECT_EQ(host->LocationUrl(), Address("one.htm"));
    VARIANT name = host->Get(DISPID_LOCATIONNAME);
    EXPECT_EQ(Utf8FromVariant(&name), "One");
    VariantClear(&name);
    VARIANT busy = host->Get(DISPID_BUSY);
    EXPECT_EQ(busy.boolVal, VARIANT_FALSE);

    // The next load the page starts is a navigation again.
    host->sink->events.clear();
    LoadInEngine(page, "One");
    EXPECT_THAT(host->sink->Of("NavigateComplete2"),
                ElementsAre("NavigateComplete2 top " + Address("one.htm")));
    EXPECT_THAT(host->sink->Of("DocumentComplete"),
                ElementsAre("DocumentComplete top " + Address("one.htm")));
}

// WebKit reports the top document's load; the frames' documents come from the view's script in
// every frame, as they start and as they have loaded.
TEST_F(WebBrowserEngineTest, FramesCompleteBeforeTheTopAndAFrameLaterLoadsOnItsOwn) {
    auto host = Host();
    const std::string top = EngineAddress("top.htm");
    engine.host->OnLoadStarted(top, false);
    engine.host->OnLoadCommitted(top);
    engine.host->OnFrameCommitted("m", EngineAddress("menu.htm"));
    engine.host->OnFrameCommitted("b", EngineAddress("body.htm"));
    engine.host->OnFrameFinished("b");
    engine.host->OnFrameFinished("m");
    engine.host->OnTitle("Top");
    engine.host->OnLoadFinished();
    EXPECT_THAT(
        host->sink->events,
        ElementsAre("DownloadBegin", "StatusTextChange " + Address("top.htm"),
                    "ProgressChange 0/10000", "NavigateComplete2 top " + Address("top.htm"),
                    "NavigateComplete2 frame " + Address("menu.htm"),
                    "NavigateComplete2 frame " + Address("body.htm"), "TitleChange Top",
                    "ProgressChange 10000/10000", "ProgressChange -1/10000", "StatusTextChange ",
                    "DownloadComplete", "DocumentComplete frame " + Address("body.htm"),
                    "DocumentComplete frame " + Address("menu.htm"),
                    "DocumentComplete top " + Address("top.htm")));

    // A link in a frame: WebKit asks it as the top document's navigation; the frame's own
    // events follow and the control is no longer busy after them.
    host->sink->events.clear();
    EXPECT_FALSE(engine.host->OnBeforeNavigate(EngineAddress("two.htm")));
    engine.host->OnFrameCommitted("b2", EngineAddress("two.htm"));
    engine.host->OnFrameFinished("b2");
    EXPECT_THAT(host->sink->events,
                ElementsAre("BeforeNavigate2 top " + Address("two.htm"), "DownloadBegin",
                            "NavigateComplete2 frame " + Address("two.htm"), "DownloadComplete",
                            "DocumentComplete frame " + Address("two.htm")));
    VARIANT busy = host->Get(DISPID_BUSY);
    EXPECT_EQ(busy.boolVal, VARIANT_FALSE);
    EXPECT_EQ(host->LocationUrl(), Address("top.htm"));

    // A refresh reloads the frames without their events; the next page's frames are new ones.
    host->sink->events.clear();
    engine.host->OnLoadStarted(top, true);
    engine.host->OnLoadCommitted(top);
    engine.host->OnFrameCommitted("m3", EngineAddress("menu.htm"));
    engine.host->OnFrameFinished("m3");
    engine.host->OnLoadFinished();
    EXPECT_THAT(host->sink->events, ElementsAre("DownloadBegin", "TitleChange Top",
                                                "ProgressChange -1/10000", "DownloadComplete"));
    engine.host->OnFrameFinished("b");
    EXPECT_EQ(host->sink->events.size(), 4u);
}

TEST_F(WebBrowserEngineTest, WindowsThePageOpensAndClosesAreTheSinksToAllow) {
    auto opener = Host();
    WebEngineHost* openerEngine = engine.host;
    auto popup = Host();
    opener->sink->answer = [&](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_NEWWINDOW2) {
            *parameters->rgvarg[1].ppdispVal = popup->Application();
        }
    };
    openerEngine->OnOpenWindow(EngineAddress("popup.htm"));
    PumpUntilIdle();
    EXPECT_THAT(opener->sink->events, ElementsAre("NewWindow2"));
    EXPECT_THAT(popup->sink->Of("BeforeNavigate2"),
                ElementsAre("BeforeNavigate2 top " + Address("popup.htm")));
    EXPECT_THAT(engine.calls, ElementsAre("Load " + EngineAddress("popup.htm")));

    // A cancelled closing keeps the application object; an allowed one takes it away.
    opener->sink->answer = [](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_WINDOWCLOSING) {
            *parameters->rgvarg[0].pboolVal = VARIANT_TRUE;
        }
    };
    openerEngine->OnCloseRequested();
    IDispatch* application = opener->Application();
    EXPECT_NE(application, nullptr);
    if (application != nullptr) {
        application->Release();
    }
    opener->sink->answer = nullptr;
    openerEngine->OnCloseRequested();
    EXPECT_EQ(opener->Application(), nullptr);
    EXPECT_EQ(opener->sink->Of("WindowClosing").size(), 2u);
}

TEST_F(WebBrowserEngineTest, TravelLogMirrorsTheEnginesHistoryAndTravelsThroughIt) {
    auto host = Host();
    IServiceProvider* provider = nullptr;
    ASSERT_EQ(
        host->browser->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&provider)),
        S_OK);
    ITravelLogStg* storage = nullptr;
    ASSERT_EQ(provider->QueryService(IID_ITravelLogStg, IID_ITravelLogStg,
                                     reinterpret_cast<void**>(&storage)),
              S_OK);
    provider->Release();
    EXPECT_EQ(host->browser->GoBack(), E_FAIL);
    const std::string a = EngineAddress("a.htm");
    const std::string b = EngineAddress("b.htm");
    const std::string c = EngineAddress("c.htm");
    engine.host->OnHistory({{a, "A"}, {b, "B"}, {c, ""}}, 2);
    engine.host->OnHistory({{a, "A"}, {b, "B"}, {c, ""}}, 2);
    EXPECT_THAT(host->sink->events, ElementsAre("CommandStateChange 2 on"));
    EXPECT_THAT(TravelTitles(storage, TLEF_ABSOLUTE), ElementsAre("A", "B", Address("c.htm")));
    EXPECT_THAT(TravelTitles(storage, TLEF_RELATIVE_BACK), ElementsAre("B", "A"));

    ITravelLogEntry* first = nullptr;
    ITravelLogEntry* last = nullptr;
    ASSERT_EQ(storage->GetRelativeEntry(-2, &first), S_OK);
    ASSERT_EQ(storage->GetRelativeEntry(0, &last), S_OK);
    EXPECT_EQ(storage->TravelTo(first), S_OK);
    EXPECT_EQ(host->browser->GoBack(), S_OK);
    EXPECT_EQ(host->browser->GoForward(), E_FAIL);
    EXPECT_THAT(engine.calls, ElementsAre("Travel -2", "Travel -1"));

    // The engine went back to the first page: loading it adds no entry, and the entries handed
    // out before still name the same pages.
    engine.calls.clear();
    host->sink->events.clear();
    engine.host->OnHistory({{a, "A"}, {b, "B"}, {c, "C"}}, 0);
    LoadInEngine(a, "A");
    EXPECT_THAT(host->sink->Of("CommandStateChange"),
                ElementsAre("CommandStateChange 1 on", "CommandStateChange 2 off"));
    EXPECT_THAT(TravelTitles(storage, TLEF_RELATIVE_FORE), ElementsAre("B", "C"));
    EXPECT_TRUE(TravelTitles(storage, TLEF_RELATIVE_BACK).empty());
    EXPECT_EQ(storage->TravelTo(last), S_OK);
    EXPECT_EQ(host->browser->GoForward(), S_OK);
    EXPECT_THAT(engine.calls, ElementsAre("Travel 2", "Travel 1"));

    // A new page from the first drops the others; an entry of a dropped page goes nowhere.
    engine.calls.clear();
    host->sink->events.clear();
    engine.host->OnHistory({{a, "A"}, {EngineAddress("d.htm"), "D"}}, 1);
    EXPECT_THAT(host->sink->events,
                ElementsAre("CommandStateChange 1 off", "CommandStateChange 2 on"));
    EXPECT_THAT(TravelTitles(storage, TLEF_ABSOLUTE), ElementsAre("A", "D"));
    EXPECT_EQ(storage->TravelTo(last), E_INVALIDARG);
    EXPECT_EQ(storage->TravelTo(first), S_OK);
    EXPECT_THAT(engine.calls, ElementsAre("Travel -1"));
    first->Release();
    last->Release();
    storage->Release();
}

TEST_F(WebBrowserEngineTest, TheEngineIsPlacedWhereTheControlsWindowIs) {
    auto host = Host();
    RECT window{};
    GetWindowRect(parent, &window);
    POINT corner{10, 20};
    ClientToScreen(parent, &corner);
    EXPECT_EQ(engine.topLevel, parent);
    EXPECT_EQ(engine.rect.left, corner.x - window.left);
    EXPECT_EQ(engine.rect.top, corner.y - window.top);
    EXPECT_EQ(engine.rect.right - engine.rect.left, 400);
    EXPECT_EQ(engine.rect.bottom - engine.rect.top, 300);
    EXPECT_TRUE(engine.visible);

    IOleInPlaceObject* inPlace = nullptr;
    host->browser->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace));
    const RECT moved{30, 40, 230, 140};
    inPlace->SetObjectRects(&moved, nullptr);
    inPlace->Release();
    EXPECT_EQ(engine.rect.left, corner.x - window.left + 20);
    EXPECT_EQ(engine.rect.bottom - engine.rect.top, 100);
    host->object->DoVerb(OLEIVERB_HIDE, nullptr, nullptr, 0, nullptr, nullptr);
    EXPECT_FALSE(engine.visible);
}

TEST(EngineAddressTest, FileAddressesCarryLinuxPathsForTheEngineAndWindowsPathsBack) {
    platform::testing::TempFolder folder;
    std::string windows = WindowsPathOf(folder.path()).ToString();
    std::replace(windows.begin(), windows.end(), '\\', '/');
    const std::string control = "file:///" + GbkToUtf8(windows) + "/%E9%A1%B5%20a.htm?q=1#top";
    const std::string engine = EngineAddressOf(control);
    EXPECT_EQ(engine, "file://" + folder.path().string() + "/%E9%A1%B5%20a.htm?q=1#top");
    EXPECT_EQ(ControlAddressOf(engine),
              "file:///" + GbkToUtf8(windows) + Utf8(u8"/页 a.htm?q=1#top"));
    EXPECT_EQ(EngineAddressOf("http://example.com/a b"), "http://example.com/a b");
    EXPECT_EQ(ControlAddressOf("about:blank"), "about:blank");
    // A drive that maps nowhere stays as written.
    EXPECT_EQ(EngineAddressOf("file:///Q:/x.htm"), "file:///Q:/x.htm");
}

}  // namespace
}  // namespace platform::webcontrol
