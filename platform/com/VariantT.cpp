#include "platform/com/VariantT.h"

#include "platform/com/ComError.h"

namespace {

void Check(HRESULT result) {
    if (FAILED(result)) {
        _com_issue_error(result);
    }
}

}  // namespace

_variant_t::_variant_t() noexcept {
    VariantInit(this);
}

_variant_t::_variant_t(const VARIANT& source) {
    VariantInit(this);
    Check(VariantCopy(this, &source));
}

_variant_t::_variant_t(const VARIANT* source) {
    VariantInit(this);
    if (source == nullptr) {
        _com_issue_error(E_POINTER);
    }
    Check(VariantCopy(this, source));
}

_variant_t::_variant_t(const _variant_t& source) : VARIANT() {
    VariantInit(this);
    Check(VariantCopy(this, &source));
}

_variant_t::_variant_t(VARIANT& source, bool copy) {
    VariantInit(this);
    if (copy) {
        Check(VariantCopy(this, &source));
    } else {
        static_cast<VARIANT&>(*this) = source;
        source.vt = VT_EMPTY;
    }
}

_variant_t::_variant_t(short value, VARTYPE type) {
    VariantInit(this);
    if (type == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (type == VT_I2) {
        vt = VT_I2;
        iVal = value;
    } else {
        _com_issue_error(E_INVALIDARG);
    }
}

_variant_t::_variant_t(int value, VARTYPE type) {
    VariantInit(this);
    if (type == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (type == VT_ERROR) {
        vt = VT_ERROR;
        scode = value;
    } else if (type == VT_I4) {
        vt = VT_I4;
        lVal = value;
    } else {
        _com_issue_error(E_INVALIDARG);
    }
}

_variant_t::_variant_t(long value, VARTYPE type) : _variant_t(static_cast<int>(value), type) {}

_variant_t::_variant_t(long long value) {
    VariantInit(this);
    vt = VT_I8;
    llVal = value;
}

_variant_t::_variant_t(unsigned long long value) {
    VariantInit(this);
    vt = VT_UI8;
    ullVal = value;
}

_variant_t::_variant_t(float value) {
    VariantInit(this);
    vt = VT_R4;
    fltVal = value;
}

_variant_t::_variant_t(double value, VARTYPE type) {
    VariantInit(this);
    if (type == VT_DATE) {
        vt = VT_DATE;
        date = value;
    } else if (type == VT_R8) {
        vt = VT_R8;
        dblVal = value;
    } else {
        _com_issue_error(E_INVALIDARG);
    }
}

_variant_t::_variant_t(const CY& value) {
    VariantInit(this);
    vt = VT_CY;
    cyVal = value;
}

_variant_t::_variant_t(const _bstr_t& text) {
    VariantInit(this);
    bstrVal = text.copy();
    vt = VT_BSTR;
}

_variant_t::_variant_t(const char* text) {
    VariantInit(this);
    bstrVal = _bstr_t(text).Detach();
    vt = VT_BSTR;
}

_variant_t::_variant_t(const OLECHAR* text) {
    VariantInit(this);
    bstrVal = _bstr_t(text).Detach();
    vt = VT_BSTR;
}

_variant_t::_variant_t(IDispatch* object, bool addRef) {
    VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = object;
    if (object != nullptr && addRef) {
        object->AddRef();
    }
}

_variant_t::_variant_t(IUnknown* object, bool addRef) {
    VariantInit(this);
    vt = VT_UNKNOWN;
    punkVal = object;
    if (object != nullptr && addRef) {
        object->AddRef();
    }
}

_variant_t::_variant_t(bool value) {
    VariantInit(this);
    vt = VT_BOOL;
    boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

_variant_t::_variant_t(BYTE value) {
    VariantInit(this);
    vt = VT_UI1;
    bVal = value;
}

_variant_t::~_variant_t() {
    VariantClear(this);
}

_variant_t& _variant_t::operator=(const _variant_t& source) {
    Check(VariantCopy(this, &source));
    return *this;
}

_variant_t& _variant_t::operator=(const VARIANT& source) {
    Check(VariantCopy(this, &source));
    return *this;
}

_variant_t _variant_t::As(VARTYPE type) const {
    _variant_t value;
    Check(VariantChangeType(&value, this, 0, type));
    return value;
}

_variant_t::operator short() const {
    return vt == VT_I2 ? iVal : As(VT_I2).iVal;
}

_variant_t::operator int() const {
    return vt == VT_I4 ? lVal : As(VT_I4).lVal;
}

_variant_t::operator long() const {
    return vt == VT_I4 ? lVal : As(VT_I4).lVal;
}

_variant_t::operator long long() const {
    return vt == VT_I8 ? llVal : As(VT_I8).llVal;
}

_variant_t::operator float() const {
    return vt == VT_R4 ? fltVal : As(VT_R4).fltVal;
}

_variant_t::operator double() const {
    return vt == VT_R8 ? dblVal : As(VT_R8).dblVal;
}

_variant_t::operator bool() const {
    return (vt == VT_BOOL ? boolVal : As(VT_BOOL).boolVal) != VARIANT_FALSE;
}

_variant_t::operator BYTE() const {
    return vt == VT_UI1 ? bVal : As(VT_UI1).bVal;
}

_variant_t::operator CY() const {
    return vt == VT_CY ? cyVal : As(VT_CY).cyVal;
}

_variant_t::operator _bstr_t() const {
    return _bstr_t(*this);
}

_variant_t::operator IDispatch*() const {
    _variant_t object = As(VT_DISPATCH);
    IDispatch* result = object.pdispVal;
    object.vt = VT_EMPTY;
    return result;
}

_variant_t::operator IUnknown*() const {
    _variant_t object = As(VT_UNKNOWN);
    IUnknown* result = object.punkVal;
    object.vt = VT_EMPTY;
    return result;
}

void _variant_t::Clear() {
    Check(VariantClear(this));
}

void _variant_t::Attach(VARIANT& source) {
    Clear();
    static_cast<VARIANT&>(*this) = source;
    source.vt = VT_EMPTY;
}

VARIANT _variant_t::Detach() {
    VARIANT value = *this;
    vt = VT_EMPTY;
    return value;
}

VARIANT* _variant_t::GetAddress() {
    Clear();
    return this;
}

void _variant_t::ChangeType(VARTYPE type, const _variant_t* source) {
    Check(VariantChangeType(this, source != nullptr ? source : this, 0, type));
}

void _variant_t::SetString(const char* text) {
    BSTR converted = _bstr_t(text).Detach();
    Clear();
    vt = VT_BSTR;
    bstrVal = converted;
}
