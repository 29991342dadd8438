#include <gtest/gtest.h>

#include "platform/dialogs/DialogTest.h"
#include "platform/drawing/Gdi.h"
#include "platform/resources/ResourceApi.h"
#include "platform/screen/ScreenApi.h"

namespace platform::testing {
namespace {

using DialogRunsTest = DialogTest;

DialogTemplate OkCancelDialog(const char* caption = "modal") {
    DialogTemplate dialog = TestDialog();
    dialog.caption = caption;
    dialog.controls.push_back(ChildControl("Edit", "", 1001, WS_TABSTOP, 0, 0, 50, 12));
    dialog.controls.push_back(ChildControl("Button", "确定", IDOK, WS_TABSTOP, 0, 20, 50, 12));
    dialog.controls.push_back(ChildControl("Button", "取消", IDCANCEL, WS_TABSTOP, 60, 20, 50, 12));
    return dialog;
}

INT_PTR RunModal(const DialogTemplate& dialog, HWND owner, LPARAM param = 0) {
    return DialogBoxFromTemplate(nullptr, dialog, {}, owner, RecordingDialogProcedure, param);
}

TEST_F(DialogRunsTest, ModalRunReturnsTheEndDialogValueWithTheOwnerDisabled) {
    HWND owner = Helper();
    HWND seen = nullptr;
    bool ownerEnabledInside = true;
    DialogScript::Get().onInit = [](HWND hwnd) { PostMessageA(hwnd, WM_APP, 0, 0); };
    DialogScript::Get().handlers[WM_APP] = [&](HWND hwnd, WPARAM, LPARAM) {
        seen = hwnd;
        ownerEnabledInside = IsWindowEnabled(owner) != FALSE;
        EXPECT_TRUE(IsWindowVisible(hwnd));
        EXPECT_EQ(GetWindow(hwnd, GW_OWNER), owner);
        EXPECT_TRUE(EndDialog(hwnd, 42));
        EXPECT_FALSE(IsWindowVisible(hwnd));
    };
    EXPECT_EQ(RunModal(OkCancelDialog(), owner), 42);
    ASSERT_NE(seen, nullptr);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(seen));
}

TEST_F(DialogRunsTest, TheKeyboardInterfaceWorksInsideTheModalLoop) {
    HWND owner = Helper();
    DialogScript::Get().onInit = [](HWND hwnd) { PostMessageA(hwnd, WM_APP, 0, 0); };
    DialogScript::Get().handlers[WM_APP] = [](HWND, WPARAM, LPARAM) {
        InjectKey(VK_TAB, true);
        InjectKey(VK_TAB, false);
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    };
    // Tab moves from the edit to OK; Enter on the focused OK ends the dialog with IDOK.
    EXPECT_EQ(RunModal(OkCancelDialog(), owner), IDOK);
    EXPECT_EQ(DialogEvents::Commands(), std::vector<int>{IDOK});

    DialogEvents::All().clear();
    DialogScript::Get().handlers[WM_APP] = [](HWND, WPARAM, LPARAM) {
        InjectKey(VK_ESCAPE, true);
        InjectKey(VK_ESCAPE, false);
    };
    EXPECT_EQ(RunModal(OkCancelDialog(), owner), IDCANCEL);
    EXPECT_EQ(DialogEvents::Commands(), std::vector<int>{IDCANCEL});
}

TEST_F(DialogRunsTest, NestedModalRunsEndInnerFirst) {
    HWND owner = Helper();
    std::vector<std::string> order;
    HWND outer = nullptr;
    bool outerEnabledDuringInner = true;
    DialogScript::Get().onInit = [](HWND hwnd) { PostMessageA(hwnd, WM_APP, 0, 0); };
    DialogScript::Get().handlers[WM_APP] = [&](HWND hwnd, WPARAM, LPARAM) {
        char caption[32] = {};
        GetWindowTextA(hwnd, caption, sizeof caption);
        order.push_back(caption);
        if (std::string(caption) == "outer") {
            outer = hwnd;
            const INT_PTR inner = RunModal(OkCancelDialog("inner"), hwnd);
            order.push_back("inner gave " + std::to_string(inner));
            EXPECT_TRUE(IsWindowEnabled(hwnd));
            EndDialog(hwnd, inner + 1);
        } else {
            EXPECT_EQ(GetWindow(hwnd, GW_OWNER), outer);
            outerEnabledDuringInner = IsWindowEnabled(outer) != FALSE;
            EXPECT_FALSE(IsWindowEnabled(owner));
            EndDialog(hwnd, 7);
        }
    };
    EXPECT_EQ(RunModal(OkCancelDialog("outer"), owner), 8);
    EXPECT_EQ(order, (std::vector<std::string>{"outer", "inner", "inner gave 7"}));
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogRunsTest, EndingDuringInitNeverShowsTheDialog) {
    bool shown = false;
    DialogScript::Get().onInit = [&](HWND hwnd) { EndDialog(hwnd, 3); };
    DialogScript::Get().handlers[WM_SHOWWINDOW] = [&](HWND, WPARAM show, LPARAM) {
        shown = shown || show != 0;
    };
    EXPECT_EQ(RunModal(OkCancelDialog(), nullptr), 3);
    EXPECT_FALSE(shown);
}

TEST_F(DialogRunsTest, AQuitMessageEndsTheRunAndStaysForTheOuterLoop) {
    DialogScript::Get().onInit = [](HWND) { PostQuitMessage(5); };
    EXPECT_EQ(RunModal(OkCancelDialog(), nullptr), -1);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(DialogRunsTest, MissingResourcesFail) {
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCE(9999), nullptr, RecordingDialogProcedure, 0),
              -1);
    EXPECT_EQ(
        CreateDialogParamA(nullptr, MAKEINTRESOURCE(9999), nullptr, RecordingDialogProcedure, 0),
        nullptr);
    EXPECT_EQ(RunModalDialog(Helper(), nullptr), -1);
}

TEST_F(DialogRunsTest, ModelessEndDialogOnlyHides) {
    DialogTemplate dialog = OkCancelDialog();
    dialog.style |= WS_VISIBLE;
    HWND hwnd = Create(dialog);
    ASSERT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(EndDialog(hwnd, 9));
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    // Its controls still answer.
    EXPECT_TRUE(SetDlgItemTextA(hwnd, 1001, "still here"));
    EXPECT_FALSE(EndDialog(Helper(), 1));
}

TEST_F(DialogRunsTest, ClosingIsTheCancelButtonUnlessItIsDisabled) {
    DialogScript::Get().endOnOkCancel = false;
    HWND hwnd = Create(OkCancelDialog());
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    auto commands = DialogEvents::Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(IDCANCEL, 0));
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), GetDlgItem(hwnd, IDCANCEL));
    EXPECT_TRUE(IsWindow(hwnd));

    EnableWindow(GetDlgItem(hwnd, IDCANCEL), FALSE);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(DialogEvents::Of(WM_COMMAND).size(), 1u);
}

TEST_F(DialogRunsTest, FocusComesBackToTheLastControlOnActivation) {
    DialogTemplate dialog = OkCancelDialog();
    dialog.style |= WS_VISIBLE;
    HWND hwnd = Create(dialog);
    SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, IDCANCEL)), TRUE);
    HWND other = Helper();
    SetActiveWindow(other);
    EXPECT_EQ(GetFocus(), other);
    SetActiveWindow(hwnd);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, IDCANCEL));
    // Focus given to the dialog itself passes on to that control too.
    SetFocus(hwnd);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, IDCANCEL));

    DialogTemplate empty = TestDialog(WS_POPUP | WS_VISIBLE);
    HWND bare = Create(empty);
    EXPECT_EQ(GetFocus(), bare);
}

TEST_F(DialogRunsTest, HandledMessagesAnswerThroughTheResultSlot) {
    HWND hwnd = Create(OkCancelDialog());
    DialogScript::Get().handlers[WM_APP + 1] = [](HWND dialog, WPARAM, LPARAM) {
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 77);
    };
    EXPECT_EQ(SendMessageA(hwnd, WM_APP + 1, 0, 0), 77);
    // Unhandled, the slot is not read.
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 55);
    EXPECT_EQ(SendMessageA(hwnd, WM_APP + 2, 0, 0), 0);

    SetWindowLongPtrA(hwnd, DWLP_USER, 0x1234);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, DWLP_USER), 0x1234);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, DWLP_DLGPROC),
              reinterpret_cast<LONG_PTR>(RecordingDialogProcedure));
}

TEST_F(DialogRunsTest, TheBackgroundIsTheDialogColourUnlessTheProcedureGivesABrush) {
    InstallScreen();
    DialogTemplate dialog = TestDialog(WS_POPUP | WS_VISIBLE | DS_ABSALIGN);
    dialog.x = 10;
    dialog.y = 10;
    HWND hwnd = Create(dialog);
    PumpUntilIdle();
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    Surface screen = CaptureScreen();
    EXPECT_EQ(ColorFromPixel(screen.At(origin.x + 5, origin.y + 5)), GetSysColor(COLOR_3DFACE));
    DestroyWindow(hwnd);

    DialogScript::Get().handlers.clear();
    HWND painted = CreateDialogFromTemplate(
        nullptr, dialog, {}, nullptr,
        [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
            return message == WM_CTLCOLORDLG
                       ? reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH))
                       : FALSE;
        },
        0);
    ASSERT_NE(painted, nullptr);
    PumpUntilIdle();
    screen = CaptureScreen();
    EXPECT_EQ(ColorFromPixel(screen.At(origin.x + 5, origin.y + 5)), RGB(255, 255, 255));
}

}  // namespace
}  // namespace platform::testing
