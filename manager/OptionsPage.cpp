#include "manager/OptionsPage.h"

#include "common/AppFolder.h"
#include "common/RegistryKey.h"
#include "manager/SkinConfig.h"
#include "platform/screen/ClientDC.h"
#include "platform/screen/PaintDC.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(COptionsPage, CManagerPage)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

constexpr char kVersion[] = "0.9";

}  // namespace

COptionsPage::COptionsPage() : CManagerPage(IDD_OPTIONS) {}

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
    CWnd* check = GetDlgItem(IDC_AUTO_START);
    if (check == nullptr || save_.m_hWnd == nullptr) {
        return 1;
    }
    CRect client;
    GetClientRect(&client);
    painter_.ResetRects();
    painter_.AddRect(client);
    for (CWnd* control : {check, static_cast<CWnd*>(&save_)}) {
        painter_.AddWindowRect(this, control);
    }
    painter_.SplitRects();
    return 0;
}

void COptionsPage::DrawTitle() {
    CClientDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC* buffer = painter_.BeginDraw(&dc, client);
    if (buffer == nullptr) {
        return;
    }
    CPagePainter::DrawTitle(buffer, client, "参数设置");
    painter_.EndDraw(&dc, FALSE);
}

void COptionsPage::OnPaint() {
    { CPaintDC dc(this); }
    DrawTitle();
}

BOOL COptionsPage::OnEraseBkgnd(CDC*) {
    DrawTitle();
    return TRUE;
}

void COptionsPage::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    RecalcLayout();
}

HBRUSH COptionsPage::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
