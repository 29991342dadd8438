#include "platform/files/GbkNames.h"

#include "platform/text/Gbk.h"

namespace platform {
namespace {

// Whole characters, letters folded, so that matching compares units rather than bytes.
std::vector<std::string_view> FoldedUnits(std::string_view text, std::string& storage) {
    storage = std::string(text);
    ToLowerAscii(storage);
    std::vector<std::string_view> units;
    for (std::size_t i = 0; i < storage.size();) {
        std::size_t length = CharLengthAt(storage, i);
        units.push_back(std::string_view(storage).substr(i, length));
        i += length;
    }
    return units;
}

bool OnlyDotAndStars(const std::vector<std::string_view>& pattern, std::size_t from) {
    if (from >= pattern.size() || pattern[from] != ".") {
        return false;
    }
    for (std::size_t i = from + 1; i < pattern.size(); ++i) {
        if (pattern[i] != "*") {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string> SplitPathNames(std::string_view path) {
    std::vector<std::string> names;
    std::string current;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t length = CharLengthAt(path, i);
        if (length == 1 && IsPathSeparator(path[i])) {
            if (!current.empty()) {
                names.push_back(std::move(current));
                current.clear();
            }
        } else {
            current.append(path.substr(i, length));
        }
        i += length;
    }
    if (!current.empty()) {
        names.push_back(std::move(current));
    }
    return names;
}

bool HasWildcard(std::string_view name) {
    for (std::size_t i = 0; i < name.size();) {
        std::size_t length = CharLengthAt(name, i);
        if (length == 1 && (name[i] == '*' || name[i] == '?')) {
            return true;
        }
        i += length;
    }
    return false;
}

bool MatchesWildcard(std::string_view pattern_text, std::string_view name_text) {
    std::string pattern_storage;
    std::string name_storage;
    std::vector<std::string_view> pattern = FoldedUnits(pattern_text, pattern_storage);
    std::vector<std::string_view> name = FoldedUnits(name_text, name_storage);

    // Greedy matching with one backtrack point: the last '*' seen and where its run ended.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = pattern.size();
    std::size_t star_name = 0;
    while (true) {
        if (n == name.size()) {
            while (p < pattern.size() && pattern[p] == "*") {
                ++p;
            }
            if (p == pattern.size() || OnlyDotAndStars(pattern, p)) {
                return true;
            }
        } else if (p < pattern.size() && pattern[p] == "*") {
            star = p++;
            star_name = n;
            continue;
        } else if (p < pattern.size() && (pattern[p] == "?" || pattern[p] == name[n])) {
            ++p;
            ++n;
            continue;
        }
        if (star == pattern.size() || star_name == name.size()) {
            return false;
        }
        p = star + 1;
        n = ++star_name;
    }
}

bool IsValidName(std::string_view name, bool allowWildcards) {
    for (std::size_t i = 0; i < name.size();) {
        std::size_t length = CharLengthAt(name, i);
        if (length == 1) {
            auto byte = static_cast<unsigned char>(name[i]);
            if (byte < 0x20) {
                return false;
            }
            switch (name[i]) {
                case '<':
                case '>':
                case ':':
                case '"':
                case '|':
                    return false;
                case '*':
                case '?':
                    if (!allowWildcards) {
                        return false;
                    }
                    break;
                default:
                    break;
            }
        }
        i += length;
    }
    return true;
}

}  // namespace platform
