#include "manager/BackupSettingsDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/WholeFile.h"
#include "manager/ManagerTest.h"
#include "manager/RecordBytes.h"
#include "manager/ScheduleList.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

// The page's parent, which runs a test's step from inside the loop of a dialog the page opens,
// and a window titled as the tray companion that counts its notices.
class CStepOwner : public CWnd {
public:
    std::function<void()> step;
    int notices = 0;

    // Runs `next` once the next modal loop (or this one) takes its posted message.
    void WhenLoopRuns(std::function<void()> next) {
        step = std::move(next);
        PostMessage(WM_APP);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP && step) {
            std::function<void()> now = std::move(step);
            step = nullptr;
            now();
            return 0;
        }
        if (message == WM_SETTINGS_CHANGED) {
            ++notices;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

BackupTask Task(int kind, int day, int hour, int minute, const char* source,
                const char* destination) {
    BackupTask task;
    task.kind = kind;
    task.day = day;
    task.hour = hour;
    task.minute = minute;
    std::strcpy(task.source, source);
    std::strcpy(task.destination, destination);
    return task;
}

class BackupSettingsDlgTest : public ManagerDialogTest {
protected:
    void SetUp() override {
        ManagerDialogTest::SetUp();
        ASSERT_TRUE(owner.CreateEx(0, AFX_WND_CLASS, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                   0, 800, 500, nullptr, nullptr));
        ASSERT_TRUE(tray.CreateEx(0, AFX_WND_CLASS, kTrayTitle, WS_OVERLAPPED, 0, 0, 10, 10,
                                  nullptr, nullptr));
    }
    void TearDown() override {
        page.DestroyWindow();
        tray.DestroyWindow();
        owner.DestroyWindow();
        ManagerDialogTest::TearDown();
    }

    void Open() {
        ASSERT_TRUE(page.Create(&owner));
        page.ShowWindow(SW_SHOW);
        platform::PumpUntilIdle();
    }
    std::string File() const { return folder.ReadFile("data3/backup.dat"); }
    std::string Row(int row) const {
        const BackupTask* task = page.TaskAt(row);
        return task != nullptr ? std::string(CTaskListBox::FormatBackupTask(*task)) : "";
    }
    int Selection() const {
        return static_cast<int>(page.SendDlgItemMessage(IDC_TASK_LIST, LB_GETCURSEL));
    }
    // Picks a folder in the browser that the button opens: Right opens the current folder (the
    // program folder) and each Down goes one sub-folder further. The button is pressed by its
    // notice, so that nothing is pumped before the browser's loop takes the posted step.
    void BrowseTo(int button, int downs) {
        owner.WhenLoopRuns([downs] {
            Press(VK_RIGHT);
            for (int i = 0; i < downs; ++i) {
                Press(VK_DOWN);
            }
            Press(VK_RETURN);
        });
        page.SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(page.GetDlgItem(button)->m_hWnd));
        platform::PumpUntilIdle();
    }
    std::string ProgramFolder() const {
        std::string path = platform::ToWindowsPath(folder.path());
        std::transform(path.begin(), path.end(), path.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
        return path;
    }

    CStepOwner owner;
    CStepOwner tray;
    CBackupSettingsDlg page;
};

TEST_F(BackupSettingsDlgTest, ATaskAddedWithTheFolderBrowserIsWrittenWholeAndTheTrayTold) {
    std::filesystem::create_directory(folder.path() / "aaa");
    Open();
    EXPECT_EQ(page.TaskCount(), 0);
    EXPECT_EQ(Selection(), -1);

    Click(page, IDC_ADD_TASK);
    ASSERT_EQ(page.TaskCount(), 1);
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(Row(0), "每天 12小时 0分 备份文件 源:请选择源目录 , 目的:请选择目的目录");
    EXPECT_EQ(ItemText(page, IDC_SOURCE), "请选择源目录");
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_DAILY), static_cast<UINT>(BST_CHECKED));
    // The placeholders are refused and nothing is written.
    Click(page, IDC_SAVE_TASK);
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"目录设置不正确,请重新设置."}));
    EXPECT_FALSE(Exists("data3/backup.dat"));

    BrowseTo(IDC_BROWSE_SOURCE, 1);
    EXPECT_EQ(ItemText(page, IDC_SOURCE), platform::ToWindowsPath(folder.path() / "aaa"));
    BrowseTo(IDC_BROWSE_DESTINATION, 2);
    EXPECT_EQ(ItemText(page, IDC_DESTINATION), platform::ToWindowsPath(folder.path() / "data"));
    // The browser leaves the program folder current.
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(std::string(current), platform::ToWindowsPath(folder.path()));

    Click(page, IDC_WEEKLY);
    Choose(page, IDC_WEEKDAY, 3);
    Choose(page, IDC_WEEKLY_HOUR, 5);
    Choose(page, IDC_WEEKLY_MINUTE, 30);
    Click(page, IDC_SAVE_TASK);
    EXPECT_TRUE(TakeMessages().empty());
    const BackupTask expected = Task(1, 3, 5, 30, (ProgramFolder() + "\\AAA").c_str(),
                                     (ProgramFolder() + "\\DATA").c_str());
    EXPECT_EQ(File(), SerializeBackupTasks(std::vector<BackupTask>{expected}));
    EXPECT_EQ(Row(0), "每星期三 5小时 30分 备份文件 源:" + ProgramFolder() +
                          "\\AAA , 目的:" + ProgramFolder() + "\\DATA");
    platform::PumpUntilIdle();
    EXPECT_EQ(tray.notices, 1);
    EXPECT_EQ(owner.notices, 0);
}

TEST_F(BackupSettingsDlgTest, SavedTasksAreCheckedUpperCasedAndKeepTheirDay) {
    const std::vector<BackupTask> stored = {Task(2, 14, 8, 0, "C:\\DATA", "D:\\碼"),
                                            Task(1, 9, 23, 59, "E:\\A", "F:\\B")};
    folder.WriteFile("data3/backup.dat", SerializeBackupTasks(stored));
    Open();
    ASSERT_EQ(page.TaskCount(), 2);
    // The first row shows at once: a monthly task on the 15th.
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(Row(0), "每月 15日 8小时 0分 备份文件 源:C:\\DATA , 目的:D:\\碼");
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_MONTHLY), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(Selected(page, IDC_MONTH_DAY), 14);
    EXPECT_EQ(Selected(page, IDC_MONTHLY_HOUR), 8);
    // A weekday beyond Saturday from a damaged file is shown as unknown.
    EXPECT_EQ(Row(1), "每星期? 23小时 59分 备份文件 源:E:\\A , 目的:F:\\B");

    // Folders that hold one another are refused, and the task stays as it was.
    page.SetDlgItemText(IDC_SOURCE, "c:\\data");
    page.SetDlgItemText(IDC_DESTINATION, "  c:\\data2 ");
    Click(page, IDC_SAVE_TASK);
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"源目录与目的目录不能相互包含."}));
    EXPECT_STREQ(page.TaskAt(0)->destination, "D:\\碼");

    // Saved as daily: trimmed, upper case (not the "a" inside "碼"), and the day kept.
    page.SetDlgItemText(IDC_SOURCE, " c:\\data\\碼 ");
    page.SetDlgItemText(IDC_DESTINATION, "d:\\copy");
    Click(page, IDC_DAILY);
    Choose(page, IDC_DAILY_HOUR, 6);
    Click(page, IDC_SAVE_TASK);
    std::vector<BackupTask> written = {Task(0, 14, 6, 0, "C:\\DATA\\碼", "D:\\COPY"), stored[1]};
    EXPECT_EQ(File(), SerializeBackupTasks(written));
    EXPECT_EQ(ItemText(page, IDC_SOURCE), " c:\\data\\碼 ");
    // Back to monthly, the old day shows again.
    ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TASK_LIST, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(page.GetDlgItem(IDC_TASK_LIST)->m_hWnd));
    Click(page, IDC_MONTHLY);
    Click(page, IDC_SAVE_TASK);
    written[0].kind = 2;
    written[0].hour = 8;
    EXPECT_EQ(File(), SerializeBackupTasks(written));

    // The damaged weekday shows as the first entry, and saving writes what shows.
    page.SendDlgItemMessage(IDC_TASK_LIST, LB_SETCURSEL, 1);
    ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TASK_LIST, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(page.GetDlgItem(IDC_TASK_LIST)->m_hWnd));
    EXPECT_EQ(Selected(page, IDC_WEEKDAY), 0);
    Click(page, IDC_SAVE_TASK);
    written[1].day = 0;
    EXPECT_EQ(File(), SerializeBackupTasks(written));

    // A task with placeholder folders stops every save from reaching the file.
    Click(page, IDC_ADD_TASK);
    EXPECT_EQ(Selection(), 2);
    page.SendDlgItemMessage(IDC_TASK_LIST, LB_SETCURSEL, 0);
    Click(page, IDC_SAVE_TASK);
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"目录设置不正确,请重新设置."}));
    EXPECT_EQ(File(), SerializeBackupTasks(written));
}

TEST_F(BackupSettingsDlgTest, DeletingReachesTheFileOnlyWithTheNextSave) {
    const std::vector<BackupTask> stored = {Task(0, 0, 1, 2, "C:\\A", "D:\\B"),
                                            Task(0, 0, 3, 4, "E:\\A", "F:\\B")};
    folder.WriteFile("data3/backup.dat", SerializeBackupTasks(stored));
    Open();
    page.SendDlgItemMessage(IDC_TASK_LIST, LB_SETCURSEL, 1);
    Click(page, IDC_DELETE_TASK);
    // The selection moves to the row before the deleted last row, and shows it.
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(Selected(page, IDC_DAILY_HOUR), 1);
    Click(page, IDC_DELETE_TASK);
    EXPECT_EQ(page.TaskCount(), 0);
    EXPECT_EQ(Selection(), -1);
    EXPECT_EQ(File(), SerializeBackupTasks(stored));
    // Enter and Esc leave the page as it is.
    ::SetFocus(page.GetDlgItem(IDC_SOURCE)->m_hWnd);
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    EXPECT_TRUE(page.IsWindowVisible());
    // With no row selected, saving rewrites the file from the list and tells the tray.
    Click(page, IDC_SAVE_TASK);
    EXPECT_EQ(File(), SerializeBackupTasks(std::vector<BackupTask>{}));
    platform::PumpUntilIdle();
    EXPECT_EQ(tray.notices, 1);
}

TEST_F(BackupSettingsDlgTest, AFileNotReadWholeShowsItsTasksAndIsNeverWrittenOver) {
    // Larger than a file is read: the first task is shown, the rest of the file is not known.
    const std::vector<BackupTask> stored = {Task(0, 0, 1, 2, "C:\\A", "D:\\B")};
    folder.WriteFile("data3/backup.dat", SerializeBackupTasks(stored));
    const std::filesystem::path file = folder.path() / "data3" / "backup.dat";
    std::filesystem::resize_file(file, kMaxWholeFileSize + 1);
    Open();
    ASSERT_EQ(page.TaskCount(), 1);
    EXPECT_EQ(Row(0), "每天 1小时 2分 备份文件 源:C:\\A , 目的:D:\\B");
    Click(page, IDC_DELETE_TASK);
    Click(page, IDC_SAVE_TASK);
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{RecordBytes::kPartialFileMessage}));
    EXPECT_EQ(std::filesystem::file_size(file), kMaxWholeFileSize + 1);
    EXPECT_EQ(File().substr(0, 4 + kBackupTaskSize), SerializeBackupTasks(stored));
    platform::PumpUntilIdle();
    EXPECT_EQ(tray.notices, 0);

    // A file that cannot be written is not announced either.
    page.DestroyWindow();
    std::filesystem::remove_all(folder.path() / "data3");
    Open();
    Click(page, IDC_SAVE_TASK);
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_FALSE(Exists("data3/backup.dat"));
    platform::PumpUntilIdle();
    EXPECT_EQ(tray.notices, 0);
}

}  // namespace
}  // namespace manager_testing
