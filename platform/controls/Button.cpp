#include "platform/controls/Button.h"

#include <algorithm>

#include "platform/controls/ButtonPainter.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/ControlWindow.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

struct ButtonControl {
    explicit ButtonControl(HWND window) : hwnd(window) {}
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd;
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    // The mouse went down on the button and it holds the capture.
    bool tracking = false;
    bool spaceDown = false;
    // An owner-drawn button made the dialog's default with BM_SETSTYLE keeps its type.
    bool ownerDrawnDefault = false;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    HICON icon = nullptr;
};

ButtonControl* StateOf(HWND hwnd) {
    return reinterpret_cast<ButtonControl*>(GetWindowLongPtrA(hwnd, 0));
}

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

UINT TypeOf(HWND hwnd) {
    return StyleOf(hwnd) & BS_TYPEMASK;
}

bool IsRadio(UINT type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// The highest check state a button of this type holds; 0 when it holds none.
UINT MaximumCheck(UINT type) {
    switch (type) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return BST_CHECKED;
        case BS_3STATE:
        case BS_AUTO3STATE:
            return BST_INDETERMINATE;
        default:
            return 0;
    }
}

bool NotifiesFocus(HWND hwnd) {
    return (StyleOf(hwnd) & BS_NOTIFY) != 0;
}

UINT OwnerDrawState(HWND hwnd, const ButtonControl& state) {
    UINT itemState = 0;
    if (state.pushed) {
        itemState |= ODS_SELECTED;
    }
    if (state.focused) {
        itemState |= ODS_FOCUS;
    }
    if (!IsWindowEnabled(hwnd)) {
        itemState |= ODS_DISABLED;
    }
    if (state.ownerDrawnDefault) {
        itemState |= ODS_DEFAULT;
    }
    return itemState;
}

void DrawOwner(HWND hwnd, const ButtonControl& state, HDC dc, UINT action) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SendMessageA(GetParent(hwnd), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(hwnd));
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    item.itemAction = action;
    item.itemState = OwnerDrawState(hwnd, state);
    item.hwndItem = hwnd;
    item.hDC = dc;
    GetClientRect(hwnd, &item.rcItem);
    SendMessageA(GetParent(hwnd), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

// A change of one aspect: owner-drawn buttons are asked to draw it at once with the action that
// names it, the others repaint.
void Redraw(HWND hwnd, UINT action) {
    if (TypeOf(hwnd) != BS_OWNERDRAW) {
        InvalidateRect(hwnd, nullptr, FALSE);
        return;
    }
    if (!IsWindowVisible(hwnd)) {
        return;
    }
    HDC dc = GetDC(hwnd);
    DrawOwner(hwnd, *StateOf(hwnd), dc, action);
    ReleaseDC(hwnd, dc);
}

void SetPushed(HWND hwnd, ButtonControl& state, bool pushed) {
    if (state.pushed != pushed) {
        state.pushed = pushed;
        Redraw(hwnd, ODA_SELECT);
    }
}

void SetCheck(HWND hwnd, ButtonControl& state, WPARAM check) {
    const UINT type = TypeOf(hwnd);
    const UINT maximum = MaximumCheck(type);
    if (maximum == 0) {
        return;
    }
    const UINT clamped = std::min(static_cast<UINT>(check), maximum);
    if (IsRadio(type)) {
        // A checked radio button is the one that Tab reaches in its group.
        const DWORD style = StyleOf(hwnd);
        SetWindowLongA(hwnd, GWL_STYLE,
                       static_cast<LONG>(clamped ? style | WS_TABSTOP : style & ~WS_TABSTOP));
    }
    if (state.check != clamped) {
        state.check = clamped;
        Redraw(hwnd, ODA_SELECT);
    }
}

bool StartsGroup(HWND hwnd) {
    return (StyleOf(hwnd) & WS_GROUP) != 0;
}

void UncheckGroup(HWND hwnd) {
    HWND first = hwnd;
    while (!StartsGroup(first)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (previous == nullptr) {
            break;
        }
        first = previous;
    }
    for (HWND sibling = first; sibling != nullptr; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != first && StartsGroup(sibling)) {
            break;
        }
        if (sibling == hwnd) {
            continue;
        }
        char className[16] = {};
        GetClassNameA(sibling, className, sizeof(className));
        if (CompareNoCase(className, "Button") == 0 &&
            (StyleOf(sibling) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
            SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

void Clicked(HWND hwnd, ButtonControl& state) {
    switch (TypeOf(hwnd)) {
        case BS_AUTOCHECKBOX:
            SendMessageA(hwnd, BM_SETCHECK,
                         state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
            break;
        case BS_AUTO3STATE:
            SendMessageA(hwnd, BM_SETCHECK, (state.check + 1) % 3, 0);
            break;
        case BS_AUTORADIOBUTTON:
            SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
            UncheckGroup(hwnd);
            break;
        default:
            break;
    }
    SendCommandNotify(hwnd, BN_CLICKED);
}

bool Inside(HWND hwnd, LPARAM lParam) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    return x >= client.left && x < client.right && y >= client.top && y < client.bottom;
}

void Press(HWND hwnd, ButtonControl& state) {
    SetCapture(hwnd);
    state.tracking = true;
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
    }
    SetPushed(hwnd, state, true);
}

void Release(HWND hwnd, ButtonControl& state, LPARAM lParam) {
    if (!state.tracking) {
        return;
    }
    state.tracking = false;
    const bool click = state.pushed && Inside(hwnd, lParam);
    SetPushed(hwnd, state, false);
    ReleaseCapture();
    if (click) {
        Clicked(hwnd, state);
    }
}

void DoubleClick(HWND hwnd, ButtonControl& state) {
    const UINT type = TypeOf(hwnd);
    if (IsRadio(type) || type == BS_USERBUTTON || type == BS_OWNERDRAW) {
        SendCommandNotify(hwnd, BN_DOUBLECLICKED);
        return;
    }
    if (StyleOf(hwnd) & BS_NOTIFY) {
        SendCommandNotify(hwnd, BN_DOUBLECLICKED);
    }
    Press(hwnd, state);
}

void Focus(HWND hwnd, ButtonControl& state, bool focused) {
    state.focused = focused;
    if (!focused) {
        state.spaceDown = false;
        if (state.tracking) {
            state.tracking = false;
            ReleaseCapture();
        }
        SetPushed(hwnd, state, false);
    }
    Redraw(hwnd, ODA_FOCUS);
    if (NotifiesFocus(hwnd)) {
        SendCommandNotify(hwnd, focused ? BN_SETFOCUS : BN_KILLFOCUS);
    }
}

LRESULT DialogCode(HWND hwnd, const ButtonControl& state) {
    switch (TypeOf(hwnd)) {
        case BS_PUSHBUTTON:
        case BS_PUSHBOX:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_OWNERDRAW:
            return DLGC_BUTTON |
                   (state.ownerDrawnDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
    }
}

void SetStyle(HWND hwnd, ButtonControl& state, WPARAM wParam, LPARAM lParam) {
    const DWORD style = StyleOf(hwnd);
    const DWORD type = static_cast<DWORD>(wParam) & BS_TYPEMASK;
    if ((style & BS_TYPEMASK) == BS_OWNERDRAW &&
        (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
        state.ownerDrawnDefault = type == BS_DEFPUSHBUTTON;
    } else {
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>((style & ~BS_TYPEMASK) | type));
    }
    if (lParam) {
        InvalidateRect(hwnd, nullptr, FALSE);
    }
}

LRESULT SetImage(HWND hwnd, ButtonControl& state, WPARAM type, LPARAM image) {
    HANDLE previous = nullptr;
    if (type == IMAGE_BITMAP) {
        previous = state.bitmap;
        state.bitmap = reinterpret_cast<HBITMAP>(image);
    } else if (type == IMAGE_ICON) {
        previous = state.icon;
        state.icon = reinterpret_cast<HICON>(image);
    } else {
        return 0;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT GetImage(const ButtonControl& state, WPARAM type) {
    if (type == IMAGE_BITMAP) {
        return reinterpret_cast<LRESULT>(state.bitmap);
    }
    if (type == IMAGE_ICON) {
        return reinterpret_cast<LRESULT>(state.icon);
    }
    return 0;
}

void Paint(HWND hwnd, const ButtonControl& state) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc != nullptr) {
        if (TypeOf(hwnd) == BS_OWNERDRAW) {
            DrawOwner(hwnd, state, dc, ODA_DRAWENTIRE);
        } else {
            ButtonLook look;
            look.style = StyleOf(hwnd);
            look.state =
                state.check | (state.pushed ? BST_PUSHED : 0u) | (state.focused ? BST_FOCUS : 0u);
            look.enabled = IsWindowEnabled(hwnd) != FALSE;
            look.font = state.font;
            look.bitmap = state.bitmap;
            look.icon = state.icon;
            char text[1024] = {};
            look.text.assign(text,
                             static_cast<size_t>(DefWindowProcA(hwnd, WM_GETTEXT, sizeof(text),
                                                                reinterpret_cast<LPARAM>(text))));
            PaintButton(hwnd, dc, look);
        }
    }
    EndPaint(hwnd, &paint);
}

LRESULT Dispatch(HWND hwnd, ButtonControl& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(hwnd, state);
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, FALSE);
            return result;
        }
        case WM_SETFONT:
            state.font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) {
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.font);
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_GETDLGCODE:
            return DialogCode(hwnd, state);
        case WM_NCHITTEST:
            // A group box lets the mouse through to the controls it frames.
            if (TypeOf(hwnd) == BS_GROUPBOX) {
                return HTTRANSPARENT;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);
        case WM_SETFOCUS:
            Focus(hwnd, state, true);
            return 0;
        case WM_KILLFOCUS:
            Focus(hwnd, state, false);
            return 0;
        case WM_LBUTTONDOWN:
            Press(hwnd, state);
            return 0;
        case WM_LBUTTONDBLCLK:
            DoubleClick(hwnd, state);
            return 0;
        case WM_MOUSEMOVE:
            if (state.tracking) {
                SetPushed(hwnd, state, Inside(hwnd, lParam));
            }
            return 0;
        case WM_LBUTTONUP:
            Release(hwnd, state, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            if (state.tracking) {
                state.tracking = false;
                SetPushed(hwnd, state, false);
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && !state.spaceDown) {
                state.spaceDown = true;
                SetPushed(hwnd, state, true);
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && state.spaceDown) {
                state.spaceDown = false;
                const bool click = state.pushed;
                SetPushed(hwnd, state, false);
                if (click) {
                    Clicked(hwnd, state);
                }
            }
            return 0;
        case BM_GETCHECK:
            return state.check;
        case BM_SETCHECK:
            SetCheck(hwnd, state, wParam);
            return 0;
        case BM_GETSTATE:
            return state.check | (state.pushed ? BST_PUSHED : 0u) |
                   (state.focused ? BST_FOCUS : 0u);
        case BM_SETSTATE:
            SetPushed(hwnd, state, wParam != 0);
            return 0;
        case BM_SETSTYLE:
            SetStyle(hwnd, state, wParam, lParam);
            return 0;
        case BM_CLICK:
            SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
            return 0;
        case BM_SETIMAGE:
            return SetImage(hwnd, state, wParam, lParam);
        case BM_GETIMAGE:
            return GetImage(state, wParam);
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT ButtonControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch(hwnd, *this, message, wParam, lParam);
}

}  // namespace

void RegisterButtonClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass("Button", ControlProcedure<ButtonControl>, CS_DBLCLKS);
}

}  // namespace platform

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
    HWND button = GetDlgItem(hDlg, nIDButton);
    if (button == nullptr) {
        return FALSE;
    }
    SendMessageA(button, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton) {
    HWND button = GetDlgItem(hDlg, nIDButton);
    return button == nullptr ? 0 : static_cast<UINT>(SendMessageA(button, BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    if (GetDlgItem(hDlg, nIDFirstButton) == nullptr) {
        return FALSE;
    }
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id) {
        if (HWND button = GetDlgItem(hDlg, id)) {
            SendMessageA(button, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED,
                         0);
        }
    }
    return TRUE;
}
