// Brings a script's calls on the frame to the frame's user-interface thread. Scripts of URL lists
// run on worker threads, and windows and browser controls may only be worked from the thread that
// owns them; a call from another thread is sent to the relay's hidden window with the platform's
// cross-thread send, so the worker waits until the user-interface thread has run it.
//
// Workers share the relay with the frame, so it outlives every one of them; once the frame lets
// its host go (Detach), every call fails with -1 instead of reaching a destroyed frame.
#pragma once

#include <atomic>
#include <functional>

#include "picture/ScriptHost.h"
#include "platform/windows/WindowApi.h"

class CScriptRelay {
public:
    // Made on the thread that runs the host.
    explicit CScriptRelay(CScriptHost& rHost);
    ~CScriptRelay();
    CScriptRelay(const CScriptRelay&) = delete;
    CScriptRelay& operator=(const CScriptRelay&) = delete;

    // Runs call with the host on the relay's thread and gives its result: at once on that
    // thread, from any other after sending it there. -1 when the host is gone.
    int Call(const std::function<int(CScriptHost&)>& call);
    // Lets the host go and destroys the relay's window; on the relay's thread, before the host
    // is destroyed.
    void Detach();

private:
    struct SentCall {
        CScriptRelay* relay;
        const std::function<int(CScriptHost&)>* call;
        int result;
    };

    static LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Both change only on the relay's thread; workers read the window.
    CScriptHost* m_pHost;
    std::atomic<HWND> m_hWnd = nullptr;
    DWORD m_threadId = 0;
};
