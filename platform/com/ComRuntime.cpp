#include "platform/com/ComRuntime.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>

namespace {

struct ThreadState {
    int initializations = 0;
    DWORD threading = COINIT_APARTMENTTHREADED;
};

thread_local ThreadState threadState;

// Orders class ids byte by byte so that they can key a map.
struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const {
        return std::tie(a.Data1, a.Data2, a.Data3) < std::tie(b.Data1, b.Data2, b.Data3) ||
               (std::tie(a.Data1, a.Data2, a.Data3) == std::tie(b.Data1, b.Data2, b.Data3) &&
                std::memcmp(a.Data4, b.Data4, sizeof a.Data4) < 0);
    }
};

struct ClassTable {
    std::mutex mutex;
    std::map<CLSID, platform::ComClassFactory, GuidLess> factories;
};

ClassTable& Classes() {
    static ClassTable table;
    return table;
}

constexpr DWORD kThreadingFlags = COINIT_APARTMENTTHREADED;

}  // namespace

HRESULT CoInitializeEx(void* /*reserved*/, DWORD flags) {
    const DWORD threading = flags & kThreadingFlags;
    if (threadState.initializations > 0) {
        if (threading != threadState.threading) {
            return RPC_E_CHANGED_MODE;
        }
        ++threadState.initializations;
        return S_FALSE;
    }
    threadState.threading = threading;
    threadState.initializations = 1;
    return S_OK;
}

HRESULT CoInitialize(void* reserved) {
    return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED);
}

void CoUninitialize() {
    if (threadState.initializations > 0) {
        --threadState.initializations;
    }
}

HRESULT OleInitialize(void* reserved) {
    return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED);
}

void OleUninitialize() {
    CoUninitialize();
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid,
                         void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!platform::IsComInitialized()) {
        return CO_E_NOTINITIALIZED;
    }
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    if ((context & CLSCTX_INPROC) == 0) {
        return REGDB_E_CLASSNOTREG;
    }
    platform::ComClassFactory factory;
    {
        ClassTable& table = Classes();
        std::lock_guard lock(table.mutex);
        auto found = table.factories.find(clsid);
        if (found == table.factories.end()) {
            return REGDB_E_CLASSNOTREG;
        }
        factory = found->second;
    }
    HRESULT result = factory(iid, object);
    if (FAILED(result)) {
        *object = nullptr;
    }
    return result;
}

HRESULT OleRun(IUnknown* object) {
    return object != nullptr ? S_OK : E_INVALIDARG;
}

void* CoTaskMemAlloc(size_t size) {
    return std::malloc(size == 0 ? 1 : size);
}

void* CoTaskMemRealloc(void* block, size_t size) {
    if (size == 0) {
        std::free(block);
        return nullptr;
    }
    return std::realloc(block, size);
}

void CoTaskMemFree(void* block) {
    std::free(block);
}

namespace platform {

void RegisterComClass(REFCLSID clsid, ComClassFactory factory) {
    ClassTable& table = Classes();
    std::lock_guard lock(table.mutex);
    table.factories[clsid] = std::move(factory);
}

bool UnregisterComClass(REFCLSID clsid) {
    ClassTable& table = Classes();
    std::lock_guard lock(table.mutex);
    return table.factories.erase(clsid) > 0;
}

bool IsComInitialized() {
    return threadState.initializations > 0;
}

OLECHAR* CoTaskMemString(std::u16string_view text) {
    auto* copy = static_cast<OLECHAR*>(CoTaskMemAlloc((text.size() + 1) * sizeof(OLECHAR)));
    if (copy == nullptr) {
        return nullptr;
    }
    std::memcpy(copy, text.data(), text.size() * sizeof(OLECHAR));
    copy[text.size()] = 0;
    return copy;
}

}  // namespace platform
