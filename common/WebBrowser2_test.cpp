#include "common/WebBrowser2.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/framework/OccManager.h"
#include "platform/framework/Wnd.h"
#include "platform/webcontrol/BrowserTest.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "platform/webcontrol/WebCommandLog.h"

namespace {

using platform::webcontrol::RecordedWebCommand;
using platform::webcontrol::TakeRecordedWebCommands;

class WebBrowser2Test : public platform::testing::BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        AfxEnableControlContainer();
        ASSERT_TRUE(host.CreateEx(0, AFX_WND_CLASS, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  640, 480, nullptr, nullptr));
    }
    void TearDown() override {
        host.DestroyWindow();
        BrowserTest::TearDown();
    }
    void CreateBrowser() {
        ASSERT_TRUE(browser.Create("", WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 300}, &host, 1001));
    }
    void Visit(const std::string& name) {
        browser.Navigate(Page(name, "<title>" + name + "</title>").c_str(), nullptr, nullptr,
                         nullptr, nullptr);
        platform::PumpUntilIdle();
    }

    CWnd host;
    CWebBrowser2 browser;
};

TEST_F(WebBrowser2Test, WithoutAWindowEveryMemberIsEmpty) {
    browser.GoBack();
    browser.GoForward();
    browser.Navigate("about:blank", nullptr, nullptr, nullptr, nullptr);
    browser.Refresh();
    VARIANT level;
    VariantInit(&level);
    browser.Refresh2(&level);
    browser.Stop();
    browser.ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, nullptr);
    EXPECT_EQ(browser.GetApplication(), nullptr);
    EXPECT_EQ(browser.GetDocument(), nullptr);
    EXPECT_EQ(std::string(browser.GetLocationURL()), "");
    EXPECT_TRUE(TakeRecordedWebCommands().empty());
}

TEST_F(WebBrowser2Test, CreatesTheWebBrowserControlWithItsId) {
    CreateBrowser();
    EXPECT_EQ(GetDlgCtrlID(browser.GetSafeHwnd()), 1001);
    EXPECT_EQ(GetParent(browser.GetSafeHwnd()), host.GetSafeHwnd());
    char className[64] = {};
    GetClassNameA(browser.GetSafeHwnd(), className, sizeof(className));
    EXPECT_STREQ(className, "Shell Embedding");
    EXPECT_TRUE(IsEqualGUID(CWebBrowser2::GetClsid(), CLSID_WebBrowser));
}

TEST_F(WebBrowser2Test, NavigatesAndReportsTheLocation) {
    CreateBrowser();
    Visit("a.htm");
    EXPECT_EQ(std::string(browser.GetLocationURL()), Address("a.htm"));
    IDispatch* document = browser.GetDocument();
    ASSERT_NE(document, nullptr);
    IHTMLDocument2* html = nullptr;
    ASSERT_EQ(document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&html)), S_OK);
    BSTR title = nullptr;
    html->get_title(&title);
    EXPECT_EQ(platform::GbkFromBstr(title), "a.htm");
    SysFreeString(title);
    html->Release();
    document->Release();
}

TEST_F(WebBrowser2Test, TravelFailuresAreSwallowed) {
    CreateBrowser();
    // Nothing to go back or forward to: the control refuses, the wrapper stays quiet.
    browser.GoBack();
    browser.GoForward();
    Visit("a.htm");
    Visit("b.htm");
    browser.GoBack();
    platform::PumpUntilIdle();
    EXPECT_EQ(std::string(browser.GetLocationURL()), Address("a.htm"));
    browser.GoForward();
    platform::PumpUntilIdle();
    EXPECT_EQ(std::string(browser.GetLocationURL()), Address("b.htm"));
}

TEST_F(WebBrowser2Test, ExecWBPassesCommandOptionAndInput) {
    CreateBrowser();
    Visit("a.htm");
    TakeRecordedWebCommands();
    VARIANT zoom;
    VariantInit(&zoom);
    zoom.vt = VT_I4;
    zoom.lVal = 3;
    browser.ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &zoom, nullptr);
    std::vector<RecordedWebCommand> commands = TakeRecordedWebCommands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].source, RecordedWebCommand::Source::Browser);
    EXPECT_EQ(commands[0].command, static_cast<DWORD>(OLECMDID_ZOOM));
    EXPECT_EQ(commands[0].option, static_cast<DWORD>(OLECMDEXECOPT_DONTPROMPTUSER));
    EXPECT_EQ(commands[0].argument, "3");
}

TEST_F(WebBrowser2Test, AfterItsWindowIsGoneTheWrapperIsEmptyAgain) {
    CreateBrowser();
    Visit("a.htm");
    browser.DestroyWindow();
    EXPECT_EQ(std::string(browser.GetLocationURL()), "");
    EXPECT_EQ(browser.GetApplication(), nullptr);
    browser.Navigate("about:blank", nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
