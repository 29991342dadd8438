#include "browser/PageDlg.h"

#include <algorithm>
#include <cstdint>

#include "browser/BrowserDataStore.h"
#include "browser/CtrlKeyCommands.h"
#include "browser/PageHost.h"
#include "platform/com/Bstr.h"
#include "platform/com/Exception.h"
#include "platform/com/OleCommandTarget.h"
#include "platform/webcontrol/HtmlInterfaces.h"

namespace {

const char* CharsetOfMenu(int menuId) {
    switch (menuId) {
        case CPageDlg::kCharsetWestern:
            return "iso-8859-1";
        case CPageDlg::kCharsetSimplified:
            return "iso-ir-58";
        case CPageDlg::kCharsetTraditional:
            return "big5";
        case CPageDlg::kCharsetShiftJis:
            // The menu says Shift-JIS, yet this is the name the browser has always sent.
            return "iso-2022-jp";
        case CPageDlg::kCharsetEucJp:
            return "euc-jp";
        case CPageDlg::kCharsetAutoSelect:
            return "_autodetect";
        default:
            return nullptr;
    }
}

// The period of the refresh timer in milliseconds. Minutes times 60000 passes 32 bits for large
// settings, so it is worked out in 64 bits and held to what a timer can wait.
UINT RefreshPeriod(int time, int unit) {
    const std::int64_t period = static_cast<std::int64_t>(time) * (unit == 1 ? 60000 : 1000);
    return static_cast<UINT>(std::clamp<std::int64_t>(period, 1, USER_TIMER_MAXIMUM));
}

CString TextOfVariant(const VARIANT* value) {
    if (value == nullptr) {
        return CString();
    }
    if (value->vt == VT_BSTR) {
        return CString(platform::GbkFromBstr(value->bstrVal).c_str());
    }
    if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal != nullptr) {
        return CString(platform::GbkFromBstr(*value->pbstrVal).c_str());
    }
    return CString();
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageDlg, CDialog)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_TIMER()
ON_WM_CLOSE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CPageDlg, CDialog)
ON_EVENT(CPageDlg, CPageDlg::kBrowserId, 251, OnNewWindow2, VTS_PDISPATCH VTS_PBOOL)
ON_EVENT(CPageDlg, CPageDlg::kBrowserId, 102, OnStatusTextChange, VTS_BSTR)
ON_EVENT(CPageDlg, CPageDlg::kBrowserId, 113, OnTitleChange, VTS_BSTR)
ON_EVENT(CPageDlg, CPageDlg::kBrowserId, 259, OnDocumentComplete, VTS_DISPATCH VTS_PVARIANT)
ON_EVENT(CPageDlg, CPageDlg::kBrowserId, 250, OnBeforeNavigate2,
         VTS_DISPATCH VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PBOOL)
ON_EVENT(CPageDlg, CPageDlg::kBrowserId, 108, OnProgressChange, VTS_I4 VTS_I4)
END_EVENTSINK_MAP()

CPageDlg::CPageDlg(CPageHost& rHost, CBrowserDataStore& rStore)
    : CDialog(IDD), m_host(rHost), m_store(rStore) {}

CPageDlg::~CPageDlg() {
    if (GetSafeHwnd() != nullptr) {
        DestroyWindow();
    }
}

void CPageDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kBrowserId, m_wndBrowser);
}

BOOL CPageDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    return TRUE;
}

BOOL CPageDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0) {
        const UINT command = CommandOfCtrlKey(pMsg->wParam);
        if (command != 0) {
            CWnd* pFrame = GetTopLevelParent();
            if (pFrame != nullptr) {
                pFrame->SendMessage(WM_COMMAND, command);
            }
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CPageDlg::DestroyWindow() {
    m_bClosing = 1;
    return CDialog::DestroyWindow();
}

void CPageDlg::OnDestroy() {
    // The page also goes with its parent, without DestroyWindow of its own.
    m_bClosing = 1;
    KillRefreshTimer();
    CDialog::OnDestroy();
}

void CPageDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (m_wndBrowser.GetSafeHwnd() != nullptr) {
        RECT client;
        GetClientRect(&client);
        m_wndBrowser.MoveWindow(&client);
    }
}

BOOL CPageDlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CPageDlg::OnClose() {}

void CPageDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kRefreshTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    KillRefreshTimer();
    m_wndBrowser.Refresh();
    StartRefreshTimer();
}

void CPageDlg::GetRefresh(int& time, int& unit) const {
    time = m_nRefreshTime;
    unit = m_nRefreshUnit;
}

void CPageDlg::SetRefresh(int time, int unit) {
    m_nRefreshTime = time;
    m_nRefreshUnit = unit;
    KillRefreshTimer();
    if (time > 0) {
        StartRefreshTimer();
    }
}

void CPageDlg::StartRefreshTimer() {
    m_nRefreshTimerId = SetTimer(kRefreshTimer, RefreshPeriod(m_nRefreshTime, m_nRefreshUnit));
}

void CPageDlg::KillRefreshTimer() {
    if (m_nRefreshTimerId != 0) {
        KillTimer(m_nRefreshTimerId);
        m_nRefreshTimerId = 0;
    }
}

void CPageDlg::OnNewWindow2(IDispatch** ppDisp, VARIANT_BOOL* Cancel) {
    if (m_bClosing) {
        *Cancel = VARIANT_TRUE;
        return;
    }
    CPageDlg* pPage = m_host.GetPage(1);
    if (pPage == nullptr) {
        *Cancel = VARIANT_TRUE;
        return;
    }
    *ppDisp = pPage->m_wndBrowser.GetApplication();
}

void CPageDlg::OnBeforeNavigate2(IDispatch*, VARIANT* URL, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                                 VARIANT_BOOL* Cancel) {
    if (m_bClosing) {
        *Cancel = VARIANT_TRUE;
        return;
    }
    const CString url = TextOfVariant(URL);
    const bool cancelled = m_host.CheckUrlBlocked(url) != 0;
    *Cancel = cancelled ? VARIANT_TRUE : VARIANT_FALSE;
    if (!cancelled && !url.IsEmpty()) {
        m_host.StartBusy();
    }
    if (m_nFirstNavigate && !url.IsEmpty()) {
        m_strUrl = url;
        m_nFirstNavigate = 0;
    }
}

void CPageDlg::OnDocumentComplete(IDispatch*, VARIANT*) {
    const CString url = m_wndBrowser.GetLocationURL();
    if (!url.IsEmpty()) {
        m_strUrl = url;
        if (m_store.AddVisitedUrl(url) != 0) {
            m_host.RefillAddressList();
        }
        m_host.UpdateAddressText(this);
    }
    m_nProgress = 0;
    m_host.UpdateProgress(this);
    m_host.StopBusy();
}

void CPageDlg::OnTitleChange(LPCSTR Text) {
    m_strTitle = Text;
    m_host.UpdatePageTitle(this);
}

void CPageDlg::OnStatusTextChange(LPCSTR Text) {
    m_strStatusText = Text;
    m_host.UpdateStatusText(this);
}

void CPageDlg::OnProgressChange(long Progress, long ProgressMax) {
    m_nProgress = 0;
    if (Progress > 0 && ProgressMax > 0) {
        m_nProgress = static_cast<int>(static_cast<double>(Progress) * 100.0 /
                                       static_cast<double>(ProgressMax));
    }
    m_host.UpdateProgress(this);
}

void CPageDlg::ExecDocumentCommand(const GUID* group, int command) {
    try {
        IDispatch* pDocument = m_wndBrowser.GetDocument();
        if (pDocument == nullptr) {
            return;
        }
        IOleCommandTarget* pTarget = nullptr;
        if (SUCCEEDED(pDocument->QueryInterface(IID_IOleCommandTarget,
                                                reinterpret_cast<void**>(&pTarget))) &&
            pTarget != nullptr) {
            pTarget->Exec(group, static_cast<DWORD>(command), OLECMDEXECOPT_DODEFAULT, nullptr,
                          nullptr);
            pTarget->Release();
        }
        pDocument->Release();
    } catch (CException* pException) {
        pException->Delete();
    }
}

int CPageDlg::ExecCommand(int command) {
    ExecDocumentCommand(nullptr, command);
    return 0;
}

int CPageDlg::ExecMshtmlCommand(int command) {
    ExecDocumentCommand(&CGID_MSHTML, command);
    return 0;
}

void CPageDlg::SetCharset(int menuId) {
    IDispatch* pDocument = m_wndBrowser.GetDocument();
    if (pDocument == nullptr) {
        return;
    }
    IHTMLDocument2* pHtml = nullptr;
    if (SUCCEEDED(
            pDocument->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&pHtml))) &&
        pHtml != nullptr) {
        const char* charset = CharsetOfMenu(menuId);
        if (charset != nullptr) {
            BSTR name = platform::BstrFromGbk(charset);
            pHtml->put_charset(name);
            SysFreeString(name);
        }
        pHtml->Release();
        if (charset != nullptr) {
            VARIANT level;
            VariantInit(&level);
            level.vt = VT_I4;
            level.lVal = 1;
            m_wndBrowser.Refresh2(&level);
        }
    }
    pDocument->Release();
}
