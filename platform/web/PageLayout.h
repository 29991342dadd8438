// Where the elements of a page lie, so that mouse input at a point finds its element. The page
// talks to layout only through this interface; real rendering replaces the simple one later.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/web/HtmlDocument.h"

namespace platform::web {

// An element's rectangle in page pixels; right and bottom are excluded.
struct LayoutBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const LayoutBox&) const = default;
};

class PageLayout {
public:
    virtual ~PageLayout() = default;
    // Lays the document out again for a view `width` pixels wide.
    virtual void Update(const HtmlDocument& document, int width) = 0;
    // The text size for the next update: a step from 0 (smallest) to 4 (largest), 2 being the
    // normal size, as the browser's text size command offers them.
    virtual void SetTextSize(int step) = 0;
    // The serial of the innermost element at the point, or 0 when there is none.
    virtual uint64_t HitTest(int x, int y) const = 0;
    // The element's box from the last update; nothing when it has none (not displayed, empty).
    virtual std::optional<LayoutBox> BoxOf(const HtmlNode& element) const = 0;
};

}  // namespace platform::web
