#include "common/TruncateText.h"

#include <cstring>
#include <string>

int TruncateText(char* text, int width) {
    const std::size_t length = std::strlen(text);
    if (width >= 0 && length <= static_cast<std::size_t>(width)) {
        return 1;
    }
    const long long wanted = static_cast<long long>(width) - 4;
    std::size_t kept = 0;
    do {
        const bool lead = static_cast<unsigned char>(text[kept]) >= 0x80 && text[kept + 1] != '\0';
        kept += lead ? 2 : 1;
    } while (static_cast<long long>(kept) < wanted);
    if (kept + 3 > length) {
        return 1;
    }
    std::memcpy(text + kept, "...", 4);
    return 0;
}

int TruncateText(CString& text, int width) {
    std::string bytes(static_cast<const char*>(text));
    const int result = TruncateText(bytes.data(), width);
    if (result == 0) {
        text = bytes.c_str();
    }
    return result;
}
