#include "manager/CdTrayKeyPage.h"

#include "common/AppFolder.h"
#include "manager/DialogKeyFilter.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CCdTrayKeyPage, CDialog)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CCdTrayKeyPage::CCdTrayKeyPage() : CDialog(IDD_CD_KEYS) {}

void CCdTrayKeyPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, save_);
}

int CCdTrayKeyPage::LoadSettings() {
    GetAppFolder();
    return settings_.Load();
}

BOOL CCdTrayKeyPage::OnInitDialog() {
    CDialog::OnInitDialog();
    LoadSettings();
    openPicker_.SetRecord(&settings_.open);
    closePicker_.SetRecord(&settings_.close);
    if (openPicker_.Create(this)) {
        openPicker_.MoveWindow(&kOpenPickerRect);
        openPicker_.ShowWindow(SW_SHOW);
    }
    if (closePicker_.Create(this)) {
        closePicker_.MoveWindow(&kClosePickerRect);
        closePicker_.ShowWindow(SW_SHOW);
    }
    return TRUE;
}

BOOL CCdTrayKeyPage::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CCdTrayKeyPage::OnOK() {
    openPicker_.SaveKey();
    closePicker_.SaveKey();
    GetAppFolder();
    settings_.Save();
}

HBRUSH CCdTrayKeyPage::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
