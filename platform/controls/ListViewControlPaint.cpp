// Drawing of the list view: plain rows with the selection in the highlight colours, or rows that
// the parent draws itself (LVS_OWNERDRAWFIXED).
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ListViewControl.h"
#include "platform/screen/ScreenApi.h"

namespace platform::views {
namespace {

constexpr int kFirstTextIndent = 2;
constexpr int kSubItemTextIndent = 6;

}  // namespace

void ListViewControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        const RECT client = Client();
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, 0, headerHeight_, client.right, client.bottom);
        if (backColor_ != CLR_NONE) {
            FillSolid(dc, RECT{0, headerHeight_, client.right, client.bottom}, backColor_);
        }
        SelectObject(dc, FontOrDefault(font_));
        const bool ownerDraw = (GetWindowLongA(hwnd_, GWL_STYLE) & LVS_OWNERDRAWFIXED) != 0;
        for (int i = topIndex_; i < Count() && RowBounds(i).top < client.bottom; ++i) {
            if (ownerDraw) {
                DrawOwnerRow(dc, i, hasFocus_);
            } else {
                PaintRow(dc, i, hasFocus_);
            }
        }
        if (extendedStyle_ & LVS_EX_GRIDLINES) {
            const COLORREF grid = GetSysColor(COLOR_BTNFACE);
            for (int y = headerHeight_ + rowHeight_ - 1; y < client.bottom; y += rowHeight_) {
                FillSolid(dc, RECT{0, y, client.right, y + 1}, grid);
            }
            for (int column = 1; column <= ColumnCount(); ++column) {
                const int x = ColumnLeft(column) - 1;
                FillSolid(dc, RECT{x, headerHeight_, x + 1, client.bottom}, grid);
            }
        }
        RestoreDC(dc, saved);
    }
    EndPaint(hwnd_, &paint);
}

void ListViewControl::DrawOwnerRow(HDC dc, int index, bool focused) {
    const Row& row = rows_[static_cast<size_t>(index)];
    const bool showSelection =
        focused || (GetWindowLongA(hwnd_, GWL_STYLE) & LVS_SHOWSELALWAYS) != 0;
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_LISTVIEW;
    draw.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd_));
    draw.itemID = static_cast<UINT>(index);
    draw.itemAction = ODA_DRAWENTIRE;
    if ((row.state & LVIS_SELECTED) && showSelection) {
        draw.itemState |= ODS_SELECTED;
    }
    if ((row.state & LVIS_FOCUSED) && focused) {
        draw.itemState |= ODS_FOCUS;
    }
    draw.hwndItem = hwnd_;
    draw.hDC = dc;
    draw.rcItem = RowBounds(index);
    draw.itemData = static_cast<ULONG_PTR>(row.data);
    HWND parent = GetParent(hwnd_);
    if (parent == nullptr) {
        return;
    }
    // What the owner selects into the DC stays with its row.
    const int saved = SaveDC(dc);
    SendMessageA(parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
    RestoreDC(dc, saved);
}

void ListViewControl::PaintRow(HDC dc, int index, bool focused) {
    const Row& row = rows_[static_cast<size_t>(index)];
    const bool showSelection =
        (row.state & LVIS_SELECTED) &&
        (focused || (GetWindowLongA(hwnd_, GWL_STYLE) & LVS_SHOWSELALWAYS) != 0);
    const bool wholeRow = (extendedStyle_ & LVS_EX_FULLROWSELECT) != 0;
    const RECT bounds = RowBounds(index);
    RECT icon{LVIR_ICON, 0, 0, 0};
    ItemRect(index, &icon);
    RECT label{LVIR_LABEL, 0, 0, 0};
    ItemRect(index, &label);
    if (textBackColor_ != CLR_NONE && textBackColor_ != CLR_DEFAULT) {
        FillSolid(dc, bounds, textBackColor_);
    }
    const COLORREF selectionBack = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    const COLORREF selectionText = focused ? GetSysColor(COLOR_HIGHLIGHTTEXT) : textColor_;
    if (showSelection) {
        FillSolid(dc, wholeRow ? RECT{label.left, bounds.top, bounds.right, bounds.bottom} : label,
                  selectionBack);
    }
    if (images_[LVSIL_SMALL] != nullptr && icon.right > icon.left) {
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(images_[LVSIL_SMALL], &width, &height);
        ImageList_Draw(images_[LVSIL_SMALL], row.image, dc, icon.left,
                       icon.top + (rowHeight_ - height) / 2, ILD_TRANSPARENT);
    }
    SetBkMode(dc, TRANSPARENT);
    for (int column = 0; column < ColumnCount(); ++column) {
        RECT text{ColumnLeft(column) + kSubItemTextIndent, bounds.top,
                  ColumnLeft(column + 1) - kSubItemTextIndent, bounds.bottom};
        if (column == 0) {
            text.left = label.left + kFirstTextIndent;
        }
        const bool highlighted = showSelection && (column == 0 || wholeRow);
        SetTextColor(dc, highlighted ? selectionText : textColor_);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        const int justify = columns_[static_cast<size_t>(column)].format & LVCFMT_JUSTIFYMASK;
        if (justify == LVCFMT_RIGHT) {
            format |= DT_RIGHT;
        } else if (justify == LVCFMT_CENTER) {
            format |= DT_CENTER;
        }
        const std::string& value = TextOf(row, column);
        DrawTextA(dc, value.c_str(), static_cast<int>(value.size()), &text, format);
    }
}

}  // namespace platform::views
