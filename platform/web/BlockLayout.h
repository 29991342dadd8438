// The simplest layout that gives every displayed element a box: block elements stack down the
// page at full width, text and inline elements flow along lines of fixed height (at the normal
// text size 16 pixels, with 8 pixels per ASCII character and 16 per other character; the text
// size steps give lines of 11, 13, 16, 18 and 24 pixels, characters scaled alike), images take
// their width and height attributes or 32 x 32, iframes theirs or 300 x 150, frames stack at full
// width and 150 high, and <br> ends a line. Below its content the body fills the view.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/web/PageLayout.h"

namespace platform::web {

class BlockLayout : public PageLayout {
public:
    static constexpr int kLineHeight = 16;
    static constexpr int kNarrowWidth = 8;
    static constexpr int kDefaultImageSize = 32;
    static constexpr int kDefaultFrameWidth = 300;
    static constexpr int kDefaultFrameHeight = 150;
    static constexpr int kNormalTextSize = 2;

    // A text size step's line height and narrow character width (the wide one is the height).
    struct TextMetrics {
        int lineHeight;
        int narrowWidth;
    };
    // Steps outside 0..4 take the nearest one.
    static TextMetrics MetricsOf(int step);

    void Update(const HtmlDocument& document, int width) override;
    void SetTextSize(int step) override { textSize_ = step; }
    uint64_t HitTest(int x, int y) const override;
    std::optional<LayoutBox> BoxOf(const HtmlNode& element) const override;

private:
    // Boxes in document order, so that a later box containing a point is the inner one.
    std::vector<std::pair<uint64_t, LayoutBox>> boxes_;
    // Indexes into boxes_ (a tree has fewer than 2^32 nodes) in ascending order of serials;
    // empty when boxes_ is in that order.
    std::vector<uint32_t> bySerial_;
    uint64_t bodySerial_ = 0;
    int width_ = 0;
    int textSize_ = kNormalTextSize;
};

}  // namespace platform::web
