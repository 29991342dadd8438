#include "platform/resources/StringBlock.h"

#include "platform/resources/ByteWriter.h"

namespace platform {

std::vector<std::uint8_t> EncodeStringBlock(
    const std::array<std::string, kStringsPerBlock>& slots) {
    ByteWriter out;
    for (const std::string& text : slots) {
        out.Text(text);
    }
    return out.Take();
}

std::optional<std::string_view> FindInStringBlock(std::span<const std::uint8_t> block,
                                                  unsigned slot) {
    size_t offset = 0;
    for (unsigned index = 0; index < kStringsPerBlock; ++index) {
        if (block.size() - offset < 2) {
            return std::nullopt;
        }
        size_t length = block[offset] | (block[offset + 1] << 8);
        offset += 2;
        if (block.size() - offset < length) {
            return std::nullopt;
        }
        if (index == slot) {
            if (length == 0) {
                return std::nullopt;
            }
            return std::string_view(reinterpret_cast<const char*>(block.data() + offset), length);
        }
        offset += length;
    }
    return std::nullopt;
}

}  // namespace platform
