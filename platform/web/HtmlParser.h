// The HTML5 parse of a page or of a fragment (innerHTML, document.write) into HtmlNode trees.
// Input is UTF-8; malformed markup is repaired the way browsers repair it.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/web/HtmlNode.h"

namespace platform::web {

// Browsers stop nesting at this depth and attach deeper elements as siblings; it also keeps
// every walk over the tree within a bounded stack.
inline constexpr size_t kMaxTreeDepth = 512;

// What one parse may cost: markup past this many bytes is not parsed, and nodes past this many
// are left out of the tree. A page that large is cut short rather than holding the browser for
// long or taking its memory; everything below these limits costs time in proportion to its size
// (see MarkupLimits.h).
inline constexpr size_t kMaxMarkupBytes = 8u << 20;
inline constexpr size_t kMaxNodes = 1000000;

// A document node holding the html element (with head and body, always present).
std::unique_ptr<HtmlNode> ParseHtmlDocument(std::string_view utf8);

// The nodes `utf8` yields when parsed as the content of a `contextTag` element.
std::vector<std::unique_ptr<HtmlNode>> ParseHtmlFragment(std::string_view utf8,
                                                         std::string_view contextTag);

}  // namespace platform::web
