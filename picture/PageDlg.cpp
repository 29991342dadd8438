#include "picture/PageDlg.h"

#include <memory>
#include <string>

#include "common/AppFolder.h"
#include "picture/KeyedTextFile.h"
#include "picture/MainFrame.h"
#include "picture/ScriptEngine.h"
#include "platform/com/Bstr.h"
#include "platform/com/Exception.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Variant.h"
#include "platform/files/FileApi.h"
#include "platform/framework/WinThread.h"
#include "platform/webcontrol/HtmlInterfaces.h"

namespace glintora {

namespace {

constexpr char kImageInfoScript[] = "html\\imageinfo.dat";
constexpr char kUrlListScript[] = "html\\urllist.dat";

// What a URL-list worker needs: it takes copies, so that it never reads the page, which may close
// while the script runs; the script reaches the page only through the frame's relay, which checks
// that the page is still open. The worker shares the relay, which may outlive the frame.
struct UrlListJob {
    std::shared_ptr<CScriptRelay> pRelay;
    ::CPageDlg* pPage;
    CString name;
    CString url;
};

CString TextOf(BSTR text) {
    return text != nullptr ? CString(platform::GbkFromBstr(text).c_str()) : CString();
}

// Runs the URL-list script for the job on the worker thread: 0 when it ran, 1 when the script
// file cannot be loaded.
int RunUrlListScript(const UrlListJob& job) {
    CKeyedTextFile file;
    const CString path = GetAppFolderNoChdir() + kUrlListScript;
    if (file.Load(path, kScriptFileKey) != 0) {
        return 1;
    }
    CScriptEngine engine;
    engine.SetPage(job.pRelay.get(), job.pPage);
    engine.Init(file.GetContent());
    engine.SetVariable("@img_url", job.url);
    engine.SetVariable("@img_name", job.name);
    engine.Run();
    return 0;
}

UINT UrlListThreadProc(LPVOID pParam) {
    std::unique_ptr<UrlListJob> job(static_cast<UrlListJob*>(pParam));
    RunUrlListScript(*job);
    return 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageDlg, ::CPageDlg)
ON_WM_SIZE()
ON_WM_TIMER()
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CPageDlg, ::CPageDlg)
ON_EVENT(CPageDlg, CPageDlg::kSearchPaneId, 251, OnPaneNewWindow2, VTS_PDISPATCH VTS_PBOOL)
ON_EVENT(CPageDlg, CPageDlg::kSearchPaneId, 250, OnPaneBeforeNavigate2,
         VTS_DISPATCH VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PBOOL)
END_EVENTSINK_MAP()

CPageDlg::CPageDlg(CMainFrame& rFrame, CBrowserDataStore& rStore)
    : ::CPageDlg(rFrame, rStore), m_frame(rFrame) {}

void CPageDlg::DoDataExchange(CDataExchange* pDX) {
    ::CPageDlg::DoDataExchange(pDX);
    DDX_Control(pDX, kSearchPaneId, m_wndSearchPane);
}

BOOL CPageDlg::OnInitDialog() {
    ::CPageDlg::OnInitDialog();
    m_wndBrowser.Navigate("about:blank", nullptr, nullptr, nullptr, nullptr);
    m_wndSearchPane.Navigate("about:blank", nullptr, nullptr, nullptr, nullptr);
    m_nPanesReady = 1;
    LayoutPanes();
    return TRUE;
}

void CPageDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    LayoutPanes();
}

void CPageDlg::LayoutPanes() {
    if (m_nPanesReady != 1) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    m_wndBrowser.MoveWindow(client.left, client.top, client.Width(), client.Height(), TRUE);
    m_wndSearchPane.MoveWindow(client.left, client.bottom, client.Width(), 0, TRUE);
}

void CPageDlg::OnTitleChange(LPCSTR Text) {
    // The title a search set ("搜索" and the keyword) stays while the page shows its list.
    if (m_nPictureSearch == 1) {
        return;
    }
    ::CPageDlg::OnTitleChange(Text);
}

void CPageDlg::OnPaneNewWindow2(IDispatch** ppDisp, VARIANT_BOOL* Cancel) {
    OnNewWindow2(ppDisp, Cancel);
}

void CPageDlg::OnPaneBeforeNavigate2(IDispatch* pDisp, VARIANT* URL, VARIANT* Flags,
                                     VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers,
                                     VARIANT_BOOL* Cancel) {
    OnBeforeNavigate2(pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel);
}

void CPageDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kPollTimer) {
        ::CPageDlg::OnTimer(nIDEvent);
        return;
    }
    KillTimer(kPollTimer);
    m_nRefreshTimerId = 0;
    if (CollectImageLinks() == 1) {
        ShowPictureList();
        return;
    }
    m_nRefreshTimerId = SetTimer(kPollTimer, kPollMilliseconds);
}

void CPageDlg::StartPoll() {
    // The poll takes the page's one timer: an auto-refresh of the page ends here.
    if (m_nRefreshTimerId != 0) {
        KillTimer(m_nRefreshTimerId);
    }
    m_nRefreshTimerId = SetTimer(kPollTimer, kPollMilliseconds);
}

int CPageDlg::SearchPictures(CString keyword, CString resultPageUrl) {
    m_results.m_strKeyword = keyword;
    m_nPictureSearch = 1;
    CString target = resultPageUrl;
    if (resultPageUrl.IsEmpty()) {
        m_strTitle = "搜索" + keyword;
        m_frame.UpdatePageTitle(this);
        m_frame.NavigatePane(CImageSearchResults::CompanionPage(keyword));
        target = CImageSearchResults::FirstResultPage(keyword);
    } else {
        ClearPictureList();
    }
    m_results.Reset();
    m_wndBrowser.Navigate("about:blank", nullptr, nullptr, nullptr, nullptr);
    m_wndSearchPane.Navigate(target, nullptr, nullptr, nullptr, nullptr);
    StartPoll();
    return 1;
}

IHTMLDocument2* CPageDlg::HtmlDocument(CWebBrowser2& browser) {
    IDispatch* pDispatch = browser.GetDocument();
    if (pDispatch == nullptr) {
        return nullptr;
    }
    IHTMLDocument2* pDocument = nullptr;
    if (FAILED(
            pDispatch->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&pDocument)))) {
        pDocument = nullptr;
    }
    pDispatch->Release();
    return pDocument;
}

int CPageDlg::CollectImageLinks() {
    IHTMLDocument2* pDocument = HtmlDocument(m_wndSearchPane);
    if (pDocument == nullptr) {
        return 0;
    }
    int ready = 0;
    IHTMLElementCollection* pAll = nullptr;
    try {
        LONG count = 0;
        if (SUCCEEDED(pDocument->get_all(&pAll)) && pAll != nullptr &&
            SUCCEEDED(pAll->get_length(&count))) {
            for (LONG i = 0; i < count; ++i) {
                VARIANT name;
                VariantInit(&name);
                name.vt = VT_UINT;
                name.uintVal = static_cast<UINT>(i);
                VARIANT index;
                VariantInit(&index);
                IDispatch* pItem = nullptr;
                if (FAILED(pAll->item(name, index, &pItem)) || pItem == nullptr) {
                    continue;
                }
                IHTMLElement* pElement = nullptr;
                IHTMLAnchorElement* pAnchor = nullptr;
                if (SUCCEEDED(pItem->QueryInterface(IID_IHTMLElement,
                                                    reinterpret_cast<void**>(&pElement))) &&
                    SUCCEEDED(pItem->QueryInterface(IID_IHTMLAnchorElement,
                                                    reinterpret_cast<void**>(&pAnchor)))) {
                    BSTR inner = nullptr;
                    BSTR href = nullptr;
                    pElement->get_innerHTML(&inner);
                    pAnchor->get_href(&href);
                    const CString text = TextOf(inner);
                    const CString address = TextOf(href);
                    SysFreeString(inner);
                    SysFreeString(href);
                    if (address.Find("appcopyright.html") >= 0) {
                        ready = 1;
                    }
                    if (m_results.AddLink(address, text) == 1) {
                        ready = 1;
                    }
                }
                if (pAnchor != nullptr) {
                    pAnchor->Release();
                }
                if (pElement != nullptr) {
                    pElement->Release();
                }
                pItem->Release();
            }
        }
    } catch (CException* pException) {
        pException->Delete();
    }
    if (pAll != nullptr) {
        pAll->Release();
    }
    pDocument->Release();
    return ready;
}

int CPageDlg::ShowPictureList() {
    CString list;
    m_results.RenderHtml(list);
    IHTMLDocument2* pDocument = HtmlDocument(m_wndBrowser);
    if (pDocument == nullptr) {
        return 0;
    }
    SAFEARRAY* pMarkup = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    if (pMarkup != nullptr) {
        VARIANT* pItems = nullptr;
        if (SUCCEEDED(SafeArrayAccessData(pMarkup, reinterpret_cast<void**>(&pItems)))) {
            pItems[0].vt = VT_BSTR;
            pItems[0].bstrVal = platform::BstrFromGbk(list.view());
            SafeArrayUnaccessData(pMarkup);
            pDocument->write(pMarkup);
        }
        SafeArrayDestroy(pMarkup);
    }
    pDocument->Release();
    return 0;
}

int CPageDlg::ClearPictureList() {
    IHTMLDocument2* pDocument = HtmlDocument(m_wndSearchPane);
    if (pDocument == nullptr) {
        return 0;
    }
    IHTMLElement* pBody = nullptr;
    if (SUCCEEDED(pDocument->get_body(&pBody)) && pBody != nullptr) {
        BSTR markup = platform::BstrFromGbk("<br>");
        pBody->put_innerHTML(markup);
        SysFreeString(markup);
        pBody->Release();
    }
    pDocument->Release();
    return 0;
}

int CPageDlg::OpenImageInfoScript(CString url, CString name) {
    GetAppFolder();
    CKeyedTextFile file;
    if (file.Load(kImageInfoScript, kScriptFileKey) != 0) {
        return 1;
    }
    CScriptEngine engine;
    engine.SetPage(m_frame.Relay().get(), this);
    engine.Init(file.GetContent());
    engine.SetVariable("@img_name", name);
    engine.SetVariable("@img_url", url);
    engine.Run();
    return 0;
}

int CPageDlg::StartUrlListThread(CString name, CString url) {
    auto job = std::make_unique<UrlListJob>(UrlListJob{m_frame.Relay(), this, name, url});
    auto* pThread = new CWinThread(UrlListThreadProc, job.get());
    pThread->m_bAutoDelete = FALSE;
    if (!pThread->CreateThread()) {
        delete pThread;
        return 0;
    }
    job.release();
    m_frame.AddWorker(pThread);
    return 0;
}

}  // namespace glintora
