#include "manager/MainWindowState.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

TEST(MainWindowStateTest, TwentyEightLittleEndianBytesAndOnlyAWholeFileIsTaken) {
    platform::testing::TempFolder folder;
    const std::string path = platform::ToWindowsPath(folder.path() / "config2.dat");
    MainWindowState state;
    state.left = -5;
    state.top = 300;
    state.right = 765;
    state.bottom = 820;
    state.reserved[0] = 1;
    state.reserved[1] = -2;
    state.reserved[2] = 0x01020304;
    ASSERT_TRUE(state.Write(path.c_str()));
    const std::string bytes = folder.ReadFile("config2.dat");
    EXPECT_EQ(bytes, std::string("\xFB\xFF\xFF\xFF\x2C\x01\0\0\xFD\x02\0\0\x34\x03\0\0"
                                 "\x01\0\0\0\xFE\xFF\xFF\xFF\x04\x03\x02\x01",
                                 28));

    MainWindowState read;
    ASSERT_TRUE(read.Read(path.c_str()));
    EXPECT_EQ(read.left, -5);
    EXPECT_EQ(read.bottom, 820);
    EXPECT_EQ(read.reserved[1], -2);
    EXPECT_EQ(read.reserved[2], 0x01020304);

    folder.WriteFile("short.dat", bytes.substr(0, 27));
    MainWindowState untouched;
    untouched.left = 42;
    EXPECT_FALSE(untouched.Read(platform::ToWindowsPath(folder.path() / "short.dat").c_str()));
    EXPECT_EQ(untouched.left, 42);
    EXPECT_EQ(untouched.reserved[0], 0);
    EXPECT_FALSE(untouched.Read(platform::ToWindowsPath(folder.path() / "none.dat").c_str()));
}

}  // namespace
