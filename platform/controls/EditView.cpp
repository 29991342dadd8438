#include <algorithm>
#include <optional>

#include "platform/controls/Caret.h"
#include "platform/controls/Edit.h"
#include "platform/controls/EditControl.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"

namespace platform::edit {

namespace {

size_t CharCount(std::string_view text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at += CharLengthAt(text, at)) {
        ++count;
    }
    return count;
}

// What a line shows: the password character once per character, or the text itself.
std::string Shown(const EditControl& state, std::string_view text) {
    if (state.passwordChar == 0) {
        return std::string(text);
    }
    return std::string(CharCount(text), state.passwordChar);
}

int AlignOffset(HWND hwnd, const EditControl& state, int line) {
    const DWORD style = StyleOf(hwnd);
    if ((style & (ES_CENTER | ES_RIGHT)) == 0) {
        return 0;
    }
    const int free = FormatWidth(hwnd) - TextWidth(state, state.text.LineText(line));
    if (free <= 0) {
        return 0;
    }
    return (style & ES_RIGHT) ? free : free / 2;
}

void DrawRun(HDC dc, int x, int y, const std::string& shown) {
    TextOutA(dc, x, y, shown.data(), static_cast<int>(shown.size()));
}

}  // namespace

EditControl* StateOf(HWND hwnd) {
    return reinterpret_cast<EditControl*>(GetWindowLongPtrA(hwnd, 0));
}

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

HFONT FontOf(const EditControl& state) {
    return state.font != nullptr ? state.font
                                 : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int LineHeight(const EditControl& state) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(state.measure, &metrics);
    return std::max<int>(1, metrics.tmHeight);
}

int AverageCharWidth(const EditControl& state) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(state.measure, &metrics);
    return std::max<int>(1, metrics.tmAveCharWidth);
}

int TextWidth(const EditControl& state, std::string_view text) {
    const std::string shown = Shown(state, text);
    SIZE size{};
    GetTextExtentPoint32A(state.measure, shown.data(), static_cast<int>(shown.size()), &size);
    return size.cx;
}

RECT ClientOf(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return client;
}

int FormatWidth(HWND hwnd) {
    const RECT client = ClientOf(hwnd);
    return std::max<int>(0, client.right - client.left - 2 * kMargin);
}

int VisibleLines(HWND hwnd, const EditControl& state) {
    const RECT client = ClientOf(hwnd);
    return std::max(1, static_cast<int>(client.bottom - client.top) / LineHeight(state));
}

bool Wraps(DWORD style) {
    return (style & ES_MULTILINE) && !(style & ES_AUTOHSCROLL);
}

void Relayout(HWND hwnd, EditControl& state) {
    EditControl* measured = &state;
    state.text.SetLayout([measured](std::string_view text) { return TextWidth(*measured, text); },
                         Wraps(StyleOf(hwnd)) ? FormatWidth(hwnd) : 0);
}

POINT PositionOf(HWND hwnd, const EditControl& state, size_t offset) {
    const int line = state.text.LineFromOffset(offset);
    return POINT{kMargin + AlignOffset(hwnd, state, line) + state.text.XOf(offset) - state.xOffset,
                 (line - state.firstLine) * LineHeight(state)};
}

size_t OffsetAtPoint(HWND hwnd, const EditControl& state, int x, int y) {
    const int row = y < 0 ? -1 : y / LineHeight(state);
    const int line = std::clamp(state.firstLine + row, 0, state.text.LineCount() - 1);
    return state.text.OffsetAtX(line, x - kMargin - AlignOffset(hwnd, state, line) + state.xOffset);
}

void PlaceCaret(HWND hwnd, const EditControl& state) {
    if (state.focused) {
        const POINT at = PositionOf(hwnd, state, state.text.caret());
        SetCaretPos(at.x, at.y);
    }
}

void Redraw(HWND hwnd, EditControl& state) {
    InvalidateRect(hwnd, nullptr, TRUE);
    PlaceCaret(hwnd, state);
    UpdateScrollBars(hwnd, state);
}

void UpdateScrollBars(HWND hwnd, EditControl& state) {
    if (!state.text.multiline() || state.bars == 0) {
        return;
    }
    const auto values = [hwnd, &state](int bar) -> std::optional<ScrollBarValues> {
        if (bar == SB_VERT && (state.bars & WS_VSCROLL)) {
            // The edit scrolls until its last line is at the top, past the end of the range
            // that the lines alone would give.
            const int page = VisibleLines(hwnd, state);
            return ScrollBarValues{std::max(state.text.LineCount(), state.firstLine + page) - 1,
                                   page, state.firstLine};
        }
        if (bar == SB_HORZ && (state.bars & WS_HSCROLL)) {
            int widest = 0;
            for (int line = 0; line < state.text.LineCount(); ++line) {
                widest = std::max(widest, state.text.Width(state.text.LineText(line)));
            }
            const int page = FormatWidth(hwnd);
            return ScrollBarValues{std::max(widest, state.xOffset + page) - 1, page, state.xOffset};
        }
        return std::nullopt;
    };
    state.scrollBars.Update(hwnd, values, SIF_DISABLENOSCROLL);
}

void ScrollToCaret(HWND hwnd, EditControl& state) {
    const DWORD style = StyleOf(hwnd);
    const int line = state.text.LineFromOffset(state.text.caret());
    if (style & ES_MULTILINE) {
        const int visible = VisibleLines(hwnd, state);
        if (line < state.firstLine) {
            state.firstLine = line;
        } else if (line >= state.firstLine + visible) {
            state.firstLine = line - visible + 1;
        }
    }
    if (!Wraps(style)) {
        const int x = kMargin + AlignOffset(hwnd, state, line) + state.text.XOf(state.text.caret());
        const RECT client = ClientOf(hwnd);
        const int right = static_cast<int>(client.right) - kMargin - 1;
        if (x - state.xOffset < kMargin) {
            state.xOffset = x - kMargin;
        } else if (x - state.xOffset > right) {
            state.xOffset = x - right;
        }
        state.xOffset = std::max(0, state.xOffset);
    }
    Redraw(hwnd, state);
}

// Scrolls a multi-line edit to `firstLine` (clamped); returns the number of lines moved.
int ScrollLines(HWND hwnd, EditControl& state, int firstLine) {
    const int clamped = std::clamp(firstLine, 0, std::max(0, state.text.LineCount() - 1));
    const int moved = clamped - state.firstLine;
    if (moved != 0) {
        state.firstLine = clamped;
        Redraw(hwnd, state);
    }
    return moved;
}

void ScrollColumns(HWND hwnd, EditControl& state, int xOffset) {
    xOffset = std::max(0, xOffset);
    if (xOffset != state.xOffset) {
        state.xOffset = xOffset;
        Redraw(hwnd, state);
    }
}

int VerticalTarget(HWND hwnd, const EditControl& state, int code, int thumb) {
    const int page = VisibleLines(hwnd, state);
    switch (code) {
        case SB_LINEUP:
            return state.firstLine - 1;
        case SB_LINEDOWN:
            return state.firstLine + 1;
        case SB_PAGEUP:
            return state.firstLine - page;
        case SB_PAGEDOWN:
            return state.firstLine + page;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            return thumb;
        case SB_TOP:
            return 0;
        case SB_BOTTOM:
            return state.text.LineCount() - page;
        default:
            return state.firstLine;
    }
}

void Paint(HWND hwnd, EditControl& state) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc == nullptr) {
        EndPaint(hwnd, &paint);
        return;
    }
    const DWORD style = StyleOf(hwnd);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    const bool grey = (style & ES_READONLY) || !enabled;
    HGDIOBJ oldFont = SelectObject(dc, FontOf(state));
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(grey ? COLOR_3DFACE : COLOR_WINDOW));
    SetBkMode(dc, OPAQUE);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(hwnd), grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    if (brush == nullptr) {
        brush = GetSysColorBrush(grey ? COLOR_3DFACE : COLOR_WINDOW);
    }
    const RECT client = ClientOf(hwnd);
    FillRect(dc, &client, brush);

    const int height = LineHeight(state);
    const bool showSelection =
        state.text.HasSelection() && (state.focused || (style & ES_NOHIDESEL));
    const EditText::Selection range = state.text.selection();
    const COLORREF textColor = GetTextColor(dc);
    const COLORREF backColor = GetBkColor(dc);
    for (int line = state.firstLine; line < state.text.LineCount(); ++line) {
        const int y = (line - state.firstLine) * height;
        if (y >= client.bottom) {
            break;
        }
        const EditText::Line& shown = state.text.lines()[static_cast<size_t>(line)];
        const int x = kMargin + AlignOffset(hwnd, state, line) - state.xOffset;
        DrawRun(dc, x, y, Shown(state, state.text.LineText(line)));
        const size_t from = std::max(range.start, shown.start);
        const size_t to = std::min(range.end, shown.start + shown.length);
        if (showSelection && from < to) {
            const std::string_view all(state.text.text());
            const int left = x + TextWidth(state, all.substr(shown.start, from - shown.start));
            const std::string selected = Shown(state, all.substr(from, to - from));
            const int right = left + TextWidth(state, all.substr(from, to - from));
            const RECT highlight{left, y, right, y + height};
            FillRect(dc, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            DrawRun(dc, left, y, selected);
            SetTextColor(dc, textColor);
            SetBkColor(dc, backColor);
        }
    }
    if (const std::optional<RECT> caret = VisibleCaret(hwnd)) {
        InvertRect(dc, &*caret);
    }
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &paint);
}

}  // namespace platform::edit
