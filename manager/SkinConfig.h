// The skin file data\config.dat: marker lines in square brackets, each followed by its value line
// (comment lines beginning "//" are passed over); a page's value is the path of its background
// bitmap, relative to the program folder. The file ships with the program and is never written.
#pragma once

#include <cstddef>

inline constexpr char kSkinConfigFile[] = "data\\config.dat";

inline constexpr char kMainSkinKey[] = "[BITMAP_BACKGROUND_MAIN]";
inline constexpr char kCalendarSkinKey[] = "[BITMAP_BACKGROUND_CALENDAR]";
inline constexpr char kOptionSkinKey[] = "[BITMAP_BACKGROUND_OPTION]";
inline constexpr char kAboutSkinKey[] = "[BITMAP_BACKGROUND_ABOUT]";

// Copies the value line after the first line that begins with `key` into `value` (at most
// size - 1 bytes and a terminator; the rest of a longer line is dropped). 0 when found; 1 when
// the file cannot be read, or has no such line or no value line after it.
int ReadSkinValue(const char* file, const char* key, char* value, std::size_t size);
