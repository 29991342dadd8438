#include "platform/drawing/GdiObject.h"

#include <mutex>

namespace {

struct AttachedMap {
    std::mutex mutex;
    std::unordered_map<HGDIOBJ, CGdiObject*> wrappers;
};

AttachedMap& Attached() {
    static AttachedMap* map = new AttachedMap;
    return *map;
}

}  // namespace

CGdiObject::~CGdiObject() {
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ handle) {
    if (handle == nullptr || m_hObject != nullptr) {
        return FALSE;
    }
    m_hObject = handle;
    AttachedMap& map = Attached();
    std::lock_guard lock(map.mutex);
    map.wrappers[handle] = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ handle = m_hObject;
    if (handle != nullptr) {
        AttachedMap& map = Attached();
        std::lock_guard lock(map.mutex);
        auto found = map.wrappers.find(handle);
        if (found != map.wrappers.end() && found->second == this) {
            map.wrappers.erase(found);
        }
    }
    m_hObject = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr) {
        return FALSE;
    }
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int size, LPVOID buffer) const {
    return ::GetObjectA(m_hObject, size, buffer);
}

UINT CGdiObject::GetObjectType() const {
    return ::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int index) {
    return Attach(::GetStockObject(index));
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle) {
    return WrapperFor<CGdiObject>(handle);
}

CGdiObject* CGdiObject::AttachedTo(HGDIOBJ handle) {
    AttachedMap& map = Attached();
    std::lock_guard lock(map.mutex);
    auto found = map.wrappers.find(handle);
    return found == map.wrappers.end() ? nullptr : found->second;
}
