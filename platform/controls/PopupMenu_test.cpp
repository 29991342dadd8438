#include "platform/controls/PopupMenu.h"

#include <deque>
#include <functional>

#include "platform/drawing/DrawingSeams.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

// Drives a menu loop: when the loop runs out of messages the owner hears WM_ENTERIDLE and the
// next step runs, followed by a WM_NULL that wakes the loop for the step after; when the steps run
// out the menu is ended, so a test can never hang.
class PopupMenuTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterPopupMenuClass();
        owner_ = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 500, 400}, "owner");
        PumpUntilIdle();
        Log().Clear();
        Log().Answer(WM_ENTERIDLE, [this](HWND, WPARAM, LPARAM) {
            idles_.push_back(true);
            if (steps_.empty()) {
                EndMenu();
            } else {
                auto step = std::move(steps_.front());
                steps_.pop_front();
                step();
                PostMessageA(owner_, WM_NULL, 0, 0);
            }
            return LRESULT{0};
        });
    }
    void TearDown() override {
        for (HMENU menu : menus_) {
            DestroyMenu(menu);
        }
        WindowTest::TearDown();
    }

    // 10 "&Open", separator, 11 "&Save" (grayed), pop-up "&More" { 20 "&Alpha", 21 "&Beta" },
    // 12 "Bye".
    HMENU Sample() {
        HMENU more = CreatePopupMenu();
        AppendMenuA(more, MF_STRING, 20, "&Alpha");
        AppendMenuA(more, MF_STRING, 21, "&Beta");
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 10, "&Open\tCtrl+O");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING | MF_GRAYED, 11, "&Save");
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More");
        AppendMenuA(menu, MF_STRING, 12, "Bye");
        menus_.push_back(menu);
        return menu;
    }

    void Keys(std::initializer_list<BYTE> keys) {
        for (BYTE key : keys) {
            InjectKey(key, true);
            InjectKey(key, false);
        }
    }
    void Then(std::function<void()> step) { steps_.push_back(std::move(step)); }

    static POINT CenterOf(HWND owner, HMENU menu, UINT item) {
        RECT rect{};
        EXPECT_TRUE(GetMenuItemRect(owner, menu, item, &rect));
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    static void Click(POINT at) {
        InjectMouse(MOUSEEVENTF_LEFTDOWN, at);
        InjectMouse(MOUSEEVENTF_LEFTUP, at);
    }
    std::vector<WPARAM> Commands() {
        std::vector<WPARAM> commands;
        for (const LoggedMessage& entry : Log().Of(WM_COMMAND)) {
            commands.push_back(entry.wParam);
        }
        return commands;
    }

    HWND owner_ = nullptr;
    std::vector<HMENU> menus_;
    std::deque<std::function<void()>> steps_;
    std::vector<bool> idles_;
};

TEST_F(PopupMenuTest, ChoiceIsPostedAndPassesPreTranslation) {
    HMENU menu = Sample();
    std::vector<UINT> pretranslated;
    SetPreTranslateHandler(owner_, [&](MSG& msg) {
        pretranslated.push_back(msg.message);
        return false;
    });
    Keys({VK_DOWN, VK_RETURN});
    EXPECT_TRUE(TrackPopupMenu(menu, TPM_LEFTALIGN, 200, 150, 0, owner_, nullptr));
    // Nothing was sent: the command waits in the queue.
    EXPECT_TRUE(Commands().empty());
    PumpUntilIdle();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{10});
    EXPECT_NE(std::find(pretranslated.begin(), pretranslated.end(), WM_COMMAND),
              pretranslated.end());
    EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
}

TEST_F(PopupMenuTest, MessagesComeInTheLoopOrder) {
    HMENU menu = Sample();
    Keys({VK_DOWN, VK_ESCAPE});
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 200, 150, 0, owner_, nullptr));
    const auto order = Log().Only({WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT,
                                   WM_UNINITMENUPOPUP, WM_EXITMENULOOP});
    const std::vector<std::pair<HWND, UINT>> expected = {
        {owner_, WM_ENTERMENULOOP}, {owner_, WM_INITMENU},        {owner_, WM_INITMENUPOPUP},
        {owner_, WM_MENUSELECT},    {owner_, WM_UNINITMENUPOPUP}, {owner_, WM_MENUSELECT},
        {owner_, WM_EXITMENULOOP}};
    EXPECT_EQ(order, expected);
    const auto init = Log().Of(WM_INITMENUPOPUP);
    EXPECT_EQ(init[0].wParam, reinterpret_cast<WPARAM>(menu));
    EXPECT_EQ(init[0].lParam, 0);
    const auto select = Log().Of(WM_MENUSELECT);
    EXPECT_EQ(select[0].wParam, MAKEWPARAM(10, MF_HILITE));
    EXPECT_EQ(select[0].lParam, reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(select[1].wParam, MAKEWPARAM(0, 0xFFFF));
    EXPECT_EQ(select[1].lParam, 0);
    EXPECT_EQ(Log().Of(WM_ENTERMENULOOP)[0].wParam, static_cast<WPARAM>(TRUE));
    PumpUntilIdle();
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PopupMenuTest, ReturnCmdGivesTheChoiceInsteadOfPostingIt) {
    HMENU menu = Sample();
    Keys({VK_UP, VK_RETURN});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, owner_, nullptr), 12);
    Keys({VK_ESCAPE});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, owner_, nullptr), 0);
    PumpUntilIdle();
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PopupMenuTest, KeyboardSkipsSeparatorsOpensSubMenusAndIgnoresGrayedItems) {
    HMENU menu = Sample();
    HMENU more = GetSubMenu(menu, 3);
    // Down: Open; Down: Save (the separator is skipped); Enter on grayed Save does nothing;
    // Down: More; Right opens it on Alpha; Left closes it; Right again, Down: Beta; Enter.
    Keys({VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_RIGHT, VK_DOWN, VK_RETURN});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, owner_, nullptr), 21);
    std::vector<WPARAM> selected;
    for (const LoggedMessage& entry : Log().Of(WM_MENUSELECT)) {
        selected.push_back(entry.wParam);
    }
    const std::vector<WPARAM> expected = {MAKEWPARAM(10, MF_HILITE),
                                          MAKEWPARAM(11, MF_HILITE | MF_GRAYED),
                                          MAKEWPARAM(3, MF_HILITE | MF_POPUP),
                                          MAKEWPARAM(20, MF_HILITE),
                                          MAKEWPARAM(20, MF_HILITE),
                                          MAKEWPARAM(21, MF_HILITE),
                                          MAKEWPARAM(0, 0xFFFF)};
    EXPECT_EQ(selected, expected);
    const auto init = Log().Of(WM_INITMENUPOPUP);
    ASSERT_EQ(init.size(), 3u);
    EXPECT_EQ(init[1].wParam, reinterpret_cast<WPARAM>(more));
    EXPECT_EQ(init[1].lParam, MAKELPARAM(3, 0));
    EXPECT_EQ(Log().Of(WM_UNINITMENUPOPUP).size(), 3u);
}

TEST_F(PopupMenuTest, MnemonicsChooseAndAskTheOwnerWhenNothingMatches) {
    HMENU menu = Sample();
    Keys({'M', 'B'});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, owner_, nullptr), 21);

    Log().Answer(WM_MENUCHAR, [](HWND, WPARAM, LPARAM) {
        return static_cast<LRESULT>(MAKELRESULT(4, MNC_EXECUTE));
    });
    Keys({'Z'});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, owner_, nullptr), 12);
    const auto asked = Log().Of(WM_MENUCHAR);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].wParam, MAKEWPARAM('z', MF_POPUP));
    EXPECT_EQ(asked[0].lParam, reinterpret_cast<LPARAM>(menu));
}

TEST_F(PopupMenuTest, MouseHoverOpensSubMenusAndReleaseChooses) {
    HMENU menu = Sample();
    HMENU more = GetSubMenu(menu, 3);
    Then([&] { InjectMouse(0, CenterOf(owner_, menu, 3)); });
    Then([&] {
        ASSERT_EQ(Log().Of(WM_INITMENUPOPUP).size(), 2u);
        Click(CenterOf(owner_, more, 1));
    });
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 300, 200, 0, owner_, nullptr));
    PumpUntilIdle();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{21});
    const auto select = Log().Of(WM_MENUSELECT);
    EXPECT_EQ(select[0].wParam, MAKEWPARAM(3, MF_HILITE | MF_POPUP | MF_MOUSESELECT));
    EXPECT_EQ(select[0].lParam, reinterpret_cast<LPARAM>(menu));
}

TEST_F(PopupMenuTest, ClickOutsideOrOnAGrayedItemChoosesNothing) {
    HMENU menu = Sample();
    Then([&] { Click(CenterOf(owner_, menu, 2)); });
    Then([&] { Click(CenterOf(owner_, menu, 1)); });
    Then([&] { Click(POINT{5, 5}); });
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 300, 200, 0, owner_, nullptr));
    // The last step ended the menu: no spare idle was needed.
    EXPECT_EQ(idles_.size(), 3u);
    PumpUntilIdle();
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PopupMenuTest, RightButtonChoosesOnlyWithRightButtonFlag) {
    HMENU menu = Sample();
    auto rightClick = [&] {
        const POINT at = CenterOf(owner_, menu, 0);
        InjectMouse(MOUSEEVENTF_RIGHTDOWN, at);
        InjectMouse(MOUSEEVENTF_RIGHTUP, at);
    };
    Then(rightClick);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 300, 200, 0, owner_, nullptr), 0);
    EXPECT_EQ(Log().Of(WM_MENURBUTTONUP).size(), 1u);
    Then(rightClick);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, 300, 200, 0, owner_, nullptr),
              10);
}

TEST_F(PopupMenuTest, AlignmentAndFlippingAtTheScreenEdges) {
    HMENU menu = Sample();
    RECT placed{};
    auto measure = [&] { GetWindowRect(FindWindowA("#32768", nullptr), &placed); };
    Then(measure);
    TrackPopupMenu(menu, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 400, 300, 0, owner_, nullptr);
    EXPECT_EQ(placed.right, 400);
    EXPECT_EQ(placed.bottom, 300);
    const LONG width = placed.right - placed.left;
    const LONG height = placed.bottom - placed.top;

    Then(measure);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 1000, 750, 0, owner_, nullptr);
    EXPECT_EQ(placed.right, 1000);
    EXPECT_EQ(placed.bottom, 750);

    Then(measure);
    TrackPopupMenu(menu, TPM_CENTERALIGN, 500, 100, 0, owner_, nullptr);
    EXPECT_EQ(placed.left, 500 - width / 2);
    EXPECT_EQ(placed.top, 100);

    Then(measure);
    TrackPopupMenu(menu, TPM_RIGHTALIGN, 5, 5, 0, owner_, nullptr);
    EXPECT_EQ(placed.left, 5);
    EXPECT_EQ(placed.bottom - placed.top, height);
}

TEST_F(PopupMenuTest, ExcludedAreaPushesThePopupAside) {
    HMENU menu = Sample();
    RECT placed{};
    auto measure = [&] { GetWindowRect(FindWindowA("#32768", nullptr), &placed); };
    TPMPARAMS params{sizeof(TPMPARAMS), {90, 90, 300, 130}};
    Then(measure);
    TrackPopupMenuEx(menu, 0, 100, 100, owner_, &params);
    EXPECT_EQ(placed.left, 300);
    EXPECT_EQ(placed.top, 100);
    Then(measure);
    TrackPopupMenuEx(menu, TPM_VERTICAL, 100, 100, owner_, &params);
    EXPECT_EQ(placed.left, 100);
    EXPECT_EQ(placed.top, 130);
}

TEST_F(PopupMenuTest, MenuBreakStartsANewColumn) {
    HMENU menu = CreatePopupMenu();
    menus_.push_back(menu);
    AppendMenuA(menu, MF_STRING, 1, "one");
    AppendMenuA(menu, MF_STRING, 2, "two, the longest");
    AppendMenuA(menu, MF_STRING | MF_MENUBREAK, 3, "three");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    RECT rects[4]{};
    Then([&] {
        for (UINT i = 0; i < 4; ++i) {
            GetMenuItemRect(owner_, menu, i, &rects[i]);
        }
    });
    TrackPopupMenu(menu, 0, 100, 100, 0, owner_, nullptr);
    EXPECT_EQ(rects[0].left, 103);
    EXPECT_EQ(rects[0].top, 103);
    EXPECT_EQ(rects[1].top, rects[0].bottom);
    EXPECT_EQ(rects[0].right, rects[1].right);
    EXPECT_EQ(rects[2].left, rects[0].right);
    EXPECT_EQ(rects[2].top, 103);
    EXPECT_EQ(rects[3].top, rects[2].bottom);
    EXPECT_EQ(rects[3].bottom - rects[3].top, 9);
    // Not shown any more.
    RECT after{};
    EXPECT_FALSE(GetMenuItemRect(owner_, menu, 0, &after));
}

TEST_F(PopupMenuTest, NoNotifyStaysSilent) {
    HMENU menu = Sample();
    Keys({VK_DOWN, VK_RETURN});
    EXPECT_TRUE(TrackPopupMenu(menu, TPM_NONOTIFY, 10, 10, 0, owner_, nullptr));
    PumpUntilIdle();
    EXPECT_TRUE(
        Log()
            .Only({WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_MENUSELECT, WM_COMMAND, WM_EXITMENULOOP})
            .empty());
}

TEST_F(PopupMenuTest, FailsForBadArgumentsAndInsideAnotherMenu) {
    HMENU menu = Sample();
    EXPECT_FALSE(TrackPopupMenu(reinterpret_cast<HMENU>(0x77), 0, 0, 0, 0, owner_, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, reinterpret_cast<HWND>(0x77), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(EndMenu());

    BOOL nested = TRUE;
    Then([&] { nested = TrackPopupMenu(menu, 0, 0, 0, 0, owner_, nullptr); });
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 0, 0, 0, owner_, nullptr));
    EXPECT_FALSE(nested);
}

TEST_F(PopupMenuTest, DestroyingTheOwnerEndsTheLoop) {
    HMENU menu = Sample();
    Then([&] { DestroyWindow(owner_); });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), 0);
    EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
    EXPECT_TRUE(IsMenu(menu));
}

TEST_F(PopupMenuTest, OwnerMeasuresBeforeItDrawsItsItems) {
    InstallScreen();
    HMENU menu = CreatePopupMenu();
    menus_.push_back(menu);
    AppendMenuA(menu, MF_OWNERDRAW, 31, reinterpret_cast<LPCSTR>(0x5151));
    AppendMenuA(menu, MF_OWNERDRAW | MF_CHECKED | MF_GRAYED, 32, reinterpret_cast<LPCSTR>(0x5252));
    std::vector<MEASUREITEMSTRUCT> asked;
    Log().Answer(WM_MEASUREITEM, [&](HWND, WPARAM, LPARAM lParam) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        asked.push_back(*measure);
        measure->itemWidth = 100;
        measure->itemHeight = 20;
        return LRESULT{TRUE};
    });
    std::vector<DRAWITEMSTRUCT> drawn;
    Log().Answer(WM_DRAWITEM, [&](HWND, WPARAM, LPARAM lParam) {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        drawn.push_back(*draw);
        HBRUSH brush = CreateSolidBrush(RGB(0, 200, 0));
        FillRect(draw->hDC, &draw->rcItem, brush);
        DeleteObject(brush);
        return LRESULT{TRUE};
    });
    RECT window{};
    Then([&] {
        GetWindowRect(FindWindowA("#32768", nullptr), &window);
        Keys({VK_DOWN});
    });
    Then([&] {});
    TrackPopupMenu(menu, 0, 200, 200, 0, owner_, nullptr);

    const auto order = Log().Only({WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM});
    ASSERT_GE(order.size(), 5u);
    EXPECT_EQ(order[0].second, static_cast<UINT>(WM_INITMENUPOPUP));
    EXPECT_EQ(order[1].second, static_cast<UINT>(WM_MEASUREITEM));
    EXPECT_EQ(order[2].second, static_cast<UINT>(WM_MEASUREITEM));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].CtlType, static_cast<UINT>(ODT_MENU));
    EXPECT_EQ(asked[0].itemID, 31u);
    EXPECT_EQ(asked[0].itemData, 0x5151u);
    EXPECT_EQ(asked[1].itemID, 32u);
    EXPECT_EQ(asked[1].itemData, 0x5252u);
    EXPECT_EQ(window.right - window.left, 100 + 2 * 3);
    EXPECT_EQ(window.bottom - window.top, 40 + 2 * 3);

    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].CtlType, static_cast<UINT>(ODT_MENU));
    EXPECT_EQ(drawn[0].itemID, 31u);
    EXPECT_EQ(drawn[0].itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(drawn[0].itemState, 0u);
    EXPECT_EQ(drawn[0].hwndItem, reinterpret_cast<HWND>(menu));
    EXPECT_EQ(drawn[0].itemData, 0x5151u);
    EXPECT_EQ(drawn[0].rcItem.left, 3);
    EXPECT_EQ(drawn[0].rcItem.top, 3);
    EXPECT_EQ(drawn[0].rcItem.right, 103);
    EXPECT_EQ(drawn[0].rcItem.bottom, 23);
    EXPECT_EQ(drawn[1].itemState, static_cast<UINT>(ODS_GRAYED | ODS_CHECKED));
    EXPECT_EQ(drawn[1].rcItem.top, 23);
    // The arrow key selected the first item: it is drawn again, selected.
    EXPECT_EQ(drawn[2].itemID, 31u);
    EXPECT_EQ(drawn[2].itemAction, static_cast<UINT>(ODA_SELECT));
    EXPECT_EQ(drawn[2].itemState, static_cast<UINT>(ODS_SELECTED));
    EXPECT_EQ(ColorFromPixel(CaptureScreen().At(window.left + 50, window.top + 10)),
              RGB(0, 200, 0));
}

TEST_F(PopupMenuTest, DefaultLookUsesTheMenuColours) {
    InstallScreen();
    HMENU menu = Sample();
    SetMenuDefaultItem(menu, 12, FALSE);
    Surface picture;
    RECT open{};
    RECT save{};
    RECT bye{};
    Then([&] { Keys({VK_DOWN}); });
    Then([&] {
        GetMenuItemRect(owner_, menu, 0, &open);
        GetMenuItemRect(owner_, menu, 2, &save);
        GetMenuItemRect(owner_, menu, 4, &bye);
        picture = CaptureScreen();
    });
    RECT window{};
    Then([&] { GetWindowRect(FindWindowA("#32768", nullptr), &window); });
    TrackPopupMenu(menu, 0, 200, 200, 0, owner_, nullptr);
    auto at = [&](LONG x, LONG y) { return ColorFromPixel(picture.At(x, y)); };
    EXPECT_EQ(at(200, 200), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(at(201, 201), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(window.right - 1, window.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
    // The selected item in the highlight colour, the others in the menu colour.
    EXPECT_EQ(at(open.left + 2, open.top + 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(at(save.left + 2, save.top + 1), GetSysColor(COLOR_MENU));
    // Text ink: highlight text on the selection, gray on the grayed item.
    auto holds = [&](const RECT& rect, COLORREF color) {
        for (LONG y = rect.top; y < rect.bottom; ++y) {
            for (LONG x = rect.left; x < rect.right; ++x) {
                if (at(x, y) == color) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(holds(open, GetSysColor(COLOR_HIGHLIGHTTEXT)));
    EXPECT_TRUE(holds(save, GetSysColor(COLOR_GRAYTEXT)));
    EXPECT_FALSE(holds(save, GetSysColor(COLOR_MENUTEXT)));
    EXPECT_TRUE(holds(bye, GetSysColor(COLOR_MENUTEXT)));
}

TEST_F(PopupMenuTest, ChangesMadeInInitMenuPopupAreShown) {
    HMENU menu = Sample();
    Log().Answer(WM_INITMENUPOPUP, [](HWND, WPARAM wParam, LPARAM) {
        auto popup = reinterpret_cast<HMENU>(wParam);
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            EnableMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | MF_ENABLED);
        }
        AppendMenuA(popup, MF_STRING, 1224, "D:\\");
        return LRESULT{0};
    });
    HWND shown = nullptr;
    Then([&] {
        shown = FindWindowA("#32768", nullptr);
        EXPECT_EQ(GetForegroundWindow(), owner_);
        RECT added{};
        EXPECT_TRUE(GetMenuItemRect(owner_, menu, 5, &added));
        Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    });
    // Save was grayed until the owner enabled it; the new item is the last one.
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, owner_, nullptr), 11);
    EXPECT_NE(shown, nullptr);
    Then([&] { Keys({VK_UP, VK_RETURN}); });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, owner_, nullptr), 1224);
}

TEST_F(PopupMenuTest, TrayMenuOpensFromANotifyIconCallbackAtTheCursor) {
    HMENU tray = CreateMenu();
    menus_.push_back(tray);
    HMENU popup = Sample();
    menus_.pop_back();
    AppendMenuA(tray, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "tray");
    Log().Answer(1029, [&](HWND hwnd, WPARAM, LPARAM mouse) {
        if (mouse == WM_RBUTTONDOWN) {
            POINT cursor{};
            GetCursorPos(&cursor);
            SetForegroundWindow(hwnd);
            TrackPopupMenu(GetSubMenu(tray, 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd,
                           nullptr);
        }
        return LRESULT{1};
    });
    SetCursorPos(700, 500);
    RECT placed{};
    Then([&] {
        GetWindowRect(FindWindowA("#32768", nullptr), &placed);
        const POINT bye = CenterOf(owner_, popup, 4);
        InjectMouse(MOUSEEVENTF_RIGHTDOWN, bye);
        InjectMouse(MOUSEEVENTF_RIGHTUP, bye);
    });
    SendMessageA(owner_, 1029, 128, WM_RBUTTONDOWN);
    EXPECT_EQ(placed.left, 700);
    EXPECT_EQ(placed.top, 500);
    PumpUntilIdle();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{12});
}

TEST_F(PopupMenuTest, CheckedItemsHaveAMarkLeftOfTheirText) {
    InstallScreen();
    HMENU menu = CreatePopupMenu();
    menus_.push_back(menu);
    AppendMenuA(menu, MF_STRING, 1, "Same");
    AppendMenuA(menu, MF_STRING, 2, "Same");
    AppendMenuA(menu, MF_STRING | MF_CHECKED, 3, "Same");
    CheckMenuRadioItem(menu, 2, 2, 2, MF_BYCOMMAND);
    Surface picture;
    RECT items[3]{};
    Then([&] {
        for (UINT i = 0; i < 3; ++i) {
            GetMenuItemRect(owner_, menu, i, &items[i]);
        }
        picture = CaptureScreen();
    });
    TrackPopupMenu(menu, 0, 300, 300, 0, owner_, nullptr);
    auto ink = [&](const RECT& rect, LONG from, LONG to) {
        int count = 0;
        for (LONG y = rect.top; y < rect.bottom; ++y) {
            for (LONG x = rect.left + from; x < rect.left + to; ++x) {
                count += ColorFromPixel(picture.At(x, y)) == GetSysColor(COLOR_MENUTEXT) ? 1 : 0;
            }
        }
        return count;
    };
    const LONG width = items[0].right - items[0].left;
    EXPECT_EQ(ink(items[0], 0, 20), 0);
    // A tick of three rows of strokes, and a radio dot.
    EXPECT_EQ(ink(items[2], 0, 20), 21);
    EXPECT_GT(ink(items[1], 0, 20), 6);
    EXPECT_NE(ink(items[1], 0, 20), ink(items[2], 0, 20));
    EXPECT_EQ(ink(items[2], 20, width), ink(items[0], 20, width));
}

}  // namespace
}  // namespace platform::testing
