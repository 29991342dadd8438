#include <atomic>
#include <future>
#include <thread>

#include "platform/windows/DesktopSync.h"
#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

class MessageQueueTest : public WindowTest {};

std::vector<UINT> Drain(HWND filter = nullptr) {
    std::vector<UINT> messages;
    MSG msg{};
    while (PeekMessageA(&msg, filter, 0, 0, PM_REMOVE)) {
        messages.push_back(msg.message);
        if (msg.message == WM_PAINT) {
            ValidateRect(msg.hwnd, nullptr);
        }
    }
    return messages;
}

TEST_F(MessageQueueTest, PostedMessagesComeFirstThenPaintThenTimers) {
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
    Drain();
    SetTimer(top, 1, 100, nullptr);
    AdvanceTestClock(std::chrono::milliseconds(100));
    InvalidateRect(top, nullptr, TRUE);
    PostMessageA(top, WM_USER + 1, 0, 0);
    PostMessageA(top, WM_USER + 2, 0, 0);
    EXPECT_EQ(Drain(), (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_PAINT, WM_TIMER}));
}

TEST_F(MessageQueueTest, PeekHonoursWindowAndRangeFiltersAndNoRemove) {
    HWND a = TopLevel(WS_POPUP, {0, 0, 1, 1});
    HWND b = TopLevel(WS_POPUP, {0, 0, 1, 1});
    HWND child = Child(a, 1, {0, 0, 1, 1});
    PostMessageA(b, WM_USER, 1, 0);
    PostMessageA(child, WM_USER, 2, 0);
    PostMessageA(a, WM_COMMAND, 3, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER, 4, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, a, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    ASSERT_TRUE(PeekMessageA(&msg, a, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, child);
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 4u);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_FALSE(PeekMessageA(&msg, child, 0, 0, PM_REMOVE));
    EXPECT_EQ(Drain(), (std::vector<UINT>{WM_USER, WM_COMMAND}));
}

TEST_F(MessageQueueTest, BroadcastReachesEveryTopLevelWindowButNoChild) {
    HWND a = TopLevel(WS_POPUP, {0, 0, 1, 1});
    HWND b = TopLevel(WS_POPUP, {0, 0, 1, 1});
    Child(a, 1, {0, 0, 1, 1});
    EXPECT_TRUE(PostMessageA(HWND_BROADCAST, WM_USER + 9, 1, 2));
    PumpUntilIdle();
    const auto got = Log().Of(WM_USER + 9);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].hwnd, b);
    EXPECT_EQ(got[1].hwnd, a);
}

TEST_F(MessageQueueTest, ValidatingPartOfTheUpdateAreaKeepsItAndAllWindowsCanBeInvalidated) {
    HWND a = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    HWND b = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    PumpUntilIdle();
    RECT part{10, 10, 20, 20};
    InvalidateRect(a, &part, FALSE);
    RECT small{10, 10, 15, 15};
    ValidateRect(a, &small);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(a, &update, FALSE));
    EXPECT_EQ(update.left, 10);
    EXPECT_EQ(update.right, 20);
    RECT outside{500, 500, 600, 600};
    EXPECT_TRUE(InvalidateRect(b, &outside, FALSE));
    EXPECT_FALSE(GetUpdateRect(b, &update, FALSE));
    EXPECT_TRUE(InvalidateRect(nullptr, nullptr, FALSE));
    Log().Clear();
    PumpUntilIdle();
    EXPECT_EQ(Log().Of(WM_PAINT).size(), 2u);
}

TEST_F(MessageQueueTest, QuitEndsGetMessageAfterPostedMessages) {
    HWND top = TopLevel(WS_POPUP, {0, 0, 1, 1});
    PostQuitMessage(3);
    PostMessageA(top, WM_USER, 0, 0);
    MSG msg{};
    EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    SetLastError(0);
    EXPECT_EQ(GetMessageA(&msg, reinterpret_cast<HWND>(0x1234), 0, 0), -1);
}

TEST_F(MessageQueueTest, PostedMessagesCarryTimeAndCursorOfThePost) {
    HWND top = TopLevel(WS_POPUP, {0, 0, 1, 1});
    SetCursorPos(30, 40);
    const DWORD postedAt = GetTickCount();
    PostMessageA(top, 1324, WM_LBUTTONDOWN, 0);
    SetCursorPos(300, 400);
    AdvanceTestClock(std::chrono::milliseconds(25));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, top, 1324, 1324, PM_REMOVE));
    EXPECT_EQ(msg.pt.x, 30);
    EXPECT_EQ(msg.pt.y, 40);
    EXPECT_EQ(msg.time, postedAt);
    EXPECT_EQ(GetMessagePos(), static_cast<DWORD>(MAKELONG(30, 40)));
    EXPECT_EQ(GetMessageTime(), static_cast<LONG>(postedAt));
}

TEST_F(MessageQueueTest, PostingFailsForDeadWindowsUnknownThreadsAndFullQueues) {
    HWND top = TopLevel(WS_POPUP, {0, 0, 1, 1});
    for (int i = 0; i < 10000; ++i) {
        ASSERT_TRUE(PostMessageA(top, WM_USER, static_cast<WPARAM>(i), 0));
    }
    SetLastError(0);
    EXPECT_FALSE(PostMessageA(top, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_QUOTA));
    EXPECT_EQ(Drain().size(), 10000u);
    DestroyWindow(top);
    EXPECT_FALSE(PostMessageA(top, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(PostThreadMessageA(0xFFFFFFF0u, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
}

TEST_F(MessageQueueTest, SendFromAWorkerWaitsForTheOwnerAndReturnsItsResult) {
    HWND top = TopLevel(WS_POPUP, {0, 0, 1, 1});
    std::atomic<DWORD> handlerThread{0};
    Log().Answer(WM_USER + 5, [&](HWND, WPARAM wParam, LPARAM) -> LRESULT {
        handlerThread = GetCurrentThreadId();
        EXPECT_TRUE(InSendMessage());
        return static_cast<LRESULT>(wParam * 2);
    });
    std::atomic<bool> finished{false};
    LRESULT result = 0;
    std::thread worker([&] {
        result = SendMessageA(top, WM_USER + 5, 21, 0);
        finished = true;
        PostMessageA(top, WM_NULL, 0, 0);
    });
    EXPECT_TRUE(RunModalLoop(nullptr, [&] { return !finished.load(); }));
    worker.join();
    EXPECT_EQ(result, 42);
    EXPECT_EQ(handlerThread.load(), GetCurrentThreadId());
    EXPECT_FALSE(InSendMessage());
}

TEST_F(MessageQueueTest, WorkHandedToAWindowsThreadRunsThereWithoutTheCallerWaiting) {
    HWND top = TopLevel(WS_POPUP, {0, 0, 10, 10});
    Log().Clear();
    std::atomic<DWORD> ranOn{0};
    std::atomic<bool> handed{false};
    std::thread display([&] {
        // Activation is the thread's own: only there does it send the messages that go with it.
        handed = RunOnWindowThread(top, [&] {
            ranOn = GetCurrentThreadId();
            SetActiveWindow(top);
        });
    });
    display.join();
    ASSERT_TRUE(handed);
    EXPECT_EQ(ranOn.load(), 0u);
    // Runs in whatever loop the thread is in, a modal one here.
    EXPECT_TRUE(RunModalLoop(nullptr, [&] { return ranOn.load() == 0; }));
    EXPECT_EQ(ranOn.load(), GetCurrentThreadId());
    EXPECT_EQ(GetActiveWindow(), top);
    ASSERT_EQ(Log().Of(WM_ACTIVATE).size(), 1u);
    EXPECT_EQ(Log().Of(WM_ACTIVATE)[0].hwnd, top);
    DestroyWindow(top);
    EXPECT_FALSE(RunOnWindowThread(top, [] {}));
}

TEST_F(MessageQueueTest, TwoThreadsSendingToEachOtherDoNotDeadlock) {
    HWND mine = TopLevel(WS_POPUP, {0, 0, 1, 1}, "mine");
    Log().Answer(WM_USER + 1, [](HWND, WPARAM, LPARAM) -> LRESULT { return 7; });
    std::promise<std::pair<HWND, DWORD>> ready;
    std::thread other([&] {
        HWND theirs = TopLevel(WS_POPUP, {0, 0, 1, 1}, "theirs");
        ready.set_value({theirs, GetCurrentThreadId()});
        MSG msg{};
        while (GetMessageA(&msg, nullptr, 0, 0)) {
            DispatchMessageA(&msg);
        }
        DestroyWindow(theirs);
    });
    const auto [theirs, otherThread] = ready.get_future().get();
    Log().Answer(WM_USER + 2, [&](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        if (hwnd == theirs) {
            return SendMessageA(mine, WM_USER + 1, 0, 0) + 1;
        }
        return 0;
    });
    EXPECT_EQ(SendMessageA(theirs, WM_USER + 2, 0, 0), 8);
    EXPECT_TRUE(PostThreadMessageA(otherThread, WM_QUIT, 0, 0));
    other.join();
}

TEST_F(MessageQueueTest, WindowsEndWithTheirThread) {
    HWND orphan = nullptr;
    std::thread([&] {
        orphan = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "orphan");
        Child(orphan, 1, {0, 0, 5, 5});
        SetTimer(orphan, 1, 100, nullptr);
    }).join();
    EXPECT_FALSE(IsWindow(orphan));
    EXPECT_EQ(FindWindowA(nullptr, "orphan"), nullptr);
    EXPECT_EQ(SendMessageA(orphan, WM_USER, 0, 0), 0);
    EXPECT_EQ(WindowFromPoint(POINT{1, 1}), nullptr);
}

TEST_F(MessageQueueTest, SendTimeoutGivesUpOnAThreadThatDoesNotPump) {
    std::promise<HWND> created;
    std::promise<void> release;
    std::thread busy([&] {
        HWND hwnd = TopLevel(WS_POPUP, {0, 0, 1, 1}, "busy");
        created.set_value(hwnd);
        release.get_future().wait();
        PumpUntilIdle();
        DestroyWindow(hwnd);
    });
    HWND hwnd = created.get_future().get();
    DWORD_PTR result = 99;
    SetLastError(0);
    EXPECT_EQ(SendMessageTimeoutA(hwnd, WM_USER, 0, 0, SMTO_NORMAL, 1, &result), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
    EXPECT_EQ(result, 99u);
    release.set_value();
    busy.join();
    EXPECT_TRUE(Log().Of(WM_USER).empty());
}

TEST_F(MessageQueueTest, InvalidationPaintsOnceWithEraseInsideBeginPaint) {
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 100, 80});
    HWND child = Child(top, 1, {10, 10, 30, 30});
    PumpUntilIdle();
    Log().Clear();
    RECT part{0, 0, 20, 20};
    InvalidateRect(top, &part, TRUE);
    RECT second{50, 50, 60, 60};
    InvalidateRect(top, &second, FALSE);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_EQ(update.right, 60);
    EXPECT_EQ(PumpUntilIdle(), 2);
    EXPECT_EQ(
        Log().Only({WM_PAINT, WM_ERASEBKGND}),
        (std::vector<std::pair<HWND, UINT>>{
            {top, WM_PAINT}, {top, WM_ERASEBKGND}, {child, WM_PAINT}, {child, WM_ERASEBKGND}}));
    EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));

    // A window procedure that answers WM_ERASEBKGND with 0 leaves fErase set.
    PAINTSTRUCT paint{};
    InvalidateRect(child, nullptr, TRUE);
    BeginPaint(child, &paint);
    EndPaint(child, &paint);
    EXPECT_TRUE(paint.fErase);
    EXPECT_EQ(paint.rcPaint.right, 20);
    EXPECT_EQ(paint.hdc, nullptr);
    InvalidateRect(child, nullptr, FALSE);
    BeginPaint(child, &paint);
    EXPECT_FALSE(paint.fErase);

    // Hidden windows collect no paint; UpdateWindow paints at once.
    ShowWindow(top, SW_HIDE);
    PumpUntilIdle();
    Log().Clear();
    InvalidateRect(top, nullptr, FALSE);
    EXPECT_EQ(PumpUntilIdle(), 0);
    ShowWindow(top, SW_SHOWNA);
    Log().Clear();
    UpdateWindow(top);
    EXPECT_EQ(Log().Only({WM_PAINT}),
              (std::vector<std::pair<HWND, UINT>>{{top, WM_PAINT}, {child, WM_PAINT}}));
    EXPECT_EQ(PumpUntilIdle(), 0);
}

TEST_F(MessageQueueTest, TimersFireInOrderUnderTheVirtualClock) {
    HWND top = TopLevel(WS_POPUP, {0, 0, 1, 1});
    EXPECT_EQ(SetTimer(top, 0, 1000, nullptr), 1u);
    EXPECT_EQ(SetTimer(top, 6, 200, nullptr), 6u);
    EXPECT_EQ(SetTimer(top, 101, 100, nullptr), 101u);
    auto fired = [&] {
        Log().Clear();
        PumpUntilIdle();
        std::vector<WPARAM> ids;
        for (const LoggedMessage& entry : Log().Of(WM_TIMER)) {
            ids.push_back(entry.wParam);
        }
        return ids;
    };
    EXPECT_TRUE(fired().empty());
    AdvanceTestClock(std::chrono::milliseconds(99));
    EXPECT_TRUE(fired().empty());
    AdvanceTestClock(std::chrono::milliseconds(1));
    EXPECT_EQ(fired(), (std::vector<WPARAM>{101}));
    AdvanceTestClock(std::chrono::milliseconds(100));
    EXPECT_EQ(fired(), (std::vector<WPARAM>{6, 101}));
    // Falling behind gives one message per timer, not one per missed period, the longest
    // overdue first.
    AdvanceTestClock(std::chrono::milliseconds(800));
    EXPECT_EQ(fired(), (std::vector<WPARAM>{101, 6, 0}));

    // A second SetTimer with the same id replaces the period.
    SetTimer(top, 101, 5000, nullptr);
    AdvanceTestClock(std::chrono::milliseconds(1000));
    EXPECT_EQ(fired(), (std::vector<WPARAM>{6, 0}));
    EXPECT_TRUE(KillTimer(top, 0));
    EXPECT_FALSE(KillTimer(top, 0));
    EXPECT_TRUE(KillTimer(top, 6));
    AdvanceTestClock(std::chrono::milliseconds(4000));
    EXPECT_EQ(fired(), (std::vector<WPARAM>{101}));
    DestroyWindow(top);
    EXPECT_FALSE(KillTimer(top, 101));
}

std::vector<std::pair<HWND, UINT_PTR>> callback_calls;

void CALLBACK RecordTimer(HWND hwnd, UINT message, UINT_PTR id, DWORD) {
    EXPECT_EQ(message, static_cast<UINT>(WM_TIMER));
    callback_calls.emplace_back(hwnd, id);
}

TEST_F(MessageQueueTest, ThreadTimersGetFreshIdsAndCallTheirCallback) {
    callback_calls.clear();
    const UINT_PTR first = SetTimer(nullptr, 0, 50, RecordTimer);
    const UINT_PTR second = SetTimer(nullptr, 0, 50, RecordTimer);
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);
    EXPECT_EQ(SetTimer(nullptr, first, 70, RecordTimer), first);
    SetTimer(nullptr, 0, 5, RecordTimer);  // Clamped to the 10 ms minimum.
    AdvanceTestClock(std::chrono::milliseconds(9));
    PumpUntilIdle();
    EXPECT_TRUE(callback_calls.empty());
    AdvanceTestClock(std::chrono::milliseconds(61));
    PumpUntilIdle();
    ASSERT_EQ(callback_calls.size(), 3u);
    EXPECT_EQ(callback_calls[0].first, nullptr);
    EXPECT_EQ(callback_calls[1].second, second);
    EXPECT_EQ(callback_calls[2].second, first);
    EXPECT_TRUE(KillTimer(nullptr, first));
    EXPECT_TRUE(KillTimer(nullptr, second));
}

TEST_F(MessageQueueTest, TimersOfOtherThreadsWindowsAreRefused) {
    HWND top = TopLevel(WS_POPUP, {0, 0, 1, 1});
    UINT_PTR result = 1;
    std::thread([&] { result = SetTimer(top, 3, 100, nullptr); }).join();
    EXPECT_EQ(result, 0u);
}

}  // namespace
}  // namespace platform::testing
