#include "manager/AddressBookPage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "manager/ManagerTest.h"
#include "manager/RecordBytes.h"
#include "manager/RecordsTest.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

class AddressBookPageTest : public ManagerAppTest {
protected:
    CAddressBookPage& Page() { return *static_cast<CAddressBookPage*>(Main().Page(7)); }
    CSortListCtrl& List() {
        return *static_cast<CSortListCtrl*>(Page().GetDlgItem(IDC_CONTACT_LIST));
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int row = 0; row < List().GetItemCount(); ++row) {
            names.push_back(
                reinterpret_cast<const AddressBookRecord*>(List().GetItemData(row))->name);
        }
        return names;
    }
    // Fills the form as the user would and presses "保存".
    void Save(int group, const char* name, const char* mobile, int month, int day, int calendar) {
        HWND page = Page().m_hWnd;
        Choose(page, IDC_GROUP, group);
        ::SetDlgItemTextA(page, IDC_NAME, name);
        ::SetDlgItemTextA(page, IDC_MOBILE, mobile);
        Choose(page, IDC_BIRTH_MONTH, month);
        Choose(page, IDC_BIRTH_DAY, day);
        Choose(page, IDC_CALENDAR_KIND, calendar);
        Click(page, IDC_SAVE_CONTACT);
    }
};

TEST_F(AddressBookPageTest, ContactsAreAddedRewrittenFilteredSortedAndDeleted) {
    std::vector<std::string> refused;
    std::vector<std::string> newestFirst;
    std::string fileAfterNo;
    std::vector<std::string> friends;
    std::vector<std::vector<std::string>> sorted;
    std::string shownMobile;
    std::vector<std::string> deleteMessages;
    std::string nameAfterDelete;
    std::vector<LRESULT> itemCounts;
    Run({[&] {
        Main().ShowPage(8);
        for (int combo : {IDC_GROUP, IDC_CALENDAR_KIND, IDC_BIRTH_MONTH, IDC_BIRTH_DAY}) {
            itemCounts.push_back(::SendDlgItemMessageA(Page().m_hWnd, combo, CB_GETCOUNT, 0, 0));
        }
        Click(Page(), IDC_SAVE_CONTACT);
        Save(2, "   ", "", 0, 0, 0);
        refused = TakeMessages();

        Save(1, "li", "13800000000", 3, 8, 1);
        Save(2, "Wang", "13900000000", 11, 0, 0);
        Save(2, "zhang", "13700000000", 0, 30, 0);
        newestFirst = Names();
        // "Li" is "li": the user declines, then accepts rewriting it in place.
        answer = IDNO;
        Save(3, "Li", "", 5, 5, 0);
        fileAfterNo = folder.ReadFile("data3/comlst.dat");
        answer = IDYES;
        Save(3, "Li", "", 5, 5, 0);
        TakeMessages();

        Main().ShowPage(81);
        friends = Names();
        Main().ShowPage(8);
        for (int column : {0, 1, 2, 5}) {
            List().SortByColumn(column);
            sorted.push_back(Names());
        }
        ClickAt(RowPoint(List(), 0));
        shownMobile = ItemText(Page(), IDC_MOBILE);

        Click(Page(), IDC_NEW_CONTACT);
        List().SetItemState(-1, 0, LVIS_SELECTED);
        Click(Page(), IDC_DELETE_CONTACT);
        ClickAt(RowPoint(List(), 1));
        Click(Page(), IDC_DELETE_CONTACT);
        deleteMessages = TakeMessages();
        nameAfterDelete = ItemText(Page(), IDC_NAME);
        Close();
    }});
    // Each combo holds its template's items once: groups, calendars, months, days.
    EXPECT_EQ(itemCounts, (std::vector<LRESULT>{5, 2, 12, 31}));
    EXPECT_EQ(refused, (std::vector<std::string>{"请先选择分组.", "姓名字段太短，至少一个字符"}));
    // The list shows the form's group, the newest first.
    EXPECT_EQ(newestFirst, (std::vector<std::string>{"zhang", "Wang"}));
    EXPECT_EQ(fileAfterNo, Book({Contact(2, "zhang", "13700000000", 0, 30, 0),
                                 Contact(2, "Wang", "13900000000", 11, 0, 0),
                                 Contact(1, "li", "13800000000", 3, 8, 1)}));
    EXPECT_EQ(friends, (std::vector<std::string>{"zhang", "Wang"}));
    // By group, by name (bytes: upper case first), by mobile, by birthday (month, then day).
    EXPECT_EQ(sorted, (std::vector<std::vector<std::string>>{{"zhang", "Wang", "Li"},
                                                             {"Li", "Wang", "zhang"},
                                                             {"Li", "zhang", "Wang"},
                                                             {"zhang", "Li", "Wang"}}));
    EXPECT_EQ(shownMobile, "13700000000");
    EXPECT_EQ(deleteMessages, (std::vector<std::string>{"请先选择要删除的项。",
                                                        "你真的要删除 通讯录中的[Li]的资料吗?"}));
    EXPECT_EQ(nameAfterDelete, "");
    // The rewritten contact kept its place with every field from the form, empty ones empty;
    // then it was deleted.
    EXPECT_EQ(folder.ReadFile("data3/comlst.dat"),
              Book({Contact(2, "zhang", "13700000000", 0, 30, 0),
                    Contact(2, "Wang", "13900000000", 11, 0, 0)}));
}

TEST_F(AddressBookPageTest, TheBookIsReadAtStartAndEnterAndEscLeaveThePage) {
    folder.WriteFile("data3/comlst.dat",
                     Book({WithTexts(Contact(4, "李四", "13512345678", 4, 8, 1), "010-62345678", "",
                                     "lisi@mail.cn", "123456", "老同学"),
                           Contact(1, "b", "2", 0, 0, 0),
                           WithTexts(Contact(2, "王五", "13987654321", 11, 30, 0), "",
                                     "020-8765432", "", "", "生日前一天提醒")}));
    std::vector<std::string> names;
    bool shown = false;
    bool written = false;
    Run({[&] {
        Main().ShowPage(8);
        names = Names();
        ClickAt(RowPoint(List(), 1));
        platform::PumpUntilIdle();
        const std::filesystem::path shots = PROJECT_TEST_OUTPUT_DIR;
        std::filesystem::create_directories(shots);
        written = platform::WriteWindowPng(Main().m_hWnd, shots / "deskvane-address-book.png");
        ::SetFocus(::GetDlgItem(Page(), IDC_NAME));
        Press(VK_RETURN);
        Press(VK_ESCAPE);
        shown = Page().IsWindowVisible() != FALSE;
        Close();
    }});
    EXPECT_EQ(names, (std::vector<std::string>{"李四", "b", "王五"}));
    EXPECT_TRUE(shown);
    EXPECT_TRUE(written);
}

TEST_F(AddressBookPageTest, ABookThatCannotBeReadIsNeverWrittenOver) {
    const std::string stored = Book({Contact(4, "a", "1", 0, 0, 0)});
    folder.WriteFile("data3/comlst.dat", stored);
    // Another program holds the file without sharing it.
    HANDLE held = ::CreateFileA("data3\\comlst.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::vector<std::string> names;
    std::vector<std::string> messages;
    Run({[&] {
        Main().ShowPage(8);
        Save(1, "b", "2", 0, 0, 0);
        names = Names();
        messages = TakeMessages();
        Close();
    }});
    ::CloseHandle(held);
    EXPECT_EQ(names, (std::vector<std::string>{"b"}));
    EXPECT_EQ(messages, (std::vector<std::string>{RecordBytes::kPartialFileMessage}));
    EXPECT_EQ(folder.ReadFile("data3/comlst.dat"), stored);
}

TEST_F(AddressBookPageTest, ABookThatCannotBeWrittenKeepsTheContactListedQuietly) {
    std::filesystem::remove_all(folder.path() / "data3");
    std::vector<std::string> names;
    Run({[&] {
        Main().ShowPage(8);
        Save(1, "b", "2", 0, 0, 0);
        names = Names();
        Close();
    }});
    EXPECT_EQ(names, (std::vector<std::string>{"b"}));
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_FALSE(Exists("data3"));
}

}  // namespace
}  // namespace manager_testing
