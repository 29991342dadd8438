// Test support: a control site with the host interfaces a browser container offers, an external
// object, an event sink that writes every event as one line of text, and a fixture that hosts a
// browser control in a window the way a control container does.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/com/ComObject.h"
#include "platform/com/ComRuntime.h"
#include "platform/com/ConnectionPoints.h"
#include "platform/com/OleCommandTarget.h"
#include "platform/com/ServiceProvider.h"
#include "platform/files/PathResolution.h"
#include "platform/testing/TempFolder.h"
#include "platform/text/Encoding.h"
#include "platform/webcontrol/AutomationText.h"
#include "platform/webcontrol/DocHostUIHandler.h"
#include "platform/webcontrol/OleControl.h"
#include "platform/webcontrol/TravelLogInterfaces.h"
#include "platform/webcontrol/WebBrowserInterface.h"
#include "platform/webcontrol/WebControlClasses.h"
#include "platform/windows/WindowTest.h"

namespace platform::testing {

// The browser's external object: one member, "xxyyzz" (id 12345), that reads "Wibble".
class TestExternal final : public ComObject<IDispatch> {
public:
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = std::u16string_view(names[i]) == u"xxyyzz" ? 12345 : DISPID_UNKNOWN;
            if (ids[i] == DISPID_UNKNOWN) {
                result = DISP_E_UNKNOWNNAME;
            }
        }
        return result;
    }
    HRESULT Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                   EXCEPINFO*, UINT*) override {
        if (member == 12345 && (flags & DISPATCH_PROPERTYGET) != 0 && result != nullptr) {
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(u"Wibble");
        }
        return S_OK;
    }
};

class TestSite final
    : public ComObject<IOleClientSite, IDocHostUIHandler, IOleCommandTarget, IServiceProvider> {
public:
    struct Command {
        GUID group;
        DWORD id;
        bool hadInput;
    };

    TestSite() : external(new TestExternal) {}

    int hostInfoCalls = 0;
    int externalCalls = 0;
    int contextMenus = 0;
    POINT contextMenuPoint{};
    std::vector<Command> commands;
    TestExternal* external;

    HRESULT SaveObject() override { return S_OK; }
    HRESULT GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        *moniker = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetContainer(IOleContainer** container) override {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT ShowObject() override { return S_OK; }
    HRESULT OnShowWindow(BOOL) override { return S_OK; }
    HRESULT RequestNewObjectLayout() override { return E_NOTIMPL; }

    HRESULT ShowContextMenu(DWORD, POINT* point, IUnknown*, IDispatch*) override {
        ++contextMenus;
        contextMenuPoint = *point;
        return E_NOTIMPL;
    }
    HRESULT GetHostInfo(DOCHOSTUIINFO* info) override {
        ++hostInfoCalls;
        info->dwFlags = DOCHOSTUIFLAG_ENABLE_FORMS_AUTOCOMPLETE;
        info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        return S_OK;
    }
    HRESULT ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                   IOleInPlaceUIWindow*) override {
        return S_OK;
    }
    HRESULT HideUI() override { return S_OK; }
    HRESULT UpdateUI() override { return S_OK; }
    HRESULT EnableModeless(BOOL) override { return E_NOTIMPL; }
    HRESULT OnDocWindowActivate(BOOL) override { return E_NOTIMPL; }
    HRESULT OnFrameWindowActivate(BOOL) override { return E_NOTIMPL; }
    HRESULT ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return E_NOTIMPL; }
    HRESULT TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
    HRESULT GetOptionKeyPath(LPOLESTR*, DWORD) override { return E_NOTIMPL; }
    HRESULT GetDropTarget(IDropTarget*, IDropTarget** target) override {
        *target = nullptr;
        return S_OK;
    }
    HRESULT GetExternal(IDispatch** object) override {
        ++externalCalls;
        external->AddRef();
        *object = external;
        return S_OK;
    }
    HRESULT TranslateUrl(DWORD, OLECHAR*, OLECHAR** translated) override {
        *translated = nullptr;
        return E_NOTIMPL;
    }
    HRESULT FilterDataObject(IDataObject*, IDataObject** filtered) override {
        *filtered = nullptr;
        return E_NOTIMPL;
    }

    HRESULT QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) override {
        return OLECMDERR_E_NOTSUPPORTED;
    }
    HRESULT Exec(const GUID* group, DWORD id, DWORD, VARIANT* input, VARIANT*) override {
        commands.push_back({group != nullptr ? *group : GUID_NULL, id,
                            input != nullptr && input->vt == VT_DISPATCH});
        bool scriptError = group != nullptr && IsEqualGUID(*group, CGID_DocHostCommandHandler) &&
                           id == OLECMDID_SHOWSCRIPTERROR;
        return scriptError ? S_OK : OLECMDERR_E_NOTSUPPORTED;
    }

    HRESULT QueryService(REFGUID, REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }

private:
    ~TestSite() override { external->Release(); }
};

// Writes each event as a line: "BeforeNavigate2 top file:///...", "StatusTextChange qrplay:1:x".
// `top` tells the top control's events from its frames'.
class EventSink final : public ComObject<IDispatch> {
public:
    std::vector<std::string> events;
    IDispatch* top = nullptr;
    // Called after recording, with the event's parameters, to answer (Cancel, ppDisp).
    std::function<void(DISPID, DISPPARAMS*)> answer;

    // Only the lines that start with `prefix`.
    std::vector<std::string> Of(const std::string& prefix) const {
        std::vector<std::string> picked;
        for (const std::string& line : events) {
            if (line.starts_with(prefix)) {
                picked.push_back(line);
            }
        }
        return picked;
    }

    // A sink answers for the event interface it implements through IDispatch.
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
            return ComObject::QueryInterface(IID_IDispatch, object);
        }
        return ComObject::QueryInterface(iid, object);
    }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                   UINT*) override {
        VARIANT* arguments = parameters->rgvarg;
        auto text = [&](UINT index) { return webcontrol::Utf8FromVariant(&arguments[index]); };
        auto who = [&](UINT index) {
            return std::string(arguments[index].pdispVal == top ? "top " : "frame ");
        };
        switch (member) {
            case DISPID_BEFORENAVIGATE2:
                events.push_back("BeforeNavigate2 " + who(6) + text(5));
                break;
            case DISPID_NAVIGATECOMPLETE2:
                events.push_back("NavigateComplete2 " + who(1) + text(0));
                break;
            case DISPID_DOCUMENTCOMPLETE:
                events.push_back("DocumentComplete " + who(1) + text(0));
                break;
            case DISPID_NEWWINDOW2:
                events.push_back("NewWindow2");
                break;
            case DISPID_NAVIGATEERROR:
                events.push_back("NavigateError " + who(4) + text(3) + " " + text(1));
                break;
            case DISPID_TITLECHANGE:
                events.push_back("TitleChange " + text(0));
                break;
            case DISPID_STATUSTEXTCHANGE:
                events.push_back("StatusTextChange " + text(0));
                break;
            case DISPID_PROGRESSCHANGE:
                events.push_back("ProgressChange " + text(1) + "/" + text(0));
                break;
            case DISPID_DOWNLOADBEGIN:
                events.push_back("DownloadBegin");
                break;
            case DISPID_DOWNLOADCOMPLETE:
                events.push_back("DownloadComplete");
                break;
            case DISPID_WINDOWCLOSING:
                events.push_back("WindowClosing");
                break;
            case DISPID_COMMANDSTATECHANGE:
                events.push_back("CommandStateChange " + text(1) + " " +
                                 (arguments[0].boolVal != VARIANT_FALSE ? "on" : "off"));
                break;
            default:
                events.push_back("event " + std::to_string(member));
                break;
        }
        if (answer) {
            answer(member, parameters);
        }
        return S_OK;
    }
};

// One browser control hosted in a child window of a test window, with its site and sink.
class HostedBrowser {
public:
    HostedBrowser(HWND parent, RECT position) : site(new TestSite), sink(new EventSink) {
        HRESULT created = CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IWebBrowser2, reinterpret_cast<void**>(&browser));
        EXPECT_EQ(created, S_OK);
        browser->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object));
        object->SetClientSite(site);
        object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, parent, &position);
        IOleWindow* window = nullptr;
        browser->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window));
        window->GetWindow(&hwnd);
        window->Release();
        IConnectionPointContainer* container = nullptr;
        browser->QueryInterface(IID_IConnectionPointContainer,
                                reinterpret_cast<void**>(&container));
        container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point);
        container->Release();
        point->Advise(sink, &cookie);
        sink->top = Application();
        sink->top->Release();
    }
    ~HostedBrowser() {
        point->Unadvise(cookie);
        point->Release();
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        object->Release();
        browser->Release();
        sink->Release();
        site->Release();
    }
    HostedBrowser(const HostedBrowser&) = delete;
    HostedBrowser& operator=(const HostedBrowser&) = delete;

    // As the programs call the control: Invoke by dispatch id with the URL as a BSTR.
    void Navigate(const std::string& url) {
        VARIANT argument;
        VariantInit(&argument);
        argument.vt = VT_BSTR;
        argument.bstrVal = webcontrol::BstrFromUtf8(url);
        DISPPARAMS parameters{&argument, nullptr, 1, 0};
        browser->Invoke(DISPID_NAVIGATE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                        &parameters, nullptr, nullptr, nullptr);
        VariantClear(&argument);
    }
    // A property by dispatch id.
    VARIANT Get(DISPID member) {
        VARIANT result;
        VariantInit(&result);
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        browser->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                        nullptr, nullptr);
        return result;
    }
    std::string LocationUrl() {
        VARIANT url = Get(DISPID_LOCATIONURL);
        std::string text = webcontrol::Utf8FromVariant(&url);
        VariantClear(&url);
        return text;
    }
    // The application object with a reference the caller releases; null when there is none.
    IDispatch* Application() {
        VARIANT application = Get(DISPID_APPLICATION);
        return application.vt == VT_DISPATCH ? application.pdispVal : nullptr;
    }
    // The screen point of a point in the control's window.
    POINT ScreenPoint(int x, int y) const {
        POINT point{x, y};
        ClientToScreen(hwnd, &point);
        return point;
    }
    // A left click at a point in the control's window, and what follows from it.
    void Click(int x, int y) {
        POINT point = ScreenPoint(x, y);
        InjectMouse(MOUSEEVENTF_LEFTDOWN, point);
        InjectMouse(MOUSEEVENTF_LEFTUP, point);
        PumpUntilIdle();
    }

    TestSite* site;
    EventSink* sink;
    IWebBrowser2* browser = nullptr;
    IOleObject* object = nullptr;
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    HWND hwnd = nullptr;
};

class BrowserTest : public platform::testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // Visits must not reach the user's own history.
        setenv("PLATFORM_URL_HISTORY_FILE", (folder.path() / "url-history.dat").c_str(), 1);
        CoInitialize(nullptr);
        webcontrol::RegisterWebControlClasses();
        parent = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 640, 480});
    }
    void TearDown() override {
        DestroyWindow(parent);
        CoUninitialize();
        unsetenv("PLATFORM_URL_HISTORY_FILE");
        WindowTest::TearDown();
    }

    // A hosted control at (10, 20) in the test window, 400 x 300.
    std::unique_ptr<HostedBrowser> Host() {
        return std::make_unique<HostedBrowser>(parent, RECT{10, 20, 410, 320});
    }
    // Writes a page into the temporary folder and gives its Windows path.
    std::string Page(const std::string& name, const std::string& bytes) {
        folder.WriteFile(name, bytes);
        return WindowsPathOf(folder.path() / name).ToString();
    }
    // The file: address the control reports for a page written with Page.
    std::string Address(const std::string& name) {
        std::string path = WindowsPathOf(folder.path() / name).ToString();
        for (char& c : path) {
            if (c == '\\') {
                c = '/';
            }
        }
        return "file:///" + path;
    }

    platform::testing::TempFolder folder;
    HWND parent = nullptr;
};

// The titles of a travel log's entries in `direction`, as the browser reads them (ITravelLogStg).
inline std::vector<std::string> TravelTitles(ITravelLogStg* storage, DWORD direction) {
    IEnumTravelLogEntry* entries = nullptr;
    EXPECT_EQ(storage->EnumEntries(direction, &entries), S_OK);
    std::vector<std::string> titles;
    ITravelLogEntry* entry = nullptr;
    ULONG fetched = 0;
    while (entries->Next(1, &entry, &fetched) == S_OK && fetched == 1) {
        LPOLESTR title = nullptr;
        entry->GetTitle(&title);
        titles.push_back(Utf16ToUtf8(title));
        CoTaskMemFree(title);
        entry->Release();
    }
    entries->Release();
    return titles;
}

}  // namespace platform::testing
