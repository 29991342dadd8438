#include "browser/CustomControlSite.h"

#include <gtest/gtest.h>

#include "browser/PageTestHost.h"
#include "common/WebBrowser2.h"
#include "platform/webcontrol/HtmlInterfaces.h"

namespace browser::testing {
namespace {

class CustomControlSiteTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        ASSERT_TRUE(browser.Create("", WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 300}, &host, 1001));
        IOleObject* object = nullptr;
        ASSERT_EQ(browser.GetControlUnknown()->QueryInterface(IID_IOleObject,
                                                              reinterpret_cast<void**>(&object)),
                  S_OK);
        ASSERT_EQ(object->GetClientSite(&clientSite), S_OK);
        object->Release();
        ASSERT_EQ(
            clientSite->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)),
            S_OK);
        ASSERT_EQ(
            clientSite->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&commands)),
            S_OK);
    }
    void TearDown() override {
        commands->Release();
        handler->Release();
        clientSite->Release();
        browser.DestroyWindow();
        PageTest::TearDown();
    }
    std::string TitleAfterLoading(const std::string& html) {
        browser.Navigate(Page("page.htm", html).c_str(), nullptr, nullptr, nullptr, nullptr);
        platform::PumpUntilIdle();
        IDispatch* document = browser.GetDocument();
        IHTMLDocument2* page = nullptr;
        document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&page));
        BSTR title = nullptr;
        page->get_title(&title);
        std::string text = platform::GbkFromBstr(title);
        SysFreeString(title);
        page->Release();
        document->Release();
        return text;
    }

    CWebBrowser2 browser;
    IOleClientSite* clientSite = nullptr;
    IDocHostUIHandler* handler = nullptr;
    IOleCommandTarget* commands = nullptr;
};

TEST_F(CustomControlSiteTest, EveryControlGetsTheBrowsersSite) {
    COleControlSite* site = COleControlSite::FromHandle(browser.GetSafeHwnd());
    ASSERT_NE(site, nullptr);
    EXPECT_NE(dynamic_cast<CCustomControlSite*>(site), nullptr);
}

TEST_F(CustomControlSiteTest, NestedInterfacesShareTheSitesIdentity) {
    IUnknown* fromHandler = nullptr;
    IUnknown* fromSite = nullptr;
    handler->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromHandler));
    clientSite->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromSite));
    EXPECT_EQ(fromHandler, fromSite);
    IOleClientSite* back = nullptr;
    EXPECT_EQ(commands->QueryInterface(IID_IOleClientSite, reinterpret_cast<void**>(&back)), S_OK);
    EXPECT_EQ(back, clientSite);
    back->Release();
    fromHandler->Release();
    fromSite->Release();
    // Counting goes to the one site.
    const ULONG afterHandler = handler->AddRef();
    EXPECT_EQ(commands->AddRef(), afterHandler + 1);
    commands->Release();
    handler->Release();
}

TEST_F(CustomControlSiteTest, HostAnswersOfTheDocHostUIHandler) {
    DOCHOSTUIINFO info{sizeof(DOCHOSTUIINFO), 0x1234, 9, nullptr, nullptr};
    EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, 0x4000u);
    EXPECT_EQ(info.dwDoubleClick, 0u);
    POINT point{1, 2};
    EXPECT_EQ(handler->ShowContextMenu(CONTEXT_MENU_DEFAULT, &point, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(handler->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(handler->HideUI(), S_OK);
    EXPECT_EQ(handler->UpdateUI(), S_OK);
    EXPECT_EQ(handler->EnableModeless(TRUE), E_NOTIMPL);
    EXPECT_EQ(handler->OnDocWindowActivate(TRUE), E_NOTIMPL);
    EXPECT_EQ(handler->OnFrameWindowActivate(TRUE), E_NOTIMPL);
    EXPECT_EQ(handler->ResizeBorder(nullptr, nullptr, TRUE), E_NOTIMPL);
    MSG message{};
    EXPECT_EQ(handler->TranslateAccelerator(&message, nullptr, 0), S_FALSE);
    LPOLESTR key = nullptr;
    EXPECT_EQ(handler->GetOptionKeyPath(&key, 0), E_NOTIMPL);
    IDropTarget* dropTarget = reinterpret_cast<IDropTarget*>(&info);
    EXPECT_EQ(handler->GetDropTarget(nullptr, &dropTarget), S_OK);
    EXPECT_EQ(dropTarget, nullptr);
    OLECHAR url[] = u"http://a/";
    OLECHAR* translated = url;
    EXPECT_EQ(handler->TranslateUrl(0, url, &translated), E_NOTIMPL);
    EXPECT_EQ(translated, nullptr);
    IDataObject* filtered = reinterpret_cast<IDataObject*>(&info);
    EXPECT_EQ(handler->FilterDataObject(nullptr, &filtered), E_NOTIMPL);
    EXPECT_EQ(filtered, nullptr);
}

TEST_F(CustomControlSiteTest, ExternalIsTheProgramsObjectWithAReference) {
    const ULONG before = external.AddRef() - 1;
    external.Release();
    IDispatch* given = nullptr;
    EXPECT_EQ(handler->GetExternal(&given), S_OK);
    EXPECT_EQ(given, static_cast<IDispatch*>(&external));
    EXPECT_EQ(external.Release(), before);
}

TEST_F(CustomControlSiteTest, OnlyTheScriptErrorQuestionIsAnswered) {
    OLECMD command{OLECMDID_SHOWSCRIPTERROR, 0};
    EXPECT_EQ(commands->QueryStatus(&CGID_DocHostCommandHandler, 1, &command, nullptr),
              static_cast<HRESULT>(0x80040100));
    VARIANT output;
    VariantInit(&output);
    output.vt = VT_I4;
    output.lVal = 77;
    EXPECT_EQ(
        commands->Exec(&CGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, &output),
        S_OK);
    EXPECT_EQ(output.vt, VT_I4);
    EXPECT_EQ(output.lVal, 77);
    EXPECT_EQ(commands->Exec(nullptr, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, nullptr),
              static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(
        commands->Exec(&CGID_DocHostCommandHandler, OLECMDID_SHOWMESSAGE, 0, nullptr, nullptr),
        static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(commands->Exec(&IID_IDispatch, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, nullptr),
              static_cast<HRESULT>(0x80040100));
}

TEST_F(CustomControlSiteTest, PageScriptsReadWibbleFromTheExternalObject) {
    EXPECT_EQ(TitleAfterLoading("<title>x</title><script>document.title = "
                                "window.external.xxyyzz;</script>"),
              "Wibble");
}

TEST_F(CustomControlSiteTest, OtherExternalMembersAreUnknown) {
    EXPECT_EQ(TitleAfterLoading("<title>x</title><script>try { document.title = 'read ' + "
                                "window.external.other; } catch (e) { document.title = "
                                "'failed'; }</script>"),
              "failed");
}

TEST_F(CustomControlSiteTest, AScriptErrorDoesNotStopThePage) {
    EXPECT_EQ(TitleAfterLoading("<title>x</title><script>noSuchFunction();</script>"
                                "<script>document.title = 'after';</script>"),
              "after");
    EXPECT_TRUE(platform::TakeShownMessageBoxes().empty());
}

}  // namespace
}  // namespace browser::testing
