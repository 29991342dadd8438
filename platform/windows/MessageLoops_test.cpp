#include <atomic>
#include <thread>

#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

class MessageLoopsTest : public WindowTest {
protected:
    // Attaches a handler that records its window and takes the messages `takes` accepts.
    void Watch(HWND hwnd, std::function<bool(const MSG&)> takes) {
        SetPreTranslateHandler(hwnd, [this, hwnd, takes](MSG& msg) {
            seen_.emplace_back(hwnd, msg.message);
            return takes(msg);
        });
    }
    std::vector<std::pair<HWND, UINT>> seen_;
};

bool Never(const MSG&) {
    return false;
}

TEST_F(MessageLoopsTest, PostedMessagesClimbFromTheTargetToItsParentsUntilOneTakesThem) {
    HWND frame = TopLevel();
    HWND page = Child(frame, 1, {0, 0, 10, 10});
    HWND combo = Child(page, 1034, {0, 0, 10, 10});
    HWND edit = Child(combo, 1001, {0, 0, 10, 10});
    PumpUntilIdle();
    Watch(frame, Never);
    Watch(page, [](const MSG& msg) { return msg.message == 1035; });
    Watch(combo, Never);
    // The edit has no handler of its own, as a combo box's edit has no object.
    PostMessageA(edit, 1035, 0, 0);
    PostMessageA(edit, 1036, 0, 0);
    PumpUntilIdle();
    EXPECT_EQ(seen_, (std::vector<std::pair<HWND, UINT>>{
                         {combo, 1035}, {page, 1035}, {combo, 1036}, {page, 1036}, {frame, 1036}}));
    // The taken message never reached a window procedure; the other one did.
    EXPECT_TRUE(Log().Of(1035).empty());
    EXPECT_EQ(Log().Of(1036).size(), 1u);

    seen_.clear();
    SendMessageA(edit, 1035, 0, 0);
    EXPECT_TRUE(seen_.empty());
    EXPECT_EQ(Log().Of(1035).size(), 1u);
}

TEST_F(MessageLoopsTest, TheMainWindowGetsTheLastChanceAtEveryMessage) {
    HWND frame = TopLevel(WS_OVERLAPPEDWINDOW, {0, 0, 10, 10}, "DeskvaneTP");
    HWND popup = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "countdown");
    HWND owned = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "owned", 0, frame);
    SetThreadMainWindow(frame);
    PumpUntilIdle();
    Watch(frame, [](const MSG& msg) { return msg.message >= 1030 && msg.message <= 1033; });
    Watch(popup, Never);
    Watch(owned, Never);
    PostMessageA(popup, 1031, 0, 0);
    PostMessageA(owned, 1032, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), 1033, 0, 0);
    PumpUntilIdle();
    EXPECT_EQ(seen_,
              (std::vector<std::pair<HWND, UINT>>{
                  {popup, 1031}, {frame, 1031}, {owned, 1032}, {frame, 1032}, {frame, 1033}}));
    EXPECT_TRUE(Log().Of(1031).empty());
}

TEST_F(MessageLoopsTest, AThreadFilterReplacesTheWalk) {
    HWND frame = TopLevel();
    PumpUntilIdle();
    Watch(frame, [](const MSG&) { return true; });
    std::vector<UINT> filtered;
    SetThreadMessageFilter([&](MSG& msg) {
        filtered.push_back(msg.message);
        return false;
    });
    PostMessageA(frame, WM_USER, 0, 0);
    PumpUntilIdle();
    EXPECT_EQ(filtered, (std::vector<UINT>{WM_USER}));
    EXPECT_TRUE(seen_.empty());
    EXPECT_EQ(Log().Of(WM_USER).size(), 1u);
    SetThreadMessageFilter(nullptr);
    PostMessageA(frame, WM_USER, 0, 0);
    PumpUntilIdle();
    EXPECT_EQ(Log().Of(WM_USER).size(), 1u);
}

TEST_F(MessageLoopsTest, ModalLoopDisablesTheOwnerRoutesThroughParentsAndKeepsTimersGoing) {
    HWND frame = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 100, 100}, "frame");
    HWND dialog = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50}, "dialog", 0, frame);
    HWND child = Child(dialog, 1, {0, 0, 10, 10});
    SetThreadMainWindow(frame);
    Watch(child, Never);
    Watch(dialog, [](const MSG& msg) {
        if (msg.message == 1034) {
            AdvanceTestClock(std::chrono::milliseconds(5000));
            return true;
        }
        return false;
    });
    Watch(frame, Never);
    SetTimer(frame, 1, 5000, nullptr);
    bool ownerDisabledInside = false;
    bool running = true;
    Log().Answer(WM_TIMER, [&](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        ownerDisabledInside = hwnd == frame && !IsWindowEnabled(frame);
        running = false;
        return 0;
    });
    PostMessageA(child, 1034, 0, 0);
    EXPECT_TRUE(RunModalLoop(frame, [&] { return running; }));
    EXPECT_TRUE(ownerDisabledInside);
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_EQ(seen_[0], std::make_pair(child, static_cast<UINT>(1034)));
    EXPECT_EQ(seen_[1], std::make_pair(dialog, static_cast<UINT>(1034)));
    EXPECT_EQ(Log().Of(WM_TIMER).size(), 1u);
}

TEST_F(MessageLoopsTest, QuitEndsTheModalLoopAndStaysForTheOuterLoop) {
    HWND frame = TopLevel();
    PostQuitMessage(9);
    PostMessageA(frame, WM_USER, 0, 0);
    EXPECT_FALSE(RunModalLoop(frame, [] { return true; }));
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_EQ(Log().Of(WM_USER).size(), 1u);
    EXPECT_EQ(PumpUntilIdle(), 0);
    MSG msg{};
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(MessageLoopsTest, AMessageSentFromAnotherThreadCanEndTheModalLoop) {
    HWND dialog = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "dialog");
    std::atomic<bool> running{true};
    Log().Answer(WM_CLOSE, [&](HWND, WPARAM, LPARAM) -> LRESULT {
        running = false;
        return 0;
    });
    std::thread sender([&] { SendMessageA(dialog, WM_CLOSE, 0, 0); });
    EXPECT_TRUE(RunModalLoop(nullptr, [&] { return running.load(); }));
    sender.join();
    EXPECT_TRUE(IsWindow(dialog));
}

}  // namespace
}  // namespace platform::testing
