#include "platform/files/PathResolution.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include <system_error>

#include "platform/files/DriveMap.h"
#include "platform/files/FileApi.h"
#include "platform/files/GbkNames.h"
#include "platform/text/Encoding.h"
#include "platform/text/Gbk.h"

namespace platform {
namespace {

bool HasAsciiLetter(std::string_view name) {
    for (std::size_t i = 0; i < name.size();) {
        std::size_t length = CharLengthAt(name, i);
        char c = name[i];
        if (length == 1 && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
            return true;
        }
        i += length;
    }
    return false;
}

bool Exists(const std::filesystem::path& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares UTF-8 names, where every byte of a multi-byte character is 0x80 or above. Two names
// that differ only in ASCII case in GBK differ only in ASCII case in UTF-8 too, so names on disk
// are compared without converting each of them.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// The on-disk name in `folder` that equals the GBK `name` ignoring case; of several, the first in
// byte order, so that the choice does not depend on the order of the folder listing.
std::optional<std::string> FindNameIgnoringCase(const std::filesystem::path& folder,
                                                std::string_view name) {
    if (!HasAsciiLetter(name)) {
        return std::nullopt;
    }
    std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(folder.c_str()), closedir);
    if (!listing) {
        return std::nullopt;
    }
    std::string wanted = GbkToUtf8(name);
    std::optional<std::string> best;
    while (const dirent* entry = readdir(listing.get())) {
        std::string_view candidate = entry->d_name;
        if (EqualIgnoringAsciiCase(candidate, wanted) && (!best || candidate < *best)) {
            best = std::string(candidate);
        }
    }
    return best;
}

}  // namespace

WindowsPath WindowsPathOf(const std::filesystem::path& linuxPath) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(linuxPath, error);
    if (error) {
        absolute = std::filesystem::path("/") / linuxPath;
    }
    DriveMap::Placement placement = DriveMap::Instance().Place(absolute.lexically_normal());
    std::vector<std::string> names;
    for (const std::filesystem::path& name : placement.relative) {
        if (!name.empty() && name != "." && name != "..") {
            names.push_back(Utf8ToGbk(name.native()));
        }
    }
    return WindowsPath(placement.drive, std::move(names));
}

WindowsPath CurrentWindowsFolder() {
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    if (error) {
        return WindowsPath('Z', {});
    }
    return WindowsPathOf(current);
}

std::optional<WindowsPath> ParseWindowsPath(std::string_view text) {
    if (WindowsPath::IsFullyQualified(text)) {
        return WindowsPath::Parse(text, WindowsPath('Z', {}));
    }
    return WindowsPath::Parse(text, CurrentWindowsFolder());
}

DWORD CheckNames(const WindowsPath& path, bool patternInLastName) {
    const std::vector<std::string>& names = path.names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        bool last = i + 1 == names.size();
        if (!IsValidName(names[i], patternInLastName && last)) {
            return ERROR_INVALID_NAME;
        }
    }
    return ERROR_SUCCESS;
}

ResolvedPath ResolveParsed(const WindowsPath& path) {
    std::optional<std::filesystem::path> root = DriveMap::Instance().RootOf(path.drive());
    if (!root) {
        return {ERROR_PATH_NOT_FOUND, {}};
    }
    std::filesystem::path current = *root;
    bool walking_existing = true;
    for (const std::string& name : path.names()) {
        std::filesystem::path candidate = current / GbkToUtf8(name);
        if (walking_existing && !Exists(candidate)) {
            if (std::optional<std::string> match = FindNameIgnoringCase(current, name)) {
                candidate = current / *match;
            } else {
                walking_existing = false;
            }
        }
        current = std::move(candidate);
    }
    return {ERROR_SUCCESS, std::move(current)};
}

ResolvedPath ResolveWindowsPath(std::string_view text) {
    std::optional<WindowsPath> parsed = ParseWindowsPath(text);
    if (!parsed) {
        return {ERROR_PATH_NOT_FOUND, {}};
    }
    if (DWORD error = CheckNames(*parsed, false); error != ERROR_SUCCESS) {
        return {error, {}};
    }
    return ResolveParsed(*parsed);
}

}  // namespace platform
