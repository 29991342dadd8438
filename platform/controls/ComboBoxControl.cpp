#include "platform/controls/ComboBoxControl.h"

#include <algorithm>
#include <cstring>

#include "platform/controls/ComboBox.h"
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
constexpr int kEdge = 2;
constexpr int kTextMargin = 2;

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

int HeightOfFont(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    const bool measured = GetTextMetricsA(dc, &metrics) != FALSE && metrics.tmHeight > 0;
    SelectObject(dc, old);
    DeleteDC(dc);
    return measured ? static_cast<int>(metrics.tmHeight) : 13;
}

void Line(HDC dc, int left, int top, int right, int bottom, int colorIndex) {
    const RECT rect{left, top, right, bottom};
    FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

}  // namespace

ComboBoxControl::ComboBoxControl(HWND hwnd, const CREATESTRUCTA& create)
    : hwnd_(hwnd),
      parent_(create.hwndParent),
      id_(static_cast<UINT>(reinterpret_cast<UINT_PTR>(create.hMenu))),
      droppedHeight_(create.cy) {
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fieldItemHeight_ = HeightOfFont(font_);
    // The scroll bar styles are meant for the list; the field itself never shows a bar.
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    SetWindowLongA(hwnd_, GWL_STYLE, style & ~static_cast<LONG>(WS_VSCROLL | WS_HSCROLL));
}

DWORD ComboBoxControl::Kind() const {
    return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)) & 0x3;
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
    SendMessageA(parent_, WM_COMMAND, MAKEWPARAM(id_, static_cast<WORD>(code)),
                 reinterpret_cast<LPARAM>(hwnd_));
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

bool ComboBoxControl::Key(WPARAM key, bool system) {
    const bool alt = system || (GetKeyState(VK_MENU) & 0x8000) != 0;
    if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
        if (dropped_) {
            CloseUp(Close::Chosen);
        } else {
            Drop();
        }
        return true;
    }
    if (system) {
        return false;
    }
    if (dropped_ && (key == VK_RETURN || key == VK_ESCAPE)) {
        CloseUp(key == VK_RETURN ? Close::Chosen : Close::Cancelled);
        return true;
    }
    const int count = static_cast<int>(List(LB_GETCOUNT));
    const int current = Selection();
    const int itemHeight = std::max(1, static_cast<int>(List(LB_GETITEMHEIGHT, 0)));
    const int page = std::max(1, (droppedHeight_ - FieldHeight()) / itemHeight);
    switch (key) {
        case VK_UP:
            ChooseByUser(current < 0 ? 0 : current - 1);
            return true;
        case VK_DOWN:
            ChooseByUser(current + 1);
            return true;
        case VK_PRIOR:
            ChooseByUser(current - page);
            return true;
        case VK_NEXT:
            ChooseByUser(current < 0 ? page : current + page);
            return true;
        case VK_HOME:
        case VK_END:
            // In the edit part these move the caret.
            if (HasEdit()) {
                return false;
            }
            ChooseByUser(key == VK_HOME ? 0 : count - 1);
            return true;
        default:
            return false;
    }
}

void ComboBoxControl::Char(WPARAM character) {
    const auto typed = static_cast<unsigned char>(character);
    if (HasEdit() || typed <= ' ' || typed >= 0x80) {
        return;
    }
    const char prefix[2] = {static_cast<char>(typed), '\0'};
    const int found = static_cast<int>(
        List(LB_FINDSTRING, static_cast<WPARAM>(Selection()), reinterpret_cast<LPARAM>(prefix)));
    if (found != LB_ERR) {
        ChooseByUser(found);
    }
}

void ComboBoxControl::EditChanged(WORD code) {
    if (updatingEdit_) {
        return;
    }
    if (code == EN_UPDATE) {
        Notify(CBN_EDITUPDATE);
        return;
    }
    if (dropped_) {
        // While the list is open it follows what is typed.
        const std::string text = Text();
        const LRESULT found =
            List(LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
        List(LB_SETCURSEL, static_cast<WPARAM>(found));
    }
    Notify(CBN_EDITCHANGE);
}

LRESULT ComboBoxControl::OpenListDialogCode(LPARAM lParam) const {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (!dropped_ || msg == nullptr || msg->message != WM_KEYDOWN) {
        return 0;
    }
    return msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE ? DLGC_WANTMESSAGE : 0;
}

bool ComboBoxControl::FilterEditMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return Key(wParam, message == WM_SYSKEYDOWN);
        case WM_SETFOCUS:
            if (!focused_) {
                focused_ = true;
                Notify(CBN_SETFOCUS);
            }
            return false;
        case WM_KILLFOCUS: {
            HWND next = reinterpret_cast<HWND>(wParam);
            if (next != hwnd_ && next != list_) {
                CloseUp(Close::Cancelled);
                focused_ = false;
                Notify(CBN_KILLFOCUS);
            }
            return false;
        }
        default:
            return false;
    }
}

LRESULT ComboBoxControl::GetText(WPARAM size, char* buffer) const {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::string text = Text();
    const size_t length = CutAtCharBoundary(text, size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<LRESULT>(length);
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

void ComboBoxControl::DrawField(HDC dc, const RECT& field) {
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    const int selection = Selection();
    const bool highlighted = focused_ && !dropped_;
    if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        UINT state = ODS_COMBOBOXEDIT;
        if (highlighted) {
            state |= ODS_SELECTED | ODS_FOCUS;
        }
        if (!IsWindowEnabled(hwnd_)) {
            state |= ODS_DISABLED;
        }
        const LRESULT data =
            selection >= 0 ? List(LB_GETITEMDATA, static_cast<WPARAM>(selection)) : 0;
        DRAWITEMSTRUCT draw{
            ODT_COMBOBOX, id_,   static_cast<UINT>(selection), ODA_DRAWENTIRE, state, hwnd_,
            dc,           field, static_cast<ULONG_PTR>(data)};
        SendMessageA(parent_, WM_DRAWITEM, id_, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(parent_, WM_CTLCOLORLISTBOX,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(hwnd_)));
    FillRect(dc, &field, brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW));
    const std::string text = Text();
    RECT textRect{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1};
    if (highlighted) {
        FillRect(dc, &textRect, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else if (!IsWindowEnabled(hwnd_)) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    textRect.left += kTextMargin;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, font_);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

void ComboBoxControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        const int bottom = std::min<LONG>(client.bottom, FieldHeight());
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        const int right = client.right;
        // A sunken edge round the field: shadow and dark shadow outside, highlight and light in.
        Line(dc, 0, 0, right, 1, COLOR_BTNSHADOW);
        Line(dc, 0, 0, 1, bottom, COLOR_BTNSHADOW);
        Line(dc, 1, 1, right - 1, 2, COLOR_3DDKSHADOW);
        Line(dc, 1, 1, 2, bottom - 1, COLOR_3DDKSHADOW);
        Line(dc, 0, bottom - 1, right, bottom, COLOR_BTNHIGHLIGHT);
        Line(dc, right - 1, 0, right, bottom, COLOR_BTNHIGHLIGHT);
        Line(dc, 1, bottom - 2, right - 1, bottom - 1, COLOR_3DLIGHT);
        Line(dc, right - 2, 1, right - 1, bottom - 1, COLOR_3DLIGHT);
        const RECT button = ButtonRect();
        const RECT field{kEdge, kEdge, DropsDown() ? button.left : right - kEdge, bottom - kEdge};
        if (HasEdit()) {
            FillRect(dc, &field, GetSysColorBrush(COLOR_WINDOW));
        } else {
            DrawField(dc, field);
        }
        if (DropsDown()) {
            DrawArrowButton(dc, button, ArrowDirection::Down, IsWindowEnabled(hwnd_) != FALSE);
        }
    }
    EndPaint(hwnd_, &paint);
}

LRESULT ComboBoxControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    switch (message) {
        case WM_CREATE:
            Create(*reinterpret_cast<const CREATESTRUCTA*>(lParam));
            return 0;
        case WM_DESTROY:
            if (list_ != nullptr && Kind() != CBS_SIMPLE) {
                DestroyWindow(list_);
            }
            list_ = nullptr;
            return 0;
        case WM_WINDOWPOSCHANGING: {
            // A new height is the dropped height; the window keeps the closed one.
            auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
            if (DropsDown() && position != nullptr && (position->flags & SWP_NOSIZE) == 0) {
                if (position->cy != FieldHeight()) {
                    droppedHeight_ = position->cy;
                }
                position->cy = FieldHeight();
            }
            return 0;
        }
        case WM_SIZE:
            FitParts();
            return 0;
        case CB_ADDSTRING:
            return List(LB_ADDSTRING, 0, lParam);
        case CB_INSERTSTRING:
            return List(LB_INSERTSTRING, wParam, lParam);
        case CB_DELETESTRING: {
            const LRESULT left = List(LB_DELETESTRING, wParam);
            InvalidateRect(hwnd_, nullptr, FALSE);
            return left;
        }
        case CB_RESETCONTENT:
            List(LB_RESETCONTENT);
            SetEditText(std::string());
            InvalidateRect(hwnd_, nullptr, FALSE);
            return CB_OKAY;
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
        case CB_SETCURSEL: {
            const LRESULT result = List(LB_SETCURSEL, wParam);
            if (result != LB_ERR || index == -1) {
                ShowSelection(static_cast<int>(result));
            }
            return result;
        }
        case CB_SELECTSTRING: {
            const LRESULT found = List(LB_SELECTSTRING, wParam, lParam);
            if (found != LB_ERR) {
                ShowSelection(static_cast<int>(found));
            }
            return found;
        }
        case CB_SHOWDROPDOWN:
            if (wParam) {
                Drop();
            } else {
                CloseUp(Close::ByProgram);
            }
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return dropped_ ? TRUE : FALSE;
        case CB_GETDROPPEDCONTROLRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
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
        case CB_SETITEMHEIGHT: {
            const int height = LOWORD(lParam);
            if (height <= 0 || height > 255) {
                return CB_ERR;
            }
            if (index != -1) {
                return List(LB_SETITEMHEIGHT, wParam, lParam);
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
        case CB_GETITEMHEIGHT:
            return index == -1 ? fieldItemHeight_ : List(LB_GETITEMHEIGHT, wParam);
        case CB_SETDROPPEDWIDTH: {
            RECT window{};
            GetWindowRect(hwnd_, &window);
            droppedWidth_ = index;
            return std::max<LRESULT>(index, window.right - window.left);
        }
        case CB_GETDROPPEDWIDTH: {
            RECT window{};
            GetWindowRect(hwnd_, &window);
            return std::max<LRESULT>(droppedWidth_, window.right - window.left);
        }
        case CB_LIMITTEXT:
            if (!HasEdit()) {
                return CB_ERR;
            }
            SendMessageA(edit_, EM_LIMITTEXT, wParam, 0);
            return TRUE;
        case CB_SETEDITSEL:
            if (!HasEdit()) {
                return CB_ERR;
            }
            SendMessageA(edit_, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))),
                         static_cast<short>(HIWORD(lParam)));
            return TRUE;
        case CB_GETEDITSEL:
            if (!HasEdit()) {
                return CB_ERR;
            }
            return SendMessageA(edit_, EM_GETSEL, wParam, lParam);
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
            if (!HasEdit() && Kind() != CBS_DROPDOWNLIST) {
                return DefWindowProcA(hwnd_, message, wParam, lParam);
            }
            return GetText(wParam, reinterpret_cast<char*>(lParam));
        case WM_GETTEXTLENGTH:
            if (!HasEdit() && Kind() != CBS_DROPDOWNLIST) {
                return DefWindowProcA(hwnd_, message, wParam, lParam);
            }
            return static_cast<LRESULT>(Text().size());
        case WM_SETFONT:
            font_ = wParam != 0 ? reinterpret_cast<HFONT>(wParam)
                                : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
            if (HasEdit()) {
                SendMessageA(edit_, WM_SETFONT, wParam, lParam);
            }
            List(WM_SETFONT, wParam, lParam);
            if (LOWORD(lParam)) {
                InvalidateRect(hwnd_, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_COMMAND: {
            HWND from = reinterpret_cast<HWND>(lParam);
            const WORD code = HIWORD(wParam);
            if (from == edit_ && from != nullptr) {
                if (code == EN_CHANGE || code == EN_UPDATE) {
                    EditChanged(code);
                }
            } else if (from == list_ && from != nullptr) {
                if (code == kComboListChosen) {
                    CloseUp(Close::Chosen);
                } else if (code == kComboListCancelled) {
                    CloseUp(Close::Cancelled);
                } else if (code == LBN_SELCHANGE && !dropped_) {
                    ShowSelection(Selection());
                    Notify(CBN_SELCHANGE);
                } else if (code == LBN_DBLCLK && Kind() == CBS_SIMPLE) {
                    Notify(CBN_DBLCLK);
                }
            }
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const RECT button = ButtonRect();
            const bool onButton = point.x >= button.left && point.x < button.right;
            if (HasEdit()) {
                SetFocus(edit_);
            } else if (GetFocus() != hwnd_) {
                SetFocus(hwnd_);
            }
            if (Kind() == CBS_DROPDOWNLIST || (Kind() == CBS_DROPDOWN && onButton)) {
                if (dropped_) {
                    CloseUp(Close::Cancelled);
                } else {
                    Drop();
                }
            }
            return 0;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (!Key(wParam, message == WM_SYSKEYDOWN) && message == WM_SYSKEYDOWN) {
                return DefWindowProcA(hwnd_, message, wParam, lParam);
            }
            return 0;
        case WM_CHAR:
            Char(wParam);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS | OpenListDialogCode(lParam);
        case WM_SETFOCUS:
            // Focus given to the box as a whole (by Tab or by program) selects the edit's text;
            // a click straight into the edit part keeps the caret where it lands.
            if (HasEdit()) {
                SetFocus(edit_);
                SendMessageA(edit_, EM_SETSEL, 0, -1);
                return 0;
            }
            if (!focused_) {
                focused_ = true;
                Notify(CBN_SETFOCUS);
            }
            InvalidateRect(hwnd_, nullptr, FALSE);
            return 0;
        case WM_KILLFOCUS: {
            HWND next = reinterpret_cast<HWND>(wParam);
            if (HasEdit() && next == edit_) {
                return 0;
            }
            if (next != list_) {
                CloseUp(Close::Cancelled);
                if (focused_) {
                    focused_ = false;
                    Notify(CBN_KILLFOCUS);
                }
                InvalidateRect(hwnd_, nullptr, FALSE);
            }
            return 0;
        }
        case WM_ENABLE:
            if (HasEdit()) {
                EnableWindow(edit_, wParam != 0);
            }
            InvalidateRect(hwnd_, nullptr, FALSE);
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

}  // namespace platform
