#include "platform/controls/MenuTracker.h"

#include <algorithm>
#include <cctype>

#include "platform/controls/MenuBar.h"
#include "platform/controls/MenuPainter.h"
#include "platform/controls/PopupMenu.h"
#include "platform/drawing/Rect.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

thread_local MenuTracker* current_tracker = nullptr;

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

bool IsKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

UINT ClientMessage(UINT message) {
    return message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK
               ? message - WM_NCMOUSEMOVE + WM_MOUSEMOVE
               : message;
}

RECT Offset(const RECT& rect, POINT by) {
    return RECT{rect.left + by.x, rect.top + by.y, rect.right + by.x, rect.bottom + by.y};
}

SIZE ScreenSize() {
    return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int Clamp(int value, int size, int limit) {
    return std::max(0, std::min(value, limit - size));
}

// The root pop-up: aligned to (x, y) as the flags say, flipped to the other side of the point
// where it would leave the screen, and moved off `exclude`.
POINT PlaceRoot(SIZE size, int x, int y, UINT flags, const RECT* exclude) {
    const SIZE screen = ScreenSize();
    int left = (flags & TPM_CENTERALIGN)  ? x - size.cx / 2
               : (flags & TPM_RIGHTALIGN) ? x - size.cx
                                          : x;
    int top = (flags & TPM_VCENTERALIGN)  ? y - size.cy / 2
              : (flags & TPM_BOTTOMALIGN) ? y - size.cy
                                          : y;
    if (left + size.cx > screen.cx) {
        left = (flags & (TPM_CENTERALIGN | TPM_RIGHTALIGN)) ? screen.cx - size.cx : x - size.cx;
    }
    if (left < 0) {
        left = (flags & TPM_RIGHTALIGN) ? x : 0;
    }
    if (top + size.cy > screen.cy) {
        top = (flags & (TPM_VCENTERALIGN | TPM_BOTTOMALIGN)) ? screen.cy - size.cy : y - size.cy;
    }
    if (top < 0) {
        top = (flags & TPM_BOTTOMALIGN) ? y : 0;
    }
    if (exclude != nullptr) {
        const RECT menu{left, top, left + size.cx, top + size.cy};
        const bool overlaps = menu.left < exclude->right && exclude->left < menu.right &&
                              menu.top < exclude->bottom && exclude->top < menu.bottom;
        if (overlaps && (flags & TPM_VERTICAL)) {
            top = exclude->bottom + size.cy <= screen.cy ? exclude->bottom : exclude->top - size.cy;
        } else if (overlaps) {
            left = exclude->right + size.cx <= screen.cx ? exclude->right : exclude->left - size.cx;
        }
    }
    return POINT{Clamp(left, size.cx, screen.cx), Clamp(top, size.cy, screen.cy)};
}

// A sub-menu: right of its item overlapping the parent's frame, or left of the parent when the
// screen ends; below a menu bar item, or above it.
POINT PlaceChild(SIZE size, const RECT& item, bool fromBar) {
    const SIZE screen = ScreenSize();
    if (fromBar) {
        const int top = item.bottom + size.cy <= screen.cy ? item.bottom : item.top - size.cy;
        return POINT{Clamp(item.left, size.cx, screen.cx), Clamp(top, size.cy, screen.cy)};
    }
    int left = item.right + kPopupMenuBorder - 1;
    if (left + size.cx > screen.cx) {
        left = item.left - kPopupMenuBorder + 1 - size.cx;
    }
    return POINT{Clamp(left, size.cx, screen.cx),
                 Clamp(item.top - kPopupMenuBorder, size.cy, screen.cy)};
}

// The ASCII letter after a single '&', folded to lower case; 0 when none.
char MnemonicOf(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x81) {
            ++i;
            continue;
        }
        if (text[i] == '&') {
            if (text[i + 1] == '&') {
                ++i;
                continue;
            }
            return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
        }
    }
    return 0;
}

}  // namespace

MenuTracker::MenuTracker(HWND owner, UINT flags) : owner_(owner), flags_(flags) {
    outer_ = current_tracker;
    current_tracker = this;
}

MenuTracker::~MenuTracker() {
    current_tracker = outer_;
}

MenuTracker* MenuTracker::Current() {
    return current_tracker;
}

void MenuTracker::Notify(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((flags_ & TPM_NONOTIFY) == 0 && IsWindow(owner_)) {
        SendMessageA(owner_, message, wParam, lParam);
    }
}

bool MenuTracker::Enabled(const MenuEntry& entry) const {
    return (entry.state & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool MenuTracker::Selectable(const Level& level, int index) const {
    return index >= 0 && index < static_cast<int>(level.items.size()) &&
           !level.items[static_cast<size_t>(index)].IsSeparator();
}

void MenuTracker::PublishRects(const Level& level, bool shown) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuData* data = table.Find(level.menu);
    if (data == nullptr) {
        return;
    }
    data->itemRects.clear();
    data->shownIn = shown ? level.window : nullptr;
    if (shown) {
        for (const RECT& rect : level.layout.rects) {
            data->itemRects.push_back(Offset(rect, level.origin));
        }
    }
}

bool MenuTracker::OpenPopup(HMENU menu, int parentIndex, POINT at, const RECT* avoid,
                            bool fromBar) {
    Notify(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(parentIndex, FALSE));
    std::vector<MenuEntry> items;
    {
        MenuTable& table = MenuTable::Get();
        std::lock_guard lock(table.mutex);
        if (table.Find(menu) == nullptr) {
            return false;
        }
        items = table.Items(menu);
    }
    Level level;
    level.menu = menu;
    level.items = std::move(items);
    level.layout = LayOutPopupMenu(level.items, owner_);
    const SIZE size = level.layout.size;
    level.origin = levels_.empty() ? PlaceRoot(size, at.x, at.y, flags_, avoid)
                                   : PlaceChild(size, *avoid, fromBar);
    level.window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "#32768",
                                   "", WS_POPUP, level.origin.x, level.origin.y, size.cx, size.cy,
                                   owner_, nullptr, nullptr, nullptr);
    if (level.window == nullptr) {
        return false;
    }
    levels_.push_back(std::move(level));
    PublishRects(levels_.back(), true);
    ShowWindow(levels_.back().window, SW_SHOWNOACTIVATE);
    return true;
}

void MenuTracker::OpenSelected(size_t index, bool selectFirst) {
    const Level& level = levels_[index];
    if (!Selectable(level, level.selected)) {
        return;
    }
    const size_t item = static_cast<size_t>(level.selected);
    const MenuEntry& entry = level.items[item];
    if (!entry.IsPopup() || !Enabled(entry)) {
        return;
    }
    if (levels_.size() <= index + 1 || levels_[index + 1].menu != entry.subMenu) {
        CloseFrom(index + 1);
        const RECT anchor = Offset(level.layout.rects[item], level.origin);
        if (!OpenPopup(entry.subMenu, static_cast<int>(item), POINT{}, &anchor, level.bar)) {
            return;
        }
    }
    Level& opened = levels_[index + 1];
    if (selectFirst && opened.selected < 0) {
        for (int i = 0; i < static_cast<int>(opened.items.size()); ++i) {
            if (Selectable(opened, i)) {
                Select(index + 1, i, false);
                break;
            }
        }
    }
}

void MenuTracker::CloseFrom(size_t index) {
    while (levels_.size() > index) {
        Level& level = levels_.back();
        if (level.bar) {
            break;
        }
        if (IsWindow(level.window)) {
            DestroyWindow(level.window);
        }
        PublishRects(level, false);
        const HMENU menu = level.menu;
        levels_.pop_back();
        Notify(WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    }
}

void MenuTracker::Select(size_t index, int item, bool byMouse) {
    if (levels_[index].selected == item) {
        return;
    }
    CloseFrom(index + 1);
    Level& level = levels_[index];
    const int old = level.selected;
    level.selected = item;
    Redraw(index, old, ODA_SELECT);
    Redraw(index, item, ODA_SELECT);
    if (item >= 0) {
        const MenuEntry& entry = level.items[static_cast<size_t>(item)];
        const UINT flags = (entry.Flags() | MF_HILITE | (byMouse ? MF_MOUSESELECT : 0)) & 0xFFFF;
        const UINT idOrIndex = entry.IsPopup() ? static_cast<UINT>(item) : entry.id;
        Notify(WM_MENUSELECT, MAKEWPARAM(idOrIndex, flags), reinterpret_cast<LPARAM>(level.menu));
    }
}

void MenuTracker::Redraw(size_t index, int item, UINT action) {
    const Level& level = levels_[index];
    if (item < 0 || item >= static_cast<int>(level.items.size())) {
        return;
    }
    HDC dc = level.bar ? GetWindowDC(level.window) : GetDC(level.window);
    if (dc == nullptr) {
        return;
    }
    const size_t at = static_cast<size_t>(item);
    MenuItemPaint paint;
    paint.menu = level.menu;
    paint.entry = &level.items[at];
    paint.rect = Offset(level.layout.rects[at], level.dcOrigin);
    paint.selected = level.selected == item;
    paint.acceleratorOffset = level.layout.acceleratorOffsets[at];
    paint.action = action;
    paint.inMenuBar = level.bar;
    paint.owner = owner_;
    PaintMenuItem(dc, paint);
    ReleaseDC(level.window, dc);
}

void MenuTracker::PaintPopup(HWND window, HDC dc) {
    for (const Level& level : levels_) {
        if (level.window != window || level.bar) {
            continue;
        }
        PaintPopupFrame(dc, level.layout.size);
        for (size_t i = 0; i < level.items.size(); ++i) {
            MenuItemPaint paint;
            paint.menu = level.menu;
            paint.entry = &level.items[i];
            paint.rect = level.layout.rects[i];
            paint.selected = level.selected == static_cast<int>(i);
            paint.acceleratorOffset = level.layout.acceleratorOffsets[i];
            paint.owner = owner_;
            PaintMenuItem(dc, paint);
        }
        return;
    }
}

int MenuTracker::BarSelection(HWND frame) const {
    return !levels_.empty() && levels_[0].bar && levels_[0].window == frame ? levels_[0].selected
                                                                            : -1;
}

void MenuTracker::Choose(size_t index, int item) {
    chosen_ = levels_[index].items[static_cast<size_t>(item)].id;
    ended_ = true;
}

std::optional<size_t> MenuTracker::LevelAt(POINT screen) const {
    for (size_t i = levels_.size(); i-- > 0;) {
        const Level& level = levels_[i];
        const RECT area{level.origin.x, level.origin.y, level.origin.x + level.layout.size.cx,
                        level.origin.y + level.layout.size.cy};
        if (CRect(area).PtInRect(screen)) {
            return i;
        }
    }
    return std::nullopt;
}

int MenuTracker::ItemAt(size_t index, POINT screen) const {
    const Level& level = levels_[index];
    for (size_t i = 0; i < level.layout.rects.size(); ++i) {
        if (CRect(Offset(level.layout.rects[i], level.origin)).PtInRect(screen)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void MenuTracker::OnMouse(const MSG& msg) {
    const UINT message = ClientMessage(msg.message);
    const std::optional<size_t> index = LevelAt(msg.pt);
    const int item = index ? ItemAt(*index, msg.pt) : -1;
    switch (message) {
        case WM_MOUSEMOVE: {
            if (!index) {
                const size_t top = levels_.size() - 1;
                if (!levels_[top].bar) {
                    Select(top, -1, true);
                }
                return;
            }
            Level& level = levels_[*index];
            if (level.bar) {
                if (item >= 0 && item != level.selected) {
                    const bool wasOpen = levels_.size() > 1;
                    Select(*index, item, true);
                    if (wasOpen) {
                        OpenSelected(*index, false);
                    }
                }
                return;
            }
            if (item < 0) {
                return;
            }
            Select(*index, Selectable(level, item) ? item : -1, true);
            OpenSelected(*index, false);
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK: {
            if (!index) {
                End();
                return;
            }
            if (levels_[*index].bar) {
                if (item < 0 || (item == levels_[*index].selected && levels_.size() > 1)) {
                    End();
                    return;
                }
            }
            if (item >= 0 && Selectable(levels_[*index], item)) {
                Select(*index, item, true);
                OpenSelected(*index, false);
            }
            return;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            if (message == WM_RBUTTONUP) {
                Notify(WM_MENURBUTTONUP, static_cast<WPARAM>(std::max(item, 0)),
                       index ? reinterpret_cast<LPARAM>(levels_[*index].menu) : 0);
                if ((flags_ & TPM_RIGHTBUTTON) == 0) {
                    return;
                }
            }
            if (!index || levels_[*index].bar || item < 0) {
                return;
            }
            const MenuEntry& entry = levels_[*index].items[static_cast<size_t>(item)];
            if (!entry.IsPopup() && !entry.IsSeparator() && Enabled(entry)) {
                Choose(*index, item);
            }
            return;
        }
        default:
            return;
    }
}

void MenuTracker::MoveVertically(int step) {
    const size_t top = levels_.size() - 1;
    const Level& level = levels_[top];
    const int count = static_cast<int>(level.items.size());
    if (count == 0) {
        return;
    }
    int item = level.selected;
    for (int tries = 0; tries < count; ++tries) {
        item = item < 0 ? (step > 0 ? 0 : count - 1) : (item + step + count) % count;
        if (Selectable(level, item)) {
            Select(top, item, false);
            return;
        }
    }
}

void MenuTracker::MoveAcrossBar(int step) {
    const Level& bar = levels_[0];
    const int count = static_cast<int>(bar.items.size());
    const bool wasOpen = levels_.size() > 1;
    int item = bar.selected;
    for (int tries = 0; tries < count; ++tries) {
        item = item < 0 ? 0 : (item + step + count) % count;
        if (Selectable(bar, item)) {
            Select(0, item, false);
            if (wasOpen) {
                OpenSelected(0, true);
            }
            return;
        }
    }
}

void MenuTracker::OnKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) {
        if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
            OnChar(static_cast<char>(msg.wParam));
        }
        return;
    }
    const size_t top = levels_.size() - 1;
    Level& level = levels_[top];
    const bool barLoop = levels_[0].bar;
    switch (msg.wParam) {
        case VK_ESCAPE:
            if (top > 0) {
                CloseFrom(top);
            } else {
                End();
            }
            return;
        case VK_MENU:
        case VK_F10:
            End();
            return;
        case VK_UP:
        case VK_DOWN:
            if (level.bar) {
                OpenSelected(top, true);
            } else {
                MoveVertically(msg.wParam == VK_DOWN ? 1 : -1);
            }
            return;
        case VK_RIGHT:
            if (!level.bar && Selectable(level, level.selected) &&
                level.items[static_cast<size_t>(level.selected)].IsPopup()) {
                OpenSelected(top, true);
            } else if (barLoop) {
                MoveAcrossBar(1);
            }
            return;
        case VK_LEFT:
            if (!level.bar && top > (barLoop ? 1u : 0u)) {
                CloseFrom(top);
            } else if (barLoop) {
                MoveAcrossBar(-1);
            }
            return;
        case VK_RETURN: {
            if (!Selectable(level, level.selected)) {
                return;
            }
            const MenuEntry& entry = level.items[static_cast<size_t>(level.selected)];
            if (entry.IsPopup()) {
                OpenSelected(top, true);
            } else if (Enabled(entry)) {
                Choose(top, level.selected);
            }
            return;
        }
        default:
            TranslateMessage(&msg);
            return;
    }
}

void MenuTracker::OnChar(char character) {
    const size_t top = levels_.size() - 1;
    Level& level = levels_[top];
    const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    std::vector<int> matches;
    for (size_t i = 0; i < level.items.size(); ++i) {
        const MenuEntry& entry = level.items[i];
        if (!entry.IsOwnerDrawn() && !entry.IsSeparator() && MnemonicOf(entry.text) == wanted) {
            matches.push_back(static_cast<int>(i));
        }
    }
    int item = -1;
    bool execute = matches.size() == 1;
    if (matches.empty()) {
        if (flags_ & TPM_NONOTIFY) {
            return;
        }
        const LRESULT answer = SendMessageA(
            owner_, WM_MENUCHAR,
            MAKEWPARAM(static_cast<unsigned char>(character), level.bar ? 0 : MF_POPUP),
            reinterpret_cast<LPARAM>(level.menu));
        switch (HIWORD(answer)) {
            case MNC_CLOSE:
                End();
                return;
            case MNC_EXECUTE:
                execute = true;
                item = LOWORD(answer);
                break;
            case MNC_SELECT:
                item = LOWORD(answer);
                break;
            default:
                return;
        }
        if (!Selectable(level, item)) {
            return;
        }
    } else if (matches.size() == 1) {
        item = matches[0];
    } else {
        auto next = std::upper_bound(matches.begin(), matches.end(), level.selected);
        item = next == matches.end() ? matches[0] : *next;
    }
    Select(top, item, false);
    if (!execute) {
        return;
    }
    const MenuEntry& entry = levels_[top].items[static_cast<size_t>(item)];
    if (entry.IsPopup()) {
        OpenSelected(top, true);
    } else if (Enabled(entry)) {
        Choose(top, item);
    }
}

UINT MenuTracker::Run() {
    bool idle = false;
    while (!ended_) {
        if (!IsWindow(owner_)) {
            break;
        }
        MSG msg{};
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!idle) {
                idle = true;
                Notify(
                    WM_ENTERIDLE, MSGF_MENU,
                    reinterpret_cast<LPARAM>(levels_.back().bar ? nullptr : levels_.back().window));
            } else if (!ended_) {
                WaitMessage();
                idle = false;
            }
            continue;
        }
        idle = false;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (IsMouseMessage(msg.message)) {
            OnMouse(msg);
        } else if (IsKeyMessage(msg.message)) {
            OnKey(msg);
        } else if (!FilterMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return chosen_;
}

UINT MenuTracker::TrackPopup(HMENU menu, int x, int y, const RECT* exclude) {
    Notify(WM_ENTERMENULOOP, TRUE, 0);
    Notify(WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    if (OpenPopup(menu, 0, POINT{x, y}, exclude, false)) {
        previousCapture_ = GetCapture();
        SetCapture(levels_[0].window);
        Run();
        CloseFrom(0);
        if (previousCapture_ != nullptr && IsWindow(previousCapture_)) {
            SetCapture(previousCapture_);
        } else {
            ReleaseCapture();
        }
    }
    Notify(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Notify(WM_EXITMENULOOP, TRUE, 0);
    return chosen_;
}

UINT MenuTracker::TrackBar(HWND frame, int open, char mnemonic) {
    const HMENU menu = GetMenu(frame);
    const RECT bar = MenuBarRect(frame);
    if (menu == nullptr || bar.right <= bar.left) {
        return 0;
    }
    Notify(WM_ENTERMENULOOP, FALSE, 0);
    Notify(WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    Level level;
    level.menu = menu;
    level.window = frame;
    level.bar = true;
    {
        MenuTable& table = MenuTable::Get();
        std::lock_guard lock(table.mutex);
        level.items = table.Items(menu);
    }
    level.layout = LayOutMenuBar(level.items, bar.right - bar.left);
    RECT window{};
    GetWindowRect(frame, &window);
    level.origin = POINT{window.left + bar.left, window.top + bar.top};
    level.dcOrigin = POINT{bar.left, bar.top};
    levels_.push_back(std::move(level));
    PublishRects(levels_[0], true);

    previousCapture_ = GetCapture();
    SetCapture(frame);
    if (mnemonic != 0) {
        OnChar(mnemonic);
        if (levels_.size() == 1 && !ended_) {
            End();
        }
    } else if (open >= 0 && Selectable(levels_[0], open)) {
        Select(0, open, true);
        OpenSelected(0, false);
    } else {
        MoveAcrossBar(1);
    }
    Run();
    CloseFrom(1);
    Select(0, -1, false);
    ReleaseCapture();
    Notify(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Notify(WM_EXITMENULOOP, FALSE, 0);
    return chosen_;
}

}  // namespace platform
