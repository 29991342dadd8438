// The framework's thread object and AfxBeginThread for worker threads. The object owns the thread
// handle; with m_bAutoDelete set (the default) it deletes itself when its thread function returns,
// so a caller that keeps the pointer must learn of the end some other way, as the programs do.
#pragma once

#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"

#ifndef THREAD_PRIORITY_NORMAL
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#endif

using AFX_THREADPROC = UINT (*)(LPVOID);

class CWinThread {
public:
    CWinThread(AFX_THREADPROC proc, LPVOID param);
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Starts the thread; with CREATE_SUSPENDED it waits for ResumeThread before running.
    BOOL CreateThread(DWORD flags = 0, UINT stackSize = 0,
                      LPSECURITY_ATTRIBUTES security = nullptr);
    // Lets a thread created suspended run; the previous suspend count (1 or 0).
    DWORD ResumeThread();
    // Priorities are kept and reported but do not change scheduling on this platform.
    BOOL SetThreadPriority(int priority);
    int GetThreadPriority() const { return priority_; }

    operator HANDLE() const { return m_hThread; }

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;
    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;

private:
    static DWORD Start(LPVOID self);

    HANDLE startGate_ = nullptr;
    int priority_ = THREAD_PRIORITY_NORMAL;
};

// Creates and starts a worker thread running proc(param); null when it cannot be started.
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD flags = 0,
                           LPSECURITY_ATTRIBUTES security = nullptr);
