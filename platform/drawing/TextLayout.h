// How DrawText lays out GBK text before any pixel is drawn: '&' prefixes, line ends, word
// breaking, tab stops and end ellipses, against a measurer of text widths. Kept apart from the
// drawing so that the rules can be checked with any measurer.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"

namespace platform {

// GBK characters: a byte below 0x81 alone, or a lead byte with its second byte.
struct TextChar {
    char32_t code;
    std::size_t offset;
    std::size_t length;
};
std::vector<TextChar> SplitGbk(std::string_view text);

struct TextLine {
    // GBK, with prefixes resolved; tabs are kept and expanded by the measurer's tab rule.
    std::string text;
    int width = 0;
    // Byte offset and length in `text` of the character the prefix underlines; -1 for none.
    int underlineOffset = -1;
    int underlineLength = 0;
};

struct TextMeasurer {
    // The width of GBK text without tabs.
    std::function<int(std::string_view)> width;
    int lineHeight = 0;
    // The distance between tab stops (DT_EXPANDTABS).
    int tabWidth = 0;
};

std::vector<TextLine> LayoutText(std::string_view text, UINT format, int rectWidth,
                                 const TextMeasurer& measurer);

// The width of a line, with tabs moved to their stops when `expandTabs`.
int LineWidth(std::string_view text, bool expandTabs, const TextMeasurer& measurer);

}  // namespace platform
