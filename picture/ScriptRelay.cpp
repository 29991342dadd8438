#include "picture/ScriptRelay.h"

#include "platform/threads/ThreadApi.h"

namespace {

constexpr char kRelayClass[] = "GlintoraScriptRelay";
constexpr UINT kRunCall = WM_APP + 1;

}  // namespace

CScriptRelay::CScriptRelay(CScriptHost& rHost) : m_pHost(&rHost) {
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

void CScriptRelay::Detach() {
    m_pHost = nullptr;
    if (HWND hWnd = m_hWnd.exchange(nullptr)) {
        DestroyWindow(hWnd);
    }
}

int CScriptRelay::Call(const std::function<int(CScriptHost&)>& call) {
    if (GetCurrentThreadId() == m_threadId) {
        return m_pHost != nullptr ? call(*m_pHost) : -1;
    }
    SentCall sent{this, &call, -1};
    // A window destroyed meanwhile refuses the message, and the result stays -1.
    if (HWND hWnd = m_hWnd.load()) {
        SendMessageA(hWnd, kRunCall, 0, reinterpret_cast<LPARAM>(&sent));
    }
    return sent.result;
}

LRESULT CScriptRelay::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunCall) {
        auto* sent = reinterpret_cast<SentCall*>(lParam);
        if (CScriptHost* pHost = sent->relay->m_pHost) {
            sent->result = (*sent->call)(*pHost);
        }
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
