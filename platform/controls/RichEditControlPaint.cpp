// Laying out and drawing the rich edit's lines: pieces of one format side by side on a common
// baseline, placed by the paragraph's alignment.
#include <algorithm>

#include "platform/controls/RichEditControl.h"
#include "platform/controls/RichEditFonts.h"
#include "platform/controls/ViewSupport.h"
#include "platform/screen/ScreenApi.h"

namespace platform::views {
namespace {

constexpr int kMargin = 1;
constexpr LONG kNoHideSelectionStyle = 0x0100;

}  // namespace

bool RichEditControl::ShowsSelection() const {
    return !hideSelection_ &&
           (hasFocus_ || (GetWindowLongA(hwnd_, GWL_STYLE) & kNoHideSelectionStyle) != 0);
}

std::vector<RichEditControl::Line> RichEditControl::Layout(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const std::string& text = document_.Text();
    const bool showSelection = ShowsSelection();
    const size_t selectionStart = SelectionStart();
    const size_t selectionEnd = SelectionEnd();
    RichEditFonts fonts;
    std::vector<Line> lines;
    const int count = document_.LineCount();
    for (int index = 0; index < count; ++index) {
        Line line;
        line.from = document_.LineStart(index);
        line.to = line.from + document_.LineLength(index);
        for (size_t at = line.from; at < line.to;) {
            Piece piece;
            piece.from = at;
            piece.format = document_.FormatAt(at);
            piece.selected = showSelection && at >= selectionStart && at < selectionEnd;
            size_t end = document_.NextChar(at);
            while (end < line.to && document_.FormatAt(end) == piece.format &&
                   (showSelection && end >= selectionStart && end < selectionEnd) ==
                       piece.selected) {
                end = document_.NextChar(end);
            }
            piece.to = end;
            line.pieces.push_back(std::move(piece));
            at = end;
        }
        int width = 0;
        auto measure = [&](const CharFormat& format) {
            SelectObject(dc, fonts.For(format));
            TEXTMETRICA metrics{};
            GetTextMetricsA(dc, &metrics);
            line.height = std::max<int>(line.height, metrics.tmHeight);
            line.ascent = std::max<int>(line.ascent, metrics.tmAscent);
        };
        for (Piece& piece : line.pieces) {
            measure(piece.format);
            SIZE size{};
            GetTextExtentPoint32A(dc, text.data() + piece.from,
                                  static_cast<int>(piece.to - piece.from), &size);
            piece.width = size.cx;
            width += size.cx;
        }
        if (line.pieces.empty()) {
            measure(line.from < text.size() ? document_.FormatAt(line.from)
                                            : document_.InsertionFormat(line.from));
        }
        int x = kMargin;
        switch (document_.AlignmentAt(line.from)) {
            case PFA_CENTER:
                x = std::max(kMargin, (client.right - width) / 2);
                break;
            case PFA_RIGHT:
                x = std::max(kMargin, client.right - kMargin - width);
                break;
            default:
                break;
        }
        for (Piece& piece : line.pieces) {
            piece.x = x;
            x += piece.width;
        }
        lines.push_back(std::move(line));
    }
    // Tops count from the first visible line.
    int top = kMargin;
    for (int index = std::min(firstLine_, count - 1); index >= 0 && index < count; ++index) {
        lines[static_cast<size_t>(index)].top = top;
        top += lines[static_cast<size_t>(index)].height;
    }
    top = kMargin;
    for (int index = std::min(firstLine_, count) - 1; index >= 0; --index) {
        top -= lines[static_cast<size_t>(index)].height;
        lines[static_cast<size_t>(index)].top = top;
    }
    return lines;
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
        for (const Line& line : lines) {
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
                if (caretShown && caret_ >= piece.from && caret_ <= piece.to) {
                    SIZE before{};
                    GetTextExtentPoint32A(dc, text.data() + piece.from,
                                          static_cast<int>(caret_ - piece.from), &before);
                    caretX = piece.x + before.cx;
                }
            }
            if (caretShown && caret_ >= line.from && caret_ <= line.to && caretX >= 0) {
                FillSolid(dc, RECT{caretX, line.top, caretX + 1, line.top + line.height},
                          GetSysColor(COLOR_WINDOWTEXT));
            }
        }
        RestoreDC(dc, saved);
    }
    EndPaint(hwnd_, &paint);
}

}  // namespace platform::views
