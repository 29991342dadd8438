#include "platform/files/ProfileFile.h"

#include <algorithm>

#include "platform/text/Gbk.h"

namespace platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string_view NextLine(std::string_view& text) {
    std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
    } else {
        std::size_t skip =
            (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
        text.remove_prefix(end + skip);
    }
    return line;
}

// The text between '[' and the first ']' that is not the second byte of a GBK character (or the
// end of the line when there is none).
std::string_view SectionName(std::string_view line) {
    std::size_t end = 1;
    while (end < line.size() && line[end] != ']') {
        end += CharLengthAt(line, end);
    }
    return line.substr(1, std::min(end, line.size()) - 1);
}

}  // namespace

ProfileFile::ProfileFile(std::string_view text) {
    while (!text.empty()) {
        std::string_view line = Trim(NextLine(text));
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            sections_.push_back({std::string(Trim(SectionName(line))), {}});
            continue;
        }
        std::size_t equals = line.find('=');
        if (sections_.empty() || equals == std::string_view::npos) {
            continue;
        }
        sections_.back().entries.push_back({std::string(Trim(line.substr(0, equals))),
                                            std::string(Unquote(Trim(line.substr(equals + 1))))});
    }
}

const ProfileFile::Section* ProfileFile::Find(std::string_view section) const {
    std::string_view wanted = Trim(section);
    for (const Section& candidate : sections_) {
        if (CompareNoCase(candidate.name, wanted) == 0) {
            return &candidate;
        }
    }
    return nullptr;
}

std::optional<std::string> ProfileFile::Value(std::string_view section,
                                              std::string_view key) const {
    const Section* found = Find(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    std::string_view wanted = Trim(key);
    for (const Entry& entry : found->entries) {
        if (CompareNoCase(entry.key, wanted) == 0) {
            return entry.value;
        }
    }
    return std::nullopt;
}

std::vector<std::string> ProfileFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& section : sections_) {
        names.push_back(section.name);
    }
    return names;
}

std::vector<std::string> ProfileFile::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    if (const Section* found = Find(section)) {
        for (const Entry& entry : found->entries) {
            names.push_back(entry.key);
        }
    }
    return names;
}

}  // namespace platform
