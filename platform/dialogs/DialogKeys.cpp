// IsDialogMessageA: the keyboard interface of dialogs.
#include <algorithm>
#include <string>

#include "platform/dialogs/ControlCodes.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/dialogs/DialogDefaultButton.h"
#include "platform/dialogs/DialogFocus.h"
#include "platform/dialogs/DialogNavigation.h"
#include "platform/dialogs/Mnemonic.h"

namespace platform {

namespace {

LRESULT CodeOf(HWND hwnd, const MSG* msg) {
    return SendMessageA(hwnd, WM_GETDLGCODE, msg != nullptr ? msg->wParam : 0,
                        reinterpret_cast<LPARAM>(msg));
}

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

bool Reachable(HWND hwnd) {
    return (StyleOf(hwnd) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

bool IsPushButton(LRESULT code) {
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

std::string TextOf(HWND hwnd) {
    std::string text(static_cast<size_t>(std::max(GetWindowTextLengthA(hwnd), 0)) + 1, '\0');
    text.resize(static_cast<size_t>(
        std::max(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size())), 0)));
    return text;
}

// A hidden button still takes its command (a template's hidden default button is how several
// dialogs receive Enter); a disabled one refuses it.
void SendButtonCommand(HWND parent, WORD id, HWND button) {
    if (button != nullptr && !IsWindowEnabled(button)) {
        return;
    }
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, control_codes::kButtonClicked),
                 reinterpret_cast<LPARAM>(button));
}

void PressEnter(HWND dialog, HWND focus) {
    HWND item = DialogNavigation::ItemOf(dialog, focus);
    if (item != nullptr && IsPushButton(CodeOf(item, nullptr))) {
        SendButtonCommand(GetParent(item), static_cast<WORD>(GetDlgCtrlID(item)), item);
        return;
    }
    const LRESULT defaultId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    const WORD id = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : WORD{IDOK};
    SendButtonCommand(dialog, id, GetDlgItem(dialog, id));
}

void MoveInGroup(HWND dialog, HWND focus, bool previous) {
    HWND item = DialogNavigation::ItemOf(dialog, focus);
    HWND next = DialogNavigation::NextGroupItem(dialog, item, previous);
    if (next == nullptr || next == item) {
        return;
    }
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    if (CodeOf(next, nullptr) & DLGC_RADIOBUTTON) {
        SendMessageA(next, control_codes::kButtonClick, 0, 0);
    }
}

// Finds the control after the focused one (wrapping around) whose mnemonic is `typed`, and acts
// as if it were chosen: a label passes the focus on to the next tab stop, a button is clicked
// (push buttons without taking the focus), any other control takes the focus.
bool PickMnemonic(HWND dialog, HWND focus, char typed) {
    const std::vector<HWND> items = DialogNavigation::Items(dialog);
    if (items.empty()) {
        return false;
    }
    const auto current =
        std::find(items.begin(), items.end(), DialogNavigation::ItemOf(dialog, focus));
    const size_t start =
        current == items.end() ? items.size() - 1 : static_cast<size_t>(current - items.begin());
    for (size_t step = 1; step <= items.size(); ++step) {
        HWND item = items[(start + step) % items.size()];
        if (!Reachable(item)) {
            continue;
        }
        const LRESULT code = CodeOf(item, nullptr);
        if ((code & DLGC_STATIC) && (StyleOf(item) & control_codes::kStaticNoPrefix)) {
            continue;
        }
        if (!Mnemonic::Matches(TextOf(item), typed)) {
            continue;
        }
        if (code & DLGC_STATIC) {
            HWND next = DialogNavigation::NextTabItem(dialog, item, false);
            if (next != nullptr && next != item) {
                DialogFocus::MoveTo(dialog, next);
            }
        } else if (code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
            if (!IsPushButton(code)) {
                DialogFocus::MoveTo(dialog, item);
            }
            SendMessageA(item, control_codes::kButtonClick, 0, 0);
        } else {
            DialogFocus::MoveTo(dialog, item);
        }
        return true;
    }
    return false;
}

// The keys the dialog takes for itself; false leaves the message to its window.
bool HandleKeyDown(HWND dialog, const MSG& msg) {
    const LRESULT code = CodeOf(msg.hwnd, &msg);
    if (code & DLGC_WANTMESSAGE) {
        return false;
    }
    switch (msg.wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB) {
                return false;
            }
            SendMessageA(dialog, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (code & DLGC_WANTARROWS) {
                return false;
            }
            MoveInGroup(dialog, msg.hwnd, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
            return true;
        case VK_RETURN:
            PressEnter(dialog, msg.hwnd);
            return true;
        case VK_ESCAPE:
            SendMessageA(dialog, WM_COMMAND, IDCANCEL,
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            return true;
        default:
            return false;
    }
}

bool PressesAMouseButton(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            return true;
        default:
            return false;
    }
}

// A control takes the focus itself when it is clicked; the default-button look follows it as it
// follows the keyboard. Focus that a program moves with SetFocus leaves the look alone.
void Dispatch(HWND dialog, MSG& msg) {
    HWND before = GetFocus();
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    if (!PressesAMouseButton(msg.message) || !IsWindow(dialog)) {
        return;
    }
    HWND after = GetFocus();
    if (after != before && after != nullptr && IsChild(dialog, after)) {
        DialogDefaultButton::Update(dialog);
    }
}

}  // namespace

}  // namespace platform

BOOL IsDialogMessageA(HWND hDlg, LPMSG lpMsg) {
    if (hDlg == nullptr || lpMsg == nullptr || !IsWindow(hDlg) ||
        (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd))) {
        return FALSE;
    }
    const MSG& msg = *lpMsg;
    bool handled = false;
    switch (msg.message) {
        case WM_KEYDOWN:
            handled = platform::HandleKeyDown(hDlg, msg);
            break;
        case WM_CHAR: {
            const LRESULT code = platform::CodeOf(msg.hwnd, &msg);
            if ((code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) == 0) {
                handled = platform::PickMnemonic(hDlg, msg.hwnd, static_cast<char>(msg.wParam));
            }
            break;
        }
        case WM_SYSCHAR:
            handled = platform::PickMnemonic(hDlg, msg.hwnd, static_cast<char>(msg.wParam));
            break;
        default:
            break;
    }
    if (!handled) {
        platform::Dispatch(hDlg, *lpMsg);
    }
    return TRUE;
}
