#include "platform/framework/EventSinkMap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/com/Bstr.h"
#include "platform/framework/ControlHostTest.h"

namespace platform::testing {

BEGIN_EVENTSINK_MAP(CEventHostWnd, CWnd)
ON_EVENT(CEventHostWnd, 1001, DISPID_BEFORENAVIGATE2, OnBeforeNavigate2,
         VTS_DISPATCH VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PBOOL)
ON_EVENT(CEventHostWnd, 1001, DISPID_NEWWINDOW2, OnNewWindow2, VTS_PDISPATCH VTS_PBOOL)
ON_EVENT(CEventHostWnd, 1001, DISPID_TITLECHANGE, OnTitleChange, VTS_BSTR)
ON_EVENT(CEventHostWnd, 1001, DISPID_STATUSTEXTCHANGE, OnStatusTextChange, VTS_BSTR)
ON_EVENT(CEventHostWnd, 1001, DISPID_PROGRESSCHANGE, OnProgressChange, VTS_I4 VTS_I4)
ON_EVENT(CEventHostWnd, 1001, DISPID_DOCUMENTCOMPLETE, OnDocumentComplete,
         VTS_DISPATCH VTS_PVARIANT)
ON_EVENT(CEventHostWnd, 1030, DISPID_STATUSTEXTCHANGE, OnStatusTextChange, VTS_BSTR)
END_EVENTSINK_MAP()

namespace {

using ::testing::ElementsAre;

// Records the calls of its handlers; a derived class takes one of its events over.
class CRecorder : public CWnd {
public:
    std::vector<std::string> calls;
    BOOL flagSeen = -1;
    BOOL flagToWrite = FALSE;

protected:
    void OnFlag(BOOL* Cancel) {
        flagSeen = *Cancel;
        *Cancel = flagToWrite;
    }
    void OnText(LPCSTR Text) { calls.push_back(std::string("text ") + Text); }
    void OnNumbers(long First, short Second) {
        calls.push_back("numbers " + std::to_string(First) + " " + std::to_string(Second));
    }
    void OnVariant(VARIANT* Value) { calls.push_back("variant " + std::to_string(Value->vt)); }
    void OnNothing() { calls.push_back("nothing"); }

    DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(CRecorder, CWnd)
ON_EVENT(CRecorder, 7, 1, OnFlag, VTS_PBOOL)
ON_EVENT(CRecorder, 7, 2, OnText, VTS_BSTR)
ON_EVENT(CRecorder, 7, 3, OnNumbers, VTS_I4 VTS_I2)
ON_EVENT(CRecorder, 7, 4, OnVariant, VTS_PVARIANT)
ON_EVENT(CRecorder, 7, 5, OnNothing, VTS_NONE)
END_EVENTSINK_MAP()

class CDerivedRecorder : public CRecorder {
protected:
    void OnOwnText(LPCSTR Text) { calls.push_back(std::string("own ") + Text); }

    DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(CDerivedRecorder, CRecorder)
ON_EVENT(CDerivedRecorder, 7, 2, OnOwnText, VTS_BSTR)
END_EVENTSINK_MAP()

// Raises an event with arguments given first to last, as a control does.
HRESULT Raise(CWnd& target, UINT id, DISPID dispid, std::vector<VARIANT> arguments,
              BOOL* handled = nullptr) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    AFX_EVENT event{dispid, &params, E_UNEXPECTED};
    const BOOL found = target.OnEvent(id, &event);
    if (handled != nullptr) {
        *handled = found;
    }
    return event.m_hResult;
}

VARIANT Long(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

TEST(EventSinkMapTest, BoolPointerIsLentAsABoolAndWrittenBackAsVariantBool) {
    CRecorder recorder;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT reference;
    reference.vt = VT_BYREF | VT_BOOL;
    reference.pboolVal = &cancel;
    recorder.flagToWrite = TRUE;
    EXPECT_EQ(Raise(recorder, 7, 1, {reference}), S_OK);
    EXPECT_EQ(recorder.flagSeen, FALSE);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    // Any non-zero VARIANT_BOOL reads as true; FALSE goes back as VARIANT_FALSE.
    cancel = 1;
    recorder.flagToWrite = FALSE;
    EXPECT_EQ(Raise(recorder, 7, 1, {reference}), S_OK);
    EXPECT_EQ(recorder.flagSeen, TRUE);
    EXPECT_EQ(cancel, VARIANT_FALSE);
}

TEST(EventSinkMapTest, ValuesAreConvertedToTheCodesTypes) {
    CRecorder recorder;
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(u"网页 1");
    VARIANT small;
    small.vt = VT_I2;
    small.iVal = -3;
    VARIANT digits;
    digits.vt = VT_BSTR;
    digits.bstrVal = SysAllocString(u"12");
    EXPECT_EQ(Raise(recorder, 7, 2, {text}), S_OK);
    EXPECT_EQ(Raise(recorder, 7, 3, {small, digits}), S_OK);
    EXPECT_EQ(Raise(recorder, 7, 5, {}), S_OK);
    EXPECT_THAT(recorder.calls, ElementsAre("text \xCD\xF8\xD2\xB3 1", "numbers -3 12", "nothing"));
    // The control's own values are left as they were.
    EXPECT_EQ(text.vt, VT_BSTR);
    EXPECT_EQ(digits.vt, VT_BSTR);
    VariantClear(&text);
    VariantClear(&digits);
}

TEST(EventSinkMapTest, VariantPointerTakesTheReferredVariantOrTheArgumentItself) {
    CRecorder recorder;
    VARIANT inner = Long(5);
    VARIANT reference;
    reference.vt = VT_BYREF | VT_VARIANT;
    reference.pvarVal = &inner;
    EXPECT_EQ(Raise(recorder, 7, 4, {reference}), S_OK);
    EXPECT_EQ(Raise(recorder, 7, 4, {Long(1)}), S_OK);
    EXPECT_THAT(recorder.calls, ElementsAre("variant 3", "variant 3"));
}

TEST(EventSinkMapTest, ArgumentsThatDoNotFitLeaveTheHandlerUncalled) {
    CRecorder recorder;
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(u"not a number");
    VARIANT flag = Long(1);
    EXPECT_EQ(Raise(recorder, 7, 3, {Long(1)}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Raise(recorder, 7, 5, {Long(1)}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Raise(recorder, 7, 3, {text, Long(1)}), DISP_E_TYPEMISMATCH);
    // A value where the handler wants a reference.
    EXPECT_EQ(Raise(recorder, 7, 1, {flag}), DISP_E_TYPEMISMATCH);
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(recorder.flagSeen, -1);
    VariantClear(&text);
}

TEST(EventSinkMapTest, DerivedEntriesComeFirstAndUnknownKeysAreNotHandled) {
    CDerivedRecorder recorder;
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(u"x");
    BOOL handled = FALSE;
    EXPECT_EQ(Raise(recorder, 7, 2, {text}, &handled), S_OK);
    EXPECT_TRUE(handled);
    EXPECT_EQ(Raise(recorder, 7, 5, {}, &handled), S_OK);
    EXPECT_EQ(Raise(recorder, 8, 2, {text}, &handled), E_UNEXPECTED);
    EXPECT_FALSE(handled);
    EXPECT_EQ(Raise(recorder, 7, 99, {}, &handled), E_UNEXPECTED);
    EXPECT_FALSE(handled);
    EXPECT_THAT(recorder.calls, ElementsAre("own x", "nothing"));
    VariantClear(&text);
}

class ControlEventsTest : public ControlHostTest {};

TEST_F(ControlEventsTest, PageLoadReachesTheSinkMapInTheControlsOrder) {
    const std::string path = Page("one.htm", "<html><head><title>One</title></head>x</html>");
    CTestBrowser browser;
    CreateBrowser(browser);
    browser.Navigate(path.c_str());
    EXPECT_THAT(host.events, ElementsAre("BeforeNavigate2 top " + path));
    PumpUntilIdle();
    const std::string address = Address("one.htm");
    EXPECT_THAT(host.events,
                ElementsAre("BeforeNavigate2 top " + path, "StatusTextChange " + address,
                            "ProgressChange 0/10000", "TitleChange One",
                            "ProgressChange 10000/10000", "ProgressChange -1/10000",
                            "StatusTextChange ", "DocumentComplete top " + address));
    EXPECT_EQ(std::string(browser.GetLocationURL()), address);
}

TEST_F(ControlEventsTest, CancelInBeforeNavigateStopsTheLoad) {
    const std::string first = Page("first.htm", "<title>First</title>");
    const std::string blocked = Page("blocked.htm", "<title>Blocked</title>");
    CTestBrowser browser;
    CreateBrowser(browser);
    browser.Navigate(first.c_str());
    PumpUntilIdle();
    host.events.clear();
    host.cancel = [&](const std::string& url) { return url == blocked; };
    browser.Navigate(blocked.c_str());
    PumpUntilIdle();
    EXPECT_THAT(host.events, ElementsAre("BeforeNavigate2 top " + blocked));
    EXPECT_EQ(std::string(browser.GetLocationURL()), Address("first.htm"));
}

TEST_F(ControlEventsTest, FramesCompleteBeforeTheTopDocument) {
    Page("left.htm", "<title>L</title>left");
    Page("right.htm", "<title>R</title>right");
    const std::string top = Page("frames.htm",
                                 "<html><frameset cols='50%,50%'><frame name=a src='left.htm'>"
                                 "<frame name=b src='right.htm'></frameset></html>");
    CTestBrowser browser;
    CreateBrowser(browser);
    browser.Navigate(top.c_str());
    PumpUntilIdle();
    EXPECT_THAT(host.Of("DocumentComplete"),
                ElementsAre("DocumentComplete frame " + Address("left.htm"),
                            "DocumentComplete frame " + Address("right.htm"),
                            "DocumentComplete top " + Address("frames.htm")));
}

TEST_F(ControlEventsTest, NewWindowLoadsInTheControlWhoseApplicationIsHandedBack) {
    Page("popup.htm", "<title>Popup</title>");
    const std::string opener = Page("opener.htm", "<script>window.open('popup.htm')</script>");
    CTestBrowser browser;
    CreateBrowser(browser);
    CTestBrowser popup;
    CreateBrowser(popup, 1002);
    host.newWindow = [&] { return popup.GetApplication(); };
    browser.Navigate(opener.c_str());
    PumpUntilIdle();
    EXPECT_EQ(host.Of("NewWindow2").size(), 1u);
    EXPECT_EQ(std::string(popup.GetLocationURL()), Address("popup.htm"));
    EXPECT_EQ(std::string(browser.GetLocationURL()), Address("opener.htm"));
}

TEST_F(ControlEventsTest, TwoControlsWithOneIdReachTheSameHandler) {
    const std::string menu =
        Page("menu.htm", "<script>window.status='fun 3';window.status='';</script>");
    const std::string band = Page("band.htm", "<script>window.status='band';</script>");
    CTestBrowser first;
    CTestBrowser second;
    ASSERT_TRUE(first.Create("logo", WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 100}, &host, 1030));
    ASSERT_TRUE(second.Create("logo", WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 100}, &host, 1030));
    first.Navigate(band.c_str());
    second.Navigate(menu.c_str());
    PumpUntilIdle();
    const std::vector<std::string> texts = host.Of("StatusTextChange");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "StatusTextChange band"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "StatusTextChange fun 3"), 1);
    // Only status texts are mapped for 1030.
    EXPECT_TRUE(host.Of("TitleChange").empty());
}

}  // namespace
}  // namespace platform::testing
