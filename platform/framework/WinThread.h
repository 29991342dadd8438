// The framework's thread object. As a worker (AfxBeginThread) it runs a function on a thread of its
// own; as the application object's base it is the UI thread: InitInstance, the message loop in
// Run with pre-translation and idle processing, and ExitInstance.
//
// A worker object owns its thread handle; with m_bAutoDelete set (the default) it deletes itself
// when its thread function returns, so a caller that keeps the pointer must learn of the end some
// other way, as the programs do.
#pragma once

#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"
#include "platform/framework/CmdTarget.h"
#include "platform/windows/WindowStructs.h"

#ifndef THREAD_PRIORITY_NORMAL
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#endif

class CWnd;

using AFX_THREADPROC = UINT (*)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)

public:
    CWinThread();
    CWinThread(AFX_THREADPROC proc, LPVOID param);
    ~CWinThread() override;

    // Starts the thread; with CREATE_SUSPENDED it waits for ResumeThread before running.
    BOOL CreateThread(DWORD flags = 0, UINT stackSize = 0,
                      LPSECURITY_ATTRIBUTES security = nullptr);
    // Lets a thread created suspended run; the previous suspend count (1 or 0).
    DWORD ResumeThread();
    // Priorities are kept and reported but do not change scheduling on this platform.
    BOOL SetThreadPriority(int priority);
    int GetThreadPriority() const { return priority_; }

    operator HANDLE() const { return m_hThread; }

    // The UI thread's life.
    virtual BOOL InitInstance();
    // The message loop: idle processing while the queue is empty, then each message through
    // PumpMessage; ends with ExitInstance's result when WM_QUIT arrives.
    virtual int Run();
    // Pre-translation of every message a loop of this thread takes from the queue: the window
    // walk (target, its parents, the main window). TRUE when the message was consumed.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Gets and dispatches one message; FALSE at WM_QUIT.
    virtual BOOL PumpMessage();
    // Count 0: the update-UI pass (WM_IDLEUPDATECMDUI to the main window and everything in it);
    // 1: the temporary objects are freed. TRUE while there is more idle work.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // The exit code: the wParam of the WM_QUIT that ended Run.
    virtual int ExitInstance();
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur{};

private:
    static DWORD Start(LPVOID self);

    HANDLE startGate_ = nullptr;
    int priority_ = THREAD_PRIORITY_NORMAL;
};

// Creates and starts a worker thread running proc(param); null when it cannot be started.
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD flags = 0,
                           LPSECURITY_ATTRIBUTES security = nullptr);

// The UI thread object of the calling thread: the application object on its thread, null on
// threads without one.
CWinThread* AfxGetThread();
// Makes `thread` the calling thread's UI thread object (the application start-up does this).
void AfxSetThread(CWinThread* thread);
