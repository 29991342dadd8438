#include "platform/com/BstrT.h"

#include <string_view>

#include "platform/com/ComError.h"
#include "platform/com/VariantT.h"

namespace {

BSTR Duplicate(BSTR text) {
    if (text == nullptr) {
        return nullptr;
    }
    BSTR copy = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(text), SysStringByteLen(text));
    if (copy == nullptr) {
        _com_issue_error(E_OUTOFMEMORY);
    }
    return copy;
}

BSTR Concatenate(std::u16string_view a, std::u16string_view b) {
    std::u16string joined;
    joined.reserve(a.size() + b.size());
    joined.append(a).append(b);
    BSTR text = platform::BstrFromUtf16(joined);
    if (text == nullptr) {
        _com_issue_error(E_OUTOFMEMORY);
    }
    return text;
}

}  // namespace

std::shared_ptr<_bstr_t::Data> _bstr_t::Own(BSTR text) {
    return std::make_shared<Data>(text);
}

_bstr_t::_bstr_t(const char* text) {
    if (text != nullptr) {
        BSTR converted = platform::BstrFromGbk(text);
        if (converted == nullptr) {
            _com_issue_error(E_OUTOFMEMORY);
        }
        data_ = Own(converted);
    }
}

_bstr_t::_bstr_t(const OLECHAR* text) {
    if (text != nullptr) {
        BSTR copy = SysAllocString(text);
        if (copy == nullptr) {
            _com_issue_error(E_OUTOFMEMORY);
        }
        data_ = Own(copy);
    }
}

_bstr_t::_bstr_t(const _variant_t& value) {
    if (value.vt == VT_BSTR) {
        data_ = Own(Duplicate(value.bstrVal));
        return;
    }
    _variant_t text;
    HRESULT result = VariantChangeType(&text, const_cast<_variant_t*>(&value), 0, VT_BSTR);
    if (FAILED(result)) {
        _com_issue_error(result);
    }
    data_ = Own(text.Detach().bstrVal);
}

_bstr_t::_bstr_t(BSTR text, bool copy) {
    data_ = Own(copy ? Duplicate(text) : text);
}

_bstr_t& _bstr_t::operator=(const char* text) {
    return *this = _bstr_t(text);
}

_bstr_t& _bstr_t::operator=(const OLECHAR* text) {
    return *this = _bstr_t(text);
}

_bstr_t& _bstr_t::operator=(const _variant_t& value) {
    return *this = _bstr_t(value);
}

_bstr_t& _bstr_t::operator+=(const _bstr_t& other) {
    data_ =
        Own(Concatenate(platform::ViewOfBstr(GetBSTR()), platform::ViewOfBstr(other.GetBSTR())));
    return *this;
}

_bstr_t _bstr_t::operator+(const _bstr_t& other) const {
    _bstr_t joined = *this;
    joined += other;
    return joined;
}

_bstr_t operator+(const char* a, const _bstr_t& b) {
    return _bstr_t(a) + b;
}

_bstr_t operator+(const OLECHAR* a, const _bstr_t& b) {
    return _bstr_t(a) + b;
}

_bstr_t::operator const OLECHAR*() const noexcept {
    return GetBSTR();
}

_bstr_t::operator OLECHAR*() const noexcept {
    return GetBSTR();
}

_bstr_t::operator const char*() const {
    if (data_ == nullptr) {
        return nullptr;
    }
    if (data_->narrow == nullptr) {
        data_->narrow = std::make_unique<std::string>(platform::GbkFromBstr(data_->wide));
    }
    return data_->narrow->c_str();
}

_bstr_t::operator char*() const {
    return const_cast<char*>(static_cast<const char*>(*this));
}

int _bstr_t::Compare(const _bstr_t& other) const noexcept {
    return platform::ViewOfBstr(GetBSTR()).compare(platform::ViewOfBstr(other.GetBSTR()));
}

unsigned int _bstr_t::length() const noexcept {
    return SysStringLen(GetBSTR());
}

BSTR _bstr_t::copy(bool copy) const {
    return copy ? Duplicate(GetBSTR()) : GetBSTR();
}

BSTR _bstr_t::GetBSTR() const noexcept {
    return data_ != nullptr ? data_->wide : nullptr;
}

BSTR* _bstr_t::GetAddress() {
    data_ = Own(nullptr);
    return &data_->wide;
}

void _bstr_t::Attach(BSTR text) {
    data_ = Own(text);
}

BSTR _bstr_t::Detach() {
    if (data_ == nullptr) {
        return nullptr;
    }
    BSTR text;
    if (data_.use_count() == 1) {
        text = data_->wide;
        data_->wide = nullptr;
    } else {
        text = Duplicate(data_->wide);
    }
    data_.reset();
    return text;
}

void _bstr_t::Assign(BSTR text) {
    data_ = Own(Duplicate(text));
}
