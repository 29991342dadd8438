// A registry key named by a root and a sub-key path. The key is never held open: each operation
// opens it, works and closes it.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/registry/Registry.h"
#include "platform/text/CString.h"

class CRegistryKey {
public:
    CRegistryKey() = default;
    ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Back to HKEY_CURRENT_USER with no sub-key, flushing off.
    void Reset();
    // Only HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and HKEY_USERS are accepted:
    // 1 and stored, otherwise 0 and unchanged.
    int SetRoot(HKEY root);
    // Opens (or, with `create`, creates) the key and records its path; 1 on success or for an
    // empty path (which records no sub-key), 0 on failure with the recorded path unchanged.
    int SetKey(LPCSTR subKey, BOOL create);
    // The value's registry type (REG_SZ, REG_DWORD, ...); 0 on any failure.
    DWORD GetValueType(LPCSTR name);
    // The text of a REG_SZ or REG_EXPAND_SZ value (unexpanded) of at most 254 bytes; the default
    // for any other type, a longer value or any failure.
    CString ReadString(LPCSTR name, LPCSTR defaultText);
    // 1 when the value was deleted, else 0. The last status is left as it was.
    int DeleteValue(LPCSTR name);
    // Stores `text` as a REG_SZ value; 1 when written, 0 when the key cannot be opened for writing
    // or the text is longer than 254 bytes (which ReadString could not read back), in which case
    // the registry is not touched. The last status is left as it was.
    int WriteString(LPCSTR name, LPCSTR text);

    // The Win32 result of the last open or query.
    LONG LastStatus() const { return lastStatus_; }

private:
    LONG lastStatus_ = ERROR_SUCCESS;
    HKEY root_ = HKEY_CURRENT_USER;
    int noFlush_ = 1;
    CString subKey_;
};
