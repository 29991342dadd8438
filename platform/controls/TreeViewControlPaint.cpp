// Drawing of the tree view: dotted lines between items, plus and minus buttons, and the labels
// with the caret in the highlight colours.
#include "platform/controls/ControlSupport.h"
#include "platform/controls/TreeViewControl.h"
#include "platform/screen/ScreenApi.h"

namespace platform::views {
namespace {

constexpr int kButtonSize = 9;

void DottedVertical(HDC dc, int x, int top, int bottom, COLORREF color) {
    for (int y = top + ((top & 1) != 0 ? 1 : 0); y < bottom; y += 2) {
        SetPixelV(dc, x, y, color);
    }
}

void DottedHorizontal(HDC dc, int left, int right, int y, COLORREF color) {
    for (int x = left + ((left & 1) != 0 ? 1 : 0); x < right; x += 2) {
        SetPixelV(dc, x, y, color);
    }
}

}  // namespace

void TreeViewControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        const int saved = SaveDC(dc);
        FillSolid(dc, client, backColor_ == CLR_NONE ? GetSysColor(COLOR_WINDOW) : backColor_);
        SelectObject(dc, FontOrDefault(font_));
        SetBkMode(dc, TRANSPARENT);
        const std::vector<Node*> rows = Rows();
        for (int row = topRow_;
             row < static_cast<int>(rows.size()) && (row - topRow_) * itemHeight_ < client.bottom;
             ++row) {
            PaintRow(dc, rows[static_cast<size_t>(row)], row);
        }
        RestoreDC(dc, saved);
    }
    EndPaint(hwnd_, &paint);
}

void TreeViewControl::PaintRow(HDC dc, const Node* node, int row) {
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    const COLORREF back = backColor_ == CLR_NONE ? GetSysColor(COLOR_WINDOW) : backColor_;
    const COLORREF text = textColor_ == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : textColor_;
    const COLORREF lines = GetSysColor(COLOR_GRAYTEXT);
    const int top = (row - topRow_) * itemHeight_;
    const int bottom = top + itemHeight_;
    const int middle = top + itemHeight_ / 2;
    const int level = LevelIndent(node);
    const bool hasCell = level > 0;
    const int cellCenter = level - indent_ / 2;

    if ((style & TVS_HASLINES) && hasCell) {
        // One line per ancestor that has more siblings below, then this item's own branch.
        int ancestorCenter = cellCenter - indent_;
        for (const Node* up = node->parent; up != nullptr && ancestorCenter > 0;
             up = up->parent, ancestorCenter -= indent_) {
            const auto& siblings = up->parent != nullptr ? up->parent->children : roots_;
            if (!siblings.empty() && siblings.back().get() != up) {
                DottedVertical(dc, ancestorCenter, top, bottom, lines);
            }
        }
        const auto& siblings = node->parent != nullptr ? node->parent->children : roots_;
        const bool last = siblings.back().get() == node;
        const bool first = siblings.front().get() == node && node->parent == nullptr;
        DottedVertical(dc, cellCenter, first ? middle : top, last ? middle + 1 : bottom, lines);
        DottedHorizontal(dc, cellCenter, level, middle, lines);
    }
    if ((style & TVS_HASBUTTONS) && hasCell && HasChildren(node)) {
        const RECT box{cellCenter - kButtonSize / 2, middle - kButtonSize / 2,
                       cellCenter + kButtonSize / 2 + 1, middle + kButtonSize / 2 + 1};
        FillSolid(dc, box, back);
        ScopedBrush frame(lines);
        FrameRect(dc, &box, frame.get());
        FillSolid(dc, RECT{box.left + 2, middle, box.right - 2, middle + 1}, text);
        if ((node->state & TVIS_EXPANDED) == 0) {
            FillSolid(dc, RECT{cellCenter, box.top + 2, cellCenter + 1, box.bottom - 2}, text);
        }
    }
    RECT label = LabelRect(node, row);
    if (images_[TVSIL_NORMAL] != nullptr) {
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(images_[TVSIL_NORMAL], &width, &height);
        const int image = node == caret_ ? node->selectedImage : node->image;
        ImageList_Draw(images_[TVSIL_NORMAL], image, dc, level, top + (itemHeight_ - height) / 2,
                       ILD_TRANSPARENT);
    }
    const bool showCaret =
        (node == caret_ && (hasFocus_ || (style & TVS_SHOWSELALWAYS))) || node == dropTarget_;
    COLORREF labelText = text;
    if (showCaret) {
        const bool strong = hasFocus_ || node == dropTarget_;
        RECT fill = label;
        if (style & TVS_FULLROWSELECT) {
            RECT client{};
            GetClientRect(hwnd_, &client);
            fill.right = client.right;
        }
        FillSolid(dc, fill, GetSysColor(strong ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        if (strong) {
            labelText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        }
    }
    SetTextColor(dc, labelText);
    label.left += 2;
    DrawTextA(dc, node->text.c_str(), static_cast<int>(node->text.size()), &label,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace platform::views
