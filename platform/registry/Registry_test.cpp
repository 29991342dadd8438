#include "platform/registry/Registry.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/files/Path.h"
#include "platform/registry/RegistryText.h"
#include "platform/testing/TempFolder.h"

namespace {

using Names = std::vector<std::string>;

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetRegistryFile(file_);
        // Run keys are mirrored into the desktop's autostart folder: the test's own.
        setenv("XDG_CONFIG_HOME", (folder_.path() / "xdg").c_str(), 1);
    }
    void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

    static HKEY Create(HKEY root, const char* path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &key, disposition),
                  ERROR_SUCCESS)
            << path;
        return key;
    }

    static LSTATUS Set(HKEY key, const char* name, const std::string& bytes, DWORD type = REG_SZ) {
        return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                              static_cast<DWORD>(bytes.size()));
    }

    // The value's bytes as a reader gets them, asking for the size first; "?" when unreadable.
    static std::string Query(HKEY key, const char* name, DWORD* type = nullptr) {
        DWORD size = 0;
        if (RegQueryValueExA(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) {
            return "?";
        }
        std::string bytes(size, '\xEE');
        if (RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(bytes.data()),
                             &size) != ERROR_SUCCESS) {
            return "?";
        }
        return bytes.substr(0, size);
    }

    static Names SubKeys(HKEY key) {
        Names names;
        char name[256];
        for (DWORD size = sizeof name;
             RegEnumKeyExA(key, static_cast<DWORD>(names.size()), name, &size, nullptr, nullptr,
                           nullptr, nullptr) == ERROR_SUCCESS;
             size = sizeof name) {
            names.emplace_back(name, size);
        }
        return names;
    }

    static Names ValueNames(HKEY key) {
        Names names;
        char name[256];
        for (DWORD size = sizeof name;
             RegEnumValueA(key, static_cast<DWORD>(names.size()), name, &size, nullptr, nullptr,
                           nullptr, nullptr) == ERROR_SUCCESS;
             size = sizeof name) {
            names.emplace_back(name, size);
        }
        return names;
    }

    // Switches files and back, so that everything is read from the file again.
    void ForgetContents() {
        platform::SetRegistryFile(folder_.path() / "elsewhere.dat");
        platform::SetRegistryFile(file_);
    }

    platform::testing::TempFolder folder_;
    std::filesystem::path file_ = folder_.path() / "config" / "registry.dat";
};

TEST_F(RegistryTest, KeysAreFoundWithoutRegardToAsciiCase) {
    DWORD disposition = 0;
    RegCloseKey(Create(HKEY_LOCAL_MACHINE, "software\\larchway5\\dv", &disposition));
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    HKEY dv = Create(HKEY_LOCAL_MACHINE, "\\SOFTWARE\\\\LarchWay5\\DV\\", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    EXPECT_EQ(SubKeys(HKEY_LOCAL_MACHINE), Names{"software"});

    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\larchway5\\fk", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software/larchway5", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    // The roots are separate trees, HKEY_CURRENT_CONFIG included.
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_CONFIG, "software", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    RegCloseKey(Create(HKEY_CURRENT_CONFIG, "software"));

    // A second byte 0x5C inside a two-byte character does not separate levels, and second bytes
    // are not folded.
    RegCloseKey(Create(dv,
                       "\x81\x5C"
                       "a\\b"));
    RegCloseKey(Create(dv, "\xB0\x41"));
    RegCloseKey(Create(dv, "\xB0\x61"));
    EXPECT_EQ(SubKeys(dv), (Names{"\x81\x5C"
                                  "a",
                                  "\xB0\x41", "\xB0\x61"}));
    EXPECT_EQ(RegCloseKey(dv), ERROR_SUCCESS);
}

TEST_F(RegistryTest, HandlesAreNewObjectsClosedOnce) {
    HKEY dv = Create(HKEY_LOCAL_MACHINE, "software\\dv");
    HKEY same = nullptr;
    ASSERT_EQ(RegOpenKeyExA(dv, "", 0, KEY_READ, &same), ERROR_SUCCESS);
    EXPECT_NE(same, dv);
    EXPECT_EQ(Set(dv, "a", std::string("x", 2)), ERROR_SUCCESS);
    EXPECT_EQ(Query(same, "a"), std::string("x", 2));
    HKEY root = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, nullptr, 0, KEY_ALL_ACCESS, &root), ERROR_SUCCESS);
    EXPECT_EQ(SubKeys(root), Names{"software"});

    for (HKEY key : {same, root, dv}) {
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
        EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    }
    EXPECT_EQ(Set(dv, "a", "b"), ERROR_INVALID_HANDLE);
    int notAKey = 0;
    EXPECT_EQ(RegFlushKey(reinterpret_cast<HKEY>(&notAKey)), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExA(reinterpret_cast<HKEY>(0x80000004), "", 0, KEY_READ, &root),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(RegistryTest, QueryReportsTheSizeAndRefusesShortBuffers) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\q");
    ASSERT_EQ(Set(key, "name", std::string("hello", 6)), ERROR_SUCCESS);
    DWORD type = 99;
    EXPECT_EQ(RegQueryValueExA(key, "NAME", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    char buffer[8] = "#######";
    DWORD size = 5;
    EXPECT_EQ(RegQueryValueExA(key, "name", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_STREQ(buffer, "#######");
    EXPECT_EQ(RegQueryValueExA(key, "name", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer, 8), std::string("hello\0#\0", 8));

    EXPECT_EQ(RegQueryValueExA(key, "other", nullptr, &type, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(
        RegQueryValueExA(key, "name", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), nullptr),
        ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(key, "name", &size, nullptr, nullptr, &size),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST_F(RegistryTest, StringsReadTerminatedAndOtherTypesExactly) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\s");
    // 255 bytes stored without a NUL do not fit a 255-byte buffer: the NUL needs a 256th byte.
    ASSERT_EQ(Set(key, "long", std::string(255, 'a')), ERROR_SUCCESS);
    char buffer[256];
    DWORD size = 255;
    EXPECT_EQ(
        RegQueryValueExA(key, "long", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, 256u);
    EXPECT_EQ(Query(key, "long"), std::string(255, 'a') + '\0');
    ASSERT_EQ(Set(key, "empty", ""), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "empty"), std::string(1, '\0'));
    DWORD type = 0;
    ASSERT_EQ(Set(key, "expand", "%USERPROFILE%\\Favorites", REG_EXPAND_SZ), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "expand", &type), std::string("%USERPROFILE%\\Favorites\0", 24));
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));

    ASSERT_EQ(Set(key, "binary", "ab", REG_BINARY), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "binary"), "ab");
    DWORD value = 0x12345678;
    ASSERT_EQ(RegSetValueExA(key, "AutoDetect", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4),
              ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "autodetect", &type), "\x78\x56\x34\x12");
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    RegCloseKey(key);
}

TEST_F(RegistryTest, ValueNamesKeepTheirFirstSpellingAndDefaultIsEmptyName) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, "software\\larchway5\\fk");
    ASSERT_EQ(Set(key, "Path", "one"), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "PATH", "two"), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "\xB0\x61", "lower"), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "\xB0\x41", "upper"), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(key), (Names{"Path", "\xB0\x61", "\xB0\x41"}));
    EXPECT_EQ(Query(key, "path"), std::string("two", 4));
    EXPECT_EQ(Query(key, "\xB0\x61"), std::string("lower", 6));

    EXPECT_EQ(Query(key, nullptr), "?");
    ASSERT_EQ(Set(key, nullptr, "default"), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, ""), std::string("default", 8));
    EXPECT_EQ(RegDeleteValueA(key, ""), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, nullptr), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryTest, DeletesValuesAndLeafKeysOnly) {
    HKEY run = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    ASSERT_EQ(Set(run, "dv09", "dvtp.exe"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(run, "DV09"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(run, "dv09"), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "software\\microsoft\\windows"),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "nothing\\at\\all"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, ""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, nullptr), ERROR_INVALID_PARAMETER);

    ASSERT_EQ(Set(run, "again", "x"), ERROR_SUCCESS);
    ASSERT_EQ(
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion\\run"),
        ERROR_SUCCESS);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                            0, KEY_READ, &gone),
              ERROR_FILE_NOT_FOUND);
    // The handle outlives its key; a key created again under its path starts without values.
    EXPECT_EQ(Set(run, "again", "x"), ERROR_KEY_DELETED);
    HKEY created = Create(HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion\\run");
    EXPECT_EQ(Query(run, "again"), "?");
    // An empty sub-key deletes the key the handle refers to.
    EXPECT_EQ(RegDeleteKeyA(created, ""), ERROR_SUCCESS);
    EXPECT_TRUE(SubKeys(Create(HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion"))
                    .empty());
    RegCloseKey(created);
    RegCloseKey(run);
}

TEST_F(RegistryTest, EnumeratesKeysByNameAndValuesBySetOrder) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\e");
    for (const char* name : {"b", "\xB0\xA1", "A", "c"}) {
        RegCloseKey(Create(key, name));
    }
    EXPECT_EQ(SubKeys(key), (Names{"A", "b", "c", "\xB0\xA1"}));
    char name[8];
    DWORD size = 1;
    EXPECT_EQ(RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    size = 2;
    FILETIME written = {};
    ASSERT_EQ(RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, &written),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 1u);
    // Later than 2020-01-01 (132223104000000000 in FILETIME units).
    EXPECT_GT((static_cast<ULONGLONG>(written.dwHighDateTime) << 32) | written.dwLowDateTime,
              132223104000000000ULL);
    EXPECT_EQ(RegEnumKeyExA(key, 4, name, &size, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);

    for (const char* value : {"z", "y", "x", "Y"}) {
        ASSERT_EQ(Set(key, value, value), ERROR_SUCCESS);
    }
    ASSERT_EQ(RegDeleteValueA(key, "z"), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(key), (Names{"y", "x"}));
    DWORD type = 0;
    char data[8];
    DWORD dataSize = 0;
    size = sizeof name;
    EXPECT_EQ(RegEnumValueA(key, 0, name, &size, nullptr, &type, reinterpret_cast<BYTE*>(data),
                            &dataSize),
              ERROR_MORE_DATA);
    EXPECT_EQ(dataSize, 2u);
    size = sizeof name;
    ASSERT_EQ(RegEnumValueA(key, 0, name, &size, nullptr, &type, reinterpret_cast<BYTE*>(data),
                            &dataSize),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(data, dataSize), std::string("Y", 2));
    EXPECT_EQ(RegEnumValueA(key, 2, name, &size, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    RegCloseKey(key);
}

TEST_F(RegistryTest, RefusesArgumentsBeyondTheLimits) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\bad");
    HKEY result = nullptr;
    EXPECT_EQ(RegCreateKeyExA(key, "x", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, nullptr, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyExA(key, std::string(256, 'k').c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &result, nullptr),
              ERROR_INVALID_PARAMETER);
    // Two levels in "Software\bad", 510 more make the deepest key allowed.
    std::string deep;
    for (int level = 0; level < 510; ++level) {
        deep += "k\\";
    }
    RegCloseKey(Create(key, deep.c_str()));
    EXPECT_EQ(RegCreateKeyExA(key, (deep + "k").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &result, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExA(key, "v", 0, REG_BINARY, nullptr, 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Set(key, std::string(16384, 'v').c_str(), "x"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Set(key, "big", std::string(1024 * 1024 + 1, 'b')), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(ValueNames(key).empty());
    RegCloseKey(key);
}

TEST_F(RegistryTest, ChangesPersistInTheFileAndItsFolderIsMade) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, "software\\larchway5\\dv");
    ASSERT_EQ(Set(key, "path", "Z:\\home\\ann\\prog\\"), ERROR_SUCCESS);
    ASSERT_EQ(RegFlushKey(key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_FALSE(std::filesystem::exists(file_.string() + ".tmp"));
    EXPECT_NE(platform::ParseRegistryText(folder_.ReadFile("config/registry.dat")), nullptr);

    platform::SetRegistryFile(folder_.path() / "elsewhere.dat");
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    platform::SetRegistryFile(file_);
    EXPECT_EQ(platform::RegistryFile(), file_);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\larchway5\\dv", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "path"), std::string("Z:\\home\\ann\\prog\\", 18));
    RegCloseKey(key);
}

TEST_F(RegistryTest, ReadsSeeTheFileChangeAtOnce) {
    ASSERT_EQ(Set(HKEY_CURRENT_USER, "v", "a"), ERROR_SUCCESS);
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "v"), std::string("a", 2));
    // Another process rewrites the file in place within the same clock tick: same inode, size
    // and modification time.
    auto stamped = std::filesystem::last_write_time(file_);
    std::string text = folder_.ReadFile("config/registry.dat");
    std::size_t at = text.find("value \"v\" 1 \"a\"");
    ASSERT_NE(at, std::string::npos);
    text[at + 13] = 'b';
    folder_.WriteFile("config/registry.dat", text);
    std::filesystem::last_write_time(file_, stamped);
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "v"), std::string("b", 2));

    std::filesystem::remove(file_);
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "v"), "?");
}

TEST_F(RegistryTest, DamagedFilesReadAsEmptyAndAreReplacedWhole) {
    ASSERT_EQ(Set(HKEY_CURRENT_USER, "v", std::string(100, 'x')), ERROR_SUCCESS);
    std::string whole = folder_.ReadFile("config/registry.dat");
    std::string binary;
    for (int i = 0; i < 1000; ++i) {
        binary += static_cast<char>(i * 37);
    }
    for (const std::string& damaged :
         {std::string(), whole.substr(0, whole.size() / 2), whole.substr(0, whole.size() - 1),
          binary, "larchway-registry 1\n" + binary}) {
        folder_.WriteFile("config/registry.dat", damaged);
        ForgetContents();
        EXPECT_EQ(Query(HKEY_CURRENT_USER, "v"), "?");
        EXPECT_EQ(Set(HKEY_CURRENT_USER, "w", "1"), ERROR_SUCCESS);
        EXPECT_NE(platform::ParseRegistryText(folder_.ReadFile("config/registry.dat")), nullptr);
    }
}

TEST_F(RegistryTest, UnwritableFileRefusesChanges) {
    // A folder where the file should be, and a file where its folder should be.
    folder_.WriteFile("folder/file", "");
    for (const char* file : {"folder", "folder/file/registry.dat"}) {
        platform::SetRegistryFile(folder_.path() / file);
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software", 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_ACCESS_DENIED);
        EXPECT_EQ(Set(HKEY_CURRENT_USER, "v", "x"), ERROR_ACCESS_DENIED);
        EXPECT_EQ(Query(HKEY_CURRENT_USER, "v"), "?");
        EXPECT_TRUE(SubKeys(HKEY_CURRENT_USER).empty());
    }
}

TEST_F(RegistryTest, DefaultFileFollowsTheEnvironment) {
    // No other test depends on these variables: every test names its own file.
    setenv("PLATFORM_REGISTRY_FILE", "/chosen/registry.dat", 1);
    platform::SetRegistryFile({});
    EXPECT_EQ(platform::RegistryFile(), "/chosen/registry.dat");
    unsetenv("PLATFORM_REGISTRY_FILE");
    setenv("XDG_CONFIG_HOME", "/config", 1);
    platform::SetRegistryFile({});
    EXPECT_EQ(platform::RegistryFile(), "/config/larchway/registry.dat");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    setenv("HOME", "/home/ann", 1);
    platform::SetRegistryFile({});
    EXPECT_EQ(platform::RegistryFile(), "/home/ann/.config/larchway/registry.dat");
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr DWORD kWrites = 200;
    RegCloseKey(Create(HKEY_CURRENT_USER, "Software\\Race"));
    auto write = [](const std::string& prefix, DWORD offset) {
        HKEY key = nullptr;
        bool written = RegOpenKeyExA(HKEY_CURRENT_USER, "software\\race", 0, KEY_SET_VALUE, &key) ==
                       ERROR_SUCCESS;
        for (DWORD i = 0; i < kWrites && written; ++i) {
            DWORD value = i * 2 + offset;
            written = RegSetValueExA(key, (prefix + std::to_string(i)).c_str(), 0, REG_DWORD,
                                     reinterpret_cast<BYTE*>(&value), 4) == ERROR_SUCCESS;
        }
        RegCloseKey(key);
        return written;
    };
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        _exit(write("child", 1) ? 0 : 1);
    }
    EXPECT_TRUE(write("parent", 0));
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    // Once as this process sees it, once as a newcomer reads the file.
    for (int pass = 0; pass < 2; ++pass) {
        HKEY key = Create(HKEY_CURRENT_USER, "Software\\Race");
        EXPECT_EQ(ValueNames(key).size(), 2 * kWrites);
        for (DWORD i = 0; i < kWrites; ++i) {
            for (DWORD offset : {0u, 1u}) {
                DWORD expected = i * 2 + offset;
                std::string name = (offset != 0 ? "child" : "parent") + std::to_string(i);
                EXPECT_EQ(Query(key, name.c_str()),
                          std::string(reinterpret_cast<char*>(&expected), 4))
                    << name;
            }
        }
        RegCloseKey(key);
        ForgetContents();
    }
}

TEST_F(RegistryTest, RunValuesAreMirroredAsAutostartEntriesThatStartTheProgramInItsFolder) {
    const std::filesystem::path autostart = folder_.path() / "xdg" / "autostart";
    const auto entry = [&](const char* file) {
        std::ifstream in(autostart / file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return in ? text.str() : std::string("missing");
    };
    platform::MapDrive('C', folder_.path());
    HKEY run = Create(HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion\\run");
    ASSERT_EQ(Set(run, "dv09", std::string("\"C:\\my $prog\\dvtp.exe\" -min 100%\0", 33)),
              ERROR_SUCCESS);
    const std::string folder = folder_.path().string();
    EXPECT_EQ(entry("larchway-hklm-dv09.desktop"),
              "[Desktop Entry]\nType=Application\nName=dv09\nExec=\"" + folder +
                  "/my \\\\$prog/dvtp.exe\" \"-min\" \"100%%\"\nPath=" + folder +
                  "/my $prog\nX-GNOME-Autostart-enabled=true\n");
    // A value of another type, or a command that names no file, has no entry.
    ASSERT_EQ(Set(run, "dv09", "\x01\x02", REG_BINARY), ERROR_SUCCESS);
    EXPECT_EQ(entry("larchway-hklm-dv09.desktop"), "missing");
    ASSERT_EQ(Set(run, "odd/name", "\"Q:\\x.exe\""), ERROR_SUCCESS);
    EXPECT_EQ(entry("larchway-hklm-odd_name.desktop"), "missing");

    // The current user's Run key has entries of its own; deleting the value or the key removes
    // them; other keys are not mirrored.
    HKEY mine = Create(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    ASSERT_EQ(Set(mine, "a", "C:\\a.exe"), ERROR_SUCCESS);
    ASSERT_EQ(Set(mine, "b", "C:\\b.exe"), ERROR_SUCCESS);
    EXPECT_NE(entry("larchway-hkcu-a.desktop"), "missing");
    EXPECT_EQ(RegDeleteValueA(mine, "A"), ERROR_SUCCESS);
    EXPECT_EQ(entry("larchway-hkcu-a.desktop"), "missing");
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
              ERROR_SUCCESS);
    EXPECT_EQ(entry("larchway-hkcu-b.desktop"), "missing");
    HKEY other =
        Create(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
    ASSERT_EQ(Set(other, "c", "C:\\c.exe"), ERROR_SUCCESS);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(autostart),
                            std::filesystem::directory_iterator()),
              0);
    RegCloseKey(other);
    RegCloseKey(mine);
    RegCloseKey(run);
    platform::UnmapDrive('C');
}

}  // namespace
