// The messages of the tree view control, each handed to the member that does the work.
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/TreeViewControl.h"

namespace platform::views {

LRESULT TreeViewControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_CREATE:
            itemHeight_ = DefaultItemHeight();
            return 0;
        case WM_DESTROY:
            // The parent frees what item data points to as each item goes.
            Delete(TVI_ROOT);
            return 0;
        case WM_SIZE:
            ScrollTo(topRow_);
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (!itemHeightSet_) {
                itemHeight_ = DefaultItemHeight();
            }
            if (LOWORD(lParam) != 0) {
                InvalidateRect(hwnd_, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
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
            MouseDown(point, message == WM_RBUTTONDOWN, message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            MouseUp(message == WM_RBUTTONUP);
            return 0;
        case WM_KEYDOWN:
            KeyDown(wParam);
            return 0;
        case WM_VSCROLL:
            Scroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(topRow_ - WheelLines(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case TVM_INSERTITEMA:
            return reinterpret_cast<LRESULT>(
                Insert(reinterpret_cast<const TVINSERTSTRUCTA*>(lParam)));
        case TVM_DELETEITEM:
            return Delete(reinterpret_cast<HTREEITEM>(lParam));
        case TVM_EXPAND: {
            Node* node = Find(reinterpret_cast<HTREEITEM>(lParam));
            return node != nullptr ? Expand(node, static_cast<UINT>(wParam), false) : FALSE;
        }
        case TVM_GETITEMRECT:
            return ItemRect(static_cast<BOOL>(wParam), reinterpret_cast<RECT*>(lParam));
        case TVM_GETCOUNT:
            return static_cast<LRESULT>(live_.size());
        case TVM_GETINDENT:
            return indent_;
        case TVM_SETINDENT:
            indent_ = std::max(static_cast<int>(wParam), 1);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        case TVM_GETIMAGELIST:
            return wParam <= TVSIL_STATE ? reinterpret_cast<LRESULT>(images_[wParam]) : 0;
        case TVM_SETIMAGELIST: {
            if (wParam > TVSIL_STATE) {
                return 0;
            }
            HIMAGELIST previous = images_[wParam];
            images_[wParam] = reinterpret_cast<HIMAGELIST>(lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return reinterpret_cast<LRESULT>(previous);
        }
        case TVM_GETNEXTITEM:
            return reinterpret_cast<LRESULT>(
                Next(reinterpret_cast<HTREEITEM>(lParam), static_cast<UINT>(wParam)));
        case TVM_SELECTITEM:
            return Select(static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam),
                          TVC_UNKNOWN);
        case TVM_GETITEMA:
            return GetItem(reinterpret_cast<TVITEMA*>(lParam));
        case TVM_SETITEMA:
            return SetItem(reinterpret_cast<const TVITEMA*>(lParam));
        case TVM_GETVISIBLECOUNT:
            return VisibleCount();
        case TVM_HITTEST: {
            auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
            return info != nullptr ? reinterpret_cast<LRESULT>(HitTest(info)) : 0;
        }
        case TVM_SORTCHILDREN:
            return SortChildren(reinterpret_cast<HTREEITEM>(lParam), wParam != 0);
        case TVM_ENSUREVISIBLE: {
            Node* node = Find(reinterpret_cast<HTREEITEM>(lParam));
            if (node == nullptr) {
                return FALSE;
            }
            EnsureShown(node);
            return TRUE;
        }
        case TVM_SETITEMHEIGHT: {
            const int previous = itemHeight_;
            const int height = static_cast<short>(LOWORD(wParam));
            itemHeightSet_ = height > 0;
            itemHeight_ = height > 0 ? height : DefaultItemHeight();
            ScrollTo(topRow_);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return previous;
        }
        case TVM_GETITEMHEIGHT:
            return itemHeight_;
        case TVM_SETBKCOLOR: {
            const COLORREF previous = backColor_;
            backColor_ = static_cast<COLORREF>(lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return previous;
        }
        case TVM_GETBKCOLOR:
            return backColor_;
        case TVM_SETTEXTCOLOR: {
            const COLORREF previous = textColor_;
            textColor_ = static_cast<COLORREF>(lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return previous;
        }
        case TVM_GETTEXTCOLOR:
            return textColor_;
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace platform::views
