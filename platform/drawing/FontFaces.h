// The font faces this system offers: the Chinese faces and the Western faces that the text layer
// maps to installed fonts (TextFont). The font dialog lists them and EnumFontFamiliesA and
// EnumFontsA enumerate them.
#pragma once

#include <string>
#include <vector>

#include "platform/drawing/Gdi.h"

namespace platform {

class FontFaces {
public:
    // Sorted without regard to case, as the font dialog lists them.
    static const std::vector<std::string>& Names();
    static bool IsChinese(const std::string& face);
    // Faces whose every character has the same advance.
    static bool IsFixedPitch(const std::string& face);
    // The logical font of the face with the given height, weight and italic flag: its character
    // set, pitch and family filled in, the name cut at a whole character.
    static LOGFONTA LogFontOf(const std::string& face, LONG height, LONG weight, bool italic);
};

}  // namespace platform
