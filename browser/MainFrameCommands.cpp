#include <string>
#include <string_view>

#include "browser/BrowserDataStore.h"
#include "browser/CtrlKeyCommands.h"
#include "browser/FilterDlg.h"
#include "browser/MainFrame.h"
#include "browser/MakerSite.h"
#include "browser/PageDlg.h"
#include "browser/SkinDlg.h"
#include "common/AppFolder.h"
#include "common/RegistryKey.h"
#include "platform/com/ComRuntime.h"
#include "platform/com/OleCommandTarget.h"
#include "platform/com/Variant.h"
#include "platform/files/FileApi.h"
#include "platform/framework/AfxMessageBox.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/WinApp.h"
#include "platform/process/ProcessApi.h"
#include "platform/registry/Registry.h"
#include "platform/text/Gbk.h"
#include "platform/webcontrol/UrlHistoryInterfaces.h"
#include "resources/quorra/resource.h"

namespace {

constexpr char kOpenFilter[] =
    "HTML Files|*.htm;*.html|Text Files|*.txt|GIF Files|*.gif|JPEG Files|*.jpg;*.jpeg|"
    "AU Files|*.au|AIFF Files|*.aif;*.aiff|XBM Files|*.xbm|All Files|*.*||";
constexpr char kInternationalKey[] = "Software\\Microsoft\\Internet Explorer\\International";
constexpr char kFindlarkKey[] = "software\\larchway5\\fk";
constexpr char kFindlarkMissing[] = "本机还未安装 Findlark,你可以到官网去下载此软件.";
constexpr char kFilterSettingsTip[] = "设置网页搜索功能";

UINT BandOfCommand(UINT nID) {
    switch (nID) {
        case ID_VIEW_TOOLBAR:
            return CMainFrame::kStandardBand;
        case ID_VIEW_BUSY_BAR:
            return CMainFrame::kBusyBand;
        default:
            return CMainFrame::kAddressBand;
    }
}

// A "%s" pattern from a data file with the text in place of "%s". The pattern never reaches
// printf, so a "%d" in it, or a "%s" in the text, is taken as it stands.
CString FillPattern(const CString& pattern, const CString& text) {
    return CString(platform::FillPattern(pattern.view(), {text.view()}));
}

CString MakerPage(LPCSTR path) {
    return CString(kMakerSite) + path;
}

VARIANT IntegerVariant(long value) {
    VARIANT variant;
    ::VariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = value;
    return variant;
}

}  // namespace

CPageDlg* CMainFrame::GetSelectedPage() const {
    return GetPageAt(GetCurrentIndex());
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN) {
        if (::GetKeyState(VK_CONTROL) < 0) {
            if (const UINT command = CommandOfCtrlKey(pMsg->wParam); command != 0) {
                SendMessage(WM_COMMAND, command);
                return TRUE;
            }
        }
        if (pMsg->wParam == VK_RETURN) {
            if (pMsg->hwnd == m_wndKeyword.GetSafeHwnd()) {
                OnSearch();
            } else if (pMsg->hwnd == m_wndMusic.GetSafeHwnd()) {
                OnMusicSearch();
            }
        }
        if (pMsg->wParam == VK_ESCAPE) {
            return CWnd::PreTranslateMessage(pMsg);
        }
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMainFrame::OnSearch() {
    const int engine = m_wndEngine.GetCurSel();
    if (engine < 0 || static_cast<size_t>(engine) >= m_store.engineUrls.size()) {
        return;
    }
    const CString& pattern = m_store.engineUrls[static_cast<size_t>(engine)];
    if (pattern.IsEmpty()) {
        return;
    }
    CString keyword;
    m_wndKeyword.GetWindowText(keyword);
    OpenUrl(FillPattern(pattern, keyword), 1, 1);
}

void CMainFrame::OnMusicSearch() {
    if (m_store.musicSearchUrl.IsEmpty()) {
        return;
    }
    CString keyword;
    m_wndMusic.GetWindowText(keyword);
    keyword.Trim();
    OpenUrl(FillPattern(m_store.musicSearchUrl, keyword), 1, 1);
}

void CMainFrame::OnSkin() {
    CSkinDlg dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnFilterSettings() {
    CFilterDlg dialog(this);
    if (dialog.DoModal() == IDOK) {
        m_wndFilterSettings.SetBitmap(20, 20,
                                      m_store.filterPaused != 0 ? IDB_FILTER_PAUSED : IDB_FILTER_ON,
                                      kFilterSettingsTip);
    }
}

void CMainFrame::OnStop() {
    if (CPageDlg* pPage = GetSelectedPage()) {
        pPage->m_wndBrowser.Stop();
    }
}

void CMainFrame::OnRefresh() {
    if (CPageDlg* pPage = GetSelectedPage()) {
        pPage->m_wndBrowser.Refresh();
    }
}

void CMainFrame::OnFontSize(UINT nID) {
    // "最大" is zoom level 4, "最小" level 0.
    const long level = static_cast<long>(ID_FONT_SMALLEST - nID);
    const int count = GetTabCount();
    for (int i = 0; i < count; ++i) {
        VARIANT zoom = IntegerVariant(level);
        m_pages[i]->m_wndBrowser.ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &zoom,
                                        nullptr);
    }
}

void CMainFrame::OnGoBack() {
    if (CPageDlg* pPage = GetSelectedPage()) {
        pPage->m_wndBrowser.GoBack();
    }
}

void CMainFrame::OnGoForward() {
    if (CPageDlg* pPage = GetSelectedPage()) {
        pPage->m_wndBrowser.GoForward();
    }
}

void CMainFrame::OnGoHome() {
    OpenMainPage();
}

void CMainFrame::OnGoSearch() {
    CString url;
    url.Format("%sdata\\search.htm", static_cast<LPCSTR>(GetAppFolder()));
    OpenUrl(url, 0, 1);
}

BOOL CMainFrame::IsBandVisible(UINT bandId) const {
    const LRESULT index = m_wndReBar.SendMessage(RB_IDTOINDEX, bandId);
    if (index < 0) {
        return FALSE;
    }
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE;
    m_wndReBar.SendMessage(RB_GETBANDINFO, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(&band));
    return (band.fStyle & RBBS_HIDDEN) == 0;
}

void CMainFrame::OnToggleBand(UINT nID) {
    const UINT band = BandOfCommand(nID);
    ShowBand(band, !IsBandVisible(band));
    RecalcLayout();
}

void CMainFrame::OnUpdateBand(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(IsBandVisible(BandOfCommand(pCmdUI->m_nID)) ? 1 : 0);
}

void CMainFrame::OnDocumentCommand(UINT nID) {
    CPageDlg* pPage = GetSelectedPage();
    if (pPage == nullptr) {
        return;
    }
    switch (nID) {
        case ID_PRINT:
            pPage->ExecCommand(OLECMDID_PRINT);
            break;
        case ID_PRINT_PREVIEW:
            pPage->ExecCommand(OLECMDID_PRINTPREVIEW);
            break;
        case ID_PAGE_PROPERTIES:
            pPage->ExecCommand(OLECMDID_PROPERTIES);
            break;
        default:
            pPage->ExecCommand(OLECMDID_PAGESETUP);
            break;
    }
}

void CMainFrame::OnMshtmlCommand(UINT nID) {
    CPageDlg* pPage = GetSelectedPage();
    if (pPage == nullptr) {
        return;
    }
    // The MSHTML group's find (1), view source (2) and Internet options (3).
    switch (nID) {
        case ID_EDIT_FIND:
            pPage->ExecMshtmlCommand(1);
            break;
        case ID_VIEW_SOURCE:
            pPage->ExecMshtmlCommand(2);
            break;
        default:
            pPage->ExecMshtmlCommand(3);
            break;
    }
}

void CMainFrame::OnBrowserCommand(UINT nID) {
    CPageDlg* pPage = GetSelectedPage();
    if (pPage == nullptr) {
        return;
    }
    long command = OLECMDID_SAVEAS;
    long option = OLECMDEXECOPT_DONTPROMPTUSER;
    switch (nID) {
        case ID_SAVE_AS:
            option = OLECMDEXECOPT_DODEFAULT;
            break;
        case ID_EDIT_COPY:
            command = OLECMDID_COPY;
            break;
        case ID_EDIT_CUT:
            command = OLECMDID_CUT;
            break;
        case ID_EDIT_PASTE:
            command = OLECMDID_PASTE;
            break;
        case ID_EDIT_SELECT_ALL:
            command = OLECMDID_SELECTALL;
            break;
        default:
            break;
    }
    pPage->m_wndBrowser.ExecWB(command, option, nullptr, nullptr);
}

void CMainFrame::OnCharset(UINT nID) {
    if (CPageDlg* pPage = GetSelectedPage()) {
        pPage->SetCharset(static_cast<int>(nID));
    }
}

void CMainFrame::OnAutoSelectCharset() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kInternationalKey, 0, KEY_ALL_ACCESS, &key) ==
        ERROR_SUCCESS) {
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (::RegQueryValueExA(key, "AutoDetect", nullptr, nullptr,
                               reinterpret_cast<LPBYTE>(&value), &size) == ERROR_SUCCESS &&
            size == sizeof(value)) {
            value = value == 0 ? 1 : 0;
            ::RegSetValueExA(key, "AutoDetect", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                             sizeof(value));
        }
        ::RegCloseKey(key);
    }
    if (CPageDlg* pPage = GetSelectedPage()) {
        VARIANT level = IntegerVariant(1);
        pPage->m_wndBrowser.Refresh2(&level);
    }
}

void CMainFrame::OnClearHistory() {
    CString text;
    m_wndAddress.GetWindowText(text);
    ::DeleteFileA("data\\visited.dat");
    m_store.visitedUrls.clear();
    RefillAddressList();
    m_wndAddress.SetWindowText(text);

    IUrlHistoryStg2* pHistory = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IUrlHistoryStg2, reinterpret_cast<void**>(&pHistory)))) {
        pHistory->ClearHistory();
        pHistory->Release();
    }
}

void CMainFrame::ShellOpen(LPCSTR target, int show) {
    const auto result =
        reinterpret_cast<INT_PTR>(::ShellExecuteA(m_hWnd, "open", target, nullptr, nullptr, show));
    if (result > 32) {
        return;
    }
    CString text;
    if (result == SE_ERR_FNF || result == SE_ERR_PNF) {
        text.Format("找不到“%s”。请确定文件名是否正确后，再试一次。", target);
    } else {
        text.Format("无法打开“%s”。", target);
    }
    AfxMessageBox(text, MB_OK | MB_ICONERROR);
}

void CMainFrame::StartSibling(LPCSTR path, int show) {
    GetAppFolder();
    ShellOpen(path, show);
}

void CMainFrame::OnRuneloom() {
    StartSibling("exec\\rk.exe", SW_SHOWNORMAL);
}

void CMainFrame::OnGlintora() {
    StartSibling("exec\\gt\\glintora.exe", SW_SHOWNORMAL);
}

void CMainFrame::OnDeskvane() {
    StartSibling("dv\\dv.exe", SW_SHOWNORMAL);
}

void CMainFrame::OnFindlark() {
    CRegistryKey key;
    key.SetRoot(HKEY_LOCAL_MACHINE);
    CString folder;
    if (key.SetKey(kFindlarkKey, FALSE)) {
        folder = key.ReadString("path", "");
    }
    if (folder.IsEmpty()) {
        AfxMessageBox(kFindlarkMissing);
        OpenUrl(MakerPage("/findlark.asp"), 1, 1);
        return;
    }
    // The installer writes the folder with its backslash; one written without still counts.
    const std::string_view written = folder.view();
    if (platform::FindLastChar(written, '\\') != written.size() - 1 && written.back() != '/') {
        folder += '\\';
    }
    const CString program = folder + "findlark.exe";
    const DWORD attributes = ::GetFileAttributesA(program);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        AfxMessageBox(kFindlarkMissing);
        OpenUrl(MakerPage("/ss.asp"), 1, 1);
        return;
    }
    ShellOpen(program, SW_SHOW);
}

void CMainFrame::OnReportProblem() {
    ShellOpen(CString("mailto:") + kSupportAddress, SW_SHOWNORMAL);
}

void CMainFrame::OnMakerPage(UINT nID) {
    switch (nID) {
        case ID_OFFICIAL_SITE:
            OpenUrl(MakerPage("/"), 1, 1);
            break;
        case ID_NET_FAVORITES:
            OpenUrl(MakerPage("/mynet/"), 1, 1);
            break;
        default:
            OpenUrl(MakerPage("/quorra.asp"), 0, 1);
            break;
    }
}

void CMainFrame::OnFileNew() {
    OpenUrl("about:blank", 1, 1);
}

void CMainFrame::OnFileOpen() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kOpenFilter, this);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    // The dialog may have moved the current folder, against which the data paths resolve.
    GetAppFolder();
    OpenUrl(dialog.GetPathName(), 0, 1);
}

void CMainFrame::OnAppExit() {
    if (CWinApp* pApp = AfxGetApp()) {
        pApp->OnAppExit();
    }
}
