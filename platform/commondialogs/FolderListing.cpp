#include "platform/commondialogs/FolderListing.h"

#include <algorithm>

#include "platform/commondialogs/FileFilter.h"
#include "platform/files/FileApi.h"
#include "platform/text/Gbk.h"

namespace platform {

namespace {

template <typename Keep>
std::vector<std::string> List(std::string_view folder, Keep keep) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA(FolderListing::Join(folder, "*.*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string_view name = entry.cFileName;
        if (name == "." || name == ".." || (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0) {
            continue;
        }
        if (keep(entry)) {
            names.emplace_back(name);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareNoCase(a, b) < 0;
    });
    return names;
}

}  // namespace

std::vector<std::string> FolderListing::Folders(std::string_view folder) {
    return List(folder, [](const WIN32_FIND_DATAA& entry) {
        return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
}

std::vector<std::string> FolderListing::Files(std::string_view folder, std::string_view patterns) {
    return List(folder, [patterns](const WIN32_FIND_DATAA& entry) {
        return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
               FileFilter::Matches(patterns, entry.cFileName);
    });
}

std::string FolderListing::Join(std::string_view folder, std::string_view name) {
    // The last character, not the last byte: a GBK character's second byte may be 0x5C.
    bool endsWithSeparator = false;
    for (size_t at = 0; at < folder.size(); at += CharLengthAt(folder, at)) {
        endsWithSeparator = folder[at] == '\\' || folder[at] == '/';
    }
    std::string joined(folder);
    if (!joined.empty() && !endsWithSeparator) {
        joined += '\\';
    }
    joined += name;
    return joined;
}

}  // namespace platform
