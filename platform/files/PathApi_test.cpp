#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/files/FileApi.h"
#include "platform/files/MappedDriveTest.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using PathApiTest = testing::MappedDriveTest;

TEST_F(PathApiTest, ModuleFileNameIsCutAsTheOriginalCutsIt) {
    OverrideModuleFileName("C:\\prog\\quorra.exe");  // 18 characters
    char buffer[32];
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, sizeof buffer), 18u);
    EXPECT_STREQ(buffer, "C:\\prog\\quorra.exe");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(GetModuleFileNameA(ProcessModule(), buffer, 19), 18u);

    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, 18), 18u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_STREQ(buffer, "C:\\prog\\quorra.ex");
    EXPECT_EQ(buffer[18], 'X');

    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, 0), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(0x1234), buffer, 32), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(PathApiTest, ModuleFileNameOfTheRunningProgram) {
    char buffer[MAX_PATH * 4];
    DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    ASSERT_GT(length, 3u);
    std::string name(buffer, length);
    EXPECT_EQ(name, ToWindowsPath(fs::read_symlink("/proc/self/exe")));
    EXPECT_EQ(name.substr(name.rfind('\\') + 1), "platform_files_tests");
}

TEST_F(PathApiTest, CurrentDirectoryAsAWindowsPath) {
    fs::create_directories(OnDisk("work/inner"));
    EXPECT_TRUE(SetCurrentDirectoryA("c:\\WORK\\"));
    EXPECT_EQ(fs::current_path(), OnDisk("work"));
    char buffer[64];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 7u);
    EXPECT_STREQ(buffer, "C:\\work");
    // Too small: the size needed, NUL included, and the buffer untouched.
    std::strcpy(buffer, "same");
    EXPECT_EQ(GetCurrentDirectoryA(7, buffer), 8u);
    EXPECT_STREQ(buffer, "same");

    EXPECT_TRUE(SetCurrentDirectoryA("inner"));
    EXPECT_TRUE(SetCurrentDirectoryA("\\"));
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 3u);
    EXPECT_STREQ(buffer, "C:\\");

    EXPECT_FALSE(SetCurrentDirectoryA("C:\\nowhere"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    Write("file.txt", "");
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\file.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_EQ(fs::current_path(), root_);
}

TEST_F(PathApiTest, FullPathNameIsLexical) {
    fs::create_directories(OnDisk("work"));
    fs::current_path(OnDisk("work"));
    char buffer[64];
    char* file_part = nullptr;
    EXPECT_EQ(GetFullPathNameA("data\\..\\x.txt", sizeof buffer, buffer, &file_part), 13u);
    EXPECT_STREQ(buffer, "C:\\work\\x.txt");
    EXPECT_EQ(file_part, buffer + 8);

    EXPECT_EQ(GetFullPathNameA("D:/a//b/", sizeof buffer, buffer, &file_part), 7u);
    EXPECT_STREQ(buffer, "D:\\a\\b\\");
    EXPECT_EQ(file_part, nullptr);

    EXPECT_EQ(GetFullPathNameA("\x81\x5C", sizeof buffer, buffer, &file_part), 10u);
    EXPECT_STREQ(file_part, "\x81\x5C");

    EXPECT_EQ(GetFullPathNameA("x.txt", 5, buffer, &file_part), 14u);
    EXPECT_EQ(GetFullPathNameA("", sizeof buffer, buffer, &file_part), 0u);
}

TEST_F(PathApiTest, TempPathEndsInABackslash) {
    const char* saved = std::getenv("TMPDIR");
    std::string saved_value = saved ? saved : "";
    setenv("TMPDIR", root_.c_str(), 1);
    char buffer[64];
    EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 3u);
    EXPECT_STREQ(buffer, "C:\\");
    fs::create_directories(OnDisk("tmp"));
    setenv("TMPDIR", OnDisk("tmp").c_str(), 1);
    EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 7u);
    EXPECT_STREQ(buffer, "C:\\tmp\\");
    EXPECT_EQ(GetTempPathA(7, buffer), 8u);
    if (saved) {
        setenv("TMPDIR", saved_value.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
}

TEST(ExpandEnvironmentStringsTest, KnownNamesExpandAndOthersStay) {
    setenv("PLATFORM_FILES_TEST_VAR", "abc", 1);
    unsetenv("PLATFORM_FILES_TEST_NONE");
    char buffer[64];
    EXPECT_EQ(ExpandEnvironmentStringsA("x%PLATFORM_FILES_TEST_VAR%y", buffer, sizeof buffer), 6u);
    EXPECT_STREQ(buffer, "xabcy");
    EXPECT_EQ(ExpandEnvironmentStringsA("%platform_files_test_var%", buffer, sizeof buffer), 4u);
    EXPECT_STREQ(buffer, "abc");
    ExpandEnvironmentStringsA("%PLATFORM_FILES_TEST_NONE%-%%-50%", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "%PLATFORM_FILES_TEST_NONE%-%%-50%");
    ExpandEnvironmentStringsA("%PLATFORM_FILES_TEST_NONE%PLATFORM_FILES_TEST_VAR%", buffer,
                              sizeof buffer);
    EXPECT_STREQ(buffer, "%PLATFORM_FILES_TEST_NONEabc");

    std::strcpy(buffer, "same");
    EXPECT_EQ(ExpandEnvironmentStringsA("%PLATFORM_FILES_TEST_VAR%", buffer, 3), 4u);
    EXPECT_STREQ(buffer, "same");
    unsetenv("PLATFORM_FILES_TEST_VAR");
}

// HOME and XDG_CONFIG_HOME point into the mapped drive C: for the test's length.
class UserFoldersTest : public testing::MappedDriveTest {
protected:
    UserFoldersTest() {
        Save("HOME");
        Save("XDG_CONFIG_HOME");
        Save("USERPROFILE");
        unsetenv("USERPROFILE");
        fs::create_directories(OnDisk("home/ann"));
        setenv("HOME", OnDisk("home/ann").c_str(), 1);
        setenv("XDG_CONFIG_HOME", OnDisk("config").c_str(), 1);
    }
    ~UserFoldersTest() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    static std::string Expand(const char* text) {
        char buffer[MAX_PATH];
        DWORD size = ExpandEnvironmentStringsA(text, buffer, sizeof buffer);
        EXPECT_EQ(size, std::strlen(buffer) + 1);
        return buffer;
    }

private:
    void Save(const std::string& name) {
        const char* value = std::getenv(name.c_str());
        saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(UserFoldersTest, WindowsVariablesExpandToWindowsPaths) {
    EXPECT_EQ(Expand("%USERPROFILE%\\Favorites"), "C:\\home\\ann\\Favorites");
    EXPECT_EQ(Expand("%appdata%"), "C:\\home\\ann\\.local\\share");
    EXPECT_EQ(Expand("%windir%|%SYSTEMROOT%"),
              "C:\\config\\larchway\\windows|C:\\config\\larchway\\windows");
    EXPECT_EQ(Expand("%HOMEDRIVE%%HOMEPATH%"), "C:\\home\\ann");
    // A home outside every mapped drive lies on Z:, the Linux root.
    setenv("HOME", "/", 1);
    EXPECT_EQ(Expand("%HOMEDRIVE%|%HOMEPATH%|%USERPROFILE%"), "Z:|\\|Z:\\");
    // They are the platform's own: the environment cannot make them Linux paths.
    setenv("USERPROFILE", "/elsewhere", 1);
    EXPECT_EQ(Expand("%USERPROFILE%"), "Z:\\");
}

TEST_F(UserFoldersTest, ExpansionThatDoesNotFitGivesTheSizeNeeded) {
    // "C:\home\ann\x" is 13 bytes, 14 with the NUL.
    char buffer[16];
    std::strcpy(buffer, "same");
    EXPECT_EQ(ExpandEnvironmentStringsA("%USERPROFILE%\\x", buffer, 13), 14u);
    EXPECT_STREQ(buffer, "same");
    EXPECT_EQ(ExpandEnvironmentStringsA("%USERPROFILE%\\x", nullptr, 0), 14u);
    EXPECT_EQ(ExpandEnvironmentStringsA("%USERPROFILE%\\x", buffer, 14), 14u);
    EXPECT_STREQ(buffer, "C:\\home\\ann\\x");
    EXPECT_EQ(ExpandEnvironmentStringsA(nullptr, buffer, 14), 0u);
}

TEST_F(UserFoldersTest, WindowsDirectoryIsMadeOnDemandAndSizedLikeTheOriginal) {
    EXPECT_FALSE(fs::exists(OnDisk("config")));
    // "C:\config\larchway\windows" is 26 bytes.
    char buffer[64];
    std::strcpy(buffer, "same");
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 26), 27u);
    EXPECT_STREQ(buffer, "same");
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 27), 26u);
    EXPECT_STREQ(buffer, "C:\\config\\larchway\\windows");
    EXPECT_TRUE(fs::is_directory(OnDisk("config/larchway/windows")));
    EXPECT_EQ(GetSystemDirectoryA(buffer, sizeof buffer), 35u);
    EXPECT_STREQ(buffer, "C:\\config\\larchway\\windows\\system32");
    EXPECT_TRUE(fs::is_directory(OnDisk("config/larchway/windows/system32")));

    // A configuration folder that cannot hold it: a file where the folder should be.
    Write("blocked/larchway", "file");
    setenv("XDG_CONFIG_HOME", OnDisk("blocked").c_str(), 1);
    EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 0u);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
}

}  // namespace
}  // namespace platform
