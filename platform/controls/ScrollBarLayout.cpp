#include "platform/controls/ScrollBarLayout.h"

#include <algorithm>

namespace platform {

namespace {

// The thumb never gets smaller than this, however large the range.
constexpr int kMinimumThumb = 8;

}  // namespace

int ScrollState::MaxPos() const {
    const int pageSpan = page > 0 ? static_cast<int>(page) - 1 : 0;
    return std::max(min, max - pageSpan);
}

bool ScrollState::Scrollable() const {
    return max > min &&
           (page == 0 || static_cast<long long>(page) <= static_cast<long long>(max) - min);
}

ScrollBarLayout::ScrollBarLayout(const RECT& bar, bool vertical, const ScrollState& state)
    : bar_(bar), vertical_(vertical), state_(state) {
    length_ = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    const int thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
    arrow_ = std::max(0, std::min(thickness, length_ / 2));
    const int track = length_ - 2 * arrow_;
    if (!state.Scrollable() || track <= 0) {
        return;
    }
    const long long range = static_cast<long long>(state.max) - state.min + 1;
    int thumb = state.page == 0
                    ? thickness
                    : static_cast<int>(track * static_cast<long long>(state.page) / range);
    thumb = std::max(thumb, kMinimumThumb);
    if (thumb > track) {
        return;
    }
    thumbLength_ = thumb;
    const int travel = track - thumb;
    const long long steps = static_cast<long long>(state.MaxPos()) - state.min;
    const int pos = std::clamp(state.pos, state.min, state.MaxPos());
    thumbOffset_ =
        steps > 0 ? static_cast<int>(travel * (static_cast<long long>(pos) - state.min) / steps)
                  : 0;
}

RECT ScrollBarLayout::Span(int from, int to) const {
    if (vertical_) {
        return RECT{bar_.left, bar_.top + from, bar_.right, bar_.top + to};
    }
    return RECT{bar_.left + from, bar_.top, bar_.left + to, bar_.bottom};
}

RECT ScrollBarLayout::UpArrow() const {
    return Span(0, arrow_);
}

RECT ScrollBarLayout::DownArrow() const {
    return Span(length_ - arrow_, length_);
}

RECT ScrollBarLayout::Track() const {
    return Span(arrow_, length_ - arrow_);
}

RECT ScrollBarLayout::Thumb() const {
    if (thumbLength_ == 0) {
        return RECT{};
    }
    return Span(arrow_ + thumbOffset_, arrow_ + thumbOffset_ + thumbLength_);
}

ScrollPart ScrollBarLayout::PartAt(POINT point) const {
    if (point.x < bar_.left || point.x >= bar_.right || point.y < bar_.top ||
        point.y >= bar_.bottom) {
        return ScrollPart::None;
    }
    const int along = vertical_ ? point.y - bar_.top : point.x - bar_.left;
    if (along < arrow_) {
        return ScrollPart::LineUp;
    }
    if (along >= length_ - arrow_) {
        return ScrollPart::LineDown;
    }
    if (thumbLength_ == 0) {
        return ScrollPart::None;
    }
    const int inTrack = along - arrow_;
    if (inTrack < thumbOffset_) {
        return ScrollPart::PageUp;
    }
    if (inTrack >= thumbOffset_ + thumbLength_) {
        return ScrollPart::PageDown;
    }
    return ScrollPart::Thumb;
}

int ScrollBarLayout::PositionAtThumbOffset(int offset) const {
    const int travel = length_ - 2 * arrow_ - thumbLength_;
    if (thumbLength_ == 0 || travel <= 0) {
        return state_.min;
    }
    offset = std::clamp(offset, 0, travel);
    const long long steps = static_cast<long long>(state_.MaxPos()) - state_.min;
    // Rounded, so that dragging the thumb back onto a position's pixel gives that position.
    return state_.min + static_cast<int>((offset * steps + travel / 2) / travel);
}

}  // namespace platform
