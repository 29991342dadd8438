#include "platform/registry/RegistryPath.h"

#include "platform/text/Gbk.h"

namespace platform {

std::optional<std::vector<std::string>> SplitRegistryPath(std::string_view path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t separator = FindChar(path, '\\', start);
        std::size_t end = separator == std::string_view::npos ? path.size() : separator;
        if (end > start) {
            if (end - start > kMaxKeyNameLength || names.size() == kMaxKeyDepth) {
                return std::nullopt;
            }
            names.emplace_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

}  // namespace platform
