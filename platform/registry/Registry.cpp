#include "platform/registry/Registry.h"

#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include <time.h>

#include "platform/registry/RegistryNode.h"
#include "platform/registry/RegistryPath.h"
#include "platform/registry/RegistryStore.h"

namespace {

using platform::RegistryNode;
using platform::RegistryStore;
using platform::RegistryValue;

// A key path from the top: the root's name, then the names below it. A handle refers to its key
// by path, because the key may be deleted and created again by another process meanwhile.
using KeyPath = std::vector<std::string>;

struct OpenKey {
    KeyPath path;
};

struct HandleTable {
    std::mutex mutex;
    std::unordered_set<HKEY> live;
};

HandleTable& Handles() {
    static HandleTable* table = new HandleTable();
    return *table;
}

std::optional<std::string_view> RootName(HKEY key) {
    static const std::pair<HKEY, std::string_view> kRoots[] = {
        {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},     {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
        {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},   {HKEY_USERS, "HKEY_USERS"},
        {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
    };
    for (const auto& [root, name] : kRoots) {
        if (root == key) {
            return name;
        }
    }
    return std::nullopt;
}

// Nothing for a handle that is neither a root nor open.
std::optional<KeyPath> PathOf(HKEY key) {
    if (std::optional<std::string_view> root = RootName(key)) {
        return KeyPath{std::string(*root)};
    }
    HandleTable& handles = Handles();
    std::lock_guard lock(handles.mutex);
    if (!handles.live.contains(key)) {
        return std::nullopt;
    }
    return reinterpret_cast<const OpenKey*>(key)->path;
}

HKEY NewHandle(KeyPath path) {
    HKEY key = reinterpret_cast<HKEY>(new OpenKey{std::move(path)});
    HandleTable& handles = Handles();
    std::lock_guard lock(handles.mutex);
    handles.live.insert(key);
    return key;
}

// The key path below `base` that `subKey` names; nothing when a name or the depth is too long.
std::optional<KeyPath> Below(const KeyPath& base, LPCSTR subKey) {
    std::optional<KeyPath> names = platform::SplitRegistryPath(subKey != nullptr ? subKey : "");
    if (!names || base.size() - 1 + names->size() > platform::kMaxKeyDepth) {
        return std::nullopt;
    }
    KeyPath path = base;
    path.insert(path.end(), names->begin(), names->end());
    return path;
}

RegistryNode* Find(const RegistryNode& top, const KeyPath& path, std::size_t levels) {
    RegistryNode* node = nullptr;
    const RegistryNode* parent = &top;
    for (std::size_t i = 0; i < levels; ++i) {
        node = parent->FindChild(path[i]);
        if (node == nullptr) {
            return nullptr;
        }
        parent = node;
    }
    return node;
}

RegistryNode* Find(const RegistryNode& top, const KeyPath& path) {
    return Find(top, path, path.size());
}

// Runs `action` on the node of an open key under the store's lock; a bad handle or a key deleted
// since it was opened fails before it.
template <typename Action>
LSTATUS ReadKey(HKEY key, Action action) {
    std::optional<KeyPath> path = PathOf(key);
    if (!path) {
        return ERROR_INVALID_HANDLE;
    }
    return RegistryStore::Instance().Read([&](const RegistryNode& top) -> LSTATUS {
        RegistryNode* node = Find(top, *path);
        return node != nullptr ? action(node) : ERROR_KEY_DELETED;
    });
}

template <typename Action>
LSTATUS ChangeKey(HKEY key, Action action) {
    std::optional<KeyPath> path = PathOf(key);
    if (!path) {
        return ERROR_INVALID_HANDLE;
    }
    return RegistryStore::Instance().Change([&](RegistryNode& top, bool& changed) -> LSTATUS {
        RegistryNode* node = Find(top, *path);
        return node != nullptr ? action(node, changed) : ERROR_KEY_DELETED;
    });
}

ULONGLONG FileTimeNow() {
    // FILETIME counts 100 ns intervals from 1601-01-01; the clock counts from 1970-01-01.
    constexpr ULONGLONG kIntervalsFrom1601To1970 = 116444736000000000ULL;
    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    return kIntervalsFrom1601To1970 + static_cast<ULONGLONG>(now.tv_sec) * 10'000'000 +
           static_cast<ULONGLONG>(now.tv_nsec) / 100;
}

bool IsString(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

LSTATUS CopyValueOut(const RegistryValue& value, LPDWORD type, LPBYTE data, LPDWORD size) {
    bool addNul = IsString(value.type) && (value.data.empty() || value.data.back() != '\0');
    DWORD needed = static_cast<DWORD>(value.data.size() + (addNul ? 1 : 0));
    if (type != nullptr) {
        *type = value.type;
    }
    if (data != nullptr) {
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, value.data.data(), value.data.size());
        if (addNul) {
            data[value.data.size()] = 0;
        }
    }
    if (size != nullptr) {
        *size = needed;
    }
    return ERROR_SUCCESS;
}

// Copies `name` and its NUL into a buffer of `*nameSize` bytes and leaves its length there.
LSTATUS CopyNameOut(const std::string& name, LPSTR buffer, LPDWORD nameSize) {
    if (*nameSize <= name.size()) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(buffer, name.data(), name.size());
    buffer[name.size()] = '\0';
    *nameSize = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM, void*, PHKEY result,
                        LPDWORD disposition) {
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    std::optional<KeyPath> base = PathOf(key);
    if (!base) {
        return ERROR_INVALID_HANDLE;
    }
    std::optional<KeyPath> path = Below(*base, subKey);
    if (!path) {
        return ERROR_INVALID_PARAMETER;
    }
    bool created = false;
    LSTATUS status =
        RegistryStore::Instance().Change([&](RegistryNode& top, bool& changed) -> LSTATUS {
            RegistryNode* node = Find(top, *base);
            if (node == nullptr) {
                return ERROR_KEY_DELETED;
            }
            ULONGLONG now = FileTimeNow();
            for (std::size_t level = base->size(); level < path->size(); ++level) {
                RegistryNode* child = node->FindChild((*path)[level]);
                if (child == nullptr) {
                    node->SetLastWriteTime(now);
                    child = &node->AddChild((*path)[level], now);
                    created = true;
                    changed = true;
                }
                node = child;
            }
            return ERROR_SUCCESS;
        });
    if (status != ERROR_SUCCESS) {
        return status;
    }
    *result = NewHandle(std::move(*path));
    if (disposition != nullptr) {
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    return ERROR_SUCCESS;
}

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    std::optional<KeyPath> base = PathOf(key);
    if (!base) {
        return ERROR_INVALID_HANDLE;
    }
    std::optional<KeyPath> path = Below(*base, subKey);
    if (!path) {
        return ERROR_INVALID_PARAMETER;
    }
    LSTATUS status = RegistryStore::Instance().Read([&](const RegistryNode& top) -> LSTATUS {
        if (Find(top, *base) == nullptr) {
            return ERROR_KEY_DELETED;
        }
        return Find(top, *path) != nullptr ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
    if (status == ERROR_SUCCESS) {
        *result = NewHandle(std::move(*path));
    }
    return status;
}

LSTATUS RegCloseKey(HKEY key) {
    if (RootName(key)) {
        return ERROR_SUCCESS;
    }
    HandleTable& handles = Handles();
    std::lock_guard lock(handles.mutex);
    if (handles.live.erase(key) == 0) {
        return ERROR_INVALID_HANDLE;
    }
    delete reinterpret_cast<OpenKey*>(key);
    return ERROR_SUCCESS;
}

LSTATUS RegFlushKey(HKEY key) {
    if (!PathOf(key)) {
        return ERROR_INVALID_HANDLE;
    }
    return RegistryStore::Instance().Flush();
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD size) {
    if (reserved != nullptr || (data != nullptr && size == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    std::string_view valueName = name != nullptr ? name : "";
    return ReadKey(key, [&](RegistryNode* node) -> LSTATUS {
        const RegistryValue* value = node->FindValue(valueName);
        if (value == nullptr) {
            return ERROR_FILE_NOT_FOUND;
        }
        return CopyValueOut(*value, type, data, size);
    });
}

LSTATUS RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    std::string_view valueName = name != nullptr ? name : "";
    if ((data == nullptr && size != 0) || size > platform::kMaxValueDataSize ||
        valueName.size() > platform::kMaxValueNameLength) {
        return ERROR_INVALID_PARAMETER;
    }
    std::string bytes(reinterpret_cast<const char*>(data), size);
    return ChangeKey(key, [&](RegistryNode* node, bool& changed) -> LSTATUS {
        node->SetValue(valueName, type, std::move(bytes));
        node->SetLastWriteTime(FileTimeNow());
        changed = true;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegDeleteValueA(HKEY key, LPCSTR name) {
    std::string_view valueName = name != nullptr ? name : "";
    return ChangeKey(key, [&](RegistryNode* node, bool& changed) -> LSTATUS {
        if (!node->RemoveValue(valueName)) {
            return ERROR_FILE_NOT_FOUND;
        }
        node->SetLastWriteTime(FileTimeNow());
        changed = true;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    if (subKey == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    std::optional<KeyPath> base = PathOf(key);
    if (!base) {
        return ERROR_INVALID_HANDLE;
    }
    std::optional<KeyPath> path = Below(*base, subKey);
    if (!path) {
        return ERROR_INVALID_PARAMETER;
    }
    if (path->size() == 1) {
        return ERROR_ACCESS_DENIED;
    }
    return RegistryStore::Instance().Change([&](RegistryNode& top, bool& changed) -> LSTATUS {
        if (Find(top, *base) == nullptr) {
            return ERROR_KEY_DELETED;
        }
        RegistryNode* parent = Find(top, *path, path->size() - 1);
        RegistryNode* target = parent != nullptr ? parent->FindChild(path->back()) : nullptr;
        if (target == nullptr) {
            return ERROR_FILE_NOT_FOUND;
        }
        if (!target->children().empty()) {
            return ERROR_ACCESS_DENIED;
        }
        parent->RemoveChild(path->back());
        parent->SetLastWriteTime(FileTimeNow());
        changed = true;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                      LPSTR keyClass, LPDWORD classSize, FILETIME* lastWriteTime) {
    if (name == nullptr || nameSize == nullptr || reserved != nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    return ReadKey(key, [&](RegistryNode* node) -> LSTATUS {
        if (index >= node->children().size()) {
            return ERROR_NO_MORE_ITEMS;
        }
        const RegistryNode& child = *node->children()[index];
        LSTATUS status = CopyNameOut(child.name(), name, nameSize);
        if (status != ERROR_SUCCESS) {
            return status;
        }
        if (keyClass != nullptr && classSize != nullptr && *classSize > 0) {
            keyClass[0] = '\0';
        }
        if (classSize != nullptr) {
            *classSize = 0;
        }
        if (lastWriteTime != nullptr) {
            lastWriteTime->dwLowDateTime = static_cast<DWORD>(child.lastWriteTime());
            lastWriteTime->dwHighDateTime = static_cast<DWORD>(child.lastWriteTime() >> 32);
        }
        return ERROR_SUCCESS;
    });
}

LSTATUS RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                      LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    if (name == nullptr || nameSize == nullptr || reserved != nullptr ||
        (data != nullptr && dataSize == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    return ReadKey(key, [&](RegistryNode* node) -> LSTATUS {
        if (index >= node->values().size()) {
            return ERROR_NO_MORE_ITEMS;
        }
        const RegistryValue& value = node->values()[index];
        LSTATUS status = CopyNameOut(value.name, name, nameSize);
        if (status != ERROR_SUCCESS) {
            return status;
        }
        return CopyValueOut(value, type, data, dataSize);
    });
}

namespace platform {

std::filesystem::path RegistryFile() {
    return RegistryStore::Instance().file();
}

void SetRegistryFile(const std::filesystem::path& file) {
    RegistryStore::Instance().SetFile(file);
}

}  // namespace platform
