// Keyboard, mouse and focus of the combo box and of its edit part.
#include "platform/controls/ComboBox.h"
#include "platform/controls/ComboBoxControl.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListBoxControl.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

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
            FocusNotice(true);
            return false;
        case WM_KILLFOCUS: {
            HWND next = reinterpret_cast<HWND>(wParam);
            if (next != hwnd_ && next != list_) {
                CloseUp(Close::Cancelled);
                FocusNotice(false);
            }
            return false;
        }
        default:
            return false;
    }
}

void ComboBoxControl::ButtonDown(POINT point) {
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
}

// Focus given to the box as a whole (by Tab or by program) selects the edit's text; a click
// straight into the edit part keeps the caret where it lands.
void ComboBoxControl::FocusGained() {
    if (HasEdit()) {
        SetFocus(edit_);
        SendMessageA(edit_, EM_SETSEL, 0, -1);
        return;
    }
    FocusNotice(true);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void ComboBoxControl::FocusLost(HWND next) {
    if (HasEdit() && next == edit_) {
        return;
    }
    if (next != list_) {
        CloseUp(Close::Cancelled);
        FocusNotice(false);
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

// What the edit part and the list report.
void ComboBoxControl::PartCommand(HWND from, WORD code) {
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
}

}  // namespace platform
