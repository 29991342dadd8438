// Result codes of the component object model and of automation, with the values of the original
// platform; the most common ones (S_OK, E_FAIL, ...) come with the base types.
#pragma once

#include "platform/base/WinTypes.h"

using SCODE = LONG;

#define SEVERITY_SUCCESS 0
#define SEVERITY_ERROR 1
#define FACILITY_NULL 0
#define FACILITY_RPC 1
#define FACILITY_DISPATCH 2
#define FACILITY_STORAGE 3
#define FACILITY_ITF 4
#define FACILITY_WIN32 7

#define MAKE_HRESULT(severity, facility, code)                                         \
    ((HRESULT)(((unsigned long)(severity) << 31) | ((unsigned long)(facility) << 16) | \
               ((unsigned long)(code))))
#define MAKE_SCODE(severity, facility, code) MAKE_HRESULT(severity, facility, code)
#define HRESULT_CODE(hr) ((hr)&0xFFFF)
#define HRESULT_FACILITY(hr) (((hr) >> 16) & 0x1FFF)
#define HRESULT_SEVERITY(hr) (((hr) >> 31) & 0x1)
#define SCODE_CODE(sc) HRESULT_CODE(sc)
#define IS_ERROR(status) ((unsigned long)(status) >> 31 == SEVERITY_ERROR)

// Win32 error numbers keep 0 (and anything already negative) as it is.
constexpr HRESULT HRESULT_FROM_WIN32(unsigned long error) {
    return static_cast<HRESULT>(error) <= 0
               ? static_cast<HRESULT>(error)
               : static_cast<HRESULT>((error & 0x0000FFFF) | (FACILITY_WIN32 << 16) | 0x80000000);
}

#define NOERROR S_OK
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#define E_ABORT ((HRESULT)0x80004004L)
#define E_ACCESSDENIED ((HRESULT)0x80070005L)
#define E_HANDLE ((HRESULT)0x80070006L)

#define RPC_E_CHANGED_MODE ((HRESULT)0x80010106L)
#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0L)
#define CO_E_CLASSSTRING ((HRESULT)0x800401F3L)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)
#define CLASS_E_CLASSNOTAVAILABLE ((HRESULT)0x80040111L)

#define DISP_E_UNKNOWNINTERFACE ((HRESULT)0x80020001L)
#define DISP_E_MEMBERNOTFOUND ((HRESULT)0x80020003L)
#define DISP_E_PARAMNOTFOUND ((HRESULT)0x80020004L)
#define DISP_E_TYPEMISMATCH ((HRESULT)0x80020005L)
#define DISP_E_UNKNOWNNAME ((HRESULT)0x80020006L)
#define DISP_E_NONAMEDARGS ((HRESULT)0x80020007L)
#define DISP_E_BADVARTYPE ((HRESULT)0x80020008L)
#define DISP_E_EXCEPTION ((HRESULT)0x80020009L)
#define DISP_E_OVERFLOW ((HRESULT)0x8002000AL)
#define DISP_E_BADINDEX ((HRESULT)0x8002000BL)
#define DISP_E_ARRAYISLOCKED ((HRESULT)0x8002000DL)
#define DISP_E_BADPARAMCOUNT ((HRESULT)0x8002000EL)
#define DISP_E_PARAMNOTOPTIONAL ((HRESULT)0x8002000FL)

#define OLECMDERR_E_FIRST ((HRESULT)0x80040100L)
#define OLECMDERR_E_NOTSUPPORTED OLECMDERR_E_FIRST
#define OLECMDERR_E_DISABLED ((HRESULT)0x80040101L)
#define OLECMDERR_E_NOHELP ((HRESULT)0x80040102L)
#define OLECMDERR_E_CANCELED ((HRESULT)0x80040103L)
#define OLECMDERR_E_UNKNOWNGROUP ((HRESULT)0x80040104L)

// Interface-specific codes from here on carry an automation error number ("wCode") of their own.
#define WCODE_HRESULT_FIRST MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x200)
#define WCODE_HRESULT_LAST (MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF + 1, 0) - 1)

namespace platform {

// The system's message text for a code, as FormatMessage gives it on an English system without
// the trailing line break; empty for a code it has no text for.
const char* ComErrorText(HRESULT result);

}  // namespace platform
