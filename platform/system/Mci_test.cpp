#include "platform/system/Mci.h"

#include <gtest/gtest.h>

#include "platform/system/DriveTypes.h"

namespace {

class MciTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetMciForTesting();
        platform::ClearCdromDrives();
        // A device that does not exist: the door cannot move, but the commands are understood.
        platform::SetCdromDrive('D', "/nonexistent/sr0");
    }
    void TearDown() override {
        platform::ResetMciForTesting();
        platform::ClearCdromDrives();
    }
};

TEST_F(MciTest, TheTraySequenceIsRecordedAndUnderstood) {
    char reply[8] = "x";
    EXPECT_EQ(
        mciSendStringA("open D:\\ type cdaudio alias mycd wait", reply, sizeof(reply), nullptr),
        0u);
    EXPECT_STREQ(reply, "1");
    EXPECT_EQ(mciSendStringA("set mycd door open wait", nullptr, 0, nullptr),
              static_cast<MCIERROR>(MCIERR_HARDWARE));
    EXPECT_EQ(mciSendStringA("close mycd wait", nullptr, 0, nullptr), 0u);
    EXPECT_EQ(platform::TakeMciCommands(),
              (std::vector<std::string>{"open D:\\ type cdaudio alias mycd wait",
                                        "set mycd door open wait", "close mycd wait"}));
    // The alias is free again.
    EXPECT_EQ(mciSendStringA("OPEN d:\\ TYPE CDAudio ALIAS MyCd", nullptr, 0, nullptr), 0u);
}

TEST_F(MciTest, ErrorsForUnknownDevicesAliasesAndCommands) {
    EXPECT_EQ(mciSendStringA("open Q:\\ type cdaudio alias mycd wait", nullptr, 0, nullptr),
              static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_NAME));
    EXPECT_EQ(mciSendStringA("set mycd door open wait", nullptr, 0, nullptr),
              static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_NAME));
    EXPECT_EQ(mciSendStringA("open D:\\ type cdaudio alias mycd", nullptr, 0, nullptr), 0u);
    EXPECT_EQ(mciSendStringA("open D:\\ type cdaudio alias MYCD", nullptr, 0, nullptr),
              static_cast<MCIERROR>(MCIERR_DUPLICATE_ALIAS));
    EXPECT_EQ(mciSendStringA("set mycd door ajar", nullptr, 0, nullptr),
              static_cast<MCIERROR>(MCIERR_UNRECOGNIZED_KEYWORD));
    EXPECT_EQ(mciSendStringA("play mycd", nullptr, 0, nullptr),
              static_cast<MCIERROR>(MCIERR_UNRECOGNIZED_COMMAND));
    EXPECT_EQ(mciSendStringA("   ", nullptr, 0, nullptr),
              static_cast<MCIERROR>(MCIERR_MISSING_COMMAND_STRING));
    EXPECT_EQ(mciSendStringA("close all", nullptr, 0, nullptr), 0u);
    EXPECT_EQ(mciSendStringA("close mycd", nullptr, 0, nullptr),
              static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_NAME));
}

}  // namespace
