// One parameter of a control's event on its way to a handler of an event sink map: the VARIANT the
// control passed, checked against the parameter's VTS_ code and then handed over as the C++ type
// the handler declares. A value is converted to the code's type (VTS_BSTR gives GBK text); a
// reference must point to that type (VTS_PVARIANT takes any variant). A handler's BOOL* over the
// control's VARIANT_BOOL is lent as a BOOL and written back as VARIANT_TRUE or VARIANT_FALSE when
// the argument ends, so that a handler writing TRUE (1) still reads as true to the control.
#pragma once

#include <string>
#include <type_traits>

#include "platform/com/Dispatch.h"

namespace platform {

class EventArgument {
public:
    EventArgument();
    ~EventArgument();
    EventArgument(const EventArgument&) = delete;
    EventArgument& operator=(const EventArgument&) = delete;

    // False when `value` cannot be what `code` describes.
    bool Bind(BYTE code, VARIANT* value);

    // Whether the bound parameter can be handed over as T.
    template <typename T>
    bool Fits() const {
        if constexpr (std::is_same_v<T, IDispatch*>) {
            return !byReference_ && type_ == VT_DISPATCH;
        } else if constexpr (std::is_same_v<T, IDispatch**>) {
            return byReference_ && type_ == VT_DISPATCH;
        } else if constexpr (std::is_same_v<T, VARIANT*>) {
            return byReference_ && type_ == VT_VARIANT;
        } else if constexpr (std::is_same_v<T, BOOL*>) {
            return byReference_ && (type_ == VT_BOOL || type_ == VT_I4);
        } else if constexpr (std::is_same_v<T, VARIANT_BOOL*>) {
            return byReference_ && type_ == VT_BOOL;
        } else if constexpr (std::is_same_v<T, const char*>) {
            return !byReference_ && type_ == VT_BSTR;
        } else if constexpr (std::is_integral_v<T>) {
            return !byReference_ && IsInteger();
        } else {
            static_assert(std::is_same_v<T, void>, "no event parameter converts to this type");
            return false;
        }
    }

    template <typename T>
    T As() {
        if constexpr (std::is_same_v<T, IDispatch*>) {
            return converted_.pdispVal;
        } else if constexpr (std::is_same_v<T, IDispatch**>) {
            return source_->ppdispVal;
        } else if constexpr (std::is_same_v<T, VARIANT*>) {
            return source_;
        } else if constexpr (std::is_same_v<T, BOOL*>) {
            return type_ == VT_BOOL ? LendFlag() : source_->plVal;
        } else if constexpr (std::is_same_v<T, VARIANT_BOOL*>) {
            return source_->pboolVal;
        } else if constexpr (std::is_same_v<T, const char*>) {
            return text_.c_str();
        } else {
            return static_cast<T>(Integer());
        }
    }

private:
    bool IsInteger() const;
    long long Integer() const;
    BOOL* LendFlag();

    VARTYPE type_ = VT_EMPTY;
    bool byReference_ = false;
    // The control's variant, or for a VTS_PVARIANT the variant it refers to.
    VARIANT* source_ = nullptr;
    // A value parameter converted to the code's type.
    VARIANT converted_;
    std::string text_;
    BOOL flag_ = FALSE;
    bool flagLent_ = false;
};

}  // namespace platform
