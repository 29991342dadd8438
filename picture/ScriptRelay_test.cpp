#include "picture/ScriptRelay.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "browser/PageTestHost.h"
#include "picture/ScriptTestEngine.h"
#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"
#include "platform/windows/WindowPlatform.h"

namespace picture::testing {
namespace {

using ::testing::ElementsAre;

// The frame's side: real pages whose browsers navigate, and a line for each call on the frame.
class CTestScriptHost : public CScriptHost {
public:
    explicit CTestScriptHost(browser::testing::CTestPageHost& pages) : m_pages(pages) {}

    std::vector<std::string> calls;
    // The threads the calls ran on.
    std::vector<DWORD> threads;

    BOOL IsPageOpen(CPageDlg* pPage) override {
        return std::any_of(m_pages.pages.begin(), m_pages.pages.end(),
                           [&](const auto& page) { return page.get() == pPage; });
    }
    void NavigatePage(CPageDlg* pPage, const CString& url) override {
        Note("NavigatePage " + std::string(url));
        pPage->m_wndBrowser.Navigate(url, nullptr, nullptr, nullptr, nullptr);
    }
    CPageDlg* OpenUrl(const CString& url, int newTab, int activate) override {
        Note("OpenUrl " + std::string(url) + " " + std::to_string(newTab) + " " +
             std::to_string(activate));
        return nullptr;
    }
    int NavigatePane(const CString& url) override {
        Note("NavigatePane " + std::string(url));
        return 0;
    }

private:
    void Note(const std::string& call) {
        calls.push_back(call);
        threads.push_back(GetCurrentThreadId());
    }

    browser::testing::CTestPageHost& m_pages;
};

class ScriptRelayTest : public browser::testing::PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        relay = std::make_shared<CScriptRelay>(scriptHost);
        page = host.AddPage();
        ASSERT_NE(nullptr, page);
    }
    void TearDown() override {
        relay.reset();
        PageTest::TearDown();
    }

    // Runs script for page on a worker thread while this thread takes the calls sent to it.
    void RunOnWorker(const std::string& script, CPageDlg* target) {
        struct Work {
            CScriptTestEngine engine;
        } work;
        work.engine.SetPage(relay.get(), target);
        work.engine.Init(script.c_str());
        HANDLE thread = CreateThread(
            nullptr, 0,
            [](LPVOID parameter) -> DWORD {
                static_cast<Work*>(parameter)->engine.Run();
                return 0;
            },
            &work, 0, nullptr);
        ASSERT_NE(nullptr, thread);
        for (int round = 0; round < 5000 && WaitForSingleObject(thread, 0) == WAIT_TIMEOUT;
             ++round) {
            platform::PumpUntilIdle();
            WaitForSingleObject(thread, 1);
        }
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 0));
        CloseHandle(thread);
        platform::PumpUntilIdle();
        workerValue = work.engine.Value("@done");
    }

    CPageDlg* page = nullptr;
    CTestScriptHost scriptHost{host};
    std::shared_ptr<CScriptRelay> relay;
    std::string workerValue;
};

TEST_F(ScriptRelayTest, ScriptsDriveThePageAndTheFrame) {
    const std::string address = Page("target.htm", "<html><body>target</body></html>");
    CScriptTestEngine engine;
    engine.SetPage(relay.get(), page);
    engine.RunScript("%html [navigate] [" + address +
                     "]\r\n"
                     "%html [open] [1] [0] [http://example.com/x]\r\n"
                     "%html [open] [01] [2] [about:blank]\r\n"
                     "%html [open2] [about:blank]\r\n"
                     "%html [open] [1] [1]\r\n");
    platform::PumpUntilIdle();
    EXPECT_EQ(Address("target.htm"), std::string(page->m_wndBrowser.GetLocationURL()));
    EXPECT_THAT(scriptHost.calls,
                ElementsAre("NavigatePage " + address, "OpenUrl http://example.com/x 1 0",
                            "OpenUrl about:blank 1 0", "NavigatePane about:blank"));

    // Without a page and relay the sub-commands do nothing and the script goes on.
    CScriptTestEngine alone;
    alone.RunScript("%html [navigate] [" + address + "]\r\n%html [open2] [x]\r\n%Set @d [1]\r\n");
    EXPECT_EQ("1", alone.Value("@d"));
    EXPECT_EQ(4u, scriptHost.calls.size());
}

TEST_F(ScriptRelayTest, AWorkerThreadsCallsRunOnTheUserInterfaceThread) {
    const std::string address = Page("worker.htm", "<html><body>worker</body></html>");
    RunOnWorker(
        "%html [navigate] [" + address + "]\r\n%html [open2] [about:blank]\r\n%Set @done [1]\r\n",
        page);
    EXPECT_EQ("1", workerValue);
    EXPECT_EQ(Address("worker.htm"), std::string(page->m_wndBrowser.GetLocationURL()));
    EXPECT_THAT(scriptHost.calls,
                ElementsAre("NavigatePage " + address, "NavigatePane about:blank"));
    EXPECT_THAT(scriptHost.threads, ElementsAre(GetCurrentThreadId(), GetCurrentThreadId()));
}

TEST_F(ScriptRelayTest, APageClosedWhileItsScriptRunsIsLeftAlone) {
    CPageDlg* closed = host.AddPage();
    ASSERT_NE(nullptr, closed);
    closed->DestroyWindow();
    host.pages.pop_back();
    RunOnWorker("%html [navigate] [about:blank]\r\n%Set @done [1]\r\n", closed);
    EXPECT_EQ("1", workerValue);
    EXPECT_TRUE(scriptHost.calls.empty());
}

// A worker shares the relay with the frame; once the frame has let it go, the worker's calls fail
// and the script goes on without reaching the frame.
TEST_F(ScriptRelayTest, AfterTheFrameLetsTheRelayGoAWorkersCallsFail) {
    relay->Detach();
    const std::string address = Page("late.htm", "<html><body>late</body></html>");
    RunOnWorker(
        "%html [navigate] [" + address + "]\r\n%html [open2] [about:blank]\r\n%Set @done [1]\r\n",
        page);
    EXPECT_EQ("1", workerValue);
    EXPECT_TRUE(scriptHost.calls.empty());
    EXPECT_NE(Address("late.htm"), std::string(page->m_wndBrowser.GetLocationURL()));
    EXPECT_EQ(-1, relay->Call([](CScriptHost&) { return 0; }));
}

}  // namespace
}  // namespace picture::testing
