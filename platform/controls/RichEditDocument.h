// The text of a rich edit control with the format of every character and the alignment of every
// paragraph, without any window. Text is GBK bytes with CR LF line ends; a position is a byte
// offset, and the positions that matter (caret, selection ends) are kept on character boundaries,
// never inside a two-byte character or between CR and LF.
//
// Character formats are stored per byte as an index into a table; index 0 stands for the default
// format, so that changing the default changes all text that was never formatted on its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/RichEdit.h"

namespace platform::views {

struct CharFormat {
    DWORD effects = CFE_AUTOCOLOR;
    LONG height = 200;  // twips
    LONG offset = 0;
    COLORREF color = 0;
    BYTE charSet = GB2312_CHARSET;
    BYTE pitchAndFamily = 0;
    std::string face = "宋体";

    bool operator==(const CharFormat&) const = default;
};

class RichEditDocument {
public:
    RichEditDocument();

    const std::string& Text() const { return text_; }
    size_t Size() const { return text_.size(); }

    // The nearest character boundary at or before `position` (clamped to the text).
    size_t Snap(size_t position) const;
    // One character forward or back; a line end is one step.
    size_t NextChar(size_t position) const;
    size_t PreviousChar(size_t position) const;

    // Replaces [from, to) with `text` (line ends made CR LF); the new characters take the pending
    // format when there is one, else the format of the character before `from`. Returns the
    // number of bytes inserted.
    size_t Replace(size_t from, size_t to, std::string_view text);
    // The whole text anew, in the default format and left-aligned.
    void SetText(std::string_view text);

    // Formats.
    CharFormat DefaultFormat() const { return formats_[0]; }
    void SetDefaultFormat(const CHARFORMATA& format);
    CharFormat FormatAt(size_t position) const;
    // Applies the masked parts of `format` to [from, to).
    void ApplyFormat(size_t from, size_t to, const CHARFORMATA& format);
    // Makes the masked parts of `format` the format of the next inserted text.
    void SetPendingFormat(size_t at, const CHARFORMATA& format);
    void ClearPendingFormat() { pending_ = -1; }
    // The format that typing at `at` gives.
    CharFormat InsertionFormat(size_t at) const;
    // The format of [from, to) in `out`; the result is the mask of the parts that are the same
    // for every character of the range.
    DWORD RangeFormat(size_t from, size_t to, CHARFORMATA* out) const;
    static void Fill(const CharFormat& format, DWORD mask, CHARFORMATA* out);

    // Paragraphs.
    WORD AlignmentAt(size_t position) const;
    void SetAlignment(size_t from, size_t to, WORD alignment);
    // The alignment of the paragraphs touching [from, to); false when they differ.
    bool RangeAlignment(size_t from, size_t to, WORD* alignment) const;

    // Lines, split at CR LF.
    int LineCount() const;
    int LineOf(size_t position) const;
    size_t LineStart(int line) const;
    // Without the line end.
    size_t LineLength(int line) const;

    // Everything, for undo.
    struct State {
        std::string text;
        std::vector<std::uint32_t> formatOf;
        std::vector<CharFormat> formats;
        std::vector<WORD> alignOf;
        WORD endAlign = PFA_LEFT;
    };
    State Save() const;
    void Restore(State state);

private:
    std::uint32_t Intern(const CharFormat& format);
    static CharFormat Merge(CharFormat base, const CHARFORMATA& change);
    size_t ParagraphStart(size_t position) const;
    size_t ParagraphEnd(size_t position) const;
    void EvenParagraph(size_t position);

    std::string text_;
    std::vector<std::uint32_t> formatOf_;
    std::vector<CharFormat> formats_;
    std::vector<WORD> alignOf_;
    // The alignment of an empty last paragraph (after a final line end, or of an empty text).
    WORD endAlign_ = PFA_LEFT;
    // The format index for the next insertion, or -1.
    std::int64_t pending_ = -1;
    size_t pendingAt_ = 0;
};

}  // namespace platform::views
