// Test fixture: a temporary folder mapped as drive C:, and the current folder and module name
// put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace platform::testing {

class MappedDriveTest : public ::testing::Test {
protected:
    MappedDriveTest() : savedCurrent_(std::filesystem::current_path()) {
        MapDrive('C', temp_.path());
        root_ = ResolvePath("C:\\").value();
    }
    ~MappedDriveTest() override {
        std::filesystem::current_path(savedCurrent_);
        UnmapDrive('C');
        ClearModuleFileNameOverride();
    }

    // The Linux path of a file in the mapped folder (a UTF-8 relative path).
    std::filesystem::path OnDisk(const std::filesystem::path& relative) const {
        return root_ / relative;
    }
    void Write(const std::string& relative, const std::string& bytes) const {
        temp_.WriteFile(relative, bytes);
    }
    std::string Read(const std::string& relative) const { return temp_.ReadFile(relative); }

    TempFolder temp_;
    std::filesystem::path root_;

private:
    std::filesystem::path savedCurrent_;
};

}  // namespace platform::testing
