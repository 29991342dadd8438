#include "platform/controls/EditText.h"

#include <algorithm>

#include "platform/text/Gbk.h"

namespace platform {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsBreakAt(std::string_view text, size_t offset) {
    return offset + 1 < text.size() && text[offset] == '\r' && text[offset + 1] == '\n';
}

}  // namespace

EditText::EditText(bool multiline) : multiline_(multiline) {
    Relayout();
}

void EditText::SetText(std::string_view text) {
    text_.assign(text);
    anchor_ = caret_ = 0;
    undo_.reset();
    typingRun_ = false;
    modified_ = false;
    Relayout();
}

size_t EditText::Boundary(size_t offset) const {
    offset = std::min(offset, text_.size());
    size_t at = 0;
    while (at < text_.size()) {
        const size_t step = IsBreakAt(text_, at) ? 2 : CharLengthAt(text_, at);
        if (at + step > offset) {
            return at;
        }
        at += step;
    }
    return std::min(at, offset);
}

void EditText::Select(size_t anchor, size_t caret) {
    anchor_ = Boundary(anchor);
    caret_ = Boundary(caret);
    typingRun_ = false;
}

namespace {

// The limit counts characters, as the control does on a Chinese system: a two-byte character is
// one, so the limit alone does not bound the bytes a caller must hold.
size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t offset = 0; offset < text.size(); offset += CharLengthAt(text, offset))
        ++count;
    return count;
}

// The bytes of the first `characters` characters of `text`.
size_t BytesOfCharacters(std::string_view text, size_t characters) {
    size_t offset = 0;
    for (; offset < text.size() && characters > 0; --characters) {
        offset += CharLengthAt(text, offset);
    }
    return std::min(offset, text.size());
}

}  // namespace

EditText::Selection EditText::selection() const {
    return Selection{std::min(anchor_, caret_), std::max(anchor_, caret_)};
}

std::string_view EditText::SelectedText() const {
    const Selection range = selection();
    return std::string_view(text_).substr(range.start, range.end - range.start);
}

EditText::Insert EditText::ReplaceSelection(std::string_view insert, bool typing) {
    const Selection range = selection();
    const size_t kept = CharacterCount(text_) - CharacterCount(SelectedText());
    const size_t room = kept >= limit_ ? 0 : limit_ - kept;
    Insert result = Insert::Whole;
    const size_t fits = BytesOfCharacters(insert, room);
    if (fits < insert.size()) {
        insert = insert.substr(0, fits);
        result = insert.empty() ? Insert::Refused : Insert::Cut;
    }
    if (result == Insert::Refused || (insert.empty() && range.start == range.end)) {
        return result;
    }
    if (!(typing && typingRun_)) {
        undo_ = Snapshot{text_, anchor_, caret_};
    }
    text_.replace(range.start, range.end - range.start, insert);
    anchor_ = caret_ = range.start + insert.size();
    typingRun_ = typing;
    modified_ = true;
    Relayout();
    return result;
}

bool EditText::Undo() {
    if (!undo_) {
        return false;
    }
    Snapshot current{text_, anchor_, caret_};
    text_ = std::move(undo_->text);
    anchor_ = undo_->anchor;
    caret_ = undo_->caret;
    undo_ = std::move(current);
    typingRun_ = false;
    modified_ = true;
    Relayout();
    return true;
}

void EditText::EmptyUndo() {
    undo_.reset();
    typingRun_ = false;
}

size_t EditText::NextChar(size_t offset) const {
    offset = Boundary(offset);
    if (offset >= text_.size()) {
        return text_.size();
    }
    return offset + (IsBreakAt(text_, offset) ? 2 : CharLengthAt(text_, offset));
}

size_t EditText::PreviousChar(size_t offset) const {
    offset = Boundary(offset);
    return offset == 0 ? 0 : Boundary(offset - 1);
}

size_t EditText::WordStart(size_t offset) const {
    offset = Boundary(offset);
    while (offset > 0) {
        const size_t previous = PreviousChar(offset);
        if (IsSpace(text_[previous])) {
            break;
        }
        offset = previous;
    }
    return offset;
}

size_t EditText::WordEnd(size_t offset) const {
    offset = Boundary(offset);
    while (offset < text_.size() && !IsSpace(text_[offset])) {
        offset = NextChar(offset);
    }
    return offset;
}

size_t EditText::NextWord(size_t offset) const {
    offset = WordEnd(offset);
    while (offset < text_.size() && IsSpace(text_[offset]) && !IsBreakAt(text_, offset)) {
        offset = NextChar(offset);
    }
    if (offset < text_.size() && IsBreakAt(text_, offset) && offset == Boundary(offset)) {
        offset = NextChar(offset);
    }
    return offset;
}

size_t EditText::PreviousWord(size_t offset) const {
    offset = Boundary(offset);
    while (offset > 0 && IsSpace(text_[PreviousChar(offset)])) {
        offset = PreviousChar(offset);
    }
    return WordStart(offset);
}

void EditText::SetLayout(Measure measure, int wrapWidth) {
    measure_ = std::move(measure);
    wrapWidth_ = wrapWidth;
    Relayout();
}

int EditText::Width(std::string_view text) const {
    return measure_ ? measure_(text) : 0;
}

void EditText::Relayout() {
    lines_.clear();
    if (!multiline_) {
        lines_.push_back(Line{0, text_.size()});
        return;
    }
    size_t start = 0;
    for (;;) {
        const size_t found = text_.find("\r\n", start);
        const size_t end = found == std::string::npos ? text_.size() : found;
        WrapLine(start, end);
        if (found == std::string::npos) {
            break;
        }
        start = found + 2;
    }
}

void EditText::WrapLine(size_t start, size_t end) {
    const std::string_view all(text_);
    if (wrapWidth_ <= 0 || !measure_ || Width(all.substr(start, end - start)) <= wrapWidth_) {
        lines_.push_back(Line{start, end - start});
        return;
    }
    size_t lineStart = start;
    size_t lastBreak = 0;
    int width = 0;
    size_t at = start;
    while (at < end) {
        const size_t length = CharLengthAt(all, at);
        const char c = text_[at];
        const int charWidth = Width(all.substr(at, length));
        // Spaces never start a line: they stay at the end of the one they follow.
        if (c != ' ' && c != '\t' && at > lineStart && width + charWidth > wrapWidth_) {
            const size_t cut = lastBreak > lineStart ? lastBreak : at;
            lines_.push_back(Line{lineStart, cut - lineStart});
            lineStart = cut;
            lastBreak = 0;
            width = Width(all.substr(lineStart, at - lineStart));
            continue;
        }
        width += charWidth;
        at += length;
        if (c == ' ' || c == '\t') {
            lastBreak = at;
        }
    }
    lines_.push_back(Line{lineStart, end - lineStart});
}

int EditText::LineFromOffset(size_t offset) const {
    offset = std::min(offset, text_.size());
    int found = 0;
    for (int i = 0; i < LineCount(); ++i) {
        if (lines_[static_cast<size_t>(i)].start <= offset) {
            found = i;
        } else {
            break;
        }
    }
    return found;
}

std::string_view EditText::LineText(int line) const {
    if (line < 0 || line >= LineCount()) {
        return {};
    }
    const Line& shown = lines_[static_cast<size_t>(line)];
    return std::string_view(text_).substr(shown.start, shown.length);
}

int EditText::XOf(size_t offset) const {
    const int line = LineFromOffset(offset);
    const Line& shown = lines_[static_cast<size_t>(line)];
    const size_t within = std::min(Boundary(offset), shown.start + shown.length) - shown.start;
    return Width(std::string_view(text_).substr(shown.start, within));
}

size_t EditText::OffsetAtX(int line, int x) const {
    line = std::clamp(line, 0, LineCount() - 1);
    const Line& shown = lines_[static_cast<size_t>(line)];
    const std::string_view all(text_);
    size_t at = shown.start;
    const size_t end = shown.start + shown.length;
    int left = 0;
    while (at < end) {
        const size_t length = CharLengthAt(all, at);
        const int right = Width(all.substr(shown.start, at + length - shown.start));
        // Past the middle of a character the caret goes after it.
        if (x < (left + right + 1) / 2) {
            return at;
        }
        left = right;
        at += length;
    }
    return end;
}

}  // namespace platform
