#include "manager/NoteEditorDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "manager/AccountFile.h"
#include "manager/DiaryMonthFile.h"
#include "manager/DiaryPage.h"
#include "manager/DiaryTest.h"
#include "manager/ManagerTest.h"
#include "platform/drawing/FontFaces.h"
#include "platform/files/Path.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

class NoteEditorDlgTest : public ManagerAppTest {
protected:
    HWND PageWindow() { return Main().Page(6)->m_hWnd; }
    HWND Editor() { return ::FindWindowA(nullptr, "笔记编辑器"); }
    CNoteEditorDlg* Dialog() {
        return static_cast<CNoteEditorDlg*>(CWnd::FromHandlePermanent(Editor()));
    }
    void PostClick(HWND window, int id) {
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
    }
    // The steps that log tom1 in, put `text` in the page's editor and open the note editor on it,
    // then `steps`, which run with the note editor open.
    std::vector<std::function<void()>> AfterOpening(const char* text,
                                                    std::vector<std::function<void()>> steps) {
        std::vector<std::function<void()>> all{[this] {
                                                   Main().ShowPage(6);
                                                   PostClick(PageWindow(), IDC_LOGIN);
                                               },
                                               [] {
                                                   HWND login = ::FindWindowA(nullptr, "登录");
                                                   ::SetDlgItemTextA(login, IDC_USER_NAME, "tom1");
                                                   ::SetDlgItemTextA(login, IDC_PASSWORD, "abcd");
                                                   Click(login, IDOK);
                                               },
                                               [this, text] {
                                                   ::SetDlgItemTextA(PageWindow(), IDC_DIARY_TEXT,
                                                                     text);
                                                   PostClick(PageWindow(), IDC_OPEN_EDITOR);
                                               }};
        all.insert(all.end(), steps.begin(), steps.end());
        return all;
    }
    // Picks row `row` of the colour menu that the button opens, with the keys.
    void PickColor(int button, int row) {
        for (int i = 0; i <= row; ++i) {
            platform::InjectKey(VK_DOWN, true);
            platform::InjectKey(VK_DOWN, false);
        }
        platform::InjectKey(VK_RETURN, true);
        platform::InjectKey(VK_RETURN, false);
        PressButton(button);
    }
    // The format of the whole text after the format strip's fields are applied to it.
    CHARFORMAT Applied(const char* size, const char* face) {
        HWND dialog = Editor();
        // Selecting shows the selection's format in the fields, so the fields come after.
        ::SendDlgItemMessageA(dialog, IDC_NOTE_TEXT, EM_SETSEL, 0, -1);
        ::SetDlgItemTextA(dialog, IDC_SIZE, size);
        ::SetDlgItemTextA(dialog, IDC_FACE, face);
        Dialog()->ApplyCharFormat();
        return SelectionFormat();
    }
    CHARFORMAT SelectionFormat() {
        CHARFORMAT format{};
        format.cbSize = sizeof(format);
        ::SendDlgItemMessageA(Editor(), IDC_NOTE_TEXT, EM_GETCHARFORMAT, SCF_SELECTION,
                              reinterpret_cast<LPARAM>(&format));
        return format;
    }
    WORD Alignment() {
        PARAFORMAT format{};
        format.cbSize = sizeof(format);
        ::SendDlgItemMessageA(Editor(), IDC_NOTE_TEXT, EM_GETPARAFORMAT, 0,
                              reinterpret_cast<LPARAM>(&format));
        return format.wAlignment;
    }
    void Select(int from, int to) {
        ::SendDlgItemMessageA(Editor(), IDC_NOTE_TEXT, EM_SETSEL, from, to);
        platform::PumpUntilIdle();
    }
    // The strip's buttons are hidden, so they are pressed by their notification.
    void PressButton(int id) {
        ::SendMessageA(Editor(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(Editor(), id)));
        platform::PumpUntilIdle();
    }
    // The checked toggles among `ids`, as a string of their first letters.
    std::string Checked(std::initializer_list<std::pair<int, char>> ids) {
        std::string checked;
        for (const auto& [id, letter] : ids) {
            auto* button =
                static_cast<CHintButton*>(CWnd::FromHandlePermanent(::GetDlgItem(Editor(), id)));
            if (button->IsChecked() != 0) {
                checked += letter;
            }
        }
        return checked;
    }
    std::string Effects() {
        return Checked({{IDC_BOLD, 'B'}, {IDC_ITALIC, 'I'}, {IDC_UNDERLINE, 'U'}});
    }
    std::string Alignments() {
        return Checked({{IDC_ALIGN_LEFT, 'L'}, {IDC_ALIGN_CENTER, 'C'}, {IDC_ALIGN_RIGHT, 'R'}});
    }
    static std::string EffectsOf(const CHARFORMAT& format) {
        std::string effects;
        effects += (format.dwEffects & CFE_BOLD) != 0 ? "B" : "";
        effects += (format.dwEffects & CFE_ITALIC) != 0 ? "I" : "";
        effects += (format.dwEffects & CFE_UNDERLINE) != 0 ? "U" : "";
        return effects;
    }
};

TEST_F(NoteEditorDlgTest, FaceListStopsAtFiveHundred) {
    std::vector<std::string> faces;
    LOGFONTA font{};
    int going = 1;
    int calls = 0;
    while (going != 0 && calls < 600) {
        std::snprintf(font.lfFaceName, sizeof(font.lfFaceName), "face %d", calls++);
        going = CNoteEditorDlg::CollectFace(&font, nullptr, 0, reinterpret_cast<LPARAM>(&faces));
    }
    EXPECT_EQ(calls, 500);
    ASSERT_EQ(faces.size(), 500u);
    EXPECT_EQ(faces.back(), "face 499");
}

// One sitting in the editor: the strip formats a selection and shows the selection's format,
// each save stores the latest text enciphered, and the page takes the saved text back.
TEST_F(NoteEditorDlgTest, TheStripFormatsTheSelectionAndEachSaveStoresTheLatestText) {
    const std::string base = platform::ToWindowsPath(folder.path()) + "\\";
    ASSERT_EQ(CAccountFile::Create(base, "tom1", "abcd", "abcd"), CAccountFile::Creation::kCreated);
    std::string dateLine;
    std::string given;
    std::vector<std::string> faces;
    std::vector<std::string> effects;
    std::vector<std::string> alignments;
    std::string shownEffects;
    std::string shownFace;
    std::string shownSize;
    std::string shownAlignment;
    LONG chosenHeight = 0;
    std::string chosenSizeText;
    std::vector<std::string> texts;
    std::string afterFirstSave;
    bool openAfterSaves = false;
    std::vector<LONG> heights;
    std::string longFace;
    COLORREF textColor = 0;
    COLORREF background = 0;
    std::vector<std::string> hints;
    std::string pageText;
    Run(AfterOpening(
        "unsaved draft",
        {[&] {
             HWND dialog = Editor();
             ASSERT_NE(dialog, nullptr);
             dateLine = ItemText(dialog, IDC_DATE_LINE);
             given = ItemText(dialog, IDC_NOTE_TEXT);
             HWND faceList = ::GetDlgItem(dialog, IDC_FACE);
             const int count = static_cast<int>(::SendMessageA(faceList, CB_GETCOUNT, 0, 0));
             for (int i = 0; i < count; ++i) {
                 char face[64] = {};
                 ::SendMessageA(faceList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
                 faces.push_back(face);
             }

             ::SetDlgItemTextA(dialog, IDC_NOTE_TEXT, "hello world");
             Select(0, 5);
             PressButton(IDC_BOLD);
             effects.push_back(Effects() + "/" + EffectsOf(SelectionFormat()));
             PressButton(IDC_ITALIC);
             PressButton(IDC_UNDERLINE);
             effects.push_back(Effects() + "/" + EffectsOf(SelectionFormat()));
             PressButton(IDC_BOLD);
             PressButton(IDC_UNDERLINE);
             effects.push_back(Effects() + "/" + EffectsOf(SelectionFormat()));
             for (int id : {IDC_ALIGN_CENTER, IDC_ALIGN_RIGHT, IDC_ALIGN_RIGHT, IDC_ALIGN_LEFT}) {
                 PressButton(id);
                 alignments.push_back(Alignments() + "/" + std::to_string(Alignment()));
             }

             // Text formatted elsewhere shows its format in the strip once selected.
             CHARFORMAT format{};
             format.cbSize = sizeof(format);
             format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_SIZE | CFM_FACE;
             format.dwEffects = CFE_BOLD | CFE_UNDERLINE;
             format.yHeight = 280;
             std::snprintf(format.szFaceName, sizeof(format.szFaceName), "%s", "courier");
             Select(6, 11);
             ::SendDlgItemMessageA(dialog, IDC_NOTE_TEXT, EM_SETCHARFORMAT, SCF_SELECTION,
                                   reinterpret_cast<LPARAM>(&format));
             PARAFORMAT centred{};
             centred.cbSize = sizeof(centred);
             centred.dwMask = PFM_ALIGNMENT;
             centred.wAlignment = PFA_CENTER;
             ::SendDlgItemMessageA(dialog, IDC_NOTE_TEXT, EM_SETPARAFORMAT, 0,
                                   reinterpret_cast<LPARAM>(&centred));
             Select(0, 0);
             Select(7, 9);
             shownEffects = Effects();
             shownFace = ItemText(dialog, IDC_FACE);
             shownSize = ItemText(dialog, IDC_SIZE);
             shownAlignment = Alignments();

             // Choosing "20" in the size list sizes the selection.
             Choose(dialog, IDC_SIZE, 8);
             chosenHeight = SelectionFormat().yHeight;
             chosenSizeText = ItemText(dialog, IDC_SIZE);

             Select(0, 6);
             PressButton(IDC_CUT);
             texts.push_back(ItemText(dialog, IDC_NOTE_TEXT));
             PressButton(IDC_UNDO);
             texts.push_back(ItemText(dialog, IDC_NOTE_TEXT));
             Select(0, 5);
             PressButton(IDC_COPY);
             Select(11, 11);
             PressButton(IDC_PASTE);
             texts.push_back(ItemText(dialog, IDC_NOTE_TEXT));

             ::SetDlgItemTextA(dialog, IDC_NOTE_TEXT, "first save");
             Click(dialog, IDOK);
             afterFirstSave = OpenSslDecipher(folder.path() / "notebook/tom1/200609.dat");
             ::SetDlgItemTextA(dialog, IDC_NOTE_TEXT, "second save");
             Click(dialog, IDOK);
             openAfterSaves = ::IsWindow(dialog) != FALSE;

             heights.push_back(Applied("2", "黑体").yHeight);
             heights.push_back(Applied("101", "黑体").yHeight);
             heights.push_back(Applied("14", "黑体").yHeight);
             std::string face = "ab";
             for (int i = 0; i < 16; ++i) {
                 face += "宋";
             }
             longFace = Applied("9", face.c_str()).szFaceName;

             ::SendDlgItemMessageA(dialog, IDC_NOTE_TEXT, EM_SETSEL, 0, -1);
             PickColor(IDC_TEXT_COLOR, 9);
         },
         [&] {
             textColor = SelectionFormat().crTextColor;
             PickColor(IDC_BACK_COLOR, 12);
         },
         [&] {
             // Setting a background gives the one before.
             background = static_cast<COLORREF>(::SendDlgItemMessageA(
                 Editor(), IDC_NOTE_TEXT, EM_SETBKGNDCOLOR, 0, RGB(255, 255, 255)));
             Dialog()->SetHint("粗体");
             ::SetDlgItemTextA(Editor(), IDC_HINT_LINE, "moved away");
             Dialog()->SetHint("粗体");
             hints.push_back(ItemText(Editor(), IDC_HINT_LINE));
             Dialog()->SetHint("斜体");
             hints.push_back(ItemText(Editor(), IDC_HINT_LINE));
             Click(Editor(), IDCANCEL);
         },
         [&] {
             pageText = ItemText(PageWindow(), IDC_DIARY_TEXT);
             Close();
         }}));
    EXPECT_EQ(dateLine, "2006年09月15日 笔记");
    EXPECT_EQ(given, "unsaved draft");
    std::vector<std::string> offered = platform::FontFaces::Names();
    std::sort(offered.begin(), offered.end());
    std::sort(faces.begin(), faces.end());
    EXPECT_EQ(faces, offered);
    EXPECT_EQ(effects, (std::vector<std::string>{"B/B", "BIU/BIU", "I/I"}));
    EXPECT_EQ(alignments, (std::vector<std::string>{"C/3", "R/2", "/2", "L/1"}));
    EXPECT_EQ(shownEffects, "BU");
    EXPECT_EQ(shownFace, "Courier");
    EXPECT_EQ(shownSize, "14");
    EXPECT_EQ(shownAlignment, "C");
    EXPECT_EQ(chosenHeight, 400);
    EXPECT_EQ(chosenSizeText, "20");
    EXPECT_EQ(texts, (std::vector<std::string>{"world", "hello world", "hello worldhello"}));
    const std::string check = CDiaryMonthFile::CheckText("tom1", "abcd");
    EXPECT_EQ(afterFirstSave, WithTrailer(PlainMonth(2006, 9, {{15, "first save"}}), check));
    EXPECT_TRUE(openAfterSaves);
    EXPECT_EQ(heights, (std::vector<LONG>{240, 240, 280}));
    EXPECT_EQ(longFace, std::string("ab") + "宋宋宋宋宋宋宋宋宋宋宋宋宋宋");
    EXPECT_EQ(textColor, RGB(255, 0, 0));
    EXPECT_EQ(background, RGB(0, 0, 255));
    EXPECT_EQ(hints, (std::vector<std::string>{"moved away", "斜体"}));
    EXPECT_EQ(pageText, "second save");
    EXPECT_EQ(OpenSslDecipher(folder.path() / "notebook/tom1/200609.dat"),
              WithTrailer(PlainMonth(2006, 9, {{15, "second save"}}), check));
}

}  // namespace
}  // namespace manager_testing
