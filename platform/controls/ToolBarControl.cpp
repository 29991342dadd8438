#include "platform/controls/ToolBarControl.h"

#include <algorithm>
#include <cstring>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ToolTip.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/Rect.h"
#include "platform/resources/ResourceApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

constexpr int kSeparatorWidth = 8;

}  // namespace

int ToolBarControl::IndexOf(int command) const {
    for (int i = 0; i < Count(); ++i) {
        if (!buttons_[static_cast<size_t>(i)].Separator() &&
            buttons_[static_cast<size_t>(i)].command == command) {
            return i;
        }
    }
    return -1;
}

bool ToolBarControl::OnDropDownPart(const Button& button, POINT point) const {
    if ((button.style & BTNS_WHOLEDROPDOWN) != 0) {
        return true;
    }
    if ((button.style & BTNS_DROPDOWN) == 0) {
        return false;
    }
    return (extendedStyle_ & TBSTYLE_EX_DRAWDDARROWS) == 0 ||
           point.x >= button.rect.right - kArrowWidth;
}

SIZE ToolBarControl::ButtonSize(HDC dc) const {
    SIZE size{bitmapSize_.cx + kButtonPadding.cx, bitmapSize_.cy + kButtonPadding.cy};
    int widest = 0;
    for (const Button& button : buttons_) {
        if (!button.Separator() && ShowsText(button)) {
            widest = std::max(widest, TextWidth(dc, button.text));
        }
    }
    if (ShowsText() && widest > 0) {
        const int lineHeight = LineHeight(dc);
        if ((Style() & TBSTYLE_LIST) != 0) {
            size.cx += kTextGap + widest;
            size.cy = std::max<LONG>(size.cy, lineHeight + kButtonPadding.cy);
        } else {
            size.cx = std::max<LONG>(size.cx, widest + kButtonPadding.cx);
            size.cy += lineHeight;
        }
    }
    if (buttonSize_.cx > 0) {
        size.cx = buttonSize_.cx;
    }
    if (buttonSize_.cy > 0) {
        size.cy = buttonSize_.cy;
    }
    return size;
}

void ToolBarControl::Layout() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const MeasuringDc measuring(font_);
    HDC dc = measuring.get();
    const SIZE size = ButtonSize(dc);
    const bool wrapable = (Style() & TBSTYLE_WRAPABLE) != 0;
    const bool list = (Style() & TBSTYLE_LIST) != 0;
    int x = indent_;
    int y = 0;
    rows_ = 1;
    extent_ = SIZE{0, 0};
    for (Button& button : buttons_) {
        if (!button.Visible()) {
            button.rect = RECT{};
            continue;
        }
        int width = button.width;
        if (width == 0 && button.Separator()) {
            width = button.image > 0 ? button.image : kSeparatorWidth;
        } else if (width == 0 && (button.style & BTNS_AUTOSIZE) != 0) {
            const int text = ShowsText(button) ? TextWidth(dc, button.text) : 0;
            width = list ? bitmapSize_.cx + (text > 0 ? kTextGap + text : 0)
                         : std::max<int>(bitmapSize_.cx, text);
            width += kButtonPadding.cx;
        } else if (width == 0) {
            width = size.cx;
        }
        if (!button.Separator() && button.width == 0 && HasArrow(button)) {
            width += kArrowWidth;
        }
        if (wrapable && x > indent_ && x + width > client.right) {
            x = indent_;
            y += size.cy;
            ++rows_;
        }
        button.rect = RECT{x, y, x + width, y + size.cy};
        extent_.cx = std::max<LONG>(extent_.cx, button.rect.right);
        extent_.cy = std::max<LONG>(extent_.cy, button.rect.bottom);
        x += width;
        if ((button.state & TBSTATE_WRAP) != 0) {
            x = indent_;
            y += size.cy;
            ++rows_;
        }
    }
    SyncTools();
}

void ToolBarControl::SyncTools() {
    if (tooltip_ == nullptr) {
        return;
    }
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = hwnd_;
    for (int command : tools_) {
        tool.uId = static_cast<UINT_PTR>(command);
        SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    tools_.clear();
    for (const Button& button : buttons_) {
        if (button.Separator() || !button.Visible()) {
            continue;
        }
        tool.uId = static_cast<UINT_PTR>(button.command);
        tool.rect = button.rect;
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        tools_.push_back(button.command);
    }
}

void ToolBarControl::Changed() {
    Layout();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

int ToolBarControl::HitTest(POINT point) const {
    for (int i = 0; i < Count(); ++i) {
        const Button& button = buttons_[static_cast<size_t>(i)];
        if (button.Visible() && CRect(button.rect).PtInRect(point)) {
            return i;
        }
    }
    return -1;
}

LRESULT ToolBarControl::HitTestResult(POINT point) const {
    const int index = HitTest(point);
    if (index < 0) {
        // Off every button: the bitwise complement of the count, which no item index can take.
        return -1 - Count();
    }
    return buttons_[static_cast<size_t>(index)].Separator() ? -index : index;
}

ToolBarControl::Button ToolBarControl::FromStruct(const TBBUTTON& source) const {
    Button button;
    button.image = source.iBitmap;
    button.command = source.idCommand;
    button.state = source.fsState;
    button.style = source.fsStyle;
    button.data = source.dwData;
    button.string = source.iString;
    // iString is the index of a string added with TB_ADDSTRING, or a text of the caller's.
    if (source.iString < 0) {
        button.text.clear();
    } else if (source.iString < static_cast<INT_PTR>(strings_.size())) {
        button.text = strings_[static_cast<size_t>(source.iString)];
    } else if (!IS_INTRESOURCE(source.iString)) {
        button.text = reinterpret_cast<const char*>(source.iString);
    }
    return button;
}

void ToolBarControl::ToStruct(const Button& button, TBBUTTON* target) const {
    TBBUTTON full{};
    full.iBitmap = button.image;
    full.idCommand = button.command;
    full.fsState = button.state;
    full.fsStyle = button.style;
    full.dwData = button.data;
    full.iString = button.string;
    std::memcpy(target, &full, std::min(structSize_, sizeof(TBBUTTON)));
}

bool ToolBarControl::Insert(int index, const TBBUTTON* source) {
    if (source == nullptr) {
        return false;
    }
    TBBUTTON full{};
    std::memcpy(&full, source, std::min(structSize_, sizeof(TBBUTTON)));
    index = index < 0 || index > Count() ? Count() : index;
    buttons_.insert(buttons_.begin() + index, FromStruct(full));
    hot_ += hot_ >= index ? 1 : 0;
    return true;
}

LRESULT ToolBarControl::AddStrings(HINSTANCE instance, LPARAM strings) {
    const int first = static_cast<int>(strings_.size());
    if (instance != nullptr) {
        char buffer[1024] = {};
        if (LoadStringA(instance, static_cast<UINT>(strings), buffer, sizeof(buffer)) <= 0) {
            return -1;
        }
        strings_.emplace_back(buffer);
        return first;
    }
    const char* text = reinterpret_cast<const char*>(strings);
    if (text == nullptr) {
        return -1;
    }
    // A list of texts, each ended by a null, the list by a second null.
    do {
        strings_.emplace_back(text);
        text += std::strlen(text) + 1;
    } while (*text != '\0');
    return first;
}

LRESULT ToolBarControl::GetInfo(WPARAM which, TBBUTTONINFOA* info) const {
    if (info == nullptr || info->cbSize < sizeof(TBBUTTONINFOA)) {
        return -1;
    }
    const int index = (info->dwMask & TBIF_BYINDEX) != 0 ? static_cast<int>(which)
                                                         : IndexOf(static_cast<int>(which));
    if (!Valid(index)) {
        return -1;
    }
    const Button& button = buttons_[static_cast<size_t>(index)];
    if ((info->dwMask & TBIF_COMMAND) != 0) {
        info->idCommand = button.command;
    }
    if ((info->dwMask & TBIF_IMAGE) != 0) {
        info->iImage = button.image;
    }
    if ((info->dwMask & TBIF_STATE) != 0) {
        info->fsState = button.state;
    }
    if ((info->dwMask & TBIF_STYLE) != 0) {
        info->fsStyle = button.style;
    }
    if ((info->dwMask & TBIF_LPARAM) != 0) {
        info->lParam = button.data;
    }
    if ((info->dwMask & TBIF_SIZE) != 0) {
        info->cx = static_cast<WORD>(button.rect.right - button.rect.left);
    }
    if ((info->dwMask & TBIF_TEXT) != 0 && info->pszText != nullptr && info->cchText > 0) {
        CopyTextOut(button.text, info->pszText, info->cchText);
    }
    return index;
}

LRESULT ToolBarControl::SetInfo(WPARAM which, const TBBUTTONINFOA* info) {
    if (info == nullptr || info->cbSize < sizeof(TBBUTTONINFOA)) {
        return FALSE;
    }
    const int index = (info->dwMask & TBIF_BYINDEX) != 0 ? static_cast<int>(which)
                                                         : IndexOf(static_cast<int>(which));
    if (!Valid(index)) {
        return FALSE;
    }
    Button& button = buttons_[static_cast<size_t>(index)];
    if ((info->dwMask & TBIF_COMMAND) != 0) {
        button.command = info->idCommand;
    }
    if ((info->dwMask & TBIF_IMAGE) != 0) {
        button.image = info->iImage;
    }
    if ((info->dwMask & TBIF_STATE) != 0) {
        button.state = info->fsState;
    }
    if ((info->dwMask & TBIF_STYLE) != 0) {
        button.style = info->fsStyle;
    }
    if ((info->dwMask & TBIF_LPARAM) != 0) {
        button.data = info->lParam;
    }
    if ((info->dwMask & TBIF_SIZE) != 0) {
        button.width = info->cx;
    }
    if ((info->dwMask & TBIF_TEXT) != 0) {
        button.text = info->pszText != nullptr ? info->pszText : "";
    }
    Changed();
    return TRUE;
}

LRESULT ToolBarControl::SetStateBit(int command, BYTE bit, bool on) {
    Button* button = ByCommand(command);
    if (button == nullptr) {
        return FALSE;
    }
    const BYTE before = button->state;
    button->state = on ? button->state | bit : button->state & ~bit;
    if (before == button->state) {
        return TRUE;
    }
    if (bit == TBSTATE_ENABLED && !on && hot_ == IndexOf(command)) {
        hot_ = -1;
    }
    if (bit == TBSTATE_CHECKED && on && (button->style & BTNS_GROUP) != 0) {
        Check(IndexOf(command));
    }
    if (bit == TBSTATE_HIDDEN || bit == TBSTATE_WRAP) {
        Changed();
    } else {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    return TRUE;
}

// Checks a group button and clears the other buttons of its group: the neighbouring buttons that
// are group buttons too.
void ToolBarControl::Check(int index) {
    buttons_[static_cast<size_t>(index)].state |= TBSTATE_CHECKED;
    if ((buttons_[static_cast<size_t>(index)].style & BTNS_GROUP) == 0) {
        return;
    }
    auto clear = [this, index](int step) {
        for (int i = index + step; Valid(i); i += step) {
            Button& other = buttons_[static_cast<size_t>(i)];
            if (other.Separator() || (other.style & BTNS_CHECKGROUP) != BTNS_CHECKGROUP) {
                break;
            }
            other.state &= ~TBSTATE_CHECKED;
        }
    };
    clear(-1);
    clear(1);
}

void ToolBarControl::AutoSize() {
    const DWORD style = Style();
    if ((style & CCS_NORESIZE) != 0) {
        return;
    }
    Layout();
    HWND parent = GetParent(hwnd_);
    RECT area{};
    GetClientRect(parent, &area);
    RECT window{};
    GetWindowRect(hwnd_, &window);
    POINT origin{window.left, window.top};
    ScreenToClient(parent, &origin);
    const int height = std::max<int>(extent_.cy, 1);
    int y = origin.y;
    if ((style & CCS_NOPARENTALIGN) == 0) {
        y = (style & CCS_BOTTOM) == CCS_BOTTOM ? area.bottom - height : 0;
    }
    const int x = (style & CCS_NOPARENTALIGN) == 0 ? 0 : origin.x;
    SetWindowPos(hwnd_, nullptr, x, y, area.right - x, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform
