#include "platform/controls/Button.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/controls/ControlTest.h"
#include "platform/controls/Edit.h"
#include "platform/controls/Static.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

struct Drawn {
    UINT action;
    UINT state;
};

class ButtonTest : public testing::ControlTest {
protected:
    ButtonTest() : ControlTest(RegisterButtonClass) {}

    HWND Button(int id, DWORD style, const char* text = "Go", RECT rect = {10, 10, 110, 40}) {
        return Child("Button", id, style, text, rect);
    }

    static void Click(HWND hwnd, int x = 5, int y = 5) {
        InjectMouse(MOUSEEVENTF_LEFTDOWN, OnScreen(hwnd, x, y));
        InjectMouse(MOUSEEVENTF_LEFTUP, OnScreen(hwnd, x, y));
        PumpUntilIdle();
    }

    // Records the owner-draw calls the parent gets, and fills each item in `fill`.
    void RecordDrawing(COLORREF fill = RGB(0, 160, 0)) {
        Log().Answer(WM_DRAWITEM, [this, fill](HWND, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            EXPECT_EQ(item->CtlType, static_cast<UINT>(ODT_BUTTON));
            EXPECT_EQ(item->CtlID, wParam);
            EXPECT_EQ(GetDlgCtrlID(item->hwndItem), static_cast<int>(item->CtlID));
            drawn_.push_back(Drawn{item->itemAction, item->itemState});
            lastRect_ = item->rcItem;
            HBRUSH brush = CreateSolidBrush(fill);
            FillRect(item->hDC, &item->rcItem, brush);
            DeleteObject(brush);
            return TRUE;
        });
    }

    std::vector<Drawn> drawn_;
    RECT lastRect_{};
};

using CommandList = std::vector<std::pair<int, WORD>>;

TEST_F(ButtonTest, ClickOnAnAutoCheckBoxTogglesBeforeTheParentHears) {
    HWND box = Button(1031, BS_AUTOCHECKBOX);
    std::vector<LRESULT> seen;
    Log().Answer(WM_COMMAND, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        seen.push_back(SendMessageA(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0));
        return 0;
    });
    Click(box);
    Click(box);
    EXPECT_EQ(Commands(), (CommandList{{1031, BN_CLICKED}, {1031, BN_CLICKED}}));
    EXPECT_EQ(seen, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED}));
    EXPECT_EQ(GetFocus(), box);
}

TEST_F(ButtonTest, ReleaseOutsideIsNoClickAndMovingBackPushesAgain) {
    HWND button = Button(7, BS_PUSHBUTTON);
    InjectMouse(MOUSEEVENTF_LEFTDOWN, OnScreen(button, 5, 5));
    PumpUntilIdle();
    EXPECT_EQ(GetCapture(), button);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
    InjectMouse(0, OnScreen(button, 300, 5));
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_FOCUS);
    InjectMouse(0, OnScreen(button, 6, 6));
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
    InjectMouse(MOUSEEVENTF_LEFTUP, OnScreen(button, 300, 5));
    PumpUntilIdle();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_FOCUS);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(ButtonTest, CheckStatesFollowTheButtonType) {
    HWND three = Button(1, BS_AUTO3STATE);
    std::vector<LRESULT> states;
    for (int i = 0; i < 4; ++i) {
        SendMessageA(three, BM_CLICK, 0, 0);
        states.push_back(SendMessageA(three, BM_GETCHECK, 0, 0));
    }
    EXPECT_EQ(states, (std::vector<LRESULT>{1, 2, 0, 1}));

    HWND two = Button(2, BS_CHECKBOX);
    SendMessageA(two, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessageA(two, BM_GETCHECK, 0, 0), BST_CHECKED);
    // A plain check box leaves its state to the program.
    SendMessageA(two, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(two, BM_GETCHECK, 0, 0), BST_CHECKED);

    HWND push = Button(3, BS_PUSHBUTTON);
    SendMessageA(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(push, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(
        Commands(),
        (CommandList{
            {1, BN_CLICKED}, {1, BN_CLICKED}, {1, BN_CLICKED}, {1, BN_CLICKED}, {2, BN_CLICKED}}));
}

TEST_F(ButtonTest, AutoRadioUnchecksTheAutoRadiosOfItsGroupOnly) {
    HWND first = Button(1005, BS_AUTORADIOBUTTON | WS_GROUP, "a", {0, 0, 50, 20});
    HWND second = Button(1006, BS_AUTORADIOBUTTON, "b", {0, 20, 50, 40});
    HWND manual = Button(1007, BS_RADIOBUTTON, "c", {0, 40, 50, 60});
    HWND nextGroup = Button(1010, BS_AUTORADIOBUTTON | WS_GROUP, "d", {0, 60, 50, 80});
    SendMessageA(first, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(manual, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(nextGroup, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_NE(GetWindowLongA(first, GWL_STYLE) & WS_TABSTOP, 0);

    Click(second);
    EXPECT_EQ(SendMessageA(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(second, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(manual, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(nextGroup, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetWindowLongA(first, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_NE(GetWindowLongA(second, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(Commands(), (CommandList{{1006, BN_CLICKED}}));
}

TEST_F(ButtonTest, DialogHelpersSetAndReadChecksById) {
    Button(1053, BS_RADIOBUTTON, "x", {0, 0, 50, 20});
    Button(1054, BS_RADIOBUTTON, "y", {0, 20, 50, 40});
    Button(1056, BS_AUTOCHECKBOX, "z", {0, 40, 50, 60});
    EXPECT_TRUE(CheckRadioButton(parent_, 1053, 1056, 1054));
    EXPECT_EQ(IsDlgButtonChecked(parent_, 1053), 0u);
    EXPECT_EQ(IsDlgButtonChecked(parent_, 1054), 1u);
    EXPECT_EQ(IsDlgButtonChecked(parent_, 1056), 0u);
    EXPECT_TRUE(CheckDlgButton(parent_, 1056, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(parent_, 1056), 1u);
    EXPECT_TRUE(CheckRadioButton(parent_, 1053, 1054, 1053));
    EXPECT_EQ(IsDlgButtonChecked(parent_, 1053), 1u);
    EXPECT_EQ(IsDlgButtonChecked(parent_, 1054), 0u);
    EXPECT_EQ(IsDlgButtonChecked(parent_, 1056), 1u);
    EXPECT_FALSE(CheckDlgButton(parent_, 9999, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(parent_, 9999), 0u);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(ButtonTest, SpaceBarClicksOnReleaseAndLosingFocusCancels) {
    HWND button = Button(1, BS_DEFPUSHBUTTON);
    SetFocus(button);
    InjectKey(VK_SPACE, true);
    InjectKey(VK_SPACE, true);
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
    EXPECT_TRUE(Commands().empty());
    InjectKey(VK_SPACE, false);
    PumpUntilIdle();
    EXPECT_EQ(Commands(), (CommandList{{1, BN_CLICKED}}));

    Log().Clear();
    HWND other = Button(2, BS_PUSHBUTTON, "other", {0, 50, 50, 70});
    InjectKey(VK_SPACE, true);
    PumpUntilIdle();
    SetFocus(other);
    InjectKey(VK_SPACE, false);
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), 0);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(ButtonTest, DoubleClicksNotifyByTypeAndStyle) {
    HWND radio = Button(1, BS_RADIOBUTTON, "r", {0, 0, 50, 20});
    HWND plain = Button(2, BS_PUSHBUTTON, "p", {0, 30, 50, 50});
    HWND notifying = Button(3, BS_PUSHBUTTON | BS_NOTIFY, "n", {0, 60, 50, 80});
    for (HWND button : {radio, plain, notifying}) {
        Click(button);
        Click(button);
    }
    EXPECT_EQ(Commands(), (CommandList{{1, BN_CLICKED},
                                       {1, BN_DOUBLECLICKED},
                                       {2, BN_CLICKED},
                                       {2, BN_CLICKED},
                                       {3, BN_SETFOCUS},
                                       {3, BN_CLICKED},
                                       {3, BN_DOUBLECLICKED},
                                       {3, BN_CLICKED}}));
}

TEST_F(ButtonTest, FocusNotificationsNeedBsNotify) {
    HWND quiet = Button(1, BS_AUTOCHECKBOX, "q", {0, 0, 50, 20});
    HWND loud = Button(2, BS_AUTOCHECKBOX | BS_NOTIFY, "l", {0, 30, 50, 50});
    SetFocus(quiet);
    SetFocus(loud);
    SetFocus(quiet);
    EXPECT_EQ(Commands(), (CommandList{{2, BN_SETFOCUS}, {2, BN_KILLFOCUS}}));
    EXPECT_EQ(SendMessageA(quiet, BM_GETSTATE, 0, 0), BST_FOCUS);
}

TEST_F(ButtonTest, DialogCodesTellTheKindOfButton) {
    const auto code = [&](DWORD style) {
        return SendMessageA(Button(1, style), WM_GETDLGCODE, 0, 0);
    };
    EXPECT_EQ(code(BS_PUSHBUTTON), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(code(BS_DEFPUSHBUTTON), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(code(BS_AUTORADIOBUTTON), DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(code(BS_RADIOBUTTON), DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(code(BS_AUTOCHECKBOX), DLGC_BUTTON);
    EXPECT_EQ(code(BS_GROUPBOX), DLGC_STATIC);
    EXPECT_EQ(code(BS_OWNERDRAW), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);

    HWND button = Button(5, BS_PUSHBUTTON | BS_NOTIFY);
    SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE)),
              static_cast<DWORD>(WS_CHILD | WS_VISIBLE | BS_NOTIFY | BS_DEFPUSHBUTTON));
}

TEST_F(ButtonTest, OwnerDrawnButtonIsAskedToDrawEachChangeWithItsState) {
    RecordDrawing();
    HWND button = Button(1108, BS_OWNERDRAW, "progress", {0, 0, 100, 20});
    ASSERT_EQ(drawn_.size(), 1u);
    EXPECT_EQ(drawn_[0].action, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(drawn_[0].state, 0u);
    EXPECT_EQ(lastRect_.right, 100);
    EXPECT_EQ(lastRect_.bottom, 20);
    EXPECT_EQ(PixelAt(button, 50, 10), RGB(0, 160, 0));

    drawn_.clear();
    Click(button);
    ASSERT_EQ(drawn_.size(), 3u);
    EXPECT_EQ(drawn_[0].action, static_cast<UINT>(ODA_FOCUS));
    EXPECT_EQ(drawn_[0].state, static_cast<UINT>(ODS_FOCUS));
    EXPECT_EQ(drawn_[1].action, static_cast<UINT>(ODA_SELECT));
    EXPECT_EQ(drawn_[1].state, static_cast<UINT>(ODS_SELECTED | ODS_FOCUS));
    EXPECT_EQ(drawn_[2].action, static_cast<UINT>(ODA_SELECT));
    EXPECT_EQ(drawn_[2].state, static_cast<UINT>(ODS_FOCUS));
    EXPECT_EQ(Commands(), (CommandList{{1108, BN_CLICKED}}));

    drawn_.clear();
    SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EnableWindow(button, FALSE);
    PumpUntilIdle();
    ASSERT_FALSE(drawn_.empty());
    EXPECT_EQ(drawn_.back().action, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(drawn_.back().state, static_cast<UINT>(ODS_DISABLED | ODS_DEFAULT));
}

TEST_F(ButtonTest, ImagesAreKeptPerKind) {
    HWND button = Button(1, BS_PUSHBUTTON | BS_BITMAP);
    HBITMAP first = CreateBitmap(4, 4, 1, 32, nullptr);
    HBITMAP second = CreateBitmap(4, 4, 1, 32, nullptr);
    EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
    EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(second)),
              reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(second));
    EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0), 0);
    PumpUntilIdle();
    DestroyWindow(button);
    DeleteObject(first);
    DeleteObject(second);
}

TEST_F(ButtonTest, PushButtonIsRaisedAndSinksWhilePressed) {
    HWND button = Button(1, BS_PUSHBUTTON, "OK", {10, 10, 90, 40});
    EXPECT_EQ(PixelAt(button, 0, 0), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(PixelAt(button, 79, 29), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(PixelAt(button, 78, 28), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelAt(button, 5, 15), GetSysColor(COLOR_BTNFACE));
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    PumpUntilIdle();
    EXPECT_EQ(PixelAt(button, 0, 0), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(PixelAt(button, 79, 29), GetSysColor(COLOR_3DHIGHLIGHT));

    HWND defaultButton = Button(2, BS_DEFPUSHBUTTON, "OK", {10, 50, 90, 80});
    EXPECT_EQ(PixelAt(defaultButton, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(PixelAt(defaultButton, 1, 1), GetSysColor(COLOR_3DHIGHLIGHT));
}

TEST_F(ButtonTest, CheckBoxUsesTheParentsStaticColoursAndDrawsItsMark) {
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    Log().Answer(WM_CTLCOLORSTATIC, [blue](HWND, WPARAM, LPARAM) -> LRESULT {
        return reinterpret_cast<LRESULT>(blue);
    });
    HWND box = Button(1, BS_AUTOCHECKBOX, "", {0, 0, 100, 13});
    const auto asked = Log().Of(WM_CTLCOLORSTATIC);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(reinterpret_cast<HWND>(asked.back().lParam), box);
    EXPECT_TRUE(Log().Of(WM_CTLCOLORBTN).empty());
    EXPECT_EQ(PixelAt(box, 60, 6), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(box, 0, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelAt(box, 12, 12), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(PixelAt(box, 5, 6), GetSysColor(COLOR_WINDOW));
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    PumpUntilIdle();
    EXPECT_EQ(PixelAt(box, 5, 6), GetSysColor(COLOR_WINDOWTEXT));
    DestroyWindow(box);
    DeleteObject(blue);
}

TEST_F(ButtonTest, PushLikeCheckSinksWhenCheckedAndLeftTextPutsTheBoxRight) {
    HWND pushLike = Button(1, BS_AUTOCHECKBOX | BS_PUSHLIKE, "Toggle", {0, 0, 80, 24});
    EXPECT_EQ(PixelAt(pushLike, 0, 0), GetSysColor(COLOR_3DHIGHLIGHT));
    Click(pushLike);
    EXPECT_EQ(SendMessageA(pushLike, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(PixelAt(pushLike, 0, 0), GetSysColor(COLOR_3DDKSHADOW));

    HWND right = Button(2, BS_AUTOCHECKBOX | BS_LEFTTEXT, "", {0, 30, 100, 43});
    EXPECT_EQ(PixelAt(right, 87, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelAt(right, 0, 0), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ButtonTest, DialogOfButtonsStaticsAndEditsLooksLikeAnOrdinaryDialog) {
    RegisterStaticClass();
    RegisterEditClass();
    WNDCLASSA face{};
    face.lpfnWndProc = testing::RecordingProcedure;
    face.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    face.lpszClassName = "Face";
    ASSERT_NE(RegisterClassA(&face), 0);
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, "Face", "\xBF\xD8\xBC\xFE",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 360,
                                  260, nullptr, nullptr, nullptr, nullptr);
    struct Control {
        const char* className;
        const char* text;
        DWORD style;
        RECT rect;
        DWORD exStyle;
    };
    const Control controls[] = {
        {"Button", "&Check", BS_AUTOCHECKBOX | WS_GROUP, {20, 25, 160, 45}, 0},
        {"Button", "Three state", BS_AUTO3STATE, {20, 50, 160, 70}, 0},
        {"Button", "Radio &one", BS_AUTORADIOBUTTON | WS_GROUP, {20, 75, 160, 95}, 0},
        {"Button", "Radio two", BS_AUTORADIOBUTTON, {20, 98, 160, 118}, 0},
        // Siblings above clip the ones below on this screen, so the frame comes after what it
        // frames.
        {"Button", "\xD1\xA1\xCF\xEE", BS_GROUPBOX, {10, 5, 170, 125}, 0},
        {"Static", "\xD3\xC3\xBB\xA7\xC3\xFB:", SS_LEFT, {185, 10, 340, 26}, 0},
        {"Edit",
         "Selected text",
         ES_AUTOHSCROLL | ES_NOHIDESEL,
         {185, 28, 340, 50},
         WS_EX_CLIENTEDGE},
        {"Edit", "secret", ES_AUTOHSCROLL | ES_PASSWORD, {185, 56, 340, 78}, WS_EX_CLIENTEDGE},
        {"Edit",
         "First line\r\nsecond line wraps at the edge of the box",
         ES_MULTILINE | WS_VSCROLL,
         {185, 84, 340, 150},
         WS_EX_CLIENTEDGE},
        {"Static", "", SS_ETCHEDHORZ, {10, 160, 340, 162}, 0},
        {"Button", "OK", BS_DEFPUSHBUTTON | WS_GROUP, {100, 180, 175, 205}, 0},
        {"Button", "Cancel", BS_PUSHBUTTON, {185, 180, 260, 205}, 0},
        {"Button", "Disabled", BS_PUSHBUTTON | WS_DISABLED, {270, 180, 340, 205}, 0},
    };
    int id = 1000;
    for (const Control& control : controls) {
        CreateWindowExA(control.exStyle, control.className, control.text,
                        WS_CHILD | WS_VISIBLE | control.style, control.rect.left, control.rect.top,
                        control.rect.right - control.rect.left,
                        control.rect.bottom - control.rect.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), nullptr, nullptr);
    }
    CheckDlgButton(dialog, 1000, BST_CHECKED);
    CheckDlgButton(dialog, 1001, BST_INDETERMINATE);
    CheckRadioButton(dialog, 1002, 1003, 1003);
    SendDlgItemMessageA(dialog, 1006, EM_SETSEL, 0, 8);
    PumpUntilIdle();

    const std::filesystem::path folder = PROJECT_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(WriteWindowPng(dialog, folder / "buttons-statics-edits.png"));
    HWND ok = GetDlgItem(dialog, 1010);
    EXPECT_EQ(PixelAt(ok, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(PixelAt(GetDlgItem(dialog, 1006), 3, 0), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(PixelAt(GetDlgItem(dialog, 1000), 5, 10), GetSysColor(COLOR_WINDOWTEXT));
}

}  // namespace
}  // namespace platform
