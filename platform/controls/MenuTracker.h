// One menu loop: the stack of open levels (the menu bar, when the loop started there, and each
// open pop-up with its window), the selection in each, and the owner's messages.
#pragma once

#include <optional>
#include <vector>

#include "platform/controls/MenuLayout.h"

namespace platform {

class MenuTracker {
public:
    MenuTracker(HWND owner, UINT flags);
    ~MenuTracker();
    MenuTracker(const MenuTracker&) = delete;
    MenuTracker& operator=(const MenuTracker&) = delete;

    // The calling thread's running loop, if any.
    static MenuTracker* Current();

    // The pop-up at (x, y) with the TPM_ alignment flags, avoiding `exclude` where it can.
    // Returns the chosen command, 0 when none.
    UINT TrackPopup(HMENU menu, int x, int y, const RECT* exclude);
    // The menu bar of `frame`: `open` opens that item's pop-up; -1 only selects the first item
    // (Alt, F10). A nonzero `mnemonic` opens the item it names.
    UINT TrackBar(HWND frame, int open, char mnemonic);

    void End() { ended_ = true; }
    // Draws the pop-up shown in `window`.
    void PaintPopup(HWND window, HDC dc);
    // The selected bar item of `frame` while this loop runs there, -1 otherwise.
    int BarSelection(HWND frame) const;

private:
    struct Level {
        HMENU menu = nullptr;
        HWND window = nullptr;
        bool bar = false;
        std::vector<MenuEntry> items;
        MenuLayout layout;
        // Screen position of the layout's origin, and where that origin is in the DC that
        // paints the level (the pop-up's client DC, or the frame's window DC).
        POINT origin{};
        POINT dcOrigin{};
        int selected = -1;
    };

    UINT Run();
    void Notify(UINT message, WPARAM wParam, LPARAM lParam);
    bool OpenPopup(HMENU menu, int parentIndex, POINT at, const RECT* avoid, bool fromBar);
    void OpenSelected(size_t level, bool selectFirst);
    void CloseFrom(size_t level);
    void Select(size_t level, int index, bool byMouse);
    void Redraw(size_t level, int index, UINT action);
    void Choose(size_t level, int index);

    void OnMouse(const MSG& msg);
    void OnKey(const MSG& msg);
    void OnChar(char character);
    void MoveVertically(int step);
    void MoveAcrossBar(int step);

    std::optional<size_t> LevelAt(POINT screen) const;
    int ItemAt(size_t level, POINT screen) const;
    bool Selectable(const Level& level, int index) const;
    bool Enabled(const MenuEntry& entry) const;
    void PublishRects(const Level& level, bool shown);

    HWND owner_;
    UINT flags_;
    std::vector<Level> levels_;
    bool ended_ = false;
    UINT chosen_ = 0;
    HWND previousCapture_ = nullptr;
    MenuTracker* outer_ = nullptr;
};

}  // namespace platform
