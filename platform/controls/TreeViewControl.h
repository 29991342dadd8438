// The state and behaviour behind one "SysTreeView32" window. Items are nodes owned by their
// parents; an HTREEITEM is the node's address, checked against the set of live nodes before use,
// so that a stale or made-up handle fails instead of crashing. Rows are the visible items (those
// whose ancestors are all expanded) in order, one item height each, from the scroll position.
#pragma once

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/controls/ScrollBarSync.h"
#include "platform/controls/TreeView.h"

namespace platform::views {

class TreeViewControl {
public:
    explicit TreeViewControl(HWND hwnd) : hwnd_(hwnd) {}
    ~TreeViewControl();

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Node {
        std::string text;
        LPARAM data = 0;
        UINT state = 0;
        int image = 0;
        int selectedImage = 0;
        int childrenFlag = 0;
        Node* parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;
    };

    static HTREEITEM ToHandle(const Node* node) {
        return reinterpret_cast<HTREEITEM>(const_cast<Node*>(node));
    }
    Node* Find(HTREEITEM item) const;
    std::vector<std::unique_ptr<Node>>& SiblingsOf(Node* parent);
    int IndexInParent(const Node* node);
    bool HasChildren(const Node* node) const;
    int Depth(const Node* node) const;
    bool IsShown(const Node* node) const;

    // Rows and geometry.
    std::vector<Node*> Rows() const;
    int RowOf(const Node* node) const;
    int VisibleCount() const;
    int DefaultItemHeight() const;
    int LevelIndent(const Node* node) const;
    RECT LabelRect(const Node* node, int row) const;
    HTREEITEM HitTest(TVHITTESTINFO* info) const;
    void ScrollTo(int topRow);
    // Shows the rows on the window's vertical bar.
    void UpdateScrollBars();
    void EnsureShown(Node* node);

    // Changes.
    HTREEITEM Insert(const TVINSERTSTRUCTA* insert);
    BOOL Delete(HTREEITEM item);
    void DeleteNode(Node* node);
    void DeleteChildren(Node* parent);
    void Forget(Node* node);
    BOOL Expand(Node* node, UINT code, bool byUser);
    HTREEITEM Next(HTREEITEM item, UINT code) const;
    BOOL Select(UINT code, HTREEITEM item, UINT action);
    BOOL GetItem(TVITEMA* item) const;
    BOOL SetItem(const TVITEMA* item);
    BOOL ItemRect(BOOL textOnly, RECT* rect) const;
    BOOL SortChildren(HTREEITEM item, bool recurse);

    // Notifications.
    LRESULT Notify(UINT code, UINT action, const Node* oldNode, const Node* newNode);
    void FillItem(TVITEMA& item, const Node* node) const;

    // Input and painting.
    void MouseDown(POINT point, bool right, bool doubleClick);
    void MouseUp(bool right);
    void KeyDown(WPARAM key);
    void Scroll(int code, int position);
    void Paint();
    void PaintRow(HDC dc, const Node* node, int row);

    HWND hwnd_;
    std::vector<std::unique_ptr<Node>> roots_;
    std::unordered_set<const Node*> live_;
    Node* caret_ = nullptr;
    Node* dropTarget_ = nullptr;
    HFONT font_ = nullptr;
    HIMAGELIST images_[3] = {nullptr, nullptr, nullptr};
    // CLR_NONE (the -1 of TVM_SETBKCOLOR) means the system colour.
    COLORREF backColor_ = CLR_NONE;
    COLORREF textColor_ = CLR_NONE;
    int itemHeight_ = 16;
    bool itemHeightSet_ = false;
    int indent_ = 19;
    int topRow_ = 0;
    bool hasFocus_ = false;
    bool leftPressed_ = false;
    bool rightPressed_ = false;
    ScrollBarSync scrollBars_;
};

}  // namespace platform::views
