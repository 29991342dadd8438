#include "platform/windows/WindowTest.h"

#include <atomic>
#include <cstdint>
#include <thread>

#include "platform/process/LibraryApi.h"

namespace platform::testing {
namespace {

class InputTest : public WindowTest {
protected:
    void Click(POINT at) {
        InjectMouse(MOUSEEVENTF_LEFTDOWN, at);
        InjectMouse(MOUSEEVENTF_LEFTUP, at);
    }
    // Pumps and returns the mouse and key messages that reached window procedures.
    std::vector<LoggedMessage> Input() {
        Log().Clear();
        PumpUntilIdle();
        std::vector<LoggedMessage> input;
        for (const LoggedMessage& entry : Log().Entries()) {
            if ((entry.message >= WM_MOUSEFIRST && entry.message <= WM_MOUSELAST) ||
                (entry.message >= WM_NCMOUSEMOVE && entry.message <= WM_NCMBUTTONDBLCLK) ||
                (entry.message >= WM_KEYFIRST && entry.message <= WM_KEYLAST)) {
                input.push_back(entry);
            }
        }
        return input;
    }
    static std::vector<UINT> Messages(const std::vector<LoggedMessage>& entries) {
        std::vector<UINT> messages;
        for (const LoggedMessage& entry : entries) {
            messages.push_back(entry.message);
        }
        return messages;
    }
};

TEST_F(InputTest, ClicksArriveInClientCoordinatesWithExactKeyFlags) {
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE, {100, 100, 400, 300});
    HWND button = Child(top, 1, {10, 20, 110, 60});
    PumpUntilIdle();
    Click(POINT{130, 140});
    auto input = Input();
    ASSERT_EQ(Messages(input), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    for (const LoggedMessage& entry : input) {
        EXPECT_EQ(entry.hwnd, button);
        EXPECT_EQ(entry.lParam, MAKELPARAM(20, 20));
    }
    EXPECT_EQ(input[1].wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(input[2].wParam, 0u);

    InjectKey(VK_SHIFT, true);
    InjectMouse(MOUSEEVENTF_RIGHTDOWN, POINT{130, 140});
    input = Input();
    ASSERT_EQ(Messages(input), (std::vector<UINT>{WM_KEYDOWN, WM_RBUTTONDOWN}));
    EXPECT_EQ(input[1].wParam, static_cast<WPARAM>(MK_RBUTTON | MK_SHIFT));
}

TEST_F(InputTest, CaptureGetsMessagesOutsideWithNegativeCoordinates) {
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE, {100, 100, 400, 300});
    HWND other = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50}, "other");
    PumpUntilIdle();
    SetCapture(top);
    InjectMouse(MOUSEEVENTF_MOVE, POINT{10, 20});
    auto input = Input();
    ASSERT_EQ(input.size(), 1u);
    EXPECT_EQ(input[0].hwnd, top);
    EXPECT_EQ(GET_X_LPARAM(input[0].lParam), -90);
    EXPECT_EQ(GET_Y_LPARAM(input[0].lParam), -80);
    ReleaseCapture();
    InjectMouse(MOUSEEVENTF_MOVE, POINT{11, 20});
    input = Input();
    ASSERT_EQ(input.size(), 1u);
    EXPECT_EQ(input[0].hwnd, other);
}

TEST_F(InputTest, DoubleClicksNeedTheClassStyleTheTimeAndThePlace) {
    HWND plain = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, "plain");
    HWND doubles = TopLevel(WS_POPUP | WS_VISIBLE, {200, 0, 300, 100}, "doubles", 0, nullptr,
                            kDoubleClickClass);
    PumpUntilIdle();
    Click(POINT{250, 50});
    Click(POINT{251, 51});
    Click(POINT{251, 51});
    EXPECT_EQ(Messages(Input()),
              (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE,
                                 WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    AdvanceTestClock(std::chrono::milliseconds(1000));
    Click(POINT{251, 51});
    AdvanceTestClock(std::chrono::milliseconds(501));
    Click(POINT{251, 51});
    Click(POINT{256, 51});
    EXPECT_EQ(Messages(Input()),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                 WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    Click(POINT{50, 50});
    Click(POINT{50, 50});
    const auto input = Input();
    EXPECT_EQ(Messages(input), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                                  WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(input[1].hwnd, plain);
    EXPECT_NE(plain, doubles);
}

TEST_F(InputTest, ClicksOutsideTheClientAreaBecomeNonClientMessages) {
    HWND top = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 400, 300});
    PumpUntilIdle();
    // The press on the caption starts the move loop, which takes the release.
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{200, 110});
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{200, 110});
    auto input = Input();
    ASSERT_EQ(Messages(input), (std::vector<UINT>{WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN}));
    EXPECT_EQ(input[1].wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(input[1].lParam, MAKELPARAM(200, 110));

    // A window that answers HTCAPTION for its body gets non-client clicks there.
    Log().Answer(WM_NCHITTEST, [](HWND, WPARAM, LPARAM) -> LRESULT { return HTCAPTION; });
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{200, 200});
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{200, 200});
    input = Input();
    EXPECT_EQ(Messages(input), (std::vector<UINT>{WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN}));
    EXPECT_EQ(input[1].hwnd, top);
}

TEST_F(InputTest, ATransparentWindowHandsClicksToTheWindowBeneath) {
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
    // Created first, so above the others, and covering them, like a group box.
    HWND frame = Child(top, 1, {0, 0, 150, 150});
    HWND inside = Child(top, 2, {20, 20, 60, 60});
    PumpUntilIdle();
    Log().Answer(WM_NCHITTEST, [frame](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        return hwnd == frame ? HTTRANSPARENT : HTCLIENT;
    });
    Click(POINT{30, 30});
    auto input = Input();
    ASSERT_EQ(Messages(input), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(input[1].hwnd, inside);
    EXPECT_EQ(input[1].lParam, MAKELPARAM(10, 10));
    // Where nothing lies beneath it but the parent, the parent gets the click.
    Click(POINT{100, 100});
    input = Input();
    ASSERT_EQ(input.size(), 3u);
    EXPECT_EQ(input[1].hwnd, top);
    EXPECT_EQ(input[1].lParam, MAKELPARAM(100, 100));
}

TEST_F(InputTest, DisabledWindowsGetNoMouseInputAndClicksActivate) {
    HWND owner = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, "owner");
    HWND other = TopLevel(WS_POPUP | WS_VISIBLE, {200, 0, 300, 100}, "other");
    PumpUntilIdle();
    EXPECT_EQ(GetActiveWindow(), other);
    Click(POINT{50, 50});
    Input();
    EXPECT_EQ(GetActiveWindow(), owner);
    EnableWindow(owner, FALSE);
    Click(POINT{51, 50});
    EXPECT_TRUE(Input().empty());
}

TEST_F(InputTest, MouseActivateAnswersDecideActivationAndWhetherTheClickIsEaten) {
    HWND popup = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, "popup");
    HWND child = Child(popup, 1, {0, 0, 50, 50});
    HWND other = TopLevel(WS_POPUP | WS_VISIBLE, {200, 0, 300, 100}, "other");
    PumpUntilIdle();
    Log().Answer(WM_MOUSEACTIVATE, [&](HWND hwnd, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return hwnd == popup ? MA_NOACTIVATEANDEAT
                             : DefWindowProcA(hwnd, WM_MOUSEACTIVATE, wParam, lParam);
    });
    Click(POINT{10, 10});
    auto input = Input();
    EXPECT_EQ(Messages(input), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONUP}));
    EXPECT_EQ(GetActiveWindow(), other);
    const auto asked = Log().Of(WM_MOUSEACTIVATE);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].hwnd, child);
    EXPECT_EQ(reinterpret_cast<HWND>(asked[0].wParam), popup);
    EXPECT_EQ(asked[0].lParam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(asked[1].hwnd, popup);

    Log().Answer(WM_MOUSEACTIVATE, [](HWND, WPARAM, LPARAM) -> LRESULT { return MA_ACTIVATE; });
    Click(POINT{10, 10});
    EXPECT_EQ(Messages(Input()), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(GetActiveWindow(), popup);
}

TEST_F(InputTest, KeysGoToTheFocusAndTranslateIntoCharacters) {
    HWND top = TopLevel();
    HWND edit = Child(top, 1018, {0, 0, 10, 10});
    SetFocus(edit);
    PumpUntilIdle();
    InjectKey('A', true);
    InjectKey('A', true);
    InjectKey('A', false);
    auto input = Input();
    ASSERT_EQ(Messages(input),
              (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ(input[0].hwnd, edit);
    EXPECT_EQ(input[0].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(static_cast<DWORD>(input[0].lParam), 0x00000001u);
    EXPECT_EQ(input[1].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(static_cast<DWORD>(input[2].lParam), 0x40000001u);
    EXPECT_EQ(static_cast<DWORD>(input[4].lParam), 0xC0000001u);

    InjectKey(VK_LSHIFT, true);
    InjectKey('1', true);
    InjectKey(VK_LSHIFT, false);
    InjectKey(VK_RETURN, true);
    input = Input();
    ASSERT_EQ(Messages(input),
              (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN, WM_CHAR}));
    EXPECT_EQ(input[0].wParam, static_cast<WPARAM>(VK_SHIFT));
    EXPECT_EQ(input[2].wParam, static_cast<WPARAM>('!'));
    EXPECT_EQ(input[5].wParam, static_cast<WPARAM>('\r'));

    InjectKey(VK_MENU, true);
    InjectKey(VK_F4, true);
    InjectKey(VK_F4, false);
    InjectKey(VK_MENU, false);
    input = Input();
    EXPECT_EQ(Messages(input),
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSKEYUP}));
    EXPECT_EQ(static_cast<DWORD>(input[1].lParam), 0x20000001u);
}

TEST_F(InputTest, KeyStateFollowsTheMessagesTheThreadHasTaken) {
    HWND top = TopLevel();
    SetFocus(top);
    PumpUntilIdle();
    std::vector<SHORT> controlDuringHome;
    Log().Answer(WM_KEYDOWN, [&](HWND, WPARAM wParam, LPARAM) -> LRESULT {
        if (wParam == VK_HOME) {
            controlDuringHome.push_back(GetKeyState(VK_CONTROL));
        }
        return 0;
    });
    InjectKey(VK_CONTROL, true);
    InjectKey(VK_HOME, true);
    InjectKey(VK_CONTROL, false);
    InjectKey(VK_HOME, true);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    EXPECT_GE(GetAsyncKeyState(VK_CONTROL), 0);
    EXPECT_LT(GetAsyncKeyState(VK_HOME), 0);
    PumpUntilIdle();
    ASSERT_EQ(controlDuringHome.size(), 2u);
    EXPECT_LT(controlDuringHome[0], 0);
    EXPECT_GE(controlDuringHome[1], 0);

    InjectKey(VK_CAPITAL, true);
    InjectKey(VK_CAPITAL, false);
    InjectKey('B', true);
    Log().Clear();
    PumpUntilIdle();
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    EXPECT_EQ(Log().Of(WM_CHAR).front().wParam, static_cast<WPARAM>('B'));

    // The desktop's lock keys as the display finds them: this thread's state takes them, and so
    // does a thread that starts later.
    SetLockKeys(false, true);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
    EXPECT_EQ(GetKeyState(VK_NUMLOCK) & 1, 1);
    SHORT numLockElsewhere = 0;
    std::thread([&] { numLockElsewhere = GetKeyState(VK_NUMLOCK); }).join();
    EXPECT_EQ(numLockElsewhere & 1, 1);
    SetLockKeys(false, false);
}

std::vector<std::string> hook_calls;
HHOOK first_hook = nullptr;

LRESULT CALLBACK OuterKeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    hook_calls.push_back("outer " + std::to_string(code) + " " + std::to_string(wParam));
    if (wParam == 'X') {
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK InnerKeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    hook_calls.push_back("inner " + std::to_string(code) + " " + std::to_string(wParam) + " " +
                         std::to_string(static_cast<DWORD>(lParam)) + " " +
                         std::to_string(static_cast<std::uint64_t>(lParam) >> 32));
    return CallNextHookEx(first_hook, code, wParam, lParam);
}

TEST_F(InputTest, KeyboardHooksRunNewestFirstWhenTheMessageIsTakenAndMaySwallowIt) {
    HWND top = TopLevel();
    SetFocus(top);
    PumpUntilIdle();
    hook_calls.clear();
    auto module = reinterpret_cast<HINSTANCE>(0x400000);
    SetLastError(0);
    EXPECT_EQ(SetWindowsHookExA(WH_KEYBOARD, InnerKeyboardHook, nullptr, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOOK_NEEDS_HMOD));
    EXPECT_EQ(SetWindowsHookExA(99, InnerKeyboardHook, module, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_FILTER));
    first_hook = SetWindowsHookExA(WH_KEYBOARD, InnerKeyboardHook, module, 0);
    HHOOK second = SetWindowsHookExA(WH_KEYBOARD, OuterKeyboardHook, module, 0);
    ASSERT_NE(first_hook, nullptr);
    ASSERT_NE(second, nullptr);
    InjectKey('X', true);
    InjectKey('Y', true);
    EXPECT_TRUE(hook_calls.empty());
    const auto input = Input();
    EXPECT_EQ(hook_calls, (std::vector<std::string>{"outer 0 88", "outer 0 89", "inner 0 89 1 0"}));
    ASSERT_EQ(Messages(input), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR}));
    EXPECT_EQ(input[0].wParam, static_cast<WPARAM>('Y'));

    // What an input method composed comes as characters, lead byte first, past the hooks.
    hook_calls.clear();
    for (const char byte : std::string("中a")) {
        InjectCharacter(static_cast<BYTE>(byte));
    }
    const auto typed = Input();
    EXPECT_TRUE(hook_calls.empty());
    ASSERT_EQ(Messages(typed), (std::vector<UINT>{WM_CHAR, WM_CHAR, WM_CHAR}));
    EXPECT_EQ(typed[0].hwnd, top);
    EXPECT_EQ(typed[0].wParam, 0xD6u);
    EXPECT_EQ(typed[1].wParam, 0xD0u);
    EXPECT_EQ(typed[2].wParam, static_cast<WPARAM>('a'));

    // The modifiers the thread holds when it takes a key ride above the key's bits.
    InjectKey(VK_CONTROL, true);
    InjectKey(VK_SHIFT, true);
    InjectKey('Z', true);
    InjectKey(VK_CONTROL, false);
    InjectKey('Z', false);
    hook_calls.clear();
    Input();
    std::erase_if(hook_calls,
                  [](const std::string& call) { return !call.starts_with("inner 0 90"); });
    EXPECT_EQ(hook_calls,
              (std::vector<std::string>{"inner 0 90 1 3",
                                        "inner 0 90 " + std::to_string(0xC0000001u) + " 1"}));
    EXPECT_TRUE(UnhookWindowsHookEx(second));
    EXPECT_TRUE(UnhookWindowsHookEx(first_hook));
}

TEST_F(InputTest, AHookLibraryLoadedByNameSeesInjectedKeys) {
    HWND top = TopLevel();
    SetFocus(top);
    PumpUntilIdle();
    HMODULE library = LoadLibraryA("keyhook.dll");
    ASSERT_NE(library, nullptr);
    auto hook = reinterpret_cast<HOOKPROC>(GetProcAddress(library, "KeyboardHookProc"));
    auto calls = reinterpret_cast<int (*)()>(GetProcAddress(library, "HookCalls"));
    auto last_key = reinterpret_cast<std::uintptr_t (*)()>(GetProcAddress(library, "LastHookKey"));
    ASSERT_TRUE(hook && calls && last_key);

    HHOOK installed = SetWindowsHookExA(WH_KEYBOARD, hook, library, 0);
    ASSERT_NE(installed, nullptr);
    InjectKey('Q', true);
    InjectKey('Q', false);
    const auto input = Input();
    EXPECT_EQ(calls(), 2);
    EXPECT_EQ(last_key(), static_cast<std::uintptr_t>('Q'));
    EXPECT_EQ(Messages(input), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));

    EXPECT_TRUE(UnhookWindowsHookEx(installed));
    InjectKey('R', true);
    Input();
    EXPECT_EQ(calls(), 2);
    EXPECT_TRUE(FreeLibrary(library));
}

std::vector<MOUSEHOOKSTRUCT> mouse_hook_calls;

LRESULT CALLBACK RecordingMouseHook(int code, WPARAM wParam, LPARAM lParam) {
    EXPECT_EQ(code, HC_ACTION);
    mouse_hook_calls.push_back(*reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam));
    // Right-button presses are taken by the hook.
    return wParam == WM_RBUTTONDOWN ? 1 : 0;
}

TEST_F(InputTest, MouseHooksSeeTheTargetAndScreenPointWhenTheMessageIsTaken) {
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE, {100, 100, 200, 200});
    PumpUntilIdle();
    mouse_hook_calls.clear();
    HHOOK hook =
        SetWindowsHookExA(WH_MOUSE, RecordingMouseHook, reinterpret_cast<HINSTANCE>(0x400000), 0);
    ASSERT_NE(hook, nullptr);
    InjectMouse(MOUSEEVENTF_RIGHTDOWN, POINT{150, 160});
    InjectMouse(MOUSEEVENTF_RIGHTUP, POINT{150, 160});
    EXPECT_TRUE(mouse_hook_calls.empty());
    EXPECT_EQ(Messages(Input()), (std::vector<UINT>{WM_MOUSEMOVE, WM_RBUTTONUP}));
    ASSERT_EQ(mouse_hook_calls.size(), 3u);
    EXPECT_EQ(mouse_hook_calls[1].hwnd, top);
    EXPECT_EQ(mouse_hook_calls[1].pt.x, 150);
    EXPECT_EQ(mouse_hook_calls[1].pt.y, 160);
    EXPECT_EQ(mouse_hook_calls[1].wHitTestCode, static_cast<UINT>(HTCLIENT));
    UnhookWindowsHookEx(hook);
}

LRESULT CALLBACK BlockingMouseHook(int, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    return wParam == WM_LBUTTONDOWN && info->pt.x < 50 ? 1 : 0;
}

TEST_F(InputTest, LowLevelMouseHooksSeeEventsAtInjectionAndMayDropThem) {
    TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    PumpUntilIdle();
    HHOOK hook = SetWindowsHookExA(WH_MOUSE_LL, BlockingMouseHook, nullptr, 0);
    ASSERT_NE(hook, nullptr);
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{10, 10});
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{10, 10});
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{60, 10});
    EXPECT_EQ(Messages(Input()),
              (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONDOWN}));
    EXPECT_LT(GetAsyncKeyState(VK_LBUTTON), 0);
    UnhookWindowsHookEx(hook);
}

// A hook that runs on another thread (as the input of other programs does), sends to the thread
// that unhooks it meanwhile, and notes whether the unhook had already returned when it ends.
std::atomic<HWND> unhooking_window = nullptr;
std::atomic<bool> unhook_returned = false;
std::atomic<int> slow_hook_calls = 0;
std::atomic<bool> ended_after_unhook = false;
std::atomic<bool> send_answered = false;

LRESULT CALLBACK SlowHook(int, WPARAM, LPARAM) {
    ++slow_hook_calls;
    DWORD_PTR answer = 0;
    send_answered =
        SendMessageTimeoutA(unhooking_window, WM_USER + 7, 0, 0, SMTO_NORMAL, 3000, &answer) != 0;
    ended_after_unhook = unhook_returned.load();
    return 0;
}

HHOOK self_unhooking = nullptr;
int self_unhooking_calls = 0;

LRESULT CALLBACK SelfUnhookingHook(int code, WPARAM wParam, LPARAM lParam) {
    ++self_unhooking_calls;
    EXPECT_TRUE(UnhookWindowsHookEx(self_unhooking));
    return CallNextHookEx(self_unhooking, code, wParam, lParam);
}

TEST_F(InputTest, UnhookingWaitsForCallsOnOtherThreadsButNotForItsOwn) {
    auto module = reinterpret_cast<HINSTANCE>(0x400000);
    slow_hook_calls = 0;
    unhook_returned = false;
    self_unhooking_calls = 0;
    unhooking_window = TopLevel();
    HHOOK slow = SetWindowsHookExA(WH_KEYBOARD, SlowHook, module, 0);
    ASSERT_NE(slow, nullptr);
    std::thread other([] { RunForeignInputHooks(WH_KEYBOARD, 'K', 0); });
    while (slow_hook_calls == 0) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(UnhookWindowsHookEx(slow));
    unhook_returned = true;
    other.join();
    EXPECT_TRUE(send_answered);
    EXPECT_FALSE(ended_after_unhook);
    EXPECT_EQ(Log().Of(WM_USER + 7).size(), 1u);
    EXPECT_FALSE(UnhookWindowsHookEx(slow));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_HANDLE));
    RunForeignInputHooks(WH_KEYBOARD, 'K', 0);
    EXPECT_EQ(slow_hook_calls, 1);

    // A hook that unhooks itself on the thread that runs it is not waited for.
    self_unhooking = SetWindowsHookExA(WH_KEYBOARD, SelfUnhookingHook, module, 0);
    ASSERT_NE(self_unhooking, nullptr);
    RunForeignInputHooks(WH_KEYBOARD, 'K', 0);
    RunForeignInputHooks(WH_KEYBOARD, 'K', 0);
    EXPECT_EQ(self_unhooking_calls, 1);
}

TEST_F(InputTest, ProgramInjectedEventsAreDeliveredAtThePointerAndRecorded) {
    TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 1024, 768});
    PumpUntilIdle();
    SetCursorPos(300, 200);
    TakeRecordedInput();
    mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    auto input = Input();
    ASSERT_EQ(Messages(input), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(input[1].lParam, MAKELPARAM(300, 200));
    mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE, 32768, 16384, 0, 0);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 512);
    EXPECT_EQ(cursor.y, 192);
    mouse_event(MOUSEEVENTF_MOVE, static_cast<DWORD>(-12), 8, 0, 0);
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 500);
    EXPECT_EQ(cursor.y, 200);
    keybd_event(VK_F5, 0x3F, KEYEVENTF_KEYUP, 0);
    const auto recorded = TakeRecordedInput();
    ASSERT_EQ(recorded.size(), 5u);
    EXPECT_EQ(recorded[0].flags, 0x8002u);
    EXPECT_EQ(recorded[0].cursor.x, 300);
    EXPECT_EQ(recorded[1].flags, 0x8004u);
    EXPECT_EQ(recorded[3].dx, -12);
    EXPECT_EQ(recorded[4].kind, RecordedInput::Kind::Key);
    EXPECT_EQ(recorded[4].virtualKey, VK_F5);
    EXPECT_EQ(recorded[4].scanCode, 0x3F);
    EXPECT_TRUE(TakeRecordedInput().empty());
}

}  // namespace
}  // namespace platform::testing
