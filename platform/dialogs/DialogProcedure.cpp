// The dialog class and its procedure: the dialog procedure first, then the dialog's default
// handling of focus, the default button, closing and its background.
#include <mutex>

#include "platform/dialogs/ControlCodes.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/dialogs/DialogDefaultButton.h"
#include "platform/dialogs/DialogFocus.h"
#include "platform/dialogs/DialogNavigation.h"
#include "platform/dialogs/DialogRecords.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/ResourceImages.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

// Messages whose result is what the dialog procedure returns rather than DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
    switch (message) {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case 0x002E:  // WM_VKEYTOITEM
        case 0x002F:  // WM_CHARTOITEM
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
    }
}

LRESULT DialogCode(HWND hwnd) {
    return SendMessageA(hwnd, WM_GETDLGCODE, 0, 0);
}

LRESULT GetDefaultId(HWND dialog) {
    const auto record = DialogRecords::Find(dialog);
    if (record && record->defaultId) {
        return *record->defaultId != 0 ? MAKELRESULT(*record->defaultId, DC_HASDEFID) : 0;
    }
    for (HWND item : DialogNavigation::Items(dialog)) {
        if (DialogCode(item) & DLGC_DEFPUSHBUTTON) {
            return MAKELRESULT(GetDlgCtrlID(item), DC_HASDEFID);
        }
    }
    return 0;
}

void NextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND target = nullptr;
    if (LOWORD(lParam) != 0) {
        target = reinterpret_cast<HWND>(wParam);
    } else {
        target = DialogNavigation::NextTabItem(dialog, GetFocus(), wParam != 0);
    }
    DialogFocus::MoveTo(dialog, target);
}

bool HoldsFocus(HWND dialog) {
    HWND focus = GetFocus();
    return focus != nullptr && IsChild(dialog, focus);
}

LRESULT Erase(HWND dialog, HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
    if (brush == nullptr) {
        brush = GetSysColorBrush(COLOR_3DFACE);
    }
    RECT client{};
    GetClientRect(dialog, &client);
    if (dc != nullptr) {
        FillRect(dc, &client, brush);
    }
    return TRUE;
}

LRESULT DefaultHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case DM_GETDEFID:
            return GetDefaultId(dialog);
        case DM_SETDEFID:
            DialogRecords::Update(dialog, [&](DialogRecord& record) {
                record.defaultId = static_cast<WORD>(wParam);
            });
            DialogDefaultButton::Update(dialog);
            return TRUE;
        case WM_NEXTDLGCTL:
            NextControl(dialog, wParam, lParam);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (HoldsFocus(dialog)) {
                    HWND focus = GetFocus();
                    DialogRecords::Update(dialog,
                                          [&](DialogRecord& record) { record.savedFocus = focus; });
                }
            } else if (HIWORD(wParam) == 0 && !HoldsFocus(dialog)) {
                // A dialog without a control to focus takes the keys itself.
                if (HWND control = DialogFocus::ControlToRestore(dialog)) {
                    DialogFocus::MoveTo(dialog, control);
                } else {
                    SetFocus(dialog);
                }
            }
            return 0;
        case WM_SETFOCUS:
            DialogFocus::MoveTo(dialog, DialogFocus::ControlToRestore(dialog));
            return 0;
        case WM_SETFONT:
            DialogRecords::Update(dialog, [&](DialogRecord& record) {
                record.font = reinterpret_cast<HFONT>(wParam);
            });
            return 0;
        case WM_GETFONT: {
            const auto record = DialogRecords::Find(dialog);
            return record ? reinterpret_cast<LRESULT>(record->font) : 0;
        }
        case WM_CLOSE: {
            // Closing is the cancel button's click, which a disabled cancel button refuses.
            HWND cancel = GetDlgItem(dialog, IDCANCEL);
            if (cancel == nullptr || IsWindowEnabled(cancel)) {
                SendMessageA(dialog, WM_COMMAND,
                             MAKEWPARAM(IDCANCEL, control_codes::kButtonClicked),
                             reinterpret_cast<LPARAM>(cancel));
            }
            return 0;
        }
        case WM_ERASEBKGND:
            return Erase(dialog, reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORMSGBOX: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, GetSysColor(COLOR_3DFACE));
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
        }
        default:
            return DefWindowProcA(dialog, message, wParam, lParam);
    }
}

void Forget(HWND dialog) {
    if (const auto record = DialogRecords::Remove(dialog); record && record->ownsFont) {
        DeleteObject(record->font);
    }
}

}  // namespace

void RegisterDialogClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS | CS_SAVEBITS;
        windowClass.lpfnWndProc = DefDlgProcA;
        windowClass.cbWndExtra = DLGWINDOWEXTRA;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kDialogClassName;
        RegisterSystemClass(windowClass);
    });
}

}  // namespace platform

LRESULT DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (Msg == WM_NCDESTROY) {
        // The dialog procedure sees the message, but the record goes whatever it answers.
        if (auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hDlg, DWLP_DLGPROC))) {
            procedure(hDlg, Msg, wParam, lParam);
        }
        platform::Forget(hDlg);
        return DefWindowProcA(hDlg, Msg, wParam, lParam);
    }
    if (auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hDlg, DWLP_DLGPROC))) {
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0);
        const INT_PTR handled = procedure(hDlg, Msg, wParam, lParam);
        if (handled != 0 || !IsWindow(hDlg)) {
            return platform::ReturnsDirectly(Msg) ? handled
                                                  : GetWindowLongPtrA(hDlg, DWLP_MSGRESULT);
        }
    }
    return platform::DefaultHandling(hDlg, Msg, wParam, lParam);
}
