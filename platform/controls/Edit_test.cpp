#include "platform/controls/Edit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/Caret.h"
#include "platform/controls/ControlTest.h"
#include "platform/controls/Clipboard.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

constexpr int kId = 1018;

class EditTest : public testing::ControlTest {
protected:
    EditTest() : ControlTest(RegisterEditClass) {}

    void SetUp() override {
        ControlTest::SetUp();
        ResetClipboardForTesting();
    }
    void TearDown() override {
        ResetClipboardForTesting();
        ControlTest::TearDown();
    }

    HWND Edit(DWORD style, const char* text = "", RECT rect = {10, 10, 210, 110}) {
        HWND edit = Child("Edit", kId, style, text, rect);
        Log().Clear();
        return edit;
    }

    // The notification codes the parent got from `edit`, in order.
    std::vector<WORD> Codes(HWND edit) {
        std::vector<WORD> codes;
        for (const auto& entry : Log().Of(WM_COMMAND)) {
            if (entry.hwnd == parent_ && reinterpret_cast<HWND>(entry.lParam) == edit) {
                EXPECT_EQ(LOWORD(entry.wParam), kId);
                codes.push_back(HIWORD(entry.wParam));
            }
        }
        return codes;
    }

    static std::string Text(HWND hwnd) {
        char buffer[512] = {};
        GetWindowTextA(hwnd, buffer, sizeof(buffer));
        return buffer;
    }

    static std::pair<DWORD, DWORD> Selection(HWND edit) {
        DWORD start = 99;
        DWORD end = 99;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    static void Type(const char* keys) {
        for (const char* key = keys; *key != '\0'; ++key) {
            InjectKey(static_cast<BYTE>(*key), true);
            InjectKey(static_cast<BYTE>(*key), false);
        }
        PumpUntilIdle();
    }

    static void Press(BYTE key, bool shift = false, bool control = false) {
        if (shift) {
            InjectKey(VK_SHIFT, true);
        }
        if (control) {
            InjectKey(VK_CONTROL, true);
        }
        InjectKey(key, true);
        InjectKey(key, false);
        if (control) {
            InjectKey(VK_CONTROL, false);
        }
        if (shift) {
            InjectKey(VK_SHIFT, false);
        }
        PumpUntilIdle();
    }

    static void Char(HWND edit, unsigned char byte) { SendMessageA(edit, WM_CHAR, byte, 1); }
};

const std::vector<WORD> kChanged{EN_UPDATE, EN_CHANGE};

TEST_F(EditTest, SetTextNotifiesASingleLineEditButNotAMultiLineOne) {
    HWND single = Edit(ES_AUTOHSCROLL, "start");
    EXPECT_EQ(Text(single), "start");
    SetWindowTextA(single, "next");
    EXPECT_EQ(Text(single), "next");
    EXPECT_EQ(Codes(single), kChanged);

    HWND multi = Edit(ES_MULTILINE);
    SetWindowTextA(multi, "a\r\nb");
    EXPECT_EQ(Text(multi), "a\r\nb");
    EXPECT_TRUE(Codes(multi).empty());
    EXPECT_EQ(GetWindowTextLengthA(multi), 4);
}

TEST_F(EditTest, TypedKeysInsertAtTheCaretAndNotifyEachTime) {
    HWND edit = Edit(ES_AUTOHSCROLL);
    SetFocus(edit);
    PumpUntilIdle();
    EXPECT_EQ(Codes(edit), std::vector<WORD>{EN_SETFOCUS});
    Log().Clear();
    Type("AB");
    EXPECT_EQ(Text(edit), "ab");
    EXPECT_EQ(Codes(edit), (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    EXPECT_TRUE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
    Press(VK_LEFT);
    Type("C");
    EXPECT_EQ(Text(edit), "acb");
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{2}, DWORD{2}));
}

TEST_F(EditTest, TwoByteCharacterArrivesAsLeadThenTrailByte) {
    HWND edit = Edit(ES_AUTOHSCROLL);
    Char(edit, 0xD6);
    EXPECT_EQ(Text(edit), "");
    EXPECT_TRUE(Codes(edit).empty());
    Char(edit, 0xD0);
    EXPECT_EQ(Text(edit), "\xD6\xD0");
    EXPECT_EQ(Codes(edit), kChanged);
    // A lead byte followed by a control character is dropped, the control character kept.
    Char(edit, 0xCE);
    Char(edit, '\b');
    EXPECT_EQ(Text(edit), "");
}

TEST_F(EditTest, LimitCountsCharactersNotBytes) {
    HWND edit = Edit(ES_AUTOHSCROLL);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 30000);
    SendMessageA(edit, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 3);
    Char(edit, 'a');
    Char(edit, 'b');
    Char(edit, 0xD6);
    Char(edit, 0xD0);
    EXPECT_EQ(Text(edit), "ab\xD6\xD0");
    Log().Clear();
    Char(edit, 'c');
    EXPECT_EQ(Text(edit), "ab\xD6\xD0");
    EXPECT_EQ(Codes(edit), std::vector<WORD>{EN_MAXTEXT});

    // WM_SETTEXT is not limited; EM_REPLACESEL is, and is cut at a character boundary.
    SetWindowTextA(edit, "\xD6\xD0\xCE\xC4\xB1\xB1\xC3\xC3");
    EXPECT_EQ(Text(edit), "\xD6\xD0\xCE\xC4\xB1\xB1\xC3\xC3");
    SendMessageA(edit, EM_SETSEL, 0, 4);
    Log().Clear();
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x\xB1\xB1"));
    EXPECT_EQ(Text(edit), "x\xB1\xB1\xC3\xC3");
    EXPECT_EQ(Codes(edit), (std::vector<WORD>{EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));

    SendMessageA(edit, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
    HWND multi = Edit(ES_MULTILINE);
    SendMessageA(multi, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(static_cast<DWORD>(SendMessageA(multi, EM_GETLIMITTEXT, 0, 0)), 0xFFFFFFFFu);
}

TEST_F(EditTest, SetSelAndGetSelFollowTheRulesForMinusOneAndReversedRanges) {
    HWND edit = Edit(ES_AUTOHSCROLL, "hello\xD6\xD0");
    SendMessageA(edit, EM_SETSEL, 0, -1);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{7}));
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELRESULT(0, 7));
    SendMessageA(edit, EM_SETSEL, 4, 1);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{1}, DWORD{4}));
    SendMessageA(edit, EM_SETSEL, -1, 0);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{1}, DWORD{1}));
    SendMessageA(edit, EM_SETSEL, 6, 100);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{5}, DWORD{7}));
    EXPECT_TRUE(Codes(edit).empty());
}

TEST_F(EditTest, MultiLineQueriesCountLinesIndexesAndLengths) {
    HWND edit = Edit(ES_MULTILINE | ES_AUTOHSCROLL, "first\r\n\r\n\xD6\xD0x");
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 2, 0), 9);
    EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 3, 0), -1);
    EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, static_cast<WPARAM>(-1), 0), 0);
    EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, 3, 0), 5);
    EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, 7, 0), 0);
    EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, 10, 0), 3);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, 8, 0), 1);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, 100, 0), 2);
    SendMessageA(edit, EM_SETSEL, 2, 9);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 0);
    // Unselected characters on the selected lines: "fi" and the third line's three bytes.
    EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, static_cast<WPARAM>(-1), 0), 5);

    char buffer[16];
    std::memset(buffer, '#', sizeof(buffer));
    *reinterpret_cast<WORD*>(buffer) = 2;
    EXPECT_EQ(SendMessageA(edit, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer)), 2);
    EXPECT_EQ(std::string(buffer, 3), "fi#");
    *reinterpret_cast<WORD*>(buffer) = 1;
    // One byte of room does not hold the two-byte character.
    EXPECT_EQ(SendMessageA(edit, EM_GETLINE, 2, reinterpret_cast<LPARAM>(buffer)), 0);
    *reinterpret_cast<WORD*>(buffer) = 16;
    EXPECT_EQ(SendMessageA(edit, EM_GETLINE, 2, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_EQ(std::string(buffer, 3), "\xD6\xD0x");
    EXPECT_EQ(SendMessageA(edit, EM_GETLINE, 9, reinterpret_cast<LPARAM>(buffer)), 0);
}

TEST_F(EditTest, MultiLineWithoutAutoHScrollWrapsToItsWidth) {
    HWND edit = Edit(ES_MULTILINE, "", {0, 0, 60, 100});
    std::string words;
    for (int i = 0; i < 10; ++i) {
        words += "word ";
    }
    SetWindowTextA(edit, words.c_str());
    const LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(lines, 2);
    // Every shown line starts at a word.
    for (LRESULT line = 1; line < lines; ++line) {
        const LRESULT start = SendMessageA(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
        EXPECT_EQ(start % 5, 0) << line;
    }
    HWND wide = Edit(ES_MULTILINE | ES_AUTOHSCROLL, words.c_str(), {0, 0, 60, 100});
    EXPECT_EQ(SendMessageA(wide, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(EditTest, EnterAndTabInsertOnlyInAMultiLineEdit) {
    HWND single = Edit(ES_AUTOHSCROLL, "a");
    SendMessageA(single, EM_SETSEL, 1, 1);
    Char(single, '\r');
    Char(single, '\t');
    EXPECT_EQ(Text(single), "a");
    EXPECT_TRUE(Codes(single).empty());

    HWND multi = Edit(ES_MULTILINE, "a");
    SendMessageA(multi, EM_SETSEL, 1, 1);
    Char(multi, '\r');
    Char(multi, '\t');
    EXPECT_EQ(Text(multi), "a\r\n\t");
    EXPECT_EQ(SendMessageA(multi, EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(EditTest, BackspaceAndDeleteRemoveWholeCharactersAndLineBreaks) {
    HWND edit = Edit(ES_MULTILINE, "a\xD6\xD0\r\nb");
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 3, 3);
    Char(edit, '\b');
    EXPECT_EQ(Text(edit), "a\r\nb");
    Press(VK_DELETE);
    EXPECT_EQ(Text(edit), "ab");
    Press(VK_HOME, true);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{1}));
    Press(VK_DELETE);
    EXPECT_EQ(Text(edit), "b");
    Press(VK_END);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{1}, DWORD{1}));
}

TEST_F(EditTest, ArrowsMoveByCharactersWordsAndLines) {
    HWND edit = Edit(ES_MULTILINE | ES_AUTOHSCROLL, "one two\r\nthree");
    SetFocus(edit);
    PumpUntilIdle();
    Press(VK_RIGHT, false, true);
    EXPECT_EQ(Selection(edit).first, 4u);
    Press(VK_RIGHT, true);
    Press(VK_RIGHT, true);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{4}, DWORD{6}));
    // Without Shift the caret goes to the end of the selection.
    Press(VK_RIGHT);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{6}, DWORD{6}));
    Press(VK_DOWN);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
    Press(VK_END, false, true);
    EXPECT_EQ(Selection(edit).first, 14u);
    Press(VK_HOME, true, true);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{14}));
    Press(VK_LEFT);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
}

TEST_F(EditTest, ReadOnlyRefusesTypingButKeepsProgramChanges) {
    HWND edit = Edit(ES_AUTOHSCROLL | ES_READONLY, "fixed");
    SendMessageA(edit, EM_SETSEL, 5, 5);
    Char(edit, 'x');
    Char(edit, '\b');
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(edit), "fixed");
    EXPECT_TRUE(Codes(edit).empty());
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("!"));
    EXPECT_EQ(Text(edit), "fixed!");

    EXPECT_TRUE(SendMessageA(edit, EM_SETREADONLY, FALSE, 0));
    EXPECT_EQ(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY, 0);
    Char(edit, 'x');
    EXPECT_EQ(Text(edit), "fixed!x");
    SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
    EXPECT_NE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(EditTest, PasswordShowsStarsAndNeverLeavesThroughTheClipboard) {
    HWND edit = Edit(ES_AUTOHSCROLL | ES_PASSWORD, "secret");
    EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), '*');
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_COPY, 0, 0);
    SendMessageA(edit, WM_CUT, 0, 0);
    EXPECT_FALSE(ClipboardText(nullptr).has_value());
    EXPECT_EQ(Text(edit), "secret");
    SendMessageA(edit, EM_SETPASSWORDCHAR, 0, 0);
    EXPECT_EQ(GetWindowLongA(edit, GWL_STYLE) & ES_PASSWORD, 0);
    SendMessageA(edit, WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(nullptr), "secret");
    SendMessageA(edit, EM_SETPASSWORDCHAR, '#', 0);
    EXPECT_NE(GetWindowLongA(edit, GWL_STYLE) & ES_PASSWORD, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), '#');
    EXPECT_EQ(SendMessageA(Edit(ES_AUTOHSCROLL), EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(EditTest, NumberAndCaseStylesFilterWhatEnters) {
    HWND number = Edit(ES_AUTOHSCROLL | ES_NUMBER);
    for (unsigned char c : std::string("1a-2\xD6\xD0")) {
        Char(number, c);
    }
    EXPECT_EQ(Text(number), "12");

    HWND upper = Edit(ES_AUTOHSCROLL | ES_UPPERCASE, "ab\xD6\x61");
    EXPECT_EQ(Text(upper), "AB\xD6\x61");
    Char(upper, 'q');
    EXPECT_EQ(Text(upper), "QAB\xD6\x61");
    HWND lower = Edit(ES_AUTOHSCROLL | ES_LOWERCASE);
    SendMessageA(lower, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("MiX"));
    EXPECT_EQ(Text(lower), "mix");
}

TEST_F(EditTest, ClipboardMessagesCutCopyPasteAndClearTheSelection) {
    HWND edit = Edit(ES_AUTOHSCROLL, "alpha beta");
    SendMessageA(edit, EM_SETSEL, 0, 6);
    SendMessageA(edit, WM_CUT, 0, 0);
    EXPECT_EQ(ClipboardText(nullptr), "alpha ");
    EXPECT_EQ(Text(edit), "beta");
    EXPECT_EQ(Codes(edit), kChanged);
    SendMessageA(edit, EM_SETSEL, 4, 4);
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(edit), "betaalpha ");
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{10}, DWORD{10}));

    PutClipboardText(nullptr, "one\r\ntwo");
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(edit), "one");
    SendMessageA(edit, EM_SETSEL, 0, 1);
    SendMessageA(edit, WM_CLEAR, 0, 0);
    EXPECT_EQ(Text(edit), "ne");

    HWND multi = Edit(ES_MULTILINE);
    SendMessageA(multi, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(multi), "one\r\ntwo");

    ResetClipboardForTesting();
    Log().Clear();
    SendMessageA(multi, WM_PASTE, 0, 0);
    EXPECT_TRUE(Codes(multi).empty());
}

TEST_F(EditTest, ControlKeysCopyPasteCutAndUndo) {
    HWND edit = Edit(ES_AUTOHSCROLL, "word");
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    Press('C', false, true);
    EXPECT_EQ(ClipboardText(nullptr), "word");
    Press('X', false, true);
    EXPECT_EQ(Text(edit), "");
    Press('V', false, true);
    Press('V', false, true);
    EXPECT_EQ(Text(edit), "wordword");
    Press('Z', false, true);
    EXPECT_EQ(Text(edit), "word");
    // Ctrl+A is no command of this edit control.
    Press('A', false, true);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{4}, DWORD{4}));
}

TEST_F(EditTest, UndoSwapsWithTheLastChangeAndCanBeEmptied) {
    HWND edit = Edit(ES_AUTOHSCROLL, "abc");
    EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("xyz"));
    EXPECT_TRUE(SendMessageA(edit, EM_CANUNDO, 0, 0));
    Log().Clear();
    EXPECT_TRUE(SendMessageA(edit, EM_UNDO, 0, 0));
    EXPECT_EQ(Text(edit), "abc");
    EXPECT_EQ(Codes(edit), kChanged);
    SendMessageA(edit, WM_UNDO, 0, 0);
    EXPECT_EQ(Text(edit), "xyz");
    SendMessageA(edit, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_FALSE(SendMessageA(edit, EM_UNDO, 0, 0));
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("!"));
    EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));

    EXPECT_TRUE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
    SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
    EXPECT_FALSE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
    SetWindowTextA(edit, "reset");
    EXPECT_FALSE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
}

TEST_F(EditTest, DialogCodeWantsCharactersAndAllKeysOnlyWhereTheStyleSaysSo) {
    constexpr LRESULT kBase = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    EXPECT_EQ(SendMessageA(Edit(ES_AUTOHSCROLL), WM_GETDLGCODE, 0, 0), kBase);
    HWND multi = Edit(ES_MULTILINE);
    HWND wantsReturn = Edit(ES_MULTILINE | ES_WANTRETURN);
    EXPECT_EQ(SendMessageA(multi, WM_GETDLGCODE, 0, 0), kBase);
    EXPECT_EQ(SendMessageA(wantsReturn, WM_GETDLGCODE, 0, 0), kBase | DLGC_WANTALLKEYS);
    MSG enter{multi, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_EQ(SendMessageA(multi, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)),
              kBase);
    enter.hwnd = wantsReturn;
    EXPECT_EQ(SendMessageA(wantsReturn, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)),
              kBase | DLGC_WANTALLKEYS);
    MSG letter{multi, WM_KEYDOWN, 'A', 0, 0, {}};
    EXPECT_EQ(SendMessageA(multi, WM_GETDLGCODE, 'A', reinterpret_cast<LPARAM>(&letter)),
              kBase | DLGC_WANTALLKEYS);
    MSG tab{multi, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(SendMessageA(wantsReturn, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)),
              kBase);
}

TEST_F(EditTest, FocusCreatesTheCaretAndNotifies) {
    HWND edit = Edit(ES_AUTOHSCROLL, "abc");
    HWND other = Edit(ES_AUTOHSCROLL);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 2, 2);
    POINT caret{};
    ASSERT_TRUE(GetCaretPos(&caret));
    const LRESULT position = SendMessageA(edit, EM_POSFROMCHAR, 2, 0);
    EXPECT_GT(LOWORD(position), 1);
    EXPECT_EQ(caret.x, LOWORD(position));
    EXPECT_EQ(caret.y, HIWORD(position));
    EXPECT_TRUE(VisibleCaret(edit).has_value());
    SetFocus(other);
    EXPECT_FALSE(VisibleCaret(edit).has_value());
    EXPECT_EQ(Codes(edit), (std::vector<WORD>{EN_SETFOCUS, EN_KILLFOCUS}));
}

TEST_F(EditTest, MouseClickPlacesTheCaretDragSelectsDoubleClickTakesAWord) {
    HWND edit = Edit(ES_AUTOHSCROLL, "alpha beta");
    const auto x = [&](WPARAM offset) {
        return static_cast<int>(LOWORD(SendMessageA(edit, EM_POSFROMCHAR, offset, 0)));
    };
    InjectMouse(MOUSEEVENTF_LEFTDOWN, OnScreen(edit, x(2) + 1, 3));
    PumpUntilIdle();
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(GetCapture(), edit);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{2}, DWORD{2}));
    InjectMouse(0, OnScreen(edit, x(8) + 1, 3));
    InjectMouse(MOUSEEVENTF_LEFTUP, OnScreen(edit, x(8) + 1, 3));
    PumpUntilIdle();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{2}, DWORD{8}));

    InjectMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, OnScreen(edit, x(7) + 1, 3));
    InjectMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, OnScreen(edit, x(7) + 1, 3));
    PumpUntilIdle();
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{6}, DWORD{10}));
    EXPECT_EQ(SendMessageA(edit, EM_CHARFROMPOS, 0, MAKELPARAM(x(3) + 1, 2)), MAKELRESULT(3, 0));
}

TEST_F(EditTest, ScrollingMovesTheFirstVisibleLineAndNotifiesOnlyForScrollBars) {
    std::string text;
    for (int i = 0; i < 30; ++i) {
        text += "line\r\n";
    }
    HWND edit = Edit(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, text.c_str());
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_TRUE(SendMessageA(edit, EM_LINESCROLL, 0, 5));
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 5);
    EXPECT_TRUE(Codes(edit).empty());
    SendMessageA(edit, WM_VSCROLL, MAKEWPARAM(1, 0), 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 6);
    EXPECT_EQ(Codes(edit), std::vector<WORD>{EN_VSCROLL});
    SendMessageA(edit, EM_LINESCROLL, 0, -100);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(edit, EM_SCROLL, 1, 0), MAKELRESULT(1, TRUE));

    // The caret at the end scrolls into view.
    SendMessageA(edit, EM_SETSEL, text.size(), text.size());
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    const LRESULT first = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 20);
    EXPECT_EQ(HIWORD(SendMessageA(edit, EM_POSFROMCHAR, text.size() - 1, 0)) >= 0, true);
    EXPECT_FALSE(SendMessageA(Edit(ES_AUTOHSCROLL), EM_LINESCROLL, 0, 1));
}

TEST_F(EditTest, SingleLineWithoutAutoHScrollTakesOnlyWhatItsWidthShows) {
    HWND edit = Edit(0, "", {0, 0, 30, 20});
    for (int i = 0; i < 40; ++i) {
        Char(edit, 'w');
    }
    const int kept = GetWindowTextLengthA(edit);
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, 40);
    EXPECT_EQ(Codes(edit).back(), EN_MAXTEXT);
}

TEST_F(EditTest, PaintAsksTheParentForColoursAndShowsTheSelection) {
    HWND edit = Edit(ES_AUTOHSCROLL | ES_NOHIDESEL, "MMMM");
    EXPECT_EQ(PixelAt(edit, 150, 5), GetSysColor(COLOR_WINDOW));
    const auto ctl = Log().Of(WM_CTLCOLOREDIT);

    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    Log().Answer(WM_CTLCOLOREDIT,
                 [red](HWND, WPARAM, LPARAM) -> LRESULT { return reinterpret_cast<LRESULT>(red); });
    InvalidateRect(edit, nullptr, TRUE);
    PumpUntilIdle();
    const auto asked = Log().Of(WM_CTLCOLOREDIT);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back().hwnd, parent_);
    EXPECT_EQ(reinterpret_cast<HWND>(asked.back().lParam), edit);
    EXPECT_EQ(PixelAt(edit, 150, 5), RGB(255, 0, 0));

    SendMessageA(edit, EM_SETSEL, 0, -1);
    PumpUntilIdle();
    EXPECT_EQ(PixelAt(edit, 1, 1), GetSysColor(COLOR_HIGHLIGHT));

    Log().Clear();
    SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
    PumpUntilIdle();
    EXPECT_TRUE(Log().Of(WM_CTLCOLOREDIT).empty());
    EXPECT_FALSE(Log().Of(WM_CTLCOLORSTATIC).empty());
    EXPECT_EQ(PixelAt(edit, 150, 5), GetSysColor(COLOR_3DFACE));
    DeleteObject(red);
}

TEST_F(EditTest, AlignmentStylesPlaceTheTextAndDisabledEditsAskForStaticColours) {
    HWND left = Edit(ES_AUTOHSCROLL, "ab", {0, 0, 200, 20});
    HWND right = Edit(ES_RIGHT | ES_MULTILINE, "ab", {0, 30, 200, 50});
    HWND centre = Edit(ES_CENTER | ES_MULTILINE, "ab", {0, 60, 200, 80});
    const auto x = [](HWND edit) {
        return static_cast<int>(
            static_cast<short>(LOWORD(SendMessageA(edit, EM_POSFROMCHAR, 0, 0))));
    };
    EXPECT_EQ(x(left), 1);
    EXPECT_GT(x(right), 150);
    EXPECT_GT(x(centre), 60);
    EXPECT_LT(x(centre), x(right));

    Log().Clear();
    EnableWindow(left, FALSE);
    PumpUntilIdle();
    EXPECT_TRUE(Log().Of(WM_CTLCOLOREDIT).empty());
    ASSERT_FALSE(Log().Of(WM_CTLCOLORSTATIC).empty());
    EXPECT_EQ(reinterpret_cast<HWND>(Log().Of(WM_CTLCOLORSTATIC).back().lParam), left);
}

TEST_F(EditTest, HorizontalScrollBarMovesTheTextAndNotifies) {
    HWND edit = Edit(ES_AUTOHSCROLL, "a long line of text that does not fit", {0, 0, 40, 20});
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SendMessageA(edit, WM_HSCROLL, MAKEWPARAM(3, 0), 0);
    EXPECT_EQ(Codes(edit), std::vector<WORD>{EN_HSCROLL});
    EXPECT_GT(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_LT(static_cast<short>(LOWORD(SendMessageA(edit, EM_POSFROMCHAR, 0, 0))), 0);
    SendMessageA(edit, WM_HSCROLL, MAKEWPARAM(6, 0), 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    // Typing at the end keeps the caret in view.
    SendMessageA(edit, EM_SETSEL, 100, 100);
    Char(edit, 'z');
    EXPECT_GT(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    const int caretX = static_cast<short>(LOWORD(SendMessageA(edit, EM_POSFROMCHAR, 37, 0)));
    EXPECT_GE(caretX, 0);
    EXPECT_LT(caretX, 40);
}

}  // namespace
}  // namespace platform
