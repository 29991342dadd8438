#include <gtest/gtest.h>

#include "platform/dialogs/DialogTest.h"
#include "platform/dialogs/Mnemonic.h"

namespace platform::testing {
namespace {

class DialogKeysTest : public DialogTest {
protected:
    // A visible modeless dialog whose pre-translation runs the keyboard interface, as the
    // framework's dialogs do.
    HWND Show(DialogTemplate dialog) {
        dialog.style |= WS_VISIBLE;
        HWND hwnd = Create(dialog);
        EXPECT_NE(hwnd, nullptr);
        SetPreTranslateHandler(hwnd, [hwnd](MSG& msg) { return IsDialogMessageA(hwnd, &msg); });
        PumpUntilIdle();
        DialogEvents::All().clear();
        return hwnd;
    }
    static void Chord(BYTE modifier, BYTE key) {
        InjectKey(modifier, true);
        InjectKey(key, true);
        InjectKey(key, false);
        InjectKey(modifier, false);
        PumpUntilIdle();
    }
};

DialogTemplate TabDialog() {
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(ChildControl("Edit", "", 1001, WS_TABSTOP | WS_GROUP, 0, 0, 50, 12));
    dialog.controls.push_back(ChildControl("Static", "说明", 0xFFFF, 0, 0, 15, 50, 12));
    DialogControl hidden = ChildControl("Button", "hidden", 1002, WS_TABSTOP, 0, 30, 50, 12);
    hidden.style &= ~WS_VISIBLE;
    dialog.controls.push_back(hidden);
    dialog.controls.push_back(
        ChildControl("Button", "off", 1003, WS_TABSTOP | WS_DISABLED, 0, 45, 50, 12));
    dialog.controls.push_back(ChildControl("Edit", "", 1004, WS_TABSTOP, 0, 60, 50, 12));
    dialog.controls.push_back(ChildControl("Button", "确定", IDOK, WS_TABSTOP, 60, 60, 50, 12));
    return dialog;
}

TEST_F(DialogKeysTest, TabVisitsReachableTabStopsInOrderAndWraps) {
    HWND hwnd = Show(TabDialog());
    ASSERT_EQ(GetFocus(), GetDlgItem(hwnd, 1001));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1004));
    const auto selections = DialogEvents::Of(0x00B1);
    ASSERT_EQ(selections.size(), 1u);
    EXPECT_EQ(selections[0].hwnd, GetDlgItem(hwnd, 1004));
    EXPECT_EQ(selections[0].wParam, 0u);
    EXPECT_EQ(selections[0].lParam, -1);
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, IDOK));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1001));
    Chord(VK_SHIFT, VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, IDOK));
    // The keys never reached the controls as characters.
    EXPECT_TRUE(DialogEvents::Of(WM_CHAR).empty());
    EXPECT_TRUE(DialogEvents::Commands().empty());
}

TEST_F(DialogKeysTest, TabWalksAnswerDirectly) {
    HWND hwnd = Show(TabDialog());
    HWND first = GetDlgItem(hwnd, 1001);
    HWND last = GetDlgItem(hwnd, IDOK);
    EXPECT_EQ(GetNextDlgTabItem(hwnd, nullptr, FALSE), first);
    EXPECT_EQ(GetNextDlgTabItem(hwnd, nullptr, TRUE), last);
    EXPECT_EQ(GetNextDlgTabItem(hwnd, first, TRUE), last);
    EXPECT_EQ(GetNextDlgTabItem(hwnd, last, FALSE), first);
    // From a control that is no tab stop the walk goes on from its place.
    EXPECT_EQ(GetNextDlgTabItem(hwnd, GetDlgItem(hwnd, 0xFFFF), FALSE), GetDlgItem(hwnd, 1004));
    EXPECT_EQ(GetNextDlgTabItem(nullptr, first, FALSE), nullptr);

    EnableWindow(GetDlgItem(hwnd, 1004), FALSE);
    EnableWindow(last, FALSE);
    // The only tab stop left is its own next.
    EXPECT_EQ(GetNextDlgTabItem(hwnd, first, FALSE), first);
}

TEST_F(DialogKeysTest, AControlThatWantsTabKeepsIt) {
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(ChildControl(
        "Edit", "", 1001, WS_TABSTOP | kTestMultiLine | kTestWantReturn, 0, 0, 50, 40));
    dialog.controls.push_back(ChildControl("Button", "确定", IDOK, WS_TABSTOP, 60, 0, 50, 12));
    HWND hwnd = Show(dialog);
    Press(VK_TAB);
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1001));
    EXPECT_TRUE(DialogEvents::Commands().empty());
    const auto keys = DialogEvents::Of(WM_KEYDOWN);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].wParam, static_cast<WPARAM>(VK_TAB));
    EXPECT_EQ(keys[1].wParam, static_cast<WPARAM>(VK_RETURN));
    EXPECT_EQ(keys[2].wParam, static_cast<WPARAM>(VK_ESCAPE));
}

DialogTemplate RadioDialog() {
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(
        ChildControl("Button", "一", 1010, kTestRadio | WS_TABSTOP | WS_GROUP, 0, 0, 40, 10));
    dialog.controls.push_back(ChildControl("Button", "二", 1011, kTestRadio, 0, 10, 40, 10));
    DialogControl hidden = ChildControl("Button", "三", 1012, kTestRadio, 0, 20, 40, 10);
    hidden.style &= ~WS_VISIBLE;
    dialog.controls.push_back(hidden);
    dialog.controls.push_back(ChildControl("Button", "四", 1013, kTestRadio, 0, 30, 40, 10));
    dialog.controls.push_back(
        ChildControl("Button", "确定", IDOK, WS_TABSTOP | WS_GROUP, 60, 0, 50, 12));
    return dialog;
}

TEST_F(DialogKeysTest, ArrowsMoveWithinTheGroupAndClickRadios) {
    HWND hwnd = Show(RadioDialog());
    ASSERT_EQ(GetFocus(), GetDlgItem(hwnd, 1010));
    Press(VK_DOWN);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1011));
    Press(VK_RIGHT);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1013));
    Press(VK_DOWN);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1010));
    Press(VK_UP);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1013));
    EXPECT_EQ(DialogEvents::Commands(), (std::vector<int>{1011, 1013, 1010, 1013}));

    EXPECT_EQ(GetNextDlgGroupItem(hwnd, GetDlgItem(hwnd, 1013), FALSE), GetDlgItem(hwnd, 1010));
    EXPECT_EQ(GetNextDlgGroupItem(hwnd, GetDlgItem(hwnd, 1010), TRUE), GetDlgItem(hwnd, 1013));
    // A group of one answers itself.
    EXPECT_EQ(GetNextDlgGroupItem(hwnd, GetDlgItem(hwnd, IDOK), FALSE), GetDlgItem(hwnd, IDOK));
}

DialogTemplate ButtonDialog() {
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(ChildControl("Edit", "", 1001, WS_TABSTOP, 0, 0, 50, 12));
    dialog.controls.push_back(ChildControl("Button", "应用", 1005, WS_TABSTOP, 0, 20, 50, 12));
    dialog.controls.push_back(ChildControl("Button", "确定", IDOK, WS_TABSTOP, 60, 20, 50, 12));
    dialog.controls.push_back(
        ChildControl("Button", "取消", IDCANCEL, WS_TABSTOP, 120, 20, 50, 12));
    return dialog;
}

TEST_F(DialogKeysTest, EnterClicksTheDefaultButton) {
    DialogScript::Get().endOnOkCancel = false;
    HWND hwnd = Show(ButtonDialog());
    Press(VK_RETURN);
    auto commands = DialogEvents::Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(IDOK, 0));
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), GetDlgItem(hwnd, IDOK));

    EXPECT_EQ(SendMessageA(hwnd, DM_GETDEFID, 0, 0), 0);
    SendMessageA(hwnd, DM_SETDEFID, 1005, 0);
    EXPECT_EQ(SendMessageA(hwnd, DM_GETDEFID, 0, 0), MAKELRESULT(1005, DC_HASDEFID));
    // The new default button took the default look.
    const auto styles = DialogEvents::Of(0x00F4);
    ASSERT_EQ(styles.size(), 1u);
    EXPECT_EQ(styles[0].hwnd, GetDlgItem(hwnd, 1005));
    EXPECT_EQ(styles[0].wParam, 1u);
    DialogEvents::All().clear();
    Press(VK_RETURN);
    EXPECT_EQ(DialogEvents::Commands(), std::vector<int>{1005});

    // A focused push button answers Enter itself.
    DialogEvents::All().clear();
    SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, IDCANCEL)), TRUE);
    Press(VK_RETURN);
    EXPECT_EQ(DialogEvents::Commands(), std::vector<int>{IDCANCEL});

    // A disabled default button refuses.
    DialogEvents::All().clear();
    SetFocus(GetDlgItem(hwnd, 1001));
    EnableWindow(GetDlgItem(hwnd, 1005), FALSE);
    Press(VK_RETURN);
    EXPECT_TRUE(DialogEvents::Commands().empty());
}

TEST_F(DialogKeysTest, SettingTheDefaultRestylesTheOldOne) {
    DialogTemplate dialog = ButtonDialog();
    dialog.controls[2].style |= 0x1;  // the OK button is the template's default push button
    HWND hwnd = Show(dialog);
    EXPECT_EQ(SendMessageA(hwnd, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    SendMessageA(hwnd, DM_SETDEFID, 1005, 0);
    const auto styles = DialogEvents::Of(0x00F4);
    ASSERT_EQ(styles.size(), 2u);
    EXPECT_EQ(styles[0].hwnd, GetDlgItem(hwnd, IDOK));
    EXPECT_EQ(styles[0].wParam, 0u);
    EXPECT_EQ(styles[1].hwnd, GetDlgItem(hwnd, 1005));
    EXPECT_EQ(styles[1].wParam, 1u);
}

TEST_F(DialogKeysTest, EnterWithoutButtonsStillSendsOkAndHiddenDefaultsWork) {
    DialogScript::Get().endOnOkCancel = false;
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(ChildControl("Edit", "", 1001, WS_TABSTOP, 0, 0, 50, 12));
    HWND bare = Show(dialog);
    Press(VK_RETURN);
    auto commands = DialogEvents::Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(IDOK, 0));
    EXPECT_EQ(commands[0].lParam, 0);
    DestroyWindow(bare);

    DialogControl hidden = ChildControl("Button", "ok", IDOK, 0x1, 0, 20, 50, 12);
    hidden.style &= ~WS_VISIBLE;
    dialog.controls.push_back(hidden);
    HWND hwnd = Show(dialog);
    Press(VK_RETURN);
    commands = DialogEvents::Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), GetDlgItem(hwnd, IDOK));
}

class DefaultLookTest : public DialogKeysTest {
protected:
    // The ids of the push buttons that show the default look, in creation order.
    static std::vector<int> Looks(HWND dialog) {
        std::vector<int> ids;
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongA(child, GWL_STYLE) & 0xF) == 0x1) {
                ids.push_back(GetDlgCtrlID(child));
            }
        }
        return ids;
    }
    // The BM_SETSTYLE messages since the last look, as (id, style) pairs.
    static std::vector<std::pair<int, WPARAM>> Restyles() {
        std::vector<std::pair<int, WPARAM>> restyles;
        for (const DialogEvent& event : DialogEvents::Of(0x00F4)) {
            restyles.emplace_back(GetDlgCtrlID(event.hwnd), event.wParam);
        }
        DialogEvents::All().clear();
        return restyles;
    }
    static void Click(HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        InjectMouse(MOUSEEVENTF_LEFTDOWN, centre);
        InjectMouse(MOUSEEVENTF_LEFTUP, centre);
        PumpUntilIdle();
    }
    using Restyled = std::vector<std::pair<int, WPARAM>>;
};

TEST_F(DefaultLookTest, TabCarriesTheLookToEachPushButtonAndBackToTheDefault) {
    DialogScript::Get().endOnOkCancel = false;
    DialogTemplate dialog = ButtonDialog();
    dialog.controls[2].style |= 0x1;
    HWND hwnd = Show(dialog);
    ASSERT_EQ(GetFocus(), GetDlgItem(hwnd, 1001));
    EXPECT_EQ(Looks(hwnd), std::vector<int>{IDOK});

    Press(VK_TAB);
    EXPECT_EQ(Restyles(), (Restyled{{IDOK, 0}, {1005, 1}}));
    Press(VK_TAB);
    EXPECT_EQ(Restyles(), (Restyled{{1005, 0}, {IDOK, 1}}));
    Press(VK_TAB);
    EXPECT_EQ(Restyles(), (Restyled{{IDOK, 0}, {IDCANCEL, 1}}));
    EXPECT_EQ(Looks(hwnd), std::vector<int>{IDCANCEL});
    // The look and Enter agree, and the dialog's default stays what it was.
    EXPECT_EQ(SendMessageA(hwnd, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    Press(VK_RETURN);
    EXPECT_EQ(DialogEvents::Commands(), std::vector<int>{IDCANCEL});
    DialogEvents::All().clear();

    Press(VK_TAB);
    ASSERT_EQ(GetFocus(), GetDlgItem(hwnd, 1001));
    EXPECT_EQ(Restyles(), (Restyled{{IDCANCEL, 0}, {IDOK, 1}}));
    Press(VK_RETURN);
    EXPECT_EQ(DialogEvents::Commands(), std::vector<int>{IDOK});
}

TEST_F(DefaultLookTest, ADialogWithoutADefaultLendsTheLookOnlyWhileAButtonHasTheFocus) {
    DialogScript::Get().endOnOkCancel = false;
    HWND hwnd = Show(ButtonDialog());
    EXPECT_TRUE(Looks(hwnd).empty());
    SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, IDCANCEL)), TRUE);
    EXPECT_EQ(Restyles(), (Restyled{{IDCANCEL, 1}}));
    // The borrowed look does not make the button the dialog's default.
    EXPECT_EQ(SendMessageA(hwnd, DM_GETDEFID, 0, 0), 0);

    SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, 1001)), TRUE);
    EXPECT_EQ(Restyles(), (Restyled{{IDCANCEL, 0}}));
    EXPECT_TRUE(Looks(hwnd).empty());
    Press(VK_RETURN);
    EXPECT_EQ(DialogEvents::Commands(), std::vector<int>{IDOK});
}

TEST_F(DefaultLookTest, ClicksMoveTheLookButAProgramsSetFocusDoesNot) {
    DialogScript::Get().endOnOkCancel = false;
    DialogTemplate dialog = ButtonDialog();
    dialog.controls[2].style |= 0x1;
    HWND hwnd = Show(dialog);

    Click(GetDlgItem(hwnd, IDCANCEL));
    ASSERT_EQ(GetFocus(), GetDlgItem(hwnd, IDCANCEL));
    EXPECT_EQ(Restyles(), (Restyled{{IDOK, 0}, {IDCANCEL, 1}}));
    // A second click on the focused button changes nothing.
    Click(GetDlgItem(hwnd, IDCANCEL));
    EXPECT_TRUE(Restyles().empty());
    Click(GetDlgItem(hwnd, 1001));
    ASSERT_EQ(GetFocus(), GetDlgItem(hwnd, 1001));
    EXPECT_EQ(Restyles(), (Restyled{{IDCANCEL, 0}, {IDOK, 1}}));

    SetFocus(GetDlgItem(hwnd, 1005));
    PumpUntilIdle();
    EXPECT_TRUE(Restyles().empty());
    EXPECT_EQ(Looks(hwnd), std::vector<int>{IDOK});
}

TEST_F(DefaultLookTest, ANewDefaultWaitsWhileAPushButtonHoldsTheLook) {
    DialogTemplate dialog = ButtonDialog();
    dialog.controls[2].style |= 0x1;
    HWND hwnd = Show(dialog);
    SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, IDCANCEL)), TRUE);
    Restyles();
    SendMessageA(hwnd, DM_SETDEFID, 1005, 0);
    EXPECT_TRUE(Restyles().empty());
    EXPECT_EQ(SendMessageA(hwnd, DM_GETDEFID, 0, 0), MAKELRESULT(1005, DC_HASDEFID));
    Press(VK_TAB);
    ASSERT_EQ(GetFocus(), GetDlgItem(hwnd, 1001));
    EXPECT_EQ(Restyles(), (Restyled{{IDCANCEL, 0}, {1005, 1}}));
}

TEST_F(DialogKeysTest, EscapeSendsCancelWithTheCancelButton) {
    DialogScript::Get().endOnOkCancel = false;
    HWND hwnd = Show(ButtonDialog());
    Press(VK_ESCAPE);
    auto commands = DialogEvents::Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(IDCANCEL));
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), GetDlgItem(hwnd, IDCANCEL));
    EXPECT_TRUE(DialogEvents::Of(WM_KEYDOWN).empty());
}

TEST_F(DialogKeysTest, MnemonicsPickButtonsWithAltOrAloneOutsideEdits) {
    DialogScript::Get().endOnOkCancel = false;
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(ChildControl("Static", "名称(&N):", 0xFFFF, 0, 0, 0, 40, 10));
    dialog.controls.push_back(ChildControl("Edit", "", 1001, WS_TABSTOP, 40, 0, 50, 12));
    dialog.controls.push_back(ChildControl("Button", "保存(&S)", 1020, WS_TABSTOP, 0, 20, 50, 12));
    dialog.controls.push_back(
        ChildControl("Button", "自动(&A)", 1021, kTestCheckBox | WS_TABSTOP, 0, 40, 50, 12));
    dialog.controls.push_back(ChildControl("Button", "R&&D", 1022, WS_TABSTOP, 0, 60, 50, 12));
    HWND hwnd = Show(dialog);
    ASSERT_EQ(GetFocus(), GetDlgItem(hwnd, 1001));

    // In the edit a plain letter is text.
    Press('S');
    EXPECT_TRUE(DialogEvents::Commands().empty());
    ASSERT_EQ(DialogEvents::Of(WM_CHAR).size(), 1u);
    EXPECT_EQ(DialogEvents::Of(WM_CHAR)[0].wParam, static_cast<WPARAM>('s'));

    // With Alt it picks the push button, which does not take the focus.
    Chord(VK_MENU, 'S');
    EXPECT_EQ(DialogEvents::Commands(), std::vector<int>{1020});
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1001));

    // A check box takes the focus and is clicked; then, outside the edit, plain letters work.
    DialogEvents::All().clear();
    Chord(VK_MENU, 'A');
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1021));
    Press('S');
    EXPECT_EQ(DialogEvents::Commands(), (std::vector<int>{1021, 1020}));

    // A label passes the focus to the control after it; "&&" marks nothing.
    DialogEvents::All().clear();
    Press('N');
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1001));
    SetFocus(GetDlgItem(hwnd, 1020));
    Press('D');
    EXPECT_TRUE(DialogEvents::Commands().empty());
}

TEST_F(DialogKeysTest, DisabledAndHiddenControlsHaveNoMnemonic) {
    DialogScript::Get().endOnOkCancel = false;
    DialogTemplate dialog = TestDialog();
    dialog.controls.push_back(ChildControl("Button", "一(&X)", 1030, WS_TABSTOP, 0, 0, 50, 12));
    dialog.controls.push_back(
        ChildControl("Button", "二(&Y)", 1031, WS_TABSTOP | WS_DISABLED, 0, 20, 50, 12));
    DialogControl hidden = ChildControl("Button", "三(&Y)", 1032, WS_TABSTOP, 0, 40, 50, 12);
    hidden.style &= ~WS_VISIBLE;
    dialog.controls.push_back(hidden);
    dialog.controls.push_back(ChildControl("Button", "四(&Y)", 1033, WS_TABSTOP, 0, 60, 50, 12));
    Show(dialog);
    Chord(VK_MENU, 'Y');
    EXPECT_EQ(DialogEvents::Commands(), std::vector<int>{1033});
}

TEST_F(DialogKeysTest, MessagesOfOtherWindowsAreNotTheDialogs) {
    HWND hwnd = Show(ButtonDialog());
    HWND other = Helper();
    MSG msg{other, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_FALSE(IsDialogMessageA(hwnd, &msg));
    EXPECT_FALSE(IsDialogMessageA(hwnd, nullptr));
    EXPECT_FALSE(IsDialogMessageA(nullptr, &msg));
    // Any other message of the dialog is dispatched there.
    MSG app{hwnd, WM_APP, 7, 8, 0, {}};
    EXPECT_TRUE(IsDialogMessageA(hwnd, &app));
    ASSERT_EQ(DialogEvents::Of(WM_APP).size(), 1u);
    EXPECT_EQ(DialogEvents::Of(WM_APP)[0].wParam, 7u);
}

TEST_F(DialogKeysTest, ContainersWithControlParentAreLookedInto) {
    DialogTemplate outer = TestDialog();
    outer.controls.push_back(ChildControl("Edit", "", 1001, WS_TABSTOP, 0, 0, 50, 12));
    HWND hwnd = Show(outer);
    DialogTemplate inner = TestDialog(WS_CHILD | WS_VISIBLE | DS_CONTROL);
    inner.controls.push_back(ChildControl("Edit", "", 2001, WS_TABSTOP, 0, 0, 50, 12));
    inner.controls.push_back(ChildControl("Edit", "", 2002, WS_TABSTOP, 0, 20, 50, 12));
    HWND page = Create(inner, hwnd);
    ASSERT_NE(page, nullptr);
    HWND first = GetDlgItem(hwnd, 1001);
    EXPECT_EQ(GetNextDlgTabItem(hwnd, first, FALSE), GetDlgItem(page, 2001));
    EXPECT_EQ(GetNextDlgTabItem(hwnd, GetDlgItem(page, 2002), FALSE), first);
    EXPECT_EQ(GetNextDlgTabItem(hwnd, first, TRUE), GetDlgItem(page, 2002));
}

TEST(Mnemonic, FindsTheCharacterAfterASingleAmpersand) {
    EXPECT_EQ(Mnemonic::Of("保存(&S)"), 's');
    EXPECT_EQ(Mnemonic::Of("&Open"), 'o');
    EXPECT_EQ(Mnemonic::Of("R&&D"), '\0');
    EXPECT_EQ(Mnemonic::Of("R&&D &x"), 'x');
    EXPECT_EQ(Mnemonic::Of("end&"), '\0');
    EXPECT_EQ(Mnemonic::Of(""), '\0');
    EXPECT_EQ(Mnemonic::Of("&名称"), '\0');
    // 0x81 0x26 is one two-byte character whose second byte is '&'.
    EXPECT_EQ(Mnemonic::Of("\x81&x"), '\0');
    EXPECT_TRUE(Mnemonic::Matches("是(&Y)", 'y'));
    EXPECT_TRUE(Mnemonic::Matches("是(&Y)", 'Y'));
    EXPECT_FALSE(Mnemonic::Matches("是(&Y)", 'n'));
    EXPECT_FALSE(Mnemonic::Matches("plain", 'p'));
}

}  // namespace
}  // namespace platform::testing
