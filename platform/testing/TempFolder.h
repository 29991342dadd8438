// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes away. Tests build their program folders and data files inside one.
#pragma once

#include <filesystem>
#include <string>

namespace platform::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` to the file `relative` inside the folder, creating its folders.
    void WriteFile(const std::string& relative, const std::string& bytes) const;
    // The file's whole content; empty when it cannot be read.
    std::string ReadFile(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

}  // namespace platform::testing
