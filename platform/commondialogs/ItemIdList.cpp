#include "platform/commondialogs/ItemIdList.h"

#include <cstring>
#include <limits>

#include "platform/com/ComRuntime.h"

namespace platform {

namespace {

constexpr size_t kSizeField = sizeof(USHORT);

}  // namespace

LPITEMIDLIST ItemIdList::Make(std::string_view path) {
    const size_t itemSize = kSizeField + path.size();
    if (itemSize > std::numeric_limits<USHORT>::max()) {
        return nullptr;
    }
    auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(itemSize + kSizeField));
    if (bytes == nullptr) {
        return nullptr;
    }
    const USHORT size = static_cast<USHORT>(itemSize);
    const USHORT end = 0;
    std::memcpy(bytes, &size, kSizeField);
    std::memcpy(bytes + kSizeField, path.data(), path.size());
    std::memcpy(bytes + itemSize, &end, kSizeField);
    return reinterpret_cast<LPITEMIDLIST>(bytes);
}

LPITEMIDLIST ItemIdList::MakeEmpty() {
    auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(kSizeField));
    if (bytes != nullptr) {
        std::memset(bytes, 0, kSizeField);
    }
    return reinterpret_cast<LPITEMIDLIST>(bytes);
}

std::optional<std::string> ItemIdList::PathOf(LPCITEMIDLIST list) {
    if (list == nullptr) {
        return std::nullopt;
    }
    const auto* bytes = reinterpret_cast<const BYTE*>(list);
    USHORT size = 0;
    std::memcpy(&size, bytes, kSizeField);
    if (size <= kSizeField) {
        return std::string();
    }
    return std::string(reinterpret_cast<const char*>(bytes + kSizeField), size - kSizeField);
}

}  // namespace platform
