// The root interface of every object: identity and lifetime. Interfaces are abstract classes with
// the original methods in the original order; each names its identifier as `kIid`, which the
// helper templates (ComObject, _com_ptr_t) read. A derived interface names the one it extends as
// `Base`, so that an object answers for the whole chain.
#pragma once

#include "platform/com/Guid.h"
#include "platform/com/HResult.h"

#define STDMETHODCALLTYPE
#define STDMETHOD(method) virtual HRESULT method
#define STDMETHOD_(type, method) virtual type method
#define STDMETHODIMP HRESULT
#define STDMETHODIMP_(type) type
#define PURE = 0

DEFINE_GUID(IID_IUnknown, 0x00000000, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
            0x46);

struct IUnknown {
    static constexpr const IID& kIid = IID_IUnknown;

    // On success the object hands out an added reference; on failure `*object` is null.
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    // Both return the new count.
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    // Objects end through Release, never through delete on an interface.
    ~IUnknown() = default;
};

using LPUNKNOWN = IUnknown*;
