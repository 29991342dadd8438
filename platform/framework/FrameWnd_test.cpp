#include "platform/framework/FrameWnd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/framework/Document.h"
#include "platform/framework/MenuItemAccess.h"
#include "platform/framework/SingleDocTemplate.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/testdata/resource.h"
#include "platform/screen/ScreenApi.h"
#include "platform/testing/TempFolder.h"
#include "platform/windows/WindowPlatform.h"

namespace {

std::vector<std::string> steps;
int documentDeaths = 0;
int frameDeaths = 0;
int viewDeaths = 0;

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)

public:
    ~CTestDoc() override { documentDeaths++; }
    BOOL OnNewDocument() override {
        steps.push_back("new document");
        return CDocument::OnNewDocument();
    }

protected:
    CTestDoc() { steps.push_back("document"); }
    void OnDocumentCommand() { steps.push_back("document 102"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
ON_COMMAND(102, OnDocumentCommand)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)

public:
    ~CTestFrame() override { frameDeaths++; }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        steps.push_back(std::string("frame precreate ") + cs.lpszName);
        return CFrameWnd::PreCreateWindow(cs);
    }

protected:
    CTestFrame() = default;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        steps.push_back("frame create");
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1) {
            return -1;
        }
        steps.push_back("frame created");
        return 0;
    }
    void OnFrameCommand() { steps.push_back("frame 100"); }
    void OnShared() { steps.push_back("frame 104"); }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnCopy() { steps.push_back("frame copy"); }
    void OnRefresh() { steps.push_back("frame refresh"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_WM_CREATE()
ON_COMMAND(100, OnFrameCommand)
ON_COMMAND(104, OnShared)
ON_UPDATE_COMMAND_UI(105, OnUpdateDisabled)
ON_COMMAND(ID_EDIT_COPY, OnCopy)
ON_COMMAND(ID_REFRESH, OnRefresh)
END_MESSAGE_MAP()

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)

public:
    ~CTestView() override { viewDeaths++; }
    void OnInitialUpdate() override {
        CView::OnInitialUpdate();
        steps.push_back(std::string("initial update, frame ") +
                        (GetParentFrame()->IsWindowVisible() ? "shown" : "hidden"));
    }
    void OnDraw(CDC* pDC) override {
        if (fill != CLR_INVALID) {
            CRect client;
            GetClientRect(&client);
            pDC->FillSolidRect(&client, fill);
        }
    }

    static inline COLORREF fill = CLR_INVALID;

protected:
    CTestView() = default;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        steps.push_back("view create");
        return CView::OnCreate(lpCreateStruct);
    }
    void OnViewCommand() { steps.push_back("view 101"); }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
        const BOOL prepared = DoPreparePrinting(pInfo);
        steps.push_back(std::string(pInfo->m_bPreview ? "prepare preview " : "prepare print ") +
                        std::to_string(prepared));
        return prepared;
    }
    void OnBeginPrinting(CDC*, CPrintInfo*) override { steps.push_back("begin printing"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestView, CView)

BEGIN_MESSAGE_MAP(CTestView, CView)
ON_WM_CREATE()
ON_COMMAND(101, OnViewCommand)
ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

class CFrameApp : public CWinApp {
public:
    BOOL InitInstance() override {
        AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CTestDoc),
                                              RUNTIME_CLASS(CTestFrame), RUNTIME_CLASS(CTestView)));
        CCommandLineInfo info;
        if (!ProcessShellCommand(info)) {
            return FALSE;
        }
        steps.push_back("shell command done");
        Observe();
        if (closeAtOnce) {
            m_pMainWnd->PostMessage(WM_CLOSE);
        }
        return TRUE;
    }

    void Observe() {
        auto* frame = static_cast<CFrameWnd*>(m_pMainWnd);
        frame->GetWindowText(caption);
        visible = frame->IsWindowVisible();
        view = frame->GetActiveView();
        if (view != nullptr) {
            CDocument* document = view->GetDocument();
            documentClass =
                document != nullptr ? document->GetRuntimeClass()->m_lpszClassName : "none";
            view->GetWindowRect(&viewRect);
        }
        frame->GetClientRect(&clientRect);
        frame->ClientToScreen(&clientRect);
    }

    bool closeAtOnce = true;
    CString caption;
    BOOL visible = FALSE;
    CView* view = nullptr;
    std::string documentClass;
    CRect viewRect;
    CRect clientRect;

protected:
    void OnAppCommand() { steps.push_back("app 103"); }
    void OnShared() { steps.push_back("app 104"); }
    void OnDisabled() { steps.push_back("app 105"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFrameApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(103, OnAppCommand)
ON_COMMAND(104, OnShared)
ON_COMMAND(105, OnDisabled)
END_MESSAGE_MAP()

class FrameProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("PLATFORM_LINK_DIR", (linkFolder.path() / "link").c_str(), 1);
        platform::ResetWindowSystemForTesting();
        steps.clear();
        documentDeaths = frameDeaths = viewDeaths = 0;
    }
    void TearDown() override {
        platform::ResetWindowSystemForTesting();
        ::unsetenv("PLATFORM_LINK_DIR");
    }

    platform::testing::TempFolder linkFolder;
};

TEST_F(FrameProgramTest, StartUpBuildsDocumentFrameAndViewThenShowsAndEndsCleanly) {
    CFrameApp app;
    EXPECT_EQ(AfxWinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL), 0);
    EXPECT_EQ(steps,
              (std::vector<std::string>{"document", "frame precreate Quorra浏览器", "frame create",
                                        "view create", "frame created", "new document",
                                        "initial update, frame hidden", "shell command done"}));
    EXPECT_EQ(app.caption, "Quorra浏览器");
    EXPECT_TRUE(app.visible);
    ASSERT_NE(app.view, nullptr);
    EXPECT_EQ(app.documentClass, "CTestDoc");
    EXPECT_EQ(app.viewRect, app.clientRect);
    EXPECT_EQ(documentDeaths, 1);
    EXPECT_EQ(frameDeaths, 1);
    EXPECT_EQ(viewDeaths, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

class RunningFrameTest : public FrameProgramTest {
protected:
    void SetUp() override {
        FrameProgramTest::SetUp();
        platform::InstallScreen();
        app.closeAtOnce = false;
        AfxSetThread(&app);
        ASSERT_TRUE(app.InitInstance());
        frame = static_cast<CFrameWnd*>(app.m_pMainWnd);
        steps.clear();
    }
    void TearDown() override {
        if (app.m_pMainWnd != nullptr) {
            app.m_pMainWnd->DestroyWindow();
        }
        AfxSetThread(nullptr);
        EXPECT_EQ(frameDeaths, 1);
        EXPECT_EQ(viewDeaths, 1);
        EXPECT_EQ(documentDeaths, 1);
        FrameProgramTest::TearDown();
    }

    void Command(UINT id) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    CFrameApp app;
    CFrameWnd* frame = nullptr;
};

TEST_F(RunningFrameTest, CommandsGoToFrameViewDocumentThenApplication) {
    for (UINT id : {100u, 101u, 102u, 103u, 104u, 999u}) {
        Command(id);
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"frame 100", "view 101", "document 102", "app 103",
                                               "frame 104"}));
}

// Without a printer the preparation fails as a cancelled print dialog would, and nothing prints.
TEST_F(RunningFrameTest, PrintCommandsReachTheViewAndStopAtThePreparation) {
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW}) {
        Command(id);
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"prepare print 0", "prepare print 0",
                                               "prepare preview 0"}));
}

TEST_F(RunningFrameTest, ACommandItsUpdateHandlerDisablesIsNotCarriedOut) {
    Command(105);
    EXPECT_TRUE(steps.empty());
    // A control's notification is not a menu command: it is not checked against update-UI.
    CWnd button;
    ASSERT_TRUE(button.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 5, 5), app.view, 105));
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(105, BN_CLICKED),
                       reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(steps, (std::vector<std::string>{"app 105"}));
}

TEST_F(RunningFrameTest, AcceleratorsBecomeCommandsInTheFramesPreTranslation) {
    app.view->SetFocus();
    platform::InjectKey(VK_CONTROL, true);
    platform::InjectKey('C', true);
    platform::InjectKey('C', false);
    platform::InjectKey(VK_CONTROL, false);
    platform::InjectKey('C', true);
    platform::InjectKey('C', false);
    platform::InjectKey(VK_F5, true);
    platform::InjectKey(VK_F5, false);
    platform::InjectKey(VK_SHIFT, true);
    platform::InjectKey(VK_F5, true);
    platform::InjectKey(VK_F5, false);
    platform::InjectKey(VK_SHIFT, false);
    platform::PumpUntilIdle();
    EXPECT_EQ(steps, (std::vector<std::string>{"frame copy", "frame refresh"}));
}

class CTopBar : public CWnd {
protected:
    LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        MoveWindow(layout->rect.left, layout->rect.top, layout->rect.right - layout->rect.left, 30);
        layout->rect.top += 30;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTopBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

TEST_F(RunningFrameTest, TheViewPaintsThroughOnDraw) {
    CTestView::fill = RGB(10, 20, 30);
    app.view->Invalidate();
    platform::PumpUntilIdle();
    CTestView::fill = CLR_INVALID;
    const platform::Surface picture = platform::CaptureWindow(app.view->m_hWnd);
    ASSERT_GT(picture.width(), 10);
    // Inside the view's client edge.
    EXPECT_EQ(platform::ColorFromPixel(picture.At(5, 5)), RGB(10, 20, 30));
    EXPECT_EQ(platform::ColorFromPixel(picture.At(picture.width() / 2, 8)), RGB(10, 20, 30));
}

TEST_F(RunningFrameTest, BarsTakeTheirShareAndTheViewGetsTheRest) {
    CTopBar bar;
    ASSERT_TRUE(bar.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_TOOLBAR));
    frame->MoveWindow(0, 0, 500, 400);
    CRect client;
    frame->GetClientRect(&client);
    CRect barRect;
    bar.GetWindowRect(&barRect);
    frame->ScreenToClient(&barRect);
    EXPECT_EQ(barRect, CRect(0, 0, client.right, 30));
    CRect viewRect;
    app.view->GetWindowRect(&viewRect);
    frame->ScreenToClient(&viewRect);
    EXPECT_EQ(viewRect, CRect(0, 30, client.right, client.bottom));
    bar.DestroyWindow();
}

TEST_F(RunningFrameTest, ClosingTheFrameFreesDocumentFrameAndViewOnce) {
    HWND handle = frame->m_hWnd;
    frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    MSG quit{};
    EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// A pop-up menu of four items as the menu layer would present it.
class CFakeMenuAccess : public platform::MenuItemAccess {
public:
    std::vector<UINT> ids{100, 0, 105, 999, static_cast<UINT>(-1)};
    std::vector<std::string> calls;

    UINT ItemCount(CMenu*) override { return static_cast<UINT>(ids.size()); }
    UINT ItemId(CMenu*, UINT index) override { return ids[index]; }
    void Enable(CMenu*, UINT index, bool enable) override {
        calls.push_back("enable " + std::to_string(index) + (enable ? " on" : " off"));
    }
    void SetCheck(CMenu*, UINT index, int nCheck) override {
        calls.push_back("check " + std::to_string(index) + " " + std::to_string(nCheck));
    }
    void SetRadio(CMenu*, UINT index, bool) override {
        calls.push_back("radio " + std::to_string(index));
    }
    void SetText(CMenu*, UINT index, LPCSTR) override {
        calls.push_back("text " + std::to_string(index));
    }
    CMenu* FromHandle(HMENU menu) override { return reinterpret_cast<CMenu*>(menu); }
    bool DrawItem(LPDRAWITEMSTRUCT) override { return false; }
    bool MeasureItem(LPMEASUREITEMSTRUCT) override { return false; }
};

TEST_F(RunningFrameTest, PopupMenusAreUpdatedOnlyWhereAnUpdateHandlerSpeaks) {
    CFakeMenuAccess menus;
    platform::SetMenuItemAccess(&menus);
    frame->SendMessage(WM_INITMENUPOPUP, 0x1234, MAKELPARAM(0, FALSE));
    frame->SendMessage(WM_INITMENUPOPUP, 0x1234, MAKELPARAM(0, TRUE));
    platform::SetMenuItemAccess(nullptr);
    EXPECT_EQ(menus.calls, (std::vector<std::string>{"enable 2 off"}));
    EXPECT_TRUE(steps.empty());
}

}  // namespace
