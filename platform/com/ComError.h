// The compiler's error class for failed object calls: a result code and, when the object left
// it, error information with a description.
#pragma once

#include <string>

#include "platform/com/BstrT.h"
#include "platform/com/ErrorInfo.h"

class _com_error {
public:
    // With addRef false the error takes over the caller's reference to `info`.
    explicit _com_error(HRESULT result, IErrorInfo* info = nullptr, bool addRef = false);
    _com_error(const _com_error& other);
    _com_error& operator=(const _com_error& other);
    ~_com_error();

    HRESULT Error() const noexcept { return result_; }
    // The automation error number of an interface-specific code, else 0.
    WORD WCode() const noexcept { return HRESULTToWCode(result_); }
    // An added reference, or null.
    IErrorInfo* ErrorInfo() const;
    // From the error information; empty without it.
    _bstr_t Description() const;
    _bstr_t Source() const;
    // The system's text for the code: "IDispatch error #N" for automation error numbers,
    // "Unknown error 0x8XXXXXXX" when the system has no text.
    const char* ErrorMessage() const;

    static HRESULT WCodeToHRESULT(WORD code);
    static WORD HRESULTToWCode(HRESULT result);

private:
    HRESULT result_;
    IErrorInfo* info_;
    mutable std::string message_;
};

[[noreturn]] void _com_issue_error(HRESULT result);
// Throws with the thread's error information when `object` says that `iid` leaves it.
[[noreturn]] void _com_issue_errorex(HRESULT result, IUnknown* object, REFIID iid);
