#include "platform/web/HtmlParser.h"

#include <gumbo.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/web/MarkupLimits.h"
#include "platform/web/ParserArena.h"

namespace platform::web {

namespace {

std::string TagName(const GumboElement& element) {
    if (element.tag != GUMBO_TAG_UNKNOWN) {
        return gumbo_normalized_tagname(element.tag);
    }
    GumboStringPiece original = element.original_tag;
    gumbo_tag_from_original_text(&original);
    std::string name(original.data != nullptr ? original.data : "", original.length);
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return name;
}

std::unique_ptr<HtmlNode> MakeNode(const GumboNode& source) {
    switch (source.type) {
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE: {
            auto node =
                std::make_unique<HtmlNode>(HtmlNode::Kind::Element, TagName(source.v.element));
            const GumboVector& attributes = source.v.element.attributes;
            for (unsigned i = 0; i < attributes.length; ++i) {
                const auto* attribute = static_cast<const GumboAttribute*>(attributes.data[i]);
                if (!node->HasAttribute(attribute->name)) {
                    node->SetAttribute(attribute->name, attribute->value);
                }
            }
            return node;
        }
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_CDATA:
        case GUMBO_NODE_WHITESPACE:
            return std::make_unique<HtmlNode>(HtmlNode::Kind::Text, source.v.text.text);
        case GUMBO_NODE_COMMENT:
            return std::make_unique<HtmlNode>(HtmlNode::Kind::Comment, source.v.text.text);
        case GUMBO_NODE_DOCUMENT:
            break;
    }
    return std::make_unique<HtmlNode>(HtmlNode::Kind::Document, "");
}

const GumboVector* ChildrenOf(const GumboNode& node) {
    switch (node.type) {
        case GUMBO_NODE_DOCUMENT:
            return &node.v.document.children;
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE:
            return &node.v.element.children;
        default:
            return nullptr;
    }
}

// Copies the children of `source` under `target` without recursion; past kMaxTreeDepth the
// nodes are attached to the deepest allowed ancestor instead, and past kMaxNodes none are. The
// walk keeps one entry per open level, so a node with many children costs no more than any other.
void CopyChildren(const GumboNode& source, HtmlNode* target, size_t targetDepth) {
    struct Level {
        const GumboVector* children;
        unsigned next;
        HtmlNode* target;
        size_t depth;
    };
    std::vector<Level> open;
    if (const GumboVector* children = ChildrenOf(source)) {
        open.push_back({children, 0, target, targetDepth});
    }
    size_t copied = 0;
    while (!open.empty() && copied < kMaxNodes) {
        Level& level = open.back();
        if (level.next == level.children->length) {
            open.pop_back();
            continue;
        }
        const auto& child = *static_cast<const GumboNode*>(level.children->data[level.next++]);
        HtmlNode* added = level.target->AppendChild(MakeNode(child));
        ++copied;
        const GumboVector* grandchildren = ChildrenOf(child);
        if (grandchildren != nullptr && grandchildren->length > 0) {
            const Level inner = level.depth + 1 < kMaxTreeDepth
                                    ? Level{grandchildren, 0, added, level.depth + 1}
                                    : Level{grandchildren, 0, level.target, level.depth};
            open.push_back(inner);
        }
    }
}

// The markup the parser gets: within kMaxMarkupBytes, cut where no UTF-8 character is split,
// and within the limits of MarkupLimits.h.
std::string Limited(std::string_view utf8) {
    if (utf8.size() > kMaxMarkupBytes) {
        size_t end = kMaxMarkupBytes;
        while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
            --end;
        }
        utf8 = utf8.substr(0, end);
    }
    return LimitMarkup(utf8);
}

GumboOptions ParseOptions(ParserArena& arena) {
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = ParserArena::Allocate;
    options.deallocator = ParserArena::Release;
    options.userdata = &arena;
    // The errors are of no use here. With the default options the parser records every one with
    // a copy of its whole stack of open elements, which on nested markup costs time with the
    // square of the page (minutes for a megabyte of unclosed tags).
    options.max_errors = 0;
    return options;
}

}  // namespace

std::unique_ptr<HtmlNode> ParseHtmlDocument(std::string_view utf8) {
    ParserArena arena;
    GumboOptions options = ParseOptions(arena);
    const std::string markup = Limited(utf8);
    GumboOutput* output = gumbo_parse_with_options(&options, markup.data(), markup.size());
    auto document = std::make_unique<HtmlNode>(HtmlNode::Kind::Document, "");
    if (output != nullptr) {
        CopyChildren(*output->document, document.get(), 0);
    }
    return document;
}

std::vector<std::unique_ptr<HtmlNode>> ParseHtmlFragment(std::string_view utf8,
                                                         std::string_view contextTag) {
    ParserArena arena;
    GumboOptions options = ParseOptions(arena);
    GumboTag context = gumbo_tagn_enum(contextTag.data(), static_cast<unsigned>(contextTag.size()));
    // Contexts that the parser cannot take as such (the document itself, unknown tags) parse
    // like the content of a div.
    if (context == GUMBO_TAG_UNKNOWN || context == GUMBO_TAG_LAST || context == GUMBO_TAG_HTML) {
        context = GUMBO_TAG_DIV;
    }
    options.fragment_context = context;
    const std::string markup = Limited(utf8);
    GumboOutput* output = gumbo_parse_with_options(&options, markup.data(), markup.size());
    HtmlNode holder(HtmlNode::Kind::Element, "div");
    if (output != nullptr) {
        CopyChildren(*output->root, &holder, 1);
    }
    std::vector<std::unique_ptr<HtmlNode>> nodes;
    while (!holder.children().empty()) {
        nodes.push_back(holder.RemoveChild(holder.children().size() - 1));
    }
    std::reverse(nodes.begin(), nodes.end());
    return nodes;
}

}  // namespace platform::web
