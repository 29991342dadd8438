#include "platform/framework/Edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/GlobalMemory.h"
#include "platform/controls/Clipboard.h"
#include "platform/framework/WrapperTest.h"
#include "platform/windows/WindowPlatform.h"

namespace {

class EditWrapperTest : public platform::testing::WrapperTest {
protected:
    EditWrapperTest() : WrapperTest(400, 300) {}

    static std::string TextOf(const CWnd& window) {
        CString text;
        window.GetWindowText(text);
        return static_cast<LPCSTR>(text);
    }
};

TEST_F(EditWrapperTest, SelectionAndReplacementWorkOnTheControlsText) {
    CEdit edit;
    ASSERT_TRUE(
        edit.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(0, 0, 200, 24), &host, 1018));
    edit.SetWindowText("hello world");
    edit.SetSel(6, 11);
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 6);
    EXPECT_EQ(end, 11);
    EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(6, 11)));

    host.commands.clear();
    edit.ReplaceSel("中文", TRUE);
    EXPECT_EQ(TextOf(edit), "hello 中文");
    EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(10, 10)));
    EXPECT_EQ(host.commands.back(), MAKEWPARAM(1018, EN_CHANGE));
    EXPECT_TRUE(edit.GetModify());
    edit.SetModify(FALSE);
    EXPECT_FALSE(edit.GetModify());

    EXPECT_TRUE(edit.CanUndo());
    EXPECT_TRUE(edit.Undo());
    EXPECT_EQ(TextOf(edit), "hello world");
    edit.EmptyUndoBuffer();
    EXPECT_FALSE(edit.CanUndo());

    // The packed form: (0, -1) selects everything.
    edit.SetSel(MAKELONG(0, -1));
    EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(0, 11)));
}

TEST_F(EditWrapperTest, ClipboardMembersMoveTheSelection) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 200, 24), &host, 1));
    edit.SetWindowText("abcdef");
    edit.SetSel(1, 3);
    edit.Copy();
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE data = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(::GlobalLock(data)), "bc");
    ::GlobalUnlock(data);
    ::CloseClipboard();

    edit.Cut();
    EXPECT_EQ(TextOf(edit), "adef");
    edit.SetSel(4, 4);
    edit.Paste();
    EXPECT_EQ(TextOf(edit), "adefbc");
    edit.SetSel(0, 2);
    edit.Clear();
    EXPECT_EQ(TextOf(edit), "efbc");
}

TEST_F(EditWrapperTest, LimitsReadOnlyAndPasswordCharacter) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 200, 24), &host, 1004));
    edit.LimitText(4);
    EXPECT_EQ(edit.GetLimitText(), 4u);
    edit.SetLimitText(6);
    EXPECT_EQ(edit.GetLimitText(), 6u);
    edit.SetWindowText("");
    edit.ReplaceSel("1234567890");
    EXPECT_EQ(TextOf(edit), "123456");

    EXPECT_TRUE(edit.SetReadOnly());
    EXPECT_EQ(edit.GetStyle() & ES_READONLY, static_cast<DWORD>(ES_READONLY));
    EXPECT_TRUE(edit.SetReadOnly(FALSE));
    EXPECT_EQ(edit.GetStyle() & ES_READONLY, 0u);

    EXPECT_EQ(edit.GetPasswordChar(), '\0');
    edit.SetPasswordChar('*');
    EXPECT_EQ(edit.GetPasswordChar(), '*');
}

TEST_F(EditWrapperTest, LinesOfAMultiLineEdit) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN,
                            CRect(0, 0, 300, 120), &host, 1016));
    edit.SetWindowText("first\r\n第二行\r\nthird");
    EXPECT_EQ(edit.GetLineCount(), 3);
    EXPECT_EQ(edit.LineIndex(0), 0);
    EXPECT_EQ(edit.LineIndex(1), 7);
    EXPECT_EQ(edit.LineIndex(2), 15);
    EXPECT_EQ(edit.LineIndex(3), -1);
    EXPECT_EQ(edit.LineLength(7), 6);
    EXPECT_EQ(edit.LineFromChar(16), 2);
    edit.SetSel(8, 8);
    EXPECT_EQ(edit.LineFromChar(), 1);
    EXPECT_EQ(edit.LineIndex(), 7);

    char buffer[16] = {};
    EXPECT_EQ(edit.GetLine(1, buffer, sizeof(buffer)), 6);
    EXPECT_EQ(std::string(buffer, 6), "第二行");
    // Too small for the whole line: cut at a character boundary, never inside one.
    char small[5] = {};
    EXPECT_EQ(edit.GetLine(1, small, sizeof(small)), 4);
    EXPECT_EQ(std::string(small, 4), "第二");
    char tiny[1] = {'x'};
    EXPECT_EQ(edit.GetLine(0, tiny, 1), 0);
    EXPECT_EQ(tiny[0], 'x');

    const CPoint first = edit.PosFromChar(0);
    const CPoint second = edit.PosFromChar(7);
    EXPECT_EQ(first.x, second.x);
    EXPECT_GT(second.y, first.y);
    EXPECT_EQ(LOWORD(edit.CharFromPos(second)), 7);
    EXPECT_EQ(HIWORD(edit.CharFromPos(second)), 1);
}

}  // namespace
