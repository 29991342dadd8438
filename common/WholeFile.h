// Files read and written whole. A write goes to a temporary file beside the target, which then
// replaces it, so that a failed write leaves the previous file whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Files larger than this are refused: the programs' data files are small, and a damaged or
// hostile one must not size a buffer.
inline constexpr std::size_t kMaxWholeFileSize = 64 * 1024 * 1024;

// False when the file cannot be opened or read, or is larger than kMaxWholeFileSize.
bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes);
// A temporary file left by an interrupted write is removed first. False when the file cannot be
// written; the previous file is then unchanged.
bool WriteWholeFile(const char* path, const void* bytes, std::size_t length);
