#include "platform/commondialogs/SpecialFolders.h"

#include <cstring>

#include "platform/commondialogs/ShellFolderApi.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/files/UserProfile.h"
#include "platform/registry/Registry.h"

namespace platform {

namespace {

constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

struct Folder {
    int csidl;
    // The registry's name for it; null when the registry names none.
    const char* registryName;
    // The default, with environment strings.
    const char* path;
};

constexpr Folder kFolders[] = {
    {CSIDL_DESKTOP, "Desktop", "%USERPROFILE%\\Desktop"},
    {CSIDL_DESKTOPDIRECTORY, "Desktop", "%USERPROFILE%\\Desktop"},
    {CSIDL_PERSONAL, "Personal", "%USERPROFILE%\\Documents"},
    {CSIDL_FAVORITES, "Favorites", "%USERPROFILE%\\Favorites"},
    {CSIDL_MYMUSIC, "My Music", "%USERPROFILE%\\Music"},
    {CSIDL_MYPICTURES, "My Pictures", "%USERPROFILE%\\Pictures"},
    {CSIDL_APPDATA, "AppData", "%APPDATA%"},
    {CSIDL_PROGRAM_FILES, nullptr, "%USERPROFILE%\\.local\\opt"},
    {CSIDL_PROFILE, nullptr, "%USERPROFILE%"},
};

std::optional<std::string> Expanded(const char* text) {
    char expanded[MAX_PATH] = {};
    const DWORD length = ExpandEnvironmentStringsA(text, expanded, sizeof expanded);
    if (length == 0 || length > sizeof expanded) {
        return std::nullopt;
    }
    return std::string(expanded);
}

// The registry's text for the folder; nothing when it names none (or not as a usable string).
std::optional<std::string> FromRegistry(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    char value[MAX_PATH] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    const LSTATUS status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || value[0] == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

bool HasRegistryValue(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    const bool found =
        RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

// A registry that cannot be written leaves the default in force all the same.
void SeedFolder(const Folder& folder) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, folder.registryName, 0, REG_EXPAND_SZ,
                   reinterpret_cast<const BYTE*>(folder.path),
                   static_cast<DWORD>(std::strlen(folder.path) + 1));
    RegCloseKey(key);
}

}  // namespace

void SpecialFolders::SeedRegistry() {
    for (const Folder& folder : kFolders) {
        if (folder.registryName != nullptr && !HasRegistryValue(folder.registryName)) {
            SeedFolder(folder);
        }
    }
}

std::optional<std::string> SpecialFolders::PathOf(int csidl) {
    for (const Folder& folder : kFolders) {
        if (folder.csidl != csidl) {
            continue;
        }
        if (folder.registryName != nullptr) {
            if (std::optional<std::string> named = FromRegistry(folder.registryName)) {
                if (std::optional<std::string> path = Expanded(named->c_str())) {
                    return path;
                }
            } else if (!HasRegistryValue(folder.registryName)) {
                SeedFolder(folder);
            }
        }
        return Expanded(folder.path);
    }
    return std::nullopt;
}

}  // namespace platform
