// Test support for the list view: a report-style list in the view test's parent, with columns
// and rows added through the control's messages; and what the programs' list tests read and click
// in a list of their own.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/ListView.h"
#include "platform/controls/ViewTest.h"

namespace platform::testing {

constexpr int kListId = 1007;
constexpr int kRowHeight = 20;

// The text the list holds for a cell; at most `capacity` - 1 characters.
inline std::string CellText(HWND list, int row, int column, int capacity = 256) {
    std::string buffer(static_cast<size_t>(capacity), '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = capacity;
    const auto length = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(&item));
    return buffer.substr(0, static_cast<size_t>(length));
}

// The rows in list order, each its cells of every header column joined by "|": the texts the list
// holds, or those `cell` gives (an owner-drawn list draws texts of its own).
inline std::vector<std::string> ListRows(
    HWND list, const std::function<std::string(int row, int column)>& cell = {}) {
    const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<std::string> rows;
    for (int row = 0; row < count; ++row) {
        std::string text;
        for (int column = 0; column < columns; ++column) {
            text +=
                (column == 0 ? "" : "|") + (cell ? cell(row, column) : CellText(list, row, column));
        }
        rows.push_back(text);
    }
    return rows;
}

// The screen point in the middle of a column's header, where a click sorts a sorting list.
inline POINT HeaderCenter(HWND list, int column) {
    const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    RECT rect{};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&rect));
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(header, &point);
    return point;
}

class ListViewTest : public ViewTest {
protected:
    HWND MakeList(DWORD style, RECT rect = {10, 10, 310, 210}) {
        return CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | style, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, parent_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), nullptr,
                               nullptr);
    }

    static int AddColumn(HWND list, int index, const char* text, int width) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(text);
        column.cx = width;
        return static_cast<int>(SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(&column)));
    }

    static int AddRow(HWND list, const char* text, LPARAM data, int at = 0x7FFFFFFF) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = at;
        item.pszText = const_cast<char*>(text);
        item.lParam = data;
        return static_cast<int>(
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }

    static void SetText(HWND list, int row, int column, const char* text) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text);
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }

    static std::string Text(HWND list, int row, int column, int capacity = 256) {
        return CellText(list, row, column, capacity);
    }

    static BOOL SetState(HWND list, int row, UINT state, UINT mask) {
        LVITEMA item{};
        item.state = state;
        item.stateMask = mask;
        return static_cast<BOOL>(SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                                              reinterpret_cast<LPARAM>(&item)));
    }

    static UINT State(HWND list, int row) {
        return static_cast<UINT>(
            SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), 0xFFFF));
    }

    static LPARAM Data(HWND list, int row) {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.lParam;
    }

    static int HeaderHeight(HWND list) {
        HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
        RECT rect{};
        GetClientRect(header, &rect);
        return rect.bottom;
    }

    // An owner-drawn report list with three columns (60, 80, 100) and rows of 20 pixels.
    HWND OwnerDrawnList(int rows, DWORD style = LVS_SHOWSELALWAYS) {
        rowHeight_ = kRowHeight;
        HWND list = MakeList(LVS_REPORT | LVS_OWNERDRAWFIXED | style);
        AddColumn(list, 0, "a", 60);
        AddColumn(list, 1, "b", 80);
        AddColumn(list, 2, "c", 100);
        for (int i = 0; i < rows; ++i) {
            AddRow(list, ("row" + std::to_string(i)).c_str(), 100 + i);
        }
        notices_.clear();
        return list;
    }
};

}  // namespace platform::testing
