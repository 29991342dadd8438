// The text of an edit control without its window: GBK bytes, the selection, the limit in
// characters, one level of undo and the lines as shown. Offsets are byte offsets that always sit on
// a character boundary; CR LF counts as one step for the caret and is never split either.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class EditText {
public:
    // The width in pixels of a run of text on one line.
    using Measure = std::function<int(std::string_view)>;

    struct Line {
        size_t start = 0;
        // Without the CR LF that ends a hard line.
        size_t length = 0;
    };

    struct Selection {
        size_t start = 0;
        size_t end = 0;
    };

    enum class Insert { Whole, Cut, Refused };

    explicit EditText(bool multiline);

    const std::string& text() const { return text_; }
    bool multiline() const { return multiline_; }

    // Replaces everything: the caret goes to the start, the undo step and the modified flag are
    // cleared. Never limited.
    void SetText(std::string_view text);

    // `anchor` stays, `caret` is where the caret goes; both are clamped to the text and moved back
    // to a character boundary.
    void Select(size_t anchor, size_t caret);
    size_t anchor() const { return anchor_; }
    size_t caret() const { return caret_; }
    Selection selection() const;
    bool HasSelection() const { return anchor_ != caret_; }
    std::string_view SelectedText() const;

    // Replaces the selection by `insert`, cut at a character boundary to what the limit leaves
    // room for. `typing` joins consecutive typing into one undo step. Returns what happened;
    // nothing changes when it is refused.
    Insert ReplaceSelection(std::string_view insert, bool typing);

    // Swaps the text and selection with the undo step, so a second undo redoes.
    bool Undo();
    bool CanUndo() const { return undo_.has_value(); }
    void EmptyUndo();

    bool modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    size_t limit() const { return limit_; }
    void SetLimit(size_t limit) { limit_ = limit; }

    // Caret steps.
    size_t NextChar(size_t offset) const;
    size_t PreviousChar(size_t offset) const;
    // Words are runs of characters other than spaces, tabs and line breaks.
    size_t WordStart(size_t offset) const;
    size_t WordEnd(size_t offset) const;
    size_t NextWord(size_t offset) const;
    size_t PreviousWord(size_t offset) const;

    // Lines as shown: `wrapWidth` of 0 or less wraps nothing. Relaid after every change.
    void SetLayout(Measure measure, int wrapWidth);
    const std::vector<Line>& lines() const { return lines_; }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    // The shown line that holds `offset`; an offset at a soft break belongs to the next line.
    int LineFromOffset(size_t offset) const;
    std::string_view LineText(int line) const;
    int XOf(size_t offset) const;
    // The character boundary on `line` closest to `x`.
    size_t OffsetAtX(int line, int x) const;
    int Width(std::string_view text) const;

private:
    struct Snapshot {
        std::string text;
        size_t anchor = 0;
        size_t caret = 0;
    };

    size_t Boundary(size_t offset) const;
    void Relayout();
    void WrapLine(size_t start, size_t end);

    bool multiline_;
    std::string text_;
    size_t anchor_ = 0;
    size_t caret_ = 0;
    size_t limit_ = 30000;
    bool modified_ = false;
    std::optional<Snapshot> undo_;
    bool typingRun_ = false;
    Measure measure_;
    int wrapWidth_ = 0;
    std::vector<Line> lines_;
};

}  // namespace platform
