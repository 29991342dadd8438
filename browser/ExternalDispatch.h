// The object page scripts reach as window.external. It has one member, "xxyyzz", that reads as
// "Wibble"; pages use it to tell that they run inside this browser.
//
// The application owns the one instance and deletes it at exit; reference counting only counts,
// so that no control releasing its last reference can free it while pages still use it.
#pragma once

#include "platform/com/Dispatch.h"

class CExternalDispatch : public IDispatch {
public:
    // The dispatch id of "xxyyzz".
    static constexpr DISPID kWibbleId = 12345;

    CExternalDispatch() = default;
    virtual ~CExternalDispatch() = default;
    CExternalDispatch(const CExternalDispatch&) = delete;
    CExternalDispatch& operator=(const CExternalDispatch&) = delete;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale,
                          DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    ULONG m_cRef = 0;
};
