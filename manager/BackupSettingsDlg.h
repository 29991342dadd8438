// The backup settings page: the list of scheduled folder backups with a form for the selected
// one (source and destination folders, each with a folder browser, and daily, weekly or monthly
// at an hour and minute). Saving a task checks every task's folders and writes data3\backup.dat
// whole, then tells the tray companion; adding and deleting change only the list until the next
// save. A child dialog of the system tools page (its page 1), created from resource 144.
#pragma once

#include "manager/BackupTask.h"
#include "manager/HintButton.h"
#include "manager/TaskListBox.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/Dialog.h"

class CBackupSettingsDlg : public CDialog {
public:
    CBackupSettingsDlg();

    // Creates the page as a child of `parent`.
    BOOL Create(CWnd* parent);
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Rows for the tasks of data3\backup.dat: 0 read, 1 no file, 2 not read whole (rows for the
    // tasks that could be read).
    int LoadTasks();
    // Every row's task, in row order, into data3\backup.dat: 0 written, 1 not. A file that was
    // not read whole is not written over: the user is told, the change stays in the list.
    int SaveTasks();
    void SetKindRadio(int kind);
    int GetKindRadio() const;
    // The chosen folder's path: 0 chosen, 1 cancelled.
    int BrowseForFolder(CString& path);

    int TaskCount() const { return tasks_.GetCount(); }
    const BackupTask* TaskAt(int row) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Esc and the hidden buttons never close the page.
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnAdd();
    afx_msg void OnSaveTask();
    afx_msg void OnSelchangeTasks();
    afx_msg void OnBrowseSource();
    afx_msg void OnBrowseDestination();
    afx_msg void OnWriteTasks();
    afx_msg void OnDelete();
    afx_msg void OnDestroy();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    // The selected task into the form; nothing without a selection.
    void ShowSelected();
    // Checks every row's folders in order and, when all pass, writes the file; the first row
    // that fails shows its message and nothing is written.
    void ValidateAndWriteAll();
    BackupTask* Task(int row) const;
    // Appends a row for a task the list then owns.
    int AddTask(const BackupTask& task, const char* text);
    void Browse(int editId);

    CBrush whiteBrush_{RGB(255, 255, 255)};
    CTaskListBox tasks_;
    // LoadTasks' result for the rows.
    int fileRead_ = 1;
    CHintButton add_;
    CHintButton save_;
    CHintButton delete_;
};
