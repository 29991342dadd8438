// The messages of the list view control, each handed to the member that does the work.
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ListViewControl.h"

namespace platform::views {

LRESULT ListViewControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_CREATE:
            Create();
            return 0;
        case WM_DESTROY:
            // The parent frees what item data points to as each row goes.
            DeleteAllItems();
            return 0;
        case WM_SIZE:
            Layout();
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            SendMessageA(header_, WM_SETFONT, wParam, lParam);
            MeasureRows();
            Layout();
            if (LOWORD(lParam) != 0) {
                InvalidateRect(hwnd_, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header != nullptr && header->hwndFrom == header_ && header_ != nullptr) {
                return HeaderNotify(header);
            }
            return 0;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            hasFocus_ = GainsFocus(message);
            InvalidateRect(hwnd_, nullptr, TRUE);
            NotifyFocus(hwnd_, hasFocus_);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            MouseDown(point, message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK,
                      message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK, wParam);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            MouseUp(point, message == WM_RBUTTONUP);
            return 0;
        case WM_KEYDOWN:
            KeyDown(wParam);
            return 0;
        case WM_VSCROLL:
        case WM_HSCROLL:
            Scroll(message == WM_VSCROLL, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_MOUSEWHEEL:
            Wheel(WheelLines(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case LVM_GETBKCOLOR:
            return backColor_;
        case LVM_SETBKCOLOR:
            backColor_ = static_cast<COLORREF>(lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return TRUE;
        case LVM_GETTEXTCOLOR:
            return textColor_;
        case LVM_SETTEXTCOLOR:
            textColor_ = static_cast<COLORREF>(lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return TRUE;
        case LVM_GETTEXTBKCOLOR:
            return textBackColor_;
        case LVM_SETTEXTBKCOLOR:
            textBackColor_ = static_cast<COLORREF>(lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return TRUE;
        case LVM_GETIMAGELIST:
            return wParam <= LVSIL_STATE ? reinterpret_cast<LRESULT>(images_[wParam]) : 0;
        case LVM_SETIMAGELIST: {
            if (wParam > LVSIL_STATE) {
                return 0;
            }
            HIMAGELIST previous = images_[wParam];
            images_[wParam] = reinterpret_cast<HIMAGELIST>(lParam);
            MeasureRows();
            InvalidateRect(hwnd_, nullptr, TRUE);
            return reinterpret_cast<LRESULT>(previous);
        }
        case LVM_GETITEMCOUNT:
            return Count();
        case LVM_GETITEMA:
            return GetItem(reinterpret_cast<LVITEMA*>(lParam));
        case LVM_SETITEMA:
            return SetItem(reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_INSERTITEMA:
            return InsertItem(reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_DELETEITEM:
            return DeleteItem(static_cast<int>(wParam));
        case LVM_DELETEALLITEMS:
            return DeleteAllItems();
        case LVM_GETNEXTITEM:
            return GetNextItem(static_cast<int>(wParam), LOWORD(lParam));
        case LVM_FINDITEMA:
            return FindItem(static_cast<int>(wParam), reinterpret_cast<const LVFINDINFOA*>(lParam));
        case LVM_GETITEMRECT:
            return ItemRect(static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
        case LVM_GETSUBITEMRECT:
            return SubItemRect(static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
        case LVM_HITTEST:
        case LVM_SUBITEMHITTEST: {
            auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
            return info != nullptr ? HitTest(info, message == LVM_SUBITEMHITTEST) : -1;
        }
        case LVM_ENSUREVISIBLE:
            return EnsureVisible(static_cast<int>(wParam));
        case LVM_REDRAWITEMS:
            for (int i = std::max(0, static_cast<int>(wParam));
                 i <= static_cast<int>(lParam) && i < Count(); ++i) {
                InvalidateRow(i);
            }
            return TRUE;
        case LVM_GETCOLUMNA:
            return GetColumn(static_cast<int>(wParam), reinterpret_cast<LVCOLUMNA*>(lParam));
        case LVM_SETCOLUMNA:
            return SetColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMNA*>(lParam));
        case LVM_INSERTCOLUMNA:
            return InsertColumn(static_cast<int>(wParam),
                                reinterpret_cast<const LVCOLUMNA*>(lParam));
        case LVM_DELETECOLUMN:
            return DeleteColumn(static_cast<int>(wParam));
        case LVM_GETCOLUMNWIDTH: {
            const int index = static_cast<int>(wParam);
            return index >= 0 && index < ColumnCount() ? columns_[static_cast<size_t>(index)].width
                                                       : 0;
        }
        case LVM_SETCOLUMNWIDTH:
            return SetColumnWidth(static_cast<int>(wParam), static_cast<short>(LOWORD(lParam)));
        case LVM_GETHEADER:
            return reinterpret_cast<LRESULT>(header_);
        case LVM_GETTOPINDEX:
            return topIndex_;
        case LVM_GETCOUNTPERPAGE:
            return CountPerPage();
        case LVM_SETITEMSTATE: {
            const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
            return item != nullptr
                       ? SetState(static_cast<int>(wParam), item->state, item->stateMask)
                       : FALSE;
        }
        case LVM_GETITEMSTATE: {
            const int index = static_cast<int>(wParam);
            return index >= 0 && index < Count()
                       ? rows_[static_cast<size_t>(index)].state & static_cast<UINT>(lParam)
                       : 0;
        }
        case LVM_GETITEMTEXTA:
            return GetItemText(static_cast<int>(wParam), reinterpret_cast<LVITEMA*>(lParam));
        case LVM_SETITEMTEXTA:
            return SetItemText(static_cast<int>(wParam), reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_SORTITEMS:
            return SortItems(static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));
        case LVM_GETSELECTEDCOUNT:
            return SelectedCount();
        case LVM_GETSELECTIONMARK:
            return mark_;
        case LVM_SETSELECTIONMARK: {
            const int previous = mark_;
            const int index = static_cast<int>(lParam);
            mark_ = index >= 0 && index < Count() ? index : -1;
            return previous;
        }
        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            const DWORD previous = extendedStyle_;
            const DWORD mask = wParam != 0 ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
            extendedStyle_ = (extendedStyle_ & ~mask) | (static_cast<DWORD>(lParam) & mask);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return previous;
        }
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return extendedStyle_;
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace platform::views
