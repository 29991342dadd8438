// The tray companion's dialogs built as windows from the compiled resources with the real
// controls: pixel sizes in the dialog font, the snooze list filled from the initial items, hidden
// controls not shown, and the result dialog's buttons above the line the description is drawn on.
#include <gtest/gtest.h>

#include <string>

#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlClasses.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/resources/ResourceApi.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/dvtp/resource.h"

namespace platform {
namespace {

INT_PTR CALLBACK PassiveProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

class DvtpDialogWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        RegisterControlClasses();
    }
    void TearDown() override { ResetWindowSystemForTesting(); }

    static HWND Build(int id, HWND parent = nullptr) {
        HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCE(id), parent, PassiveProcedure, 0);
        EXPECT_NE(dialog, nullptr) << id;
        return dialog;
    }

    static SIZE ClientSize(HWND hwnd) {
        RECT rect{};
        GetClientRect(hwnd, &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }

    static RECT RectInParent(HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
};

// One dialog unit is 1.5 pixels each way in 9-point 宋体, halves rounded away from zero.
TEST_F(DvtpDialogWindowsTest, ReminderPopupHasNoFrameAndAFilledSnoozeList) {
    HWND popup = Build(IDD_REMINDER_POPUP);
    ASSERT_NE(popup, nullptr);
    SIZE client = ClientSize(popup);
    EXPECT_EQ(client.cx, 191);
    EXPECT_EQ(client.cy, 86);
    RECT window{};
    GetWindowRect(popup, &window);
    EXPECT_EQ(window.right - window.left, client.cx) << "no border";
    EXPECT_EQ(window.bottom - window.top, client.cy) << "no caption";

    HWND list = GetDlgItem(popup, IDC_SNOOZE_LIST);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 6);
    char text[64] = {};
    SendMessageA(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "我知道了");
    SendMessageA(list, CB_GETLBTEXT, 5, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "2小时后再次提示");
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), CB_ERR) << "the pop-up selects item 0";

    HWND apply = GetDlgItem(popup, IDC_APPLY_SNOOZE);
    ASSERT_NE(apply, nullptr);
    EXPECT_FALSE(GetWindowLongA(apply, GWL_STYLE) & WS_VISIBLE);
    DestroyWindow(popup);
}

TEST_F(DvtpDialogWindowsTest, CaptureResultButtonsStayAboveTheDescriptionLine) {
    HWND result = Build(IDD_CAPTURE_RESULT);
    ASSERT_NE(result, nullptr);
    SIZE client = ClientSize(result);
    EXPECT_EQ(client.cx, 782);
    EXPECT_EQ(client.cy, 518);
    for (int id : {IDC_CAPTURE_FULL, IDC_CAPTURE_WINDOW, IDC_CAPTURE_AREA, IDC_CLOSE_RESULT}) {
        HWND button = GetDlgItem(result, id);
        ASSERT_NE(button, nullptr) << id;
        RECT rect = RectInParent(button);
        EXPECT_GT(rect.top, 0) << id;
        EXPECT_LE(rect.bottom, 45) << id;
        EXPECT_TRUE(GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE) << id;
    }
    HWND description = GetDlgItem(result, IDC_CAPTURE_DESCRIPTION);
    ASSERT_NE(description, nullptr);
    EXPECT_FALSE(GetWindowLongA(description, GWL_STYLE) & WS_VISIBLE);

    // The preview pane, a child of the result dialog, brings both scroll bars and a static edge.
    HWND pane = Build(IDD_PREVIEW_PANE, result);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(GetParent(pane), result);
    const LONG style = GetWindowLongA(pane, GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(GetWindowLongA(pane, GWL_EXSTYLE) & WS_EX_STATICEDGE);
    DestroyWindow(result);
}

TEST_F(DvtpDialogWindowsTest, CountdownAndOverlayBuildWithTheirControls) {
    HWND countdown = Build(IDD_SHUTDOWN_COUNTDOWN);
    ASSERT_NE(countdown, nullptr);
    char text[128] = {};
    GetWindowTextA(countdown, text, sizeof text);
    EXPECT_STREQ(text, "关机提示框");
    GetDlgItemTextA(countdown, IDC_COUNTDOWN_TEXT, text, sizeof text);
    EXPECT_STREQ(text, "关机时间到,将在30秒后自动关机.");
    DestroyWindow(countdown);

    HWND overlay = Build(IDD_CAPTURE_OVERLAY);
    ASSERT_NE(overlay, nullptr);
    SIZE client = ClientSize(overlay);
    EXPECT_EQ(client.cx, 315);
    EXPECT_EQ(client.cy, 129);
    for (int id : {IDOK, IDC_OVERLAY_TEXT}) {
        HWND control = GetDlgItem(overlay, id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_FALSE(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) << id;
    }
    DestroyWindow(overlay);
}

}  // namespace
}  // namespace platform
