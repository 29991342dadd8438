#include "platform/system/ProcessToken.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <mutex>
#include <vector>

#include "platform/base/KernelObject.h"
#include "platform/text/Gbk.h"

namespace {

struct Privilege {
    const char* name;
    DWORD luid;
    bool administratorOnly;
    bool enabledAtStart;
};

// The locally unique ids a Windows system gives these privileges.
constexpr std::array kPrivileges{
    Privilege{"SeCreateTokenPrivilege", 2, true, false},
    Privilege{"SeAssignPrimaryTokenPrivilege", 3, true, false},
    Privilege{"SeLockMemoryPrivilege", 4, true, false},
    Privilege{"SeIncreaseQuotaPrivilege", 5, true, false},
    Privilege{"SeMachineAccountPrivilege", 6, true, false},
    Privilege{"SeTcbPrivilege", 7, true, false},
    Privilege{"SeSecurityPrivilege", 8, true, false},
    Privilege{"SeTakeOwnershipPrivilege", 9, true, false},
    Privilege{"SeLoadDriverPrivilege", 10, true, false},
    Privilege{"SeSystemProfilePrivilege", 11, true, false},
    Privilege{"SeSystemtimePrivilege", 12, true, false},
    Privilege{"SeProfileSingleProcessPrivilege", 13, true, false},
    Privilege{"SeIncreaseBasePriorityPrivilege", 14, true, false},
    Privilege{"SeCreatePagefilePrivilege", 15, true, false},
    Privilege{"SeCreatePermanentPrivilege", 16, true, false},
    Privilege{"SeBackupPrivilege", 17, true, false},
    Privilege{"SeRestorePrivilege", 18, true, false},
    Privilege{"SeShutdownPrivilege", 19, false, false},
    Privilege{"SeDebugPrivilege", 20, true, false},
    Privilege{"SeAuditPrivilege", 21, true, false},
    Privilege{"SeSystemEnvironmentPrivilege", 22, true, false},
    Privilege{"SeChangeNotifyPrivilege", 23, false, true},
    Privilege{"SeRemoteShutdownPrivilege", 24, true, false},
    Privilege{"SeUndockPrivilege", 25, false, false},
};

class ProcessPrivileges {
public:
    static ProcessPrivileges& Instance() {
        static ProcessPrivileges privileges;
        return privileges;
    }

    void Reset() {
        std::lock_guard lock(mutex_);
        for (size_t i = 0; i < kPrivileges.size(); ++i)
            enabled_[i] = kPrivileges[i].enabledAtStart;
    }

    static const Privilege* Find(DWORD luid, size_t* index) {
        for (size_t i = 0; i < kPrivileges.size(); ++i) {
            if (kPrivileges[i].luid == luid) {
                *index = i;
                return &kPrivileges[i];
            }
        }
        return nullptr;
    }

    static bool Held(const Privilege& privilege) {
        return !privilege.administratorOnly || geteuid() == 0;
    }

    bool IsEnabled(size_t index) {
        std::lock_guard lock(mutex_);
        return enabled_[index];
    }

    void SetEnabled(size_t index, bool enabled) {
        std::lock_guard lock(mutex_);
        enabled_[index] = enabled;
    }

private:
    ProcessPrivileges() { Reset(); }

    std::mutex mutex_;
    std::array<bool, kPrivileges.size()> enabled_{};
};

class Token : public platform::KernelObject {
public:
    explicit Token(DWORD access) : access(access) {}
    DWORD access;
};

const Privilege* FindByName(const char* name) {
    for (const Privilege& privilege : kPrivileges) {
        if (platform::CompareNoCase(privilege.name, name) == 0)
            return &privilege;
    }
    return nullptr;
}

}  // namespace

HANDLE GetCurrentProcess() {
    return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));
}

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(getpid());
}

BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle) {
    if (TokenHandle == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (ProcessHandle != GetCurrentProcess()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    *TokenHandle = platform::KernelObject::Insert(std::make_shared<Token>(DesiredAccess));
    return TRUE;
}

BOOL LookupPrivilegeValueA(LPCSTR lpSystemName, LPCSTR lpName, PLUID lpLuid) {
    if (lpSystemName != nullptr && *lpSystemName != '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const Privilege* privilege = lpName != nullptr ? FindByName(lpName) : nullptr;
    if (privilege == nullptr || lpLuid == nullptr) {
        SetLastError(ERROR_NO_SUCH_PRIVILEGE);
        return FALSE;
    }
    lpLuid->LowPart = privilege->luid;
    lpLuid->HighPart = 0;
    return TRUE;
}

BOOL AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges,
                           PTOKEN_PRIVILEGES NewState, DWORD BufferLength,
                           PTOKEN_PRIVILEGES PreviousState, PDWORD ReturnLength) {
    auto token = platform::KernelObject::LookupAs<Token>(TokenHandle);
    if (!token) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if ((token->access & TOKEN_ADJUST_PRIVILEGES) == 0 ||
        (PreviousState != nullptr && (token->access & TOKEN_QUERY) == 0)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!DisableAllPrivileges && NewState == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto& privileges = ProcessPrivileges::Instance();
    struct Change {
        size_t index;
        bool enable;
    };
    std::vector<Change> changes;
    bool allAssigned = true;
    if (DisableAllPrivileges) {
        for (size_t i = 0; i < kPrivileges.size(); ++i) {
            if (ProcessPrivileges::Held(kPrivileges[i]))
                changes.push_back({i, false});
        }
    } else {
        for (DWORD i = 0; i < NewState->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& wanted = NewState->Privileges[i];
            size_t index = 0;
            const Privilege* privilege = wanted.Luid.HighPart == 0
                                             ? ProcessPrivileges::Find(wanted.Luid.LowPart, &index)
                                             : nullptr;
            if (privilege == nullptr || !ProcessPrivileges::Held(*privilege)) {
                allAssigned = false;
                continue;
            }
            changes.push_back({index, (wanted.Attributes & SE_PRIVILEGE_ENABLED) != 0});
        }
    }
    // The previous state lists only the privileges whose state changes.
    std::vector<Change> changed;
    for (const Change& change : changes) {
        if (privileges.IsEnabled(change.index) != change.enable)
            changed.push_back(change);
    }
    if (PreviousState != nullptr) {
        DWORD needed =
            static_cast<DWORD>(offsetof(TOKEN_PRIVILEGES, Privileges) +
                               std::max<size_t>(changed.size(), 1) * sizeof(LUID_AND_ATTRIBUTES));
        if (ReturnLength != nullptr)
            *ReturnLength = needed;
        if (BufferLength < needed) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        PreviousState->PrivilegeCount = static_cast<DWORD>(changed.size());
        for (size_t i = 0; i < changed.size(); ++i) {
            LUID_AND_ATTRIBUTES* slot = &PreviousState->Privileges[0] + i;
            slot->Luid = {kPrivileges[changed[i].index].luid, 0};
            slot->Attributes = changed[i].enable ? 0 : SE_PRIVILEGE_ENABLED;
        }
    }
    for (const Change& change : changed)
        privileges.SetEnabled(change.index, change.enable);
    SetLastError(allAssigned ? ERROR_SUCCESS : ERROR_NOT_ALL_ASSIGNED);
    return TRUE;
}

namespace platform {

bool IsPrivilegeEnabled(std::string_view name) {
    std::string text(name);
    const Privilege* privilege = FindByName(text.c_str());
    if (privilege == nullptr)
        return false;
    size_t index = 0;
    ProcessPrivileges::Find(privilege->luid, &index);
    return ProcessPrivileges::Instance().IsEnabled(index);
}

void ResetPrivilegesForTesting() {
    ProcessPrivileges::Instance().Reset();
}

}  // namespace platform
