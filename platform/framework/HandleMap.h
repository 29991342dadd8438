// The map from handles to the framework objects that wrap them, shared by windows and menus:
// attached ("permanent") objects for the whole process, since other threads look handles up too,
// and the calling thread's temporary objects for handles that have none. A temporary object only
// borrows its handle and is freed with DeleteTemporaries.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace platform {

template <typename Handle, typename Object, Handle Object::*handleMember>
class HandleMap {
public:
    // False when the handle already has an object.
    static bool Add(Handle handle, Object* object) {
        std::lock_guard lock(State().mutex);
        return State().objects.emplace(handle, object).second;
    }
    static void Remove(Handle handle) {
        std::lock_guard lock(State().mutex);
        State().objects.erase(handle);
    }
    static Object* Permanent(Handle handle) {
        std::lock_guard lock(State().mutex);
        const auto found = State().objects.find(handle);
        return found != State().objects.end() ? found->second : nullptr;
    }
    static Object* Temporary(Handle handle) {
        auto& slot = Temporaries()[handle];
        if (!slot) {
            slot.reset(new Object);
            (*slot).*handleMember = handle;
        }
        return slot.get();
    }
    static void DeleteTemporaries() { Temporaries().clear(); }
    // The attached handles in ascending order, which is the order they were made in.
    static std::vector<Handle> PermanentHandles() {
        std::lock_guard lock(State().mutex);
        std::vector<Handle> handles;
        handles.reserve(State().objects.size());
        for (const auto& entry : State().objects) {
            handles.push_back(entry.first);
        }
        return handles;
    }

private:
    struct Permanents {
        std::mutex mutex;
        std::map<Handle, Object*> objects;
    };
    struct ReleaseTemporary {
        void operator()(Object* object) const {
            (*object).*handleMember = nullptr;
            delete object;
        }
    };
    using TemporaryMap = std::unordered_map<Handle, std::unique_ptr<Object, ReleaseTemporary>>;

    static Permanents& State() {
        static Permanents permanents;
        return permanents;
    }
    static TemporaryMap& Temporaries() {
        thread_local TemporaryMap temporaries;
        return temporaries;
    }
};

}  // namespace platform
