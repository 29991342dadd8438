// Where each special folder is (see the table in ShellFolderApi.h).
#pragma once

#include <optional>
#include <string>

namespace platform {

class SpecialFolders {
public:
    // The folder's Windows path (GBK), whether it exists or not; nothing for an unknown folder.
    // A folder the shell keeps in the registry is read from there; when the registry does not
    // name it yet, its default is written there first (as REG_EXPAND_SZ), so that programs that
    // read the registry themselves find the same folder.
    static std::optional<std::string> PathOf(int csidl);
    // Writes the default of every folder the registry does not name yet, as a fresh profile has
    // them; programs start with this, so a folder they read from the registry is always there.
    static void SeedRegistry();
};

}  // namespace platform
