// The state and behaviour behind one tab control window.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/Tab.h"
#include "platform/windows/WindowApi.h"

namespace platform {

class TabControl {
public:
    explicit TabControl(HWND hwnd) : hwnd_(hwnd) {}
    TabControl(const TabControl&) = delete;
    TabControl& operator=(const TabControl&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Item {
        std::string text;
        int image = -1;
        LPARAM param = 0;
        DWORD state = 0;
    };

    // Tabs sit 2 pixels in from the control's edges, so that the selected tab can stand out over
    // the page frame; buttons start at the edge and keep a gap between them.
    static constexpr int kTabMargin = 2;
    static constexpr int kButtonGap = 3;
    static constexpr SIZE kDefaultPadding{6, 3};

    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)); }
    bool Buttons() const { return (Style() & TCS_BUTTONS) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }

    void Layout();
    // A single row of tabs wider than the control scrolls: the tabs from firstVisible_ on are
    // shown, and the arrow buttons at the right end move the row by one tab.
    void Scroll(int room);
    void PlaceScroller();
    bool Shown(int index) const;
    // Scrolls the row, at the next layout, so that the tab is wholly in sight.
    void EnsureVisible(int index);
    int ItemHeight(HDC dc) const;
    int ItemWidth(HDC dc, const Item& item) const;
    int HitTest(POINT point, UINT* flags);
    void Changed();
    void SyncTools();

    LRESULT Insert(int index, const TCITEMA* item);
    LRESULT Delete(int index);
    LRESULT GetItem(int index, TCITEMA* item) const;
    LRESULT SetItem(int index, const TCITEMA* item);
    LRESULT SetCurSel(int index);
    LRESULT AdjustRect(bool larger, RECT* rect);
    LRESULT Notify(UINT code) const;

    // Messages.
    void Create();
    void Destroy();
    void ScrollTo(WORD code, int position);
    void SetFont(HFONT font, bool redraw);
    LRESULT ChildNotify(const NMHDR* header) const;
    LRESULT HitTest(TCHITTESTINFO* info);
    LRESULT SetImageList(HIMAGELIST images);
    LRESULT DeleteAll();
    LRESULT GetItemRect(int index, RECT* rect);
    void SetCurFocus(int index);
    LRESULT SetItemSize(LPARAM size);
    void SetPadding(LPARAM padding);
    LRESULT RowCount();
    void SetToolTips(HWND tooltip);
    LRESULT SetMinTabWidth(int width);
    LRESULT Highlight(int index, bool on);

    // Input.
    // Selection the user asks for: the parent may refuse it.
    void UserSelect(int index);
    void Mouse(UINT message, WPARAM wParam, LPARAM lParam);
    void KeyDown(WPARAM key, LPARAM lParam);

    // Painting.
    void Paint();
    void PaintItem(HDC dc, int index);
    void PaintFrame(HDC dc);

    HWND hwnd_;
    std::vector<Item> items_;
    std::vector<RECT> rects_;
    int rows_ = 0;
    int selected_ = -1;
    int focused_ = -1;
    HFONT font_ = nullptr;
    HIMAGELIST images_ = nullptr;
    SIZE itemSize_{0, 0};
    SIZE padding_ = kDefaultPadding;
    int minTabWidth_ = 0;
    HWND tooltip_ = nullptr;
    bool ownsTooltip_ = false;
    size_t toolCount_ = 0;
    bool layoutValid_ = false;
    int firstVisible_ = 0;
    int lastFirst_ = 0;
    int ensureVisible_ = -1;
    // The arrow buttons' place while the row overflows, else empty.
    RECT scrollerRect_{};
    HWND scroller_ = nullptr;
};

}  // namespace platform
