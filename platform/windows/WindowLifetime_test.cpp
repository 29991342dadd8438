#include <cstring>

#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

class WindowLifetimeTest : public WindowTest {};

TEST_F(WindowLifetimeTest, ClassesAreFoundWithoutCaseAndRegisteredOnce) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "recordingwindow";
    SetLastError(0);
    EXPECT_EQ(RegisterClassA(&windowClass), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    WNDCLASSA found{};
    const ATOM atom = static_cast<ATOM>(GetClassInfoA(nullptr, "RECORDINGWINDOW", &found));
    EXPECT_NE(atom, 0);
    EXPECT_EQ(found.lpfnWndProc, &RecordingProcedure);
    EXPECT_STREQ(found.lpszClassName, kRecordingClass);

    HWND byAtom = CreateWindowExA(0, MAKEINTATOM(atom), "x", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(byAtom, nullptr);
    char name[8];
    EXPECT_EQ(GetClassNameA(byAtom, name, sizeof(name)), 7);
    EXPECT_STREQ(name, "Recordi");

    EXPECT_FALSE(UnregisterClassA(kRecordingClass, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(byAtom);
    EXPECT_TRUE(UnregisterClassA(kRecordingClass, nullptr));
    EXPECT_EQ(CreateWindowA(kRecordingClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(WindowLifetimeTest, RegisteredMessagesAndClassesShareReusableAtoms) {
    const UINT message = RegisterWindowMessageA("TaskbarCreated");
    EXPECT_GE(message, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageA("taskbarcreated"), message);
    EXPECT_NE(RegisterWindowMessageA("Other"), message);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "Transient";
    for (int i = 0; i < 20000; ++i) {
        ASSERT_NE(RegisterClassA(&windowClass), 0) << i;
        ASSERT_TRUE(UnregisterClassA("Transient", nullptr));
    }
}

TEST_F(WindowLifetimeTest, SystemClassesSurviveAReset) {
    WNDCLASSEXA button{};
    button.cbSize = sizeof(button);
    button.lpfnWndProc = DefWindowProcA;
    button.lpszClassName = "Button";
    RegisterSystemClass(button);
    ResetWindowSystemForTesting();
    SetLastError(0);
    EXPECT_EQ(RegisterSystemClass(button), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    WNDCLASSEXA found{};
    found.cbSize = sizeof(found);
    EXPECT_TRUE(GetClassInfoExA(nullptr, "button", &found));
    EXPECT_FALSE(UnregisterClassA("Button", nullptr));
}

TEST_F(WindowLifetimeTest, CreationSendsItsMessagesInOrderAndKeepsStylesExact) {
    HWND top = TopLevel(WS_OVERLAPPED | WS_VISIBLE);
    ASSERT_NE(top, nullptr);
    // Overlapped windows always get a caption and clip their siblings.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(top, GWL_STYLE)),
              static_cast<DWORD>(WS_CAPTION | WS_CLIPSIBLINGS | WS_VISIBLE));
    Log().Clear();
    HWND button = Child(top, 1004, {10, 10, 60, 30}, 0x5000000B);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE)), 0x5000000Bu);
    EXPECT_EQ(
        Log().Only({WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_PARENTNOTIFY, WM_SHOWWINDOW}),
        (std::vector<std::pair<HWND, UINT>>{{button, WM_NCCREATE},
                                            {button, WM_CREATE},
                                            {button, WM_SIZE},
                                            {button, WM_MOVE},
                                            {top, WM_PARENTNOTIFY},
                                            {button, WM_SHOWWINDOW}}));
    const LoggedMessage notify = Log().Of(WM_PARENTNOTIFY).front();
    EXPECT_EQ(notify.wParam, MAKEWPARAM(WM_CREATE, 1004));
    EXPECT_EQ(reinterpret_cast<HWND>(notify.lParam), button);
    EXPECT_EQ(Log().Of(WM_SIZE).front().lParam, MAKELPARAM(50, 20));
    EXPECT_EQ(GetDlgCtrlID(button), 1004);
    EXPECT_EQ(GetParent(button), top);
}

TEST_F(WindowLifetimeTest, CreateStructCarriesTheArgumentsAndFailuresDestroyTheWindow) {
    int parameter = 7;
    CREATESTRUCTA seen{};
    Log().Answer(WM_CREATE, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        seen = *reinterpret_cast<CREATESTRUCTA*>(lParam);
        return -1;
    });
    HWND failed = CreateWindowExA(WS_EX_TOOLWINDOW, kRecordingClass, "Name", WS_POPUP, 1, 2, 3, 4,
                                  nullptr, nullptr, nullptr, &parameter);
    EXPECT_EQ(failed, nullptr);
    EXPECT_EQ(seen.lpCreateParams, &parameter);
    EXPECT_EQ(seen.x, 1);
    EXPECT_EQ(seen.y, 2);
    EXPECT_EQ(seen.cx, 3);
    EXPECT_EQ(seen.cy, 4);
    EXPECT_EQ(static_cast<DWORD>(seen.style), static_cast<DWORD>(WS_POPUP));
    EXPECT_EQ(seen.dwExStyle, static_cast<DWORD>(WS_EX_TOOLWINDOW));
    EXPECT_STREQ(seen.lpszName, "Name");
    const auto failedHandle = Log().Of(WM_CREATE).front().hwnd;
    EXPECT_EQ(Log().Only({WM_DESTROY, WM_NCDESTROY}),
              (std::vector<std::pair<HWND, UINT>>{{failedHandle, WM_DESTROY},
                                                  {failedHandle, WM_NCDESTROY}}));
    EXPECT_FALSE(IsWindow(failedHandle));

    Log().Clear();
    Log().Answer(WM_NCCREATE, [](HWND, WPARAM, LPARAM) -> LRESULT { return FALSE; });
    EXPECT_EQ(TopLevel(), nullptr);
    EXPECT_TRUE(Log().Of(WM_CREATE).empty());
    EXPECT_EQ(Log().Of(WM_NCDESTROY).size(), 1u);

    SetLastError(0);
    EXPECT_EQ(CreateWindowA(kRecordingClass, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

TEST_F(WindowLifetimeTest, DestroyOrderIsDestroyDownwardsThenNcDestroyUpwards) {
    HWND top = TopLevel();
    HWND child = Child(top, 1, {0, 0, 10, 10});
    HWND grandChild = Child(child, 2, {0, 0, 5, 5});
    HWND owned = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 20, 20}, "owned", 0, child);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
    EXPECT_EQ(GetParent(owned), top);
    Log().Clear();
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_EQ(Log().Only({WM_DESTROY, WM_NCDESTROY}),
              (std::vector<std::pair<HWND, UINT>>{{owned, WM_DESTROY},
                                                  {owned, WM_NCDESTROY},
                                                  {top, WM_DESTROY},
                                                  {child, WM_DESTROY},
                                                  {grandChild, WM_DESTROY},
                                                  {grandChild, WM_NCDESTROY},
                                                  {child, WM_NCDESTROY},
                                                  {top, WM_NCDESTROY}}));
    for (HWND gone : {top, child, grandChild, owned}) {
        EXPECT_FALSE(IsWindow(gone));
    }
    SetLastError(0);
    EXPECT_FALSE(DestroyWindow(top));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

class WindowMenuDestructionTest : public WindowLifetimeTest {
protected:
    void SetUp() override {
        WindowLifetimeTest::SetUp();
        SetMenuDestroyer([this](HMENU menu) {
            destroyed_.push_back(menu);
            // The window is gone from the window manager before its menu goes.
            stillAWindow_ = stillAWindow_ || IsWindow(watched_);
        });
    }
    void TearDown() override {
        SetMenuDestroyer(nullptr);
        WindowLifetimeTest::TearDown();
    }
    static HMENU Menu(INT_PTR value) { return reinterpret_cast<HMENU>(value); }
    static HWND WithMenu(HMENU menu, DWORD style = WS_OVERLAPPEDWINDOW) {
        return CreateWindowExA(0, kRecordingClass, "menu", style, 0, 0, 200, 100, nullptr, menu,
                               nullptr, nullptr);
    }

    std::vector<HMENU> destroyed_;
    HWND watched_ = nullptr;
    bool stillAWindow_ = false;
};

TEST_F(WindowMenuDestructionTest, TheMenuGivenAtCreationOrSetLaterEndsWithTheWindow) {
    HWND top = WithMenu(Menu(0x7000));
    ASSERT_NE(top, nullptr);
    HMENU seenAtNcDestroy = nullptr;
    Log().Answer(WM_NCDESTROY, [&](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        seenAtNcDestroy = GetMenu(hwnd);
        EXPECT_TRUE(destroyed_.empty());
        return 0;
    });
    watched_ = top;
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_EQ(seenAtNcDestroy, Menu(0x7000));
    EXPECT_EQ(destroyed_, std::vector<HMENU>{Menu(0x7000)});
    EXPECT_FALSE(stillAWindow_);

    // Only the menu the window holds at the end goes; one the program took back is its own.
    destroyed_.clear();
    HWND popup = WithMenu(Menu(0x7004), WS_POPUP);
    ASSERT_TRUE(SetMenu(popup, Menu(0x7008)));
    DestroyWindow(popup);
    EXPECT_EQ(destroyed_, std::vector<HMENU>{Menu(0x7008)});
}

TEST_F(WindowMenuDestructionTest, ChildIdsWindowsWithoutMenusAndMenusTakenAwayAreLeftAlone) {
    HWND top = WithMenu(nullptr);
    HWND child = Child(top, 0x700C, {0, 0, 10, 10});
    ASSERT_NE(child, nullptr);
    DestroyWindow(top);
    EXPECT_TRUE(destroyed_.empty());

    HWND taken = WithMenu(Menu(0x7010));
    Log().Answer(WM_NCDESTROY, [](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        SetMenu(hwnd, nullptr);
        return 0;
    });
    DestroyWindow(taken);
    EXPECT_TRUE(destroyed_.empty());
}

TEST_F(WindowMenuDestructionTest, AWindowThatFailsItsCreationTakesItsMenuAlong) {
    Log().Answer(WM_CREATE, [](HWND, WPARAM, LPARAM) -> LRESULT { return -1; });
    EXPECT_EQ(WithMenu(Menu(0x7014)), nullptr);
    EXPECT_EQ(destroyed_, std::vector<HMENU>{Menu(0x7014)});

    destroyed_.clear();
    Log().Reset();
    Log().Answer(WM_NCCREATE, [](HWND, WPARAM, LPARAM) -> LRESULT { return FALSE; });
    EXPECT_EQ(WithMenu(Menu(0x7018)), nullptr);
    EXPECT_EQ(destroyed_, std::vector<HMENU>{Menu(0x7018)});
}

TEST_F(WindowMenuDestructionTest, AResetDestroysTheMenusOfTheWindowsItDestroys) {
    HWND top = WithMenu(Menu(0x701C));
    ASSERT_NE(top, nullptr);
    ResetWindowSystemForTesting();
    EXPECT_EQ(destroyed_, std::vector<HMENU>{Menu(0x701C)});
}

TEST_F(WindowLifetimeTest, CloseAndSystemCloseDestroyByDefaultUnlessSwallowed) {
    HWND top = TopLevel();
    Log().Answer(WM_CLOSE, [](HWND, WPARAM, LPARAM) -> LRESULT { return 0; });
    SendMessageA(top, WM_SYSCOMMAND, SC_CLOSE + 2, 0);
    EXPECT_TRUE(IsWindow(top));
    EXPECT_EQ(Log().Of(WM_CLOSE).size(), 1u);
    Log().Reset();
    SendMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(top));
}

TEST_F(WindowLifetimeTest, ChildrenEnumerateInCreationOrderAndDuplicateIdsFindTheFirst) {
    HWND page = TopLevel();
    HWND first = Child(page, 1019, {0, 0, 10, 10});
    HWND second = Child(page, 1020, {0, 0, 10, 10});
    HWND duplicate = Child(page, 1019, {0, 0, 10, 10});
    EXPECT_EQ(GetWindow(page, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), duplicate);
    EXPECT_EQ(GetWindow(duplicate, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(duplicate, GW_HWNDFIRST), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDPREV), nullptr);
    EXPECT_EQ(GetDlgItem(page, 1019), first);
    EXPECT_EQ(GetDlgItem(page, 9999), nullptr);
    EXPECT_TRUE(IsChild(page, duplicate));
    EXPECT_FALSE(IsChild(first, page));

    std::vector<HWND> seen;
    EnumChildWindows(
        page,
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<HWND>{first, second, duplicate}));
}

LRESULT CALLBACK UpperCaseTextProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
WNDPROC original_procedure = nullptr;

LRESULT CALLBACK UpperCaseTextProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        return CallWindowProcA(original_procedure, hwnd, message, wParam,
                               reinterpret_cast<LPARAM>("SUBCLASSED"));
    }
    return CallWindowProcA(original_procedure, hwnd, message, wParam, lParam);
}

TEST_F(WindowLifetimeTest, SubclassingReplacesTheProcedureAndChainsToTheOldOne) {
    HWND top = TopLevel();
    original_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UpperCaseTextProcedure)));
    EXPECT_EQ(original_procedure, &RecordingProcedure);
    EXPECT_TRUE(SetWindowTextA(top, "plain"));
    char text[32];
    EXPECT_EQ(GetWindowTextA(top, text, sizeof(text)), 10);
    EXPECT_STREQ(text, "SUBCLASSED");
    EXPECT_EQ(Log().Of(WM_SETTEXT).size(), 1u);
}

TEST_F(WindowLifetimeTest, WindowLongsCoverUserDataIdsExtraBytesAndRefuseBadIndexes) {
    HWND top = TopLevel();
    HWND child = Child(top, 5, {0, 0, 1, 1});
    EXPECT_EQ(SetWindowLongPtrA(top, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(GetWindowLongPtrA(top, GWLP_USERDATA), 1234);
    EXPECT_EQ(SetWindowLongPtrA(child, GWLP_ID, 77), 5);
    EXPECT_EQ(GetDlgItem(top, 77), child);
    EXPECT_EQ(SetWindowLongPtrA(top, 8, -5), 0);
    EXPECT_EQ(GetWindowLongPtrA(top, 8), -5);
    EXPECT_EQ(SetWindowLongA(top, 12, 99), -1);
    EXPECT_EQ(GetWindowLongA(top, 12), 99);
    EXPECT_EQ(GetWindowLongPtrA(top, 8) & 0xFFFFFFFF, 0xFFFFFFFB);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(top, 9), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(SetWindowLongA(top, 13, 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));

    Log().Clear();
    EXPECT_EQ(static_cast<DWORD>(SetWindowLongA(top, GWL_EXSTYLE, WS_EX_CLIENTEDGE)), 0u);
    EXPECT_EQ(
        Log().Only({WM_STYLECHANGING, WM_STYLECHANGED}),
        (std::vector<std::pair<HWND, UINT>>{{top, WM_STYLECHANGING}, {top, WM_STYLECHANGED}}));
    EXPECT_EQ(Log().Of(WM_STYLECHANGED).front().wParam, static_cast<WPARAM>(GWL_EXSTYLE));
}

TEST_F(WindowLifetimeTest, TextIsCopiedByteWiseWithoutSplittingTwoByteCharacters) {
    // "管理" is two GBK characters of two bytes each.
    const char gbk[] = "A\xB9\xDC\xC0\xED";
    HWND top = TopLevel(WS_POPUP, {0, 0, 1, 1}, gbk);
    EXPECT_EQ(GetWindowTextLengthA(top), 5);
    char buffer[8];
    std::memset(buffer, 'x', sizeof(buffer));
    EXPECT_EQ(GetWindowTextA(top, buffer, 5), 3);
    EXPECT_EQ(std::string(buffer), "A\xB9\xDC");
    EXPECT_EQ(GetWindowTextA(top, buffer, 1), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(GetWindowTextA(top, buffer, 0), 0);
    EXPECT_TRUE(SetWindowTextA(top, nullptr));
    EXPECT_EQ(GetWindowTextLengthA(top), 0);
}

TEST_F(WindowLifetimeTest, DialogItemIntegersParseStrictly) {
    HWND dialog = TopLevel();
    Child(dialog, 10, {0, 0, 1, 1});
    struct Case {
        const char* text;
        BOOL isSigned;
        BOOL translated;
        UINT value;
    };
    const Case cases[] = {
        {"  42  ", FALSE, TRUE, 42},
        {"-17", TRUE, TRUE, static_cast<UINT>(-17)},
        {"-17", FALSE, FALSE, 0},
        {"12abc", FALSE, FALSE, 0},
        {"", FALSE, FALSE, 0},
        {"4294967295", FALSE, TRUE, 4294967295u},
        {"4294967296", FALSE, FALSE, 0},
        {"2147483648", TRUE, FALSE, 0},
        {"-2147483648", TRUE, TRUE, 0x80000000u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(SetDlgItemTextA(dialog, 10, c.text));
        BOOL translated = 2;
        EXPECT_EQ(GetDlgItemInt(dialog, 10, &translated, c.isSigned), c.value);
        EXPECT_EQ(translated, c.translated);
    }
    EXPECT_TRUE(SetDlgItemInt(dialog, 10, static_cast<UINT>(-5), TRUE));
    char text[16];
    EXPECT_EQ(GetDlgItemTextA(dialog, 10, text, sizeof(text)), 2u);
    EXPECT_STREQ(text, "-5");
    EXPECT_TRUE(SetDlgItemInt(dialog, 10, static_cast<UINT>(-5), FALSE));
    GetDlgItemTextA(dialog, 10, text, sizeof(text));
    EXPECT_STREQ(text, "4294967291");
}

LRESULT CALLBACK VetoingCbtHook(int code, WPARAM, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        return std::string(create->lpcs->lpszName) == "vetoed" ? 1 : 0;
    }
    return 0;
}

TEST_F(WindowLifetimeTest, CbtHookSeesCreationBeforeAnyMessageAndMayVetoIt) {
    HHOOK hook = SetWindowsHookExA(WH_CBT, VetoingCbtHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(TopLevel(WS_POPUP, {0, 0, 1, 1}, "vetoed"), nullptr);
    EXPECT_TRUE(Log().Entries().empty());
    EXPECT_NE(TopLevel(WS_POPUP, {0, 0, 1, 1}, "fine"), nullptr);
    EXPECT_TRUE(UnhookWindowsHookEx(hook));
    EXPECT_FALSE(UnhookWindowsHookEx(hook));
}

TEST_F(WindowLifetimeTest, FindWindowIgnoresCaseFindsHiddenWindowsAndFollowsZOrder) {
    HWND hidden = TopLevel(WS_POPUP, {0, 0, 1, 1}, "DeskvaneTP", WS_EX_TOOLWINDOW);
    EXPECT_EQ(FindWindowA(nullptr, "deskvanetp"), hidden);
    EXPECT_EQ(FindWindowA(kRecordingClass, "DESKVANETP"), hidden);
    EXPECT_EQ(FindWindowA("Other", "DeskvaneTP"), nullptr);
    HWND newer = TopLevel(WS_POPUP, {0, 0, 1, 1}, "deskvaneTP");
    EXPECT_EQ(FindWindowA(nullptr, "DeskvaneTP"), newer);
    DestroyWindow(newer);
    EXPECT_EQ(FindWindowA(nullptr, "DeskvaneTP"), hidden);
    EXPECT_EQ(FindWindowA(nullptr, "Deskvane"), nullptr);
}

TEST_F(WindowLifetimeTest, ObserverHearsAboutTitleAndVisibilityOfTopLevelWindowsOnly) {
    std::vector<HWND> heard;
    SetTopLevelObserver([&](HWND hwnd) { heard.push_back(hwnd); });
    HWND top = TopLevel(WS_POPUP, {0, 0, 1, 1});
    heard.clear();
    HWND child = Child(top, 1, {0, 0, 1, 1});
    SetWindowTextA(child, "child");
    EXPECT_TRUE(heard.empty());
    SetWindowTextA(top, "retitled");
    ShowWindow(top, SW_SHOW);
    DestroyWindow(top);
    EXPECT_GE(heard.size(), 3u);
    EXPECT_TRUE(std::all_of(heard.begin(), heard.end(), [&](HWND h) { return h == top; }));
}

}  // namespace
}  // namespace platform::testing
