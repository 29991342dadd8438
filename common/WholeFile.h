// Files read and written whole. A write goes through a sibling temporary file and a rename, so
// that a failed write leaves the previous file as it was and a reader never sees half a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Files larger than this are refused: the programs' data files are small, and a damaged or
// hostile one must not size a buffer.
inline constexpr std::size_t kMaxWholeFileSize = 64 * 1024 * 1024;

// False when the file cannot be opened or read, or is larger than kMaxWholeFileSize.
bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes);
// True when the file holds exactly the bytes. A temporary file left by an interrupted write is
// removed first.
bool WriteWholeFile(const char* path, std::string_view bytes);
