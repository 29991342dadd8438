#include "platform/com/OleException.h"

#include "platform/com/OleDispatchException.h"

BOOL COleException::GetErrorMessage(LPTSTR buffer, UINT maxBytes, UINT* helpContext) const {
    if (helpContext != nullptr) {
        *helpContext = 0;
    }
    return CopyMessage(platform::ComErrorText(m_sc), buffer, maxBytes);
}

SCODE COleException::Process(const CException* exception) {
    if (const auto* ole = dynamic_cast<const COleException*>(exception)) {
        return ole->m_sc;
    }
    if (const auto* dispatch = dynamic_cast<const COleDispatchException*>(exception)) {
        return dispatch->m_scError;
    }
    return E_UNEXPECTED;
}

void AfxThrowOleException(SCODE code) {
    auto* exception = new COleException;
    exception->m_sc = code;
    throw exception;
}
