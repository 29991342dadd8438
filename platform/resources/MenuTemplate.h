// A menu as a tree of items, as LoadMenu builds it: each item's flags (the MF_ values; a MENUEX
// item's type and state, which share those bits), command id and GBK text, and a pop-up's items.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

#ifndef MF_GRAYED
#define MF_GRAYED 0x00000001L
#define MF_DISABLED 0x00000002L
#define MF_CHECKED 0x00000008L
#define MF_POPUP 0x00000010L
#define MF_MENUBARBREAK 0x00000020L
#define MF_MENUBREAK 0x00000040L
#define MF_OWNERDRAW 0x00000100L
#define MF_SEPARATOR 0x00000800L
#define MF_DEFAULT 0x00001000L
#define MF_RIGHTJUSTIFY 0x00004000L
#define MF_HELP 0x00004000L
#endif

namespace platform {

struct MenuItem {
    DWORD flags = 0;  // MF_POPUP for a pop-up, MF_SEPARATOR for a separator
    DWORD id = 0;
    std::string text;
    std::vector<MenuItem> children;
};

struct MenuTemplate {
    bool extended = false;  // MENUEX
    std::vector<MenuItem> items;
};

// Item lists nest at most this deep (the menu bar is level 1); deeper menus are refused.
inline constexpr int kMaxMenuDepth = 16;

std::vector<std::uint8_t> EncodeMenuTemplate(const MenuTemplate& menu);
std::optional<MenuTemplate> DecodeMenuTemplate(std::span<const std::uint8_t> bytes);

}  // namespace platform
