// The state and behaviour behind one list box window, shared by the "ListBox" class and the
// combo box's list ("ComboLBox"). A combo box's list draws and measures on behalf of the combo
// box (ODT_COMBOBOX, the combo box's id and handle, its parent as the owner) and reports to the
// combo box itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/WindowStructs.h"

namespace platform {

// The order of LBS_SORT: without case first, then by bytes.
int CompareListTexts(std::string_view a, std::string_view b);

// WM_COMMAND codes a combo box's list sends to its combo box, beside the LBN_ codes.
inline constexpr WORD kComboListChosen = 0x7F01;
inline constexpr WORD kComboListCancelled = 0x7F02;

// Tells a combo box's list that it is dropped down (wParam TRUE) or closed: while dropped it picks
// with the mouse under capture and reports kComboListChosen or kComboListCancelled.
inline constexpr UINT kListSetDropped = WM_USER + 0x1F0;

class ListBoxControl {
public:
    ListBoxControl(HWND hwnd, const CREATESTRUCTA& create);
    ListBoxControl(const ListBoxControl&) = delete;
    ListBoxControl& operator=(const ListBoxControl&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static constexpr int kMaxItemHeight = 255;

    struct Item {
        std::string text;
        ULONG_PTR data = 0;
        bool selected = false;
        int height = 0;
    };

    DWORD Style() const;
    bool OwnerDraw() const;
    bool HasStrings() const;
    bool MultiSelect() const;
    bool Extended() const;
    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }

    // Messages.
    void Create(const CREATESTRUCTA& create);
    void Destroy();
    LRESULT GetTextLength(int index) const;
    LRESULT SetItemData(int index, ULONG_PTR data);
    LRESULT SetCurrent(int index);
    LRESULT Current() const;
    LRESULT SetSelected(int target, bool select);
    LRESULT GetSelectedItems(int capacity, int* out) const;
    LRESULT SelectItems(int first, int last, bool select);
    LRESULT SelectString(int after, LPARAM text);
    LRESULT SetTopIndex(int index);
    LRESULT SetCaretIndex(int index);
    LRESULT SetAnchorIndex(int index);
    LRESULT GetItemHeight(int index) const;
    LRESULT SetItemHeight(int index, int height);
    LRESULT GetItemRect(int index, RECT* rect) const;
    LRESULT ItemFromPoint(POINT point) const;
    void SetHorizontalExtent(int extent);
    LRESULT InitStorage(WPARAM items);
    void SetFont(HFONT font, bool redraw);
    void SetRedraw(bool redraw);
    void Resized();

    // Items.
    LRESULT Insert(int index, LPARAM lParam, bool sorted);
    int SortedPosition(LPARAM lParam, std::string_view text);
    LRESULT Delete(int index);
    void Reset();
    void SendDeleteItem(int index);
    int Find(int after, LPARAM lParam, bool exact);
    bool Matches(int index, LPARAM lParam, bool exact);
    LRESULT GetText(int index, char* buffer) const;

    // Selection.
    bool IsSelected(int index) const;
    int SelectionCount() const;
    // Sets the selection and caret of a single-selection list; true when it changed.
    bool SelectSingle(int index);
    bool SelectRange(int first, int last, bool select);
    bool SelectOnly(int index);
    void SetCaret(int index);
    void Notify(WORD code);

    // Geometry.
    int ClientWidth() const;
    int ClientHeight() const;
    int HeightOf(int index) const;
    RECT ItemRect(int index) const;
    int ItemAt(POINT point, bool* outside) const;
    int FullRowsFromTop() const;
    int MaxTop() const;
    void SetTop(int top);
    void ScrollIntoView(int index);
    void UpdateScrollBars();
    void MeasureFixed();
    void MeasureItem(int index, LPARAM lParam);
    int FontHeight() const;

    // Drawing.
    void Paint();
    void DrawItem(HDC dc, int index, UINT action, HBRUSH background);
    void DrawItemNow(int index, UINT action);
    HBRUSH ControlColor(HDC dc) const;
    void Invalidate();

    // Input.
    void Press(POINT point, WPARAM keys, bool doubleClick);
    void Drag(POINT point);
    void Release();
    void KeyDown(WPARAM key);
    void Char(WPARAM character);
    void Scroll(WORD code, int thumb);
    void ScrollHorizontally(WORD code, int thumb);
    void FocusChanged(bool focused);
    void ButtonUp(POINT point);
    void CaptureLost();

    HWND hwnd_;
    // Where notifications go, and who measures and draws for the list.
    HWND notify_;
    HWND owner_;
    HWND itemWindow_;
    UINT ctlType_;
    UINT ctlId_;
    bool wantsVertical_;
    bool wantsHorizontal_;

    std::vector<Item> items_;
    int selection_ = -1;
    int caret_ = -1;
    int anchor_ = -1;
    int top_ = 0;
    int itemHeight_ = 13;
    int horizontalExtent_ = 0;
    int horizontalOffset_ = 0;
    HFONT font_ = nullptr;
    bool focused_ = false;
    bool redraw_ = true;
    bool tracking_ = false;
    bool changedWhileTracking_ = false;
    bool dropped_ = false;
    bool updatingBars_ = false;
};

}  // namespace platform
