#include "platform/framework/Wnd.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/drawing/ResourceImages.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/MenuItemAccess.h"
#include "platform/framework/WinThread.h"
#include "platform/framework/WindowHandleMap.h"
#include "platform/screen/ScreenApi.h"
#include "platform/threads/ThreadApi.h"
#include "platform/windows/WindowPlatform.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_COMPAREITEM()
ON_WM_DELETEITEM()
ON_WM_CTLCOLOR()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace {

// The message each nested AfxCallWndProc of this thread is handling, innermost last.
std::vector<MSG>& CurrentMessages() {
    thread_local std::vector<MSG> messages;
    return messages;
}

// The object Create is making on this thread, taken by the creation hook at the window's birth.
thread_local CWnd* windowBeingCreated = nullptr;

// Records whether an update handler leaves a command enabled, without touching any item.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}

    BOOL m_bEnabled = TRUE;
};

bool IsCtlColorMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

}  // namespace

HWND AfxHwndOf(const CWnd* pWnd) {
    return pWnd != nullptr ? pWnd->m_hWnd : nullptr;
}

const MSG* AfxGetCurrentMessage() {
    auto& messages = CurrentMessages();
    return messages.empty() ? nullptr : &messages.back();
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* window = CWnd::FromHandlePermanent(hWnd);
    if (window == nullptr) {
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    return AfxCallWndProc(window, hWnd, message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& messages = CurrentMessages();
    messages.push_back(MSG{hWnd, message, wParam, lParam, 0, {}});
    struct Pop {
        std::vector<MSG>& messages;
        ~Pop() { messages.pop_back(); }
    } pop{messages};
    // The object may be gone when WindowProc returns (PostNcDestroy deletes frames and views).
    return pWnd->WindowProc(message, wParam, lParam);
}

LRESULT CALLBACK AfxCbtCreateHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && windowBeingCreated != nullptr) {
        CWnd* window = windowBeingCreated;
        windowBeingCreated = nullptr;
        if (window->Attach(reinterpret_cast<HWND>(wParam))) {
            window->TakeOverProcedure();
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void AfxRegisterFrameworkClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = AFX_WND_CLASS;
        platform::RegisterSystemClass(windowClass);
        windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = AFX_WNDFRAMEORVIEW_CLASS;
        platform::RegisterSystemClass(windowClass);
    });
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    static std::mutex mutex;
    static std::vector<std::unique_ptr<std::string>> names;
    char name[96];
    std::snprintf(name, sizeof(name), "Afx:%x:%lx:%lx:%lx", nClassStyle,
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hCursor)),
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hbrBackground)),
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hIcon)));
    std::lock_guard lock(mutex);
    const std::string* kept = nullptr;
    for (const auto& known : names) {
        if (*known == name) {
            kept = known.get();
        }
    }
    if (kept == nullptr) {
        names.push_back(std::make_unique<std::string>(name));
        kept = names.back().get();
    }
    // Registered as a class that survives test resets, like the framework's own.
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!::GetClassInfoExA(nullptr, kept->c_str(), &windowClass)) {
        windowClass.style = nClassStyle;
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hCursor = hCursor;
        windowClass.hbrBackground = hbrBackground;
        windowClass.hIcon = hIcon;
        windowClass.lpszClassName = kept->c_str();
        platform::RegisterSystemClass(windowClass);
    }
    return kept->c_str();
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd() {
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        DestroyWindow();
    }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr) {
        return nullptr;
    }
    if (CWnd* permanent = platform::WindowHandleMap::Permanent(hWnd)) {
        return permanent;
    }
    return platform::WindowHandleMap::Temporary(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd != nullptr ? platform::WindowHandleMap::Permanent(hWnd) : nullptr;
}

void CWnd::DeleteTempMap() {
    platform::WindowHandleMap::DeleteTemporaries();
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == nullptr || m_hWnd != nullptr || !platform::WindowHandleMap::Add(hWndNew, this)) {
        return FALSE;
    }
    m_hWnd = hWndNew;
    InstallPreTranslate();
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        if (FromHandlePermanent(hWnd) == this) {
            platform::WindowHandleMap::Remove(hWnd);
            if (::IsWindow(hWnd)) {
                platform::SetPreTranslateHandler(hWnd, {});
            }
        }
        m_hWnd = nullptr;
    }
    return hWnd;
}

void CWnd::InstallPreTranslate() {
    HWND hWnd = m_hWnd;
    platform::SetPreTranslateHandler(hWnd, [hWnd](MSG& msg) {
        CWnd* window = CWnd::FromHandlePermanent(hWnd);
        return window != nullptr && window->PreTranslateMessage(&msg) != FALSE;
    });
}

void CWnd::TakeOverProcedure() {
    auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (previous != &AfxWndProc) {
        m_pfnSuper = previous;
    }
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) {
        return FALSE;
    }
    TakeOverProcedure();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    HWND control = ::GetDlgItem(AfxHwndOf(pParent), static_cast<int>(nID));
    return control != nullptr && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    if (m_pfnSuper != nullptr) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxHwndOf(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    AfxRegisterFrameworkClasses();
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = nullptr;
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    // The hook is installed for this one creation: the window manager's resets drop hooks, and a
    // creation nested in OnCreate installs its own.
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, &AfxCbtCreateHook, nullptr, ::GetCurrentThreadId());
    windowBeingCreated = this;
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName,
                                  static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    windowBeingCreated = nullptr;
    ::UnhookWindowsHookEx(hook);
    return hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AFX_WND_CLASS;
    }
    return TRUE;
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    const bool permanent = FromHandlePermanent(m_hWnd) == this;
    HWND hWnd = m_hWnd;
    const BOOL destroyed = ::DestroyWindow(hWnd);
    // A permanent object was detached at WM_NCDESTROY and may have deleted itself since.
    if (!permanent) {
        Detach();
    }
    return destroyed;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG* current = AfxGetCurrentMessage();
    if (current == nullptr) {
        return 0;
    }
    const MSG message = *current;
    return DefWindowProc(message.message, message.wParam, message.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        return header != nullptr && header->hwndFrom != nullptr &&
               OnNotify(wParam, lParam, pResult);
    }
    if (IsCtlColorMessage(message)) {
        return DispatchWindowMessage(WM_CTLCOLOR, message - WM_CTLCOLORMSGBOX, wParam, lParam,
                                     pResult);
    }
    return DispatchWindowMessage(message, 0, wParam, lParam, pResult);
}

BOOL CWnd::DispatchWindowMessage(UINT lookup, UINT nCtlColor, WPARAM wParam, LPARAM lParam,
                                 LRESULT* pResult) {
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(lookup, 0, 0);
    if (entry == nullptr) {
        return FALSE;
    }
    AFX_CALL call;
    call.wParam = wParam;
    call.lParam = lParam;
    call.nCode = nCtlColor;
    // The handler may delete this object (PostNcDestroy); only locals are used afterwards.
    entry->pfn(this, call);
    if (pResult != nullptr) {
        *pResult = call.result;
    }
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        if (nID == 0) {
            return FALSE;
        }
        // A menu item or accelerator whose update handler disables it does nothing.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled) {
            return TRUE;
        }
        nCode = CN_COMMAND;
    } else if (ReflectLastMsg(hWndCtrl)) {
        return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(header->hwndFrom, pResult)) {
        return TRUE;
    }
    AFX_NOTIFY notify{pResult, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom),
                    static_cast<int>(MAKELONG(static_cast<WORD>(header->code), WM_NOTIFY)), &notify,
                    nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    CWnd* child = FromHandlePermanent(hWndChild);
    const MSG* current = AfxGetCurrentMessage();
    if (child == nullptr || current == nullptr) {
        return FALSE;
    }
    const MSG message = *current;
    return child->OnChildNotify(message.message, message.wParam, message.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
        case WM_COMMAND: {
            const int nCode = HIWORD(wParam);
            if (CCmdTarget::OnCmdMsg(
                    0, static_cast<int>(MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND)), nullptr,
                    nullptr)) {
                if (pResult != nullptr) {
                    *pResult = 1;
                }
                return TRUE;
            }
            return FALSE;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            LRESULT ignored = 0;
            AFX_NOTIFY notify{pResult != nullptr ? pResult : &ignored, header};
            return CCmdTarget::OnCmdMsg(0,
                                        static_cast<int>(MAKELONG(static_cast<WORD>(header->code),
                                                                  WM_REFLECT_BASE + WM_NOTIFY)),
                                        &notify, nullptr);
        }
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_HSCROLL:
        case WM_VSCROLL:
            return DispatchWindowMessage(WM_REFLECT_BASE + message, 0, wParam, lParam, pResult);
        default:
            break;
    }
    if (IsCtlColorMessage(message)) {
        // A control whose CtlColor returns no brush leaves the colours to its parent.
        LRESULT brush = 0;
        if (!DispatchWindowMessage(WM_REFLECT_BASE + WM_CTLCOLOR, message - WM_CTLCOLORMSGBOX,
                                   wParam, lParam, &brush) ||
            brush == 0) {
            return FALSE;
        }
        if (pResult != nullptr) {
            *pResult = brush;
        }
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
    DWORD exStyle = GetExStyle();
    if (nAdjustType == adjustBorder) {
        exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    }
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, exStyle);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm) {
    std::vector<HWND> children;
    for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    for (HWND child : children) {
        if (!::IsWindow(child)) {
            continue;
        }
        if (bOnlyPerm) {
            if (CWnd* window = FromHandlePermanent(child)) {
                AfxCallWndProc(window, child, message, wParam, lParam);
            }
        } else {
            ::SendMessageA(child, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(child)) {
            CWnd(child).SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
        }
    }
}
