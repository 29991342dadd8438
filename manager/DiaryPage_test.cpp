#include "manager/DiaryPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/Md5Digest.h"
#include "manager/AccountFile.h"
#include "manager/DiaryTest.h"
#include "manager/ManagerTest.h"
#include "platform/files/Path.h"
#include "platform/screen/ScreenApi.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

constexpr char kUser[] = "小明的日记";
constexpr char kPassword[] = "pass1234";

class DiaryPageTest : public ManagerAppTest {
protected:
    CDiaryPage* Page() { return static_cast<CDiaryPage*>(Main().Page(6)); }
    HWND PageWindow() { return Page()->m_hWnd; }
    HWND Picker() { return Page()->DatePicker().m_hWnd; }
    // The page's hidden buttons run the main window's commands 60 to 62; posting their clicks
    // lets the modal dialog they open run the next step.
    void PostCommand(int id) {
        ::PostMessageA(PageWindow(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(PageWindow(), id)));
    }
    void FillAndConfirm(const char* caption, const char* user, const char* password) {
        HWND dialog = ::FindWindowA(nullptr, caption);
        ASSERT_NE(dialog, nullptr) << caption;
        ::SetDlgItemTextA(dialog, IDC_USER_NAME, user);
        ::SetDlgItemTextA(dialog, IDC_PASSWORD, password);
        if (::GetDlgItem(dialog, IDC_CONFIRM_PASSWORD) != nullptr) {
            ::SetDlgItemTextA(dialog, IDC_CONFIRM_PASSWORD, password);
        }
        Click(dialog, IDOK);
    }
    void WriteDay(const char* text) {
        ::SetDlgItemTextA(PageWindow(), IDC_DIARY_TEXT, text);
        Click(PageWindow(), IDC_SAVE_DAY);
    }
    std::string EditorText() { return ItemText(PageWindow(), IDC_DIARY_TEXT); }
    std::vector<int> MarkedDays() {
        std::vector<int> days;
        for (int i = 0; i < CMonthGrid::kCells; ++i) {
            const CMonthGrid::Cell& cell = Page()->Grid().CellAt(i);
            if (cell.inMonth != 0 && cell.mark != 0) {
                days.push_back(cell.day);
            }
        }
        return days;
    }
    // The middle of the grid's cell of `day` in the shown month, on the screen.
    POINT DayOnScreen(int day) {
        CMonthGrid& grid = Page()->Grid();
        for (int i = 0; i < CMonthGrid::kCells; ++i) {
            if (grid.CellAt(i).inMonth != 0 && grid.CellAt(i).day == day) {
                POINT point{
                    grid.GridRect().left + (i % 7) * grid.CellWidth() + grid.CellWidth() / 2,
                    grid.GridRect().top + (i / 7) * grid.CellHeight() + grid.CellHeight() / 2};
                ::ClientToScreen(PageWindow(), &point);
                return point;
            }
        }
        ADD_FAILURE() << "no cell for day " << day;
        return {};
    }
    // A double click that the step's loop handles after the step, so that the modal dialog it
    // opens runs the next step.
    static void PostDoubleClick(POINT screen) {
        platform::AdvanceTestClock(std::chrono::seconds(1));
        for (int i = 0; i < 2; ++i) {
            platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, screen);
            platform::InjectMouse(MOUSEEVENTF_LEFTUP, screen);
        }
    }
    std::string ShownDate() {
        const DateRecord& date = Page()->CurrentDate();
        return std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
               std::to_string(date.day);
    }
    std::filesystem::path UserFolder(const std::string& user) {
        return platform::ResolvePath(platform::ToWindowsPath(folder.path()) + "\\notebook\\" + user)
            .value_or(folder.path() / "missing");
    }
    // A picture of the window under the test output folder.
    static bool WriteShot(HWND window, const char* name) {
        const std::filesystem::path shots = PROJECT_TEST_OUTPUT_DIR;
        std::filesystem::create_directories(shots);
        return platform::WriteWindowPng(window, shots / name);
    }
    // Every file under notebook\ with its digest.
    std::map<std::string, std::string> Digests() {
        std::map<std::string, std::string> digests;
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(folder.path() / "notebook")) {
            if (entry.is_regular_file()) {
                char digest[33] = {};
                CMd5Digest md5;
                md5.Md5File(platform::ToWindowsPath(entry.path()).c_str(), digest);
                digests[entry.path().lexically_relative(folder.path()).string()] = digest;
            }
        }
        return digests;
    }
};

TEST_F(DiaryPageTest, AUsersDaysOfTwoMonthsComeBackAfterLoggingOutAndInAgain) {
    std::string prompt;
    bool readOnly = false;
    bool saveEnabled = true;
    std::vector<std::string> created;
    std::string heading15;
    std::string heading20;
    std::vector<int> septemberMarks;
    std::vector<int> octoberMarks;
    std::string shown15;
    std::string shown20;
    std::string shownOctober31;
    bool loggedOutAgain = false;
    bool pictures = false;
    Run({[&] {
             Main().ShowPage(6);
             platform::PumpUntilIdle();
             prompt = EditorText();
             readOnly = (::GetWindowLongA(::GetDlgItem(PageWindow(), IDC_DIARY_TEXT), GWL_STYLE) &
                         ES_READONLY) != 0;
             saveEnabled = ::IsWindowEnabled(::GetDlgItem(PageWindow(), IDC_SAVE_DAY)) != FALSE;
             PostCommand(IDC_NEW_USER);
         },
         [&] { FillAndConfirm("新建用户", kUser, kPassword); },
         [&] {
             created = TakeMessages();
             PostCommand(IDC_LOGIN);
         },
         [&] { FillAndConfirm("登录", kUser, kPassword); },
         [&] {
             heading15 = EditorText();
             WriteDay("九月十五日");
             Choose(Picker(), IDC_PICKER_DAY, 19);
             heading20 = EditorText();
             WriteDay("九月二十日\r\n第二行");
             Click(PageWindow(), IDC_DIARY_NEXT_MONTH);
             WriteDay("十月一日");
             Choose(Picker(), IDC_PICKER_DAY, 30);
             WriteDay("十月三十一日");
             Page()->OnButton(2);
             loggedOutAgain = !Page()->LoggedIn() && Page()->UserName() == kLoggedOutUser;
             PostCommand(IDC_LOGIN);
         },
         [&] { FillAndConfirm("登录", kUser, kPassword); },
         [&] {
             shown15 = EditorText();
             septemberMarks = MarkedDays();
             Choose(Picker(), IDC_PICKER_DAY, 19);
             shown20 = EditorText();
             platform::PumpUntilIdle();
             pictures = WriteShot(Main().m_hWnd, "deskvane-diary-page.png");
             PostCommand(IDC_OPEN_EDITOR);
         },
         [&] {
             HWND editor = ::FindWindowA(nullptr, "笔记编辑器");
             ASSERT_NE(editor, nullptr);
             platform::PumpUntilIdle();
             pictures = WriteShot(editor, "deskvane-note-editor.png") && pictures;
             Click(editor, IDCANCEL);
         },
         [&] {
             Click(PageWindow(), IDC_DIARY_NEXT_MONTH);
             octoberMarks = MarkedDays();
             Choose(Picker(), IDC_PICKER_DAY, 30);
             shownOctober31 = EditorText();
             Close();
         }});
    EXPECT_EQ(prompt, "请先登录再编辑或查看日记.");
    EXPECT_TRUE(readOnly);
    EXPECT_FALSE(saveEnabled);
    EXPECT_EQ(created, std::vector<std::string>{"用户创建成功,你可以用该账号登录了"});
    EXPECT_EQ(heading15, "    2006年9月15日: \r\n");
    EXPECT_EQ(heading20, "    2006年9月20日: \r\n");
    EXPECT_TRUE(loggedOutAgain);
    EXPECT_TRUE(pictures);
    EXPECT_EQ(shown15, "九月十五日");
    EXPECT_EQ(shown20, "九月二十日\r\n第二行");
    EXPECT_EQ(shownOctober31, "十月三十一日");
    EXPECT_EQ(septemberMarks, (std::vector<int>{15, 20}));
    EXPECT_EQ(octoberMarks, (std::vector<int>{1, 31}));

    const std::string check = std::string(kUser) + kPassword + "[]==eelKpmz874gh";
    const std::filesystem::path user = UserFolder(kUser);
    EXPECT_EQ(ReadBytes(user / "pass.dat"), "15BE332DF93C528EA6FE3B2D82943B81\r\n");
    EXPECT_EQ(OpenSslDecipher(user / "200609.dat"),
              WithTrailer(PlainMonth(2006, 9, {{15, "九月十五日"}, {20, "九月二十日\r\n第二行"}}),
                          check));
    EXPECT_EQ(OpenSslDecipher(user / "200610.dat"),
              WithTrailer(PlainMonth(2006, 10, {{1, "十月一日"}, {31, "十月三十一日"}}), check));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(user)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"200609.dat", "200610.dat", "pass.dat"}));
}

TEST_F(DiaryPageTest, AWrongPasswordOrAnotherUsersMonthChangesNoFile) {
    // The page works without its skin all the same.
    std::filesystem::remove_all(folder.path() / "data/skin");
    const std::string base = platform::ToWindowsPath(folder.path()) + "\\";
    ASSERT_EQ(CAccountFile::Create(base, "tom1", "abcd", "abcd"), CAccountFile::Creation::kCreated);
    ASSERT_EQ(CAccountFile::Create(base, "jane", "wxyz", "wxyz"), CAccountFile::Creation::kCreated);
    std::vector<DiaryDaySlot> slots = CDiaryMonthFile::EmptyMonth(2006, 9);
    slots[14].text = "tom's day";
    ASSERT_EQ(CDiaryMonthFile::Save(CDiaryMonthFile::PathOf(base, "tom1", 2006, 9),
                                    CDiaryMonthFile::CheckText("tom1", "abcd"), slots),
              0);
    std::filesystem::copy_file(folder.path() / "notebook/tom1/200609.dat",
                               folder.path() / "notebook/jane/200609.dat");
    const auto before = Digests();

    bool pickerMade = false;
    std::vector<std::string> refused;
    bool stillLoggedOut = false;
    std::string janesDay;
    std::vector<int> janesMarks{-1};
    Run({[&] {
             Main().ShowPage(6);
             pickerMade = Picker() != nullptr;
             PostCommand(IDC_LOGIN);
         },
         [&] {
             FillAndConfirm("登录", "tom1", "abce");
             refused = TakeMessages();
             Click(::FindWindowA(nullptr, "登录"), IDCANCEL);
         },
         [&] {
             stillLoggedOut = !Page()->LoggedIn();
             PostCommand(IDC_LOGIN);
         },
         [&] { FillAndConfirm("登录", "jane", "wxyz"); },
         [&] {
             janesDay = EditorText();
             janesMarks = MarkedDays();
             Close();
         }});
    EXPECT_TRUE(pickerMade);
    EXPECT_EQ(refused, std::vector<std::string>{"用户名或密码不正确."});
    EXPECT_TRUE(stillLoggedOut);
    EXPECT_EQ(janesDay, "    2006年9月15日: \r\n");
    EXPECT_TRUE(janesMarks.empty());
    EXPECT_EQ(Digests(), before);
}

TEST_F(DiaryPageTest, SavingAnEmptyDayOrDeletingOneTakesItOutOfTheFile) {
    const std::string base = platform::ToWindowsPath(folder.path()) + "\\";
    ASSERT_EQ(CAccountFile::Create(base, "tom1", "abcd", "abcd"), CAccountFile::Creation::kCreated);
    std::vector<DiaryDaySlot> slots = CDiaryMonthFile::EmptyMonth(2006, 9);
    slots[14].text = "fifteenth";
    slots[15].text = "sixteenth";
    slots[16].text = "seventeenth";
    const std::string check = CDiaryMonthFile::CheckText("tom1", "abcd");
    ASSERT_EQ(CDiaryMonthFile::Save(CDiaryMonthFile::PathOf(base, "tom1", 2006, 9), check, slots),
              0);
    std::string afterEmpty;
    std::vector<int> marks;
    Run({[&] {
             Main().ShowPage(6);
             PostCommand(IDC_LOGIN);
         },
         [&] { FillAndConfirm("登录", "tom1", "abcd"); },
         [&] {
             WriteDay("");
             afterEmpty = OpenSslDecipher(folder.path() / "notebook/tom1/200609.dat");
             Choose(Picker(), IDC_PICKER_DAY, 15);
             answer = IDNO;
             Click(PageWindow(), IDC_DELETE_DAY);
             Choose(Picker(), IDC_PICKER_DAY, 16);
             answer = IDYES;
             Click(PageWindow(), IDC_DELETE_DAY);
             marks = MarkedDays();
             Close();
         }});
    EXPECT_EQ(afterEmpty,
              WithTrailer(PlainMonth(2006, 9, {{16, "sixteenth"}, {17, "seventeenth"}}), check));
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"你真的要删除: 16日的笔记吗?",
                                                        "你真的要删除: 17日的笔记吗?"}));
    EXPECT_EQ(marks, std::vector<int>{16});
    EXPECT_EQ(OpenSslDecipher(folder.path() / "notebook/tom1/200609.dat"),
              WithTrailer(PlainMonth(2006, 9, {{16, "sixteenth"}}), check));
}

TEST_F(DiaryPageTest, TheGridAndTheArrowsChooseTheDayAndLoggedOutNothingIsWritten) {
    const std::string base = platform::ToWindowsPath(folder.path()) + "\\";
    ASSERT_EQ(CAccountFile::Create(base, "tom1", "abcd", "abcd"), CAccountFile::Creation::kCreated);
    std::vector<DiaryDaySlot> slots = CDiaryMonthFile::EmptyMonth(2006, 9);
    slots[19].text = "twentieth";
    ASSERT_EQ(CDiaryMonthFile::Save(CDiaryMonthFile::PathOf(base, "tom1", 2006, 9),
                                    CDiaryMonthFile::CheckText("tom1", "abcd"), slots),
              0);
    std::string clicked;
    std::string clickedText;
    int pickerDay = -1;
    std::string headingAfterDraft;
    std::string editorDate;
    std::vector<std::string> months;
    std::string januaryDraft;
    std::string afterNewUser;
    CHARFORMAT format{};
    std::map<std::string, std::string> before;
    std::string afterLoggedOut;
    bool editorOpened = true;
    Run({[&] {
             Main().ShowPage(6);
             PostCommand(IDC_LOGIN);
         },
         [&] { FillAndConfirm("登录", "tom1", "abcd"); },
         [&] {
             ::SetDlgItemTextA(PageWindow(), IDC_DIARY_TEXT, "draft of the 15th");
             ClickAt(DayOnScreen(20));
             clicked = ShownDate();
             clickedText = EditorText();
             pickerDay = Selected(Picker(), IDC_PICKER_DAY);
             // A draft is dropped when another day is chosen, without a question.
             ::SetDlgItemTextA(PageWindow(), IDC_DIARY_TEXT, "draft of the 20th");
             ClickAt(DayOnScreen(3));
             headingAfterDraft = EditorText();
             PostDoubleClick(DayOnScreen(7));
         },
         [&] {
             editorDate = ItemText(::FindWindowA(nullptr, "笔记编辑器"), IDC_DATE_LINE);
             Click(::FindWindowA(nullptr, "笔记编辑器"), IDCANCEL);
         },
         [&] {
             Choose(Picker(), IDC_PICKER_MONTH, 0);
             months.push_back(ShownDate());
             ::SetDlgItemTextA(PageWindow(), IDC_DIARY_TEXT, "draft of January");
             Click(PageWindow(), IDC_DIARY_PREV_MONTH);
             months.push_back(ShownDate());
             januaryDraft = EditorText();
             Click(PageWindow(), IDC_DIARY_NEXT_MONTH);
             months.push_back(ShownDate());
             PostCommand(IDC_NEW_USER);
         },
         [&] { Click(::FindWindowA(nullptr, "新建用户"), IDCANCEL); },
         [&] {
             afterNewUser = Page()->UserName() + (Page()->LoggedIn() ? " in" : " out");
             Page()->OnButton(2);
             format.cbSize = sizeof(format);
             ::SendDlgItemMessageA(PageWindow(), IDC_DIARY_TEXT, EM_GETCHARFORMAT, SCF_DEFAULT,
                                   reinterpret_cast<LPARAM>(&format));
             // The last user's slots are still held: no command may write or show them now.
             before = Digests();
             answer = IDYES;
             ::SetDlgItemTextA(PageWindow(), IDC_DIARY_TEXT, "");
             Page()->OnSaveDay();
             Page()->OnDeleteDay();
             Page()->SetDayText("written while logged out");
             ::SendMessageA(PageWindow(), WM_COMMAND, IDC_DIARY_PREV_MONTH, 0);
             ::SendMessageA(PageWindow(), WM_COMMAND, IDC_DIARY_NEXT_MONTH, 0);
             ::SendMessageA(PageWindow(), WM_COMMAND, IDC_OPEN_EDITOR, 0);
             ClickAt(DayOnScreen(20));
             DoubleClickAt(DayOnScreen(21));
         },
         [&] {
             editorOpened = ::FindWindowA(nullptr, "笔记编辑器") != nullptr;
             afterLoggedOut = ShownDate() + " " + std::to_string(Page()->Grid().ShownMonth());
             Close();
         }});
    EXPECT_EQ(clicked, "2006-9-20");
    EXPECT_EQ(clickedText, "twentieth");
    EXPECT_EQ(pickerDay, 19);
    EXPECT_EQ(headingAfterDraft, "    2006年9月3日: \r\n");
    EXPECT_EQ(editorDate, "2006年09月07日 笔记");
    EXPECT_EQ(months, (std::vector<std::string>{"2006-1-7", "2005-12-1", "2006-1-1"}));
    EXPECT_EQ(januaryDraft, "    2005年12月1日: \r\n");
    EXPECT_EQ(afterNewUser, "tom1 in");
    EXPECT_EQ(format.yHeight, 180);
    EXPECT_EQ(format.crTextColor, RGB(0, 0, 255));
    EXPECT_EQ(format.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_AUTOCOLOR), 0u);
    EXPECT_STREQ(format.szFaceName, "宋体");
    EXPECT_FALSE(editorOpened);
    EXPECT_EQ(afterLoggedOut, "2006-1-1 1");
    EXPECT_EQ(Digests(), before);
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
}  // namespace manager_testing
