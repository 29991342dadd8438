// Splitting of registry paths ("Software\Microsoft\x") into key names, and the registry's limits
// on names and depth.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;
// Values this large belong in files; the bound also keeps a damaged store from sizing buffers.
inline constexpr std::size_t kMaxValueDataSize = 1024 * 1024;
// Levels below a root.
inline constexpr std::size_t kMaxKeyDepth = 512;

// Only "\" separates levels, and never the second byte of a two-byte GBK character. Leading,
// trailing and doubled separators are tolerated. Nothing when a name is longer than
// kMaxKeyNameLength or the path deeper than kMaxKeyDepth.
std::optional<std::vector<std::string>> SplitRegistryPath(std::string_view path);

}  // namespace platform
