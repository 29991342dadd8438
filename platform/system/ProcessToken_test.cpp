#include "platform/system/ProcessToken.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/base/KernelObject.h"
#include "platform/system/Shutdown.h"
#include "platform/testing/TempFolder.h"

namespace {

class ProcessTokenTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetPrivilegesForTesting();
        platform::RecordShutdownsForTesting(true);
    }
    void TearDown() override {
        platform::RecordShutdownsForTesting(false);
        platform::ResetPrivilegesForTesting();
    }

    static BOOL Enable(HANDLE token, const char* name, bool enable) {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        EXPECT_TRUE(LookupPrivilegeValueA(nullptr, name, &privileges.Privileges[0].Luid));
        privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
        return AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
};

TEST_F(ProcessTokenTest, LookupGivesTheSystemIdsIgnoringCase) {
    LUID luid{};
    ASSERT_TRUE(LookupPrivilegeValueA(nullptr, "seshutdownprivilege", &luid));
    EXPECT_EQ(luid.LowPart, 19u);
    ASSERT_TRUE(LookupPrivilegeValueA("", SE_DEBUG_NAME, &luid));
    EXPECT_EQ(luid.LowPart, 20u);
    EXPECT_FALSE(LookupPrivilegeValueA(nullptr, "SeFlyingPrivilege", &luid));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_SUCH_PRIVILEGE));
}

TEST_F(ProcessTokenTest, ShutdownNeedsTheEnabledPrivilege) {
    EXPECT_FALSE(ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PRIVILEGE_NOT_HELD));
    // Logging off needs no privilege.
    EXPECT_TRUE(ExitWindowsEx(EWX_LOGOFF, 7));

    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
    SetLastError(1234);
    ASSERT_TRUE(Enable(token, SE_SHUTDOWN_NAME, true));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(platform::IsPrivilegeEnabled(SE_SHUTDOWN_NAME));
    EXPECT_TRUE(ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF, 0));
    CloseHandle(token);

    auto requests = platform::TakeShutdownRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].flags, static_cast<UINT>(EWX_LOGOFF));
    EXPECT_EQ(requests[0].reason, 7u);
    EXPECT_EQ(requests[1].flags, 9u);
    EXPECT_TRUE(platform::TakeShutdownRequests().empty());
}

TEST_F(ProcessTokenTest, AnAdministratorPrivilegeIsNotAssignedToAUser) {
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &token));
    ASSERT_TRUE(Enable(token, SE_DEBUG_NAME, true));
    if (geteuid() == 0) {
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
        EXPECT_TRUE(platform::IsPrivilegeEnabled(SE_DEBUG_NAME));
    } else {
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ALL_ASSIGNED));
        EXPECT_FALSE(platform::IsPrivilegeEnabled(SE_DEBUG_NAME));
    }
    CloseHandle(token);
}

TEST_F(ProcessTokenTest, AccessRightsAndPreviousState) {
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    EXPECT_FALSE(Enable(token, SE_SHUTDOWN_NAME, true));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseHandle(token);

    ASSERT_TRUE(
        OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &wanted.Privileges[0].Luid);
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    TOKEN_PRIVILEGES previous{};
    DWORD length = 0;
    ASSERT_TRUE(AdjustTokenPrivileges(token, FALSE, &wanted, sizeof(previous), &previous, &length));
    ASSERT_EQ(previous.PrivilegeCount, 1u);
    EXPECT_EQ(previous.Privileges[0].Luid.LowPart, 19u);
    EXPECT_EQ(previous.Privileges[0].Attributes, 0u);
    // Enabling it again changes nothing, so nothing is reported.
    ASSERT_TRUE(AdjustTokenPrivileges(token, FALSE, &wanted, sizeof(previous), &previous, &length));
    EXPECT_EQ(previous.PrivilegeCount, 0u);
    // Disabling all turns it off again.
    ASSERT_TRUE(AdjustTokenPrivileges(token, TRUE, nullptr, 0, nullptr, nullptr));
    EXPECT_FALSE(platform::IsPrivilegeEnabled(SE_SHUTDOWN_NAME));
    CloseHandle(token);

    HANDLE other = nullptr;
    EXPECT_FALSE(OpenProcessToken(reinterpret_cast<HANDLE>(1234), TOKEN_QUERY, &other));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(ProcessTokenTest, AShutdownGoesToTheSessionOnlyWhenTheUserOptedInAndFailsOtherwise) {
    platform::RecordShutdownsForTesting(false);
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
    ASSERT_TRUE(Enable(token, SE_SHUTDOWN_NAME, true));
    CloseHandle(token);
    platform::testing::TempFolder temp;
    const std::string asked = (temp.path() / "asked").string();
    temp.WriteFile("session", "#!/bin/sh\necho \"$@\" >> '" + asked + "'\nexit $ANSWER\n");
    std::filesystem::permissions(temp.path() / "session", std::filesystem::perms::owner_all);
    platform::SetSessionPowerCommandForTesting((temp.path() / "session").string());

    ::unsetenv("PLATFORM_SESSION_POWER");
    EXPECT_FALSE(ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    ::setenv("PLATFORM_SESSION_POWER", "logind", 1);
    ::setenv("ANSWER", "0", 1);
    EXPECT_TRUE(ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF, 0));
    // The session manager is not asked to log off.
    EXPECT_FALSE(ExitWindowsEx(EWX_LOGOFF, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    ::setenv("ANSWER", "1", 1);
    EXPECT_FALSE(ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_READY));
    ::unsetenv("PLATFORM_SESSION_POWER");
    ::unsetenv("ANSWER");
    platform::SetSessionPowerCommandForTesting({});

    EXPECT_TRUE(platform::TakeShutdownRequests().empty());
    EXPECT_EQ(temp.ReadFile("asked"),
              "call org.freedesktop.login1 /org/freedesktop/login1 "
              "org.freedesktop.login1.Manager PowerOff b true\n"
              "call org.freedesktop.login1 /org/freedesktop/login1 "
              "org.freedesktop.login1.Manager Reboot b true\n");
}

}  // namespace
