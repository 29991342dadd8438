// Writes a file whole through a sibling temporary file and a rename, so that a failed write leaves
// the previous file as it was and a reader never sees half a file.
#pragma once

#include <string_view>

// True when the file holds exactly the bytes. A temporary file left by an interrupted write is
// removed first.
bool WriteWholeFile(const char* path, std::string_view bytes);
