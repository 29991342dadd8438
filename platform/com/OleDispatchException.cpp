#include "platform/com/OleDispatchException.h"

COleDispatchException::COleDispatchException(const char* description, UINT helpId, WORD code)
    : m_wCode(code), m_strDescription(description), m_dwHelpContext(helpId) {}

BOOL COleDispatchException::GetErrorMessage(LPTSTR buffer, UINT maxBytes, UINT* helpContext) const {
    if (helpContext != nullptr) {
        *helpContext = m_dwHelpContext;
    }
    return CopyMessage(m_strDescription, buffer, maxBytes);
}

void AfxThrowOleDispatchException(WORD code, const char* description, UINT helpId) {
    throw new COleDispatchException(description, helpId, code);
}
