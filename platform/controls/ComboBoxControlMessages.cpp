// The messages of the combo box, each handed to its list, its edit part or the member that does
// the work.
#include <algorithm>

#include "platform/controls/ComboBox.h"
#include "platform/controls/ComboBoxControl.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

LRESULT ComboBoxControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            Create(*reinterpret_cast<const CREATESTRUCTA*>(lParam));
            return 0;
        case WM_DESTROY:
            Destroy();
            return 0;
        case WM_WINDOWPOSCHANGING:
            KeepClosedHeight(reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
        case WM_SIZE:
            FitParts();
            return 0;
        case CB_ADDSTRING:
            return List(LB_ADDSTRING, 0, lParam);
        case CB_INSERTSTRING:
            return List(LB_INSERTSTRING, wParam, lParam);
        case CB_DELETESTRING:
            return DeleteString(wParam);
        case CB_RESETCONTENT:
            return ResetContent();
        case CB_GETCOUNT:
            return List(LB_GETCOUNT);
        case CB_GETCURSEL:
            return List(LB_GETCURSEL);
        case CB_GETLBTEXT:
            return List(LB_GETTEXT, wParam, lParam);
        case CB_GETLBTEXTLEN:
            return List(LB_GETTEXTLEN, wParam);
        case CB_GETITEMDATA:
            return List(LB_GETITEMDATA, wParam);
        case CB_SETITEMDATA:
            return List(LB_SETITEMDATA, wParam, lParam);
        case CB_FINDSTRING:
            return List(LB_FINDSTRING, wParam, lParam);
        case CB_FINDSTRINGEXACT:
            return List(LB_FINDSTRINGEXACT, wParam, lParam);
        case CB_SETCURSEL:
            return SetCurrent(wParam);
        case CB_SELECTSTRING:
            return SelectString(wParam, lParam);
        case CB_SHOWDROPDOWN:
            return ShowDropDown(wParam != 0);
        case CB_GETDROPPEDSTATE:
            return dropped_ ? TRUE : FALSE;
        case CB_GETDROPPEDCONTROLRECT:
            return GetDroppedRect(reinterpret_cast<RECT*>(lParam));
        case CB_SETITEMHEIGHT:
            return SetItemHeight(wParam, lParam);
        case CB_GETITEMHEIGHT:
            return static_cast<int>(wParam) == -1 ? fieldItemHeight_
                                                  : List(LB_GETITEMHEIGHT, wParam);
        case CB_SETDROPPEDWIDTH:
            return SetDroppedWidth(static_cast<int>(wParam));
        case CB_GETDROPPEDWIDTH:
            return DroppedWidth();
        case CB_LIMITTEXT:
            return ToEdit(EM_LIMITTEXT, wParam, 0, TRUE);
        case CB_SETEDITSEL:
            return ToEdit(EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))),
                          static_cast<short>(HIWORD(lParam)), TRUE);
        case CB_GETEDITSEL:
            return ToEdit(EM_GETSEL, wParam, lParam);
        // The clipboard messages of the box act on its edit part.
        case WM_CUT:
        case WM_COPY:
        case WM_PASTE:
        case WM_CLEAR:
            return HasEdit() ? SendMessageA(edit_, message, wParam, lParam) : 0;
        case CB_GETTOPINDEX:
            return List(LB_GETTOPINDEX);
        case CB_SETTOPINDEX:
            return List(LB_SETTOPINDEX, wParam);
        case CB_GETHORIZONTALEXTENT:
            return List(LB_GETHORIZONTALEXTENT);
        case CB_SETHORIZONTALEXTENT:
            return List(LB_SETHORIZONTALEXTENT, wParam);
        case CB_INITSTORAGE:
            return List(LB_INITSTORAGE, wParam, lParam);
        case WM_SETTEXT:
            return SetText(reinterpret_cast<const char*>(lParam));
        case WM_GETTEXT:
            return HasText() ? GetText(wParam, reinterpret_cast<char*>(lParam))
                             : DefWindowProcA(hwnd_, message, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return HasText() ? static_cast<LRESULT>(Text().size())
                             : DefWindowProcA(hwnd_, message, wParam, lParam);
        case WM_SETFONT:
            SetFont(wParam, lParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_COMMAND:
            PartCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            ButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return Key(wParam, message == WM_SYSKEYDOWN) || message != WM_SYSKEYDOWN
                       ? 0
                       : DefWindowProcA(hwnd_, message, wParam, lParam);
        case WM_CHAR:
            Char(wParam);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS | OpenListDialogCode(lParam);
        case WM_SETFOCUS:
            FocusGained();
            return 0;
        case WM_KILLFOCUS:
            FocusLost(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_ENABLE:
            Enable(wParam != 0);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_DELETEITEM:
        case WM_COMPAREITEM:
            return SendMessageA(parent_, message, wParam, lParam);
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

void ComboBoxControl::Destroy() {
    if (list_ != nullptr && Kind() != CBS_SIMPLE) {
        DestroyWindow(list_);
    }
    list_ = nullptr;
}

// A new height is the dropped height; the window keeps the closed one.
void ComboBoxControl::KeepClosedHeight(WINDOWPOS* position) {
    if (DropsDown() && position != nullptr && (position->flags & SWP_NOSIZE) == 0) {
        if (position->cy != FieldHeight()) {
            droppedHeight_ = position->cy;
        }
        position->cy = FieldHeight();
    }
}

LRESULT ComboBoxControl::DeleteString(WPARAM index) {
    const LRESULT left = List(LB_DELETESTRING, index);
    InvalidateRect(hwnd_, nullptr, FALSE);
    return left;
}

LRESULT ComboBoxControl::ResetContent() {
    List(LB_RESETCONTENT);
    SetEditText(std::string());
    InvalidateRect(hwnd_, nullptr, FALSE);
    return CB_OKAY;
}

// An index past the items, like -1, leaves no item selected and an empty edit field.
LRESULT ComboBoxControl::SetCurrent(WPARAM index) {
    LRESULT result = List(LB_SETCURSEL, index);
    if (result == LB_ERR) {
        List(LB_SETCURSEL, static_cast<WPARAM>(-1));
    }
    ShowSelection(static_cast<int>(result));
    return result;
}

LRESULT ComboBoxControl::SelectString(WPARAM after, LPARAM text) {
    const LRESULT found = List(LB_SELECTSTRING, after, text);
    if (found != LB_ERR) {
        ShowSelection(static_cast<int>(found));
    }
    return found;
}

LRESULT ComboBoxControl::ShowDropDown(bool show) {
    if (show) {
        Drop();
    } else {
        CloseUp(Close::ByProgram);
    }
    return TRUE;
}

LRESULT ComboBoxControl::GetDroppedRect(RECT* rect) const {
    if (rect == nullptr) {
        return CB_ERR;
    }
    RECT combo{};
    GetWindowRect(hwnd_, &combo);
    *rect = RECT{combo.left, combo.top,
                 combo.left + std::max<int>(droppedWidth_, combo.right - combo.left),
                 combo.top + std::max(droppedHeight_, FieldHeight())};
    return TRUE;
}

// Index -1 is the field's height, any other an item's height in the list.
LRESULT ComboBoxControl::SetItemHeight(WPARAM index, LPARAM lParam) {
    const int height = LOWORD(lParam);
    if (height <= 0 || height > 255) {
        return CB_ERR;
    }
    if (static_cast<int>(index) != -1) {
        return List(LB_SETITEMHEIGHT, index, lParam);
    }
    fieldItemHeight_ = height;
    RECT window{};
    GetWindowRect(hwnd_, &window);
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left,
                 DropsDown() ? FieldHeight() : window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return CB_OKAY;
}

LRESULT ComboBoxControl::SetDroppedWidth(int width) {
    droppedWidth_ = width;
    return DroppedWidth();
}

LRESULT ComboBoxControl::DroppedWidth() const {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    return std::max<LRESULT>(droppedWidth_, window.right - window.left);
}

// A message for the edit part; CB_ERR for a box without one, else `answer` or the edit's own.
LRESULT ComboBoxControl::ToEdit(UINT message, WPARAM wParam, LPARAM lParam,
                                std::optional<LRESULT> answer) const {
    if (!HasEdit()) {
        return CB_ERR;
    }
    const LRESULT result = SendMessageA(edit_, message, wParam, lParam);
    return answer.value_or(result);
}

void ComboBoxControl::SetFont(WPARAM font, LPARAM redraw) {
    font_ = FontOrDefault(reinterpret_cast<HFONT>(font));
    if (HasEdit()) {
        SendMessageA(edit_, WM_SETFONT, font, redraw);
    }
    List(WM_SETFONT, font, redraw);
    if (LOWORD(redraw)) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void ComboBoxControl::Enable(bool enabled) {
    if (HasEdit()) {
        EnableWindow(edit_, enabled);
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
}

}  // namespace platform
