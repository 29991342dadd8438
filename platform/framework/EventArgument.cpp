#include "platform/framework/EventArgument.h"

#include "platform/com/Bstr.h"

namespace platform {

namespace {

// Marks of a VTS_ code: passed by reference; and the narrow text code, a BSTR read as GBK.
constexpr BYTE kByReference = 0x40;
constexpr BYTE kNarrowText = 0x0E;

}  // namespace

EventArgument::EventArgument() {
    VariantInit(&converted_);
}

EventArgument::~EventArgument() {
    if (flagLent_) {
        *source_->pboolVal = flag_ ? VARIANT_TRUE : VARIANT_FALSE;
    }
    VariantClear(&converted_);
}

bool EventArgument::Bind(BYTE code, VARIANT* value) {
    byReference_ = (code & kByReference) != 0;
    const BYTE base = code & ~kByReference;
    type_ = base == kNarrowText ? static_cast<VARTYPE>(VT_BSTR) : static_cast<VARTYPE>(base);
    if (byReference_) {
        if (type_ == VT_VARIANT) {
            source_ = value->vt == (VT_BYREF | VT_VARIANT) ? value->pvarVal : value;
            return source_ != nullptr;
        }
        source_ = value;
        return value->vt == (VT_BYREF | type_) && value->byref != nullptr;
    }
    source_ = value;
    if (FAILED(VariantChangeType(&converted_, value, 0, type_))) {
        return false;
    }
    if (type_ == VT_BSTR) {
        text_ = GbkFromBstr(converted_.bstrVal);
    }
    return true;
}

bool EventArgument::IsInteger() const {
    switch (type_) {
        case VT_I1:
        case VT_UI1:
        case VT_I2:
        case VT_UI2:
        case VT_I4:
        case VT_UI4:
        case VT_BOOL:
            return true;
        default:
            return false;
    }
}

long long EventArgument::Integer() const {
    switch (type_) {
        case VT_I1:
            return converted_.cVal;
        case VT_UI1:
            return converted_.bVal;
        case VT_I2:
            return converted_.iVal;
        case VT_UI2:
            return converted_.uiVal;
        case VT_UI4:
            return converted_.ulVal;
        case VT_BOOL:
            return converted_.boolVal != VARIANT_FALSE ? TRUE : FALSE;
        default:
            return converted_.lVal;
    }
}

BOOL* EventArgument::LendFlag() {
    flag_ = *source_->pboolVal != VARIANT_FALSE ? TRUE : FALSE;
    flagLent_ = true;
    return &flag_;
}

}  // namespace platform
