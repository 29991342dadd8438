#include "platform/files/UserProfile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/files/Path.h"
#include "platform/text/Gbk.h"

namespace platform {

std::filesystem::path UserProfile::Home() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    if (const passwd* account = getpwuid(getuid());
        account != nullptr && account->pw_dir != nullptr && account->pw_dir[0] == '/') {
        return account->pw_dir;
    }
    return "/";
}

std::filesystem::path UserProfile::AppData() {
    return Home() / ".local" / "share";
}

std::filesystem::path UserProfile::ConfigFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path config = configHome != nullptr && configHome[0] == '/'
                                       ? std::filesystem::path(configHome)
                                       : Home() / ".config";
    return config / "larchway";
}

std::filesystem::path UserProfile::WindowsFolder() {
    return ConfigFolder() / "windows";
}

std::filesystem::path UserProfile::SystemFolder() {
    return WindowsFolder() / "system32";
}

std::optional<std::string> UserProfile::WindowsVariable(std::string_view name) {
    auto is = [name](std::string_view known) { return CompareNoCase(name, known) == 0; };
    if (is("USERPROFILE")) {
        return ToWindowsPath(Home());
    }
    if (is("APPDATA")) {
        return ToWindowsPath(AppData());
    }
    if (is("windir") || is("SystemRoot")) {
        return ToWindowsPath(WindowsFolder());
    }
    if (is("HOMEDRIVE") || is("HOMEPATH")) {
        // A Windows path of the form "X:\...": the drive is its first two bytes.
        std::string profile = ToWindowsPath(Home());
        if (is("HOMEDRIVE")) {
            return profile.substr(0, 2);
        }
        return profile.size() > 2 ? profile.substr(2) : std::string("\\");
    }
    return std::nullopt;
}

}  // namespace platform
