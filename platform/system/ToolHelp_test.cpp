#include "platform/system/ToolHelp.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/base/KernelObject.h"

namespace {

TEST(ToolHelpTest, ProcessSnapshotListsThisProcessWithItsParentAndName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    bool found = false;
    DWORD previous = 0;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        EXPECT_GT(entry.th32ProcessID, previous);
        previous = entry.th32ProcessID;
        if (entry.th32ProcessID == static_cast<DWORD>(getpid())) {
            found = true;
            EXPECT_EQ(entry.th32ParentProcessID, static_cast<DWORD>(getppid()));
            EXPECT_EQ(std::string(entry.szExeFile), "platform_system_tests");
            EXPECT_GE(entry.cntThreads, 1u);
            EXPECT_EQ(entry.dwSize, sizeof(entry));
        }
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(found);
    // First starts the walk again.
    EXPECT_TRUE(Process32First(snapshot, &entry));
    EXPECT_TRUE(CloseHandle(snapshot));
}

TEST(ToolHelpTest, WrongSizeAndWrongHandleFail) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = 296;
    ASSERT_NE(sizeof(entry), 296u);
    EXPECT_FALSE(Process32First(snapshot, &entry));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_LENGTH));
    MODULEENTRY32 module{};
    module.dwSize = sizeof(module);
    // A process snapshot holds no modules.
    EXPECT_FALSE(Module32First(snapshot, &module));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    CloseHandle(snapshot);
    entry.dwSize = sizeof(entry);
    EXPECT_FALSE(Process32Next(snapshot, &entry));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(ToolHelpTest, ModuleSnapshotOfThisProcessNamesTheProgramFirst) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, static_cast<DWORD>(getpid()));
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    ASSERT_TRUE(Module32First(snapshot, &entry));
    EXPECT_EQ(std::string(entry.szModule), "platform_system_tests");
    std::string path = entry.szExePath;
    EXPECT_EQ(path.rfind("Z:\\", 0), 0u) << path;
    EXPECT_TRUE(path.ends_with("\\platform_system_tests")) << path;
    EXPECT_GT(entry.modBaseSize, 0u);
    EXPECT_EQ(entry.th32ProcessID, static_cast<DWORD>(getpid()));
    int count = 1;
    bool sawLibc = false;
    while (Module32Next(snapshot, &entry)) {
        ++count;
        sawLibc |= std::string(entry.szModule).rfind("libc", 0) == 0;
    }
    EXPECT_GT(count, 2);
    EXPECT_TRUE(sawLibc);
    CloseHandle(snapshot);
}

TEST(ToolHelpTest, ModuleSnapshotOfAMissingProcessFails) {
    EXPECT_EQ(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0x7FFFFFF0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
