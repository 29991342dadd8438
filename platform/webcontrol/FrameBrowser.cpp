#include "platform/webcontrol/FrameBrowser.h"

#include "platform/webcontrol/AutomationText.h"
#include "platform/webcontrol/BrowserDispatchNames.h"
#include "platform/webcontrol/WebBrowserInterface.h"

namespace platform::webcontrol {

HRESULT FrameBrowser::GetIDsOfNames(REFIID, LPOLESTR* names, UINT nameCount, LCID, DISPID* ids) {
    return BrowserDispatchIds(names, nameCount, ids);
}

HRESULT FrameBrowser::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                             EXCEPINFO*, UINT*) {
    if ((flags & DISPATCH_PROPERTYGET) == 0) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (result == nullptr) {
        return E_POINTER;
    }
    VariantInit(result);
    web::Page* page = link_->page;
    DocumentOwner* owner = link_->owner;
    switch (member) {
        case DISPID_DOCUMENT:
            result->vt = VT_DISPATCH;
            result->pdispVal =
                page != nullptr && owner != nullptr ? owner->DocumentObject(*page) : nullptr;
            return S_OK;
        case DISPID_APPLICATION:
            result->vt = VT_DISPATCH;
            result->pdispVal = owner != nullptr ? owner->ApplicationObject() : nullptr;
            return result->pdispVal != nullptr ? S_OK : E_FAIL;
        case DISPID_LOCATIONURL:
            result->vt = VT_BSTR;
            return ReturnText(page != nullptr ? page->document().address() : std::string(),
                              &result->bstrVal);
        case DISPID_LOCATIONNAME:
            result->vt = VT_BSTR;
            return ReturnText(page != nullptr ? page->document().Title() : std::string(),
                              &result->bstrVal);
        case DISPID_BUSY:
            result->vt = VT_BOOL;
            result->boolVal = page != nullptr && page->complete() ? VARIANT_FALSE : VARIANT_TRUE;
            return S_OK;
        case DISPID_READYSTATE:
            result->vt = VT_I4;
            result->lVal =
                page != nullptr && page->complete() ? READYSTATE_COMPLETE : READYSTATE_LOADING;
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

}  // namespace platform::webcontrol
