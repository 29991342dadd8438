// The automation value: a type tag and a union, with the original layout and tags. A VARIANT owns
// what it holds (a BSTR, an interface reference, an array) unless it holds it by reference
// (VT_BYREF); VariantClear gives the owned value back.
#pragma once

#include "platform/com/Bstr.h"
#include "platform/com/HResult.h"

struct IUnknown;
struct IDispatch;
struct SAFEARRAY;

using VARTYPE = USHORT;
using VARIANT_BOOL = SHORT;
using DATE = double;
using FLOAT = float;
using DOUBLE = double;
using LCID = DWORD;

#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_VOID = 24,
    VT_HRESULT = 25,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

// VariantChangeType flags.
#define VARIANT_NOVALUEPROP 0x01
#define VARIANT_ALPHABOOL 0x02
#define VARIANT_NOUSEROVERRIDE 0x04
#define VARIANT_LOCALBOOL 0x10

// Currency: a count of ten-thousandths.
union CY {
    struct {
        ULONG Lo;
        LONG Hi;
    };
    LONGLONG int64;
};

struct DECIMAL {
    USHORT wReserved;
    BYTE scale;
    BYTE sign;
    ULONG Hi32;
    ULONGLONG Lo64;
};

struct VARIANT {
    union {
        struct {
            VARTYPE vt;
            WORD wReserved1;
            WORD wReserved2;
            WORD wReserved3;
            union {
                LONGLONG llVal;
                LONG lVal;
                BYTE bVal;
                SHORT iVal;
                FLOAT fltVal;
                DOUBLE dblVal;
                VARIANT_BOOL boolVal;
                SCODE scode;
                CY cyVal;
                DATE date;
                BSTR bstrVal;
                IUnknown* punkVal;
                IDispatch* pdispVal;
                SAFEARRAY* parray;
                BYTE* pbVal;
                SHORT* piVal;
                LONG* plVal;
                LONGLONG* pllVal;
                FLOAT* pfltVal;
                DOUBLE* pdblVal;
                VARIANT_BOOL* pboolVal;
                SCODE* pscode;
                CY* pcyVal;
                DATE* pdate;
                BSTR* pbstrVal;
                IUnknown** ppunkVal;
                IDispatch** ppdispVal;
                SAFEARRAY** pparray;
                VARIANT* pvarVal;
                void* byref;
                CHAR cVal;
                USHORT uiVal;
                ULONG ulVal;
                ULONGLONG ullVal;
                INT intVal;
                UINT uintVal;
                CHAR* pcVal;
                USHORT* puiVal;
                ULONG* pulVal;
                ULONGLONG* pullVal;
                INT* pintVal;
                UINT* puintVal;
            };
        };
        DECIMAL decVal;
    };
};

using VARIANTARG = VARIANT;
using LPVARIANT = VARIANT*;
using LPVARIANTARG = VARIANT*;

#define V_VT(v) ((v)->vt)
#define V_BSTR(v) ((v)->bstrVal)
#define V_I4(v) ((v)->lVal)
#define V_BOOL(v) ((v)->boolVal)
#define V_DISPATCH(v) ((v)->pdispVal)
#define V_UNKNOWN(v) ((v)->punkVal)

void VariantInit(VARIANTARG* value);
// Frees a BSTR, releases an interface, destroys an array; leaves VT_EMPTY. DISP_E_BADVARTYPE for
// a tag it does not know (the value is left alone), DISP_E_ARRAYISLOCKED for a locked array.
HRESULT VariantClear(VARIANTARG* value);
// Clears `target`, then copies `source` deeply (a new BSTR, an added reference, a copied array);
// a VT_BYREF value copies the reference.
HRESULT VariantCopy(VARIANTARG* target, const VARIANTARG* source);
// As VariantCopy, but a VT_BYREF value copies what it refers to.
HRESULT VariantCopyInd(VARIANT* target, const VARIANTARG* source);

// Converts `source` (read through VT_BYREF) to `type` into `target`, which may be `source`. On
// failure `target` is unchanged: DISP_E_TYPEMISMATCH when no conversion exists or a text does not
// parse, DISP_E_OVERFLOW when the value does not fit, DISP_E_BADVARTYPE for an unknown tag.
//
// Texts follow one fixed format whatever the locale: numbers in the C locale ('.' decimal point,
// R8 with 15 and R4 with 7 significant digits, exponent beyond that), dates as the Chinese
// system writes them ("2024-3-5 14:07:09", the time left out at midnight, the date left out on
// day 0), booleans as "-1"/"0" or, with VARIANT_ALPHABOOL or VARIANT_LOCALBOOL, "True"/"False".
// DECIMAL texts are exact. Floating values become integers by rounding half to even. An object
// converts through its value property (DISPID_VALUE) unless VARIANT_NOVALUEPROP is given.
HRESULT VariantChangeType(VARIANTARG* target, const VARIANTARG* source, USHORT flags, VARTYPE type);
HRESULT VariantChangeTypeEx(VARIANTARG* target, const VARIANTARG* source, LCID locale, USHORT flags,
                            VARTYPE type);
