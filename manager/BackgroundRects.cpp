#include "manager/BackgroundRects.h"

#include <algorithm>
#include <array>

int CBackgroundRects::AddRect(int x, int y, int width, int height) {
    if (count_ >= kMaxRects) {
        return 1;
    }
    held_[count_++] = RECT{x, y, x + width, y + height};
    return 0;
}

int CBackgroundRects::Reset() {
    count_ = 0;
    return 0;
}

int CBackgroundRects::CollectEdges() {
    for (int i = 0; i < count_; ++i) {
        xEdges_[2 * i] = held_[i].left;
        xEdges_[2 * i + 1] = held_[i].right;
        yEdges_[2 * i] = held_[i].top;
        yEdges_[2 * i + 1] = held_[i].bottom;
    }
    SortEdges(xEdges_);
    SortEdges(yEdges_);
    return 0;
}

void CBackgroundRects::SortEdges(int* edges) {
    std::sort(edges, edges + 2 * count_);
}

void CBackgroundRects::Split() {
    resultCount_ = 0;
    const int lines = 2 * count_ - 1;
    for (int i = 0; i < lines; ++i) {
        for (int j = 0; j < lines; ++j) {
            const RECT cell{xEdges_[i], yEdges_[j], xEdges_[i + 1], yEdges_[j + 1]};
            if (!IsCovered(cell)) {
                result_[resultCount_++] = cell;
            }
        }
    }
    // A whole run of touching cells with the same span grows into its first cell. Absorbed cells
    // are marked apart from their coordinates, which may be negative for a control partly
    // outside the page.
    std::array<bool, kMaxCells> absorbed{};
    for (int i = 0; i + 1 < resultCount_; ++i) {
        for (int j = i + 1; j < resultCount_ && !absorbed[i]; ++j) {
            RECT& first = result_[i];
            const RECT& next = result_[j];
            if (!absorbed[j] && first.left == next.left && first.right == next.right &&
                first.bottom == next.top) {
                first.bottom = next.bottom;
                absorbed[j] = true;
            }
        }
    }
    for (int i = 0; i + 1 < resultCount_; ++i) {
        for (int j = i + 1; j < resultCount_ && !absorbed[i]; ++j) {
            RECT& first = result_[i];
            const RECT& next = result_[j];
            if (!absorbed[j] && first.top == next.top && first.bottom == next.bottom &&
                first.right == next.left) {
                first.right = next.right;
                absorbed[j] = true;
            }
        }
    }
    int kept = 0;
    for (int i = 0; i < resultCount_; ++i) {
        if (!absorbed[i]) {
            result_[kept++] = result_[i];
        }
    }
    resultCount_ = kept;
}

int CBackgroundRects::IsCovered(const RECT& cell) const {
    if (cell.left == cell.right || cell.top == cell.bottom) {
        return 1;
    }
    for (int k = 1; k < count_; ++k) {
        const RECT& hole = held_[k];
        if (hole.left <= cell.left && cell.right <= hole.right && hole.top <= cell.top &&
            cell.bottom <= hole.bottom) {
            return 1;
        }
    }
    return 0;
}

int CBackgroundRects::GetRects(const RECT** rects) const {
    *rects = result_;
    return resultCount_;
}
