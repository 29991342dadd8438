// What the main frame's tests share: the browser's frame in a single-document application of the
// test's own, run from a temporary program folder with the data store reset, message boxes
// answered by the test and recorded, and the frame's chrome read back through its controls.
//
// The test frame tells the test which addresses it opens and what each page's closing flag was
// when its window went, and runs the test's steps while one of its pop-up menus waits for input
// (with no step left the menu is dismissed) and once a modal dialog has disabled it.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "browser/BrowserApp.h"
#include "browser/CustomOccManager.h"
#include "browser/ExternalDispatch.h"
#include "browser/MainFrame.h"
#include "browser/PageDlg.h"
#include "platform/framework/Document.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/webcontrol/BrowserTest.h"

namespace browser_testing {

// What each page's closing flag was when its window was destroyed, in order of destruction.
inline std::vector<int> closingAtDestroy;

class CFrameTestPage : public CPageDlg {
public:
    using CPageDlg::CPageDlg;

    BOOL DestroyWindow() override;
};

class CFrameTestMainFrame : public CMainFrame {
    DECLARE_DYNCREATE(CFrameTestMainFrame)

public:
    static constexpr UINT kRunModalStep = WM_APP + 79;

    // "address newTab activate" for each OpenUrl.
    std::vector<std::string> opened;
    std::deque<std::function<void(HWND menuWindow)>> menuSteps;
    std::deque<std::function<void()>> modalSteps;
    // The pop-up that opened last.
    HMENU lastPopup = nullptr;
    int menusShown = 0;

    int OpenUrl(CString url, int newTab, int activate) override;

protected:
    CPageDlg* NewPage() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CFrameTestDoc : public CDocument {
    DECLARE_DYNCREATE(CFrameTestDoc)
};

// The page area, laying the frame out on every size change as the browser's view does.
class CFrameTestView : public CView {
    DECLARE_DYNCREATE(CFrameTestView)

public:
    void OnDraw(CDC*) override {}

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

// The document template of the test's classes, skins loaded as the browser loads them, and the
// test's scripts run inside the modal loops of the dialogs the frame opens (once a thread message
// filter hands the loops' messages to PreTranslateMessage).
class CFrameTestApp : public CWinApp, public CBrowserApp {
public:
    static constexpr UINT kRunScript = WM_APP + 78;

    CRuntimeClass* documentClass = RUNTIME_CLASS(CFrameTestDoc);
    CRuntimeClass* viewClass = RUNTIME_CLASS(CFrameTestView);
    std::deque<std::function<void()>> scripts;

    BOOL InitInstance() override;
    int LoadSkin() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
};

class MainFrameTest : public platform::testing::BrowserTest {
protected:
    void SetUp() override;
    void TearDown() override;

    static void ResetStore();
    // Creates the frame through the document template.
    void Start();
    // Opens n blank tabs, each new one current.
    void OpenTabs(int n);
    std::vector<CPageDlg*> Pages() const;
    std::string TabText(int index) const;
    std::string Caption() const;
    static std::string WindowText(const CWnd& wnd);
    bool BandHidden(UINT id) const;
    // The share of the opaque pixels of the bitmap's top-left `size` that the screen shows at
    // `origin`.
    static double PictureShown(POINT origin, UINT bitmapId, SIZE size);

    CExternalDispatch external;
    CCustomOccManager manager{&external};
    CFrameTestApp app;
    CFrameTestMainFrame* frame = nullptr;
    // The folder the program runs from, with its closing backslash.
    std::string programFolder;
    int answer = IDOK;
    std::vector<std::string> boxes;
};

}  // namespace browser_testing
