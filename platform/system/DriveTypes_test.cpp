#include "platform/system/DriveTypes.h"

#include <gtest/gtest.h>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

class DriveTypesTest : public ::testing::Test {
protected:
    void TearDown() override {
        platform::ClearCdromDrives();
        platform::UnmapDrive('C');
    }
};

TEST_F(DriveTypesTest, RootsOfLinuxMappedAndCdDrives) {
    platform::testing::TempFolder folder;
    platform::MapDrive('C', folder.path());
    platform::ClearCdromDrives();
    platform::SetCdromDrive('e', "/dev/sr7");

    EXPECT_EQ(GetDriveTypeA("Z:\\"), static_cast<UINT>(DRIVE_FIXED));
    EXPECT_EQ(GetDriveTypeA("c:"), static_cast<UINT>(DRIVE_FIXED));
    EXPECT_EQ(GetDriveTypeA("C:/"), static_cast<UINT>(DRIVE_FIXED));
    EXPECT_EQ(GetDriveTypeA("E:\\"), static_cast<UINT>(DRIVE_CDROM));
    EXPECT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(GetDriveTypeA("C:\\Windows\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(GetDriveTypeA(""), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(platform::CdromDevice('E'), "/dev/sr7");
    EXPECT_FALSE(platform::CdromDevice('D'));
}

TEST_F(DriveTypesTest, TheTrayFindsCdDrivesInLetterOrder) {
    platform::ClearCdromDrives();
    platform::SetCdromDrive('G', "/dev/sr1");
    platform::SetCdromDrive('D', "/dev/sr0");
    std::string found;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        if (GetDriveTypeA(root) == DRIVE_CDROM)
            found += letter;
    }
    EXPECT_EQ(found, "DG");
}

}  // namespace
