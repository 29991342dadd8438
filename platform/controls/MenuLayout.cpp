#include "platform/controls/MenuLayout.h"

#include <algorithm>

#include "platform/drawing/Gdi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

SIZE TextSize(HDC dc, const std::string& text, bool bold) {
    HGDIOBJ old = SelectObject(dc, MenuFont(bold));
    RECT rect{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
    SelectObject(dc, old);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

SIZE OwnerMeasures(HWND owner, const MenuEntry& entry) {
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, entry.id, 0, 0, entry.data};
    if (owner != nullptr) {
        SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    }
    return SIZE{static_cast<LONG>(measure.itemWidth), static_cast<LONG>(measure.itemHeight)};
}

struct Measured {
    SIZE size{};
    int textWidth = 0;
    int acceleratorWidth = 0;
};

Measured MeasurePopupItem(HDC dc, HWND owner, const MenuEntry& entry) {
    Measured measured;
    if (entry.IsOwnerDrawn()) {
        measured.size = OwnerMeasures(owner, entry);
        return measured;
    }
    if (entry.IsSeparator()) {
        measured.size = SIZE{0, kPopupSeparatorHeight};
        return measured;
    }
    if (entry.type & MF_BITMAP) {
        BITMAP bitmap{};
        if (GetObjectA(entry.bitmap, sizeof(bitmap), &bitmap) != 0) {
            measured.textWidth = bitmap.bmWidth;
            measured.size.cy = bitmap.bmHeight + 2;
        }
    } else {
        const bool bold = (entry.state & MF_DEFAULT) != 0;
        const auto [label, accelerator] = SplitMenuText(entry.text);
        const SIZE text = TextSize(dc, label, bold);
        measured.textWidth = text.cx;
        measured.size.cy = text.cy + 6;
        if (!accelerator.empty()) {
            measured.acceleratorWidth = TextSize(dc, accelerator, bold).cx;
        }
    }
    measured.size.cy = std::max<LONG>(measured.size.cy, kPopupItemHeight);
    return measured;
}

}  // namespace

HFONT MenuFont(bool bold) {
    static HFONT normal =
        CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    static HFONT heavy =
        CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    return bold ? heavy : normal;
}

std::pair<std::string, std::string> SplitMenuText(const std::string& text) {
    const size_t tab = text.find('\t');
    if (tab == std::string::npos) {
        return {text, std::string()};
    }
    return {text.substr(0, tab), text.substr(tab + 1)};
}

MenuLayout LayOutPopupMenu(const std::vector<MenuEntry>& items, HWND owner) {
    HDC dc = CreateCompatibleDC(nullptr);
    std::vector<Measured> measured;
    measured.reserve(items.size());
    for (const MenuEntry& entry : items) {
        measured.push_back(MeasurePopupItem(dc, owner, entry));
    }
    DeleteDC(dc);

    MenuLayout layout;
    layout.rects.resize(items.size());
    layout.acceleratorOffsets.assign(items.size(), 0);
    int x = kPopupMenuBorder;
    int bottom = kPopupMenuBorder;
    size_t start = 0;
    while (start < items.size()) {
        size_t end = start + 1;
        while (end < items.size() && (items[end].type & (MF_MENUBREAK | MF_MENUBARBREAK)) == 0) {
            ++end;
        }
        int widestText = 0;
        int widestAccelerator = 0;
        int widestOwnerDrawn = 0;
        for (size_t i = start; i < end; ++i) {
            if (items[i].IsOwnerDrawn()) {
                widestOwnerDrawn = std::max<int>(widestOwnerDrawn, measured[i].size.cx);
            } else {
                widestText = std::max(widestText, measured[i].textWidth);
                widestAccelerator = std::max(widestAccelerator, measured[i].acceleratorWidth);
            }
        }
        const int acceleratorColumn =
            widestAccelerator > 0 ? widestAccelerator + kPopupAcceleratorGap : 0;
        const int width = std::max(
            widestOwnerDrawn, kPopupCheckWidth + widestText + acceleratorColumn + kPopupArrowWidth);
        int y = kPopupMenuBorder;
        for (size_t i = start; i < end; ++i) {
            layout.rects[i] = RECT{x, y, x + width, y + measured[i].size.cy};
            if (widestAccelerator > 0 && !items[i].IsOwnerDrawn()) {
                layout.acceleratorOffsets[i] = kPopupCheckWidth + widestText + kPopupAcceleratorGap;
            }
            y += measured[i].size.cy;
        }
        bottom = std::max(bottom, y);
        x += width;
        start = end;
    }
    layout.size = SIZE{x + kPopupMenuBorder, bottom + kPopupMenuBorder};
    if (items.empty()) {
        layout.size = SIZE{2 * kPopupMenuBorder, 2 * kPopupMenuBorder};
    }
    return layout;
}

MenuLayout LayOutMenuBar(const std::vector<MenuEntry>& items, int width) {
    HDC dc = CreateCompatibleDC(nullptr);
    MenuLayout layout;
    layout.acceleratorOffsets.assign(items.size(), 0);
    int x = 0;
    for (const MenuEntry& entry : items) {
        int itemWidth = 0;
        if (!entry.IsSeparator()) {
            itemWidth =
                TextSize(dc, SplitMenuText(entry.text).first, false).cx + 2 * kMenuBarItemPadding;
        }
        // One row only: items that do not fit are laid out empty at the right end.
        const int left = std::min(x, width);
        const int right = std::min(x + itemWidth, width);
        layout.rects.push_back(RECT{left, 0, right, GetSystemMetrics(SM_CYMENU)});
        x += itemWidth;
    }
    DeleteDC(dc);
    layout.size = SIZE{width, GetSystemMetrics(SM_CYMENU)};
    return layout;
}

}  // namespace platform
