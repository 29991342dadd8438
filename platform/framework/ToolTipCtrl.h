// The framework's tool-tip control. A tool is named by a window and an id: id 0 makes the whole
// window the tool (TTF_IDISHWND, kept by the window's parent); another id names a rectangle of
// the window's client area.
#pragma once

#include "platform/controls/ToolTip.h"
#include "platform/framework/Wnd.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)

public:
    CToolTipCtrl() = default;

    // A pop-up owned by pParentWnd.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // Tools. The text may be LPSTR_TEXTCALLBACK, which asks the window with TTN_GETDISPINFO.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr,
                 UINT_PTR nIDTool = 0);
    // The text is string resource nIDText.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    // Empty for a tool that does not exist.
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

    // Showing. An inactive control shows no tip.
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate)); }
    // Hands a mouse message of a tool window to the control, which learns of the mouse only so
    // (unless the tool was added with TTF_SUBCLASS).
    void RelayEvent(LPMSG lpMsg) {
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
    }
    void Pop() { SendMessage(TTM_POP); }
    void Popup() { SendMessage(TTM_POPUP); }

    // Timing and look. SetDelayTime(n) sets every delay from n; the other form sets one
    // (TTDT_INITIAL, TTDT_AUTOPOP, TTDT_RESHOW), -1 restoring its default.
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
    void SetDelayTime(DWORD dwDuration, int iTime) {
        SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
    }
    int GetDelayTime(DWORD dwDuration) const {
        return static_cast<int>(SendMessage(TTM_GETDELAYTIME, dwDuration));
    }
    // -1 lets tips be as wide as their text; gives the previous width.
    int SetMaxTipWidth(int iWidth) {
        return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth));
    }
    int GetMaxTipWidth() const { return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH)); }
    void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr); }
    COLORREF GetTipBkColor() const { return static_cast<COLORREF>(SendMessage(TTM_GETTIPBKCOLOR)); }
    void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr); }
    COLORREF GetTipTextColor() const {
        return static_cast<COLORREF>(SendMessage(TTM_GETTIPTEXTCOLOR));
    }

private:
    static TOOLINFO ToolInfo(CWnd* pWnd, UINT_PTR nIDTool);
};
