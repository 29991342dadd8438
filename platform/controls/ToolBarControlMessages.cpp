// The messages of the tool bar, each handed to the member that does the work.
#include <cstring>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ToolBarControl.h"
#include "platform/controls/ToolTip.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

LRESULT ToolBarControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const int index = static_cast<int>(wParam);
    switch (message) {
        case WM_CREATE:
            Create();
            return 0;
        case WM_DESTROY:
            Destroy();
            return 0;
        case WM_SIZE:
            if ((Style() & TBSTYLE_WRAPABLE) != 0) {
                Changed();
            }
            return 0;
        case WM_STYLECHANGED:
            Changed();
            return 0;
        case WM_ERASEBKGND:
            return EraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            Changed();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_MOUSEMOVE:
            Relay(message, wParam, lParam);
            OnMouseMove(point);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Relay(message, wParam, lParam);
            OnButtonDown(point);
            return 0;
        case WM_LBUTTONUP:
            Relay(message, wParam, lParam);
            OnButtonUp(point);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            Relay(message, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            CaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == kLeaveTimer) {
                LeaveTimer();
            }
            return 0;
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            // Controls placed on the bar talk to the bar's owner, as if they were its own.
            return SendMessageA(notify_, message, wParam, lParam);
        case WM_NOTIFY:
            return ChildNotify(reinterpret_cast<const NMHDR*>(lParam));
        case TB_BUTTONSTRUCTSIZE:
            structSize_ = static_cast<size_t>(wParam);
            return 0;
        case TB_ADDBUTTONSA:
            return AddButtons(wParam, reinterpret_cast<const BYTE*>(lParam));
        case TB_INSERTBUTTONA:
            return InsertButton(index, reinterpret_cast<const TBBUTTON*>(lParam));
        case TB_DELETEBUTTON:
            return DeleteButton(index);
        case TB_GETBUTTON:
            return GetButton(index, reinterpret_cast<TBBUTTON*>(lParam));
        case TB_BUTTONCOUNT:
            return Count();
        case TB_COMMANDTOINDEX:
            return IndexOf(index);
        case TB_ADDSTRINGA:
            return AddString(reinterpret_cast<HINSTANCE>(wParam), lParam);
        case TB_GETITEMRECT:
            return GetButtonRect(index, reinterpret_cast<RECT*>(lParam));
        case TB_GETRECT:
            return GetButtonRect(IndexOf(index), reinterpret_cast<RECT*>(lParam));
        case TB_SETBUTTONSIZE:
            return SetSize(buttonSize_, lParam);
        case TB_GETBUTTONSIZE:
            return MeasuredButtonSize();
        case TB_SETBITMAPSIZE:
            return SetSize(bitmapSize_, lParam);
        case TB_AUTOSIZE:
            AutoSize();
            return 0;
        case TB_GETTOOLTIPS:
            return reinterpret_cast<LRESULT>(tooltip_);
        case TB_SETTOOLTIPS:
            SetToolTips(reinterpret_cast<HWND>(wParam));
            return 0;
        case TB_SETPARENT:
            return SetNotifyWindow(reinterpret_cast<HWND>(wParam));
        case TB_GETROWS:
            return rows_;
        case TB_SETCMDID:
            return SetCommandId(index, static_cast<int>(lParam));
        case TB_GETBUTTONTEXTA:
            return GetButtonText(index, reinterpret_cast<char*>(lParam));
        case TB_SETINDENT:
            return SetIndent(index);
        case TB_SETIMAGELIST:
        case TB_SETHOTIMAGELIST:
        case TB_SETDISABLEDIMAGELIST:
            return SetImageList(message, reinterpret_cast<HIMAGELIST>(lParam));
        case TB_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(images_);
        case TB_GETHOTIMAGELIST:
            return reinterpret_cast<LRESULT>(hotImages_);
        case TB_GETDISABLEDIMAGELIST:
            return reinterpret_cast<LRESULT>(disabledImages_);
        case TB_SETSTYLE:
            SetStyle(static_cast<DWORD>(lParam));
            return 0;
        case TB_GETSTYLE:
            return static_cast<LRESULT>(Style());
        case TB_SETEXTENDEDSTYLE:
            return SetExtendedStyle(static_cast<DWORD>(lParam));
        case TB_GETEXTENDEDSTYLE:
            return static_cast<LRESULT>(extendedStyle_);
        case TB_SETMAXTEXTROWS:
            return SetMaxTextRows(index);
        case TB_GETTEXTROWS:
            return maxTextRows_;
        case TB_GETBUTTONINFOA:
            return GetInfo(wParam, reinterpret_cast<TBBUTTONINFOA*>(lParam));
        case TB_SETBUTTONINFOA:
            return SetInfo(wParam, reinterpret_cast<const TBBUTTONINFOA*>(lParam));
        case TB_HITTEST:
            return lParam != 0 ? HitTestResult(*reinterpret_cast<const POINT*>(lParam)) : -1;
        case TB_GETHOTITEM:
            return hot_;
        case TB_SETHOTITEM:
            return SetHotItem(index);
        case TB_GETMAXSIZE:
            return GetMaxSize(reinterpret_cast<SIZE*>(lParam));
        case TB_ENABLEBUTTON:
            return SetStateBit(index, TBSTATE_ENABLED, LOWORD(lParam) != 0);
        case TB_CHECKBUTTON:
            return SetStateBit(index, TBSTATE_CHECKED, LOWORD(lParam) != 0);
        case TB_PRESSBUTTON:
            return SetStateBit(index, TBSTATE_PRESSED, LOWORD(lParam) != 0);
        case TB_HIDEBUTTON:
            return SetStateBit(index, TBSTATE_HIDDEN, LOWORD(lParam) != 0);
        case TB_INDETERMINATE:
            return SetStateBit(index, TBSTATE_INDETERMINATE, LOWORD(lParam) != 0);
        case TB_ISBUTTONENABLED:
        case TB_ISBUTTONCHECKED:
        case TB_ISBUTTONPRESSED:
        case TB_ISBUTTONHIDDEN:
            return HasStateBit(message, index);
        case TB_SETSTATE:
            return SetState(index, static_cast<BYTE>(LOWORD(lParam)));
        case TB_GETSTATE:
            return GetState(index);
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

void ToolBarControl::Create() {
    notify_ = GetParent(hwnd_);
    if ((Style() & TBSTYLE_TOOLTIPS) != 0) {
        tooltip_ = CreateOwnToolTip(hwnd_);
        ownsTooltip_ = tooltip_ != nullptr;
    }
}

void ToolBarControl::Destroy() {
    if (ownsTooltip_ && IsWindow(tooltip_)) {
        DestroyWindow(tooltip_);
    }
    tooltip_ = nullptr;
}

// `count` buttons of the size TB_BUTTONSTRUCTSIZE set.
LRESULT ToolBarControl::AddButtons(WPARAM count, const BYTE* buttons) {
    for (WPARAM i = 0; buttons != nullptr && i < count; ++i) {
        Insert(Count(), reinterpret_cast<const TBBUTTON*>(buttons + i * structSize_));
    }
    Changed();
    return buttons != nullptr;
}

LRESULT ToolBarControl::InsertButton(int index, const TBBUTTON* button) {
    const bool inserted = Insert(index, button);
    Changed();
    return inserted;
}

LRESULT ToolBarControl::DeleteButton(int index) {
    if (!Valid(index)) {
        return FALSE;
    }
    buttons_.erase(buttons_.begin() + index);
    hot_ = hot_ == index ? -1 : hot_ - (hot_ > index ? 1 : 0);
    if (pressed_ == index) {
        pressed_ = -1;
    } else if (pressed_ > index) {
        --pressed_;
    }
    Changed();
    return TRUE;
}

LRESULT ToolBarControl::GetButton(int index, TBBUTTON* button) const {
    if (!Valid(index) || button == nullptr) {
        return FALSE;
    }
    ToStruct(buttons_[static_cast<size_t>(index)], button);
    return TRUE;
}

LRESULT ToolBarControl::AddString(HINSTANCE instance, LPARAM strings) {
    const LRESULT first = AddStrings(instance, strings);
    Changed();
    return first;
}

LRESULT ToolBarControl::GetButtonRect(int index, RECT* rect) const {
    if (!Valid(index) || rect == nullptr || !buttons_[static_cast<size_t>(index)].Visible()) {
        return FALSE;
    }
    *rect = buttons_[static_cast<size_t>(index)].rect;
    return TRUE;
}

// The width in the low word of `lParam`, the height in the high word.
LRESULT ToolBarControl::SetSize(SIZE& size, LPARAM lParam) {
    size = SIZE{LOWORD(lParam), HIWORD(lParam)};
    Changed();
    return TRUE;
}

LRESULT ToolBarControl::MeasuredButtonSize() const {
    const SIZE size = ButtonSize(MeasuringDc(font_).get());
    return MAKELONG(size.cx, size.cy);
}

void ToolBarControl::SetToolTips(HWND tooltip) {
    if (ownsTooltip_ && IsWindow(tooltip_)) {
        DestroyWindow(tooltip_);
    }
    tooltip_ = tooltip;
    ownsTooltip_ = false;
    tools_.clear();
    SyncTools();
}

LRESULT ToolBarControl::SetNotifyWindow(HWND window) {
    HWND previous = notify_;
    notify_ = window;
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT ToolBarControl::SetCommandId(int index, int command) {
    if (!Valid(index)) {
        return FALSE;
    }
    buttons_[static_cast<size_t>(index)].command = command;
    SyncTools();
    return TRUE;
}

// The caller's buffer must hold the text and its terminating zero; the length comes back.
LRESULT ToolBarControl::GetButtonText(int command, char* buffer) const {
    const auto found = IndexOf(command);
    if (found < 0) {
        return -1;
    }
    const std::string& text = buttons_[static_cast<size_t>(found)].text;
    if (buffer != nullptr) {
        std::memcpy(buffer, text.c_str(), text.size() + 1);
    }
    return static_cast<LRESULT>(text.size());
}

LRESULT ToolBarControl::SetIndent(int indent) {
    indent_ = indent;
    Changed();
    return TRUE;
}

// The normal list also sets the size of the images.
LRESULT ToolBarControl::SetImageList(UINT message, HIMAGELIST images) {
    HIMAGELIST& slot = message == TB_SETIMAGELIST      ? images_
                       : message == TB_SETHOTIMAGELIST ? hotImages_
                                                       : disabledImages_;
    HIMAGELIST previous = slot;
    slot = images;
    int cx = 0;
    int cy = 0;
    if (message == TB_SETIMAGELIST && slot != nullptr && ImageList_GetIconSize(slot, &cx, &cy)) {
        bitmapSize_ = SIZE{cx, cy};
    }
    Changed();
    return reinterpret_cast<LRESULT>(previous);
}

void ToolBarControl::SetStyle(DWORD style) {
    SetWindowLongA(hwnd_, GWL_STYLE, static_cast<LONG>(style));
    Changed();
}

LRESULT ToolBarControl::SetExtendedStyle(DWORD style) {
    const DWORD previous = extendedStyle_;
    extendedStyle_ = style;
    Changed();
    return static_cast<LRESULT>(previous);
}

LRESULT ToolBarControl::SetMaxTextRows(int rows) {
    maxTextRows_ = rows;
    Changed();
    return TRUE;
}

LRESULT ToolBarControl::SetHotItem(int index) {
    const int previous = hot_;
    hot_ = Valid(index) && !buttons_[static_cast<size_t>(index)].Separator() ? index : -1;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return previous;
}

LRESULT ToolBarControl::GetMaxSize(SIZE* size) const {
    if (size == nullptr) {
        return FALSE;
    }
    *size = extent_;
    return TRUE;
}

LRESULT ToolBarControl::HasStateBit(UINT message, int command) const {
    const int found = IndexOf(command);
    const BYTE bit = message == TB_ISBUTTONENABLED   ? TBSTATE_ENABLED
                     : message == TB_ISBUTTONCHECKED ? TBSTATE_CHECKED
                     : message == TB_ISBUTTONPRESSED ? TBSTATE_PRESSED
                                                     : TBSTATE_HIDDEN;
    return found >= 0 && (buttons_[static_cast<size_t>(found)].state & bit) != 0;
}

LRESULT ToolBarControl::SetState(int command, BYTE state) {
    Button* button = ByCommand(command);
    if (button == nullptr) {
        return FALSE;
    }
    button->state = state;
    if (!button->Enabled() && hot_ == IndexOf(command)) {
        hot_ = -1;
    }
    Changed();
    return TRUE;
}

LRESULT ToolBarControl::GetState(int command) const {
    const int found = IndexOf(command);
    return found >= 0 ? buttons_[static_cast<size_t>(found)].state : -1;
}

}  // namespace platform
