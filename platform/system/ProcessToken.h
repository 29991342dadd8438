// The process's access token and its privileges. The token holds what a Windows user of the same
// standing would hold: every user holds the shutdown and change-notify privileges (only
// change-notify enabled at start); the administrator's privileges (debug, backup, restore,
// system time...) are held only when the program runs as root. Privileges are enabled per process,
// so every token opened on this process sees the same state.
#pragma once

#include <string_view>

#include "platform/base/WinTypes.h"

struct LUID {
    DWORD LowPart;
    LONG HighPart;
};
using PLUID = LUID*;

struct LUID_AND_ATTRIBUTES {
    LUID Luid;
    DWORD Attributes;
};

struct TOKEN_PRIVILEGES {
    DWORD PrivilegeCount;
    LUID_AND_ATTRIBUTES Privileges[1];
};
using PTOKEN_PRIVILEGES = TOKEN_PRIVILEGES*;

#define SE_PRIVILEGE_ENABLED_BY_DEFAULT 0x00000001L
#define SE_PRIVILEGE_ENABLED 0x00000002L
#define SE_PRIVILEGE_REMOVED 0x00000004L

#define TOKEN_ASSIGN_PRIMARY 0x0001
#define TOKEN_DUPLICATE 0x0002
#define TOKEN_IMPERSONATE 0x0004
#define TOKEN_QUERY 0x0008
#define TOKEN_QUERY_SOURCE 0x0010
#define TOKEN_ADJUST_PRIVILEGES 0x0020
#define TOKEN_ADJUST_GROUPS 0x0040
#define TOKEN_ADJUST_DEFAULT 0x0080
#define TOKEN_ADJUST_SESSIONID 0x0100
#define TOKEN_ALL_ACCESS 0x000F01FFL

#define SE_SHUTDOWN_NAME "SeShutdownPrivilege"
#define SE_DEBUG_NAME "SeDebugPrivilege"
#define SE_CHANGE_NOTIFY_NAME "SeChangeNotifyPrivilege"
#define SE_BACKUP_NAME "SeBackupPrivilege"
#define SE_RESTORE_NAME "SeRestorePrivilege"
#define SE_SYSTEMTIME_NAME "SeSystemtimePrivilege"

// The pseudo handle (-1) that stands for the calling process wherever a process handle is taken.
HANDLE GetCurrentProcess();
DWORD GetCurrentProcessId();

// Only the calling process's token can be opened.
BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle);
// Names compare without case; a system name must be null or empty (this machine).
BOOL LookupPrivilegeValueA(LPCSTR lpSystemName, LPCSTR lpName, PLUID lpLuid);
// Succeeds (needing TOKEN_ADJUST_PRIVILEGES) and then reports through the last error whether every
// privilege named was held: ERROR_SUCCESS, or ERROR_NOT_ALL_ASSIGNED when some were not (those
// are left alone). PreviousState, when given, receives the prior state of the privileges changed.
BOOL AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges,
                           PTOKEN_PRIVILEGES NewState, DWORD BufferLength,
                           PTOKEN_PRIVILEGES PreviousState, PDWORD ReturnLength);

namespace platform {

bool IsPrivilegeEnabled(std::string_view name);
// Puts every privilege back to its start state. For tests.
void ResetPrivilegesForTesting();

}  // namespace platform
