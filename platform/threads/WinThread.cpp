#include "platform/threads/WinThread.h"

#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param)
    : m_pfnThreadProc(proc), m_pThreadParams(param) {}

CWinThread::~CWinThread() {
    if (m_hThread != nullptr) {
        CloseHandle(m_hThread);
    }
    if (startGate_ != nullptr) {
        CloseHandle(startGate_);
    }
}

BOOL CWinThread::CreateThread(DWORD flags, UINT stackSize, LPSECURITY_ATTRIBUTES security) {
    if (m_hThread != nullptr || m_pfnThreadProc == nullptr) {
        return FALSE;
    }
    // The new thread waits at the gate until the handle is stored here: an auto-deleting thread
    // that ended at once would otherwise delete the object under this function.
    startGate_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (startGate_ == nullptr) {
        return FALSE;
    }
    m_hThread = ::CreateThread(security, stackSize, &CWinThread::Start, this,
                               flags & ~static_cast<DWORD>(CREATE_SUSPENDED), &m_nThreadID);
    if (m_hThread == nullptr) {
        CloseHandle(startGate_);
        startGate_ = nullptr;
        return FALSE;
    }
    if ((flags & CREATE_SUSPENDED) == 0) {
        SetEvent(startGate_);
    }
    return TRUE;
}

DWORD CWinThread::ResumeThread() {
    if (startGate_ == nullptr || WaitForSingleObject(startGate_, 0) == WAIT_OBJECT_0) {
        return 0;
    }
    SetEvent(startGate_);
    return 1;
}

BOOL CWinThread::SetThreadPriority(int priority) {
    if (m_hThread == nullptr) {
        return FALSE;
    }
    priority_ = priority;
    return TRUE;
}

DWORD CWinThread::Start(LPVOID self) {
    auto* thread = static_cast<CWinThread*>(self);
    WaitForSingleObject(thread->startGate_, INFINITE);
    const UINT exitCode = thread->m_pfnThreadProc(thread->m_pThreadParams);
    if (thread->m_bAutoDelete) {
        delete thread;
    }
    return exitCode;
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize,
                           DWORD flags, LPSECURITY_ATTRIBUTES security) {
    auto* thread = new CWinThread(proc, param);
    if (!thread->CreateThread(flags | CREATE_SUSPENDED, stackSize, security)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(priority);
    if ((flags & CREATE_SUSPENDED) == 0) {
        thread->ResumeThread();
    }
    return thread;
}
