#include "platform/base/KernelObject.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace platform {
namespace {

class HandleTable {
public:
    HANDLE Insert(std::shared_ptr<KernelObject> object) {
        std::lock_guard lock(mutex_);
        // Multiples of four, as handles are on the original platform, starting well away from
        // null and from the pseudo handles near -1.
        next_ += 4;
        objects_.emplace(next_, std::move(object));
        return reinterpret_cast<HANDLE>(next_);
    }

    std::shared_ptr<KernelObject> Lookup(HANDLE handle) {
        std::lock_guard lock(mutex_);
        auto found = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
        return found == objects_.end() ? nullptr : found->second;
    }

    // Hands the object back so that it is destroyed outside the lock: a destructor may close
    // handles of its own.
    std::shared_ptr<KernelObject> Remove(HANDLE handle) {
        std::lock_guard lock(mutex_);
        auto found = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found == objects_.end()) {
            return nullptr;
        }
        std::shared_ptr<KernelObject> object = std::move(found->second);
        objects_.erase(found);
        return object;
    }

private:
    std::mutex mutex_;
    std::uintptr_t next_ = 0x100;
    std::unordered_map<std::uintptr_t, std::shared_ptr<KernelObject>> objects_;
};

HandleTable& Table() {
    static HandleTable* table = new HandleTable;
    return *table;
}

}  // namespace

HANDLE KernelObject::Insert(std::shared_ptr<KernelObject> object) {
    return Table().Insert(std::move(object));
}

std::shared_ptr<KernelObject> KernelObject::Lookup(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return Table().Lookup(handle);
}

bool KernelObject::Remove(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    return Table().Remove(handle) != nullptr;
}

}  // namespace platform

BOOL CloseHandle(HANDLE handle) {
    if (!platform::KernelObject::Remove(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
