// String tables are stored as the original platform stores them: string `id` lives in block
// (id / 16) + 1 at slot id % 16, and a block holds its 16 slots in order, each a 16-bit byte
// count followed by the GBK bytes (no terminator). An empty slot means "no string".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr unsigned kStringsPerBlock = 16;

inline unsigned StringBlockId(unsigned stringId) {
    return stringId / kStringsPerBlock + 1;
}

std::vector<std::uint8_t> EncodeStringBlock(const std::array<std::string, kStringsPerBlock>& slots);
// The text at `slot` (0..15); empty when the slot is empty or the block is broken.
std::optional<std::string_view> FindInStringBlock(std::span<const std::uint8_t> block,
                                                  unsigned slot);

}  // namespace platform
