// The menus behind HMENU handles. Every function of the menu API takes the table's lock for its
// lookups and changes and lets go of it before it sends a message, since a window procedure may
// call back into the menu API.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/controls/Menu.h"

namespace platform {

struct MenuEntry {
    UINT type = MFT_STRING;  // MFT_ bits, MF_POPUP for an item that opens a pop-up
    UINT state = 0;          // MFS_ bits
    UINT id = 0;
    HMENU subMenu = nullptr;
    std::string text;
    ULONG_PTR data = 0;
    HBITMAP bitmap = nullptr;

    bool IsPopup() const { return subMenu != nullptr; }
    bool IsSeparator() const { return (type & MFT_SEPARATOR) != 0; }
    bool IsOwnerDrawn() const { return (type & MFT_OWNERDRAW) != 0; }
    // The MF_ flags GetMenuState and WM_MENUSELECT report.
    UINT Flags() const { return type | state | (IsPopup() ? MF_POPUP : 0); }
};

struct MenuData {
    bool popup = false;
    std::vector<MenuEntry> items;
    // Where the items are while the menu is on the screen (screen coordinates), and the window
    // showing them: a pop-up window, or the frame whose menu bar this is.
    HWND shownIn = nullptr;
    std::vector<RECT> itemRects;
};

class MenuTable {
public:
    static MenuTable& Get();

    std::mutex mutex;

    HMENU Create(bool popup);
    // Null for a dead or unknown handle (and ERROR_INVALID_MENU_HANDLE).
    MenuData* Find(HMENU menu);
    // Destroys the menu and the pop-ups its items still hold; false when it was not alive.
    bool Destroy(HMENU menu);
    int LiveCount() const { return static_cast<int>(menus_.size()); }
    // Copies of the items, for work done without the lock; empty for a dead menu.
    std::vector<MenuEntry> Items(HMENU menu);

    struct Location {
        HMENU menu = nullptr;
        MenuData* data = nullptr;
        size_t index = 0;
        MenuEntry& entry() const { return data->items[index]; }
    };
    // The item that `item` names; by command the search goes depth first into pop-ups.
    bool Locate(HMENU menu, UINT item, bool byPosition, Location& found);

private:
    bool LocateCommand(HMENU menu, UINT id, Location& found, int depth);

    std::map<HMENU, std::unique_ptr<MenuData>> menus_;
    std::uintptr_t next_ = 0x30000;
};

}  // namespace platform
