#include "platform/drawing/GdiObjects.h"

#include <mutex>
#include <unordered_map>

namespace platform {

namespace {

struct ObjectTable {
    std::mutex mutex;
    std::unordered_map<HGDIOBJ, std::unique_ptr<GdiObject>> objects;
};

ObjectTable& Table() {
    static ObjectTable* table = new ObjectTable;
    return *table;
}

}  // namespace

HGDIOBJ RegisterObject(std::unique_ptr<GdiObject> object) {
    HGDIOBJ handle = object.get();
    ObjectTable& table = Table();
    std::lock_guard lock(table.mutex);
    table.objects.emplace(handle, std::move(object));
    return handle;
}

GdiObject* FindObject(HGDIOBJ handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    ObjectTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto found = table.objects.find(handle);
    return found == table.objects.end() ? nullptr : found->second.get();
}

void RetainSelection(HGDIOBJ handle) {
    ObjectTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto found = table.objects.find(handle);
    if (found != table.objects.end()) {
        ++found->second->selections;
    }
}

void ReleaseSelection(HGDIOBJ handle) {
    ObjectTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto found = table.objects.find(handle);
    if (found == table.objects.end()) {
        return;
    }
    GdiObject& object = *found->second;
    if (object.selections > 0) {
        --object.selections;
    }
    if (object.selections == 0 && object.deletePending) {
        table.objects.erase(found);
    }
}

bool DestroyObject(HGDIOBJ handle) {
    ObjectTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto found = table.objects.find(handle);
    if (found == table.objects.end() || found->second->deletePending) {
        return false;
    }
    if (found->second->stock) {
        // Deleting a stock object is harmless and reported as done.
        return true;
    }
    if (found->second->selections > 0) {
        found->second->deletePending = true;
        return true;
    }
    table.objects.erase(found);
    return true;
}

HBITMAP DefaultBitmap() {
    static HBITMAP bitmap = [] {
        auto object = std::make_unique<BitmapObject>();
        object->stock = true;
        object->bitsPerPixel = 1;
        object->surface = Surface(1, 1);
        return static_cast<HBITMAP>(RegisterObject(std::move(object)));
    }();
    return bitmap;
}

}  // namespace platform
