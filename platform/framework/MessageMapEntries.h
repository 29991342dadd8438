// The entry macros of message maps, with the handler names and parameters the framework gives
// them. Included by MessageMap.h; the macros that pass windows, device contexts or menus need the
// CWnd, CDC or CMenu declarations where they are used.
#pragma once

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/Static.h"
#include "platform/windows/WindowConstants.h"

class CScrollBar;

// Window messages.
#define AFX_WM_ENTRY_(message, ...) AFX_MSGMAP_ENTRY_(message, 0, 0, 0, nullptr, __VA_ARGS__)
#define AFX_POINT_ CPoint(GET_X_LPARAM(call_.lParam), GET_Y_LPARAM(call_.lParam))
#define AFX_MOUSE_ENTRY_(message, handler) \
    AFX_WM_ENTRY_(message, self_->handler(static_cast<UINT>(call_.wParam), AFX_POINT_))
#define AFX_KEY_ENTRY_(message, handler)                                           \
    AFX_WM_ENTRY_(message, self_->handler(static_cast<UINT>(call_.wParam),         \
                                          static_cast<UINT>(LOWORD(call_.lParam)), \
                                          static_cast<UINT>(HIWORD(call_.lParam))))
#define AFX_HWND_(value) reinterpret_cast<HWND>(value)

#define ON_WM_CREATE()                                            \
    AFX_WM_ENTRY_(WM_CREATE, call_.result = static_cast<LRESULT>( \
                                 self_->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call_.lParam))))
#define ON_WM_DESTROY() AFX_WM_ENTRY_(WM_DESTROY, self_->OnDestroy())
#define ON_WM_NCDESTROY() AFX_WM_ENTRY_(WM_NCDESTROY, self_->OnNcDestroy())
#define ON_WM_CLOSE() AFX_WM_ENTRY_(WM_CLOSE, self_->OnClose())
#define ON_WM_PAINT() AFX_WM_ENTRY_(WM_PAINT, self_->OnPaint())
#define ON_WM_MOVE() \
    AFX_WM_ENTRY_(WM_MOVE, self_->OnMove(GET_X_LPARAM(call_.lParam), GET_Y_LPARAM(call_.lParam)))
#define ON_WM_SIZE()                                                             \
    AFX_WM_ENTRY_(WM_SIZE, self_->OnSize(static_cast<UINT>(call_.wParam),        \
                                         static_cast<int>(LOWORD(call_.lParam)), \
                                         static_cast<int>(HIWORD(call_.lParam))))
#define ON_WM_TIMER() AFX_WM_ENTRY_(WM_TIMER, self_->OnTimer(static_cast<UINT_PTR>(call_.wParam)))
// Without a screen the system erases with no device context; the handler is not called then,
// since every handler draws on the one it is given.
#define ON_WM_ERASEBKGND()                                                                 \
    AFX_WM_ENTRY_(WM_ERASEBKGND, call_.result = call_.wParam == 0                          \
                                                    ? 0                                    \
                                                    : self_->OnEraseBkgnd(CDC::FromHandle( \
                                                          reinterpret_cast<HDC>(call_.wParam))))
#define ON_WM_CTLCOLOR()                                                                      \
    AFX_WM_ENTRY_(WM_CTLCOLOR,                                                                \
                  call_.result = reinterpret_cast<LRESULT>(static_cast<HBRUSH>(               \
                      self_->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(call_.wParam)), \
                                        CWnd::FromHandle(AFX_HWND_(call_.lParam)), call_.nCode))))
#define ON_WM_DRAWITEM()                                                               \
    AFX_WM_ENTRY_(WM_DRAWITEM,                                                         \
                  self_->OnDrawItem(static_cast<int>(call_.wParam),                    \
                                    reinterpret_cast<LPDRAWITEMSTRUCT>(call_.lParam)); \
                  call_.result = TRUE)
#define ON_WM_MEASUREITEM()                                                                  \
    AFX_WM_ENTRY_(WM_MEASUREITEM,                                                            \
                  self_->OnMeasureItem(static_cast<int>(call_.wParam),                       \
                                       reinterpret_cast<LPMEASUREITEMSTRUCT>(call_.lParam)); \
                  call_.result = TRUE)
#define ON_WM_COMPAREITEM()                                            \
    AFX_WM_ENTRY_(WM_COMPAREITEM, call_.result = self_->OnCompareItem( \
                                      static_cast<int>(call_.wParam),  \
                                      reinterpret_cast<LPCOMPAREITEMSTRUCT>(call_.lParam)))
#define ON_WM_DELETEITEM()                                            \
    AFX_WM_ENTRY_(WM_DELETEITEM,                                      \
                  self_->OnDeleteItem(static_cast<int>(call_.wParam), \
                                      reinterpret_cast<LPDELETEITEMSTRUCT>(call_.lParam)))
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY_(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY_(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY_(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY_(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY_(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY_(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEWHEEL()                                                    \
    AFX_WM_ENTRY_(WM_MOUSEWHEEL, call_.result = self_->OnMouseWheel(          \
                                     static_cast<UINT>(LOWORD(call_.wParam)), \
                                     static_cast<short>(HIWORD(call_.wParam)), AFX_POINT_))
#define ON_WM_NCHITTEST() \
    AFX_WM_ENTRY_(WM_NCHITTEST, call_.result = static_cast<LRESULT>(self_->OnNcHitTest(AFX_POINT_)))
#define ON_WM_NCLBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONDBLCLK() AFX_MOUSE_ENTRY_(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_SETCURSOR()                                                                      \
    AFX_WM_ENTRY_(WM_SETCURSOR,                                                                \
                  call_.result = self_->OnSetCursor(CWnd::FromHandle(AFX_HWND_(call_.wParam)), \
                                                    static_cast<UINT>(LOWORD(call_.lParam)),   \
                                                    static_cast<UINT>(HIWORD(call_.lParam))))
#define ON_WM_MOUSEACTIVATE()                                                                      \
    AFX_WM_ENTRY_(WM_MOUSEACTIVATE,                                                                \
                  call_.result = self_->OnMouseActivate(CWnd::FromHandle(AFX_HWND_(call_.wParam)), \
                                                        static_cast<UINT>(LOWORD(call_.lParam)),   \
                                                        static_cast<UINT>(HIWORD(call_.lParam))))
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY_(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY_(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY_(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY_(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY_(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_HSCROLL()                                                            \
    AFX_WM_ENTRY_(WM_HSCROLL,                                                      \
                  self_->OnHScroll(                                                \
                      static_cast<UINT>(LOWORD(call_.wParam)),                     \
                      static_cast<UINT>(static_cast<short>(HIWORD(call_.wParam))), \
                      reinterpret_cast<CScrollBar*>(CWnd::FromHandle(AFX_HWND_(call_.lParam)))))
#define ON_WM_VSCROLL()                                                            \
    AFX_WM_ENTRY_(WM_VSCROLL,                                                      \
                  self_->OnVScroll(                                                \
                      static_cast<UINT>(LOWORD(call_.wParam)),                     \
                      static_cast<UINT>(static_cast<short>(HIWORD(call_.wParam))), \
                      reinterpret_cast<CScrollBar*>(CWnd::FromHandle(AFX_HWND_(call_.lParam)))))
#define ON_WM_SHOWWINDOW()                                                            \
    AFX_WM_ENTRY_(WM_SHOWWINDOW, self_->OnShowWindow(static_cast<BOOL>(call_.wParam), \
                                                     static_cast<UINT>(call_.lParam)))
#define ON_WM_ACTIVATE()                                                                    \
    AFX_WM_ENTRY_(WM_ACTIVATE, self_->OnActivate(static_cast<UINT>(LOWORD(call_.wParam)),   \
                                                 CWnd::FromHandle(AFX_HWND_(call_.lParam)), \
                                                 static_cast<BOOL>(HIWORD(call_.wParam))))
#define ON_WM_ACTIVATEAPP()                                                             \
    AFX_WM_ENTRY_(WM_ACTIVATEAPP, self_->OnActivateApp(static_cast<BOOL>(call_.wParam), \
                                                       static_cast<DWORD>(call_.lParam)))
#define ON_WM_SETFOCUS() \
    AFX_WM_ENTRY_(WM_SETFOCUS, self_->OnSetFocus(CWnd::FromHandle(AFX_HWND_(call_.wParam))))
#define ON_WM_KILLFOCUS() \
    AFX_WM_ENTRY_(WM_KILLFOCUS, self_->OnKillFocus(CWnd::FromHandle(AFX_HWND_(call_.wParam))))
#define ON_WM_ENABLE() AFX_WM_ENTRY_(WM_ENABLE, self_->OnEnable(static_cast<BOOL>(call_.wParam)))
#define ON_WM_INITMENU()       \
    AFX_WM_ENTRY_(WM_INITMENU, \
                  self_->OnInitMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(call_.wParam))))
#define ON_WM_INITMENUPOPUP()                                                                      \
    AFX_WM_ENTRY_(WM_INITMENUPOPUP,                                                                \
                  self_->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(call_.wParam)), \
                                         static_cast<UINT>(LOWORD(call_.lParam)),                  \
                                         static_cast<BOOL>(HIWORD(call_.lParam))))
#define ON_WM_SYSCOMMAND() \
    AFX_WM_ENTRY_(WM_SYSCOMMAND, self_->OnSysCommand(static_cast<UINT>(call_.wParam), call_.lParam))
#define ON_WM_CONTEXTMENU()       \
    AFX_WM_ENTRY_(WM_CONTEXTMENU, \
                  self_->OnContextMenu(CWnd::FromHandle(AFX_HWND_(call_.wParam)), AFX_POINT_))
#define ON_WM_QUERYDRAGICON()       \
    AFX_WM_ENTRY_(WM_QUERYDRAGICON, \
                  call_.result = reinterpret_cast<LRESULT>(self_->OnQueryDragIcon()))
#define ON_WM_WINDOWPOSCHANGING()       \
    AFX_WM_ENTRY_(WM_WINDOWPOSCHANGING, \
                  self_->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(call_.lParam)))
#define ON_WM_WINDOWPOSCHANGED()       \
    AFX_WM_ENTRY_(WM_WINDOWPOSCHANGED, \
                  self_->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(call_.lParam)))
#define ON_WM_CAPTURECHANGED()       \
    AFX_WM_ENTRY_(WM_CAPTURECHANGED, \
                  self_->OnCaptureChanged(CWnd::FromHandle(AFX_HWND_(call_.lParam))))
#define ON_WM_SETFONT()                                                                      \
    AFX_WM_ENTRY_(WM_SETFONT,                                                                \
                  self_->OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(call_.wParam)), \
                                   static_cast<BOOL>(call_.lParam)))

// Any message: LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    AFX_WM_ENTRY_(message, call_.result = self_->memberFxn(call_.wParam, call_.lParam))
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                    \
    AFX_MSGMAP_ENTRY_(AFX_REGISTERED_MESSAGE_KEY, 0, 0, 0, &nMessageVariable, \
                      call_.result = self_->memberFxn(call_.wParam, call_.lParam))

// Commands: void handler(), or BOOL handler(UINT id) for _EX (FALSE lets routing go on).
#define ON_COMMAND(id, memberFxn) \
    AFX_MSGMAP_ENTRY_(WM_COMMAND, CN_COMMAND, id, id, nullptr, self_->memberFxn())
#define ON_COMMAND_EX(id, memberFxn) \
    AFX_MSGMAP_ENTRY_(WM_COMMAND, CN_COMMAND, id, id, nullptr, return self_->memberFxn(call_.nID))
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_MSGMAP_ENTRY_(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, self_->memberFxn(call_.nID))
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                 \
    AFX_MSGMAP_ENTRY_(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, \
                      return self_->memberFxn(call_.nID))
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                              \
    AFX_MSGMAP_ENTRY_(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, nullptr, \
                      self_->memberFxn(static_cast<CCmdUI*>(call_.pExtra)))
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                    \
    AFX_MSGMAP_ENTRY_(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, nullptr, \
                      self_->memberFxn(static_cast<CCmdUI*>(call_.pExtra)))

// Control notifications in WM_COMMAND: void handler(), or handler(UINT id) for ranges.
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    AFX_MSGMAP_ENTRY_(WM_COMMAND, (WORD)(wNotifyCode), id, id, nullptr, self_->memberFxn())
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                \
    AFX_MSGMAP_ENTRY_(WM_COMMAND, (WORD)(wNotifyCode), id, idLast, nullptr, \
                      self_->memberFxn(call_.nID))
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// WM_NOTIFY: void handler(NMHDR*, LRESULT*); ranges get the id first; _EX handlers return BOOL
// (FALSE lets routing go on).
#define AFX_NOTIFY_ARGS_ \
    static_cast<AFX_NOTIFY*>(call_.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(call_.pExtra)->pResult
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                          \
    AFX_MSGMAP_ENTRY_(WM_NOTIFY, (WORD)(wNotifyCode), id, id, nullptr, \
                      self_->memberFxn(AFX_NOTIFY_ARGS_))
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                \
    AFX_MSGMAP_ENTRY_(WM_NOTIFY, (WORD)(wNotifyCode), id, idLast, nullptr, \
                      self_->memberFxn(call_.nID, AFX_NOTIFY_ARGS_))
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                       \
    AFX_MSGMAP_ENTRY_(WM_NOTIFY, (WORD)(wNotifyCode), id, id, nullptr, \
                      return self_->memberFxn(call_.nID, AFX_NOTIFY_ARGS_))
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)             \
    AFX_MSGMAP_ENTRY_(WM_NOTIFY, (WORD)(wNotifyCode), id, idLast, nullptr, \
                      return self_->memberFxn(call_.nID, AFX_NOTIFY_ARGS_))

// Reflected to the control that sent them. The plain forms keep the parent from seeing the
// message; the _EX forms let it handle the message too when they return FALSE.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                      \
    AFX_MSGMAP_ENTRY_(WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, nullptr, \
                      self_->memberFxn())
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                   \
    AFX_MSGMAP_ENTRY_(WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, nullptr, \
                      return self_->memberFxn())
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                      \
    AFX_MSGMAP_ENTRY_(WM_REFLECT_BASE + WM_NOTIFY, (WORD)(wNotifyCode), 0, 0, nullptr, \
                      self_->memberFxn(AFX_NOTIFY_ARGS_))
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                   \
    AFX_MSGMAP_ENTRY_(WM_REFLECT_BASE + WM_NOTIFY, (WORD)(wNotifyCode), 0, 0, nullptr, \
                      return self_->memberFxn(AFX_NOTIFY_ARGS_))
#define ON_WM_CTLCOLOR_REFLECT()                                                                \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_CTLCOLOR,                                                \
                  call_.result = reinterpret_cast<LRESULT>(static_cast<HBRUSH>(self_->CtlColor( \
                      CDC::FromHandle(reinterpret_cast<HDC>(call_.wParam)), call_.nCode))))
#define ON_WM_DRAWITEM_REFLECT()                                                     \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_DRAWITEM,                                     \
                  self_->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(call_.lParam)); \
                  call_.result = TRUE)
#define ON_WM_MEASUREITEM_REFLECT()                                                        \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_MEASUREITEM,                                        \
                  self_->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(call_.lParam)); \
                  call_.result = TRUE)
#define ON_WM_HSCROLL_REFLECT()                                           \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_HSCROLL,                           \
                  self_->HScroll(static_cast<UINT>(LOWORD(call_.wParam)), \
                                 static_cast<UINT>(static_cast<short>(HIWORD(call_.wParam)))))
#define ON_WM_VSCROLL_REFLECT()                                           \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_VSCROLL,                           \
                  self_->VScroll(static_cast<UINT>(LOWORD(call_.wParam)), \
                                 static_cast<UINT>(static_cast<short>(HIWORD(call_.wParam)))))
