#include "manager/ProcessListPage.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "manager/GMyCaDlg.h"
#include "manager/ManagerTest.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

class ProcessListPageTest : public ManagerAppTest {
protected:
    CProcessListPage& Page() {
        return *static_cast<CProcessListPage*>(
            static_cast<GMyCaDlg*>(Main().Page(1))->Child(GMyCaDlg::kProcesses));
    }
    CListCtrl& List(int id) { return *static_cast<CListCtrl*>(Page().GetDlgItem(id)); }
    // Clicks the row as the user would, scrolling it into view first.
    void ClickRow(int id, int row) {
        List(id).EnsureVisible(row, FALSE);
        platform::PumpUntilIdle();
        CRect rect;
        List(id).GetItemRect(row, &rect, LVIR_BOUNDS);
        List(id).ClientToScreen(&rect);
        ClickAt({rect.left + 20, (rect.top + rect.bottom) / 2});
    }
    int RowOf(int id, const std::string& text, int column) {
        for (int row = 0; row < List(id).GetItemCount(); ++row) {
            if (std::string(List(id).GetItemText(row, column)) == text) {
                return row;
            }
        }
        return -1;
    }
};

TEST_F(ProcessListPageTest, TheTestsOwnProcessListsItsModulesWithTheirFolderAndNote) {
    folder.WriteFile("data3/prd.dat",
                     "kernel32.dll 系统\r\nLIBC.SO.6x 名字以它开头的也算\r\nlibc.so.6 不再看\r\n");
    const std::string self = std::to_string(::getpid());
    int selfRow = -1;
    int modules = 0;
    int selectedModule = -1;
    std::string note;
    std::string libcNote;
    int afterRefresh = -1;
    std::string keptNote;
    std::vector<std::string> opened;
    Run({[&] {
        Main().ShowPage(14);
        selfRow = RowOf(IDC_PROCESS_LIST, self, 0);
        ASSERT_GE(selfRow, 0);
        ClickRow(IDC_PROCESS_LIST, selfRow);
        modules = List(IDC_MODULE_LIST).GetItemCount();
        selectedModule = List(IDC_MODULE_LIST).GetNextItem(-1, LVNI_SELECTED);
        note = ItemText(Page().m_hWnd, IDC_MODULE_NOTE);
        const int libc = RowOf(IDC_MODULE_LIST, "libc.so.6", 0);
        ASSERT_GE(libc, 0);
        ClickRow(IDC_MODULE_LIST, libc);
        libcNote = ItemText(Page().m_hWnd, IDC_MODULE_NOTE);
        platform::ClearStartedProcesses();
        platform::SetDesktopOpener("/usr/bin/desktop-opener");
        Click(Page().m_hWnd, IDC_SEARCH_MODULE);
        platform::UseDefaultDesktopOpener();
        for (const platform::ProcessStart& start : platform::StartedProcesses()) {
            opened.insert(opened.end(), start.arguments.begin(), start.arguments.end());
        }
        Click(Page().m_hWnd, IDC_REFRESH_PROCESSES);
        afterRefresh = List(IDC_MODULE_LIST).GetItemCount();
        keptNote = ItemText(Page().m_hWnd, IDC_MODULE_NOTE);
        Close();
    }});
    EXPECT_GT(modules, 3);
    EXPECT_EQ(selectedModule, 0);
    EXPECT_EQ(note.substr(0, 5), "目录:");
    EXPECT_EQ(libcNote.substr(0, 5), "目录:");
    // The first line that begins with the name, ignoring case, even a longer name.
    EXPECT_NE(libcNote.find("libc.so.6\r\nLIBC.SO.6x 名字以它开头的也算"), std::string::npos);
    EXPECT_EQ(libcNote.find("不再看"), std::string::npos);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0],
              "http://search.example.com/click/search.htm?pid=deskvane&ch=dv&ie=gbk&src=process"
              "&name=libc.so.6");
    EXPECT_EQ(afterRefresh, 0);
    EXPECT_EQ(keptNote, libcNote);
}

TEST(ProcessSearchTest, TheSearchWordIsPercentEncoded) {
    const std::string address(CProcessListPage::SearchAddress("a b&c=d#e%.dll"));
    EXPECT_EQ(address.substr(address.find("&name=")), "&name=a%20b%26c%3Dd%23e%25.dll");
}

}  // namespace
}  // namespace manager_testing
