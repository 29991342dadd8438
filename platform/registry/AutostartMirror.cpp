#include "platform/registry/AutostartMirror.h"

#include <cctype>

#include <cstdlib>
#include <fstream>
#include <system_error>

#include "platform/files/Path.h"

namespace platform {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// One argument of an Exec line: quoted, with the characters that the quoting rules of the
// desktop entry format reserve escaped, then every backslash doubled for the string value.
std::string ExecArgument(std::string_view word) {
    std::string quoted = "\"";
    for (char c : word) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        if (c == '\\') {
            value += '\\';
        }
        // A percent sign would start a field code.
        if (c == '%') {
            value += '%';
        }
        value += c;
    }
    return value;
}

// Line breaks and control characters cannot stand in a desktop entry's value.
bool HasControl(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsRunKeyPath(const std::vector<std::string>& path) {
    static constexpr std::string_view kRun[] = {"Software", "Microsoft", "Windows",
                                                "CurrentVersion", "Run"};
    if (path.size() != 1 + std::size(kRun) ||
        (path[0] != "HKEY_LOCAL_MACHINE" && path[0] != "HKEY_CURRENT_USER")) {
        return false;
    }
    for (std::size_t i = 0; i < std::size(kRun); ++i) {
        if (!SameName(path[i + 1], kRun[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::filesystem::path> AutostartEntryPath(std::string_view root,
                                                        std::string_view name) {
    std::filesystem::path folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
        folder = std::filesystem::path(home) / ".config";
    } else {
        return std::nullopt;
    }
    // Value names may hold any character and match ignoring case; the file name keeps the safe
    // ones in lower case, so that "A" and "a" name the same entry.
    std::string file = root == "HKEY_CURRENT_USER" ? "larchway-hkcu-" : "larchway-hklm-";
    for (char c : name) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        file += safe ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : '_';
    }
    return folder / "autostart" / (file + ".desktop");
}

std::optional<std::string> AutostartEntryText(std::string_view name, std::string_view commandLine) {
    std::size_t start = commandLine.find_first_not_of(' ');
    if (start == std::string_view::npos || HasControl(commandLine) || HasControl(name)) {
        return std::nullopt;
    }
    std::string_view program;
    std::string_view rest;
    if (commandLine[start] == '"') {
        const std::size_t end = commandLine.find('"', start + 1);
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        program = commandLine.substr(start + 1, end - start - 1);
        rest = commandLine.substr(end + 1);
    } else {
        const std::size_t end = commandLine.find(' ', start);
        program = commandLine.substr(start, end == std::string_view::npos ? end : end - start);
        rest = end == std::string_view::npos ? std::string_view() : commandLine.substr(end);
    }
    const std::optional<std::filesystem::path> linux = ResolvePath(program);
    if (!linux || !linux->has_parent_path()) {
        return std::nullopt;
    }
    std::string exec = ExecArgument(linux->string());
    std::size_t at = 0;
    while ((at = rest.find_first_not_of(' ', at)) != std::string_view::npos) {
        std::size_t end = rest.find(' ', at);
        if (rest[at] == '"') {
            const std::size_t close = rest.find('"', at + 1);
            end = close == std::string_view::npos ? close : close + 1;
            exec += " " +
                    ExecArgument(rest.substr(
                        at + 1, (close == std::string_view::npos ? rest.size() : close) - at - 1));
        } else {
            exec +=
                " " + ExecArgument(rest.substr(
                          at, end == std::string_view::npos ? std::string_view::npos : end - at));
        }
        at = end;
    }
    return "[Desktop Entry]\nType=Application\nName=" + std::string(name) + "\nExec=" + exec +
           "\nPath=" + linux->parent_path().string() + "\nX-GNOME-Autostart-enabled=true\n";
}

void MirrorRunValue(std::string_view root, std::string_view name, std::string_view commandLine) {
    const std::optional<std::filesystem::path> path = AutostartEntryPath(root, name);
    if (!path) {
        return;
    }
    const std::optional<std::string> text = AutostartEntryText(name, commandLine);
    if (!text) {
        RemoveRunMirror(root, name);
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(path->parent_path(), error);
    std::filesystem::path temporary = *path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << *text;
        if (!out.flush()) {
            std::filesystem::remove(temporary, error);
            return;
        }
    }
    std::filesystem::rename(temporary, *path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
    }
}

void RemoveRunMirror(std::string_view root, std::string_view name) {
    if (const std::optional<std::filesystem::path> path = AutostartEntryPath(root, name)) {
        std::error_code error;
        std::filesystem::remove(*path, error);
    }
}

}  // namespace platform
