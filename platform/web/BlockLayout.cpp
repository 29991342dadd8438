#include "platform/web/BlockLayout.h"

#include <algorithm>
#include <charconv>
#include <numeric>

#include "platform/web/HtmlSerializer.h"

namespace platform::web {

namespace {

bool IsHidden(const HtmlNode& element) {
    const std::string& tag = element.tag();
    return tag == "head" || tag == "script" || tag == "style" || tag == "title" ||
           tag == "noscript" || tag == "template" ||
           (tag == "input" && element.Attribute("type") == "hidden");
}

int Dimension(const HtmlNode& element, const char* name, int fallback) {
    const std::string* text = element.FindAttribute(name);
    int value = 0;
    if (text == nullptr ||
        std::from_chars(text->data(), text->data() + text->size(), value).ec != std::errc() ||
        value <= 0) {
        return fallback;
    }
    return std::min(value, 4096);
}

class Flow {
public:
    Flow(int width, BlockLayout::TextMetrics text)
        : text_(text), width_(std::max(width, kMinimumWidth)), lineHeight_(text.lineHeight) {}

    int width() const { return width_; }
    int y() const { return y_; }

    // White space between inline items: one narrow gap, never at the start of a line.
    void Space() { pendingSpace_ = true; }
    void EndLine() {
        pendingSpace_ = false;
        if (x_ > 0) {
            y_ += lineHeight_;
            x_ = 0;
            lineHeight_ = text_.lineHeight;
        }
    }
    void Break() {
        pendingSpace_ = false;
        y_ += lineHeight_;
        x_ = 0;
        lineHeight_ = text_.lineHeight;
    }
    // Places an inline item and returns its box.
    LayoutBox Place(int width, int height) {
        if (pendingSpace_ && x_ > 0) {
            x_ += text_.narrowWidth;
        }
        pendingSpace_ = false;
        if (x_ > 0 && x_ + width > width_) {
            EndLine();
        }
        lineHeight_ = std::max(lineHeight_, height);
        LayoutBox box{x_, y_, x_ + width, y_ + height};
        x_ += width;
        return box;
    }

private:
    static constexpr int kMinimumWidth = 16;
    BlockLayout::TextMetrics text_;
    int width_;
    int x_ = 0;
    int y_ = 0;
    int lineHeight_;
    bool pendingSpace_ = false;
};

void Extend(LayoutBox& box, const LayoutBox& item) {
    if (box.right <= box.left || box.bottom <= box.top) {
        box = item;
        return;
    }
    box.left = std::min(box.left, item.left);
    box.top = std::min(box.top, item.top);
    box.right = std::max(box.right, item.right);
    box.bottom = std::max(box.bottom, item.bottom);
}

}  // namespace

BlockLayout::TextMetrics BlockLayout::MetricsOf(int step) {
    // Smallest to largest, from 8, 10, 12, 13.5 and 18 points at 96 pixels per inch.
    static constexpr TextMetrics kSteps[] = {
        {11, 6}, {13, 7}, {kLineHeight, kNarrowWidth}, {18, 9}, {24, 12}};
    return kSteps[std::clamp(step, 0, 4)];
}

void BlockLayout::Update(const HtmlDocument& document, int width) {
    boxes_.clear();
    bySerial_.clear();
    const HtmlNode* body = document.Body();
    bodySerial_ = body != nullptr ? body->serial() : 0;
    if (body == nullptr) {
        return;
    }
    // Sized at once for every element there may be: boxes grown step by step would touch twice
    // their memory on a large page, and room that goes unused costs none. The room stays for the
    // next update (every mouse move lays the page out again).
    size_t elements = 0;
    for (const HtmlNode* node = body; node != nullptr; node = node->Next(body)) {
        elements += node->IsElement() ? 1 : 0;
    }
    boxes_.reserve(elements);
    const TextMetrics text = MetricsOf(textSize_);
    Flow flow(width, text);
    width_ = flow.width();
    // The displayed elements that contain the current node, innermost last. A content item
    // extends only the innermost box; a box is added to its parent's as it closes. So every
    // node costs the same whatever its depth.
    struct Open {
        const HtmlNode* element;
        size_t box;
        bool block;
        int top;
    };
    std::vector<Open> open;
    auto extendInnermost = [this, &open](const LayoutBox& item) {
        Extend(boxes_[open.back().box].second, item);
    };
    auto close = [this, &open, &flow]() {
        const Open element = open.back();
        open.pop_back();
        LayoutBox& box = boxes_[element.box].second;
        if (element.block) {
            flow.EndLine();
            box.left = 0;
            box.right = flow.width();
            box.top = element.top;
            box.bottom = std::max(flow.y(), box.bottom);
        }
        // A block spans the width even when empty; an inline element without content is no box.
        const bool empty = box.right <= box.left || box.bottom <= box.top;
        if (!open.empty() && (element.block || !empty)) {
            Extend(boxes_[open.back().box].second, box);
        }
    };
    const HtmlNode* node = body;
    while (node != nullptr) {
        // Every node but the body lies inside a displayed element: hidden subtrees are passed
        // over whole.
        while (!open.empty() && open.back().element != node->parent()) {
            close();
        }
        const HtmlNode* next = node->Next(body);
        if (node->IsElement()) {
            if (IsHidden(*node)) {
                // Continue after the hidden subtree.
                const HtmlNode* last = node;
                while (!last->children().empty()) {
                    last = last->children().back().get();
                }
                node = last->Next(body);
                continue;
            }
            bool block = IsBlockElement(node->tag());
            if (block) {
                flow.EndLine();
            }
            boxes_.push_back({node->serial(), LayoutBox{}});
            open.push_back({node, boxes_.size() - 1, block, flow.y()});
            if (node->tag() == "img") {
                extendInnermost(flow.Place(Dimension(*node, "width", kDefaultImageSize),
                                           Dimension(*node, "height", kDefaultImageSize)));
            } else if (node->tag() == "iframe") {
                extendInnermost(flow.Place(Dimension(*node, "width", kDefaultFrameWidth),
                                           Dimension(*node, "height", kDefaultFrameHeight)));
            } else if (node->tag() == "frame") {
                extendInnermost(flow.Place(flow.width(), kDefaultFrameHeight));
            } else if (node->tag() == "br") {
                flow.Break();
            }
        } else if (node->kind() == HtmlNode::Kind::Text) {
            for (char c : node->text()) {
                auto byte = static_cast<unsigned char>(c);
                if (byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r' || byte == '\f') {
                    flow.Space();
                } else if ((byte & 0xC0) != 0x80) {
                    extendInnermost(flow.Place(byte < 0x80 ? text.narrowWidth : text.lineHeight,
                                               text.lineHeight));
                }
            }
        }
        node = next;
    }
    while (!open.empty()) {
        close();
    }
    // Document order is serial order unless edits have put new nodes among older ones; only
    // then do the boxes need an index by serial.
    if (!std::is_sorted(boxes_.begin(), boxes_.end(),
                        [](const auto& a, const auto& b) { return a.first < b.first; })) {
        bySerial_.resize(boxes_.size());
        std::iota(bySerial_.begin(), bySerial_.end(), 0u);
        std::sort(bySerial_.begin(), bySerial_.end(),
                  [this](uint32_t a, uint32_t b) { return boxes_[a].first < boxes_[b].first; });
    }
}

uint64_t BlockLayout::HitTest(int x, int y) const {
    for (size_t i = boxes_.size(); i > 0; --i) {
        if (boxes_[i - 1].second.Contains(x, y)) {
            return boxes_[i - 1].first;
        }
    }
    // The body fills the view below its content.
    return x >= 0 && x < width_ && y >= 0 ? bodySerial_ : 0;
}

std::optional<LayoutBox> BlockLayout::BoxOf(const HtmlNode& element) const {
    const uint64_t serial = element.serial();
    size_t index = boxes_.size();
    if (bySerial_.empty()) {
        auto found =
            std::lower_bound(boxes_.begin(), boxes_.end(), serial,
                             [](const auto& entry, uint64_t key) { return entry.first < key; });
        index = static_cast<size_t>(found - boxes_.begin());
    } else {
        auto found = std::lower_bound(
            bySerial_.begin(), bySerial_.end(), serial,
            [this](uint32_t entry, uint64_t key) { return boxes_[entry].first < key; });
        index = found != bySerial_.end() ? *found : boxes_.size();
    }
    if (index == boxes_.size() || boxes_[index].first != serial) {
        return std::nullopt;
    }
    const LayoutBox& box = boxes_[index].second;
    if (box.right <= box.left || box.bottom <= box.top) {
        return std::nullopt;
    }
    return box;
}

}  // namespace platform::web
