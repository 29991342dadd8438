// The window side of a rich edit control: selection, messages, typing, the clipboard, undo,
// events, and drawing the document's formatted lines, wrapped at the width unless the style asks
// for horizontal scrolling. The line messages count paragraphs (lines ending in CR LF).
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls/RichEditDocument.h"
#include "platform/controls/ScrollBarSync.h"

namespace platform::views {

class RichEditControl {
public:
    explicit RichEditControl(HWND hwnd) : hwnd_(hwnd) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // One stretch of a laid-out line with a single format and selection state.
    struct Piece {
        size_t from = 0;
        size_t to = 0;
        int x = 0;
        int width = 0;
        CharFormat format;
        bool selected = false;
    };
    // One character of a line with its width.
    struct Glyph {
        size_t from = 0;
        size_t to = 0;
        int width = 0;
        CharFormat format;
    };
    // A line on the screen: a paragraph, or the part of one that fits the width.
    struct Line {
        size_t from = 0;
        size_t to = 0;  // before the line end
        bool endsParagraph = true;
        int top = 0;
        int height = 0;
        int ascent = 0;
        std::vector<Piece> pieces;
    };
    struct Snapshot {
        RichEditDocument::State document;
        size_t anchor = 0;
        size_t caret = 0;
    };

    size_t SelectionStart() const { return std::min(anchor_, caret_); }
    size_t SelectionEnd() const { return std::max(anchor_, caret_); }
    bool ReadOnly() const;
    bool Multiline() const;
    // Moves the selection (positions snapped), then tells the parent when ENM_SELCHANGE asks.
    void Select(size_t anchor, size_t caret);
    void NotifySelection();
    void NotifyChange();
    void Command(UINT code);
    void RememberForUndo();
    void Undo();
    // Replaces the selection. User edits respect read-only mode and the text limit.
    bool ReplaceSelection(std::string_view text, bool byUser, bool undoable);
    void SetFont(HFONT font);
    BOOL SetCharFormat(WPARAM scope, const CHARFORMATA* format);
    DWORD GetCharFormat(WPARAM scope, CHARFORMATA* format) const;
    BOOL SetParaFormat(const PARAFORMAT* format);
    DWORD GetParaFormat(PARAFORMAT* format) const;
    LRESULT StreamIn(WPARAM format, EDITSTREAM* stream);
    LRESULT StreamOut(WPARAM format, EDITSTREAM* stream) const;
    LRESULT SetSelectionRange(LONG from, LONG to);

    // Editing commands.
    void Cut();
    void Copy() const;
    void Paste();
    void Clear();

    // Input.
    void Type(std::string_view text);
    void Char(WPARAM code);
    void KeyDown(WPARAM key);
    void MouseDown(POINT point, bool extend);
    size_t PositionAt(POINT point);
    void EnsureCaretVisible();
    void ScrollLines(int first);
    void Scroll(int code, int thumb);
    // The lines that fit in the window from the first one shown, at least one.
    int PageLines(const std::vector<Line>& lines) const;
    // Shows the screen lines on the vertical bar the control was made with.
    void UpdateScrollBars();

    // Layout and painting.
    std::vector<Line> Layout(HDC dc) const;
    // The screen line the caret is on: at a wrap, the later line.
    int LineOfCaret(const std::vector<Line>& lines) const;
    bool ShowsSelection() const;
    COLORREF Background() const;
    void Paint();

    HWND hwnd_;
    RichEditDocument document_;
    size_t anchor_ = 0;
    size_t caret_ = 0;
    CHARRANGE notified_{0, 0};
    DWORD eventMask_ = 0;
    std::optional<COLORREF> background_;
    size_t limit_ = 32767;
    bool modified_ = false;
    std::optional<Snapshot> undo_;
    // Consecutive typing is one step of undo.
    bool typing_ = false;
    HFONT font_ = nullptr;
    bool hasFocus_ = false;
    bool hideSelection_ = false;
    bool dragging_ = false;
    // The first screen line shown.
    int firstLine_ = 0;
    // The first byte of a two-byte character typed as two WM_CHAR messages.
    int pendingLead_ = -1;
    // The window bars the control was made with; without ES_DISABLENOSCROLL they come and go
    // with the need to scroll.
    DWORD bars_ = 0;
    ScrollBarSync scrollBars_;
};

}  // namespace platform::views
