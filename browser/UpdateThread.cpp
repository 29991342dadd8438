#include "browser/UpdateThread.h"

#include "platform/threads/SyncApi.h"

UINT UpdateThread(LPVOID pParam) {
    ::WaitForSingleObject(static_cast<HANDLE>(pParam), INFINITE);
    return 0;
}
