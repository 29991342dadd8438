// The dialog manager with the original platform's names: dialogs built from templates in the
// system class "#32770", their procedure, modal and modeless runs, the dialog keyboard interface
// and the conversion of dialog units.
//
// A dialog is created like this: the window (hidden), WM_SETFONT to the dialog when the template
// sets a font, every control in template order (each followed by WM_SETFONT with that font), the
// template's initial combo and list box items, WM_INITDIALOG, and last the show when the template
// has WS_VISIBLE. A control whose class is not registered goes to the control factory (the
// framework's ActiveX controls, named "{CLSID}"); without a factory, or when the factory gives
// nothing, the dialog fails as a whole (it is destroyed and the creating function fails) unless
// the template has DS_NOFAILCREATE, in which case the control is left out.
//
// An ICON or bitmap static whose picture is given by number gets the text "#<number>", the form in
// which the resource functions take a numbered name. Controls get WS_EX_NOPARENTNOTIFY, as dialog
// controls do on the original platform.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/resources/DialogInit.h"
#include "platform/resources/DialogTemplate.h"
#include "platform/windows/WindowApi.h"

using DLGPROC = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

// clang-format off

// Dialog template styles.
#define DS_ABSALIGN 0x01L
#define DS_SYSMODAL 0x02L
#define DS_3DLOOK 0x04L
#define DS_FIXEDSYS 0x08L
#define DS_NOFAILCREATE 0x10L
#define DS_LOCALEDIT 0x20L
#define DS_SETFONT 0x40L
#define DS_NOIDLEMSG 0x100L
#define DS_SETFOREGROUND 0x200L
#define DS_CONTROL 0x400L
#define DS_CENTER 0x800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

// The dialog's window data: the result of a message the dialog procedure handled, the procedure
// and a value for the program.
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC (DWLP_MSGRESULT + static_cast<int>(sizeof(LRESULT)))
#define DWLP_USER (DWLP_DLGPROC + static_cast<int>(sizeof(DLGPROC)))
#define DLGWINDOWEXTRA 30

// Dialog messages.
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
#define DC_HASDEFID 0x534B

// Command ids of the standard buttons.
#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9
#define IDTRYAGAIN 10
#define IDCONTINUE 11
#endif

// clang-format on

// The class name of dialogs; DefDlgProcA is its procedure.
inline constexpr const char* kDialogClassName = "#32770";

// The dialog procedure gets every message first. It returns TRUE for a message it handled (the
// message's result is then DWLP_MSGRESULT, except for WM_INITDIALOG, WM_CTLCOLOR*,
// WM_COMPAREITEM, WM_VKEYTOITEM, WM_CHARTOITEM and WM_QUERYDRAGICON, whose result is the returned
// value itself) or FALSE for the default handling.
LRESULT DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);

// The template and its initial items come from the program's resources. A null result (modeless)
// or -1 (modal) when the template is missing or the dialog cannot be built.
HWND CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                        DLGPROC lpDialogFunc, LPARAM dwInitParam);
inline HWND CreateDialogA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                          DLGPROC lpDialogFunc) {
    return CreateDialogParamA(hInstance, lpTemplateName, hWndParent, lpDialogFunc, 0);
}
// Runs the dialog modally: the owner (the top-level window of hWndParent) is disabled while it
// runs, messages pass pre-translation (where IsDialogMessageA sees them) and the dialog is shown
// even without WS_VISIBLE. Returns the value given to EndDialog; -1 when a WM_QUIT ended the run.
INT_PTR DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                        DLGPROC lpDialogFunc, LPARAM dwInitParam);
inline INT_PTR DialogBoxA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                          DLGPROC lpDialogFunc) {
    return DialogBoxParamA(hInstance, lpTemplateName, hWndParent, lpDialogFunc, 0);
}
// Ends a modal run with nResult once the current message is handled; a modeless dialog is only
// hidden (it stays until destroyed). FALSE for a window that is not a dialog.
BOOL EndDialog(HWND hDlg, INT_PTR nResult);

// Handles the dialog keyboard interface for a message of the dialog or one of its descendants:
// Tab and Shift+Tab move between WS_TABSTOP controls, the arrow keys within a WS_GROUP group,
// Enter sends WM_COMMAND (BN_CLICKED) of the focused push button or else the default button
// (DM_GETDEFID, IDOK without one), Esc sends WM_COMMAND IDCANCEL, and a character (with Alt, or
// alone when the focused control does not want characters) picks the control whose text has it
// after '&'. The focused control's WM_GETDLGCODE answer keeps the keys it wants. Every other
// message of the dialog is translated and dispatched here; a click that moves the focus moves the
// default-button look with it, as the keys do. TRUE when the message was the dialog's (it is then
// handled), FALSE otherwise.
BOOL IsDialogMessageA(HWND hDlg, LPMSG lpMsg);

// The controls the keyboard interface moves between: the dialog's descendants in creation order,
// looking into visible, enabled children with WS_EX_CONTROLPARENT. Both skip hidden and disabled
// controls and wrap around; they return hCtl itself when no other control qualifies.
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious);

// Dialog units of the dialog's font to pixels.
BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);
// The base units of the system font: the average width in the low word, the height in the high.
LONG GetDialogBaseUnits();

namespace platform {

// Registers the dialog class (once per process; a reset for tests keeps it).
void RegisterDialogClass();

// Creates the control of `control` at `pixels` (the dialog's client coordinates) as a child of
// `dialog`, for a class that is not registered; null when it cannot.
using DialogControlFactory =
    std::function<HWND(HWND dialog, const DialogControl& control, const RECT& pixels)>;
// An empty factory removes it.
void SetDialogControlFactory(DialogControlFactory factory);

// A visible child control, at (x, y) and of cx by cy dialog units, for a template built in code.
DialogControl ChildControl(std::string className, std::string text, DWORD id, DWORD style, int x,
                           int y, int cx, int cy);

// CreateDialogIndirectParamA and DialogBoxIndirectParamA over this program's template form.
// `initialItems` are the items of the template's initial data (may be empty).
HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& dialog,
                              const std::vector<DialogInitEntry>& initialItems, HWND parent,
                              DLGPROC procedure, LPARAM param);
INT_PTR DialogBoxFromTemplate(HINSTANCE instance, const DialogTemplate& dialog,
                              const std::vector<DialogInitEntry>& initialItems, HWND parent,
                              DLGPROC procedure, LPARAM param);

// Runs an existing dialog modally as DialogBoxParamA does after creating it, and destroys it at
// the end unless `destroy` is false (the framework destroys its dialogs through their own
// DestroyWindow); for the framework's dialogs. The keyboard interface is the caller's:
// DialogBoxParamA attaches IsDialogMessageA to the dialog's pre-translation, the framework calls
// it from its own.
INT_PTR RunModalDialog(HWND dialog, HWND parent, bool destroy = true);

}  // namespace platform
