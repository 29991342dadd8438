// Whole-file writes that never leave a half-written file behind: the bytes go to a temporary file
// beside the destination, which then replaces it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace platform {

bool ReplaceFileContents(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace platform
