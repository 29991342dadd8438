// The check that a path taken from outside (the update file list, a zip entry's name) stays below
// the folder it is put under.
#pragma once

#include <string_view>

// True for a relative file path (GBK, either separator) that cannot leave its folder: not empty,
// no drive or other ':', no leading separator (root or network path), no name made only of dots
// and spaces (such as ".."), and a file name after the last separator.
bool IsSafeRelativePath(std::string_view path);
