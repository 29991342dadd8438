#include "platform/controls/ComboBoxControl.h"

#include <algorithm>
#include <climits>

#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListBoxControl.h"
#include "platform/controls/ScrollBarPainter.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

constexpr int kEditId = 1001;
constexpr int kListId = 1000;

LRESULT CALLBACK ComboEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND combo = GetParent(edit);
    auto* control = reinterpret_cast<ComboBoxControl*>(GetWindowLongPtrA(combo, 0));
    if (control == nullptr) {
        return DefWindowProcA(edit, message, wParam, lParam);
    }
    if (control->FilterEditMessage(message, wParam, lParam)) {
        return 0;
    }
    const LRESULT result = CallWindowProcA(control->EditProcedure(), edit, message, wParam, lParam);
    return message == WM_GETDLGCODE ? result | control->OpenListDialogCode(lParam) : result;
}

}  // namespace

ComboBoxControl::ComboBoxControl(HWND hwnd, const CREATESTRUCTA& create)
    : hwnd_(hwnd),
      parent_(create.hwndParent),
      id_(static_cast<UINT>(reinterpret_cast<UINT_PTR>(create.hMenu))),
      droppedHeight_(create.cy) {
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fieldItemHeight_ = LineHeight(font_);
    // The scroll bar styles are meant for the list; the field itself never shows a bar.
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    SetWindowLongA(hwnd_, GWL_STYLE, style & ~static_cast<LONG>(WS_VSCROLL | WS_HSCROLL));
}

DWORD ComboBoxControl::Kind() const {
    return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)) & 0x3;
}

bool ComboBoxControl::HasText() const {
    return HasEdit() || Kind() == CBS_DROPDOWNLIST;
}

bool ComboBoxControl::DropsDown() const {
    return Kind() == CBS_DROPDOWN || Kind() == CBS_DROPDOWNLIST;
}

LRESULT ComboBoxControl::List(UINT message, WPARAM wParam, LPARAM lParam) const {
    return list_ != nullptr ? SendMessageA(list_, message, wParam, lParam) : LB_ERR;
}

int ComboBoxControl::Selection() const {
    return static_cast<int>(List(LB_GETCURSEL));
}

std::string ComboBoxControl::ItemText(int index) const {
    const LRESULT length = List(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(length) + sizeof(ULONG_PTR) + 1, '\0');
    const LRESULT copied =
        List(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::string ComboBoxControl::Text() const {
    if (HasEdit()) {
        const int length = GetWindowTextLengthA(edit_);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        text.resize(static_cast<size_t>(GetWindowTextA(edit_, text.data(), length + 1)));
        return text;
    }
    if (Kind() == CBS_DROPDOWNLIST) {
        const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
        const bool strings =
            (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) == 0 || (style & CBS_HASSTRINGS);
        return strings ? ItemText(Selection()) : std::string();
    }
    return std::string();
}

void ComboBoxControl::Notify(int code) {
    SendCommandTo(parent_, id_, hwnd_, static_cast<WORD>(code));
}

// Tells the parent when the box as a whole gains or loses the focus, not as it moves between
// the box and its parts.
void ComboBoxControl::FocusNotice(bool focused) {
    if (focused_ != focused) {
        focused_ = focused;
        Notify(focused ? CBN_SETFOCUS : CBN_KILLFOCUS);
    }
}

DWORD ComboBoxControl::ListStyle(DWORD comboStyle) const {
    DWORD style = LBS_COMBOBOX | LBS_NOTIFY | WS_VSCROLL;
    if (comboStyle & CBS_SORT) {
        style |= LBS_SORT;
    }
    if (comboStyle & CBS_OWNERDRAWFIXED) {
        style |= LBS_OWNERDRAWFIXED;
    }
    if (comboStyle & CBS_OWNERDRAWVARIABLE) {
        style |= LBS_OWNERDRAWVARIABLE;
    }
    if (comboStyle & CBS_HASSTRINGS) {
        style |= LBS_HASSTRINGS;
    }
    if (comboStyle & CBS_DISABLENOSCROLL) {
        style |= LBS_DISABLENOSCROLL;
    }
    return style | LBS_NOINTEGRALHEIGHT;
}

void ComboBoxControl::Create(const CREATESTRUCTA& create) {
    const DWORD style = static_cast<DWORD>(create.style);
    if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        MEASUREITEMSTRUCT measure{ODT_COMBOBOX,
                                  id_,
                                  static_cast<UINT>(-1),
                                  static_cast<UINT>(create.cx),
                                  static_cast<UINT>(fieldItemHeight_),
                                  0};
        SendMessageA(parent_, WM_MEASUREITEM, id_, reinterpret_cast<LPARAM>(&measure));
        fieldItemHeight_ = std::max(1, static_cast<int>(measure.itemHeight));
    }
    const bool simple = Kind() == CBS_SIMPLE;
    if (simple) {
        list_ = CreateWindowExA(0, "ComboLBox", "",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | ListStyle(style), 0,
                                FieldHeight(), create.cx, std::max(0, create.cy - FieldHeight()),
                                hwnd_, reinterpret_cast<HMENU>(kListId), nullptr, hwnd_);
    } else {
        list_ = CreateWindowExA(WS_EX_TOOLWINDOW, "ComboLBox", "",
                                WS_POPUP | WS_BORDER | ListStyle(style), 0, 0, create.cx,
                                std::max(fieldItemHeight_, create.cy - FieldHeight()), hwnd_,
                                nullptr, nullptr, hwnd_);
        SetWindowPos(hwnd_, nullptr, 0, 0, create.cx, FieldHeight(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (Kind() != CBS_DROPDOWNLIST) {
        const int buttonWidth = simple ? 0 : GetSystemMetrics(SM_CXVSCROLL);
        DWORD editStyle = WS_CHILD | WS_VISIBLE;
        if (style & CBS_AUTOHSCROLL) {
            editStyle |= ES_AUTOHSCROLL;
        }
        edit_ = CreateWindowExA(
            0, "Edit", create.lpszName != nullptr ? create.lpszName : "", editStyle, kEdge + 1,
            kEdge + 1, std::max(0, create.cx - buttonWidth - 2 * kEdge - 2), fieldItemHeight_,
            hwnd_, reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
        if (edit_ != nullptr) {
            editProcedure_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit_, GWLP_WNDPROC));
            SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboEditProcedure));
            SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        }
    }
}

RECT ComboBoxControl::ButtonRect() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (!DropsDown()) {
        return RECT{};
    }
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    return RECT{client.right - kEdge - width, kEdge, client.right - kEdge,
                std::min<LONG>(client.bottom, FieldHeight()) - kEdge};
}

void ComboBoxControl::SetEditText(const std::string& text) {
    if (!HasEdit()) {
        return;
    }
    updatingEdit_ = true;
    SetWindowTextA(edit_, text.c_str());
    updatingEdit_ = false;
}

void ComboBoxControl::ShowSelection(int index) {
    if (HasEdit()) {
        SetEditText(index >= 0 ? ItemText(index) : std::string());
        if (focused_) {
            SendMessageA(edit_, EM_SETSEL, 0, -1);
        }
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void ComboBoxControl::ChooseByUser(int index) {
    const int count = static_cast<int>(List(LB_GETCOUNT));
    if (count == 0) {
        return;
    }
    index = std::clamp(index, 0, count - 1);
    if (index == Selection()) {
        return;
    }
    List(LB_SETCURSEL, static_cast<WPARAM>(index));
    ShowSelection(index);
    reported_ = index;
    Notify(CBN_SELCHANGE);
}

void ComboBoxControl::PlaceDroppedList(UINT flags) {
    RECT combo{};
    GetWindowRect(hwnd_, &combo);
    const int width = std::max<int>(droppedWidth_, combo.right - combo.left);
    const int itemHeight = static_cast<int>(List(LB_GETITEMHEIGHT, 0));
    const int count = static_cast<int>(List(LB_GETCOUNT));
    const int wanted = std::max(1, count) * std::max(itemHeight, 1) + 2;
    const int room = std::max(droppedHeight_ - FieldHeight(), itemHeight + 2);
    SetWindowPos(list_, HWND_TOP, combo.left, combo.bottom, width, std::min(wanted, room),
                 flags | SWP_NOACTIVATE);
}

void ComboBoxControl::FitParts() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (edit_ != nullptr) {
        const int buttonWidth = DropsDown() ? GetSystemMetrics(SM_CXVSCROLL) : 0;
        SetWindowPos(edit_, nullptr, kEdge + 1, kEdge + 1,
                     std::max<int>(0, client.right - buttonWidth - 2 * kEdge - 2), fieldItemHeight_,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (list_ == nullptr) {
        return;
    }
    if (Kind() == CBS_SIMPLE) {
        SetWindowPos(list_, nullptr, 0, FieldHeight(), client.right,
                     std::max<int>(0, client.bottom - FieldHeight()),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (dropped_) {
        PlaceDroppedList(0);
    }
}

void ComboBoxControl::Drop() {
    if (dropped_ || !DropsDown() || list_ == nullptr) {
        return;
    }
    Notify(CBN_DROPDOWN);
    if (HasEdit()) {
        // The list opens on the item the edit part's text begins.
        const std::string text = Text();
        int found = static_cast<int>(List(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(text.c_str())));
        if (found == LB_ERR && !text.empty()) {
            found = static_cast<int>(List(LB_FINDSTRING, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(text.c_str())));
        }
        List(LB_SETCURSEL, static_cast<WPARAM>(found));
        if (found != LB_ERR) {
            ShowSelection(found);
        }
    }
    selectionBeforeDrop_ = Selection();
    reported_ = selectionBeforeDrop_;
    PlaceDroppedList(SWP_SHOWWINDOW);
    if (selectionBeforeDrop_ >= 0) {
        List(LB_SETTOPINDEX, static_cast<WPARAM>(selectionBeforeDrop_));
    }
    SendMessageA(list_, kListSetDropped, TRUE, 0);
    dropped_ = true;
    SetCapture(list_);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void ComboBoxControl::CloseUp(Close how) {
    if (!dropped_) {
        return;
    }
    dropped_ = false;
    SendMessageA(list_, kListSetDropped, FALSE, 0);
    if (GetCapture() == list_) {
        ReleaseCapture();
    }
    ShowWindow(list_, SW_HIDE);
    InvalidateRect(hwnd_, nullptr, FALSE);
    const int chosen = Selection();
    switch (how) {
        case Close::Chosen:
            Notify(CBN_SELENDOK);
            Notify(CBN_CLOSEUP);
            ShowSelection(chosen);
            if (chosen != reported_) {
                Notify(CBN_SELCHANGE);
            }
            break;
        case Close::Cancelled:
            List(LB_SETCURSEL, static_cast<WPARAM>(selectionBeforeDrop_));
            Notify(CBN_SELENDCANCEL);
            Notify(CBN_CLOSEUP);
            // Keys may have reported a choice that the cancel takes back.
            if (selectionBeforeDrop_ != reported_) {
                ShowSelection(selectionBeforeDrop_);
                Notify(CBN_SELCHANGE);
            }
            break;
        case Close::ByProgram:
            Notify(CBN_CLOSEUP);
            break;
    }
}

LRESULT ComboBoxControl::GetText(WPARAM size, char* buffer) const {
    return CopyTextOut(Text(), buffer, static_cast<int>(std::min<WPARAM>(size, INT_MAX)));
}

LRESULT ComboBoxControl::SetText(const char* text) {
    const std::string value = text != nullptr ? text : "";
    if (HasEdit()) {
        SetEditText(value);
        return TRUE;
    }
    if (Kind() != CBS_DROPDOWNLIST) {
        return DefWindowProcA(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
    }
    const int found = static_cast<int>(
        List(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.c_str())));
    if (found == LB_ERR) {
        return CB_ERR;
    }
    List(LB_SETCURSEL, static_cast<WPARAM>(found));
    InvalidateRect(hwnd_, nullptr, FALSE);
    return TRUE;
}

}  // namespace platform
