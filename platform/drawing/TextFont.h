// A logical font made real: the installed face that stands for it (found through fontconfig), its
// metrics and its glyphs (rendered by FreeType).
//
// Glyphs are rendered monochrome, without anti-aliasing, as the programs' fonts were on their
// system; that keeps pixels exact in tests and lets text take raster colours as they are.
//
// The classic Chinese faces (宋体, 新宋体, 黑体, 楷体, 仿宋 and "System") are cell faces: on the
// original system every single-byte character is half an em wide and every double-byte one a full
// em, so their advances here are exactly that (or lfWidth and twice lfWidth when it is given),
// whichever installed font draws them. Measurements of these faces are therefore the same on
// every machine. Other faces take their advances from the installed font; lfWidth does not
// narrow them.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/drawing/Gdi.h"

namespace platform {

class TextFont {
public:
    struct Glyph {
        // Offset of the bitmap's top-left from the pen position on the baseline.
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        // One byte per pixel: 1 for ink.
        std::vector<unsigned char> ink;
        int advance = 0;
    };

    // Shared and cached by the logical font's fields.
    static std::shared_ptr<const TextFont> For(const LOGFONTA& logFont);

    ~TextFont();
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;

    const TEXTMETRICA& metrics() const { return metrics_; }
    const LOGFONTA& logFont() const { return logFont_; }
    // The installed file that draws the font; empty when no font could be loaded (text is then
    // measured but not drawn).
    const std::string& file() const { return file_; }
    bool cell_face() const { return cellFace_; }

    int Advance(char32_t character) const;
    const Glyph& GlyphFor(char32_t character) const;
    // Where the underline and strike-out lines lie, as rows below the top of the cell.
    int UnderlineRow() const {
        return metrics_.tmAscent + 1 < metrics_.tmHeight ? metrics_.tmAscent + 1
                                                         : metrics_.tmHeight - 1;
    }
    int StrikeOutRow() const { return metrics_.tmAscent - metrics_.tmAscent / 3; }
    int LineThickness() const { return metrics_.tmHeight >= 24 ? metrics_.tmHeight / 24 : 1; }

private:
    struct Face;
    explicit TextFont(const LOGFONTA& logFont);
    Glyph Render(char32_t character) const;

    LOGFONTA logFont_;
    TEXTMETRICA metrics_{};
    std::string file_;
    bool cellFace_ = false;
    int em_ = 12;
    int halfWidth_ = 6;
    std::unique_ptr<Face> primary_;
    std::unique_ptr<Face> fallback_;
    mutable std::mutex mutex_;
    mutable std::map<char32_t, Glyph> glyphs_;
};

}  // namespace platform
