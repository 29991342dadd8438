// The part of a page that its child controls leave uncovered, as a short list of rectangles: the
// area to paint (held rectangle 0) and the holes (the controls' rectangles) give a grid of cells
// between their edges; the cells no hole covers are kept, and touching cells of the same span are
// merged, first down each column, then across.
//
// Fixed capacities keep the split free of allocations: 30 rectangles, 60 edges per axis, 59 x 59
// cells.
#pragma once

#include "platform/base/WinTypes.h"

class CBackgroundRects {
public:
    static constexpr int kMaxRects = 30;
    static constexpr int kMaxEdges = 2 * kMaxRects;
    static constexpr int kMaxCells = (kMaxEdges - 1) * (kMaxEdges - 1);

    virtual ~CBackgroundRects() = default;

    // Holds (x, y, x + width, y + height); 1 without holding it when 30 are held already.
    int AddRect(int x, int y, int width, int height);
    int Reset();
    // Both edge arrays from the held rectangles, each sorted ascending.
    int CollectEdges();
    // Sorts the first 2 x held-count values ascending.
    void SortEdges(int* edges);
    void Split();
    // 1 for an empty cell or one that a hole contains.
    int IsCovered(const RECT& cell) const;
    // The uncovered rectangles of the last split; returns their count.
    int GetRects(const RECT** rects) const;

private:
    int xEdges_[kMaxEdges] = {};
    int yEdges_[kMaxEdges] = {};
    int count_ = 0;
    RECT result_[kMaxCells] = {};
    int resultCount_ = 0;
    RECT held_[kMaxRects] = {};
};
