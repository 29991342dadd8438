#include "platform/com/SafeArray.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/com/Dispatch.h"

namespace {

// The element type sits in the last four bytes of this prefix, just before the descriptor; the
// prefix keeps the descriptor's alignment.
constexpr size_t kPrefixBytes = 16;

struct ElementKind {
    ULONG size;
    USHORT features;
};

bool KindOf(VARTYPE type, ElementKind* kind) {
    switch (type) {
        case VT_I1:
        case VT_UI1:
            *kind = {1, 0};
            return true;
        case VT_I2:
        case VT_UI2:
        case VT_BOOL:
            *kind = {2, 0};
            return true;
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_R4:
        case VT_ERROR:
            *kind = {4, 0};
            return true;
        case VT_I8:
        case VT_UI8:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
            *kind = {8, 0};
            return true;
        case VT_BSTR:
            *kind = {sizeof(BSTR), FADF_BSTR};
            return true;
        case VT_UNKNOWN:
            *kind = {sizeof(IUnknown*), FADF_UNKNOWN};
            return true;
        case VT_DISPATCH:
            *kind = {sizeof(IDispatch*), FADF_DISPATCH};
            return true;
        case VT_VARIANT:
            *kind = {sizeof(VARIANT), FADF_VARIANT};
            return true;
        default:
            return false;
    }
}

BYTE* BlockOf(SAFEARRAY* array) {
    return reinterpret_cast<BYTE*>(array) - kPrefixBytes;
}

VARTYPE TypeOf(SAFEARRAY* array) {
    DWORD type;
    std::memcpy(&type, reinterpret_cast<BYTE*>(array) - sizeof type, sizeof type);
    return static_cast<VARTYPE>(type);
}

bool ElementCount(SAFEARRAY* array, size_t* count) {
    size_t total = 1;
    for (USHORT i = 0; i < array->cDims; ++i) {
        const size_t elements = array->rgsabound[i].cElements;
        if (elements != 0 && total > std::numeric_limits<size_t>::max() / elements) {
            return false;
        }
        total *= elements;
    }
    *count = total;
    return true;
}

// The address of the element at `indices`, or null outside the bounds.
BYTE* ElementAt(SAFEARRAY* array, const LONG* indices) {
    size_t offset = 0;
    size_t stride = 1;
    for (USHORT i = 0; i < array->cDims; ++i) {
        const SAFEARRAYBOUND& bound = array->rgsabound[i];
        const long long position = static_cast<long long>(indices[i]) - bound.lLbound;
        if (position < 0 || position >= static_cast<long long>(bound.cElements)) {
            return nullptr;
        }
        offset += static_cast<size_t>(position) * stride;
        stride *= bound.cElements;
    }
    return static_cast<BYTE*>(array->pvData) + offset * array->cbElements;
}

void ReleaseElement(VARTYPE type, BYTE* element) {
    switch (type) {
        case VT_BSTR: {
            BSTR text;
            std::memcpy(&text, element, sizeof text);
            SysFreeString(text);
            break;
        }
        case VT_UNKNOWN:
        case VT_DISPATCH: {
            IUnknown* object;
            std::memcpy(&object, element, sizeof object);
            if (object != nullptr) {
                object->Release();
            }
            break;
        }
        case VT_VARIANT:
            VariantClear(reinterpret_cast<VARIANT*>(element));
            break;
        default:
            break;
    }
}

// Copies the value `source` refers to (the BSTR or interface itself for those types) into the
// empty element storage `target`.
HRESULT CopyElement(VARTYPE type, ULONG size, void* target, const void* source) {
    switch (type) {
        case VT_BSTR: {
            BSTR text = static_cast<BSTR>(const_cast<void*>(source));
            BSTR copy = nullptr;
            if (text != nullptr) {
                copy =
                    SysAllocStringByteLen(reinterpret_cast<LPCSTR>(text), SysStringByteLen(text));
                if (copy == nullptr) {
                    return E_OUTOFMEMORY;
                }
            }
            std::memcpy(target, &copy, sizeof copy);
            return S_OK;
        }
        case VT_UNKNOWN:
        case VT_DISPATCH: {
            auto* object = static_cast<IUnknown*>(const_cast<void*>(source));
            if (object != nullptr) {
                object->AddRef();
            }
            std::memcpy(target, &object, sizeof object);
            return S_OK;
        }
        case VT_VARIANT:
            VariantInit(static_cast<VARIANT*>(target));
            return VariantCopy(static_cast<VARIANT*>(target), static_cast<const VARIANT*>(source));
        default:
            std::memcpy(target, source, size);
            return S_OK;
    }
}

// What CopyElement takes for the element stored at `element`.
const void* SourceOf(VARTYPE type, const BYTE* element) {
    if (type == VT_BSTR || type == VT_UNKNOWN || type == VT_DISPATCH) {
        void* pointer;
        std::memcpy(&pointer, element, sizeof pointer);
        return pointer;
    }
    return element;
}

}  // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE type, UINT dimensions, SAFEARRAYBOUND* bounds) {
    ElementKind kind;
    if (!KindOf(type, &kind) || dimensions == 0 || dimensions > 0xFFFF || bounds == nullptr) {
        return nullptr;
    }
    const size_t descriptorBytes =
        offsetof(SAFEARRAY, rgsabound) + dimensions * sizeof(SAFEARRAYBOUND);
    BYTE* block = static_cast<BYTE*>(std::calloc(1, kPrefixBytes + descriptorBytes));
    if (block == nullptr) {
        return nullptr;
    }
    const DWORD storedType = type;
    std::memcpy(block + kPrefixBytes - sizeof storedType, &storedType, sizeof storedType);
    auto* array = reinterpret_cast<SAFEARRAY*>(block + kPrefixBytes);
    array->cDims = static_cast<USHORT>(dimensions);
    array->fFeatures = static_cast<USHORT>(FADF_HAVEVARTYPE | kind.features);
    array->cbElements = kind.size;
    for (UINT i = 0; i < dimensions; ++i) {
        array->rgsabound[dimensions - 1 - i] = bounds[i];
    }
    size_t count = 0;
    if (!ElementCount(array, &count) || count > std::numeric_limits<size_t>::max() / kind.size) {
        std::free(block);
        return nullptr;
    }
    if (count > 0) {
        array->pvData = std::calloc(count, kind.size);
        if (array->pvData == nullptr) {
            std::free(block);
            return nullptr;
        }
    }
    return array;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE type, LONG lowerBound, ULONG count) {
    SAFEARRAYBOUND bound = {count, lowerBound};
    return SafeArrayCreate(type, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
    if (array == nullptr) {
        return S_OK;
    }
    if (array->cLocks > 0) {
        return DISP_E_ARRAYISLOCKED;
    }
    size_t count = 0;
    ElementCount(array, &count);
    const VARTYPE type = TypeOf(array);
    auto* data = static_cast<BYTE*>(array->pvData);
    for (size_t i = 0; i < count && data != nullptr; ++i) {
        ReleaseElement(type, data + i * array->cbElements);
    }
    std::free(array->pvData);
    std::free(BlockOf(array));
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* array) {
    if (array == nullptr) {
        return E_INVALIDARG;
    }
    if (array->cLocks == std::numeric_limits<ULONG>::max()) {
        return E_UNEXPECTED;
    }
    ++array->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* array) {
    if (array == nullptr) {
        return E_INVALIDARG;
    }
    if (array->cLocks == 0) {
        return E_UNEXPECTED;
    }
    --array->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data) {
    if (array == nullptr || data == nullptr) {
        return E_INVALIDARG;
    }
    HRESULT result = SafeArrayLock(array);
    if (SUCCEEDED(result)) {
        *data = array->pvData;
    }
    return result;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) {
    return SafeArrayUnlock(array);
}

UINT SafeArrayGetDim(SAFEARRAY* array) {
    return array == nullptr ? 0 : array->cDims;
}

UINT SafeArrayGetElemsize(SAFEARRAY* array) {
    return array == nullptr ? 0 : array->cbElements;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* type) {
    if (array == nullptr || type == nullptr) {
        return E_INVALIDARG;
    }
    *type = TypeOf(array);
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dimension, LONG* bound) {
    if (array == nullptr || bound == nullptr) {
        return E_INVALIDARG;
    }
    if (dimension < 1 || dimension > array->cDims) {
        return DISP_E_BADINDEX;
    }
    *bound = array->rgsabound[array->cDims - dimension].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dimension, LONG* bound) {
    if (array == nullptr || bound == nullptr) {
        return E_INVALIDARG;
    }
    if (dimension < 1 || dimension > array->cDims) {
        return DISP_E_BADINDEX;
    }
    const SAFEARRAYBOUND& range = array->rgsabound[array->cDims - dimension];
    *bound = static_cast<LONG>(static_cast<long long>(range.lLbound) + range.cElements - 1);
    return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* value) {
    if (array == nullptr || indices == nullptr) {
        return E_INVALIDARG;
    }
    BYTE* element = ElementAt(array, indices);
    if (element == nullptr) {
        return DISP_E_BADINDEX;
    }
    const VARTYPE type = TypeOf(array);
    if (value == nullptr && type != VT_BSTR && type != VT_UNKNOWN && type != VT_DISPATCH) {
        return E_INVALIDARG;
    }
    // Copy first, so that storing an element into its own place cannot free it.
    alignas(VARIANT) BYTE copy[sizeof(VARIANT)];
    HRESULT result = CopyElement(type, array->cbElements, copy, value);
    if (FAILED(result)) {
        return result;
    }
    ReleaseElement(type, element);
    std::memcpy(element, copy, array->cbElements);
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* value) {
    if (array == nullptr || indices == nullptr || value == nullptr) {
        return E_INVALIDARG;
    }
    BYTE* element = ElementAt(array, indices);
    if (element == nullptr) {
        return DISP_E_BADINDEX;
    }
    const VARTYPE type = TypeOf(array);
    return CopyElement(type, array->cbElements, value, SourceOf(type, element));
}

HRESULT SafeArrayCopy(SAFEARRAY* source, SAFEARRAY** copy) {
    if (source == nullptr || copy == nullptr) {
        return E_INVALIDARG;
    }
    *copy = nullptr;
    const VARTYPE type = TypeOf(source);
    std::vector<SAFEARRAYBOUND> bounds(source->cDims);
    for (USHORT i = 0; i < source->cDims; ++i) {
        bounds[i] = source->rgsabound[source->cDims - 1 - i];
    }
    SAFEARRAY* target = SafeArrayCreate(type, source->cDims, bounds.data());
    if (target == nullptr) {
        return E_OUTOFMEMORY;
    }
    size_t count = 0;
    ElementCount(source, &count);
    const auto* from = static_cast<const BYTE*>(source->pvData);
    auto* to = static_cast<BYTE*>(target->pvData);
    for (size_t i = 0; i < count; ++i) {
        const size_t offset = i * source->cbElements;
        HRESULT result =
            CopyElement(type, source->cbElements, to + offset, SourceOf(type, from + offset));
        if (FAILED(result)) {
            SafeArrayDestroy(target);
            return result;
        }
    }
    *copy = target;
    return S_OK;
}
