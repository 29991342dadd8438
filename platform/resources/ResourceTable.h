// The program's resources, keyed by (type, name) as ResourceKey forms them, so that a bitmap and
// a dialog may share a number. The compiler's generated source fills the program's table during
// static initialisation; lookups return entries that stay in place for the program's lifetime.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// One entry of a generated resource list.
struct ResourceData {
    const char* type;
    const char* name;
    const unsigned char* bytes;
    size_t size;
};

class ResourceTable {
public:
    struct Entry {
        std::string type;
        std::string name;
        std::vector<std::uint8_t> bytes;
    };

    // The table of the running program.
    static ResourceTable& Program();

    // Adds or replaces one resource; `type` and `name` are normalised through ResourceKey.
    void Add(const std::string& type, const std::string& name, std::vector<std::uint8_t> bytes);
    // Adds `count` entries of a generated list. Returns true, so a generated source can run it
    // as a static initialiser.
    bool AddAll(const ResourceData* resources, size_t count);
    // Null when absent. `type` and `name` must already be ResourceKeys.
    const Entry* Find(const std::string& type, const std::string& name) const;

private:
    mutable std::mutex mutex_;
    // std::map never moves its nodes, so a found entry stays valid while others are added.
    std::map<std::pair<std::string, std::string>, Entry> entries_;
};

}  // namespace platform
