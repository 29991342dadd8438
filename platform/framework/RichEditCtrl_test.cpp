#include "platform/framework/RichEditCtrl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/windows/WindowPlatform.h"

namespace {

class CHost : public CWnd {
public:
    std::vector<std::string> events;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) == EN_CHANGE) {
            events.push_back("change");
        }
        return CWnd::OnCommand(wParam, lParam);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        const auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == EN_SELCHANGE) {
            const auto* change = reinterpret_cast<SELCHANGE*>(lParam);
            events.push_back("selection " + std::to_string(change->chrg.cpMin) + "-" +
                             std::to_string(change->chrg.cpMax));
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

class RichEditCtrlWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        ASSERT_TRUE(AfxInitRichEdit());
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 40, 40, 400, 300,
                                  nullptr, nullptr));
        ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL,
                                CRect(0, 0, 380, 280), &host, 1083));
    }
    void TearDown() override {
        edit.DestroyWindow();
        host.DestroyWindow();
        platform::ResetWindowSystemForTesting();
    }

    CHost host;
    CRichEditCtrl edit;
};

TEST_F(RichEditCtrlWrapperTest, TextSelectionAndLinesCountBytes) {
    CString className;
    ::GetClassNameA(edit.m_hWnd, className.GetBuffer(64), 64);
    className.ReleaseBuffer();
    EXPECT_STREQ(className, "RICHEDIT");

    edit.SetWindowText("第一行\r\nline2");
    EXPECT_EQ(edit.GetTextLength(), 13);
    edit.SetSel(0, 4);
    EXPECT_STREQ(edit.GetSelText(), "第一");
    long start = -1;
    long end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 4);

    CString range;
    EXPECT_EQ(edit.GetTextRange(8, -1, range), 5);
    EXPECT_STREQ(range, "line2");
    EXPECT_EQ(edit.GetTextRange(4, 6, range), 2);
    EXPECT_STREQ(range, "行");
    EXPECT_EQ(edit.GetTextRange(6, 2, range), 0);
    EXPECT_STREQ(range, "");

    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.LineIndex(1), 8);
    EXPECT_EQ(edit.LineFromChar(9), 1);
    EXPECT_EQ(edit.LineLength(8), 5);
    char line[16] = {};
    EXPECT_EQ(edit.GetLine(0, line, sizeof(line)), 6);
    EXPECT_EQ(std::string(line, 6), "第一行");

    edit.SetSel(0, -1);
    edit.ReplaceSel("新", TRUE);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "新");
    EXPECT_TRUE(edit.CanUndo());
    EXPECT_TRUE(edit.Undo());
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "第一行\r\nline2");
}

TEST_F(RichEditCtrlWrapperTest, CharacterAndParagraphFormatsOfTheSelection) {
    CHARFORMAT base{};
    base.dwMask = CFM_SIZE | CFM_COLOR;
    base.yHeight = 180;
    base.crTextColor = RGB(0, 0, 255);
    EXPECT_TRUE(edit.SetDefaultCharFormat(base));
    EXPECT_EQ(base.cbSize, sizeof(CHARFORMAT));
    edit.SetWindowText("plain bold");

    edit.SetSel(6, 10);
    CHARFORMAT bold{};
    bold.dwMask = CFM_BOLD | CFM_FACE;
    bold.dwEffects = CFE_BOLD;
    std::strcpy(bold.szFaceName, "宋体");
    EXPECT_TRUE(edit.SetSelectionCharFormat(bold));

    CHARFORMAT read{};
    const DWORD same = edit.GetSelectionCharFormat(read);
    EXPECT_NE(same & CFM_BOLD, 0u);
    EXPECT_NE(read.dwEffects & CFE_BOLD, 0u);
    EXPECT_STREQ(read.szFaceName, "宋体");
    EXPECT_EQ(read.yHeight, 180);
    EXPECT_EQ(read.crTextColor, RGB(0, 0, 255));

    // Over plain and bold text the bold bit is not the same everywhere.
    edit.SetSel(0, 10);
    EXPECT_EQ(edit.GetSelectionCharFormat(read) & CFM_BOLD, 0u);
    CHARFORMAT defaults{};
    edit.GetDefaultCharFormat(defaults);
    EXPECT_EQ(defaults.dwEffects & CFE_BOLD, 0u);
    EXPECT_EQ(defaults.yHeight, 180);

    PARAFORMAT centred{};
    centred.dwMask = PFM_ALIGNMENT;
    centred.wAlignment = PFA_CENTER;
    EXPECT_TRUE(edit.SetParaFormat(centred));
    PARAFORMAT paragraph{};
    EXPECT_NE(edit.GetParaFormat(paragraph) & PFM_ALIGNMENT, 0u);
    EXPECT_EQ(paragraph.wAlignment, PFA_CENTER);
}

TEST_F(RichEditCtrlWrapperTest, EventsFollowTheMaskAndReadOnlyRefusesEditing) {
    EXPECT_EQ(
        edit.SetEventMask(static_cast<DWORD>(edit.GetEventMask()) | ENM_SELCHANGE | ENM_CHANGE),
        0u);
    EXPECT_EQ(edit.GetEventMask(), static_cast<long>(ENM_SELCHANGE | ENM_CHANGE));
    host.events.clear();
    edit.ReplaceSel("abc");
    edit.SetSel(1, 2);
    EXPECT_NE(std::find(host.events.begin(), host.events.end(), "change"), host.events.end());
    EXPECT_EQ(host.events.back(), "selection 1-2");

    edit.SetBackgroundColor(FALSE, RGB(1, 2, 3));
    EXPECT_EQ(edit.SetBackgroundColor(FALSE, RGB(255, 255, 255)), RGB(1, 2, 3));

    EXPECT_TRUE(edit.SetReadOnly());
    EXPECT_EQ(edit.GetStyle() & ES_READONLY, static_cast<DWORD>(ES_READONLY));
    edit.SetSel(0, -1);
    edit.Cut();
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "abc");
    EXPECT_TRUE(edit.SetReadOnly(FALSE));
    edit.Cut();
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "");
    edit.Paste();
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "abc");
}

}  // namespace
