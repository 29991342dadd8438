#include "platform/threads/SyncApi.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "platform/threads/Event.h"
#include "platform/threads/Waitable.h"

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
    section->lock = new std::recursive_mutex;
}

void EnterCriticalSection(LPCRITICAL_SECTION section) {
    section->lock->lock();
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) {
    return section->lock->try_lock() ? TRUE : FALSE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) {
    section->lock->unlock();
}

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
    delete section->lock;
    section->lock = nullptr;
}

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName) {
    if (lpName != nullptr) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    return platform::KernelObject::Insert(
        std::make_shared<platform::Event>(bManualReset != FALSE, bInitialState != FALSE));
}

BOOL SetEvent(HANDLE hEvent) {
    auto event = platform::KernelObject::LookupAs<platform::Event>(hEvent);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    event->Set();
    return TRUE;
}

BOOL ResetEvent(HANDLE hEvent) {
    auto event = platform::KernelObject::LookupAs<platform::Event>(hEvent);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    event->Reset();
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    return WaitForMultipleObjects(1, &hHandle, FALSE, dwMilliseconds);
}

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll,
                             DWORD dwMilliseconds) {
    if (nCount == 0 || nCount > MAXIMUM_WAIT_OBJECTS || lpHandles == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    // The lookups keep every object alive through the wait, even if another thread closes its
    // handle meanwhile.
    std::vector<std::shared_ptr<platform::Waitable>> held;
    std::vector<platform::Waitable*> objects;
    for (DWORD i = 0; i < nCount; ++i) {
        auto object = platform::KernelObject::LookupAs<platform::Waitable>(lpHandles[i]);
        if (!object) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        if (bWaitAll && std::find(lpHandles, lpHandles + i, lpHandles[i]) != lpHandles + i) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return WAIT_FAILED;
        }
        objects.push_back(object.get());
        held.push_back(std::move(object));
    }
    std::optional<std::chrono::milliseconds> timeout;
    if (dwMilliseconds != INFINITE) {
        timeout = std::chrono::milliseconds(dwMilliseconds);
    }
    auto index = platform::Waitable::Wait(objects, bWaitAll != FALSE, timeout);
    if (!index) {
        return WAIT_TIMEOUT;
    }
    return WAIT_OBJECT_0 + static_cast<DWORD>(*index);
}
