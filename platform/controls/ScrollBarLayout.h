// Where the parts of one scroll bar lie: two arrow buttons at the ends, the track between them
// and the thumb inside the track, and which part a point falls on. The same geometry serves the
// bars in a window's frame and the scroll bar control, so that a click means the same in both.
#pragma once

#include "platform/base/WinTypes.h"

namespace platform {

// What a scroll bar shows: the range, the page and the position, as SCROLLINFO holds them.
struct ScrollState {
    int min = 0;
    int max = 0;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    // ESB_DISABLE_LTUP / ESB_DISABLE_RTDN bits.
    UINT disabledArrows = 0;

    // The largest position the thumb can reach: the page ends at max.
    int MaxPos() const;
    // True when the range is larger than the page, so that the thumb can move.
    bool Scrollable() const;
};

enum class ScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

class ScrollBarLayout {
public:
    // `bar` is the bar's rectangle; `vertical` its direction.
    ScrollBarLayout(const RECT& bar, bool vertical, const ScrollState& state);

    RECT UpArrow() const;
    RECT DownArrow() const;
    RECT Track() const;
    // Empty when the bar is too short for a thumb or nothing can scroll.
    RECT Thumb() const;
    bool HasThumb() const { return thumbLength_ > 0; }

    ScrollPart PartAt(POINT point) const;
    // The position the thumb stands for when its leading edge is `offset` pixels into the track,
    // clamped to the range.
    int PositionAtThumbOffset(int offset) const;
    int ThumbOffset() const { return thumbOffset_; }

private:
    RECT Span(int from, int to) const;

    RECT bar_;
    bool vertical_;
    ScrollState state_;
    int length_ = 0;
    int arrow_ = 0;
    int thumbLength_ = 0;
    int thumbOffset_ = 0;
};

}  // namespace platform
