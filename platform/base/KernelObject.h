// Everything a HANDLE can name (files, searches, threads, events, processes) derives from
// KernelObject. Handles are numbers from a process-wide table rather than object addresses, so a
// stale or foreign handle is refused instead of being dereferenced.
#pragma once

#include <memory>

#include "platform/base/WinTypes.h"

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using PSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

namespace platform {

class KernelObject {
public:
    virtual ~KernelObject() = default;
    KernelObject(const KernelObject&) = delete;
    KernelObject& operator=(const KernelObject&) = delete;

    // Enters the object in the handle table and returns its new handle. The same object may be
    // inserted more than once (a duplicated handle); it lives until every handle is closed and
    // every Lookup result is released.
    static HANDLE Insert(std::shared_ptr<KernelObject> object);

    // The object behind a live handle; null for INVALID_HANDLE_VALUE, null, closed or unknown
    // handles.
    static std::shared_ptr<KernelObject> Lookup(HANDLE handle);

    template <typename T>
    static std::shared_ptr<T> LookupAs(HANDLE handle) {
        return std::dynamic_pointer_cast<T>(Lookup(handle));
    }

    // Takes the handle out of the table; false when it was not live.
    static bool Remove(HANDLE handle);

protected:
    KernelObject() = default;
};

}  // namespace platform

// Closes a handle of any kind. INVALID_HANDLE_VALUE, null and handles that are not live fail with
// ERROR_INVALID_HANDLE.
BOOL CloseHandle(HANDLE handle);
