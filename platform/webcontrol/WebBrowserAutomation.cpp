#include "platform/webcontrol/WebBrowser.h"

#include "platform/webcontrol/AutomationText.h"
#include "platform/webcontrol/BrowserDispatchNames.h"
#include "platform/webcontrol/HtmlDocumentObject.h"

namespace platform::webcontrol {

namespace {

// The argument at `position` counting from the first, read through VT_BYREF | VT_VARIANT;
// null when the caller passed fewer.
VARIANT* Argument(DISPPARAMS* parameters, UINT position) {
    if (parameters == nullptr || position >= parameters->cArgs || parameters->rgvarg == nullptr) {
        return nullptr;
    }
    VARIANT* value = &parameters->rgvarg[parameters->cArgs - 1 - position];
    if (value->vt == (VT_BYREF | VT_VARIANT)) {
        value = value->pvarVal;
    }
    return value;
}

// The value of a property put, which comes as the named DISPID_PROPERTYPUT argument.
VARIANT* PutValue(DISPPARAMS* parameters) {
    if (parameters == nullptr || parameters->cArgs < 1 || parameters->cNamedArgs != 1 ||
        parameters->rgdispidNamedArgs == nullptr ||
        parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
        return nullptr;
    }
    return &parameters->rgvarg[0];
}

LONG NumberOf(const VARIANT* value) {
    if (value == nullptr) {
        return 0;
    }
    VARIANT number;
    VariantInit(&number);
    return SUCCEEDED(VariantChangeType(&number, value, 0, VT_I4)) ? number.lVal : 0;
}

bool BooleanOf(const VARIANT* value) {
    return NumberOf(value) != 0;
}

}  // namespace

HRESULT WebBrowser::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT WebBrowser::GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo) {
    if (typeInfo != nullptr) {
        *typeInfo = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT WebBrowser::GetIDsOfNames(REFIID, LPOLESTR* names, UINT nameCount, LCID, DISPID* ids) {
    return BrowserDispatchIds(names, nameCount, ids);
}

HRESULT WebBrowser::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                           VARIANT* result, EXCEPINFO*, UINT*) {
    KeepAlive alive(*this);
    VARIANT ignored;
    VariantInit(&ignored);
    VARIANT* out = result != nullptr ? result : &ignored;
    VariantInit(out);
    bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
    HRESULT status = DISP_E_MEMBERNOTFOUND;
    switch (member) {
        case DISPID_GOBACK:
            status = GoBack();
            break;
        case DISPID_GOFORWARD:
            status = GoForward();
            break;
        case DISPID_GOHOME:
            status = GoHome();
            break;
        case DISPID_NAVIGATE:
        case DISPID_NAVIGATE2: {
            VARIANT* url = Argument(parameters, 0);
            if (url == nullptr) {
                return DISP_E_PARAMNOTOPTIONAL;
            }
            status = Navigate2(url, nullptr, nullptr, nullptr, nullptr);
            break;
        }
        case DISPID_REFRESH:
            status = Refresh();
            break;
        case DISPID_REFRESH2:
            status = Refresh2(Argument(parameters, 0));
            break;
        case DISPID_STOP:
            status = Stop();
            break;
        case DISPID_APPLICATION:
        case DISPID_PARENT:
            out->vt = VT_DISPATCH;
            status = get_Application(&out->pdispVal);
            break;
        case DISPID_DOCUMENT:
            out->vt = VT_DISPATCH;
            status = get_Document(&out->pdispVal);
            break;
        case DISPID_LOCATIONNAME:
            out->vt = VT_BSTR;
            status = get_LocationName(&out->bstrVal);
            break;
        case DISPID_LOCATIONURL:
            out->vt = VT_BSTR;
            status = get_LocationURL(&out->bstrVal);
            break;
        case DISPID_BUSY:
            out->vt = VT_BOOL;
            status = get_Busy(&out->boolVal);
            break;
        case DISPID_READYSTATE: {
            READYSTATE state = READYSTATE_UNINITIALIZED;
            status = get_ReadyState(&state);
            out->vt = VT_I4;
            out->lVal = state;
            break;
        }
        case DISPID_QUERYSTATUSWB: {
            OLECMDF commandStatus{};
            status = QueryStatusWB(static_cast<OLECMDID>(NumberOf(Argument(parameters, 0))),
                                   &commandStatus);
            out->vt = VT_I4;
            out->lVal = commandStatus;
            break;
        }
        case DISPID_EXECWB:
            status = ExecWB(static_cast<OLECMDID>(NumberOf(Argument(parameters, 0))),
                            static_cast<OLECMDEXECOPT>(NumberOf(Argument(parameters, 1))),
                            Argument(parameters, 2), Argument(parameters, 3));
            break;
        case DISPID_SILENT:
        case DISPID_REGISTERASBROWSER: {
            bool& setting = member == DISPID_SILENT ? silent_ : registerAsBrowser_;
            if (put) {
                VARIANT* value = PutValue(parameters);
                if (value == nullptr) {
                    return DISP_E_PARAMNOTOPTIONAL;
                }
                setting = BooleanOf(value);
            } else {
                out->vt = VT_BOOL;
                out->boolVal = setting ? VARIANT_TRUE : VARIANT_FALSE;
            }
            status = S_OK;
            break;
        }
        default:
            break;
    }
    VariantClear(&ignored);
    return status;
}

HRESULT WebBrowser::GoBack() {
    if (engine_ != nullptr) {
        if (!canGoBack_) {
            return E_FAIL;
        }
        engine_->Travel(-1);
        return S_OK;
    }
    std::optional<TravelLog::Entry> entry = history_.Relative(-1);
    return entry ? TravelToEntry(entry->id) : E_FAIL;
}

HRESULT WebBrowser::GoForward() {
    if (engine_ != nullptr) {
        if (!canGoForward_) {
            return E_FAIL;
        }
        engine_->Travel(1);
        return S_OK;
    }
    std::optional<TravelLog::Entry> entry = history_.Relative(1);
    return entry ? TravelToEntry(entry->id) : E_FAIL;
}

HRESULT WebBrowser::GoHome() {
    return StartNavigation("about:blank", nullptr, std::nullopt);
}

HRESULT WebBrowser::Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
    return StartNavigation(Utf8FromBstr(url), nullptr, std::nullopt);
}

HRESULT WebBrowser::Navigate2(VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
    if (url == nullptr) {
        return E_INVALIDARG;
    }
    return StartNavigation(Utf8FromVariant(url), nullptr, std::nullopt);
}

HRESULT WebBrowser::Refresh() {
    if (!hasDocument_) {
        return S_OK;
    }
    pending_.push_back({location_, nullptr, std::nullopt, true});
    Schedule();
    return S_OK;
}

HRESULT WebBrowser::Refresh2(VARIANT*) {
    return Refresh();
}

HRESULT WebBrowser::Stop() {
    pending_.clear();
    busy_ = false;
    if (engine_ != nullptr) {
        engine_->Stop();
    }
    return S_OK;
}

HRESULT WebBrowser::get_Application(IDispatch** application) {
    if (application == nullptr) {
        return E_POINTER;
    }
    *application = ApplicationObject();
    return *application != nullptr ? S_OK : E_FAIL;
}

HRESULT WebBrowser::get_Document(IDispatch** document) {
    if (document == nullptr) {
        return E_POINTER;
    }
    *document = nullptr;
    if (page_ == nullptr || !hasDocument_) {
        return S_FALSE;
    }
    *document = DocumentObject(*page_);
    return *document != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT WebBrowser::get_LocationName(BSTR* name) {
    return ReturnText(title_, name);
}

HRESULT WebBrowser::get_LocationURL(BSTR* url) {
    return ReturnText(location_, url);
}

HRESULT WebBrowser::get_Busy(VARIANT_BOOL* busy) {
    if (busy == nullptr) {
        return E_POINTER;
    }
    *busy = busy_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT WebBrowser::get_ReadyState(READYSTATE* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    if (busy_) {
        *state = READYSTATE_LOADING;
    } else {
        *state = hasDocument_ ? READYSTATE_COMPLETE : READYSTATE_UNINITIALIZED;
    }
    return S_OK;
}

HRESULT WebBrowser::get_Silent(VARIANT_BOOL* silent) {
    if (silent == nullptr) {
        return E_POINTER;
    }
    *silent = silent_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT WebBrowser::put_Silent(VARIANT_BOOL silent) {
    silent_ = silent != VARIANT_FALSE;
    return S_OK;
}

HRESULT WebBrowser::get_RegisterAsBrowser(VARIANT_BOOL* registered) {
    if (registered == nullptr) {
        return E_POINTER;
    }
    *registered = registerAsBrowser_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT WebBrowser::put_RegisterAsBrowser(VARIANT_BOOL registered) {
    registerAsBrowser_ = registered != VARIANT_FALSE;
    return S_OK;
}

}  // namespace platform::webcontrol
