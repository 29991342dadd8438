// Mouse, keyboard and scrolling of the tree view.
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/controls/TreeViewControl.h"

namespace platform::views {

void TreeViewControl::MouseDown(POINT point, bool right, bool doubleClick) {
    if (GetFocus() != hwnd_) {
        SetFocus(hwnd_);
    }
    TVHITTESTINFO hit{};
    hit.pt = point;
    Node* node = Find(HitTest(&hit));
    const bool wholeRow = (GetWindowLongA(hwnd_, GWL_STYLE) & TVS_FULLROWSELECT) != 0;
    const bool onItem =
        node != nullptr && ((hit.flags & TVHT_ONITEM) != 0 ||
                            (wholeRow && (hit.flags & (TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT))));
    if (right) {
        rightPressed_ = true;
        SetCapture(hwnd_);
        return;
    }
    if (node != nullptr && (hit.flags & TVHT_ONITEMBUTTON)) {
        Expand(node, TVE_TOGGLE, true);
    } else if (onItem) {
        Select(TVGN_CARET, ToHandle(node), TVC_BYMOUSE);
    }
    if (doubleClick) {
        NMHDR notice{};
        const bool handled = SendNotify(hwnd_, notice, NM_DBLCLK) != 0;
        node = Find(ToHandle(node));
        if (!handled && onItem && node != nullptr) {
            Expand(node, TVE_TOGGLE, true);
        }
        return;
    }
    leftPressed_ = true;
    SetCapture(hwnd_);
}

void TreeViewControl::MouseUp(bool right) {
    bool& pressed = right ? rightPressed_ : leftPressed_;
    if (!pressed) {
        return;
    }
    pressed = false;
    if (GetCapture() == hwnd_ && !leftPressed_ && !rightPressed_) {
        ReleaseCapture();
    }
    NMHDR notice{};
    SendNotify(hwnd_, notice, right ? NM_RCLICK : NM_CLICK);
}

void TreeViewControl::KeyDown(WPARAM key) {
    NMTVKEYDOWN notice{};
    notice.wVKey = static_cast<WORD>(key);
    SendNotify(hwnd_, notice.hdr, TVN_KEYDOWN);
    const std::vector<Node*> rows = Rows();
    if (rows.empty()) {
        return;
    }
    const int count = static_cast<int>(rows.size());
    const int row = caret_ != nullptr ? RowOf(caret_) : -1;
    const int page = std::max(1, VisibleCount() - 1);
    int target = -1;
    switch (key) {
        case VK_UP:
            target = row < 0 ? 0 : row - 1;
            break;
        case VK_DOWN:
            target = row < 0 ? 0 : row + 1;
            break;
        case VK_PRIOR:
            target = row - page;
            break;
        case VK_NEXT:
            target = row < 0 ? page : row + page;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count - 1;
            break;
        case VK_LEFT:
            if (caret_ == nullptr) {
                return;
            }
            if ((caret_->state & TVIS_EXPANDED) && HasChildren(caret_)) {
                Expand(caret_, TVE_COLLAPSE, true);
            } else if (caret_->parent != nullptr) {
                Select(TVGN_CARET, ToHandle(caret_->parent), TVC_BYKEYBOARD);
            }
            return;
        case VK_RIGHT:
            if (caret_ == nullptr || !HasChildren(caret_)) {
                return;
            }
            if ((caret_->state & TVIS_EXPANDED) == 0) {
                Expand(caret_, TVE_EXPAND, true);
            } else if (!caret_->children.empty()) {
                Select(TVGN_CARET, ToHandle(caret_->children.front().get()), TVC_BYKEYBOARD);
            }
            return;
        case VK_ADD:
        case VK_SUBTRACT:
            if (caret_ != nullptr) {
                Expand(caret_, key == VK_ADD ? TVE_EXPAND : TVE_COLLAPSE, true);
            }
            return;
        default:
            return;
    }
    target = std::clamp(target, 0, count - 1);
    Select(TVGN_CARET, ToHandle(rows[static_cast<size_t>(target)]), TVC_BYKEYBOARD);
}

void TreeViewControl::Scroll(int code, int position) {
    const int page = std::max(1, VisibleCount());
    switch (code) {
        case SB_LINEUP:
            ScrollTo(topRow_ - 1);
            break;
        case SB_LINEDOWN:
            ScrollTo(topRow_ + 1);
            break;
        case SB_PAGEUP:
            ScrollTo(topRow_ - page);
            break;
        case SB_PAGEDOWN:
            ScrollTo(topRow_ + page);
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            ScrollTo(position);
            break;
        case SB_TOP:
            ScrollTo(0);
            break;
        case SB_BOTTOM:
            ScrollTo(static_cast<int>(Rows().size()));
            break;
        default:
            break;
    }
}

}  // namespace platform::views
