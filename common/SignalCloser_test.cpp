#include "common/SignalCloser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "platform/framework/Wnd.h"
#include "platform/windows/WindowPlatform.h"

namespace {

volatile std::sig_atomic_t earlierHandlerRuns = 0;

void EarlierHandler(int) {
    earlierHandlerRuns = earlierHandlerRuns + 1;
}

class CClosableWindow : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) {
            ++closes;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int closes = 0;
};

class SignalCloserTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        AfxRegisterFrameworkClasses();
        struct sigaction action {};
        action.sa_handler = EarlierHandler;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &savedInterrupt_);
        ::sigaction(SIGTERM, &action, &savedTerminate_);
        earlierHandlerRuns = 0;
        ASSERT_TRUE(window.CreateEx(0, AFX_WND_CLASS, "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                    nullptr, nullptr));
    }
    void TearDown() override {
        window.DestroyWindow();
        ::sigaction(SIGINT, &savedInterrupt_, nullptr);
        ::sigaction(SIGTERM, &savedTerminate_, nullptr);
        platform::ResetWindowSystemForTesting();
    }

    // Pumps until the window has seen `count` closes or a second has passed.
    void PumpUntilCloses(int count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (window.closes < count && std::chrono::steady_clock::now() < deadline) {
            platform::PumpUntilIdle();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        platform::PumpUntilIdle();
    }

    CClosableWindow window;

private:
    struct sigaction savedInterrupt_ {};
    struct sigaction savedTerminate_ {};
};

TEST_F(SignalCloserTest, TerminateAndInterruptEachCloseTheWindowAsTheUserWould) {
    SignalCloser closer;
    ASSERT_TRUE(closer.Start());
    closer.Watch(window.m_hWnd);
    std::raise(SIGTERM);
    PumpUntilCloses(1);
    EXPECT_EQ(window.closes, 1);
    std::raise(SIGINT);
    PumpUntilCloses(2);
    EXPECT_EQ(window.closes, 2);
    EXPECT_EQ(earlierHandlerRuns, 0);
}

TEST_F(SignalCloserTest, StoppingGivesTheEarlierHandlingBack) {
    {
        SignalCloser closer;
        ASSERT_TRUE(closer.Start());
        closer.Watch(window.m_hWnd);
    }
    std::raise(SIGTERM);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    platform::PumpUntilIdle();
    EXPECT_EQ(window.closes, 0);
    EXPECT_EQ(earlierHandlerRuns, 1);
}

TEST_F(SignalCloserTest, OnlyOneWatcherAtATimeAndStoppingTwiceIsHarmless) {
    SignalCloser first;
    SignalCloser second;
    ASSERT_TRUE(first.Start());
    first.Watch(window.m_hWnd);
    EXPECT_FALSE(second.Start());
    EXPECT_FALSE(first.Start());
    second.Stop();
    std::raise(SIGINT);
    PumpUntilCloses(1);
    EXPECT_EQ(window.closes, 1);
    first.Stop();
    first.Stop();
    EXPECT_TRUE(second.Start());
}

// A signal before there is a window to close is kept for the window when it comes.
TEST_F(SignalCloserTest, ASignalBeforeTheWindowClosesItAsSoonAsItIsGiven) {
    SignalCloser closer;
    ASSERT_TRUE(closer.Start());
    std::raise(SIGTERM);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    closer.Watch(window.m_hWnd);
    PumpUntilCloses(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    platform::PumpUntilIdle();
    EXPECT_EQ(window.closes, 1);
    EXPECT_EQ(earlierHandlerRuns, 0);
}

TEST_F(SignalCloserTest, AWindowThatIsGoneIsNoHarm) {
    SignalCloser closer;
    HWND gone = window.m_hWnd;
    ASSERT_TRUE(closer.Start());
    closer.Watch(gone);
    window.DestroyWindow();
    std::raise(SIGTERM);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    platform::PumpUntilIdle();
    EXPECT_EQ(window.closes, 0);
}

}  // namespace
