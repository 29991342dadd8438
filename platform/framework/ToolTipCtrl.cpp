#include "platform/framework/ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

// TTM_GETTEXT copies at most this many bytes, as the classic control does.
constexpr int kTipTextLimit = 256;

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    platform::RegisterToolTipClass();
    return CreateEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, AfxHwndOf(pParentWnd), nullptr);
}

TOOLINFO CToolTipCtrl::ToolInfo(CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFO info{};
    info.cbSize = sizeof(info);
    HWND window = AfxHwndOf(pWnd);
    if (nIDTool == 0) {
        info.hwnd = ::GetParent(window);
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(window);
    } else {
        info.hwnd = window;
        info.uId = nIDTool;
    }
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    TOOLINFO info = ToolInfo(pWnd, nIDTool);
    if (lpRectTool != nullptr) {
        info.rect = *lpRectTool;
    }
    info.lpszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    CString text;
    text.LoadString(nIDText);
    return AddTool(pWnd, static_cast<LPCSTR>(text), lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFO info = ToolInfo(pWnd, nIDTool);
    SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFO info = ToolInfo(pWnd, nIDTool);
    info.lpszText = const_cast<LPSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool) {
    CString text;
    text.LoadString(nIDText);
    UpdateTipText(static_cast<LPCSTR>(text), pWnd, nIDTool);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
    TOOLINFO info = ToolInfo(pWnd, nIDTool);
    if (lpRect != nullptr) {
        info.rect = *lpRect;
    }
    SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const {
    TOOLINFO info = ToolInfo(pWnd, nIDTool);
    info.lpszText = str.GetBuffer(kTipTextLimit);
    info.lpszText[0] = '\0';
    SendMessage(TTM_GETTEXT, kTipTextLimit, reinterpret_cast<LPARAM>(&info));
    str.ReleaseBuffer();
}
