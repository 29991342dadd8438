// Brings a script's calls on the frame to the frame's user-interface thread. Scripts of URL lists
// run on worker threads, and windows and browser controls may only be worked from the thread that
// owns them; a call from another thread is sent to the relay's hidden window with the platform's
// cross-thread send, so the worker waits until the user-interface thread has run it.
#pragma once

#include <functional>

#include "picture/ScriptHost.h"
#include "platform/windows/WindowApi.h"

class CScriptRelay {
public:
    // Made on the thread that runs the host; it outlives every script engine that uses it.
    explicit CScriptRelay(CScriptHost& rHost);
    ~CScriptRelay();
    CScriptRelay(const CScriptRelay&) = delete;
    CScriptRelay& operator=(const CScriptRelay&) = delete;

    // Runs call with the host on the relay's thread and gives its result: at once on that
    // thread, from any other after sending it there. -1 when the relay's window is gone.
    int Call(const std::function<int(CScriptHost&)>& call);

private:
    struct SentCall {
        CScriptHost* host;
        const std::function<int(CScriptHost&)>* call;
        int result;
    };

    static LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CScriptHost& m_host;
    HWND m_hWnd = nullptr;
    DWORD m_threadId = 0;
};
