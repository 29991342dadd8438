#include "platform/controls/Edit.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>

#include "platform/controls/Caret.h"
#include "platform/controls/EditClipboard.h"
#include "platform/controls/EditText.h"
#include "platform/drawing/ResourceImages.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

constexpr int kMargin = 1;
constexpr int kWheelLines = 3;
constexpr size_t kSingleLineMaximum = 0x7FFFFFFE;
constexpr size_t kMultiLineMaximum = 0xFFFFFFFF;

// The scroll bar codes of WM_VSCROLL, WM_HSCROLL and EM_SCROLL.
constexpr int kLineUp = 0;
constexpr int kLineDown = 1;
constexpr int kPageUp = 2;
constexpr int kPageDown = 3;
constexpr int kThumbPosition = 4;
constexpr int kThumbTrack = 5;
constexpr int kTop = 6;
constexpr int kBottom = 7;

struct EditState {
    explicit EditState(bool multiline) : text(multiline) {}

    EditText text;
    HFONT font = nullptr;
    // A memory DC holding the font, for measuring text outside of painting.
    HDC measure = nullptr;
    char passwordChar = 0;
    int firstLine = 0;
    int xOffset = 0;
    bool focused = false;
    bool tracking = false;
    // The first byte of a two-byte character typed with WM_CHAR, waiting for its second.
    int pendingLead = -1;
};

EditState* StateOf(HWND hwnd) {
    return reinterpret_cast<EditState*>(GetWindowLongPtrA(hwnd, 0));
}

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

bool KeyDown(int key) {
    return GetKeyState(key) < 0;
}

void Notify(HWND hwnd, WORD code) {
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                 reinterpret_cast<LPARAM>(hwnd));
}

HFONT FontOf(const EditState& state) {
    return state.font != nullptr ? state.font
                                 : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int LineHeight(const EditState& state) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(state.measure, &metrics);
    return std::max<int>(1, metrics.tmHeight);
}

int AverageCharWidth(const EditState& state) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(state.measure, &metrics);
    return std::max<int>(1, metrics.tmAveCharWidth);
}

size_t CharCount(std::string_view text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at += CharLengthAt(text, at)) {
        ++count;
    }
    return count;
}

// What a line shows: the password character once per character, or the text itself.
std::string Shown(const EditState& state, std::string_view text) {
    if (state.passwordChar == 0) {
        return std::string(text);
    }
    return std::string(CharCount(text), state.passwordChar);
}

int TextWidth(const EditState& state, std::string_view text) {
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

int VisibleLines(HWND hwnd, const EditState& state) {
    const RECT client = ClientOf(hwnd);
    return std::max(1, static_cast<int>(client.bottom - client.top) / LineHeight(state));
}

bool Wraps(DWORD style) {
    return (style & ES_MULTILINE) && !(style & ES_AUTOHSCROLL);
}

void Relayout(HWND hwnd, EditState& state) {
    EditState* measured = &state;
    state.text.SetLayout([measured](std::string_view text) { return TextWidth(*measured, text); },
                         Wraps(StyleOf(hwnd)) ? FormatWidth(hwnd) : 0);
}

int AlignOffset(HWND hwnd, const EditState& state, int line) {
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

POINT PositionOf(HWND hwnd, const EditState& state, size_t offset) {
    const int line = state.text.LineFromOffset(offset);
    return POINT{kMargin + AlignOffset(hwnd, state, line) + state.text.XOf(offset) - state.xOffset,
                 (line - state.firstLine) * LineHeight(state)};
}

size_t OffsetAtPoint(HWND hwnd, const EditState& state, int x, int y) {
    const int row = y < 0 ? -1 : y / LineHeight(state);
    const int line = std::clamp(state.firstLine + row, 0, state.text.LineCount() - 1);
    return state.text.OffsetAtX(line, x - kMargin - AlignOffset(hwnd, state, line) + state.xOffset);
}

void PlaceCaret(HWND hwnd, const EditState& state) {
    if (state.focused) {
        const POINT at = PositionOf(hwnd, state, state.text.caret());
        SetCaretPos(at.x, at.y);
    }
}

void Redraw(HWND hwnd, const EditState& state) {
    InvalidateRect(hwnd, nullptr, TRUE);
    PlaceCaret(hwnd, state);
}

void ScrollToCaret(HWND hwnd, EditState& state) {
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

void SyncWindowText(HWND hwnd, const EditState& state) {
    DefWindowProcA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(state.text.text().c_str()));
}

// After a change that the parent hears about: EN_UPDATE before the new text shows, EN_CHANGE
// after.
void TextChanged(HWND hwnd, EditState& state) {
    SyncWindowText(hwnd, state);
    ScrollToCaret(hwnd, state);
    Notify(hwnd, EN_UPDATE);
    Notify(hwnd, EN_CHANGE);
}

std::string Converted(DWORD style, std::string_view text) {
    std::string converted(text);
    if (style & ES_UPPERCASE) {
        ToUpperAscii(converted);
    } else if (style & ES_LOWERCASE) {
        ToLowerAscii(converted);
    }
    return converted;
}

// A single-line edit without ES_AUTOHSCROLL takes no more than its width shows.
bool FitsWidth(HWND hwnd, const EditState& state, std::string_view insert) {
    const DWORD style = StyleOf(hwnd);
    if ((style & (ES_MULTILINE | ES_AUTOHSCROLL)) != 0) {
        return true;
    }
    const EditText::Selection range = state.text.selection();
    std::string after = state.text.text();
    after.replace(range.start, range.end - range.start, insert);
    return TextWidth(state, after) <= FormatWidth(hwnd);
}

// Inserts what the user typed or pasted, or what EM_REPLACESEL gives, with the limit's rule.
void Insert(HWND hwnd, EditState& state, std::string_view insert, bool typing) {
    const std::string converted = Converted(StyleOf(hwnd), insert);
    if (!FitsWidth(hwnd, state, converted)) {
        Notify(hwnd, EN_MAXTEXT);
        return;
    }
    const EditText::Insert result = state.text.ReplaceSelection(converted, typing);
    if (result != EditText::Insert::Whole) {
        Notify(hwnd, EN_MAXTEXT);
    }
    if (result != EditText::Insert::Refused) {
        TextChanged(hwnd, state);
    }
}

void DeleteSelection(HWND hwnd, EditState& state) {
    if (state.text.HasSelection()) {
        state.text.ReplaceSelection({}, false);
        TextChanged(hwnd, state);
    }
}

bool ReadOnly(HWND hwnd) {
    return (StyleOf(hwnd) & ES_READONLY) != 0;
}

void Copy(const EditState& state) {
    if (state.passwordChar == 0 && state.text.HasSelection()) {
        PutEditClipboardText(state.text.SelectedText());
    }
}

void Cut(HWND hwnd, EditState& state) {
    if (ReadOnly(hwnd) || state.passwordChar != 0 || !state.text.HasSelection()) {
        return;
    }
    Copy(state);
    DeleteSelection(hwnd, state);
}

void Paste(HWND hwnd, EditState& state) {
    if (ReadOnly(hwnd)) {
        return;
    }
    std::optional<std::string> pasted = TakeEditClipboardText();
    if (!pasted) {
        return;
    }
    if (!(StyleOf(hwnd) & ES_MULTILINE)) {
        pasted->resize(std::min(pasted->size(), pasted->find_first_of("\r\n")));
    }
    Insert(hwnd, state, *pasted, false);
}

void Undo(HWND hwnd, EditState& state) {
    if (state.text.Undo()) {
        TextChanged(hwnd, state);
    }
}

void MoveCaret(HWND hwnd, EditState& state, size_t to, bool extend) {
    state.text.Select(extend ? state.text.anchor() : to, to);
    ScrollToCaret(hwnd, state);
}

void Character(HWND hwnd, EditState& state, unsigned char byte) {
    const DWORD style = StyleOf(hwnd);
    if (state.pendingLead >= 0) {
        const char pair[2] = {static_cast<char>(state.pendingLead), static_cast<char>(byte)};
        state.pendingLead = -1;
        if (byte >= 0x40 && byte != 0x7F && byte != 0xFF) {
            if (!ReadOnly(hwnd) && !(style & ES_NUMBER)) {
                Insert(hwnd, state, std::string_view(pair, 2), true);
            }
            return;
        }
    }
    if (IsLeadByte(byte)) {
        state.pendingLead = byte;
        return;
    }
    switch (byte) {
        case 0x03:
            Copy(state);
            return;
        case 0x16:
            Paste(hwnd, state);
            return;
        case 0x18:
            Cut(hwnd, state);
            return;
        case 0x1A:
            if (!ReadOnly(hwnd)) {
                Undo(hwnd, state);
            }
            return;
        default:
            break;
    }
    if (ReadOnly(hwnd)) {
        return;
    }
    if (byte == '\b') {
        if (!state.text.HasSelection()) {
            const size_t caret = state.text.caret();
            state.text.Select(state.text.PreviousChar(caret), caret);
        }
        DeleteSelection(hwnd, state);
        return;
    }
    if (byte == '\r' || byte == '\n') {
        if (style & ES_MULTILINE) {
            Insert(hwnd, state, "\r\n", true);
        }
        return;
    }
    if (byte == '\t') {
        if (style & ES_MULTILINE) {
            Insert(hwnd, state, "\t", true);
        }
        return;
    }
    if (byte < 0x20 || byte == 0x7F) {
        return;
    }
    if ((style & ES_NUMBER) && (byte < '0' || byte > '9')) {
        return;
    }
    const char typed = static_cast<char>(byte);
    Insert(hwnd, state, std::string_view(&typed, 1), true);
}

void KeyPressed(HWND hwnd, EditState& state, WPARAM key) {
    const bool shift = KeyDown(VK_SHIFT);
    const bool control = KeyDown(VK_CONTROL);
    const EditText& text = state.text;
    const size_t caret = text.caret();
    const int line = text.LineFromOffset(caret);
    const auto lineStart = [&](int index) {
        return text.lines()[static_cast<size_t>(index)].start;
    };
    const auto lineEnd = [&](int index) {
        const EditText::Line& shown = text.lines()[static_cast<size_t>(index)];
        return shown.start + shown.length;
    };
    const auto toLine = [&](int target) {
        target = std::clamp(target, 0, text.LineCount() - 1);
        return text.OffsetAtX(target, text.XOf(caret));
    };
    switch (key) {
        case VK_LEFT:
            if (!shift && text.HasSelection()) {
                MoveCaret(hwnd, state, text.selection().start, false);
            } else {
                MoveCaret(hwnd, state,
                          control ? text.PreviousWord(caret) : text.PreviousChar(caret), shift);
            }
            return;
        case VK_RIGHT:
            if (!shift && text.HasSelection()) {
                MoveCaret(hwnd, state, text.selection().end, false);
            } else {
                MoveCaret(hwnd, state, control ? text.NextWord(caret) : text.NextChar(caret),
                          shift);
            }
            return;
        case VK_UP:
            if (text.multiline()) {
                MoveCaret(hwnd, state, line == 0 ? caret : toLine(line - 1), shift);
            } else {
                MoveCaret(hwnd, state, text.PreviousChar(caret), shift);
            }
            return;
        case VK_DOWN:
            if (text.multiline()) {
                MoveCaret(hwnd, state, line + 1 >= text.LineCount() ? caret : toLine(line + 1),
                          shift);
            } else {
                MoveCaret(hwnd, state, text.NextChar(caret), shift);
            }
            return;
        case VK_PRIOR:
        case VK_NEXT:
            if (text.multiline()) {
                const int page = VisibleLines(hwnd, state);
                MoveCaret(hwnd, state, toLine(key == VK_PRIOR ? line - page : line + page), shift);
            }
            return;
        case VK_HOME:
            MoveCaret(hwnd, state, control ? 0 : lineStart(line), shift);
            return;
        case VK_END:
            MoveCaret(hwnd, state, control ? text.text().size() : lineEnd(line), shift);
            return;
        case VK_DELETE:
            if (shift) {
                Cut(hwnd, state);
            } else if (!ReadOnly(hwnd)) {
                if (!text.HasSelection()) {
                    state.text.Select(caret, text.NextChar(caret));
                }
                DeleteSelection(hwnd, state);
            }
            return;
        case VK_INSERT:
            if (control) {
                Copy(state);
            } else if (shift) {
                Paste(hwnd, state);
            }
            return;
        default:
            return;
    }
}

// Scrolls a multi-line edit to `firstLine` (clamped); returns the number of lines moved.
int ScrollLines(HWND hwnd, EditState& state, int firstLine) {
    const int clamped = std::clamp(firstLine, 0, std::max(0, state.text.LineCount() - 1));
    const int moved = clamped - state.firstLine;
    if (moved != 0) {
        state.firstLine = clamped;
        Redraw(hwnd, state);
    }
    return moved;
}

void ScrollColumns(HWND hwnd, EditState& state, int xOffset) {
    xOffset = std::max(0, xOffset);
    if (xOffset != state.xOffset) {
        state.xOffset = xOffset;
        Redraw(hwnd, state);
    }
}

int VerticalTarget(HWND hwnd, const EditState& state, int code, int thumb) {
    const int page = VisibleLines(hwnd, state);
    switch (code) {
        case kLineUp:
            return state.firstLine - 1;
        case kLineDown:
            return state.firstLine + 1;
        case kPageUp:
            return state.firstLine - page;
        case kPageDown:
            return state.firstLine + page;
        case kThumbPosition:
        case kThumbTrack:
            return thumb;
        case kTop:
            return 0;
        case kBottom:
            return state.text.LineCount() - page;
        default:
            return state.firstLine;
    }
}

void VerticalScroll(HWND hwnd, EditState& state, int code, int thumb) {
    if (!state.text.multiline()) {
        return;
    }
    Notify(hwnd, EN_VSCROLL);
    ScrollLines(hwnd, state, VerticalTarget(hwnd, state, code, thumb));
}

void HorizontalScroll(HWND hwnd, EditState& state, int code, int thumb) {
    const int step = AverageCharWidth(state);
    const int page = FormatWidth(hwnd);
    int target = state.xOffset;
    switch (code) {
        case kLineUp:
            target -= step;
            break;
        case kLineDown:
            target += step;
            break;
        case kPageUp:
            target -= page;
            break;
        case kPageDown:
            target += page;
            break;
        case kThumbPosition:
        case kThumbTrack:
            target = thumb;
            break;
        case kTop:
            target = 0;
            break;
        default:
            break;
    }
    Notify(hwnd, EN_HSCROLL);
    ScrollColumns(hwnd, state, target);
}

void DrawRun(HDC dc, int x, int y, const std::string& shown) {
    TextOutA(dc, x, y, shown.data(), static_cast<int>(shown.size()));
}

void Paint(HWND hwnd, EditState& state) {
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

LRESULT DialogCode(HWND hwnd, LPARAM lParam) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    const DWORD style = StyleOf(hwnd);
    if (!(style & ES_MULTILINE)) {
        return code;
    }
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg == nullptr) {
        return (style & ES_WANTRETURN) ? code | DLGC_WANTALLKEYS : code;
    }
    code |= DLGC_WANTALLKEYS;
    if (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) {
        const WPARAM key = msg->wParam;
        const bool enter = key == VK_RETURN;
        if (key == VK_ESCAPE || key == VK_TAB || (enter && !(style & ES_WANTRETURN))) {
            code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        }
    }
    return code;
}

LRESULT GetLine(const EditState& state, WPARAM line, LPARAM buffer) {
    auto* out = reinterpret_cast<char*>(buffer);
    if (out == nullptr) {
        return 0;
    }
    WORD capacity = 0;
    std::memcpy(&capacity, out, sizeof(capacity));
    const int index = state.text.multiline() ? static_cast<int>(line) : 0;
    const std::string_view text = state.text.LineText(index);
    const size_t length = CutAtCharBoundary(text, capacity);
    if (length > 0) {
        std::memcpy(out, text.data(), length);
    }
    return static_cast<LRESULT>(length);
}

LRESULT LineLength(const EditState& state, WPARAM wParam) {
    const EditText& text = state.text;
    if (!text.multiline()) {
        return static_cast<LRESULT>(text.text().size());
    }
    const auto& lines = text.lines();
    if (static_cast<int>(wParam) == -1) {
        const EditText::Selection range = text.selection();
        const EditText::Line& first = lines[static_cast<size_t>(text.LineFromOffset(range.start))];
        const EditText::Line& last = lines[static_cast<size_t>(text.LineFromOffset(range.end))];
        return static_cast<LRESULT>((range.start - first.start) +
                                    (last.start + last.length - range.end));
    }
    return static_cast<LRESULT>(lines[static_cast<size_t>(text.LineFromOffset(wParam))].length);
}

LRESULT LineIndex(const EditState& state, WPARAM wParam) {
    const EditText& text = state.text;
    const int line = static_cast<int>(wParam) == -1 ? text.LineFromOffset(text.caret())
                                                    : static_cast<int>(wParam);
    if (line < 0 || line >= text.LineCount()) {
        return -1;
    }
    return static_cast<LRESULT>(text.lines()[static_cast<size_t>(line)].start);
}

LRESULT SetSelection(HWND hwnd, EditState& state, WPARAM wParam, LPARAM lParam) {
    const auto start = static_cast<int>(wParam);
    const auto end = static_cast<int>(lParam);
    const size_t size = state.text.text().size();
    if (start == -1) {
        state.text.Select(state.text.caret(), state.text.caret());
    } else {
        state.text.Select(start < 0 ? size : static_cast<size_t>(start),
                          end < 0 ? size : static_cast<size_t>(end));
    }
    Redraw(hwnd, state);
    return 0;
}

LRESULT GetSelection(const EditState& state, WPARAM wParam, LPARAM lParam) {
    const EditText::Selection range = state.text.selection();
    if (auto* start = reinterpret_cast<DWORD*>(wParam)) {
        *start = static_cast<DWORD>(range.start);
    }
    if (auto* end = reinterpret_cast<DWORD*>(lParam)) {
        *end = static_cast<DWORD>(range.end);
    }
    if (range.end > 0xFFFF) {
        return -1;
    }
    return MAKELRESULT(range.start, range.end);
}

LRESULT LimitText(EditState& state, WPARAM wParam) {
    if (wParam == 0) {
        state.text.SetLimit(state.text.multiline() ? kMultiLineMaximum : kSingleLineMaximum);
    } else {
        state.text.SetLimit(static_cast<size_t>(static_cast<DWORD>(wParam)));
    }
    return 0;
}

LRESULT SetPasswordChar(HWND hwnd, EditState& state, WPARAM wParam) {
    if (state.text.multiline()) {
        return 0;
    }
    state.passwordChar = static_cast<char>(wParam);
    const DWORD style = StyleOf(hwnd);
    SetWindowLongA(
        hwnd, GWL_STYLE,
        static_cast<LONG>(state.passwordChar != 0 ? style | ES_PASSWORD : style & ~ES_PASSWORD));
    Relayout(hwnd, state);
    Redraw(hwnd, state);
    return 0;
}

LRESULT LineScroll(HWND hwnd, EditState& state, WPARAM wParam, LPARAM lParam) {
    if (!state.text.multiline()) {
        return FALSE;
    }
    if (!Wraps(StyleOf(hwnd))) {
        ScrollColumns(hwnd, state,
                      state.xOffset + static_cast<int>(wParam) * AverageCharWidth(state));
    }
    ScrollLines(hwnd, state, state.firstLine + static_cast<int>(lParam));
    return TRUE;
}

LRESULT PositionFromChar(HWND hwnd, const EditState& state, WPARAM wParam) {
    if (wParam >= state.text.text().size()) {
        return -1;
    }
    const POINT at = PositionOf(hwnd, state, wParam);
    return MAKELRESULT(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
}

LRESULT CharFromPosition(HWND hwnd, const EditState& state, LPARAM lParam) {
    const size_t offset = OffsetAtPoint(hwnd, state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return MAKELRESULT(offset, state.text.LineFromOffset(offset));
}

LRESULT FirstVisible(const EditState& state) {
    if (state.text.multiline()) {
        return state.firstLine;
    }
    return static_cast<LRESULT>(state.text.OffsetAtX(0, state.xOffset));
}

void Create(HWND hwnd, const CREATESTRUCTA& create) {
    EditState& state = *StateOf(hwnd);
    state.measure = CreateCompatibleDC(nullptr);
    SelectObject(state.measure, FontOf(state));
    if ((create.style & ES_PASSWORD) && !(create.style & ES_MULTILINE)) {
        state.passwordChar = '*';
    }
    Relayout(hwnd, state);
    state.text.SetText(Converted(static_cast<DWORD>(create.style),
                                 create.lpszName != nullptr ? create.lpszName : ""));
    SyncWindowText(hwnd, state);
}

void SetText(HWND hwnd, EditState& state, LPCSTR text) {
    state.text.SetText(Converted(StyleOf(hwnd), text != nullptr ? text : ""));
    state.firstLine = 0;
    state.xOffset = 0;
    state.pendingLead = -1;
    SyncWindowText(hwnd, state);
    Redraw(hwnd, state);
    if (!state.text.multiline()) {
        Notify(hwnd, EN_UPDATE);
        Notify(hwnd, EN_CHANGE);
    }
}

void SetFont(HWND hwnd, EditState& state, WPARAM wParam, LPARAM lParam) {
    state.font = reinterpret_cast<HFONT>(wParam);
    SelectObject(state.measure, FontOf(state));
    Relayout(hwnd, state);
    if (state.focused) {
        CreateCaret(hwnd, nullptr, 1, LineHeight(state));
        ShowCaret(hwnd);
    }
    PlaceCaret(hwnd, state);
    if (LOWORD(lParam)) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void MouseDown(HWND hwnd, EditState& state, LPARAM lParam, bool extend) {
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
    }
    const size_t offset = OffsetAtPoint(hwnd, state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    MoveCaret(hwnd, state, offset, extend);
    state.tracking = true;
    SetCapture(hwnd);
}

void SelectWordAt(HWND hwnd, EditState& state, LPARAM lParam) {
    const size_t offset = OffsetAtPoint(hwnd, state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    state.text.Select(state.text.WordStart(offset), state.text.WordEnd(offset));
    ScrollToCaret(hwnd, state);
}

LRESULT CALLBACK EditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* state = new EditState((create->style & ES_MULTILINE) != 0);
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    EditState* state = StateOf(hwnd);
    if (state == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_CREATE:
            Create(hwnd, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
            return 0;
        case WM_NCDESTROY:
            if (state->focused) {
                DestroyCaret();
            }
            DeleteDC(state->measure);
            delete state;
            SetWindowLongPtrA(hwnd, 0, 0);
            return DefWindowProcA(hwnd, message, wParam, lParam);
        case WM_SETTEXT:
            SetText(hwnd, *state, reinterpret_cast<LPCSTR>(lParam));
            return TRUE;
        case WM_SETFONT:
            SetFont(hwnd, *state, wParam, lParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state->font);
        case WM_SIZE:
        case WM_STYLECHANGED:
            Relayout(hwnd, *state);
            ScrollToCaret(hwnd, *state);
            return 0;
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(hwnd, *state);
            return 0;
        case WM_SETFOCUS:
            state->focused = true;
            CreateCaret(hwnd, nullptr, 1, LineHeight(*state));
            PlaceCaret(hwnd, *state);
            ShowCaret(hwnd);
            InvalidateRect(hwnd, nullptr, TRUE);
            Notify(hwnd, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            state->focused = false;
            state->pendingLead = -1;
            DestroyCaret();
            InvalidateRect(hwnd, nullptr, TRUE);
            Notify(hwnd, EN_KILLFOCUS);
            return 0;
        case WM_GETDLGCODE:
            return DialogCode(hwnd, lParam);
        case WM_CHAR:
            Character(hwnd, *state, static_cast<unsigned char>(wParam));
            return 0;
        case WM_KEYDOWN:
            KeyPressed(hwnd, *state, wParam);
            return 0;
        case WM_LBUTTONDOWN:
            MouseDown(hwnd, *state, lParam, (wParam & MK_SHIFT) != 0);
            return 0;
        case WM_LBUTTONDBLCLK:
            SelectWordAt(hwnd, *state, lParam);
            return 0;
        case WM_MOUSEMOVE:
            if (state->tracking) {
                MoveCaret(hwnd, *state,
                          OffsetAtPoint(hwnd, *state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)),
                          true);
            }
            return 0;
        case WM_LBUTTONUP:
            if (state->tracking) {
                state->tracking = false;
                ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            state->tracking = false;
            return 0;
        case WM_MOUSEWHEEL:
            if (state->text.multiline()) {
                const int notches = static_cast<SHORT>(HIWORD(wParam)) / 120;
                Notify(hwnd, EN_VSCROLL);
                ScrollLines(hwnd, *state, state->firstLine - notches * kWheelLines);
            }
            return 0;
        case WM_VSCROLL:
            VerticalScroll(hwnd, *state, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
            return 0;
        case WM_HSCROLL:
            HorizontalScroll(hwnd, *state, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
            return 0;
        case WM_COPY:
            Copy(*state);
            return 0;
        case WM_CUT:
            Cut(hwnd, *state);
            return 0;
        case WM_PASTE:
            Paste(hwnd, *state);
            return 0;
        case WM_CLEAR:
            if (!ReadOnly(hwnd)) {
                DeleteSelection(hwnd, *state);
            }
            return 0;
        case WM_UNDO:
        case EM_UNDO: {
            const bool undone = state->text.CanUndo();
            Undo(hwnd, *state);
            return undone ? TRUE : FALSE;
        }
        case EM_GETSEL:
            return GetSelection(*state, wParam, lParam);
        case EM_SETSEL:
            return SetSelection(hwnd, *state, wParam, lParam);
        case EM_REPLACESEL:
            Insert(hwnd, *state, lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "", false);
            if (!wParam) {
                state->text.EmptyUndo();
            }
            return 0;
        case EM_GETMODIFY:
            return state->text.modified() ? TRUE : FALSE;
        case EM_SETMODIFY:
            state->text.SetModified(wParam != 0);
            return 0;
        case EM_GETLINECOUNT:
            return state->text.LineCount();
        case EM_LINEINDEX:
            return LineIndex(*state, wParam);
        case EM_LINELENGTH:
            return LineLength(*state, wParam);
        case EM_GETLINE:
            return GetLine(*state, wParam, lParam);
        case EM_LINEFROMCHAR:
            if (static_cast<int>(wParam) == -1) {
                return state->text.LineFromOffset(state->text.selection().start);
            }
            return state->text.LineFromOffset(wParam);
        case EM_LIMITTEXT:
            return LimitText(*state, wParam);
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(state->text.limit());
        case EM_CANUNDO:
            return state->text.CanUndo() ? TRUE : FALSE;
        case EM_EMPTYUNDOBUFFER:
            state->text.EmptyUndo();
            return 0;
        case EM_SETPASSWORDCHAR:
            return SetPasswordChar(hwnd, *state, wParam);
        case EM_GETPASSWORDCHAR:
            return static_cast<unsigned char>(state->passwordChar);
        case EM_SETREADONLY: {
            const DWORD style = StyleOf(hwnd);
            SetWindowLongA(hwnd, GWL_STYLE,
                           static_cast<LONG>(wParam ? style | ES_READONLY : style & ~ES_READONLY));
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        }
        case EM_SCROLLCARET:
            ScrollToCaret(hwnd, *state);
            return TRUE;
        case EM_LINESCROLL:
            return LineScroll(hwnd, *state, wParam, lParam);
        case EM_SCROLL: {
            if (!state->text.multiline() || wParam > kPageDown) {
                return FALSE;
            }
            const int moved = ScrollLines(
                hwnd, *state, VerticalTarget(hwnd, *state, static_cast<int>(wParam), 0));
            return MAKELRESULT(static_cast<WORD>(moved), TRUE);
        }
        case EM_GETFIRSTVISIBLELINE:
            return FirstVisible(*state);
        case EM_GETRECT:
            if (auto* rect = reinterpret_cast<RECT*>(lParam)) {
                *rect = ClientOf(hwnd);
                rect->left += kMargin;
                rect->right -= kMargin;
            }
            return 0;
        case EM_POSFROMCHAR:
            return PositionFromChar(hwnd, *state, wParam);
        case EM_CHARFROMPOS:
            return CharFromPosition(hwnd, *state, lParam);
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void RegisterEditClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = EditProcedure;
        windowClass.cbWndExtra = sizeof(EditState*);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
        windowClass.lpszClassName = "Edit";
        RegisterSystemClass(windowClass);
    });
}

}  // namespace platform
