#include "platform/commondialogs/SpecialFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/commondialogs/ShellFolderApi.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/registry/Registry.h"

namespace platform {

namespace {

struct Folder {
    int csidl;
    const char* registryName;  // null when the registry names none
    const char* underHome;
};

constexpr Folder kFolders[] = {
    {CSIDL_DESKTOP, "Desktop", "Desktop"},
    {CSIDL_DESKTOPDIRECTORY, "Desktop", "Desktop"},
    {CSIDL_PERSONAL, "Personal", "Documents"},
    {CSIDL_FAVORITES, "Favorites", "Favorites"},
    {CSIDL_MYMUSIC, "My Music", "Music"},
    {CSIDL_MYPICTURES, "My Pictures", "Pictures"},
    {CSIDL_APPDATA, "AppData", ".local/share"},
    {CSIDL_PROGRAM_FILES, nullptr, ".local/opt"},
    {CSIDL_PROFILE, nullptr, ""},
};

std::optional<std::string> FromRegistry(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                      0, KEY_READ, &key) != ERROR_SUCCESS) {
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
    char expanded[MAX_PATH] = {};
    const DWORD length = ExpandEnvironmentStringsA(value, expanded, sizeof expanded);
    if (length == 0 || length > sizeof expanded) {
        return std::nullopt;
    }
    return std::string(expanded);
}

}  // namespace

std::filesystem::path SpecialFolders::Home() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    if (const passwd* account = getpwuid(getuid());
        account != nullptr && account->pw_dir != nullptr) {
        return account->pw_dir;
    }
    return "/";
}

std::optional<std::string> SpecialFolders::PathOf(int csidl) {
    for (const Folder& folder : kFolders) {
        if (folder.csidl != csidl) {
            continue;
        }
        if (folder.registryName != nullptr) {
            if (std::optional<std::string> named = FromRegistry(folder.registryName)) {
                return named;
            }
        }
        std::filesystem::path path = Home();
        if (folder.underHome[0] != '\0') {
            path /= folder.underHome;
        }
        return ToWindowsPath(path);
    }
    return std::nullopt;
}

}  // namespace platform
