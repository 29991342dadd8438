// Fonts for the character formats of one layout or paint pass, made once per format and freed
// together.
#pragma once

#include <utility>
#include <vector>

#include "platform/controls/RichEditDocument.h"

namespace platform::views {

class RichEditFonts {
public:
    RichEditFonts() = default;
    ~RichEditFonts();
    RichEditFonts(const RichEditFonts&) = delete;
    RichEditFonts& operator=(const RichEditFonts&) = delete;

    HFONT For(const CharFormat& format);

private:
    std::vector<std::pair<CharFormat, HFONT>> fonts_;
};

}  // namespace platform::views
