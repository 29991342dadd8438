#include "platform/controls/RichEditFonts.h"

#include <algorithm>

namespace platform::views {
namespace {

// Twips per pixel at 96 dots per inch.
constexpr LONG kTwipsPerPixel = 15;

}  // namespace

RichEditFonts::~RichEditFonts() {
    for (auto& [format, font] : fonts_) {
        DeleteObject(font);
    }
}

HFONT RichEditFonts::For(const CharFormat& format) {
    for (const auto& [known, font] : fonts_) {
        if (known == format) {
            return font;
        }
    }
    const int pixels =
        static_cast<int>(std::max<LONG>(1, (format.height + kTwipsPerPixel / 2) / kTwipsPerPixel));
    HFONT font = CreateFontA(
        -pixels, 0, 0, 0, (format.effects & CFE_BOLD) ? FW_BOLD : FW_NORMAL,
        (format.effects & CFE_ITALIC) ? 1 : 0, (format.effects & CFE_UNDERLINE) ? 1 : 0,
        (format.effects & CFE_STRIKEOUT) ? 1 : 0, format.charSet, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, format.pitchAndFamily, format.face.c_str());
    fonts_.emplace_back(format, font);
    return font;
}

}  // namespace platform::views
