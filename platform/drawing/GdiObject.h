// The framework's base of drawing-object wrappers. A wrapper owns its handle: the destructor
// deletes it unless it was detached. FromHandle gives the wrapper a handle is attached to, or a
// temporary one that belongs to the calling thread and never deletes its handle (as the
// framework's temporary objects, which it frees at idle time; here they live as long as the
// thread).
#pragma once

#include <memory>
#include <unordered_map>

#include "platform/drawing/Gdi.h"

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // Fails when the wrapper already has a handle or `handle` is null.
    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, LPVOID buffer) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int index);

    static CGdiObject* FromHandle(HGDIOBJ handle);

    HGDIOBJ m_hObject = nullptr;

protected:
    // The attached wrapper of `handle` if it is a T, else the thread's temporary T for it.
    template <typename T>
    static T* WrapperFor(HGDIOBJ handle) {
        if (handle == nullptr) {
            return nullptr;
        }
        if (auto* attached = dynamic_cast<T*>(AttachedTo(handle))) {
            return attached;
        }
        struct Release {
            void operator()(T* wrapper) const {
                wrapper->m_hObject = nullptr;
                delete wrapper;
            }
        };
        thread_local std::unordered_map<HGDIOBJ, std::unique_ptr<T, Release>> temporary;
        auto& slot = temporary[handle];
        if (!slot) {
            slot.reset(new T);
            slot->m_hObject = handle;
        }
        return slot.get();
    }

private:
    static CGdiObject* AttachedTo(HGDIOBJ handle);
};
