// Resource types and names as one comparable text: a number n becomes "#n" (the form the original
// platform itself accepts for numbered names), and a name its ASCII upper case, since names match
// without case there.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string ResourceKey(unsigned number);
// `name` is a real string; "#123" is the same key as the number 123.
std::string ResourceKey(std::string_view name);

}  // namespace platform
