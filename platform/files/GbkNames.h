// Rules for GBK file names and paths on top of the character rules of platform/text/Gbk.h: a
// second byte may be '\\', '|' or an ASCII letter, so every scan steps over whole characters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

bool IsPathSeparator(char c);

// The names between separators; empty names (doubled separators) are dropped.
std::vector<std::string> SplitPathNames(std::string_view path);

bool HasWildcard(std::string_view name);

// '*' matches any run of characters and '?' exactly one; letters match either case. A pattern
// ending in "." followed only by '*'s also matches where the name ends, so "*.*" takes names
// without a dot.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// False for names the original platform refuses: control characters or any of <>:"| (and ? *
// unless `allowWildcards`).
bool IsValidName(std::string_view name, bool allowWildcards);

}  // namespace platform
