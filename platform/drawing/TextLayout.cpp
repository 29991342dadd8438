#include "platform/drawing/TextLayout.h"

#include "platform/drawing/Gdi.h"
#include "platform/text/Encoding.h"
#include "platform/text/Gbk.h"

namespace platform {

namespace {

// Removes '&' prefixes: "&&" is one '&', "&x" underlines x, a final '&' disappears.
TextLine ResolvePrefixes(std::string_view text, UINT format) {
    TextLine line;
    if (format & DT_NOPREFIX) {
        line.text = text;
        return line;
    }
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            std::size_t length = CharLengthAt(text, i);
            line.text.append(text.substr(i, length));
            i += length;
            continue;
        }
        if (i + 1 >= text.size()) {
            break;
        }
        if (text[i + 1] == '&') {
            line.text.push_back('&');
            i += 2;
            continue;
        }
        std::size_t length = CharLengthAt(text, i + 1);
        if ((format & DT_HIDEPREFIX) == 0) {
            line.underlineOffset = static_cast<int>(line.text.size());
            line.underlineLength = static_cast<int>(length);
        }
        line.text.append(text.substr(i + 1, length));
        i += 1 + length;
    }
    return line;
}

std::vector<std::string_view> SplitLineEnds(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
            continue;
        }
        i += CharLengthAt(text, i);
    }
    lines.push_back(text.substr(start));
    return lines;
}

// Breaks one line of text into lines no wider than `width` where it can: after spaces (which
// then vanish at the end of the line) and around double-byte characters. A word wider than the
// rectangle stays whole.
std::vector<std::string_view> BreakWords(std::string_view text, int width, bool expandTabs,
                                         const TextMeasurer& measurer) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::vector<TextChar> chars = SplitGbk(text);
        std::size_t best_end = 0;
        std::size_t best_next = 0;
        for (std::size_t i = 0; i < chars.size(); ++i) {
            std::size_t end = chars[i].offset + chars[i].length;
            bool is_space = chars[i].code == ' ';
            bool wide = chars[i].length == 2;
            bool next_wide = i + 1 < chars.size() && chars[i + 1].length == 2;
            bool breakable = is_space || wide || next_wide || i + 1 == chars.size();
            if (!breakable) {
                continue;
            }
            std::size_t visible_end = is_space ? chars[i].offset : end;
            while (visible_end > 0 && text[visible_end - 1] == ' ') {
                --visible_end;
            }
            if (best_end != 0 &&
                LineWidth(text.substr(0, visible_end), expandTabs, measurer) > width) {
                break;
            }
            best_end = visible_end;
            best_next = end;
        }
        if (best_next == 0) {
            best_next = text.size();
            best_end = text.size();
        }
        lines.push_back(text.substr(0, best_end));
        text.remove_prefix(best_next);
        // Spaces that start the next line are swallowed by the break.
        while (!text.empty() && text.front() == ' ') {
            text.remove_prefix(1);
        }
    }
    if (lines.empty()) {
        lines.push_back(text);
    }
    return lines;
}

void AddEllipsis(TextLine& line, int width, bool expandTabs, const TextMeasurer& measurer) {
    if (LineWidth(line.text, expandTabs, measurer) <= width) {
        return;
    }
    std::vector<TextChar> chars = SplitGbk(line.text);
    if (chars.empty()) {
        return;
    }
    // The first `count` characters and the ellipsis. Widths grow with the count, so the longest
    // that fits is found by halving: a long title is measured a few dozen times, not once for
    // each of its characters.
    const auto candidate = [&](std::size_t count) {
        return line.text.substr(0, chars[count].offset) + "...";
    };
    std::size_t fits = 0;
    std::size_t low = 1;
    std::size_t high = chars.size() - 1;
    while (low <= high) {
        const std::size_t middle = low + (high - low) / 2;
        if (LineWidth(candidate(middle), expandTabs, measurer) <= width) {
            fits = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    line.text = candidate(fits);
    if (line.underlineOffset >= static_cast<int>(line.text.size()) - 3) {
        line.underlineOffset = -1;
    }
}

}  // namespace

std::vector<TextChar> SplitGbk(std::string_view text) {
    std::vector<TextChar> chars;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = CharLengthAt(text, i);
        char32_t code = static_cast<unsigned char>(text[i]);
        if (length == 2 || code >= 0x80) {
            std::u16string wide = GbkToUtf16(text.substr(i, length));
            code = wide.empty() ? U'?' : wide.front();
        }
        chars.push_back(TextChar{code, i, length});
        i += length;
    }
    return chars;
}

int LineWidth(std::string_view text, bool expandTabs, const TextMeasurer& measurer) {
    if (!expandTabs || measurer.tabWidth <= 0) {
        return measurer.width(text);
    }
    int x = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size();) {
        if (i == text.size() || text[i] == '\t') {
            x += measurer.width(text.substr(start, i - start));
            if (i == text.size()) {
                break;
            }
            x = (x / measurer.tabWidth + 1) * measurer.tabWidth;
            start = ++i;
            continue;
        }
        i += CharLengthAt(text, i);
    }
    return x;
}

std::vector<TextLine> LayoutText(std::string_view text, UINT format, int rectWidth,
                                 const TextMeasurer& measurer) {
    bool expandTabs = (format & DT_EXPANDTABS) != 0;
    std::vector<std::string_view> pieces;
    if (format & DT_SINGLELINE) {
        pieces.push_back(text);
    } else {
        pieces = SplitLineEnds(text);
    }
    std::vector<TextLine> lines;
    for (std::string_view piece : pieces) {
        TextLine resolved = ResolvePrefixes(piece, format);
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
            std::string_view whole = resolved.text;
            for (std::string_view part : BreakWords(whole, rectWidth, expandTabs, measurer)) {
                TextLine line;
                line.text = part;
                std::size_t begin = static_cast<std::size_t>(part.data() - whole.data());
                if (resolved.underlineOffset >= static_cast<int>(begin) &&
                    resolved.underlineOffset < static_cast<int>(begin + part.size())) {
                    line.underlineOffset = resolved.underlineOffset - static_cast<int>(begin);
                    line.underlineLength = resolved.underlineLength;
                }
                lines.push_back(std::move(line));
            }
        } else {
            lines.push_back(std::move(resolved));
        }
    }
    for (TextLine& line : lines) {
        if (format & DT_END_ELLIPSIS) {
            AddEllipsis(line, rectWidth, expandTabs, measurer);
        }
        line.width = LineWidth(line.text, expandTabs, measurer);
    }
    return lines;
}

}  // namespace platform
