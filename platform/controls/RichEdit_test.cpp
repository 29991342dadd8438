#include "platform/controls/RichEdit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/Clipboard.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/controls/ViewTest.h"
#include "platform/drawing/Surface.h"

namespace platform::testing {
namespace {

constexpr int kEditId = 1083;

struct SelectionNotice {
    LONG from;
    LONG to;
    WORD type;
};

class RichEditTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        RegisterRichEditClass();
        ResetClipboardForTesting();
        extra_ = [this](Notice& notice, LPARAM lParam) {
            if (notice.code == EN_SELCHANGE) {
                const auto& change = *reinterpret_cast<const SELCHANGE*>(lParam);
                selections_.push_back({change.chrg.cpMin, change.chrg.cpMax, change.seltyp});
            }
        };
        edit_ = CreateWindowExA(
            0, RICHEDIT_CLASS10A, "",
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN, 10, 10, 300, 200,
            parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), nullptr, nullptr);
        ASSERT_NE(edit_, nullptr);
    }
    void TearDown() override {
        ResetClipboardForTesting();
        ViewTest::TearDown();
    }

    std::string Text() const {
        std::string buffer(static_cast<size_t>(GetWindowTextLengthA(edit_)) + 1, '\0');
        GetWindowTextA(edit_, buffer.data(), static_cast<int>(buffer.size()));
        return buffer.c_str();
    }
    void SetSel(LONG from, LONG to) const {
        CHARRANGE range{from, to};
        SendMessageA(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    CHARRANGE Sel() const {
        CHARRANGE range{};
        SendMessageA(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return range;
    }
    void Type(const std::string& text) const {
        for (char c : text) {
            SendMessageA(edit_, WM_CHAR, static_cast<unsigned char>(c), 0);
        }
    }
    CHARFORMATA SelectionFormat(DWORD* mask = nullptr) const {
        CHARFORMATA format{};
        format.cbSize = sizeof(format);
        const auto got = static_cast<DWORD>(SendMessageA(edit_, EM_GETCHARFORMAT, SCF_SELECTION,
                                                         reinterpret_cast<LPARAM>(&format)));
        if (mask != nullptr) {
            *mask = got;
        }
        return format;
    }
    std::vector<UINT> CommandCodes() {
        std::vector<UINT> codes;
        for (const LoggedMessage& entry : Log().Of(WM_COMMAND)) {
            if (reinterpret_cast<HWND>(entry.lParam) == edit_) {
                EXPECT_EQ(LOWORD(entry.wParam), kEditId);
                codes.push_back(HIWORD(entry.wParam));
            }
        }
        return codes;
    }

    HWND edit_ = nullptr;
    std::vector<SelectionNotice> selections_;
};

TEST_F(RichEditTest, BothClassNamesMakeTheControlAndTextKeepsCrLf) {
    HWND other = CreateWindowExA(0, RICHEDIT_CLASSA, "a\nb", WS_CHILD | ES_MULTILINE, 0, 0, 50, 50,
                                 parent_, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    char buffer[16] = {};
    GetWindowTextA(other, buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "a\r\nb");

    SetWindowTextA(edit_, "第一行\n第二行");
    EXPECT_EQ(Text(), "第一行\r\n第二行");
    EXPECT_EQ(GetWindowTextLengthA(edit_), 14);
    EXPECT_EQ(GetWindowTextA(edit_, buffer, 6), 4);
    EXPECT_EQ(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(edit_, EM_LINEINDEX, 1, 0), 8);
    EXPECT_EQ(SendMessageA(edit_, EM_LINELENGTH, 9, 0), 6);
    EXPECT_EQ(SendMessageA(edit_, EM_LINEFROMCHAR, 8, 0), 1);
    EXPECT_EQ(SendMessageA(edit_, EM_EXLINEFROMCHAR, 0, 3), 0);
    char line[16] = {};
    const WORD capacity = 4;
    std::memcpy(line, &capacity, sizeof(capacity));
    EXPECT_EQ(SendMessageA(edit_, EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 4);
    EXPECT_EQ(std::string(line, 4), "第二");
}

TEST_F(RichEditTest, SelectionsSnapToCharactersAndRangesReadText) {
    SetWindowTextA(edit_, "中文ab\r\ncd");
    SetSel(1, 5);
    CHARRANGE range = Sel();
    EXPECT_EQ(range.cpMin, 0);
    EXPECT_EQ(range.cpMax, 5);
    SetSel(0, 7);
    EXPECT_EQ(Sel().cpMax, 6);
    SetSel(0, -1);
    EXPECT_EQ(Sel().cpMax, 10);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0U);
    EXPECT_EQ(end, 10U);
    SendMessageA(edit_, EM_SETSEL, 2, 4);
    char selected[16] = {};
    EXPECT_EQ(SendMessageA(edit_, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(selected)), 2);
    EXPECT_STREQ(selected, "文");
    EXPECT_EQ(SendMessageA(edit_, EM_SELECTIONTYPE, 0, 0), SEL_TEXT | SEL_MULTICHAR);

    char text[16] = {};
    TEXTRANGEA request{{4, -1}, text};
    EXPECT_EQ(SendMessageA(edit_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request)), 6);
    EXPECT_STREQ(text, "ab\r\ncd");
    request.chrg = CHARRANGE{8, 3};
    EXPECT_EQ(SendMessageA(edit_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request)), 0);
}

TEST_F(RichEditTest, EventsFollowTheEventMask) {
    SetWindowTextA(edit_, "abc");
    EXPECT_TRUE(CommandCodes().empty());
    SetSel(1, 2);
    EXPECT_TRUE(selections_.empty());
    EXPECT_EQ(SendMessageA(edit_, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE), 0);
    EXPECT_EQ(SendMessageA(edit_, EM_GETEVENTMASK, 0, 0), ENM_CHANGE | ENM_SELCHANGE);
    SetSel(0, 3);
    ASSERT_EQ(selections_.size(), 1U);
    EXPECT_EQ(selections_[0].from, 0);
    EXPECT_EQ(selections_[0].to, 3);
    EXPECT_EQ(selections_[0].type, SEL_TEXT | SEL_MULTICHAR);
    const auto notices = Only({EN_SELCHANGE});
    ASSERT_EQ(notices.size(), 1U);
    EXPECT_EQ(notices[0].from, edit_);
    EXPECT_EQ(notices[0].id, static_cast<UINT_PTR>(kEditId));
    // The same selection again says nothing.
    SetSel(0, 3);
    EXPECT_EQ(selections_.size(), 1U);

    notices_.clear();
    Log().Clear();
    Type("x");
    EXPECT_EQ(Text(), "x");
    ASSERT_EQ(selections_.size(), 2U);
    EXPECT_EQ(selections_[1].from, 1);
    EXPECT_EQ(selections_[1].type, SEL_EMPTY);
    EXPECT_EQ(CommandCodes(), std::vector<UINT>{EN_CHANGE});
    // The selection notice comes before the change.
    const auto order = Log().Only({WM_NOTIFY, WM_COMMAND});
    ASSERT_EQ(order.size(), 2U);
    EXPECT_EQ(order[0].second, static_cast<UINT>(WM_NOTIFY));
}

TEST_F(RichEditTest, TypingInsertsCharactersLineEndsAndTwoByteCharacters) {
    SendMessageA(edit_, EM_SETEVENTMASK, 0, ENM_CHANGE);
    Type("ab\r");
    const std::string chinese = "中";
    Type(chinese);
    EXPECT_EQ(Text(), "ab\r\n中");
    EXPECT_EQ(Sel().cpMin, 6);
    SendMessageA(edit_, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(Text(), "ab\r\n");
    SendMessageA(edit_, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(Text(), "ab");
    SetFocus(edit_);
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(Text(), "b");
    // Control characters other than the editing ones are not text.
    SendMessageA(edit_, WM_CHAR, 0x03, 0);
    EXPECT_EQ(Text(), "b");
}

TEST_F(RichEditTest, InjectedKeysTypeAndMoveTheCaret) {
    SetFocus(edit_);
    Key('A');
    Key('B');
    EXPECT_EQ(Text(), "ab");
    InjectKey(VK_SHIFT, true);
    Key(VK_LEFT);
    InjectKey(VK_SHIFT, false);
    CHARRANGE range = Sel();
    EXPECT_EQ(range.cpMin, 1);
    EXPECT_EQ(range.cpMax, 2);
    Key('C');
    EXPECT_EQ(Text(), "ac");
}

TEST_F(RichEditTest, CharacterFormatsApplyToTheSelectionAndReportMixedRanges) {
    SetWindowTextA(edit_, "hello world");
    SetSel(0, 5);
    CHARFORMATA bold{};
    bold.cbSize = sizeof(bold);
    bold.dwMask = CFM_BOLD | CFM_COLOR | CFM_SIZE | CFM_FACE;
    bold.dwEffects = CFE_BOLD;
    bold.crTextColor = RGB(255, 0, 0);
    bold.yHeight = 14 * 20;
    std::strcpy(bold.szFaceName, "黑体");
    ASSERT_TRUE(
        SendMessageA(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold)));
    DWORD mask = 0;
    CHARFORMATA got = SelectionFormat(&mask);
    EXPECT_EQ(mask, static_cast<DWORD>(CFM_ALL));
    EXPECT_EQ(got.dwEffects & CFE_BOLD, static_cast<DWORD>(CFE_BOLD));
    EXPECT_EQ(got.crTextColor, RGB(255, 0, 0));
    EXPECT_EQ(got.yHeight, 280);
    EXPECT_STREQ(got.szFaceName, "黑体");

    SetSel(3, 8);
    got = SelectionFormat(&mask);
    EXPECT_EQ(mask & (CFM_BOLD | CFM_COLOR | CFM_SIZE | CFM_FACE), 0U);
    EXPECT_EQ(mask & CFM_ITALIC, static_cast<DWORD>(CFM_ITALIC));

    // A default format (blue, 9 points) reaches only the text never formatted.
    CHARFORMATA standard{};
    standard.cbSize = sizeof(standard);
    standard.dwMask = CFM_COLOR | CFM_SIZE;
    standard.crTextColor = RGB(0, 0, 255);
    standard.yHeight = 180;
    ASSERT_TRUE(
        SendMessageA(edit_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&standard)));
    SetSel(6, 11);
    EXPECT_EQ(SelectionFormat().crTextColor, RGB(0, 0, 255));
    SetSel(0, 2);
    EXPECT_EQ(SelectionFormat().crTextColor, RGB(255, 0, 0));
    CHARFORMATA defaults{};
    defaults.cbSize = sizeof(defaults);
    SendMessageA(edit_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&defaults));
    EXPECT_EQ(defaults.crTextColor, RGB(0, 0, 255));
    EXPECT_EQ(defaults.yHeight, 180);

    CHARFORMATA small{};
    small.cbSize = 8;
    EXPECT_FALSE(
        SendMessageA(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&small)));
    EXPECT_EQ(SendMessageA(edit_, EM_GETCHARFORMAT, SCF_SELECTION, 0), 0);
}

TEST_F(RichEditTest, AFormatSetOnTheCaretIsTheFormatOfWhatIsTypedNext) {
    SetWindowTextA(edit_, "ab");
    SetSel(2, 2);
    CHARFORMATA italic{};
    italic.cbSize = sizeof(italic);
    italic.dwMask = CFM_ITALIC;
    italic.dwEffects = CFE_ITALIC;
    SendMessageA(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&italic));
    EXPECT_EQ(SelectionFormat().dwEffects & CFE_ITALIC, static_cast<DWORD>(CFE_ITALIC));
    Type("cd");
    SetSel(2, 4);
    EXPECT_EQ(SelectionFormat().dwEffects & CFE_ITALIC, static_cast<DWORD>(CFE_ITALIC));
    SetSel(0, 2);
    EXPECT_EQ(SelectionFormat().dwEffects & CFE_ITALIC, 0U);
}

TEST_F(RichEditTest, ParagraphAlignmentCoversTheSelectedParagraphs) {
    SetWindowTextA(edit_, "one\ntwo\nthree");
    SetSel(6, 6);
    PARAFORMAT format{};
    format.cbSize = sizeof(format);
    format.dwMask = PFM_ALIGNMENT;
    format.wAlignment = PFA_CENTER;
    ASSERT_TRUE(SendMessageA(edit_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format)));
    PARAFORMAT got{};
    got.cbSize = sizeof(got);
    SetSel(5, 5);
    const auto mask = static_cast<DWORD>(
        SendMessageA(edit_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&got)));
    EXPECT_EQ(mask & PFM_ALIGNMENT, static_cast<DWORD>(PFM_ALIGNMENT));
    EXPECT_EQ(got.wAlignment, PFA_CENTER);
    SetSel(0, 12);
    got.cbSize = sizeof(got);
    SendMessageA(edit_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got.dwMask & PFM_ALIGNMENT, 0U);
    format.wAlignment = 7;
    EXPECT_FALSE(SendMessageA(edit_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format)));
}

TEST_F(RichEditTest, ReadOnlyRefusesTheUserButNotTheProgram) {
    SetWindowTextA(edit_, "keep");
    ASSERT_TRUE(SendMessageA(edit_, EM_SETREADONLY, TRUE, 0));
    EXPECT_EQ(GetWindowLongA(edit_, GWL_STYLE) & ES_READONLY, ES_READONLY);
    SetSel(0, 2);
    Type("x");
    SendMessageA(edit_, WM_CUT, 0, 0);
    SendMessageA(edit_, WM_CLEAR, 0, 0);
    EXPECT_EQ(Text(), "keep");
    SendMessageA(edit_, WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(nullptr), std::optional<std::string>("ke"));
    SendMessageA(edit_, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "keep");
    EXPECT_FALSE(SendMessageA(edit_, EM_CANPASTE, 0, 0));
    SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("KE"));
    EXPECT_EQ(Text(), "KEep");
    SendMessageA(edit_, EM_SETREADONLY, FALSE, 0);
    EXPECT_EQ(GetWindowLongA(edit_, GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(RichEditTest, ClipboardCommandsMoveTheSelection) {
    SetWindowTextA(edit_, "cut me");
    EXPECT_FALSE(SendMessageA(edit_, EM_CANPASTE, 0, 0));
    SetSel(0, 4);
    SendMessageA(edit_, WM_CUT, 0, 0);
    EXPECT_EQ(Text(), "me");
    EXPECT_EQ(ClipboardText(nullptr), std::optional<std::string>("cut "));
    EXPECT_TRUE(SendMessageA(edit_, EM_CANPASTE, 0, 0));
    EXPECT_FALSE(SendMessageA(edit_, EM_CANPASTE, 2, 0));
    SetSel(2, 2);
    SendMessageA(edit_, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "mecut ");
    PutClipboardText(nullptr, "x\ny");
    SendMessageA(edit_, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "mecut x\r\ny");
}

TEST_F(RichEditTest, UndoRevertsTheLastStepAndUndoingAgainRedoes) {
    EXPECT_FALSE(SendMessageA(edit_, EM_CANUNDO, 0, 0));
    Type("abc");
    EXPECT_TRUE(SendMessageA(edit_, EM_CANUNDO, 0, 0));
    ASSERT_TRUE(SendMessageA(edit_, EM_UNDO, 0, 0));
    EXPECT_EQ(Text(), "");
    ASSERT_TRUE(SendMessageA(edit_, EM_UNDO, 0, 0));
    EXPECT_EQ(Text(), "abc");
    SetSel(0, 1);
    SendMessageA(edit_, WM_CUT, 0, 0);
    EXPECT_EQ(Text(), "bc");
    SendMessageA(edit_, WM_UNDO, 0, 0);
    EXPECT_EQ(Text(), "abc");
    CHARRANGE range = Sel();
    EXPECT_EQ(range.cpMin, 0);
    EXPECT_EQ(range.cpMax, 1);
    // Setting the text forgets what could be undone.
    SetWindowTextA(edit_, "new");
    EXPECT_FALSE(SendMessageA(edit_, EM_UNDO, 0, 0));
}

TEST_F(RichEditTest, TheLimitStopsTypingWithEnMaxText) {
    SendMessageA(edit_, EM_EXLIMITTEXT, 0, 3);
    Type("abcd");
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(CommandCodes(), std::vector<UINT>{EN_MAXTEXT});
}

TEST_F(RichEditTest, AFontBecomesTheDefaultFormatAndFocusIsReported) {
    HFONT font = CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "黑体");
    SetWindowTextA(edit_, "text");
    SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(SendMessageA(edit_, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
    CHARFORMATA format{};
    format.cbSize = sizeof(format);
    SendMessageA(edit_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ(format.szFaceName, "黑体");
    EXPECT_EQ(format.yHeight, 240);
    EXPECT_EQ(format.dwEffects & CFE_BOLD, static_cast<DWORD>(CFE_BOLD));
    EXPECT_EQ(format.bCharSet, GB2312_CHARSET);
    SetSel(0, 4);
    EXPECT_STREQ(SelectionFormat().szFaceName, "黑体");

    EXPECT_EQ(SendMessageA(edit_, WM_GETDLGCODE, 0, 0),
              DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | DLGC_WANTALLKEYS);
    SetFocus(edit_);
    SetFocus(parent_);
    EXPECT_EQ(CommandCodes(), (std::vector<UINT>{0x0100, 0x0200}));
    DestroyWindow(edit_);
    DeleteObject(font);
}

TEST_F(RichEditTest, LongParagraphsWrapAtSpacesUnlessTheStyleScrollsSideways) {
    std::string words;
    for (int i = 0; i < 300; ++i) {
        words += "word" + std::to_string(i % 10) + " ";
    }
    SetWindowTextA(edit_, words.c_str());
    SetSel(static_cast<LONG>(words.size()), static_cast<LONG>(words.size()));
    SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0), 1);
    const auto first = SendMessageA(edit_, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 3);
    // Every screen line starts at a word.
    Click(edit_, POINT{0, 150});
    const LONG caret = Sel().cpMin;
    ASSERT_GT(caret, 0);
    EXPECT_EQ(words[static_cast<size_t>(caret) - 1], ' ');
    EXPECT_EQ(words.compare(static_cast<size_t>(caret), 4, "word"), 0);
    SendMessageA(edit_, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(SendMessageA(edit_, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    HWND wide = CreateWindowExA(0, RICHEDIT_CLASS10A, words.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_HSCROLL | ES_MULTILINE, 10, 220, 300, 60,
                                parent_, nullptr, nullptr, nullptr);
    SendMessageA(wide, EM_SETSEL, words.size(), words.size());
    SendMessageA(wide, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(SendMessageA(wide, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

struct StreamBuffer {
    std::string data;
    size_t read = 0;
    std::vector<LONG> chunks;
};

DWORD CALLBACK WriteStream(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* done) {
    auto* buffer = reinterpret_cast<StreamBuffer*>(cookie);
    buffer->data.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
    buffer->chunks.push_back(count);
    *done = count;
    return 0;
}

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* done) {
    auto* buffer = reinterpret_cast<StreamBuffer*>(cookie);
    const size_t take = std::min(static_cast<size_t>(count), buffer->data.size() - buffer->read);
    std::memcpy(bytes, buffer->data.data() + buffer->read, take);
    buffer->read += take;
    *done = static_cast<LONG>(take);
    return 0;
}

DWORD CALLBACK FailingStream(DWORD_PTR, LPBYTE, LONG, LONG* done) {
    *done = 0;
    return 5;
}

TEST_F(RichEditTest, TextStreamsInAndOut) {
    StreamBuffer in;
    in.data = std::string(5000, 'x') + "\n末尾";
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&in), 0, &ReadStream};
    EXPECT_EQ(SendMessageA(edit_, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream)), 5005);
    EXPECT_EQ(GetWindowTextLengthA(edit_), 5006);

    StreamBuffer out;
    stream = EDITSTREAM{reinterpret_cast<DWORD_PTR>(&out), 0, &WriteStream};
    EXPECT_EQ(SendMessageA(edit_, EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&stream)), 5006);
    EXPECT_EQ(out.data, std::string(5000, 'x') + "\r\n末尾");
    EXPECT_EQ(out.chunks, (std::vector<LONG>{4096, 910}));

    SetSel(5002, 5006);
    StreamBuffer part;
    stream = EDITSTREAM{reinterpret_cast<DWORD_PTR>(&part), 0, &WriteStream};
    SendMessageA(edit_, EM_STREAMOUT, SF_TEXT | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
    EXPECT_EQ(part.data, "末尾");

    stream = EDITSTREAM{0, 0, &FailingStream};
    EXPECT_EQ(SendMessageA(edit_, EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&stream)), 0);
    EXPECT_EQ(stream.dwError, 5U);
    EXPECT_EQ(SendMessageA(edit_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream)), 0);
    EXPECT_EQ(GetWindowTextLengthA(edit_), 5006);
}

TEST_F(RichEditTest, BackgroundSelectionAndClicksShowOnTheScreen) {
    InstallScreen();
    SetWindowTextA(edit_, "WWWWWWWW\r\nsecond");
    EXPECT_EQ(SendMessageA(edit_, EM_SETBKGNDCOLOR, 0, RGB(200, 220, 240)),
              static_cast<LRESULT>(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(SendMessageA(edit_, EM_SETBKGNDCOLOR, 0, RGB(200, 220, 240)), RGB(200, 220, 240));
    SetFocus(edit_);
    SetSel(0, 8);
    PumpUntilIdle();
    Surface picture = CaptureWindow(edit_);
    EXPECT_EQ(ColorFromPixel(picture.At(250, 150)), RGB(200, 220, 240));
    EXPECT_EQ(ColorFromPixel(picture.At(2, 2)), GetSysColor(COLOR_HIGHLIGHT));

    // A click right of the first line puts the caret at its end; below the text, into the last
    // line.
    Click(edit_, POINT{280, 5});
    CHARRANGE range = Sel();
    EXPECT_EQ(range.cpMin, 8);
    EXPECT_EQ(range.cpMax, 8);
    Click(edit_, POINT{0, 190});
    EXPECT_EQ(Sel().cpMin, 10);
    Click(edit_, POINT{280, 190});
    EXPECT_EQ(Sel().cpMin, 16);
    Click(edit_, POINT{0, 5});
    EXPECT_EQ(Sel().cpMin, 0);
    SendMessageA(edit_, EM_SETBKGNDCOLOR, 1, 0);
    PumpUntilIdle();
    picture = CaptureWindow(edit_);
    EXPECT_EQ(ColorFromPixel(picture.At(250, 150)), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace platform::testing
