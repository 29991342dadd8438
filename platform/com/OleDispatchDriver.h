// The framework's client for automation objects: calls members by dispatch id, describing the
// parameters with a VTS_ string and receiving the result as a C++ value of the VT_ type asked for.
// Arguments are passed to the object from the last to the first, as the framework does; a
// property put passes its value as the named argument DISPID_PROPERTYPUT.
#pragma once

#include <initializer_list>

#include "platform/com/DispatchArgument.h"
#include "platform/com/OleException.h"

// Parameter codes, one byte per parameter. VTS_BSTR takes GBK text (const char*), VTS_WBSTR
// UTF-16 text; VTS_P* take the address the object writes to.
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_CY "\x06"
#define VTS_DATE "\x07"
#define VTS_WBSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_BSTR "\x0E"
#define VTS_I1 "\x10"
#define VTS_UI1 "\x11"
#define VTS_UI2 "\x12"
#define VTS_UI4 "\x13"
#define VTS_I8 "\x14"
#define VTS_UI8 "\x15"
#define VTS_PI2 "\x42"
#define VTS_PI4 "\x43"
#define VTS_PR4 "\x44"
#define VTS_PR8 "\x45"
#define VTS_PCY "\x46"
#define VTS_PDATE "\x47"
#define VTS_PBSTR "\x48"
#define VTS_PDISPATCH "\x49"
#define VTS_PSCODE "\x4A"
#define VTS_PBOOL "\x4B"
#define VTS_PVARIANT "\x4C"
#define VTS_PUNKNOWN "\x4D"
#define VTS_PUI1 "\x51"
#define VTS_PUI2 "\x52"
#define VTS_PUI4 "\x53"
#define VTS_PI8 "\x54"
#define VTS_PUI8 "\x55"

class COleDispatchDriver {
public:
    COleDispatchDriver() = default;
    explicit COleDispatchDriver(LPDISPATCH dispatch, BOOL autoRelease = TRUE);
    // Shares the object with an added reference of its own.
    COleDispatchDriver(const COleDispatchDriver& other);
    const COleDispatchDriver& operator=(const COleDispatchDriver& other);
    ~COleDispatchDriver();

    // Creates an object of the class and holds its IDispatch; FALSE (with the code in `error`)
    // when that fails.
    BOOL CreateDispatch(REFCLSID clsid, COleException* error = nullptr);
    // Releases what the driver held and holds `dispatch`, released at the end when autoRelease.
    void AttachDispatch(LPDISPATCH dispatch, BOOL autoRelease = TRUE);
    // Hands the held object over to the caller.
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();
    operator LPDISPATCH() { return m_lpDispatch; }

    // Calls `member`. `result` receives the return value converted to `returnType`: a LONG for
    // VT_I4, a BOOL for VT_BOOL, a CString (GBK) for VT_BSTR, an added reference for VT_DISPATCH
    // and VT_UNKNOWN, an initialised VARIANT (cleared first) for VT_VARIANT; nothing for
    // VT_EMPTY. Without an object nothing happens. A failed call throws COleException*, an
    // exception inside the object COleDispatchException*; arguments that do not match their
    // codes in number or kind throw COleException* (DISP_E_BADPARAMCOUNT, DISP_E_TYPEMISMATCH)
    // before any call.
    template <typename... Arguments>
    void InvokeHelper(DISPID member, WORD flags, VARTYPE returnType, void* result,
                      const BYTE* parameterCodes, Arguments&&... arguments) {
        InvokeWith(member, flags, returnType, result, parameterCodes,
                   {platform::DispatchArgument(arguments)...});
    }
    // A property put (a put by reference for objects).
    template <typename Argument>
    void SetProperty(DISPID member, VARTYPE type, Argument&& argument) {
        const BYTE codes[2] = {static_cast<BYTE>(type == VT_BSTR ? 0x0E : type), 0};
        const WORD flags = (type == VT_DISPATCH || type == VT_UNKNOWN) ? DISPATCH_PROPERTYPUTREF
                                                                       : DISPATCH_PROPERTYPUT;
        InvokeHelper(member, flags, VT_EMPTY, nullptr, codes, argument);
    }
    void GetProperty(DISPID member, VARTYPE type, void* value) const;

    LPDISPATCH m_lpDispatch = nullptr;
    BOOL m_bAutoRelease = TRUE;

private:
    void InvokeWith(DISPID member, WORD flags, VARTYPE returnType, void* result,
                    const BYTE* parameterCodes,
                    std::initializer_list<platform::DispatchArgument> arguments) const;
};
