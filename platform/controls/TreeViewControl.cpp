#include "platform/controls/TreeViewControl.h"

#include <algorithm>
#include <cstring>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/controls/TolerantMergeSort.h"
#include "platform/text/Gbk.h"

namespace platform::views {
namespace {

const LPSTR kTextCallback = reinterpret_cast<LPSTR>(-1);
constexpr int kRowPadding = 3;
constexpr int kLabelPadding = 2;

}  // namespace

TreeViewControl::~TreeViewControl() = default;

TreeViewControl::Node* TreeViewControl::Find(HTREEITEM item) const {
    auto* node = reinterpret_cast<Node*>(item);
    return live_.count(node) != 0 ? node : nullptr;
}

std::vector<std::unique_ptr<TreeViewControl::Node>>& TreeViewControl::SiblingsOf(Node* parent) {
    return parent != nullptr ? parent->children : roots_;
}

int TreeViewControl::IndexInParent(const Node* node) {
    const auto& siblings = SiblingsOf(node->parent);
    for (size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i].get() == node) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool TreeViewControl::HasChildren(const Node* node) const {
    return !node->children.empty() || node->childrenFlag != 0;
}

int TreeViewControl::Depth(const Node* node) const {
    int depth = 0;
    for (const Node* up = node->parent; up != nullptr; up = up->parent) {
        ++depth;
    }
    return depth;
}

bool TreeViewControl::IsShown(const Node* node) const {
    for (const Node* up = node->parent; up != nullptr; up = up->parent) {
        if ((up->state & TVIS_EXPANDED) == 0) {
            return false;
        }
    }
    return true;
}

std::vector<TreeViewControl::Node*> TreeViewControl::Rows() const {
    std::vector<Node*> rows;
    std::vector<std::pair<const std::vector<std::unique_ptr<Node>>*, size_t>> stack;
    stack.emplace_back(&roots_, 0);
    while (!stack.empty()) {
        auto& [siblings, next] = stack.back();
        if (next >= siblings->size()) {
            stack.pop_back();
            continue;
        }
        Node* node = (*siblings)[next++].get();
        rows.push_back(node);
        if ((node->state & TVIS_EXPANDED) && !node->children.empty()) {
            stack.emplace_back(&node->children, 0);
        }
    }
    return rows;
}

int TreeViewControl::RowOf(const Node* node) const {
    const std::vector<Node*> rows = Rows();
    const auto found = std::find(rows.begin(), rows.end(), node);
    return found != rows.end() ? static_cast<int>(found - rows.begin()) : -1;
}

int TreeViewControl::DefaultItemHeight() const {
    return LineHeight(font_) + kRowPadding;
}

int TreeViewControl::VisibleCount() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return std::max(0, client.bottom / itemHeight_);
}

int TreeViewControl::LevelIndent(const Node* node) const {
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    const bool rootCell =
        (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS)) != 0;
    return (Depth(node) + (rootCell ? 1 : 0)) * indent_;
}

RECT TreeViewControl::LabelRect(const Node* node, int row) const {
    int left = LevelIndent(node);
    int imageWidth = 0;
    int imageHeight = 0;
    if (images_[TVSIL_NORMAL] != nullptr &&
        ImageList_GetIconSize(images_[TVSIL_NORMAL], &imageWidth, &imageHeight)) {
        left += imageWidth;
    }
    const int top = (row - topRow_) * itemHeight_;
    return RECT{left, top, left + TextWidth(font_, node->text) + 2 * kLabelPadding,
                top + itemHeight_};
}

HTREEITEM TreeViewControl::HitTest(TVHITTESTINFO* info) const {
    info->hItem = nullptr;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const POINT point = info->pt;
    UINT outside = 0;
    if (point.y < 0) {
        outside |= TVHT_ABOVE;
    } else if (point.y >= client.bottom) {
        outside |= TVHT_BELOW;
    }
    if (point.x < 0) {
        outside |= TVHT_TOLEFT;
    } else if (point.x >= client.right) {
        outside |= TVHT_TORIGHT;
    }
    if (outside != 0) {
        info->flags = outside;
        return nullptr;
    }
    const std::vector<Node*> rows = Rows();
    const int row = topRow_ + point.y / itemHeight_;
    if (row >= static_cast<int>(rows.size())) {
        info->flags = TVHT_NOWHERE;
        return nullptr;
    }
    const Node* node = rows[static_cast<size_t>(row)];
    const int level = LevelIndent(node);
    const RECT label = LabelRect(node, row);
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    if (point.x < level) {
        const bool onButton = point.x >= level - indent_ && (style & TVS_HASBUTTONS) &&
                              HasChildren(node) && (node->parent != nullptr || level > 0);
        info->flags = onButton ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    } else if (point.x < label.left) {
        info->flags = TVHT_ONITEMICON;
    } else if (point.x < label.right) {
        info->flags = TVHT_ONITEMLABEL;
    } else {
        info->flags = TVHT_ONITEMRIGHT;
    }
    info->hItem = ToHandle(node);
    return info->hItem;
}

void TreeViewControl::ScrollTo(int topRow) {
    const int count = static_cast<int>(Rows().size());
    topRow = std::clamp(topRow, 0, std::max(0, count - std::max(1, VisibleCount())));
    if (topRow != topRow_) {
        topRow_ = topRow;
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    UpdateScrollBars();
}

void TreeViewControl::UpdateScrollBars() {
    if (GetWindowLongA(hwnd_, GWL_STYLE) & TVS_NOSCROLL) {
        return;
    }
    // Rows scroll by whole items. The tree does not scroll sideways, so a horizontal bar it was
    // made with has nothing to show and goes.
    scrollBars_.Update(hwnd_, [this](int bar) {
        if (bar != SB_VERT) {
            return ScrollBarValues{};
        }
        return ScrollBarValues{static_cast<int>(Rows().size()) - 1, VisibleCount(), topRow_};
    });
}

void TreeViewControl::EnsureShown(Node* node) {
    std::vector<Node*> ancestors;
    for (Node* up = node->parent; up != nullptr; up = up->parent) {
        ancestors.push_back(up);
    }
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        if (live_.count(*it) != 0) {
            Expand(*it, TVE_EXPAND, false);
        }
    }
    if (live_.count(node) == 0) {
        return;
    }
    const int row = RowOf(node);
    if (row < 0) {
        return;
    }
    const int visible = std::max(1, VisibleCount());
    if (row < topRow_) {
        ScrollTo(row);
    } else if (row >= topRow_ + visible) {
        ScrollTo(row - visible + 1);
    }
}

HTREEITEM TreeViewControl::Insert(const TVINSERTSTRUCTA* insert) {
    if (insert == nullptr) {
        return nullptr;
    }
    Node* parent = nullptr;
    if (insert->hParent != nullptr && insert->hParent != TVI_ROOT) {
        parent = Find(insert->hParent);
        if (parent == nullptr) {
            return nullptr;
        }
    }
    const TVITEMA& item = insert->item;
    auto node = std::make_unique<Node>();
    node->parent = parent;
    if ((item.mask & TVIF_TEXT) && item.pszText != kTextCallback) {
        node->text = TextIn(item.pszText);
    }
    if (item.mask & TVIF_PARAM) {
        node->data = item.lParam;
    }
    if (item.mask & TVIF_STATE) {
        // The caret is chosen with TVM_SELECTITEM, never by a state bit.
        node->state = item.state & item.stateMask & ~static_cast<UINT>(TVIS_SELECTED);
    }
    if (item.mask & TVIF_IMAGE) {
        node->image = item.iImage;
    }
    if (item.mask & TVIF_SELECTEDIMAGE) {
        node->selectedImage = item.iSelectedImage;
    }
    if (item.mask & TVIF_CHILDREN) {
        node->childrenFlag = item.cChildren;
    }
    auto& siblings = SiblingsOf(parent);
    size_t position = siblings.size();
    const HTREEITEM after = insert->hInsertAfter;
    if (after == TVI_FIRST) {
        position = 0;
    } else if (after == TVI_SORT) {
        position = 0;
        while (position < siblings.size() &&
               CompareNoCase(siblings[position]->text, node->text) <= 0) {
            ++position;
        }
    } else if (after != TVI_LAST && after != nullptr && after != TVI_ROOT) {
        Node* previous = Find(after);
        if (previous == nullptr) {
            return nullptr;
        }
        if (previous->parent == parent) {
            position = static_cast<size_t>(IndexInParent(previous)) + 1;
        }
    }
    Node* added = node.get();
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(position), std::move(node));
    live_.insert(added);
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateScrollBars();
    return ToHandle(added);
}

void TreeViewControl::Forget(Node* node) {
    if (caret_ == node) {
        caret_ = nullptr;
    }
    if (dropTarget_ == node) {
        dropTarget_ = nullptr;
    }
    live_.erase(node);
}

void TreeViewControl::DeleteChildren(Node* parent) {
    auto& children = SiblingsOf(parent);
    while (!children.empty()) {
        Node* child = children.back().get();
        DeleteNode(child);
        if (!children.empty() && children.back().get() == child) {
            Forget(child);
            children.pop_back();
        }
    }
}

void TreeViewControl::DeleteNode(Node* node) {
    // Children go first, the last one first, so that every notification names a live item.
    DeleteChildren(node);
    Notify(TVN_DELETEITEMA, 0, node, nullptr);
    if (live_.count(node) == 0) {
        return;
    }
    const int index = IndexInParent(node);
    Forget(node);
    auto& siblings = SiblingsOf(node->parent);
    if (index >= 0) {
        siblings.erase(siblings.begin() + index);
    }
}

BOOL TreeViewControl::Delete(HTREEITEM item) {
    if (item == nullptr || item == TVI_ROOT) {
        DeleteChildren(nullptr);
        caret_ = nullptr;
        topRow_ = 0;
        InvalidateRect(hwnd_, nullptr, TRUE);
        return TRUE;
    }
    Node* node = Find(item);
    if (node == nullptr) {
        return FALSE;
    }
    bool holdsCaret = false;
    for (const Node* up = caret_; up != nullptr; up = up->parent) {
        holdsCaret = holdsCaret || up == node;
    }
    if (holdsCaret) {
        // The caret moves to a neighbour that survives: the next sibling, the previous one, or
        // the parent.
        auto& siblings = SiblingsOf(node->parent);
        const int index = IndexInParent(node);
        Node* heir = node->parent;
        if (index + 1 < static_cast<int>(siblings.size())) {
            heir = siblings[static_cast<size_t>(index) + 1].get();
        } else if (index > 0) {
            heir = siblings[static_cast<size_t>(index) - 1].get();
        }
        Select(TVGN_CARET, ToHandle(heir), TVC_UNKNOWN);
        node = Find(item);
        if (node == nullptr) {
            return TRUE;
        }
    }
    DeleteNode(node);
    ScrollTo(topRow_);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

BOOL TreeViewControl::Expand(Node* node, UINT code, bool byUser) {
    UINT action = code & TVE_TOGGLE;
    if (action == TVE_TOGGLE) {
        action = (node->state & TVIS_EXPANDED) ? TVE_COLLAPSE : TVE_EXPAND;
    }
    if (action == 0) {
        return FALSE;
    }
    const bool expanding = action == TVE_EXPAND;
    if (expanding && !HasChildren(node)) {
        return FALSE;
    }
    if (((node->state & TVIS_EXPANDED) != 0) == expanding) {
        if (!expanding && (code & TVE_COLLAPSERESET)) {
            DeleteChildren(node);
            node->state &= ~static_cast<UINT>(TVIS_EXPANDEDONCE);
        }
        return TRUE;
    }
    // A program hears about an item's expansion only until it has been expanded once; the user's
    // own clicks and keys always notify.
    const bool notify = byUser || (node->state & TVIS_EXPANDEDONCE) == 0;
    if (notify && Notify(TVN_ITEMEXPANDINGA, action, nullptr, node) != 0) {
        return FALSE;
    }
    if (live_.count(node) == 0) {
        return FALSE;
    }
    if (expanding) {
        node->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    } else {
        node->state &= ~static_cast<UINT>(TVIS_EXPANDED);
        bool hidesCaret = false;
        for (const Node* up = caret_ != nullptr ? caret_->parent : nullptr; up != nullptr;
             up = up->parent) {
            hidesCaret = hidesCaret || up == node;
        }
        if (hidesCaret) {
            Select(TVGN_CARET, ToHandle(node), TVC_UNKNOWN);
        }
        if (code & TVE_COLLAPSERESET) {
            DeleteChildren(node);
            node->state &= ~static_cast<UINT>(TVIS_EXPANDEDONCE);
        }
    }
    ScrollTo(topRow_);
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (notify && live_.count(node) != 0) {
        Notify(TVN_ITEMEXPANDEDA, action, nullptr, node);
    }
    return TRUE;
}

HTREEITEM TreeViewControl::Next(HTREEITEM item, UINT code) const {
    switch (code) {
        case TVGN_ROOT:
            return roots_.empty() ? nullptr : ToHandle(roots_.front().get());
        case TVGN_CARET:
            return ToHandle(caret_);
        case TVGN_DROPHILITE:
            return ToHandle(dropTarget_);
        case TVGN_FIRSTVISIBLE: {
            const std::vector<Node*> rows = Rows();
            return topRow_ < static_cast<int>(rows.size())
                       ? ToHandle(rows[static_cast<size_t>(topRow_)])
                       : nullptr;
        }
        case TVGN_LASTVISIBLE: {
            const std::vector<Node*> rows = Rows();
            return rows.empty() ? nullptr : ToHandle(rows.back());
        }
        default:
            break;
    }
    if (code == TVGN_CHILD && (item == nullptr || item == TVI_ROOT)) {
        return roots_.empty() ? nullptr : ToHandle(roots_.front().get());
    }
    Node* node = Find(item);
    if (node == nullptr) {
        return nullptr;
    }
    switch (code) {
        case TVGN_CHILD:
            return node->children.empty() ? nullptr : ToHandle(node->children.front().get());
        case TVGN_PARENT:
            return ToHandle(node->parent);
        case TVGN_NEXT:
        case TVGN_PREVIOUS: {
            auto& siblings = const_cast<TreeViewControl*>(this)->SiblingsOf(node->parent);
            const int index = const_cast<TreeViewControl*>(this)->IndexInParent(node);
            const int wanted = code == TVGN_NEXT ? index + 1 : index - 1;
            return wanted >= 0 && wanted < static_cast<int>(siblings.size())
                       ? ToHandle(siblings[static_cast<size_t>(wanted)].get())
                       : nullptr;
        }
        case TVGN_NEXTVISIBLE:
        case TVGN_PREVIOUSVISIBLE: {
            if (!IsShown(node)) {
                return nullptr;
            }
            const std::vector<Node*> rows = Rows();
            const int row =
                static_cast<int>(std::find(rows.begin(), rows.end(), node) - rows.begin());
            const int wanted = code == TVGN_NEXTVISIBLE ? row + 1 : row - 1;
            return wanted >= 0 && wanted < static_cast<int>(rows.size())
                       ? ToHandle(rows[static_cast<size_t>(wanted)])
                       : nullptr;
        }
        default:
            return nullptr;
    }
}

BOOL TreeViewControl::Select(UINT code, HTREEITEM item, UINT action) {
    Node* node = item != nullptr ? Find(item) : nullptr;
    if (item != nullptr && node == nullptr) {
        return FALSE;
    }
    switch (code) {
        case TVGN_CARET: {
            if (node == caret_) {
                if (node != nullptr) {
                    EnsureShown(node);
                }
                return TRUE;
            }
            Node* old = caret_;
            if (Notify(TVN_SELCHANGINGA, action, old, node) != 0) {
                return FALSE;
            }
            if ((node != nullptr && live_.count(node) == 0)) {
                return FALSE;
            }
            if (old != nullptr && live_.count(old) != 0) {
                old->state &= ~static_cast<UINT>(TVIS_SELECTED);
            } else {
                old = nullptr;
            }
            caret_ = node;
            if (node != nullptr) {
                node->state |= TVIS_SELECTED;
                EnsureShown(node);
            }
            InvalidateRect(hwnd_, nullptr, TRUE);
            Notify(TVN_SELCHANGEDA, action, old, caret_);
            return TRUE;
        }
        case TVGN_FIRSTVISIBLE:
            if (node == nullptr) {
                return FALSE;
            }
            EnsureShown(node);
            ScrollTo(RowOf(node));
            return TRUE;
        case TVGN_DROPHILITE:
            if (dropTarget_ != nullptr) {
                dropTarget_->state &= ~static_cast<UINT>(TVIS_DROPHILITED);
            }
            dropTarget_ = node;
            if (node != nullptr) {
                node->state |= TVIS_DROPHILITED;
            }
            InvalidateRect(hwnd_, nullptr, TRUE);
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL TreeViewControl::GetItem(TVITEMA* item) const {
    if (item == nullptr) {
        return FALSE;
    }
    const Node* node = Find(item->hItem);
    if (node == nullptr) {
        return FALSE;
    }
    if (item->mask & TVIF_TEXT) {
        CopyTextOut(node->text, item->pszText, item->cchTextMax);
    }
    if (item->mask & TVIF_PARAM) {
        item->lParam = node->data;
    }
    if (item->mask & TVIF_STATE) {
        item->state = node->state & item->stateMask;
    }
    if (item->mask & TVIF_IMAGE) {
        item->iImage = node->image;
    }
    if (item->mask & TVIF_SELECTEDIMAGE) {
        item->iSelectedImage = node->selectedImage;
    }
    if (item->mask & TVIF_CHILDREN) {
        item->cChildren = HasChildren(node) ? 1 : 0;
    }
    return TRUE;
}

BOOL TreeViewControl::SetItem(const TVITEMA* item) {
    if (item == nullptr) {
        return FALSE;
    }
    Node* node = Find(item->hItem);
    if (node == nullptr) {
        return FALSE;
    }
    if (item->mask & TVIF_TEXT) {
        node->text = item->pszText == kTextCallback ? "" : TextIn(item->pszText);
    }
    if (item->mask & TVIF_PARAM) {
        node->data = item->lParam;
    }
    if (item->mask & TVIF_STATE) {
        node->state = (node->state & ~item->stateMask) | (item->state & item->stateMask);
    }
    if (item->mask & TVIF_IMAGE) {
        node->image = item->iImage;
    }
    if (item->mask & TVIF_SELECTEDIMAGE) {
        node->selectedImage = item->iSelectedImage;
    }
    if (item->mask & TVIF_CHILDREN) {
        node->childrenFlag = item->cChildren;
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

BOOL TreeViewControl::ItemRect(BOOL textOnly, RECT* rect) const {
    if (rect == nullptr) {
        return FALSE;
    }
    HTREEITEM item = nullptr;
    static_assert(sizeof(HTREEITEM) <= sizeof(RECT));
    std::memcpy(&item, rect, sizeof(item));
    const Node* node = Find(item);
    if (node == nullptr || !IsShown(node)) {
        return FALSE;
    }
    const int row = RowOf(node);
    if (textOnly) {
        *rect = LabelRect(node, row);
    } else {
        RECT client{};
        GetClientRect(hwnd_, &client);
        const int top = (row - topRow_) * itemHeight_;
        *rect = RECT{0, top, client.right, top + itemHeight_};
    }
    return TRUE;
}

BOOL TreeViewControl::SortChildren(HTREEITEM item, bool recurse) {
    Node* parent = nullptr;
    if (item != nullptr && item != TVI_ROOT) {
        parent = Find(item);
        if (parent == nullptr) {
            return FALSE;
        }
    }
    auto& siblings = SiblingsOf(parent);
    std::vector<size_t> positions(siblings.size());
    for (size_t i = 0; i < positions.size(); ++i) {
        positions[i] = i;
    }
    TolerantMergeSort(positions, [&](size_t left, size_t right) {
        return CompareNoCase(siblings[left]->text, siblings[right]->text);
    });
    std::vector<std::unique_ptr<Node>> sorted;
    sorted.reserve(siblings.size());
    for (size_t position : positions) {
        sorted.push_back(std::move(siblings[position]));
    }
    siblings = std::move(sorted);
    if (recurse) {
        for (const auto& child : siblings) {
            SortChildren(ToHandle(child.get()), true);
        }
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

void TreeViewControl::FillItem(TVITEMA& item, const Node* node) const {
    if (node == nullptr) {
        return;
    }
    item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    item.hItem = ToHandle(node);
    item.state = node->state;
    item.stateMask = 0xFFFF;
    item.lParam = node->data;
}

LRESULT TreeViewControl::Notify(UINT code, UINT action, const Node* oldNode, const Node* newNode) {
    NMTREEVIEWA notice{};
    notice.action = action;
    FillItem(notice.itemOld, oldNode);
    FillItem(notice.itemNew, newNode);
    return SendNotify(hwnd_, notice.hdr, code);
}

}  // namespace platform::views
