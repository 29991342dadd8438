#include "picture/ScriptRelay.h"

#include "platform/threads/ThreadApi.h"

namespace {

constexpr char kRelayClass[] = "GlintoraScriptRelay";
constexpr UINT kRunCall = WM_APP + 1;

}  // namespace

CScriptRelay::CScriptRelay(CScriptHost& rHost) : m_host(rHost) {
    // Registering again fails harmlessly while the class exists.
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &CScriptRelay::WindowProc;
    windowClass.lpszClassName = kRelayClass;
    RegisterClassA(&windowClass);
    m_threadId = GetCurrentThreadId();
    m_hWnd =
        CreateWindowExA(0, kRelayClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

CScriptRelay::~CScriptRelay() {
    if (m_hWnd != nullptr) {
        DestroyWindow(m_hWnd);
    }
}

int CScriptRelay::Call(const std::function<int(CScriptHost&)>& call) {
    if (GetCurrentThreadId() == m_threadId) {
        return call(m_host);
    }
    SentCall sent{&m_host, &call, -1};
    if (m_hWnd != nullptr) {
        SendMessageA(m_hWnd, kRunCall, 0, reinterpret_cast<LPARAM>(&sent));
    }
    return sent.result;
}

LRESULT CScriptRelay::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunCall) {
        auto* sent = reinterpret_cast<SentCall*>(lParam);
        sent->result = (*sent->call)(*sent->host);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
