// The names of the entries of a folder, for tests that check what a program left in one.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace platform::testing {

// In the order the system lists them; none when the folder cannot be read.
inline std::vector<std::string> EntryNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

}  // namespace platform::testing
