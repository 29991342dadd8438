#include "browser/PageDlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

#include "browser/PageTestHost.h"
#include "platform/time/Clock.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "platform/webcontrol/WebCommandLog.h"

namespace browser::testing {
namespace {

using platform::webcontrol::RecordedWebCommand;
using platform::webcontrol::TakeRecordedWebCommands;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PageDlgTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        page = host.AddPage();
        ASSERT_NE(page, nullptr);
    }
    void Open(CPageDlg* target, const std::string& name, const std::string& html) {
        target->m_wndBrowser.Navigate(Page(name, html).c_str(), nullptr, nullptr, nullptr, nullptr);
        platform::PumpUntilIdle();
    }
    // Raises an event on the page as its control does, through the page's event sink map.
    // Whether an entry of the map took it.
    bool Raise(DISPID event, std::vector<VARIANT> arguments) {
        DISPPARAMS parameters{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
        AFX_EVENT raised{event, &parameters, E_FAIL};
        return page->OnEvent(CPageDlg::kBrowserId, &raised) && raised.m_hResult == S_OK;
    }
    static VARIANT Long(long value) {
        VARIANT variant;
        VariantInit(&variant);
        variant.vt = VT_I4;
        variant.lVal = value;
        return variant;
    }
    static VARIANT Flag(VARIANT_BOOL* flag) {
        VARIANT variant;
        VariantInit(&variant);
        variant.vt = VT_BYREF | VT_BOOL;
        variant.pboolVal = flag;
        return variant;
    }
    static VARIANT Reference(VARIANT* value) {
        VARIANT variant;
        VariantInit(&variant);
        variant.vt = VT_BYREF | VT_VARIANT;
        variant.pvarVal = value;
        return variant;
    }
    // BeforeNavigate2 for url, as the control raises it; gives the Cancel the page left.
    VARIANT_BOOL BeforeNavigate(const std::string& url) {
        VARIANT address;
        VariantInit(&address);
        address.vt = VT_BSTR;
        address.bstrVal = platform::BstrFromGbk(url);
        VARIANT empty[4];
        for (VARIANT& each : empty) {
            VariantInit(&each);
        }
        VARIANT browser;
        VariantInit(&browser);
        browser.vt = VT_DISPATCH;
        browser.pdispVal = nullptr;
        VARIANT_BOOL cancel = VARIANT_FALSE;
        EXPECT_TRUE(
            Raise(250, {Flag(&cancel), Reference(&empty[3]), Reference(&empty[2]),
                        Reference(&empty[1]), Reference(&empty[0]), Reference(&address), browser}));
        VariantClear(&address);
        return cancel;
    }
    std::string DocumentCharset() {
        IDispatch* document = page->m_wndBrowser.GetDocument();
        IHTMLDocument2* html = nullptr;
        document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&html));
        BSTR charset = nullptr;
        html->get_charset(&charset);
        std::string text = platform::GbkFromBstr(charset);
        SysFreeString(charset);
        html->Release();
        document->Release();
        return text;
    }

    CPageDlg* page = nullptr;
};

TEST_F(PageDlgTest, StartsAsABlankPageWithItsControl) {
    EXPECT_EQ(page->m_nFirstNavigate, 1);
    EXPECT_EQ(page->m_nRefreshTime, 0);
    EXPECT_EQ(page->m_nRefreshUnit, 1);
    EXPECT_EQ(page->m_nRefreshTimerId, 0u);
    EXPECT_EQ(page->m_bClosing, 0);
    EXPECT_EQ(std::string(page->m_strUrl), "about:blank");
    EXPECT_EQ(std::string(page->m_strTitle), "about:blank");
    EXPECT_EQ(page->m_strStatusText, "");
    EXPECT_EQ(page->m_nProgress, 0);
    ASSERT_NE(page->m_wndBrowser.GetSafeHwnd(), nullptr);
    EXPECT_EQ(GetDlgCtrlID(page->m_wndBrowser.GetSafeHwnd()), CPageDlg::kBrowserId);
}

TEST_F(PageDlgTest, EventsOfALoadReachTheHostInOrder) {
    const std::string url = Address("a.htm");
    Open(page, "a.htm", "<title>Page A</title><p>text</p>");
    // The filter sees the address as it was asked for; the control reports where it went.
    EXPECT_THAT(
        host.calls,
        ElementsAre("CheckUrlBlocked " + Path("a.htm"), "StartBusy", "UpdateStatusText 0 " + url,
                    "UpdateProgress 0 0", "UpdatePageTitle 0 Page A", "UpdateProgress 0 100",
                    "UpdateProgress 0 0", "UpdateStatusText 0 ", "RefillAddressList",
                    "UpdateAddressText 0 " + url, "UpdateProgress 0 0", "StopBusy"));
    EXPECT_EQ(std::string(page->m_strUrl), url);
    EXPECT_EQ(std::string(page->m_strTitle), "Page A");
    EXPECT_EQ(page->m_nFirstNavigate, 0);
    ASSERT_FALSE(store.visitedUrls.empty());
    EXPECT_EQ(std::string(store.visitedUrls.front()), url);
}

TEST_F(PageDlgTest, FramesetCompletesEveryDocumentWithTheTopAddress) {
    Page("left.htm", "<title>left</title>");
    Page("right.htm", "<title>right</title>");
    const std::string top = Address("frames.htm");
    Open(page, "frames.htm",
         "<title>Frames</title><frameset cols='50%,50%'><frame src='left.htm'>"
         "<frame src='right.htm'></frameset>");
    EXPECT_THAT(host.Of("CheckUrlBlocked"), ElementsAre("CheckUrlBlocked " + Path("frames.htm"),
                                                        "CheckUrlBlocked " + Address("left.htm"),
                                                        "CheckUrlBlocked " + Address("right.htm")));
    EXPECT_THAT(host.Of("UpdateAddressText"),
                ElementsAre("UpdateAddressText 0 " + top, "UpdateAddressText 0 " + top,
                            "UpdateAddressText 0 " + top));
    EXPECT_THAT(host.Of("StopBusy"), ElementsAre("StopBusy", "StopBusy", "StopBusy"));
    EXPECT_EQ(store.visitedUrls.size(), 1u);
}

TEST_F(PageDlgTest, FirstNavigationTakesTheAddressOnce) {
    BeforeNavigate("");
    EXPECT_EQ(page->m_nFirstNavigate, 1);
    EXPECT_EQ(std::string(page->m_strUrl), "about:blank");
    EXPECT_THAT(host.calls, ElementsAre("CheckUrlBlocked "));
    BeforeNavigate("http://first.example/");
    EXPECT_EQ(page->m_nFirstNavigate, 0);
    EXPECT_EQ(std::string(page->m_strUrl), "http://first.example/");
    BeforeNavigate("http://second.example/");
    EXPECT_EQ(std::string(page->m_strUrl), "http://first.example/");
}

TEST_F(PageDlgTest, ABlockedNavigationIsCancelledWithVariantTrue) {
    host.blocked = [](const std::string& url) { return url == "http://ads.example/" ? 1 : 0; };
    EXPECT_EQ(BeforeNavigate("http://ads.example/"), VARIANT_TRUE);
    EXPECT_EQ(BeforeNavigate("http://news.example/"), VARIANT_FALSE);
    EXPECT_THAT(host.calls, ElementsAre("CheckUrlBlocked http://ads.example/",
                                        "CheckUrlBlocked http://news.example/", "StartBusy"));
}

TEST_F(PageDlgTest, ABlockedPageNeverLoads) {
    Open(page, "a.htm", "<title>A</title>");
    host.calls.clear();
    const std::string blocked = Path("b.htm");
    host.blocked = [&](const std::string& url) { return url == blocked ? 1 : 0; };
    Open(page, "b.htm", "<title>B</title>");
    EXPECT_THAT(host.calls, ElementsAre("CheckUrlBlocked " + blocked));
    EXPECT_EQ(std::string(page->m_wndBrowser.GetLocationURL()), Address("a.htm"));
    EXPECT_EQ(std::string(page->m_strTitle), "A");
}

TEST_F(PageDlgTest, AClosingPageCancelsNavigationsAndNewWindowsWithoutAskingTheHost) {
    page->m_bClosing = 1;
    EXPECT_EQ(BeforeNavigate("http://a.example/"), VARIANT_TRUE);
    IDispatch* newBrowser = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT target;
    VariantInit(&target);
    target.vt = VT_BYREF | VT_DISPATCH;
    target.ppdispVal = &newBrowser;
    EXPECT_TRUE(Raise(251, {Flag(&cancel), target}));
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(newBrowser, nullptr);
    EXPECT_THAT(host.calls, IsEmpty());
    EXPECT_EQ(host.pages.size(), 1u);
}

TEST_F(PageDlgTest, ANewWindowGoesToANewPageOfTheHost) {
    IDispatch* newBrowser = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT target;
    VariantInit(&target);
    target.vt = VT_BYREF | VT_DISPATCH;
    target.ppdispVal = &newBrowser;
    EXPECT_TRUE(Raise(251, {Flag(&cancel), target}));
    EXPECT_EQ(cancel, VARIANT_FALSE);
    ASSERT_EQ(host.pages.size(), 2u);
    EXPECT_THAT(host.calls, ElementsAre("GetPage 1"));
    IDispatch* expected = host.pages[1]->m_wndBrowser.GetApplication();
    EXPECT_EQ(newBrowser, expected);
    expected->Release();
    newBrowser->Release();
}

TEST_F(PageDlgTest, ANewWindowAtTheTabLimitIsCancelled) {
    host.full = true;
    IDispatch* newBrowser = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT target;
    VariantInit(&target);
    target.vt = VT_BYREF | VT_DISPATCH;
    target.ppdispVal = &newBrowser;
    EXPECT_TRUE(Raise(251, {Flag(&cancel), target}));
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(newBrowser, nullptr);
}

TEST_F(PageDlgTest, ALinkToANewWindowLoadsInTheNewPage) {
    Page("b.htm", "<title>B</title>");
    Open(page, "a.htm", "<title>A</title><script>window.open('b.htm');</script>");
    platform::PumpUntilIdle();
    ASSERT_EQ(host.pages.size(), 2u);
    EXPECT_EQ(std::string(host.pages[1]->m_wndBrowser.GetLocationURL()), Address("b.htm"));
    EXPECT_EQ(std::string(host.pages[1]->m_strTitle), "B");
    EXPECT_EQ(std::string(page->m_strTitle), "A");
}

TEST_F(PageDlgTest, ProgressIsAPercentTruncatedAndZeroWithoutTotals) {
    auto percentOf = [&](long progress, long maximum) {
        EXPECT_TRUE(Raise(108, {Long(maximum), Long(progress)}));
        return page->m_nProgress;
    };
    EXPECT_EQ(percentOf(50, 200), 25);
    EXPECT_EQ(percentOf(1, 3), 33);
    EXPECT_EQ(percentOf(2, 3), 66);
    EXPECT_EQ(percentOf(-1, 100), 0);
    EXPECT_EQ(percentOf(10, 0), 0);
    EXPECT_EQ(percentOf(0, 10), 0);
    EXPECT_EQ(percentOf(300, 200), 150);
    // Floating point: a product that would pass 32 bits still comes out right.
    EXPECT_EQ(percentOf(INT32_MAX / 2, INT32_MAX), 49);
    EXPECT_THAT(host.Of("UpdateProgress"),
                ElementsAre("UpdateProgress 0 25", "UpdateProgress 0 33", "UpdateProgress 0 66",
                            "UpdateProgress 0 0", "UpdateProgress 0 0", "UpdateProgress 0 0",
                            "UpdateProgress 0 150", "UpdateProgress 0 49"));
}

TEST_F(PageDlgTest, DownloadEventsAndQuitChangeNothing) {
    EXPECT_FALSE(Raise(106, {}));
    EXPECT_FALSE(Raise(104, {}));
    EXPECT_FALSE(Raise(253, {}));
    EXPECT_THAT(host.calls, IsEmpty());
}

TEST_F(PageDlgTest, StatusTextAndTitleAreKeptAndMirrored) {
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = platform::BstrFromGbk("正在打开");
    EXPECT_TRUE(Raise(102, {text}));
    EXPECT_TRUE(Raise(113, {text}));
    VariantClear(&text);
    EXPECT_EQ(page->m_strStatusText, "正在打开");
    EXPECT_EQ(std::string(page->m_strTitle), "正在打开");
    EXPECT_THAT(host.calls,
                ElementsAre("UpdateStatusText 0 正在打开", "UpdatePageTitle 0 正在打开"));
}

TEST_F(PageDlgTest, AutoRefreshInMinutesAndSeconds) {
    Open(page, "a.htm", "<title>A</title>");
    host.calls.clear();
    page->SetRefresh(2, 1);
    EXPECT_EQ(page->m_nRefreshTimerId, CPageDlg::kRefreshTimer);
    int time = 0;
    int unit = 0;
    page->GetRefresh(time, unit);
    EXPECT_EQ(time, 2);
    EXPECT_EQ(unit, 1);
    folder.WriteFile("a.htm", "<title>A again</title>");
    platform::AdvanceTestClock(std::chrono::milliseconds(119999));
    platform::PumpUntilIdle();
    EXPECT_THAT(host.Of("UpdatePageTitle"), IsEmpty());
    platform::AdvanceTestClock(std::chrono::milliseconds(1));
    platform::PumpUntilIdle();
    EXPECT_THAT(host.Of("UpdatePageTitle"), ElementsAre("UpdatePageTitle 0 A again"));
    // Re-armed with the same period.
    platform::AdvanceTestClock(std::chrono::milliseconds(120000));
    platform::PumpUntilIdle();
    EXPECT_EQ(host.Of("UpdatePageTitle").size(), 2u);

    host.calls.clear();
    page->SetRefresh(2, 0);
    platform::AdvanceTestClock(std::chrono::milliseconds(2000));
    platform::PumpUntilIdle();
    EXPECT_EQ(host.Of("UpdatePageTitle").size(), 1u);

    page->SetRefresh(0, 0);
    EXPECT_EQ(page->m_nRefreshTimerId, 0u);
    platform::AdvanceTestClock(std::chrono::milliseconds(10000));
    platform::PumpUntilIdle();
    EXPECT_EQ(host.Of("UpdatePageTitle").size(), 1u);
}

TEST_F(PageDlgTest, AutoRefreshPeriodDoesNotWrapAround) {
    Open(page, "a.htm", "<title>A</title>");
    host.calls.clear();
    // 71583 minutes are 4294980000 ms, which in 32 bits would be 12704 ms.
    page->SetRefresh(71583, 1);
    platform::AdvanceTestClock(std::chrono::milliseconds(13000));
    platform::PumpUntilIdle();
    EXPECT_THAT(host.Of("UpdatePageTitle"), IsEmpty());
    platform::AdvanceTestClock(std::chrono::milliseconds(0x7FFFFFFF - 13000));
    platform::PumpUntilIdle();
    EXPECT_EQ(host.Of("UpdatePageTitle").size(), 1u);
}

TEST_F(PageDlgTest, DocumentCommandsGoToTheLoadedDocument) {
    Open(page, "a.htm", "<title>A</title>");
    TakeRecordedWebCommands();
    EXPECT_EQ(page->ExecCommand(OLECMDID_PRINT), 0);
    EXPECT_EQ(page->ExecMshtmlCommand(2), 0);
    std::vector<RecordedWebCommand> commands = TakeRecordedWebCommands();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].source, RecordedWebCommand::Source::Document);
    EXPECT_TRUE(IsEqualGUID(commands[0].group, GUID_NULL));
    EXPECT_EQ(commands[0].command, 6u);
    EXPECT_EQ(commands[0].option, 0u);
    EXPECT_EQ(commands[0].address, Address("a.htm"));
    EXPECT_TRUE(IsEqualGUID(commands[1].group, CGID_MSHTML));
    EXPECT_EQ(commands[1].command, 2u);
}

TEST_F(PageDlgTest, DocumentCommandsWithoutADocumentDoNothing) {
    TakeRecordedWebCommands();
    EXPECT_EQ(page->ExecCommand(OLECMDID_PRINT), 0);
    EXPECT_EQ(page->ExecMshtmlCommand(1), 0);
    page->SetCharset(CPageDlg::kCharsetWestern);
    EXPECT_TRUE(TakeRecordedWebCommands().empty());
    EXPECT_THAT(host.calls, IsEmpty());
}

TEST_F(PageDlgTest, CharsetMenuSetsTheNameAndReloads) {
    Open(page, "a.htm", "<title>A</title>");
    host.calls.clear();
    page->SetCharset(CPageDlg::kCharsetShiftJis);
    platform::PumpUntilIdle();
    EXPECT_EQ(DocumentCharset(), "iso-2022-jp");
    EXPECT_THAT(host.Of("UpdatePageTitle"), ElementsAre("UpdatePageTitle 0 A"));
    const std::pair<int, const char*> names[] = {{32836, "iso-8859-1"},
                                                 {32837, "iso-ir-58"},
                                                 {32838, "big5"},
                                                 {33001, "euc-jp"},
                                                 {33002, "_autodetect"}};
    for (const auto& [menu, name] : names) {
        page->SetCharset(menu);
        platform::PumpUntilIdle();
        EXPECT_EQ(DocumentCharset(), name) << menu;
    }
}

TEST_F(PageDlgTest, CtrlKeysRunTheFrameCommands) {
    ::SetFocus(page->m_wndBrowser.GetSafeHwnd());
    for (BYTE key : {BYTE(VK_HOME), BYTE('A'), BYTE('N'), BYTE('O'), BYTE('S'), BYTE('B')}) {
        platform::InjectKey(VK_CONTROL, true);
        platform::InjectKey(key, true);
        platform::InjectKey(key, false);
        platform::InjectKey(VK_CONTROL, false);
        platform::PumpUntilIdle();
    }
    platform::InjectKey('N', true);
    platform::InjectKey('N', false);
    platform::PumpUntilIdle();
    EXPECT_THAT(host.Of("WM_COMMAND"),
                ElementsAre("WM_COMMAND 32789", "WM_COMMAND 57642", "WM_COMMAND 57600",
                            "WM_COMMAND 57601", "WM_COMMAND 32799"));
}

TEST_F(PageDlgTest, ACloseRequestIsIgnored) {
    page->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(page->GetSafeHwnd()));
    EXPECT_EQ(page->m_bClosing, 0);
}

TEST_F(PageDlgTest, TheControlFillsThePageWhenItIsResized) {
    page->MoveWindow(0, 0, 250, 120);
    RECT control;
    ::GetWindowRect(page->m_wndBrowser.GetSafeHwnd(), &control);
    RECT client;
    page->GetClientRect(&client);
    EXPECT_EQ(control.right - control.left, client.right);
    EXPECT_EQ(control.bottom - control.top, client.bottom);
    EXPECT_EQ(client.right, 250);
    EXPECT_EQ(client.bottom, 120);
}

TEST_F(PageDlgTest, EveryWayOfDestroyingMarksThePageClosingFirst) {
    page->SetRefresh(1, 0);
    EXPECT_TRUE(page->DestroyWindow());
    EXPECT_EQ(page->m_bClosing, 1);
    EXPECT_EQ(page->m_nRefreshTimerId, 0u);

    CPageDlg* second = host.AddPage();
    ASSERT_NE(second, nullptr);
    host.DestroyWindow();
    EXPECT_EQ(second->GetSafeHwnd(), nullptr);
    EXPECT_EQ(second->m_bClosing, 1);
}

}  // namespace
}  // namespace browser::testing
