#include "manager/ManagerDirectoryChain.h"

#include <string>

#include "platform/files/FileApi.h"

namespace manager {

int CreateDirectoryChain(const char* path) {
    const std::string text = path != nullptr ? path : "";
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A GBK lead byte's second byte may be 0x5C; it is no separator.
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x81 && byte <= 0xFE && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (text[i] == '\\' && i >= 3) {
            ::CreateDirectoryA(text.substr(0, i + 1).c_str(), nullptr);
        }
    }
    return 0;
}

}  // namespace manager
