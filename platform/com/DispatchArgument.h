// One argument of COleDispatchDriver::InvokeHelper as the caller wrote it, with what kind of C++
// value it was, so that it can be checked against the parameter's VTS_ code instead of being
// read blindly from a variable argument list.
#pragma once

#include <concepts>
#include <cstddef>
#include <type_traits>

#include "platform/com/Dispatch.h"

namespace platform {

class DispatchArgument {
public:
    enum class Kind {
        Integer,
        Real,
        Currency,
        Text,
        WideText,
        Variant,
        Dispatch,
        Unknown,
        Reference,
        Null,
    };

    template <std::integral Integer>
    DispatchArgument(Integer value)
        : kind_(Kind::Integer), integer_(static_cast<long long>(value)) {}
    template <typename Enumeration>
    requires std::is_enum_v<Enumeration> DispatchArgument(Enumeration value)
        : kind_(Kind::Integer), integer_(static_cast<long long>(value)) {}
    template <std::floating_point Real>
    DispatchArgument(Real value) : kind_(Kind::Real), real_(static_cast<double>(value)) {}
    DispatchArgument(const CY& value) : kind_(Kind::Currency), integer_(value.int64) {}
    DispatchArgument(const char* text) : kind_(Kind::Text), pointer_(const_cast<char*>(text)) {}
    DispatchArgument(const OLECHAR* text)
        : kind_(Kind::WideText), pointer_(const_cast<OLECHAR*>(text)) {}
    DispatchArgument(const VARIANT* value)
        : kind_(Kind::Variant), pointer_(const_cast<VARIANT*>(value)) {}
    DispatchArgument(IDispatch* object) : kind_(Kind::Dispatch), pointer_(object) {}
    DispatchArgument(IUnknown* object) : kind_(Kind::Unknown), pointer_(object) {}
    DispatchArgument(std::nullptr_t) : kind_(Kind::Null) {}
    // Places a VTS_P* parameter writes to; `pointee` is the type they hold.
    DispatchArgument(SHORT* place) : DispatchArgument(place, VT_I2) {}
    DispatchArgument(USHORT* place) : DispatchArgument(place, VT_UI2) {}
    DispatchArgument(LONG* place) : DispatchArgument(place, VT_I4) {}
    DispatchArgument(ULONG* place) : DispatchArgument(place, VT_UI4) {}
    DispatchArgument(LONGLONG* place) : DispatchArgument(place, VT_I8) {}
    DispatchArgument(ULONGLONG* place) : DispatchArgument(place, VT_UI8) {}
    DispatchArgument(BYTE* place) : DispatchArgument(place, VT_UI1) {}
    DispatchArgument(float* place) : DispatchArgument(place, VT_R4) {}
    DispatchArgument(double* place) : DispatchArgument(place, VT_R8) {}
    DispatchArgument(CY* place) : DispatchArgument(place, VT_CY) {}
    DispatchArgument(BSTR* place) : DispatchArgument(place, VT_BSTR) {}
    DispatchArgument(IDispatch** place) : DispatchArgument(place, VT_DISPATCH) {}
    DispatchArgument(IUnknown** place) : DispatchArgument(place, VT_UNKNOWN) {}

    Kind kind() const { return kind_; }
    long long integer() const { return integer_; }
    double real() const { return real_; }
    void* pointer() const { return pointer_; }
    VARTYPE pointee() const { return pointee_; }

private:
    DispatchArgument(void* place, VARTYPE pointee)
        : kind_(Kind::Reference), pointer_(place), pointee_(pointee) {}

    Kind kind_;
    long long integer_ = 0;
    double real_ = 0;
    void* pointer_ = nullptr;
    VARTYPE pointee_ = VT_EMPTY;
};

}  // namespace platform
