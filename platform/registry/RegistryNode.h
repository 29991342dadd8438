// One key of the registry in memory: its name as first spelled, its last write time, its values
// in the order they were first set and its sub-keys in ASCII-case-insensitive name order.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"

namespace platform {

struct RegistryValue {
    std::string name;
    DWORD type = 0;
    std::string data;
};

class RegistryNode {
public:
    explicit RegistryNode(std::string name, ULONGLONG lastWriteTime = 0);
    RegistryNode(const RegistryNode&) = delete;
    RegistryNode& operator=(const RegistryNode&) = delete;

    const std::string& name() const { return name_; }
    // In FILETIME units (100 ns since 1601).
    ULONGLONG lastWriteTime() const { return lastWriteTime_; }
    void SetLastWriteTime(ULONGLONG time) { lastWriteTime_ = time; }

    const std::vector<std::unique_ptr<RegistryNode>>& children() const { return children_; }
    RegistryNode* FindChild(std::string_view name) const;
    // The caller makes sure no child of that name exists.
    RegistryNode& AddChild(std::string name, ULONGLONG lastWriteTime);
    bool RemoveChild(std::string_view name);

    const std::vector<RegistryValue>& values() const { return values_; }
    const RegistryValue* FindValue(std::string_view name) const;
    // Replaces the data and type of an existing value (keeping its spelling and position) or
    // appends a new one.
    void SetValue(std::string_view name, DWORD type, std::string data);
    bool RemoveValue(std::string_view name);

private:
    std::vector<std::unique_ptr<RegistryNode>>::const_iterator LowerBound(
        std::string_view name) const;

    std::string name_;
    ULONGLONG lastWriteTime_;
    std::vector<RegistryValue> values_;
    std::vector<std::unique_ptr<RegistryNode>> children_;
};

}  // namespace platform
