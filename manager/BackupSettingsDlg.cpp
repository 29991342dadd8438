#include "manager/BackupSettingsDlg.h"

#include <cstdio>
#include <string>
#include <vector>

#include "common/AppFolder.h"
#include "manager/DialogKeyFilter.h"
#include "manager/RecordBytes.h"
#include "platform/commondialogs/ShellFolderApi.h"
#include "platform/framework/DataExchangeFunctions.h"
#include "resources/deskvane/resource.h"

namespace {

constexpr int kHourCombos[] = {IDC_DAILY_HOUR, IDC_WEEKLY_HOUR, IDC_MONTHLY_HOUR};
constexpr int kMinuteCombos[] = {IDC_DAILY_MINUTE, IDC_WEEKLY_MINUTE, IDC_MONTHLY_MINUTE};
constexpr int kKindRadios[] = {IDC_DAILY, IDC_WEEKLY, IDC_MONTHLY};
constexpr int kDayCombos[] = {0, IDC_WEEKDAY, IDC_MONTH_DAY};

void FillNumbers(CWnd* combo, int first, int last) {
    for (int value = first; value <= last; ++value) {
        char text[8];
        std::snprintf(text, sizeof(text), "%02d", value);
        combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

std::string TextOf(const CWnd* dialog, int id) {
    CString text;
    dialog->GetDlgItemText(id, text);
    return std::string(text, static_cast<std::size_t>(text.GetLength()));
}

}  // namespace

BEGIN_MESSAGE_MAP(CBackupSettingsDlg, CDialog)
ON_BN_CLICKED(IDC_ADD_TASK, OnAdd)
ON_BN_CLICKED(IDC_SAVE_TASK, OnSaveTask)
ON_LBN_SELCHANGE(IDC_TASK_LIST, OnSelchangeTasks)
ON_BN_CLICKED(IDC_BROWSE_SOURCE, OnBrowseSource)
ON_BN_CLICKED(IDC_BROWSE_DESTINATION, OnBrowseDestination)
ON_BN_CLICKED(IDC_WRITE_TASKS, OnWriteTasks)
ON_BN_CLICKED(IDC_DELETE_TASK, OnDelete)
ON_WM_DESTROY()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CBackupSettingsDlg::CBackupSettingsDlg() : CDialog(IDD_BACKUP) {}

BOOL CBackupSettingsDlg::Create(CWnd* parent) {
    return CDialog::Create(IDD_BACKUP, parent);
}

void CBackupSettingsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TASK_LIST, tasks_);
    DDX_Control(pDX, IDC_ADD_TASK, add_);
    DDX_Control(pDX, IDC_SAVE_TASK, save_);
    DDX_Control(pDX, IDC_DELETE_TASK, delete_);
}

BOOL CBackupSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int id : kHourCombos) {
        FillNumbers(GetDlgItem(id), 0, 23);
    }
    for (int id : kMinuteCombos) {
        FillNumbers(GetDlgItem(id), 0, 59);
    }
    FillNumbers(GetDlgItem(IDC_MONTH_DAY), 1, 28);
    for (int id : {IDC_DAILY_HOUR, IDC_DAILY_MINUTE, IDC_WEEKDAY, IDC_WEEKLY_HOUR,
                   IDC_WEEKLY_MINUTE, IDC_MONTH_DAY, IDC_MONTHLY_HOUR, IDC_MONTHLY_MINUTE}) {
        SendDlgItemMessage(id, CB_SETCURSEL, 0);
    }
    tasks_.SetBackupMode(1);
    if (LoadTasks() != 1 && tasks_.GetCount() > 0) {
        tasks_.SetCurSel(0);
        ShowSelected();
    }
    return TRUE;
}

BOOL CBackupSettingsDlg::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

BackupTask* CBackupSettingsDlg::Task(int row) const {
    if (row < 0 || row >= tasks_.GetCount()) {
        return nullptr;
    }
    return reinterpret_cast<BackupTask*>(tasks_.GetItemData(row));
}

const BackupTask* CBackupSettingsDlg::TaskAt(int row) const {
    return Task(row);
}

int CBackupSettingsDlg::AddTask(const BackupTask& task, const char* text) {
    const int row = tasks_.AddString(text);
    if (row < 0) {
        return row;
    }
    tasks_.SetItemData(row, reinterpret_cast<DWORD_PTR>(new BackupTask(task)));
    return row;
}

int CBackupSettingsDlg::LoadTasks() {
    std::vector<BackupTask> tasks;
    fileRead_ = LoadBackupTasks(tasks);
    for (const BackupTask& task : tasks) {
        AddTask(task, "read");
    }
    return fileRead_;
}

int CBackupSettingsDlg::SaveTasks() {
    if (fileRead_ == 2) {
        MessageBox(RecordBytes::kPartialFileMessage);
        return 1;
    }
    std::vector<BackupTask> tasks;
    for (int row = 0; row < tasks_.GetCount(); ++row) {
        if (const BackupTask* task = Task(row)) {
            tasks.push_back(*task);
        }
    }
    return SaveBackupTasks(tasks);
}

void CBackupSettingsDlg::SetKindRadio(int kind) {
    for (int index = 0; index < 3; ++index) {
        CheckDlgButton(kKindRadios[index], index == kind ? BST_CHECKED : BST_UNCHECKED);
    }
}

int CBackupSettingsDlg::GetKindRadio() const {
    switch (GetCheckedRadioButton(IDC_DAILY, IDC_MONTHLY)) {
        case IDC_WEEKLY:
            return 1;
        case IDC_MONTHLY:
            return 2;
        default:
            return 0;
    }
}

void CBackupSettingsDlg::ShowSelected() {
    const BackupTask* task = Task(tasks_.GetCurSel());
    if (task == nullptr) {
        return;
    }
    SetKindRadio(task->kind);
    // A value out of a combo's range (only a damaged file holds one) shows as the first entry,
    // so that what "保存任务" writes is what the user sees.
    const auto select = [this](int id, std::int32_t value) {
        if (SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(value)) == CB_ERR) {
            SendDlgItemMessage(id, CB_SETCURSEL, 0);
        }
    };
    if (task->kind >= 0 && task->kind <= 2) {
        if (kDayCombos[task->kind] != 0) {
            select(kDayCombos[task->kind], task->day);
        }
        select(kHourCombos[task->kind], task->hour);
        select(kMinuteCombos[task->kind], task->minute);
    }
    SetDlgItemText(IDC_SOURCE, task->source);
    SetDlgItemText(IDC_DESTINATION, task->destination);
}

void CBackupSettingsDlg::OnSelchangeTasks() {
    ShowSelected();
}

void CBackupSettingsDlg::OnAdd() {
    BackupTask task;
    task.hour = 12;
    RecordBytes::Store(task.source, "请选择源目录");
    RecordBytes::Store(task.destination, "请选择目的目录");
    const int row = AddTask(task, "add");
    if (row >= 0) {
        tasks_.SetCurSel(row);
        ShowSelected();
    }
}

void CBackupSettingsDlg::OnSaveTask() {
    BackupTask* task = Task(tasks_.GetCurSel());
    if (task == nullptr) {
        SaveTasks();
        return;
    }
    const std::string source = NormalizeBackupPath(TextOf(this, IDC_SOURCE));
    const std::string destination = NormalizeBackupPath(TextOf(this, IDC_DESTINATION));
    const BackupPathCheck check = CheckBackupPaths(source, destination);
    if (check != BackupPathCheck::kGood) {
        MessageBox(BackupPathMessage(check));
        return;
    }
    RecordBytes::Store(task->source, source);
    RecordBytes::Store(task->destination, destination);
    task->kind = GetKindRadio();
    const auto selection = [this](int id, std::int32_t& field) {
        const int index = static_cast<int>(SendDlgItemMessage(id, CB_GETCURSEL));
        if (index >= 0) {
            field = index;
        }
    };
    if (kDayCombos[task->kind] != 0) {
        selection(kDayCombos[task->kind], task->day);
    }
    selection(kHourCombos[task->kind], task->hour);
    selection(kMinuteCombos[task->kind], task->minute);
    tasks_.Invalidate();
    ValidateAndWriteAll();
}

void CBackupSettingsDlg::OnWriteTasks() {
    ValidateAndWriteAll();
}

void CBackupSettingsDlg::ValidateAndWriteAll() {
    for (int row = 0; row < tasks_.GetCount(); ++row) {
        const BackupTask* task = Task(row);
        if (task == nullptr) {
            continue;
        }
        const BackupPathCheck check =
            CheckBackupPaths(NormalizeBackupPath(RecordBytes::Field(task->source)),
                             NormalizeBackupPath(RecordBytes::Field(task->destination)));
        if (check != BackupPathCheck::kGood) {
            MessageBox(BackupPathMessage(check));
            return;
        }
    }
    SaveTasks();
}

void CBackupSettingsDlg::OnDelete() {
    const int row = tasks_.GetCurSel();
    BackupTask* task = Task(row);
    if (task == nullptr) {
        return;
    }
    // The row goes before its task, so that no row ever points at a freed task.
    tasks_.DeleteString(static_cast<UINT>(row));
    delete task;
    const int count = tasks_.GetCount();
    if (count > 0) {
        tasks_.SetCurSel(row < count ? row : count - 1);
        ShowSelected();
    }
}

void CBackupSettingsDlg::Browse(int editId) {
    CString path;
    if (BrowseForFolder(path) == 0) {
        SetDlgItemText(editId, path);
    }
    GetAppFolder();
}

void CBackupSettingsDlg::OnBrowseSource() {
    Browse(IDC_SOURCE);
}

void CBackupSettingsDlg::OnBrowseDestination() {
    Browse(IDC_DESTINATION);
}

int CBackupSettingsDlg::BrowseForFolder(CString& path) {
    char name[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = m_hWnd;
    info.pszDisplayName = name;
    info.lpszTitle = "请选择目录";
    LPITEMIDLIST list = ::SHBrowseForFolderA(&info);
    if (list == nullptr) {
        return 1;
    }
    char chosen[MAX_PATH] = {};
    const BOOL found = ::SHGetPathFromIDListA(list, chosen);
    ::ILFree(list);
    if (!found) {
        return 1;
    }
    path = chosen;
    return 0;
}

void CBackupSettingsDlg::OnDestroy() {
    // Rows are cleared before their tasks are freed.
    std::vector<BackupTask*> owned;
    for (int row = 0; row < tasks_.GetCount(); ++row) {
        owned.push_back(Task(row));
    }
    tasks_.ResetContent();
    for (BackupTask* task : owned) {
        delete task;
    }
    CDialog::OnDestroy();
}

HBRUSH CBackupSettingsDlg::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
