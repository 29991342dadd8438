#include "platform/web/BlockLayout.h"

#include <algorithm>
#include <charconv>

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
    indexBySerial_.clear();
    const HtmlNode* body = document.Body();
    bodySerial_ = body != nullptr ? body->serial() : 0;
    if (body == nullptr) {
        return;
    }
    const TextMetrics text = MetricsOf(textSize_);
    Flow flow(width, text);
    width_ = flow.width();
    struct Open {
        const HtmlNode* element;
        size_t box;
        bool block;
        int top;
    };
    std::vector<Open> open;
    auto extendOpen = [this, &open](const LayoutBox& item) {
        for (const Open& element : open) {
            Extend(boxes_[element.box].second, item);
        }
    };
    auto close = [this, &open, &flow]() {
        const Open& element = open.back();
        if (element.block) {
            flow.EndLine();
            LayoutBox& box = boxes_[element.box].second;
            box.left = 0;
            box.right = flow.width();
            box.top = element.top;
            box.bottom = std::max(flow.y(), box.bottom);
            LayoutBox whole = box;
            open.pop_back();
            for (const Open& outer : open) {
                Extend(boxes_[outer.box].second, whole);
            }
            return;
        }
        open.pop_back();
    };
    const HtmlNode* node = body;
    while (node != nullptr) {
        while (!open.empty() && !open.back().element->Contains(node)) {
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
            indexBySerial_[node->serial()] = boxes_.size();
            boxes_.push_back({node->serial(), LayoutBox{}});
            open.push_back({node, boxes_.size() - 1, block, flow.y()});
            if (node->tag() == "img") {
                LayoutBox item = flow.Place(Dimension(*node, "width", kDefaultImageSize),
                                            Dimension(*node, "height", kDefaultImageSize));
                extendOpen(item);
            } else if (node->tag() == "iframe") {
                extendOpen(flow.Place(Dimension(*node, "width", kDefaultFrameWidth),
                                      Dimension(*node, "height", kDefaultFrameHeight)));
            } else if (node->tag() == "frame") {
                extendOpen(flow.Place(flow.width(), kDefaultFrameHeight));
            } else if (node->tag() == "br") {
                flow.Break();
            }
        } else if (node->kind() == HtmlNode::Kind::Text) {
            for (char c : node->text()) {
                auto byte = static_cast<unsigned char>(c);
                if (byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r' || byte == '\f') {
                    flow.Space();
                } else if ((byte & 0xC0) != 0x80) {
                    extendOpen(flow.Place(byte < 0x80 ? text.narrowWidth : text.lineHeight,
                                          text.lineHeight));
                }
            }
        }
        node = next;
    }
    while (!open.empty()) {
        close();
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
    auto found = indexBySerial_.find(element.serial());
    if (found == indexBySerial_.end()) {
        return std::nullopt;
    }
    const LayoutBox& box = boxes_[found->second].second;
    if (box.right <= box.left || box.bottom <= box.top) {
        return std::nullopt;
    }
    return box;
}

}  // namespace platform::web
