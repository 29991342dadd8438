#include "manager/LookupPage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "manager/IdCardLookupDlg.h"
#include "manager/IdiomDictDlg.h"
#include "manager/LookupDataFile.h"
#include "manager/ManagerTest.h"
#include "manager/SortListCtrl.h"
#include "manager/SubPageHost.h"
#include "platform/controls/Clipboard.h"
#include "platform/framework/ListCtrl.h"
#include "platform/framework/TreeCtrl.h"
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
    CSortListCtrl& Results(int child) {
        return *static_cast<CSortListCtrl*>(Lookups().Child(child)->GetDlgItem(IDC_LOOKUP_LIST));
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

TEST_F(LookupPageTest, TheMobileLookupListsTheRangesOfTheFirstSevenDigits) {
    WriteData("mobile.dat", "1390000 1390009 北京市 北京市 - 中国移动\r\n" +
                                std::string(5000, '9') + "\r\n" +
                                "1391230 1391239 广东省 广州市 020 全球通\r\n"
                                "1391234 1391234 广东省 深圳市 0755 神州行\r\n"
                                "1391200 1391299 广东省 东莞市 0769 动感地带\r\n");
    std::vector<int> rows;
    std::vector<std::string> texts;
    std::vector<std::string> messages;
    std::vector<std::string> byCity;
    std::vector<std::string> byCityDown;
    Run({[&] {
        Main().ShowPage(51);
        HWND mobile = Child(CLookupPage::kMobile);
        CListCtrl& list = *static_cast<CListCtrl*>(
            Lookups().Child(CLookupPage::kMobile)->GetDlgItem(IDC_LOOKUP_LIST));
        // Ten digits list nothing; the eleventh lists the ranges of the first seven.
        Type(mobile, IDC_NUMBER, "1391234567");
        rows.push_back(list.GetItemCount());
        Type(mobile, IDC_NUMBER, "8");
        rows.push_back(list.GetItemCount());
        texts = DrawnRows(Results(CLookupPage::kMobile));
        // "城市" sorts by the city, one way and then the other.
        ClickHeader(list, 1);
        byCity = DrawnRows(Results(CLookupPage::kMobile));
        ClickHeader(list, 1);
        byCityDown = DrawnRows(Results(CLookupPage::kMobile));
        messages.push_back(TakeMessages().empty() ? "" : "message");
        // Three digits compare three characters: every range starting "139".
        Clear(mobile, IDC_NUMBER);
        Type(mobile, IDC_NUMBER, "139");
        Click(mobile, IDC_FIND_NUMBER);
        rows.push_back(list.GetItemCount());
        Clear(mobile, IDC_NUMBER);
        Type(mobile, IDC_NUMBER, "1380000");
        Click(mobile, IDC_FIND_NUMBER);
        rows.push_back(list.GetItemCount());
        const std::vector<std::string> shown = TakeMessages();
        messages.insert(messages.end(), shown.begin(), shown.end());
        Close();
    }});
    EXPECT_EQ(rows, (std::vector<int>{0, 3, 4, 0}));
    EXPECT_EQ(texts, (std::vector<std::string>{" 广东省| 广州市| 全球通", " 广东省| 深圳市| 神州行",
                                               " 广东省| 东莞市| 动感地带"}));
    EXPECT_EQ(byCity,
              (std::vector<std::string>{" 广东省| 东莞市| 动感地带", " 广东省| 广州市| 全球通",
                                        " 广东省| 深圳市| 神州行"}));
    EXPECT_EQ(byCityDown, (std::vector<std::string>{byCity[2], byCity[1], byCity[0]}));
    EXPECT_EQ(messages, (std::vector<std::string>{"", "未找到对应的数据"}));
}

TEST_F(LookupPageTest, TheShippedDataFindsKnownEntriesInEachLookupAndIdiomsByInitials) {
    std::string mobile;
    std::string area;
    std::string region;
    std::vector<std::string> roots;
    bool written = false;
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
        Main().ShowPage(52);
        HWND card = Child(CLookupPage::kIdCard);
        Type(card, IDC_NUMBER, "110101198001011234");
        region = ItemText(card, IDC_ID_RESULT);
        Main().ShowPage(51);
        HWND dialog = Child(CLookupPage::kMobile);
        CListCtrl& list = *static_cast<CListCtrl*>(
            Lookups().Child(CLookupPage::kMobile)->GetDlgItem(IDC_LOOKUP_LIST));
        Type(dialog, IDC_NUMBER, "13000001234");
        if (list.GetItemCount() > 0) {
            mobile =
                std::string(list.GetItemText(0, 0)) + "|" + std::string(list.GetItemText(0, 1));
        }
        Main().ShowPage(50);
        HWND post = Child(CLookupPage::kPostCode);
        CListCtrl& results = *static_cast<CListCtrl*>(
            Lookups().Child(CLookupPage::kPostCode)->GetDlgItem(IDC_LOOKUP_LIST));
        Type(post, IDC_AREA_CODE, "0571");
        if (results.GetItemCount() > 0) {
            area = std::string(results.GetItemText(0, 0)) + "|" +
                   std::string(results.GetItemText(0, 1));
        }
        CTreeCtrl& tree = *static_cast<CTreeCtrl*>(
            Lookups().Child(CLookupPage::kPostCode)->GetDlgItem(IDC_PROVINCE_TREE));
        for (HTREEITEM root = tree.GetRootItem(); root != nullptr;
             root = tree.GetNextSiblingItem(root)) {
            roots.push_back(std::string(tree.GetItemText(root)));
        }
        tree.Expand(tree.GetRootItem(), TVE_EXPAND);
        platform::PumpUntilIdle();
        const std::filesystem::path shots = PROJECT_TEST_OUTPUT_DIR;
        std::filesystem::create_directories(shots);
        written = platform::WriteWindowPng(Main().m_hWnd, shots / "deskvane-post-codes.png");
        Close();
    }});
    EXPECT_EQ(mobile, "山东省|济南市");
    EXPECT_EQ(area, "浙江省|杭州市");
    EXPECT_EQ(region, "北京市东城区");
    // One root for each of the 31 provinces, municipalities and regions.
    EXPECT_EQ(roots.size(), 31u);
    EXPECT_EQ(std::set<std::string>(roots.begin(), roots.end()).size(), roots.size());
    EXPECT_TRUE(written);
    EXPECT_GT(rows, 10000);
    // The first idiom in the file whose initials are "yxyy".
    EXPECT_EQ(name.substr(0, 2), "一");
    EXPECT_EQ(pinyin.substr(0, 2 + 3), "【yi ");
    EXPECT_EQ(clipboard.substr(0, name.size() + 2), name + "\r\n");
}

TEST_F(LookupPageTest, ThePostCodeLookupSearchesEachFieldAndTreesTheProvinces) {
    WriteData("ybqh.dat",
              "浙江省 杭州市 0571 310000\r\n浙江省 宁波市 0574 315000\r\n"
              "江苏省 南京市 025 210000\r\n浙江省 温州市 0577 325000\r\n");
    std::vector<std::string> roots;
    std::string child;
    std::vector<int> rows;
    std::vector<std::string> byAreaCode;
    Run({[&] {
        Main().ShowPage(50);
        CDialog* dialog = Lookups().Child(CLookupPage::kPostCode);
        HWND post = dialog->m_hWnd;
        CTreeCtrl& tree = *static_cast<CTreeCtrl*>(dialog->GetDlgItem(IDC_PROVINCE_TREE));
        for (HTREEITEM root = tree.GetRootItem(); root != nullptr;
             root = tree.GetNextSiblingItem(root)) {
            roots.push_back(std::string(tree.GetItemText(root)));
        }
        child = std::string(tree.GetItemText(tree.GetChildItem(tree.GetRootItem())));
        CListCtrl& list = *static_cast<CListCtrl*>(dialog->GetDlgItem(IDC_LOOKUP_LIST));
        // One character is searched only through the button.
        ::SetDlgItemTextA(post, IDC_CITY, "州");
        platform::PumpUntilIdle();
        rows.push_back(list.GetItemCount());
        Click(post, IDC_FIND_CITY);
        rows.push_back(list.GetItemCount());
        Type(post, IDC_AREA_CODE, "057");
        rows.push_back(list.GetItemCount());
        // "区号" sorts by the area code: the second click the other way.
        ClickHeader(list, 2);
        ClickHeader(list, 2);
        byAreaCode = DrawnRows(Results(CLookupPage::kPostCode));
        Type(post, IDC_POST_CODE, "3");
        Click(post, IDC_FIND_POST_CODE);
        rows.push_back(list.GetItemCount());
        Close();
    }});
    EXPECT_EQ(roots, (std::vector<std::string>{"浙江省", "江苏省", "浙江省"}));
    // Each text is padded to its width in bytes: a character of the city takes two.
    EXPECT_EQ(child, "城市: 杭州市" + std::string(14, ' ') + "  区号:0571    " + "  邮编:310000  ");
    EXPECT_EQ(rows, (std::vector<int>{0, 2, 3, 3}));
    EXPECT_EQ(byAreaCode, (std::vector<std::string>{" 浙江省| 温州市| 0577| 325000",
                                                    " 浙江省| 宁波市| 0574| 315000",
                                                    " 浙江省| 杭州市| 0571| 310000"}));
}

// The main window's fixed size leaves the child pages less room than their templates: every
// control must still lie inside the area the host gives them.
TEST_F(LookupPageTest, EveryControlOfTheChildPagesLiesInsideTheAreaTheHostGivesThem) {
    std::vector<std::string> outside;
    Run({[&] {
        for (int command : {50, 51, 52, 53, 10, 12, 13, 14, 15}) {
            Main().ShowPage(command);
            auto& host = *static_cast<CSubPageHost*>(Main().CurrentPage());
            CRect area;
            host.CurrentChild()->GetWindowRect(&area);
            for (HWND control = ::GetWindow(host.CurrentChild()->m_hWnd, GW_CHILD);
                 control != nullptr; control = ::GetWindow(control, GW_HWNDNEXT)) {
                CRect rect;
                ::GetWindowRect(control, &rect);
                CRect inside;
                inside.IntersectRect(&rect, &area);
                if (::IsWindowVisible(control) && inside != rect) {
                    outside.push_back(std::to_string(command) + ":" +
                                      std::to_string(::GetDlgCtrlID(control)));
                }
            }
        }
        Close();
    }});
    EXPECT_TRUE(outside.empty()) << ::testing::PrintToString(outside);
}

TEST_F(LookupPageTest, WithoutTheirFilesTheLookupsFindNothingAndSaySo) {
    for (const char* name : {"mobile.dat", "sfz.dat", "ybqh.dat"}) {
        std::filesystem::remove(folder.path() / "data3" / name);
    }
    std::vector<std::string> messages;
    std::string region;
    HTREEITEM root = reinterpret_cast<HTREEITEM>(1);
    int rows = -1;
    Run({[&] {
        Main().ShowPage(51);
        HWND mobile = Child(CLookupPage::kMobile);
        Type(mobile, IDC_NUMBER, "1391234");
        Click(mobile, IDC_FIND_NUMBER);
        messages = TakeMessages();
        Main().ShowPage(52);
        HWND card = Child(CLookupPage::kIdCard);
        Type(card, IDC_NUMBER, "110101");
        Click(card, IDC_FIND_NUMBER);
        region = ItemText(card, IDC_ID_RESULT);
        Main().ShowPage(50);
        CDialog* post = Lookups().Child(CLookupPage::kPostCode);
        root = static_cast<CTreeCtrl*>(post->GetDlgItem(IDC_PROVINCE_TREE))->GetRootItem();
        Type(post->m_hWnd, IDC_CITY, "1");
        Click(post->m_hWnd, IDC_FIND_CITY);
        rows = Results(CLookupPage::kPostCode).GetItemCount();
        Close();
    }});
    EXPECT_EQ(messages, (std::vector<std::string>{"未找到对应的数据"}));
    EXPECT_EQ(region, "未找到");
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(rows, 0);
}

}  // namespace
}  // namespace manager_testing
