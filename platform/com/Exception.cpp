#include "platform/com/Exception.h"

#include <cstring>
#include <string_view>

#include "platform/text/Gbk.h"

void CException::Delete() {
    if (m_bAutoDelete) {
        delete this;
    }
}

BOOL CException::GetErrorMessage(LPTSTR buffer, UINT maxBytes, UINT* helpContext) const {
    if (helpContext != nullptr) {
        *helpContext = 0;
    }
    return CopyMessage("", buffer, maxBytes);
}

BOOL CException::CopyMessage(const char* message, LPTSTR buffer, UINT maxBytes) {
    if (buffer == nullptr || maxBytes == 0) {
        return FALSE;
    }
    std::string_view text = message;
    const size_t length = platform::CutAtCharBoundary(text, maxBytes - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return text.empty() ? FALSE : TRUE;
}
