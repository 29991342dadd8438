#include "platform/registry/RegistryNode.h"

#include <algorithm>
#include <utility>

#include "platform/text/Gbk.h"

namespace platform {

RegistryNode::RegistryNode(std::string name, ULONGLONG lastWriteTime)
    : name_(std::move(name)), lastWriteTime_(lastWriteTime) {}

std::vector<std::unique_ptr<RegistryNode>>::const_iterator RegistryNode::LowerBound(
    std::string_view name) const {
    return std::lower_bound(children_.begin(), children_.end(), name,
                            [](const std::unique_ptr<RegistryNode>& child, std::string_view key) {
                                return CompareNoCase(child->name(), key) < 0;
                            });
}

RegistryNode* RegistryNode::FindChild(std::string_view name) const {
    auto found = LowerBound(name);
    if (found == children_.end() || CompareNoCase((*found)->name(), name) != 0) {
        return nullptr;
    }
    return found->get();
}

RegistryNode& RegistryNode::AddChild(std::string name, ULONGLONG lastWriteTime) {
    auto position = LowerBound(name);
    auto child = std::make_unique<RegistryNode>(std::move(name), lastWriteTime);
    return **children_.insert(position, std::move(child));
}

bool RegistryNode::RemoveChild(std::string_view name) {
    auto found = LowerBound(name);
    if (found == children_.end() || CompareNoCase((*found)->name(), name) != 0) {
        return false;
    }
    children_.erase(found);
    return true;
}

const RegistryValue* RegistryNode::FindValue(std::string_view name) const {
    for (const RegistryValue& value : values_) {
        if (CompareNoCase(value.name, name) == 0) {
            return &value;
        }
    }
    return nullptr;
}

void RegistryNode::SetValue(std::string_view name, DWORD type, std::string data) {
    for (RegistryValue& value : values_) {
        if (CompareNoCase(value.name, name) == 0) {
            value.type = type;
            value.data = std::move(data);
            return;
        }
    }
    values_.push_back(RegistryValue{std::string(name), type, std::move(data)});
}

bool RegistryNode::RemoveValue(std::string_view name) {
    auto found = std::find_if(values_.begin(), values_.end(), [name](const RegistryValue& value) {
        return CompareNoCase(value.name, name) == 0;
    });
    if (found == values_.end()) {
        return false;
    }
    values_.erase(found);
    return true;
}

}  // namespace platform
