#include "manager/AddressBookPage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/ManagerTest.h"
#include "manager/RecordBytes.h"
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
    void ClickRow(int row) {
        RECT rect{LVIR_BOUNDS, 0, 0, 0};
        List().GetItemRect(row, &rect, LVIR_BOUNDS);
        POINT point{rect.left + 20, (rect.top + rect.bottom) / 2};
        ::ClientToScreen(List().m_hWnd, &point);
        ClickAt(point);
    }
};

AddressBookRecord Contact(int group, const char* name, const char* mobile, int month, int day,
                          int calendar) {
    AddressBookRecord record;
    record.group = group;
    RecordBytes::Store(record.name, name);
    RecordBytes::Store(record.mobile, mobile);
    record.birthMonth = month;
    record.birthDay = day;
    record.calendar = calendar;
    return record;
}

std::string Book(std::initializer_list<AddressBookRecord> records) {
    AddressBookList list;
    for (const AddressBookRecord& record : records) {
        list.push_back(std::make_unique<AddressBookRecord>(record));
    }
    return SerializeAddressBook(list);
}

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
        ClickRow(0);
        shownMobile = ItemText(Page(), IDC_MOBILE);

        Click(Page(), IDC_NEW_CONTACT);
        List().SetItemState(-1, 0, LVIS_SELECTED);
        Click(Page(), IDC_DELETE_CONTACT);
        ClickRow(1);
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
                     Book({Contact(4, "a", "1", 0, 0, 0), Contact(1, "b", "2", 0, 0, 0)}));
    std::vector<std::string> names;
    bool shown = false;
    Run({[&] {
        Main().ShowPage(8);
        names = Names();
        ::SetFocus(::GetDlgItem(Page(), IDC_NAME));
        Press(VK_RETURN);
        Press(VK_ESCAPE);
        shown = Page().IsWindowVisible() != FALSE;
        Close();
    }});
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace manager_testing
