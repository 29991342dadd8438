#include "platform/framework/WinThread.h"

#include "platform/framework/Wnd.h"
#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"
#include "platform/windows/WindowPlatform.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

thread_local CWinThread* currentThread = nullptr;

}  // namespace

CWinThread* AfxGetThread() {
    return currentThread;
}

void AfxSetThread(CWinThread* thread) {
    currentThread = thread;
}

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param)
    : m_pfnThreadProc(proc), m_pThreadParams(param) {}

CWinThread::~CWinThread() {
    if (currentThread == this) {
        currentThread = nullptr;
    }
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

BOOL CWinThread::InitInstance() {
    return FALSE;
}

int CWinThread::Run() {
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) {
                idle = false;
            }
        }
        do {
            if (!PumpMessage()) {
                return ExitInstance();
            }
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    return platform::WalkPreTranslate(*pMsg);
}

BOOL CWinThread::PumpMessage() {
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) {
        return FALSE;
    }
    if (!platform::FilterMessage(m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        CWnd* main = GetMainWnd();
        if (main != nullptr && main->m_hWnd != nullptr && main->IsWindowVisible()) {
            AfxCallWndProc(main, main->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    if (lCount == 1) {
        CWnd::DeleteTempMap();
        CMenu::DeleteTempMap();
    }
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
    // Paints and repeated mouse moves to the same place would otherwise run idle work endlessly.
    static thread_local POINT lastMouse{-1, -1};
    static thread_local UINT lastMouseMessage = 0;
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        const bool same = pMsg->pt.x == lastMouse.x && pMsg->pt.y == lastMouse.y &&
                          pMsg->message == lastMouseMessage;
        lastMouse = pMsg->pt;
        lastMouseMessage = pMsg->message;
        return !same;
    }
    return pMsg->message != WM_PAINT;
}

int CWinThread::ExitInstance() {
    return static_cast<int>(m_msgCur.wParam);
}
