// The registry: keys with named, typed values under the predefined roots, persisted in one file per
// user and shared by every process that uses it. Names of keys and values are matched without
// regard to ASCII case (GBK-aware); a key keeps the spelling it was first created with.
//
// Every change takes an exclusive lock on a file beside the store, re-reads the store when another
// process changed it, applies the change and replaces the whole file, so concurrent writers lose
// nothing. Reads pick up other processes' changes as soon as the file changes.
#pragma once

#include <filesystem>

#include "platform/base/WinTypes.h"

using LSTATUS = LONG;
using REGSAM = DWORD;

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000)
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002)
#define HKEY_USERS ((HKEY)(ULONG_PTR)0x80000003)
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)0x80000005)

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7

// Access rights are accepted and not enforced: every handle may read and write.
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#define REG_OPTION_NON_VOLATILE 0
#define REG_CREATED_NEW_KEY 1
#define REG_OPENED_EXISTING_KEY 2

#define ERROR_NO_MORE_ITEMS 259L
// An open handle whose key has since been deleted (by this or another process).
#define ERROR_KEY_DELETED 1018L

// `subKey` may hold several levels separated by "\"; every missing level is created. An empty or
// null `subKey` opens `key` itself. The class, options, access and security are accepted and not
// kept. `disposition` (may be null) tells whether the last level was created or already existed.
LSTATUS RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                        REGSAM access, void* security, PHKEY result, LPDWORD disposition);
// ERROR_FILE_NOT_FOUND when any level is missing. An empty or null `subKey` opens `key` itself
// as a new handle.
LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
// Predefined roots close without effect; a handle that was never opened gives ERROR_INVALID_HANDLE.
LSTATUS RegCloseKey(HKEY key);
// Makes every change so far durable on disk (changes are written to the file as they are made).
LSTATUS RegFlushKey(HKEY key);

// A null or empty `name` is the key's default value. With `data` null, `size` (when not null)
// receives the length needed; a `*size` below that length gives ERROR_MORE_DATA and the length.
// A string value (REG_SZ, REG_EXPAND_SZ) stored without its terminating NUL is returned with one,
// so readers never see an unterminated string; REG_EXPAND_SZ is returned unexpanded.
LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD size);
// Stores the `size` bytes given, as given; a REG_SZ value should include its terminating NUL.
LSTATUS RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                       DWORD size);
LSTATUS RegDeleteValueA(HKEY key, LPCSTR name);
// Deletes only a key without sub-keys (else ERROR_ACCESS_DENIED), together with its values. An
// empty `subKey` deletes the key `key` refers to; the predefined roots cannot be deleted.
LSTATUS RegDeleteKeyA(HKEY key, LPCSTR subKey);

// Sub-keys enumerate in ASCII-case-insensitive name order, values in the order they were first
// set; ERROR_NO_MORE_ITEMS past the last. `*nameSize` is the buffer size in bytes on entry and the
// name's length without its NUL on success; a name that does not fit gives ERROR_MORE_DATA.
// Key classes are not kept: `keyClass` (when given) receives an empty text.
LSTATUS RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                      LPSTR keyClass, LPDWORD classSize, FILETIME* lastWriteTime);
// `data`, `dataSize` and `type` follow RegQueryValueExA.
LSTATUS RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                      LPDWORD type, LPBYTE data, LPDWORD dataSize);

namespace platform {

// The store file in use: the one set by SetRegistryFile, else $PLATFORM_REGISTRY_FILE, else
// $XDG_CONFIG_HOME/larchway/registry.dat, else ~/.config/larchway/registry.dat.
std::filesystem::path RegistryFile();
// Moves this process's registry to another file (tests give each one its own). Open handles stay
// valid and now refer to the keys of the same path in the new file. An empty path goes back to
// the default file.
void SetRegistryFile(const std::filesystem::path& file);

}  // namespace platform
