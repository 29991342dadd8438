#include "platform/commondialogs/FileFilter.h"

#include <cstring>

#include "platform/files/GbkNames.h"

namespace platform {

std::vector<FileFilter::Pair> FileFilter::Parse(const char* block) {
    std::vector<Pair> pairs;
    if (block == nullptr) {
        return pairs;
    }
    const char* at = block;
    while (*at != '\0') {
        std::string description = at;
        at += description.size() + 1;
        if (*at == '\0') {
            break;
        }
        std::string patterns = at;
        at += patterns.size() + 1;
        pairs.emplace_back(std::move(description), std::move(patterns));
    }
    return pairs;
}

std::vector<std::string> FileFilter::Patterns(std::string_view list) {
    std::vector<std::string> patterns;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string_view::npos) {
            end = list.size();
        }
        std::string_view pattern = list.substr(start, end - start);
        while (!pattern.empty() && pattern.front() == ' ') {
            pattern.remove_prefix(1);
        }
        while (!pattern.empty() && pattern.back() == ' ') {
            pattern.remove_suffix(1);
        }
        if (!pattern.empty()) {
            patterns.emplace_back(pattern);
        }
        start = end + 1;
    }
    return patterns;
}

bool FileFilter::Matches(std::string_view list, std::string_view name) {
    for (const std::string& pattern : Patterns(list)) {
        if (MatchesWildcard(pattern, name)) {
            return true;
        }
    }
    return false;
}

}  // namespace platform
