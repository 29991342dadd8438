// A set of pixels made of disjoint rectangles, enough for the rectangular clip regions that
// SelectClipRgn, ExcludeClipRect and IntersectClipRect build. Rectangles are half-open:
// [left, right) x [top, bottom).
#pragma once

#include <vector>

#include "platform/base/WinTypes.h"

namespace platform {

class Region {
public:
    Region() = default;
    explicit Region(const RECT& rect);

    bool IsEmpty() const { return rects_.empty(); }
    const std::vector<RECT>& rects() const { return rects_; }
    // The smallest rectangle holding the region; all zero when empty.
    RECT Box() const;
    bool Contains(int x, int y) const;
    // SIMPLEREGION when one rectangle makes it, COMPLEXREGION for more, NULLREGION when empty.
    int Complexity() const;

    void Intersect(const Region& other);
    void Subtract(const RECT& rect);
    void Unite(const Region& other);
    void Offset(int dx, int dy);

    friend bool operator==(const Region& a, const Region& b);

    // Half-open rectangle helpers shared by the drawing code.
    static bool HasNoArea(const RECT& rect);
    // The common part, or all zero when there is none.
    static RECT Overlap(const RECT& a, const RECT& b);

private:
    std::vector<RECT> rects_;
};

}  // namespace platform
