#include "platform/files/WindowsPath.h"

#include "platform/files/GbkNames.h"
#include "platform/text/Gbk.h"

namespace platform {
namespace {

char UpperDrive(char letter) {
    return (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void AppendNames(std::vector<std::string>& names, std::string_view text) {
    for (std::string& name : SplitPathNames(text)) {
        if (name == ".") {
            continue;
        }
        if (name == "..") {
            if (!names.empty()) {
                names.pop_back();
            }
            continue;
        }
        names.push_back(std::move(name));
    }
}

}  // namespace

WindowsPath::WindowsPath(char drive, std::vector<std::string> names, bool endsWithSeparator)
    : drive_(UpperDrive(drive)),
      names_(std::move(names)),
      endsWithSeparator_(endsWithSeparator && !names_.empty()) {}

std::optional<WindowsPath> WindowsPath::Parse(std::string_view text, const WindowsPath& current) {
    if (text.empty()) {
        return std::nullopt;
    }
    char drive = current.drive();
    std::vector<std::string> names;
    std::string_view rest = text;
    if (text.size() >= 2 && IsDriveLetter(text[0]) && text[1] == ':') {
        drive = UpperDrive(text[0]);
        rest = text.substr(2);
        if ((rest.empty() || !IsPathSeparator(rest[0])) && drive == current.drive()) {
            names = current.names();
        }
    } else if (!IsPathSeparator(text[0])) {
        names = current.names();
    }
    AppendNames(names, rest);
    // A trailing separator counts only when it is not the second byte of a GBK character.
    bool ends_with_separator = false;
    for (std::size_t i = 0; i < rest.size();) {
        std::size_t length = CharLengthAt(rest, i);
        ends_with_separator = length == 1 && IsPathSeparator(rest[i]);
        i += length;
    }
    return WindowsPath(drive, std::move(names), ends_with_separator);
}

bool WindowsPath::IsFullyQualified(std::string_view text) {
    return text.size() >= 3 && IsDriveLetter(text[0]) && text[1] == ':' && IsPathSeparator(text[2]);
}

WindowsPath WindowsPath::Parent() const {
    if (names_.empty()) {
        return *this;
    }
    return WindowsPath(drive_, std::vector<std::string>(names_.begin(), names_.end() - 1));
}

std::string WindowsPath::ToString() const {
    std::string text{drive_, ':'};
    for (const std::string& name : names_) {
        text += '\\';
        text += name;
    }
    if (names_.empty() || endsWithSeparator_) {
        text += '\\';
    }
    return text;
}

}  // namespace platform
