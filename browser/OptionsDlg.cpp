#include "browser/OptionsDlg.h"

#include <cstring>
#include <string_view>

#include "browser/BrowserDataStore.h"
#include "browser/SkinDlg.h"
#include "common/AppFolder.h"
#include "platform/framework/AfxMessageBox.h"
#include "platform/text/Gbk.h"
#include "resources/quorra/resource.h"

BEGIN_MESSAGE_MAP(COptionsDlg, CDialog)
ON_BN_CLICKED(IDC_NEWS_ON, OnNewsChoice)
ON_BN_CLICKED(IDC_NEWS_OFF, OnNewsChoice)
ON_BN_CLICKED(IDC_APPLY_SKIN, OnApplySkin)
END_MESSAGE_MAP()

COptionsDlg::COptionsDlg(CWnd* pParent) : CDialog(IDD_OPTIONS, pParent) {}

void COptionsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_START_URL, m_startUrlEdit);
    DDX_Control(pDX, IDC_SKIN_LIST, m_skinList);
    DDX_Control(pDX, IDC_REFRESH_UNIT, m_unitCombo);
    DDX_Control(pDX, IDC_REFRESH_TIME, m_timeEdit);
}

BOOL COptionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CString time;
    time.Format("%d", m_nRefreshTime);
    m_timeEdit.SetWindowText(time);
    m_unitCombo.SetCurSel(m_nRefreshUnit);

    const CBrowserDataStore& store = DataStore();
    int startButton = IDC_START_WELCOME;
    if (store.startPageMode == 1) {
        startButton = IDC_START_BLANK;
    } else if (store.startPageMode == 2) {
        startButton = IDC_START_ADDRESS;
    }
    CheckDlgButton(startButton, BST_CHECKED);
    m_startUrlEdit.SetWindowText(store.startUrl);
    CheckDlgButton(IDC_ANNOUNCE_UPDATES, store.announceUpdates == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(store.tabMaximized == 1 ? IDC_TAB_MAXIMIZED : IDC_TAB_STANDARD, BST_CHECKED);
    CheckDlgButton(store.activateNewPage == 1 ? IDC_ACTIVATE_NEW : IDC_ACTIVATE_CURRENT,
                   BST_CHECKED);
    CheckDlgButton(store.tabsAtBottom == 1 ? IDC_TABS_BOTTOM : IDC_TABS_TOP, BST_CHECKED);
    CheckDlgButton(store.newsOff == 1 ? IDC_NEWS_OFF : IDC_NEWS_ON, BST_CHECKED);

    GetAppFolder();
    ListSkins(m_skinList);
    return TRUE;
}

void COptionsDlg::OnNewsChoice() {
    AfxMessageBox("更改该项设置需重启后生效。");
}

void COptionsDlg::OnApplySkin() {
    ApplySelectedSkin(m_skinList);
}

void COptionsDlg::OnOK() {
    CString time;
    m_timeEdit.GetWindowText(time);
    m_nRefreshTime = platform::ParseInt(std::string_view(time, time.GetLength()));
    m_nRefreshUnit = m_unitCombo.GetCurSel();

    CBrowserDataStore& store = DataStore();
    store.tabMaximized = IsDlgButtonChecked(IDC_TAB_STANDARD) ? 0 : 1;
    store.activateNewPage = IsDlgButtonChecked(IDC_ACTIVATE_CURRENT) ? 0 : 1;
    store.tabsAtBottom = IsDlgButtonChecked(IDC_TABS_TOP) ? 0 : 1;
    store.newsOff = IsDlgButtonChecked(IDC_NEWS_ON) ? 0 : 1;
    if (IsDlgButtonChecked(IDC_START_BLANK)) {
        store.startPageMode = 1;
    } else if (IsDlgButtonChecked(IDC_START_ADDRESS)) {
        store.startPageMode = 2;
    } else {
        store.startPageMode = 0;
    }
    store.announceUpdates = IsDlgButtonChecked(IDC_ANNOUNCE_UPDATES) ? 1 : 0;

    // The field holds 255 bytes and a NUL; a double-byte character that does not fit whole is
    // left out rather than cut in half.
    CString url;
    m_startUrlEdit.GetWindowText(url);
    const std::string_view text(url, url.GetLength());
    const size_t length = platform::CutAtCharBoundary(text, sizeof(store.startUrl) - 1);
    std::memset(store.startUrl, 0, sizeof(store.startUrl));
    std::memcpy(store.startUrl, text.data(), length);

    CDialog::OnOK();
}
