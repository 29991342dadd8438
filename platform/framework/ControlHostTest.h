// Test support for hosting controls in framework windows: a browser wrapper written the way the
// programs write theirs (a CWnd that calls the control by dispatch id), a host window whose event
// sink map writes each browser event as a line of text, and a fixture with hosting enabled.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/framework/ControlContainer.h"
#include "platform/framework/OccManager.h"
#include "platform/framework/OleControlSite.h"
#include "platform/framework/Wnd.h"
#include "platform/webcontrol/BrowserTest.h"

namespace platform::testing {

class CTestBrowser : public CWnd {
public:
    BOOL Create(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID) {
        return CreateControl(CLSID_WebBrowser, lpszWindowName, dwStyle, rect, pParentWnd, nID);
    }
    void Navigate(LPCSTR url) {
        static BYTE parameters[] = VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
        InvokeHelper(DISPID_NAVIGATE, DISPATCH_METHOD, VT_EMPTY, nullptr, parameters, url, nullptr,
                     nullptr, nullptr, nullptr);
    }
    CString GetLocationURL() {
        CString result;
        InvokeHelper(DISPID_LOCATIONURL, DISPATCH_PROPERTYGET, VT_BSTR, &result, nullptr);
        return result;
    }
    // With an added reference.
    LPDISPATCH GetApplication() {
        LPDISPATCH result = nullptr;
        InvokeHelper(DISPID_APPLICATION, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
        return result;
    }
};

// Writes the events of control 1001 as lines ("BeforeNavigate2 top <url>", "TitleChange <text>",
// "ProgressChange 0/10000"...) and the status texts of the controls with id 1030. Its event sink
// map is defined once, with the event tests.
class CEventHostWnd : public CWnd {
public:
    std::vector<std::string> events;
    // Asked at each BeforeNavigate2 with the URL; true cancels.
    std::function<bool(const std::string&)> cancel;
    // The application object handed back for a new window (with its own reference), or null.
    std::function<LPDISPATCH()> newWindow;
    // Tells the top control's events from its frames'.
    LPDISPATCH top = nullptr;

    BOOL CreateHost() {
        return CreateEx(0, AFX_WND_CLASS, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                        nullptr, nullptr);
    }
    std::vector<std::string> Of(const std::string& prefix) const {
        std::vector<std::string> picked;
        for (const std::string& line : events) {
            if (line.starts_with(prefix)) {
                picked.push_back(line);
            }
        }
        return picked;
    }

protected:
    void OnBeforeNavigate2(LPDISPATCH pDisp, VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName,
                           VARIANT* PostData, VARIANT* Headers, BOOL* Cancel) {
        EXPECT_NE(Flags, nullptr);
        EXPECT_NE(TargetFrameName, nullptr);
        EXPECT_NE(PostData, nullptr);
        EXPECT_NE(Headers, nullptr);
        const std::string url = platform::webcontrol::Utf8FromVariant(URL);
        events.push_back("BeforeNavigate2 " + std::string(pDisp == top ? "top " : "frame ") + url);
        if (cancel && cancel(url)) {
            *Cancel = TRUE;
        }
    }
    void OnDocumentComplete(LPDISPATCH pDisp, VARIANT* URL) {
        events.push_back("DocumentComplete " + std::string(pDisp == top ? "top " : "frame ") +
                         platform::webcontrol::Utf8FromVariant(URL));
    }
    void OnTitleChange(LPCSTR Text) { events.push_back("TitleChange " + std::string(Text)); }
    void OnStatusTextChange(LPCSTR Text) {
        events.push_back("StatusTextChange " + std::string(Text));
    }
    void OnProgressChange(long Progress, long ProgressMax) {
        events.push_back("ProgressChange " + std::to_string(Progress) + "/" +
                         std::to_string(ProgressMax));
    }
    void OnNewWindow2(LPDISPATCH* ppDisp, BOOL* Cancel) {
        events.push_back("NewWindow2");
        if (newWindow) {
            *ppDisp = newWindow();
        } else {
            *Cancel = TRUE;
        }
    }

    DECLARE_EVENTSINK_MAP()
};

class ControlHostTest : public platform::testing::BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        AfxEnableControlContainer();
        ASSERT_TRUE(host.CreateHost());
    }
    void TearDown() override {
        host.DestroyWindow();
        AfxEnableControlContainer();
        BrowserTest::TearDown();
    }

    // A browser of the host at (0, 0), 400 x 300, whose events the host tells as the top's.
    void CreateBrowser(CTestBrowser& browser, UINT nID = 1001) {
        ASSERT_TRUE(browser.Create("", WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 300}, &host, nID));
        if (host.top == nullptr) {
            host.top = browser.GetApplication();
            host.top->Release();
        }
    }

    CEventHostWnd host;
};

}  // namespace platform::testing
