// Keeps what a page costs the HTML parser linear in the page's size. The parser walks its stack
// of open elements to check scopes, walks its list of open formatting elements to reopen them,
// and compares each attribute of a tag with those before it; deeply nested markup, or a tag with
// thousands of attributes, costs it time that grows with the square of the page (a 2 MB page of
// unclosed <div> tags would take minutes). So the markup passes through LimitMarkup first, which
// follows the nesting as the parser would, closely enough to bound it:
//  - a start tag that would open an element deeper than kMaxTreeDepth first closes the innermost
//    open element, so that the new element is attached at that depth, as browsers do;
//  - past kMaxAttributes, the attributes of a tag are dropped;
//  - formatting elements (<b>, <font>...) that an outer end tag leaves open for the parser to
//    reopen later are closed explicitly once more than kMaxReopenedFormatting kinds of them wait.
// Markup within these limits passes unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::web {

inline constexpr size_t kMaxAttributes = 256;
inline constexpr size_t kMaxReopenedFormatting = 64;

// The markup to parse in place of `utf8`; `depth` is the nesting the markup starts at (the
// depth of the element a fragment is parsed into).
std::string LimitMarkup(std::string_view utf8, size_t depth = 0);

}  // namespace platform::web
