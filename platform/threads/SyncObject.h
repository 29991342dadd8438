// The framework's base of lockable objects, which CSingleLock locks and unlocks.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/threads/SyncApi.h"

class CSyncObject {
public:
    virtual ~CSyncObject() = default;
    virtual BOOL Lock(DWORD dwTimeout = INFINITE) = 0;
    virtual BOOL Unlock() = 0;
};
