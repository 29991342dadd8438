#include "manager/NoteEditorDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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
    // Picks row `row` of the colour menu that the button opens, with the keys.
    void PickColor(int button, int row) {
        for (int i = 0; i <= row; ++i) {
            platform::InjectKey(VK_DOWN, true);
            platform::InjectKey(VK_DOWN, false);
        }
        platform::InjectKey(VK_RETURN, true);
        platform::InjectKey(VK_RETURN, false);
        ::SendMessageA(Editor(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(Editor(), button)));
        platform::PumpUntilIdle();
    }
    // The format of the whole text after the format strip's fields are applied to it.
    CHARFORMAT Applied(const char* size, const char* face) {
        HWND dialog = Editor();
        // Selecting shows the selection's format in the fields, so the fields come after.
        ::SendDlgItemMessageA(dialog, IDC_NOTE_TEXT, EM_SETSEL, 0, -1);
        ::SetDlgItemTextA(dialog, IDC_SIZE, size);
        ::SetDlgItemTextA(dialog, IDC_FACE, face);
        Dialog()->ApplyCharFormat();
        CHARFORMAT format{};
        format.cbSize = sizeof(format);
        ::SendDlgItemMessageA(dialog, IDC_NOTE_TEXT, EM_GETCHARFORMAT, SCF_SELECTION,
                              reinterpret_cast<LPARAM>(&format));
        return format;
    }
};

TEST_F(NoteEditorDlgTest, EachSaveStoresTheLatestTextAndTheStripFormatsTheSelection) {
    const std::string base = platform::ToWindowsPath(folder.path()) + "\\";
    ASSERT_EQ(CAccountFile::Create(base, "tom1", "abcd", "abcd"), CAccountFile::Creation::kCreated);
    std::string dateLine;
    std::string given;
    std::vector<std::string> faces;
    std::string afterFirstSave;
    bool openAfterSaves = false;
    std::vector<LONG> heights;
    std::string longFace;
    COLORREF textColor = 0;
    COLORREF background = 0;
    std::vector<std::string> hints;
    std::string pageText;
    Run({[&] {
             Main().ShowPage(6);
             PostClick(PageWindow(), IDC_LOGIN);
         },
         [&] {
             HWND login = ::FindWindowA(nullptr, "登录");
             ::SetDlgItemTextA(login, IDC_USER_NAME, "tom1");
             ::SetDlgItemTextA(login, IDC_PASSWORD, "abcd");
             Click(login, IDOK);
         },
         [&] {
             ::SetDlgItemTextA(PageWindow(), IDC_DIARY_TEXT, "unsaved draft");
             PostClick(PageWindow(), IDC_OPEN_EDITOR);
         },
         [&] {
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
             CHARFORMAT format{};
             format.cbSize = sizeof(format);
             ::SendDlgItemMessageA(Editor(), IDC_NOTE_TEXT, EM_GETCHARFORMAT, SCF_SELECTION,
                                   reinterpret_cast<LPARAM>(&format));
             textColor = format.crTextColor;
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
         }});
    EXPECT_EQ(dateLine, "2006年09月15日 笔记");
    EXPECT_EQ(given, "unsaved draft");
    std::vector<std::string> offered = platform::FontFaces::Names();
    std::sort(offered.begin(), offered.end());
    std::sort(faces.begin(), faces.end());
    EXPECT_EQ(faces, offered);
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
