#include "browser/SafeRelativePath.h"

#include "platform/text/Gbk.h"

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// "..", and the forms that the original platform reads as "." or ".." (trailing dots and spaces
// are dropped from names there).
bool IsDotsOnly(std::string_view name) {
    for (const char c : name) {
        if (c != '.' && c != ' ') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsSafeRelativePath(std::string_view path) {
    if (path.empty() || IsSeparator(path.front())) {
        return false;
    }
    size_t nameStart = 0;
    for (size_t at = 0; at < path.size();) {
        const size_t length = platform::CharLengthAt(path, at);
        if (length == 1 && path[at] == ':') {
            return false;
        }
        if (length == 1 && IsSeparator(path[at])) {
            const std::string_view name = path.substr(nameStart, at - nameStart);
            if (!name.empty() && IsDotsOnly(name)) {
                return false;
            }
            nameStart = at + 1;
        }
        at += length;
    }
    const std::string_view fileName = path.substr(nameStart);
    return !fileName.empty() && !IsDotsOnly(fileName);
}
