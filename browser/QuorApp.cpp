#include "browser/QuorApp.h"

#include "browser/AboutDlg.h"
#include "browser/BrowserDataStore.h"
#include "browser/CustomOccManager.h"
#include "browser/ExternalDispatch.h"
#include "browser/MainFrame.h"
#include "browser/PendingUpdate.h"
#include "browser/QuorDoc.h"
#include "browser/QuorView.h"
#include "browser/SkinColors.h"
#include "browser/SocketClient.h"
#include "common/AppFolder.h"
#include "platform/drawing/Gdi.h"
#include "platform/framework/SingleDocTemplate.h"
#include "platform/screen/ScreenApi.h"

BEGIN_MESSAGE_MAP(CQuorApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

namespace {

// The document template: its strings, the main frame's menu, icon and accelerators.
constexpr UINT kMainFrameResource = 128;

HFONT CreateSharedFont(int height, int weight, const char* face) {
    return ::CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0x20, face);
}

// The fonts last as long as the process; only a later start-up in the same process (as tests
// make) replaces them.
void ReplaceFont(HFONT& slot, HFONT font) {
    if (slot != nullptr) {
        ::DeleteObject(slot);
    }
    slot = font;
}

}  // namespace

// A signal to end must never kill the browser before it could save: the signals are taken over
// before anything else, and one that comes before the main window exists closes that window as
// soon as it does.
CQuorApp::CQuorApp() {
    signalCloser_.Start();
}

CQuorApp::~CQuorApp() = default;

BOOL CQuorApp::InitInstance() {
    InitWinsock();
    GetAppFolder();
    // An updater that cannot be started must not lock the user out: the browser then runs as it
    // is, and the update is offered again on the next start.
    if (CheckPendingUpdate() && CPendingUpdate::StartUpdater()) {
        return TRUE;
    }

    LoadSkin();
    PrepareProgramFolder();

    m_pExternal = new CExternalDispatch;
    occManager_ = std::make_unique<CCustomOccManager>(m_pExternal);
    AfxEnableControlContainer(occManager_.get());

    CreateSharedFonts();

    DataStore().Load();

    Enable3dControls();
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    AddDocTemplate(new CSingleDocTemplate(kMainFrameResource, RUNTIME_CLASS(CQuorDoc), FrameClass(),
                                          ViewClass()));

    // The browser takes no file from its command line: it always starts with a new document.
    CCommandLineInfo cmdInfo;
    if (!ProcessShellCommand(cmdInfo)) {
        return FALSE;
    }

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    signalCloser_.Watch(m_pMainWnd->m_hWnd);
    return TRUE;
}

int CQuorApp::ExitInstance() {
    signalCloser_.Stop();
    // No control is made after this, so hosting goes back to the framework's own manager before
    // ours goes.
    if (occManager_ != nullptr) {
        AfxEnableControlContainer();
        occManager_.reset();
    }
    delete m_pExternal;
    m_pExternal = nullptr;
    return CWinApp::ExitInstance();
}

BOOL CQuorApp::PreTranslateMessage(MSG* pMsg) {
    // A headless run ends by a close posted to the main window; the pictures of the run's end
    // (when asked for) are taken while the window still shows.
    if (pMsg->message == WM_CLOSE && m_pMainWnd != nullptr && pMsg->hwnd == m_pMainWnd->m_hWnd) {
        platform::WritePngsAtExit();
    }
    return CWinApp::PreTranslateMessage(pMsg);
}

BOOL CQuorApp::CheckPendingUpdate() {
    return CPendingUpdate::Check();
}

CRuntimeClass* CQuorApp::FrameClass() const {
    return RUNTIME_CLASS(CMainFrame);
}

CRuntimeClass* CQuorApp::ViewClass() const {
    return RUNTIME_CLASS(CQuorView);
}

int CQuorApp::LoadSkin() {
    Skin().Load("data\\skin.ini");
    return 0;
}

void CQuorApp::CreateSharedFonts() {
    ReplaceFont(Skin().normalFont, CreateSharedFont(12, FW_NORMAL, "宋体"));
    ReplaceFont(Skin().headingFont, CreateSharedFont(16, FW_BOLD, "黑体"));
}

void CQuorApp::OnAppAbout() {
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
