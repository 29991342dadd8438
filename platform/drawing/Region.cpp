#include "platform/drawing/Region.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int kNullRegion = 1;
constexpr int kSimpleRegion = 2;
constexpr int kComplexRegion = 3;

// The parts of `from` outside `cut`: at most four rectangles (above, below, left, right).
void AppendDifference(const RECT& from, const RECT& cut, std::vector<RECT>& out) {
    RECT overlap = Region::Overlap(from, cut);
    if (Region::HasNoArea(overlap)) {
        out.push_back(from);
        return;
    }
    if (from.top < overlap.top) {
        out.push_back({from.left, from.top, from.right, overlap.top});
    }
    if (overlap.bottom < from.bottom) {
        out.push_back({from.left, overlap.bottom, from.right, from.bottom});
    }
    if (from.left < overlap.left) {
        out.push_back({from.left, overlap.top, overlap.left, overlap.bottom});
    }
    if (overlap.right < from.right) {
        out.push_back({overlap.right, overlap.top, from.right, overlap.bottom});
    }
}

}  // namespace

bool Region::HasNoArea(const RECT& rect) {
    return rect.left >= rect.right || rect.top >= rect.bottom;
}

RECT Region::Overlap(const RECT& a, const RECT& b) {
    RECT result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
    if (Region::HasNoArea(result)) {
        return RECT{0, 0, 0, 0};
    }
    return result;
}

Region::Region(const RECT& rect) {
    if (!Region::HasNoArea(rect)) {
        rects_.push_back(rect);
    }
}

RECT Region::Box() const {
    if (rects_.empty()) {
        return RECT{0, 0, 0, 0};
    }
    RECT box = rects_.front();
    for (const RECT& rect : rects_) {
        box.left = std::min(box.left, rect.left);
        box.top = std::min(box.top, rect.top);
        box.right = std::max(box.right, rect.right);
        box.bottom = std::max(box.bottom, rect.bottom);
    }
    return box;
}

bool Region::Contains(int x, int y) const {
    return std::any_of(rects_.begin(), rects_.end(), [x, y](const RECT& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

int Region::Complexity() const {
    if (rects_.empty()) {
        return kNullRegion;
    }
    return rects_.size() == 1 ? kSimpleRegion : kComplexRegion;
}

void Region::Intersect(const Region& other) {
    std::vector<RECT> result;
    for (const RECT& a : rects_) {
        for (const RECT& b : other.rects_) {
            RECT overlap = Region::Overlap(a, b);
            if (!Region::HasNoArea(overlap)) {
                result.push_back(overlap);
            }
        }
    }
    rects_ = std::move(result);
}

void Region::Subtract(const RECT& rect) {
    if (Region::HasNoArea(rect)) {
        return;
    }
    std::vector<RECT> result;
    for (const RECT& from : rects_) {
        AppendDifference(from, rect, result);
    }
    rects_ = std::move(result);
}

void Region::Unite(const Region& other) {
    for (const RECT& add : other.rects_) {
        // Only the part not yet covered is added, so the rectangles stay disjoint.
        std::vector<RECT> pieces{add};
        for (const RECT& have : rects_) {
            std::vector<RECT> rest;
            for (const RECT& piece : pieces) {
                AppendDifference(piece, have, rest);
            }
            pieces = std::move(rest);
        }
        rects_.insert(rects_.end(), pieces.begin(), pieces.end());
    }
}

void Region::Offset(int dx, int dy) {
    for (RECT& rect : rects_) {
        rect.left += dx;
        rect.right += dx;
        rect.top += dy;
        rect.bottom += dy;
    }
}

bool operator==(const Region& a, const Region& b) {
    // Same pixels: neither has a part the other lacks.
    Region left = a;
    for (const RECT& rect : b.rects_) {
        left.Subtract(rect);
    }
    Region right = b;
    for (const RECT& rect : a.rects_) {
        right.Subtract(rect);
    }
    return left.IsEmpty() && right.IsEmpty();
}

}  // namespace platform
