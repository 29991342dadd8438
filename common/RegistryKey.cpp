#include "common/RegistryKey.h"

#include <algorithm>
#include <cstring>

namespace {

// The query buffer: a string value of up to 254 bytes and its terminating zero.
constexpr DWORD kStringBufferSize = 255;

}  // namespace

CRegistryKey::~CRegistryKey() {
    Reset();
}

void CRegistryKey::Reset() {
    subKey_.Empty();
    root_ = HKEY_CURRENT_USER;
    noFlush_ = 1;
}

int CRegistryKey::SetRoot(HKEY root) {
    if (root != HKEY_CLASSES_ROOT && root != HKEY_CURRENT_USER && root != HKEY_LOCAL_MACHINE &&
        root != HKEY_USERS) {
        return 0;
    }
    root_ = root;
    return 1;
}

int CRegistryKey::SetKey(LPCSTR subKey, BOOL create) {
    if (subKey == nullptr || subKey[0] == '\0') {
        subKey_.Empty();
        return 1;
    }
    HKEY key = nullptr;
    if (create) {
        DWORD disposition = 0;
        if (RegCreateKeyExA(root_, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, &disposition) != ERROR_SUCCESS) {
            return 0;
        }
    } else {
        lastStatus_ = RegOpenKeyExA(root_, subKey, 0, KEY_ALL_ACCESS, &key);
        if (lastStatus_ != ERROR_SUCCESS) {
            return 0;
        }
    }
    subKey_ = subKey;
    if (noFlush_ == 0) {
        RegFlushKey(key);
    }
    RegCloseKey(key);
    return 1;
}

DWORD CRegistryKey::GetValueType(LPCSTR name) {
    HKEY key = nullptr;
    lastStatus_ = RegOpenKeyExA(root_, subKey_, 0, KEY_QUERY_VALUE, &key);
    if (lastStatus_ != ERROR_SUCCESS) {
        return 0;
    }
    DWORD type = REG_NONE;
    lastStatus_ = RegQueryValueExA(key, name, nullptr, &type, nullptr, nullptr);
    RegCloseKey(key);
    return lastStatus_ == ERROR_SUCCESS ? type : 0;
}

CString CRegistryKey::ReadString(LPCSTR name, LPCSTR defaultText) {
    const DWORD type = GetValueType(name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return CString(defaultText);
    }
    HKEY key = nullptr;
    lastStatus_ = RegOpenKeyExA(root_, subKey_, 0, KEY_READ, &key);
    if (lastStatus_ != ERROR_SUCCESS) {
        return CString(defaultText);
    }
    // One byte beyond what the query may fill, so that a value stored without its terminating
    // zero still reads as a terminated text.
    BYTE buffer[kStringBufferSize + 1] = {};
    DWORD size = kStringBufferSize;
    lastStatus_ = RegQueryValueExA(key, name, nullptr, nullptr, buffer, &size);
    RegCloseKey(key);
    if (lastStatus_ != ERROR_SUCCESS) {
        return CString(defaultText);
    }
    buffer[std::min(size, kStringBufferSize)] = '\0';
    return CString(reinterpret_cast<const char*>(buffer));
}

int CRegistryKey::DeleteValue(LPCSTR name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, subKey_, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        return 0;
    }
    const LONG result = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 1 : 0;
}

int CRegistryKey::WriteString(LPCSTR name, LPCSTR text) {
    const std::size_t length = std::strlen(text);
    if (length >= kStringBufferSize) {
        return 0;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, subKey_, 0, KEY_WRITE, &key) != ERROR_SUCCESS) {
        return 0;
    }
    const LONG result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                       static_cast<DWORD>(length + 1));
    if (noFlush_ == 0) {
        RegFlushKey(key);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 1 : 0;
}
