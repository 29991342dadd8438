#include "platform/controls/ToolBar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/controls/Button.h"
#include "platform/controls/ToolTip.h"
#include "platform/drawing/DrawingTest.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

TBBUTTON MakeButton(int image, int command, BYTE style = BTNS_BUTTON, BYTE state = TBSTATE_ENABLED,
                    INT_PTR text = -1) {
    TBBUTTON button{};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = state;
    button.fsStyle = style;
    button.iString = text;
    return button;
}

class ToolBarTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterToolBarClass();
        parent_ = TopLevel(WS_POPUP | WS_VISIBLE, RECT{100, 100, 600, 300});
        Log().Answer(WM_NOTIFY, [this](HWND hwnd, WPARAM, LPARAM lParam) -> LRESULT {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (hwnd != parent_) {
                return 0;
            }
            codes_.push_back(header->code);
            if (header->code == TBN_DROPDOWN) {
                dropDown_ = *reinterpret_cast<const NMTOOLBARA*>(lParam);
                return dropDownAnswer_;
            }
            if (header->code == TBN_HOTITEMCHANGE) {
                hot_.push_back(*reinterpret_cast<const NMTBHOTITEM*>(lParam));
                return refuseHot_ ? 1 : 0;
            }
            if (header->code == TTN_GETDISPINFOA) {
                auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
                std::snprintf(info->szText, sizeof(info->szText), "tip %d",
                              static_cast<int>(info->hdr.idFrom));
            }
            return 0;
        });
    }

    HWND CreateBar(DWORD style, RECT rect = {0, 0, 400, 40}) {
        HWND bar =
            CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | style, rect.left,
                            rect.top, rect.right - rect.left, rect.bottom - rect.top, parent_,
                            reinterpret_cast<HMENU>(59392), nullptr, nullptr);
        SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        return bar;
    }
    static void Add(HWND bar, std::vector<TBBUTTON> buttons) {
        ASSERT_TRUE(SendMessageA(bar, TB_ADDBUTTONSA, buttons.size(),
                                 reinterpret_cast<LPARAM>(buttons.data())));
    }
    static RECT ItemRect(HWND bar, int index) {
        RECT rect{};
        SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    static void ExpectRect(const RECT& rect, int left, int top, int right, int bottom) {
        EXPECT_EQ(rect.left, left);
        EXPECT_EQ(rect.top, top);
        EXPECT_EQ(rect.right, right);
        EXPECT_EQ(rect.bottom, bottom);
    }
    void Press(HWND bar, POINT down, POINT up, UINT downFlag = MOUSEEVENTF_LEFTDOWN,
               UINT upFlag = MOUSEEVENTF_LEFTUP) {
        ClientToScreen(bar, &down);
        ClientToScreen(bar, &up);
        InjectMouse(downFlag, down);
        PumpUntilIdle();
        InjectMouse(0, up);
        InjectMouse(upFlag, up);
        PumpUntilIdle();
    }
    void Click(HWND bar, POINT point) { Press(bar, point, point); }
    std::vector<int> Commands() const {
        std::vector<int> commands;
        for (const auto& entry : Log().Of(WM_COMMAND)) {
            if (entry.hwnd == parent_) {
                commands.push_back(LOWORD(entry.wParam));
                EXPECT_EQ(HIWORD(entry.wParam), 0);
            }
        }
        return commands;
    }
    static HIMAGELIST SolidImages(int cx, int cy, std::vector<COLORREF> colors) {
        HIMAGELIST list = ImageList_Create(cx, cy, ILC_COLOR32, 4, 4);
        for (COLORREF color : colors) {
            testing::MemoryCanvas canvas(cx, cy, color);
            ImageList_Add(list, canvas.bitmap(), nullptr);
        }
        return list;
    }

    HWND parent_ = nullptr;
    std::vector<UINT> codes_;
    NMTOOLBARA dropDown_{};
    LRESULT dropDownAnswer_ = TBDDRET_DEFAULT;
    std::vector<NMTBHOTITEM> hot_;
    bool refuseHot_ = false;
};

TEST_F(ToolBarTest, ButtonsSeparatorsAndArrowsLieInOneRow) {
    HWND bar = CreateBar(TBSTYLE_FLAT | TBSTYLE_LIST);
    SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELONG(25, 23));
    SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELONG(33, 30));
    Add(bar, {MakeButton(0, 57600), MakeButton(1, 32787, BTNS_DROPDOWN), MakeButton(0, 0, BTNS_SEP),
              MakeButton(5, 32789), MakeButton(60, 0, BTNS_SEP), MakeButton(6, 32790)});
    EXPECT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 6);
    ExpectRect(ItemRect(bar, 0), 0, 0, 33, 30);
    ExpectRect(ItemRect(bar, 1), 33, 0, 80, 30);
    ExpectRect(ItemRect(bar, 2), 80, 0, 88, 30);
    ExpectRect(ItemRect(bar, 3), 88, 0, 121, 30);
    // A separator's image number is its width.
    ExpectRect(ItemRect(bar, 4), 121, 0, 181, 30);
    RECT rect{};
    ASSERT_TRUE(SendMessageA(bar, TB_GETRECT, 32790, reinterpret_cast<LPARAM>(&rect)));
    ExpectRect(rect, 181, 0, 214, 30);
    EXPECT_FALSE(SendMessageA(bar, TB_GETRECT, 1, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0), MAKELONG(33, 30));

    SendMessageA(bar, TB_HIDEBUTTON, 32789, MAKELONG(TRUE, 0));
    EXPECT_FALSE(SendMessageA(bar, TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rect)));
    ExpectRect(ItemRect(bar, 5), 148, 0, 181, 30);
    SendMessageA(bar, TB_SETINDENT, 5, 0);
    ExpectRect(ItemRect(bar, 0), 5, 0, 38, 30);
    SIZE size{};
    SendMessageA(bar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    EXPECT_EQ(size.cx, 186);
    EXPECT_EQ(size.cy, 30);
}

TEST_F(ToolBarTest, DefaultSizesFollowTheImages) {
    HWND bar = CreateBar(0);
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0), MAKELONG(24, 22));
    HIMAGELIST images = SolidImages(32, 32, {RGB(255, 0, 0)});
    SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0), MAKELONG(40, 39));
    EXPECT_EQ(SendMessageA(bar, TB_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(images));
    DestroyWindow(bar);
    ImageList_Destroy(images);
}

TEST_F(ToolBarTest, StateMessagesWorkByCommand) {
    HWND bar = CreateBar(0);
    Add(bar, {MakeButton(0, 10), MakeButton(1, 11, BTNS_CHECK), MakeButton(0, 0, BTNS_SEP)});
    EXPECT_EQ(SendMessageA(bar, TB_COMMANDTOINDEX, 11, 0), 1);
    EXPECT_EQ(SendMessageA(bar, TB_COMMANDTOINDEX, 0, 0), -1);
    EXPECT_EQ(SendMessageA(bar, TB_COMMANDTOINDEX, 99, 0), -1);
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, 10, 0));
    EXPECT_TRUE(SendMessageA(bar, TB_ENABLEBUTTON, 10, MAKELONG(FALSE, 0)));
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONENABLED, 10, 0));
    EXPECT_FALSE(SendMessageA(bar, TB_ENABLEBUTTON, 99, MAKELONG(FALSE, 0)));
    EXPECT_TRUE(SendMessageA(bar, TB_CHECKBUTTON, 11, MAKELONG(TRUE, 0)));
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONCHECKED, 11, 0));
    EXPECT_EQ(SendMessageA(bar, TB_GETSTATE, 11, 0), TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_EQ(SendMessageA(bar, TB_GETSTATE, 99, 0), -1);
    EXPECT_TRUE(SendMessageA(bar, TB_SETSTATE, 11, MAKELONG(TBSTATE_PRESSED, 0)));
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONPRESSED, 11, 0));
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONENABLED, 11, 0));
    SendMessageA(bar, TB_SETSTYLE, 0, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT);
    EXPECT_EQ(SendMessageA(bar, TB_GETSTYLE, 0, 0), WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT);

    TBBUTTON copy{};
    ASSERT_TRUE(SendMessageA(bar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&copy)));
    EXPECT_EQ(copy.idCommand, 11);
    EXPECT_EQ(copy.iBitmap, 1);
    EXPECT_EQ(copy.fsStyle, BTNS_CHECK);
    EXPECT_EQ(copy.fsState, TBSTATE_PRESSED);
    EXPECT_FALSE(SendMessageA(bar, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&copy)));
    EXPECT_TRUE(SendMessageA(bar, TB_DELETEBUTTON, 0, 0));
    EXPECT_FALSE(SendMessageA(bar, TB_DELETEBUTTON, 5, 0));
    EXPECT_EQ(SendMessageA(bar, TB_COMMANDTOINDEX, 11, 0), 0);
}

TEST_F(ToolBarTest, AClickSendsTheCommandToTheParent) {
    HWND bar = CreateBar(0);
    Add(bar, {MakeButton(0, 10), MakeButton(1, 11, BTNS_CHECK), MakeButton(2, 12)});
    SendMessageA(bar, TB_ENABLEBUTTON, 12, MAKELONG(FALSE, 0));
    PumpUntilIdle();
    Click(bar, POINT{5, 5});
    Click(bar, POINT{30, 5});
    Click(bar, POINT{55, 5});
    EXPECT_EQ(Commands(), (std::vector<int>{10, 11}));
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONCHECKED, 11, 0));
    const auto commands = Log().Of(WM_COMMAND);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front().lParam, reinterpret_cast<LPARAM>(bar));

    // Pressed on one button and released elsewhere: no command, and the press is undone.
    Log().Clear();
    Press(bar, POINT{5, 5}, POINT{200, 5});
    EXPECT_TRUE(Commands().empty());
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONPRESSED, 10, 0));
    EXPECT_EQ(GetCapture(), nullptr);
    Click(bar, POINT{30, 5});
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONCHECKED, 11, 0));
}

TEST_F(ToolBarTest, CheckGroupsKeepOneButtonChecked) {
    HWND bar = CreateBar(0);
    Add(bar, {MakeButton(0, 1, BTNS_CHECKGROUP), MakeButton(0, 2, BTNS_CHECKGROUP),
              MakeButton(0, 3, BTNS_CHECKGROUP), MakeButton(0, 4, BTNS_CHECK)});
    SendMessageA(bar, TB_CHECKBUTTON, 4, MAKELONG(TRUE, 0));
    PumpUntilIdle();
    Click(bar, POINT{5, 5});
    Click(bar, POINT{55, 5});
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONCHECKED, 1, 0));
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONCHECKED, 3, 0));
    Click(bar, POINT{55, 5});
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONCHECKED, 3, 0));
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONCHECKED, 4, 0));
    SendMessageA(bar, TB_CHECKBUTTON, 2, MAKELONG(TRUE, 0));
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONCHECKED, 3, 0));
}

TEST_F(ToolBarTest, TheArrowOfADropDownButtonNotifiesInsteadOfClicking) {
    HWND bar = CreateBar(TBSTYLE_FLAT);
    SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELONG(33, 30));
    Add(bar, {MakeButton(0, 57600), MakeButton(1, 32787, BTNS_DROPDOWN)});
    PumpUntilIdle();
    Click(bar, POINT{75, 10});
    EXPECT_EQ(codes_.back(), TBN_DROPDOWN);
    EXPECT_EQ(dropDown_.iItem, 32787);
    EXPECT_EQ(dropDown_.hdr.hwndFrom, bar);
    EXPECT_EQ(dropDown_.hdr.idFrom, 59392U);
    EXPECT_EQ(dropDown_.tbButton.idCommand, 32787);
    EXPECT_EQ(dropDown_.tbButton.fsState, TBSTATE_ENABLED | TBSTATE_PRESSED);
    ExpectRect(dropDown_.rcButton, 33, 0, 80, 30);
    EXPECT_TRUE(Commands().empty());
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONPRESSED, 32787, 0));

    Click(bar, POINT{40, 10});
    EXPECT_EQ(Commands(), std::vector<int>{32787});

    // Without drawn arrows the whole button drops down.
    SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, 0);
    codes_.clear();
    Click(bar, POINT{40, 10});
    ASSERT_FALSE(codes_.empty());
    EXPECT_EQ(codes_.front(), TBN_DROPDOWN);
    EXPECT_EQ(Commands(), std::vector<int>{32787});
}

TEST_F(ToolBarTest, ADropDownAnsweredAsPressedClicksLikeAButton) {
    HWND bar = CreateBar(0);
    Add(bar, {MakeButton(0, 40, BTNS_WHOLEDROPDOWN)});
    dropDownAnswer_ = TBDDRET_TREATPRESSED;
    PumpUntilIdle();
    Click(bar, POINT{5, 5});
    EXPECT_EQ(codes_, std::vector<UINT>{TBN_DROPDOWN});
    EXPECT_EQ(Commands(), std::vector<int>{40});
    ExpectRect(ItemRect(bar, 0), 0, 0, 38, 22);
}

TEST_F(ToolBarTest, FlatBarsTrackTheHotButton) {
    HWND bar = CreateBar(TBSTYLE_FLAT);
    Add(bar, {MakeButton(0, 10), MakeButton(0, 0, BTNS_SEP), MakeButton(0, 11),
              MakeButton(0, 12, BTNS_BUTTON, 0)});
    PumpUntilIdle();
    POINT point{5, 5};
    ClientToScreen(bar, &point);
    InjectMouse(0, point);
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTITEM, 0, 0), 0);
    ASSERT_EQ(hot_.size(), 1U);
    EXPECT_EQ(hot_[0].idOld, 0);
    EXPECT_EQ(hot_[0].idNew, 10);
    EXPECT_EQ(hot_[0].dwFlags, static_cast<DWORD>(HICF_MOUSE | HICF_ENTERING));

    point = POINT{35, 5};
    ClientToScreen(bar, &point);
    InjectMouse(0, point);
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTITEM, 0, 0), 2);
    // A disabled button is never hot.
    point = POINT{60, 5};
    ClientToScreen(bar, &point);
    InjectMouse(0, point);
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTITEM, 0, 0), -1);
    EXPECT_EQ(hot_.back().dwFlags, static_cast<DWORD>(HICF_MOUSE | HICF_LEAVING));

    // Leaving the bar altogether is noticed by the watch timer.
    point = POINT{5, 5};
    ClientToScreen(bar, &point);
    InjectMouse(0, point);
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTITEM, 0, 0), 0);
    InjectMouse(0, POINT{550, 250});
    AdvanceTestClock(std::chrono::milliseconds(100));
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTITEM, 0, 0), -1);

    refuseHot_ = true;
    point = POINT{5, 5};
    ClientToScreen(bar, &point);
    InjectMouse(0, point);
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTITEM, 0, 0), -1);
    EXPECT_EQ(SendMessageA(bar, TB_SETHOTITEM, 2, 0), -1);
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTITEM, 0, 0), 2);
}

TEST_F(ToolBarTest, HitTestTellsButtonsSeparatorsAndNothing) {
    HWND bar = CreateBar(0);
    Add(bar, {MakeButton(0, 10), MakeButton(0, 0, BTNS_SEP), MakeButton(0, 11)});
    POINT point{5, 5};
    EXPECT_EQ(SendMessageA(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)), 0);
    point = POINT{26, 5};
    EXPECT_EQ(SendMessageA(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)), -1);
    point = POINT{33, 5};
    EXPECT_EQ(SendMessageA(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)), 2);
    point = POINT{300, 5};
    EXPECT_EQ(SendMessageA(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)), -4);
}

TEST_F(ToolBarTest, ButtonInfoSizesASeparatorToHoldAControl) {
    HWND bar = CreateBar(0);
    Add(bar, {MakeButton(0, 10), MakeButton(0, 1004, BTNS_SEP), MakeButton(0, 11)});
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
    info.cx = 150;
    ASSERT_TRUE(SendMessageA(bar, TB_SETBUTTONINFOA, 1, reinterpret_cast<LPARAM>(&info)));
    ExpectRect(ItemRect(bar, 1), 24, 0, 174, 22);
    ExpectRect(ItemRect(bar, 2), 174, 0, 198, 22);

    char text[16] = {};
    info = TBBUTTONINFOA{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT | TBIF_LPARAM | TBIF_IMAGE;
    info.pszText = const_cast<char*>("打开");
    info.lParam = 77;
    info.iImage = 3;
    ASSERT_TRUE(SendMessageA(bar, TB_SETBUTTONINFOA, 11, reinterpret_cast<LPARAM>(&info)));
    info = TBBUTTONINFOA{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT | TBIF_LPARAM | TBIF_IMAGE | TBIF_STYLE | TBIF_COMMAND;
    info.pszText = text;
    info.cchText = 4;
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONINFOA, 11, reinterpret_cast<LPARAM>(&info)), 2);
    EXPECT_STREQ(text, "打");
    EXPECT_EQ(info.lParam, 77U);
    EXPECT_EQ(info.iImage, 3);
    EXPECT_EQ(info.idCommand, 11);
    EXPECT_EQ(info.fsStyle, BTNS_BUTTON);
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONINFOA, 99, reinterpret_cast<LPARAM>(&info)), -1);
    info.cbSize = 8;
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONINFOA, 11, reinterpret_cast<LPARAM>(&info)), -1);
    EXPECT_FALSE(SendMessageA(bar, TB_SETBUTTONINFOA, 11, reinterpret_cast<LPARAM>(&info)));
}

TEST_F(ToolBarTest, ControlsOnTheBarReportToItsOwner) {
    RegisterButtonClass();
    HWND bar = CreateBar(0);
    Add(bar, {MakeButton(0, 10), MakeButton(0, 1003, BTNS_SEP)});
    HWND button = CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 30, 2, 60,
                                  18, bar, reinterpret_cast<HMENU>(1003), nullptr, nullptr);
    PumpUntilIdle();
    Log().Clear();
    SendMessageA(button, BM_CLICK, 0, 0);
    int commands = 0;
    int draws = 0;
    for (const auto& entry : Log().Entries()) {
        if (entry.hwnd != parent_) {
            continue;
        }
        if (entry.message == WM_COMMAND) {
            ++commands;
            EXPECT_EQ(entry.wParam, MAKEWPARAM(1003, BN_CLICKED));
            EXPECT_EQ(reinterpret_cast<HWND>(entry.lParam), button);
        } else if (entry.message == WM_DRAWITEM) {
            ++draws;
            EXPECT_EQ(entry.wParam, 1003U);
        }
    }
    EXPECT_EQ(commands, 1);
    EXPECT_GT(draws, 0);
}

TEST_F(ToolBarTest, StringsGiveButtonsTexts) {
    HWND bar = CreateBar(TBSTYLE_LIST);
    EXPECT_EQ(SendMessageA(bar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("Back\0Go\0")), 0);
    EXPECT_EQ(SendMessageA(bar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("Home\0")), 2);
    Add(bar, {MakeButton(0, 10, BTNS_AUTOSIZE, TBSTATE_ENABLED, 0),
              MakeButton(0, 11, BTNS_AUTOSIZE, TBSTATE_ENABLED, 1),
              MakeButton(0, 12, BTNS_AUTOSIZE, TBSTATE_ENABLED,
                         reinterpret_cast<INT_PTR>("A pointer text"))});
    char text[32] = {};
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONTEXTA, 11, reinterpret_cast<LPARAM>(text)), 2);
    EXPECT_STREQ(text, "Go");
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONTEXTA, 12, 0), 14);
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONTEXTA, 13, 0), -1);
    const RECT back = ItemRect(bar, 0);
    const RECT go = ItemRect(bar, 1);
    EXPECT_GT(back.right - back.left, go.right - go.left);
    EXPECT_GT(go.right - go.left, 16 + 8);
    // Mixed buttons: only those that ask to show their text do.
    SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    EXPECT_EQ(ItemRect(bar, 0).right - ItemRect(bar, 0).left, 24);
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STYLE;
    info.fsStyle = BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    SendMessageA(bar, TB_SETBUTTONINFOA, 10, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(ItemRect(bar, 0).right - ItemRect(bar, 0).left, back.right - back.left);
    SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, 0);
    // Without text rows the texts take no room.
    SendMessageA(bar, TB_SETMAXTEXTROWS, 0, 0);
    EXPECT_EQ(ItemRect(bar, 0).right - ItemRect(bar, 0).left, 24);
}

TEST_F(ToolBarTest, WrapStatesAndWrapableBarsMakeRows) {
    HWND bar = CreateBar(TBSTYLE_WRAPABLE, RECT{0, 0, 60, 80});
    Add(bar, {MakeButton(0, 1), MakeButton(0, 2), MakeButton(0, 3)});
    EXPECT_EQ(SendMessageA(bar, TB_GETROWS, 0, 0), 2);
    ExpectRect(ItemRect(bar, 2), 0, 22, 24, 44);
    HWND plain = CreateBar(0);
    Add(plain, {MakeButton(0, 1, BTNS_BUTTON, TBSTATE_ENABLED | TBSTATE_WRAP), MakeButton(0, 2)});
    EXPECT_EQ(SendMessageA(plain, TB_GETROWS, 0, 0), 2);
    ExpectRect(ItemRect(plain, 1), 0, 22, 24, 44);
}

TEST_F(ToolBarTest, AutoSizeSpansTheParentAtTheTop) {
    HWND bar = CreateBar(0, RECT{10, 50, 100, 60});
    Add(bar, {MakeButton(0, 1)});
    SendMessageA(bar, TB_AUTOSIZE, 0, 0);
    RECT rect{};
    GetWindowRect(bar, &rect);
    ExpectRect(rect, 100, 100, 600, 122);
}

TEST_F(ToolBarTest, ToolTipsAskTheParentByCommand) {
    HWND bar = CreateBar(TBSTYLE_TOOLTIPS);
    Add(bar, {MakeButton(0, 32787), MakeButton(0, 0, BTNS_SEP), MakeButton(0, 32788)});
    HWND tip = reinterpret_cast<HWND>(SendMessageA(bar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = bar;
    tool.uId = 32788;
    tool.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "tip 32788");

    PumpUntilIdle();
    POINT point{40, 5};
    ClientToScreen(bar, &point);
    InjectMouse(0, point);
    PumpUntilIdle();
    AdvanceTestClock(std::chrono::milliseconds(500));
    PumpUntilIdle();
    EXPECT_TRUE(IsWindowVisible(tip));
    DestroyWindow(bar);
    EXPECT_FALSE(IsWindow(tip));
}

TEST_F(ToolBarTest, ImagesComeFromTheListForTheButtonState) {
    InstallScreen();
    HIMAGELIST normal = SolidImages(16, 15, {RGB(255, 0, 0), RGB(0, 128, 0)});
    HIMAGELIST hot = SolidImages(16, 15, {RGB(0, 0, 255), RGB(0, 0, 255)});
    HIMAGELIST disabled = SolidImages(16, 15, {RGB(90, 90, 90), RGB(60, 60, 60)});
    HWND bar = CreateBar(TBSTYLE_FLAT);
    SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normal));
    SendMessageA(bar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hot));
    SendMessageA(bar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabled));
    Add(bar, {MakeButton(0, 10), MakeButton(1, 11, BTNS_BUTTON, 0)});
    PumpUntilIdle();
    // Bar at (100, 100); images centred in 24 x 22 buttons: 4 pixels in, 3 down.
    Surface screen = CaptureScreen();
    EXPECT_EQ(ColorFromPixel(screen.At(104, 103)), RGB(255, 0, 0));
    EXPECT_EQ(ColorFromPixel(screen.At(103, 103)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorFromPixel(screen.At(128, 103)), RGB(60, 60, 60));

    InjectMouse(0, POINT{110, 110});
    PumpUntilIdle();
    screen = CaptureScreen();
    EXPECT_EQ(ColorFromPixel(screen.At(104, 103)), RGB(0, 0, 255));
    // The hot flat button is raised.
    EXPECT_EQ(ColorFromPixel(screen.At(100, 100)), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ColorFromPixel(screen.At(123, 121)), GetSysColor(COLOR_BTNSHADOW));
    DestroyWindow(bar);
    ImageList_Destroy(normal);
    ImageList_Destroy(hot);
    ImageList_Destroy(disabled);
}

}  // namespace
}  // namespace platform
