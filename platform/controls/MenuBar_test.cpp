#include "platform/controls/MenuBar.h"

#include <deque>
#include <functional>

#include "platform/controls/PopupMenu.h"
#include "platform/drawing/DrawingSeams.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

class MenuBarTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InstallScreen();
        RegisterPopupMenuClass();
        // 文件(&F) { 101 打开(&O), 102 关闭(&C) }, 编辑(&E) { 201 复制(&C) }, 203 帮助
        bar_ = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenuA(file, MF_STRING, 101, "打开(&O)");
        AppendMenuA(file, MF_STRING, 102, "关闭(&C)");
        HMENU edit = CreatePopupMenu();
        AppendMenuA(edit, MF_STRING, 201, "复制(&C)");
        AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
        AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "编辑(&E)");
        AppendMenuA(bar_, MF_STRING, 203, "帮助");
        frame_ = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 500, 400}, "frame");
        ASSERT_TRUE(SetMenu(frame_, bar_));
        PumpUntilIdle();
        Log().Clear();
        Log().Answer(WM_ENTERIDLE, [this](HWND, WPARAM, LPARAM) {
            if (steps_.empty()) {
                EndMenu();
            } else {
                auto step = std::move(steps_.front());
                steps_.pop_front();
                step();
                PostMessageA(frame_, WM_NULL, 0, 0);
            }
            return LRESULT{0};
        });
    }
    void TearDown() override {
        // The frame takes its menu bar along.
        DestroyWindow(frame_);
        WindowTest::TearDown();
    }

    RECT ItemRect(HMENU menu, UINT item) {
        RECT rect{};
        EXPECT_TRUE(GetMenuItemRect(frame_, menu, item, &rect));
        return rect;
    }
    static POINT Center(const RECT& rect) {
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    static void Click(POINT at) {
        InjectMouse(MOUSEEVENTF_LEFTDOWN, at);
        InjectMouse(MOUSEEVENTF_LEFTUP, at);
    }
    static void Key(BYTE key) {
        InjectKey(key, true);
        InjectKey(key, false);
    }
    std::vector<WPARAM> Commands() {
        std::vector<WPARAM> commands;
        for (const LoggedMessage& entry : Log().Of(WM_COMMAND)) {
            commands.push_back(entry.wParam);
        }
        return commands;
    }

    HWND frame_ = nullptr;
    HMENU bar_ = nullptr;
    std::deque<std::function<void()>> steps_;
};

TEST_F(MenuBarTest, BarSitsBetweenCaptionAndClientInMenuColours) {
    RECT client{};
    GetClientRect(frame_, &client);
    POINT origin{0, 0};
    ClientToScreen(frame_, &origin);
    const RECT file = ItemRect(bar_, 0);
    const RECT edit = ItemRect(bar_, 1);
    EXPECT_EQ(file.bottom, origin.y);
    EXPECT_EQ(file.top, origin.y - GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(file.left, origin.x);
    EXPECT_EQ(edit.left, file.right);
    EXPECT_EQ(MenuItemFromPoint(frame_, bar_, Center(edit)), 1);
    EXPECT_EQ(MenuItemFromPoint(frame_, bar_, POINT{origin.x + 5, origin.y + 5}), -1);

    const Surface screen = CaptureScreen();
    EXPECT_EQ(ColorFromPixel(screen.At(file.left + 1, file.top + 1)), GetSysColor(COLOR_MENU));
    EXPECT_EQ(ColorFromPixel(screen.At(origin.x + client.right - 2, file.top + 2)),
              GetSysColor(COLOR_MENU));
    bool ink = false;
    for (LONG y = file.top; y < file.bottom; ++y) {
        for (LONG x = file.left; x < file.right; ++x) {
            ink = ink || ColorFromPixel(screen.At(x, y)) == GetSysColor(COLOR_MENUTEXT);
        }
    }
    EXPECT_TRUE(ink);
}

TEST_F(MenuBarTest, TheBarAndItsPopupsEndWithTheFrameButAMenuPutAsideStays) {
    HMENU file = GetSubMenu(bar_, 0);
    HMENU edit = GetSubMenu(bar_, 1);
    HMENU other = CreateMenu();
    ASSERT_TRUE(SetMenu(frame_, other));
    HWND second = TopLevel(WS_OVERLAPPEDWINDOW, {0, 0, 200, 100}, "second");
    ASSERT_TRUE(SetMenu(second, bar_));
    const int live = LiveMenuCount();

    EXPECT_TRUE(DestroyWindow(second));
    EXPECT_FALSE(IsMenu(bar_));
    EXPECT_FALSE(IsMenu(file));
    EXPECT_FALSE(IsMenu(edit));
    EXPECT_EQ(LiveMenuCount(), live - 3);
    EXPECT_TRUE(IsMenu(other));

    EXPECT_TRUE(DestroyWindow(frame_));
    EXPECT_FALSE(IsMenu(other));
    EXPECT_EQ(LiveMenuCount(), live - 4);
}

TEST_F(MenuBarTest, ClickOpensThePopupBelowAndItsChoiceIsPosted) {
    HMENU file = GetSubMenu(bar_, 0);
    RECT popup{};
    steps_.push_back([&] {
        GetWindowRect(FindWindowA("#32768", nullptr), &popup);
        Click(Center(ItemRect(file, 1)));
    });
    Click(Center(ItemRect(bar_, 0)));
    PumpUntilIdle();
    const RECT item = ItemRect(bar_, 0);
    EXPECT_EQ(popup.left, item.left);
    EXPECT_EQ(popup.top, item.bottom);
    EXPECT_EQ(Commands(), std::vector<WPARAM>{102});
    const auto loop = Log().Of(WM_ENTERMENULOOP);
    ASSERT_EQ(loop.size(), 1u);
    EXPECT_EQ(loop[0].wParam, static_cast<WPARAM>(FALSE));
    const auto init = Log().Of(WM_INITMENUPOPUP);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0].wParam, reinterpret_cast<WPARAM>(file));
    EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
}

TEST_F(MenuBarTest, AltSelectsTheBarAndArrowsWalkIt) {
    // Alt alone selects 文件; Right moves to 编辑 without opening; Down opens it; Enter chooses.
    InjectKey(VK_MENU, true);
    InjectKey(VK_MENU, false);
    Key(VK_RIGHT);
    Key(VK_DOWN);
    Key(VK_RETURN);
    PumpUntilIdle();
    PumpUntilIdle();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{201});
    std::vector<WPARAM> selected;
    for (const LoggedMessage& entry : Log().Of(WM_MENUSELECT)) {
        selected.push_back(entry.wParam);
    }
    const std::vector<WPARAM> expected = {MAKEWPARAM(0, MF_HILITE | MF_POPUP),
                                          MAKEWPARAM(1, MF_HILITE | MF_POPUP),
                                          MAKEWPARAM(201, MF_HILITE), MAKEWPARAM(0, 0xFFFF)};
    EXPECT_EQ(selected, expected);
}

TEST_F(MenuBarTest, AltWithAMnemonicOpensThatPopup) {
    InjectKey(VK_MENU, true);
    Key('E');
    InjectKey(VK_MENU, false);
    Key(VK_RETURN);
    PumpUntilIdle();
    PumpUntilIdle();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{201});

    Log().Clear();
    InjectKey(VK_MENU, true);
    Key('Q');
    InjectKey(VK_MENU, false);
    PumpUntilIdle();
    EXPECT_TRUE(Log().Of(WM_INITMENUPOPUP).empty());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(MenuBarTest, EscapeClosesThePopupThenTheBar) {
    Key(VK_F10);
    Key(VK_DOWN);
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    PumpUntilIdle();
    EXPECT_EQ(Log().Of(WM_INITMENUPOPUP).size(), 1u);
    EXPECT_EQ(Log().Of(WM_EXITMENULOOP).size(), 1u);
    PumpUntilIdle();
    EXPECT_TRUE(Commands().empty());
}

TEST_F(MenuBarTest, DrawMenuBarNeedsAWindowWithAMenu) {
    EXPECT_TRUE(DrawMenuBar(frame_));
    HWND plain = TopLevel();
    EXPECT_FALSE(DrawMenuBar(plain));
    EXPECT_FALSE(DrawMenuBar(reinterpret_cast<HWND>(0x5555)));
    EXPECT_EQ(MenuBarRect(plain).right, 0);
}

}  // namespace
}  // namespace platform::testing
