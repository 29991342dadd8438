#include "manager/ProcessListPage.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "manager/DialogKeyFilter.h"
#include "platform/base/KernelObject.h"
#include "platform/process/ProcessApi.h"
#include "platform/system/ProcessToken.h"
#include "platform/text/Gbk.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CProcessListPage, CDialog)
ON_BN_CLICKED(IDC_REFRESH_PROCESSES, OnRefresh)
ON_NOTIFY(NM_CLICK, IDC_PROCESS_LIST, OnProcessClick)
ON_NOTIFY(NM_CLICK, IDC_MODULE_LIST, OnModuleClick)
ON_BN_CLICKED(IDC_SEARCH_MODULE, OnSearchModule)
ON_NOTIFY(LVN_COLUMNCLICK, IDC_PROCESS_LIST, OnColumnClick)
ON_NOTIFY(LVN_COLUMNCLICK, IDC_MODULE_LIST, OnColumnClick)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

constexpr int kProcessKind = 1;
constexpr int kModuleKind = 2;
constexpr std::size_t kNoteLineSize = 1024;

// The outside search service: its page and the four fixed keys it expects before the word. The
// host is a stand-in (a reserved example domain) until a service of the user's choice is named.
constexpr char kSearchPage[] = "http://search.example.com/click/search.htm";
constexpr char kSearchKeys[] = "?pid=deskvane&ch=dv&ie=gbk&src=process";

// Process rows: " %d" id, " %s" executable, " %d" base priority. Ids and priorities never compare
// equal, so that a sort by them is stable in no particular way.
class ProcessRows : public SortListRowKind {
public:
    bool Cell(const void* record, int column, CString& text, UINT& align) const override {
        const auto& process = *static_cast<const PROCESSENTRY32*>(record);
        align = DT_LEFT;
        switch (column) {
            case 0:
                text.Format(" %d", static_cast<int>(process.th32ProcessID));
                return true;
            case 1:
                text.Format(" %s", process.szExeFile);
                return true;
            case 2:
                text.Format(" %d", static_cast<int>(process.pcPriClassBase));
                return true;
            default:
                return false;
        }
    }
    int Compare(const void* p, const void* q, int column) const override {
        const auto& a = *static_cast<const PROCESSENTRY32*>(p);
        const auto& b = *static_cast<const PROCESSENTRY32*>(q);
        switch (column) {
            case 0:
                return a.th32ProcessID < b.th32ProcessID ? -1 : 1;
            case 1:
                return CompareTextNoCase(a.szExeFile, b.szExeFile);
            case 2:
                return a.pcPriClassBase < b.pcPriClassBase ? -1 : 1;
            default:
                return -1;
        }
    }
};

// Module rows: " %s" name, " %s" path.
class ModuleRows : public SortListRowKind {
public:
    bool Cell(const void* record, int column, CString& text, UINT& align) const override {
        const auto& module = *static_cast<const MODULEENTRY32*>(record);
        align = DT_LEFT;
        if (column == 0 || column == 1) {
            text.Format(" %s", column == 0 ? module.szModule : module.szExePath);
            return true;
        }
        return false;
    }
    int Compare(const void* p, const void* q, int column) const override {
        const auto& a = *static_cast<const MODULEENTRY32*>(p);
        const auto& b = *static_cast<const MODULEENTRY32*>(q);
        switch (column) {
            case 0:
                return CompareTextNoCase(a.szModule, b.szModule);
            case 1:
                return CompareTextNoCase(a.szExePath, b.szExePath);
            default:
                return -1;
        }
    }
};

const ProcessRows kProcessRows;
const ModuleRows kModuleRows;

// Every byte but the unreserved ones as %XX, so that a file name cannot add keys or a fragment.
std::string PercentEncoded(const char* text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char* c = text; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' || byte == '.' ||
            byte == '~') {
            encoded.push_back(static_cast<char>(byte));
        } else {
            encoded.push_back('%');
            encoded.push_back(kHex[byte >> 4]);
            encoded.push_back(kHex[byte & 0x0F]);
        }
    }
    return encoded;
}

}  // namespace

int SetPrivilege(HANDLE token, const char* privilege, BOOL enable) {
    TOKEN_PRIVILEGES privileges{};
    if (!::LookupPrivilegeValueA(nullptr, privilege, &privileges.Privileges[0].Luid)) {
        return 0;
    }
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    ::AdjustTokenPrivileges(token, FALSE, &privileges, sizeof(privileges), nullptr, nullptr);
    return ::GetLastError() == ERROR_SUCCESS ? 1 : 0;
}

CProcessListPage::CProcessListPage() : CDialog(IDD_PROCESSES) {}

void CProcessListPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROCESS_LIST, processes_);
    DDX_Control(pDX, IDC_MODULE_LIST, modules_);
    DDX_Control(pDX, IDC_REFRESH_PROCESSES, refresh_);
    DDX_Control(pDX, IDC_SEARCH_MODULE, search_);
}

BOOL CProcessListPage::OnInitDialog() {
    CDialog::OnInitDialog();
    processes_.InsertColumn(0, "进程ID", LVCFMT_LEFT, 100);
    processes_.InsertColumn(1, "进程名", LVCFMT_LEFT, 300);
    processes_.InsertColumn(2, "优先级", LVCFMT_LEFT, 100);
    modules_.InsertColumn(0, "模块名", LVCFMT_LEFT, 200);
    modules_.InsertColumn(1, "模块路径", LVCFMT_LEFT, 500);
    processes_.SetKind(kProcessKind, &kProcessRows);
    modules_.SetKind(kModuleKind, &kModuleRows);
    RefreshList();
    notes_.Open(kModuleNotesFile);
    return TRUE;
}

BOOL CProcessListPage::DestroyWindow() {
    ClearProcessList();
    ClearModuleList();
    return CDialog::DestroyWindow();
}

BOOL CProcessListPage::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

int CProcessListPage::FillProcessList() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    BOOL more = ::Process32First(snapshot, &entry);
    const BOOL any = more;
    while (more) {
        auto copy = std::make_unique<PROCESSENTRY32>(entry);
        char id[16];
        std::snprintf(id, sizeof(id), "%d", static_cast<int>(entry.th32ProcessID));
        const int row = processes_.InsertItem(processes_.GetItemCount(), id);
        if (row >= 0) {
            char priority[16];
            std::snprintf(priority, sizeof(priority), "%d", static_cast<int>(entry.pcPriClassBase));
            processes_.SetItemText(row, 1, entry.szExeFile);
            processes_.SetItemText(row, 2, priority);
            processes_.SetItemData(row, reinterpret_cast<DWORD_PTR>(copy.release()));
        }
        more = ::Process32Next(snapshot, &entry);
    }
    ::CloseHandle(snapshot);
    return any ? 1 : 0;
}

int CProcessListPage::FillModuleList(DWORD processId) {
    if (processId == 0) {
        return 0;
    }
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Module32First(snapshot, &entry); more;
         more = ::Module32Next(snapshot, &entry)) {
        auto copy = std::make_unique<MODULEENTRY32>(entry);
        const int row = modules_.InsertItem(modules_.GetItemCount(), entry.szModule);
        if (row >= 0) {
            modules_.SetItemText(row, 1, entry.szExePath);
            modules_.SetItemData(row, reinterpret_cast<DWORD_PTR>(copy.release()));
        }
    }
    ::CloseHandle(snapshot);
    return 0;
}

void CProcessListPage::ClearProcessList() {
    if (processes_.m_hWnd == nullptr) {
        return;
    }
    // The rows go before the records they point at, so that no repaint meets a freed record.
    std::vector<std::unique_ptr<PROCESSENTRY32>> records;
    for (int row = processes_.GetItemCount() - 1; row >= 0; --row) {
        records.emplace_back(reinterpret_cast<PROCESSENTRY32*>(processes_.GetItemData(row)));
    }
    processes_.DeleteAllItems();
}

void CProcessListPage::ClearModuleList() {
    if (modules_.m_hWnd == nullptr) {
        return;
    }
    std::vector<std::unique_ptr<MODULEENTRY32>> records;
    for (int row = modules_.GetItemCount() - 1; row >= 0; --row) {
        records.emplace_back(reinterpret_cast<MODULEENTRY32*>(modules_.GetItemData(row)));
    }
    modules_.DeleteAllItems();
}

void CProcessListPage::RefreshList() {
    ClearProcessList();
    ClearModuleList();
    FillProcessList();
}

void CProcessListPage::OnRefresh() {
    RefreshList();
}

void CProcessListPage::ShowModuleDetails(const MODULEENTRY32& module) {
    CString text;
    text.Format("目录:%s\r\n", module.szExePath);
    notes_.Rewind();
    const std::size_t nameLength = std::strlen(module.szModule);
    auto line = std::make_unique<char[]>(kNoteLineSize);
    while (nameLength > 0 && notes_.ReadLine(line.get(), kNoteLineSize) == 0) {
        if (platform::CompareNoCaseN(line.get(), module.szModule, nameLength) == 0) {
            text += line.get();
            break;
        }
    }
    SetDlgItemText(IDC_MODULE_NOTE, text);
}

void CProcessListPage::OnProcessClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    const int row = processes_.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        return;
    }
    const auto* process = reinterpret_cast<const PROCESSENTRY32*>(processes_.GetItemData(row));
    ClearModuleList();
    if (process == nullptr) {
        return;
    }
    HANDLE token = nullptr;
    const bool opened = ::OpenProcessToken(::GetCurrentProcess(), TOKEN_ALL_ACCESS, &token) != 0;
    if (opened) {
        SetPrivilege(token, SE_DEBUG_NAME, TRUE);
    }
    FillModuleList(process->th32ProcessID);
    if (opened) {
        SetPrivilege(token, SE_DEBUG_NAME, FALSE);
        ::CloseHandle(token);
    }
    if (modules_.GetItemCount() > 0) {
        modules_.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ShowModuleDetails(*reinterpret_cast<const MODULEENTRY32*>(modules_.GetItemData(0)));
    }
}

void CProcessListPage::OnModuleClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    const int row = modules_.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        return;
    }
    if (const auto* module = reinterpret_cast<const MODULEENTRY32*>(modules_.GetItemData(row))) {
        ShowModuleDetails(*module);
    }
}

CString CProcessListPage::SearchAddress(const char* word) {
    return CString(kSearchPage) + kSearchKeys + "&name=" + PercentEncoded(word).c_str();
}

void CProcessListPage::OnSearchModule() {
    const int row = modules_.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        return;
    }
    const auto* module = reinterpret_cast<const MODULEENTRY32*>(modules_.GetItemData(row));
    if (module == nullptr) {
        return;
    }
    const char* slash = std::strrchr(module->szExePath, '\\');
    const char* word = slash != nullptr ? slash + 1 : module->szExePath;
    ::ShellExecuteA(nullptr, "open", SearchAddress(word), nullptr, nullptr, SW_SHOWNORMAL);
}

void CProcessListPage::OnColumnClick(NMHDR*, LRESULT* pResult) {
    // The list sorts itself; the page only reports the notification handled.
    *pResult = 0;
}

HBRUSH CProcessListPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT) {
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_MODULE_NOTE) {
        pDC->SetTextColor(RGB(0, 0, 255));
    }
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
