// Where the items of a menu go: a pop-up stacks them in columns (MF_MENUBREAK and
// MF_MENUBARBREAK start a new one), a menu bar puts them in one row. Owner-drawn pop-up items are
// sized by their owner through WM_MEASUREITEM, sent without any lock held. The bar is laid out
// and drawn while the screen composes the frame, where no message may be sent, so its items are
// always measured and drawn as text.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/MenuTable.h"

namespace platform {

// The pop-up's frame: a raised edge and one pixel of menu colour inside it.
inline constexpr int kPopupMenuBorder = 3;
inline constexpr int kPopupItemHeight = 19;
inline constexpr int kPopupSeparatorHeight = 9;
// The columns at both ends of a text item: the check mark and the sub-menu arrow.
inline constexpr int kPopupCheckWidth = 20;
inline constexpr int kPopupArrowWidth = 18;
inline constexpr int kPopupAcceleratorGap = 16;
inline constexpr int kMenuBarItemPadding = 8;

struct MenuLayout {
    // Item rectangles relative to the menu's window (the pop-up's client area, or the bar's
    // top-left corner).
    std::vector<RECT> rects;
    // Where the accelerator text starts in every text item of the item's column, relative to the
    // item; 0 for none.
    std::vector<int> acceleratorOffsets;
    SIZE size{};
};

// The menu's font: the menu text in 宋体, bold for the default item.
HFONT MenuFont(bool bold);

// The text before the tab and the accelerator after it.
std::pair<std::string, std::string> SplitMenuText(const std::string& text);

MenuLayout LayOutPopupMenu(const std::vector<MenuEntry>& items, HWND owner);
MenuLayout LayOutMenuBar(const std::vector<MenuEntry>& items, int width);

}  // namespace platform
