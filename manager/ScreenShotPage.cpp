#include "manager/ScreenShotPage.h"

#include "common/AppFolder.h"
#include "manager/DialogKeyFilter.h"
#include "manager/ScheduleList.h"
#include "platform/commondialogs/ShellFolderApi.h"
#include "platform/framework/WinApp.h"
#include "platform/time/Clock.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CScreenShotPage, CDialog)
ON_WM_SIZE()
ON_BN_CLICKED(IDC_SAVE_SHOT_SETTINGS, OnSaveSettings)
ON_BN_CLICKED(IDC_CAPTURE_SCREEN, OnCaptureScreen)
ON_BN_CLICKED(IDC_CAPTURE_WINDOW, OnCaptureWindow)
ON_BN_CLICKED(IDC_CAPTURE_AREA, OnCaptureArea)
ON_BN_CLICKED(IDC_BROWSE_SHOT_FOLDER, BrowseForFolder)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

constexpr int kButtonLeft = 15;
constexpr int kButtonWidth = 85;
constexpr int kPickerLeft = 105;
constexpr int kPickerWidth = 330;
constexpr int kRowHeight = 20;
constexpr int kRowTops[] = {18, 46, 74};

}  // namespace

CScreenShotPage::CScreenShotPage() : CDialog(IDD_SCREENSHOT) {}

void CScreenShotPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CAPTURE_SCREEN, captureScreen_);
    DDX_Control(pDX, IDC_CAPTURE_WINDOW, captureWindow_);
    DDX_Control(pDX, IDC_CAPTURE_AREA, captureArea_);
    DDX_Control(pDX, IDC_TO_CLIPBOARD, toClipboard_);
    DDX_Control(pDX, IDC_TO_FILE, toFile_);
    DDX_Control(pDX, IDC_BROWSE_SHOT_FOLDER, browse_);
    DDX_Control(pDX, IDC_SAVE_SHOT_SETTINGS, save_);
}

int CScreenShotPage::LoadSettings() {
    const CString folder = GetAppFolder();
    return settings_.Load(std::string_view(folder));
}

BOOL CScreenShotPage::OnInitDialog() {
    CDialog::OnInitDialog();
    LoadSettings();
    fullScreenPicker_.SetRecord(&settings_.fullScreenKey);
    windowPicker_.SetRecord(&settings_.windowKey);
    areaPicker_.SetRecord(&settings_.areaKey);
    fullScreenPicker_.Create(this);
    windowPicker_.Create(this);
    areaPicker_.Create(this);
    RecalcLayout();
    CheckDlgButton(IDC_TO_CLIPBOARD, settings_.toClipboard != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_TO_FILE, settings_.toFile != 0 ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(IDC_SHOT_FOLDER, settings_.folder);
    for (CHotKeyPicker* picker : {&fullScreenPicker_, &windowPicker_, &areaPicker_}) {
        picker->ShowWindow(SW_SHOW);
    }
    return TRUE;
}

BOOL CScreenShotPage::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CScreenShotPage::RecalcLayout() {
    if (areaPicker_.m_hWnd == nullptr) {
        return;
    }
    CWnd* buttons[] = {&captureScreen_, &captureWindow_, &captureArea_};
    CHotKeyPicker* pickers[] = {&fullScreenPicker_, &windowPicker_, &areaPicker_};
    for (int row = 0; row < 3; ++row) {
        if (buttons[row]->m_hWnd != nullptr) {
            buttons[row]->MoveWindow(kButtonLeft, kRowTops[row], kButtonWidth, kRowHeight);
        }
        if (pickers[row]->m_hWnd != nullptr) {
            pickers[row]->MoveWindow(kPickerLeft, kRowTops[row], kPickerWidth, kRowHeight);
        }
    }
}

void CScreenShotPage::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CScreenShotPage::OnSaveSettings() {
    CString folder;
    GetDlgItemText(IDC_SHOT_FOLDER, folder);
    folder.Trim();
    if (!(folder.GetLength() > 1 && folder[1] == ':')) {
        MessageBox("保存目录设置不正确");
        return;
    }
    if (folder.GetLength() > 2 && folder[folder.GetLength() - 1] != '\\') {
        folder += "\\";
    }
    SetDlgItemText(IDC_SHOT_FOLDER, folder);
    fullScreenPicker_.SaveKey();
    windowPicker_.SaveKey();
    areaPicker_.SaveKey();
    settings_.toClipboard = IsDlgButtonChecked(IDC_TO_CLIPBOARD) == BST_CHECKED ? 1 : 0;
    settings_.toFile = IsDlgButtonChecked(IDC_TO_FILE) == BST_CHECKED ? 1 : 0;
    settings_.SetFolder(std::string_view(folder));
    settings_.Save();
}

void CScreenShotPage::RequestCapture(unsigned message) {
    HWND tray = ::FindWindowA(nullptr, kTrayTitle);
    if (tray == nullptr) {
        return;
    }
    if (CWnd* main = AfxGetMainWnd()) {
        main->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
    ::Sleep(0);
    ::PostMessageA(tray, message, 0, 0);
}

void CScreenShotPage::OnCaptureScreen() {
    RequestCapture(kCaptureFullMessage);
}

void CScreenShotPage::OnCaptureWindow() {
    RequestCapture(kCaptureWindowMessage);
}

void CScreenShotPage::OnCaptureArea() {
    RequestCapture(kCaptureAreaMessage);
}

void CScreenShotPage::BrowseForFolder() {
    char name[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = m_hWnd;
    info.pszDisplayName = name;
    info.lpszTitle = "请选择目录";
    if (LPITEMIDLIST list = ::SHBrowseForFolderA(&info)) {
        char path[MAX_PATH] = {};
        if (::SHGetPathFromIDListA(list, path)) {
            SetDlgItemText(IDC_SHOT_FOLDER, path);
        }
        ::ILFree(list);
    }
    GetAppFolder();
}

HBRUSH CScreenShotPage::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
