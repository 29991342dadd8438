// The framework's critical section: a re-entrant lock for the threads of one process. As in the
// framework, Lock ignores a time-out and always waits until it owns the section.
#pragma once

#include "platform/threads/SyncApi.h"
#include "platform/threads/SyncObject.h"

class CCriticalSection : public CSyncObject {
public:
    CCriticalSection();
    ~CCriticalSection() override;
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    BOOL Lock();
    BOOL Lock(DWORD dwTimeout) override;
    BOOL Unlock() override;

    operator CRITICAL_SECTION*() { return &m_sect; }

    CRITICAL_SECTION m_sect;
};
