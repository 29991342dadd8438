#include "platform/framework/OleControlSite.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/com/OleCommandTarget.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/framework/ControlHostTest.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/testdata/controls_ids.h"
#include "platform/webcontrol/DocHostUIHandler.h"

namespace platform::testing {
namespace {

using ::testing::ElementsAre;

struct SiteLog {
    int created = 0;
    int destroyed = 0;
    int hostInfo = 0;
    int external = 0;
    int scriptErrors = 0;
    IDispatch* externalObject = nullptr;
};
SiteLog siteLog;

// Declines every host question of the browser control; the recording site answers the few the
// tests watch.
struct DecliningHostHandler : IDocHostUIHandler {
    HRESULT ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return E_NOTIMPL; }
    HRESULT GetHostInfo(DOCHOSTUIINFO*) override { return E_NOTIMPL; }
    HRESULT ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                   IOleInPlaceUIWindow*) override {
        return E_NOTIMPL;
    }
    HRESULT HideUI() override { return E_NOTIMPL; }
    HRESULT UpdateUI() override { return E_NOTIMPL; }
    HRESULT EnableModeless(BOOL) override { return E_NOTIMPL; }
    HRESULT OnDocWindowActivate(BOOL) override { return E_NOTIMPL; }
    HRESULT OnFrameWindowActivate(BOOL) override { return E_NOTIMPL; }
    HRESULT ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return E_NOTIMPL; }
    // S_FALSE: the key was not the host's; the control handles it.
    HRESULT TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
    HRESULT GetOptionKeyPath(LPOLESTR*, DWORD) override { return E_NOTIMPL; }
    HRESULT GetDropTarget(IDropTarget*, IDropTarget**) override { return E_NOTIMPL; }
    HRESULT GetExternal(IDispatch**) override { return E_NOTIMPL; }
    HRESULT TranslateUrl(DWORD, OLECHAR*, OLECHAR**) override { return E_NOTIMPL; }
    HRESULT FilterDataObject(IDataObject*, IDataObject**) override { return E_NOTIMPL; }
};

// A site that adds two interfaces of its own through the interface map, as programs' sites do,
// and records what the control asks of it.
class RecordingSite : public COleControlSite {
public:
    explicit RecordingSite(COleControlContainer* container) : COleControlSite(container) {
        ++siteLog.created;
    }
    ~RecordingSite() override { ++siteLog.destroyed; }

protected:
    // clang-format off
    BEGIN_INTERFACE_PART(HostHandler, DecliningHostHandler)
        STDMETHOD(GetHostInfo)(DOCHOSTUIINFO* info) override;
        STDMETHOD(GetExternal)(IDispatch** external) override;
    END_INTERFACE_PART(HostHandler)

    BEGIN_INTERFACE_PART(CommandTarget, IOleCommandTarget)
        STDMETHOD(QueryStatus)(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) override {
            return OLECMDERR_E_NOTSUPPORTED;
        }
        STDMETHOD(Exec)(const GUID* group, DWORD command, DWORD, VARIANT*, VARIANT*) override;
    END_INTERFACE_PART(CommandTarget)
    // clang-format on

    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(RecordingSite, COleControlSite)
INTERFACE_PART(RecordingSite, IID_IDocHostUIHandler, HostHandler)
INTERFACE_PART(RecordingSite, IID_IOleCommandTarget, CommandTarget)
END_INTERFACE_MAP()

ULONG RecordingSite::XHostHandler::AddRef() {
    return static_cast<RecordingSite*>(m_pOuter)->ExternalAddRef();
}
ULONG RecordingSite::XHostHandler::Release() {
    return static_cast<RecordingSite*>(m_pOuter)->ExternalRelease();
}
HRESULT RecordingSite::XHostHandler::QueryInterface(REFIID iid, void** object) {
    return static_cast<HRESULT>(
        static_cast<RecordingSite*>(m_pOuter)->ExternalQueryInterface(&iid, object));
}
HRESULT RecordingSite::XHostHandler::GetHostInfo(DOCHOSTUIINFO* info) {
    ++siteLog.hostInfo;
    info->dwFlags = DOCHOSTUIFLAG_ENABLE_FORMS_AUTOCOMPLETE;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}
HRESULT RecordingSite::XHostHandler::GetExternal(IDispatch** external) {
    ++siteLog.external;
    siteLog.externalObject->AddRef();
    *external = siteLog.externalObject;
    return S_OK;
}

ULONG RecordingSite::XCommandTarget::AddRef() {
    return static_cast<RecordingSite*>(m_pOuter)->ExternalAddRef();
}
ULONG RecordingSite::XCommandTarget::Release() {
    return static_cast<RecordingSite*>(m_pOuter)->ExternalRelease();
}
HRESULT RecordingSite::XCommandTarget::QueryInterface(REFIID iid, void** object) {
    return static_cast<HRESULT>(
        static_cast<RecordingSite*>(m_pOuter)->ExternalQueryInterface(&iid, object));
}
// Only the script error notice is handled; the control shows no dialog of its own then.
HRESULT RecordingSite::XCommandTarget::Exec(const GUID* group, DWORD command, DWORD, VARIANT*,
                                            VARIANT*) {
    if (group != nullptr && IsEqualGUID(*group, CGID_DocHostCommandHandler) &&
        command == OLECMDID_SHOWSCRIPTERROR) {
        ++siteLog.scriptErrors;
        return S_OK;
    }
    return OLECMDERR_E_NOTSUPPORTED;
}

class RecordingOccManager : public COccManager {
public:
    COleControlSite* CreateSite(COleControlContainer* container) override {
        return new RecordingSite(container);
    }
};

template <typename Interface>
Interface* Query(IUnknown* object) {
    Interface* found = nullptr;
    return SUCCEEDED(object->QueryInterface(Interface::kIid, reinterpret_cast<void**>(&found)))
               ? found
               : nullptr;
}

// The site the control was given, with a reference the caller releases.
IOleClientSite* ClientSiteOf(CWnd& control) {
    IOleObject* object = Query<IOleObject>(control.GetControlUnknown());
    IOleClientSite* site = nullptr;
    object->GetClientSite(&site);
    object->Release();
    return site;
}

class OleControlSiteTest : public ControlHostTest {
protected:
    void SetUp() override {
        ControlHostTest::SetUp();
        siteLog = SiteLog{};
        siteLog.externalObject = new platform::testing::TestExternal;
        AfxEnableControlContainer(&manager);
    }
    void TearDown() override {
        ControlHostTest::TearDown();
        siteLog.externalObject->Release();
    }

    RecordingOccManager manager;
};

TEST_F(OleControlSiteTest, CreateControlMakesTheControlsWindowTheObjectsWindow) {
    CTestBrowser browser;
    ASSERT_TRUE(browser.Create("logo", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{5, 6, 105, 106},
                               &host, 1030));
    ASSERT_NE(browser.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(browser.m_hWnd), &browser);
    EXPECT_EQ(browser.GetDlgCtrlID(), 1030);
    EXPECT_EQ(::GetParent(browser.m_hWnd), host.m_hWnd);
    CString text;
    browser.GetWindowText(text);
    EXPECT_EQ(std::string(text), "logo");
    char className[32] = {};
    ::GetClassNameA(browser.m_hWnd, className, sizeof className);
    EXPECT_STREQ(className, "Shell Embedding");
    EXPECT_TRUE(browser.IsWindowVisible());
    EXPECT_NE(browser.GetStyle() & WS_TABSTOP, 0u);
    RECT rect{};
    browser.GetWindowRect(&rect);
    host.ScreenToClient(&rect);
    EXPECT_EQ(rect.left, 5);
    EXPECT_EQ(rect.top, 6);
    EXPECT_EQ(rect.right, 105);

    IWebBrowser2* automation = Query<IWebBrowser2>(browser.GetControlUnknown());
    ASSERT_NE(automation, nullptr);
    automation->Release();
    // The control asked the program's site for its host information at once.
    EXPECT_EQ(siteLog.created, 1);
    EXPECT_EQ(siteLog.hostInfo, 1);
    COleControlSite* site = COleControlSite::FromHandle(browser.m_hWnd);
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(site->m_nID, 1030u);
    EXPECT_EQ(site->m_pWndCtrl, &browser);
    COleControlContainer* container = COleControlContainer::FromHandle(host.m_hWnd, FALSE);
    ASSERT_NE(container, nullptr);
    EXPECT_THAT(container->GetSites(), ElementsAre(site));
    EXPECT_EQ(container->FindItem(1030), site);
    EXPECT_EQ(container->FindItem(1031), nullptr);
}

TEST_F(OleControlSiteTest, ControlWithoutVisibleStyleStaysHidden) {
    CTestBrowser browser;
    ASSERT_TRUE(browser.Create("", WS_CHILD, RECT{0, 0, 50, 50}, &host, 1));
    EXPECT_FALSE(browser.IsWindowVisible());
    EXPECT_EQ(browser.GetStyle() & WS_TABSTOP, 0u);
}

TEST_F(OleControlSiteTest, UnknownClassCreatesNothingAndLeavesNoSite) {
    CWnd control;
    const CLSID unknown = {0x12345678, 0x1, 0x2, {0, 1, 2, 3, 4, 5, 6, 7}};
    EXPECT_FALSE(
        control.CreateControl(unknown, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, &host, 1));
    EXPECT_EQ(control.m_hWnd, nullptr);
    EXPECT_EQ(::GetWindow(host.m_hWnd, GW_CHILD), nullptr);
    EXPECT_EQ(siteLog.created, 1);
    EXPECT_EQ(siteLog.destroyed, 1);
    EXPECT_EQ(COleControlContainer::FromHandle(host.m_hWnd, FALSE), nullptr);
    // Neither a parent without a window nor a persisted state will do.
    CWnd orphan;
    EXPECT_FALSE(control.CreateControl(CLSID_WebBrowser, "", WS_CHILD, RECT{}, &orphan, 1));
    CWnd stateful;
    EXPECT_FALSE(
        stateful.CreateControl(CLSID_WebBrowser, "", WS_CHILD, RECT{}, &host, 1, nullptr, TRUE));
    EXPECT_EQ(siteLog.created, 1);
}

TEST_F(OleControlSiteTest, EnablingHostingMakesTheBrowserClassCreatable) {
    ASSERT_TRUE(UnregisterComClass(CLSID_WebBrowser));
    CTestBrowser before;
    EXPECT_FALSE(before.Create("", WS_CHILD, RECT{0, 0, 10, 10}, &host, 1));
    AfxEnableControlContainer(&manager);
    CTestBrowser after;
    EXPECT_TRUE(after.Create("", WS_CHILD, RECT{0, 0, 10, 10}, &host, 1));
}

TEST_F(OleControlSiteTest, CreatingAControlInitialisesTheThreadsObjectRuntime) {
    CoUninitialize();
    ASSERT_FALSE(IsComInitialized());
    CTestBrowser browser;
    CreateBrowser(browser);
    EXPECT_TRUE(IsComInitialized());
}

TEST_F(OleControlSiteTest, DefaultSiteOffersNoHostInterfacesAndPagesStillLoad) {
    AfxEnableControlContainer();
    const std::string broken =
        Page("broken.htm", "<script>missing();</script><script>document.title='on'</script>");
    CTestBrowser browser;
    CreateBrowser(browser);
    IOleClientSite* clientSite = ClientSiteOf(browser);
    EXPECT_EQ(Query<IDocHostUIHandler>(clientSite), nullptr);
    EXPECT_EQ(Query<IOleCommandTarget>(clientSite), nullptr);
    clientSite->Release();
    browser.Navigate(broken.c_str());
    PumpUntilIdle();
    EXPECT_EQ(host.Of("TitleChange").back(), "TitleChange on");
    EXPECT_EQ(siteLog.created, 0);
}

TEST_F(OleControlSiteTest, InterfaceMapAnswersForTheDerivedAndTheBaseInterfaces) {
    CTestBrowser browser;
    CreateBrowser(browser);
    IOleClientSite* clientSite = ClientSiteOf(browser);
    ASSERT_NE(clientSite, nullptr);
    auto* handler = Query<IDocHostUIHandler>(clientSite);
    auto* target = Query<IOleCommandTarget>(clientSite);
    ASSERT_NE(handler, nullptr);
    ASSERT_NE(target, nullptr);
    IUnknown* identity = Query<IUnknown>(clientSite);
    IUnknown* identityFromHandler = Query<IUnknown>(handler);
    EXPECT_EQ(identity, identityFromHandler);
    auto* back = Query<IOleClientSite>(target);
    EXPECT_EQ(back, clientSite);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(clientSite->QueryInterface(IID_IServiceProvider, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);

    DOCHOSTUIINFO info{};
    info.cbSize = sizeof info;
    EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, 0x4000u);
    EXPECT_EQ(handler->TranslateAccelerator(nullptr, nullptr, 0), S_FALSE);
    VARIANT out;
    out.vt = VT_I4;
    out.lVal = 77;
    EXPECT_EQ(target->Exec(&CGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, &out),
              S_OK);
    EXPECT_EQ(out.lVal, 77);
    EXPECT_EQ(target->Exec(nullptr, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, nullptr),
              static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(target->Exec(&CGID_DocHostCommandHandler, OLECMDID_PRINT, 0, nullptr, nullptr),
              static_cast<HRESULT>(0x80040100));

    back->Release();
    identityFromHandler->Release();
    identity->Release();
    target->Release();
    handler->Release();
    clientSite->Release();
}

TEST_F(OleControlSiteTest, PageScriptsReachTheExternalObjectAndScriptErrorsTheSite) {
    const std::string external =
        Page("external.htm", "<script>document.title = window.external.xxyyzz;</script>");
    const std::string broken =
        Page("broken.htm", "<script>missing();</script><script>document.title='on'</script>");
    CTestBrowser browser;
    CreateBrowser(browser);
    browser.Navigate(external.c_str());
    PumpUntilIdle();
    EXPECT_EQ(host.Of("TitleChange").back(), "TitleChange Wibble");
    EXPECT_EQ(siteLog.external, 1);
    EXPECT_EQ(siteLog.scriptErrors, 0);
    browser.Navigate(broken.c_str());
    PumpUntilIdle();
    EXPECT_EQ(siteLog.scriptErrors, 1);
    EXPECT_EQ(host.Of("TitleChange").back(), "TitleChange on");
}

TEST_F(OleControlSiteTest, PropertiesAndMethodsGoByDispatchId) {
    CTestBrowser browser;
    CreateBrowser(browser);
    BOOL silent = TRUE;
    browser.GetProperty(DISPID_SILENT, VT_BOOL, &silent);
    EXPECT_FALSE(silent);
    browser.SetProperty(DISPID_SILENT, VT_BOOL, TRUE);
    browser.GetProperty(DISPID_SILENT, VT_BOOL, &silent);
    EXPECT_TRUE(silent);

    const std::string path = Page("page.htm", "<title>P</title>");
    browser.Navigate(path.c_str());
    PumpUntilIdle();
    EXPECT_EQ(std::string(browser.GetLocationURL()), Address("page.htm"));

    SCODE failure = S_OK;
    try {
        browser.InvokeHelper(12345, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
    } catch (COleException* error) {
        failure = error->m_sc;
        error->Delete();
    }
    EXPECT_EQ(failure, DISP_E_MEMBERNOTFOUND);
}

TEST_F(OleControlSiteTest, WindowThatIsNoControlIgnoresDispatchCalls) {
    CWnd plain;
    ASSERT_TRUE(plain.Create(nullptr, "", WS_CHILD, RECT{0, 0, 10, 10}, &host, 5));
    LONG value = 7;
    plain.InvokeHelper(DISPID_LOCATIONURL, DISPATCH_PROPERTYGET, VT_I4, &value, nullptr);
    plain.GetProperty(DISPID_SILENT, VT_I4, &value);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(plain.GetControlUnknown(), nullptr);
    EXPECT_EQ(COleControlSite::FromHandle(plain.m_hWnd), nullptr);
}

TEST_F(OleControlSiteTest, DestroyingTheControlWindowEndsTheSiteOnce) {
    CTestBrowser first;
    CTestBrowser second;
    CreateBrowser(first);
    CreateBrowser(second, 1002);
    HWND window = first.m_hWnd;
    COleControlContainer* container = COleControlContainer::FromHandle(host.m_hWnd, FALSE);
    EXPECT_TRUE(first.DestroyWindow());
    EXPECT_EQ(first.m_hWnd, nullptr);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(COleControlSite::FromHandle(window), nullptr);
    EXPECT_EQ(siteLog.destroyed, 1);
    EXPECT_EQ(COleControlContainer::FromHandle(host.m_hWnd, FALSE), container);
    EXPECT_EQ(container->GetSites().size(), 1u);
    EXPECT_EQ(container->FindItem(1002), COleControlSite::FromHandle(second.m_hWnd));
    // The last control takes the container with it; the host stays.
    second.DestroyWindow();
    EXPECT_EQ(siteLog.destroyed, 2);
    EXPECT_EQ(COleControlContainer::FromHandle(host.m_hWnd, FALSE), nullptr);
    EXPECT_TRUE(::IsWindow(host.m_hWnd));
}

TEST_F(OleControlSiteTest, DestroyingTheParentEndsItsControlsAndDetachesTheirObjects) {
    CTestBrowser browser;
    CreateBrowser(browser);
    const std::string path = Page("page.htm", "<title>P</title>");
    browser.Navigate(path.c_str());
    host.DestroyWindow();
    EXPECT_EQ(browser.m_hWnd, nullptr);
    EXPECT_EQ(siteLog.destroyed, 1);
    // A load still waiting finds no site and no window.
    PumpUntilIdle();
    EXPECT_EQ(siteLog.destroyed, 1);
    EXPECT_TRUE(host.Of("DocumentComplete").empty());
}

TEST_F(OleControlSiteTest, AnInterfaceHeldOutsideKeepsTheSiteUntilItsRelease) {
    CTestBrowser browser;
    CreateBrowser(browser);
    IOleClientSite* clientSite = ClientSiteOf(browser);
    auto* handler = Query<IDocHostUIHandler>(clientSite);
    clientSite->Release();
    browser.DestroyWindow();
    EXPECT_EQ(siteLog.destroyed, 0);
    DOCHOSTUIINFO info{};
    EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(handler->Release(), 0u);
    EXPECT_EQ(siteLog.destroyed, 1);
}

// A dialog template naming the control by class id, as the page template does.
DialogTemplate PageTemplate(DWORD controlStyle) {
    DialogTemplate page;
    page.style = WS_CHILD | WS_VISIBLE;
    page.cx = 200;
    page.cy = 150;
    DialogControl browser;
    browser.id = 1001;
    browser.className = "{8856F961-340A-11D0-A96B-00C04FD705A2}";
    browser.style = controlStyle;
    browser.cx = 200;
    browser.cy = 150;
    page.controls = {browser};
    return page;
}

INT_PTR CALLBACK PageProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

TEST_F(OleControlSiteTest, DialogTemplateControlIsHostedInAPlainDialog) {
    HWND dialog = CreateDialogFromTemplate(nullptr, PageTemplate(WS_VISIBLE | WS_TABSTOP), {},
                                           host.m_hWnd, &PageProcedure, 0);
    ASSERT_NE(dialog, nullptr);
    HWND control = ::GetDlgItem(dialog, 1001);
    ASSERT_NE(control, nullptr);
    char className[32] = {};
    ::GetClassNameA(control, className, sizeof className);
    EXPECT_STREQ(className, "Shell Embedding");
    EXPECT_TRUE(::IsWindowVisible(control));
    RECT rect{};
    ::GetClientRect(control, &rect);
    RECT expected{0, 0, 200, 150};
    ::MapDialogRect(dialog, &expected);
    EXPECT_EQ(rect.right, expected.right);
    EXPECT_EQ(rect.bottom, expected.bottom);
    EXPECT_EQ(siteLog.hostInfo, 1);
    EXPECT_EQ(COleControlContainer::FromHandle(dialog, FALSE)->FindItem(1001),
              COleControlSite::FromHandle(control));
    ::DestroyWindow(dialog);
    EXPECT_FALSE(::IsWindow(control));
    EXPECT_EQ(siteLog.destroyed, 1);
    EXPECT_EQ(COleControlContainer::FromHandle(dialog, FALSE), nullptr);
}

// A browser tab as the programs write one: a child dialog whose template holds the control, bound
// to a wrapper by data exchange, with the control's events in its sink map.
class CTestPageDlg : public CDialog {
public:
    CTestPageDlg() : CDialog(IDD_BROWSER_PAGE) {}

    CTestBrowser m_browser;
    std::vector<std::string> events;
    std::string blocked;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_BROWSER, m_browser);
    }
    void OnBeforeNavigate2(LPDISPATCH, VARIANT* URL, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                           BOOL* Cancel) {
        const std::string url = platform::webcontrol::Utf8FromVariant(URL);
        events.push_back("BeforeNavigate2 " + url);
        *Cancel = url == blocked;
    }
    void OnDocumentComplete(LPDISPATCH, VARIANT*) {
        events.push_back("DocumentComplete " + std::string(m_browser.GetLocationURL()));
    }
    void OnTitleChange(LPCSTR Text) { events.push_back("TitleChange " + std::string(Text)); }

    DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(CTestPageDlg, CDialog)
ON_EVENT(CTestPageDlg, IDC_BROWSER, DISPID_BEFORENAVIGATE2, OnBeforeNavigate2,
         VTS_DISPATCH VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PBOOL)
ON_EVENT(CTestPageDlg, IDC_BROWSER, DISPID_TITLECHANGE, OnTitleChange, VTS_BSTR)
ON_EVENT(CTestPageDlg, IDC_BROWSER, DISPID_DOCUMENTCOMPLETE, OnDocumentComplete,
         VTS_DISPATCH VTS_PVARIANT)
END_EVENTSINK_MAP()

TEST_F(OleControlSiteTest, PageDialogHostsTheBrowserThroughTheProgramsSite) {
    const std::string page = Page("page.htm",
                                  "<title>Page</title><script>document.title = "
                                  "window.external.xxyyzz; missing();</script>");
    const std::string blocked = Page("blocked.htm", "<title>Blocked</title>");
    CTestPageDlg dialog;
    dialog.blocked = blocked;
    ASSERT_TRUE(dialog.Create(IDD_BROWSER_PAGE, &host));
    HWND control = dialog.GetDlgItem(IDC_BROWSER)->m_hWnd;
    ASSERT_EQ(dialog.m_browser.m_hWnd, control);
    EXPECT_EQ(siteLog.hostInfo, 1);

    dialog.m_browser.Navigate(page.c_str());
    PumpUntilIdle();
    dialog.m_browser.Navigate(blocked.c_str());
    PumpUntilIdle();
    EXPECT_THAT(
        dialog.events,
        ElementsAre("BeforeNavigate2 " + page, "TitleChange Wibble", "TitleChange Wibble",
                    "DocumentComplete " + Address("page.htm"), "BeforeNavigate2 " + blocked));
    EXPECT_EQ(siteLog.external, 1);
    EXPECT_EQ(siteLog.scriptErrors, 1);
    EXPECT_EQ(std::string(dialog.m_browser.GetLocationURL()), Address("page.htm"));
    EXPECT_TRUE(host.events.empty());

    dialog.DestroyWindow();
    EXPECT_FALSE(::IsWindow(control));
    EXPECT_EQ(dialog.m_browser.m_hWnd, nullptr);
    EXPECT_EQ(siteLog.destroyed, 1);
}

TEST_F(OleControlSiteTest, DialogWithAnUnknownClassIdFails) {
    DialogTemplate page = PageTemplate(WS_VISIBLE);
    page.controls[0].className = "{00000000-0000-0000-0000-0000000000AB}";
    EXPECT_EQ(CreateDialogFromTemplate(nullptr, page, {}, host.m_hWnd, &PageProcedure, 0), nullptr);
    page.controls[0].className = "{not a class id}";
    EXPECT_EQ(CreateDialogFromTemplate(nullptr, page, {}, host.m_hWnd, &PageProcedure, 0), nullptr);
    EXPECT_EQ(siteLog.created, 1);
    EXPECT_EQ(siteLog.destroyed, 1);
    EXPECT_EQ(::GetWindow(host.m_hWnd, GW_CHILD), nullptr);
}

}  // namespace
}  // namespace platform::testing
