#include "manager/AboutPage.h"

#include <string>

#include "manager/DialogKeyFilter.h"
#include "manager/SkinConfig.h"
#include "platform/files/FileApi.h"
#include "platform/process/ProcessApi.h"
#include "platform/screen/PaintDC.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CAboutPage, CSkinnedPage)
ON_BN_CLICKED(IDCANCEL, OnHomePage)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CAboutPage::CAboutPage() : CSkinnedPage(IDD_ABOUT) {}

void CAboutPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BROWSER, m_wndBrowser);
    DDX_Control(pDX, IDCANCEL, homePage_);
}

BOOL CAboutPage::OnInitDialog() {
    CDialog::OnInitDialog();
    NavigateAboutPage();
    return painter_.LoadSkin(kAboutSkinKey) == 0;
}

BOOL CAboutPage::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

int CAboutPage::NavigateAboutPage() {
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, sizeof(module));
    std::string folder = module;
    const std::size_t last = folder.rfind('\\');
    folder = last == std::string::npos ? std::string() : folder.substr(0, last);
    for (char& c : folder) {
        if (c == '\\') {
            c = '/';
        }
    }
    const std::string address = "file://" + folder + "/data2/about.htm";
    m_wndBrowser.Navigate(address.c_str(), nullptr, nullptr, nullptr, nullptr);
    return 0;
}

int CAboutPage::RecalcLayout() {
    return LayOutAround({&m_wndBrowser, &homePage_});
}

void CAboutPage::DrawContent(CDC* buffer, const CRect& client) {
    CPagePainter::DrawTitle(buffer, client, "关于软件");
    buffer->SetTextColor(RGB(0, 0, 255));
    RECT version{client.left + 20, 45, client.right, 75};
    buffer->DrawText("Deskvane V1.71 (Quorra浏览器精减版)", -1, &version, DT_LEFT | DT_TOP);
}

void CAboutPage::OnHomePage() {
    ::ShellExecuteA(nullptr, "open", kHomePage, nullptr, nullptr, SW_SHOWNORMAL);
}

void CAboutPage::OnPaint() {
    CPaintDC dc(this);
    DrawPage(&dc);
}

BOOL CAboutPage::OnEraseBkgnd(CDC* pDC) {
    DrawPage();
    return CDialog::OnEraseBkgnd(pDC);
}
