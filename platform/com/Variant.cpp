#include "platform/com/Variant.h"

#include <cstring>

#include "platform/com/Dispatch.h"
#include "platform/com/SafeArray.h"

namespace {

bool IsKnownType(VARTYPE type) {
    const VARTYPE base = type & VT_TYPEMASK;
    if ((type & ~(VT_TYPEMASK | VT_ARRAY | VT_BYREF)) != 0) {
        return false;
    }
    if ((type & VT_ARRAY) == 0 && (type & VT_BYREF) == 0 &&
        (base == VT_VARIANT || base == VT_VOID || base == VT_HRESULT)) {
        return false;
    }
    return base <= VT_DECIMAL || (base >= VT_I1 && base <= VT_HRESULT);
}

// Copies `source` into the cleared `target`, deeply unless `throughReference` is false and the
// value is held by reference.
HRESULT CopyValue(VARIANT* target, const VARIANT* source, bool throughReference) {
    if (!IsKnownType(source->vt)) {
        return DISP_E_BADVARTYPE;
    }
    const VARTYPE type = source->vt;
    if ((type & VT_BYREF) != 0 && throughReference) {
        if (source->byref == nullptr) {
            return E_INVALIDARG;
        }
        const VARTYPE base = type & ~VT_BYREF;
        if (base == VT_VARIANT) {
            return CopyValue(target, source->pvarVal, true);
        }
        VARIANT value;
        VariantInit(&value);
        value.vt = base;
        if ((base & VT_ARRAY) != 0) {
            value.parray = *source->pparray;
        } else if (base == VT_DECIMAL) {
            value.decVal = *static_cast<const DECIMAL*>(source->byref);
            value.vt = base;
        } else {
            static constexpr size_t kSizes[] = {
                0, 0, 2, 4, 4, 8, 8, 8, sizeof(BSTR), sizeof(void*), 4, 2, 0, sizeof(void*), 0, 0,
                1, 1, 2, 4, 8, 8, 4, 4};
            if (base >= sizeof kSizes / sizeof kSizes[0] || kSizes[base] == 0) {
                return DISP_E_BADVARTYPE;
            }
            std::memcpy(&value.llVal, source->byref, kSizes[base]);
        }
        return CopyValue(target, &value, false);
    }
    *target = *source;
    if ((type & VT_BYREF) != 0) {
        return S_OK;
    }
    if ((type & VT_ARRAY) != 0) {
        target->parray = nullptr;
        if (source->parray == nullptr) {
            return S_OK;
        }
        HRESULT result = SafeArrayCopy(source->parray, &target->parray);
        if (FAILED(result)) {
            target->vt = VT_EMPTY;
        }
        return result;
    }
    switch (type) {
        case VT_BSTR:
            if (source->bstrVal != nullptr) {
                target->bstrVal = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source->bstrVal),
                                                        SysStringByteLen(source->bstrVal));
                if (target->bstrVal == nullptr) {
                    target->vt = VT_EMPTY;
                    return E_OUTOFMEMORY;
                }
            }
            break;
        case VT_UNKNOWN:
        case VT_DISPATCH:
            if (source->punkVal != nullptr) {
                source->punkVal->AddRef();
            }
            break;
        default:
            break;
    }
    return S_OK;
}

HRESULT CopyInto(VARIANT* target, const VARIANT* source, bool throughReference) {
    if (target == nullptr || source == nullptr) {
        return E_INVALIDARG;
    }
    if (target == source) {
        return S_OK;
    }
    HRESULT result = VariantClear(target);
    if (FAILED(result)) {
        return result;
    }
    return CopyValue(target, source, throughReference);
}

}  // namespace

void VariantInit(VARIANTARG* value) {
    value->vt = VT_EMPTY;
    value->wReserved1 = 0;
    value->wReserved2 = 0;
    value->wReserved3 = 0;
}

HRESULT VariantClear(VARIANTARG* value) {
    if (value == nullptr) {
        return E_INVALIDARG;
    }
    if (!IsKnownType(value->vt)) {
        return DISP_E_BADVARTYPE;
    }
    if ((value->vt & VT_BYREF) == 0) {
        if ((value->vt & VT_ARRAY) != 0) {
            if (value->parray != nullptr) {
                HRESULT result = SafeArrayDestroy(value->parray);
                if (FAILED(result)) {
                    return result;
                }
            }
        } else if (value->vt == VT_BSTR) {
            SysFreeString(value->bstrVal);
        } else if ((value->vt == VT_UNKNOWN || value->vt == VT_DISPATCH) &&
                   value->punkVal != nullptr) {
            value->punkVal->Release();
        }
    }
    value->vt = VT_EMPTY;
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* target, const VARIANTARG* source) {
    return CopyInto(target, source, false);
}

HRESULT VariantCopyInd(VARIANT* target, const VARIANTARG* source) {
    if (target == source && source != nullptr && (source->vt & VT_BYREF) != 0) {
        VARIANT copy;
        VariantInit(&copy);
        HRESULT result = CopyValue(&copy, source, true);
        if (SUCCEEDED(result)) {
            *target = copy;
        }
        return result;
    }
    return CopyInto(target, source, true);
}
