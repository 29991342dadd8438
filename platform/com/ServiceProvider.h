// Reaches a service an object offers on behalf of another (the browser's travel log, for one).
#pragma once

#include "platform/com/Unknown.h"

DEFINE_GUID(IID_IServiceProvider, 0x6D5140C1, 0x7436, 0x11CE, 0x80, 0x34, 0x00, 0xAA, 0x00, 0x60,
            0x09, 0xFA);

struct IServiceProvider : IUnknown {
    static constexpr const IID& kIid = IID_IServiceProvider;
    using Base = IUnknown;

    virtual HRESULT QueryService(REFGUID service, REFIID iid, void** object) = 0;

protected:
    ~IServiceProvider() = default;
};
