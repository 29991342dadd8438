// The framework's exception root. Framework exceptions are thrown as pointers to heap objects
// (`throw new COleException`) and the handler that catches one ends it with Delete().
#pragma once

#include "platform/base/WinTypes.h"

class CException {
public:
    explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}
    virtual ~CException() = default;
    CException(const CException&) = delete;
    CException& operator=(const CException&) = delete;

    // Frees an exception that was made on the heap to be thrown; one that was not stays.
    void Delete();

    // Copies the message into `buffer` (at most maxBytes - 1 bytes, cut at a character boundary,
    // NUL-terminated). FALSE, with an empty buffer, when there is no message.
    virtual BOOL GetErrorMessage(LPTSTR buffer, UINT maxBytes, UINT* helpContext = nullptr) const;

    BOOL m_bAutoDelete;

protected:
    // What GetErrorMessage reports; the root has none.
    static BOOL CopyMessage(const char* message, LPTSTR buffer, UINT maxBytes);
};
