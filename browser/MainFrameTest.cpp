#include "browser/MainFrameTest.h"

#include "browser/BrowserDataStore.h"
#include "browser/SkinColors.h"
#include "platform/controls/ControlClasses.h"
#include "platform/controls/Tab.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Surface.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/CommandLineInfo.h"
#include "platform/framework/SingleDocTemplate.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/quorra/resource.h"

namespace browser_testing {

BOOL CFrameTestPage::DestroyWindow() {
    if (m_hWnd != nullptr) {
        closingAtDestroy.push_back(m_bClosing);
    }
    return CPageDlg::DestroyWindow();
}

IMPLEMENT_DYNCREATE(CFrameTestMainFrame, CMainFrame)

int CFrameTestMainFrame::OpenUrl(CString url, int newTab, int activate) {
    opened.push_back(std::string(url) + " " + std::to_string(newTab) + " " +
                     std::to_string(activate));
    return CMainFrame::OpenUrl(url, newTab, activate);
}

CPageDlg* CFrameTestMainFrame::NewPage() {
    return new CFrameTestPage(*this, m_store);
}

BOOL CFrameTestMainFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_ENTERMENULOOP) {
        ++menusShown;
    }
    if (message == WM_INITMENUPOPUP) {
        lastPopup = reinterpret_cast<HMENU>(wParam);
    }
    // A dialog's modal loop disables its owner once the dialog is there; the step runs inside
    // that loop.
    if (message == WM_ENABLE && wParam == FALSE && !modalSteps.empty()) {
        PostMessage(kRunModalStep);
    }
    if (message == kRunModalStep && !modalSteps.empty()) {
        auto step = std::move(modalSteps.front());
        modalSteps.pop_front();
        step();
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
        if (menuSteps.empty()) {
            ::EndMenu();
        } else {
            auto step = std::move(menuSteps.front());
            menuSteps.pop_front();
            step(reinterpret_cast<HWND>(lParam));
            PostMessage(WM_NULL);
        }
    }
    return CMainFrame::OnWndMsg(message, wParam, lParam, pResult);
}

IMPLEMENT_DYNCREATE(CFrameTestDoc, CDocument)

IMPLEMENT_DYNCREATE(CFrameTestView, CView)

BEGIN_MESSAGE_MAP(CFrameTestView, CView)
ON_WM_SIZE()
END_MESSAGE_MAP()

void CFrameTestView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    if (CMainFrame* pFrame = GetMainFrame()) {
        pFrame->LayoutBars();
    }
}

BOOL CFrameTestApp::InitInstance() {
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, documentClass,
                                          RUNTIME_CLASS(CFrameTestMainFrame), viewClass));
    CCommandLineInfo info;
    return ProcessShellCommand(info);
}

int CFrameTestApp::LoadSkin() {
    Skin().Load("data\\skin.ini");
    return 0;
}

BOOL CFrameTestApp::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd == nullptr && pMsg->message == kRunScript && !scripts.empty()) {
        std::function<void()> script = std::move(scripts.front());
        scripts.pop_front();
        script();
        return TRUE;
    }
    return CWinApp::PreTranslateMessage(pMsg);
}

void MainFrameTest::SetUp() {
    BrowserTest::SetUp();
    platform::InstallScreen();
    platform::RegisterControlClasses();
    folder.WriteFile("data/first.dat", "");
    programFolder = platform::ToWindowsPath(folder.path()) + "\\";
    platform::OverrideModuleFileName(programFolder + "quorra.exe");
    ::SetCurrentDirectoryA(programFolder.c_str());
    platform::SetMessageBoxAnswerer([this](const platform::MessageBoxCall& call) {
        boxes.push_back(call.text);
        return answer;
    });
    closingAtDestroy.clear();
    ResetStore();
    AfxEnableControlContainer(&manager);
    app.SetCurrentHandles(nullptr, "", SW_SHOWNORMAL);
    AfxSetThread(&app);
}

void MainFrameTest::TearDown() {
    if (app.m_pMainWnd != nullptr) {
        app.m_pMainWnd->DestroyWindow();
    }
    platform::SetThreadMessageFilter({});
    AfxSetThread(nullptr);
    AfxEnableControlContainer();
    platform::SetMessageBoxAnswerer({});
    platform::ClearModuleFileNameOverride();
    BrowserTest::TearDown();
}

void MainFrameTest::ResetStore() {
    CBrowserDataStore& store = DataStore();
    store.ClearFilterRules();
    store.filterPaused = 0;
    store.blockedUrls.clear();
    store.allowedUrls.clear();
    store.visitedUrls.clear();
    store.engineNames = {"百度", "Google"};
    store.engineUrls = {"http://b/?q=%s", "http://g/?q=%s"};
    store.windowRect = {10, 10, 810, 610};
    store.activateNewPage = 1;
    store.tabMaximized = 0;
    store.tabsAtBottom = 0;
    store.newsOff = 0;
    store.startPageMode = 1;
    store.announceUpdates = 0;
    store.startUrl[0] = '\0';
}

void MainFrameTest::Start() {
    ASSERT_TRUE(app.InitInstance());
    frame = dynamic_cast<CFrameTestMainFrame*>(GetMainFrame());
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame, app.m_pMainWnd);
}

void MainFrameTest::OpenTabs(int n) {
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(frame->OpenUrl("about:blank", 1, 1), 0);
    }
}

std::vector<CPageDlg*> MainFrameTest::Pages() const {
    std::vector<CPageDlg*> pages;
    for (int i = 0; i < frame->GetTabCount(); ++i) {
        pages.push_back(frame->GetPageAt(i));
    }
    return pages;
}

std::string MainFrameTest::TabText(int index) const {
    char text[256] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    frame->m_wndTab.GetItem(index, &item);
    return text;
}

std::string MainFrameTest::Caption() const {
    return WindowText(*frame);
}

std::string MainFrameTest::WindowText(const CWnd& wnd) {
    CString text;
    wnd.GetWindowText(text);
    return std::string(text);
}

bool MainFrameTest::BandHidden(UINT id) const {
    const LRESULT index = frame->m_wndReBar.SendMessage(RB_IDTOINDEX, id);
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE;
    frame->m_wndReBar.SendMessage(RB_GETBANDINFO, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(&band));
    return (band.fStyle & RBBS_HIDDEN) != 0;
}

double MainFrameTest::PictureShown(POINT origin, UINT bitmapId, SIZE size) {
    CBitmap picture;
    EXPECT_TRUE(picture.LoadBitmap(bitmapId));
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, static_cast<HBITMAP>(picture));
    const platform::Surface shot = platform::CaptureScreen();
    int opaque = 0;
    int shown = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF color = ::GetPixel(dc, x, y);
            if (color != RGB(255, 0, 255)) {
                ++opaque;
                shown += platform::ColorFromPixel(shot.At(origin.x + x, origin.y + y)) == color;
            }
        }
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    EXPECT_GT(opaque, size.cx * size.cy / 10);
    return opaque > 0 ? static_cast<double>(shown) / opaque : 0.0;
}

}  // namespace browser_testing
