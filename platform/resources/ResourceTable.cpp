#include "platform/resources/ResourceTable.h"

#include "platform/resources/ResourceKey.h"

namespace platform {

ResourceTable& ResourceTable::Program() {
    static ResourceTable* table = new ResourceTable;  // outlives every static destructor
    return *table;
}

void ResourceTable::Add(const std::string& type, const std::string& name,
                        std::vector<std::uint8_t> bytes) {
    std::string typeKey = ResourceKey(type);
    std::string nameKey = ResourceKey(name);
    std::lock_guard lock(mutex_);
    Entry& entry = entries_[{typeKey, nameKey}];
    entry.type = typeKey;
    entry.name = nameKey;
    entry.bytes = std::move(bytes);
}

bool ResourceTable::AddAll(const ResourceData* resources, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const ResourceData& resource = resources[i];
        Add(resource.type, resource.name,
            std::vector<std::uint8_t>(resource.bytes, resource.bytes + resource.size));
    }
    return true;
}

const ResourceTable::Entry* ResourceTable::Find(const std::string& type,
                                                const std::string& name) const {
    std::lock_guard lock(mutex_);
    auto found = entries_.find({type, name});
    return found == entries_.end() ? nullptr : &found->second;
}

}  // namespace platform
