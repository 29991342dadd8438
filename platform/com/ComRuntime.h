// The object runtime: per-thread initialisation, creation of registered classes by class id, and
// the task memory that strings handed between objects live in.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "platform/com/Unknown.h"

enum COINIT {
    COINIT_MULTITHREADED = 0x0,
    COINIT_APARTMENTTHREADED = 0x2,
    COINIT_DISABLE_OLE1DDE = 0x4,
    COINIT_SPEED_OVER_MEMORY = 0x8,
};

enum CLSCTX {
    CLSCTX_INPROC_SERVER = 0x1,
    CLSCTX_INPROC_HANDLER = 0x2,
    CLSCTX_LOCAL_SERVER = 0x4,
    CLSCTX_REMOTE_SERVER = 0x10,
};
#define CLSCTX_INPROC (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)
#define CLSCTX_SERVER (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)
#define CLSCTX_ALL \
    (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

// Initialisation counts per thread: S_OK the first time, S_FALSE for each further call (each needs
// its CoUninitialize), RPC_E_CHANGED_MODE when the thread already chose the other threading model.
HRESULT CoInitialize(void* reserved);
HRESULT CoInitializeEx(void* reserved, DWORD flags);
// A call without a matching initialisation is ignored.
void CoUninitialize();
HRESULT OleInitialize(void* reserved);
void OleUninitialize();

// Creates an object of a class registered with platform::RegisterComClass. E_POINTER without
// `object`; CO_E_NOTINITIALIZED on a thread that has not initialised; CLASS_E_NOAGGREGATION when
// `outer` is given; REGDB_E_CLASSNOTREG for an unknown class or a context without in-process
// servers; otherwise the factory's result.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);

// Every object here is in-process and so already running once it exists: S_OK for any object,
// E_INVALIDARG for none.
HRESULT OleRun(IUnknown* object);

// Size 0 still gives a block of its own; a reallocation to size 0 frees the block and gives null.
void* CoTaskMemAlloc(size_t size);
void* CoTaskMemRealloc(void* block, size_t size);
void CoTaskMemFree(void* block);

namespace platform {

// Creates a new object and hands out its `iid` interface, as a class factory does: S_OK with an
// added reference, or an error with `*object` null.
using ComClassFactory = std::function<HRESULT(REFIID iid, void** object)>;

// The class's factory replaces any earlier one; classes are shared by every thread.
void RegisterComClass(REFCLSID clsid, ComClassFactory factory);
// False when the class was not registered.
bool UnregisterComClass(REFCLSID clsid);

// Whether the calling thread has initialised the runtime and not yet uninitialised it.
bool IsComInitialized();

// A NUL-terminated copy in task memory, for out-parameters that the caller frees with
// CoTaskMemFree; null when memory runs out.
OLECHAR* CoTaskMemString(std::u16string_view text);

}  // namespace platform
