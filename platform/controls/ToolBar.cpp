#include "platform/controls/ToolBar.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/ControlWindow.h"
#include "platform/controls/ToolTip.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/Rect.h"
#include "platform/resources/ResourceApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {
namespace {

constexpr SIZE kDefaultBitmap{16, 15};
// A button is its image plus a 4-pixel border left and right and 3 and 4 pixels above and below.
constexpr SIZE kButtonPadding{8, 7};
constexpr int kSeparatorWidth = 8;
constexpr int kArrowWidth = 14;
constexpr int kTextGap = 4;
constexpr UINT_PTR kLeaveTimer = 1;
constexpr UINT kLeavePeriod = 100;

struct Button {
    int image = 0;
    int command = 0;
    BYTE state = 0;
    BYTE style = 0;
    DWORD_PTR data = 0;
    INT_PTR string = -1;
    std::string text;
    int width = 0;  // set with TBIF_SIZE; 0 lets the bar decide
    RECT rect{};

    bool Separator() const { return (style & BTNS_SEP) != 0; }
    bool Visible() const { return (state & TBSTATE_HIDDEN) == 0; }
    bool Enabled() const { return (state & TBSTATE_ENABLED) != 0; }
};

class ToolBar {
public:
    explicit ToolBar(HWND hwnd) : hwnd_(hwnd) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)); }
    int Count() const { return static_cast<int>(buttons_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    int IndexOf(int command) const;
    Button* ByCommand(int command) {
        const int index = IndexOf(command);
        return index >= 0 ? &buttons_[static_cast<size_t>(index)] : nullptr;
    }
    HFONT Font() const {
        return font_ != nullptr ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    bool ShowsText() const { return maxTextRows_ > 0; }
    // Mixed list bars show texts only on the buttons that ask for it.
    bool ShowsText(const Button& button) const {
        return ShowsText() &&
               ((extendedStyle_ & TBSTYLE_EX_MIXEDBUTTONS) == 0 || (Style() & TBSTYLE_LIST) == 0 ||
                (button.style & BTNS_SHOWTEXT) != 0);
    }
    bool HasArrow(const Button& button) const {
        return (button.style & BTNS_WHOLEDROPDOWN) != 0 ||
               ((button.style & BTNS_DROPDOWN) != 0 &&
                (extendedStyle_ & TBSTYLE_EX_DRAWDDARROWS) != 0);
    }
    bool OnDropDownPart(const Button& button, POINT point) const;

    SIZE ButtonSize(HDC dc) const;
    int TextWidth(HDC dc, const std::string& text) const;
    void Layout();
    void SyncTools();
    void Changed();
    int HitTest(POINT point) const;
    LRESULT HitTestResult(POINT point) const;

    bool Insert(int index, const TBBUTTON* source);
    Button FromStruct(const TBBUTTON& source) const;
    void ToStruct(const Button& button, TBBUTTON* target) const;
    LRESULT AddStrings(HINSTANCE instance, LPARAM strings);
    LRESULT GetInfo(WPARAM which, TBBUTTONINFOA* info) const;
    LRESULT SetInfo(WPARAM which, const TBBUTTONINFOA* info);
    LRESULT SetStateBit(int command, BYTE bit, bool on);
    void Check(int index);

    void SetHot(int index, DWORD reason);
    void OnMouseMove(POINT point);
    void OnButtonDown(POINT point);
    void OnButtonUp(POINT point);
    void Click(int index);
    LRESULT Notify(NMHDR& header) const;
    void DropDown(int index);
    void Relay(UINT message, WPARAM wParam, LPARAM lParam);
    void AutoSize();

    void Paint();
    void PaintButton(HDC dc, const Button& button, int index) const;
    void PaintBackground(HDC dc);

    HWND hwnd_;
    HWND notify_ = nullptr;
    std::vector<Button> buttons_;
    std::vector<std::string> strings_;
    size_t structSize_ = sizeof(TBBUTTON);
    SIZE bitmapSize_ = kDefaultBitmap;
    SIZE buttonSize_{0, 0};  // as set; zero parts follow the images and texts
    int indent_ = 0;
    int maxTextRows_ = 1;
    int rows_ = 1;
    SIZE extent_{0, 0};
    DWORD extendedStyle_ = 0;
    HIMAGELIST images_ = nullptr;
    HIMAGELIST hotImages_ = nullptr;
    HIMAGELIST disabledImages_ = nullptr;
    HFONT font_ = nullptr;
    HWND tooltip_ = nullptr;
    bool ownsTooltip_ = false;
    std::vector<int> tools_;  // command ids that have a tool
    int hot_ = -1;
    int pressed_ = -1;
};

int ToolBar::IndexOf(int command) const {
    for (int i = 0; i < Count(); ++i) {
        if (!buttons_[static_cast<size_t>(i)].Separator() &&
            buttons_[static_cast<size_t>(i)].command == command) {
            return i;
        }
    }
    return -1;
}

bool ToolBar::OnDropDownPart(const Button& button, POINT point) const {
    if ((button.style & BTNS_WHOLEDROPDOWN) != 0) {
        return true;
    }
    if ((button.style & BTNS_DROPDOWN) == 0) {
        return false;
    }
    return (extendedStyle_ & TBSTYLE_EX_DRAWDDARROWS) == 0 ||
           point.x >= button.rect.right - kArrowWidth;
}

int ToolBar::TextWidth(HDC dc, const std::string& text) const {
    SIZE size{0, 0};
    if (!text.empty()) {
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    return size.cx;
}

SIZE ToolBar::ButtonSize(HDC dc) const {
    SIZE size{bitmapSize_.cx + kButtonPadding.cx, bitmapSize_.cy + kButtonPadding.cy};
    int widest = 0;
    for (const Button& button : buttons_) {
        if (!button.Separator() && ShowsText(button)) {
            widest = std::max(widest, TextWidth(dc, button.text));
        }
    }
    if (ShowsText() && widest > 0) {
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        if ((Style() & TBSTYLE_LIST) != 0) {
            size.cx += kTextGap + widest;
            size.cy = std::max<LONG>(size.cy, metrics.tmHeight + kButtonPadding.cy);
        } else {
            size.cx = std::max<LONG>(size.cx, widest + kButtonPadding.cx);
            size.cy += metrics.tmHeight;
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

void ToolBar::Layout() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, Font());
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
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    SyncTools();
}

void ToolBar::SyncTools() {
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

void ToolBar::Changed() {
    Layout();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

int ToolBar::HitTest(POINT point) const {
    for (int i = 0; i < Count(); ++i) {
        const Button& button = buttons_[static_cast<size_t>(i)];
        if (button.Visible() && CRect(button.rect).PtInRect(point)) {
            return i;
        }
    }
    return -1;
}

LRESULT ToolBar::HitTestResult(POINT point) const {
    const int index = HitTest(point);
    if (index < 0) {
        // Off every button: the bitwise complement of the count, which no item index can take.
        return -1 - Count();
    }
    return buttons_[static_cast<size_t>(index)].Separator() ? -index : index;
}

Button ToolBar::FromStruct(const TBBUTTON& source) const {
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

void ToolBar::ToStruct(const Button& button, TBBUTTON* target) const {
    TBBUTTON full{};
    full.iBitmap = button.image;
    full.idCommand = button.command;
    full.fsState = button.state;
    full.fsStyle = button.style;
    full.dwData = button.data;
    full.iString = button.string;
    std::memcpy(target, &full, std::min(structSize_, sizeof(TBBUTTON)));
}

bool ToolBar::Insert(int index, const TBBUTTON* source) {
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

LRESULT ToolBar::AddStrings(HINSTANCE instance, LPARAM strings) {
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

LRESULT ToolBar::GetInfo(WPARAM which, TBBUTTONINFOA* info) const {
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
        const size_t length =
            CutAtCharBoundary(button.text, static_cast<size_t>(info->cchText - 1));
        std::copy_n(button.text.data(), length, info->pszText);
        info->pszText[length] = '\0';
    }
    return index;
}

LRESULT ToolBar::SetInfo(WPARAM which, const TBBUTTONINFOA* info) {
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

LRESULT ToolBar::SetStateBit(int command, BYTE bit, bool on) {
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
void ToolBar::Check(int index) {
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

LRESULT ToolBar::Notify(NMHDR& header) const {
    header.hwndFrom = hwnd_;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
    return SendMessageA(notify_, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void ToolBar::SetHot(int index, DWORD reason) {
    if (index == hot_) {
        return;
    }
    NMTBHOTITEM note{};
    note.hdr.code = TBN_HOTITEMCHANGE;
    note.idOld = Valid(hot_) ? buttons_[static_cast<size_t>(hot_)].command : 0;
    note.idNew = Valid(index) ? buttons_[static_cast<size_t>(index)].command : 0;
    note.dwFlags = reason | (hot_ < 0 ? HICF_ENTERING : 0) | (index < 0 ? HICF_LEAVING : 0);
    if (Notify(note.hdr) != 0) {
        return;
    }
    hot_ = index;
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (hot_ >= 0) {
        SetTimer(hwnd_, kLeaveTimer, kLeavePeriod, nullptr);
    } else {
        KillTimer(hwnd_, kLeaveTimer);
    }
}

void ToolBar::OnMouseMove(POINT point) {
    const int index = HitTest(point);
    if (pressed_ >= 0) {
        Button& button = buttons_[static_cast<size_t>(pressed_)];
        const bool inside = index == pressed_;
        const BYTE state =
            inside ? button.state | TBSTATE_PRESSED : button.state & ~TBSTATE_PRESSED;
        if (state != button.state) {
            button.state = state;
            InvalidateRect(hwnd_, &button.rect, TRUE);
        }
        return;
    }
    if ((Style() & TBSTYLE_FLAT) == 0) {
        return;
    }
    const bool usable = index >= 0 && !buttons_[static_cast<size_t>(index)].Separator() &&
                        buttons_[static_cast<size_t>(index)].Enabled();
    SetHot(usable ? index : -1, HICF_MOUSE);
}

void ToolBar::DropDown(int index) {
    Button& button = buttons_[static_cast<size_t>(index)];
    button.state |= TBSTATE_PRESSED;
    InvalidateRect(hwnd_, &button.rect, TRUE);
    NMTOOLBARA note{};
    note.hdr.code = TBN_DROPDOWN;
    note.iItem = button.command;
    ToStruct(button, &note.tbButton);
    note.rcButton = button.rect;
    const LRESULT answer = Notify(note.hdr);
    // The owner may have deleted buttons while its menu was up.
    if (!Valid(index) || buttons_[static_cast<size_t>(index)].command != note.iItem) {
        return;
    }
    if (answer == TBDDRET_TREATPRESSED) {
        pressed_ = index;
        SetCapture(hwnd_);
        return;
    }
    buttons_[static_cast<size_t>(index)].state &= ~TBSTATE_PRESSED;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ToolBar::OnButtonDown(POINT point) {
    const int index = HitTest(point);
    if (index < 0) {
        return;
    }
    Button& button = buttons_[static_cast<size_t>(index)];
    if (button.Separator() || !button.Enabled()) {
        return;
    }
    if (OnDropDownPart(button, point)) {
        DropDown(index);
        return;
    }
    pressed_ = index;
    button.state |= TBSTATE_PRESSED;
    InvalidateRect(hwnd_, &button.rect, TRUE);
    SetCapture(hwnd_);
}

void ToolBar::OnButtonUp(POINT point) {
    if (pressed_ < 0) {
        return;
    }
    const int index = pressed_;
    pressed_ = -1;
    Button& button = buttons_[static_cast<size_t>(index)];
    const bool wasPressed = (button.state & TBSTATE_PRESSED) != 0;
    button.state &= ~TBSTATE_PRESSED;
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
    if (wasPressed && HitTest(point) == index) {
        Click(index);
    }
}

void ToolBar::Click(int index) {
    Button& button = buttons_[static_cast<size_t>(index)];
    if ((button.style & BTNS_CHECK) != 0) {
        if ((button.style & BTNS_GROUP) != 0) {
            Check(index);
        } else {
            button.state ^= TBSTATE_CHECKED;
        }
    }
    SendMessageA(notify_, WM_COMMAND, MAKEWPARAM(button.command, 0),
                 reinterpret_cast<LPARAM>(hwnd_));
}

void ToolBar::Relay(UINT message, WPARAM wParam, LPARAM lParam) {
    if (tooltip_ != nullptr) {
        MSG relayed{hwnd_, message, wParam, lParam, 0, {}};
        SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
}

void ToolBar::AutoSize() {
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

void ToolBar::PaintBackground(HDC dc) {
    if ((Style() & TBSTYLE_TRANSPARENT) == 0) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    // A transparent bar shows its parent's background: the parent erases under it.
    HWND parent = GetParent(hwnd_);
    POINT origin{0, 0};
    MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT previous{};
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void ToolBar::PaintButton(HDC dc, const Button& button, int index) const {
    const RECT& rect = button.rect;
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    auto edge = [&](const RECT& box, bool sunken) {
        HBRUSH topLeft = sunken ? shadow : light;
        HBRUSH bottomRight = sunken ? light : shadow;
        RECT line{box.left, box.top, box.right, box.top + 1};
        FillRect(dc, &line, topLeft);
        line = RECT{box.left, box.top, box.left + 1, box.bottom};
        FillRect(dc, &line, topLeft);
        line = RECT{box.right - 1, box.top, box.right, box.bottom};
        FillRect(dc, &line, bottomRight);
        line = RECT{box.left, box.bottom - 1, box.right, box.bottom};
        FillRect(dc, &line, bottomRight);
    };
    const bool flat = (Style() & TBSTYLE_FLAT) != 0;
    if (button.Separator()) {
        if (flat && button.width == 0) {
            const int middle = (rect.left + rect.right) / 2;
            RECT line{middle - 1, rect.top + 2, middle, rect.bottom - 2};
            FillRect(dc, &line, shadow);
            line = RECT{middle, rect.top + 2, middle + 1, rect.bottom - 2};
            FillRect(dc, &line, light);
        }
        return;
    }
    const bool pressed = (button.state & (TBSTATE_PRESSED | TBSTATE_CHECKED)) != 0;
    const bool hot = index == hot_;
    const bool enabled = button.Enabled();
    const bool arrow = HasArrow(button) && (button.style & BTNS_WHOLEDROPDOWN) == 0;
    RECT face = rect;
    if (arrow) {
        face.right -= kArrowWidth;
    }
    if (pressed || !flat || hot) {
        edge(face, pressed);
        if (arrow) {
            edge(RECT{face.right, rect.top, rect.right, rect.bottom}, false);
        }
    }
    const int shift = pressed ? 1 : 0;
    const bool list = (Style() & TBSTYLE_LIST) != 0;
    const bool text = ShowsText(button) && !button.text.empty();
    HIMAGELIST images = images_;
    if (!enabled && disabledImages_ != nullptr) {
        images = disabledImages_;
    } else if (hot && hotImages_ != nullptr) {
        images = hotImages_;
    }
    const int wholeArrow = (button.style & BTNS_WHOLEDROPDOWN) != 0 ? kArrowWidth : 0;
    int imageLeft = list ? face.left + kButtonPadding.cx / 2
                         : face.left + (face.right - face.left - wholeArrow - bitmapSize_.cx) / 2;
    int imageTop = list || !text ? face.top + (face.bottom - face.top - bitmapSize_.cy) / 2
                                 : face.top + kButtonPadding.cy / 2;
    if (images != nullptr && button.image >= 0) {
        ImageList_Draw(images, button.image, dc, imageLeft + shift, imageTop + shift,
                       ILD_TRANSPARENT);
    }
    if (text) {
        RECT area =
            list ? RECT{imageLeft + bitmapSize_.cx + kTextGap, face.top, face.right, face.bottom}
                 : RECT{face.left, imageTop + bitmapSize_.cy, face.right - wholeArrow, face.bottom};
        area.left += shift;
        area.right += shift;
        area.top += shift;
        area.bottom += shift;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        DrawTextA(dc, button.text.c_str(), static_cast<int>(button.text.size()), &area,
                  (list ? DT_LEFT : DT_CENTER) | DT_VCENTER | DT_SINGLELINE |
                      ((button.style & BTNS_NOPREFIX) != 0 ? DT_NOPREFIX : 0));
    }
    if (HasArrow(button)) {
        HBRUSH ink = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
        const int centre = rect.right - kArrowWidth / 2;
        const int top = (rect.top + rect.bottom) / 2 - 1;
        for (int row = 0; row < 3; ++row) {
            RECT line{centre - 3 + row, top + row, centre + 2 - row, top + row + 1};
            FillRect(dc, &line, ink);
        }
    }
}

void ToolBar::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        if (paint.fErase) {
            PaintBackground(dc);
        }
        HGDIOBJ oldFont = SelectObject(dc, Font());
        for (int i = 0; i < Count(); ++i) {
            if (buttons_[static_cast<size_t>(i)].Visible()) {
                PaintButton(dc, buttons_[static_cast<size_t>(i)], i);
            }
        }
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd_, &paint);
}

LRESULT ToolBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_CREATE:
            notify_ = GetParent(hwnd_);
            if ((Style() & TBSTYLE_TOOLTIPS) != 0) {
                RegisterToolTipClass();
                tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                           WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, hwnd_, nullptr,
                                           nullptr, nullptr);
                ownsTooltip_ = tooltip_ != nullptr;
            }
            return 0;
        case WM_DESTROY:
            if (ownsTooltip_ && IsWindow(tooltip_)) {
                DestroyWindow(tooltip_);
            }
            tooltip_ = nullptr;
            return 0;
        case WM_SIZE:
            if ((Style() & TBSTYLE_WRAPABLE) != 0) {
                Changed();
            }
            return 0;
        case WM_STYLECHANGED:
            Changed();
            return 0;
        case WM_ERASEBKGND: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            if (dc != nullptr) {
                PaintBackground(dc);
            }
            return TRUE;
        }
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
            if (pressed_ >= 0 && reinterpret_cast<HWND>(lParam) != hwnd_) {
                buttons_[static_cast<size_t>(pressed_)].state &= ~TBSTATE_PRESSED;
                pressed_ = -1;
                InvalidateRect(hwnd_, nullptr, TRUE);
            }
            return 0;
        case WM_TIMER:
            if (wParam == kLeaveTimer) {
                POINT cursor{};
                GetCursorPos(&cursor);
                RECT window{};
                GetWindowRect(hwnd_, &window);
                if (!CRect(window).PtInRect(cursor) || WindowFromPoint(cursor) != hwnd_) {
                    SetHot(-1, HICF_MOUSE);
                }
            }
            return 0;
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            // Controls placed on the bar talk to the bar's owner, as if they were its own.
            return SendMessageA(notify_, message, wParam, lParam);
        case WM_NOTIFY: {
            // Tool tips ask for the texts of buttons; the owner of the bar knows them.
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header != nullptr && header->hwndFrom == tooltip_) {
                return SendMessageA(notify_, WM_NOTIFY, wParam, lParam);
            }
            return 0;
        }
        case TB_BUTTONSTRUCTSIZE:
            structSize_ = static_cast<size_t>(wParam);
            return 0;
        case TB_ADDBUTTONSA: {
            const auto* bytes = reinterpret_cast<const BYTE*>(lParam);
            for (WPARAM i = 0; bytes != nullptr && i < wParam; ++i) {
                Insert(Count(), reinterpret_cast<const TBBUTTON*>(bytes + i * structSize_));
            }
            Changed();
            return bytes != nullptr;
        }
        case TB_INSERTBUTTONA: {
            const bool inserted =
                Insert(static_cast<int>(wParam), reinterpret_cast<const TBBUTTON*>(lParam));
            Changed();
            return inserted;
        }
        case TB_DELETEBUTTON: {
            const int index = static_cast<int>(wParam);
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
        case TB_GETBUTTON: {
            const int index = static_cast<int>(wParam);
            if (!Valid(index) || lParam == 0) {
                return FALSE;
            }
            ToStruct(buttons_[static_cast<size_t>(index)], reinterpret_cast<TBBUTTON*>(lParam));
            return TRUE;
        }
        case TB_BUTTONCOUNT:
            return Count();
        case TB_COMMANDTOINDEX:
            return IndexOf(static_cast<int>(wParam));
        case TB_ADDSTRINGA: {
            const LRESULT first = AddStrings(reinterpret_cast<HINSTANCE>(wParam), lParam);
            Changed();
            return first;
        }
        case TB_GETITEMRECT:
        case TB_GETRECT: {
            const int index = message == TB_GETRECT ? IndexOf(static_cast<int>(wParam))
                                                    : static_cast<int>(wParam);
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (!Valid(index) || rect == nullptr ||
                !buttons_[static_cast<size_t>(index)].Visible()) {
                return FALSE;
            }
            *rect = buttons_[static_cast<size_t>(index)].rect;
            return TRUE;
        }
        case TB_SETBUTTONSIZE:
            buttonSize_ = SIZE{LOWORD(lParam), HIWORD(lParam)};
            Changed();
            return TRUE;
        case TB_GETBUTTONSIZE: {
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ oldFont = SelectObject(dc, Font());
            const SIZE size = ButtonSize(dc);
            SelectObject(dc, oldFont);
            DeleteDC(dc);
            return MAKELONG(size.cx, size.cy);
        }
        case TB_SETBITMAPSIZE:
            bitmapSize_ = SIZE{LOWORD(lParam), HIWORD(lParam)};
            Changed();
            return TRUE;
        case TB_AUTOSIZE:
            AutoSize();
            return 0;
        case TB_GETTOOLTIPS:
            return reinterpret_cast<LRESULT>(tooltip_);
        case TB_SETTOOLTIPS:
            if (ownsTooltip_ && IsWindow(tooltip_)) {
                DestroyWindow(tooltip_);
            }
            tooltip_ = reinterpret_cast<HWND>(wParam);
            ownsTooltip_ = false;
            tools_.clear();
            SyncTools();
            return 0;
        case TB_SETPARENT: {
            HWND previous = notify_;
            notify_ = reinterpret_cast<HWND>(wParam);
            return reinterpret_cast<LRESULT>(previous);
        }
        case TB_GETROWS:
            return rows_;
        case TB_SETCMDID: {
            const int index = static_cast<int>(wParam);
            if (!Valid(index)) {
                return FALSE;
            }
            buttons_[static_cast<size_t>(index)].command = static_cast<int>(lParam);
            SyncTools();
            return TRUE;
        }
        case TB_GETBUTTONTEXTA: {
            const Button* button = ByCommand(static_cast<int>(wParam));
            if (button == nullptr) {
                return -1;
            }
            if (lParam != 0) {
                std::memcpy(reinterpret_cast<char*>(lParam), button->text.c_str(),
                            button->text.size() + 1);
            }
            return static_cast<LRESULT>(button->text.size());
        }
        case TB_SETINDENT:
            indent_ = static_cast<int>(wParam);
            Changed();
            return TRUE;
        case TB_SETIMAGELIST:
        case TB_SETHOTIMAGELIST:
        case TB_SETDISABLEDIMAGELIST: {
            HIMAGELIST& slot = message == TB_SETIMAGELIST      ? images_
                               : message == TB_SETHOTIMAGELIST ? hotImages_
                                                               : disabledImages_;
            HIMAGELIST previous = slot;
            slot = reinterpret_cast<HIMAGELIST>(lParam);
            int cx = 0;
            int cy = 0;
            if (message == TB_SETIMAGELIST && slot != nullptr &&
                ImageList_GetIconSize(slot, &cx, &cy)) {
                bitmapSize_ = SIZE{cx, cy};
            }
            Changed();
            return reinterpret_cast<LRESULT>(previous);
        }
        case TB_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(images_);
        case TB_GETHOTIMAGELIST:
            return reinterpret_cast<LRESULT>(hotImages_);
        case TB_GETDISABLEDIMAGELIST:
            return reinterpret_cast<LRESULT>(disabledImages_);
        case TB_SETSTYLE:
            SetWindowLongA(hwnd_, GWL_STYLE, static_cast<LONG>(lParam));
            Changed();
            return 0;
        case TB_GETSTYLE:
            return static_cast<LRESULT>(Style());
        case TB_SETEXTENDEDSTYLE: {
            const DWORD previous = extendedStyle_;
            extendedStyle_ = static_cast<DWORD>(lParam);
            Changed();
            return static_cast<LRESULT>(previous);
        }
        case TB_GETEXTENDEDSTYLE:
            return static_cast<LRESULT>(extendedStyle_);
        case TB_SETMAXTEXTROWS:
            maxTextRows_ = static_cast<int>(wParam);
            Changed();
            return TRUE;
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
        case TB_SETHOTITEM: {
            const int previous = hot_;
            const int index = static_cast<int>(wParam);
            hot_ = Valid(index) && !buttons_[static_cast<size_t>(index)].Separator() ? index : -1;
            InvalidateRect(hwnd_, nullptr, TRUE);
            return previous;
        }
        case TB_GETMAXSIZE:
            if (lParam == 0) {
                return FALSE;
            }
            *reinterpret_cast<SIZE*>(lParam) = extent_;
            return TRUE;
        case TB_ENABLEBUTTON:
            return SetStateBit(static_cast<int>(wParam), TBSTATE_ENABLED, LOWORD(lParam) != 0);
        case TB_CHECKBUTTON:
            return SetStateBit(static_cast<int>(wParam), TBSTATE_CHECKED, LOWORD(lParam) != 0);
        case TB_PRESSBUTTON:
            return SetStateBit(static_cast<int>(wParam), TBSTATE_PRESSED, LOWORD(lParam) != 0);
        case TB_HIDEBUTTON:
            return SetStateBit(static_cast<int>(wParam), TBSTATE_HIDDEN, LOWORD(lParam) != 0);
        case TB_INDETERMINATE:
            return SetStateBit(static_cast<int>(wParam), TBSTATE_INDETERMINATE,
                               LOWORD(lParam) != 0);
        case TB_ISBUTTONENABLED:
        case TB_ISBUTTONCHECKED:
        case TB_ISBUTTONPRESSED:
        case TB_ISBUTTONHIDDEN: {
            const Button* button = ByCommand(static_cast<int>(wParam));
            const BYTE bit = message == TB_ISBUTTONENABLED   ? TBSTATE_ENABLED
                             : message == TB_ISBUTTONCHECKED ? TBSTATE_CHECKED
                             : message == TB_ISBUTTONPRESSED ? TBSTATE_PRESSED
                                                             : TBSTATE_HIDDEN;
            return button != nullptr && (button->state & bit) != 0;
        }
        case TB_SETSTATE: {
            Button* button = ByCommand(static_cast<int>(wParam));
            if (button == nullptr) {
                return FALSE;
            }
            button->state = static_cast<BYTE>(LOWORD(lParam));
            if (!button->Enabled() && hot_ == IndexOf(static_cast<int>(wParam))) {
                hot_ = -1;
            }
            Changed();
            return TRUE;
        }
        case TB_GETSTATE: {
            const Button* button = ByCommand(static_cast<int>(wParam));
            return button != nullptr ? button->state : -1;
        }
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace

void RegisterToolBarClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass(TOOLBARCLASSNAMEA, ControlProcedure<ToolBar>, CS_DBLCLKS,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

}  // namespace platform
