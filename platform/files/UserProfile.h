// The user's own folders, as programs written for the original platform know them: the profile
// (%USERPROFILE%) is the home folder, application data (%APPDATA%) is ~/.local/share, and the
// Windows folder (%windir%, %SystemRoot%, GetWindowsDirectoryA) is a folder of this platform's
// own, "larchway/windows" in the user's configuration folder beside the registry file, so that
// files a program puts there stay with the user. Paths given as Windows text are GBK with drive
// letters (Z: is the Linux root, see Path.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class UserProfile {
public:
    // $HOME when it is an absolute path, else the account's home folder, else "/".
    static std::filesystem::path Home();
    static std::filesystem::path AppData();
    // $XDG_CONFIG_HOME/larchway when that is absolute, else ~/.config/larchway.
    static std::filesystem::path ConfigFolder();
    static std::filesystem::path WindowsFolder();
    // The Windows folder's "system32".
    static std::filesystem::path SystemFolder();

    // The Windows text of the variables this platform defines itself, whatever the case of the
    // name: USERPROFILE, APPDATA, windir, SystemRoot, HOMEDRIVE (the profile's drive, "Z:") and
    // HOMEPATH (the rest of the profile's path, "\home\ann"). Nothing for other names.
    static std::optional<std::string> WindowsVariable(std::string_view name);
};

}  // namespace platform
