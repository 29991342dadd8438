#include "manager/ProcessListPage.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "manager/GMyCaDlg.h"
#include "manager/ManagerTest.h"
#include "manager/SortListCtrl.h"
#include "platform/system/ProcessToken.h"
#include "platform/text/Gbk.h"
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

TEST_F(ProcessListPageTest, RowsDrawTheirRecordsSortByHeaderAndAMissingNoteFileShowsTheFolder) {
    std::filesystem::remove(folder.path() / "data3" / "prd.dat");
    const DWORD self = static_cast<DWORD>(::getpid());
    std::string selfRow;
    std::string expectedSelfRow;
    std::vector<DWORD> ids;
    std::vector<DWORD> idsDown;
    std::vector<std::string> moduleNames;
    std::string firstModule;
    std::string note;
    std::string noteAfterEmptyClick;
    int modulesOfIdle = -1;
    Run({[&] {
        Main().ShowPage(14);
        CSortListCtrl& processes = *static_cast<CSortListCtrl*>(&List(IDC_PROCESS_LIST));
        const std::vector<std::string> rows = DrawnRows(processes);
        const int row = RowOf(IDC_PROCESS_LIST, std::to_string(self), 0);
        ASSERT_GE(row, 0);
        selfRow = rows[static_cast<std::size_t>(row)];
        expectedSelfRow = " " + std::to_string(self) + "| " +
                          std::string(processes.GetItemText(row, 1)) + "| " +
                          std::string(processes.GetItemText(row, 2));
        // "进程ID" sorts by the id, one way and then the other.
        const auto idsInOrder = [&] {
            std::vector<DWORD> order;
            for (int i = 0; i < processes.GetItemCount(); ++i) {
                order.push_back(reinterpret_cast<const PROCESSENTRY32*>(processes.GetItemData(i))
                                    ->th32ProcessID);
            }
            return order;
        };
        ClickHeader(List(IDC_PROCESS_LIST), 0);
        ids = idsInOrder();
        ClickHeader(List(IDC_PROCESS_LIST), 0);
        idsDown = idsInOrder();

        ClickRow(IDC_PROCESS_LIST, RowOf(IDC_PROCESS_LIST, std::to_string(self), 0));
        CSortListCtrl& modules = *static_cast<CSortListCtrl*>(&List(IDC_MODULE_LIST));
        // "模块名" sorts by the name, ignoring case.
        ClickHeader(List(IDC_MODULE_LIST), 0);
        for (int i = 0; i < modules.GetItemCount(); ++i) {
            moduleNames.emplace_back(
                reinterpret_cast<const MODULEENTRY32*>(modules.GetItemData(i))->szModule);
        }
        firstModule = DrawnRows(modules)[0];
        note = ItemText(Page().m_hWnd, IDC_MODULE_NOTE);

        // A click on the empty module list after a refresh changes nothing.
        Click(Page().m_hWnd, IDC_REFRESH_PROCESSES);
        Click(Page().m_hWnd, IDC_MODULE_LIST);
        noteAfterEmptyClick = ItemText(Page().m_hWnd, IDC_MODULE_NOTE);
        Page().FillModuleList(0);
        modulesOfIdle = modules.GetItemCount();
        Close();
    }});
    EXPECT_EQ(selfRow, expectedSelfRow);
    ASSERT_GT(ids.size(), 1u);
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_TRUE(std::equal(ids.rbegin(), ids.rend(), idsDown.begin()));
    EXPECT_TRUE(std::is_sorted(moduleNames.begin(), moduleNames.end(),
                               [](const std::string& a, const std::string& b) {
                                   return platform::CompareNoCase(a, b) < 0;
                               }));
    EXPECT_EQ(firstModule.substr(0, moduleNames[0].size() + 1), " " + moduleNames[0]);
    // Without the notes file only the folder line shows.
    EXPECT_EQ(note.substr(0, 5), "目录:");
    EXPECT_EQ(note.find("\r\n"), note.size() - 2);
    EXPECT_EQ(noteAfterEmptyClick, note);
    EXPECT_EQ(modulesOfIdle, 0);
}

TEST(ProcessPrivilegeTest, OnlyAKnownHeldPrivilegeIsReportedAsSet) {
    platform::ResetPrivilegesForTesting();
    HANDLE token = nullptr;
    ASSERT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_ALL_ACCESS, &token));
    EXPECT_EQ(SetPrivilege(token, "SeNoSuchPrivilege", TRUE), 0);
    EXPECT_EQ(SetPrivilege(token, SE_CHANGE_NOTIFY_NAME, TRUE), 1);
    // The debug privilege is held by the administrator only.
    EXPECT_EQ(SetPrivilege(token, SE_DEBUG_NAME, TRUE), ::geteuid() == 0 ? 1 : 0);
    EXPECT_EQ(platform::IsPrivilegeEnabled(SE_DEBUG_NAME), ::geteuid() == 0);
    EXPECT_EQ(SetPrivilege(token, SE_DEBUG_NAME, FALSE), ::geteuid() == 0 ? 1 : 0);
    EXPECT_FALSE(platform::IsPrivilegeEnabled(SE_DEBUG_NAME));
    ::CloseHandle(token);
    // A token opened without the right to adjust changes nothing.
    ASSERT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token));
    EXPECT_EQ(SetPrivilege(token, SE_CHANGE_NOTIFY_NAME, TRUE), 0);
    ::CloseHandle(token);
    platform::ResetPrivilegesForTesting();
}

TEST(ProcessSearchTest, TheSearchWordIsPercentEncoded) {
    const std::string address(CProcessListPage::SearchAddress("a b&c=d#e%.dll"));
    EXPECT_EQ(address.substr(address.find("&name=")), "&name=a%20b%26c%3Dd%23e%25.dll");
}

}  // namespace
}  // namespace manager_testing
