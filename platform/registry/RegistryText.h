// The text form of the whole registry as it is kept in its file:
//
//   larchway-registry 1
//   key "HKEY_CURRENT_USER" 0000000000000000
//   key "HKEY_CURRENT_USER\Software" 01DA0C5E7B3A1F00
//   value "ver" 1 "0.9%00"
//   end 2 1
//
// Keys come parent first, each followed by its values; the time is the key's last write time in
// FILETIME units, 16 hexadecimal digits. Names and data are quoted, with every byte outside
// 0x21..0x7E and every '%', '"' and '\' written as %XX, so any bytes survive and "\" only ever
// separates the levels of a key path. The closing line counts the keys and values, so that a
// truncated file is told from a whole one.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "platform/registry/RegistryNode.h"

namespace platform {

// The names of the predefined roots, which are the top node's children.
inline constexpr std::array<std::string_view, 5> kRegistryRootNames = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_CURRENT_CONFIG"};

// A top node holding the empty roots.
std::unique_ptr<RegistryNode> NewRegistry();

std::string FormatRegistryText(const RegistryNode& top);
// The registry the text describes, with any root it lacks added empty; nullptr unless the text is
// whole and well formed (every line, name, length and count checked).
std::unique_ptr<RegistryNode> ParseRegistryText(std::string_view text);

}  // namespace platform
