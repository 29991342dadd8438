// A failed object call reported by its result code, as the framework's dispatch helpers throw it.
#pragma once

#include "platform/com/Exception.h"
#include "platform/com/HResult.h"

class COleException : public CException {
public:
    COleException() = default;

    // The system's text for m_sc.
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxBytes, UINT* helpContext = nullptr) const override;

    // The result code an exception stands for: m_sc, a dispatch exception's m_scError,
    // E_UNEXPECTED for any other exception.
    static SCODE Process(const CException* exception);

    SCODE m_sc = S_OK;
};

// Throws `new COleException` carrying `code`.
[[noreturn]] void AfxThrowOleException(SCODE code);
