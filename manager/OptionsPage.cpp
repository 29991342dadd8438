#include "manager/OptionsPage.h"

#include "common/AppFolder.h"
#include "common/RegistryKey.h"
#include "manager/SkinConfig.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(COptionsPage, CSkinnedPage)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

constexpr char kVersion[] = "0.9";

}  // namespace

COptionsPage::COptionsPage() : CSkinnedPage(IDD_OPTIONS) {}

void COptionsPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, save_);
}

BOOL COptionsPage::OnInitDialog() {
    CDialog::OnInitDialog();
    CRegistryKey run;
    run.SetRoot(HKEY_LOCAL_MACHINE);
    if (run.SetKey(kRunKey, TRUE) != 0 && run.ReadString(kRunValue, "null") != "null") {
        CheckDlgButton(IDC_AUTO_START, BST_CHECKED);
    }
    return painter_.LoadSkin(kOptionSkinKey) == 0;
}

BOOL COptionsPage::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void COptionsPage::OnOK() {
    const CString folder = GetAppFolder();
    const CString runText = "\"" + folder + "dvtp.exe\"";
    CRegistryKey program;
    program.SetRoot(HKEY_LOCAL_MACHINE);
    if (program.SetKey(kProgramKey, TRUE) != 0) {
        program.WriteString("ver", kVersion);
        program.WriteString("path", folder);
    }
    CRegistryKey run;
    run.SetRoot(HKEY_LOCAL_MACHINE);
    if (run.SetKey(kRunKey, TRUE) != 0) {
        if (IsDlgButtonChecked(IDC_AUTO_START) == BST_CHECKED) {
            run.WriteString(kRunValue, runText);
        } else {
            run.DeleteValue(kRunValue);
        }
    }
}

int COptionsPage::RecalcLayout() {
    return LayOutAround({GetDlgItem(IDC_AUTO_START), &save_});
}

void COptionsPage::DrawContent(CDC* buffer, const CRect& client) {
    CPagePainter::DrawTitle(buffer, client, "参数设置");
}
