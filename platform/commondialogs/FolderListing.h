// What a dialog shows of a folder (a Windows path): its sub-folders and its files, each sorted
// ignoring ASCII case, without hidden entries, "." and "..".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class FolderListing {
public:
    static std::vector<std::string> Folders(std::string_view folder);
    // The files that match one of the patterns of `patterns` ("*.htm;*.html").
    static std::vector<std::string> Files(std::string_view folder, std::string_view patterns);

    // `folder` and `name` joined by one backslash.
    static std::string Join(std::string_view folder, std::string_view name);
};

}  // namespace platform
