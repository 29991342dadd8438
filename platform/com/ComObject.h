// The identity and lifetime half of an object the programs implement: a reference count that
// deletes the object when it reaches zero, and QueryInterface over the interfaces listed (and
// the interfaces those extend). The first listed interface is the object's IUnknown identity.
//
//   class ExternalObject : public platform::ComObject<IDispatch> { ... };
//   auto* object = new ExternalObject;  // holds one reference, the creator's
#pragma once

#include <atomic>
#include <new>
#include <utility>

#include "platform/com/Unknown.h"

namespace platform {

template <typename Interface>
constexpr bool ExtendsOrIs(REFIID iid) {
    if (IsEqualIID(iid, Interface::kIid)) {
        return true;
    }
    if constexpr (requires { typename Interface::Base; }) {
        return ExtendsOrIs<typename Interface::Base>(iid);
    } else {
        return false;
    }
}

template <typename First, typename... Rest>
class ComObject : public First, public Rest... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown)) {
            *object = Identity();
        } else if (!(Find<First>(iid, object) || (Find<Rest>(iid, object) || ...))) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }

    ULONG AddRef() override { return ++references_; }

    ULONG Release() override {
        const ULONG count = --references_;
        if (count == 0) {
            delete this;
        }
        return count;
    }

    IUnknown* Identity() { return static_cast<First*>(this); }

protected:
    virtual ~ComObject() = default;

private:
    template <typename Interface>
    bool Find(REFIID iid, void** object) {
        if (!ExtendsOrIs<Interface>(iid)) {
            return false;
        }
        *object = static_cast<Interface*>(this);
        return true;
    }

    std::atomic<ULONG> references_{1};
};

// Makes a new object and hands out its `iid` interface, for class factories: S_OK with the only
// reference in `*object`, or an error with `*object` null and the object gone.
template <typename Object, typename... Arguments>
HRESULT CreateComObject(REFIID iid, void** object, Arguments&&... arguments) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    auto* created = new (std::nothrow) Object(std::forward<Arguments>(arguments)...);
    if (created == nullptr) {
        return E_OUTOFMEMORY;
    }
    HRESULT result = created->QueryInterface(iid, object);
    created->Release();
    return result;
}

}  // namespace platform
