// The browser as an embedded object: the site it is placed in, its verbs and its place in the
// container's window, its connection points and the services it asks of its site.
#include "platform/webcontrol/WebBrowser.h"

#include "platform/com/ComRuntime.h"
#include "platform/windows/WindowApi.h"

namespace platform::webcontrol {

HRESULT WebBrowser::SetClientSite(IOleClientSite* site) {
    if (site != nullptr) {
        site->AddRef();
    }
    if (site_ != nullptr) {
        site_->Release();
    }
    site_ = site;
    if (external_ != nullptr) {
        external_->Release();
        external_ = nullptr;
    }
    hostFlags_ = 0;
    if (IDocHostUIHandler* handler = SiteInterface<IDocHostUIHandler>()) {
        DOCHOSTUIINFO info{};
        info.cbSize = sizeof info;
        if (SUCCEEDED(handler->GetHostInfo(&info))) {
            hostFlags_ = info.dwFlags;
        }
        CoTaskMemFree(info.pchHostCss);
        CoTaskMemFree(info.pchHostNS);
        handler->Release();
    }
    return S_OK;
}

HRESULT WebBrowser::GetClientSite(IOleClientSite** site) {
    if (site == nullptr) {
        return E_POINTER;
    }
    *site = site_;
    if (site_ != nullptr) {
        site_->AddRef();
    }
    return S_OK;
}

HRESULT WebBrowser::SetHostNames(LPCOLESTR, LPCOLESTR) {
    return S_OK;
}

HRESULT WebBrowser::Close(DWORD) {
    DestroyControlWindow();
    return S_OK;
}

HRESULT WebBrowser::DoVerb(LONG verb, MSG*, IOleClientSite*, LONG, HWND parent, LPCRECT position) {
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_UIACTIVATE:
        case OLEIVERB_INPLACEACTIVATE:
            if (hwnd_ == nullptr) {
                if (parent == nullptr || position == nullptr) {
                    return E_INVALIDARG;
                }
                CreateControlWindow(parent, *position);
                return hwnd_ != nullptr ? S_OK : E_FAIL;
            }
            if (position != nullptr) {
                SetObjectRects(position, nullptr);
            }
            ShowWindow(hwnd_, SW_SHOW);
            return S_OK;
        case OLEIVERB_HIDE:
            if (hwnd_ != nullptr) {
                ShowWindow(hwnd_, SW_HIDE);
            }
            return S_OK;
        default:
            return OLEOBJ_E_INVALIDVERB;
    }
}

HRESULT WebBrowser::GetUserClassID(CLSID* clsid) {
    if (clsid == nullptr) {
        return E_POINTER;
    }
    *clsid = CLSID_WebBrowser;
    return S_OK;
}

HRESULT WebBrowser::GetMiscStatus(DWORD, DWORD* status) {
    if (status == nullptr) {
        return E_POINTER;
    }
    *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
              OLEMISC_RECOMPOSEONRESIZE;
    return S_OK;
}

HRESULT WebBrowser::GetWindow(HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = hwnd_;
    return hwnd_ != nullptr ? S_OK : E_FAIL;
}

HRESULT WebBrowser::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT WebBrowser::InPlaceDeactivate() {
    DestroyControlWindow();
    return S_OK;
}

HRESULT WebBrowser::UIDeactivate() {
    return S_OK;
}

HRESULT WebBrowser::SetObjectRects(LPCRECT position, LPCRECT) {
    if (position == nullptr) {
        return E_POINTER;
    }
    if (hwnd_ == nullptr) {
        return OLE_E_NOT_INPLACEACTIVE;
    }
    MoveWindow(hwnd_, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
    return S_OK;
}

HRESULT WebBrowser::ReactivateAndUndo() {
    return E_NOTIMPL;
}

HRESULT WebBrowser::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points != nullptr) {
        *points = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT WebBrowser::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (point == nullptr) {
        return E_POINTER;
    }
    *point = nullptr;
    if (!IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
        return CONNECT_E_NOCONNECTION;
    }
    connectionPoint_.AddRef();
    *point = &connectionPoint_;
    return S_OK;
}

HRESULT WebBrowser::QueryService(REFGUID service, REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (IsEqualGUID(service, SID_STravelLogCursor)) {
        auto* storage = new TravelLogStorage(*this);
        HRESULT result = storage->QueryInterface(iid, object);
        storage->Release();
        return result;
    }
    if (IsEqualGUID(service, IID_IWebBrowser2)) {
        return QueryInterface(iid, object);
    }
    IServiceProvider* provider = SiteInterface<IServiceProvider>();
    if (provider == nullptr) {
        return E_NOINTERFACE;
    }
    HRESULT result = provider->QueryService(service, iid, object);
    provider->Release();
    return result;
}

}  // namespace platform::webcontrol
