// The compiler's VARIANT wrapper: a VARIANT that frees what it holds when it goes, built from
// and read as plain C++ values. Text goes in and out as GBK. A reading that needs a conversion
// uses VariantChangeType and throws _com_error when it fails. `long` stands for the 32-bit
// LONG of the original, so it makes and reads VT_I4.
#pragma once

#include "platform/com/BstrT.h"
#include "platform/com/Dispatch.h"

class _variant_t : public VARIANT {
public:
    _variant_t() noexcept;
    _variant_t(const VARIANT& source);
    _variant_t(const VARIANT* source);
    _variant_t(const _variant_t& source);
    // With copy false the wrapper takes the value over and leaves `source` empty.
    _variant_t(VARIANT& source, bool copy);
    // `type` VT_I2 or VT_BOOL.
    _variant_t(short value, VARTYPE type = VT_I2);
    // `type` VT_I4, VT_ERROR or VT_BOOL.
    _variant_t(int value, VARTYPE type = VT_I4);
    _variant_t(long value, VARTYPE type = VT_I4);
    _variant_t(long long value);
    _variant_t(unsigned long long value);
    _variant_t(float value);
    // `type` VT_R8 or VT_DATE.
    _variant_t(double value, VARTYPE type = VT_R8);
    _variant_t(const CY& value);
    _variant_t(const _bstr_t& text);
    _variant_t(const char* text);
    _variant_t(const OLECHAR* text);
    _variant_t(IDispatch* object, bool addRef = true);
    _variant_t(IUnknown* object, bool addRef = true);
    _variant_t(bool value);
    _variant_t(BYTE value);
    ~_variant_t();

    _variant_t& operator=(const _variant_t& source);
    _variant_t& operator=(const VARIANT& source);

    operator short() const;
    operator int() const;
    operator long() const;
    operator long long() const;
    operator float() const;
    operator double() const;
    operator bool() const;
    operator BYTE() const;
    operator CY() const;
    operator _bstr_t() const;
    // An added reference that the caller releases.
    operator IDispatch*() const;
    operator IUnknown*() const;

    void Clear();
    // Takes `source` over, leaving it empty.
    void Attach(VARIANT& source);
    // Hands the value over, leaving the wrapper empty.
    VARIANT Detach();
    VARIANT& GetVARIANT() noexcept { return *this; }
    // Clears the value and hands out the VARIANT for an out-parameter to fill.
    VARIANT* GetAddress();
    // Converts in place (or from `source`); throws _com_error when the conversion fails.
    void ChangeType(VARTYPE type, const _variant_t* source = nullptr);
    void SetString(const char* text);

private:
    // A copy of the value as `type`, through VariantChangeType when it has another type.
    _variant_t As(VARTYPE type) const;
};
