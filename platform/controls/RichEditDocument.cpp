#include "platform/controls/RichEditDocument.h"

#include <algorithm>
#include <cstring>

#include "platform/text/Gbk.h"

namespace platform::views {
namespace {

// Effects that CHARFORMAT's mask bits govern one to one.
constexpr DWORD kEffectBits =
    CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_PROTECTED | CFE_LINK;

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            out += "\r\n";
        } else if (c != '\0') {
            out += c;
        }
    }
    return out;
}

}  // namespace

RichEditDocument::RichEditDocument() {
    CharFormat standard;
    standard.height = 180;
    formats_.push_back(standard);
}

size_t RichEditDocument::Snap(size_t position) const {
    position = std::min(position, text_.size());
    size_t boundary = 0;
    for (size_t at = 0; at < position;) {
        const size_t next = NextChar(at);
        if (next > position) {
            break;
        }
        boundary = next;
        at = next;
    }
    return boundary;
}

size_t RichEditDocument::NextChar(size_t position) const {
    if (position >= text_.size()) {
        return text_.size();
    }
    if (text_[position] == '\r' && position + 1 < text_.size() && text_[position + 1] == '\n') {
        return position + 2;
    }
    return position + CharLengthAt(text_, position);
}

size_t RichEditDocument::PreviousChar(size_t position) const {
    position = Snap(position);
    size_t previous = 0;
    for (size_t at = 0; at < position; at = NextChar(at)) {
        previous = at;
    }
    return previous;
}

size_t RichEditDocument::Replace(size_t from, size_t to, std::string_view text) {
    from = Snap(from);
    to = std::max(from, Snap(to));
    const std::string inserted = WithCrLf(text);
    std::uint32_t format = 0;
    if (pending_ >= 0) {
        format = static_cast<std::uint32_t>(pending_);
    } else if (from > 0) {
        format = formatOf_[from - 1];
    } else if (!formatOf_.empty()) {
        format = formatOf_[0];
    }
    const WORD align = AlignmentAt(from);
    text_.replace(from, to - from, inserted);
    formatOf_.erase(formatOf_.begin() + static_cast<std::ptrdiff_t>(from),
                    formatOf_.begin() + static_cast<std::ptrdiff_t>(to));
    formatOf_.insert(formatOf_.begin() + static_cast<std::ptrdiff_t>(from), inserted.size(),
                     format);
    alignOf_.erase(alignOf_.begin() + static_cast<std::ptrdiff_t>(from),
                   alignOf_.begin() + static_cast<std::ptrdiff_t>(to));
    alignOf_.insert(alignOf_.begin() + static_cast<std::ptrdiff_t>(from), inserted.size(), align);
    if (from + inserted.size() == text_.size() && inserted.size() >= 2 &&
        inserted.compare(inserted.size() - 2, 2, "\r\n") == 0) {
        endAlign_ = align;
    }
    EvenParagraph(from);
    pending_ = -1;
    return inserted.size();
}

void RichEditDocument::SetText(std::string_view text) {
    text_ = WithCrLf(text);
    formatOf_.assign(text_.size(), 0);
    alignOf_.assign(text_.size(), PFA_LEFT);
    endAlign_ = PFA_LEFT;
    pending_ = -1;
}

std::uint32_t RichEditDocument::Intern(const CharFormat& format) {
    for (size_t i = 1; i < formats_.size(); ++i) {
        if (formats_[i] == format) {
            return static_cast<std::uint32_t>(i);
        }
    }
    formats_.push_back(format);
    return static_cast<std::uint32_t>(formats_.size() - 1);
}

CharFormat RichEditDocument::Merge(CharFormat base, const CHARFORMATA& change) {
    const DWORD mask = change.dwMask;
    const DWORD effectMask = mask & kEffectBits;
    base.effects = (base.effects & ~effectMask) | (change.dwEffects & effectMask);
    if (mask & CFM_COLOR) {
        base.effects = (base.effects & ~static_cast<DWORD>(CFE_AUTOCOLOR)) |
                       (change.dwEffects & CFE_AUTOCOLOR);
        base.color = change.crTextColor;
    }
    if (mask & CFM_SIZE) {
        base.height = std::max<LONG>(change.yHeight, 1);
    }
    if (mask & CFM_OFFSET) {
        base.offset = change.yOffset;
    }
    if (mask & CFM_CHARSET) {
        base.charSet = change.bCharSet;
    }
    if (mask & CFM_FACE) {
        const size_t length = strnlen(change.szFaceName, LF_FACESIZE);
        const std::string_view face(change.szFaceName, length);
        base.face = std::string(face.substr(0, CutAtCharBoundary(face, LF_FACESIZE - 1)));
        base.pitchAndFamily = change.bPitchAndFamily;
    }
    return base;
}

void RichEditDocument::SetDefaultFormat(const CHARFORMATA& format) {
    formats_[0] = Merge(formats_[0], format);
}

CharFormat RichEditDocument::FormatAt(size_t position) const {
    if (position >= formatOf_.size()) {
        return formats_[0];
    }
    return formats_[formatOf_[position]];
}

void RichEditDocument::ApplyFormat(size_t from, size_t to, const CHARFORMATA& format) {
    to = std::min(to, text_.size());
    std::vector<std::int64_t> translated(formats_.size(), -1);
    for (size_t i = from; i < to; ++i) {
        const std::uint32_t old = formatOf_[i];
        if (translated[old] < 0) {
            translated[old] = Intern(Merge(formats_[old], format));
            translated.resize(formats_.size(), -1);
        }
        formatOf_[i] = static_cast<std::uint32_t>(translated[old]);
    }
}

CharFormat RichEditDocument::InsertionFormat(size_t at) const {
    if (pending_ >= 0 && pendingAt_ == at) {
        return formats_[static_cast<size_t>(pending_)];
    }
    if (at > 0 && at <= formatOf_.size()) {
        return formats_[formatOf_[at - 1]];
    }
    return FormatAt(0);
}

void RichEditDocument::SetPendingFormat(size_t at, const CHARFORMATA& format) {
    pending_ = Intern(Merge(InsertionFormat(at), format));
    pendingAt_ = at;
}

void RichEditDocument::Fill(const CharFormat& format, DWORD mask, CHARFORMATA* out) {
    out->dwMask = mask;
    out->dwEffects = format.effects;
    out->yHeight = format.height;
    out->yOffset = format.offset;
    out->crTextColor = format.color;
    out->bCharSet = format.charSet;
    out->bPitchAndFamily = format.pitchAndFamily;
    std::memset(out->szFaceName, 0, sizeof(out->szFaceName));
    std::memcpy(out->szFaceName, format.face.data(),
                std::min(format.face.size(), sizeof(out->szFaceName) - 1));
}

DWORD RichEditDocument::RangeFormat(size_t from, size_t to, CHARFORMATA* out) const {
    to = std::min(to, text_.size());
    if (from >= to) {
        Fill(InsertionFormat(from), CFM_ALL, out);
        return CFM_ALL;
    }
    const CharFormat first = FormatAt(from);
    DWORD mask = CFM_ALL;
    std::vector<bool> seen(formats_.size(), false);
    seen[formatOf_[from]] = true;
    for (size_t i = from + 1; i < to; ++i) {
        if (seen[formatOf_[i]]) {
            continue;
        }
        seen[formatOf_[i]] = true;
        const CharFormat& other = formats_[formatOf_[i]];
        for (DWORD bit :
             {CFM_BOLD, CFM_ITALIC, CFM_UNDERLINE, CFM_STRIKEOUT, CFM_PROTECTED, CFM_LINK}) {
            if ((first.effects & bit) != (other.effects & bit)) {
                mask &= ~bit;
            }
        }
        if (first.color != other.color ||
            (first.effects & CFE_AUTOCOLOR) != (other.effects & CFE_AUTOCOLOR)) {
            mask &= ~static_cast<DWORD>(CFM_COLOR);
        }
        if (first.height != other.height) {
            mask &= ~static_cast<DWORD>(CFM_SIZE);
        }
        if (first.offset != other.offset) {
            mask &= ~static_cast<DWORD>(CFM_OFFSET);
        }
        if (first.charSet != other.charSet) {
            mask &= ~static_cast<DWORD>(CFM_CHARSET);
        }
        if (first.face != other.face) {
            mask &= ~static_cast<DWORD>(CFM_FACE);
        }
    }
    Fill(first, mask, out);
    return mask;
}

size_t RichEditDocument::ParagraphStart(size_t position) const {
    position = std::min(position, text_.size());
    const size_t found = position >= 2 ? text_.rfind("\r\n", position - 2) : std::string::npos;
    return found == std::string::npos ? 0 : found + 2;
}

size_t RichEditDocument::ParagraphEnd(size_t position) const {
    const size_t found = text_.find("\r\n", ParagraphStart(position));
    return found == std::string::npos ? text_.size() : found + 2;
}

void RichEditDocument::EvenParagraph(size_t position) {
    const size_t start = ParagraphStart(position);
    if (start >= text_.size()) {
        return;
    }
    const size_t end = ParagraphEnd(position);
    std::fill(alignOf_.begin() + static_cast<std::ptrdiff_t>(start),
              alignOf_.begin() + static_cast<std::ptrdiff_t>(end), alignOf_[start]);
}

WORD RichEditDocument::AlignmentAt(size_t position) const {
    const size_t start = ParagraphStart(position);
    return start < text_.size() ? alignOf_[start] : endAlign_;
}

void RichEditDocument::SetAlignment(size_t from, size_t to, WORD alignment) {
    from = std::min(from, text_.size());
    to = std::max(from, std::min(to, text_.size()));
    // A range that stops right where a paragraph starts leaves that paragraph alone.
    const bool includesLast = !(to > from && ParagraphStart(to) == to);
    const size_t start = ParagraphStart(from);
    const size_t end = includesLast ? ParagraphEnd(to) : to;
    std::fill(alignOf_.begin() + static_cast<std::ptrdiff_t>(start),
              alignOf_.begin() + static_cast<std::ptrdiff_t>(end), alignment);
    if (includesLast && ParagraphStart(to) >= text_.size()) {
        endAlign_ = alignment;
    }
}

bool RichEditDocument::RangeAlignment(size_t from, size_t to, WORD* alignment) const {
    *alignment = AlignmentAt(from);
    to = std::min(to, text_.size());
    for (size_t at = ParagraphEnd(from); at < to; at = ParagraphEnd(at)) {
        if (AlignmentAt(at) != *alignment) {
            return false;
        }
    }
    return true;
}

int RichEditDocument::LineCount() const {
    int count = 1;
    for (size_t at = text_.find("\r\n"); at != std::string::npos; at = text_.find("\r\n", at + 2)) {
        ++count;
    }
    return count;
}

int RichEditDocument::LineOf(size_t position) const {
    position = std::min(position, text_.size());
    int line = 0;
    for (size_t at = text_.find("\r\n"); at != std::string::npos && at + 2 <= position;
         at = text_.find("\r\n", at + 2)) {
        ++line;
    }
    return line;
}

size_t RichEditDocument::LineStart(int line) const {
    if (line <= 0) {
        return 0;
    }
    size_t at = 0;
    for (int i = 0; i < line; ++i) {
        const size_t found = text_.find("\r\n", at);
        if (found == std::string::npos) {
            return std::string::npos;
        }
        at = found + 2;
    }
    return at;
}

size_t RichEditDocument::LineLength(int line) const {
    const size_t start = LineStart(line);
    if (start == std::string::npos) {
        return 0;
    }
    const size_t end = text_.find("\r\n", start);
    return (end == std::string::npos ? text_.size() : end) - start;
}

RichEditDocument::State RichEditDocument::Save() const {
    return State{text_, formatOf_, formats_, alignOf_, endAlign_};
}

void RichEditDocument::Restore(State state) {
    text_ = std::move(state.text);
    formatOf_ = std::move(state.formatOf);
    formats_ = std::move(state.formats);
    alignOf_ = std::move(state.alignOf);
    endAlign_ = state.endAlign;
    pending_ = -1;
}

}  // namespace platform::views
