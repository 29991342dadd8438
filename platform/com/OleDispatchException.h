// An exception an automation object raised inside a call (DISP_E_EXCEPTION), with the texts the
// object gave. Texts are GBK.
#pragma once

#include "platform/com/Exception.h"
#include "platform/com/HResult.h"
#include "platform/text/CString.h"

class COleDispatchException : public CException {
public:
    COleDispatchException(const char* description, UINT helpId, WORD code);

    // The description.
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxBytes, UINT* helpContext = nullptr) const override;

    WORD m_wCode;
    CString m_strDescription;
    DWORD m_dwHelpContext;
    CString m_strHelpFile;
    CString m_strSource;
    SCODE m_scError = S_OK;
};

// Throws `new COleDispatchException`.
[[noreturn]] void AfxThrowOleDispatchException(WORD code, const char* description, UINT helpId = 0);
