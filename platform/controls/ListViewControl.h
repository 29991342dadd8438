// The state and behaviour behind one "SysListView32" window. Rows are laid out as report rows in
// every view (the programs only use the report view): row i of the visible page starts below the
// header, and columns run left to right from minus the horizontal scroll offset.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/ListView.h"
#include "platform/controls/ScrollBarSync.h"

namespace platform::views {

class ListViewControl {
public:
    explicit ListViewControl(HWND hwnd) : hwnd_(hwnd) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Column {
        std::string text;
        int width = 0;
        int format = LVCFMT_LEFT;
        int image = -1;
    };
    struct Row {
        // Stays with the row while indices move, so that work interrupted by a notification can
        // find its row again.
        unsigned id = 0;
        std::vector<std::string> texts;
        UINT state = 0;
        LPARAM data = 0;
        int image = 0;
        int indent = 0;
    };

    // Creation, layout and geometry.
    void Create();
    void Layout();
    void MeasureRows();
    int Count() const { return static_cast<int>(rows_.size()); }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    int TotalWidth() const;
    int ColumnLeft(int column) const;
    RECT Client() const;
    int CountPerPage() const;
    RECT RowBounds(int index) const;
    BOOL ItemRect(int index, RECT* rect) const;
    BOOL SubItemRect(int index, RECT* rect) const;
    int IconWidth() const;
    bool WholeRowSelects() const;
    int HitTest(LVHITTESTINFO* info, bool subItems) const;
    void ScrollTo(int topIndex, int scrollX);
    // Shows the rows and the width on the window's bars.
    void UpdateScrollBars();
    BOOL EnsureVisible(int index);
    void InvalidateRow(int index);
    int IndexOf(unsigned id) const;
    const std::string& TextOf(const Row& row, int subItem) const;

    // Columns.
    LRESULT InsertColumn(int index, const LVCOLUMNA* column);
    BOOL DeleteColumn(int index);
    BOOL GetColumn(int index, LVCOLUMNA* column) const;
    BOOL SetColumn(int index, const LVCOLUMNA* column);
    BOOL SetColumnWidth(int index, int width);
    void SyncColumnWidth(int index);

    // Rows.
    LRESULT InsertItem(const LVITEMA* item);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    BOOL GetItem(LVITEMA* item) const;
    BOOL SetItem(const LVITEMA* item);
    int GetItemText(int index, LVITEMA* item) const;
    BOOL SetItemText(int index, const LVITEMA* item);
    int GetNextItem(int start, UINT flags) const;
    int FindItem(int start, const LVFINDINFOA* find) const;
    int SelectedCount() const;
    BOOL SortItems(LPARAM context, PFNLVCOMPARE compare);

    // States. ChangeState sends LVN_ITEMCHANGING (which may refuse) and LVN_ITEMCHANGED for one
    // row; SetState also keeps a single focused row and, with LVS_SINGLESEL, a single selection.
    bool ChangeState(int index, UINT state, UINT mask);
    BOOL SetState(int index, UINT state, UINT mask);
    void SelectOnly(int index);
    void SelectRange(int from, int to);

    // Notifications.
    LRESULT NotifyItem(UINT code, int index, int subItem, UINT newState, UINT oldState,
                       UINT changed, LPARAM data);
    void NotifyActivate(UINT code, POINT point);
    LRESULT HeaderNotify(NMHDR* header);

    // Input.
    void MouseDown(POINT point, bool right, bool doubleClick, WPARAM keys);
    void MouseUp(POINT point, bool right);
    void KeyDown(WPARAM key);
    void Scroll(bool vertical, int code, int position);
    void Wheel(int lines);

    // Painting.
    void Paint();
    void PaintRow(HDC dc, int index, bool focused);
    void DrawOwnerRow(HDC dc, int index, bool focused);

    HWND hwnd_;
    HWND header_ = nullptr;
    std::vector<Column> columns_;
    std::vector<Row> rows_;
    unsigned nextId_ = 1;
    HFONT font_ = nullptr;
    DWORD extendedStyle_ = 0;
    COLORREF backColor_ = 0;
    COLORREF textColor_ = 0;
    COLORREF textBackColor_ = 0;
    HIMAGELIST images_[3] = {nullptr, nullptr, nullptr};
    int headerHeight_ = 0;
    int rowHeight_ = 16;
    int topIndex_ = 0;
    int scrollX_ = 0;
    int mark_ = -1;
    bool hasFocus_ = false;
    // The button pressed in this control, whose release sends NM_CLICK or NM_RCLICK.
    bool leftPressed_ = false;
    bool rightPressed_ = false;
    ScrollBarSync scrollBars_;
};

}  // namespace platform::views
