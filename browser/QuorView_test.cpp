#include "browser/QuorView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/QuorDoc.h"
#include "browser/StartUpTest.h"
#include "browser/ViewHost.h"
#include "common/AppFolder.h"
#include "platform/drawing/Gdi.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/SingleDocTemplate.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WinThread.h"
#include "platform/screen/ScreenApi.h"

namespace {

std::vector<std::string> calls;

// A main frame that notes what the view asks of it.
class CHostFrame : public CFrameWnd, public ViewHost {
    DECLARE_DYNCREATE(CHostFrame)

public:
    int OpenUrl(CString url, int newTab, int activate) override {
        calls.push_back("open " + std::string(url) + " " + std::to_string(newTab) + " " +
                        std::to_string(activate));
        return 0;
    }
    void OpenStartPage() override { calls.push_back("start page"); }
    void LayoutBars() override { calls.push_back("layout"); }
    BOOL HasCurrentPage() override { return hasPage; }

    static inline BOOL hasPage = FALSE;

protected:
    CHostFrame() = default;
};

IMPLEMENT_DYNCREATE(CHostFrame, CFrameWnd)

class QuorViewTest : public browser_testing::StartUpTest {
protected:
    void SetUp() override {
        StartUpTest::SetUp();
        calls.clear();
        CHostFrame::hasPage = FALSE;
        platform::InstallScreen();
        // Start-up makes the program folder current before any window exists.
        GetAppFolder();
        app.SetCurrentHandles(nullptr, "", SW_SHOWNORMAL);
        AfxSetThread(&app);
        app.AddDocTemplate(new CSingleDocTemplate(
            128, RUNTIME_CLASS(CQuorDoc), RUNTIME_CLASS(CHostFrame), RUNTIME_CLASS(CQuorView)));
    }
    void TearDown() override {
        if (app.m_pMainWnd != nullptr) {
            app.m_pMainWnd->DestroyWindow();
            app.m_pMainWnd = nullptr;
        }
        AfxSetThread(nullptr);
        StartUpTest::TearDown();
    }

    CQuorView* Start() {
        CCommandLineInfo info;
        EXPECT_TRUE(app.ProcessShellCommand(info));
        auto* frame = static_cast<CFrameWnd*>(app.m_pMainWnd);
        frame->ShowWindow(SW_SHOW);
        platform::PumpUntilIdle();
        return static_cast<CQuorView*>(frame->GetActiveView());
    }
    // What the view asked since the start, without the layout passes of the first sizing.
    static std::vector<std::string> Asked() {
        std::vector<std::string> asked;
        for (const std::string& call : calls) {
            if (call != "layout") {
                asked.push_back(call);
            }
        }
        return asked;
    }

    CWinApp app;
};

TEST_F(QuorViewTest, TheFirstUpdateOpensABlankNewTabThenTheStartPage) {
    folder.WriteFile("data/first.dat", "");
    CQuorView* view = Start();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Asked(), (std::vector<std::string>{"open about:blank 1 1", "start page"}));
    EXPECT_EQ(CQuorView::GetPageParent(), view);
    ASSERT_NE(view->GetDocument(), nullptr);
    EXPECT_STREQ(view->GetDocument()->GetRuntimeClass()->m_lpszClassName, "CQuorDoc");
    Wait(1000);
    EXPECT_TRUE(TakeQuestions().empty());
}

TEST_F(QuorViewTest, AFirstRunAsksTheWelcomeQuestionOnTheFrameAfter200Milliseconds) {
    answer = IDNO;
    Start();
    EXPECT_TRUE(Exists("data/first.dat"));
    Wait(190);
    EXPECT_TRUE(TakeQuestions().empty());
    Wait(10);
    const std::vector<platform::MessageBoxCall> asked = platform::TakeShownMessageBoxes();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].owner, app.m_pMainWnd->m_hWnd);
    EXPECT_EQ(Asked(), (std::vector<std::string>{"open about:blank 1 1", "start page"}));
}

TEST_F(QuorViewTest, ResizingTheFrameRunsTheLayoutPass) {
    folder.WriteFile("data/first.dat", "");
    Start();
    calls.clear();
    app.m_pMainWnd->SetWindowPos(nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    platform::PumpUntilIdle();
    EXPECT_FALSE(calls.empty());
    for (const std::string& call : calls) {
        EXPECT_EQ(call, "layout");
    }
}

TEST_F(QuorViewTest, TheBackgroundIsErasedOnlyWhileNoPageCoversIt) {
    folder.WriteFile("data/first.dat", "");
    CQuorView* view = Start();
    ASSERT_NE(view, nullptr);

    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(8, 8, 1, 32, nullptr);
    CBitmap* old = memory.SelectObject(&bitmap);
    const COLORREF marker = RGB(12, 34, 56);
    memory.FillSolidRect(0, 0, 8, 8, marker);

    CHostFrame::hasPage = TRUE;
    EXPECT_TRUE(view->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.m_hDC)));
    EXPECT_EQ(memory.GetPixel(2, 2), marker);

    CHostFrame::hasPage = FALSE;
    view->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.m_hDC));
    EXPECT_EQ(memory.GetPixel(2, 2), ::GetSysColor(COLOR_WINDOW));
    memory.SelectObject(old);
}

TEST_F(QuorViewTest, ThePageParentIsForgottenWithItsView) {
    folder.WriteFile("data/first.dat", "");
    Start();
    EXPECT_NE(CQuorView::GetPageParent(), nullptr);
    app.m_pMainWnd->DestroyWindow();
    app.m_pMainWnd = nullptr;
    EXPECT_EQ(CQuorView::GetPageParent(), nullptr);
}

}  // namespace
