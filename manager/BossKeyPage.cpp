#include "manager/BossKeyPage.h"

#include <vector>

#include "common/AppFolder.h"
#include "manager/DialogKeyFilter.h"
#include "platform/framework/WinApp.h"
#include "platform/text/Gbk.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CBossKeyPage, CDialog)
ON_BN_CLICKED(IDC_REFRESH_WINDOWS, OnRefreshWindows)
ON_BN_CLICKED(IDC_TEST_BOSS_KEY, OnTest)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

// The desktop shell's window, never offered.
constexpr char kShellTitle[] = "Program Manager";

std::string WindowTitle(HWND hwnd) {
    char title[512] = {};
    ::GetWindowTextA(hwnd, title, sizeof(title));
    return title;
}

// The top-level windows in Z order, from the first of the level of the manager's main window.
std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    CWnd* main = AfxGetMainWnd();
    const HWND start = main != nullptr && main->m_hWnd != nullptr
                           ? main->m_hWnd
                           : ::GetWindow(::GetDesktopWindow(), GW_CHILD);
    for (HWND hwnd = ::GetWindow(start, GW_HWNDFIRST); hwnd != nullptr;
         hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        windows.push_back(hwnd);
    }
    return windows;
}

}  // namespace

CBossKeyPage::CBossKeyPage() : CDialog(IDD_BOSS_KEY) {}

void CBossKeyPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, save_);
    DDX_Control(pDX, IDC_REFRESH_WINDOWS, refresh_);
    DDX_Control(pDX, IDC_TEST_BOSS_KEY, test_);
    DDX_Control(pDX, IDC_TARGET_WINDOW, windows_);
}

int CBossKeyPage::LoadSettings() {
    GetAppFolder();
    return settings_.Load();
}

BOOL CBossKeyPage::OnInitDialog() {
    CDialog::OnInitDialog();
    LoadSettings();
    picker_.SetRecord(&settings_.key);
    if (picker_.Create(this)) {
        picker_.MoveWindow(&kPickerRect);
    }
    FillWindowList();
    if (settings_.target != 0) {
        for (int i = 0; i < windows_.GetCount(); ++i) {
            CString text;
            windows_.GetLBText(i, text);
            if (platform::CompareNoCase(std::string_view(text), settings_.title) == 0) {
                windows_.SetCurSel(i);
                break;
            }
        }
    }
    picker_.ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CBossKeyPage::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CBossKeyPage::ClearWindowList() {
    for (int i = windows_.GetCount() - 1; i >= 0; --i) {
        windows_.DeleteString(static_cast<UINT>(i));
    }
}

void CBossKeyPage::FillWindowList() {
    ClearWindowList();
    windows_.AddString(kShowDesktopEntry);
    for (HWND hwnd : TopLevelWindows()) {
        if (!::IsWindowVisible(hwnd) || ::GetParent(hwnd) != nullptr) {
            continue;
        }
        const std::string title = WindowTitle(hwnd);
        if (title.empty() || platform::CompareNoCase(title, kShellTitle) == 0) {
            continue;
        }
        windows_.AddString(title.c_str());
    }
    windows_.SetCurSel(0);
}

void CBossKeyPage::OnRefreshWindows() {
    FillWindowList();
}

void CBossKeyPage::OnOK() {
    const int selection = windows_.GetCurSel();
    settings_.target = selection;
    CString text;
    if (selection >= 0) {
        windows_.GetLBText(selection, text);
    }
    settings_.SetTitle(std::string_view(text));
    picker_.SaveKey();
    GetAppFolder();
    settings_.Save();
}

void CBossKeyPage::OnTest() {
    const int selection = windows_.GetCurSel();
    if (selection < 0) {
        return;
    }
    if (selection > 0) {
        CString title;
        windows_.GetLBText(selection, title);
        HWND target = ::FindWindowA(nullptr, title);
        if (target == nullptr) {
            return;
        }
        if (::IsIconic(target)) {
            ::SendMessageA(target, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
            ::SetForegroundWindow(target);
            ::SetWindowPos(target, HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
        }
        return;
    }
    for (HWND hwnd : TopLevelWindows()) {
        if (::IsWindowVisible(hwnd) && ::GetWindow(hwnd, GW_OWNER) == nullptr &&
            !WindowTitle(hwnd).empty()) {
            ::PostMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        }
    }
}

HBRUSH CBossKeyPage::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
