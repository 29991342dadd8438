#include "platform/framework/OleControlSite.h"

#include <map>
#include <mutex>

#include "platform/com/ComRuntime.h"
#include "platform/framework/ControlContainer.h"
#include "platform/framework/Wnd.h"
#include "platform/webcontrol/WebBrowserInterface.h"

namespace {

struct SiteTable {
    std::mutex mutex;
    std::map<HWND, COleControlSite*> sites;
};

SiteTable& Sites() {
    static SiteTable table;
    return table;
}

// The interface a control raises its events through, for the control classes the platform
// offers; the controls here do not describe themselves with type information.
const IID* EventInterfaceOf(REFCLSID clsid) {
    if (IsEqualGUID(clsid, CLSID_WebBrowser)) {
        return &DIID_DWebBrowserEvents2;
    }
    return nullptr;
}

template <typename Interface>
Interface* Query(IUnknown* object) {
    Interface* found = nullptr;
    if (object == nullptr ||
        FAILED(object->QueryInterface(Interface::kIid, reinterpret_cast<void**>(&found)))) {
        return nullptr;
    }
    return found;
}

}  // namespace

// The first map: its base is none.
const AFX_INTERFACEMAP COleControlSite::interfaceMap = {nullptr,
                                                        &COleControlSite::_interfaceEntries[0]};
// clang-format off
const AFX_INTERFACEMAP_ENTRY COleControlSite::_interfaceEntries[] = {
    INTERFACE_PART(COleControlSite, IID_IOleClientSite, OleClientSite)
END_INTERFACE_MAP()
    // clang-format on

    const AFX_INTERFACEMAP *
    COleControlSite::GetInterfaceMap() const {return &COleControlSite::interfaceMap;
}

COleControlSite::COleControlSite(COleControlContainer* pCtrlCont) : m_pCtrlCont(pCtrlCont) {}

COleControlSite::~COleControlSite() {
    ReleaseControl();
}

COleControlSite* COleControlSite::FromHandle(HWND hWnd) {
    SiteTable& table = Sites();
    std::lock_guard lock(table.mutex);
    auto found = table.sites.find(hWnd);
    return found != table.sites.end() ? found->second : nullptr;
}

HRESULT COleControlSite::CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCSTR lpszWindowName,
                                       DWORD dwStyle, const RECT& rect, UINT nID) {
    if (m_pObject != nullptr || m_pCtrlCont == nullptr ||
        (pWndCtrl != nullptr && pWndCtrl->m_hWnd != nullptr)) {
        return E_UNEXPECTED;
    }
    if (!platform::IsComInitialized()) {
        CoInitialize(nullptr);
    }
    HRESULT result = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                      reinterpret_cast<void**>(&m_pObject));
    if (FAILED(result)) {
        m_pObject = nullptr;
        return result;
    }
    m_clsid = clsid;
    m_nID = nID;
    IOleClientSite* clientSite = &m_xOleClientSite;
    result = m_pObject->SetClientSite(clientSite);
    if (SUCCEEDED(result)) {
        result = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, clientSite, 0,
                                   m_pCtrlCont->m_hWnd, &rect);
    }
    if (SUCCEEDED(result)) {
        IOleWindow* window = Query<IOleWindow>(m_pObject);
        result = window != nullptr ? window->GetWindow(&m_hWnd) : E_NOINTERFACE;
        if (window != nullptr) {
            window->Release();
        }
    }
    if (FAILED(result) || m_hWnd == nullptr) {
        ReleaseControl();
        m_hWnd = nullptr;
        return FAILED(result) ? result : E_FAIL;
    }

    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    if (lpszWindowName != nullptr) {
        ::SetWindowTextA(m_hWnd, lpszWindowName);
    }
    constexpr DWORD kTakenStyles = WS_TABSTOP | WS_GROUP;
    const auto style = static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
    ::SetWindowLongA(m_hWnd, GWL_STYLE,
                     static_cast<LONG>((style & ~kTakenStyles) | (dwStyle & kTakenStyles)));
    if ((dwStyle & WS_DISABLED) != 0) {
        ::EnableWindow(m_hWnd, FALSE);
    }
    ::ShowWindow(m_hWnd, (dwStyle & WS_VISIBLE) != 0 ? SW_SHOWNA : SW_HIDE);

    if (IDispatch* dispatch = Query<IDispatch>(m_pObject)) {
        m_dispDriver.AttachDispatch(dispatch);
    }
    ConnectEvents();
    {
        SiteTable& table = Sites();
        std::lock_guard lock(table.mutex);
        table.sites[m_hWnd] = this;
    }
    previousProcedure_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&COleControlSite::WatchProcedure)));
    if (pWndCtrl != nullptr && pWndCtrl->SubclassWindow(m_hWnd)) {
        m_pWndCtrl = pWndCtrl;
    }
    return S_OK;
}

BOOL COleControlSite::DestroyControl() {
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK COleControlSite::WatchProcedure(HWND hWnd, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    COleControlSite* site = FromHandle(hWnd);
    if (site == nullptr) {
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    const LRESULT result =
        ::CallWindowProcA(site->previousProcedure_, hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        site->OnControlWindowGone();
    }
    return result;
}

void COleControlSite::OnControlWindowGone() {
    {
        SiteTable& table = Sites();
        std::lock_guard lock(table.mutex);
        table.sites.erase(m_hWnd);
    }
    m_hWnd = nullptr;
    m_pWndCtrl = nullptr;
    ReleaseControl();
    COleControlContainer* container = m_pCtrlCont;
    m_pCtrlCont = nullptr;
    // May end this site.
    container->RemoveSite(this);
}

void COleControlSite::ConnectEvents() {
    const IID* events = EventInterfaceOf(m_clsid);
    auto* points = Query<IConnectionPointContainer>(m_pObject);
    if (events == nullptr || points == nullptr) {
        if (points != nullptr) {
            points->Release();
        }
        return;
    }
    if (SUCCEEDED(points->FindConnectionPoint(*events, &eventPoint_))) {
        eventIid_ = *events;
        if (FAILED(eventPoint_->Advise(&m_xEventSink, &eventCookie_))) {
            eventPoint_->Release();
            eventPoint_ = nullptr;
        }
    } else {
        eventPoint_ = nullptr;
    }
    points->Release();
}

void COleControlSite::DisconnectEvents() {
    if (eventPoint_ != nullptr) {
        IConnectionPoint* point = eventPoint_;
        eventPoint_ = nullptr;
        point->Unadvise(eventCookie_);
        point->Release();
    }
}

void COleControlSite::ReleaseControl() {
    DisconnectEvents();
    m_dispDriver.ReleaseDispatch();
    if (m_pObject != nullptr) {
        IOleObject* object = m_pObject;
        m_pObject = nullptr;
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        object->Release();
    }
}

// Identity and lifetime.

DWORD COleControlSite::ExternalAddRef() {
    return ++m_dwRef;
}

DWORD COleControlSite::ExternalRelease() {
    const ULONG count = --m_dwRef;
    if (count == 0) {
        OnFinalRelease();
    }
    return count;
}

DWORD COleControlSite::ExternalQueryInterface(const void* iid, void** ppvObj) {
    if (ppvObj == nullptr) {
        return static_cast<DWORD>(E_POINTER);
    }
    *ppvObj = nullptr;
    const IID& wanted = *static_cast<const IID*>(iid);
    IUnknown* found = nullptr;
    if (IsEqualIID(wanted, IID_IUnknown)) {
        found = &m_xOleClientSite;
    }
    for (const AFX_INTERFACEMAP* map = GetInterfaceMap(); map != nullptr && found == nullptr;
         map = map->pBaseMap) {
        for (const AFX_INTERFACEMAP_ENTRY* entry = map->pEntry; entry->piid != nullptr; ++entry) {
            if (IsEqualIID(wanted, *entry->piid)) {
                found = entry->pfnGetInterface(this);
                break;
            }
        }
    }
    if (found == nullptr) {
        return static_cast<DWORD>(E_NOINTERFACE);
    }
    found->AddRef();
    *ppvObj = found;
    return S_OK;
}

void COleControlSite::OnFinalRelease() {
    delete this;
}

// IOleClientSite: the control is embedded in place and never saved.

STDMETHODIMP_(ULONG) COleControlSite::XOleClientSite::AddRef() {
    METHOD_PROLOGUE(COleControlSite, OleClientSite)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) COleControlSite::XOleClientSite::Release() {
    METHOD_PROLOGUE(COleControlSite, OleClientSite)
    return pThis->ExternalRelease();
}

STDMETHODIMP COleControlSite::XOleClientSite::QueryInterface(REFIID iid, void** ppvObj) {
    METHOD_PROLOGUE(COleControlSite, OleClientSite)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP COleControlSite::XOleClientSite::SaveObject() {
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::XOleClientSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk) {
    if (ppmk != nullptr) {
        *ppmk = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::XOleClientSite::GetContainer(IOleContainer** ppContainer) {
    if (ppContainer != nullptr) {
        *ppContainer = nullptr;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP COleControlSite::XOleClientSite::ShowObject() {
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleClientSite::OnShowWindow(BOOL) {
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleClientSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

// The event sink: one dispatch interface that answers for the control's event interface.

STDMETHODIMP_(ULONG) COleControlSite::XEventSink::AddRef() {
    METHOD_PROLOGUE(COleControlSite, EventSink)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) COleControlSite::XEventSink::Release() {
    METHOD_PROLOGUE(COleControlSite, EventSink)
    return pThis->ExternalRelease();
}

STDMETHODIMP COleControlSite::XEventSink::QueryInterface(REFIID iid, void** ppvObj) {
    METHOD_PROLOGUE(COleControlSite, EventSink)
    if (ppvObj != nullptr &&
        (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, pThis->eventIid_))) {
        AddRef();
        *ppvObj = static_cast<IDispatch*>(this);
        return S_OK;
    }
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP COleControlSite::XEventSink::GetTypeInfoCount(UINT* pctinfo) {
    if (pctinfo != nullptr) {
        *pctinfo = 0;
    }
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::XEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo != nullptr) {
        *ppTInfo = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::XEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::XEventSink::Invoke(DISPID dispIdMember, REFIID, LCID, WORD,
                                                 DISPPARAMS* pDispParams, VARIANT*, EXCEPINFO*,
                                                 UINT*) {
    METHOD_PROLOGUE(COleControlSite, EventSink)
    if (pThis->m_pCtrlCont == nullptr) {
        return S_OK;
    }
    AFX_EVENT event{dispIdMember, pDispParams, S_OK};
    // The handler may end the control, the site's window and the container; the caller's
    // reference keeps the site.
    pThis->m_pCtrlCont->OnEvent(pThis, &event);
    return event.m_hResult;
}
