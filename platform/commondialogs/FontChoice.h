// The choices of the font dialog and how they become a logical font: the faces offered (the
// Chinese faces and the Western faces the drawing layer maps to installed fonts), the styles, the
// point sizes and the sixteen colours of the effects.
#pragma once

#include <string>
#include <vector>

#include "platform/drawing/Gdi.h"

namespace platform {

struct FontSelection {
    std::string face;
    int pointSize = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    COLORREF color = 0;

    bool operator==(const FontSelection&) const = default;
};

class FontChoice {
public:
    struct NamedColor {
        const char* name;
        COLORREF color;
    };

    // Sorted as the dialog lists them.
    static const std::vector<std::string>& Faces();
    // The style names, in the order regular, italic, bold, bold italic (style index = italic +
    // 2 * bold).
    static const std::vector<std::string>& Styles();
    // The usual sizes within [minimum, maximum].
    static std::vector<int> Sizes(int minimum, int maximum);
    static const std::vector<NamedColor>& Colors();

    // `dotsPerInch` converts between points and the font's pixel height. A face the dialog does
    // not offer becomes 宋体; a height of 0 becomes 9 points.
    static FontSelection FromLogFont(const LOGFONTA& font, COLORREF color, int dotsPerInch);
    static LOGFONTA ToLogFont(const FontSelection& selection, int dotsPerInch);
};

}  // namespace platform
