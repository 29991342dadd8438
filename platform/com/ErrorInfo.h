// Rich error information: an object that fails a call may leave a description for the calling
// thread, which the compiler's error class (_com_error) reads.
#pragma once

#include <string_view>

#include "platform/com/Bstr.h"
#include "platform/com/Unknown.h"

DEFINE_GUID(IID_IErrorInfo, 0x1CF2B120, 0x547D, 0x101B, 0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1,
            0x19);
DEFINE_GUID(IID_ISupportErrorInfo, 0xDF0B3D60, 0x548F, 0x101B, 0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B,
            0xD1, 0x19);

struct IErrorInfo : IUnknown {
    static constexpr const IID& kIid = IID_IErrorInfo;
    using Base = IUnknown;

    // The strings are new BSTRs that the caller frees.
    virtual HRESULT GetGUID(GUID* guid) = 0;
    virtual HRESULT GetSource(BSTR* source) = 0;
    virtual HRESULT GetDescription(BSTR* description) = 0;
    virtual HRESULT GetHelpFile(BSTR* helpFile) = 0;
    virtual HRESULT GetHelpContext(DWORD* helpContext) = 0;

protected:
    ~IErrorInfo() = default;
};

// Objects that leave error information say so for each of their interfaces.
struct ISupportErrorInfo : IUnknown {
    static constexpr const IID& kIid = IID_ISupportErrorInfo;
    using Base = IUnknown;

    // S_OK when calls on `iid` leave error information, S_FALSE otherwise.
    virtual HRESULT InterfaceSupportsErrorInfo(REFIID iid) = 0;

protected:
    ~ISupportErrorInfo() = default;
};

// The calling thread's error information: SetErrorInfo replaces it (null clears it), taking a
// reference; GetErrorInfo hands the reference over and clears it, or gives S_FALSE and null when
// there is none.
HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info);
HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** info);

namespace platform {

// A new error information object (one reference, the caller's) with GBK texts.
IErrorInfo* CreateErrorInfo(REFGUID interfaceId, std::string_view source,
                            std::string_view description);

}  // namespace platform
