// The dialog keyboard interface over the real controls: Tab order, the default button, Esc,
// mnemonics, and the keys a control keeps for itself.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlClasses.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/RichEdit.h"
#include "platform/controls/Static.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

enum : DWORD {
    kNameLabel = 1001,
    kName,
    kCheck,
    kDropDown,
    kDropList,
    kList,
    kNotes,
    kRich,
    kApply,
};

// The clicks the dialog hears; the focus and change notices of edits and combos are left out.
std::vector<WPARAM>& Commands() {
    static std::vector<WPARAM> commands;
    return commands;
}

INT_PTR CALLBACK RecordingProcedure(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND) {
        if (HIWORD(wParam) == BN_CLICKED) {
            Commands().push_back(wParam);
        }
        return TRUE;
    }
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

DialogControl Control(DWORD id, const char* className, DWORD style, int y, const char* text = "") {
    DialogControl control;
    control.id = id;
    control.className = className;
    control.style = WS_CHILD | WS_VISIBLE | style;
    control.x = 7;
    control.y = y;
    control.cx = 120;
    control.cy = 12;
    control.text = text;
    return control;
}

DialogTemplate FormDialog() {
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT;
    dialog.cx = 200;
    dialog.cy = 200;
    dialog.caption = "表单";
    dialog.hasFont = true;
    dialog.pointSize = 9;
    dialog.faceName = "宋体";
    auto& c = dialog.controls;
    c.push_back(Control(kNameLabel, "Static", SS_LEFT, 4, "名称(&N):"));
    c.push_back(Control(kName, "Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 16, "张三"));
    c.push_back(Control(kCheck, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, 32, "提醒(&R)"));
    DialogControl dropDown = Control(kDropDown, "ComboBox", CBS_DROPDOWN | WS_TABSTOP, 48);
    dropDown.cy = 60;
    c.push_back(dropDown);
    DialogControl dropList = Control(kDropList, "ComboBox", CBS_DROPDOWNLIST | WS_TABSTOP, 64);
    dropList.cy = 60;
    c.push_back(dropList);
    DialogControl list = Control(kList, "ListBox", LBS_NOTIFY | WS_BORDER | WS_TABSTOP, 80);
    list.cy = 30;
    c.push_back(list);
    DialogControl notes =
        Control(kNotes, "Edit", ES_MULTILINE | ES_WANTRETURN | WS_BORDER | WS_TABSTOP, 114);
    notes.cy = 30;
    c.push_back(notes);
    DialogControl rich = Control(kRich, RICHEDIT_CLASS10A,
                                 ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP, 134);
    rich.cy = 14;
    c.push_back(rich);
    c.push_back(Control(kApply, "Button", BS_PUSHBUTTON | WS_TABSTOP, 150, "应用(&A)"));
    c.push_back(Control(IDOK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 166, "确定"));
    c.push_back(Control(IDCANCEL, "Button", BS_PUSHBUTTON | WS_TABSTOP, 182, "取消"));
    return dialog;
}

class DialogKeyboardTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterControlClasses();
        Commands().clear();
        dialog_ =
            CreateDialogFromTemplate(nullptr, FormDialog(), {}, nullptr, RecordingProcedure, 0);
        ASSERT_NE(dialog_, nullptr);
        HWND dialog = dialog_;
        SetPreTranslateHandler(
            dialog, [dialog](MSG& msg) { return IsDialogMessageA(dialog, &msg) != FALSE; });
        for (const char* text : {"北京", "上海", "广州"}) {
            SendDlgItemMessageA(dialog_, kDropDown, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(text));
            SendDlgItemMessageA(dialog_, kDropList, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(text));
            SendDlgItemMessageA(dialog_, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
        SetDlgItemTextA(dialog_, kDropDown, "深圳");
        PumpUntilIdle();
        Commands().clear();
    }
    void TearDown() override {
        Commands().clear();
        WindowTest::TearDown();
    }

    HWND Item(DWORD id) const { return GetDlgItem(dialog_, static_cast<int>(id)); }
    static void Press(BYTE key) {
        InjectKey(key, true);
        InjectKey(key, false);
        PumpUntilIdle();
    }
    static void Chord(BYTE modifier, BYTE key) {
        InjectKey(modifier, true);
        InjectKey(key, true);
        InjectKey(key, false);
        InjectKey(modifier, false);
        PumpUntilIdle();
    }
    // The (start, end) selection of an edit.
    static std::pair<DWORD, DWORD> Selection(HWND edit) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    static std::string Text(HWND hwnd) {
        char buffer[256]{};
        GetWindowTextA(hwnd, buffer, sizeof buffer);
        return buffer;
    }

    HWND dialog_ = nullptr;
};

TEST_F(DialogKeyboardTest, TabVisitsTheControlsInOrderAndEntersTheComboEdit) {
    // The first tab stop starts with the focus and its whole text selected.
    ASSERT_EQ(GetFocus(), Item(kName));
    EXPECT_EQ(Selection(Item(kName)), std::make_pair(DWORD{0}, DWORD{4}));

    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kCheck));
    Press(VK_TAB);
    // A drop-down combo takes the focus in its edit part, whose text is then selected.
    HWND comboEdit = GetFocus();
    ASSERT_NE(comboEdit, nullptr);
    EXPECT_EQ(GetParent(comboEdit), Item(kDropDown));
    EXPECT_EQ(Selection(comboEdit), std::make_pair(DWORD{0}, DWORD{4}));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kDropList));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kList));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kNotes));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kRich));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kApply));
    Press(VK_TAB);
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(IDCANCEL));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kName));
    // Shift+Tab from the first control wraps to the last, and from a combo's edit part leaves
    // the combo as a whole.
    Chord(VK_SHIFT, VK_TAB);
    EXPECT_EQ(GetFocus(), Item(IDCANCEL));
    SetFocus(comboEdit);
    Chord(VK_SHIFT, VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kCheck));
    // Moving around clicks nothing and types nothing.
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Text(Item(kName)), "张三");
    EXPECT_EQ(Text(Item(kNotes)), "");
}

TEST_F(DialogKeyboardTest, EnterClicksTheDefaultOrTheFocusedPushButtonAndEscCancels) {
    Press(VK_RETURN);
    ASSERT_EQ(Commands().size(), 1U);
    EXPECT_EQ(Commands()[0], MAKEWPARAM(IDOK, BN_CLICKED));

    Commands().clear();
    SetFocus(Item(kApply));
    PumpUntilIdle();
    Press(VK_RETURN);
    ASSERT_EQ(Commands().size(), 1U);
    EXPECT_EQ(Commands()[0], MAKEWPARAM(kApply, BN_CLICKED));

    Commands().clear();
    SetFocus(Item(kDropList));
    PumpUntilIdle();
    Press(VK_ESCAPE);
    ASSERT_EQ(Commands().size(), 1U);
    EXPECT_EQ(Commands()[0], MAKEWPARAM(IDCANCEL, BN_CLICKED));
}

TEST_F(DialogKeyboardTest, MultiLineEditsKeepEnterButLeaveTabAndEscToTheDialog) {
    for (DWORD id : {kNotes, kRich}) {
        Commands().clear();
        SetFocus(Item(id));
        PumpUntilIdle();
        Press('A');
        Press(VK_RETURN);
        Press('B');
        EXPECT_EQ(Text(Item(id)), "a\r\nb") << id;
        EXPECT_TRUE(Commands().empty()) << id;
        Press(VK_TAB);
        EXPECT_EQ(GetFocus(), Item(id + 1)) << id;
        EXPECT_EQ(Text(Item(id)), "a\r\nb") << id;
        SetFocus(Item(id));
        PumpUntilIdle();
        Press(VK_ESCAPE);
        ASSERT_EQ(Commands().size(), 1U) << id;
        EXPECT_EQ(Commands()[0], MAKEWPARAM(IDCANCEL, BN_CLICKED)) << id;
    }
}

TEST_F(DialogKeyboardTest, TheSpaceBarChecksABox) {
    SetFocus(Item(kCheck));
    PumpUntilIdle();
    Press(VK_SPACE);
    EXPECT_EQ(IsDlgButtonChecked(dialog_, kCheck), static_cast<UINT>(BST_CHECKED));
    ASSERT_EQ(Commands().size(), 1U);
    EXPECT_EQ(Commands()[0], MAKEWPARAM(kCheck, BN_CLICKED));
}

TEST_F(DialogKeyboardTest, AnOpenComboListKeepsEnterAndEscForItself) {
    SetFocus(Item(kDropList));
    PumpUntilIdle();
    Press(VK_F4);
    ASSERT_TRUE(SendDlgItemMessageA(dialog_, kDropList, CB_GETDROPPEDSTATE, 0, 0));
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_FALSE(SendDlgItemMessageA(dialog_, kDropList, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendDlgItemMessageA(dialog_, kDropList, CB_GETCURSEL, 0, 0), 0);
    for (WPARAM command : Commands()) {
        EXPECT_NE(LOWORD(command), IDOK);
    }

    // The drop-down combo's edit part holds the focus while its list is open.
    Commands().clear();
    SetFocus(Item(kDropDown));
    PumpUntilIdle();
    Press(VK_F4);
    ASSERT_TRUE(SendDlgItemMessageA(dialog_, kDropDown, CB_GETDROPPEDSTATE, 0, 0));
    Press(VK_ESCAPE);
    EXPECT_FALSE(SendDlgItemMessageA(dialog_, kDropDown, CB_GETDROPPEDSTATE, 0, 0));
    for (WPARAM command : Commands()) {
        EXPECT_NE(LOWORD(command), IDCANCEL);
    }
    EXPECT_TRUE(IsWindow(dialog_));
}

TEST_F(DialogKeyboardTest, MnemonicsFocusTheFieldAfterALabelAndClickButtons) {
    SetFocus(Item(kList));
    PumpUntilIdle();
    Chord(VK_MENU, 'N');
    EXPECT_EQ(GetFocus(), Item(kName));
    EXPECT_TRUE(Commands().empty());

    Chord(VK_MENU, 'R');
    EXPECT_EQ(IsDlgButtonChecked(dialog_, kCheck), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(GetFocus(), Item(kCheck));

    Commands().clear();
    Chord(VK_MENU, 'A');
    ASSERT_EQ(Commands().size(), 1U);
    EXPECT_EQ(Commands()[0], MAKEWPARAM(kApply, BN_CLICKED));
    // Inside an edit a plain letter is typed, not taken as a mnemonic.
    Commands().clear();
    SetFocus(Item(kNotes));
    PumpUntilIdle();
    Press('A');
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Text(Item(kNotes)), "a");
}

UINT StyleType(HWND hwnd) {
    return static_cast<UINT>(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK;
}

TEST_F(DialogKeyboardTest, TheDefaultLookFollowsTheFocusOverPushButtonsOnly) {
    SetFocus(Item(kRich));
    PumpUntilIdle();
    Press(VK_TAB);
    ASSERT_EQ(GetFocus(), Item(kApply));
    EXPECT_EQ(StyleType(Item(kApply)), static_cast<UINT>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(StyleType(Item(IDOK)), static_cast<UINT>(BS_PUSHBUTTON));

    RECT cancel{};
    GetWindowRect(Item(IDCANCEL), &cancel);
    const POINT centre{(cancel.left + cancel.right) / 2, (cancel.top + cancel.bottom) / 2};
    InjectMouse(MOUSEEVENTF_LEFTDOWN, centre);
    PumpUntilIdle();
    ASSERT_EQ(GetFocus(), Item(IDCANCEL));
    EXPECT_EQ(StyleType(Item(IDCANCEL)), static_cast<UINT>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(StyleType(Item(kApply)), static_cast<UINT>(BS_PUSHBUTTON));
    InjectMouse(MOUSEEVENTF_LEFTUP, centre);
    PumpUntilIdle();

    // A check box is no push button: the dialog's default shows the look again.
    Chord(VK_MENU, 'R');
    ASSERT_EQ(GetFocus(), Item(kCheck));
    EXPECT_EQ(StyleType(Item(IDCANCEL)), static_cast<UINT>(BS_PUSHBUTTON));
    EXPECT_EQ(StyleType(Item(IDOK)), static_cast<UINT>(BS_DEFPUSHBUTTON));
}

std::map<int, UINT>& DrawnStates() {
    static std::map<int, UINT> states;
    return states;
}

INT_PTR CALLBACK OwnerDrawProcedure(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SendMessageA(dialog, DM_SETDEFID, IDOK, 0);
            return TRUE;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            DrawnStates()[static_cast<int>(item->CtlID)] = item->itemState;
            return TRUE;
        }
        default:
            return FALSE;
    }
}

TEST_F(DialogKeyboardTest, OwnerDrawnButtonsAreToldOfTheDefaultLook) {
    InstallScreen();
    DrawnStates().clear();
    DialogTemplate dialog = FormDialog();
    dialog.controls.clear();
    dialog.controls.push_back(Control(kName, "Edit", WS_BORDER | WS_TABSTOP, 4));
    dialog.controls.push_back(Control(IDOK, "Button", BS_OWNERDRAW | WS_TABSTOP, 20));
    dialog.controls.push_back(Control(IDCANCEL, "Button", BS_OWNERDRAW | WS_TABSTOP, 36));
    HWND hwnd = CreateDialogFromTemplate(nullptr, dialog, {}, nullptr, OwnerDrawProcedure, 0);
    ASSERT_NE(hwnd, nullptr);
    SetPreTranslateHandler(hwnd,
                           [hwnd](MSG& msg) { return IsDialogMessageA(hwnd, &msg) != FALSE; });
    PumpUntilIdle();
    ASSERT_EQ(GetFocus(), GetDlgItem(hwnd, kName));
    EXPECT_EQ(DrawnStates()[IDOK] & (ODS_DEFAULT | ODS_FOCUS), static_cast<UINT>(ODS_DEFAULT));
    EXPECT_EQ(DrawnStates()[IDCANCEL] & (ODS_DEFAULT | ODS_FOCUS), 0U);

    Press(VK_TAB);
    Press(VK_TAB);
    ASSERT_EQ(GetFocus(), GetDlgItem(hwnd, IDCANCEL));
    EXPECT_EQ(DrawnStates()[IDOK] & (ODS_DEFAULT | ODS_FOCUS), 0U);
    EXPECT_EQ(DrawnStates()[IDCANCEL] & (ODS_DEFAULT | ODS_FOCUS),
              static_cast<UINT>(ODS_DEFAULT | ODS_FOCUS));
    // The owner-drawn type stays; only the button's state says it is the default.
    EXPECT_EQ(StyleType(GetDlgItem(hwnd, IDCANCEL)), static_cast<UINT>(BS_OWNERDRAW));

    Press(VK_TAB);
    ASSERT_EQ(GetFocus(), GetDlgItem(hwnd, kName));
    EXPECT_EQ(DrawnStates()[IDOK] & ODS_DEFAULT, static_cast<UINT>(ODS_DEFAULT));
    EXPECT_EQ(DrawnStates()[IDCANCEL] & ODS_DEFAULT, 0U);
}

}  // namespace
}  // namespace platform
