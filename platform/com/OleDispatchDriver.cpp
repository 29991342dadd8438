#include "platform/com/OleDispatchDriver.h"

#include <cstring>
#include <vector>

#include "platform/com/ComError.h"
#include "platform/com/ComRuntime.h"
#include "platform/com/OleDispatchException.h"
#include "platform/text/CString.h"

namespace {

using platform::DispatchArgument;
using Kind = DispatchArgument::Kind;

// Marks in a parameter code: passed by reference, and a put that must go by reference.
constexpr BYTE kByReference = 0x40;
constexpr BYTE kForcePutByReference = 0x80;
// GBK text that becomes a BSTR for the call.
constexpr VARTYPE kNarrowText = 14;

// What a VTS_P* code needs the argument to point to.
VARTYPE PointeeFor(VARTYPE type) {
    switch (type) {
        case VT_BOOL:
            return VT_I2;
        case VT_ERROR:
        case VT_INT:
            return VT_I4;
        case VT_UINT:
            return VT_UI4;
        case VT_DATE:
            return VT_R8;
        case VT_I1:
            return VT_UI1;
        default:
            return type;
    }
}

[[noreturn]] void Mismatch() {
    AfxThrowOleException(DISP_E_TYPEMISMATCH);
}

long long IntegerOf(const DispatchArgument& argument) {
    if (argument.kind() != Kind::Integer) {
        Mismatch();
    }
    return argument.integer();
}

double RealOf(const DispatchArgument& argument) {
    if (argument.kind() == Kind::Integer) {
        return static_cast<double>(argument.integer());
    }
    if (argument.kind() != Kind::Real) {
        Mismatch();
    }
    return argument.real();
}

// Fills `slot` from `argument` as `code` describes it; returns whether the slot owns what it
// holds (a string made for the call).
bool Fill(BYTE code, const DispatchArgument& argument, VARIANT* slot) {
    const VARTYPE type = code & ~(kByReference | kForcePutByReference);
    if ((code & kByReference) != 0) {
        if (argument.kind() == Kind::Null) {
            slot->vt = VT_BYREF | type;
            slot->byref = nullptr;
            return false;
        }
        const bool matches = type == VT_VARIANT ? argument.kind() == Kind::Variant
                                                : argument.kind() == Kind::Reference &&
                                                      argument.pointee() == PointeeFor(type);
        if (!matches) {
            Mismatch();
        }
        slot->vt = VT_BYREF | type;
        slot->byref = argument.pointer();
        return false;
    }
    slot->vt = type;
    switch (type) {
        case VT_I1:
            slot->cVal = static_cast<CHAR>(IntegerOf(argument));
            return false;
        case VT_UI1:
            slot->bVal = static_cast<BYTE>(IntegerOf(argument));
            return false;
        case VT_I2:
            slot->iVal = static_cast<SHORT>(IntegerOf(argument));
            return false;
        case VT_UI2:
            slot->uiVal = static_cast<USHORT>(IntegerOf(argument));
            return false;
        case VT_I4:
            slot->lVal = static_cast<LONG>(IntegerOf(argument));
            return false;
        case VT_UI4:
            slot->ulVal = static_cast<ULONG>(IntegerOf(argument));
            return false;
        case VT_I8:
            slot->llVal = IntegerOf(argument);
            return false;
        case VT_UI8:
            slot->ullVal = static_cast<ULONGLONG>(IntegerOf(argument));
            return false;
        case VT_ERROR:
            slot->scode = static_cast<SCODE>(IntegerOf(argument));
            return false;
        case VT_BOOL:
            slot->boolVal = IntegerOf(argument) != 0 ? VARIANT_TRUE : VARIANT_FALSE;
            return false;
        case VT_R4:
            slot->fltVal = static_cast<float>(RealOf(argument));
            return false;
        case VT_R8:
            slot->dblVal = RealOf(argument);
            return false;
        case VT_DATE:
            slot->date = RealOf(argument);
            return false;
        case VT_CY:
            if (argument.kind() != Kind::Currency) {
                Mismatch();
            }
            slot->cyVal.int64 = argument.integer();
            return false;
        case kNarrowText:
        case VT_BSTR: {
            slot->vt = VT_BSTR;
            slot->bstrVal = nullptr;
            if (argument.kind() == Kind::Null) {
                return false;
            }
            const Kind expected = type == VT_BSTR ? Kind::WideText : Kind::Text;
            if (argument.kind() != expected) {
                Mismatch();
            }
            if (argument.pointer() == nullptr) {
                return false;
            }
            // A copy even of wide text: the caller's text need not carry a length prefix.
            slot->bstrVal =
                type == VT_BSTR
                    ? SysAllocString(static_cast<const OLECHAR*>(argument.pointer()))
                    : platform::BstrFromGbk(static_cast<const char*>(argument.pointer()));
            if (slot->bstrVal == nullptr) {
                AfxThrowOleException(E_OUTOFMEMORY);
            }
            return true;
        }
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (argument.kind() == Kind::Null) {
                slot->punkVal = nullptr;
                return false;
            }
            if (argument.kind() != Kind::Dispatch &&
                !(type == VT_UNKNOWN && argument.kind() == Kind::Unknown)) {
                Mismatch();
            }
            slot->punkVal = static_cast<IUnknown*>(argument.pointer());
            if (argument.kind() == Kind::Dispatch) {
                slot->pdispVal = static_cast<IDispatch*>(argument.pointer());
            }
            return false;
        case VT_VARIANT:
            if (argument.kind() != Kind::Variant || argument.pointer() == nullptr) {
                Mismatch();
            }
            *slot = *static_cast<const VARIANT*>(argument.pointer());
            return false;
        default:
            AfxThrowOleException(DISP_E_BADVARTYPE);
    }
}

// Owns the argument slots of one call and frees the strings made for it.
class ArgumentSlots {
public:
    explicit ArgumentSlots(size_t count) : slots_(count), owned_(count, false) {
        for (VARIANT& slot : slots_) {
            VariantInit(&slot);
        }
    }
    ~ArgumentSlots() {
        for (size_t i = 0; i < slots_.size(); ++i) {
            if (owned_[i]) {
                VariantClear(&slots_[i]);
            }
        }
    }
    ArgumentSlots(const ArgumentSlots&) = delete;
    ArgumentSlots& operator=(const ArgumentSlots&) = delete;

    void Fill(size_t index, BYTE code, const DispatchArgument& argument) {
        owned_[index] = ::Fill(code, argument, &slots_[index]);
    }
    VARIANT* data() { return slots_.data(); }

private:
    std::vector<VARIANT> slots_;
    std::vector<bool> owned_;
};

bool IsReturnType(VARTYPE type) {
    switch (type) {
        case VT_EMPTY:
        case VT_I1:
        case VT_UI1:
        case VT_I2:
        case VT_UI2:
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_I8:
        case VT_UI8:
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_BSTR:
        case VT_DISPATCH:
        case VT_UNKNOWN:
        case VT_ERROR:
        case VT_BOOL:
        case VT_VARIANT:
            return true;
        default:
            return false;
    }
}

[[noreturn]] void ThrowDispatchException(EXCEPINFO* info) {
    if (info->pfnDeferredFillIn != nullptr) {
        info->pfnDeferredFillIn(info);
    }
    auto* exception = new COleDispatchException(
        platform::GbkFromBstr(info->bstrDescription).c_str(), info->dwHelpContext, info->wCode);
    exception->m_strSource = platform::GbkFromBstr(info->bstrSource).c_str();
    exception->m_strHelpFile = platform::GbkFromBstr(info->bstrHelpFile).c_str();
    exception->m_scError = info->scode;
    SysFreeString(info->bstrSource);
    SysFreeString(info->bstrDescription);
    SysFreeString(info->bstrHelpFile);
    throw exception;
}

// Moves the value (already of `type`) into the caller's `result`.
void Store(VARIANT* value, VARTYPE type, void* result) {
    switch (type) {
        case VT_I1:
            *static_cast<CHAR*>(result) = value->cVal;
            break;
        case VT_UI1:
            *static_cast<BYTE*>(result) = value->bVal;
            break;
        case VT_I2:
            *static_cast<SHORT*>(result) = value->iVal;
            break;
        case VT_UI2:
            *static_cast<USHORT*>(result) = value->uiVal;
            break;
        case VT_I4:
            *static_cast<LONG*>(result) = value->lVal;
            break;
        case VT_UI4:
            *static_cast<ULONG*>(result) = value->ulVal;
            break;
        case VT_INT:
            *static_cast<INT*>(result) = value->intVal;
            break;
        case VT_UINT:
            *static_cast<UINT*>(result) = value->uintVal;
            break;
        case VT_I8:
            *static_cast<LONGLONG*>(result) = value->llVal;
            break;
        case VT_UI8:
            *static_cast<ULONGLONG*>(result) = value->ullVal;
            break;
        case VT_R4:
            *static_cast<float*>(result) = value->fltVal;
            break;
        case VT_R8:
            *static_cast<double*>(result) = value->dblVal;
            break;
        case VT_DATE:
            *static_cast<DATE*>(result) = value->date;
            break;
        case VT_CY:
            *static_cast<CY*>(result) = value->cyVal;
            break;
        case VT_ERROR:
            *static_cast<SCODE*>(result) = value->scode;
            break;
        case VT_BOOL:
            *static_cast<BOOL*>(result) = value->boolVal != 0 ? TRUE : FALSE;
            break;
        case VT_BSTR:
            *static_cast<CString*>(result) = platform::GbkFromBstr(value->bstrVal).c_str();
            VariantClear(value);
            break;
        case VT_DISPATCH:
            *static_cast<IDispatch**>(result) = value->pdispVal;
            value->vt = VT_EMPTY;
            break;
        case VT_UNKNOWN:
            *static_cast<IUnknown**>(result) = value->punkVal;
            value->vt = VT_EMPTY;
            break;
        case VT_VARIANT: {
            auto* target = static_cast<VARIANT*>(result);
            VariantClear(target);
            *target = *value;
            value->vt = VT_EMPTY;
            break;
        }
        default:
            break;
    }
}

}  // namespace

COleDispatchDriver::COleDispatchDriver(LPDISPATCH dispatch, BOOL autoRelease)
    : m_lpDispatch(dispatch), m_bAutoRelease(autoRelease) {}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& other)
    : m_lpDispatch(other.m_lpDispatch), m_bAutoRelease(TRUE) {
    if (m_lpDispatch != nullptr) {
        m_lpDispatch->AddRef();
    }
}

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& other) {
    if (this != &other) {
        if (other.m_lpDispatch != nullptr) {
            other.m_lpDispatch->AddRef();
        }
        ReleaseDispatch();
        m_lpDispatch = other.m_lpDispatch;
        m_bAutoRelease = TRUE;
    }
    return *this;
}

COleDispatchDriver::~COleDispatchDriver() {
    ReleaseDispatch();
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* error) {
    ReleaseDispatch();
    IUnknown* object = nullptr;
    HRESULT result = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown,
                                      reinterpret_cast<void**>(&object));
    if (SUCCEEDED(result)) {
        result = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_lpDispatch));
        object->Release();
    }
    if (FAILED(result)) {
        m_lpDispatch = nullptr;
        if (error != nullptr) {
            error->m_sc = result;
        }
        return FALSE;
    }
    m_bAutoRelease = TRUE;
    return TRUE;
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH dispatch, BOOL autoRelease) {
    ReleaseDispatch();
    m_lpDispatch = dispatch;
    m_bAutoRelease = autoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch() {
    LPDISPATCH dispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    return dispatch;
}

void COleDispatchDriver::ReleaseDispatch() {
    if (m_lpDispatch != nullptr) {
        LPDISPATCH dispatch = m_lpDispatch;
        m_lpDispatch = nullptr;
        if (m_bAutoRelease) {
            dispatch->Release();
        }
    }
}

void COleDispatchDriver::GetProperty(DISPID member, VARTYPE type, void* value) const {
    InvokeWith(member, DISPATCH_PROPERTYGET, type, value, nullptr, {});
}

void COleDispatchDriver::InvokeWith(DISPID member, WORD flags, VARTYPE returnType, void* result,
                                    const BYTE* parameterCodes,
                                    std::initializer_list<DispatchArgument> arguments) const {
    if (m_lpDispatch == nullptr) {
        return;
    }
    if (!IsReturnType(returnType)) {
        AfxThrowOleException(DISP_E_BADVARTYPE);
    }
    const size_t count =
        parameterCodes == nullptr ? 0 : std::strlen(reinterpret_cast<const char*>(parameterCodes));
    if (count != arguments.size()) {
        AfxThrowOleException(DISP_E_BADPARAMCOUNT);
    }
    ArgumentSlots slots(count);
    size_t index = 0;
    for (const DispatchArgument& argument : arguments) {
        slots.Fill(count - 1 - index, parameterCodes[index], argument);
        ++index;
    }
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {slots.data(), nullptr, static_cast<UINT>(count), 0};
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
        parameters.rgdispidNamedArgs = &named;
        parameters.cNamedArgs = 1;
    }
    VARIANT value;
    VariantInit(&value);
    EXCEPINFO exception;
    std::memset(&exception, 0, sizeof exception);
    UINT argumentError = 0;
    HRESULT outcome =
        m_lpDispatch->Invoke(member, IID_NULL, 0, flags, &parameters,
                             returnType != VT_EMPTY ? &value : nullptr, &exception, &argumentError);
    if (FAILED(outcome)) {
        VariantClear(&value);
        if (outcome == DISP_E_EXCEPTION) {
            ThrowDispatchException(&exception);
        }
        AfxThrowOleException(outcome);
    }
    if (returnType == VT_EMPTY) {
        return;
    }
    if (returnType != VT_VARIANT && value.vt != returnType) {
        HRESULT converted = VariantChangeType(&value, &value, 0, returnType);
        if (FAILED(converted)) {
            VariantClear(&value);
            AfxThrowOleException(converted);
        }
    }
    if (result != nullptr) {
        Store(&value, returnType, result);
    }
    VariantClear(&value);
}
