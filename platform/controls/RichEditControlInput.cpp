// Typing, keys and the mouse in the rich edit.
#include <algorithm>
#include <limits>
#include <optional>

#include "platform/controls/RichEditControl.h"
#include "platform/controls/RichEditFonts.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"

namespace platform::views {

void RichEditControl::Type(std::string_view text) {
    if (ReplaceSelection(text, true, !typing_)) {
        typing_ = true;
    }
}

void RichEditControl::Char(WPARAM code) {
    const auto byte = static_cast<unsigned char>(code & 0xFF);
    if (pendingLead_ >= 0) {
        const std::string character{static_cast<char>(pendingLead_), static_cast<char>(byte)};
        pendingLead_ = -1;
        Type(character);
        return;
    }
    if (IsLeadByte(byte)) {
        pendingLead_ = byte;
        return;
    }
    switch (byte) {
        case '\r':
            if (Multiline()) {
                Type("\r\n");
            }
            return;
        case '\t':
            Type("\t");
            return;
        case '\b':
            if (ReadOnly()) {
                return;
            }
            if (SelectionStart() == SelectionEnd()) {
                if (caret_ == 0) {
                    return;
                }
                anchor_ = document_.PreviousChar(caret_);
            }
            typing_ = false;
            ReplaceSelection("", true, true);
            return;
        default:
            if (byte >= 0x20 && byte != 0x7F) {
                Type(std::string(1, static_cast<char>(byte)));
            }
            return;
    }
}

void RichEditControl::KeyDown(WPARAM key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (control) {
        switch (key) {
            case 'A':
                Select(0, document_.Size());
                return;
            case 'C':
                Copy();
                return;
            case 'X':
                Cut();
                return;
            case 'V':
                Paste();
                return;
            case 'Z':
                Undo();
                return;
            default:
                break;
        }
    }
    const int line = document_.LineOf(caret_);
    size_t target = caret_;
    switch (key) {
        case VK_LEFT:
            target =
                !shift && anchor_ != caret_ ? SelectionStart() : document_.PreviousChar(caret_);
            break;
        case VK_RIGHT:
            target = !shift && anchor_ != caret_ ? SelectionEnd() : document_.NextChar(caret_);
            break;
        case VK_HOME:
            target = control ? 0 : document_.LineStart(line);
            break;
        case VK_END:
            target =
                control ? document_.Size() : document_.LineStart(line) + document_.LineLength(line);
            break;
        case VK_UP:
        case VK_DOWN: {
            const int next = key == VK_UP ? line - 1 : line + 1;
            if (next < 0 || next >= document_.LineCount()) {
                return;
            }
            const size_t column = caret_ - document_.LineStart(line);
            target = document_.LineStart(next) + std::min(column, document_.LineLength(next));
            break;
        }
        case VK_DELETE:
            if (ReadOnly()) {
                return;
            }
            if (SelectionStart() == SelectionEnd()) {
                if (caret_ >= document_.Size()) {
                    return;
                }
                anchor_ = document_.NextChar(caret_);
            }
            typing_ = false;
            ReplaceSelection("", true, true);
            return;
        default:
            return;
    }
    Select(shift ? anchor_ : target, target);
    EnsureCaretVisible();
}

void RichEditControl::MouseDown(POINT point, bool extend) {
    if (GetFocus() != hwnd_) {
        SetFocus(hwnd_);
    }
    const size_t position = PositionAt(point);
    Select(extend ? anchor_ : position, position);
    dragging_ = true;
    SetCapture(hwnd_);
}

size_t RichEditControl::PositionAt(POINT point) {
    HDC dc = CreateCompatibleDC(nullptr);
    const std::vector<Line> lines = Layout(dc);
    size_t position = document_.Size();
    const Line* hit = nullptr;
    // The first shown line that reaches below the point, or the last line.
    for (const Line& line : lines) {
        hit = &line;
        if (line.top + line.height > 0 && point.y < line.top + line.height) {
            break;
        }
    }
    if (hit != nullptr) {
        position = hit->to;
        if (!hit->pieces.empty() && point.x < hit->pieces.front().x) {
            position = hit->from;
        }
        RichEditFonts fonts;
        for (const Piece& piece : hit->pieces) {
            if (point.x >= piece.x + piece.width) {
                continue;
            }
            SelectObject(dc, fonts.For(piece.format));
            position = piece.from;
            const std::string& text = document_.Text();
            int x = piece.x;
            for (size_t at = piece.from; at < piece.to;) {
                const size_t next = document_.NextChar(at);
                SIZE size{};
                GetTextExtentPoint32A(dc, text.data() + at, static_cast<int>(next - at), &size);
                if (point.x < x + size.cx / 2) {
                    break;
                }
                x += size.cx;
                position = next;
                at = next;
            }
            break;
        }
    }
    DeleteDC(dc);
    return position;
}

void RichEditControl::ScrollLines(int first) {
    HDC dc = CreateCompatibleDC(nullptr);
    const int count = static_cast<int>(Layout(dc).size());
    DeleteDC(dc);
    first = std::clamp(first, 0, count - 1);
    if (first != firstLine_) {
        firstLine_ = first;
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

int RichEditControl::PageLines(const std::vector<Line>& lines) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int page = 0;
    for (int index = std::max(0, firstLine_); index < static_cast<int>(lines.size()); ++index) {
        const Line& line = lines[static_cast<size_t>(index)];
        if (line.top + line.height > client.bottom) {
            break;
        }
        ++page;
    }
    return std::max(1, page);
}

void RichEditControl::Scroll(int code, int thumb) {
    HDC dc = CreateCompatibleDC(nullptr);
    const int page = PageLines(Layout(dc));
    DeleteDC(dc);
    switch (code) {
        case SB_LINEUP:
            ScrollLines(firstLine_ - 1);
            break;
        case SB_LINEDOWN:
            ScrollLines(firstLine_ + 1);
            break;
        case SB_PAGEUP:
            ScrollLines(firstLine_ - page);
            break;
        case SB_PAGEDOWN:
            ScrollLines(firstLine_ + page);
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            ScrollLines(thumb);
            break;
        case SB_TOP:
            ScrollLines(0);
            break;
        case SB_BOTTOM:
            ScrollLines(std::numeric_limits<int>::max());
            break;
        default:
            break;
    }
}

void RichEditControl::UpdateScrollBars() {
    if (bars_ == 0) {
        return;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    const auto values = [this, dc](int bar) -> std::optional<ScrollBarValues> {
        // The horizontal bar stays as it was made: its style bit is what keeps the lines from
        // wrapping.
        if (bar != SB_VERT) {
            return std::nullopt;
        }
        // Like the edit control, the rich edit scrolls until its last line is at the top.
        const std::vector<Line> lines = Layout(dc);
        const int page = PageLines(lines);
        return ScrollBarValues{std::max(static_cast<int>(lines.size()), firstLine_ + page) - 1,
                               page, firstLine_};
    };
    const bool keep = (GetWindowLongA(hwnd_, GWL_STYLE) & ES_DISABLENOSCROLL) != 0;
    scrollBars_.Update(hwnd_, values, keep ? SIF_DISABLENOSCROLL : 0);
    DeleteDC(dc);
}

void RichEditControl::EnsureCaretVisible() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    HDC dc = CreateCompatibleDC(nullptr);
    const std::vector<Line> lines = Layout(dc);
    DeleteDC(dc);
    const int line = LineOfCaret(lines);
    int first = std::min(firstLine_, line);
    int bottom = lines[static_cast<size_t>(line)].top + lines[static_cast<size_t>(line)].height;
    while (bottom > client.bottom && first < line) {
        bottom -= lines[static_cast<size_t>(first)].height;
        ++first;
    }
    if (first != firstLine_) {
        firstLine_ = first;
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

}  // namespace platform::views
