#include "manager/LookupPage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/IdCardLookupDlg.h"
#include "manager/IdiomDictDlg.h"
#include "manager/LookupDataFile.h"
#include "manager/ManagerTest.h"
#include "platform/controls/Clipboard.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

class LookupPageTest : public ManagerAppTest {
protected:
    void SetUp() override {
        ManagerAppTest::SetUp();
        platform::ResetClipboardForTesting();
    }
    void WriteData(const char* name, std::string text) {
        XorDataFile(text);
        folder.WriteFile(std::string("data3/") + name, text);
    }
    CLookupPage& Lookups() { return *static_cast<CLookupPage*>(Main().Page(5)); }
    HWND Child(int index) { return Lookups().Child(index)->m_hWnd; }
    // Types the text into the edit key by key.
    static void Type(HWND dialog, int id, const std::string& text) {
        ::SetFocus(::GetDlgItem(dialog, id));
        for (char c : text) {
            Press(static_cast<BYTE>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
        }
    }
    static void Clear(HWND dialog, int id) {
        ::SetDlgItemTextA(dialog, id, "");
        platform::PumpUntilIdle();
    }
    static int Selection(HWND dialog, int id) {
        return static_cast<int>(::SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0));
    }
};

TEST_F(LookupPageTest, TheIdCardLookupMatchesTheFirstSixCharactersAsTheUserTypes) {
    WriteData("sfz.dat", "110000 北京市\r\n110101 北京市东城区\r\n11 两位码\r\n110101 重复\r\n");
    std::vector<std::string> results;
    bool sameChild = false;
    Run({[&] {
        Main().ShowPage(52);
        HWND card = Child(CLookupPage::kIdCard);
        CRect placed;
        ::GetWindowRect(card, &placed);
        Lookups().ScreenToClient(&placed);
        sameChild = placed == Lookups().ChildRect();
        // Ten characters search nothing yet; the eleventh does.
        Type(card, IDC_NUMBER, "1101011980");
        results.push_back(ItemText(card, IDC_ID_RESULT));
        Type(card, IDC_NUMBER, "0");
        results.push_back(ItemText(card, IDC_ID_RESULT));
        Clear(card, IDC_NUMBER);
        Type(card, IDC_NUMBER, "11");
        Click(card, IDC_FIND_NUMBER);
        results.push_back(ItemText(card, IDC_ID_RESULT));
        Clear(card, IDC_NUMBER);
        Type(card, IDC_NUMBER, "999999");
        Click(card, IDC_FIND_NUMBER);
        results.push_back(ItemText(card, IDC_ID_RESULT));
        Close();
    }});
    EXPECT_TRUE(sameChild);
    EXPECT_EQ(results, (std::vector<std::string>{"", "北京市东城区", "两位码", "未找到"}));
}

TEST_F(LookupPageTest, TheShippedIdiomsAreSearchedByInitialsAndTheEntryCopied) {
    std::string first;
    std::string name;
    std::string pinyin;
    std::string clipboard;
    int rows = 0;
    Run({[&] {
        Main().ShowPage(53);
        HWND idioms = Child(CLookupPage::kIdiom);
        rows = static_cast<int>(::SendDlgItemMessageA(idioms, IDC_IDIOM_LIST, LB_GETCOUNT, 0, 0));
        Type(idioms, IDC_IDIOM_INPUT, "YXYY");
        name = ItemText(idioms, IDC_IDIOM_NAME);
        pinyin = ItemText(idioms, IDC_IDIOM_PINYIN);
        Click(idioms, IDC_COPY_IDIOM);
        clipboard = platform::ClipboardText(nullptr).value_or("none");
        Close();
    }});
    EXPECT_GT(rows, 10000);
    // The first idiom in the file whose initials are "yxyy".
    EXPECT_EQ(name.substr(0, 2), "一");
    EXPECT_EQ(pinyin.substr(0, 2 + 3), "【yi ");
    EXPECT_EQ(clipboard.substr(0, name.size() + 2), name + "\r\n");
}

TEST_F(LookupPageTest, TheIdiomSearchKeepsTheFirstLongestMatchAndCopiesWhatItShows) {
    WriteData("dict.dat",
              "画龙点睛/hldj/huà lóng diǎn jīng/比喻关键/《历代名画记》/文章结尾点题\r\n"
              "画蛇添足/hstz/huà shé tiān zú/多此一举/《战国策》/例一/例二\r\n"
              "画饼充饥/hbcj/huà bǐng chōng jī/空想/《三国志》/望梅止渴\r\n"
              "虎头蛇尾/HTSW/hǔ tóu shé wěi/有始无终/元曲/做事\r\n"
              "短行\r\n");
    std::vector<int> selections;
    std::vector<std::string> names;
    std::string text;
    std::string emptyCopy;
    std::string copied;
    Run({[&] {
        Main().ShowPage(53);
        HWND idioms = Child(CLookupPage::kIdiom);
        // Copying before any entry was shown puts an empty text on the clipboard.
        Click(idioms, IDC_COPY_IDIOM);
        emptyCopy = platform::ClipboardText(nullptr).value_or("none");
        Type(idioms, IDC_IDIOM_INPUT, "h");
        selections.push_back(Selection(idioms, IDC_IDIOM_LIST));
        Type(idioms, IDC_IDIOM_INPUT, "s");
        selections.push_back(Selection(idioms, IDC_IDIOM_LIST));
        names.push_back(ItemText(idioms, IDC_IDIOM_NAME));
        text = ItemText(idioms, IDC_IDIOM_TEXT);
        // Initials stored in upper case never match: "ht" shares only "h" with the rest.
        Clear(idioms, IDC_IDIOM_INPUT);
        Type(idioms, IDC_IDIOM_INPUT, "ht");
        selections.push_back(Selection(idioms, IDC_IDIOM_LIST));
        // Nothing in common keeps the entry shown.
        Clear(idioms, IDC_IDIOM_INPUT);
        Type(idioms, IDC_IDIOM_INPUT, "q");
        selections.push_back(Selection(idioms, IDC_IDIOM_LIST));
        // A Chinese input searches the idioms.
        ::SetDlgItemTextA(idioms, IDC_IDIOM_INPUT, " 画饼 ");
        platform::PumpUntilIdle();
        selections.push_back(Selection(idioms, IDC_IDIOM_LIST));
        names.push_back(ItemText(idioms, IDC_IDIOM_NAME));
        Click(idioms, IDC_COPY_IDIOM);
        copied = platform::ClipboardText(nullptr).value_or("none");
        Close();
    }});
    EXPECT_EQ(emptyCopy, "");
    EXPECT_EQ(selections, (std::vector<int>{0, 1, 0, 0, 2}));
    EXPECT_EQ(names, (std::vector<std::string>{"画蛇添足", "画饼充饥"}));
    EXPECT_EQ(text,
              "【解释】\r\n    多此一举\r\n\r\n【出处】\r\n    《战国策》\r\n\r\n【例】\r\n    "
              "例一/例二");
    EXPECT_EQ(copied, "画饼充饥\r\nhuà bǐng chōng jī\r\n空想\r\n《三国志》\r\n望梅止渴");
}

}  // namespace
}  // namespace manager_testing
