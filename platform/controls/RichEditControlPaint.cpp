// Laying out and drawing the rich edit's lines: pieces of one format side by side on a common
// baseline, placed by the paragraph's alignment.
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/Edit.h"
#include "platform/controls/RichEditControl.h"
#include "platform/controls/RichEditFonts.h"
#include "platform/screen/ScreenApi.h"

namespace platform::views {
namespace {

constexpr int kMargin = 1;

}  // namespace

bool RichEditControl::ShowsSelection() const {
    return !hideSelection_ && (hasFocus_ || (GetWindowLongA(hwnd_, GWL_STYLE) & ES_NOHIDESEL) != 0);
}

std::vector<RichEditControl::Line> RichEditControl::Layout(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const std::string& text = document_.Text();
    const bool showSelection = ShowsSelection();
    const size_t selectionStart = SelectionStart();
    const size_t selectionEnd = SelectionEnd();
    const int room = client.right - 2 * kMargin;
    const bool wrap = Multiline() && room > 0 &&
                      (GetWindowLongA(hwnd_, GWL_STYLE) & (WS_HSCROLL | ES_AUTOHSCROLL)) == 0;
    auto selected = [&](size_t at) {
        return showSelection && at >= selectionStart && at < selectionEnd;
    };
    RichEditFonts fonts;
    std::vector<Line> lines;
    const int count = document_.LineCount();
    for (int index = 0; index < count; ++index) {
        const size_t from = document_.LineStart(index);
        const size_t to = from + document_.LineLength(index);
        // Every character with its width; text is drawn without kerning, so a run is as wide
        // as its characters together.
        std::vector<Glyph> glyphs;
        for (size_t at = from; at < to;) {
            const CharFormat format = document_.FormatAt(at);
            size_t end = document_.NextChar(at);
            while (end < to && document_.FormatAt(end) == format) {
                end = document_.NextChar(end);
            }
            SelectObject(dc, fonts.For(format));
            for (size_t character = at; character < end;) {
                const size_t next = document_.NextChar(character);
                SIZE size{};
                GetTextExtentPoint32A(dc, text.data() + character,
                                      static_cast<int>(next - character), &size);
                glyphs.push_back(Glyph{character, next, size.cx, format});
                character = next;
            }
            at = end;
        }
        // Where the visual lines start: after a space or around a two-byte character when one
        // fits, else at the character that no longer fits.
        std::vector<size_t> starts{0};
        int x = 0;
        size_t breakAt = 0;
        for (size_t i = 0; i < glyphs.size(); ++i) {
            if (wrap && i > starts.back() && x + glyphs[i].width > room) {
                const size_t start = breakAt > starts.back() ? breakAt : i;
                starts.push_back(start);
                x = 0;
                for (size_t j = start; j < i; ++j) {
                    x += glyphs[j].width;
                }
            }
            x += glyphs[i].width;
            const bool wide = glyphs[i].to - glyphs[i].from == 2;
            if (wide && i > starts.back()) {
                breakAt = std::max(breakAt, i);
            }
            if (text[glyphs[i].from] == ' ' || wide) {
                breakAt = i + 1;
            }
        }
        for (size_t k = 0; k < starts.size(); ++k) {
            const size_t first = starts[k];
            const size_t last = k + 1 < starts.size() ? starts[k + 1] : glyphs.size();
            Line line;
            line.from = first < glyphs.size() ? glyphs[first].from : from;
            line.to = last < glyphs.size() ? glyphs[last].from : to;
            line.endsParagraph = k + 1 == starts.size();
            auto measure = [&](const CharFormat& format) {
                SelectObject(dc, fonts.For(format));
                TEXTMETRICA metrics{};
                GetTextMetricsA(dc, &metrics);
                line.height = std::max<int>(line.height, metrics.tmHeight);
                line.ascent = std::max<int>(line.ascent, metrics.tmAscent);
            };
            int width = 0;
            for (size_t i = first; i < last; ++i) {
                const Glyph& glyph = glyphs[i];
                if (line.pieces.empty() || !(line.pieces.back().format == glyph.format) ||
                    line.pieces.back().selected != selected(glyph.from)) {
                    Piece piece;
                    piece.from = glyph.from;
                    piece.format = glyph.format;
                    piece.selected = selected(glyph.from);
                    line.pieces.push_back(std::move(piece));
                    measure(glyph.format);
                }
                line.pieces.back().to = glyph.to;
                line.pieces.back().width += glyph.width;
                width += glyph.width;
            }
            if (line.pieces.empty()) {
                measure(from < text.size() ? document_.FormatAt(from)
                                           : document_.InsertionFormat(from));
            }
            int left = kMargin;
            switch (document_.AlignmentAt(from)) {
                case PFA_CENTER:
                    left = std::max(kMargin, (client.right - width) / 2);
                    break;
                case PFA_RIGHT:
                    left = std::max(kMargin, client.right - kMargin - width);
                    break;
                default:
                    break;
            }
            for (Piece& piece : line.pieces) {
                piece.x = left;
                left += piece.width;
            }
            lines.push_back(std::move(line));
        }
    }
    // Tops count from the first visible line.
    const int total = static_cast<int>(lines.size());
    const int firstShown = std::clamp(firstLine_, 0, total - 1);
    int top = kMargin;
    for (int index = firstShown; index < total; ++index) {
        lines[static_cast<size_t>(index)].top = top;
        top += lines[static_cast<size_t>(index)].height;
    }
    top = kMargin;
    for (int index = firstShown - 1; index >= 0; --index) {
        top -= lines[static_cast<size_t>(index)].height;
        lines[static_cast<size_t>(index)].top = top;
    }
    return lines;
}

int RichEditControl::LineOfCaret(const std::vector<Line>& lines) const {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (caret_ >= lines[i].from &&
            (caret_ < lines[i].to || (caret_ == lines[i].to && lines[i].endsParagraph))) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(lines.size()) - 1;
}

void RichEditControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        const int saved = SaveDC(dc);
        FillSolid(dc, client, Background());
        const std::vector<Line> lines = Layout(dc);
        const std::string& text = document_.Text();
        RichEditFonts fonts;
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_BASELINE | TA_LEFT);
        const bool caretShown = hasFocus_ && anchor_ == caret_;
        const int caretLine = LineOfCaret(lines);
        for (size_t index = 0; index < lines.size(); ++index) {
            const Line& line = lines[index];
            if (line.top + line.height <= 0 || line.top >= client.bottom) {
                continue;
            }
            int caretX = line.pieces.empty() ? kMargin : -1;
            for (const Piece& piece : line.pieces) {
                SelectObject(dc, fonts.For(piece.format));
                if (piece.selected) {
                    FillSolid(
                        dc, RECT{piece.x, line.top, piece.x + piece.width, line.top + line.height},
                        GetSysColor(COLOR_HIGHLIGHT));
                }
                COLORREF color = (piece.format.effects & CFE_AUTOCOLOR)
                                     ? GetSysColor(COLOR_WINDOWTEXT)
                                     : piece.format.color;
                if (piece.selected) {
                    color = GetSysColor(COLOR_HIGHLIGHTTEXT);
                }
                SetTextColor(dc, color);
                TextOutA(dc, piece.x, line.top + line.ascent, text.data() + piece.from,
                         static_cast<int>(piece.to - piece.from));
                if (caretShown && caretX < 0 && caret_ >= piece.from && caret_ <= piece.to) {
                    SIZE before{};
                    GetTextExtentPoint32A(dc, text.data() + piece.from,
                                          static_cast<int>(caret_ - piece.from), &before);
                    caretX = piece.x + before.cx;
                }
            }
            if (caretShown && static_cast<int>(index) == caretLine && caretX >= 0) {
                FillSolid(dc, RECT{caretX, line.top, caretX + 1, line.top + line.height},
                          GetSysColor(COLOR_WINDOWTEXT));
            }
        }
        RestoreDC(dc, saved);
    }
    EndPaint(hwnd_, &paint);
}

}  // namespace platform::views
