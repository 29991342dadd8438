#include "manager/RecordBytes.h"

#include "platform/text/Gbk.h"

void RecordBytes::StoreText(char* field, std::size_t size, std::string_view text) {
    std::memset(field, 0, size);
    if (size == 0) {
        return;
    }
    const std::string_view kept = text.substr(0, text.find('\0'));
    const std::size_t length = platform::CutAtCharBoundary(kept, size - 1);
    std::memcpy(field, kept.data(), length);
}
