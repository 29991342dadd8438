// Events, waits and critical sections with the original platform's functions and numbers. Waits
// measure their time-outs on the steady clock, not on the programs' virtual test clock: a wait is
// about other threads, which the virtual clock does not move.
#pragma once

#include <mutex>

#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"

#ifndef INFINITE
#define INFINITE 0xFFFFFFFFu
#endif
#ifndef WAIT_OBJECT_0
#define WAIT_OBJECT_0 0x0u
#endif
#ifndef WAIT_ABANDONED
#define WAIT_ABANDONED 0x80u
#endif
#ifndef WAIT_TIMEOUT
#define WAIT_TIMEOUT 0x102u
#endif
#ifndef WAIT_FAILED
#define WAIT_FAILED 0xFFFFFFFFu
#endif
#ifndef MAXIMUM_WAIT_OBJECTS
#define MAXIMUM_WAIT_OBJECTS 64
#endif
#ifndef ERROR_NOT_SUPPORTED
#define ERROR_NOT_SUPPORTED 50L
#endif

// Declared as a plain value by program code; InitializeCriticalSection gives it its lock and
// DeleteCriticalSection takes it away again. A critical section is re-entrant: the owning thread
// may enter it again and must leave it as often.
struct CRITICAL_SECTION {
    std::recursive_mutex* lock = nullptr;
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);

// Only unnamed events exist in this layer; a name fails with ERROR_NOT_SUPPORTED.
HANDLE CreateEventA(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                    LPCSTR lpName);
BOOL SetEvent(HANDLE hEvent);
BOOL ResetEvent(HANDLE hEvent);

// Thread, event and process handles can be waited on. WAIT_OBJECT_0 + index of the lowest
// signalled handle (WAIT_OBJECT_0 when waiting for all), WAIT_TIMEOUT, or WAIT_FAILED with
// ERROR_INVALID_HANDLE for a handle that cannot be waited on and ERROR_INVALID_PARAMETER for a
// count outside 1..MAXIMUM_WAIT_OBJECTS or the same handle twice in a wait for all.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll,
                             DWORD dwMilliseconds);

#define CreateEvent CreateEventA
