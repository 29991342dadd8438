#include "browser/ExternalDispatch.h"

#include <string_view>

#include "platform/com/Bstr.h"
#include "platform/text/Gbk.h"

HRESULT CExternalDispatch::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (!IsEqualIID(iid, IID_IDispatch)) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG CExternalDispatch::AddRef() {
    return ++m_cRef;
}

ULONG CExternalDispatch::Release() {
    return --m_cRef;
}

HRESULT CExternalDispatch::GetTypeInfoCount(UINT*) {
    return E_NOTIMPL;
}

HRESULT CExternalDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT CExternalDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT nameCount, LCID,
                                         DISPID* ids) {
    if (nameCount > 0 && (names == nullptr || ids == nullptr)) {
        return E_POINTER;
    }
    HRESULT result = S_OK;
    for (UINT i = 0; i < nameCount; ++i) {
        const std::u16string_view name = names[i] != nullptr ? names[i] : u"";
        if (platform::EqualIgnoringWidth(name, u"xxyyzz")) {
            ids[i] = kWibbleId;
        } else {
            ids[i] = DISPID_UNKNOWN;
            result = DISP_E_UNKNOWNNAME;
        }
    }
    return result;
}

HRESULT CExternalDispatch::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*,
                                  VARIANT* result, EXCEPINFO*, UINT*) {
    if (member == kWibbleId && (flags & DISPATCH_PROPERTYGET) != 0 && result != nullptr) {
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(u"Wibble");
    }
    return S_OK;
}
