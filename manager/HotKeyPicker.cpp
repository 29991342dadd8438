#include "manager/HotKeyPicker.h"

#include "manager/DialogKeyFilter.h"
#include "manager/KeyNameTable.h"
#include "platform/framework/DataExchangeFunctions.h"
#include "resources/deskvane/resource.h"

namespace {

constexpr int kKeyListWidth = 120;
constexpr int kDropDownHeight = 300;
constexpr int kBoxWidth = 60;
constexpr int kBoxHeight = 12;
constexpr int kBoxTop = 4;
constexpr int kGap = 3;

}  // namespace

BEGIN_MESSAGE_MAP(CHotKeyPicker, CDialog)
ON_WM_SIZE()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CHotKeyPicker::CHotKeyPicker(HotKeyRecord* record) : CDialog(IDD_HOTKEY_PICKER), record_(record) {}

BOOL CHotKeyPicker::Create(CWnd* parent) {
    return CDialog::Create(IDD_HOTKEY_PICKER, parent);
}

void CHotKeyPicker::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KEY, keys_);
}

BOOL CHotKeyPicker::OnInitDialog() {
    CDialog::OnInitDialog();
    keys_.FillKeyNames();
    CheckDlgButton(IDC_SHIFT, BST_UNCHECKED);
    CheckDlgButton(IDC_CTRL, BST_UNCHECKED);
    CheckDlgButton(IDC_ALT, BST_UNCHECKED);
    keys_.SetCurSel(0);
    if (record_ != nullptr) {
        CheckDlgButton(IDC_ALT, record_->alt != 0 ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_SHIFT, record_->shift != 0 ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_CTRL, record_->ctrl != 0 ? BST_CHECKED : BST_UNCHECKED);
        keys_.SetCurSel(KeyNames().IndexOfKey(record_->code));
    }
    GetDlgItem(IDC_SHIFT)->SetFocus();
    return TRUE;
}

BOOL CHotKeyPicker::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

int CHotKeyPicker::SaveKey() {
    if (record_ == nullptr) {
        return 0;
    }
    record_->alt = IsDlgButtonChecked(IDC_ALT) == BST_CHECKED ? 1 : 0;
    record_->ctrl = IsDlgButtonChecked(IDC_CTRL) == BST_CHECKED ? 1 : 0;
    record_->shift = IsDlgButtonChecked(IDC_SHIFT) == BST_CHECKED ? 1 : 0;
    record_->code = KeyNames().KeyAt(keys_.GetCurSel());
    return 0;
}

void CHotKeyPicker::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (keys_.m_hWnd == nullptr) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    keys_.MoveWindow(client.left, client.top, kKeyListWidth, kDropDownHeight);
    int left = client.left + kKeyListWidth;
    for (int id : {IDC_SHIFT, IDC_CTRL, IDC_ALT}) {
        left += kGap;
        if (CWnd* box = GetDlgItem(id)) {
            box->MoveWindow(left, client.top + kBoxTop, kBoxWidth, kBoxHeight);
        }
        left += kBoxWidth;
    }
}

HBRUSH CHotKeyPicker::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
