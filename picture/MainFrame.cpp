#include "picture/MainFrame.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "browser/BrowserDataStore.h"
#include "common/AppFolder.h"
#include "picture/ExtractTemplate.h"
#include "picture/HtmlHelpers.h"
#include "picture/PageDlg.h"
#include "picture/SectionedFile.h"
#include "picture/UpdateThread.h"
#include "platform/framework/View.h"
#include "platform/text/Gbk.h"
#include "platform/threads/SingleLock.h"
#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"
#include "platform/web/WebAddress.h"
#include "platform/windows/WindowApi.h"
#include "resources/glintora/resource.h"

namespace glintora {

namespace {

constexpr char kCommandPrefix[] = "qrplay:";
constexpr char kSeparator[] = "|||||";
// How long the frame waits at close for URL-list scripts to notice that they are asked to stop.
constexpr std::chrono::milliseconds kWorkerJoinTime{3000};

// The address and the name of a command's payload "url|||||name". Without the separator the url
// is empty and the name is the payload without its first four bytes.
void SplitPayload(const CString& payload, CString& url, CString& name) {
    const int separator = payload.Find(kSeparator);
    url = separator > 0 ? payload.Left(separator) : CString();
    const int nameLength = payload.GetLength() - 5 - separator;
    name = nameLength > 0 ? payload.Right(nameLength) : CString();
}

bool StartsWith(const CString& text, const char* prefix) {
    return text.view().starts_with(prefix);
}

// The address with its %XX escapes decoded and "\" read as "/" (an escaped "%5C" stays "\").
std::string DecodedAddress(std::string_view url) {
    std::string slashed(url);
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    return platform::web::PercentDecoded(slashed);
}

}  // namespace

// Written out: the macro names the base's runtime class by pasting, which cannot reach the
// browser's class of the same name outside this namespace.
CObject* CMainFrame::CreateObject() {
    return new CMainFrame;
}
CRuntimeClass CMainFrame::classCMainFrame = {"CMainFrame", sizeof(CMainFrame), 0xFFFF,
                                             &CMainFrame::CreateObject,
                                             &::CMainFrame::classCMainFrame};
CRuntimeClass* CMainFrame::GetRuntimeClass() const {
    return &classCMainFrame;
}

BEGIN_MESSAGE_MAP(CMainFrame, ::CMainFrame)
ON_COMMAND(IDC_BUTTON_MUSIC_SEARCH, OnButtonMusicSearch)
ON_COMMAND(IDC_BUTTON_PICTURE_URL_GO, OnButtonPictureUrlGo)
ON_COMMAND(ID_START_PAGE, OnOpenHome)
ON_COMMAND(ID_SITE_DIRECTORY, OnOpenRecommended)
ON_COMMAND(ID_MENU_BUTTON_ADD, OnAddFavoriteEntry)
ON_COMMAND(ID_MENU_BUTTON_DEL, OnDeleteFavoriteEntry)
ON_COMMAND(ID_MENU_BUTTON_JM, OnToggleFavoriteBar)
ON_NOTIFY(NM_RCLICK, IDC_PAGE_TAB, OnTabRightClick)
ON_NOTIFY(TBN_DROPDOWN, ::CMainFrame::kStandardBarId, OnPictureToolBarDropDown)
// The browser's commands that the picture collector does not have.
ON_COMMAND_RANGE(ID_AUTO_REFRESH, ID_AUTO_REFRESH, OnIgnoredCommand)
ON_COMMAND_RANGE(ID_DESKVANE, ID_NET_FAVORITES, OnIgnoredCommand)
ON_COMMAND_RANGE(CTravelLogHelper::kBackBaseId, CTravelLogHelper::kBackBaseId + 10,
                 OnIgnoredCommand)
ON_COMMAND_RANGE(CTravelLogHelper::kForwardBaseId, CTravelLogHelper::kForwardBaseId + 10,
                 OnIgnoredCommand)
ON_COMMAND_RANGE(::CMainFrame::kFirstFavorite, ::CMainFrame::kLastFavorite, OnIgnoredCommand)
ON_COMMAND_RANGE(CBlockedListMenu::kFirstCommand, CBlockedListMenu::kLastCommand, OnIgnoredCommand)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_searchPane(*this), m_leftPane(*this) {}

CMainFrame::~CMainFrame() {
    StopWorkers();
    if (m_pRelay) {
        m_pRelay->Detach();
    }
}

CString CMainFrame::CaptionSuffix() const {
    return " - Glintora";
}

::CPageDlg* CMainFrame::NewPage() {
    return new CPageDlg(*this, m_store);
}

AFX_THREADPROC CMainFrame::UpdateProcedure() const {
    return UpdateThread;
}

CPageDlg* CMainFrame::NewCurrentPage() {
    return static_cast<CPageDlg*>(OpenPage("about:blank", 1, 1));
}

bool CMainFrame::IsLocalPage(const CString& url) {
    if (url.CompareNoCase("about:blank") == 0) {
        return true;
    }
    const std::string address = DecodedAddress(url.view());
    std::string folder = "file:///" + DecodedAddress(GetAppFolderNoChdir().view());
    if (address.size() < folder.size() || address.find("/..") != std::string::npos) {
        return false;
    }
    return CString(std::string_view(address).substr(0, folder.size()))
               .CompareNoCase(folder.c_str()) == 0;
}

void CMainFrame::UpdateStatusText(::CPageDlg* pPage) {
    if (m_wndTab.GetSafeHwnd() == nullptr || m_wndTab.GetCurSel() < 0 || pPage == nullptr) {
        return;
    }
    CString command;
    {
        CSingleLock lock(&m_tabLock, TRUE);
        const int current = GetCurrentIndex();
        if (current >= 0 && m_pages[current] == pPage &&
            StartsWith(pPage->m_strStatusText, kCommandPrefix)) {
            command = pPage->m_strStatusText;
            pPage->m_strStatusText.Empty();
        }
    }
    if (command.IsEmpty() || !IsLocalPage(pPage->m_wndBrowser.GetLocationURL())) {
        return;
    }
    DispatchCommand(static_cast<CPageDlg*>(pPage), command);
}

void CMainFrame::DispatchCommand(CPageDlg* pPage, const CString& command) {
    CString url;
    CString name;
    const CString payload = command.Mid(9);
    if (StartsWith(command, "qrplay:1:")) {
        SplitPayload(payload, url, name);
        if (CPageDlg* pInfo = NewCurrentPage()) {
            pInfo->OpenImageInfoScript(url, name);
        }
    } else if (StartsWith(command, "qrplay:5:")) {
        SplitPayload(payload, url, name);
        if (CPageDlg* pList = NewCurrentPage()) {
            pList->StartUrlListThread(name, url);
        }
    } else if (StartsWith(command, "qrplay:2:")) {
        AddFavoriteEntry(payload, 0);
    } else if (StartsWith(command, "qrplay:3:")) {
        SplitPayload(payload, url, name);
        pPage->SearchPictures(name, url);
    } else if (StartsWith(command, "qrplay:6:")) {
        SplitPayload(payload, url, name);
        pPage->SearchPictures(name, "");
    }
}

::CPageDlg* CMainFrame::ActivatePage() {
    CSingleLock lock(&m_tabLock, TRUE);
    const int current = GetCurrentIndex();
    const int count = GetTabCount();
    CView* pView = PageArea();
    if (current < 0 || count <= 0) {
        return nullptr;
    }
    if (pView != nullptr && pView->GetSafeHwnd() != nullptr) {
        pView->GetClientRect(&m_pageRect);
        m_pageRect.InflateRect(2, 2);
    }
    for (int i = 0; i < count; ++i) {
        if (i == current) {
            m_pages[i]->ShowWindow(SW_SHOW);
            SetWindowText(m_pages[i]->m_strTitle);
            m_pages[i]->MoveWindow(&m_pageRect);
        } else {
            m_pages[i]->ShowWindow(SW_HIDE);
        }
    }
    return m_pages[current];
}

BOOL CMainFrame::IsPageOpen(::CPageDlg* pPage) {
    return pPage != nullptr && FindPageIndex(pPage) >= 0;
}

void CMainFrame::NavigatePage(::CPageDlg* pPage, const CString& url) {
    if (IsPageOpen(pPage)) {
        pPage->m_wndBrowser.Navigate(url, nullptr, nullptr, nullptr, nullptr);
    }
}

::CPageDlg* CMainFrame::OpenUrl(const CString& url, int newTab, int activate) {
    return OpenPage(url, newTab, activate);
}

int CMainFrame::NavigatePane(const CString& url) {
    if (m_searchPane.m_wndBrowser.GetSafeHwnd() != nullptr) {
        m_searchPane.m_wndBrowser.Navigate(url, nullptr, nullptr, nullptr, nullptr);
    }
    return 0;
}

void CMainFrame::AddWorker(CWinThread* pThread) {
    // Workers that ended are let go on the way.
    std::erase_if(m_workers, [](CWinThread* pWorker) {
        if (::WaitForSingleObject(pWorker->m_hThread, 0) != WAIT_OBJECT_0) {
            return false;
        }
        delete pWorker;
        return true;
    });
    m_workers.push_back(pThread);
}

void CMainFrame::StopWorkers() {
    for (CWinThread* pWorker : m_workers) {
        platform::RequestStop(pWorker->m_hThread);
    }
    // A script may be waiting for this thread to run one of its page calls: the calls sent here
    // are served while the frame waits.
    const auto deadline = std::chrono::steady_clock::now() + kWorkerJoinTime;
    while (!m_workers.empty() && std::chrono::steady_clock::now() < deadline) {
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        std::erase_if(m_workers, [](CWinThread* pWorker) {
            if (::WaitForSingleObject(pWorker->m_hThread, 10) != WAIT_OBJECT_0) {
                return false;
            }
            delete pWorker;
            return true;
        });
    }
    // One still running keeps its object, which it uses until it returns; its calls on the frame
    // fail once the relay lets the frame go. The process's exit waits for it once more.
    m_workers.clear();
}

BOOL CMainFrame::DestroyWindow() {
    // Workers still write generated pages; they end before the pages go.
    StopWorkers();
    if (m_pRelay) {
        m_pRelay->Detach();
    }
    GetAppFolder();
    DeleteHtmlCache();
    ExtractTemplate().Release();
    return ::CMainFrame::DestroyWindow();
}

void CMainFrame::RedrawSkin() {
    ::CMainFrame::RedrawSkin();
    for (CWnd* pBar : {static_cast<CWnd*>(&m_wndFavoriteBar)}) {
        if (pBar->GetSafeHwnd() != nullptr) {
            pBar->Invalidate(TRUE);
        }
    }
    NewsList().WriteNewsList();
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        if (pMsg->hwnd == m_wndPictureKeyword.GetSafeHwnd()) {
            OnButtonMusicSearch();
        } else if (pMsg->hwnd == m_wndPictureUrl.GetSafeHwnd()) {
            OnButtonPictureUrlGo();
        }
    }
    return ::CMainFrame::PreTranslateMessage(pMsg);
}

void CMainFrame::OpenTypedAddress(CString text) {
    if (text.Find('.') < 0 && text.CompareNoCase("about:blank") != 0 &&
        text.CompareNoCase("blank") != 0) {
        text = CString(platform::FillPattern(m_store.addressPattern.view(), {text.view()}));
    }
    OpenPage(text, 0, 1);
}

void CMainFrame::OnButtonMusicSearch() {
    CString keyword;
    m_wndPictureKeyword.GetWindowText(keyword);
    keyword.Trim();
    if (CPageDlg* pPage = NewCurrentPage()) {
        pPage->SearchPictures(keyword, "");
    }
}

void CMainFrame::OnButtonPictureUrlGo() {
    CString url;
    m_wndPictureUrl.GetWindowText(url);
    url.Trim();
    if (CPageDlg* pPage = NewCurrentPage()) {
        pPage->StartUrlListThread("", url);
    }
}

void CMainFrame::OnOpenHome() {
    OpenPage(GetAppFolder() + "data\\main.htm", 1, 1);
}

void CMainFrame::OnOpenRecommended() {
    OpenPage(GetAppFolder() + "data\\favo.htm", 1, 1);
}

void CMainFrame::OnTabRightClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
}

void CMainFrame::OnPictureToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult) {
    // The page-properties button keeps its arrow, but only back, forward, the address bar and
    // the favourites drop a menu here.
    const auto* pNote = reinterpret_cast<const NMTOOLBARA*>(pNMHDR);
    if (pNote->iItem == ID_PAGE_OPTIONS || pNote->iItem == ID_REFRESH) {
        *pResult = TBDDRET_DEFAULT;
        return;
    }
    OnToolBarDropDown(pNMHDR, pResult);
}

void CMainFrame::OnIgnoredCommand(UINT) {}

}  // namespace glintora
