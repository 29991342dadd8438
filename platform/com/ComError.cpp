#include "platform/com/ComError.h"

#include <cstdio>

_com_error::_com_error(HRESULT result, IErrorInfo* info, bool addRef)
    : result_(result), info_(info) {
    if (info_ != nullptr && addRef) {
        info_->AddRef();
    }
}

_com_error::_com_error(const _com_error& other) : result_(other.result_), info_(other.info_) {
    if (info_ != nullptr) {
        info_->AddRef();
    }
}

_com_error& _com_error::operator=(const _com_error& other) {
    if (this != &other) {
        if (other.info_ != nullptr) {
            other.info_->AddRef();
        }
        if (info_ != nullptr) {
            info_->Release();
        }
        result_ = other.result_;
        info_ = other.info_;
        message_.clear();
    }
    return *this;
}

_com_error::~_com_error() {
    if (info_ != nullptr) {
        info_->Release();
    }
}

IErrorInfo* _com_error::ErrorInfo() const {
    if (info_ != nullptr) {
        info_->AddRef();
    }
    return info_;
}

_bstr_t _com_error::Description() const {
    BSTR text = nullptr;
    if (info_ == nullptr || FAILED(info_->GetDescription(&text))) {
        return _bstr_t();
    }
    return _bstr_t(text, false);
}

_bstr_t _com_error::Source() const {
    BSTR text = nullptr;
    if (info_ == nullptr || FAILED(info_->GetSource(&text))) {
        return _bstr_t();
    }
    return _bstr_t(text, false);
}

const char* _com_error::ErrorMessage() const {
    if (message_.empty()) {
        char buffer[64];
        if (WCode() != 0) {
            std::snprintf(buffer, sizeof buffer, "IDispatch error #%d", WCode());
            message_ = buffer;
        } else if (*platform::ComErrorText(result_) != '\0') {
            message_ = platform::ComErrorText(result_);
        } else {
            std::snprintf(buffer, sizeof buffer, "Unknown error 0x%0lX",
                          static_cast<unsigned long>(static_cast<ULONG>(result_)));
            message_ = buffer;
        }
    }
    return message_.c_str();
}

HRESULT _com_error::WCodeToHRESULT(WORD code) {
    return code >= 0xFE00 ? WCODE_HRESULT_LAST : WCODE_HRESULT_FIRST + code;
}

WORD _com_error::HRESULTToWCode(HRESULT result) {
    return (result >= WCODE_HRESULT_FIRST && result <= WCODE_HRESULT_LAST)
               ? static_cast<WORD>(result - WCODE_HRESULT_FIRST)
               : 0;
}

void _com_issue_error(HRESULT result) {
    throw _com_error(result);
}

void _com_issue_errorex(HRESULT result, IUnknown* object, REFIID iid) {
    IErrorInfo* info = nullptr;
    ISupportErrorInfo* support = nullptr;
    if (object != nullptr && SUCCEEDED(object->QueryInterface(
                                 IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)))) {
        if (support->InterfaceSupportsErrorInfo(iid) == S_OK && GetErrorInfo(0, &info) != S_OK) {
            info = nullptr;
        }
        support->Release();
    }
    throw _com_error(result, info);
}
