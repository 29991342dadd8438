#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/dialogs/DialogTest.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/Surface.h"
#include "platform/screen/ScreenApi.h"

namespace platform::testing {
namespace {

RECT WindowRectOf(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

RECT ClientRectInDialog(HWND control) {
    RECT rect = WindowRectOf(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectRect(const RECT& rect, int left, int top, int right, int bottom) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

using DialogBuilderTest = DialogTest;

// 宋体 9 pt has base units of 6 x 12: a horizontal unit is 1.5 pixels, a vertical one 1.5 too,
// halves rounded away from zero, and x, y, width and height are converted each on its own.
TEST_F(DialogBuilderTest, ConvertsTemplateUnitsWithTheDialogFont) {
    DialogTemplate dialog = TestDialog(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_ABSALIGN);
    dialog.x = 10;
    dialog.y = 20;
    dialog.controls.push_back(ChildControl("Button", "确定", IDOK, WS_TABSTOP, 7, 7, 50, 14));
    dialog.controls.push_back(ChildControl("Edit", "", 1001, WS_TABSTOP, 3, 5, 33, 11));
    HWND hwnd = Create(dialog);
    ASSERT_NE(hwnd, nullptr);

    RECT client{};
    GetClientRect(hwnd, &client);
    ExpectRect(client, 0, 0, 300, 150);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ(origin.x, 15);
    EXPECT_EQ(origin.y, 30);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

    ExpectRect(ClientRectInDialog(GetDlgItem(hwnd, IDOK)), 11, 11, 86, 32);
    // 3 x 1.5 = 4.5 -> 5; 33 x 1.5 = 49.5 -> 50; 5 x 1.5 = 7.5 -> 8; 11 x 1.5 = 16.5 -> 17.
    ExpectRect(ClientRectInDialog(GetDlgItem(hwnd, 1001)), 5, 8, 55, 25);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(hwnd, 1001), GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY);

    RECT units{4, 8, 9, 16};
    ASSERT_TRUE(MapDialogRect(hwnd, &units));
    ExpectRect(units, 6, 12, 14, 24);
    RECT notDialog{1, 1, 1, 1};
    EXPECT_FALSE(MapDialogRect(GetDlgItem(hwnd, IDOK), &notDialog));
}

TEST_F(DialogBuilderTest, MakesTheTemplateFontAndGivesItToEveryControl) {
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(ChildControl("Static", "名称:", 0xFFFF, 0, 5, 5, 30, 10));
    dialog.controls.push_back(ChildControl("Edit", "", 1001, WS_TABSTOP, 40, 5, 60, 12));
    HWND hwnd = Create(dialog);
    ASSERT_NE(hwnd, nullptr);

    auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA log{};
    ASSERT_EQ(GetObjectA(font, sizeof log, &log), static_cast<int>(sizeof log));
    EXPECT_EQ(log.lfHeight, -12);
    EXPECT_STREQ(log.lfFaceName, "宋体");
    EXPECT_EQ(log.lfCharSet, 134);

    const auto fonts = DialogEvents::Of(WM_SETFONT);
    ASSERT_EQ(fonts.size(), 3u);
    EXPECT_EQ(fonts[0].hwnd, hwnd);
    EXPECT_EQ(fonts[1].hwnd, GetDlgItem(hwnd, 0xFFFF));
    EXPECT_EQ(fonts[2].hwnd, GetDlgItem(hwnd, 1001));
    for (const DialogEvent& event : fonts) {
        EXPECT_EQ(reinterpret_cast<HFONT>(event.wParam), font);
    }
}

TEST_F(DialogBuilderTest, WithoutAFontTheSystemFontDecidesAndNoControlIsTold) {
    DialogTemplate dialog = TestDialog(WS_POPUP);
    dialog.style &= ~DS_SETFONT;
    dialog.hasFont = false;
    dialog.controls.push_back(ChildControl("Edit", "", 1001, WS_TABSTOP, 4, 8, 4, 8));
    HWND hwnd = Create(dialog);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(DialogEvents::Of(WM_SETFONT).empty());
    const LONG base = GetDialogBaseUnits();
    RECT rect = ClientRectInDialog(GetDlgItem(hwnd, 1001));
    EXPECT_EQ(rect.left, LOWORD(base));
    EXPECT_EQ(rect.top, HIWORD(base));
}

TEST_F(DialogBuilderTest, FillsCombosFromTheInitialItemsBeforeInitDialog) {
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(ChildControl("ComboBox", "", 1018, WS_TABSTOP, 5, 5, 60, 40));
    const std::vector<DialogInitEntry> items{
        {1018, kDialogInitComboBoxAddString, std::string("秒") + '\0'},
        {1018, kDialogInitComboBoxAddString, std::string("分钟") + '\0'},
        {4242, kDialogInitComboBoxAddString, std::string("nobody") + '\0'},
        {1018, kDialogInitComboBoxAddString, "cut short"},
    };
    HWND hwnd = Create(dialog, nullptr, 0, items);
    ASSERT_NE(hwnd, nullptr);

    std::vector<std::string> added;
    size_t initIndex = 0;
    size_t lastAdd = 0;
    const auto& all = DialogEvents::All();
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].message == 0x0143) {
            EXPECT_EQ(all[i].hwnd, GetDlgItem(hwnd, 1018));
            added.push_back(all[i].text);
            lastAdd = i;
        } else if (all[i].message == WM_INITDIALOG) {
            initIndex = i;
        }
    }
    EXPECT_EQ(added, (std::vector<std::string>{"秒", "分钟", "cut short"}));
    EXPECT_GT(initIndex, lastAdd);
}

TEST_F(DialogBuilderTest, InitDialogGetsTheFirstTabStopAndTheParameter) {
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(ChildControl("Static", "label", 0xFFFF, 0, 0, 0, 10, 10));
    dialog.controls.push_back(
        ChildControl("Button", "off", 1000, WS_TABSTOP | WS_DISABLED, 0, 10, 10, 10));
    dialog.controls.push_back(ChildControl("Edit", "", 1001, WS_TABSTOP, 0, 20, 10, 10));
    dialog.controls.push_back(ChildControl("Edit", "", 1002, WS_TABSTOP, 0, 30, 10, 10));
    dialog.style |= WS_VISIBLE;
    HWND hwnd = Create(dialog, nullptr, 0x5150);
    ASSERT_NE(hwnd, nullptr);

    const auto inits = DialogEvents::Of(WM_INITDIALOG);
    ASSERT_EQ(inits.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(inits[0].wParam), GetDlgItem(hwnd, 1001));
    EXPECT_EQ(inits[0].lParam, 0x5150);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1001));
    // The edit that took the focus had its text selected.
    const auto selections = DialogEvents::Of(0x00B1);
    ASSERT_FALSE(selections.empty());
    EXPECT_EQ(selections.back().hwnd, GetDlgItem(hwnd, 1001));
    EXPECT_EQ(selections.back().lParam, -1);
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST_F(DialogBuilderTest, InitDialogReturningFalseKeepsTheFocusTheProcedureChose) {
    DialogTemplate dialog = TestDialog();
    dialog.style |= WS_VISIBLE;
    dialog.controls.push_back(ChildControl("Edit", "", 1001, WS_TABSTOP, 0, 0, 10, 10));
    dialog.controls.push_back(ChildControl("Edit", "", 1002, WS_TABSTOP, 0, 20, 10, 10));
    DialogScript::Get().initAnswer = FALSE;
    DialogScript::Get().onInit = [](HWND hwnd) { SetFocus(GetDlgItem(hwnd, 1002)); };
    HWND hwnd = Create(dialog);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1002));
}

TEST_F(DialogBuilderTest, HiddenTemplatesStayHiddenAndHiddenControlsExist) {
    DialogTemplate dialog = TestDialog();
    DialogControl hidden = ChildControl("Button", "ok", IDOK, WS_TABSTOP, 0, 0, 10, 10);
    hidden.style &= ~WS_VISIBLE;
    dialog.controls.push_back(hidden);
    HWND hwnd = Create(dialog);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    HWND ok = GetDlgItem(hwnd, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(GetWindowLongA(ok, GWL_STYLE) & WS_VISIBLE);
}

// Edit-like controls trade the template's flat border for the sunken edge (the client area loses
// two pixels on each side instead of one); anything else keeps the flat border.
TEST_F(DialogBuilderTest, BorderedEditLikeControlsGetTheSunkenEdge) {
    Register("SysListView32", TestStaticProcedure);
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(ChildControl("Edit", "", 1001, WS_BORDER | WS_TABSTOP, 0, 0, 40, 20));
    dialog.controls.push_back(ChildControl("EDIT", "", 1002, WS_TABSTOP, 0, 30, 40, 20));
    dialog.controls.push_back(ChildControl("sysListView32", "", 1003, WS_BORDER, 50, 0, 40, 20));
    dialog.controls.push_back(ChildControl("Static", "", 1004, WS_BORDER, 50, 30, 40, 20));
    dialog.controls.push_back(ChildControl("Button", "", 1005, WS_BORDER, 0, 60, 40, 20));
    HWND hwnd = Create(dialog);
    ASSERT_NE(hwnd, nullptr);

    const auto style = [&](int id) { return GetWindowLongA(GetDlgItem(hwnd, id), GWL_STYLE); };
    const auto exStyle = [&](int id) { return GetWindowLongA(GetDlgItem(hwnd, id), GWL_EXSTYLE); };
    for (int id : {1001, 1003}) {
        EXPECT_FALSE(style(id) & WS_BORDER) << id;
        EXPECT_TRUE(exStyle(id) & WS_EX_CLIENTEDGE) << id;
        EXPECT_TRUE(exStyle(id) & WS_EX_NOPARENTNOTIFY) << id;
    }
    EXPECT_FALSE(exStyle(1002) & WS_EX_CLIENTEDGE);
    for (int id : {1004, 1005}) {
        EXPECT_TRUE(style(id) & WS_BORDER) << id;
        EXPECT_FALSE(exStyle(id) & WS_EX_CLIENTEDGE) << id;
    }

    // 40 x 20 units are 60 x 30 pixels.
    RECT client{};
    GetClientRect(GetDlgItem(hwnd, 1001), &client);
    ExpectRect(client, 0, 0, 56, 26);
    GetClientRect(GetDlgItem(hwnd, 1004), &client);
    ExpectRect(client, 0, 0, 58, 28);
    ExpectRect(ClientRectInDialog(GetDlgItem(hwnd, 1001)), 0, 0, 60, 30);
}

// A caption with WS_SYSMENU ends in a raised 16 x 14 close box with a black cross; a press that
// starts elsewhere on the caption drags the dialog and does not close it where it ends.
TEST_F(DialogBuilderTest, ASystemMenuGivesTheCaptionACloseBox) {
    InstallScreen();
    DialogTemplate dialog =
        TestDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE | DS_ABSALIGN);
    dialog.x = 20;
    dialog.y = 20;
    HWND hwnd = Create(dialog);
    ASSERT_NE(hwnd, nullptr);
    PumpUntilIdle();

    const RECT frame = WindowRectOf(hwnd);
    const int width = frame.right - frame.left;
    // The caption bar runs from 3 to 21; the box from x = width - 21 to width - 5, y 5 to 19.
    const RECT box{width - 21, 5, width - 5, 19};
    const auto hit = [&](int x, int y) {
        return SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(frame.left + x, frame.top + y));
    };
    EXPECT_EQ(hit(box.left, box.top), HTCLOSE);
    EXPECT_EQ(hit(box.right - 1, box.bottom - 1), HTCLOSE);
    EXPECT_EQ(hit(box.left - 1, box.top), HTCAPTION);
    EXPECT_EQ(hit(box.left, box.bottom), HTCAPTION);

    const Surface shot = CaptureWindow(hwnd);
    const auto color = [&](int x, int y) { return ColorFromPixel(shot.At(x, y)); };
    EXPECT_EQ(color(box.left, box.top), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(color(box.right - 1, box.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(color(box.left + 2, box.top + 2), GetSysColor(COLOR_BTNFACE));
    // The cross: a 7-pixel square from (4, 3) inside the box, strokes two pixels wide.
    for (int step = 0; step < 7; ++step) {
        EXPECT_EQ(color(box.left + 4 + step, box.top + 3 + step), GetSysColor(COLOR_BTNTEXT));
        EXPECT_EQ(color(box.left + 5 + step, box.top + 3 + step), GetSysColor(COLOR_BTNTEXT));
        EXPECT_EQ(color(box.left + 10 - step, box.top + 3 + step), GetSysColor(COLOR_BTNTEXT));
    }
    EXPECT_EQ(color(box.left + 4, box.top + 4), GetSysColor(COLOR_BTNFACE));

    const POINT onBox{frame.left + box.left + 8, frame.top + box.top + 7};
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{frame.left + 40, frame.top + 10});
    InjectMouse(MOUSEEVENTF_MOVE, onBox);
    InjectMouse(MOUSEEVENTF_LEFTUP, onBox);
    PumpUntilIdle();
    EXPECT_TRUE(DialogEvents::Commands().empty());
    // That press on the caption dragged the dialog along.
    const RECT moved = WindowRectOf(hwnd);
    EXPECT_EQ(moved.left - frame.left, onBox.x - (frame.left + 40));
    EXPECT_EQ(moved.top - frame.top, onBox.y - (frame.top + 10));
    const POINT onMovedBox{moved.left + box.left + 8, moved.top + box.top + 7};
    InjectMouse(MOUSEEVENTF_LEFTDOWN, onMovedBox);
    InjectMouse(MOUSEEVENTF_LEFTUP, onMovedBox);
    PumpUntilIdle();
    EXPECT_EQ(DialogEvents::Commands(), std::vector<int>{IDCANCEL});
}

TEST_F(DialogBuilderTest, ACaptionWithoutASystemMenuHasNoCloseBox) {
    DialogTemplate dialog = TestDialog(WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE);
    HWND hwnd = Create(dialog);
    ASSERT_NE(hwnd, nullptr);
    const RECT frame = WindowRectOf(hwnd);
    EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(frame.right - 13, frame.top + 12)),
              HTCAPTION);
}

TEST_F(DialogBuilderTest, PicturesGivenByNumberArriveAsNumberedNames) {
    DialogTemplate dialog = TestDialog();
    DialogControl icon = ChildControl("Static", "", 1003, 0x3, 0, 0, 20, 20);
    icon.textResourceId = 128;
    dialog.controls.push_back(icon);
    HWND hwnd = Create(dialog);
    ASSERT_NE(hwnd, nullptr);
    char text[16] = {};
    GetWindowTextA(GetDlgItem(hwnd, 1003), text, sizeof text);
    EXPECT_STREQ(text, "#128");
}

TEST_F(DialogBuilderTest, AnUnknownClassFailsTheDialogUnlessToldOtherwise) {
    DialogTemplate dialog = TestDialog();
    dialog.caption = "with browser";
    dialog.controls.push_back(ChildControl("Edit", "", 1000, WS_TABSTOP, 0, 0, 10, 10));
    dialog.controls.push_back(
        ChildControl("{8856F961-340A-11D0-A96B-00C04FD705A2}", "", 1001, 0, 10, 20, 100, 50));
    SetLastError(0);
    EXPECT_EQ(Create(dialog), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(FindWindowA(nullptr, "with browser"), nullptr);
    EXPECT_TRUE(DialogEvents::Of(WM_INITDIALOG).empty());
    EXPECT_EQ(DialogBoxFromTemplate(nullptr, dialog, {}, nullptr, RecordingDialogProcedure, 0), -1);

    dialog.style |= DS_NOFAILCREATE;
    HWND hwnd = Create(dialog);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_NE(GetDlgItem(hwnd, 1000), nullptr);
    EXPECT_EQ(GetDlgItem(hwnd, 1001), nullptr);
}

TEST_F(DialogBuilderTest, TheFactoryMakesControlsOfUnknownClasses) {
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(
        ChildControl("{8856F961-340A-11D0-A96B-00C04FD705A2}", "", 1001, 0, 10, 20, 100, 50));
    std::vector<std::string> asked;
    RECT place{};
    SetDialogControlFactory([&](HWND dialogWindow, const DialogControl& control, const RECT& at) {
        asked.push_back(control.className);
        place = at;
        return CreateWindowExA(0, "Static", "site", WS_CHILD | WS_VISIBLE, at.left, at.top,
                               at.right - at.left, at.bottom - at.top, dialogWindow,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), nullptr,
                               nullptr);
    });
    HWND hwnd = Create(dialog);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(asked, std::vector<std::string>{"{8856F961-340A-11D0-A96B-00C04FD705A2}"});
    ExpectRect(place, 15, 30, 165, 105);
    HWND site = GetDlgItem(hwnd, 1001);
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(DialogEvents::Of(WM_SETFONT).back().hwnd, site);

    SetDialogControlFactory([](HWND, const DialogControl&, const RECT&) { return HWND{}; });
    EXPECT_EQ(Create(dialog), nullptr);
}

TEST_F(DialogBuilderTest, PlacesPopupsByOwnerOrCentreAndChildrenInTheParent) {
    HWND owner = Helper({100, 80, 700, 580});
    POINT ownerClient{0, 0};
    ClientToScreen(owner, &ownerClient);

    DialogTemplate popup = TestDialog(WS_POPUP);
    popup.x = 20;
    popup.y = 10;
    HWND placed = Create(popup, owner);
    RECT rect = WindowRectOf(placed);
    EXPECT_EQ(rect.left, ownerClient.x + 30);
    EXPECT_EQ(rect.top, ownerClient.y + 15);
    EXPECT_EQ(GetWindow(placed, GW_OWNER), owner);

    DialogTemplate centred = TestDialog(WS_POPUP | DS_CENTER);
    rect = WindowRectOf(Create(centred, owner));
    EXPECT_EQ(rect.left, (1024 - 300) / 2);
    EXPECT_EQ(rect.top, (768 - 150) / 2);

    DialogTemplate offscreen = TestDialog(WS_POPUP | DS_ABSALIGN);
    offscreen.x = 600;
    offscreen.y = 500;
    rect = WindowRectOf(Create(offscreen));
    EXPECT_EQ(rect.right, 1024);
    EXPECT_EQ(rect.bottom, 768);

    DialogTemplate page = TestDialog(WS_CHILD | WS_VISIBLE);
    page.x = 4;
    page.y = 8;
    HWND child = Create(page, owner);
    EXPECT_EQ(GetParent(child), owner);
    ExpectRect(ClientRectInDialog(child), 6, 12, 306, 162);
    EXPECT_TRUE(IsWindowVisible(child));
}

TEST_F(DialogBuilderTest, ControlDialogsLoseTheirCaptionAndHoldControls) {
    HWND owner = Helper();
    HWND hwnd = Create(TestDialog(WS_CHILD | WS_CAPTION | WS_SYSMENU | DS_CONTROL), owner);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU), 0);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
}

TEST_F(DialogBuilderTest, TheDialogClassIsRegisteredUnderItsSystemName) {
    RegisterDialogClass();
    HWND hwnd = CreateWindowExA(0, "#32770", "plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    EXPECT_STREQ(name, "#32770");
    // Without a record it is no dialog to EndDialog.
    EXPECT_FALSE(EndDialog(hwnd, 1));
}

TEST_F(DialogBuilderTest, APrivateDialogClassServesAsTheDialogWindow) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefDlgProcA;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.lpszClassName = "PrivateDialog";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    DialogTemplate dialog = TestDialog();
    dialog.className = "PrivateDialog";
    HWND hwnd = Create(dialog, nullptr, 99);
    ASSERT_NE(hwnd, nullptr);
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    EXPECT_STREQ(name, "PrivateDialog");
    ASSERT_EQ(DialogEvents::Of(WM_INITDIALOG).size(), 1u);
    EXPECT_EQ(DialogEvents::Of(WM_INITDIALOG)[0].lParam, 99);
}

}  // namespace
}  // namespace platform::testing
