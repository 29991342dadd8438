#include "platform/framework/WinApp.h"

#include <atomic>
#include <string>

#include "platform/drawing/ResourceImages.h"
#include "platform/files/FileApi.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Wnd.h"
#include "platform/process/CommandLine.h"
#include "platform/process/LibraryApi.h"
#include "platform/resources/ResourceApi.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

std::atomic<CWinApp*> application{nullptr};

}  // namespace

CWinApp* AfxGetApp() {
    return application;
}

CWnd* AfxGetMainWnd() {
    CWinThread* thread = AfxGetThread();
    return thread != nullptr ? thread->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_hInstance != nullptr) {
        return app->m_hInstance;
    }
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

LPCSTR AfxGetAppName() {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_pszAppName : nullptr;
}

CWinApp::CWinApp(LPCSTR lpszAppName) {
    if (lpszAppName != nullptr) {
        appName_ = lpszAppName;
        m_pszAppName = appName_;
    }
    application = this;
}

CWinApp::~CWinApp() {
    CWinApp* self = this;
    application.compare_exchange_strong(self, nullptr);
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance, LPCSTR lpCmdLine, int nCmdShow) {
    m_hInstance = hInstance;
    commandLine_ = lpCmdLine;
    m_lpCmdLine = commandLine_.data();
    m_nCmdShow = nCmdShow;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path);
    if (const size_t slash = name.find_last_of("\\/"); slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    exeName_ = name.c_str();
    m_pszExeName = exeName_;
    if (m_pszAppName == nullptr) {
        if (!appName_.LoadString(AFX_IDS_APP_TITLE)) {
            appName_ = exeName_;
        }
        m_pszAppName = appName_;
    }
}

BOOL CWinApp::InitApplication() {
    return TRUE;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    if (m_pMainWnd == nullptr) {
        ::PostQuitMessage(0);
    }
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) {
    return CWinThread::OnIdle(lCount);
}

int CWinApp::ExitInstance() {
    return CWinThread::ExitInstance();
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    templates_.emplace_back(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName) {
    if (templates_.empty()) {
        return nullptr;
    }
    return templates_.front()->OpenDocumentFile(lpszFileName);
}

void CWinApp::OnFileNew() {
    if (!templates_.empty()) {
        templates_.front()->OpenDocumentFile(nullptr);
    }
}

void CWinApp::OnFileOpen() {}

void CWinApp::OnFilePrintSetup() {}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
        m_pMainWnd->SendMessage(WM_CLOSE);
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    const std::vector<std::string> arguments =
        platform::SplitCommandLine(m_lpCmdLine != nullptr ? m_lpCmdLine : "");
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool flag = !argument.empty() && (argument[0] == '-' || argument[0] == '/');
        rCmdInfo.ParseParam(flag ? argument.c_str() + 1 : argument.c_str(), flag,
                            i + 1 == arguments.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr)) {
                OnFileNew();
            }
            return m_pMainWnd != nullptr;
        case CCommandLineInfo::FileOpen:
            return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
        case CCommandLineInfo::FileNothing:
            return TRUE;
        default:
            return FALSE;
    }
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
    registryKey_ = lpszRegistryKey;
    m_pszRegistryKey = registryKey_;
    profileName_ = m_pszAppName;
    m_pszProfileName = profileName_;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

void CWinApp::LoadStdProfileSettings(UINT) {}

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const {
    return ::LoadIconA(AfxGetResourceHandle(), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return LoadIcon(MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCSTR lpszIconName) const {
    return ::LoadIconA(nullptr, lpszIconName);
}

HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const {
    return ::LoadCursorA(AfxGetResourceHandle(), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
    return LoadCursor(MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const {
    return ::LoadCursorA(nullptr, lpszCursorName);
}
