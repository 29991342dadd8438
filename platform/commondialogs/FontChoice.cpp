#include "platform/commondialogs/FontChoice.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/drawing/FontFaces.h"
#include "platform/text/Gbk.h"

namespace platform {

const std::vector<std::string>& FontChoice::Faces() {
    return FontFaces::Names();
}

const std::vector<std::string>& FontChoice::Styles() {
    static const std::vector<std::string> styles = {"常规", "倾斜", "粗体", "粗偏斜"};
    return styles;
}

std::vector<int> FontChoice::Sizes(int minimum, int maximum) {
    static constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    std::vector<int> sizes;
    for (int size : kSizes) {
        if (size >= minimum && size <= maximum) {
            sizes.push_back(size);
        }
    }
    return sizes;
}

const std::vector<FontChoice::NamedColor>& FontChoice::Colors() {
    static const std::vector<NamedColor> colors = {
        {"黑色", RGB(0, 0, 0)},       {"褐红色", RGB(128, 0, 0)},   {"绿色", RGB(0, 128, 0)},
        {"橄榄色", RGB(128, 128, 0)}, {"深蓝色", RGB(0, 0, 128)},   {"紫色", RGB(128, 0, 128)},
        {"深青色", RGB(0, 128, 128)}, {"灰色", RGB(128, 128, 128)}, {"银色", RGB(192, 192, 192)},
        {"红色", RGB(255, 0, 0)},     {"酸橙色", RGB(0, 255, 0)},   {"黄色", RGB(255, 255, 0)},
        {"蓝色", RGB(0, 0, 255)},     {"紫红色", RGB(255, 0, 255)}, {"水绿色", RGB(0, 255, 255)},
        {"白色", RGB(255, 255, 255)},
    };
    return colors;
}

FontSelection FontChoice::FromLogFont(const LOGFONTA& font, COLORREF color, int dotsPerInch) {
    FontSelection selection;
    const std::string face(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
    const auto& faces = Faces();
    const auto found = std::find_if(faces.begin(), faces.end(), [&](const std::string& offered) {
        return CompareNoCase(offered, face) == 0;
    });
    selection.face = found != faces.end() ? *found : "宋体";
    const int height = std::abs(static_cast<int>(font.lfHeight));
    if (height != 0 && dotsPerInch > 0) {
        selection.pointSize = (height * 72 + dotsPerInch / 2) / dotsPerInch;
    }
    selection.bold = font.lfWeight >= 600;
    selection.italic = font.lfItalic != 0;
    selection.underline = font.lfUnderline != 0;
    selection.strikeOut = font.lfStrikeOut != 0;
    selection.color = color;
    return selection;
}

LOGFONTA FontChoice::ToLogFont(const FontSelection& selection, int dotsPerInch) {
    LOGFONTA font =
        FontFaces::LogFontOf(selection.face, -((selection.pointSize * dotsPerInch + 36) / 72),
                             selection.bold ? FW_BOLD : FW_NORMAL, selection.italic);
    font.lfUnderline = selection.underline ? 1 : 0;
    font.lfStrikeOut = selection.strikeOut ? 1 : 0;
    return font;
}

}  // namespace platform
