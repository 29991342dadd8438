// The common part of the object model's COM objects: reference counting and QueryInterface from
// ComObject, and an IDispatch that offers no members by name. Programs call these objects through
// their C++ interfaces; page scripts reach the same document through the script engine instead.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"

namespace platform::webcontrol {

template <typename... Interfaces>
class HtmlObject : public ComObject<Interfaces...> {
public:
    HRESULT GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo) override {
        if (typeInfo != nullptr) {
            *typeInfo = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT nameCount, LCID, DISPID* ids) override {
        for (UINT i = 0; ids != nullptr && i < nameCount; ++i) {
            ids[i] = DISPID_UNKNOWN;
        }
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
};

}  // namespace platform::webcontrol
