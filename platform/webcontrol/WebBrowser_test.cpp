#include "platform/webcontrol/WebBrowser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/webcontrol/BrowserTest.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "platform/webcontrol/TravelLogInterfaces.h"
#include "platform/webcontrol/WebCommandLog.h"

namespace platform::webcontrol {

using namespace platform::testing;
namespace {

using ::testing::ElementsAre;

class WebBrowserTest : public BrowserTest {};

TEST_F(WebBrowserTest, HostingAsksTheSiteAndMakesAChildWindowAtTheRectangle) {
    auto host = Host();
    EXPECT_EQ(host->site->hostInfoCalls, 1);
    ASSERT_NE(host->hwnd, nullptr);
    EXPECT_EQ(GetParent(host->hwnd), parent);
    char className[64] = {};
    GetClassNameA(host->hwnd, className, sizeof className);
    EXPECT_STREQ(className, "Shell Embedding");
    RECT rect{};
    GetWindowRect(host->hwnd, &rect);
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    EXPECT_EQ(rect.left - origin.x, 10);
    EXPECT_EQ(rect.top - origin.y, 20);
    EXPECT_EQ(rect.right - rect.left, 400);

    IOleInPlaceObject* inPlace = nullptr;
    ASSERT_EQ(
        host->browser->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)),
        S_OK);
    RECT moved{0, 0, 200, 100};
    EXPECT_EQ(inPlace->SetObjectRects(&moved, &moved), S_OK);
    GetClientRect(host->hwnd, &rect);
    EXPECT_EQ(rect.right, 200);
    EXPECT_EQ(rect.bottom, 100);
    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_FALSE(IsWindow(host->hwnd));
    HWND none = reinterpret_cast<HWND>(1);
    EXPECT_EQ(inPlace->GetWindow(&none), E_FAIL);
    EXPECT_EQ(none, nullptr);
    inPlace->Release();
}

TEST_F(WebBrowserTest, ClassIsRegisteredUnderTheBrowserClsid) {
    IUnknown* object = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              S_OK);
    IOleObject* ole = nullptr;
    ASSERT_EQ(object->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)), S_OK);
    CLSID clsid{};
    EXPECT_EQ(ole->GetUserClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_WebBrowser));
    ole->Release();
    EXPECT_EQ(object->Release(), 0u);
}

TEST_F(WebBrowserTest, PageLoadRaisesTheEventsInOrderAndBeforeNavigateSeesTheUrlAsGiven) {
    std::string path =
        Page("one.htm", "<html><head><title>One</title></head><body>x</body></html>");
    auto host = Host();
    host->Navigate(path);
    // BeforeNavigate2 comes at once, the rest from the message loop.
    EXPECT_THAT(host->sink->events, ElementsAre("BeforeNavigate2 top " + path));
    VARIANT busy = host->Get(DISPID_BUSY);
    EXPECT_EQ(busy.boolVal, VARIANT_TRUE);
    PumpUntilIdle();
    std::string address = Address("one.htm");
    EXPECT_THAT(
        host->sink->events,
        ElementsAre("BeforeNavigate2 top " + path, "DownloadBegin", "StatusTextChange " + address,
                    "ProgressChange 0/10000", "NavigateComplete2 top " + address, "TitleChange One",
                    "ProgressChange 10000/10000", "ProgressChange -1/10000", "StatusTextChange ",
                    "DownloadComplete", "DocumentComplete top " + address));
    EXPECT_EQ(host->LocationUrl(), address);
    VARIANT name = host->Get(DISPID_LOCATIONNAME);
    EXPECT_EQ(Utf8FromVariant(&name), "One");
    VariantClear(&name);
    busy = host->Get(DISPID_BUSY);
    EXPECT_EQ(busy.boolVal, VARIANT_FALSE);
    VARIANT state = host->Get(DISPID_READYSTATE);
    EXPECT_EQ(state.lVal, READYSTATE_COMPLETE);
}

TEST_F(WebBrowserTest, FramesGetTheirOwnNavigationEventsAndCompleteBeforeTheTop) {
    Page("left.htm", "<title>L</title>left");
    Page("right.htm", "<title>R</title>right");
    std::string top = Page("frames.htm",
                           "<html><frameset cols='50%,50%'><frame name=a src='left.htm'>"
                           "<frame name=b src='right.htm'></frameset></html>");
    auto host = Host();
    host->Navigate(top);
    PumpUntilIdle();
    std::vector<std::string> navigation;
    for (const std::string& line : host->sink->events) {
        if (line.starts_with("BeforeNavigate2") || line.starts_with("NavigateComplete2") ||
            line.starts_with("DocumentComplete")) {
            navigation.push_back(line);
        }
    }
    EXPECT_THAT(navigation, ElementsAre("BeforeNavigate2 top " + top,
                                        "NavigateComplete2 top " + Address("frames.htm"),
                                        "BeforeNavigate2 frame " + Address("left.htm"),
                                        "NavigateComplete2 frame " + Address("left.htm"),
                                        "BeforeNavigate2 frame " + Address("right.htm"),
                                        "NavigateComplete2 frame " + Address("right.htm"),
                                        "DocumentComplete frame " + Address("left.htm"),
                                        "DocumentComplete frame " + Address("right.htm"),
                                        "DocumentComplete top " + Address("frames.htm")));
    EXPECT_EQ(host->LocationUrl(), Address("frames.htm"));
}

TEST_F(WebBrowserTest, FrameEventObjectsReachTheFrameDocument) {
    Page("left.htm", "<title>Left</title><a href='x.htm'>x</a>");
    std::string top = Page("frames.htm", "<frameset><frame src='left.htm'></frameset>");
    auto host = Host();
    std::vector<std::string> titles;
    host->sink->answer = [&](DISPID member, DISPPARAMS* parameters) {
        if (member != DISPID_DOCUMENTCOMPLETE) {
            return;
        }
        IDispatch* browser = parameters->rgvarg[1].pdispVal;
        VARIANT document;
        VariantInit(&document);
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        ASSERT_EQ(browser->Invoke(DISPID_DOCUMENT, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                  &document, nullptr, nullptr),
                  S_OK);
        IHTMLDocument2* html = nullptr;
        ASSERT_EQ(
            document.pdispVal->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&html)),
            S_OK);
        BSTR title = nullptr;
        html->get_title(&title);
        titles.push_back(Utf8FromBstr(title));
        SysFreeString(title);
        html->Release();
        VariantClear(&document);
    };
    host->Navigate(top);
    PumpUntilIdle();
    EXPECT_THAT(titles, ElementsAre("Left", ""));
}

TEST_F(WebBrowserTest, CancelledNavigationLoadsNothing) {
    std::string first = Page("first.htm", "<title>First</title>");
    std::string second = Page("second.htm", "<title>Second</title>");
    auto host = Host();
    host->Navigate(first);
    PumpUntilIdle();
    host->sink->events.clear();
    host->sink->answer = [](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_BEFORENAVIGATE2) {
            *parameters->rgvarg[0].pboolVal = VARIANT_TRUE;
        }
    };
    host->Navigate(second);
    PumpUntilIdle();
    EXPECT_THAT(host->sink->events, ElementsAre("BeforeNavigate2 top " + second));
    EXPECT_EQ(host->LocationUrl(), Address("first.htm"));
    VARIANT busy = host->Get(DISPID_BUSY);
    EXPECT_EQ(busy.boolVal, VARIANT_FALSE);
}

TEST_F(WebBrowserTest, CancelIsHonouredEachTimeItIsSet) {
    std::string blocked = Page("blocked.htm", "<title>Blocked</title>");
    auto host = Host();
    int asked = 0;
    host->sink->answer = [&](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_BEFORENAVIGATE2) {
            ++asked;
            *parameters->rgvarg[0].pboolVal = VARIANT_TRUE;
        }
    };
    host->Navigate(blocked);
    host->Navigate(blocked);
    PumpUntilIdle();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(host->sink->Of("DocumentComplete").empty());
    VARIANT document = host->Get(DISPID_DOCUMENT);
    EXPECT_EQ(document.vt, VT_DISPATCH);
    EXPECT_EQ(document.pdispVal, nullptr);
}

TEST_F(WebBrowserTest, CancelledFrameStaysBlankWhileTheOtherLoads) {
    Page("left.htm", "<title>L</title>");
    Page("right.htm", "<title>R</title>");
    std::string top =
        Page("frames.htm", "<frameset><frame src='left.htm'><frame src='right.htm'></frameset>");
    auto host = Host();
    std::string leftAddress = Address("left.htm");
    host->sink->answer = [&](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_BEFORENAVIGATE2 &&
            Utf8FromVariant(&parameters->rgvarg[5]) == leftAddress) {
            *parameters->rgvarg[0].pboolVal = 1;
        }
    };
    host->Navigate(top);
    PumpUntilIdle();
    EXPECT_THAT(host->sink->Of("DocumentComplete"),
                ElementsAre("DocumentComplete frame about:blank",
                            "DocumentComplete frame " + Address("right.htm"),
                            "DocumentComplete top " + Address("frames.htm")));
    EXPECT_TRUE(host->sink->Of("NavigateComplete2 frame " + leftAddress).empty());
}

TEST_F(WebBrowserTest, MissingFileRaisesNavigateErrorThenShowsAnErrorPage) {
    auto host = Host();
    std::string missing = WindowsPathOf(folder.path() / "none.htm").ToString();
    host->Navigate(missing);
    PumpUntilIdle();
    EXPECT_THAT(host->sink->Of("NavigateError"),
                ElementsAre("NavigateError top " + Address("none.htm") + " " +
                            std::to_string(static_cast<LONG>(0x800C0005))));
    EXPECT_EQ(host->sink->Of("DocumentComplete top").size(), 1u);
    EXPECT_EQ(host->LocationUrl(), Address("none.htm"));
}

TEST_F(WebBrowserTest, CancelledNavigateErrorKeepsThePreviousPage) {
    std::string first = Page("first.htm", "<title>First</title>");
    auto host = Host();
    host->Navigate(first);
    PumpUntilIdle();
    host->sink->events.clear();
    host->sink->answer = [](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_NAVIGATEERROR) {
            *parameters->rgvarg[0].pboolVal = VARIANT_TRUE;
        }
    };
    host->Navigate(WindowsPathOf(folder.path() / "none.htm").ToString());
    PumpUntilIdle();
    EXPECT_TRUE(host->sink->Of("NavigateComplete2").empty());
    EXPECT_TRUE(host->sink->Of("DocumentComplete").empty());
    EXPECT_EQ(host->LocationUrl(), Address("first.htm"));
}

TEST_F(WebBrowserTest, ClickOnLinkDeliversTheStatusTextsOfItsHandlerExactly) {
    std::string path =
        Page("play.htm",
             "<body><a href='#' onclick=\"window.status='';window.status='qrplay:1:x';"
             "window.status='';return false\">play</a></body>");
    auto host = Host();
    host->Navigate(path);
    PumpUntilIdle();
    POINT point = host->ScreenPoint(4, 4);
    InjectMouse(0, point);
    PumpUntilIdle();
    EXPECT_THAT(host->sink->Of("StatusTextChange").back(),
                "StatusTextChange " + Address("play.htm") + "#");
    host->sink->events.clear();
    host->Click(4, 4);
    EXPECT_THAT(host->sink->events, ElementsAre("StatusTextChange ", "StatusTextChange qrplay:1:x",
                                                "StatusTextChange "));
}

TEST_F(WebBrowserTest, ClickOnPlainLinkNavigatesTheControl) {
    Page("next.htm", "<title>Next</title>");
    std::string path = Page("start.htm", "<body><a href='next.htm'>next</a></body>");
    auto host = Host();
    host->Navigate(path);
    PumpUntilIdle();
    host->sink->events.clear();
    host->Click(4, 4);
    EXPECT_THAT(host->sink->Of("BeforeNavigate2"),
                ElementsAre("BeforeNavigate2 top " + Address("next.htm")));
    EXPECT_EQ(host->LocationUrl(), Address("next.htm"));
}

TEST_F(WebBrowserTest, ExternalMembersReachTheSitesExternalObject) {
    std::string path =
        Page("external.htm", "<script>document.title = window.external.xxyyzz;</script>");
    auto host = Host();
    host->Navigate(path);
    PumpUntilIdle();
    EXPECT_THAT(host->sink->Of("TitleChange"),
                ElementsAre("TitleChange Wibble", "TitleChange Wibble"));
    EXPECT_EQ(host->site->externalCalls, 1);
    EXPECT_TRUE(host->site->commands.empty());
}

TEST_F(WebBrowserTest, ScriptErrorGoesToTheSitesCommandTargetOnly) {
    std::string path = Page("broken.htm",
                            "<script>undefinedFunction();</script><script>document.title='on'"
                            "</script>");
    auto host = Host();
    host->Navigate(path);
    PumpUntilIdle();
    ASSERT_EQ(host->site->commands.size(), 1u);
    EXPECT_TRUE(IsEqualGUID(host->site->commands[0].group, CGID_DocHostCommandHandler));
    EXPECT_EQ(host->site->commands[0].id, static_cast<DWORD>(OLECMDID_SHOWSCRIPTERROR));
    EXPECT_TRUE(host->site->commands[0].hadInput);
    EXPECT_EQ(host->sink->Of("TitleChange").back(), "TitleChange on");
}

TEST_F(WebBrowserTest, BlankTargetRaisesNewWindowAndLoadsInTheControlHandedBack) {
    Page("popup.htm", "<title>Popup</title>");
    std::string path = Page("opener.htm", "<a href='popup.htm' target=_blank>open</a>");
    auto opener = Host();
    auto popup = Host();
    opener->sink->answer = [&](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_NEWWINDOW2) {
            *parameters->rgvarg[1].ppdispVal = popup->Application();
        }
    };
    opener->Navigate(path);
    PumpUntilIdle();
    opener->Click(4, 4);
    EXPECT_EQ(opener->sink->Of("NewWindow2").size(), 1u);
    EXPECT_EQ(opener->LocationUrl(), Address("opener.htm"));
    EXPECT_THAT(popup->sink->Of("BeforeNavigate2"),
                ElementsAre("BeforeNavigate2 top " + Address("popup.htm")));
    EXPECT_EQ(popup->LocationUrl(), Address("popup.htm"));
}

TEST_F(WebBrowserTest, CancelledNewWindowOpensNothing) {
    std::string path = Page("opener.htm", "<script>window.open('popup.htm')</script>");
    auto opener = Host();
    auto popup = Host();
    opener->sink->answer = [&](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_NEWWINDOW2) {
            *parameters->rgvarg[1].ppdispVal = popup->Application();
            *parameters->rgvarg[0].pboolVal = VARIANT_TRUE;
        }
    };
    opener->Navigate(path);
    PumpUntilIdle();
    EXPECT_EQ(opener->sink->Of("NewWindow2").size(), 1u);
    EXPECT_TRUE(popup->sink->events.empty());
}

TEST_F(WebBrowserTest, WindowCloseTakesTheApplicationObjectAway) {
    std::string path = Page("close.htm", "<script>window.close()</script>");
    auto host = Host();
    IDispatch* before = host->Application();
    ASSERT_NE(before, nullptr);
    before->Release();
    host->Navigate(path);
    PumpUntilIdle();
    EXPECT_EQ(host->sink->Of("WindowClosing").size(), 1u);
    EXPECT_EQ(host->Application(), nullptr);
}

TEST_F(WebBrowserTest, CancelledWindowClosingKeepsTheApplicationObject) {
    std::string path = Page("close.htm", "<script>window.close()</script>");
    auto host = Host();
    host->sink->answer = [](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_WINDOWCLOSING) {
            *parameters->rgvarg[0].pboolVal = VARIANT_TRUE;
        }
    };
    host->Navigate(path);
    PumpUntilIdle();
    IDispatch* application = host->Application();
    EXPECT_NE(application, nullptr);
    application->Release();
}

TEST_F(WebBrowserTest, RightButtonAsksTheSiteForItsContextMenu) {
    auto host = Host();
    POINT point = host->ScreenPoint(30, 40);
    InjectMouse(MOUSEEVENTF_RIGHTDOWN, point);
    InjectMouse(MOUSEEVENTF_RIGHTUP, point);
    PumpUntilIdle();
    EXPECT_EQ(host->site->contextMenus, 1);
    EXPECT_EQ(host->site->contextMenuPoint.x, point.x);
    EXPECT_EQ(host->site->contextMenuPoint.y, point.y);
}

TEST_F(WebBrowserTest, DocumentIsNullBeforeTheFirstPageAndAboutBlankGivesOne) {
    auto host = Host();
    VARIANT document = host->Get(DISPID_DOCUMENT);
    EXPECT_EQ(document.pdispVal, nullptr);
    EXPECT_EQ(host->LocationUrl(), "");
    host->Navigate("about:blank");
    PumpUntilIdle();
    document = host->Get(DISPID_DOCUMENT);
    ASSERT_NE(document.pdispVal, nullptr);
    IHTMLDocument2* html = nullptr;
    EXPECT_EQ(
        document.pdispVal->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&html)),
        S_OK);
    html->Release();
    VariantClear(&document);
    EXPECT_EQ(host->LocationUrl(), "about:blank");
}

TEST_F(WebBrowserTest, ExecWBRecordsTheCommandWithItsOptionAndArgument) {
    TakeRecordedWebCommands();
    auto host = Host();
    EXPECT_EQ(host->browser->ExecWB(OLECMDID_COPY, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, nullptr),
              OLECMDERR_E_DISABLED);
    host->Navigate("about:blank");
    PumpUntilIdle();
    VARIANT arguments[4];
    for (VARIANT& argument : arguments) {
        VariantInit(&argument);
    }
    arguments[3].vt = VT_I4;
    arguments[3].lVal = OLECMDID_ZOOM;
    arguments[2].vt = VT_I4;
    arguments[2].lVal = OLECMDEXECOPT_DONTPROMPTUSER;
    arguments[1].vt = VT_I4;
    arguments[1].lVal = 3;
    DISPPARAMS parameters{arguments, nullptr, 4, 0};
    EXPECT_EQ(host->browser->Invoke(DISPID_EXECWB, IID_NULL, 0, DISPATCH_METHOD, &parameters,
                                    nullptr, nullptr, nullptr),
              S_OK);
    std::vector<RecordedWebCommand> commands = TakeRecordedWebCommands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].source, RecordedWebCommand::Source::Browser);
    EXPECT_EQ(commands[0].command, static_cast<DWORD>(OLECMDID_ZOOM));
    EXPECT_EQ(commands[0].option, static_cast<DWORD>(OLECMDEXECOPT_DONTPROMPTUSER));
    EXPECT_EQ(commands[0].argument, "3");
    EXPECT_EQ(commands[0].address, "about:blank");
    EXPECT_EQ(host->browser->ExecWB(OLECMDID_SPELL, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr),
              OLECMDERR_E_NOTSUPPORTED);
}

TEST_F(WebBrowserTest, DispatchNamesGiveTheBrowsersIds) {
    auto host = Host();
    LPOLESTR names[] = {const_cast<LPOLESTR>(u"locationurl"), const_cast<LPOLESTR>(u"Nope")};
    DISPID ids[2] = {};
    EXPECT_EQ(host->browser->GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_LOCATIONURL);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    EXPECT_EQ(host->browser->Invoke(999, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr,
                                    nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST_F(WebBrowserTest, LinkTargetingAFrameLoadsOnlyThatFrame) {
    Page("menu.htm", "<a href='page2.htm' target=main>two</a>");
    Page("page1.htm", "<title>One</title>");
    Page("page2.htm", "<title>Two</title>");
    std::string top = Page("frames.htm",
                           "<frameset rows='50,*'><frame name=menu src='menu.htm'>"
                           "<frame name=main src='page1.htm'></frameset>");
    auto host = Host();
    host->Navigate(top);
    PumpUntilIdle();
    host->sink->events.clear();
    host->Click(4, 4);
    EXPECT_THAT(host->sink->Of("BeforeNavigate2"),
                ElementsAre("BeforeNavigate2 frame " + Address("page2.htm")));
    EXPECT_THAT(host->sink->Of("DocumentComplete"),
                ElementsAre("DocumentComplete frame " + Address("page2.htm")));
    EXPECT_EQ(host->LocationUrl(), Address("frames.htm"));
}

TEST_F(WebBrowserTest, TitleChangeReportsOnlyTheTopDocumentsTitle) {
    Page("left.htm", "<title>Left</title><script>document.title = 'Renamed'</script>");
    std::string top = Page("frames.htm", "<title>Top</title><frameset><frame src='left.htm'>");
    auto host = Host();
    host->Navigate(top);
    PumpUntilIdle();
    EXPECT_THAT(host->sink->Of("TitleChange"), ElementsAre("TitleChange Top"));
    VARIANT name = host->Get(DISPID_LOCATIONNAME);
    EXPECT_EQ(Utf8FromVariant(&name), "Top");
    VariantClear(&name);
}

class FramedPageTest : public WebBrowserTest {
protected:
    // A page of two unnamed frames: a menu whose link has no target, and a content page.
    void SetUp() override {
        WebBrowserTest::SetUp();
        Page("menu.htm", "<a href='page2.htm'>two</a>");
        Page("page1.htm", "<title>One</title>");
        Page("page2.htm", "<title>Two</title>");
        top = Page("frames.htm",
                   "<title>Top</title><frameset rows='50,*'><frame src='menu.htm'>"
                   "<frame src='page1.htm'></frameset>");
        host = Host();
        host->Navigate(top);
        PumpUntilIdle();
        host->sink->events.clear();
    }
    std::vector<std::string> Navigations() {
        std::vector<std::string> lines;
        for (const std::string& line : host->sink->events) {
            if (line.starts_with("BeforeNavigate2") || line.starts_with("DocumentComplete")) {
                lines.push_back(line);
            }
        }
        host->sink->events.clear();
        return lines;
    }
    size_t BackEntries() {
        IServiceProvider* provider = nullptr;
        host->browser->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&provider));
        ITravelLogStg* storage = nullptr;
        provider->QueryService(SID_STravelLogCursor, IID_ITravelLogStg,
                               reinterpret_cast<void**>(&storage));
        provider->Release();
        IEnumTravelLogEntry* entries = nullptr;
        storage->EnumEntries(TLEF_RELATIVE_BACK, &entries);
        size_t count = 0;
        ITravelLogEntry* entry = nullptr;
        while (entries->Next(1, &entry, nullptr) == S_OK) {
            entry->Release();
            ++count;
        }
        entries->Release();
        storage->Release();
        return count;
    }

    std::string top;
    std::unique_ptr<HostedBrowser> host;
};

TEST_F(FramedPageTest, LinkInAnUnnamedFrameLoadsIntoThatFrame) {
    host->Click(4, 4);
    EXPECT_THAT(Navigations(), ElementsAre("BeforeNavigate2 frame " + Address("page2.htm"),
                                           "DocumentComplete frame " + Address("page2.htm")));
    EXPECT_EQ(host->LocationUrl(), Address("frames.htm"));
}

TEST_F(FramedPageTest, FrameNavigationsAreEntriesOfTheTravelLog) {
    EXPECT_EQ(BackEntries(), 0u);
    host->Click(4, 4);
    Navigations();
    EXPECT_EQ(BackEntries(), 1u);

    EXPECT_EQ(host->browser->GoBack(), S_OK);
    PumpUntilIdle();
    EXPECT_THAT(Navigations(), ElementsAre("BeforeNavigate2 frame " + Address("menu.htm"),
                                           "DocumentComplete frame " + Address("menu.htm")));
    EXPECT_EQ(BackEntries(), 0u);
    EXPECT_EQ(host->LocationUrl(), Address("frames.htm"));

    EXPECT_EQ(host->browser->GoForward(), S_OK);
    PumpUntilIdle();
    EXPECT_THAT(Navigations(), ElementsAre("BeforeNavigate2 frame " + Address("page2.htm"),
                                           "DocumentComplete frame " + Address("page2.htm")));
    EXPECT_EQ(BackEntries(), 1u);
}

TEST_F(FramedPageTest, TravellingBackToAFramedPageBringsItsFramesBack) {
    host->Click(4, 4);
    std::string other = Page("other.htm", "<title>Other</title>");
    host->Navigate(other);
    PumpUntilIdle();
    Navigations();
    EXPECT_EQ(BackEntries(), 2u);
    EXPECT_EQ(host->browser->GoBack(), S_OK);
    PumpUntilIdle();
    EXPECT_THAT(Navigations(), ElementsAre("BeforeNavigate2 top " + Address("frames.htm"),
                                           "BeforeNavigate2 frame " + Address("menu.htm"),
                                           "BeforeNavigate2 frame " + Address("page1.htm"),
                                           "DocumentComplete frame " + Address("menu.htm"),
                                           "DocumentComplete frame " + Address("page1.htm"),
                                           "DocumentComplete top " + Address("frames.htm"),
                                           "BeforeNavigate2 frame " + Address("page2.htm"),
                                           "DocumentComplete frame " + Address("page2.htm")));
    EXPECT_EQ(BackEntries(), 1u);
}

TEST_F(WebBrowserTest, ResizedControlLaysThePageOutForItsNewWidth) {
    // Sixty narrow letters: at 400 pixels the link wraps onto a second line under its first,
    // at 600 it is one line 480 pixels long.
    std::string path = Page("wide.htm", "<a href='next.htm'>" + std::string(60, 'x') + "</a>");
    Page("next.htm", "<title>Next</title>");
    auto host = Host();
    host->Navigate(path);
    PumpUntilIdle();
    host->sink->events.clear();
    RECT wider{10, 20, 610, 320};
    IOleInPlaceObject* inPlace = nullptr;
    host->browser->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace));
    ASSERT_EQ(inPlace->SetObjectRects(&wider, &wider), S_OK);
    inPlace->Release();
    host->Click(440, 8);
    EXPECT_THAT(host->sink->Of("BeforeNavigate2"),
                ElementsAre("BeforeNavigate2 top " + Address("next.htm")));
}

TEST_F(WebBrowserTest, PageTimersRunAsTheClockAdvances) {
    std::string path =
        Page("timer.htm", "<script>setTimeout(function(){window.status='tick'}, 500)</script>");
    auto host = Host();
    host->Navigate(path);
    PumpUntilIdle();
    host->sink->events.clear();
    AdvanceTestClock(std::chrono::milliseconds(499));
    PumpUntilIdle();
    EXPECT_TRUE(host->sink->events.empty());
    AdvanceTestClock(std::chrono::milliseconds(1));
    PumpUntilIdle();
    EXPECT_THAT(host->sink->events, ElementsAre("StatusTextChange tick"));
}

TEST_F(WebBrowserTest, ScriptLocationChangeNavigatesAfterTheLoad) {
    Page("target.htm", "<title>Target</title>");
    std::string path = Page("redirect.htm", "<script>location.href='target.htm'</script>");
    auto host = Host();
    host->Navigate(path);
    PumpUntilIdle();
    EXPECT_THAT(host->sink->Of("DocumentComplete"),
                ElementsAre("DocumentComplete top " + Address("redirect.htm"),
                            "DocumentComplete top " + Address("target.htm")));
    EXPECT_EQ(host->LocationUrl(), Address("target.htm"));
}

TEST_F(WebBrowserTest, StopDropsANavigationThatHasNotStarted) {
    std::string path = Page("stopped.htm", "<title>S</title>");
    auto host = Host();
    host->Navigate(path);
    EXPECT_EQ(host->browser->Stop(), S_OK);
    PumpUntilIdle();
    EXPECT_THAT(host->sink->events, ElementsAre("BeforeNavigate2 top " + path));
    EXPECT_EQ(host->LocationUrl(), "");
}

}  // namespace
}  // namespace platform::webcontrol
