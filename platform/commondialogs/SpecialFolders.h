// Where each special folder is (see the table in ShellFolderApi.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

class SpecialFolders {
public:
    // The folder's Windows path (GBK), whether it exists or not; nothing for an unknown folder.
    static std::optional<std::string> PathOf(int csidl);

    // $HOME, else the account's home folder.
    static std::filesystem::path Home();
};

}  // namespace platform
